// LocalAlloc/LocalFree of kernel32.
#pragma once

#include "platform/local_memory.h"

namespace platform::win32 {

class WindowsLocalMemory final : public LocalMemory {
 public:
  void* LocalAlloc(std::uint32_t flags, std::size_t bytes) override;
  void LocalFree(void* memory) override;
};

}  // namespace platform::win32
