// Puts a text into a fixed-width text field of an entry image.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ansi_code_page.h"

namespace modRASVPN {

// Copies the text's ANSI bytes into the field: as many bytes as the text has characters, at
// most width (and never more than the field holds). No terminator is written: the image is
// zero-filled, so a shorter text ends at the next byte, and a text of width characters or more
// fills the field and is cut there.
void CopyTextField(std::span<std::uint8_t> destination, const std::wstring& text,
                   std::int32_t width, const platform::AnsiCodePage& ansi);

}  // namespace modRASVPN
