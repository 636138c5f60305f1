// The ANSI code page and the desktop's shell against Wine's own. (The automation objects of
// the script host and the shell show end to end, where the program deletes its shortcut.)
#include <gtest/gtest.h>

#include "platform/system.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/process_elevation.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

// The ANSI code page of the tests' Russian locale, each way, down to a single character.
TEST(AnsiCodePage, ConvertsEachWayDownToOneCharacter) {
  ASSERT_EQ(::GetACP(), 1251u) << "the tests run with a Russian locale";
  EXPECT_EQ(platform::ToAnsi(L"Ж"), "\xC6");
  EXPECT_EQ(platform::FromAnsi("\xC6"), L"Ж");
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
