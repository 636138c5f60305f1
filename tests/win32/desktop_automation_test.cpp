// The late-bound automation layer and the shortcut deletion against Wine's own
// WScript.Shell and Shell.Application.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "desktop/collection_walk.h"
#include "desktop/wsh.h"
#include "platform/win32/windows_automation.h"
#include "app/win32/windows_desktop_services.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

using support::DesktopFolder;
using support::ScratchFile;
using ::testing::IsEmpty;

TEST(Automation, ScriptHostReportsThePrefixDesktop) {
  platform::win32::WindowsAutomation automation;
  auto scriptShell = automation.Create(L"WScript.Shell");
  const std::wstring reported =
      desktop::AsText(scriptShell->Get(L"SpecialFolders", {std::wstring(L"Desktop")}));
  ASSERT_FALSE(DesktopFolder().empty());
  EXPECT_EQ(_wcsicmp(reported.c_str(), DesktopFolder().c_str()), 0)
      << "reported: " << reported.c_str();
}

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

class ShortcutDeletion : public ::testing::Test {
 protected:
  void SetUp() override { basMain::FillSettings(); }

  fakes::FakeMessageBoxes boxes;
  platform::win32::WindowsDesktopServices services{boxes};
  const std::wstring desktop = DesktopFolder().wstring();
};

TEST_F(ShortcutDeletion, RemovesTheConnectionsShortcutAndNothingElse) {
  ASSERT_EQ(basMain::EntryName, L"Vorlix INTERNET");
  const ScratchFile shortcut(desktop + L"\\Vorlix INTERNET.lnk", "shortcut");
  const ScratchFile sameNameOtherKind(desktop + L"\\Vorlix INTERNET.txt", "text");
  const ScratchFile otherShortcut(desktop + L"\\Other INTERNET.lnk", "other");
  const ScratchFile longerName(desktop + L"\\Vorlix INTERNET.lnk.bak", "backup");
  Wsh::DeleteConnectionShortcut(services.Shortcut(), basMain::EntryName);
  EXPECT_FALSE(shortcut.exists());
  EXPECT_TRUE(sameNameOtherKind.exists());
  EXPECT_TRUE(otherShortcut.exists());
  EXPECT_TRUE(longerName.exists());
  EXPECT_THAT(boxes.shown, IsEmpty());

  // Gone already: nothing to delete, nothing shown.
  Wsh::DeleteConnectionShortcut(services.Shortcut(), basMain::EntryName);
  EXPECT_TRUE(otherShortcut.exists());
  EXPECT_THAT(boxes.shown, IsEmpty());
}

TEST_F(ShortcutDeletion, ReachesACyrillicNameThroughTheAnsiCodePage) {
  ASSERT_EQ(::GetACP(), 1251u) << "the tests run with a Russian locale";
  const ScratchFile shortcut(desktop + L"\\Сеть-Плюс INTERNET.lnk", "shortcut");
  Wsh::DeleteConnectionShortcut(services.Shortcut(), L"Сеть-Плюс INTERNET");
  EXPECT_FALSE(shortcut.exists());
}

}  // namespace
