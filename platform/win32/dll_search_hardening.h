// Where the program may load DLLs from. Called first thing at start-up, before anything can
// load a DLL by name, so that a DLL planted beside the program or in the current directory
// (a downloads folder, a network share) is never loaded in its place.
#pragma once

namespace platform::win32 {

struct DllSearchRestrictions {
  // Loads by name search the system directory only (SetDefaultDllDirectories exists).
  bool systemDirectoryOnly = false;
  // The current directory is out of the search order (SetDllDirectoryW(L"") went through).
  bool currentDirectoryRemoved = false;
};

// Restricts the DLL search as far as this system allows and says what took effect. Nothing
// here can fail the start-up: an older system simply keeps more of its default order.
DllSearchRestrictions HardenDllSearch();

}  // namespace platform::win32
