#include "app/create_connection_command.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/settings.h"
#include "tests/fakes/fake_automation.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

using fakes::TakeJournal;
using fakes::TheSystem;
using Journal = std::vector<std::wstring>;

// Both boxes checked.
class Window final : public app::CommandWindow {
 public:
  std::wstring Caption() const override { return caption; }
  int ShortcutValue() const override { return 1; }
  int FirewallValue() const override { return 1; }
  void ProcessPendingMessages() override {
    fakes::Journal(L"pump");
    if (onPump) onPump();
  }
  std::wstring caption = L"Dialwright VPN 1.00";
  std::function<void()> onPump;
};

// The command over the real phonebook and desktop layers, with the fake service, automation
// and system below them, on a system whose connections folder is empty: everything they do
// lands in one journal.
class CreateConnectionCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { basMain::FillSettings(); }

  // One click with the phonebook listing these names (in two calls when they need them).
  Journal Click(const std::vector<std::string>& names) {
    phonebook.enumHandlers = {fakes::ListingOf(names), fakes::ListingOf(names)};
    phonebook.enumBuffers.clear();
    command.Click(window);
    return TakeJournal();
  }

  fakes::FakePhonebookService phonebook;
  fakes::FakeAutomation automation;
  Window window;
  app::CreateConnectionCommand command{phonebook, automation};
};

// The steps in their order, with the pauses and the waits: the question; the shortcut's file
// found, then the entry deleted, then the file; the pump, where a click waiting in the queue
// is ignored and the caption changes; the write; the shortcut between the two pauses (no
// connection in its folder here); the firewall's two commands, the first waited for; the
// confirmation, titled with the caption as it reads then.
TEST_F(CreateConnectionCommandTest, StepsInOrderAndEveryBoxWithTheCaptionAsItReadsThen) {
  TheSystem().answers = {platform::IDYES_ANSWER};
  phonebook.stored["Vorlix INTERNET"] = {};
  window.onPump = [this] {
    window.caption = L"Renamed";
    command.Click(window);
  };
  EXPECT_EQ(Click({"Vorlix INTERNET"}),
            (Journal{L"LocalAlloc 64 264", L"RasEnumEntriesA 264",
                     L"box 36 Dialwright VPN 1.00: Подключение Vorlix INTERNET существует! Для "
                     L"создания подключения необходимо его удалить! Удалить сейчас?",
                     L"create WScript.Shell", L"wsh.SpecialFolders(\"Desktop\")", L"release wsh",
                     L"RasDeleteEntryA Vorlix INTERNET",
                     L"DeleteFileA C:\\Users\\Анна\\Desktop\\Vorlix INTERNET.lnk", L"pump",
                     L"RasGetEntryPropertiesA 0",
                     L"RasSetEntryPropertiesA (default) Vorlix INTERNET 2884", L"sleep 250",
                     L"create Shell.Application", L"shell.NameSpace(i16:49)",
                     L"connections.Items()", L"items.Count()", L"release items",
                     L"release connections", L"release shell",
                     L"sleep 250",
                     L"netsh.exe: netsh firewall set opmode disable (show 0, wait 30000 ms)",
                     L"netsh.exe: netsh firewall set opmode enable (show 0, wait 0 ms)",
                     L"box 64 Renamed: Подключение создано."}));
}

}  // namespace
