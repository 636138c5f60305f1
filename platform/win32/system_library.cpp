#include "platform/win32/system_library.h"

#include <iterator>

#include "platform/win32/bound_functions.h"

namespace platform::win32 {

std::wstring SystemDirectory() {
  wchar_t buffer[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(buffer, length);
}

HMODULE bound::Module(Library library) {
  // Never freed: the COM apartment, and the objects and texts it hands out, outlive every
  // call, and the thread's apartment is left through ole32 as the process ends.
  struct Loaded {
    bool attempted = false;
    HMODULE module = nullptr;
  };
  static Loaded loaded[std::size(kLibraryFiles)];
  Loaded& entry = loaded[static_cast<std::size_t>(library)];
  if (!entry.attempted) {
    entry.attempted = true;
    entry.module = LoadSystemLibrary(kLibraryFiles[static_cast<std::size_t>(library)]);
  }
  return entry.module;
}

}  // namespace platform::win32
