// The whole program under Wine, driven the way a user drives it: the button, the question,
// the boxes; checked in the stand-in's phonebook file, on the desktop and in what the
// recording netsh.exe wrote. Every scenario starts from a clean state.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/ui_driver.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using e2e::ChildWithText;
using e2e::Lines;
using e2e::ReadFile;
using e2e::SystemFolder;
using e2e::RunningProgram;

constexpr const wchar_t* kCaption = L"Dialwright VPN 1.00";
constexpr const wchar_t* kButtonText = L"Создать VPN подключение к Интернет";
constexpr const wchar_t* kShortcutText = L"Ярлык на рабочий стол";
constexpr const wchar_t* kFirewallText = L"Включить брандмауэр";
constexpr const wchar_t* kQuestion =
    L"Подключение Vorlix INTERNET существует! Для создания подключения необходимо его удалить! "
    L"Удалить сейчас?";
constexpr const wchar_t* kCreated = L"Подключение создано.";

fs::path DesktopFolder() {
  wchar_t path[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path))) return {};
  return path;
}

// What a message box shows: its title, its text and its buttons.
struct Box {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  bool yesNo = false;
  bool ok = false;
  bool icon = false;
};

Box Read(HWND window) {
  Box box;
  box.window = window;
  box.title = e2e::Text(window);
  for (HWND child : e2e::ChildWindows(window)) {
    if (e2e::ClassName(child) != L"Static") continue;
    if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      box.icon = box.icon || ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
    else if (!e2e::Text(child).empty())
      box.text = e2e::Text(child);
  }
  box.yesNo = ::GetDlgItem(window, IDYES) != nullptr && ::GetDlgItem(window, IDNO) != nullptr;
  box.ok = ::GetDlgItem(window, IDOK) != nullptr && !box.yesNo;
  return box;
}

// Answers the box and waits until it has gone: a check sent to the program's thread would
// otherwise be handled first, while the posted answer still waits in its queue.
void Answer(const Box& box, int button) {
  ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box.window, button)));
  EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(box.window); })) << "the box stayed";
}

class CreateConnectionE2E : public testing::Test {
 protected:
  void SetUp() override {
    scratch_ = fs::temp_directory_path() / L"dialwright-command-e2e";
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    phonebook_ = scratch_ / L"rasphone.pbk";
    netshRecord_ = scratch_ / L"netsh.txt";
    desktop_ = DesktopFolder();
    ASSERT_FALSE(desktop_.empty());
    fs::create_directories(desktop_);
    shortcut_ = desktop_ / L"Vorlix INTERNET.lnk";
    otherFile_ = desktop_ / L"other.txt";
    fs::remove(shortcut_);
    fs::remove(otherFile_);
    InstallRecordingNetsh();
  }

  void TearDown() override {
    program_.reset();
    fs::remove(shortcut_);
    fs::remove(otherFile_);
    if (!savedNetsh_.empty()) ::CopyFileW(savedNetsh_.c_str(), systemNetsh_.c_str(), FALSE);
    fs::remove_all(scratch_);
  }

  // The recording stand-in takes the place of the system's netsh.exe for the test.
  void InstallRecordingNetsh() {
    const fs::path standin = e2e::TestFolder().parent_path() / L"win32" / L"netsh_standin" / L"netsh.exe";
    ASSERT_TRUE(fs::exists(standin)) << standin;
    systemNetsh_ = SystemFolder() / L"netsh.exe";
    savedNetsh_ = scratch_ / L"netsh-original.exe";
    if (!fs::exists(systemNetsh_) || !::CopyFileW(systemNetsh_.c_str(), savedNetsh_.c_str(), FALSE))
      savedNetsh_.clear();
    ASSERT_TRUE(::CopyFileW(standin.c_str(), systemNetsh_.c_str(), FALSE));
  }

  // Writes an entry of the program's name into the phonebook the way the program does.
  void SeedEntry() {
    StartProgram();
    Click();
    Box box = WaitForBox();
    ASSERT_EQ(box.text, kCreated);
    Answer(box, IDOK);
    ASSERT_TRUE(program_->WaitForExit(0ms) == std::nullopt);
    program_.reset();
    ASSERT_NE(ReadFile(phonebook_).find("[Vorlix INTERNET]"), std::string::npos);
    fs::remove(netshRecord_);
    fs::remove(shortcut_);
  }

