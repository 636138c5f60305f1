// Lists the names of the entries in the default phonebook.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/phonebook_service.h"

namespace modRASVPN {

// Rebuilds the list: slot 0 stays empty and the names stand in slots 1..n in the service's
// order; the result is n. With no names the list keeps 41 empty slots (0..40). Failures are
// written to the event log and answer 0, like an empty phonebook. The count stops at 32767.
std::int16_t EnumerateEntries(platform::PhonebookService& service,
                              std::vector<std::wstring>& list);

// An entry name from the zero-terminated ANSI bytes of its field: the bytes before the first
// zero, at most bytes.size() - 1 of them (the last byte, the terminator's place in
// szEntryName[257], never becomes part of the name). The bytes are converted together, so a
// double-byte character of a multi-byte code page stays whole.
std::wstring EntryNameFromBytes(std::span<const std::uint8_t> bytes);

}  // namespace modRASVPN
