// The application event log, written under the event source "Dialwright".
#pragma once

#include "platform/event_log.h"

namespace platform::win32 {

inline constexpr const wchar_t* kEventSource = L"Dialwright";

class WindowsEventLog final : public EventLog {
 public:
  void ReportError(const std::wstring& text) override;
};

}  // namespace platform::win32
