// The late-bound automation layer and the shortcut deletion against Wine's own
// WScript.Shell and Shell.Application. (That the script host's desktop is the prefix's shows
// end to end, where the program deletes its shortcut there.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "desktop/wsh.h"
#include "platform/system.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/process_elevation.h"
#include "platform/win32/windows_automation.h"
#include "tests/support/driver.h"
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

// Wine gives every process an administrator's full token, the desktop's explorer too: there
// the picture's click opens the site itself (the window suite follows it). The desktop's shell
// is found all the same, and, asked, explorer starts the handler of the address.
TEST(DesktopShell, ExplorerRunsElevatedButTakesTheVerbWhenAsked) {
  EXPECT_TRUE(platform::ProcessIsElevated());
  EXPECT_FALSE(platform::ShellExecuteOnTheDesktop("open", "http://www.dialwright.ru/", 3));
  auto shell = platform::win32::FindDesktopShell();
  ASSERT_TRUE(shell.has_value()) << "no desktop shell";
  EXPECT_TRUE(platform::win32::WindowProcessIsElevated(shell->window));
  const ScratchFile record(support::OpenRecorderFile().wstring() + L".record");
  const std::wstring recorder = L"\"" + support::OpenRecorderFile().wstring() + L"\"";
  support::ScopedRegistryValue handler(L"Software\\Classes\\http\\shell\\open\\command",
                                       recorder + L" \"%1\"");
  ASSERT_TRUE(platform::win32::ShellExecuteIn(std::move(*shell), "open", "http://www.dialwright.ru/", 3));
  ASSERT_TRUE(support::WaitUntil([&] { return !support::Lines(record.path()).empty(); }));
  EXPECT_EQ(support::Lines(record.path()),
            std::vector<std::string>{support::Utf8(recorder + L" \"http://www.dialwright.ru/\"\tshow=3\tby=explorer.exe")});
}

}  // namespace
