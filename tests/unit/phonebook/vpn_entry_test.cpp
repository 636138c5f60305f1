#include "phonebook/vpn_entry.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "phonebook/entry_layout.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

using modRASVPN::EntryRecord;

std::uint32_t NumberAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return image.at(offset) | image.at(offset + 1) << 8 | image.at(offset + 2) << 16 |
         static_cast<std::uint32_t>(image.at(offset + 3)) << 24;
}

// What reaches the system is the laid-out image: the profile's must equal that of a record
// with exactly these members set, at the widest size, where every written member has a place.
TEST(ProviderProfile, EveryMemberOfTheProfile) {
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
  const auto image = [](const EntryRecord& record) {
    const auto laidOut = modRASVPN::LayOutEntry(record, 2884);
    return std::vector<std::uint8_t>(laidOut.Bytes().begin(), laidOut.Bytes().end());
  };
  EXPECT_EQ(image(VPN::ProviderProfile(L"  198.51.100.10 ")), image(expected));
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

  fakes::FakePhonebookService service;
  const std::vector<fakes::ShownBox>& boxes = fakes::TheSystem().boxes;
};

TEST_F(CreateVpnEntryTest, WritesTheProfileToTheDefaultPhonebookWithoutABox) {
  EXPECT_TRUE(VPN::CreateVpnEntry(service));
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(service.setCalls.size(), 1u);
  const auto& call = service.setCalls[0];
  EXPECT_FALSE(call.phonebook.has_value());  // null, not an empty path
  EXPECT_EQ(call.entryName, "Vorlix INTERNET");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.entry[27])), "203.0.113.5");
  EXPECT_EQ(NumberAt(call.entry, 1796), 2u);
}

TEST_F(CreateVpnEntryTest, ARefusalShowsTheServicesTextOnce) {
  service.setResult = 720;
  service.errorStringText = std::string("\xCE\xF8\xE8\xE1\xEA\xE0\0", 7);
  EXPECT_FALSE(VPN::CreateVpnEntry(service));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Ошибка");
  EXPECT_EQ(boxes[0].style, 0u);
  EXPECT_EQ(boxes[0].title, L"Dialwright");
  ASSERT_EQ(service.errorStringCalls.size(), 1u);
  EXPECT_EQ(service.errorStringCalls[0].code, 720u);
}

}  // namespace
