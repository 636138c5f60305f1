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

}  // namespace

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

namespace {

// The objects of one run, released in the order desktop folder, connections folder, shell
// (members are destroyed in reverse order of declaration).
struct ShortcutRun {
  std::unique_ptr<platform::AutomationObject> shell;
  std::unique_ptr<platform::AutomationObject> connections;
  std::unique_ptr<platform::AutomationObject> desktopFolder;

  void CopyMatchingItems(const std::wstring& connectionName, ShortcutSteps& steps) {
    auto items = desktop::AsRequiredObject(connections->Get(L"Items", {}));
    steps.items = desktop::ForEachItem(*items, [&](platform::AutomationObject& item) {
      if (desktop::AsText(item.Get(L"Name", {})) != connectionName) return;
      ++steps.matches;
      desktopFolder = Folder(*shell, CSIDL_DESKTOP_FOLDER);
      if (!desktopFolder) return;
      desktopFolder->Call(L"CopyHere", {&item});
      ++steps.copied;
    });
  }
};

void RunShortcut(platform::Automation& automation, const std::wstring& connectionName,
                 ShortcutSteps& steps) {
  ShortcutRun run;
  run.shell = automation.Create(L"Shell.Application");
  run.connections = Folder(*run.shell, CSIDL_CONNECTIONS_FOLDER);
  steps.connectionsFolder = run.connections != nullptr;
  if (run.connections) run.CopyMatchingItems(connectionName, steps);
}

}  // namespace

ShortcutSteps CreateConnectionShortcut(platform::Automation& automation,
                                       const std::wstring& connectionName) {
  ShortcutSteps steps;
  try {
    RunShortcut(automation, connectionName, steps);
  } catch (const platform::AutomationError&) {
    // Every object of the run is released by now; a shortcut copied before the failure stays.
    steps.failed = true;
    platform::ShowMessageBox(ShortcutErrorText, platform::MB_ICONCRITICAL_STYLE,
                             basMain::ApplicationTitle);
  }
  return steps;
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
