// A helper of `make run` (tools/run.sh), started in the program's Wine desktop:
//   window_probe wait CLASS SECONDS   prints the window's rectangle "left top right bottom" once
//                                     a window of CLASS is visible and has painted; exit 1 if
//                                     none appears in time
//   window_probe close CLASS          asks every window of CLASS to close, like its close button
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t name[256];
  if (::GetClassNameW(window, name, 256) && std::wcscmp(name, search.className) == 0 &&
      ::IsWindowVisible(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindWindowOfClass(const wchar_t* className) {
  Search search{className, nullptr};
  ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Wait(const wchar_t* className, int seconds) {
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  HWND window = nullptr;
  while (!(window = FindWindowOfClass(className))) {
    if (::GetTickCount64() > end) return 1;
    ::Sleep(50);
  }
  // Keep the pointer off the window, so that no tooltip covers it; then let it finish
  // painting: it answers a sent message only from its message loop.
  ::SetCursorPos(0, 0);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int Close(const wchar_t* className) {
  int closed = 0;
  while (HWND window = FindWindowOfClass(className)) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ++closed;
    const ULONGLONG end = ::GetTickCount64() + 5000;
    while (::IsWindow(window) && ::GetTickCount64() < end) ::Sleep(50);
    if (::IsWindow(window)) return 1;
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
