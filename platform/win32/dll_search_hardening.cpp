#include "platform/win32/dll_search_hardening.h"

#include <windows.h>

namespace platform::win32 {
namespace {

using SetDefaultDllDirectoriesFn = BOOL WINAPI(DWORD directoryFlags);

// Windows 7 and Vista without the loader update have no SetDefaultDllDirectories: importing
// it would keep the program from starting there, so it is looked up at run time.
SetDefaultDllDirectoriesFn* FindSetDefaultDllDirectories() {
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return nullptr;
  return reinterpret_cast<SetDefaultDllDirectoriesFn*>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

}  // namespace

DllSearchRestrictions HardenDllSearch() {
  DllSearchRestrictions restrictions;
  if (auto* setDefault = FindSetDefaultDllDirectories()) {
    restrictions.systemDirectoryOnly = setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
  }
  // Also where the call above went through: it is what protects a system that lacks it,
  // and it costs nothing where the default directories already rule.
  restrictions.currentDirectoryRemoved = ::SetDllDirectoryW(L"") != FALSE;
  return restrictions;
}

}  // namespace platform::win32
