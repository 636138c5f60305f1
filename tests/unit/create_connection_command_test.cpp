#include "app/create_connection_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "app/settings.h"
#include "tests/fakes/fake_automation.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

using fakes::TakeJournal;
using fakes::TheSystem;
using Journal = std::vector<std::wstring>;

class Window final : public app::CommandWindow {
 public:
  std::wstring Caption() const override { return caption; }
  int ShortcutValue() const override { return shortcut; }
  int FirewallValue() const override { return firewall; }
  void ProcessPendingMessages() override {
    fakes::Journal(L"pump");
    if (onPump) onPump();
  }
  std::wstring caption = L"Dialwright VPN 1.00";
  int shortcut = 1;
  int firewall = 1;
  std::function<void()> onPump;
};

std::wstring Box(std::uint32_t style, const std::wstring& text) {
  return L"box " + std::to_wstring(style) + L" Dialwright VPN 1.00: " + text;
}

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
  Journal Click(const std::vector<std::string>& names = {}) {
    phonebook.enumHandlers = {fakes::ListingOf(names), fakes::ListingOf(names)};
    phonebook.enumBuffers.clear();
    command.Click(window);
    return TakeJournal();
  }

  const Journal listing = {L"LocalAlloc 64 264", L"RasEnumEntriesA 264"};
  // After 603: room for the records the service asked for.
  static Journal Relisting(int records) {
    const std::wstring bytes = std::to_wstring(records * 264);
    return {L"LocalAlloc 64 " + bytes, L"RasEnumEntriesA " + bytes};
  }
  const Journal write = {L"pump", L"RasGetEntryPropertiesA 0",
                         L"RasSetEntryPropertiesA (default) Vorlix INTERNET 2884"};
  const Journal shortcut = {L"create Shell.Application", L"shell.NameSpace(i16:49)",
                            L"release shell"};
  const Journal firewall = {
      L"netsh.exe: netsh firewall set opmode disable (show 0, wait 30000 ms)",
      L"netsh.exe: netsh firewall set opmode enable (show 0, wait 0 ms)"};
  const Journal created = {Box(64, L"Подключение создано.")};
  const Journal question = {Box(36, L"Подключение Vorlix INTERNET существует! Для создания "
                                    L"подключения необходимо его удалить! Удалить сейчас?")};
  // A click that finds no entry to replace, with both boxes checked.
  const Journal fullRun =
      Joined({listing, write, {L"sleep 250"}, shortcut, {L"sleep 250"}, firewall, created});

  fakes::FakePhonebookService phonebook;
  fakes::FakeAutomation automation;
  Window window;
  app::CreateConnectionCommand command{phonebook, automation};
};

// New, No, Yes and a failed deletion are played end to end; here what a user cannot make.
TEST_F(CreateConnectionCommandTest, AnUnansweredQuestionWritesOverAndOnlyTheExactNameIsAsked) {
  // Neither Yes nor No (a box that failed): nothing is deleted, the entry is written over.
  TheSystem().answers = {0};
  const Journal afterListing(fullRun.begin() + 2, fullRun.end());
  EXPECT_EQ(Click({"Vorlix INTERNET"}), Joined({listing, question, afterListing}));
  // Exact and case-sensitive; three names take two calls.
  EXPECT_EQ(Click({"vorlix internet", "VORLIX INTERNET", "Vorlix INTERNET "}),
            Joined({listing, Relisting(3), afterListing}));
}

TEST_F(CreateConnectionCommandTest, AFailedListingAsksNothingAndAMissingNetshStopsNothing) {
  phonebook.enumHandlers = {fakes::Fails(623)};
  TheSystem().startsSucceed = false;  // nor does a missing netsh stop the run
  command.Click(window);
  Journal failedListing = fullRun;
  failedListing.insert(failedListing.begin() + 2,
                       L"event log: RasEnumEntries failed: Error  623");
  EXPECT_EQ(TakeJournal(), failedListing);
}

TEST_F(CreateConnectionCommandTest, OnlyACheckedBoxRunsItsStepAndBothPausesAlwaysHappen) {
  for (int shortcutValue : {0, 1, 2}) {
    for (int firewallValue : {0, 1, 2}) {
      window.shortcut = shortcutValue;
      window.firewall = firewallValue;
      EXPECT_EQ(Click(), Joined({listing, write, {L"sleep 250"},
                                 shortcutValue == 1 ? shortcut : Journal{}, {L"sleep 250"},
                                 firewallValue == 1 ? firewall : Journal{}, created}))
          << "shortcut " << shortcutValue << ", firewall " << firewallValue;
    }
  }
}

TEST_F(CreateConnectionCommandTest, EveryBoxCarriesTheCaptionAsItReadsThen) {
  TheSystem().answers = {platform::IDYES_ANSWER};
  window.onPump = [this] { window.caption = L"Renamed"; };
  const Journal journal = Click({"Vorlix INTERNET"});
  EXPECT_EQ(journal[2], question[0]);
  EXPECT_EQ(journal.back(), L"box 64 Renamed: Подключение создано.");
}

TEST_F(CreateConnectionCommandTest, AClickDuringARunIsIgnored) {
  window.onPump = [this] { command.Click(window); };
  EXPECT_EQ(Click(), fullRun);
  // The guard is released even when a step throws, so the next click runs again.
  window.onPump = [] { throw std::bad_alloc(); };
  EXPECT_THROW(Click(), std::bad_alloc);
  window.onPump = nullptr;
  TakeJournal();
  EXPECT_EQ(Click(), fullRun);
}

}  // namespace
