// Waiting on the user-interface thread. A function, not an object: the program links the
// Windows one (platform/win32/windows_clock.cpp), the tests link one that records.
#pragma once

#include <cstdint>

namespace platform {

void Sleep(std::uint32_t milliseconds);

}  // namespace platform
