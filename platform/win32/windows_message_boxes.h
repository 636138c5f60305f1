// The owner of the program's message boxes (platform::ShowMessageBox): none until the program
// names its window, which the boxes are then modal to.
#pragma once

#include <windows.h>

namespace platform::win32 {

void SetMessageBoxOwner(HWND owner);

}  // namespace platform::win32
