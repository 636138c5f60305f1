// A phonebook service that records every call and answers from the test's script.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/phonebook_service.h"
#include "tests/fakes/system.h"

namespace fakes {

struct SetEntryCall {
  std::optional<std::string> phonebook;
  std::string entryName;
  std::vector<std::uint8_t> entry;  // the entrySize bytes handed over
  std::uint32_t entrySize;
};

struct EnumCall {
  std::uint32_t byteCount;           // as handed in
  std::vector<std::uint8_t> buffer;  // the first 264 bytes as handed in
};

class FakePhonebookService final : public platform::PhonebookService {
 public:
  using EnumHandler = std::function<platform::ResultCode(std::uint8_t* buffer,
                                                         std::uint32_t& byteCount,
                                                         std::uint32_t& entryCount)>;

  platform::ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                       std::uint32_t& entryCount) override {
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    enumCalls.push_back({byteCount, std::vector<std::uint8_t>(bytes, bytes + 264)});
    TheSystem().journal.push_back(L"RasEnumEntriesA");
    const std::size_t call = enumCalls.size() - 1;
    if (call < enumHandlers.size()) return enumHandlers[call](bytes, byteCount, entryCount);
    return 9999;  // a call the test did not expect
  }

  platform::ResultCode RasGetEntryPropertiesA(std::uint32_t& entrySize) override {
    ++sizeQueries;
    sizeQueryArgument = entrySize;
    entrySize = reportedSize;
    return sizeQueryResult;
  }

  platform::ResultCode RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                              const std::string& entryName, const void* entry,
                                              std::uint32_t entrySize) override {
    const auto* bytes = static_cast<const std::uint8_t*>(entry);
    setCalls.push_back({phonebook, entryName,
                        std::vector<std::uint8_t>(bytes, bytes + entrySize), entrySize});
    TheSystem().journal.push_back(L"RasSetEntryPropertiesA " + platform::FromAnsi(entryName));
    return setResult;
  }

  platform::ResultCode RasDeleteEntryA(const std::string& entryName) override {
    deleted.push_back(entryName);
    TheSystem().journal.push_back(L"RasDeleteEntryA " + platform::FromAnsi(entryName));
    return deleteResult;
  }

  platform::ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer,
                                          std::uint32_t size) override {
    errorStringCalls.push_back({code, size});
    if (errorStringText.size() > size) return 87;
    std::memcpy(buffer, errorStringText.data(), errorStringText.size());
    return 0;
  }

  // Enumeration: one handler per call, in order.
  std::vector<EnumHandler> enumHandlers;
  std::vector<EnumCall> enumCalls;

  // The size query.
  platform::ResultCode sizeQueryResult = platform::ERROR_BUFFER_TOO_SMALL_CODE;
  std::uint32_t reportedSize = 2884;
  int sizeQueries = 0;
  std::uint32_t sizeQueryArgument = 0xFFFFFFFF;

  platform::ResultCode setResult = 0;
  std::vector<SetEntryCall> setCalls;

  platform::ResultCode deleteResult = 0;
  std::vector<std::string> deleted;

  // The bytes written into the error-string buffer (a zero is written only if included).
  std::string errorStringText;
  struct ErrorStringCall {
    std::uint32_t code;
    std::uint32_t size;
  };
  std::vector<ErrorStringCall> errorStringCalls;
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

}  // namespace fakes
