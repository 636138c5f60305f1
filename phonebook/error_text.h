// The text the user sees for a result code: the system's message for codes up to 600, the
// phonebook service's own for codes above. The program has no texts of its own for these.
#pragma once

#include <string>

#include "platform/phonebook_service.h"

namespace modRASVPN {

// The code is compared as a signed 32-bit value: 600 and every negative value go to the
// system's table. The text is kept as the source gave it (a closing line break stays); a
// lookup that leaves the buffer empty, or fills all of it without a zero, gives "".
std::wstring ErrorText(platform::PhonebookService& service, platform::ResultCode code);

}  // namespace modRASVPN
