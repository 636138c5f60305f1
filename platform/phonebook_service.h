// The system's remote-access phonebook service, reduced to the six calls the program makes.
// Texts cross this boundary as ANSI bytes, exactly as the service sees them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

using ResultCode = std::uint32_t;

inline constexpr ResultCode kSuccess = 0;
inline constexpr ResultCode ERROR_INVALID_PARAMETER_CODE = 87;
inline constexpr ResultCode ERROR_INVALID_NAME_CODE = 123;
inline constexpr ResultCode ERROR_BUFFER_TOO_SMALL_CODE = 603;
inline constexpr ResultCode ERROR_CANNOT_FIND_PHONEBOOK_ENTRY_CODE = 623;
inline constexpr ResultCode ERROR_INVALID_SIZE_CODE = 632;

class PhonebookService {
 public:
  virtual ~PhonebookService() = default;

  // RasEnumEntriesA(null, null /* default phonebook */, buffer, &byteCount, &entryCount).
  virtual ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                     std::uint32_t& entryCount) = 0;

  // The size query: RasGetEntryPropertiesA(null, null, null, &entrySize, null, null).
  // A service that follows the contract answers 603 and the size of its RASENTRYA.
  virtual ResultCode RasGetEntryPropertiesA(std::uint32_t& entrySize) = 0;

  // RasSetEntryPropertiesA(phonebook or null, name, entry, entrySize, null, 0).
  virtual ResultCode RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                            const std::string& entryName, const void* entry,
                                            std::uint32_t entrySize) = 0;

  // RasDeleteEntryA(null /* default phonebook */, name).
  virtual ResultCode RasDeleteEntryA(const std::string& entryName) = 0;

  // RasGetErrorStringA(code, buffer, size).
  virtual ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer,
                                        std::uint32_t size) = 0;

  // RasSetCredentialsA(null /* default phonebook */, name, credentials, FALSE): credentials is
  // the RASCREDENTIALSA image (phonebook/credentials.h). Only a tunnel with a pre-shared key
  // makes this call.
  virtual ResultCode RasSetCredentialsA(const std::string& entryName, const void* credentials) = 0;
};

}  // namespace platform
