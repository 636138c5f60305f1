#include "phonebook/copy_text_field.h"

#include <algorithm>

namespace modRASVPN {

void CopyTextField(std::span<std::uint8_t> destination, const std::wstring& text,
                   std::int32_t width, const platform::AnsiCodePage& ansi) {
  if (text.empty() || width <= 0) return;
  const std::string bytes = ansi.ToAnsi(text);
  const std::size_t count = std::min({text.size(), static_cast<std::size_t>(width),
                                      destination.size(), bytes.size()});
  std::copy_n(bytes.begin(), count, destination.begin());
}

}  // namespace modRASVPN
