// The check's platform::ShowMessageBox: what the program's code would show the user is kept
// for the report instead, and the check's run goes on as if the user had pressed OK.
#include "check/win32/shortcut_answers.h"
#include "platform/system.h"

int platform::ShowMessageBox(const std::wstring& text, std::uint32_t, const std::wstring&) {
  check::win32::HeldMessageBoxes().push_back(text);
  return 1;  // IDOK
}
