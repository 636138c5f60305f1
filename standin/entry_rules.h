// What the service refuses to store: names it cannot use and entries that lack what a
// connection needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "standin/phonebook.h"
#include "standin/result_codes.h"

namespace standin {

inline constexpr std::size_t kMaxEntryNameBytes = 256;

// Not empty, at most 256 bytes, not starting with a dot, no control bytes, and none of the
// characters a file name cannot hold: the entry also names the connection's shortcut file.
bool IsValidEntryName(std::string_view name);

// 87 when the phone number, device name or device type is empty, or the framing protocol,
// the options or (in structures that have it) the entry type is 0; otherwise 0.
ResultCode CheckRequiredFields(const EntryValues& values, std::uint32_t structureSize);

}  // namespace standin
