// ShellExecuteA, for the picture's click.
#pragma once

#include "app/main_window_events.h"

namespace app::win32 {

class WindowsShellExecutor final : public main_window::ShellExecutor {
 public:
  void Execute(const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& directory, int showCommand) override;
};

}  // namespace app::win32
