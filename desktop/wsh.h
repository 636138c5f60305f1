// Wsh: the connection's shortcut on the user's desktop, made by the shell from the connection's
// item in the network-connections folder, and removed again as a file.
#pragma once

#include <string>

#include "platform/automation.h"

namespace Wsh {

inline constexpr const wchar_t* ShortcutErrorText = L"Ошибка создания ярлыка подключения!";

// Copies every item of the connections folder named basMain::ProviderName + " INTERNET"
// (exactly, case-sensitively) to the desktop folder through Shell.Application. A missing
// connections or desktop folder, or no such item, ends silently; any failing automation step
// shows ShortcutErrorText once (critical icon, application title) and returns. Nothing is
// passed on to the caller; every object is released before it returns.
void CreateConnectionShortcut(platform::Automation& automation);

// Deletes <desktop>\<name>.lnk, the desktop directory being the one WScript.Shell reports.
// Every failure is silent; without a desktop directory nothing is deleted at all.
void DeleteConnectionShortcut(platform::Automation& automation, const std::wstring& name);

// The same in two steps: the file's path in the ANSI code page (empty without a desktop
// directory), found before anything is deleted, and its deletion, which then needs no memory.
std::string ConnectionShortcutFile(platform::Automation& automation, const std::wstring& name);
void DeleteShortcutFile(const std::string& file);

}  // namespace Wsh
