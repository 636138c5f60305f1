#include "phonebook/set_entry_properties.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"

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

TEST(SetEntryProperties, AnUnusableSizeQueryWritesNothing) {
  // 0 would claim success without any size; a size below the size field cannot hold it.
  const struct {
    platform::ResultCode answer;
    std::uint32_t size;
    platform::ResultCode result;
  } cases[] = {{0, 2884, 632},       {87, 2884, 87}, {623, 2884, 623}, {632, 2884, 632},
               {0xFFFFFFFF, 2884, 0xFFFFFFFF}, {603, 0, 632},  {603, 1, 632},    {603, 3, 632}};
  for (const auto& c : cases) {
    fakes::FakeServices fake;
    fake.service.sizeQueryResult = c.answer;
    fake.service.reportedSize = c.size;
    EXPECT_EQ(SetEntryProperties(fake.Get(), L"x", EntryRecord{}, std::nullopt), c.result)
        << c.answer << " " << c.size;
    EXPECT_TRUE(fake.service.setCalls.empty()) << c.answer << " " << c.size;
  }
}

}  // namespace
