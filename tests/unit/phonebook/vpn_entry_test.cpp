#include "phonebook/vpn_entry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/settings.h"
#include "phonebook/credentials.h"
#include "phonebook/entry_layout.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

using modRASVPN::EntryRecord;

std::vector<std::uint8_t> Image(const EntryRecord& record) {
  const auto laidOut = modRASVPN::LayOutEntry(record, 2884);
  return {laidOut.Bytes().begin(), laidOut.Bytes().end()};
}

// What reaches the system is the laid-out image: the profile's must equal that of a record
// with exactly these members set, at the widest size, where every written member has a place.
TEST(ProviderProfile, EveryMemberOfTheProfileAndTheServerTrimmedOfSpaces) {
  EntryRecord expected;  // everything else stays zero or empty
  expected.dwfOptions = 0x75111710;
  expected.dwfNetProtocols = 4;
  expected.dwFramingProtocol = 1;
  expected.szDeviceType = L"vpn";
  expected.szDeviceName = L"Минипорт WAN (L2TP)";
  expected.szLocalPhoneNumber = L"198.51.100.10";
  expected.dwType = 2;
  expected.dwEncryptionType = 1;
  expected.dwVpnStrategy = 2;
  EXPECT_EQ(Image(VPN::ProviderProfile(L"  198.51.100.10 ")), Image(expected));
  EXPECT_EQ(VPN::ProviderProfile(L"   ").szLocalPhoneNumber, L"");
  EXPECT_EQ(VPN::ProviderProfile(L"\tvpn.example.ru ").szLocalPhoneNumber, L"\tvpn.example.ru");
}

// Each tunnel's members where they differ from the first's; the rest as the first's.
TEST(ProviderProfile, EachTunnelItsStrategyMiniportAndOptions) {
  const struct {
    VPN::Tunnel tunnel;
    std::uint32_t strategy;
    const wchar_t* device;
    std::uint32_t options, options2;
  } rows[] = {
      {VPN::Tunnel::kPptpFirst, 2, L"Минипорт WAN (L2TP)", 0x75111710, 0},
      {VPN::Tunnel::kSstp, 5, L"Минипорт WAN (SSTP)", 0x25111710, 0},
      {VPN::Tunnel::kL2tpPsk, 3, L"Минипорт WAN (L2TP)", 0x25111710, 0x10},
  };
  for (const auto& row : rows) {
    EntryRecord expected = VPN::ProviderProfile(L"198.51.100.10", VPN::ProfileOf(VPN::Tunnel::kPptpFirst));
    expected.dwVpnStrategy = row.strategy;
    expected.szDeviceName = row.device;
    expected.dwfOptions = row.options;
    expected.dwfOptions2 = row.options2;
    EXPECT_EQ(Image(VPN::ProviderProfile(L"198.51.100.10", VPN::ProfileOf(row.tunnel))), Image(expected))
        << row.strategy;
  }
  EXPECT_EQ(VPN::TunnelNamed(L"l2tp-psk"), VPN::Tunnel::kL2tpPsk);
  EXPECT_EQ(VPN::TunnelNamed(L"SSTP"), std::nullopt);
  basMain::TunnelName = L"sstp";
  EXPECT_EQ(VPN::ProviderTunnel().tunnel, VPN::Tunnel::kSstp);
  basMain::FillSettings();
  EXPECT_EQ(VPN::ProviderTunnel().tunnel, VPN::Tunnel::kPptpFirst);
}

// RASCREDENTIALSA: its size, the mask of the key alone, the key's ANSI bytes where szPassword
// is, ended by the image's zeros, and a key longer than PWLEN cut there.
TEST(PreSharedKey, TheCredentialsImage) {
  const auto image = modRASVPN::PreSharedKeyCredentials(L"ключ 1");
  const std::vector<std::uint8_t> head(image.begin(), image.begin() + 8);
  EXPECT_EQ(head, (std::vector<std::uint8_t>{0x1C, 0x02, 0, 0, 0x10, 0, 0, 0}));
  const std::string key(reinterpret_cast<const char*>(image.data()) + 265, 7);
  EXPECT_EQ(key, std::string("\xEA\xEB\xFE\xF7 1\0", 7));
  EXPECT_EQ(std::count(image.begin(), image.end(), 0), 540 - 2 - 1 - 6);
  const auto longest = modRASVPN::PreSharedKeyCredentials(std::wstring(300, L'k'));
  EXPECT_EQ(std::count(longest.begin(), longest.end(), 'k'), 256);
  EXPECT_EQ(longest[265 + 256], 0);
}

// The key after the entry; a refused key takes the entry with it; a structure without room
// for the tunnel gets nothing. (Each refusal's box: every failure in turn, tests/failures.)
TEST(CreateVpnEntry, TheKeyAfterTheEntryAndNothingOnAStructureTooOld) {
  basMain::FillSettings();
  basMain::TunnelName = L"l2tp-psk";
  basMain::PreSharedKey = L"ключ 1";
  fakes::FakePhonebookService service;
  EXPECT_TRUE(VPN::CreateVpnEntry(service));
  EXPECT_EQ(fakes::LinesStartingWith(fakes::TakeJournal(), L"Ras"),
            (std::vector<std::wstring>{L"RasGetEntryPropertiesA 0",
                                       L"RasSetEntryPropertiesA (default) Vorlix INTERNET 2884",
                                       L"RasSetCredentialsA Vorlix INTERNET 540 16"}));
  EXPECT_EQ(service.keys.at("Vorlix INTERNET"), "\xEA\xEB\xFE\xF7 1");

  service.reportedSize = 2088;
  service.stored.clear();
  EXPECT_FALSE(VPN::CreateVpnEntry(service));
  EXPECT_EQ(fakes::LinesStartingWith(fakes::TakeJournal(), L"Ras"),
            std::vector<std::wstring>{L"RasGetEntryPropertiesA 0"});
  EXPECT_TRUE(service.stored.empty());
  basMain::FillSettings();
}

// (A refusal and its box: every failure in turn, tests/failures.)
TEST(CreateVpnEntry, WritesTheProfileOfServerOneUnderTheTrimmedName) {
  basMain::ServerAddresses = {L"element zero is never read", L" 203.0.113.5  "};
  basMain::EntryName = L"  Vorlix INTERNET ";
  fakes::FakePhonebookService service;
  EXPECT_TRUE(VPN::CreateVpnEntry(service));
  ASSERT_EQ(service.entries.size(), 1u);
  auto expected = Image(VPN::ProviderProfile(L"203.0.113.5"));
  expected.resize(2884);  // without the empty alternates list
  EXPECT_EQ(service.entries[0], expected);

  basMain::FillSettings();
  EXPECT_EQ(basMain::ServerAddresses[0], L"");  // the settings are filled afresh, all of them
}

}  // namespace
