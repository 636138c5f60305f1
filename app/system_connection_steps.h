// The command's steps bound to the program's subsystems: the phonebook layer, the VPN
// profile, the desktop shortcut, the firewall reset and the clock (platform::Sleep).
#pragma once

#include "app/connection_steps.h"
#include "desktop/wsh.h"
#include "phonebook/phonebook_services.h"
#include "platform/message_boxes.h"

namespace app {

struct SystemServices {
  const modRASVPN::Services& phonebook;
  const Wsh::Services& desktop;
  platform::MessageBoxes& messageBoxes;
};

class SystemConnectionSteps final : public ConnectionSteps {
 public:
  explicit SystemConnectionSteps(const SystemServices& services) : services_(services) {}

  std::int16_t EnumerateEntries(std::vector<std::wstring>& list) override;
  platform::ResultCode DeleteEntry(const std::wstring& name) override;
  void DeleteConnectionShortcut(const std::wstring& name) override;
  bool CreateVpnEntry() override;
  void CreateConnectionShortcut() override;
  void ResetFirewall() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  SystemServices services_;
};

}  // namespace app
