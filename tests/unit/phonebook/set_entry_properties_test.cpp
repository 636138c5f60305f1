#include "phonebook/set_entry_properties.h"

#include <gtest/gtest.h>

#include "tests/unit/phonebook/fake_services.h"

namespace {

using modRASVPN::EntryRecord;
using modRASVPN::SetEntryProperties;

TEST(SetEntryProperties, WritesTheImageOfTheReportedSize) {
  fakes::FakeServices fake;
  fake.service.reportedSize = 1796;
  EntryRecord record;
  record.szLocalPhoneNumber = L"198.51.100.10";
  record.dwType = 2;

  EXPECT_EQ(SetEntryProperties(fake.Get(), L"Связь INTERNET", record, std::nullopt), 0u);

  EXPECT_EQ(fake.service.sizeQueries, 1);
  EXPECT_EQ(fake.service.sizeQueryArgument, 0u);
  ASSERT_EQ(fake.service.setCalls.size(), 1u);
  const auto& call = fake.service.setCalls[0];
  EXPECT_FALSE(call.phonebook.has_value());
  EXPECT_EQ(call.entryName, "\xD1\xE2\xFF\xE7\xFC INTERNET");
  EXPECT_EQ(call.entrySize, 1796u);
  EXPECT_EQ(call.entry[0], 0x04);  // 1796 = 0x0704, little-endian
  EXPECT_EQ(call.entry[1], 0x07);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.entry[27])), "198.51.100.10");
  EXPECT_EQ(call.entry[1796 - 4], 0);  // dwType is beyond a 1796-byte structure
}

TEST(SetEntryProperties, PassesAGivenPhonebookInAnsi) {
  fakes::FakeServices fake;
  EXPECT_EQ(SetEntryProperties(fake.Get(), L"x", EntryRecord{}, std::wstring(L"C:\\Тест.pbk")), 0u);
  ASSERT_EQ(fake.service.setCalls.size(), 1u);
  EXPECT_EQ(fake.service.setCalls[0].phonebook, std::optional<std::string>("C:\\\xD2\xE5\xF1\xF2.pbk"));
}

TEST(SetEntryProperties, ReturnsTheServiceRefusal) {
  fakes::FakeServices fake;
  fake.service.setResult = 87;
  EXPECT_EQ(SetEntryProperties(fake.Get(), L"x", EntryRecord{}, std::nullopt), 87u);
  EXPECT_EQ(fake.service.setCalls.size(), 1u);
}

TEST(SetEntryProperties, SizeQueryOtherThan603WritesNothing) {
  // 0 would claim success without any size: it is a failure of its own.
  const std::pair<platform::ResultCode, platform::ResultCode> cases[] = {
      {0, 632}, {87, 87}, {623, 623}, {632, 632}, {0xFFFFFFFF, 0xFFFFFFFF}};
  for (const auto& [answer, result] : cases) {
    fakes::FakeServices fake;
    fake.service.sizeQueryResult = answer;
    EXPECT_EQ(SetEntryProperties(fake.Get(), L"x", EntryRecord{}, std::nullopt), result) << answer;
    EXPECT_TRUE(fake.service.setCalls.empty()) << answer;
  }
}

}  // namespace

namespace {

TEST(SetEntryProperties, ReportedSizeTooSmallForItsOwnSizeFieldWritesNothing) {
  for (std::uint32_t size : {0u, 1u, 3u}) {
    fakes::FakeServices fake;
    fake.service.reportedSize = size;
    EXPECT_EQ(modRASVPN::SetEntryProperties(fake.Get(), L"x", modRASVPN::EntryRecord{},
                                            std::nullopt),
              632u)
        << size;
    EXPECT_TRUE(fake.service.setCalls.empty()) << size;
  }
}

}  // namespace
