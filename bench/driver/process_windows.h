// What another process shows: its top-level windows, their controls and texts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// The visible captioned top-level window of the process that is not a dialog box, or null.
HWND FindFrame(DWORD processId);
// The visible dialog box (#32770: message boxes) of the process, or null.
HWND FindDialog(DWORD processId);

std::wstring WindowText(HWND window);

struct Buttons {
  std::vector<HWND> checkBoxes;
  std::vector<HWND> pushButtons;
};
Buttons ButtonsOf(HWND parent);

// A message box's own text (its static control), not its title.
std::wstring MessageBoxText(HWND box);

std::string Utf8(const std::wstring& text);

}  // namespace bench
