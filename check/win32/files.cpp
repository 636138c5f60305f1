#include "check/win32/files.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/bound_functions.h"
#include "platform/win32/unique_resource.h"

namespace check::win32 {
namespace {

// One search of a folder, closed when it goes.
class Search {
 public:
  Search(const std::wstring& folder, WIN32_FIND_DATAW& found)
      : handle_(::FindFirstFileW((folder + L"\\*").c_str(), &found)) {}
  ~Search() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }
  Search(const Search&) = delete;
  Search& operator=(const Search&) = delete;
  bool found() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAW& found) { return ::FindNextFileW(handle_, &found) != FALSE; }

 private:
  HANDLE handle_;
};

}  // namespace

bool WriteFileBytes(const std::wstring& file, const void* bytes, std::size_t size) {
  HANDLE opened = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const platform::win32::UniqueHandle handle(opened);
  DWORD written = 0;
  return ::WriteFile(handle.get(), bytes, static_cast<DWORD>(size), &written, nullptr) &&
         written == size;
}

std::string ReadFileBytes(const std::wstring& file, std::size_t limit) {
  HANDLE opened = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  const platform::win32::UniqueHandle handle(opened);
  std::string bytes;
  char chunk[64 * 1024];
  DWORD read = 0;
  while (bytes.size() < limit && ::ReadFile(handle.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
    bytes.append(chunk, std::min<std::size_t>(read, limit - bytes.size()));
  return bytes;
}

std::wstring ShellFolder(int folder) {
  namespace bound = platform::win32::bound;
  wchar_t path[MAX_PATH] = {};
  if (FAILED(bound::Call(bound::SHGetFolderPathW, E_FAIL, nullptr, folder, nullptr,
                         DWORD{SHGFP_TYPE_CURRENT}, path)))
    return {};
  return path;
}

std::set<std::wstring> FileNames(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  Search search(folder, found);
  if (!search.found()) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
  } while (search.Next(found));
  return names;
}

bool RemoveFolder(const std::wstring& folder) {
  {
    WIN32_FIND_DATAW found;
    Search search(folder, found);
    if (search.found()) {
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
      } while (search.Next(found));
    }
  }
  // A probe that has just ended may hold its folder a moment longer.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (::RemoveDirectoryW(folder.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    ::Sleep(20);
  }
  return false;
}

}  // namespace check::win32
