#include "phonebook/entry_name_from_bytes.h"

namespace modRASVPN {

std::wstring EntryNameFromBytes(const platform::AnsiCodePage& ansi,
                                std::span<const std::uint8_t> bytes) {
  std::wstring name;
  if (bytes.empty()) return name;
  const std::size_t upperBound = bytes.size() - 1;
  for (std::size_t k = 0; k < upperBound && bytes[k] != 0; ++k) {
    const char byte = static_cast<char>(bytes[k]);
    name += ansi.FromAnsi(std::string_view(&byte, 1));
  }
  return name;
}

}  // namespace modRASVPN
