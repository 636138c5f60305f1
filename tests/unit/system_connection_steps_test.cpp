#include "app/system_connection_steps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "tests/fakes/fake_automation.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/recorded_processes.h"
#include "tests/fakes/cp1251_code_page.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/recorded_sleeps.h"
#include "tests/fakes/fake_services.h"

namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;

// The command's steps as the program binds them: each reaches its own subsystem, once.
TEST(SystemConnectionSteps, EachStepReachesItsSubsystem) {
  basMain::FillSettings();
  fakes::FakeServices phonebook;
  fakes::FakeAutomation automation;
  fakes::FakeMessageBoxes boxes;
  fakes::Cp1251CodePage codePage;
  fakes::FakeFileSystem files;
  const Wsh::Services desktop{automation, boxes, codePage, files};
  const modRASVPN::Services services = phonebook.Get();
  app::SystemConnectionSteps steps({services, desktop, boxes});

  std::vector<std::wstring> list;
  steps.EnumerateEntries(list);
  EXPECT_THAT(phonebook.service.enumCalls, SizeIs(1));
  phonebook.service.deleteResult = 623;
  EXPECT_EQ(steps.DeleteEntry(L"Vorlix INTERNET"), 623u);
  EXPECT_THAT(phonebook.service.deleted, ElementsAre("Vorlix INTERNET"));
  EXPECT_TRUE(steps.CreateVpnEntry());
  ASSERT_THAT(phonebook.service.setCalls, SizeIs(1));
  EXPECT_EQ(phonebook.service.setCalls[0].entryName, "Vorlix INTERNET");

  steps.DeleteConnectionShortcut(L"Vorlix INTERNET");
  EXPECT_THAT(files.deleted, SizeIs(1));
  steps.CreateConnectionShortcut();
  EXPECT_TRUE(automation.log.Contains(L"create Shell.Application"));
  fakes::recordedStarts.clear();
  steps.ResetFirewall();
  EXPECT_THAT(fakes::recordedStarts, SizeIs(2));
  fakes::recordedSleeps.clear();
  steps.Sleep(250);
  EXPECT_THAT(fakes::recordedSleeps, ElementsAre(250u));
}

}  // namespace
