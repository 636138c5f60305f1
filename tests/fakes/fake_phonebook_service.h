// A phonebook service that records every call and answers from the test's script.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/phonebook_service.h"

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
    return setResult;
  }

  platform::ResultCode RasDeleteEntryA(const std::string& entryName) override {
    deleted.push_back(entryName);
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

}  // namespace fakes
