#include "platform/win32/system_library.h"

namespace platform::win32 {

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
  const std::wstring directory = SystemDirectory();
  if (directory.empty()) return nullptr;
  // A full path: the loader does not search at all, whatever the DLL search order is.
  const std::wstring path = directory + L"\\" + fileName;
  return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform::win32
