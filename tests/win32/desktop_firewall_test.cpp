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

// Wine runs its built-in netsh for system32\netsh.exe unless told to load the file there.
// Its per-user override in the registry is read by every process started from now on.
class NativeNetshOverride {
 public:
  NativeNetshOverride() {
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                          nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    wchar_t value[64];
    DWORD size = sizeof value;
    DWORD type = 0;
    if (::RegQueryValueExW(key_, kName, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS && type == REG_SZ)
      old_ = std::wstring(value, size / sizeof(wchar_t)).c_str();
    static const wchar_t native[] = L"native";
    set_ = ::RegSetValueExW(key_, kName, 0, REG_SZ, reinterpret_cast<const BYTE*>(native),
                            sizeof native) == ERROR_SUCCESS;
  }
  ~NativeNetshOverride() {
    if (key_ == nullptr) return;
    if (old_)
      ::RegSetValueExW(key_, kName, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_->c_str()),
                       static_cast<DWORD>((old_->size() + 1) * sizeof(wchar_t)));
    else
      ::RegDeleteValueW(key_, kName);
    ::RegCloseKey(key_);
  }
  NativeNetshOverride(const NativeNetshOverride&) = delete;
  NativeNetshOverride& operator=(const NativeNetshOverride&) = delete;

  bool set() const { return set_; }

 private:
  static constexpr const wchar_t* kName = L"netsh.exe";
  HKEY key_ = nullptr;
  std::optional<std::wstring> old_;
  bool set_ = false;
};

class FirewallReset : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(nativeNetsh.set());
    ASSERT_TRUE(standIn.ok()) << "cannot place the stand-in";
  }

  NativeNetshOverride nativeNetsh;
  // The stand-in in place of the system's netsh.exe.
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
