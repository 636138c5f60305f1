// The start-up hardening of the real program under Wine. The program file is copied into a
// folder of its own beside planted rasapi32.dll and netsh.exe, and started in a current
// directory that holds more of them. It must still work through the system directory's
// phonebook stand-in and netsh, and leave every plant untouched.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/build_settings.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace support;

constexpr const wchar_t* kButtonText = L"Создать VPN подключение к Интернет";
constexpr const wchar_t* kCreated = L"Подключение создано.";

// Runs a command line the way a careless program does, letting the system search for it.
bool RunSearched(std::wstring commandLine, const fs::path& currentDirectory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, currentDirectory.c_str(), &startup, &info))
    return false;
  const platform::win32::UniqueHandle process{info.hProcess};
  const platform::win32::UniqueHandle thread{info.hThread};
  return ::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
}

class Hardening : public testing::Test {
 protected:
  void SetUp() override {
    // A folder per test: Wine may hold a finished child's current directory a little longer.
    const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    root_ = fs::temp_directory_path() / (L"dialwright-hardening-" +
                                         std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                         std::wstring(test.begin(), test.end()));
    fs::remove_all(root_);
    program_ = root_ / L"program";
    current_ = root_ / L"current";
    fs::create_directories(program_);
    fs::create_directories(current_);
    phonebook_ = root_ / L"rasphone.pbk";

    programFile_ = program_ / L"Dialwright VPN 1.0.exe";
    fs::copy_file(ProgramFile(), programFile_);
    for (const fs::path& folder : {program_, current_}) {
      fs::copy_file(TestFolder() / L"recording_plant.dll", folder / L"rasapi32.dll");
      fs::copy_file(NetshStandinFile(), folder / L"netsh.exe");
    }

    ASSERT_TRUE(netsh_.ok()) << "could not put the recording netsh.exe in place";
    systemRecord_ = SystemFolder() / L"netsh-record.txt";
    fs::remove(systemRecord_);

    // The program inherits the current directory: the one with the plants.
    savedCurrent_ = fs::current_path();
    fs::current_path(current_);
  }

  void TearDown() override {
    fs::current_path(savedCurrent_);
    std::error_code ignored;
    fs::remove(systemRecord_, ignored);
    WaitUntil([&] { return fs::remove_all(root_, ignored) != static_cast<std::uintmax_t>(-1); },
                   5000ms);
  }

  // The traces the plants leave when they are loaded or run.
  std::vector<fs::path> PlantTraces() const {
    std::vector<fs::path> traces;
    for (const fs::path& folder : {program_, current_})
      for (const wchar_t* trace : {L"rasapi32.dll.record", L"netsh-record.txt"})
        if (fs::exists(folder / trace)) traces.push_back(folder / trace);
    return traces;
  }

  fs::path root_, program_, current_, phonebook_, programFile_, systemRecord_, savedCurrent_;
  // The system's netsh is the recording stand-in for the test; every copy of it records
  // beside itself, so a record tells which copy ran.
  const ScopedFileReplacement netsh_{SystemFolder() / L"netsh.exe", NetshStandinFile()};
  const ScopedEnvironment noRecordSwitch_{L"DIALWRIGHT_NETSH_RECORD", std::nullopt};
};

// The layout really is the attack: a program that trusts the search order loads the DLL
// planted beside it and runs the netsh planted in its current directory.
TEST_F(Hardening, PlantsCatchAnUnprotectedProgram) {
  fs::copy_file(TestFolder() / L"search_probe.exe", program_ / L"probe.exe");
  ASSERT_TRUE(
      RunSearched(L"\"" + (program_ / L"probe.exe").wstring() + L"\" rasapi32.dll", current_));
  EXPECT_TRUE(fs::exists(program_ / L"rasapi32.dll.record"));

  ASSERT_TRUE(RunSearched(L"netsh firewall set opmode disable", current_));
  EXPECT_EQ(Lines(current_ / L"netsh-record.txt"),
            std::vector<std::string>{"netsh firewall set opmode disable"});
}

TEST_F(Hardening, PlantsAreNeitherLoadedNorRunAndTheCommandStillWorks) {
  RunningProgram running(programFile_, {L"DIALWRIGHT_STANDIN_PHONEBOOK=" + phonebook_.wstring()});
  HWND window = running.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // Both boxes stay ticked: the firewall reset runs netsh twice.
  ::PostMessageW(ChildWithText(window, kButtonText), BM_CLICK, 0, 0);
  HWND box = running.WaitForMessageBox(30000ms);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadMessageBox(box).text, kCreated);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);

  // The phonebook was reached through the system directory's stand-in, netsh likewise.
  const std::string entry = "[" + Utf8(build_settings::ProviderName) + " INTERNET]";
  EXPECT_NE(ReadFile(phonebook_).find(entry), std::string::npos);
  ASSERT_TRUE(WaitUntil([&] { return Lines(systemRecord_).size() >= 2; }));
  EXPECT_EQ(Lines(systemRecord_),
            (std::vector<std::string>{"netsh firewall set opmode disable",
                                      "netsh firewall set opmode enable"}));

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(running.WaitForExit().has_value());
  EXPECT_TRUE(PlantTraces().empty()) << PlantTraces().front();
}

}  // namespace
