// The steps the create-connection command drives, one per operation of the subsystems it
// calls. The program binds them to the phonebook layer, the desktop steps and the clock;
// tests bind them to recorders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/phonebook_service.h"

namespace app {

class ConnectionSteps {
 public:
  virtual ~ConnectionSteps() = default;
  // Names of the default phonebook at 1..n of the list; n is the result (0 on failure).
  virtual std::int16_t EnumerateEntries(std::vector<std::wstring>& list) = 0;
  virtual platform::ResultCode DeleteEntry(const std::wstring& name) = 0;
  virtual void DeleteConnectionShortcut(const std::wstring& name) = 0;
  // Writes the provider's entry, reporting a refusal itself; true when it was written.
  virtual bool CreateVpnEntry() = 0;
  virtual void CreateConnectionShortcut() = 0;
  virtual void ResetFirewall() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace app
