// The phonebook layer through the real API and the stand-in rasapi32.dll of the prefix, loaded
// from system32 by the program's own RasPhonebookService; checked in the stand-in's file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings.h"
#include "phonebook/entry_writes.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/vpn_entry.h"
#include "platform/win32/ras_phonebook_service.h"
#include "platform/win32/unique_resource.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

namespace fs = std::filesystem;
using support::Cp1251;
using support::ReadFile;
using support::ScopedEnvironment;

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> names;
  for (const auto& item : fs::directory_iterator(folder)) names.push_back(item.path().filename());
  return names;
}

// Each test gets a phonebook file of its own, in a folder the stand-in creates (it reads its
// variables at every call).
class PhonebookThroughStandIn : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(root_);
    basMain::FillSettings();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::vector<std::wstring> List() {
    std::vector<std::wstring> list;
    const std::int16_t count = modRASVPN::EnumerateEntries(service_, list);
    EXPECT_EQ(list.size(), count > 0 ? count + 1u : 41u);
    return list;
  }

  std::uint32_t Set(const std::wstring& name) {
    return modRASVPN::SetEntryProperties(service_, name, VPN::ProviderProfile(L"192.0.2.1"),
                                         std::nullopt);
  }

  const fs::path root_ = support::TemporaryFolder() /
                         (L"dialwright-phonebook-" + std::to_wstring(::GetCurrentProcessId()));
  const fs::path file_ = root_ / L"Pbk" / L"rasphone.pbk";
  const ScopedEnvironment phonebook_{L"DIALWRIGHT_STANDIN_PHONEBOOK", file_.wstring()};
  const ScopedEnvironment fail_{L"DIALWRIGHT_STANDIN_FAIL", std::nullopt};
  const ScopedEnvironment size_{L"DIALWRIGHT_STANDIN_ENTRY_SIZE", std::nullopt};
  platform::win32::RasPhonebookService service_;
};

// The program's entry lands in the file with its Cyrillic device name in the ANSI code page, and
// the names come back in the order written. (Every published size, the refusals and their
// texts are seen end to end, tests/command_e2e.)
TEST_F(PhonebookThroughStandIn, TheEntriesAreWrittenAndListedBackInOrder) {
  EXPECT_EQ(List(), std::vector<std::wstring>(41));  // nothing there yet
  for (const wchar_t* name : {L"Первое подключение", L"second"}) ASSERT_EQ(Set(name), 0u);
  EXPECT_EQ(List(), (std::vector<std::wstring>{L"", L"Первое подключение", L"second"}));
  const std::string file = ReadFile(file_);
  EXPECT_NE(file.find("szDeviceName=" + Cp1251(L"Минипорт WAN (L2TP)") + "\r\n"), std::string::npos)
      << file;
  EXPECT_NE(file.find("szDeviceType=vpn\r\n"), std::string::npos);
  EXPECT_EQ(FilesIn(file_.parent_path()), std::vector<fs::path>{L"rasphone.pbk"});
}

// The new content is renamed over the old file. When that fails, the old file stays whole and
// the temporary file goes. A reader that does not share delete access blocks the rename on
// Windows and Wine alike (Wine, unlike Windows, renames over a read-only file).
TEST_F(PhonebookThroughStandIn, AFailedReplaceKeepsTheOldFile) {
  ASSERT_EQ(Set(L"First"), 0u);
  const std::string before = ReadFile(file_);
  platform::win32::UniqueHandle reader{::CreateFileW(
      file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
  ASSERT_NE(reader.get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Set(L"Second"), 624u);
  reader.reset();
  EXPECT_EQ(ReadFile(file_), before);
  EXPECT_EQ(FilesIn(file_.parent_path()), std::vector<fs::path>{L"rasphone.pbk"});
}

}  // namespace
