// Every test starts from a fresh fakes::System: a listener of the test program resets it
// before each test.
#include <gtest/gtest.h>

#include "tests/fakes/system.h"

namespace {

class FreshSystem final : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { fakes::Reset(); }
};

const bool registered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new FreshSystem);
  return true;
}();

}  // namespace
