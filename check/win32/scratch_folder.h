// The one place the check writes to while it runs: a folder of its own under the user's
// temporary folder, removed with everything in it when the check is done. An interrupted run
// leaves at most this folder behind.
#pragma once

#include <string>

namespace check::win32 {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Its full path, without a closing backslash; empty when it could not be made.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace check::win32
