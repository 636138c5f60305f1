#include "app/system_connection_steps.h"

#include "desktop/ipfw.h"
#include "phonebook/delete_entry.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/vpn_entry.h"
#include "platform/clock.h"

namespace app {

std::int16_t SystemConnectionSteps::EnumerateEntries(std::vector<std::wstring>& list) {
  return modRASVPN::EnumerateEntries(services_.phonebook, list);
}

platform::ResultCode SystemConnectionSteps::DeleteEntry(const std::wstring& name) {
  return modRASVPN::DeleteEntry(services_.phonebook, name);
}

void SystemConnectionSteps::DeleteConnectionShortcut(const std::wstring& name) {
  Wsh::DeleteConnectionShortcut(services_.desktop, name);
}

bool SystemConnectionSteps::CreateVpnEntry() {
  return VPN::CreateVpnEntry(services_.phonebook, services_.messageBoxes);
}

void SystemConnectionSteps::CreateConnectionShortcut() {
  Wsh::CreateConnectionShortcut(services_.desktop);
}

void SystemConnectionSteps::ResetFirewall() { IpFw::ResetFirewall(); }

void SystemConnectionSteps::Sleep(std::uint32_t milliseconds) {
  platform::Sleep(milliseconds);
}

}  // namespace app
