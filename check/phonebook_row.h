// The phonebook service's row: the program's own entry, laid out and written by the program's
// own code, into a phonebook of the check's own, read back and compared member by member,
// at the size the service reports and at each size the program knows; listed; deleted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/report.h"
#include "phonebook/entry_record.h"
#include "phonebook/vpn_tunnels.h"
#include "platform/phonebook_service.h"

namespace check {

// The service as the check asks it: the program's calls, aimed at the check's phonebook
// (the default phonebook stays untouched unless the check is told otherwise), and the one
// call the program never makes.
// Which of the default phonebook's two files hold a section of the entry's name.
struct PhonebookFiles {
  bool user = false;      // the user's own
  bool allUsers = false;  // the one for all users
};

class CheckedPhonebook : public platform::PhonebookService {
 public:
  // The entry read back with its dwSize set to structureSize: its bytes, or the service's code.
  virtual platform::ResultCode ReadEntry(const std::string& name, std::uint32_t structureSize,
                                         std::vector<std::uint8_t>& image) = 0;
  // Where the entry landed, when it was written to the default phonebook; nullopt for a
  // phonebook file of the check's own.
  virtual std::optional<PhonebookFiles> FilesHolding(const std::string& name) = 0;
  // RasGetCredentialsA asked for the pre-shared key: the mask it answers (the key itself is
  // never read), or the service's code.
  virtual platform::ResultCode PreSharedKeyMask(const std::string& name, std::uint32_t& mask) = 0;
};

// Codes with which a service refuses the phonebook file itself rather than the entry.
bool RefusesThePhonebook(platform::ResultCode code);

struct PhonebookFindings {
  // Whether the service answered its size query as the program needs (else nothing of it can
  // be relied on, its devices neither).
  bool usable = false;
  // Whether the service took the check's phonebook and was asked to write: the entry is to be
  // deleted again (DeleteCheckEntry).
  bool deletionDue = false;
  // Whether one of the writes was accepted: the entry stands until it is deleted.
  bool written = false;
};

// Everything but the deletion, which the caller asks for once it is done with the entry: the
// tunnel's profile written as the program writes it, its pre-shared key (basMain::PreSharedKey)
// where it has one.
Row PhonebookRow(CheckedPhonebook& service, const std::wstring& where,
                 const std::wstring& entryName, const VPN::TunnelProfile& tunnel,
                 const modRASVPN::EntryRecord& profile, PhonebookFindings& findings);
// Deletes the check's entry again and says so in the row.
void DeleteCheckEntry(Row& row, CheckedPhonebook& service, const std::wstring& entryName);
// Where an entry of the default phonebook landed, in words.
std::wstring WhereItLanded(const PhonebookFiles& files);
// Whether a phonebook file's bytes hold the section [name] as a line of its own: in its ANSI
// or UTF-8 bytes, or in UTF-16 after a byte-order mark (there for a name of ASCII letters, as
// the check's own entry's is).
bool HoldsSection(const std::string& fileBytes, const std::string& name);

// What the program's code would have written to the event log: the check keeps it for the
// report instead (its platform::ReportError adds here), so that the machine's log stays as it was.
std::vector<std::wstring>& HeldEventLog();

// "код N: «the text its owner gives»".
std::wstring CodeAndText(platform::PhonebookService& service, platform::ResultCode code);

}  // namespace check
