// A phonebook service that records every call and answers from the test's script, or, where
// the script is silent, keeps its entries as the system's does.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/phonebook_service.h"
#include "tests/fakes/system.h"

namespace fakes {

// Writes every call into the system's journal:
//   RasEnumEntriesA <bytes handed in>          RasGetEntryPropertiesA <size handed in>
//   RasSetEntryPropertiesA <phonebook or (default)> <name> <size>
//   RasDeleteEntryA <name>                     RasGetErrorStringA <code> <size>
//   RasSetCredentialsA <name> <size> <mask>
class FakePhonebookService final : public platform::PhonebookService {
 public:
  using EnumHandler = std::function<platform::ResultCode(std::uint8_t* buffer,
                                                         std::uint32_t& byteCount,
                                                         std::uint32_t& entryCount)>;

  platform::ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                       std::uint32_t& entryCount) override;

  platform::ResultCode RasGetEntryPropertiesA(std::uint32_t& entrySize) override {
    const SystemSide bookkeeping;
    Journal(L"RasGetEntryPropertiesA " + std::to_wstring(entrySize));
    static constexpr platform::ResultCode kAnswers[] = {5, 621, 0, 603};
    if (auto way = Fallible(L"RasGetEntryPropertiesA", {L"5", L"621", L"0 without a size",
                                                          L"603 with size 0"})) {
      entrySize = 0;
      return kAnswers[*way];
    }
    entrySize = reportedSize;
    return sizeQueryResult;
  }

  platform::ResultCode RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                              const std::string& entryName, const void* entry,
                                              std::uint32_t entrySize) override {
    const SystemSide bookkeeping;
    const auto* bytes = static_cast<const std::uint8_t*>(entry);
    entries.emplace_back(bytes, bytes + entrySize);
    Journal(L"RasSetEntryPropertiesA " + (phonebook ? Cp1251(*phonebook) : L"(default)") + L" " +
            Cp1251(entryName) + L" " + std::to_wstring(entrySize));
    if (auto way = Fallible(L"RasSetEntryPropertiesA", kCodeWays)) return kCodes[*way];
    if (setResult == 0 && !phonebook) stored[entryName] = entries.back();
    return setResult;
  }

  platform::ResultCode RasDeleteEntryA(const std::string& entryName) override {
    const SystemSide bookkeeping;
    Journal(L"RasDeleteEntryA " + Cp1251(entryName));
    if (auto way = Fallible(L"RasDeleteEntryA", kCodeWays)) return kCodes[*way];
    keys.erase(entryName);
    return stored.erase(entryName) != 0 ? 0 : platform::ERROR_CANNOT_FIND_PHONEBOOK_ENTRY_CODE;
  }

  platform::ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer,
                                          std::uint32_t size) override {
    const SystemSide bookkeeping;
    Journal(L"RasGetErrorStringA " + std::to_wstring(code) + L" " + std::to_wstring(size));
    if (Fallible(L"RasGetErrorStringA", {L"87, nothing written"})) return 87;
    if (errorStringText.size() > size) return 87;
    std::memcpy(buffer, errorStringText.data(), errorStringText.size());
    return 0;
  }

  platform::ResultCode RasSetCredentialsA(const std::string& entryName,
                                          const void* credentials) override {
    const SystemSide bookkeeping;
    const auto* bytes = static_cast<const std::uint8_t*>(credentials);
    const auto number = [bytes](std::size_t at) {
      return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
             std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
    };
    Journal(L"RasSetCredentialsA " + Cp1251(entryName) + L" " + std::to_wstring(number(0)) + L" " +
            std::to_wstring(number(4)));
    if (auto way = Fallible(L"RasSetCredentialsA", kCodeWays)) return kCodes[*way];
    if (stored.count(entryName) == 0) return platform::ERROR_CANNOT_FIND_PHONEBOOK_ENTRY_CODE;
    // The key as the system would keep it: the password's bytes up to their terminator.
    keys[entryName] = std::string(reinterpret_cast<const char*>(bytes + 265));
    return 0;
  }

  // Enumeration: one handler per call, in order (none: the stored entries, as the system
  // lists them); the first 264 bytes each call was handed.
  std::vector<EnumHandler> enumHandlers;
  std::vector<std::vector<std::uint8_t>> enumBuffers;

  platform::ResultCode sizeQueryResult = platform::ERROR_BUFFER_TOO_SMALL_CODE;
  std::uint32_t reportedSize = 2884;

  platform::ResultCode setResult = 0;
  std::vector<std::vector<std::uint8_t>> entries;  // the bytes of each write
  // The default phonebook: what a write stores and a deletion removes, by name.
  std::map<std::string, std::vector<std::uint8_t>> stored;
  // The pre-shared keys set, by entry name; a deletion removes the entry's too.
  std::map<std::string, std::string> keys;

  // The bytes written into the error-string buffer (a zero is written only if included).
  std::string errorStringText;

 private:
  // A failing call answers a code of the system's (up to 600) or of the service's own: the
  // user is shown each from its own table.
  inline static const std::vector<const wchar_t*> kCodeWays = {L"5", L"621"};
  static constexpr platform::ResultCode kCodes[] = {5, 621};
};

