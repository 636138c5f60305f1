// Wsh: the connection's desktop shortcut, copied from the connections folder and deleted.
#include <cstdint>
#include <memory>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "desktop/wsh.h"
#include "platform/system.h"

namespace Wsh {
namespace {

constexpr std::int16_t CSIDL_CONNECTIONS_FOLDER = 49;
constexpr std::int16_t CSIDL_DESKTOP_FOLDER = 0;

std::unique_ptr<platform::AutomationObject> Folder(platform::AutomationObject& shell,
                                                   std::int16_t number) {
  return desktop::AsObject(shell.Get(L"NameSpace", {number}));
}

// The desktop directory as the script host reports it; empty when it cannot be had.
std::wstring DesktopDirectory(platform::Automation& automation) {
  try {
    auto scriptShell = automation.Create(L"WScript.Shell");
    // The argument is made in its place: GCC 12's std::variant, copied out of a braced list,
    // destroys a text it failed to copy (no memory) as whatever its stale index says.
    platform::AutomationArguments arguments;
    arguments.emplace_back(std::wstring(L"Desktop"));
    return desktop::AsText(scriptShell->Get(L"SpecialFolders", arguments));
  } catch (const platform::AutomationError&) {
    return {};
  }
}

// The objects of one run, released in the order desktop folder, connections folder, shell
// (members are destroyed in reverse order of declaration).
struct ShortcutRun {
  std::unique_ptr<platform::AutomationObject> shell;
  std::unique_ptr<platform::AutomationObject> connections;
  std::unique_ptr<platform::AutomationObject> desktopFolder;

  void CopyMatchingItems() {
    auto items = desktop::AsRequiredObject(connections->Get(L"Items", {}));
    desktop::ForEachItem(*items, [this](platform::AutomationObject& item) {
      // Built afresh for every item, from the setting as it reads now.
      const std::wstring wanted = basMain::ProviderName + L" INTERNET";
      if (desktop::AsText(item.Get(L"Name", {})) != wanted) return;
      desktopFolder = Folder(*shell, CSIDL_DESKTOP_FOLDER);
      if (desktopFolder) desktopFolder->Call(L"CopyHere", {&item});
    });
  }
};

void RunShortcut(platform::Automation& automation) {
  ShortcutRun run;
  run.shell = automation.Create(L"Shell.Application");
  run.connections = Folder(*run.shell, CSIDL_CONNECTIONS_FOLDER);
  if (run.connections) run.CopyMatchingItems();
}

}  // namespace

void CreateConnectionShortcut(platform::Automation& automation) {
  try {
    RunShortcut(automation);
  } catch (const platform::AutomationError&) {
    // Every object of the run is released by now; a shortcut copied before the failure stays.
    platform::ShowMessageBox(ShortcutErrorText, platform::MB_ICONCRITICAL_STYLE,
                             basMain::ApplicationTitle);
  }
}

std::string ConnectionShortcutFile(platform::Automation& automation, const std::wstring& name) {
  const std::wstring directory = DesktopDirectory(automation);
  // Without a directory the path would be "\<name>.lnk": a file at the root of the current
  // drive that is nobody's shortcut. Delete nothing then.
  if (directory.empty()) return {};
  return platform::ToAnsi(directory + L"\\" + name + L".lnk");
}

void DeleteShortcutFile(const std::string& file) {
  if (!file.empty()) platform::DeleteFileA(file);
}

void DeleteConnectionShortcut(platform::Automation& automation, const std::wstring& name) {
  DeleteShortcutFile(ConnectionShortcutFile(automation, name));
}

}  // namespace Wsh
