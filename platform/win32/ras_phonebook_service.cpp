#include "platform/win32/ras_phonebook_service.h"

#include "platform/win32/bound_functions.h"

namespace platform::win32 {

void RasPhonebookService::Load() { bound::Module(bound::Library::rasapi32); }

ResultCode RasPhonebookService::RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                                std::uint32_t& entryCount) {
  auto* function = bound::Find(bound::RasEnumEntriesA);
  if (function == nullptr) return kServiceUnavailable;
  DWORD bytes = byteCount;
  DWORD entries = entryCount;
  const DWORD result =
      function(nullptr, nullptr, static_cast<LPRASENTRYNAMEA>(buffer), &bytes, &entries);
  byteCount = bytes;
  entryCount = entries;
  return result;
}

ResultCode RasPhonebookService::RasGetEntryPropertiesA(std::uint32_t& entrySize) {
  auto* function = bound::Find(bound::RasGetEntryPropertiesA);
  if (function == nullptr) return kServiceUnavailable;
  DWORD size = entrySize;
  const DWORD result = function(nullptr, nullptr, nullptr, &size, nullptr, nullptr);
  entrySize = size;
  return result;
}

ResultCode RasPhonebookService::RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                                       const std::string& entryName,
                                                       const void* entry,
                                                       std::uint32_t entrySize) {
  auto* function = bound::Find(bound::RasSetEntryPropertiesA);
  if (function == nullptr) return kServiceUnavailable;
  // The image is laid out for the size the service reported, not as this header's RASENTRYA;
  // the service only reads it.
  return function(phonebook ? phonebook->c_str() : nullptr, entryName.c_str(),
                  static_cast<LPRASENTRYA>(const_cast<void*>(entry)), entrySize, nullptr, 0);
}

ResultCode RasPhonebookService::RasDeleteEntryA(const std::string& entryName) {
  auto* function = bound::Find(bound::RasDeleteEntryA);
  if (function == nullptr) return kServiceUnavailable;
  return function(nullptr, entryName.c_str());
}

ResultCode RasPhonebookService::RasGetErrorStringA(std::uint32_t code, char* buffer,
                                                   std::uint32_t size) {
  auto* function = bound::Find(bound::RasGetErrorStringA);
  if (function == nullptr) return kServiceUnavailable;
  return function(code, buffer, size);
}

ResultCode RasPhonebookService::RasSetCredentialsA(const std::string& entryName,
                                                   const void* credentials) {
  auto* function = bound::Find(bound::RasSetCredentialsA);
  if (function == nullptr) return kServiceUnavailable;
  // The image is RASCREDENTIALSA laid out at explicit offsets; the service only reads it.
  return function(nullptr, entryName.c_str(),
                  static_cast<LPRASCREDENTIALSA>(const_cast<void*>(credentials)), FALSE);
}

}  // namespace platform::win32
