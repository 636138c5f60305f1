// The program's window, driven from outside like a user would: the real program file, started
// under Wine by this test program, on the same display. By default the program of this build,
// with its own values; a provider's program (made by `make provider`) with the values it was
// built with, given in the environment:
//   DIALWRIGHT_PROVIDER_PROGRAM  the program file (a Windows path)
//   DIALWRIGHT_PROVIDER_NAME, DIALWRIGHT_PROVIDER_SERVER, DIALWRIGHT_PROVIDER_SITE
//   DIALWRIGHT_PROVIDER_ENTRY_LINES  lines the written entry must hold besides, ";" between
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/build_settings.h"
#include "app/settings.h"
#include "app/win32/main_window.h"
#include "platform/win32/ras_phonebook_service.h"
#include "platform/win32/windows_automation.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"


namespace {

namespace fs = std::filesystem;
using namespace support;

constexpr int kFirewall = 1002;
constexpr int kShortcut = 1003;
constexpr int kButton = 1004;

struct Provider {
  fs::path program;
  std::wstring name, server, site;
};

Provider TheProvider() {
  if (const auto program = EnvironmentValue(L"DIALWRIGHT_PROVIDER_PROGRAM"))
    return {*program, EnvironmentValue(L"DIALWRIGHT_PROVIDER_NAME").value_or(L""),
            EnvironmentValue(L"DIALWRIGHT_PROVIDER_SERVER").value_or(L""),
            EnvironmentValue(L"DIALWRIGHT_PROVIDER_SITE").value_or(L"")};
  return {ProgramFile(), build_settings::ProviderName, build_settings::VpnServer,
          build_settings::SiteAddress};
}

HCURSOR CurrentCursor() {
  CURSORINFO info{sizeof(CURSORINFO), 0, nullptr, {}};
  return ::GetCursorInfo(&info) ? info.hCursor : nullptr;
}

class MainWindowE2E : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(provider_.program)) << "no program file";
    ASSERT_FALSE(provider_.name.empty() || provider_.server.empty() || provider_.site.empty());
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
  }
  void TearDown() override {
    program_.reset();
    fs::remove_all(scratch_);
  }

  HWND Start(std::vector<std::wstring> environment = {}) {
    environment.push_back(L"DIALWRIGHT_STANDIN_PHONEBOOK=" +
                          (scratch_ / L"rasphone.pbk").wstring());
    program_.emplace(provider_.program, environment);
    HWND window = program_->WaitForMainWindow();
    EXPECT_NE(window, nullptr) << "the main window did not appear";
    return window;
  }

  std::wstring ShownTip() const {
    HWND tip = VisibleTopLevelWindow(program_->ProcessId(), L"tooltips_class32");
    return tip ? Text(tip) : L"";
  }

  // The tip shown once the pointer rests at the point of the client area: the text a user
  // reads. Where none is expected: whatever shows once the previous tip has gone, within the
  // time a tip takes to come.
  std::wstring TipAt(HWND window, POINT point, const std::wstring& expected) {
    ::ClientToScreen(window, &point);
    ::SetCursorPos(point.x, point.y);
    std::wstring shown;
    if (!expected.empty()) {
      WaitUntil([&] { return (shown = ShownTip()) == expected; }, 5000ms);
      previousTip_ = expected;
      return shown;
    }
    WaitUntil([&] { return ShownTip() != previousTip_; }, 3000ms);
    WaitUntil([&] { return !(shown = ShownTip()).empty(); }, 1500ms);
    return shown;
  }

  const Provider provider_ = TheProvider();
  const fs::path scratch_ = fs::temp_directory_path() / L"dialwright-window-e2e";
  std::optional<RunningProgram> program_;
  std::wstring previousTip_;
};

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

// Twips to pixels at the screen's density, rounded as MulDiv rounds.
int Pixels(int twips) { return ::MulDiv(twips, ScreenDpi(), 1440); }
RECT PixelRect(int left, int top, int width, int height) {
  return {Pixels(left), Pixels(top), Pixels(left + width), Pixels(top + height)};
}

