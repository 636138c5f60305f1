// Starts programs of the system directory. The program's file is always taken from there,
// never found by a search, so a copy planted beside the program or in the current directory
// is never run; the command line is handed over exactly as given. A function, not an object:
// the program links the Windows one (platform/win32/windows_process_launcher.cpp), the
// portable tests one that records.
#pragma once

#include <chrono>
#include <string>

namespace platform {

inline constexpr int SW_HIDE_STATE = 0;

struct ProcessStart {
  std::wstring systemProgram;  // file name in the system directory, e.g. L"netsh.exe"
  std::wstring commandLine;    // unchanged, program name included, as the process sees it
  int windowState = SW_HIDE_STATE;
  // How long to wait for the process to end before going on; zero: do not wait.
  std::chrono::milliseconds waitAtMost{0};
};

// False when the process could not be started. A process still running after the wait runs
// on by itself.
bool StartProcess(const ProcessStart& start);

}  // namespace platform
