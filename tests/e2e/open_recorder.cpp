// Stands in for the web browser: the e2e tests register it as the handler of the "open" verb
// of http addresses. It appends its command line and the show command it was started with to
// the file named by DIALWRIGHT_OPEN_RECORD, as UTF-8, one line per start.
#include <windows.h>

#include <string>

#include "tests/support/files.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"DIALWRIGHT_OPEN_RECORD", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  ::GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  return support::AppendLine(path, std::wstring(::GetCommandLineW()) + L"\tshow=" +
                                           std::to_wstring(show))
             ? 0
             : 3;
}
