#include "desktop/wsh.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "tests/fakes/fake_automation.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/cp1251_code_page.h"
#include "tests/fakes/fake_message_boxes.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WshTest : public ::testing::Test {
 protected:
  void SetUp() override { basMain::ProviderName = L"Vorlix"; }
  void TearDown() override { basMain::FillSettings(); }

  void Create() { Wsh::CreateConnectionShortcut(services); }

  std::vector<std::wstring> Copies() const {
    std::vector<std::wstring> copies;
    for (const auto& event : automation.log.events)
      if (event.starts_with(L"desktop.CopyHere")) copies.push_back(event);
    return copies;
  }

  fakes::FakeAutomation automation;
  fakes::FakeMessageBoxes boxes;
  fakes::Cp1251CodePage codePage;
  fakes::FakeFileSystem files;
  Wsh::Services services{automation, boxes, codePage, files};
};

TEST_F(WshTest, CopiesTheMatchingConnectionAndReleasesInOrder) {
  automation.connectionNames = {L"Local Area Connection", L"Vorlix INTERNET", L"Other"};
  Create();
  EXPECT_THAT(Copies(), ElementsAre(L"desktop.CopyHere(&item1)"));
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(automation.log.live, 0);
  const auto& events = automation.log.events;
  ASSERT_GE(events.size(), 3u);
  EXPECT_THAT(std::vector<std::wstring>(events.end() - 3, events.end()),
              ElementsAre(L"release desktop", L"release connections", L"release shell"));
}

TEST_F(WshTest, NameMustMatchExactlyAndCaseSensitively) {
  automation.connectionNames = {L"vorlix internet", L"Vorlix Internet", L"Vorlix INTERNET ",
                                L" Vorlix INTERNET", L"VorlixINTERNET", L"Vorlix"};
  Create();
  EXPECT_THAT(Copies(), IsEmpty());
  EXPECT_FALSE(automation.log.Contains(L"shell.NameSpace(i16:0)"));
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(automation.log.live, 0);
}

TEST_F(WshTest, EveryMatchIsCopiedWithTheDesktopAskedAfresh) {
  automation.connectionNames = {L"Vorlix INTERNET", L"x", L"Vorlix INTERNET"};
  Create();
  EXPECT_THAT(Copies(), ElementsAre(L"desktop.CopyHere(&item0)", L"desktop.CopyHere(&item2)"));
  int desktopRequests = 0;
  for (const auto& event : automation.log.events)
    desktopRequests += event == L"shell.NameSpace(i16:0)";
  EXPECT_EQ(desktopRequests, 2);
  EXPECT_EQ(automation.log.live, 0);
}

TEST_F(WshTest, ProviderNameIsReadAsItIsNow) {
  basMain::ProviderName = L"Сеть-Плюс";
  automation.connectionNames = {L"Vorlix INTERNET", L"Сеть-Плюс INTERNET"};
  Create();
  EXPECT_THAT(Copies(), ElementsAre(L"desktop.CopyHere(&item1)"));
}

class WshFailureTest : public WshTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(WshFailureTest, AnyFailingStepShowsOneMessageAndReleasesEverything) {
  automation.connectionNames = {L"Vorlix INTERNET", L"Vorlix INTERNET"};
  automation.log.failAt = GetParam();
  Create();
  ASSERT_TRUE(automation.log.Contains(GetParam()));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Ошибка создания ярлыка подключения!");
  EXPECT_EQ(boxes.shown[0].style, 16u);
  EXPECT_EQ(boxes.shown[0].title, L"Dialwright");
  EXPECT_EQ(automation.log.live, 0);
  // The run stops at the failure: the second match is not copied after it.
  EXPECT_FALSE(automation.log.Contains(L"desktop.CopyHere(&item1)"));
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, WshFailureTest,
    ::testing::Values(L"create Shell.Application", L"shell.NameSpace(i16:49)",
                      L"connections.Items()", L"items.Count()", L"items.Item(i32:0)",
                      L"item0.Name()", L"shell.NameSpace(i16:0)", L"desktop.CopyHere(&item0)"));

