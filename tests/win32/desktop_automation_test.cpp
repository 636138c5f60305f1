// The late-bound automation layer and the shortcut deletion against Wine's own
// WScript.Shell and Shell.Application. (That the script host's desktop is the prefix's shows
// end to end, where the program deletes its shortcut there.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "desktop/wsh.h"
#include "platform/win32/windows_automation.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

using support::DesktopFolder;
using support::ScratchFile;

TEST(Automation, FailuresComeAsAutomationErrors) {
  platform::win32::WindowsAutomation automation;
  EXPECT_THROW(automation.Create(L"Dialwright.NoSuchClass"), platform::AutomationError);
  auto scriptShell = automation.Create(L"WScript.Shell");
  EXPECT_THROW(scriptShell->Get(L"NoSuchMember", {}), platform::AutomationError);
  EXPECT_THROW(scriptShell->Call(L"NoSuchMethod", {std::int32_t{1}}), platform::AutomationError);
}

TEST(Automation, WalksTheItemsOfARealShellFolder) {
  // Wine has no connections folder (NameSpace(49) is Nothing), so the walk is checked on the
  // desktop folder, with files of our own on it.
  const std::wstring desktop = DesktopFolder().wstring();
  const ScratchFile first(desktop + L"\\dialwright-walk-first.txt", "1");
  const ScratchFile second(desktop + L"\\dialwright-walk-Второй.txt", "2");
  platform::win32::WindowsAutomation automation;
  auto shell = automation.Create(L"Shell.Application");
  auto folder = desktop::AsRequiredObject(shell->Get(L"NameSpace", {std::int16_t{0}}));
  auto items = desktop::AsRequiredObject(folder->Get(L"Items", {}));

  std::vector<std::wstring> names;
  desktop::ForEachItem(*items, [&names](platform::AutomationObject& item) {
    names.push_back(desktop::AsText(item.Get(L"Name", {})));
  });
  int found = 0;
  for (const auto& name : names)
    found += name.starts_with(L"dialwright-walk-first") || name.starts_with(L"dialwright-walk-Второй");
  EXPECT_EQ(found, 2) << "items walked: " << names.size();
}

// The path goes through the ANSI code page to DeleteFileA; the end-to-end suite sees the
// program delete its own shortcut and nothing else.
TEST(ShortcutDeletion, ReachesACyrillicNameThroughTheAnsiCodePage) {
  ASSERT_EQ(::GetACP(), 1251u) << "the tests run with a Russian locale";
  const ScratchFile shortcut(DesktopFolder() / L"Сеть-Плюс INTERNET.lnk", "shortcut");
  platform::win32::WindowsAutomation automation;
  Wsh::DeleteConnectionShortcut(automation, L"Сеть-Плюс INTERNET");
  EXPECT_FALSE(std::filesystem::exists(shortcut.path()));
}

}  // namespace
