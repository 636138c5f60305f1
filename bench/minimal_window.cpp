// The yardstick of the start-up and memory figures: a program that only opens one window,
// built with the same compiler, flags and static runtime as the program itself.
// Started with /box it also holds a button that shows one message box: the yardstick of what
// a message box costs a process, so the click figure can be read against it.
#include <windows.h>

#include <cwchar>

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
    ::CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 8, 120, 30, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), instance, nullptr);
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
