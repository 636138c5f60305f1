#include "phonebook/entry_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "tests/unit/fakes/cp1251_code_page.h"

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

// The expected image, built from the layout table independently of the code under test.
class Expected {
 public:
  explicit Expected(std::size_t size) : bytes(size, 0) {}
  void Number(std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
  }
  void Text(std::size_t offset, const std::wstring& text, std::size_t width) {
    for (std::size_t i = 0; i < text.size() && i < width; ++i)
      bytes.at(offset + i) = static_cast<std::uint8_t>(text[i]);
  }
  void Address(std::size_t offset, const modRASVPN::RasIpAddress& a) {
    bytes.at(offset) = a.a;
    bytes.at(offset + 1) = a.b;
    bytes.at(offset + 2) = a.c;
    bytes.at(offset + 3) = a.d;
  }
  std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> ExpectedImage(const EntryRecord& r, std::uint32_t size) {
  Expected e(size + 2);
  const bool narrow = size == 1672;
  e.Number(0, size);
  e.Number(4, r.dwfOptions);
  e.Number(8, r.dwCountryID);
  e.Number(12, r.dwCountryCode);
  e.Text(16, r.szAreaCode, 11);
  e.Text(27, r.szLocalPhoneNumber, 129);
  e.Address(160, r.ipaddr);
  e.Address(164, r.ipaddrDns);
  e.Address(168, r.ipaddrDnsAlt);
  e.Address(172, r.ipaddrWins);
  e.Address(176, r.ipaddrWinsAlt);
  e.Number(180, r.dwFrameSize);
  e.Number(184, r.dwfNetProtocols);
  e.Number(188, r.dwFramingProtocol);
  e.Text(192, r.szScript, 260);
  e.Text(452, r.szAutodialDll, 260);
  e.Text(712, r.szAutodialFunc, 260);
  e.Text(972, r.szDeviceType, 17);
  e.Text(989, r.szDeviceName, narrow ? 33 : 129);
  e.Text(narrow ? 1022 : 1118, r.szX25PadType, 33);
  e.Text(narrow ? 1055 : 1151, r.szX25Address, 201);
  e.Text(narrow ? 1256 : 1352, r.szX25Facilities, 201);
  e.Text(narrow ? 1457 : 1553, r.szX25UserData, 201);
  e.Number(narrow ? 1660 : 1756, r.dwChannels);
  if (size > 1768) {
    e.Number(1768, r.dwSubEntries);
    e.Number(1772, r.dwDialMode);
    e.Number(1776, r.dwDialExtraPercent);
    e.Number(1780, r.dwDialExtraSampleSeconds);
    e.Number(1784, r.dwHangUpExtraPercent);
    e.Number(1788, r.dwHangUpExtraSampleSeconds);
    e.Number(1792, r.dwIdleDisconnectSeconds);
  }
  if (size > 1796) {
    e.Number(1796, r.dwType);
    e.Number(1800, r.dwEncryptionType);
    e.Number(1804, r.dwCustomAuthKey);
    for (std::size_t i = 0; i < 16; ++i) e.bytes.at(1808 + i) = r.guidId[i];
    e.Text(1824, r.szCustomDialDll, 260);
    e.Number(2084, r.dwVpnStrategy);
  }
  if (size > 2088) {
    e.Number(2088, r.dwfOptions2);
    e.Number(2092, r.dwfOptions3);
    e.Text(2096, r.szDnsSuffix, 256);
  }
  return e.bytes;
}

std::vector<std::uint8_t> Image(const EntryRecord& record, std::uint32_t size) {
  fakes::Cp1251CodePage ansi;
  const auto image = LayOutEntry(record, size, ansi);
  return {image.Bytes().begin(), image.Bytes().end()};
}

std::uint32_t NumberAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return image.at(offset) | image.at(offset + 1) << 8 | image.at(offset + 2) << 16 |
         static_cast<std::uint32_t>(image.at(offset + 3)) << 24;
}

class PublishedSize : public testing::TestWithParam<std::uint32_t> {};

TEST_P(PublishedSize, EveryFieldAtItsOffsetAndNothingElse) {
  const std::uint32_t size = GetParam();
  const auto image = Image(FullRecord(), size);
  ASSERT_EQ(image.size(), size + 2u);
  const auto expected = ExpectedImage(FullRecord(), size);
  for (std::size_t i = 0; i < image.size(); ++i)
    ASSERT_EQ(image[i], expected[i]) << "size " << size << ", offset " << i;
}

INSTANTIATE_TEST_SUITE_P(EntryLayout, PublishedSize,
                         testing::Values(1672u, 1768u, 1796u, 2088u, 2884u));

TEST(EntryLayout, SizeIsTheReportedOneAndUnwrittenMembersStayZero) {
  const auto image = Image(FullRecord(), 2884);
  EXPECT_EQ(NumberAt(image, 0), 2884u);  // not the record's dwSize
  EXPECT_EQ(NumberAt(image, 156), 0u);   // no alternates: no offset
  for (std::size_t i = 2352; i < image.size(); ++i) ASSERT_EQ(image[i], 0) << i;
}

TEST(EntryLayout, TextsAreCutWithoutTerminatorAtTheirWidth) {
  const auto image = Image(FullRecord(), 2884);
  // 11 characters in the 11-byte area code: the phone number starts right behind it.
  EXPECT_EQ(std::string(image.begin() + 16, image.begin() + 27), "12345678901");
  EXPECT_EQ(image[27], '5');
  // 20 characters of device type: the first 17 and no zero byte in the field.
  EXPECT_EQ(std::string(image.begin() + 972, image.begin() + 989), "vpnvpnvpnvpnvpnvp");
  // A 3-character text in a 33-byte field: bytes 3..32 zero.
  EXPECT_EQ(std::string(image.begin() + 1118, image.begin() + 1121), "pad");
  for (std::size_t i = 1121; i < 1151; ++i) ASSERT_EQ(image[i], 0) << i;
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
