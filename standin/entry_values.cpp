#include "standin/entry_values.h"

namespace standin {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string FormatNumber(std::uint32_t value) { return std::to_string(value); }

std::string FormatIpAddress(const IpAddress& address) {
  return std::to_string(address[0]) + '.' + std::to_string(address[1]) + '.' +
         std::to_string(address[2]) + '.' + std::to_string(address[3]);
}

std::string FormatGuid(const Guid& guid) {
  std::string text;
  for (const std::uint8_t byte : guid) {
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
  }
  return text;
}

bool ParseNumber(std::string_view text, std::uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  std::uint64_t result = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (result > UINT32_MAX) return false;
  value = static_cast<std::uint32_t>(result);
  return true;
}

bool ParseIpAddress(std::string_view text, IpAddress& address) {
  for (std::size_t i = 0; i < address.size(); ++i) {
    const auto dot = text.find('.');
    const bool last = i + 1 == address.size();
    if (last != (dot == std::string_view::npos)) return false;
    const std::string_view part = text.substr(0, dot);
    std::uint32_t number = 0;
    if (part.size() > 3 || !ParseNumber(part, number) || number > 255) return false;
    address[i] = static_cast<std::uint8_t>(number);
    if (!last) text.remove_prefix(dot + 1);
  }
  return true;
}

bool ParseGuid(std::string_view text, Guid& guid) {
  if (text.size() != guid.size() * 2) return false;
  for (std::size_t i = 0; i < guid.size(); ++i) {
    const int high = HexValue(text[2 * i]);
    const int low = HexValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    guid[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return true;
}

bool IsWellFormed(FieldKind kind, std::string_view text) {
  std::uint32_t number = 0;
  IpAddress address{};
  Guid guid{};
  switch (kind) {
    case FieldKind::kNumber: return ParseNumber(text, number);
    case FieldKind::kIpAddress: return ParseIpAddress(text, address);
    case FieldKind::kGuid: return ParseGuid(text, guid);
    case FieldKind::kText: return true;
  }
  return false;
}

}  // namespace standin
