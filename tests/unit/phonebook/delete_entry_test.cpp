#include "phonebook/delete_entry.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"

namespace {

TEST(DeleteEntry, DeletesTheAnsiNameAndAnswersTheServicesCode) {
  fakes::FakeServices fake;
  fake.service.deleteResult = 623;
  EXPECT_EQ(modRASVPN::DeleteEntry(fake.Get(), L"Ворликс INTERNET"), 623u);
  EXPECT_EQ(fake.service.deleted,
            std::vector<std::string>{"\xC2\xEE\xF0\xEB\xE8\xEA\xF1 INTERNET"});
}

}  // namespace
