// The phonebook service of the system: rasapi32.dll from the system directory, bound at
// run time (bound_functions.h), when Load is called or the first call needs it. A missing
// library or function answers a non-zero code instead of crashing.
#pragma once

#include <windows.h>

#include "platform/phonebook_service.h"

namespace platform::win32 {

// The code answered when rasapi32.dll or one of its functions cannot be had.
inline constexpr ResultCode kServiceUnavailable = ERROR_PROC_NOT_FOUND;

class RasPhonebookService final : public PhonebookService {
 public:
  // Loads the library now, if no call has yet; one attempt, a missing library stays missing.
  void Load();

  ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                             std::uint32_t& entryCount) override;
  ResultCode RasGetEntryPropertiesA(std::uint32_t& entrySize) override;
  ResultCode RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                    const std::string& entryName, const void* entry,
                                    std::uint32_t entrySize) override;
  ResultCode RasDeleteEntryA(const std::string& entryName) override;
  ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t size) override;
  ResultCode RasSetCredentialsA(const std::string& entryName, const void* credentials) override;
};

}  // namespace platform::win32
