// The program's wiring: the real services behind Wsh, for the program to hand to it:
//   platform::win32::WindowsDesktopServices desktop(messageBoxes);
//   Wsh::CreateConnectionShortcut(desktop.Shortcut());
#pragma once

#include "desktop/wsh.h"
#include "platform/win32/windows_ansi_code_page.h"
#include "platform/win32/windows_automation.h"
#include "platform/win32/windows_file_system.h"

namespace platform::win32 {

class WindowsDesktopServices {
 public:
  // The message boxes stay the caller's (they know the owner window).
  explicit WindowsDesktopServices(MessageBoxes& messageBoxes)
      : shortcut_{automation_, messageBoxes, codePage_, fileSystem_} {}
  WindowsDesktopServices(const WindowsDesktopServices&) = delete;
  WindowsDesktopServices& operator=(const WindowsDesktopServices&) = delete;

  const Wsh::Services& Shortcut() const { return shortcut_; }

 private:
  WindowsAutomation automation_;
  WindowsAnsiCodePage codePage_;
  WindowsFileSystem fileSystem_;
  Wsh::Services shortcut_;
};

}  // namespace platform::win32
