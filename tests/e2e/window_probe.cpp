// A helper of `make run` (tools/run.sh), started in the program's Wine desktop:
//   window_probe wait CLASS SECONDS   prints the window's rectangle and where its client area
//                                     starts, "left top right bottom clientLeft clientTop",
//                                     once a window of CLASS is visible and has painted; exit 1
//                                     if none appears in time
//   window_probe close CLASS          asks every window of CLASS to close, like its close button
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "tests/support/driver.h"

namespace {

using namespace support;

// A window of the class in any process of the desktop.
HWND VisibleWindowOfClass(const wchar_t* className) { return VisibleTopLevelWindow(0, className); }

int Wait(const wchar_t* className, int seconds) {
  HWND window = nullptr;
  if (!WaitUntil([&] { return (window = VisibleWindowOfClass(className)) != nullptr; },
                 std::chrono::seconds(seconds)))
    return 1;
  // Keep the pointer off the window, so that no tooltip covers it; then let it finish
  // painting: it answers a sent message only from its message loop.
  ::SetCursorPos(0, 0);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  std::printf("%ld %ld %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom, client.x,
              client.y);
  return 0;
}

int Close(const wchar_t* className) {
  int closed = 0;
  while (HWND window = VisibleWindowOfClass(className)) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ++closed;
    if (!WaitUntil([&] { return !::IsWindow(window); }, 5000ms)) return 1;
  }
  return closed ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"wait") == 0) return Wait(argv[2], _wtoi(argv[3]));
  if (argc == 3 && std::wcscmp(argv[1], L"close") == 0) return Close(argv[2]);
  std::fprintf(stderr, "usage: window_probe wait CLASS SECONDS | close CLASS\n");
  return 2;
}
