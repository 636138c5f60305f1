// Writes an entry record to a phonebook, laid out for the structure size the service reports.
#pragma once

#include <optional>
#include <string>

#include "phonebook/entry_record.h"
#include "phonebook/phonebook_services.h"

namespace modRASVPN {

// The phonebook is a file path; std::nullopt (not an empty text) selects the default
// phonebook. Answers 0 when the entry is stored, else the service's code; a size query that
// answers 0 instead of 603 has not told the size, and gives 632 (ERROR_INVALID_SIZE) with
// nothing written, and so does a reported size too small to hold the
// structure's dwSize. Throws std::bad_alloc only, before anything is written.
ResultCode SetEntryProperties(const Services& services, const std::wstring& entryName,
                              const EntryRecord& record,
                              const std::optional<std::wstring>& phonebook);

}  // namespace modRASVPN
