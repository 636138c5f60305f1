// Where each RASENTRYA field lies in a structure of a given size. The size is the structure's
// version: 1672 has a 33-byte device name (everything behind it sits 96 bytes earlier), and
// the multilink, VPN, DNS and tail groups exist only above 1768, 1796, 2088 and 2352.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace standin {

enum class FieldKind {
  kNumber,     // 32-bit little-endian
  kText,       // fixed-width ANSI bytes, zero-terminated unless the text fills the field
  kIpAddress,  // four bytes a.b.c.d
  kGuid,       // sixteen bytes
};

struct Field {
  std::string_view name;
  FieldKind kind;
  std::uint32_t offset;
  std::uint32_t width;
};

inline constexpr std::uint32_t kDefaultEntrySize = 2884;
inline constexpr std::uint32_t kAlternateOffsetAt = 156;

// Keys of the phonebook file that are not image fields of the layout.
inline constexpr std::string_view kSizeKey = "dwSize";
inline constexpr std::string_view kAlternatesKey = "szAlternates";
// The mask of the credentials set for the entry (RASCREDENTIALSA's dwMask): what of them the
// stand-in keeps; never a password or key.
inline constexpr std::string_view kCredentialsMaskKey = "dwCredentialsMask";

bool IsPublishedEntrySize(std::uint32_t size);

// The stored fields of a structure of that size, in RASENTRYA order (dwSize,
// dwAlternateOffset and the reserved words excluded). Empty for an unpublished size.
std::vector<Field> EntryLayout(std::uint32_t structureSize);

// What a key of the phonebook file holds, or nullopt for a key the stand-in does not know.
// The alternates list is kept as text (its strings separated by zero bytes).
std::optional<FieldKind> KindOfKey(std::string_view key);

}  // namespace standin
