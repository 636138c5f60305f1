#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using platform::DecimalText;
using platform::HexText;

TEST(NumberText, DecimalLikeToWstring) {
  EXPECT_EQ(DecimalText(0), L"0");
  EXPECT_EQ(DecimalText(7), L"7");
  EXPECT_EQ(DecimalText(603), L"603");
  EXPECT_EQ(DecimalText(-1), L"-1");
  // The event log writes result codes as signed 32-bit values, DWORD errors unsigned.
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int32_t>::min()), L"-2147483648");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::uint32_t>::max()), L"4294967295");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::max()), L"9223372036854775807");
}

TEST(NumberText, HexWithEightUpperCaseDigits) {
  EXPECT_EQ(HexText(0), "0x00000000");
  EXPECT_EQ(HexText(0x1A), "0x0000001A");
  EXPECT_EQ(HexText(0x80020006), "0x80020006");
  EXPECT_EQ(HexText(0xFFFFFFFF), "0xFFFFFFFF");
}

}  // namespace
