// The stand-in's service over a phonebook kept in memory. What the program meets through the
// exported functions (the stored entry, the listing, replacing and deleting, the injected
// failures, the error texts, the file on disk) is seen under Wine; here: what it refuses, so
// that an entry the system would refuse cannot pass a test.
#include "standin/service.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "standin/storage.h"

namespace {

using standin::Options;
using Image = std::vector<std::uint8_t>;

class MemoryStorage final : public standin::Storage {
 public:
  standin::ResultCode Read(const char*, std::string& bytes) override {
    bytes = content;
    return 0;
  }
  standin::ResultCode Write(const char*, std::string_view bytes) override {
    ++writes;
    content = bytes;
    return 0;
  }
  std::string content;
  int writes = 0;
};

void PutNumber(Image& image, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) image.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

// A VPN entry with the fields the service requires, at their published offsets.
Image ValidImage(std::uint32_t size, const std::string& phone = "203.0.113.5") {
  Image image(size, 0);
  PutNumber(image, 0, size);
  PutNumber(image, 4, 0x75111710);  // dwfOptions
  std::memcpy(&image[27], phone.data(), phone.size());  // szLocalPhoneNumber
  PutNumber(image, 188, 1);                             // dwFramingProtocol
  std::memcpy(&image[972], "vpn", 3);                   // szDeviceType
  std::memcpy(&image[989], "WAN Miniport (L2TP)", 19);  // szDeviceName
  if (size > 1796) PutNumber(image, 1796, 2);           // dwType
  return image;
}

class StandinService : public ::testing::Test {
 protected:
  standin::ResultCode Set(const std::string& name, const Image& image) {
    return service_.RasSetEntryPropertiesA(nullptr, name.c_str(), image.data(),
                                           static_cast<std::uint32_t>(image.size()), nullptr, 0);
  }

  MemoryStorage storage_;
  standin::Service service_{storage_, Options{2884}};
};

// What the system refuses, the stand-in refuses, and writes nothing.
TEST_F(StandinService, RefusesUnpublishedSizesUnusableNamesAndEntriesMissingAField) {
  for (const std::uint32_t size : {0u, 4u, 1671u, 1673u, 1800u, 2352u, 2885u, 3220u}) {
    auto image = ValidImage(2884);
    EXPECT_EQ(service_.RasSetEntryPropertiesA(nullptr, "X", image.data(), size, nullptr, 0), 632u)
        << size;
    PutNumber(image, 0, size);
    EXPECT_EQ(Set("X", image), 632u) << size;
  }
  // A structure larger than the bytes handed over would be read past their end.
  const Image wide = ValidImage(2884);
  EXPECT_EQ(Set("X", Image(wide.begin(), wide.begin() + 1768)), 632u);

  for (const std::string& name : {std::string(), std::string(".hidden"), std::string(257, 'n'),
                                  std::string("a\tb"), std::string("a\\b"), std::string("a/b"),
                                  std::string("a:b"), std::string("a*b"), std::string("a?b"),
                                  std::string("a\"b"), std::string("a<b"), std::string("a|b")})
    EXPECT_EQ(Set(name, ValidImage(2884)), 123u) << name;

  const std::pair<std::size_t, std::size_t> required[] = {
      {27, 129}, {989, 129}, {972, 17}, {188, 4}, {4, 4}, {1796, 4}};  // offset, bytes
  for (const auto& [offset, bytes] : required) {
    auto image = ValidImage(2884);
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(offset), bytes, 0);
    EXPECT_EQ(Set("X", image), 87u) << offset;
  }
  EXPECT_EQ(storage_.writes, 0);
  EXPECT_EQ(Set(std::string(256, 'n'), ValidImage(1796)), 0u);  // no dwType to require
  EXPECT_EQ(Set("Vorlix INTERNET [2] \xCC\xE8\xED\xE8", ValidImage(2884)), 0u);
}

TEST_F(StandinService, ADamagedPhonebookIsAnErrorAndIsNeverOverwritten) {
  const std::string damaged = "[Vorlix INTERNET]\r\ndwfOptions=not a number\r\n";
  storage_.content = damaged;
  std::uint32_t bytes = 0, count = 0;
  EXPECT_EQ(service_.RasEnumEntriesA(nullptr, nullptr, nullptr, &bytes, &count), 625u);
  EXPECT_EQ(Set("New", ValidImage(2884)), 625u);
  EXPECT_EQ(service_.RasDeleteEntryA(nullptr, "Vorlix INTERNET"), 625u);
  EXPECT_EQ(storage_.content, damaged);
  EXPECT_EQ(storage_.writes, 0);
}

}  // namespace
