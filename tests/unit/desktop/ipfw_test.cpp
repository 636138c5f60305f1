#include "desktop/ipfw.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/fakes/recording_launcher.h"

namespace {

using fakes::RecordingLauncher;

TEST(ResetFirewall, DisablesThenEnablesHiddenWaitingForTheFirst) {
  RecordingLauncher launcher;
  IpFw::ResetFirewall(launcher);
  ASSERT_EQ(launcher.starts.size(), 2u);
  EXPECT_EQ(launcher.starts[0].commandLine, L"netsh firewall set opmode disable");
  EXPECT_EQ(launcher.starts[1].commandLine, L"netsh firewall set opmode enable");
  for (const auto& start : launcher.starts) {
    EXPECT_EQ(start.systemProgram, L"netsh.exe");
    EXPECT_EQ(start.windowState, 0);
  }
  EXPECT_EQ(launcher.starts[0].waitAtMost, std::chrono::seconds(30));
  EXPECT_EQ(launcher.starts[1].waitAtMost, std::chrono::milliseconds(0));
}

TEST(ResetFirewall, MissingNetshStillTriesBothAndReturns) {
  RecordingLauncher launcher;
  launcher.succeed = false;
  IpFw::ResetFirewall(launcher);
  EXPECT_EQ(launcher.starts.size(), 2u);
}

}  // namespace
