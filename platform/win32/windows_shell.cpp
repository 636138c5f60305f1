// platform::ShellExecuteA.
#include "platform/system.h"
#include "platform/win32/bound_functions.h"
#include "platform/win32/com_apartment.h"

namespace platform {

void ShellExecuteA(const std::string& verb, const std::string& file, int showCommand) {
  // The shell may run the verb through COM. Without an apartment it still tries.
  win32::EnsureComApartment();
  // No owner window: whatever the shell shows on a failure is its own, and the result is not
  // looked at. Without shell32 nothing opens, and nothing is said either.
  win32::bound::CallIfBound(win32::bound::ShellExecuteA, nullptr, verb.c_str(), file.c_str(),
                            "", "", showCommand);
}

}  // namespace platform