// An enumeration answered like the real service: 603 and the bytes needed when the records do
// not fit, else the records (dwSize, name) and the count (the number of records unless given).
// It writes no further than the byte count it is given.
using EntryRecordBytes = std::pair<std::uint32_t, std::string>;
inline FakePhonebookService::EnumHandler Listing(
    std::vector<EntryRecordBytes> records, std::optional<std::uint32_t> count = std::nullopt) {
  return [=](std::uint8_t* buffer, std::uint32_t& bytes, std::uint32_t& entryCount) {
    const auto needed = static_cast<std::uint32_t>(records.size() * 264);
    entryCount = count.value_or(static_cast<std::uint32_t>(records.size()));
    if (bytes < needed) {
      bytes = needed;
      return platform::ResultCode{603};
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
      std::uint8_t* record = buffer + 264 * i;
      for (int b = 0; b < 4; ++b)
        record[b] = static_cast<std::uint8_t>(records[i].first >> (8 * b));
      std::memcpy(record + 4, records[i].second.data(), records[i].second.size());
    }
    bytes = needed;
    return platform::ResultCode{0};
  };
}

// An enumeration that answers the code and sets the byte count, writing nothing.
inline FakePhonebookService::EnumHandler Fails(platform::ResultCode code,
                                               std::uint32_t byteCount = 264) {
  return [code, byteCount](std::uint8_t*, std::uint32_t& bytes, std::uint32_t&) {
    bytes = byteCount;
    return code;
  };
}

// The names as whole 264-byte records.
inline FakePhonebookService::EnumHandler ListingOf(const std::vector<std::string>& names) {
  std::vector<EntryRecordBytes> records;
  for (const std::string& name : names) records.emplace_back(264, name);
  return Listing(records);
}

inline platform::ResultCode FakePhonebookService::RasEnumEntriesA(void* buffer,
                                                                  std::uint32_t& byteCount,
                                                                  std::uint32_t& entryCount) {
  const SystemSide bookkeeping;
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  enumBuffers.emplace_back(bytes, bytes + 264);
  Journal(L"RasEnumEntriesA " + std::to_wstring(byteCount));
  if (auto way = Fallible(L"RasEnumEntriesA", {L"5", L"621", L"603 without a size"})) {
    static constexpr platform::ResultCode kAnswers[] = {5, 621, 603};
    if (kAnswers[*way] == 603) byteCount = 0;
    return kAnswers[*way];
  }
  const std::size_t call = enumBuffers.size() - 1;
  if (call < enumHandlers.size()) return enumHandlers[call](bytes, byteCount, entryCount);
  if (!enumHandlers.empty()) return 9999;  // a call the test did not expect
  std::vector<std::string> names;
  for (const auto& entry : stored) names.push_back(entry.first);
  return ListingOf(names)(bytes, byteCount, entryCount);
}

}  // namespace fakes
