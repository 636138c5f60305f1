#include "standin/service.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "standin/entry_image.h"
#include "standin/entry_layout.h"
#include "standin/entry_rules.h"
#include "standin/entry_values.h"
#include "standin/error_strings.h"
#include "standin/phonebook_file.h"

namespace standin {
namespace {

void WriteEntryNameRecord(std::uint8_t* record, const std::string& name) {
  std::memset(record, 0, kEntryNameRecordSize);
  StoreNumber(record, kEntryNameRecordSize);
  // Names are at most 256 bytes (checked when stored and when read), so the terminator fits.
  std::copy(name.begin(), name.end(), record + 4);
}

}  // namespace

Service::Service(Storage& storage, const Options& options)
    : storage_(storage), options_(options) {}

ResultCode Service::Load(const char* phonebook, Phonebook& contents) {
  std::string bytes;
  if (const ResultCode result = storage_.Read(phonebook, bytes)) return result;
  return ParsePhonebook(bytes, contents);
}

ResultCode Service::Save(const char* phonebook, const Phonebook& contents) {
  const std::string bytes = SerializePhonebook(contents);
  // Never write a file that could not be read back.
  if (bytes.size() > kMaxPhonebookBytes || contents.Entries().size() > kMaxEntries)
    return kCannotWritePhonebook;
  return storage_.Write(phonebook, bytes);
}

ResultCode Service::RasEnumEntriesA(const char* reserved, const char* phonebook, void* entries,
                                    std::uint32_t* byteCount, std::uint32_t* entryCount) {
  if (const auto failure = options_.FailureOf(Call::kRasEnumEntriesA)) return *failure;
  if (reserved != nullptr || byteCount == nullptr || entryCount == nullptr)
    return kInvalidParameter;
  auto* records = static_cast<std::uint8_t*>(entries);
  if (records != nullptr && *byteCount >= 4 && LoadNumber(records) != kEntryNameRecordSize)
    return kInvalidSize;
  Phonebook contents;
  if (const ResultCode result = Load(phonebook, contents)) return result;

  const auto& list = contents.Entries();
  const auto needed = static_cast<std::uint32_t>(list.size() * kEntryNameRecordSize);
  *entryCount = static_cast<std::uint32_t>(list.size());
  if (*byteCount < needed) {
    *byteCount = needed;
    return kBufferTooSmall;
  }
  *byteCount = needed;
  if (needed == 0) return kSuccess;
  if (records == nullptr) return kInvalidParameter;
  for (const PhonebookEntry& entry : list) {
    WriteEntryNameRecord(records, entry.name);
    records += kEntryNameRecordSize;
  }
  return kSuccess;
}

ResultCode Service::RasGetEntryPropertiesA(const char* phonebook, const char* entryName,
                                           void* entry, std::uint32_t* entrySize,
                                           void* /*deviceInfo*/, std::uint32_t* deviceInfoSize) {
  if (const auto failure = options_.FailureOf(Call::kRasGetEntryPropertiesA)) return *failure;
  if (entrySize == nullptr) return kInvalidParameter;
  // No name asks for the default entry: all fields zero.
  EntryValues values;
  if (entryName != nullptr && *entryName != '\0') {
    Phonebook contents;
    if (const ResultCode result = Load(phonebook, contents)) return result;
    const PhonebookEntry* found = contents.Find(entryName);
    if (found == nullptr) return kCannotFindEntry;
    values = found->values;
  }
  if (deviceInfoSize != nullptr) *deviceInfoSize = 0;

  auto* image = static_cast<std::uint8_t*>(entry);
  if (image == nullptr || *entrySize < 4) {
    *entrySize = EntryImageSize(values, options_.entrySize);
    return kBufferTooSmall;
  }
  const std::uint32_t structureSize = LoadNumber(image);
  if (!IsPublishedEntrySize(structureSize)) return kInvalidSize;
  const std::uint32_t needed = EntryImageSize(values, structureSize);
  if (*entrySize < needed) {
    *entrySize = needed;
    return kBufferTooSmall;
  }
  WriteEntryImage(values, structureSize, image);
  *entrySize = needed;
  return kSuccess;
}

ResultCode Service::RasSetEntryPropertiesA(const char* phonebook, const char* entryName,
                                           const void* entry, std::uint32_t entrySize,
                                           const void* /*deviceInfo*/,
                                           std::uint32_t /*deviceInfoSize*/) {
  if (const auto failure = options_.FailureOf(Call::kRasSetEntryPropertiesA)) return *failure;
  if (entry == nullptr) return kInvalidParameter;
  const auto* image = static_cast<const std::uint8_t*>(entry);
  if (!IsPublishedEntrySize(entrySize) || entrySize == options_.refusedSize) return kInvalidSize;
  const std::uint32_t structureSize = LoadNumber(image);
  if (!IsPublishedEntrySize(structureSize) || structureSize > entrySize) return kInvalidSize;
  if (entryName == nullptr || !IsValidEntryName(entryName)) return kInvalidName;

  EntryValues values = ReadEntryImage(image, structureSize, entrySize);
  if (const auto& otherwise = options_.storedOtherwise) {
    for (auto& [key, value] : values)
      if (key == otherwise->first) value = otherwise->second;
  }
  if (const ResultCode result = CheckRequiredFields(values, structureSize)) return result;
  Phonebook contents;
  if (const ResultCode result = Load(phonebook, contents)) return result;
  // The credentials are the entry's, not its properties': a rewrite keeps them.
  if (const PhonebookEntry* old = contents.Find(entryName)) {
    if (const std::string* mask = FindValue(old->values, kCredentialsMaskKey))
      values.emplace_back(kCredentialsMaskKey, *mask);
  }
  contents.Store({entryName, std::move(values)});
  return Save(phonebook, contents);
}

ResultCode Service::RasDeleteEntryA(const char* phonebook, const char* entryName) {
  if (const auto failure = options_.FailureOf(Call::kRasDeleteEntryA)) return *failure;
  if (entryName == nullptr || !IsValidEntryName(entryName)) return kInvalidName;
  Phonebook contents;
  if (const ResultCode result = Load(phonebook, contents)) return result;
  if (!contents.Remove(entryName)) return kCannotFindEntry;
  return Save(phonebook, contents);
}

ResultCode Service::RasEnumDevicesA(void* devices, std::uint32_t* byteCount,
                                    std::uint32_t* deviceCount) {
  if (const auto failure = options_.FailureOf(Call::kRasEnumDevicesA)) return *failure;
  if (byteCount == nullptr || deviceCount == nullptr) return kInvalidParameter;
  auto* records = static_cast<std::uint8_t*>(devices);
  if (records != nullptr && *byteCount >= 4 && LoadNumber(records) != kDeviceRecordSize)
    return kInvalidSize;
  const std::pair<std::string, std::string> list[] = {
      {"vpn", options_.l2tpDevice},
      {"vpn", "\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN (PPTP)"},
      {"modem", "\xD1\xF2\xE0\xED\xE4\xE0\xF0\xF2\xED\xFB\xE9 \xEC\xEE\xE4\xE5\xEC"}};
  const std::uint32_t needed = kDeviceRecordSize * std::size(list);
  *deviceCount = std::size(list);
  if (records == nullptr || *byteCount < needed) {
    *byteCount = needed;
    return kBufferTooSmall;
  }
  for (const auto& [type, name] : list) {
    std::memset(records, 0, kDeviceRecordSize);
    StoreNumber(records, kDeviceRecordSize);
    std::copy_n(type.begin(), std::min<std::size_t>(type.size(), 16), records + 4);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 128), records + 21);
    records += kDeviceRecordSize;
  }
  *byteCount = needed;
  return kSuccess;
}

