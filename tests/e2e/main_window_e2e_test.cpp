// The program's window, driven from outside like a user would: the real program file, started
// under Wine by this test program, on the same display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/build_settings.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

#include <commctrl.h>

namespace {

using namespace support;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

constexpr int kImage1 = 1001;
constexpr int kFirewall = 1002;
constexpr int kShortcut = 1003;
constexpr int kButton = 1004;

struct Placement {
  int id;
  const wchar_t* text;
  RECT rect;  // client coordinates at 96 dpi
  DWORD kind;
  LRESULT check;
};

class MainWindowE2E : public testing::Test {
 protected:
  void SetUp() override {
    HDC screen = ::GetDC(nullptr);
    dpi_ = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi_, 96) << "the pixel figures below are for 96 dpi";
  }

  HWND Start(const std::vector<std::wstring>& environment = {}) {
    program_.emplace(ProgramFile(), environment);
    HWND window = program_->WaitForMainWindow();
    EXPECT_NE(window, nullptr) << "the main window did not appear";
    return window;
  }

  HWND TooltipOf(HWND window) {
    for (HWND candidate : TopLevelWindows(program_->ProcessId(), L"tooltips_class32"))
      if (::GetWindow(candidate, GW_OWNER) == window) return candidate;
    return nullptr;
  }

  int dpi_ = 0;
  std::optional<RunningProgram> program_;
};

TEST_F(MainWindowE2E, FixedDialogFrameCaptionIconClientSizeAndCentring) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(window), L"Dialwright VPN 1.00");

  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  // Neither sizeable nor minimisable nor maximisable.
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0)
      << std::hex << style;
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));

  RECT client{};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 301);
  EXPECT_EQ(client.bottom, 200);

  RECT frame{};
  ::GetWindowRect(window, &frame);
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR(frame.left, screenWidth - frame.right, 1) << "centred horizontally";
  EXPECT_NEAR(frame.top, screenHeight - frame.bottom, 1) << "centred vertically";

  // The window's icon: Wine answers WM_GETICON from another process with nothing, so
  // MainWindowInProcess.HandCursorAndProgramIcon checks it in the window's own process.
}

TEST_F(MainWindowE2E, ControlsTextsPositionsAndStates) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  const std::vector<Placement> expected = {
      {kFirewall, L"Включить брандмауэр", {24, 112, 249, 129}, BS_AUTOCHECKBOX, BST_CHECKED},
      {kShortcut, L"Ярлык на рабочий стол", {24, 136, 241, 153}, BS_AUTOCHECKBOX, BST_CHECKED},
      {kButton, L"Создать VPN подключение к Интернет", {8, 160, 293, 193}, BS_DEFPUSHBUTTON, 0},
  };
  // The picture and the lines are painted by the window: these three are its only children.
  EXPECT_EQ(ChildWindows(window).size(), expected.size());
  for (const auto& control : expected) {
    SCOPED_TRACE(control.id);
    HWND child = ::GetDlgItem(window, control.id);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(ClassName(child), L"Button");
    EXPECT_EQ(Text(child), control.text);
    const RECT rect = RectInClient(child, window);
    EXPECT_TRUE(::EqualRect(&rect, &control.rect))
        << rect.left << ' ' << rect.top << ' ' << rect.right << ' ' << rect.bottom;
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<LONG>(control.kind));
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(::IsWindowEnabled(child));
    EXPECT_EQ(::SendMessageW(child, BM_GETCHECK, 0, 0), control.check);
  }

  // A click toggles a box between 0 and 1 and does nothing else.
  HWND shortcut = ::GetDlgItem(window, kShortcut);
  ::SendMessageW(shortcut, BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(shortcut, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ::SendMessageW(shortcut, BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(shortcut, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(program_->MessageBoxes().empty());
  EXPECT_EQ(TopLevelWindows(program_->ProcessId(), L"ОсновнаяФорма").size(), 1u);
}

TEST_F(MainWindowE2E, ButtonHoldsTheFocusAndTabCyclesButtonShortcutFirewall) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  HWND button = ::GetDlgItem(window, kButton);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(program_->ThreadId()) == button; }))
      << "focus on " << ::GetDlgCtrlID(FocusOf(program_->ThreadId()));

  const std::vector<int> order = {kShortcut, kFirewall, kButton, kShortcut};
  for (const int next : order) {
    HWND focus = FocusOf(program_->ThreadId());
    ::PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0x000F0001);
    ::PostMessageW(focus, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001));
    HWND expected = ::GetDlgItem(window, next);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(program_->ThreadId()) == expected; }))
        << "Tab from " << ::GetDlgCtrlID(focus) << " should reach " << next << ", reached "
        << ::GetDlgCtrlID(FocusOf(program_->ThreadId()));
  }
}

