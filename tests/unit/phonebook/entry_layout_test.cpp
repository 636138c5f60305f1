#include "phonebook/entry_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "tests/fakes/system.h"

namespace {

using modRASVPN::EntryRecord;
using modRASVPN::LayOutEntry;

// Every member set to something of its own, texts of every length class: shorter than the
// field, exactly as wide, longer.
EntryRecord FullRecord() {
  EntryRecord r;
  r.dwSize = 0x11111111;
  r.dwfOptions = 0x75111710;
  r.dwCountryID = 0x0A0B0C0D;
  r.dwCountryCode = 7;
  r.szAreaCode = L"12345678901";                   // exactly 11: no terminator left
  r.szLocalPhoneNumber = std::wstring(200, L'5');  // cut at 129
  r.ipaddr = {10, 0, 0, 1};
  r.ipaddrDns = {10, 0, 0, 2};
  r.ipaddrDnsAlt = {10, 0, 0, 3};
  r.ipaddrWins = {10, 0, 0, 4};
  r.ipaddrWinsAlt = {10, 0, 0, 5};
  r.dwFrameSize = 1500;
  r.dwfNetProtocols = 4;
  r.dwFramingProtocol = 1;
  r.szScript = L"script.scp";
  r.szAutodialDll = std::wstring(300, L'd');
  r.szAutodialFunc = L"Dial";
  r.szDeviceType = L"vpnvpnvpnvpnvpnvpnvp";  // 20 characters, cut at 17
  r.szDeviceName = std::wstring(32, L'n') + L"!" + std::wstring(7, L'm');  // 40
  r.szX25PadType = L"pad";
  r.szX25Address = L"x25-address";
  r.szX25Facilities = L"facilities";
  r.szX25UserData = std::wstring(201, L'u');  // exactly 201
  r.dwChannels = 0x01020304;
  r.dwSubEntries = 21;
  r.dwDialMode = 22;
  r.dwDialExtraPercent = 23;
  r.dwDialExtraSampleSeconds = 24;
  r.dwHangUpExtraPercent = 25;
  r.dwHangUpExtraSampleSeconds = 26;
  r.dwIdleDisconnectSeconds = 27;
  r.dwType = 2;
  r.dwEncryptionType = 1;
  r.dwCustomAuthKey = 0xCAFEBABE;
  for (std::size_t i = 0; i < r.guidId.size(); ++i) r.guidId[i] = static_cast<std::uint8_t>(0xF0 + i);
  r.szCustomDialDll = L"custom.dll";
  r.dwVpnStrategy = 2;
  r.dwfOptions2 = 0x22222222;
  r.dwfOptions3 = 0x33333333;
  r.szDnsSuffix = L"example.ru";
  r.dwTcpWindowSize = 0x44444444;
  r.szPrerequisitePbk = L"never.pbk";
  r.szPrerequisiteEntry = L"never";
  r.dwRedialCount = 0x55555555;
  r.dwRedialPause = 0x66666666;
  return r;
}

std::vector<std::uint8_t> Image(const EntryRecord& record, std::uint32_t size) {
  const auto image = LayOutEntry(record, size);
  return {image.Bytes().begin(), image.Bytes().end()};
}

std::uint32_t NumberAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return image.at(offset) | image.at(offset + 1) << 8 | image.at(offset + 2) << 16 |
         static_cast<std::uint32_t>(image.at(offset + 3)) << 24;
}

// The published sizes are compared with the system's own structure declaration under Wine;
// here: the widths of texts longer than their fields, and the narrow layout of 1672.
TEST(EntryLayout, LongTextsFillTheirFieldWithoutTerminatorAndStopThere) {
  const auto image = Image(FullRecord(), 2884);
  const struct {
    const char* field;
    std::size_t lastByte;
    char last;
    std::uint8_t next;
  } ends[] = {{"szAreaCode", 26, '1', '5'},      {"szLocalPhoneNumber", 155, '5', 0},
              {"szAutodialDll", 711, 'd', 'D'},  {"szDeviceType", 988, 'p', 'n'},
              {"szX25UserData", 1753, 'u', 0}};
  for (const auto& end : ends) {
    EXPECT_EQ(image[end.lastByte], end.last) << end.field;
    EXPECT_EQ(image[end.lastByte + 1], end.next) << end.field;
  }
  EXPECT_EQ(NumberAt(image, 0), 2884u);  // the reported size, not the record's dwSize
  EXPECT_EQ(NumberAt(image, 156), 0u);   // no alternates: no offset
}

