#include "standin/error_strings.h"

#include <array>
#include <string_view>
#include <utility>

namespace standin {
namespace {

constexpr std::array<std::pair<ResultCode, std::string_view>, 9> kMessages = {{
    {kNotEnoughMemory, "Недостаточно памяти для выполнения операции."},
    {kInvalidParameter, "Параметр задан неверно."},
    {kInvalidName, "Недопустимое имя записи телефонной книги."},
    {kBufferTooSmall, "Недостаточный размер буфера."},
    {kCannotOpenPhonebook, "Не удается открыть файл телефонной книги."},
    {kCannotFindEntry, "Не удается найти запись в телефонной книге."},
    {kCannotWritePhonebook, "Не удается записать файл телефонной книги."},
    {kCorruptPhonebook, "Файл телефонной книги поврежден."},
    {kInvalidSize, "Неверный размер структуры."},
}};

// The texts above are UTF-8 and use only ASCII and the Russian alphabet, which Windows-1251
// holds at 0xC0..0xFF (А..я), 0xA8 (Ё) and 0xB8 (ё).
std::string ToCp1251(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80 || i + 1 == utf8.size()) {
      bytes += static_cast<char>(lead);
      continue;
    }
    const auto trail = static_cast<unsigned char>(utf8[++i]);
    const unsigned code = (lead & 0x1Fu) << 6 | (trail & 0x3Fu);
    if (code >= 0x0410 && code <= 0x044F)
      bytes += static_cast<char>(0xC0 + (code - 0x0410));
    else if (code == 0x0401)
      bytes += '\xA8';
    else if (code == 0x0451)
      bytes += '\xB8';
    else
      bytes += '?';
  }
  return bytes;
}

}  // namespace

std::optional<std::string> ErrorStringOf(ResultCode code) {
  for (const auto& [known, text] : kMessages)
    if (known == code) return ToCp1251(text);
  return std::nullopt;
}

}  // namespace standin
