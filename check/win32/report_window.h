// The report shown at the end, in a window of the check's own: its text can be selected and
// copied (Ctrl+C). Returns once the window is closed.
#pragma once

#include <windows.h>

#include <string>

namespace check::win32 {

void ShowReport(HINSTANCE instance, const std::wstring& title, const std::wstring& text);

}  // namespace check::win32
