#include "desktop/ipfw.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/fakes/system.h"

namespace {

class ResetFirewall : public testing::Test {
 protected:
  const std::vector<platform::ProcessStart>& starts = fakes::TheSystem().starts;
};

TEST_F(ResetFirewall, DisablesThenEnablesHiddenWaitingForTheFirst) {
  IpFw::ResetFirewall();
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].commandLine, L"netsh firewall set opmode disable");
  EXPECT_EQ(starts[1].commandLine, L"netsh firewall set opmode enable");
  for (const auto& start : starts) {
    EXPECT_EQ(start.systemProgram, L"netsh.exe");
    EXPECT_EQ(start.windowState, 0);
  }
  EXPECT_EQ(starts[0].waitAtMost, std::chrono::seconds(30));
  EXPECT_EQ(starts[1].waitAtMost, std::chrono::milliseconds(0));
}

TEST_F(ResetFirewall, MissingNetshStillTriesBothAndReturns) {
  fakes::TheSystem().startsSucceed = false;
  IpFw::ResetFirewall();
  EXPECT_EQ(starts.size(), 2u);
}

}  // namespace
