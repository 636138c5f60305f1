#include "phonebook/vpn_entry.h"

#include <gtest/gtest.h>

#include "app/settings.h"
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
