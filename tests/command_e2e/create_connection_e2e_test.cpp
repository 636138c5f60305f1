// The whole program under Wine, driven the way a user drives it: the button, the question,
// the boxes; checked in the stand-in's phonebook file, on the desktop and in what the
// recording netsh.exe wrote. Each scenario is a row: how it starts (the program's file, or a
// copy of it among planted DLLs and programs), what the user does, which boxes show and how
// they are answered, and what is left afterwards. One runner plays them all, each from a
// clean state.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "standin/error_strings.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"
#include "tests/support/wine_answer.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace support;

constexpr const wchar_t* kCaption = L"Dialwright VPN 1.00";
constexpr const wchar_t* kButtonText = L"Создать VPN подключение к Интернет";
constexpr const wchar_t* kQuestion =
    L"Подключение Vorlix INTERNET существует! Для создания подключения необходимо его удалить! "
    L"Удалить сейчас?";
constexpr const wchar_t* kCreated = L"Подключение создано.";
constexpr const char* kEntry = "[Vorlix INTERNET]";

constexpr const wchar_t* kTunnelRefused = L"Это подключение нельзя создать в этой версии Windows.";

// A box the scenario expects, and the button the user answers it with. A null text is the
// reason of a refusal: the text of that code as whoever owns it says it, titled with the
// program's name and without an icon. The others have an icon and the window's caption as
// their title, unless another title is given.
struct ExpectedBox {
  const wchar_t* text;
  int answer;  // IDOK for a box with OK, IDYES or IDNO for the question
  DWORD reason = 0;
  const wchar_t* title = kCaption;
};

// The text of a code in code page 1251, read without the program's code: the stand-in's from
// 600 on, else the system's.
std::string ReasonText(DWORD code) {
  if (code >= 600) return standin::ErrorStringOf(code).value_or("(no text)");
  char bytes[512] = {};
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   bytes, sizeof bytes, nullptr);
  return bytes;
}

// Paths compared as Windows compares them: without regard to case.
std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}
std::vector<std::string> Lowered(std::vector<std::string> lines) {
  for (std::string& line : lines) line = Lowered(line);
  return lines;
}

enum class Phonebook { kUnchanged, kOneEntry, kNoEntry };

struct Scenario {
  const char* name;
  bool existingEntry;          // the entry, its shortcut and another desktop file are there
  const wchar_t* setting;      // NAME=VALUE for the program's run: a stand-in's failure, say
  bool boxesCleared;           // both check boxes cleared before the click
  int clicks;
  std::vector<ExpectedBox> boxes;
  Phonebook phonebook;
  bool shortcutStays;
  bool firewallReset;  // the two netsh lines, written once
  bool pausesBeforeFirstBox = false;
  bool planted = false;  // a copy of the program, among plants (PlantedProgram)
  const wchar_t* tunnel = nullptr;  // the program of another tunnel (tunnels/<tunnel>/)
  // Lines the entry's section must hold (code page 1251), beside the server's.
  std::vector<std::wstring> entryLines = {L"szDeviceType=vpn", L"szDeviceName=Минипорт WAN (L2TP)",
                                          L"dwVpnStrategy=2", L"dwfOptions=1964054288"};
};

