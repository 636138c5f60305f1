#include "app/create_connection_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <new>

#include "app/settings.h"

namespace {

using Journal = std::vector<std::wstring>;

// Records every step, every box and every pump of the window in one journal, in the order the
// command takes them; answers the boxes from a script (then OK).
class Recorder final : public app::ConnectionSteps,
                       public platform::MessageBoxes,
                       public app::CommandWindow {
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
  int Show(const std::wstring& text, std::uint32_t style, const std::wstring& title) override {
    journal.push_back(L"box " + std::to_wstring(style) + L" " + title + L": " + text);
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::wstring Caption() const override { return caption; }
  int ShortcutValue() const override { return shortcut; }
  int FirewallValue() const override { return firewall; }
  void ProcessPendingMessages() override {
    journal.push_back(L"pump");
    if (onPump) onPump();
  }

  std::vector<std::wstring> phonebook;
  std::wstring slotZero;
  bool enumerationFails = false;
  platform::ResultCode deleteResult = 0;
  bool entryWritten = true;
  std::deque<int> answers;
  std::wstring caption = L"Dialwright VPN 1.00";
  int shortcut = 1;
  int firewall = 1;
  std::function<void()> onCreate, onPump;
  Journal journal;
};

std::wstring Box(std::uint32_t style, const std::wstring& text) {
  return L"box " + std::to_wstring(style) + L" Dialwright VPN 1.00: " + text;
}

class CreateConnectionCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { basMain::FillSettings(); }

  Journal Click() {
    command.Click(recorder);
    return std::exchange(recorder.journal, {});
  }

  const std::wstring entry = L"Vorlix INTERNET";
  const std::wstring question = L"Подключение Vorlix INTERNET существует! Для создания подключения "
                                L"необходимо его удалить! Удалить сейчас?";
  const std::wstring created = Box(64, L"Подключение создано.");
  // A click that finds no entry to replace, with both boxes checked.
  const Journal fullRun = {L"enumerate",       L"pump",      L"create entry",   L"sleep 250",
                           L"create shortcut", L"sleep 250", L"reset firewall", created};
  Recorder recorder;
  app::CreateConnectionCommand command{recorder, recorder};
};

TEST_F(CreateConnectionCommandTest, EachAnswerAndResultTakesItsSteps) {
  Journal refused = fullRun;
  refused.pop_back();
  Journal replaced = {L"enumerate", Box(36, question), L"delete entry " + entry,
                      L"delete shortcut " + entry};
  replaced.insert(replaced.end(), fullRun.begin() + 1, fullRun.end());
  const struct {
    const char* situation;
    std::vector<std::wstring> phonebook;
    std::deque<int> answers;
    platform::ResultCode deleteResult;
    bool written;
    Journal expected;
  } rows[] = {
      {"new entry", {L"Other"}, {}, 0, true, fullRun},
      {"existing, No", {L"Other", entry}, {platform::IDNO_ANSWER}, 0, true,
       {L"enumerate", Box(36, question)}},
      {"existing, Yes", {entry}, {platform::IDYES_ANSWER}, 0, true, replaced},
      // The entry goes first: if the service keeps it, the user keeps its shortcut too.
      {"failed deletion", {entry}, {platform::IDYES_ANSWER}, 623, true,
       {L"enumerate", Box(36, question), L"delete entry " + entry,
        Box(16, L"Ошибка удаления подключения!")}},
      {"neither Yes nor No", {entry}, {2}, 0, true,
       [&] { Journal j = fullRun; j.insert(j.begin() + 1, Box(36, question)); return j; }()},
      // A refused write has shown the service's reason already: no confirmation.
      {"refused write", {}, {}, 0, false, refused},
      // Exact, case-sensitive, and never slot 0.
      {"names alike", {L"vorlix internet", L"VORLIX INTERNET", entry + L" "}, {}, 0, true,
       fullRun},
  };
  for (const auto& row : rows) {
    recorder.phonebook = row.phonebook;
    recorder.answers = row.answers;
    recorder.deleteResult = row.deleteResult;
    recorder.entryWritten = row.written;
    recorder.slotZero = entry;
    EXPECT_EQ(Click(), row.expected) << row.situation;
  }
  recorder.phonebook = {entry};
  recorder.enumerationFails = true;
  EXPECT_EQ(Click(), fullRun) << "a failed listing asks nothing";
  EXPECT_EQ(app::EntryExistsQuestion(L"X Y"), L"Подключение X Y существует! Для создания "
                                                L"подключения необходимо его удалить! Удалить сейчас?");
}

TEST_F(CreateConnectionCommandTest, OnlyACheckedBoxRunsItsStepAndBothPausesAlwaysHappen) {
  for (int shortcut : {0, 1, 2}) {
    for (int firewall : {0, 1, 2}) {
      recorder.shortcut = shortcut;
      recorder.firewall = firewall;
      Journal expected = fullRun;
      if (firewall != 1) expected.erase(expected.begin() + 6);
      if (shortcut != 1) expected.erase(expected.begin() + 4);
      EXPECT_EQ(Click(), expected) << "shortcut " << shortcut << ", firewall " << firewall;
    }
  }
}

TEST_F(CreateConnectionCommandTest, EveryBoxCarriesTheCaptionAsItReadsThen) {
  recorder.phonebook = {entry};
  recorder.answers = {platform::IDYES_ANSWER};
  recorder.onPump = [this] { recorder.caption = L"Renamed"; };
  const Journal journal = Click();
  EXPECT_EQ(journal[1], Box(36, question));
  EXPECT_EQ(journal.back(), L"box 64 Renamed: Подключение создано.");
}

TEST_F(CreateConnectionCommandTest, AClickDuringARunIsIgnored) {
  recorder.onPump = [this] { command.Click(recorder); };
  EXPECT_EQ(Click(), fullRun);

  // The guard is released even when a step throws, so the next click runs again.
  recorder.onPump = nullptr;
  recorder.onCreate = [] { throw std::bad_alloc(); };
  EXPECT_THROW(command.Click(recorder), std::bad_alloc);
  recorder.onCreate = nullptr;
  recorder.journal.clear();
  EXPECT_EQ(Click(), fullRun);
}

}  // namespace
