// CreateProcessW with the program's full path in the system directory as the application
// name, so nothing is searched for; the command line goes unchanged, the window hidden.
#pragma once

#include "platform/process_launcher.h"

namespace platform::win32 {

class WindowsProcessLauncher final : public ProcessLauncher {
 public:
  bool Start(const ProcessStart& start) override;
};

}  // namespace platform::win32
