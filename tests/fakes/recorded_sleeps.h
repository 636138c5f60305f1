// What platform::Sleep was asked for in the portable tests, in order (it does not wait there).
#pragma once

#include <cstdint>
#include <vector>

namespace fakes {

extern std::vector<std::uint32_t> recordedSleeps;

}  // namespace fakes
