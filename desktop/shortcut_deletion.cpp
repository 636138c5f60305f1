// Wsh::DeleteConnectionShortcut.
#include "desktop/automation_results.h"
#include "desktop/wsh.h"

namespace Wsh {
namespace {

// The desktop directory as the script host reports it; empty when it cannot be had.
std::wstring DesktopDirectory(platform::Automation& automation) {
  try {
    auto scriptShell = automation.Create(L"WScript.Shell");
    return desktop::AsText(scriptShell->Get(L"SpecialFolders", {std::wstring(L"Desktop")}));
  } catch (const platform::AutomationError&) {
    return {};
  }
}

}  // namespace

void DeleteConnectionShortcut(const Services& services, const std::wstring& name) {
  const std::wstring directory = DesktopDirectory(services.automation);
  // Without a directory the path would be "\<name>.lnk": a file at the root of the current
  // drive that is nobody's shortcut. Delete nothing then.
  if (directory.empty()) return;
  const std::wstring path = directory + L"\\" + name + L".lnk";
  services.fileSystem.DeleteFileA(services.codePage.ToAnsi(path));
}

}  // namespace Wsh
