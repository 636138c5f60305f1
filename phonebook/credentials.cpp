#include "phonebook/credentials.h"

#include <algorithm>

#include "platform/system.h"

namespace modRASVPN {

std::array<std::uint8_t, kCredentialsSize> PreSharedKeyCredentials(const std::wstring& key) {
  std::array<std::uint8_t, kCredentialsSize> image{};
  const auto store = [&image](std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  store(0, kCredentialsSize);
  store(4, kPreSharedKeyMask);
  const std::string bytes = platform::ToAnsi(key);
  // The terminator is the zero-filled image's.
  std::copy_n(bytes.begin(), std::min(bytes.size(), kPasswordLength),
              image.begin() + kCredentialsPasswordAt);
  return image;
}

platform::ResultCode SetPreSharedKey(platform::PhonebookService& service,
                                     const std::wstring& entryName, const std::wstring& key) {
  const auto credentials = PreSharedKeyCredentials(key);
  return service.RasSetCredentialsA(platform::ToAnsi(entryName), credentials.data());
}

}  // namespace modRASVPN
