// Turns the zero-terminated ANSI bytes of an entry name into a text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ansi_code_page.h"

namespace modRASVPN {

// The bytes before the first zero, at most bytes.size() - 1 of them: the last byte (the
// terminator's place in szEntryName[257]) never becomes part of the name. The bytes are
// converted together, so a double-byte character of a multi-byte code page stays whole.
std::wstring EntryNameFromBytes(const platform::AnsiCodePage& ansi,
                                std::span<const std::uint8_t> bytes);

}  // namespace modRASVPN
