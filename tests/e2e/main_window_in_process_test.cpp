// ОсновнаяФорма created in this process (which links the program's resources): what only the
// window's own thread can see, and the seams the create-connection command uses.
#include <gtest/gtest.h>

#include "app/fatal_error.h"
#include "app/settings.h"
#include "app/win32/main_window.h"

namespace {

constexpr int kFirewall = 1002;
constexpr int kShortcut = 1003;
constexpr int kButton = 1004;

struct IconFacts {
  int width = 0;
  int height = 0;
  POINT hotSpot{-1, -1};
  bool monochrome = false;
};

IconFacts FactsOf(HICON icon) {
  IconFacts facts;
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return facts;
  BITMAP mask{};
  ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
  facts.width = mask.bmWidth;
  facts.monochrome = info.hbmColor == nullptr;
  facts.height = facts.monochrome ? mask.bmHeight / 2 : mask.bmHeight;
  facts.hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return facts;
}

bool QuitPending() {
  MSG message;
  return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

class MainWindowInProcess : public testing::Test {
 protected:
  void SetUp() override { basMain::FillSettings(); }
  void TearDown() override {
    // Nothing may be left for the next test.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
};

TEST_F(MainWindowInProcess, ButtonClickHandsTheWindowToTheCommand) {
  app::CommandWindow* clicked = nullptr;
  std::wstring caption;
  int shortcut = -1;
  int firewall = -1;
  ОсновнаяФорма form(::GetModuleHandleW(nullptr), [&](app::CommandWindow& window) {
    clicked = &window;
    caption = window.Caption();
    shortcut = window.ShortcutValue();
    firewall = window.FirewallValue();
  });
  form.Show();
  ::SendMessageW(::GetDlgItem(form.Handle(), kButton), BM_CLICK, 0, 0);
  EXPECT_EQ(clicked, &form);
  EXPECT_EQ(caption, L"Dialwright VPN 1.00");
  EXPECT_EQ(shortcut, 1);
  EXPECT_EQ(firewall, 1);

  // The values are the boxes' states as they are now, each read from its own box.
  ::SendMessageW(::GetDlgItem(form.Handle(), kShortcut), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ShortcutValue(), 0);
  EXPECT_EQ(form.FirewallValue(), 1);
  ::SendMessageW(::GetDlgItem(form.Handle(), kFirewall), BM_CLICK, 0, 0);
  ::SendMessageW(::GetDlgItem(form.Handle(), kShortcut), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ShortcutValue(), 1);
  EXPECT_EQ(form.FirewallValue(), 0);
  ::SetWindowTextW(form.Handle(), L"Другой заголовок");
  EXPECT_EQ(form.Caption(), L"Другой заголовок");
}

TEST_F(MainWindowInProcess, PendingMessagesAreHandledOnceAndQuitIsKeptForTheLoop) {
  ОсновнаяФорма form(::GetModuleHandleW(nullptr), nullptr);
  form.Show();
  HWND shortcut = ::GetDlgItem(form.Handle(), kShortcut);
  ::PostMessageW(shortcut, BM_CLICK, 0, 0);
  ::PostQuitMessage(7);
  form.ProcessPendingMessages();
  EXPECT_EQ(form.ShortcutValue(), 0) << "the posted click was handled";
  MSG message;
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST_F(MainWindowInProcess, AFailureInAnEventReachesTheMessageLoop) {
  ОсновнаяФорма form(::GetModuleHandleW(nullptr),
                     [](app::CommandWindow&) { throw app::FatalError(L"сбой команды"); });
  form.Show();
  ::PostMessageW(::GetDlgItem(form.Handle(), kButton), BM_CLICK, 0, 0);
  try {
    RunMessageLoop(form);
    ADD_FAILURE() << "the loop ended without the failure";
  } catch (const app::FatalError& error) {
    EXPECT_EQ(error.Text(), L"сбой команды");
  }
}

TEST_F(MainWindowInProcess, MissingCursorMakesLoadFatalWithoutEndingTheMessageQueue) {
  // kernel32 has no cursor 101: the window's resources are missing it.
  HMODULE noCursor = ::GetModuleHandleW(L"kernel32.dll");
  try {
    ОсновнаяФорма form(noCursor, nullptr);
    form.Show();
    ADD_FAILURE() << "Load went through without cursor 101";
  } catch (const app::FatalError& error) {
    EXPECT_NE(error.Text().find(L"курсор 101"), std::wstring::npos);
  }
  // A quit message would close the message box that reports the failure at once.
  EXPECT_FALSE(QuitPending());
}

TEST_F(MainWindowInProcess, HandCursorAndProgramIcon) {
  ОсновнаяФорма form(::GetModuleHandleW(nullptr), nullptr);
  form.Show();
  HWND window = form.Handle();

  POINT overPicture{150, 50};
  ::ClientToScreen(window, &overPicture);
  ::SetCursorPos(overPicture.x, overPicture.y);
  ASSERT_TRUE(::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  const IconFacts hand = FactsOf(::GetCursor());
  EXPECT_EQ(hand.width, 32);
  EXPECT_EQ(hand.height, 32);
  EXPECT_TRUE(hand.monochrome);
  EXPECT_EQ(hand.hotSpot.x, 5);
  EXPECT_EQ(hand.hotSpot.y, 0);

  const auto big = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  const auto small = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  EXPECT_EQ(FactsOf(big).width, ::GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(FactsOf(small).width, ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_FALSE(FactsOf(big).monochrome);
}

}  // namespace
