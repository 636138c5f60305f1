#include "check/win32/ras_checked_phonebook.h"

#include <shlobj.h>

#include <algorithm>

#include "check/win32/files.h"

#include "platform/system.h"
#include "platform/win32/bound_functions.h"
#include "platform/win32/ras_phonebook_service.h"

namespace check::win32 {
namespace bound = platform::win32::bound;
using platform::ResultCode;
using platform::win32::kServiceUnavailable;

ResultCode RasCheckedPhonebook::RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                                std::uint32_t& entryCount) {
  auto* function = bound::Find(bound::RasEnumEntriesA);
  if (function == nullptr) return kServiceUnavailable;
  DWORD bytes = byteCount, entries = entryCount;
  const DWORD result =
      function(nullptr, Phonebook(), static_cast<LPRASENTRYNAMEA>(buffer), &bytes, &entries);
  byteCount = bytes;
  entryCount = entries;
  return result;
}

ResultCode RasCheckedPhonebook::RasGetEntryPropertiesA(std::uint32_t& entrySize) {
  // The size query is the program's own: no phonebook, no entry.
  return platform::win32::RasPhonebookService().RasGetEntryPropertiesA(entrySize);
}

ResultCode RasCheckedPhonebook::RasSetEntryPropertiesA(const std::optional<std::string>&,
                                                       const std::string& entryName,
                                                       const void* entry,
                                                       std::uint32_t entrySize) {
  return platform::win32::RasPhonebookService().RasSetEntryPropertiesA(phonebook_, entryName,
                                                                       entry, entrySize);
}

ResultCode RasCheckedPhonebook::RasDeleteEntryA(const std::string& entryName) {
  auto* function = bound::Find(bound::RasDeleteEntryA);
  if (function == nullptr) return kServiceUnavailable;
  return function(Phonebook(), entryName.c_str());
}

ResultCode RasCheckedPhonebook::RasGetErrorStringA(std::uint32_t code, char* buffer,
                                                   std::uint32_t size) {
  return platform::win32::RasPhonebookService().RasGetErrorStringA(code, buffer, size);
}

ResultCode RasCheckedPhonebook::ReadEntry(const std::string& name, std::uint32_t structureSize,
                                          std::vector<std::uint8_t>& image) {
  auto* function = bound::Find(bound::RasGetEntryPropertiesA);
  if (function == nullptr) return kServiceUnavailable;
  // Room for the structure and its alternate numbers; once more with what the service asks.
  DWORD room = structureSize + 1024;
  DWORD result = platform::ERROR_BUFFER_TOO_SMALL_CODE;
  for (int attempt = 0; attempt < 2 && result == platform::ERROR_BUFFER_TOO_SMALL_CODE; ++attempt) {
    image.assign(room, 0);
    for (int i = 0; i < 4; ++i) image[i] = static_cast<std::uint8_t>(structureSize >> (8 * i));
    DWORD size = room;
    result = function(Phonebook(), name.c_str(), reinterpret_cast<LPRASENTRYA>(image.data()),
                      &size, nullptr, nullptr);
    if (result == platform::ERROR_BUFFER_TOO_SMALL_CODE && size <= room) break;  // it asks for no more
    room = size;
  }
  return result;
}

std::optional<PhonebookFiles> RasCheckedPhonebook::FilesHolding(const std::string& name) {
  if (phonebook_) return std::nullopt;
  const auto holds = [&name](int folder) {
    const std::wstring root = ShellFolder(folder);
    return !root.empty() &&
           HoldsSection(ReadFileBytes(root + L"\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk"), name);
  };
  return PhonebookFiles{holds(CSIDL_APPDATA), holds(CSIDL_COMMON_APPDATA)};
}

ResultCode RasCheckedPhonebook::RasSetCredentialsA(const std::string& entryName,
                                                   const void* credentials) {
  auto* function = bound::Find(bound::RasSetCredentialsA);
  if (function == nullptr) return kServiceUnavailable;
  return function(Phonebook(), entryName.c_str(),
                  static_cast<LPRASCREDENTIALSA>(const_cast<void*>(credentials)), FALSE);
}

ResultCode RasCheckedPhonebook::PreSharedKeyMask(const std::string& name, std::uint32_t& mask) {
  auto* function = bound::Find(bound::RasGetCredentialsA);
  if (function == nullptr) return kServiceUnavailable;
  RASCREDENTIALSA credentials{};
  credentials.dwSize = sizeof credentials;
  credentials.dwMask = RASCM_PreSharedKey;
  const DWORD result = function(Phonebook(), name.c_str(), &credentials);
  mask = credentials.dwMask;
  ::SecureZeroMemory(credentials.szPassword, sizeof credentials.szPassword);
  return result;
}

bool PhonebookServiceLoads() {
  return bound::Module(bound::Library::rasapi32) != nullptr;
}

std::optional<std::vector<Device>> ListDevices(std::uint32_t& code) {
  auto* function = bound::Find(bound::RasEnumDevicesA);
  if (function == nullptr) {
    code = kServiceUnavailable;
    return std::nullopt;
  }
  std::vector<RASDEVINFOA> devices(1);
  DWORD bytes = sizeof(RASDEVINFOA), count = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    devices[0].dwSize = sizeof(RASDEVINFOA);
    code = function(devices.data(), &bytes, &count);
    if (code != platform::ERROR_BUFFER_TOO_SMALL_CODE) break;
    devices.resize(bytes / sizeof(RASDEVINFOA) + 1);
    const std::size_t room = devices.size() * sizeof(RASDEVINFOA);
    bytes = static_cast<DWORD>(room);
  }
  if (code != 0) return std::nullopt;
  std::vector<Device> listed;
  for (DWORD i = 0; i < count && i < devices.size(); ++i) {
    const RASDEVINFOA& device = devices[i];
    listed.push_back({platform::FromAnsi(std::string(device.szDeviceType,
                                                     ::strnlen(device.szDeviceType, sizeof device.szDeviceType))),
                      platform::FromAnsi(std::string(device.szDeviceName,
                                                     ::strnlen(device.szDeviceName, sizeof device.szDeviceName)))});
  }
  return listed;
}

}  // namespace check::win32
