#include "standin/service.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "standin/phonebook_file.h"
#include "tests/standin/standin_fakes.h"

namespace {

using standin::Options;
using standin::Service;
using namespace standin_test;

constexpr std::uint32_t kRecord = 264;

class StandinService : public ::testing::Test {
 protected:
  Service Make(const Options& options = Options{2884}) { return Service(storage_, options); }

  std::uint32_t Set(const std::string& name, const std::vector<std::uint8_t>& image) {
    return Make().RasSetEntryPropertiesA(nullptr, name.c_str(), image.data(),
                                         static_cast<std::uint32_t>(image.size()), nullptr, 0);
  }

  // Lists the names the way the program does: one record first, then what 603 asked for.
  std::vector<std::string> Names() {
    std::vector<std::uint8_t> buffer(kRecord, 0);
    PutNumber(buffer, 0, kRecord);
    std::uint32_t bytes = kRecord, count = 0;
    auto result = Make().RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count);
    if (result == 603) {
      buffer.assign(bytes, 0);
      PutNumber(buffer, 0, kRecord);
      result = Make().RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count);
    }
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(bytes, count * kRecord);
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < count; ++i) {
      EXPECT_EQ(GetNumber(buffer, i * kRecord), kRecord);
      names.push_back(GetText(buffer, i * kRecord + 4));
    }
    return names;
  }

  std::vector<std::uint8_t> Get(const std::string& name, std::uint32_t size) {
    std::vector<std::uint8_t> image(size, 0);
    PutNumber(image, 0, size);
    std::uint32_t bytes = size;
    EXPECT_EQ(Make().RasGetEntryPropertiesA(nullptr, name.c_str(), image.data(), &bytes, nullptr,
                                            nullptr),
              0u);
    return image;
  }

  MemoryStorage storage_;
};

TEST_F(StandinService, SizeQueryReportsTheConfiguredStructureWithoutTouchingTheFile) {
  storage_.content = "damaged";
  for (const std::uint32_t size : {1672u, 1768u, 1796u, 2088u, 2884u}) {
    std::uint32_t reported = 0, deviceSize = 77;
    EXPECT_EQ(Make(Options{size}).RasGetEntryPropertiesA(nullptr, nullptr, nullptr, &reported,
                                                         nullptr, &deviceSize),
              603u);
    EXPECT_EQ(reported, size);
    EXPECT_EQ(deviceSize, 0u);
  }
  EXPECT_EQ(Make().RasGetEntryPropertiesA(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            87u);
}

TEST_F(StandinService, EnumerationNegotiatesTheBufferWith603) {
  for (const char* name : {"Alpha", "Beta", "Gamma"}) ASSERT_EQ(Set(name, ValidImage(2884)), 0u);

  std::vector<std::uint8_t> buffer(3 * kRecord, 0xEE);
  PutNumber(buffer, 0, kRecord);
  std::uint32_t bytes = kRecord, count = 0;
  EXPECT_EQ(Make().RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count), 603u);
  EXPECT_EQ(bytes, 3 * kRecord);
  EXPECT_EQ(count, 3u);

  EXPECT_EQ(Make().RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count), 0u);
  EXPECT_EQ(GetText(buffer, kRecord + 4), "Beta");
  // Each record is whole: its size, the name, and zeros up to the next record.
  for (std::uint32_t i = kRecord + 4 + 4; i < 2 * kRecord; ++i) ASSERT_EQ(buffer[i], 0) << i;
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));

  PutNumber(buffer, 0, 532);  // a newer record size the stand-in does not speak
  EXPECT_EQ(Make().RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count), 632u);
}

TEST_F(StandinService, KeepsEntriesInOrderReplacesInPlaceAndDeletesOnlyTheNamedOne) {
  for (const char* name : {"A", "B", "C"}) ASSERT_EQ(Set(name, ValidImage(2884)), 0u);
  ASSERT_EQ(Set("B", ValidImage(2884, "555")), 0u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(GetText(Get("B", 2884), 27), "555");
  EXPECT_EQ(GetText(Get("C", 2884), 27), "203.0.113.5");
  EXPECT_EQ(Make().RasDeleteEntryA(nullptr, "B"), 0u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "C"}));
  const int writes = storage_.writes;
  for (const char* missing : {"B", "a"}) EXPECT_EQ(Make().RasDeleteEntryA(nullptr, missing), 623u);
  EXPECT_EQ(Make().RasDeleteEntryA(nullptr, ""), 123u);
  EXPECT_EQ(storage_.writes, writes);
}

