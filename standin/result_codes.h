// The result codes the stand-in answers. They are the service's own values, so the program
// treats them exactly as it would treat the system's.
#pragma once

#include <cstdint>

namespace standin {

using ResultCode = std::uint32_t;

inline constexpr ResultCode kSuccess = 0;
inline constexpr ResultCode kNotEnoughMemory = 8;
inline constexpr ResultCode kInvalidParameter = 87;
inline constexpr ResultCode kInvalidName = 123;
inline constexpr ResultCode kBufferTooSmall = 603;
inline constexpr ResultCode kCannotOpenPhonebook = 621;
inline constexpr ResultCode kCannotFindEntry = 623;
inline constexpr ResultCode kCannotWritePhonebook = 624;
inline constexpr ResultCode kCorruptPhonebook = 625;
inline constexpr ResultCode kInvalidSize = 632;

}  // namespace standin
