// The calls of the phonebook service with the contract the program relies on. The
// arguments are those of the exported functions (32-bit sizes by pointer, texts as ANSI
// bytes); the DLL only forwards to these.
#pragma once

#include <cstdint>

#include "standin/options.h"
#include "standin/phonebook.h"
#include "standin/storage.h"

namespace standin {

inline constexpr std::uint32_t kEntryNameRecordSize = 264;  // RASENTRYNAMEA without flags
inline constexpr std::uint32_t kDeviceRecordSize = 152;     // RASDEVINFOA: dwSize, 17, 129, 2
inline constexpr std::uint32_t kCredentialsSize = 540;      // RASCREDENTIALSA: 2 DWORDs, 257, 257, 16, 2

class Service {
 public:
  Service(Storage& storage, const Options& options);

  // 603 with *byteCount and *entryCount set when the buffer is too small for the records.
  ResultCode RasEnumEntriesA(const char* reserved, const char* phonebook, void* entries,
                             std::uint32_t* byteCount, std::uint32_t* entryCount);
  // With no entry buffer: 603 and the size of the RASENTRYA this service expects.
  ResultCode RasGetEntryPropertiesA(const char* phonebook, const char* entryName,
                                    void* entry, std::uint32_t* entrySize, void* deviceInfo,
                                    std::uint32_t* deviceInfoSize);
  ResultCode RasSetEntryPropertiesA(const char* phonebook, const char* entryName,
                                    const void* entry, std::uint32_t entrySize,
                                    const void* deviceInfo, std::uint32_t deviceInfoSize);
  ResultCode RasDeleteEntryA(const char* phonebook, const char* entryName);
  ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t size);
  // The devices: two VPN miniports (L2TP, PPTP) and a modem; 603 as the listing's.
  ResultCode RasEnumDevicesA(void* devices, std::uint32_t* byteCount,
                             std::uint32_t* deviceCount);
  // An entry's credentials: of them only the mask is kept, with the entry (a rewrite of the
  // entry keeps it, its deletion takes it). Clearing forgets the masked ones.
  ResultCode RasSetCredentialsA(const char* phonebook, const char* entryName,
                                const void* credentials, bool clear);
  // Answers in the credentials' dwMask which of the asked ones are set; no secret is given out.
  ResultCode RasGetCredentialsA(const char* phonebook, const char* entryName, void* credentials);

 private:
  ResultCode Load(const char* phonebook, Phonebook& contents);
  ResultCode Save(const char* phonebook, const Phonebook& contents);
  // The checks a credentials call makes of its arguments, and the phonebook with the entry.
  ResultCode LoadCredentialed(const char* phonebook, const char* entryName,
                              const std::uint8_t* credentials, Phonebook& contents,
                              const PhonebookEntry*& entry);

  Storage& storage_;
  Options options_;
};

}  // namespace standin
