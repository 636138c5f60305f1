#pragma once

#include "platform/clock.h"

namespace platform::win32 {

class WindowsClock final : public Clock {
 public:
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace platform::win32
