#include "tests/fakes/recorded_sleeps.h"

#include "platform/clock.h"

namespace fakes {

std::vector<std::uint32_t> recordedSleeps;

}  // namespace fakes

// The portable tests' platform::Sleep: it records instead of waiting.
void platform::Sleep(std::uint32_t milliseconds) { fakes::recordedSleeps.push_back(milliseconds); }
