#include "standin/phonebook_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using standin::ParsePhonebook;
using standin::Phonebook;

TEST(PhonebookFile, AnyBytesInNamesAndValuesSurviveARoundTripAndNoControlByteGoesRaw) {
  std::string allBytes;
  for (int i = 0; i < 256; ++i) allBytes += static_cast<char>(i);
  std::string name = "n";  // every byte a name may hold
  for (int c = 0x20; c < 0x100; ++c)
    if (std::string_view("\\/:*?\"<>|\x7F").find(static_cast<char>(c)) == std::string_view::npos)
      name += static_cast<char>(c);
  Phonebook phonebook;
  phonebook.Store({"Vorlix INTERNET", {{"szDeviceName", "\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN"},
                                       {"szScript", allBytes},
                                       {"szAlternates", std::string("1\0002\0", 4)},
                                       {"dwfOptions", "1964054288"},
                                       {"CustomKey", " spaces \\x41 = ; [x] "}}});
  phonebook.Store({name, {{"szScript", std::string(allBytes.rbegin(), allBytes.rend())}}});

  const std::string text = SerializePhonebook(phonebook);
  Phonebook parsed;
  ASSERT_EQ(ParsePhonebook(text, parsed), 0u);
  ASSERT_EQ(parsed.Entries().size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(parsed.Entries()[i].name, phonebook.Entries()[i].name);
    EXPECT_EQ(parsed.Entries()[i].values, phonebook.Entries()[i].values);
  }
  EXPECT_NE(text.find("szDeviceName=\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN\r\n"), std::string::npos);
  EXPECT_NE(text.find("szAlternates=1\\x002\\x00\r\n"), std::string::npos);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 && byte != '\r') {
      ASSERT_TRUE(byte == '\n' && text[i - 1] == '\r') << i;
    }
  }
  // Written by hand: comments, blank lines, bare line feeds.
  ASSERT_EQ(ParsePhonebook("; by hand\n\n[A]\nszDeviceType=vpn\n\n[B]\r\n", parsed), 0u);
  EXPECT_EQ(parsed.Entries().size(), 2u);
}

TEST(PhonebookFile, DamagedOrTooLargeFilesAreErrorsNotEntries) {
  std::string manyEntries, manyKeys = "[A]\n";
  for (std::size_t i = 0; i <= standin::kMaxEntries; ++i) manyEntries += "[" + std::to_string(i) + "]\n";
  for (std::size_t i = 0; i <= standin::kMaxValuesPerEntry; ++i) manyKeys += "k" + std::to_string(i) + "=\n";
  // One of each kind: outside an entry, a line, a number, an address, a guid, a repeat, a
  // name, an escape, a raw control byte, and each limit one past.
  for (const std::string& damaged : {
           std::string("dwfOptions=1\r\n"), std::string("[A]\r\nno equals sign\r\n"),
           std::string("[A]\r\ndwfOptions=12a\r\n"), std::string("[A]\r\ndwfOptions=4294967296\r\n"),
           std::string("[A]\r\nipaddr=1.2.3.256\r\n"), std::string("[A]\r\nguidId=0011\r\n"),
           std::string("[A]\r\nszScript=1\r\nszScript=2\r\n"), std::string("[.A]\r\n"),
           std::string("[A]\r\nszScript=\\x4g\r\n"), std::string("[A]\r\nszScript=a\tb\r\n"),
           "[A]\r\nszScript=" + std::string(standin::kMaxLineBytes, 'x') + "\r\n", manyEntries,
           manyKeys, std::string(standin::kMaxPhonebookBytes + 1, '\n')}) {
    Phonebook parsed;
    parsed.Store({"left over", {}});
    EXPECT_EQ(ParsePhonebook(damaged, parsed), 625u) << damaged.substr(0, 60);
    EXPECT_TRUE(parsed.Entries().empty());
  }
  Phonebook parsed;
  EXPECT_EQ(ParsePhonebook(std::string(standin::kMaxPhonebookBytes, '\n'), parsed), 0u);
}

}  // namespace
