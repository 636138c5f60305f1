// What platform::StartProcess was asked to start in the portable tests, in order (nothing is
// started there), and what it answers.
#pragma once

#include <vector>

#include "platform/process_launcher.h"

namespace fakes {

extern std::vector<platform::ProcessStart> recordedStarts;
extern bool startsSucceed;

}  // namespace fakes
