// Whether a process runs elevated: with an administrator's full rights, as User Account
// Control gives them. Windows XP does not know the question (GetTokenInformation refuses
// TokenElevation there): never elevated.
#pragma once

#include <windows.h>

namespace platform::win32 {

// False too where the process's token cannot be read.
bool IsElevated(HANDLE process);

// The same of the process whose window it is.
bool WindowProcessIsElevated(HWND window);

}  // namespace platform::win32
