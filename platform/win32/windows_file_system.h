// The file operations of the system (kernel32).
#pragma once

#include "platform/file_system.h"

namespace platform::win32 {

class WindowsFileSystem final : public FileSystem {
 public:
  bool DeleteFileA(const std::string& ansiPath) override;
};

}  // namespace platform::win32
