// A probe of the loader, as the check runs it: imports one function of version.dll (a system
// DLL that is not a KnownDLL, so the loader searches for it) and does nothing else. Built
// twice, with the program's load configuration and without.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return ::GetFileVersionInfoSizeW(L"", nullptr) != 0 ? 1 : 0;
}
