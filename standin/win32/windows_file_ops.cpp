#include "standin/win32/windows_file_ops.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/unique_resource.h"

namespace standin::win32 {
namespace {

using platform::win32::UniqueHandle;

constexpr DWORD kChunkBytes = 1 << 20;

UniqueHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE file = ::CreateFileW(path.c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

FileOps::ReadOutcome WindowsFileOps::ReadAll(const std::wstring& path, std::size_t maxBytes,
                                             std::string& bytes) {
  bytes.clear();
  // Readers share delete access so that a writer can still rename its new file over this one.
  const UniqueHandle file =
      OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
               OPEN_EXISTING);
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return ReadOutcome::kMissing;
    return ReadOutcome::kFailed;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return ReadOutcome::kFailed;
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ReadOutcome::kTooLarge;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr)) {
      bytes.clear();
      return ReadOutcome::kFailed;
    }
    if (read == 0) break;  // the file shrank meanwhile: what was read is the whole file
    done += read;
  }
  bytes.resize(done);
  return ReadOutcome::kRead;
}

bool WindowsFileOps::CreateDirectories(const std::wstring& directory) {
  if (directory.empty() || IsDirectory(directory)) return !directory.empty();
  const std::wstring parent = DirectoryOf(directory);
  if (!parent.empty() && parent.size() < directory.size()) CreateDirectories(parent);
  ::CreateDirectoryW(directory.c_str(), nullptr);
  return IsDirectory(directory);
}

std::optional<std::wstring> WindowsFileOps::CreateTemporaryIn(const std::wstring& directory) {
  wchar_t path[MAX_PATH] = {};
  if (::GetTempFileNameW(directory.c_str(), L"pbk", 0, path) == 0) return std::nullopt;
  return std::wstring(path);
}

bool WindowsFileOps::WriteAll(const std::wstring& path, std::string_view bytes) {
  const UniqueHandle file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return ::FlushFileBuffers(file.get()) != 0;
}

bool WindowsFileOps::Replace(const std::wstring& source, const std::wstring& target) {
  return ::MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void WindowsFileOps::Remove(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

}  // namespace standin::win32
