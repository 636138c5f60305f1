// The window at work: what the command reads of it, its messages while the command runs,
// the window procedure and the message loop.
#include "app/win32/main_window.h"

#include <windowsx.h>

#include <utility>

namespace mw = app::main_window;

// ---- what the command reads

std::wstring ОсновнаяФорма::Caption() const {
  const int length = ::GetWindowTextLengthW(window_.get());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window_.get(), text.data(), static_cast<int>(text.size()))));
  return text;
}

int ОсновнаяФорма::ShortcutValue() const {
  return static_cast<int>(::SendMessageW(Control(mw::ShortcutCheckBox), BM_GETCHECK, 0, 0));
}

int ОсновнаяФорма::FirewallValue() const {
  return static_cast<int>(::SendMessageW(Control(mw::FirewallCheckBox), BM_GETCHECK, 0, 0));
}

void ОсновнаяФорма::ProcessPendingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave it for the message loop, which ends the program.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    RethrowFatalError();
  }
}

bool ОсновнаяФорма::PreTranslateMessage(MSG& message) {
  return window_ && ::IsDialogMessageW(window_.get(), &message);
}

void ОсновнаяФорма::RethrowFatalError() {
  if (fatalError_) std::rethrow_exception(std::exchange(fatalError_, nullptr));
}

// ---- the window procedure

LRESULT CALLBACK ОсновнаяФорма::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* form = reinterpret_cast<ОсновнаяФорма*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return ::DefWindowProcW(window, message, wParam, lParam);
  // No exception may cross the system's frames: it is kept and thrown again by the loop.
  try {
    return form->HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    form->fatalError_ = std::current_exception();
    return 0;
  }
}

bool ОсновнаяФорма::OverPicture(LPARAM clientPoint) const {
  const mw::PixelRect rect = Pixels(mw::Image1.bounds);
  const int x = GET_X_LPARAM(clientPoint);
  const int y = GET_Y_LPARAM(clientPoint);
  return x >= rect.left && x < rect.left + rect.width && y >= rect.top && y < rect.top + rect.height;
}

bool ОсновнаяФорма::CursorOverPicture() const {
  POINT point;
  if (!::GetCursorPos(&point) || !::ScreenToClient(window_.get(), &point)) return false;
  return OverPicture(MAKELPARAM(point.x, point.y));
}

void ОсновнаяФорма::OnActivate(WPARAM wParam) {
  // A plain window does not remember its focused control; the dialog manager's habit is
  // kept by hand: the focus comes back where it was, at first on the button.
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(window_.get(), focus)) focusBeforeDeactivation_ = focus;
    return;
  }
  HWND focus = focusBeforeDeactivation_ && ::IsWindow(focusBeforeDeactivation_)
                   ? focusBeforeDeactivation_
                   : Control(*mw::kTabOrder.front());
  ::SetFocus(focus);
}

LRESULT ОсновнаяФорма::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      Paint(dc);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      // Over the picture only; over a child window the child's own cursor stays.
      if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT &&
          picturePointerStyle_ == mw::kCustomPointerStyle && pictureCursor_ &&
          CursorOverPicture()) {
        ::SetCursor(pictureCursor_.get());
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      pictureButtonDown_ = OverPicture(lParam);
      return 0;
    case WM_LBUTTONUP:
      // A click is a press and a release, both over the picture.
      if (std::exchange(pictureButtonDown_, false) && OverPicture(lParam)) {
        mw::ClickImage1();
      }
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == mw::CreateConnectionButton.id && HIWORD(wParam) == BN_CLICKED) {
        createConnection_.Click(*this);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_DESTROY:
      if (quitOnDestroy_) ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int RunMessageLoop(ОсновнаяФорма& form) {
  MSG message;
  BOOL result;
  while ((result = ::GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (result == -1) return 1;
    if (!form.PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    form.RethrowFatalError();
  }
  return static_cast<int>(message.wParam);
}
