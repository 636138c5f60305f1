// One run of a program under measurement: started, watched, and ended again, also when the
// measurement fails half-way.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/unique_resource.h"

namespace bench {

class LaunchedProgram {
 public:
  // Starts the program with the arguments. Throws std::runtime_error when it cannot start.
  explicit LaunchedProgram(const std::wstring& path, const std::wstring& arguments = L"");
  ~LaunchedProgram();
  LaunchedProgram(const LaunchedProgram&) = delete;
  LaunchedProgram& operator=(const LaunchedProgram&) = delete;

  DWORD Id() const { return processId_; }

  // Asks probe(Id()) every millisecond until it answers a window. Throws when the process
  // ends first or timeoutMs pass.
  HWND WaitFor(const std::function<HWND(DWORD processId)>& probe, DWORD timeoutMs,
               const char* what) const;

  // The most memory the process has had in its working set so far, in bytes.
  SIZE_T PeakWorkingSet() const;

  // Ends the process at once. A window closed the usual way makes Wine wait two seconds
  // for a window manager that Xvfb does not have, which would be most of a run's time.
  void End();

 private:
  platform::win32::UniqueHandle process_;
  DWORD processId_ = 0;
};

// Win32 paths pass through; a Unix path (/...) is taken on Wine's drive of the root, Z:.
std::wstring WindowsPath(const std::wstring& path);

}  // namespace bench
