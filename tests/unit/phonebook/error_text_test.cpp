#include "phonebook/error_text.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_phonebook_service.h"

namespace {

using fakes::TheSystem;
using modRASVPN::ErrorText;
using Journal = std::vector<std::wstring>;

// Up to 600 and negative codes are the system's (inserts ignored, the line break kept); from
// 601 on, the service's. The lookups go with 512 bytes of room.
TEST(ErrorText, EachCodeAsksWhoeverOwnsIt) {
  fakes::FakePhonebookService service;
  TheSystem().systemMessage = std::string("\xCE\xF8\xE8\xE1\xEA\xE0 %1.\r\n\0", 13);
  service.errorStringText = std::string("service\0", 8);
  EXPECT_EQ(ErrorText(service, 193), L"Ошибка %1.\r\n");
  EXPECT_EQ(ErrorText(service, 600), L"Ошибка %1.\r\n");
  EXPECT_EQ(ErrorText(service, static_cast<platform::ResultCode>(-2147467259)), L"Ошибка %1.\r\n");
  EXPECT_EQ(ErrorText(service, 601), L"service");
  EXPECT_EQ(fakes::TakeJournal(),
            (Journal{L"FormatMessage 4608 193 0 512", L"FormatMessage 4608 600 0 512",
                     L"FormatMessage 4608 2147500037 0 512", L"RasGetErrorStringA 601 512"}));
}

}  // namespace