TEST_F(WshTest, ItemsAnsweringNothingIsAFailure) {
  // A connections folder whose Items answer nothing cannot be walked.
  fakes::AutomationLog log;
  struct NothingItems final : platform::Automation {
    fakes::AutomationLog& log;
    explicit NothingItems(fakes::AutomationLog& l) : log(l) {}
    std::unique_ptr<platform::AutomationObject> Create(const std::wstring&) override {
      return std::make_unique<fakes::FakeObject>(log, L"shell", [this](auto&, auto&) {
        return platform::AutomationResult(std::make_unique<fakes::FakeObject>(
            log, L"folder", [](auto&, auto&) { return platform::AutomationResult{}; }));
      });
    }
  } nothingItems(log);
  Wsh::Services odd{nothingItems, boxes, codePage, files};
  Wsh::CreateConnectionShortcut(odd);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(log.live, 0);
}

TEST_F(WshTest, DeleteBuildsTheAnsiPathExactly) {
  Wsh::DeleteConnectionShortcut(services, L"Vorlix INTERNET");
  // "Анна" in Windows-1251; one backslash between the directory and the name.
  EXPECT_THAT(files.deleted,
              ElementsAre(std::string("C:\\Users\\\xC0\xED\xED\xE0\\Desktop\\Vorlix INTERNET.lnk")));
  EXPECT_TRUE(automation.log.Contains(L"wsh.SpecialFolders(\"Desktop\")"));
  EXPECT_EQ(automation.log.live, 0);
  EXPECT_THAT(boxes.shown, IsEmpty());
}

TEST_F(WshTest, DeleteWithoutADesktopDirectoryDeletesNothing) {
  automation.desktopPath = std::wstring();
  Wsh::DeleteConnectionShortcut(services, L"Vorlix INTERNET");
  automation.desktopPath = {};
  Wsh::DeleteConnectionShortcut(services, L"Vorlix INTERNET");
  EXPECT_THAT(files.deleted, IsEmpty());
  EXPECT_THAT(boxes.shown, IsEmpty());
}

TEST_F(WshTest, DeleteIgnoresAutomationFailures) {
  for (const wchar_t* step : {L"create WScript.Shell", L"wsh.SpecialFolders(\"Desktop\")"}) {
    automation.log.failAt = step;
    Wsh::DeleteConnectionShortcut(services, L"Vorlix INTERNET");
    EXPECT_TRUE(automation.log.Contains(step));
  }
  EXPECT_THAT(files.deleted, IsEmpty());
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(automation.log.live, 0);
}

// A script stops on a result of the wrong kind; so do the steps.
TEST(AutomationResults, AResultOfAnotherKindIsAnAutomationError) {
  using platform::AutomationError;
  using platform::AutomationResult;
  EXPECT_THROW(desktop::AsObject(AutomationResult(std::wstring(L"folder"))), AutomationError);
  EXPECT_THROW(desktop::AsObject(AutomationResult(std::int32_t{49})), AutomationError);
  EXPECT_EQ(desktop::AsObject(AutomationResult{}), nullptr);
  EXPECT_THROW(desktop::AsRequiredObject(AutomationResult{}), AutomationError);
  EXPECT_THROW(desktop::AsInteger(AutomationResult(std::wstring(L"2"))), AutomationError);
  EXPECT_THROW(desktop::AsInteger(AutomationResult{}), AutomationError);
  EXPECT_EQ(desktop::AsInteger(AutomationResult(std::int16_t{-2})), -2);
  EXPECT_EQ(desktop::AsText(AutomationResult(std::int32_t{-42})), L"-42");
  EXPECT_EQ(desktop::AsText(AutomationResult{}), L"");
  fakes::AutomationLog log;
  EXPECT_THROW(desktop::AsText(AutomationResult(std::make_unique<fakes::FakeObject>(
                   log, L"object", [](auto&, auto&) { return AutomationResult{}; }))),
               AutomationError);
}

}  // namespace
