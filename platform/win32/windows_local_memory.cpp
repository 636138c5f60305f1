// platform::LocalAlloc and LocalFree.
#include <windows.h>

#include "platform/system.h"

namespace platform {

void* LocalAlloc(std::uint32_t flags, std::size_t bytes) { return ::LocalAlloc(flags, bytes); }

void LocalFree(void* memory) { ::LocalFree(memory); }

}  // namespace platform
