// Numbers as text without the C library's printf. std::to_wstring and snprintf format
// through MinGW's own printf, which alone is about 37 KB of the program file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Decimal digits with a minus sign before a negative value, as std::to_wstring writes them.
inline std::wstring DecimalText(std::int64_t value) {
  // Through the unsigned magnitude, so that the most negative value needs no negation.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  wchar_t text[20];  // a sign and the 19 digits of 2^63
  std::size_t start = sizeof text / sizeof text[0];
  do {
    text[--start] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) text[--start] = L'-';
  return std::wstring(text + start, text + sizeof text / sizeof text[0]);
}

// "0x" and eight upper-case hexadecimal digits, the way HRESULTs are written.
inline std::string HexText(std::uint32_t value) {
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(value >> shift) & 0xF];
  return text;
}

}  // namespace platform
