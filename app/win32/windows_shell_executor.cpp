#include "app/win32/windows_shell_executor.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/com_apartment.h"

namespace app::win32 {

void WindowsShellExecutor::Execute(const std::string& verb, const std::string& file,
                                   const std::string& parameters, const std::string& directory,
                                   int showCommand) {
  // The shell may run the verb through COM. Without an apartment it still tries.
  platform::win32::EnsureComApartment();
  // No owner window: whatever the shell shows on a failure is its own, and the result is not
  // looked at.
  ::ShellExecuteA(nullptr, verb.c_str(), file.c_str(), parameters.c_str(), directory.c_str(),
                  showCommand);
}

}  // namespace app::win32
