// ResetFirewall and the process launcher against Wine, with the recording netsh stand-in
// (netsh_standin/) put in the prefix's system directory for the test's duration.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "desktop/ipfw.h"
#include "platform/win32/system_library.h"
#include "platform/process_launcher.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

using support::ScopedEnvironment;
using support::ScratchFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FirewallReset : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(standIn.ok()) << "cannot place the stand-in";
  }

  // The stand-in (Wine loads it rather than its built-in netsh: the test's WINEDLLOVERRIDES) in place of the system's netsh.exe.
  support::ScopedFileReplacement standIn{support::SystemFolder() / L"netsh.exe",
                                         support::NetshStandinFile()};
  ScratchFile record{support::TemporaryFolder() / L"dialwright-netsh-record.txt"};
  ScratchFile startup{support::TemporaryFolder() / L"dialwright-netsh-startup.txt"};
  ScopedEnvironment recordSwitch{L"DIALWRIGHT_NETSH_RECORD", record.path()};
  ScopedEnvironment startupSwitch{L"DIALWRIGHT_NETSH_STARTUP", startup.path()};
};

TEST_F(FirewallReset, RunsTheSystemNetshTwiceInOrderHidden) {
  // The first command takes 1.5 s: unless the second waits for it, it is recorded first.
  const ScopedEnvironment slow(L"DIALWRIGHT_NETSH_SLOW", L"disable");
  const auto start = std::chrono::steady_clock::now();
  IpFw::ResetFirewall();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1400));

  EXPECT_THAT(support::WaitForLines(record.path(), 2, std::chrono::seconds(20)),
              ElementsAre(L"netsh firewall set opmode disable",
                          L"netsh firewall set opmode enable"));
  // STARTF_USESHOWWINDOW (1) with SW_HIDE (0), both times.
  EXPECT_THAT(support::WaitForLines(startup.path(), 2, std::chrono::seconds(20)),
              ElementsAre(L"show=0 flags=1", L"show=0 flags=1"));
}

TEST_F(FirewallReset, ProgramThatCannotBeFoundFailsQuietly) {
  EXPECT_FALSE(platform::StartProcess({L"dialwright-no-such-tool.exe", L"dialwright-no-such-tool",
                                       platform::SW_HIDE_STATE, std::chrono::milliseconds(1000)}));
  EXPECT_FALSE(platform::StartProcess({L"", L"netsh firewall set opmode enable",
                                       platform::SW_HIDE_STATE, std::chrono::milliseconds(0)}));
  EXPECT_THAT(support::WideLines(record.path()), IsEmpty());
}

}  // namespace
