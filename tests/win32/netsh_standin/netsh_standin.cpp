// Stands in for netsh.exe: appends its command line, exactly as the process received it,
// as one UTF-8 line to a record file, and changes nothing.
//   DIALWRIGHT_NETSH_RECORD   the record file (default: netsh-record.txt beside this program)
//   DIALWRIGHT_NETSH_STARTUP  a second file that gets "show=<wShowWindow> flags=<dwFlags>"
//                             per run: how the process was asked to show its window
//   DIALWRIGHT_NETSH_SLOW     a command line containing this text is recorded only after
//                             1.5 s, so a caller that does not wait sees the next one first
#include <windows.h>

#include <string>

#include "tests/support/files.h"

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD length = ::GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return {};
  return std::wstring(buffer, length);
}

std::wstring DefaultRecord() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"netsh-record.txt";
  std::wstring record(path, length);
  return record.substr(0, record.find_last_of(L'\\') + 1) + L"netsh-record.txt";
}

}  // namespace

int wmain() {
  const std::wstring commandLine = ::GetCommandLineW();
  const std::wstring slow = Environment(L"DIALWRIGHT_NETSH_SLOW");
  if (!slow.empty() && commandLine.find(slow) != std::wstring::npos) ::Sleep(1500);

  const std::wstring startupRecord = Environment(L"DIALWRIGHT_NETSH_STARTUP");
  if (!startupRecord.empty()) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    support::AppendLine(startupRecord, L"show=" + std::to_wstring(startup.wShowWindow) +
                                  L" flags=" + std::to_wstring(startup.dwFlags));
  }

  std::wstring record = Environment(L"DIALWRIGHT_NETSH_RECORD");
  if (record.empty()) record = DefaultRecord();
  support::AppendLine(record, commandLine);
  return 0;
}
