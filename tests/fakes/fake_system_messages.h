// A system message table that records the lookup and writes the test's bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/system_messages.h"

namespace fakes {

class FakeSystemMessages final : public platform::SystemMessages {
 public:
  std::uint32_t FormatMessageA(std::uint32_t flags, std::uint32_t messageId,
                               std::uint32_t languageId, char* buffer,
                               std::uint32_t size) override {
    ++calls;
    lastFlags = flags;
    lastMessageId = messageId;
    lastLanguageId = languageId;
    lastSize = size;
    if (text.size() > size) return 0;
    std::memcpy(buffer, text.data(), text.size());
    return static_cast<std::uint32_t>(text.size());
  }

  std::string text;  // the bytes written (a zero is written only if included)
  int calls = 0;
  std::uint32_t lastFlags = 0;
  std::uint32_t lastMessageId = 0;
  std::uint32_t lastLanguageId = 0xFFFFFFFF;
  std::uint32_t lastSize = 0;
};

}  // namespace fakes
