// Creates the system's automation objects by their registered names (CLSIDFromProgID, then
// CoCreateInstance), entering COM on the calling thread first.
#pragma once

#include "platform/automation.h"

namespace platform::win32 {

class WindowsAutomation final : public Automation {
 public:
  std::unique_ptr<AutomationObject> Create(const std::wstring& progId) override;
};

}  // namespace platform::win32
