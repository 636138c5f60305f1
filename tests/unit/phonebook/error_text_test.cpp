#include "phonebook/error_text.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"

namespace {

using modRASVPN::ErrorText;

TEST(ErrorText, SystemCodesComeFromTheMessageTableWithInsertsIgnored) {
  fakes::FakeServices fake;
  fake.systemMessages.text = std::string("\xCE\xF8\xE8\xE1\xEA\xE0 %1.\r\n\0", 13);
  EXPECT_EQ(ErrorText(fake.Get(), 193), L"Ошибка %1.\r\n");  // the line break stays
  EXPECT_EQ(fake.systemMessages.lastFlags, 0x1200u);
  EXPECT_EQ(fake.systemMessages.lastMessageId, 193u);
  EXPECT_EQ(fake.systemMessages.lastLanguageId, 0u);
  EXPECT_EQ(fake.systemMessages.lastSize, 512u);
  EXPECT_TRUE(fake.service.errorStringCalls.empty());
}

TEST(ErrorText, SixHundredIsTheSystemsAndSixHundredOneTheServices) {
  fakes::FakeServices fake;
  fake.systemMessages.text = std::string("system\0", 7);
  fake.service.errorStringText = std::string("service\0", 8);
  EXPECT_EQ(ErrorText(fake.Get(), 600), L"system");
  EXPECT_EQ(ErrorText(fake.Get(), 601), L"service");
  EXPECT_EQ(fake.systemMessages.calls, 1);
  ASSERT_EQ(fake.service.errorStringCalls.size(), 1u);
  EXPECT_EQ(fake.service.errorStringCalls[0].code, 601u);
  EXPECT_EQ(fake.service.errorStringCalls[0].size, 512u);
}

TEST(ErrorText, NegativeCodesGoToTheSystem) {
  fakes::FakeServices fake;
  fake.systemMessages.text = std::string("negative\0", 9);
  EXPECT_EQ(ErrorText(fake.Get(), static_cast<platform::ResultCode>(-2147467259)), L"negative");
  EXPECT_EQ(fake.systemMessages.lastMessageId, 0x80004005u);
  EXPECT_TRUE(fake.service.errorStringCalls.empty());
}

TEST(ErrorText, BufferEdges) {
  fakes::FakeServices fake;
  // Nothing written: the zero buffer gives the empty text.
  EXPECT_EQ(ErrorText(fake.Get(), 999), L"");
  EXPECT_EQ(ErrorText(fake.Get(), 5), L"");
  // 511 bytes, the zero in the last byte: all 511 come back.
  fake.service.errorStringText = std::string(511, '\xE6') + '\0';
  EXPECT_EQ(ErrorText(fake.Get(), 700), std::wstring(511, L'ж'));
  // 512 bytes and no zero at all: nothing to trust.
  fake.service.errorStringText = std::string(512, 'x');
  EXPECT_EQ(ErrorText(fake.Get(), 700), L"");
  // A zero first: empty, whatever follows.
  fake.service.errorStringText = std::string("\0junk", 5);
  EXPECT_EQ(ErrorText(fake.Get(), 700), L"");
}

}  // namespace
