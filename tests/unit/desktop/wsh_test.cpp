#include "desktop/wsh.h"

#include <gtest/gtest.h>

#include "desktop/automation_results.h"
#include "tests/fakes/fake_automation.h"

namespace {

using fakes::LinesStartingWith;
using fakes::TakeJournal;
using Journal = std::vector<std::wstring>;

class WshTest : public ::testing::Test {
 protected:
  // What one run journalled, and that it released every object.
  Journal Create(const std::wstring& connection, Wsh::ShortcutSteps& steps) {
    steps = Wsh::CreateConnectionShortcut(automation, connection);
    EXPECT_EQ(automation.live, 0);
    return TakeJournal();
  }

  fakes::FakeAutomation automation;
};

// Each match copied, the desktop asked for afresh at each; what the steps met, told.
TEST_F(WshTest, CopiesEveryExactMatchWithTheDesktopAskedAfresh) {
  const struct {
    std::wstring connection;
    std::vector<std::wstring> names;
    Journal copies;
  } rows[] = {
      {L"Vorlix INTERNET", {L"Local Area Connection", L"Vorlix INTERNET", L"Other"},
       {L"desktop.CopyHere(&item1)"}},
      // Exactly and case-sensitively; no match asks for no desktop.
      {L"Vorlix INTERNET", {L"vorlix internet", L"Vorlix Internet", L"Vorlix INTERNET ", L" Vorlix INTERNET",
                            L"VorlixINTERNET", L"Vorlix"}, {}},
      {L"Vorlix INTERNET", {L"Vorlix INTERNET", L"x", L"Vorlix INTERNET"},
       {L"desktop.CopyHere(&item0)", L"desktop.CopyHere(&item2)"}},
      {L"Сеть-Плюс INTERNET", {L"Vorlix INTERNET", L"Сеть-Плюс INTERNET"}, {L"desktop.CopyHere(&item1)"}},
      {L"Vorlix INTERNET", {}, {}},
  };
  for (const auto& row : rows) {
    automation.connectionNames = row.names;
    Wsh::ShortcutSteps steps;
    const Journal journal = Create(row.connection, steps);
    EXPECT_TRUE(steps.connectionsFolder);
    EXPECT_EQ(steps.items, static_cast<std::int32_t>(row.names.size()));
    EXPECT_EQ(steps.matches, static_cast<int>(row.copies.size()));
    EXPECT_EQ(steps.copied, steps.matches);
    EXPECT_FALSE(steps.failed);
    EXPECT_EQ(LinesStartingWith(journal, L"desktop.CopyHere"), row.copies);
    EXPECT_EQ(LinesStartingWith(journal, L"shell.NameSpace(i16:0)").size(), row.copies.size());
    EXPECT_EQ(LinesStartingWith(journal, L"box"), Journal{});
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal.end()[-2], L"release connections");
    EXPECT_EQ(journal.back(), L"release shell");
  }
}

// (Its silence when the script host or its answer fails: every failure in turn, tests/failures.)
TEST_F(WshTest, DeleteBuildsThePathInTheAnsiCodePageAndDeletesNothingWithoutADesktop) {
  Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
  EXPECT_EQ(LinesStartingWith(TakeJournal(), L"DeleteFileA"),
            Journal{L"DeleteFileA C:\\Users\\Анна\\Desktop\\Vorlix INTERNET.lnk"});
  automation.desktopPath.clear();
  Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
  EXPECT_EQ(LinesStartingWith(TakeJournal(), L"DeleteFileA"), Journal{});
  EXPECT_EQ(automation.live, 0);
}

// A script stops on a result of the wrong kind; so do the steps.
TEST(AutomationResults, AResultOfAnotherKindIsAnAutomationError) {
  using platform::AutomationResult;
  EXPECT_THROW(desktop::AsObject(AutomationResult(L"folder")), platform::AutomationError);
  EXPECT_THROW(desktop::AsInteger(AutomationResult(L"2")), platform::AutomationError);
}

}  // namespace
