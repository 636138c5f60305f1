#include "desktop/wsh.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "tests/fakes/fake_automation.h"

namespace {

using fakes::LinesStartingWith;
using fakes::TakeJournal;
using Journal = std::vector<std::wstring>;

class WshTest : public ::testing::Test {
 protected:
  void SetUp() override { basMain::ProviderName = L"Vorlix"; }
  void TearDown() override { basMain::FillSettings(); }

  // What one run journalled, and that it released every object.
  Journal Create() {
    Wsh::CreateConnectionShortcut(automation);
    EXPECT_EQ(automation.live, 0);
    return TakeJournal();
  }

  fakes::FakeAutomation automation;
};

TEST_F(WshTest, CopiesEveryExactMatchWithTheDesktopAskedAfresh) {
  const struct {
    std::wstring provider;
    std::vector<std::wstring> names;
    Journal copies;
  } rows[] = {
      {L"Vorlix", {L"Local Area Connection", L"Vorlix INTERNET", L"Other"},
       {L"desktop.CopyHere(&item1)"}},
      // Exactly and case-sensitively; no match asks for no desktop.
      {L"Vorlix", {L"vorlix internet", L"Vorlix Internet", L"Vorlix INTERNET ", L" Vorlix INTERNET",
                   L"VorlixINTERNET", L"Vorlix"}, {}},
      {L"Vorlix", {L"Vorlix INTERNET", L"x", L"Vorlix INTERNET"},
       {L"desktop.CopyHere(&item0)", L"desktop.CopyHere(&item2)"}},
      // The provider's name as it is now.
      {L"Сеть-Плюс", {L"Vorlix INTERNET", L"Сеть-Плюс INTERNET"}, {L"desktop.CopyHere(&item1)"}},
  };
  for (const auto& row : rows) {
    basMain::ProviderName = row.provider;
    automation.connectionNames = row.names;
    const Journal journal = Create();
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
