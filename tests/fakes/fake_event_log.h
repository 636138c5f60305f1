// An event log that keeps the texts of the error entries written to it.
#pragma once

#include <string>
#include <vector>

#include "platform/event_log.h"

namespace fakes {

class FakeEventLog final : public platform::EventLog {
 public:
  void ReportError(const std::wstring& text) override { errors.push_back(text); }
  std::vector<std::wstring> errors;
};

}  // namespace fakes