TEST_F(MainWindowE2E, TooltipsOfPictureButtonAndFirewallButNotShortcut) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  HWND tooltip = TooltipOf(window);
  ASSERT_NE(tooltip, nullptr);
  const auto tools = TooltipTools(tooltip, program_->ProcessId());
  ASSERT_EQ(tools.size(), 3u);

  const std::wstring site = build_settings::SiteAddress;
  ASSERT_EQ(site, build_settings::DefaultSiteAddress) << "this build keeps the default site";
  for (const auto& tool : tools) {
    EXPECT_EQ(tool.owner, window);
    if (tool.flags & TTF_IDISHWND) {
      const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(tool.id));
      if (id == kButton)
        EXPECT_EQ(tool.text, L"Создать подключение с выбранными параметрами");
      else if (id == kFirewall)
        EXPECT_EQ(tool.text, L"Должна быть запущенна служба Брандмауэр Windows");
      else
        ADD_FAILURE() << "a tooltip on control " << id;
    } else {
      // The picture has no window: its tool is a rectangle of the main window.
      EXPECT_EQ(tool.id, static_cast<UINT_PTR>(kImage1));
      const RECT picture{0, 0, 300, 100};
      EXPECT_TRUE(::EqualRect(&tool.rect, &picture))
          << tool.rect.left << ' ' << tool.rect.top << ' ' << tool.rect.right << ' '
          << tool.rect.bottom;
      EXPECT_EQ(tool.text,
                L"Здесь может быть ссылка на ваш сервер. Перейти на сайт программы: " + site);
    }
  }
}

HCURSOR CurrentCursor() {
  CURSORINFO info{};
  info.cbSize = sizeof(info);
  return ::GetCursorInfo(&info) ? info.hCursor : nullptr;
}

TEST_F(MainWindowE2E, HandCursorOverThePictureOnly) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  const auto moveTo = [&](int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(window, &point);
    ::SetCursorPos(point.x, point.y);
  };
  // The cursor another process shows is read globally; it changes once the program has
  // handled the move. Each step waits for the change it expects, or fails at the deadline.
  const auto cursorOtherThan = [&](HCURSOR previous) {
    HCURSOR now = nullptr;
    WaitUntil([&] { return (now = CurrentCursor()) != previous; }, 5000ms);
    return now;
  };

  moveTo(280, 120);  // the window's own client area, below the picture
  HCURSOR arrow = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    HCURSOR first = CurrentCursor();
    ::Sleep(100);
    return (arrow = CurrentCursor()) == first && arrow != nullptr;
  }));
  moveTo(150, 50);
  const HCURSOR hand = cursorOtherThan(arrow);
  EXPECT_NE(hand, arrow) << "no cursor of its own over the picture";
  moveTo(150, 176);
  EXPECT_EQ(cursorOtherThan(hand), arrow) << "over the button";
  moveTo(10, 90);
  EXPECT_EQ(cursorOtherThan(arrow), hand) << "over the picture's lower left";
  moveTo(60, 144);
  EXPECT_EQ(cursorOtherThan(hand), arrow) << "over the shortcut box";
  moveTo(299, 1);
  EXPECT_EQ(cursorOtherThan(arrow), hand) << "over the picture's upper right";
  moveTo(150, 105);
  EXPECT_EQ(cursorOtherThan(hand), arrow) << "below the lines";
}

TEST_F(MainWindowE2E, PictureClickOpensTheSiteWithTheOpenVerbMaximised) {
  const auto record = std::filesystem::temp_directory_path() /
                      (L"dialwright-open-" + std::to_wstring(::GetCurrentProcessId()) + L".txt");
  std::filesystem::remove(record);
  // The "open" verb of http addresses runs the recorder instead of a browser.
  ScopedRegistryValue handler(L"Software\\Classes\\http\\shell\\open\\command",
                                L"\"" + OpenRecorderFile().wstring() + L"\" \"%1\"");
  HWND window = Start({L"DIALWRIGHT_OPEN_RECORD=" + record.wstring()});
  ASSERT_NE(window, nullptr);

  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 50));
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(record); }))
      << "the open verb never reached its handler";
  // The click is over once the window answers again.
  EXPECT_TRUE(program_->Responds(window));
  std::string line;
  ASSERT_TRUE(WaitUntil([&] {
    std::ifstream file(record);
    return static_cast<bool>(std::getline(file, line));
  }));
  const std::wstring recorded = Utf16(line);
  const std::wstring site = build_settings::SiteAddress;
  EXPECT_NE(recorded.find(L" \"" + site + L"\"\t"), std::wstring::npos) << line;
  EXPECT_NE(recorded.find(L"\tshow=3"), std::wstring::npos) << line;

  EXPECT_TRUE(program_->MessageBoxes().empty()) << "the program showed a message of its own";
  HWND firewall = ::GetDlgItem(window, kFirewall);
  ::SendMessageW(firewall, BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(firewall, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "window still usable";
  std::filesystem::remove(record);
}

TEST_F(MainWindowE2E, ClosingTheWindowEndsTheProgramQuietly) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  const auto code = program_->WaitForExit();
  ASSERT_TRUE(code.has_value()) << "the program did not end";
  EXPECT_EQ(*code, 0u);
}

}  // namespace