TEST_F(StandinService, RefusesSizesThatAreNotPublished) {
  for (const std::uint32_t size : {0u, 4u, 1671u, 1673u, 1800u, 2352u, 2885u, 3220u}) {
    auto image = ValidImage(2884);
    EXPECT_EQ(Make().RasSetEntryPropertiesA(nullptr, "X", image.data(), size, nullptr, 0), 632u)
        << size;
    PutNumber(image, 0, size);
    EXPECT_EQ(Make().RasSetEntryPropertiesA(nullptr, "X", image.data(), 2884, nullptr, 0), 632u)
        << size;
  }
  // A structure larger than the bytes handed over would be read past its end.
  const auto wide = ValidImage(2884);
  EXPECT_EQ(Set("X", std::vector<std::uint8_t>(wide.begin(), wide.begin() + 1768)), 632u);
  EXPECT_EQ(storage_.writes, 0);
}

TEST_F(StandinService, RefusesNamesTheServiceCannotUse) {
  const auto image = ValidImage(2884);
  for (const std::string& name : {std::string(), std::string(".hidden"), std::string(257, 'n')})
    EXPECT_EQ(Set(name, image), 123u) << name;
  for (const char c : std::string("\t\\/:*?\"<>|"))
    EXPECT_EQ(Set(std::string("a") + c + "b", image), 123u) << c;
  EXPECT_EQ(Make().RasSetEntryPropertiesA(nullptr, nullptr, image.data(), 2884, nullptr, 0),
            123u);
  EXPECT_EQ(storage_.writes, 0);
  EXPECT_EQ(Set(std::string(256, 'n'), image), 0u);
  EXPECT_EQ(Set("Vorlix INTERNET [2] \xCC\xE8\xED\xE8", image), 0u);
}

TEST_F(StandinService, RefusesEntriesWithoutTheFieldsAConnectionNeeds) {
  struct Missing {
    const char* what;
    std::size_t offset;
    std::size_t bytes;
  };
  for (const Missing& missing : {Missing{"szLocalPhoneNumber", 27, 129},
                                 Missing{"szDeviceName", 989, 129}, Missing{"szDeviceType", 972, 17},
                                 Missing{"dwFramingProtocol", 188, 4}, Missing{"dwfOptions", 4, 4},
                                 Missing{"dwType", 1796, 4}}) {
    auto image = ValidImage(2884);
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(missing.offset), missing.bytes, 0);
    EXPECT_EQ(Set("X", image), 87u) << missing.what;
  }
  EXPECT_EQ(storage_.writes, 0);
  // Structures without dwType need none.
  EXPECT_EQ(Set("X", ValidImage(1796)), 0u);
  EXPECT_EQ(Make().RasSetEntryPropertiesA(nullptr, "X", nullptr, 2884, nullptr, 0), 87u);
}

// Every byte of every field survives a write and a read: fill the structure with non-zero
// bytes (texts then fill their fields with no terminator) and compare what comes back.
// Only the alternate offset, alignment and reserved bytes are not fields.
TEST_F(StandinService, StoresEveryFieldOfEachStructureSize) {
  struct Case {
    std::uint32_t size;
    std::vector<std::pair<std::size_t, std::size_t>> gaps;  // [from, to)
  };
  for (const Case& c : {Case{2884, {{156, 160}, {1754, 1756}, {1760, 1768}, {2873, 2876}}},
                        Case{2088, {{156, 160}, {1754, 1756}, {1760, 1768}}},
                        Case{1796, {{156, 160}, {1754, 1756}, {1760, 1768}}},
                        Case{1768, {{156, 160}, {1754, 1756}, {1760, 1768}}},
                        Case{1672, {{156, 160}, {1658, 1660}, {1664, 1672}}}}) {
    std::vector<std::uint8_t> image(c.size);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i % 255 + 1);
    PutNumber(image, 0, c.size);
    PutNumber(image, 156, 0);
    ASSERT_EQ(Set("Full", image), 0u) << c.size;

    auto expected = image;
    for (const auto& [from, to] : c.gaps) std::fill(&expected[from], &expected[to], 0);
    EXPECT_EQ(Get("Full", c.size), expected) << c.size;
  }
}

TEST_F(StandinService, ReadsTheNarrowDeviceNameLayoutInto2884) {
  auto image = ValidImage(1672);
  PutText(image, 989, std::string(40, 'D'));  // runs into the pad type: cut at 33
  PutText(image, 1022, std::string("pad\0", 4));
  PutText(image, 1055, "x25 address");
  PutText(image, 1457, "user data");
  PutNumber(image, 1660, 3);  // dwChannels
  ASSERT_EQ(Set("Old", image), 0u);

  const auto wide = Get("Old", 2884);
  EXPECT_EQ(GetText(wide, 989), std::string(33, 'D'));
  EXPECT_EQ(GetText(wide, 1118), "pad");
  EXPECT_EQ(GetText(wide, 1151), "x25 address");
  EXPECT_EQ(GetText(wide, 1553), "user data");
  EXPECT_EQ(GetNumber(wide, 1756), 3u);
  EXPECT_EQ(GetNumber(wide, 1796), 0u);
}

