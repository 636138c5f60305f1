// The phonebook service's row: the program's own entry, laid out and written by the program's
// own code, into a phonebook of the check's own, read back and compared member by member,
// at the size the service reports and at each size the program knows; listed; deleted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/report.h"
#include "phonebook/entry_record.h"
#include "platform/phonebook_service.h"

namespace check {

// The service as the check asks it: the program's calls, aimed at the check's phonebook
// (the default phonebook stays untouched unless the check is told otherwise), and the one
// call the program never makes.
class CheckedPhonebook : public platform::PhonebookService {
 public:
  // The entry read back with its dwSize set to structureSize: its bytes, or the service's code.
  virtual platform::ResultCode ReadEntry(const std::string& name, std::uint32_t structureSize,
                                         std::vector<std::uint8_t>& image) = 0;
};

// Codes with which a service refuses the phonebook file itself rather than the entry.
bool RefusesThePhonebook(platform::ResultCode code);

// usable: whether the service answered its size query as the program needs (else nothing of
// it can be relied on, its devices neither).
Row PhonebookRow(CheckedPhonebook& service, const std::wstring& where,
                 const std::wstring& entryName, const modRASVPN::EntryRecord& profile,
                 bool& usable);

// What the program's code would have written to the event log: the check keeps it for the
// report instead (its platform::ReportError adds here), so that the machine's log stays as it was.
std::vector<std::wstring>& HeldEventLog();

// "код N: «the text its owner gives»".
std::wstring CodeAndText(platform::PhonebookService& service, platform::ResultCode code);

}  // namespace check
