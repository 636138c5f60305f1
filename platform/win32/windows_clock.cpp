// platform::Sleep.
#include <windows.h>

#include "platform/system.h"

namespace platform {

void Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform
