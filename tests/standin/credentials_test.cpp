// The stand-in's credentials: only their mask is kept, with the entry; a rewrite of the entry
// keeps it, its deletion takes it; what is asked is answered in the mask, no secret given out.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <string>

#include "standin/entry_image.h"
#include "standin/service.h"

namespace {

class MemoryStorage final : public standin::Storage {
 public:
  standin::ResultCode Read(const char*, std::string& bytes) override {
    bytes = file;
    return 0;
  }
  standin::ResultCode Write(const char*, std::string_view bytes) override {
    file = bytes;
    return 0;
  }
  std::string file;
};

std::array<std::uint8_t, standin::kCredentialsSize> Credentials(std::uint32_t mask,
                                                                const char* password = "") {
  std::array<std::uint8_t, standin::kCredentialsSize> image{};
  standin::StoreNumber(image.data(), standin::kCredentialsSize);
  standin::StoreNumber(image.data() + 4, mask);
  std::memcpy(image.data() + 265, password, std::strlen(password));
  return image;
}

TEST(StandinCredentials, OnlyTheMaskIsKeptWithTheEntry) {
  MemoryStorage storage;
  storage.file = "[A]\r\ndwSize=2884\r\nszDeviceType=vpn\r\n";
  standin::Options options;
  standin::Service service(storage, options);
  auto key = Credentials(0x10, "secret key");
  EXPECT_EQ(service.RasSetCredentialsA(nullptr, "B", key.data(), false), standin::kCannotFindEntry);
  EXPECT_EQ(service.RasSetCredentialsA(nullptr, "A", key.data(), false), 0u);
  EXPECT_NE(storage.file.find("dwCredentialsMask=16\r\n"), std::string::npos);
  EXPECT_EQ(storage.file.find("secret"), std::string::npos) << "a key is never written";

  auto asked = Credentials(0x10 | 0x2);
  EXPECT_EQ(service.RasGetCredentialsA(nullptr, "A", asked.data()), 0u);
  EXPECT_EQ(standin::LoadNumber(asked.data() + 4), 0x10u);
  auto wrongSize = Credentials(0x10);
  standin::StoreNumber(wrongSize.data(), 536);
  EXPECT_EQ(service.RasGetCredentialsA(nullptr, "A", wrongSize.data()), standin::kInvalidSize);
  EXPECT_EQ(service.RasSetCredentialsA(nullptr, "A", wrongSize.data(), false), standin::kInvalidSize);

  // Clearing forgets what is masked, and the key is gone.
  EXPECT_EQ(service.RasSetCredentialsA(nullptr, "A", key.data(), true), 0u);
  EXPECT_EQ(storage.file.find("dwCredentialsMask"), std::string::npos);
  EXPECT_EQ(service.RasGetCredentialsA(nullptr, "A", asked.data()), 0u);
  EXPECT_EQ(standin::LoadNumber(asked.data() + 4), 0u);

  options.failures[static_cast<std::size_t>(standin::Call::kRasSetCredentialsA)] = 5;
  standin::Service failing(storage, options);
  EXPECT_EQ(failing.RasSetCredentialsA(nullptr, "A", key.data(), false), 5u);
}

TEST(StandinCredentials, ARewriteKeepsThemADeletionTakesThem) {
  MemoryStorage storage;
  standin::Service service(storage, standin::Options{});
  std::vector<std::uint8_t> entry(2884 + 2);
  standin::StoreNumber(entry.data(), 2884);
  std::memcpy(entry.data() + 972, "vpn", 3);
  std::memcpy(entry.data() + 989, "WAN", 3);
  std::memcpy(entry.data() + 27, "198.51.100.10", 13);
  for (const std::size_t at : {4, 188, 1796}) standin::StoreNumber(entry.data() + at, 2);  // options, framing, type
  ASSERT_EQ(service.RasSetEntryPropertiesA(nullptr, "A", entry.data(), 2884, nullptr, 0), 0u);
  const auto key = Credentials(0x10, "k");
  ASSERT_EQ(service.RasSetCredentialsA(nullptr, "A", key.data(), false), 0u);
  ASSERT_EQ(service.RasSetEntryPropertiesA(nullptr, "A", entry.data(), 2884, nullptr, 0), 0u);
  auto asked = Credentials(0x10);
  EXPECT_EQ(service.RasGetCredentialsA(nullptr, "A", asked.data()), 0u);
  EXPECT_EQ(standin::LoadNumber(asked.data() + 4), 0x10u);
  ASSERT_EQ(service.RasDeleteEntryA(nullptr, "A"), 0u);
  ASSERT_EQ(service.RasSetEntryPropertiesA(nullptr, "A", entry.data(), 2884, nullptr, 0), 0u);
  EXPECT_EQ(service.RasGetCredentialsA(nullptr, "A", asked.data()), 0u);
  EXPECT_EQ(standin::LoadNumber(asked.data() + 4), 0u);
}

}  // namespace
