#include "bench/driver/launched_program.h"

#include <psapi.h>

#include <stdexcept>

namespace bench {

LaunchedProgram::LaunchedProgram(const std::wstring& path, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start the program (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  ::CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  processId_ = info.dwProcessId;
}

LaunchedProgram::~LaunchedProgram() {
  if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

HWND LaunchedProgram::WaitFor(const std::function<HWND(DWORD)>& probe, DWORD timeoutMs,
                              const char* what) const {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (HWND window = probe(processId_)) return window;
    if (::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0)
      throw std::runtime_error(std::string("the program ended before ") + what);
    if (::GetTickCount64() > deadline)
      throw std::runtime_error(std::string("timed out waiting for ") + what);
    ::Sleep(1);
  }
}

SIZE_T LaunchedProgram::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process_.get(), &counters, sizeof counters))
    throw std::runtime_error("cannot read the program's memory counters");
  return counters.PeakWorkingSetSize;
}

void LaunchedProgram::End() {
  ::TerminateProcess(process_.get(), 0);
  if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0)
    throw std::runtime_error("the program did not end");
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  for (wchar_t& c : windows)
    if (c == L'/') c = L'\\';
  return windows;
}

}  // namespace bench
