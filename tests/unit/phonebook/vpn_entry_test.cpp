#include "phonebook/vpn_entry.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "tests/unit/fakes/fake_message_boxes.h"
#include "tests/unit/phonebook/fake_services.h"

namespace {

using modRASVPN::EntryRecord;

std::uint32_t NumberAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return image.at(offset) | image.at(offset + 1) << 8 | image.at(offset + 2) << 16 |
         static_cast<std::uint32_t>(image.at(offset + 3)) << 24;
}

TEST(ProviderProfile, EveryMemberOfTheProfile) {
  const EntryRecord r = VPN::ProviderProfile(L"  198.51.100.10 ");
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

  // Field by field against the record above, all 46 members.
  EXPECT_EQ(r.dwSize, expected.dwSize);
  EXPECT_EQ(r.dwfOptions, expected.dwfOptions);
  EXPECT_EQ(r.dwCountryID, expected.dwCountryID);
  EXPECT_EQ(r.dwCountryCode, expected.dwCountryCode);
  EXPECT_EQ(r.szAreaCode, expected.szAreaCode);
  EXPECT_EQ(r.szLocalPhoneNumber, expected.szLocalPhoneNumber);
  EXPECT_EQ(r.szAlternates, expected.szAlternates);
  for (const auto* address : {&r.ipaddr, &r.ipaddrDns, &r.ipaddrDnsAlt, &r.ipaddrWins,
                              &r.ipaddrWinsAlt}) {
    EXPECT_EQ(address->a | address->b | address->c | address->d, 0);
  }
  EXPECT_EQ(r.dwFrameSize, expected.dwFrameSize);
  EXPECT_EQ(r.dwfNetProtocols, expected.dwfNetProtocols);
  EXPECT_EQ(r.dwFramingProtocol, expected.dwFramingProtocol);
  EXPECT_EQ(r.szScript, expected.szScript);
  EXPECT_EQ(r.szAutodialDll, expected.szAutodialDll);
  EXPECT_EQ(r.szAutodialFunc, expected.szAutodialFunc);
  EXPECT_EQ(r.szDeviceType, expected.szDeviceType);
  EXPECT_EQ(r.szDeviceName, expected.szDeviceName);
  EXPECT_EQ(r.szX25PadType, expected.szX25PadType);
  EXPECT_EQ(r.szX25Address, expected.szX25Address);
  EXPECT_EQ(r.szX25Facilities, expected.szX25Facilities);
  EXPECT_EQ(r.szX25UserData, expected.szX25UserData);
  EXPECT_EQ(r.dwChannels, expected.dwChannels);
  EXPECT_EQ(r.dwSubEntries, expected.dwSubEntries);
  EXPECT_EQ(r.dwDialMode, expected.dwDialMode);
  EXPECT_EQ(r.dwDialExtraPercent, expected.dwDialExtraPercent);
  EXPECT_EQ(r.dwDialExtraSampleSeconds, expected.dwDialExtraSampleSeconds);
  EXPECT_EQ(r.dwHangUpExtraPercent, expected.dwHangUpExtraPercent);
  EXPECT_EQ(r.dwHangUpExtraSampleSeconds, expected.dwHangUpExtraSampleSeconds);
  EXPECT_EQ(r.dwIdleDisconnectSeconds, expected.dwIdleDisconnectSeconds);
  EXPECT_EQ(r.dwType, expected.dwType);
  EXPECT_EQ(r.dwEncryptionType, expected.dwEncryptionType);
  EXPECT_EQ(r.dwCustomAuthKey, expected.dwCustomAuthKey);
  EXPECT_EQ(r.guidId, expected.guidId);
  EXPECT_EQ(r.szCustomDialDll, expected.szCustomDialDll);
  EXPECT_EQ(r.dwVpnStrategy, expected.dwVpnStrategy);
  EXPECT_EQ(r.dwfOptions2, expected.dwfOptions2);
  EXPECT_EQ(r.dwfOptions3, expected.dwfOptions3);
  EXPECT_EQ(r.szDnsSuffix, expected.szDnsSuffix);
  EXPECT_EQ(r.dwTcpWindowSize, expected.dwTcpWindowSize);
  EXPECT_EQ(r.szPrerequisitePbk, expected.szPrerequisitePbk);
  EXPECT_EQ(r.szPrerequisiteEntry, expected.szPrerequisiteEntry);
  EXPECT_EQ(r.dwRedialCount, expected.dwRedialCount);
  EXPECT_EQ(r.dwRedialPause, expected.dwRedialPause);
}

TEST(ProviderProfile, AnAddressOfSpacesOnlyLeavesThePhoneNumberEmpty) {
  EXPECT_EQ(VPN::ProviderProfile(L"   ").szLocalPhoneNumber, L"");
  EXPECT_EQ(VPN::ProviderProfile(L"\tvpn.example.ru ").szLocalPhoneNumber, L"\tvpn.example.ru");
}

class CreateVpnEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    basMain::ServerAddresses = {L"element zero is never read", L" 203.0.113.5  "};
    basMain::EntryName = L"  Vorlix INTERNET ";
  }
  void TearDown() override { basMain::FillSettings(); }

  fakes::FakeServices fake;
  fakes::FakeMessageBoxes boxes;
};

TEST_F(CreateVpnEntryTest, WritesTheProfileToTheDefaultPhonebookWithoutABox) {
  EXPECT_TRUE(VPN::CreateVpnEntry(fake.Get(), boxes));
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_EQ(fake.service.setCalls.size(), 1u);
  const auto& call = fake.service.setCalls[0];
  EXPECT_FALSE(call.phonebook.has_value());  // null, not an empty path
  EXPECT_EQ(call.entryName, "Vorlix INTERNET");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.entry[27])), "203.0.113.5");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.entry[989])),
            "\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN (L2TP)");
  EXPECT_EQ(NumberAt(call.entry, 4), 0x75111710u);
  EXPECT_EQ(NumberAt(call.entry, 1796), 2u);
  EXPECT_EQ(NumberAt(call.entry, 2084), 2u);
}

TEST_F(CreateVpnEntryTest, ARefusalShowsTheServicesTextOnce) {
  fake.service.setResult = 720;
  fake.service.errorStringText = std::string("\xCE\xF8\xE8\xE1\xEA\xE0\0", 7);
  EXPECT_FALSE(VPN::CreateVpnEntry(fake.Get(), boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Ошибка");
  EXPECT_EQ(boxes.shown[0].style, 0u);
  EXPECT_EQ(boxes.shown[0].title, L"Dialwright");
  ASSERT_EQ(fake.service.errorStringCalls.size(), 1u);
  EXPECT_EQ(fake.service.errorStringCalls[0].code, 720u);
}

TEST_F(CreateVpnEntryTest, ASizeQueryFailureIsARefusalToo) {
  fake.service.sizeQueryResult = 87;
  fake.systemMessages.text = std::string("bad parameter\r\n\0", 16);
  EXPECT_FALSE(VPN::CreateVpnEntry(fake.Get(), boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"bad parameter\r\n");
  EXPECT_EQ(fake.systemMessages.lastMessageId, 87u);
}

TEST_F(CreateVpnEntryTest, AnUnknownCodeShowsAnEmptyBox) {
  fake.service.setResult = 31337;
  EXPECT_FALSE(VPN::CreateVpnEntry(fake.Get(), boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"");
}

}  // namespace
