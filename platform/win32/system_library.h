// Loads a DLL from the system directory only, never from the program's folder or the
// current directory, so that a DLL planted beside a downloaded program is never run.
#pragma once

#include <string>

#include "platform/win32/unique_resource.h"

namespace platform::win32 {

std::wstring SystemDirectory();
UniqueModule LoadSystemLibrary(const wchar_t* fileName);

}  // namespace platform::win32
