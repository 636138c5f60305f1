#include "tests/fakes/cp1251_code_page.h"

#include <array>

namespace fakes {
namespace {

// Bytes 0x80..0xBF of Windows-1251; 0xC0..0xFF are А..я (U+0410..U+044F) in order.
constexpr std::array<wchar_t, 64> kHighRow = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

wchar_t ToWide(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<wchar_t>(0x0410 + (byte - 0xC0));
  return kHighRow[byte - 0x80];
}

char ToByte(wchar_t character) {
  if (character < 0x80) return static_cast<char>(character);
  if (character >= 0x0410 && character <= 0x044F)
    return static_cast<char>(0xC0 + (character - 0x0410));
  for (std::size_t i = 0; i < kHighRow.size(); ++i)
    if (kHighRow[i] == character) return static_cast<char>(0x80 + i);
  return '?';  // the system's default character for what the code page lacks
}

}  // namespace

std::string Cp1251CodePage::ToAnsi(std::wstring_view text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t character : text) bytes.push_back(ToByte(character));
  return bytes;
}

std::wstring Cp1251CodePage::FromAnsi(std::string_view bytes) const {
  std::wstring text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(ToWide(static_cast<unsigned char>(byte)));
  return text;
}

}  // namespace fakes
