// Lists the names of the entries in the default phonebook.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "phonebook/phonebook_services.h"

namespace modRASVPN {

// Rebuilds the list: slot 0 stays empty and the names stand in slots 1..n in the service's
// order; the result is n. With no names the list keeps 41 empty slots (0..40). Failures are
// written to the event log and answer 0, like an empty phonebook. The count stops at 32767.
std::int16_t EnumerateEntries(const Services& services, std::vector<std::wstring>& list);

}  // namespace modRASVPN
