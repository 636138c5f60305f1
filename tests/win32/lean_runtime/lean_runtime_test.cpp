#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// More elements than the allocator may hand out, yet a size that can be computed: lack of
// memory. Beyond SIZE_MAX / 4 the size itself overflows: the array form.
TEST(LeanRuntime, LackOfMemoryStillPropagatesAsBadAlloc) {
  std::allocator<std::int32_t> allocator;
  const std::size_t tooMany =
      static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / 4 + 1;
  EXPECT_THROW((void)allocator.allocate(tooMany), std::bad_alloc);
  EXPECT_THROW((void)allocator.allocate(std::numeric_limits<std::size_t>::max()),
               std::bad_array_new_length);
}

// The library's other errors reach a catch of std::exception with the library's text; they
// are no <stdexcept> types any more, which shows that the lean versions are the ones linked.
TEST(LeanRuntime, LibraryErrorsArriveAsExceptionsWithTheLibraryText) {
  std::vector<char> bytes;
  try {
    bytes.reserve(bytes.max_size() + 1);
    FAIL() << "no error raised";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "vector::reserve");
    EXPECT_EQ(dynamic_cast<const std::logic_error*>(&error), nullptr);
  }

  const std::string text = "abc";
  try {
    (void)text.substr(4);
    FAIL() << "no error raised";
  } catch (const std::exception& error) {
    EXPECT_NE(std::strstr(error.what(), "__pos"), nullptr) << error.what();
    EXPECT_EQ(dynamic_cast<const std::logic_error*>(&error), nullptr);
  }
}

}  // namespace
