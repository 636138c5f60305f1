// The desktop's own shell: the desktop window among the shell's windows (IShellWindows,
// SWC_DESKTOP) and its view's automation object, whose Shell.Application carries out a verb in
// the shell's process, with the rights of the user whose desktop it is.
#pragma once

#include <oaidl.h>

#include <optional>
#include <string>

#include "platform/win32/com_ptr.h"

namespace platform::win32 {

struct DesktopShell {
  HWND window;
  ComPtr<IDispatch> view;
};

// Empty where no desktop shell answers (Windows XP's has no such window).
std::optional<DesktopShell> FindDesktopShell();

// The view's Shell.Application's ShellExecute (the address, no parameters, no folder, the
// verb, the show command); false where the view has no Shell.Application. What the shell then
// makes of the verb is its own.
bool ShellExecuteIn(DesktopShell shell, const std::string& verb, const std::string& file,
                    int showCommand);

}  // namespace platform::win32