  void StartProgram(const std::vector<std::wstring>& extra = {}) {
    std::vector<std::wstring> environment = {
        L"DIALWRIGHT_STANDIN_PHONEBOOK=" + phonebook_.wstring(),
        L"DIALWRIGHT_NETSH_RECORD=" + netshRecord_.wstring()};
    environment.insert(environment.end(), extra.begin(), extra.end());
    program_.emplace(e2e::ProgramFile(), environment);
    window_ = program_->WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(e2e::Text(window_), kCaption);
  }

  void Click() { ::PostMessageW(ChildWithText(window_, kButtonText), BM_CLICK, 0, 0); }
  void Toggle(const wchar_t* checkBox) {
    HWND box = ChildWithText(window_, checkBox);
    ASSERT_NE(box, nullptr);
    ::SendMessageW(box, BM_CLICK, 0, 0);
    ASSERT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }

  Box WaitForBox() {
    HWND box = program_->WaitForMessageBox();
    EXPECT_NE(box, nullptr) << "no message box appeared";
    return box ? Read(box) : Box{};
  }

  // The box with this text once it shows; the command may still be busy with what came before.
  Box WaitForBoxSaying(const std::wstring& text) {
    Box found;
    e2e::WaitUntil([&] {
      for (HWND window : program_->MessageBoxes())
        if (::IsWindowVisible(window) && Read(window).text == text) found = Read(window);
      return found.window != nullptr;
    });
    EXPECT_NE(found.window, nullptr) << "no box said the expected text";
    return found;
  }

  // Returns once the program's thread has handled everything sent to it so far; a box the
  // command was about to show is up by then.
  void Settle() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
  }

  bool NoBoxShows() {
    Settle();
    for (HWND box : program_->MessageBoxes())
      if (::IsWindowVisible(box)) return false;
    return true;
  }

  void ExpectFirewallReset() {
    ASSERT_TRUE(e2e::WaitUntil([&] { return Lines(netshRecord_).size() >= 2; }));
    const std::vector<std::string> expected = {"netsh firewall set opmode disable",
                                               "netsh firewall set opmode enable"};
    EXPECT_EQ(Lines(netshRecord_), expected);
  }

  fs::path scratch_, phonebook_, netshRecord_, desktop_, shortcut_, otherFile_;
  fs::path systemNetsh_, savedNetsh_;
  std::optional<RunningProgram> program_;
  HWND window_ = nullptr;
};

TEST_F(CreateConnectionE2E, NoEntryIsCreatedAndOnlyConfirmed) {
  StartProgram();
  Click();
  const Box box = WaitForBox();
  EXPECT_EQ(box.text, kCreated);
  EXPECT_EQ(box.title, kCaption);
  EXPECT_TRUE(box.ok);
  EXPECT_TRUE(box.icon);
  ExpectFirewallReset();
  const std::string phonebook = ReadFile(phonebook_);
  EXPECT_NE(phonebook.find("[Vorlix INTERNET]"), std::string::npos);
  EXPECT_NE(phonebook.find("szLocalPhoneNumber=198.51.100.10"), std::string::npos) << phonebook;
  EXPECT_NE(phonebook.find("szDeviceType=vpn"), std::string::npos);
  Answer(box, IDOK);
  EXPECT_TRUE(NoBoxShows());
}

TEST_F(CreateConnectionE2E, ExistingEntryAndNoLeavesEverythingAsItWas) {
  SeedEntry();
  { std::ofstream(shortcut_) << "shortcut"; }
  const std::string before = ReadFile(phonebook_);
  StartProgram();
  Click();
  const Box question = WaitForBox();
  EXPECT_EQ(question.text, kQuestion);
  EXPECT_EQ(question.title, kCaption);
  EXPECT_TRUE(question.yesNo);
  EXPECT_TRUE(question.icon);
  Answer(question, IDNO);
  EXPECT_TRUE(NoBoxShows());
  EXPECT_EQ(ReadFile(phonebook_), before);
  EXPECT_TRUE(fs::exists(shortcut_));
  EXPECT_FALSE(fs::exists(netshRecord_));
}

