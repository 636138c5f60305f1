// Stands in for the web browser: the e2e tests register it as the handler of the "open" verb
// of http addresses. It appends its command line, the show command it was started with and
// the program that started it to "<its own path>.record", as UTF-8, one line per start.
#include <windows.h>

#include <tlhelp32.h>

#include <string>

#include "platform/win32/unique_resource.h"
#include "tests/support/files.h"

namespace {

std::wstring ParentProgram() {
  const platform::win32::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD parent = 0;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry))
    if (entry.th32ProcessID == ::GetCurrentProcessId()) parent = entry.th32ParentProcessID;
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry))
    if (entry.th32ProcessID == parent) return entry.szExeFile;
  return L"?";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  ::GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  return support::AppendLine(std::wstring(path) + L".record",
                             std::wstring(::GetCommandLineW()) + L"\tshow=" +
                                 std::to_wstring(show) + L"\tby=" + ParentProgram())
             ? 0
             : 3;
}
