// A process launcher that records what it was asked to start.
#pragma once

#include <vector>

#include "platform/process_launcher.h"

namespace fakes {

class RecordingLauncher final : public platform::ProcessLauncher {
 public:
  bool Start(const platform::ProcessStart& start) override {
    starts.push_back(start);
    return succeed;
  }
  std::vector<platform::ProcessStart> starts;
  bool succeed = true;
};

}  // namespace fakes
