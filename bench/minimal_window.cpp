// The yardstick of the start-up and memory figures: a program that only opens one window,
// built the way the program is: the same compiler, flags and static runtime, the same
// manifest (common controls 6) and the same InitCommonControlsEx calls.
// Started with /box it also holds two check boxes and a button that shows one message box:
// the yardstick of the click, driven exactly as the program's window is. Its controls use the
// message font, as the program's do, so its first box finds that font made, as the
// program's does.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

namespace {

constexpr int kButtonId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kButtonId) {
    ::MessageBoxW(window, L"Подключение создано.", L"Minimal window", MB_ICONINFORMATION);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  for (const DWORD classes : {DWORD{ICC_USEREX_CLASSES}, DWORD{ICC_BAR_CLASSES}}) {
    const INITCOMMONCONTROLSEX record{sizeof(INITCOMMONCONTROLSEX), classes};
    ::InitCommonControlsEx(&record);
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"DialwrightMinimalWindow";
  if (::RegisterClassW(&windowClass) == 0) return 1;

  HWND window = ::CreateWindowW(windowClass.lpszClassName, L"Minimal window",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 309, 227, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  if (std::wcsstr(commandLine, L"/box") != nullptr) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont);  // lives as long as the process
    for (int top : {8, 32}) {
      HWND check = ::CreateWindowW(L"BUTTON", L"Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                   8, top, 200, 20, window, nullptr, instance, nullptr);
      ::SendMessageW(check, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    HWND button = ::CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 60,
                                  120, 30, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                  instance, nullptr);
    ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
