// The program's shortcut step taken with the check's entry in the default phonebook: the
// program's own code runs on a thread of its own while this thread watches the desktop and
// the process's windows for what the shell does, refuses any question the shell asks, and
// afterwards deletes the files the step made (never another).
#pragma once

#include <string>
#include <vector>

#include "check/rows.h"

namespace check::win32 {

// What the program's code showed the user while the step ran (the check's
// platform::ShowMessageBox keeps it here).
std::vector<std::wstring>& HeldMessageBoxes();

// How long the shell is given to make the shortcut or to ask.
inline constexpr int kShortcutWaitSeconds = 10;

ShortcutAnswers AskShortcut(const std::wstring& entryName);

}  // namespace check::win32
