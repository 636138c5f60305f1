// phonebook_probe: lists the default phonebook through the real services and exits with the
// number of names, so that a test can run a listing in a process with a WINEDEBUG of its own.
#include "phonebook/enumerate_entries.h"
#include "platform/win32/ras_phonebook_service.h"

int wmain() {
  platform::win32::RasPhonebookService service;
  std::vector<std::wstring> list;
  return modRASVPN::EnumerateEntries(service, list);
}
