#include "check/win32/scratch_folder.h"

#include <windows.h>

#include "platform/number_text.h"
#include "platform/win32/unique_resource.h"

namespace check::win32 {

ScratchFolder::ScratchFolder() {
  wchar_t temporary[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temporary);
  if (length == 0 || length > MAX_PATH) return;
  // Unique among the runs of this machine: the process's number and the tick of its start.
  const std::wstring folder = std::wstring(temporary) + L"Dialwright check " +
                              platform::DecimalText(::GetCurrentProcessId()) + L"-" +
                              platform::DecimalText(::GetTickCount());
  if (::CreateDirectoryW(folder.c_str(), nullptr)) path_ = folder;
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) RemoveFolder(path_);
}

bool RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolder(path);
      } else {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  // A probe that has just ended may hold its folder a moment longer.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (::RemoveDirectoryW(folder.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    ::Sleep(20);
  }
  return false;
}

bool WriteFileBytes(const std::wstring& file, const void* bytes, std::size_t size) {
  HANDLE opened = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const platform::win32::UniqueHandle handle(opened);
  DWORD written = 0;
  return ::WriteFile(handle.get(), bytes, static_cast<DWORD>(size), &written, nullptr) &&
         written == size;
}

}  // namespace check::win32
