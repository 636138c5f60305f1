// platform::DeleteFileA.
#include <windows.h>

#include "platform/system.h"

namespace platform {

bool DeleteFileA(const std::string& ansiPath) { return ::DeleteFileA(ansiPath.c_str()) != FALSE; }

}  // namespace platform
