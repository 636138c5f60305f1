#include "app/create_connection_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>

#include "app/settings.h"
#include "tests/fakes/fake_message_boxes.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A click that finds no entry to replace, with both boxes checked.
const std::vector<std::wstring> kFullRun = {L"enumerate", L"pump", L"create entry", L"sleep 250",
                                            L"create shortcut", L"sleep 250", L"reset firewall"};

// Records every step in one journal, in the order the command takes them.
class RecordingSteps final : public app::ConnectionSteps {
 public:
  std::int16_t EnumerateEntries(std::vector<std::wstring>& list) override {
    journal.push_back(L"enumerate");
    list = phonebook;
    list.insert(list.begin(), slotZero);
    return enumerationFails ? 0 : static_cast<std::int16_t>(phonebook.size());
  }
  platform::ResultCode DeleteEntry(const std::wstring& name) override {
    journal.push_back(L"delete entry " + name);
    return deleteResult;
  }
  void DeleteConnectionShortcut(const std::wstring& name) override {
    journal.push_back(L"delete shortcut " + name);
  }
  bool CreateVpnEntry() override {
    journal.push_back(L"create entry");
    if (onCreate) onCreate();
    return entryWritten;
  }
  void CreateConnectionShortcut() override { journal.push_back(L"create shortcut"); }
  void ResetFirewall() override { journal.push_back(L"reset firewall"); }
  void Sleep(std::uint32_t milliseconds) override {
    journal.push_back(L"sleep " + std::to_wstring(milliseconds));
  }

  std::vector<std::wstring> phonebook;
  std::wstring slotZero;
  bool enumerationFails = false;
  platform::ResultCode deleteResult = 0;
  bool entryWritten = true;
  std::function<void()> onCreate;
  std::vector<std::wstring> journal;
};

class FakeWindow final : public app::CommandWindow {
 public:
  std::wstring Caption() const override { return caption; }
  int ShortcutValue() const override { return shortcut; }
  int FirewallValue() const override { return firewall; }
  void ProcessPendingMessages() override {
    journal->push_back(L"pump");
    if (onPump) onPump();
  }

  std::wstring caption = L"Dialwright VPN 1.00";
  int shortcut = 1;
  int firewall = 1;
  std::vector<std::wstring>* journal = nullptr;
  std::function<void()> onPump;
};

class CreateConnectionCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    basMain::FillSettings();
    window.journal = &steps.journal;
  }

  std::wstring Question() const { return app::EntryExistsQuestion(basMain::EntryName); }

  RecordingSteps steps;
  FakeWindow window;
  fakes::FakeMessageBoxes boxes;
  app::CreateConnectionCommand command{steps, boxes};
};

TEST_F(CreateConnectionCommandTest, NewEntryRunsEveryStepInOrderAndConfirms) {
  steps.phonebook = {L"Other"};
  command.Click(window);
  EXPECT_EQ(steps.journal, kFullRun);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Подключение создано.");
  EXPECT_EQ(boxes.shown[0].style, 64u);
  EXPECT_EQ(boxes.shown[0].title, L"Dialwright VPN 1.00");
}

TEST_F(CreateConnectionCommandTest, QuestionTextNamesTheEntryExactly) {
  EXPECT_EQ(app::EntryExistsQuestion(L"Vorlix INTERNET"),
            L"Подключение Vorlix INTERNET существует! Для создания подключения необходимо его "
            L"удалить! Удалить сейчас?");
}

TEST_F(CreateConnectionCommandTest, ExistingEntryAndNoChangesNothing) {
  steps.phonebook = {L"Other", basMain::EntryName};
  boxes.answers = {platform::IDNO_ANSWER};
  command.Click(window);
  EXPECT_THAT(steps.journal, ElementsAre(L"enumerate"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, Question());
  EXPECT_EQ(boxes.shown[0].style, 36u);
  EXPECT_EQ(boxes.shown[0].title, window.caption);
}

TEST_F(CreateConnectionCommandTest, YesDeletesTheEntryThenItsShortcutAndRewrites) {
  steps.phonebook = {basMain::EntryName};
  boxes.answers = {platform::IDYES_ANSWER};
  command.Click(window);
  EXPECT_THAT(steps.journal,
              ElementsAre(L"enumerate", L"delete entry " + basMain::EntryName,
                          L"delete shortcut " + basMain::EntryName, L"pump", L"create entry",
                          L"sleep 250", L"create shortcut", L"sleep 250", L"reset firewall"));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, L"Подключение создано.");
}

TEST_F(CreateConnectionCommandTest, FailedDeletionKeepsTheShortcutAndEnds) {
  steps.phonebook = {basMain::EntryName};
  steps.deleteResult = 623;
  boxes.answers = {platform::IDYES_ANSWER};
  command.Click(window);
  EXPECT_THAT(steps.journal, ElementsAre(L"enumerate", L"delete entry " + basMain::EntryName));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, L"Ошибка удаления подключения!");
  EXPECT_EQ(boxes.shown[1].style, 16u);
  EXPECT_EQ(boxes.shown[1].title, window.caption);
}

TEST_F(CreateConnectionCommandTest, AnAnswerOtherThanYesOrNoGoesOnWithoutDeleting) {
  steps.phonebook = {basMain::EntryName};
  boxes.answers = {2};
  command.Click(window);
  EXPECT_EQ(steps.journal, kFullRun);
}

TEST_F(CreateConnectionCommandTest, RefusedWriteRunsTheOptionsButDoesNotConfirm) {
  steps.entryWritten = false;
  command.Click(window);
  EXPECT_EQ(steps.journal, kFullRun);
  EXPECT_THAT(boxes.shown, IsEmpty());
}

TEST_F(CreateConnectionCommandTest, OnlyACheckedBoxRunsItsStepAndBothPausesAlwaysHappen) {
  for (int shortcut : {0, 1, 2}) {
    for (int firewall : {0, 1, 2}) {
      steps.journal.clear();
      window.shortcut = shortcut;
      window.firewall = firewall;
      command.Click(window);
      std::vector<std::wstring> expected = kFullRun;
      if (firewall != 1) expected.pop_back();
      if (shortcut != 1) expected.erase(expected.begin() + 4);
      EXPECT_EQ(steps.journal, expected) << "shortcut " << shortcut << ", firewall " << firewall;
    }
  }
}

TEST_F(CreateConnectionCommandTest, EntryLookupIsExactAndSkipsSlotZero) {
  steps.phonebook = {L"vorlix internet", L"VORLIX INTERNET", basMain::EntryName + L" "};
  steps.slotZero = basMain::EntryName;
  command.Click(window);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Подключение создано.");

  steps.phonebook.push_back(basMain::EntryName);
  EXPECT_TRUE(app::EntryExists(steps, basMain::EntryName));
}

TEST_F(CreateConnectionCommandTest, FailedEnumerationAsksNothing) {
  steps.phonebook = {basMain::EntryName};
  steps.enumerationFails = true;
  command.Click(window);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Подключение создано.");
}

TEST_F(CreateConnectionCommandTest, EveryBoxCarriesTheCaptionAsItReadsThen) {
  steps.phonebook = {basMain::EntryName};
  boxes.answers = {platform::IDYES_ANSWER};
  window.onPump = [this] { window.caption = L"Renamed"; };
  command.Click(window);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].title, L"Dialwright VPN 1.00");
  EXPECT_EQ(boxes.shown[1].title, L"Renamed");
}

TEST_F(CreateConnectionCommandTest, AClickDuringARunIsIgnored) {
  window.onPump = [this] { command.Click(window); };
  command.Click(window);
  EXPECT_EQ(std::count(steps.journal.begin(), steps.journal.end(), L"create entry"), 1);
  EXPECT_EQ(boxes.shown.size(), 1u);

  // The guard is released even when a step throws, so the next click runs again.
  window.onPump = nullptr;
  steps.onCreate = [] { throw std::bad_alloc(); };
  EXPECT_THROW(command.Click(window), std::bad_alloc);
  steps.onCreate = nullptr;
  steps.journal.clear();
  command.Click(window);
  EXPECT_EQ(std::count(steps.journal.begin(), steps.journal.end(), L"create entry"), 1);
}

}  // namespace
