#include "phonebook/error_text.h"

#include <algorithm>
#include <array>

#include "platform/system.h"

namespace modRASVPN {
namespace {

constexpr std::uint32_t kBufferSize = 512;
constexpr std::int32_t kLastSystemCode = 600;

// Some system messages carry insertion sequences (%1); without arguments to fill them the
// lookup would fail or read garbage, so they come back with the sequence as text.
constexpr std::uint32_t kSystemLookupFlags =
    platform::FORMAT_MESSAGE_FROM_SYSTEM_FLAG | platform::FORMAT_MESSAGE_IGNORE_INSERTS_FLAG;

}  // namespace

std::wstring ErrorText(platform::PhonebookService& service, platform::ResultCode code) {
  std::array<char, kBufferSize> buffer{};
  // The lookup's own result is not needed: a failed one leaves the buffer zero.
  if (static_cast<std::int32_t>(code) <= kLastSystemCode)
    platform::FormatSystemMessage(kSystemLookupFlags, code, 0, buffer.data(), kBufferSize);
  else
    service.RasGetErrorStringA(code, buffer.data(), kBufferSize);

  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  if (end == buffer.end()) return {};  // no terminator: nothing trustworthy in it
  return platform::FromAnsi(std::string_view(buffer.data(), end - buffer.begin()));
}

}  // namespace modRASVPN