// The frame, the caption, the client size and the place; the controls' texts, places and
// states; the common controls the manifest binds; the tips and the cursor under the pointer;
// the focus and the tab order.
// At the screen's density: every place is the definition's twips in pixels.
TEST_F(MainWindowE2E, TheWindowAsItOpensUnderThePointerAndTheKeyboard) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(window), L"Dialwright VPN 1.00");
  // A caption and a system menu; neither sizeable nor minimisable nor maximisable.
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU) << std::hex << style;
  EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  // The common controls of version 6 come from the side-by-side store. (Wine's comctl32 says
  // 5.81 in its version information there and in system32 alike: its folder tells them apart.)
  const fs::path controls = program_->LoadedModule(L"comctl32.dll");
  EXPECT_NE(controls.parent_path().filename().wstring().find(L"common-controls_6595b64144ccf1df_6."),
            std::wstring::npos)
      << "the manifest does not bind the common controls of version 6: " << controls;

  RECT client{}, frame{};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, Pixels(4515));
  EXPECT_EQ(client.bottom, Pixels(3000));
  ::GetWindowRect(window, &frame);
  EXPECT_NEAR(frame.left, ::GetSystemMetrics(SM_CXSCREEN) - frame.right, 1) << "centred";
  EXPECT_NEAR(frame.top, ::GetSystemMetrics(SM_CYSCREEN) - frame.bottom, 1) << "centred";
  // The window's icon: Wine answers WM_GETICON from another process with nothing; the window
  // in this process has it (below).

  const struct {
    int id;
    const wchar_t* text;
    RECT rect;
    LONG kind;
    LRESULT check;
  } expected[] = {
      {kFirewall, L"Включить брандмауэр", PixelRect(360, 1680, 3375, 255), BS_AUTOCHECKBOX, BST_CHECKED},
      {kShortcut, L"Ярлык на рабочий стол", PixelRect(360, 2040, 3255, 255), BS_AUTOCHECKBOX, BST_CHECKED},
      {kButton, L"Создать VPN подключение к Интернет", PixelRect(120, 2400, 4275, 495), BS_DEFPUSHBUTTON, 0},
  };
  // The picture and the lines are painted by the window: these three are its only children.
  EXPECT_EQ(ChildWindows(window).size(), std::size(expected));
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
    EXPECT_EQ(style & (BS_TYPEMASK | WS_TABSTOP | WS_DISABLED), control.kind | WS_TABSTOP);
    EXPECT_EQ(::SendMessageW(child, BM_GETCHECK, 0, 0), control.check);
  }
  // Under the pointer: the picture has a tip and a hand cursor of its own, on its rectangle
  // only; the shortcut box has no tip. Each row turns the cursor from hand to arrow or back, so
  // that a row cannot pass on what the one before it showed. The points are at 96 dpi (the
  // picture is 300 x 100 there), scaled.
  const std::wstring pictureTip =
      (provider_.site == build_settings::DefaultSiteAddress
           ? L"Здесь может быть ссылка на ваш сервер. Перейти на сайт программы: "
           : L"Открыть сайт компании: ") +
      provider_.site;
  const struct {
    POINT point;
    std::wstring tip;
    bool hand;
  } places[] = {{{150, 176}, L"Создать подключение с выбранными параметрами", false},
                {{150, 50}, pictureTip, true},
                {{150, 105}, L"", false},  // below the lines
                {{10, 90}, pictureTip, true},
                {{60, 144}, L"", false},  // the shortcut box
                {{299, 1}, pictureTip, true},
                {{280, 120}, L"", false},
                {{60, 120}, L"Должна быть запущенна служба Брандмауэр Windows", false}};
  HCURSOR arrow = nullptr;
  for (const auto& place : places) {
    SCOPED_TRACE(testing::Message() << place.point.x << ", " << place.point.y);
    const POINT point{Pixels(place.point.x * 15), Pixels(place.point.y * 15)};
    EXPECT_EQ(TipAt(window, point, place.tip), place.tip);
    if (arrow == nullptr) arrow = CurrentCursor();
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return (CurrentCursor() != arrow) == place.hand; }, 2000ms));
  }

  // The keyboard: the button holds the focus; Tab goes on to the shortcut box, then the
  // firewall box, then round.
  const auto focusReaches = [&](int id) {
    return WaitUntil([&] { return FocusOf(program_->ThreadId()) == ::GetDlgItem(window, id); });
  };
  ASSERT_TRUE(focusReaches(kButton));
  for (const int next : {kShortcut, kFirewall, kButton, kShortcut}) {
    HWND focus = FocusOf(program_->ThreadId());
    ::PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0x000F0001);
    ::PostMessageW(focus, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001));
    EXPECT_TRUE(focusReaches(next)) << "Tab from " << ::GetDlgCtrlID(focus) << " to " << next;
  }
}

