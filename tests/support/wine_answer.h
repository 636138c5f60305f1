// Wine's answer, where it differs from what Windows answers (why: how). A test expects what
// Wine gives and says so at the place it matters, as Wine's own tests mark broken().
#pragma once

namespace support {

template <typename Answer>
constexpr Answer Wine(Answer wine, const char* /*why*/) {
  return wine;
}

}  // namespace support
