#include "platform/win32/windows_system_messages.h"

#include <windows.h>

namespace platform::win32 {

std::uint32_t WindowsSystemMessages::FormatMessageA(std::uint32_t flags, std::uint32_t messageId,
                                                    std::uint32_t languageId, char* buffer,
                                                    std::uint32_t size) {
  return ::FormatMessageA(flags, nullptr, messageId, languageId, buffer, size, nullptr);
}

}  // namespace platform::win32
