// The ANSI code page, the automation's apartment and the desktop's shell against Wine's own.
// (The script host's objects show end to end, where the program deletes its shortcut.)
#include <gtest/gtest.h>

#include "platform/system.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/process_elevation.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/windows_automation.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

// A thread that has entered no COM apartment: the automation enters one itself.
DWORD WINAPI CreateAScriptHost(void*) {
  EXPECT_NO_THROW(platform::win32::WindowsAutomation().Create(L"WScript.Shell"));
  return 0;
}

// The ANSI code page there and back, down to a single character (the bytes of code page 1251
// show end to end, in the entry's name); the automation on a thread of its own.
TEST(WindowsServices, AnsiCodePageAndAutomationOnAThreadWithoutCom) {
  EXPECT_EQ(platform::FromAnsi(platform::ToAnsi(L"Ж")), L"Ж");
  const platform::win32::UniqueHandle thread(
      ::CreateThread(nullptr, 0, CreateAScriptHost, nullptr, 0, nullptr));
  EXPECT_EQ(::WaitForSingleObject(thread.get(), 30000), WAIT_OBJECT_0);
}

// Wine gives every process an administrator's full token, the desktop's explorer too: there
// the picture's click opens the site itself (the window suite follows it). The desktop's shell
// is found all the same, and, asked, explorer starts the handler of the address.
TEST(DesktopShell, ExplorerRunsElevatedButTakesTheVerbWhenAsked) {
  EXPECT_TRUE(platform::ProcessIsElevated());
  EXPECT_FALSE(platform::win32::IsElevated(nullptr) ||
               platform::win32::WindowProcessIsElevated(nullptr)) << "no token, no window";
  EXPECT_FALSE(platform::ShellExecuteOnTheDesktop("open", "http://www.dialwright.ru/", 3));
  auto shell = platform::win32::FindDesktopShell();
  ASSERT_TRUE(shell.has_value()) << "no desktop shell";
  EXPECT_TRUE(platform::win32::WindowProcessIsElevated(shell->window));
  const support::ScratchFile record(support::OpenRecorderFile().wstring() + L".record");
  const std::wstring recorder = L"\"" + support::OpenRecorderFile().wstring() + L"\"";
  support::ScopedRegistryValue handler(L"Software\\Classes\\http\\shell\\open\\command",
                                       recorder + L" \"%1\"");
  ASSERT_TRUE(platform::win32::ShellExecuteIn(std::move(*shell), "open", "http://www.dialwright.ru/", 3));
  ASSERT_TRUE(support::WaitUntil([&] { return !support::Lines(record.path()).empty(); }));
  EXPECT_EQ(support::Lines(record.path()),
            std::vector<std::string>{support::Utf8(recorder + L" \"http://www.dialwright.ru/\"\tshow=3\tby=explorer.exe")});
}

}  // namespace
