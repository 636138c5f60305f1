// platform::ProcessIsElevated, and the same question of another process.
#include "platform/system.h"
#include "platform/win32/process_elevation.h"
#include "platform/win32/unique_resource.h"

namespace platform {

bool win32::IsElevated(HANDLE process) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
  const UniqueHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

bool win32::WindowProcessIsElevated(HWND window) {
  DWORD owner = 0;
  if (::GetWindowThreadProcessId(window, &owner) == 0) return false;
  const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner));
  return process && IsElevated(process.get());
}

bool ProcessIsElevated() { return win32::IsElevated(::GetCurrentProcess()); }

}  // namespace platform
