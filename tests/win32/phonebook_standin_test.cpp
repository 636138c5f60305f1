// The phonebook layer through the real API and the stand-in rasapi32.dll of the prefix, loaded
// from system32 by the program's own RasPhonebookService; checked in the stand-in's file.
#include <windows.h>
#include <ras.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings.h"
#include "phonebook/entry_writes.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/error_text.h"
#include "phonebook/vpn_entry.h"
#include "platform/system.h"
#include "platform/win32/ras_phonebook_service.h"
#include "platform/win32/unique_resource.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

// The boxes the phonebook layer shows, recorded instead of shown: this program's own
// platform::ShowMessageBox, which it links before the Windows one.
struct ShownBox {
  std::wstring text;
  std::uint32_t style;
  std::wstring title;
};
std::vector<ShownBox> shownBoxes;

int platform::ShowMessageBox(const std::wstring& text, std::uint32_t style,
                             const std::wstring& title) {
  shownBoxes.push_back({text, style, title});
  return 1;
}

namespace {

namespace fs = std::filesystem;
using support::Cp1251;
using support::ReadFile;
using support::ScopedEnvironment;

// What the service itself says for a code, read without the program's code.
std::wstring ServiceText(DWORD code) {
  platform::win32::UniqueModule ras{::LoadLibraryW(L"rasapi32.dll")};
  using Fn = DWORD WINAPI(UINT, LPSTR, DWORD);
  auto* function = reinterpret_cast<Fn*>(
      reinterpret_cast<void*>(::GetProcAddress(ras.get(), "RasGetErrorStringA")));
  if (function == nullptr) return L"(no RasGetErrorStringA)";
  char buffer[512] = {};
  function(code, buffer, sizeof buffer);
  wchar_t wide[512] = {};
  ::MultiByteToWideChar(1251, 0, buffer, -1, wide, 512);
  return wide;
}

std::wstring SystemText(DWORD code) {
  wchar_t buffer[512] = {};
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   buffer, 512, nullptr);
  return buffer;
}

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
    shownBoxes.clear();
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

TEST_F(PhonebookThroughStandIn, TheVpnEntryIsWrittenAndListedBack) {
  EXPECT_EQ(List(), std::vector<std::wstring>(41));  // nothing there yet
  ASSERT_TRUE(VPN::CreateVpnEntry(service_));
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(List(), (std::vector<std::wstring>{L"", basMain::EntryName}));
  const std::string file = ReadFile(file_);
  EXPECT_NE(file.find("szDeviceName=" + Cp1251(L"Минипорт WAN (L2TP)") + "\r\n"), std::string::npos)
      << file;
  EXPECT_NE(file.find("szDeviceType=vpn\r\n"), std::string::npos);
  EXPECT_EQ(FilesIn(file_.parent_path()), std::vector<fs::path>{L"rasphone.pbk"});
}

TEST_F(PhonebookThroughStandIn, EveryPublishedSizeIsAccepted) {
  for (const wchar_t* size : {L"1672", L"1768", L"1796", L"2088", L"2884"}) {
    ScopedEnvironment entrySize(L"DIALWRIGHT_STANDIN_ENTRY_SIZE", size);
    EXPECT_TRUE(VPN::CreateVpnEntry(service_)) << size;
  }
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(List().size(), 2u);  // the one entry, rewritten each time
}

TEST_F(PhonebookThroughStandIn, NamesComeBackInTheOrderWritten) {
  const std::vector<std::wstring> names = {L"Первое подключение", L"second", L"Третье"};
  for (const std::wstring& name : names) ASSERT_EQ(Set(name), 0u);
  EXPECT_EQ(List(), (std::vector<std::wstring>{L"", names[0], names[1], names[2]}));
}

// Above 600 the service's own text; below, the system's message with its line break, inserts
// kept as text; nobody's code has none.
TEST_F(PhonebookThroughStandIn, ARefusalShowsTheTextOfWhoeverOwnsTheCode) {
  const struct {
    const wchar_t* fail;
    std::wstring text;
  } cases[] = {{L"RasSetEntryPropertiesA:623", ServiceText(623)},
               {L"RasGetEntryPropertiesA:5", SystemText(5)}};
  ASSERT_EQ(cases[1].text.back(), L'\n');
  for (const auto& refusal : cases) {
    SCOPED_TRACE(refusal.fail);
    shownBoxes.clear();
    ScopedEnvironment fail(L"DIALWRIGHT_STANDIN_FAIL", refusal.fail);
    EXPECT_FALSE(VPN::CreateVpnEntry(service_));
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text, refusal.text);
    EXPECT_NE(refusal.text.find_first_of(L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"), std::wstring::npos);
    EXPECT_EQ(shownBoxes[0].style, 0u);
    EXPECT_EQ(shownBoxes[0].title, L"Dialwright");
  }
  const std::wstring withInserts = modRASVPN::ErrorText(service_, ERROR_BAD_EXE_FORMAT);
  EXPECT_NE(withInserts.find(L"%1"), std::wstring::npos);
  EXPECT_EQ(withInserts, SystemText(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(modRASVPN::ErrorText(service_, 0x7FFFFFF0), L"");
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

// Without the override the phonebook is the system's default one under ProgramData; the
// test's entry goes again.
TEST_F(PhonebookThroughStandIn, TheDefaultPhonebookLivesUnderProgramData) {
  ScopedEnvironment noOverride(L"DIALWRIGHT_STANDIN_PHONEBOOK", std::nullopt);
  wchar_t programData[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                               programData),
            S_OK);
  const fs::path path =
      fs::path(programData) / L"Microsoft" / L"Network" / L"Connections" / L"Pbk" / L"rasphone.pbk";
  const std::string name = "Dialwright stand-in test " + std::to_string(::GetCurrentProcessId());
  ASSERT_EQ(Set(platform::FromAnsi(name)), 0u);
  EXPECT_NE(ReadFile(path).find("[" + name + "]\r\n"), std::string::npos);
  EXPECT_EQ(service_.RasDeleteEntryA(name), 0u);
  EXPECT_EQ(ReadFile(path).find("[" + name + "]"), std::string::npos);
}

}  // namespace
