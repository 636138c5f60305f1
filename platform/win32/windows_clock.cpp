#include "platform/win32/windows_clock.h"

#include <windows.h>

namespace platform::win32 {

void WindowsClock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform::win32
