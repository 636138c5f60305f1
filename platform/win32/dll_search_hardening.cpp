#include "platform/win32/dll_search_hardening.h"

#include <windows.h>

#include "platform/win32/bound_functions.h"

namespace platform::win32 {

DllSearchRestrictions HardenDllSearch() {
  DllSearchRestrictions restrictions;
  if (auto* setDefault = bound::Find(bound::SetDefaultDllDirectories)) {
    restrictions.systemDirectoryOnly = setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
  }
  // Also where the call above went through: it is what protects a system that lacks it,
  // and it costs nothing where the default directories already rule.
  restrictions.currentDirectoryRemoved = ::SetDllDirectoryW(L"") != FALSE;
  return restrictions;
}

}  // namespace platform::win32
