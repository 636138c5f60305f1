#include "app/create_connection_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "app/settings.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

using fakes::TheSystem;
using Journal = std::vector<std::wstring>;

// The shell's objects as the command meets them on a system without a connections folder or
// a desktop directory: created (and journalled), then answering nothing.
class SilentAutomation final : public platform::Automation {
  struct Nothing final : platform::AutomationObject {
    platform::AutomationResult Get(const std::wstring&,
                                   const platform::AutomationArguments&) override {
      return {};
    }
    void Call(const std::wstring&, const platform::AutomationArguments&) override {}
  };

 public:
  std::unique_ptr<platform::AutomationObject> Create(const std::wstring& progId) override {
    TheSystem().journal.push_back(L"create " + progId);
    if (onCreate) onCreate();
    return std::make_unique<Nothing>();
  }
  std::function<void()> onCreate;
};

class Window final : public app::CommandWindow {
 public:
  std::wstring Caption() const override { return caption; }
  int ShortcutValue() const override { return shortcut; }
  int FirewallValue() const override { return firewall; }
  void ProcessPendingMessages() override {
    TheSystem().journal.push_back(L"pump");
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

// The command over the real phonebook and desktop layers, with the fake service, automation
// and system below them; everything they do lands in one journal.
class CreateConnectionCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { basMain::FillSettings(); }

  // One click with the phonebook listing these names (in two calls when they need them).
  Journal Click(const std::vector<std::string>& names = {}) {
    phonebook.enumHandlers = {fakes::ListingOf(names), fakes::ListingOf(names)};
    phonebook.enumCalls.clear();
    command.Click(window);
    return std::exchange(TheSystem().journal, {});
  }

  const std::wstring entry = L"Vorlix INTERNET";
  const std::wstring question = L"Подключение Vorlix INTERNET существует! Для создания подключения "
                                L"необходимо его удалить! Удалить сейчас?";
  // A click that finds no entry to replace, with both boxes checked.
  const Journal fullRun = {L"RasEnumEntriesA",
                           L"pump",
                           L"RasSetEntryPropertiesA Vorlix INTERNET",
                           L"sleep 250",
                           L"create Shell.Application",
                           L"sleep 250",
                           L"netsh firewall set opmode disable",
                           L"netsh firewall set opmode enable",
                           Box(64, L"Подключение создано.")};
  // The same after the question was answered Yes and the entry deleted.
  const Journal replaced = [this] {
    Journal j = {L"RasEnumEntriesA", Box(36, question), L"RasDeleteEntryA Vorlix INTERNET",
                 L"create WScript.Shell"};
    j.insert(j.end(), fullRun.begin() + 1, fullRun.end());
    return j;
  }();
  fakes::FakePhonebookService phonebook;
  SilentAutomation automation;
  Window window;
  app::CreateConnectionCommand command{phonebook, automation};
};

TEST_F(CreateConnectionCommandTest, EachAnswerAndResultTakesItsSteps) {
  EXPECT_EQ(Click({"Other"}), fullRun) << "a new entry";
  TheSystem().answers = {platform::IDNO_ANSWER};
  EXPECT_EQ(Click({"Other", "Vorlix INTERNET"}),
            (Journal{L"RasEnumEntriesA", L"RasEnumEntriesA", Box(36, question)}))
      << "existing, No";
  TheSystem().answers = {platform::IDYES_ANSWER};
  EXPECT_EQ(Click({"Vorlix INTERNET"}), replaced) << "existing, Yes";
  // Neither Yes nor No: nothing is deleted, the entry is written over.
  TheSystem().answers = {2};
  Journal other = fullRun;
  other.insert(other.begin() + 1, Box(36, question));
  EXPECT_EQ(Click({"Vorlix INTERNET"}), other);
  // Exact and case-sensitive; three names take two calls.
  Journal twoCalls = fullRun;
  twoCalls.insert(twoCalls.begin(), L"RasEnumEntriesA");
  EXPECT_EQ(Click({"vorlix internet", "VORLIX INTERNET", "Vorlix INTERNET "}), twoCalls);
  // The entry goes first: if the service keeps it, the user keeps its shortcut too.
  phonebook.deleteResult = 623;
  EXPECT_EQ(Click({"Vorlix INTERNET"}),
            (Journal{L"RasEnumEntriesA", Box(36, question), L"RasDeleteEntryA Vorlix INTERNET",
                     Box(16, L"Ошибка удаления подключения!")}));
}

TEST_F(CreateConnectionCommandTest, AFailedListingAsksNothingAndARefusedWriteIsNotConfirmed) {
  phonebook.enumHandlers = {fakes::Fails(623)};
  command.Click(window);
  EXPECT_EQ(std::exchange(TheSystem().journal, {}), fullRun);
  // The service's reason is shown instead; confirming would report a failure as success.
  phonebook.setResult = 632;
  phonebook.errorStringText = std::string("refused\0", 8);
  Journal refused = fullRun;
  refused.back() = L"box 0 Dialwright: refused";
  refused.insert(refused.begin() + 3, refused.back());
  refused.pop_back();
  EXPECT_EQ(Click(), refused);
}

TEST_F(CreateConnectionCommandTest, OnlyACheckedBoxRunsItsStepAndBothPausesAlwaysHappen) {
  for (int shortcut : {0, 1, 2}) {
    for (int firewall : {0, 1, 2}) {
      window.shortcut = shortcut;
      window.firewall = firewall;
      Journal expected = fullRun;
      if (firewall != 1) expected.erase(expected.begin() + 6, expected.begin() + 8);
      if (shortcut != 1) expected.erase(expected.begin() + 4);
      EXPECT_EQ(Click(), expected) << "shortcut " << shortcut << ", firewall " << firewall;
    }
  }
}

TEST_F(CreateConnectionCommandTest, EveryBoxCarriesTheCaptionAsItReadsThen) {
  TheSystem().answers = {platform::IDYES_ANSWER};
  window.onPump = [this] { window.caption = L"Renamed"; };
  const Journal journal = Click({"Vorlix INTERNET"});
  EXPECT_EQ(journal[1], Box(36, question));
  EXPECT_EQ(journal.back(), L"box 64 Renamed: Подключение создано.");
}

TEST_F(CreateConnectionCommandTest, AClickDuringARunIsIgnored) {
  window.onPump = [this] { command.Click(window); };
  EXPECT_EQ(Click(), fullRun);
  // The guard is released even when a step throws, so the next click runs again.
  window.onPump = nullptr;
  automation.onCreate = [] { throw std::bad_alloc(); };
  EXPECT_THROW(Click(), std::bad_alloc);
  automation.onCreate = nullptr;
  TheSystem().journal.clear();
  EXPECT_EQ(Click(), fullRun);
}

}  // namespace
