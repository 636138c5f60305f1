#include "platform/win32/windows_file_system.h"

#include <windows.h>

namespace platform::win32 {

bool WindowsFileSystem::DeleteFileA(const std::string& ansiPath) {
  return ::DeleteFileA(ansiPath.c_str()) != FALSE;
}

}  // namespace platform::win32
