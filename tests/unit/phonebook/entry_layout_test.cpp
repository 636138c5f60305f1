#include "phonebook/entry_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "standin/entry_image.h"
#include "tests/fakes/system.h"

namespace {

using modRASVPN::EntryRecord;
using modRASVPN::LayOutEntry;

// Every member holds a value of its own: numbers and addresses with four different bytes,
// texts of a letter of their own and longer than any field, one text in Cyrillic. With
// emptyTexts 0 or 1 every other text is left empty, so that a text written one byte too wide
// shows in the empty field behind it.
EntryRecord DistinctRecord(int emptyTexts = -1) {
  EntryRecord r;
  std::uint32_t number = 0x04030201;
  int texts = 0;
  const auto next = [&] { return number += 0x04040404; };
  const auto text = [&] {
    const int index = texts++;
    if (index % 2 == emptyTexts) return std::wstring();
    return std::wstring(300, static_cast<wchar_t>(L'A' + index));
  };
  const auto address = [&] {
    const std::uint32_t n = next();
    return modRASVPN::RasIpAddress{
        static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
        static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
  };
  r.dwSize = next();
  r.dwfOptions = next();
  r.dwCountryID = next();
  r.dwCountryCode = next();
  r.szAreaCode = text();
  r.szLocalPhoneNumber = text();
  r.ipaddr = address();
  r.ipaddrDns = address();
  r.ipaddrDnsAlt = address();
  r.ipaddrWins = address();
  r.ipaddrWinsAlt = address();
  r.dwFrameSize = next();
  r.dwfNetProtocols = next();
  r.dwFramingProtocol = next();
  for (std::wstring* field : {&r.szScript, &r.szAutodialDll, &r.szAutodialFunc, &r.szDeviceType})
    *field = text();
  r.szDeviceName = text();
  if (!r.szDeviceName.empty()) r.szDeviceName.assign(300, L'Ж');
  for (std::wstring* field :
       {&r.szX25PadType, &r.szX25Address, &r.szX25Facilities, &r.szX25UserData})
    *field = text();
  for (std::uint32_t* field : {&r.dwChannels, &r.dwSubEntries, &r.dwDialMode,
                               &r.dwDialExtraPercent, &r.dwDialExtraSampleSeconds,
                               &r.dwHangUpExtraPercent, &r.dwHangUpExtraSampleSeconds,
                               &r.dwIdleDisconnectSeconds, &r.dwType, &r.dwEncryptionType,
                               &r.dwCustomAuthKey})
    *field = next();
  for (std::size_t i = 0; i < r.guidId.size(); ++i)
    r.guidId[i] = static_cast<std::uint8_t>(0xE0 + i);
  r.szCustomDialDll = text();
  r.dwVpnStrategy = next();
  r.dwfOptions2 = next();
  r.dwfOptions3 = next();
  r.szDnsSuffix = text();
  // Never part of the image, whatever the size.
  r.dwTcpWindowSize = next();
  r.szPrerequisitePbk = text();
  r.szPrerequisiteEntry = text();
  r.dwRedialCount = next();
  r.dwRedialPause = next();
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

std::string Address(const modRASVPN::RasIpAddress& a) {
  return std::to_string(a.a) + "." + std::to_string(a.b) + "." + std::to_string(a.c) + "." +
         std::to_string(a.d);
}

// The record's values as the stand-in's phonebook keeps them, by field name.
standin::EntryValues ValuesOf(const EntryRecord& r) {
  const auto n = [](std::uint32_t value) { return std::to_string(value); };
  const auto t = [](const std::wstring& text) { return platform::ToAnsi(text); };
  std::string guid;
  for (const std::uint8_t byte : r.guidId) {
    guid += "0123456789ABCDEF"[byte >> 4];
    guid += "0123456789ABCDEF"[byte & 15];
  }
  return {
      {"dwfOptions", n(r.dwfOptions)}, {"dwCountryID", n(r.dwCountryID)},
      {"dwCountryCode", n(r.dwCountryCode)}, {"szAreaCode", t(r.szAreaCode)},
      {"szLocalPhoneNumber", t(r.szLocalPhoneNumber)}, {"ipaddr", Address(r.ipaddr)},
      {"ipaddrDns", Address(r.ipaddrDns)}, {"ipaddrDnsAlt", Address(r.ipaddrDnsAlt)},
      {"ipaddrWins", Address(r.ipaddrWins)}, {"ipaddrWinsAlt", Address(r.ipaddrWinsAlt)},
      {"dwFrameSize", n(r.dwFrameSize)}, {"dwfNetProtocols", n(r.dwfNetProtocols)},
      {"dwFramingProtocol", n(r.dwFramingProtocol)}, {"szScript", t(r.szScript)},
      {"szAutodialDll", t(r.szAutodialDll)}, {"szAutodialFunc", t(r.szAutodialFunc)},
      {"szDeviceType", t(r.szDeviceType)}, {"szDeviceName", t(r.szDeviceName)},
      {"szX25PadType", t(r.szX25PadType)}, {"szX25Address", t(r.szX25Address)},
      {"szX25Facilities", t(r.szX25Facilities)}, {"szX25UserData", t(r.szX25UserData)},
      {"dwChannels", n(r.dwChannels)}, {"dwSubEntries", n(r.dwSubEntries)},
      {"dwDialMode", n(r.dwDialMode)}, {"dwDialExtraPercent", n(r.dwDialExtraPercent)},
      {"dwDialExtraSampleSeconds", n(r.dwDialExtraSampleSeconds)},
      {"dwHangUpExtraPercent", n(r.dwHangUpExtraPercent)},
      {"dwHangUpExtraSampleSeconds", n(r.dwHangUpExtraSampleSeconds)},
      {"dwIdleDisconnectSeconds", n(r.dwIdleDisconnectSeconds)}, {"dwType", n(r.dwType)},
      {"dwEncryptionType", n(r.dwEncryptionType)}, {"dwCustomAuthKey", n(r.dwCustomAuthKey)},
      {"guidId", guid}, {"szCustomDialDll", t(r.szCustomDialDll)},
      {"dwVpnStrategy", n(r.dwVpnStrategy)}, {"dwfOptions2", n(r.dwfOptions2)},
      {"dwfOptions3", n(r.dwfOptions3)}, {"szDnsSuffix", t(r.szDnsSuffix)}};
}

// Every published size against an independent layout, the stand-in's: the image it makes of
// the record's values must be the program's byte for byte, so that a field dropped, moved by a
// byte or written one byte too wide fails for every size that has the field. (Under Wine the
// image is also compared with the system headers' own RASENTRYA.)
TEST(EntryLayout, EveryPublishedSizeEqualsTheStandinsImageByteForByte) {
  for (const int emptyTexts : {-1, 0, 1}) {
    const EntryRecord r = DistinctRecord(emptyTexts);
    for (const std::uint32_t size : {1672u, 1768u, 1796u, 2088u, 2884u}) {
      std::vector<std::uint8_t> expected(size);
      standin::WriteEntryImage(ValuesOf(r), size, expected.data());
      const auto image = Image(r, size);
      ASSERT_EQ(image.size(), size + 2u);  // and the empty alternates list's two zeros
      EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + size), expected)
          << size << ", empty texts " << emptyTexts;
      EXPECT_EQ(image[size], 0);
      EXPECT_EQ(image[size + 1], 0);
    }
  }
}

TEST(EntryLayout, AlternatesFollowTheStructureWithTheirOffset) {
  EntryRecord record = DistinctRecord();
  record.szAlternates = std::wstring(L"111\0" L"22", 6);
  const auto image = Image(record, 1768);
  ASSERT_EQ(image.size(), 1768u + 6 + 2);
  EXPECT_EQ(NumberAt(image, 156), 1768u);
  EXPECT_EQ(std::string(image.begin() + 1768, image.end()), std::string("111\0" "22\0\0", 8));
}

// Sizes no system publishes: what fits is written, nothing lands outside the structure.
TEST(EntryLayout, UnpublishedSizesNeverWriteOutsideTheStructure) {
  EntryRecord record = DistinctRecord();
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
  EXPECT_EQ(small[16], 'A');  // the area code fits
  EXPECT_EQ(small[99], 0);    // the phone number (27..155) does not, and is not cut to fit
}

// A size that cannot be had is lack of memory, never an image that wrapped round to fit.
TEST(EntryImage, AnImpossibleSizeIsLackOfMemory) {
  EXPECT_THROW(modRASVPN::EntryImage(2884, SIZE_MAX - 2884), std::bad_alloc);
  EXPECT_THROW(modRASVPN::EntryImage(2884, SIZE_MAX), std::bad_alloc);
}

}  // namespace
