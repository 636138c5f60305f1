// Records the paths handed to DeleteFileA.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace fakes {

class FakeFileSystem final : public platform::FileSystem {
 public:
  bool DeleteFileA(const std::string& ansiPath) override {
    deleted.push_back(ansiPath);
    return false;
  }
  std::vector<std::string> deleted;
};

}  // namespace fakes
