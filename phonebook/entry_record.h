// The program's record of one phonebook entry: the RASENTRYA fields by name and in order,
// with texts as ordinary strings. Where the fields land in the system's structure is decided
// only when the entry is written, by the size the service reports (see entry_layout.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace modRASVPN {

// An IPv4 address as RASIPADDR holds it, a first.
struct RasIpAddress {
  std::uint8_t a = 0;
  std::uint8_t b = 0;
  std::uint8_t c = 0;
  std::uint8_t d = 0;
};

using Guid = std::array<std::uint8_t, 16>;

// A new record is all zero: numbers 0, texts empty, addresses 0.0.0.0, the guid zero.
// There are no members for dwReserved1 and dwReserved2.
struct EntryRecord {
  std::uint32_t dwSize = 0;  // never written: the image carries the size the service reports
  std::uint32_t dwfOptions = 0;
  std::uint32_t dwCountryID = 0;
  std::uint32_t dwCountryCode = 0;
  std::wstring szAreaCode;
  std::wstring szLocalPhoneNumber;
  // Zero-separated numbers; stands where RASENTRYA has dwAlternateOffset.
  std::wstring szAlternates;
  RasIpAddress ipaddr;
  RasIpAddress ipaddrDns;
  RasIpAddress ipaddrDnsAlt;
  RasIpAddress ipaddrWins;
  RasIpAddress ipaddrWinsAlt;
  std::uint32_t dwFrameSize = 0;
  std::uint32_t dwfNetProtocols = 0;
  std::uint32_t dwFramingProtocol = 0;
  std::wstring szScript;
  std::wstring szAutodialDll;
  std::wstring szAutodialFunc;
  std::wstring szDeviceType;
  std::wstring szDeviceName;
  std::wstring szX25PadType;
  std::wstring szX25Address;
  std::wstring szX25Facilities;
  std::wstring szX25UserData;
  std::uint32_t dwChannels = 0;
  std::uint32_t dwSubEntries = 0;
  std::uint32_t dwDialMode = 0;
  std::uint32_t dwDialExtraPercent = 0;
  std::uint32_t dwDialExtraSampleSeconds = 0;
  std::uint32_t dwHangUpExtraPercent = 0;
  std::uint32_t dwHangUpExtraSampleSeconds = 0;
  std::uint32_t dwIdleDisconnectSeconds = 0;
  std::uint32_t dwType = 0;
  std::uint32_t dwEncryptionType = 0;
  std::uint32_t dwCustomAuthKey = 0;
  Guid guidId{};
  std::wstring szCustomDialDll;
  std::uint32_t dwVpnStrategy = 0;
  std::uint32_t dwfOptions2 = 0;
  std::uint32_t dwfOptions3 = 0;
  std::wstring szDnsSuffix;
  // Part of the record, but never copied into the image, whatever the structure size.
  std::uint32_t dwTcpWindowSize = 0;
  std::wstring szPrerequisitePbk;
  std::wstring szPrerequisiteEntry;
  std::uint32_t dwRedialCount = 0;
  std::uint32_t dwRedialPause = 0;
};

}  // namespace modRASVPN
