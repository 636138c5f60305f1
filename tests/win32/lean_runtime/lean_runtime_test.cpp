#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Lack of memory is still std::bad_alloc (beyond SIZE_MAX / 4 the size itself overflows: the
// array form). The library's other errors reach a catch of std::exception with the library's
// text, and are no <stdexcept> types any more: the lean versions are the ones linked.
TEST(LeanRuntime, LackOfMemoryIsBadAllocAndOtherErrorsCarryTheLibraryText) {
  std::allocator<std::int32_t> allocator;
  EXPECT_THROW((void)allocator.allocate(
                   static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / 4 + 1),
               std::bad_alloc);
  EXPECT_THROW((void)allocator.allocate(std::numeric_limits<std::size_t>::max()),
               std::bad_array_new_length);
  const auto errorOf = [](auto step) -> std::string {
    try {
      step();
    } catch (const std::exception& error) {
      EXPECT_EQ(dynamic_cast<const std::logic_error*>(&error), nullptr) << error.what();
      return error.what();
    }
    return "no error raised";
  };
  EXPECT_EQ(errorOf([] { std::vector<char>().reserve(std::vector<char>().max_size() + 1); }),
            "vector::reserve");
  EXPECT_NE(errorOf([] { (void)std::string("abc").substr(4); }).find("__pos"), std::string::npos);
}

}  // namespace
