// platform::FormatSystemMessage: FormatMessageA with no message source and no arguments.
#include <windows.h>

#include "platform/system.h"

namespace platform {

std::uint32_t FormatSystemMessage(std::uint32_t flags, std::uint32_t messageId,
                                  std::uint32_t languageId, char* buffer, std::uint32_t size) {
  return ::FormatMessageA(flags, nullptr, messageId, languageId, buffer, size, nullptr);
}

}  // namespace platform
