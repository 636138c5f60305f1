// The system's message table (FormatMessageA with no message source and no arguments).
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t FORMAT_MESSAGE_IGNORE_INSERTS_FLAG = 0x00000200;
inline constexpr std::uint32_t FORMAT_MESSAGE_FROM_SYSTEM_FLAG = 0x00001000;

class SystemMessages {
 public:
  virtual ~SystemMessages() = default;
  // FormatMessageA(flags, null, messageId, languageId, buffer, size, null): the number of
  // bytes written without the terminating zero, 0 on failure.
  virtual std::uint32_t FormatMessageA(std::uint32_t flags, std::uint32_t messageId,
                                       std::uint32_t languageId, char* buffer,
                                       std::uint32_t size) = 0;
};

}  // namespace platform
