// The entry image against an independent layout: RASENTRYA as the platform headers declare it.
#include <windows.h>
#include <ras.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "phonebook/entry_layout.h"
#include "platform/system.h"

namespace {

using modRASVPN::EntryRecord;

static_assert(sizeof(RASENTRYA) == 2884, "the newest published RASENTRYA");

EntryRecord Record() {
  EntryRecord r;
  r.dwSize = 1;
  r.dwfOptions = 0x75111710;
  r.dwCountryID = 7;
  r.dwCountryCode = 8;
  r.szAreaCode = L"495";
  r.szLocalPhoneNumber = std::wstring(140, L'7');  // longer than the field
  r.ipaddr = {192, 0, 2, 1};
  r.ipaddrDns = {192, 0, 2, 2};
  r.ipaddrDnsAlt = {192, 0, 2, 3};
  r.ipaddrWins = {192, 0, 2, 4};
  r.ipaddrWinsAlt = {192, 0, 2, 5};
  r.dwFrameSize = 1400;
  r.dwfNetProtocols = 4;
  r.dwFramingProtocol = 1;
  r.szScript = L"C:\\script.scp";
  r.szAutodialDll = L"autodial.dll";
  r.szAutodialFunc = L"AutoDial";
  r.szDeviceType = L"vpn";
  r.szDeviceName = L"Минипорт WAN (L2TP)";
  r.szX25PadType = std::wstring(33, L'p');  // exactly as wide as the field
  r.szX25Address = L"address";
  r.szX25Facilities = L"facilities";
  r.szX25UserData = L"user data";
  r.dwChannels = 3;
  r.dwSubEntries = 4;
  r.dwDialMode = 5;
  r.dwDialExtraPercent = 6;
  r.dwDialExtraSampleSeconds = 7;
  r.dwHangUpExtraPercent = 8;
  r.dwHangUpExtraSampleSeconds = 9;
  r.dwIdleDisconnectSeconds = 10;
  r.dwType = 2;
  r.dwEncryptionType = 1;
  r.dwCustomAuthKey = 0xDEADBEEF;
  for (std::size_t i = 0; i < r.guidId.size(); ++i) r.guidId[i] = static_cast<std::uint8_t>(i + 1);
  r.szCustomDialDll = L"custom.dll";
  r.dwVpnStrategy = 2;
  r.dwfOptions2 = 0x12345678;
  r.dwfOptions3 = 0x9ABCDEF0;
  r.szDnsSuffix = L"пример.рф";
  r.dwTcpWindowSize = 65535;  // these five never reach the image
  r.szPrerequisitePbk = L"C:\\other.pbk";
  r.szPrerequisiteEntry = L"other";
  r.dwRedialCount = 3;
  r.dwRedialPause = 60;
  return r;
}

template <std::size_t N>
void Put(CHAR (&field)[N], const std::wstring& text) {
  const std::string bytes = platform::ToAnsi(text);
  std::memcpy(field, bytes.data(), std::min(bytes.size(), N));  // cut, no terminator
}

RASIPADDR Address(const modRASVPN::RasIpAddress& a) { return {a.a, a.b, a.c, a.d}; }

RASENTRYA Oracle(const EntryRecord& r) {
  RASENTRYA e;
  std::memset(&e, 0, sizeof e);
  e.dwSize = sizeof e;
  e.dwfOptions = r.dwfOptions;
  e.dwCountryID = r.dwCountryID;
  e.dwCountryCode = r.dwCountryCode;
  Put(e.szAreaCode, r.szAreaCode);
  Put(e.szLocalPhoneNumber, r.szLocalPhoneNumber);
  e.ipaddr = Address(r.ipaddr);
  e.ipaddrDns = Address(r.ipaddrDns);
  e.ipaddrDnsAlt = Address(r.ipaddrDnsAlt);
  e.ipaddrWins = Address(r.ipaddrWins);
  e.ipaddrWinsAlt = Address(r.ipaddrWinsAlt);
  e.dwFrameSize = r.dwFrameSize;
  e.dwfNetProtocols = r.dwfNetProtocols;
  e.dwFramingProtocol = r.dwFramingProtocol;
  Put(e.szScript, r.szScript);
  Put(e.szAutodialDll, r.szAutodialDll);
  Put(e.szAutodialFunc, r.szAutodialFunc);
  Put(e.szDeviceType, r.szDeviceType);
  Put(e.szDeviceName, r.szDeviceName);
  Put(e.szX25PadType, r.szX25PadType);
  Put(e.szX25Address, r.szX25Address);
  Put(e.szX25Facilities, r.szX25Facilities);
  Put(e.szX25UserData, r.szX25UserData);
  e.dwChannels = r.dwChannels;
  e.dwSubEntries = r.dwSubEntries;
  e.dwDialMode = r.dwDialMode;
  e.dwDialExtraPercent = r.dwDialExtraPercent;
  e.dwDialExtraSampleSeconds = r.dwDialExtraSampleSeconds;
  e.dwHangUpExtraPercent = r.dwHangUpExtraPercent;
  e.dwHangUpExtraSampleSeconds = r.dwHangUpExtraSampleSeconds;
  e.dwIdleDisconnectSeconds = r.dwIdleDisconnectSeconds;
  e.dwType = r.dwType;
  e.dwEncryptionType = r.dwEncryptionType;
  e.dwCustomAuthKey = r.dwCustomAuthKey;
  std::memcpy(&e.guidId, r.guidId.data(), sizeof e.guidId);
  Put(e.szCustomDialDll, r.szCustomDialDll);
  e.dwVpnStrategy = r.dwVpnStrategy;
  e.dwfOptions2 = r.dwfOptions2;
  e.dwfOptions3 = r.dwfOptions3;
  Put(e.szDnsSuffix, r.szDnsSuffix);
  return e;
}

TEST(PhonebookImage, EqualsTheDeclaredStructureByteForByte) {
  const RASENTRYA oracle = Oracle(Record());
  const auto image = modRASVPN::LayOutEntry(Record(), sizeof(RASENTRYA));
  ASSERT_EQ(image.Bytes().size(), sizeof(RASENTRYA) + 2);
  const auto* expected = reinterpret_cast<const std::uint8_t*>(&oracle);
  for (std::size_t i = 0; i < sizeof oracle; ++i)
    ASSERT_EQ(image.Bytes()[i], expected[i]) << "offset " << i;
  EXPECT_EQ(image.Bytes()[2884], 0);
  EXPECT_EQ(image.Bytes()[2885], 0);
}

// The older sizes (but the narrow device name of 1672) are leading parts of the same structure.
TEST(PhonebookImage, OlderSizesAreTheStructuresLeadingBytes) {
  for (const DWORD size : {1768u, 1796u, 2088u}) {
    RASENTRYA oracle = Oracle(Record());
    oracle.dwSize = size;
    const auto image =
        modRASVPN::LayOutEntry(Record(), size);
    ASSERT_EQ(image.Bytes().size(), size + 2u);
    EXPECT_EQ(std::memcmp(image.Bytes().data(), &oracle, size), 0) << size;
  }
}

}  // namespace
