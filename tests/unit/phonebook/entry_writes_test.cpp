#include "phonebook/entry_writes.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_phonebook_service.h"

namespace {

using modRASVPN::EntryRecord;
using modRASVPN::SetEntryProperties;
using Journal = std::vector<std::wstring>;

TEST(EntryWrites, TheImageOfTheReportedSizeGoesUnderTheAnsiNamesAndTheServicesCodeComesBack) {
  fakes::FakePhonebookService service;
  service.reportedSize = 1796;
  EntryRecord record;
  record.szLocalPhoneNumber = L"198.51.100.10";
  record.dwType = 2;
  EXPECT_EQ(SetEntryProperties(service, L"Связь INTERNET", record, std::nullopt), 0u);
  ASSERT_EQ(service.entries.size(), 1u);
  const auto& entry = service.entries[0];
  EXPECT_EQ(entry[0], 0x04);  // 1796 = 0x0704, little-endian
  EXPECT_EQ(entry[1], 0x07);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&entry[27])), "198.51.100.10");
  EXPECT_EQ(entry[1796 - 4], 0);  // dwType is beyond a 1796-byte structure

  EXPECT_EQ(SetEntryProperties(service, L"x", EntryRecord{}, std::wstring(L"C:\\Тест.pbk")), 0u);
  service.setResult = 87;
  EXPECT_EQ(SetEntryProperties(service, L"x", EntryRecord{}, std::nullopt), 87u);
  service.deleteResult = 623;
  EXPECT_EQ(modRASVPN::DeleteEntry(service, L"Ворликс INTERNET"), 623u);
  EXPECT_EQ(fakes::TakeJournal(),
            (Journal{L"RasGetEntryPropertiesA 0",
                     L"RasSetEntryPropertiesA (default) Связь INTERNET 1796",
                     L"RasGetEntryPropertiesA 0", L"RasSetEntryPropertiesA C:\\Тест.pbk x 1796",
                     L"RasGetEntryPropertiesA 0", L"RasSetEntryPropertiesA (default) x 1796",
                     L"RasDeleteEntryA Ворликс INTERNET"}));
}

TEST(EntryWrites, AnUnusableSizeQueryWritesNothing) {
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
    EXPECT_TRUE(service.entries.empty()) << c.answer << " " << c.size;
  }
}

}  // namespace
