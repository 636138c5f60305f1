// Loads a DLL from the system directory only, never from the program's folder or the
// current directory, so that a DLL planted beside a downloaded program is never run.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32 {

std::wstring SystemDirectory();

// The DLL of that file name in the system directory, loaded by its full path; null when it
// cannot be loaded. The caller owns the reference. (Its own file: a test program may define
// it to make a library unavailable.)
HMODULE LoadSystemLibrary(const wchar_t* fileName);

}  // namespace platform::win32
