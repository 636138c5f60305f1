// Wsh: the connection's shortcut on the user's desktop, made by the shell from the connection's
// item in the network-connections folder, and removed again as a file.
#pragma once

#include <string>

#include "platform/ansi_code_page.h"
#include "platform/automation.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace Wsh {

// What the two operations reach the system through (app/win32/windows_desktop_services.h
// holds the real ones).
struct Services {
  platform::Automation& automation;
  platform::MessageBoxes& messageBoxes;
  const platform::AnsiCodePage& codePage;
  platform::FileSystem& fileSystem;
};

inline constexpr const wchar_t* ShortcutErrorText = L"Ошибка создания ярлыка подключения!";

// Copies every item of the connections folder named basMain::ProviderName + " INTERNET"
// (exactly, case-sensitively) to the desktop folder through Shell.Application. A missing
// connections or desktop folder, or no such item, ends silently; any failing automation step
// shows ShortcutErrorText once (critical icon, application title) and returns. Nothing is
// passed on to the caller; every object is released before it returns.
void CreateConnectionShortcut(const Services& services);

// Deletes <desktop>\<name>.lnk, the desktop directory being the one WScript.Shell reports.
// Every failure is silent; without a desktop directory nothing is deleted at all.
void DeleteConnectionShortcut(const Services& services, const std::wstring& name);

}  // namespace Wsh
