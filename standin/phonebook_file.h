// The phonebook file: INI-style text, one [section] per entry (the section name is the entry
// name), one key=value line per field, keys named after the RASENTRYA fields, lines ended
// with CR LF. Names and values are escaped (see pbk_escape.h).
//
// ParsePhonebook takes any bytes whatever: a file that the serializer cannot have written is
// reported as damaged (625), never trusted, and never a crash. The limits bound the work and
// the memory that one file can cost.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "standin/phonebook.h"
#include "standin/result_codes.h"

namespace standin {

inline constexpr std::size_t kMaxPhonebookBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxLineBytes = 16 * 1024;
inline constexpr std::size_t kMaxEntries = 4096;
inline constexpr std::size_t kMaxValuesPerEntry = 256;
inline constexpr std::size_t kMaxKeyBytes = 64;

// 0 and the phonebook, or kCorruptPhonebook (and the phonebook left empty).
ResultCode ParsePhonebook(std::string_view bytes, Phonebook& phonebook);

std::string SerializePhonebook(const Phonebook& phonebook);

}  // namespace standin
