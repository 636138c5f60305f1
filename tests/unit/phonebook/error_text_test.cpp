#include "phonebook/error_text.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_phonebook_service.h"

namespace {

using fakes::TheSystem;
using modRASVPN::ErrorText;

TEST(ErrorText, SystemCodesComeFromTheMessageTableWithInsertsIgnored) {
  fakes::FakePhonebookService service;
  TheSystem().systemMessage = std::string("\xCE\xF8\xE8\xE1\xEA\xE0 %1.\r\n\0", 13);
  EXPECT_EQ(ErrorText(service, 193), L"Ошибка %1.\r\n");  // the line break stays
  EXPECT_EQ(TheSystem().lastFlags, 0x1200u);
  EXPECT_EQ(TheSystem().lastMessageId, 193u);
  EXPECT_EQ(TheSystem().lastLanguageId, 0u);
  EXPECT_EQ(TheSystem().lastSize, 512u);
  EXPECT_TRUE(service.errorStringCalls.empty());
}

TEST(ErrorText, SixHundredIsTheSystemsAndSixHundredOneTheServices) {
  fakes::FakePhonebookService service;
  TheSystem().systemMessage = std::string("system\0", 7);
  service.errorStringText = std::string("service\0", 8);
  EXPECT_EQ(ErrorText(service, 600), L"system");
  EXPECT_EQ(ErrorText(service, 601), L"service");
  EXPECT_EQ(TheSystem().systemMessageCalls, 1);
  ASSERT_EQ(service.errorStringCalls.size(), 1u);
  EXPECT_EQ(service.errorStringCalls[0].code, 601u);
  EXPECT_EQ(service.errorStringCalls[0].size, 512u);
}

TEST(ErrorText, NegativeCodesGoToTheSystem) {
  fakes::FakePhonebookService service;
  TheSystem().systemMessage = std::string("negative\0", 9);
  EXPECT_EQ(ErrorText(service, static_cast<platform::ResultCode>(-2147467259)), L"negative");
  EXPECT_EQ(TheSystem().lastMessageId, 0x80004005u);
  EXPECT_TRUE(service.errorStringCalls.empty());
}

TEST(ErrorText, BufferEdges) {
  fakes::FakePhonebookService service;
  // Nothing written: the zero buffer gives the empty text.
  EXPECT_EQ(ErrorText(service, 999), L"");
  EXPECT_EQ(ErrorText(service, 5), L"");
  // 511 bytes, the zero in the last byte: all 511 come back.
  service.errorStringText = std::string(511, '\xE6') + '\0';
  EXPECT_EQ(ErrorText(service, 700), std::wstring(511, L'ж'));
  // 512 bytes and no zero at all: nothing to trust.
  service.errorStringText = std::string(512, 'x');
  EXPECT_EQ(ErrorText(service, 700), L"");
  // A zero first: empty, whatever follows.
  service.errorStringText = std::string("\0junk", 5);
  EXPECT_EQ(ErrorText(service, 700), L"");
}

}  // namespace
