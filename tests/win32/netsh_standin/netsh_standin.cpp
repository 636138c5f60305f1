// Stands in for netsh.exe: appends its command line, exactly as the process received it,
// as one UTF-8 line to a record file, and changes nothing.
//   DIALWRIGHT_NETSH_RECORD   the record file (without it, nothing is recorded)
//   DIALWRIGHT_NETSH_STARTUP  a second file that gets "show=<wShowWindow> flags=<dwFlags>"
//                             per run: how the process was asked to show its window
//   DIALWRIGHT_NETSH_SLOW     a command line containing this text is recorded only after
//                             1.5 s, so a caller that does not wait sees the next one first
//   DIALWRIGHT_NETSH_PRINT    a line it writes to its standard output in the console's (OEM)
//                             code page, as netsh writes
//   DIALWRIGHT_NETSH_EXIT     its exit code (0 without it)
//   DIALWRIGHT_NETSH_FILE     a file that gets its own file's path per run: which netsh.exe ran
#include <windows.h>

#include <string>

#include "tests/support/files.h"
#include "tests/support/scoped.h"

int wmain() {
  using support::EnvironmentValue;
  const std::wstring commandLine = ::GetCommandLineW();
  const auto slow = EnvironmentValue(L"DIALWRIGHT_NETSH_SLOW");
  if (slow && commandLine.find(*slow) != std::wstring::npos) ::Sleep(1500);
  if (const auto startupRecord = EnvironmentValue(L"DIALWRIGHT_NETSH_STARTUP")) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    support::AppendLine(*startupRecord, L"show=" + std::to_wstring(startup.wShowWindow) +
                                            L" flags=" + std::to_wstring(startup.dwFlags));
  }
  if (const auto record = EnvironmentValue(L"DIALWRIGHT_NETSH_RECORD"))
    support::AppendLine(*record, commandLine);
  if (const auto fileRecord = EnvironmentValue(L"DIALWRIGHT_NETSH_FILE")) {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    support::AppendLine(*fileRecord, std::wstring(path, length));
  }
  if (const auto print = EnvironmentValue(L"DIALWRIGHT_NETSH_PRINT")) {
    std::string bytes(print->size() * 2 + 2, '\0');
    bytes.resize(static_cast<std::size_t>(::WideCharToMultiByte(
        CP_OEMCP, 0, print->c_str(), static_cast<int>(print->size()), bytes.data(),
        static_cast<int>(bytes.size()), nullptr, nullptr)));
    bytes += "\r\n";
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                &written, nullptr);
  }
  const auto exitCode = EnvironmentValue(L"DIALWRIGHT_NETSH_EXIT");
  return exitCode ? std::stoi(*exitCode) : 0;
}
