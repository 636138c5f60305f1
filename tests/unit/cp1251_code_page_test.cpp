#include "tests/fakes/cp1251_code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251CodePage, RoundTripsRussianTextByteForByte) {
  const fakes::Cp1251CodePage codePage;
  const std::string bytes = codePage.ToAnsi(L"Минипорт WAN (L2TP) Ёё №");
  EXPECT_EQ(bytes, "\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN (L2TP) \xA8\xB8 \xB9");
  EXPECT_EQ(codePage.FromAnsi(bytes), L"Минипорт WAN (L2TP) Ёё №");
  EXPECT_EQ(codePage.ToAnsi(L"中"), "?");
}

}  // namespace