const Scenario kScenarios[] = {
    {"NoEntry_CreatesItAndConfirms", false, nullptr, false, 1, {{kCreated, IDOK}},
     Phonebook::kOneEntry, false, true},
    {"ExistingEntry_No_LeavesEverythingAsItWas", true, nullptr, false, 1, {{kQuestion, IDNO}},
     Phonebook::kUnchanged, true, false},
    {"ExistingEntry_Yes_RewritesItAndRemovesOnlyItsShortcut", true, nullptr, false, 1,
     {{kQuestion, IDYES}, {kCreated, IDOK}}, Phonebook::kOneEntry, false, true},
    {"FailedDeletion_ShowsItsMessageAndNothingElse", true,
     L"DIALWRIGHT_STANDIN_FAIL=RasDeleteEntryA:623", false, 1,
     {{kQuestion, IDYES}, {L"Ошибка удаления подключения!", IDOK}}, Phonebook::kUnchanged, true,
     false},
    {"BothBoxesCleared_NoNetshButTwoPauses", false, nullptr, true, 1, {{kCreated, IDOK}},
     Phonebook::kOneEntry, false, false, true},
    {"RefusedWrite_ShowsTheServiceTextAndNoConfirmation", false,
     L"DIALWRIGHT_STANDIN_FAIL=RasSetEntryPropertiesA:632", false, 1, {{nullptr, IDOK, 632}},
     Phonebook::kNoEntry, false, true},
    {"RefusedSizeQuery_ShowsTheSystemsText", false,
     L"DIALWRIGHT_STANDIN_FAIL=RasGetEntryPropertiesA:5", false, 1, {{nullptr, IDOK, 5}},
     Phonebook::kNoEntry, false, true},
    {"OldestStructure_1672_CreatesTheEntry", false, L"DIALWRIGHT_STANDIN_ENTRY_SIZE=1672", false,
     1, {{kCreated, IDOK}}, Phonebook::kOneEntry, false, true, false, false, nullptr,
     {L"szDeviceName=Минипорт WAN (L2TP)", L"dwfOptions=1964054288"}},
    {"DoubleClick_RunsTheCommandOnce", false, nullptr, false, 2, {{kCreated, IDOK}},
     Phonebook::kOneEntry, false, true},
    {"AmongPlants_ReachesOnlyTheSystemsDllAndNetsh", false, nullptr, false, 1, {{kCreated, IDOK}},
     Phonebook::kOneEntry, false, true, false, true},
    // The other tunnels' programs: SSTP where the structure is Windows 7's, refused with nothing
    // written on XP's; L2TP/IPsec with its key, which the service keeps, or whose refusal takes
    // the entry again; refused on Windows 2000's structure, which has no dwfOptions2.
    {"Sstp_OnWindows7_CreatesItsEntry", false, L"DIALWRIGHT_STANDIN_ENTRY_SIZE=2948", false, 1,
     {{kCreated, IDOK}}, Phonebook::kOneEntry, false, true, false, false, L"sstp",
     {L"szDeviceName=Минипорт WAN (SSTP)", L"dwVpnStrategy=5", L"dwfOptions=621877008"}},
    {"Sstp_OnWindowsXp_RefusedWithNothingWritten", false, nullptr, false, 1,
     {{kTunnelRefused, IDOK, 0, L"Dialwright"}}, Phonebook::kNoEntry, false, true, false, false, L"sstp"},
    {"L2tpPsk_WritesTheKeyAfterTheEntry", false, nullptr, false, 1, {{kCreated, IDOK}},
     Phonebook::kOneEntry, false, true, false, false, L"l2tp-psk",
     {L"szDeviceName=Минипорт WAN (L2TP)", L"dwVpnStrategy=3", L"dwfOptions2=16", L"dwCredentialsMask=16"}},
    {"L2tpPsk_RefusedKey_TakesTheEntryAgain", false, L"DIALWRIGHT_STANDIN_FAIL=RasSetCredentialsA:5",
     false, 1, {{nullptr, IDOK, 5}}, Phonebook::kNoEntry, false, true, false, false, L"l2tp-psk"},
    {"L2tpPsk_OnWindows2000_Refused", false, L"DIALWRIGHT_STANDIN_ENTRY_SIZE=2088", false, 1,
     {{kTunnelRefused, IDOK, 0, L"Dialwright"}}, Phonebook::kNoEntry, false, true, false, false, L"l2tp-psk"},
};

