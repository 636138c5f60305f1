// The phonebook layer through the real API and the stand-in phonebook service of the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/settings.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/error_text.h"
#include "phonebook/set_entry_properties.h"
#include "phonebook/vpn_entry.h"
#include "platform/win32/unique_resource.h"
#include "app/win32/windows_phonebook_services.h"
#include "tests/fakes/fake_message_boxes.h"

namespace {

namespace fs = std::filesystem;
std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool HasCyrillic(const std::wstring& text) {
  for (wchar_t c : text)
    if (c >= 0x0410 && c <= 0x044F) return true;
  return false;
}

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

// Each test gets a phonebook file of its own (the stand-in reads its variables at every call).
class PhonebookThroughStandIn : public testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    folder_ = fs::temp_directory_path() / (L"dialwright-phonebook-" +
                                           std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                           std::to_wstring(++counter));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", PhonebookFile().c_str());
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_FAIL", nullptr);
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_ENTRY_SIZE", nullptr);
    basMain::FillSettings();
  }

  void TearDown() override {
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", nullptr);
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_FAIL", nullptr);
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_ENTRY_SIZE", nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path PhonebookFile() const { return folder_ / L"rasphone.pbk"; }

  std::vector<std::wstring> List() {
    std::vector<std::wstring> list;
    const std::int16_t count = modRASVPN::EnumerateEntries(services_.Get(), list);
    EXPECT_EQ(list.size(), count > 0 ? count + 1u : 41u);
    return list;
  }

  fs::path folder_;
  platform::win32::WindowsPhonebookServices services_;
  fakes::FakeMessageBoxes boxes_;
};

TEST_F(PhonebookThroughStandIn, TheVpnEntryIsWrittenAndListedBack) {
  EXPECT_EQ(List(), std::vector<std::wstring>(41));  // nothing there yet

  ASSERT_TRUE(VPN::CreateVpnEntry(services_.Get(), boxes_));
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(List(), (std::vector<std::wstring>{L"", basMain::EntryName}));

  // The Russian device name reaches the service in code page 1251.
  const std::string file = ReadFile(PhonebookFile());
  EXPECT_NE(file.find("szDeviceName=\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN (L2TP)\r\n"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("szDeviceType=vpn\r\n"), std::string::npos) << file;
}

TEST_F(PhonebookThroughStandIn, EveryPublishedSizeIsAccepted) {
  for (const wchar_t* size : {L"1672", L"1768", L"1796", L"2088", L"2884"}) {
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_ENTRY_SIZE", size);
    EXPECT_TRUE(VPN::CreateVpnEntry(services_.Get(), boxes_)) << size;
  }
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(List().size(), 2u);  // the one entry, rewritten each time
}

TEST_F(PhonebookThroughStandIn, NamesComeBackInTheOrderWritten) {
  const std::vector<std::wstring> names = {L"Первое подключение", L"second", L"Третье"};
  for (const std::wstring& name : names) {
    ASSERT_EQ(modRASVPN::SetEntryProperties(services_.Get(), name,
                                            VPN::ProviderProfile(L"192.0.2.1"), std::nullopt),
              0u);
  }
  EXPECT_EQ(List(), (std::vector<std::wstring>{L"", names[0], names[1], names[2]}));
}

// Above 600 the service's own text; below, the system's message with its line break.
TEST_F(PhonebookThroughStandIn, ARefusalShowsTheTextOfWhoeverOwnsTheCode) {
  const struct {
    const wchar_t* fail;
    std::wstring text;
  } cases[] = {{L"RasSetEntryPropertiesA:623", ServiceText(623)},
               {L"RasGetEntryPropertiesA:5", SystemText(5)}};
  ASSERT_EQ(cases[1].text.back(), L'\n');
  for (const auto& refusal : cases) {
    SCOPED_TRACE(refusal.fail);
    boxes_.shown.clear();
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_FAIL", refusal.fail);
    EXPECT_FALSE(VPN::CreateVpnEntry(services_.Get(), boxes_));
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, refusal.text);
    EXPECT_TRUE(HasCyrillic(refusal.text)) << refusal.text.size();
    EXPECT_EQ(boxes_.shown[0].style, 0u);
    EXPECT_EQ(boxes_.shown[0].title, L"Dialwright");
  }
}

TEST_F(PhonebookThroughStandIn, SystemMessagesWithInsertsKeepThemAsText) {
  const std::wstring text = modRASVPN::ErrorText(services_.Get(), ERROR_BAD_EXE_FORMAT);
  EXPECT_NE(text.find(L"%1"), std::wstring::npos);
  EXPECT_EQ(text, SystemText(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(modRASVPN::ErrorText(services_.Get(), 0x7FFFFFF0), L"");  // nobody's code
}

}  // namespace