TEST_F(CreateConnectionE2E, YesRewritesTheEntryAndRemovesOnlyItsShortcut) {
  SeedEntry();
  { std::ofstream(shortcut_) << "shortcut"; }
  { std::ofstream(otherFile_) << "keep me"; }
  StartProgram();
  Click();
  Answer(WaitForBox(), IDYES);
  ASSERT_NE(WaitForBoxSaying(kCreated).window, nullptr);
  EXPECT_FALSE(fs::exists(shortcut_));
  EXPECT_TRUE(fs::exists(otherFile_));
  const std::string phonebook = ReadFile(phonebook_);
  EXPECT_NE(phonebook.find("[Vorlix INTERNET]"), std::string::npos);
  EXPECT_EQ(phonebook.find("[Vorlix INTERNET]"), phonebook.rfind("[Vorlix INTERNET]"));
  ExpectFirewallReset();
}

TEST_F(CreateConnectionE2E, FailedDeletionShowsItsMessageAndNothingElse) {
  SeedEntry();
  { std::ofstream(shortcut_) << "shortcut"; }
  const std::string before = ReadFile(phonebook_);
  StartProgram({L"DIALWRIGHT_STANDIN_FAIL=RasDeleteEntryA:623"});
  Click();
  Answer(WaitForBox(), IDYES);
  const Box error = WaitForBoxSaying(L"Ошибка удаления подключения!");
  ASSERT_NE(error.window, nullptr);
  EXPECT_EQ(error.title, kCaption);
  EXPECT_TRUE(error.ok);
  Answer(error, IDOK);
  EXPECT_TRUE(NoBoxShows());
  EXPECT_TRUE(fs::exists(shortcut_)) << "the shortcut must stay while the entry stays";
  EXPECT_EQ(ReadFile(phonebook_), before);
  EXPECT_FALSE(fs::exists(netshRecord_));
}

TEST_F(CreateConnectionE2E, BothBoxesClearedRunNoNetshButStillPauseTwice) {
  StartProgram();
  Toggle(kShortcutText);
  Toggle(kFirewallText);
  const auto clicked = std::chrono::steady_clock::now();
  Click();
  const Box box = WaitForBox();
  const auto elapsed = std::chrono::steady_clock::now() - clicked;
  EXPECT_EQ(box.text, kCreated);
  EXPECT_GE(elapsed, 500ms) << "the two 250 ms pauses";
  EXPECT_FALSE(fs::exists(netshRecord_));
  EXPECT_NE(ReadFile(phonebook_).find("[Vorlix INTERNET]"), std::string::npos);
}

TEST_F(CreateConnectionE2E, RefusedWriteShowsTheServiceTextAndNoConfirmation) {
  StartProgram({L"DIALWRIGHT_STANDIN_FAIL=RasSetEntryPropertiesA:632"});
  Click();
  const Box refusal = WaitForBox();
  EXPECT_EQ(refusal.title, L"Dialwright");
  EXPECT_TRUE(refusal.ok);
  EXPECT_FALSE(refusal.icon);
  EXPECT_FALSE(refusal.text.empty());
  EXPECT_NE(refusal.text, kCreated);
  Answer(refusal, IDOK);
  ExpectFirewallReset();  // the ticked steps still run
  EXPECT_TRUE(NoBoxShows());
  EXPECT_EQ(ReadFile(phonebook_).find("[Vorlix INTERNET]"), std::string::npos);
}

TEST_F(CreateConnectionE2E, ADoubleClickRunsTheCommandOnce) {
  StartProgram();
  Click();
  Click();
  const Box box = WaitForBox();
  EXPECT_EQ(box.text, kCreated);
  ExpectFirewallReset();
  Answer(box, IDOK);
  EXPECT_TRUE(NoBoxShows());
  EXPECT_EQ(Lines(netshRecord_).size(), 2u);
}

}  // namespace
