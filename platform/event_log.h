// The application event log, as far as the program writes to it: error-type entries.
#pragma once

#include <string>

namespace platform {

class EventLog {
 public:
  virtual ~EventLog() = default;
  // Writes one entry of type error (EVENTLOG_ERROR_TYPE, 1) with the text. A log that
  // cannot be written loses the entry: listing the phonebook goes on regardless.
  virtual void ReportError(const std::wstring& text) = 0;
};

}  // namespace platform
