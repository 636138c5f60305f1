// Texts are stored as the ANSI bytes they arrived in. Only the bytes that would break a line
// of the file are escaped: the backslash as \\ and every control byte as \xHH, so any byte
// sequence survives a round trip and Cyrillic stays readable in its code page.
#pragma once

#include <string>
#include <string_view>

namespace standin {

std::string Escape(std::string_view raw);

// False for a text that Escape cannot have produced.
bool Unescape(std::string_view escaped, std::string& raw);

}  // namespace standin
