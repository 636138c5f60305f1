// The two writes of a phonebook: an entry's properties set, an entry deleted.
#pragma once

#include <optional>
#include <string>

#include "phonebook/entry_record.h"
#include "platform/phonebook_service.h"

namespace modRASVPN {

// What SetEntryProperties answers, writing nothing, when the structure the service reports
// cannot hold the record: an application's code (bit 29 set), which no system code is.
inline constexpr platform::ResultCode kStructureCannotHoldIt = 0x20000001;

// Writes the record laid out for the structure size the service reports. The phonebook is a
// file path; std::nullopt (not an empty text) selects the default phonebook. Answers 0 when
// the entry is stored, else the service's code; a size query that answers 0 instead of 603
// has not told the size, and gives 632 (ERROR_INVALID_SIZE) with nothing written, and so does
// a reported size too small to hold the structure's dwSize. A reported size that is not above
// needsSizeAbove gives kStructureCannotHoldIt with nothing written. Throws std::bad_alloc
// only, before anything is written.
platform::ResultCode SetEntryProperties(platform::PhonebookService& service,
                                        const std::wstring& entryName, const EntryRecord& record,
                                        const std::optional<std::wstring>& phonebook,
                                        std::uint32_t needsSizeAbove = 0);

// RasDeleteEntryA on the default phonebook: 0 when the entry is gone.
platform::ResultCode DeleteEntry(platform::PhonebookService& service, const std::wstring& name);

}  // namespace modRASVPN
