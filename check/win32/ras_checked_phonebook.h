// The system's phonebook service (rasapi32.dll from the system directory, bound as the program
// binds it), aimed at one phonebook: a file of the check's own, or the user's default one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/phonebook_row.h"
#include "check/rows.h"

namespace check::win32 {

class RasCheckedPhonebook final : public CheckedPhonebook {
 public:
  // The phonebook file's path in the ANSI code page; nullopt: the default phonebook.
  explicit RasCheckedPhonebook(std::optional<std::string> phonebook)
      : phonebook_(std::move(phonebook)) {}

  platform::ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                       std::uint32_t& entryCount) override;
  platform::ResultCode RasGetEntryPropertiesA(std::uint32_t& entrySize) override;
  platform::ResultCode RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                              const std::string& entryName, const void* entry,
                                              std::uint32_t entrySize) override;
  platform::ResultCode RasDeleteEntryA(const std::string& entryName) override;
  platform::ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer,
                                          std::uint32_t size) override;
  platform::ResultCode ReadEntry(const std::string& name, std::uint32_t structureSize,
                                 std::vector<std::uint8_t>& image) override;
  // The user's phonebook file in the application data folder, and the one for all users in
  // the common one, each looked into for the entry's section.
  std::optional<PhonebookFiles> FilesHolding(const std::string& name) override;
  platform::ResultCode RasSetCredentialsA(const std::string& entryName, const void* credentials) override;
  platform::ResultCode PreSharedKeyMask(const std::string& name, std::uint32_t& mask) override;

 private:
  const char* Phonebook() const { return phonebook_ ? phonebook_->c_str() : nullptr; }
  std::optional<std::string> phonebook_;
};

// Whether rasapi32.dll could be loaded from the system directory.
bool PhonebookServiceLoads();

// The devices the service lists, or the code with which it refused.
std::optional<std::vector<Device>> ListDevices(std::uint32_t& code);

}  // namespace check::win32
