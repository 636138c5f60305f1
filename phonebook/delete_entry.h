// Deletes an entry from the default phonebook.
#pragma once

#include <string>

#include "phonebook/phonebook_services.h"

namespace modRASVPN {

// RasDeleteEntryA with the name in the ANSI code page: 0 when the entry is gone.
ResultCode DeleteEntry(const Services& services, const std::wstring& name);

}  // namespace modRASVPN