// The shell gets the built-in address and nothing else: the handler's whole command line is
// its own path and the address. The program opens it itself: under Wine it runs elevated, but
// so does the desktop's explorer, whose hand would give the browser no lesser rights. COM,
// entered for the shell, is left as the program ends: it still ends cleanly.
TEST_F(MainWindowE2E, PictureClickOpensTheSiteWithTheOpenVerbMaximisedAndTheProgramEndsCleanly) {
  const ScratchFile recorded(OpenRecorderFile().wstring() + L".record");
  const fs::path record = recorded.path();
  // The "open" verb of the site's scheme runs the recorder instead of a browser.
  const std::wstring scheme = provider_.site.substr(0, provider_.site.find(L':'));
  const std::wstring recorder = L"\"" + OpenRecorderFile().wstring() + L"\"";
  ScopedRegistryValue handler(L"Software\\Classes\\" + scheme + L"\\shell\\open\\command",
                              recorder + L" \"%1\"");
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 50));
  ASSERT_TRUE(WaitUntil([&] { return !Lines(record).empty(); })) << "no handler started";
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 50));  // a release alone is no click
  EXPECT_FALSE(WaitUntil([&] { return Lines(record).size() > 1; }, 2000ms)) << "opened twice";
  EXPECT_EQ(Lines(record), std::vector<std::string>{Utf8(recorder + L" \"" + provider_.site +
                                                         L"\"\tshow=3\tby=Dialwright VPN 1.0.exe")});
  EXPECT_TRUE(program_->MessageBoxes().empty()) << "the program showed a message of its own";
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(MainWindowE2E, EntryIsNamedAfterTheProviderInCodePage1251AndDialsItsServer) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  for (int box : {kFirewall, kShortcut}) ::SendMessageW(::GetDlgItem(window, box), BM_CLICK, 0, 0);
  ::PostMessageW(::GetDlgItem(window, kButton), BM_CLICK, 0, 0);
  ASSERT_NE(program_->WaitForMessageBox(), nullptr) << "no confirmation";
  const std::string phonebook = ReadFile(scratch_ / L"rasphone.pbk");
  EXPECT_NE(phonebook.find("[" + Cp1251(provider_.name) + " INTERNET]\r\n"), std::string::npos)
      << phonebook;
  EXPECT_NE(phonebook.find("szLocalPhoneNumber=" + Cp1251(provider_.server) + "\r\n"),
            std::string::npos);
  // A provider's tunnel: its strategy, and the key set after the entry.
  if (const auto lines = EnvironmentValue(L"DIALWRIGHT_PROVIDER_ENTRY_LINES")) {
    for (std::size_t start = 0; start < lines->size();) {
      const std::size_t end = std::min(lines->find(L';', start), lines->size());
      EXPECT_NE(phonebook.find("\r\n" + Cp1251(lines->substr(start, end - start)) + "\r\n"), std::string::npos)
          << Utf8(lines->substr(start, end - start)) << " not in\n" << phonebook;
      start = end + 1;
    }
  }
}

// In this process, where the window's own cursor and icon can be read (Wine shows another
// process none of them): the icon; a line painted; the hand over the picture at the system's
// cursor size, its hot spot on the fingertip, (5, 0) of 32 x 32 scaled; a quit kept for the
// loop; and a second window of the class.
TEST(MainWindowInProcess, TheHandAtTheSystemsCursorSizeWithItsHotSpotOnTheFingertip) {
  basMain::FillSettings();
  platform::win32::RasPhonebookService phonebook;
  platform::win32::WindowsAutomation automation;
  app::CreateConnectionCommand command(phonebook, automation);
  ОсновнаяФорма form(::GetModuleHandleW(nullptr), command);
  form.Show();
  EXPECT_NE(::SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0), 0) << "no icon";
  HDC dc = ::GetDC(form.Handle());  // the first line, in the desktop's colour
  EXPECT_EQ(::GetPixel(dc, Pixels(2250), Pixels(1500)), ::GetSysColor(COLOR_BACKGROUND));
  ::ReleaseDC(form.Handle(), dc);
  POINT picture{Pixels(2250), Pixels(750)};
  ::ClientToScreen(form.Handle(), &picture);
  ::SetCursorPos(picture.x, picture.y);
  CURSORINFO cursor{sizeof(CURSORINFO), 0, nullptr, {}};
  ASSERT_TRUE(WaitUntil([&] {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    return ::GetCursorInfo(&cursor) && cursor.hCursor != ::LoadCursorW(nullptr, IDC_ARROW);
  })) << "no hand over the picture";
  ICONINFO hand{};
  ASSERT_TRUE(::GetIconInfo(cursor.hCursor, &hand));
  BITMAP mask{};
  ::GetObjectW(hand.hbmMask, sizeof mask, &mask);
  const int size = ::GetSystemMetrics(SM_CXCURSOR);
  EXPECT_EQ(mask.bmWidth, size);
  EXPECT_EQ(mask.bmHeight, hand.hbmColor ? size : 2 * size);  // a monochrome cursor's two masks
  EXPECT_NEAR(static_cast<int>(hand.xHotspot), 5 * size / 32, 1);
  EXPECT_EQ(hand.yHotspot, 0u);
  // The AND mask's top row: drawn (0) at the hot spot, so it is on the fingertip.
  std::vector<BYTE> bits(static_cast<std::size_t>(mask.bmWidthBytes) * mask.bmHeight);
  ::GetBitmapBits(hand.hbmMask, static_cast<LONG>(bits.size()), bits.data());
  EXPECT_EQ((bits[hand.xHotspot / 8] >> (7 - hand.xHotspot % 8)) & 1, 0)
      << "the hot spot is not on the hand: " << hand.xHotspot;
  ::DeleteObject(hand.hbmMask);
  ::DeleteObject(hand.hbmColor);
  // A quit that comes while a run lets messages through is left for the message loop.
  ::PostQuitMessage(7);
  form.ProcessPendingMessages();
  MSG quit{};
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7);
  ОсновнаяФорма second(::GetModuleHandleW(nullptr), command);
  EXPECT_NO_THROW(second.Show()) << "the class is registered once a process";
}

}  // namespace
