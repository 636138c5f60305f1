#include "phonebook/delete_entry.h"

namespace modRASVPN {

ResultCode DeleteEntry(const Services& services, const std::wstring& name) {
  return services.service.RasDeleteEntryA(services.ansi.ToAnsi(name));
}

}  // namespace modRASVPN