TEST_F(StandinService, TakesAlternatesOnlyFromInsideTheBytesHandedOver) {
  auto image = ValidImage(1768);
  PutNumber(image, 0, 1672);
  image.resize(1768);
  PutNumber(image, 156, 1672);
  PutText(image, 1672, std::string("111\0" "222\0", 8));
  ASSERT_EQ(Set("Alt", image), 0u);

  std::vector<std::uint8_t> buffer(1672, 0);
  PutNumber(buffer, 0, 1672);
  std::uint32_t size = 1672;
  ASSERT_EQ(Make().RasGetEntryPropertiesA(nullptr, "Alt", buffer.data(), &size, nullptr, nullptr),
            603u);
  EXPECT_EQ(size, 1672u + 9);
  buffer.assign(size, 0xEE);
  PutNumber(buffer, 0, 1672);
  ASSERT_EQ(Make().RasGetEntryPropertiesA(nullptr, "Alt", buffer.data(), &size, nullptr, nullptr),
            0u);
  EXPECT_EQ(GetNumber(buffer, 156), 1672u);
  EXPECT_EQ(std::string(buffer.begin() + 1672, buffer.end()), std::string("111\0" "222\0\0", 9));

  // Behind the bytes handed over (where the program puts them), inside the structure, or
  // running off the end without a terminator: not taken.
  for (const std::uint32_t offset : {1768u, 100u, 1760u}) {
    PutNumber(image, 156, offset);
    std::fill(image.begin() + 1760, image.end(), 'x');
    ASSERT_EQ(Set("Alt", image), 0u);
    EXPECT_EQ(GetNumber(Get("Alt", 1672), 156), 0u) << offset;
  }
}

TEST_F(StandinService, ADamagedPhonebookIsAnErrorAndIsNeverOverwritten) {
  const std::string damaged = "[Vorlix INTERNET]\r\ndwfOptions=not a number\r\n";
  storage_.content = damaged;
  std::uint32_t bytes = 0, count = 0;
  EXPECT_EQ(Make().RasEnumEntriesA(nullptr, nullptr, nullptr, &bytes, &count), 625u);
  EXPECT_EQ(Set("New", ValidImage(2884)), 625u);
  EXPECT_EQ(Make().RasDeleteEntryA(nullptr, "Vorlix INTERNET"), 625u);
  EXPECT_EQ(storage_.writes, 0);
  EXPECT_EQ(storage_.content, damaged);
}

TEST_F(StandinService, AnInjectedFailureAnswersItsCodeAndDoesNothingElse) {
  ASSERT_EQ(Set("Kept", ValidImage(2884)), 0u);
  const int writes = storage_.writes;
  const Options options =
      standin::ParseOptions(std::nullopt, "RasDeleteEntryA:623, RasEnumEntriesA:5,"
                                          "RasGetEntryPropertiesA:0,RasSetEntryPropertiesA:87,"
                                          "RasGetErrorStringA:632");
  Service service = Make(options);

  EXPECT_EQ(service.RasDeleteEntryA(nullptr, "Kept"), 623u);
  std::uint32_t bytes = 1, count = 2;
  EXPECT_EQ(service.RasEnumEntriesA(nullptr, nullptr, nullptr, &bytes, &count), 5u);
  EXPECT_EQ(bytes, 1u);
  EXPECT_EQ(count, 2u);
  std::uint32_t size = 0;
  EXPECT_EQ(service.RasGetEntryPropertiesA(nullptr, nullptr, nullptr, &size, nullptr, nullptr),
            0u);
  EXPECT_EQ(size, 0u);
  const auto image = ValidImage(2884);
  EXPECT_EQ(service.RasSetEntryPropertiesA(nullptr, "New", image.data(), 2884, nullptr, 0), 87u);
  std::array<char, 512> text{};
  EXPECT_EQ(service.RasGetErrorStringA(632, text.data(), 512), 632u);
  EXPECT_EQ(text[0], '\0');

  EXPECT_EQ(storage_.writes, writes);
  EXPECT_EQ(Names(), std::vector<std::string>{"Kept"});
}

TEST(StandinOptions, ReadsSizesAndFailuresAndIgnoresWhatItCannotRead) {
  EXPECT_EQ(standin::ParseOptions(std::nullopt, std::nullopt).entrySize, 2884u);
  EXPECT_EQ(standin::ParseOptions("1796", std::nullopt).entrySize, 1796u);
  for (const char* ignored : {"", "1700", "-1672", "1672x", "99999999999"})
    EXPECT_EQ(standin::ParseOptions(ignored, std::nullopt).entrySize, 2884u) << ignored;

  const Options options =
      standin::ParseOptions(std::nullopt, "RasEnumEntriesA:4294967295,RasDeleteEntryA,"
                                          "RasDeleteEntry:1,RasGetErrorStringA:x,,");
  EXPECT_EQ(options.FailureOf(standin::Call::kRasEnumEntriesA), 4294967295u);
  EXPECT_EQ(options.FailureOf(standin::Call::kRasDeleteEntryA), std::nullopt);
  EXPECT_EQ(options.FailureOf(standin::Call::kRasGetErrorStringA), std::nullopt);
}

}  // namespace
