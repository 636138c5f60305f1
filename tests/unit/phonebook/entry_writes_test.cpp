#include "phonebook/entry_writes.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_phonebook_service.h"

namespace {

using modRASVPN::EntryRecord;
using modRASVPN::SetEntryProperties;

TEST(SetEntryProperties, WritesTheImageOfTheReportedSizeWithAnsiTexts) {
  fakes::FakePhonebookService service;
  service.reportedSize = 1796;
  EntryRecord record;
  record.szLocalPhoneNumber = L"198.51.100.10";
  record.dwType = 2;
  EXPECT_EQ(SetEntryProperties(service, L"Связь INTERNET", record, std::nullopt), 0u);
  EXPECT_EQ(service.sizeQueries, 1);
  EXPECT_EQ(service.sizeQueryArgument, 0u);
  ASSERT_EQ(service.setCalls.size(), 1u);
  const auto& call = service.setCalls[0];
  EXPECT_FALSE(call.phonebook.has_value());  // null, not an empty path
  EXPECT_EQ(call.entryName, "\xD1\xE2\xFF\xE7\xFC INTERNET");
  EXPECT_EQ(call.entrySize, 1796u);
  EXPECT_EQ(call.entry[0], 0x04);  // 1796 = 0x0704, little-endian
  EXPECT_EQ(call.entry[1], 0x07);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.entry[27])), "198.51.100.10");
  EXPECT_EQ(call.entry[1796 - 4], 0);  // dwType is beyond a 1796-byte structure

  EXPECT_EQ(SetEntryProperties(service, L"x", EntryRecord{}, std::wstring(L"C:\\Тест.pbk")), 0u);
  EXPECT_EQ(service.setCalls.back().phonebook,
            std::optional<std::string>("C:\\\xD2\xE5\xF1\xF2.pbk"));
  service.setResult = 87;
  EXPECT_EQ(SetEntryProperties(service, L"x", EntryRecord{}, std::nullopt), 87u);
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
    fakes::FakePhonebookService service;
    service.sizeQueryResult = c.answer;
    service.reportedSize = c.size;
    EXPECT_EQ(SetEntryProperties(service, L"x", EntryRecord{}, std::nullopt), c.result)
        << c.answer << " " << c.size;
    EXPECT_TRUE(service.setCalls.empty()) << c.answer << " " << c.size;
  }
}

TEST(DeleteEntry, DeletesTheAnsiNameAndAnswersTheServicesCode) {
  fakes::FakePhonebookService service;
  service.deleteResult = 623;
  EXPECT_EQ(modRASVPN::DeleteEntry(service, L"Ворликс INTERNET"), 623u);
  EXPECT_EQ(service.deleted, std::vector<std::string>{"\xC2\xEE\xF0\xEB\xE8\xEA\xF1 INTERNET"});
}

}  // namespace
