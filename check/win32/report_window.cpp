#include "check/win32/report_window.h"

#include "platform/win32/unique_resource.h"

namespace check::win32 {
namespace {

constexpr wchar_t kClassName[] = L"DialwrightCheckReport";

// The window's one child: the report's text.
HWND TextOf(HWND window) { return ::GetWindow(window, GW_CHILD); }

HFONT MessageFont() {
  NONCLIENTMETRICSW metrics{};
  // The size without the padded width of Vista's field: what XP knows.
  metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
  return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ::MoveWindow(TextOf(window), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(TextOf(window));
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

// The report with Windows' line ends, which the edit control shows as line breaks.
std::wstring WithCarriageReturns(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text) {
    if (c == L'\n') shown += L'\r';
    shown += c;
  }
  return shown;
}

}  // namespace

void ShowReport(HINSTANCE instance, const std::wstring& title, const std::wstring& text) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);

  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  HWND window = ::CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, ::MulDiv(720, dpi, 96), ::MulDiv(520, dpi, 96),
                                  nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return;
  HWND edit = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", WithCarriageReturns(text).c_str(),
      // Long lines wrap at the window's edge.
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
      0, 0, 0, 0, window, nullptr, instance, nullptr);
  const platform::win32::UniqueResource<HFONT, ::DeleteObject> font(MessageFont());
  if (edit && font) ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetFocus(edit);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace check::win32
