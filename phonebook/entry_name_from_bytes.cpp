#include "phonebook/entry_name_from_bytes.h"

#include <algorithm>

namespace modRASVPN {

std::wstring EntryNameFromBytes(const platform::AnsiCodePage& ansi,
                                std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return {};
  // The name ends at its first zero byte, and never takes the field's last byte.
  const auto field = bytes.first(bytes.size() - 1);
  const auto length = static_cast<std::size_t>(
      std::find(field.begin(), field.end(), std::uint8_t{0}) - field.begin());
  // Converted as one text, so that a double-byte code page's pairs come out as one
  // character each; in a single-byte code page this is the byte-by-byte result.
  return ansi.FromAnsi(std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

}  // namespace modRASVPN
