// The stand-in rasapi32.dll as the program meets it: loaded from system32 by the program's own
// RasPhonebookService. Entry images are laid out by MinGW's RASENTRYA, an independent layout.
#include <windows.h>
#include <ras.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/ras_phonebook_service.h"

namespace {

static_assert(sizeof(RASENTRYA) == 2884, "MinGW's RASENTRYA is the 2884-byte structure");

using platform::win32::RasPhonebookService;

std::string ToCp1251(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  const int length = ::WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()),
                                           bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                           nullptr);
  bytes.resize(static_cast<std::size_t>(length));
  return bytes;
}

// False when the file cannot be read (it does not exist, for one).
bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.assign(::GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  const BOOL ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  return ok && read == bytes.size();
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

// A VPN entry in MinGW's RASENTRYA with a value in each group of fields.
RASENTRYA VpnEntry() {
  RASENTRYA entry;
  std::memset(&entry, 0, sizeof entry);
  entry.dwSize = sizeof entry;
  entry.dwfOptions = 0x75111710;
  std::strcpy(entry.szLocalPhoneNumber, "198.51.100.10");
  entry.ipaddrDns.a = 10;
  entry.ipaddrDns.d = 1;
  entry.dwfNetProtocols = RASNP_Ip;
  entry.dwFramingProtocol = RASFP_Ppp;
  std::strcpy(entry.szDeviceType, "vpn");
  std::strcpy(entry.szDeviceName, ToCp1251(L"Минипорт WAN (L2TP)").c_str());
  std::strcpy(entry.szX25UserData, "x25");
  entry.dwChannels = 5;
  entry.dwIdleDisconnectSeconds = 600;
  entry.dwType = RASET_Vpn;
  entry.dwEncryptionType = ET_Require;
  entry.guidId = GUID{0x04030201, 0x0605, 0x0807, {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}};
  entry.dwVpnStrategy = 2;
  entry.dwfOptions2 = 0x10;
  std::strcpy(entry.szDnsSuffix, "example.ru");
  std::strcpy(entry.szPrerequisiteEntry, "Base");
  entry.dwRedialCount = 3;
  return entry;
}

class StandinUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    root_ = std::wstring(temp) + L"dialwright-standin-" + std::to_wstring(::GetCurrentProcessId());
    folder_ = root_ + L"\\Pbk";  // not there yet: the stand-in creates it
    file_ = folder_ + L"\\rasphone.pbk";
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", file_.c_str());
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_ENTRY_SIZE", nullptr);
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_FAIL", nullptr);
  }

  void TearDown() override {
    for (const std::wstring& name : FilesIn(folder_)) {
      const std::wstring path = folder_ + L"\\" + name;
      ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(folder_.c_str());
    ::RemoveDirectoryW(root_.c_str());
    ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", nullptr);
  }

  std::uint32_t Set(const char* name) {
    const RASENTRYA entry = VpnEntry();
    return service_.RasSetEntryPropertiesA(std::nullopt, name, &entry, sizeof entry);
  }

  std::string FileBytes() {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(file_, bytes));
    return bytes;
  }

  std::wstring root_, folder_, file_;
  RasPhonebookService service_;
};

TEST_F(StandinUnderWine, AReportedSizeWriteLandsInThePhonebookFileByteForByte) {
  std::uint32_t size = 0;
  ASSERT_EQ(service_.RasGetEntryPropertiesA(size), 603u);
  ASSERT_EQ(size, sizeof(RASENTRYA));
  ASSERT_EQ(Set("Vorlix INTERNET"), 0u);

  const std::string file = FileBytes();
  EXPECT_EQ(file.rfind("[Vorlix INTERNET]\r\ndwSize=2884\r\n", 0), 0u) << file.substr(0, 80);
  for (const std::string& line :
       {"szDeviceName=" + ToCp1251(L"Минипорт WAN (L2TP)"), std::string("szDeviceType=vpn"),
        std::string("dwfOptions=1964054288"), std::string("szLocalPhoneNumber=198.51.100.10"),
        std::string("ipaddrDns=10.0.0.1"), std::string("dwFramingProtocol=1"),
        std::string("szX25UserData=x25"), std::string("dwChannels=5"),
        std::string("dwIdleDisconnectSeconds=600"), std::string("dwType=2"),
        std::string("guidId=0102030405060708090A0B0C0D0E0F10"), std::string("dwVpnStrategy=2"),
        std::string("dwfOptions2=16"), std::string("szDnsSuffix=example.ru"),
        std::string("szPrerequisiteEntry=Base"), std::string("dwRedialCount=3")})
    EXPECT_NE(file.find("\r\n" + line + "\r\n"), std::string::npos) << line;
  EXPECT_EQ(FilesIn(folder_), std::vector<std::wstring>{L"rasphone.pbk"});
}

// The new content is renamed over the old file. When that fails, the old file stays whole and
// the temporary file goes. A reader that does not share delete access blocks the rename on
// Windows and Wine alike (Wine, unlike Windows, renames over a read-only file).
TEST_F(StandinUnderWine, AFailedReplaceKeepsTheOldFile) {
  ASSERT_EQ(Set("First"), 0u);
  const std::string before = FileBytes();
  const HANDLE reader = ::CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Set("Second"), 624u);
  ::CloseHandle(reader);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(FilesIn(folder_), std::vector<std::wstring>{L"rasphone.pbk"});
}

// Without the override the phonebook is the system's default one under ProgramData. The
// test puts back whatever was there.
TEST_F(StandinUnderWine, TheDefaultPhonebookLivesUnderProgramData) {
  ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", nullptr);
  wchar_t programData[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                               programData),
            S_OK);
  const std::wstring path =
      std::wstring(programData) + L"\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
  std::string original;
  const bool existed = ReadFileBytes(path, original);

  const std::string name = "Dialwright stand-in test " + std::to_string(::GetCurrentProcessId());
  ASSERT_EQ(Set(name.c_str()), 0u);
  std::string written;
  EXPECT_TRUE(ReadFileBytes(path, written));
  EXPECT_NE(written.find("[" + name + "]\r\n"), std::string::npos);
  EXPECT_EQ(service_.RasDeleteEntryA(name), 0u);

  if (existed)
    WriteFileBytes(path, original);
  else
    ::DeleteFileW(path.c_str());
}

}  // namespace
