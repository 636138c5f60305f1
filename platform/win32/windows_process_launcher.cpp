// CreateProcessW with the program's full path in the system directory as the application
// name, so nothing is searched for; the command line goes unchanged, the window hidden.
#include "platform/system.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_resource.h"

namespace platform {

using win32::SystemDirectory;
using win32::UniqueHandle;

bool StartProcess(const ProcessStart& start) {
  const std::wstring directory = SystemDirectory();
  if (directory.empty() || start.systemProgram.empty()) return false;
  const std::wstring application = directory + L"\\" + start.systemProgram;
  // CreateProcessW may write into the command line it is given.
  std::wstring commandLine = start.commandLine;

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(start.windowState);
  PROCESS_INFORMATION process{};
  // CREATE_NO_WINDOW: a console program gets no console window to flash up either.
  if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
    return false;
  const UniqueHandle processHandle(process.hProcess);
  const UniqueHandle threadHandle(process.hThread);

  if (start.waitAtMost.count() > 0) {
    const auto milliseconds =
        std::min<long long>(start.waitAtMost.count(), static_cast<long long>(INFINITE) - 1);
    ::WaitForSingleObject(processHandle.get(), static_cast<DWORD>(milliseconds));
  }
  return true;
}

}  // namespace platform
