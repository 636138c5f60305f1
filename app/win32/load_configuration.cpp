// The program's load configuration, which the loader reads before the program's first
// instruction runs. Its one value of ours: the static imports are looked for in the system
// directory only (DependentLoadFlags, read by Windows 10 1607 and later), so that no DLL of
// a download folder is loaded in their place, before main can restrict the search itself.
//
// The linker of this toolchain does not point the PE header at this structure;
// tools/set-load-configuration.py does, once the file is linked, with the size that Windows XP
// requires of a 32-bit image's load-configuration directory (64). The structure itself is 72
// bytes: XP reads the safe-exception-handler table's two fields after the first 64 whatever
// the size says, and finds them zero (no table).
#include <windows.h>

#include <cstddef>

// MinGW-w64's header still calls DependentLoadFlags "Reserved1".
static_assert(offsetof(IMAGE_LOAD_CONFIG_DIRECTORY32, Reserved1) == 0x36);
static_assert(sizeof(IMAGE_LOAD_CONFIG_DIRECTORY32) == 72);

namespace {

constexpr IMAGE_LOAD_CONFIG_DIRECTORY32 LoadConfiguration() {
  IMAGE_LOAD_CONFIG_DIRECTORY32 configuration{};
  configuration.Size = sizeof configuration;
  configuration.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
  return configuration;
}

}  // namespace

// The name the loader's tools look for; kept by the linker (--require-defined).
extern "C" const IMAGE_LOAD_CONFIG_DIRECTORY32 _load_config_used = LoadConfiguration();