// 1672 has a 33-byte device name: the members behind it sit 96 bytes earlier than in the
// wider structures, and the rest of the image is theirs byte for byte.
TEST(EntryLayout, TheNarrowStructureMovesTheMembersBehindTheDeviceName) {
  const auto narrow = Image(FullRecord(), 1672);
  const auto wide = Image(FullRecord(), 2884);
  ASSERT_EQ(narrow.size(), 1672u + 2);
  EXPECT_EQ(NumberAt(narrow, 0), 1672u);
  EXPECT_TRUE(std::equal(narrow.begin() + 4, narrow.begin() + 989 + 33, wide.begin() + 4));
  EXPECT_EQ(narrow[989 + 32], '!');  // the name cut at 33, no terminator
  EXPECT_TRUE(std::equal(narrow.begin() + 1022, narrow.begin() + 1664, wide.begin() + 1118));
  EXPECT_EQ(NumberAt(narrow, 1660), 0x01020304u);  // dwChannels
  for (std::size_t i = 1664; i < narrow.size(); ++i) ASSERT_EQ(narrow[i], 0) << i;
}

TEST(EntryLayout, AlternatesFollowTheStructureWithTheirOffset) {
  EntryRecord record = FullRecord();
  record.szAlternates = std::wstring(L"111\0" L"22", 6);
  const auto image = Image(record, 1768);
  ASSERT_EQ(image.size(), 1768u + 6 + 2);
  EXPECT_EQ(NumberAt(image, 156), 1768u);
  EXPECT_EQ(std::string(image.begin() + 1768, image.end()), std::string("111\0" "22\0\0", 8));
}

TEST(EntryLayout, CyrillicTextsArriveInTheAnsiCodePage) {
  EntryRecord record;
  record.szDeviceName = L"Минипорт WAN (L2TP)";
  const auto image = Image(record, 2884);
  const std::string expected = "\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN (L2TP)";
  EXPECT_EQ(std::string(image.begin() + 989, image.begin() + 989 + expected.size()), expected);
  EXPECT_EQ(image[989 + expected.size()], 0);
}

// Sizes no system publishes: what fits is written, nothing lands outside the structure.
TEST(EntryLayout, UnpublishedSizesNeverWriteOutsideTheStructure) {
  EntryRecord record = FullRecord();
  record.szAlternates = L"9";
  for (std::uint32_t size : {0u, 3u, 100u, 1700u, 1780u, 1800u, 2090u, 2300u}) {
    const auto image = Image(record, size);
    ASSERT_EQ(image.size(), size + 3u);
    EXPECT_EQ(image[size], '9') << size;
    EXPECT_EQ(image[size + 1], 0) << size;
    EXPECT_EQ(image[size + 2], 0) << size;
  }
  const auto small = Image(record, 100);
  EXPECT_EQ(NumberAt(small, 0), 100u);
  EXPECT_EQ(small[16], '1');  // the area code fits
  EXPECT_EQ(small[99], 0);    // the phone number (27..155) does not, and is not cut to fit
}

// A size that cannot be had is lack of memory, never an image that wrapped round to fit.
TEST(EntryImage, AnImpossibleSizeIsLackOfMemory) {
  EXPECT_THROW(modRASVPN::EntryImage(2884, SIZE_MAX - 2884), std::bad_alloc);
  EXPECT_THROW(modRASVPN::EntryImage(2884, SIZE_MAX), std::bad_alloc);
}

}  // namespace