class CreateConnectionE2E : public testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(netsh_.ok()) << "could not put the recording netsh.exe in place";
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    fs::create_directories(desktop_);
    fs::remove(shortcut_);
    fs::remove(otherFile_);
  }
  void TearDown() override {
    program_.reset();
    fs::current_path(TestFolder());
    fs::remove(shortcut_);
    fs::remove(otherFile_);
    // Wine may hold a finished child's current directory a moment longer.
    std::error_code ignored;
    WaitUntil([&] { return fs::remove_all(scratch_, ignored) != static_cast<std::uintmax_t>(-1); },
              5000ms);
  }

  // A copy of the program beside plants of rasapi32.dll and netsh.exe, started in a current
  // folder that holds more: the plants are the check's decoy, which leaves "<its path>.loaded"
  // when loaded and, as netsh.exe, runs nothing, so the recorded netsh lines are the system's.
  // (ole32, oleaut32 and shell32 are loaded as rasapi32 is, and are KnownDLLs on Windows.
  // Under Wine, told to prefer a native copy, Wine's own imm32 takes a planted ole32 from the
  // program's folder: its delay load searches there whatever the program has restricted.)
  fs::path PlantedProgram() {
    for (const fs::path& folder : {planted_, current_}) {
      fs::create_directories(folder);
      for (const wchar_t* plant : {L"rasapi32.dll", L"netsh.exe"})
        fs::copy_file(DecoyFile(), folder / plant);
    }
    fs::copy_file(ProgramFile(), planted_ / L"Dialwright VPN 1.0.exe");
    fs::current_path(current_);
    return planted_ / L"Dialwright VPN 1.0.exe";
  }

  std::vector<fs::path> PlantTraces() const {
    std::vector<fs::path> traces;
    for (const fs::path& folder : {planted_, current_})
      for (const wchar_t* trace : {L"rasapi32.dll.loaded", L"netsh.exe.loaded"})
        if (fs::exists(folder / trace)) traces.push_back(folder / trace);
    return traces;
  }

  void StartProgram(const Scenario& scenario) {
    // The first netsh takes 1.5 s: unless the program waits for it, the second is recorded
    // first. How each was asked to show its window is recorded too.
    std::vector<std::wstring> environment = {
        L"DIALWRIGHT_STANDIN_PHONEBOOK=" + phonebook_.wstring(),
        L"DIALWRIGHT_NETSH_RECORD=" + netshRecord_.wstring(),
        L"DIALWRIGHT_NETSH_STARTUP=" + netshStartup_.wstring(), L"DIALWRIGHT_NETSH_SLOW=disable",
        L"DIALWRIGHT_NETSH_FILE=" + netshFile_.wstring()};
    if (scenario.setting != nullptr) environment.push_back(scenario.setting);
    const fs::path program = scenario.tunnel != nullptr
                                 ? BuildFolder() / L"tunnels" / scenario.tunnel / ProgramFile().filename()
                                 : ProgramFile();
    program_.emplace(scenario.planted ? PlantedProgram() : program, environment);
    window_ = program_->WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(Text(window_), kCaption);
  }

  void Click() { ::PostMessageW(ChildWithText(window_, kButtonText), BM_CLICK, 0, 0); }

  void Clear(const wchar_t* checkBox) {
    HWND box = ChildWithText(window_, checkBox);
    ::SendMessageW(box, BM_CLICK, 0, 0);
    ASSERT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }

  // The entry of the program's name, with its shortcut and a file of someone else's beside it.
  void SeedEntry() {
    std::ofstream(phonebook_, std::ios::binary)
        << "[Vorlix INTERNET]\r\ndwSize=2884\r\nszLocalPhoneNumber=203.0.113.9\r\n";
    std::ofstream(shortcut_) << "shortcut";
    std::ofstream(otherFile_) << "keep me";
  }

  // The box with this text once it shows (the command may still be busy with what came
  // before); with a null text, the first box.
  MessageBoxView WaitForBox(const wchar_t* text) {
    MessageBoxView found;
    WaitUntil([&] {
      for (HWND window : program_->MessageBoxes()) {
        if (!::IsWindowVisible(window)) continue;
        const MessageBoxView box = ReadMessageBox(window);
        if (text == nullptr || box.text == text) found = box;
      }
      return found.window != nullptr;
    });
    return found;
  }

  // True when no box shows once the program's thread has handled everything sent to it.
  bool NoBoxShows() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    for (HWND box : program_->MessageBoxes())
      if (::IsWindowVisible(box)) return false;
    return true;
  }

  void ExpectBox(const MessageBoxView& box, const ExpectedBox& expected) {
    ASSERT_NE(box.window, nullptr) << "no box said " << Utf8(expected.text ? expected.text : L"");
    if (expected.text == nullptr) {  // the reason, shown by the system's default box
      EXPECT_EQ(box.title, L"Dialwright");
      EXPECT_FALSE(box.icon);
      EXPECT_EQ(Cp1251(box.text), ReasonText(expected.reason));
      EXPECT_NE(box.text.find_first_of(L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"), std::wstring::npos)
          << "not in Russian";
    } else {
      EXPECT_EQ(box.title, expected.title);
      EXPECT_TRUE(box.icon);
    }
    EXPECT_EQ(expected.answer == IDOK ? box.ok : box.yesNo, true);
  }

  void ExpectPhonebook(Phonebook expected, const std::string& before, const Scenario& scenario) {
    const std::string phonebook = ReadFile(phonebook_);
    switch (expected) {
      case Phonebook::kUnchanged:
        EXPECT_EQ(phonebook, before);
        break;
      case Phonebook::kNoEntry:
        EXPECT_EQ(phonebook.find(kEntry), std::string::npos);
        break;
      case Phonebook::kOneEntry:
        EXPECT_NE(phonebook.find(kEntry), std::string::npos) << phonebook;
        EXPECT_EQ(phonebook.find(kEntry), phonebook.rfind(kEntry)) << phonebook;
        EXPECT_NE(phonebook.find("szLocalPhoneNumber=198.51.100.10"), std::string::npos);
        // The device's Russian name in the ANSI code page, as the system keeps it.
        for (const std::wstring& line : scenario.entryLines)
          EXPECT_NE(phonebook.find("\r\n" + Cp1251(line) + "\r\n"), std::string::npos) << Utf8(line) << " not in\n" << phonebook;
        break;
    }
  }

  const fs::path scratch_ = fs::temp_directory_path() / L"dialwright-command-e2e";
  const fs::path phonebook_ = scratch_ / L"rasphone.pbk";
  const fs::path netshRecord_ = scratch_ / L"netsh.txt";
  const fs::path netshStartup_ = scratch_ / L"netsh-startup.txt";
  const fs::path netshFile_ = scratch_ / L"netsh-file.txt";
  const fs::path desktop_ = DesktopFolder();
  const fs::path shortcut_ = desktop_ / L"Vorlix INTERNET.lnk";
  const fs::path otherFile_ = desktop_ / L"other.txt";
  const fs::path planted_ = scratch_ / L"program";
  const fs::path current_ = scratch_ / L"current";
  // The recording stand-in takes the place of the system's netsh.exe for the test.
  const ScopedFileReplacement netsh_{SystemFolder() / L"netsh.exe", NetshStandinFile()};
  std::optional<RunningProgram> program_;
  HWND window_ = nullptr;
};

TEST_P(CreateConnectionE2E, Plays) {
  const Scenario& scenario = GetParam();
  if (scenario.existingEntry) SeedEntry();
  const std::string before = ReadFile(phonebook_);

  ASSERT_NO_FATAL_FAILURE(StartProgram(scenario));
  if (scenario.boxesCleared) {
    ASSERT_NO_FATAL_FAILURE(Clear(L"Ярлык на рабочий стол"));
    ASSERT_NO_FATAL_FAILURE(Clear(L"Включить брандмауэр"));
  }
  const auto clicked = std::chrono::steady_clock::now();
  for (int i = 0; i < scenario.clicks; ++i) Click();
  for (const ExpectedBox& expected : scenario.boxes) {
    const MessageBoxView box = WaitForBox(expected.text);
    if (&expected == &scenario.boxes.front() && scenario.pausesBeforeFirstBox) {
      EXPECT_GE(std::chrono::steady_clock::now() - clicked, 500ms) << "the two 250 ms pauses";
    }
    ASSERT_NO_FATAL_FAILURE(ExpectBox(box, expected));
    EXPECT_TRUE(AnswerMessageBox(box.window, expected.answer)) << "the box stayed";
  }
  EXPECT_TRUE(NoBoxShows());

  ExpectPhonebook(scenario.phonebook, before, scenario);
  EXPECT_EQ(fs::exists(shortcut_), scenario.shortcutStays);
  if (scenario.existingEntry) {
    EXPECT_TRUE(fs::exists(otherFile_)) << "not the program's file";
  }
  if (scenario.firewallReset) {
    EXPECT_TRUE(WaitUntil([&] { return Lines(netshRecord_).size() >= 2; }));
    const std::vector<std::string> expected = {"netsh firewall set opmode disable",
                                               "netsh firewall set opmode enable"};
    EXPECT_EQ(Lines(netshRecord_), expected);
    // Hidden: STARTF_USESHOWWINDOW (1) with SW_HIDE (0), both times.
    EXPECT_EQ(Lines(netshStartup_), std::vector<std::string>(2, "show=0 flags=1"));
    // The system directory's netsh, which under WoW64 is the 32-bit one in SysWOW64.
    EXPECT_EQ(Lowered(Lines(netshFile_)),
              std::vector<std::string>(2, Lowered(Utf8((SystemFilesOfA32BitProgram() / L"netsh.exe").wstring()))));
  } else {
    EXPECT_FALSE(fs::exists(netshRecord_));
  }
  EXPECT_EQ(PlantTraces(), std::vector<fs::path>{});
  // The phonebook service from the system directory, the stand-in put there for it.
  const fs::path serviceFolder =
      UnderWow64() ? Wine(SystemFolder(), "to another process, Wine names a DLL that a WoW64 process "
                                          "loaded from SysWOW64 by system32 (netsh's own path shows the folder)")
                   : SystemFilesOfA32BitProgram();
  EXPECT_EQ(Lowered(Utf8(program_->LoadedModule(L"rasapi32.dll").wstring())),
            Lowered(Utf8((serviceFolder / L"rasapi32.dll").wstring())));
}

INSTANTIATE_TEST_SUITE_P(Scenarios, CreateConnectionE2E, testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
