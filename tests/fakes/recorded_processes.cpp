#include "tests/fakes/recorded_processes.h"

namespace fakes {

std::vector<platform::ProcessStart> recordedStarts;
bool startsSucceed = true;

}  // namespace fakes

// The portable tests' platform::StartProcess: it records instead of starting.
bool platform::StartProcess(const ProcessStart& start) {
  fakes::recordedStarts.push_back(start);
  return fakes::startsSucceed;
}
