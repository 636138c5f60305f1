// How the values of an entry are written in the phonebook file: numbers in decimal, addresses
// as a.b.c.d, a guid as its 16 bytes in 32 hex digits, texts as the ANSI bytes they arrived
// in. The parsers accept exactly what the formatters write, so a damaged value is detected.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "standin/entry_layout.h"

namespace standin {

using IpAddress = std::array<std::uint8_t, 4>;
using Guid = std::array<std::uint8_t, 16>;

std::string FormatNumber(std::uint32_t value);
std::string FormatIpAddress(const IpAddress& address);
std::string FormatGuid(const Guid& guid);

bool ParseNumber(std::string_view text, std::uint32_t& value);
bool ParseIpAddress(std::string_view text, IpAddress& address);
bool ParseGuid(std::string_view text, Guid& guid);

bool IsWellFormed(FieldKind kind, std::string_view text);

}  // namespace standin
