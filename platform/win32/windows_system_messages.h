// FormatMessageA of kernel32, reading the system's message table.
#pragma once

#include "platform/system_messages.h"

namespace platform::win32 {

class WindowsSystemMessages final : public SystemMessages {
 public:
  std::uint32_t FormatMessageA(std::uint32_t flags, std::uint32_t messageId,
                               std::uint32_t languageId, char* buffer,
                               std::uint32_t size) override;
};

}  // namespace platform::win32
