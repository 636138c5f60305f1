#include "standin/pbk_escape.h"

namespace standin {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool NeedsHexEscape(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string Escape(std::string_view raw) {
  std::string escaped;
  escaped.reserve(raw.size());
  for (const char c : raw) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      escaped += "\\\\";
    } else if (NeedsHexEscape(byte)) {
      escaped += "\\x";
      escaped += kHexDigits[byte >> 4];
      escaped += kHexDigits[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

bool Unescape(std::string_view escaped, std::string& raw) {
  raw.clear();
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (NeedsHexEscape(static_cast<unsigned char>(c))) return false;
    if (c != '\\') {
      raw += c;
      continue;
    }
    if (i + 1 < escaped.size() && escaped[i + 1] == '\\') {
      raw += '\\';
      i += 1;
      continue;
    }
    if (i + 3 >= escaped.size() || escaped[i + 1] != 'x') return false;
    const int high = HexValue(escaped[i + 2]);
    const int low = HexValue(escaped[i + 3]);
    if (high < 0 || low < 0) return false;
    raw += static_cast<char>(high * 16 + low);
    i += 3;
  }
  return true;
}

}  // namespace standin
