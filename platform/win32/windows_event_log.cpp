#include "platform/win32/windows_event_log.h"

#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace platform::win32 {

void WindowsEventLog::ReportError(const std::wstring& text) {
  // Registered for this one entry: failures are rare, and nothing is held between them.
  const UniqueEventSource source{::RegisterEventSourceW(nullptr, kEventSource)};
  if (!source) return;
  LPCWSTR strings[] = {text.c_str()};
  ::ReportEventW(source.get(), EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
}

}  // namespace platform::win32
