#include "platform/win32/windows_local_memory.h"

#include <windows.h>

namespace platform::win32 {

void* WindowsLocalMemory::LocalAlloc(std::uint32_t flags, std::size_t bytes) {
  return ::LocalAlloc(flags, bytes);
}

void WindowsLocalMemory::LocalFree(void* memory) { ::LocalFree(memory); }

}  // namespace platform::win32
