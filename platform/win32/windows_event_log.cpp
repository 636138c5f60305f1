// platform::ReportError: the application event log, under the event source "Dialwright".
#include <windows.h>

#include "platform/system.h"
#include "platform/win32/unique_resource.h"

namespace platform {

void ReportError(const std::wstring& text) {
  // Registered for this one entry: failures are rare, and nothing is held between them.
  const win32::UniqueEventSource source{::RegisterEventSourceW(nullptr, L"Dialwright")};
  if (!source) return;
  LPCWSTR strings[] = {text.c_str()};
  ::ReportEventW(source.get(), EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
}

}  // namespace platform
