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

Journal Joined(std::initializer_list<Journal> parts) {
  Journal joined;
  for (const Journal& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// The command over the real phonebook and desktop layers, with the fake service, automation
// and system below them, on a system without a connections folder: everything they do lands
// in one journal.
class CreateConnectionCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    basMain::FillSettings();
    automation.nothingAt = L"shell.NameSpace(i16:49)";
  }

  // One click with the phonebook listing these names (in two calls when they need them).
  Journal Click(const std::vector<std::string>& names) {
    phonebook.enumHandlers = {fakes::ListingOf(names), fakes::ListingOf(names)};
    phonebook.enumBuffers.clear();
    command.Click(window);
    return TakeJournal();
  }

  const Journal listing = {L"LocalAlloc 64 264", L"RasEnumEntriesA 264"};
  const std::wstring question =
      L"box 36 Dialwright VPN 1.00: Подключение Vorlix INTERNET существует! Для создания "
      L"подключения необходимо его удалить! Удалить сейчас?";
  // What follows the listing when no entry is replaced.
  const Journal afterListing = {
      L"pump", L"RasGetEntryPropertiesA 0", L"RasSetEntryPropertiesA (default) Vorlix INTERNET 2884",
      L"sleep 250", L"create Shell.Application", L"shell.NameSpace(i16:49)", L"release shell",
      L"sleep 250", L"netsh.exe: netsh firewall set opmode disable (show 0, wait 30000 ms)",
      L"netsh.exe: netsh firewall set opmode enable (show 0, wait 0 ms)",
      L"box 64 Dialwright VPN 1.00: Подключение создано."};

  fakes::FakePhonebookService phonebook;
  fakes::FakeAutomation automation;
  Window window;
  app::CreateConnectionCommand command{phonebook, automation};
};

// The command's table double-clicks, but the second click may be handled after the first run;
// here it comes while the command runs, at its pump.
TEST_F(CreateConnectionCommandTest, AClickDuringARunIsIgnored) {
  int clicks = 0;  // one more, so that a run it were let into shows as the journal of two
  window.onPump = [&] { if (clicks++ == 0) command.Click(window); };
  EXPECT_EQ(Click({}), Joined({listing, afterListing}));
}

TEST_F(CreateConnectionCommandTest, EveryBoxCarriesTheCaptionAsItReadsThen) {
  TheSystem().answers = {platform::IDYES_ANSWER};
  phonebook.stored["Vorlix INTERNET"] = {};
  window.onPump = [this] { window.caption = L"Renamed"; };
  const Journal journal = Click({"Vorlix INTERNET"});
  EXPECT_EQ(journal[2], question);
  EXPECT_EQ(journal.back(), L"box 64 Renamed: Подключение создано.");
}

}  // namespace
