// The few file operations the program makes itself.
#pragma once

#include <string>

namespace platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // DeleteFileA: the path in the system's ANSI code page. False when nothing was deleted.
  virtual bool DeleteFileA(const std::string& ansiPath) = 0;
};

}  // namespace platform
