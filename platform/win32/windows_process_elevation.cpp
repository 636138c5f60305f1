// platform::ProcessIsElevated: the process token's elevation. Windows XP does not know the
// question (GetTokenInformation refuses TokenElevation there): not elevated.
#include <windows.h>

#include "platform/system.h"
#include "platform/win32/unique_resource.h"

namespace platform {

bool ProcessIsElevated() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const win32::UniqueHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

}  // namespace platform
