#include "platform/win32/system_library.h"

namespace platform::win32 {

std::wstring SystemDirectory() {
  wchar_t buffer[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(buffer, length);
}

UniqueModule LoadSystemLibrary(const wchar_t* fileName) {
  const std::wstring directory = SystemDirectory();
  if (directory.empty()) return UniqueModule{};
  // A full path: the loader does not search at all, whatever the DLL search order is.
  const std::wstring path = directory + L"\\" + fileName;
  return UniqueModule{::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)};
}

}  // namespace platform::win32
