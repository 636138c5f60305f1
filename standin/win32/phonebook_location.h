// Which phonebook file a call works on.
#pragma once

#include <optional>
#include <string>

namespace standin::win32 {

// The caller's phonebook path (ANSI) when given; else DIALWRIGHT_STANDIN_PHONEBOOK; else the
// system's default phonebook under ProgramData. nullopt when none can be had.
std::optional<std::wstring> PhonebookFilePath(const char* phonebook);

}  // namespace standin::win32
