// Wsh: the connection's shortcut on the user's desktop, made by the shell from the connection's
// item in the network-connections folder, and removed again as a file.
#pragma once

#include <string>

#include "platform/automation.h"

namespace Wsh {

inline constexpr const wchar_t* ShortcutErrorText = L"Ошибка создания ярлыка подключения!";

// What one run of CreateConnectionShortcut met, for a caller that asks (the provider's check);
// the program goes on whatever it says.
struct ShortcutSteps {
  bool connectionsFolder = false;  // NameSpace(49) answered a folder
  std::int32_t items = 0;          // the number of its items
  int matches = 0;                 // items named as the connection
  int copied = 0;                  // of them, handed to the desktop folder's CopyHere
  bool failed = false;             // a step failed, and ShortcutErrorText was shown
};

// Copies every item of the connections folder named connectionName (exactly, case-sensitively)
// to the desktop folder through Shell.Application. A missing connections or desktop folder, or
// no such item, ends silently; any failing automation step shows ShortcutErrorText once
// (critical icon, application title) and returns. No failure is passed on to the caller; every
// object is released before it returns.
ShortcutSteps CreateConnectionShortcut(platform::Automation& automation,
                                       const std::wstring& connectionName);

// The desktop directory as WScript.Shell reports it; empty when it cannot be had.
std::wstring DesktopDirectory(platform::Automation& automation);

// Deletes <desktop>\<name>.lnk, the desktop directory being the one WScript.Shell reports.
// Every failure is silent; without a desktop directory nothing is deleted at all.
void DeleteConnectionShortcut(platform::Automation& automation, const std::wstring& name);

// The same in two steps: the file's path in the ANSI code page (empty without a desktop
// directory), found before anything is deleted, and its deletion, which then needs no memory.
std::string ConnectionShortcutFile(platform::Automation& automation, const std::wstring& name);
void DeleteShortcutFile(const std::string& file);

}  // namespace Wsh
