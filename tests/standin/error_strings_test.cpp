#include "standin/error_strings.h"

#include <gtest/gtest.h>

#include <array>

#include "standin/service.h"
#include "tests/standin/standin_fakes.h"
#include "tests/fakes/system.h"

namespace {

TEST(StandinErrorStrings, EveryCodeTheStandinAnswersHasARussianText) {
  EXPECT_EQ(standin::ErrorStringOf(632), platform::ToAnsi(L"Неверный размер структуры."));
  EXPECT_EQ(standin::ErrorStringOf(625), platform::ToAnsi(L"Файл телефонной книги поврежден."));
  for (const standin::ResultCode code : {8u, 87u, 123u, 603u, 621u, 623u, 624u, 625u, 632u}) {
    const auto text = standin::ErrorStringOf(code);
    ASSERT_TRUE(text.has_value()) << code;
    const std::wstring wide = platform::FromAnsi(*text);
    EXPECT_NE(wide.find_first_of(L"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЫЭЮЯ"), std::wstring::npos) << code;
    EXPECT_EQ(wide.find(L'?'), std::wstring::npos) << code;
  }
}

TEST(StandinErrorStrings, FillsTheCallersBufferOnlyWhenTheTextFits) {
  standin_test::MemoryStorage storage;
  standin::Service service(storage, standin::Options{2884});
  const std::string text = *standin::ErrorStringOf(623);

  std::array<char, 512> buffer;
  buffer.fill('#');
  EXPECT_EQ(service.RasGetErrorStringA(623, buffer.data(), static_cast<std::uint32_t>(text.size())),
            603u);
  EXPECT_EQ(service.RasGetErrorStringA(5, buffer.data(), 512), 87u);
  EXPECT_EQ(service.RasGetErrorStringA(600, buffer.data(), 512), 87u);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(service.RasGetErrorStringA(623, nullptr, 512), 87u);

  ASSERT_EQ(service.RasGetErrorStringA(623, buffer.data(),
                                       static_cast<std::uint32_t>(text.size() + 1)),
            0u);
  EXPECT_EQ(std::string(buffer.data()), text);
  EXPECT_EQ(buffer[text.size() + 1], '#');
}

}  // namespace
