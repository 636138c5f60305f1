// phonebook_probe: lists the default phonebook through the real services and exits with the
// number of names, so that a test can run a listing in a process with a WINEDEBUG of its own.
#include "phonebook/enumerate_entries.h"
#include "app/win32/windows_phonebook_services.h"

int wmain() {
  platform::win32::WindowsPhonebookServices services;
  std::vector<std::wstring> list;
  return modRASVPN::EnumerateEntries(services.Get(), list);
}
