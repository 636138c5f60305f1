#include "phonebook/entry_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "standin/entry_image.h"
#include "tests/fakes/system.h"

namespace {

using modRASVPN::EntryRecord;

// The members the image carries, in order: N a number, T a text, A an address (and the guid,
// between dwCustomAuthKey and szCustomDialDll).
#define IMAGE_MEMBERS(N, T, A)                                                               \
  N(dwfOptions) N(dwCountryID) N(dwCountryCode) T(szAreaCode) T(szLocalPhoneNumber)          \
  A(ipaddr) A(ipaddrDns) A(ipaddrDnsAlt) A(ipaddrWins) A(ipaddrWinsAlt) N(dwFrameSize)       \
  N(dwfNetProtocols) N(dwFramingProtocol) T(szScript) T(szAutodialDll) T(szAutodialFunc)     \
  T(szDeviceType) T(szDeviceName) T(szX25PadType) T(szX25Address) T(szX25Facilities)         \
  T(szX25UserData) N(dwChannels) N(dwSubEntries) N(dwDialMode) N(dwDialExtraPercent)         \
  N(dwDialExtraSampleSeconds) N(dwHangUpExtraPercent) N(dwHangUpExtraSampleSeconds)          \
  N(dwIdleDisconnectSeconds) N(dwType) N(dwEncryptionType) N(dwCustomAuthKey)                \
  T(szCustomDialDll) N(dwVpnStrategy) N(dwfOptions2) N(dwfOptions3) T(szDnsSuffix)

// Every member holds a value of its own: numbers and addresses with four different bytes,
// texts of a letter of their own and longer than any field, the device name in Cyrillic.
// With emptyTexts 0 or 1 every other text is left empty, so that a text written one byte
// too wide shows in the empty field behind it.
EntryRecord DistinctRecord(int emptyTexts = -1) {
  EntryRecord r;
  std::uint32_t number = 0x04030201;
  int texts = 0;
  const auto next = [&] { return number += 0x04040404; };
  const auto text = [&] {
    const int index = texts++;
    return std::wstring(index % 2 == emptyTexts ? 0 : 300, static_cast<wchar_t>(L'A' + index));
  };
  const auto address = [&] {
    const std::uint32_t n = next();
    return modRASVPN::RasIpAddress{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                   static_cast<std::uint8_t>(n >> 16),
                                   static_cast<std::uint8_t>(n >> 24)};
  };
#define N(member) r.member = next();
#define T(member) r.member = text();
#define A(member) r.member = address();
  IMAGE_MEMBERS(N, T, A)
  // Never part of the image, whatever the size.
  N(dwTcpWindowSize) T(szPrerequisitePbk) T(szPrerequisiteEntry) N(dwRedialCount) N(dwRedialPause)
#undef N
#undef T
#undef A
  if (!r.szDeviceName.empty()) r.szDeviceName.assign(300, L'Ж');
  for (std::size_t i = 0; i < r.guidId.size(); ++i) r.guidId[i] = static_cast<std::uint8_t>(0xE0 + i);
  return r;
}

std::vector<std::uint8_t> Image(const EntryRecord& record, std::uint32_t size) {
  const auto image = modRASVPN::LayOutEntry(record, size);
  return {image.Bytes().begin(), image.Bytes().end()};
}

// The record's values as the stand-in's phonebook keeps them, by field name.
standin::EntryValues ValuesOf(const EntryRecord& r) {
  const auto address = [](const modRASVPN::RasIpAddress& a) {
    return std::to_string(a.a) + "." + std::to_string(a.b) + "." + std::to_string(a.c) + "." +
           std::to_string(a.d);
  };
  std::string guid;
  for (const std::uint8_t byte : r.guidId) {
    guid += "0123456789ABCDEF"[byte >> 4];
    guid += "0123456789ABCDEF"[byte & 15];
  }
  standin::EntryValues values = {{"guidId", guid}};
#define N(member) values.emplace_back(#member, std::to_string(r.member));
#define T(member) values.emplace_back(#member, platform::ToAnsi(r.member));
#define A(member) values.emplace_back(#member, address(r.member));
  IMAGE_MEMBERS(N, T, A)
#undef N
#undef T
#undef A
  return values;
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
  EXPECT_EQ(std::vector(image.begin() + 156, image.begin() + 160),
            (std::vector<std::uint8_t>{0xE8, 0x06, 0, 0}));  // 1768
  EXPECT_EQ(std::string(image.begin() + 1768, image.end()), std::string("111\0" "22\0\0", 8));
}

// Sizes no system publishes: nothing lands outside the structure, where the alternates
// follow.
TEST(EntryLayout, UnpublishedSizesNeverWriteOutsideTheStructure) {
  EntryRecord record = DistinctRecord();
  record.szAlternates = L"9";
  for (std::uint32_t size : {0u, 3u, 100u, 1700u, 1780u, 1800u, 2090u, 2300u}) {
    const auto image = Image(record, size);
    const std::vector<std::uint8_t> after(image.begin() + size, image.end());
    EXPECT_EQ(after, (std::vector<std::uint8_t>{'9', 0, 0})) << size;
  }
}

// A size that cannot be had is lack of memory, never an image that wrapped round to fit.
TEST(EntryImage, AnImpossibleSizeIsLackOfMemory) {
  EXPECT_THROW(modRASVPN::EntryImage(2884, SIZE_MAX - 2884), std::bad_alloc);
  EXPECT_THROW(modRASVPN::EntryImage(2884, SIZE_MAX), std::bad_alloc);
}

}  // namespace
