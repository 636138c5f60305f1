#include "desktop/wsh.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/settings.h"
#include "desktop/automation_results.h"
#include "tests/fakes/fake_automation.h"
#include "tests/fakes/system.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WshTest : public ::testing::Test {
 protected:
  void SetUp() override { basMain::ProviderName = L"Vorlix"; }
  void TearDown() override { basMain::FillSettings(); }

  void Create() { Wsh::CreateConnectionShortcut(automation); }

  std::vector<std::wstring> Copies() const {
    std::vector<std::wstring> copies;
    for (const auto& event : automation.log.events)
      if (event.starts_with(L"desktop.CopyHere")) copies.push_back(event);
    return copies;
  }

  fakes::FakeAutomation automation;
  const std::vector<fakes::ShownBox>& boxes = fakes::TheSystem().boxes;
  const std::vector<std::string>& deletedFiles = fakes::TheSystem().deletedFiles;
};

TEST_F(WshTest, CopiesEveryExactMatchWithTheDesktopAskedAfreshAndReleasesInOrder) {
  const struct {
    std::wstring provider;
    std::vector<std::wstring> names;
    std::vector<std::wstring> copies;
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
    automation.log.events.clear();
    automation.connectionNames = row.names;
    Create();
    EXPECT_EQ(Copies(), row.copies);
    EXPECT_EQ(std::count(automation.log.events.begin(), automation.log.events.end(),
                         L"shell.NameSpace(i16:0)"),
              static_cast<std::ptrdiff_t>(row.copies.size()));
    EXPECT_EQ(automation.log.live, 0);
    const auto& events = automation.log.events;
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.back(), L"release shell");
    EXPECT_EQ(events.end()[-2], L"release connections");
  }
  EXPECT_THAT(boxes, IsEmpty());
}

class WshFailureTest : public WshTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(WshFailureTest, AnyFailingStepShowsOneMessageAndReleasesEverything) {
  automation.connectionNames = {L"Vorlix INTERNET", L"Vorlix INTERNET"};
  automation.log.failAt = GetParam();
  Create();
  ASSERT_TRUE(automation.log.Contains(GetParam()));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Ошибка создания ярлыка подключения!");
  EXPECT_EQ(boxes[0].style, 16u);
  EXPECT_EQ(boxes[0].title, L"Dialwright");
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
  Wsh::CreateConnectionShortcut(nothingItems);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(log.live, 0);
}

TEST_F(WshTest, DeleteBuildsTheAnsiPathExactly) {
  Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
  // "Анна" in Windows-1251; one backslash between the directory and the name.
  EXPECT_THAT(deletedFiles,
              ElementsAre(std::string("C:\\Users\\\xC0\xED\xED\xE0\\Desktop\\Vorlix INTERNET.lnk")));
  EXPECT_TRUE(automation.log.Contains(L"wsh.SpecialFolders(\"Desktop\")"));
  EXPECT_EQ(automation.log.live, 0);
  EXPECT_THAT(boxes, IsEmpty());
}

// Without a desktop directory, or when automation fails, nothing is deleted and nothing shown.
TEST_F(WshTest, DeleteIsSilentAndDeletesNothingWithoutADesktopDirectory) {
  automation.desktopPath = std::wstring();
  Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
  automation.desktopPath = {};
  Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
  for (const wchar_t* step : {L"create WScript.Shell", L"wsh.SpecialFolders(\"Desktop\")"}) {
    automation.desktopPath = std::wstring(L"C:\\Desktop");
    automation.log.failAt = step;
    Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
    EXPECT_TRUE(automation.log.Contains(step));
  }
  EXPECT_THAT(deletedFiles, IsEmpty());
  EXPECT_THAT(boxes, IsEmpty());
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
