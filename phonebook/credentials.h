// The credentials of an entry: its IPsec pre-shared key, written after the entry as
// RASCREDENTIALSA with the mask RASCM_PreSharedKey.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/phonebook_service.h"

namespace modRASVPN {

inline constexpr std::uint32_t kPreSharedKeyMask = 0x00000010;  // RASCM_PreSharedKey

// RASCREDENTIALSA: dwSize, dwMask, then the user name (UNLEN + 1 bytes), the password
// (PWLEN + 1) and the domain (DNLEN + 1), ANSI and zero-terminated, padded to four bytes.
inline constexpr std::size_t kCredentialsSize = 540;
inline constexpr std::size_t kCredentialsPasswordAt = 265;
inline constexpr std::size_t kPasswordLength = 256;  // PWLEN: the key's most bytes

// The image of the credentials that set the key; a key of more bytes is cut at PWLEN.
std::array<std::uint8_t, kCredentialsSize> PreSharedKeyCredentials(const std::wstring& key);

// RasSetCredentialsA on the default phonebook's entry: 0 when the key is set.
platform::ResultCode SetPreSharedKey(platform::PhonebookService& service,
                                     const std::wstring& entryName, const std::wstring& key);

}  // namespace modRASVPN
