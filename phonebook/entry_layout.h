// Lays an entry record out as the RASENTRYA image of the size the service reports. The size
// is the structure's version: only the fields a structure of that size has are written.
#pragma once

#include <cstdint>

#include "phonebook/entry_image.h"
#include "phonebook/entry_record.h"

namespace modRASVPN {

// The published RASENTRYA sizes, and the thresholds that tell them apart.
inline constexpr std::uint32_t kEntrySizeNarrowDeviceName = 1672;  // 33-byte device name
inline constexpr std::uint32_t kEntrySizeWithoutGroups = 1768;
inline constexpr std::uint32_t kEntrySizeWithMultilink = 1796;
inline constexpr std::uint32_t kEntrySizeWithVpn = 2088;
inline constexpr std::uint32_t kEntrySizeWithDnsSuffix = 2884;

// Texts go in the ANSI code page. Throws std::bad_alloc when the image cannot be had.
EntryImage LayOutEntry(const EntryRecord& record, std::uint32_t structureSize);

}  // namespace modRASVPN