ResultCode Service::LoadCredentialed(const char* phonebook, const char* entryName,
                                     const std::uint8_t* credentials, Phonebook& contents,
                                     const PhonebookEntry*& entry) {
  if (credentials == nullptr) return kInvalidParameter;
  if (LoadNumber(credentials) != kCredentialsSize) return kInvalidSize;
  if (entryName == nullptr || !IsValidEntryName(entryName)) return kInvalidName;
  if (const ResultCode result = Load(phonebook, contents)) return result;
  entry = contents.Find(entryName);
  return entry != nullptr ? kSuccess : kCannotFindEntry;
}

namespace {

std::uint32_t KeptMask(const PhonebookEntry& entry) {
  std::uint32_t mask = 0;
  if (const std::string* kept = FindValue(entry.values, kCredentialsMaskKey)) ParseNumber(*kept, mask);
  return mask;
}

}  // namespace

ResultCode Service::RasSetCredentialsA(const char* phonebook, const char* entryName,
                                       const void* credentials, bool clear) {
  if (const auto failure = options_.FailureOf(Call::kRasSetCredentialsA)) return *failure;
  const auto* bytes = static_cast<const std::uint8_t*>(credentials);
  Phonebook contents;
  const PhonebookEntry* found = nullptr;
  if (const ResultCode result = LoadCredentialed(phonebook, entryName, bytes, contents, found))
    return result;
  PhonebookEntry entry = *found;
  const std::uint32_t given = LoadNumber(bytes + 4);
  const std::uint32_t mask = clear ? KeptMask(entry) & ~given : KeptMask(entry) | given;
  std::erase_if(entry.values, [](const auto& value) { return value.first == kCredentialsMaskKey; });
  if (mask != 0) entry.values.emplace_back(kCredentialsMaskKey, std::to_string(mask));
  contents.Store(std::move(entry));
  return Save(phonebook, contents);
}

ResultCode Service::RasGetCredentialsA(const char* phonebook, const char* entryName,
                                       void* credentials) {
  if (const auto failure = options_.FailureOf(Call::kRasGetCredentialsA)) return *failure;
  auto* bytes = static_cast<std::uint8_t*>(credentials);
  Phonebook contents;
  const PhonebookEntry* entry = nullptr;
  if (const ResultCode result = LoadCredentialed(phonebook, entryName, bytes, contents, entry))
    return result;
  StoreNumber(bytes + 4, LoadNumber(bytes + 4) & KeptMask(*entry));
  return kSuccess;
}

ResultCode Service::RasGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t size) {
  if (const auto failure = options_.FailureOf(Call::kRasGetErrorStringA)) return *failure;
  if (buffer == nullptr) return kInvalidParameter;
  const auto text = ErrorStringOf(code);
  if (!text) return kInvalidParameter;
  if (size <= text->size()) return kBufferTooSmall;
  std::memcpy(buffer, text->c_str(), text->size() + 1);
  return kSuccess;
}

}  // namespace standin
