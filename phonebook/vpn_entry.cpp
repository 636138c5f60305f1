#include "phonebook/vpn_entry.h"

#include <optional>

#include "app/settings.h"
#include "phonebook/credentials.h"
#include "phonebook/entry_writes.h"
#include "phonebook/error_text.h"
#include "platform/system.h"

namespace VPN {
namespace {

constexpr std::uint32_t RASNP_Ip = 4;
constexpr std::uint32_t RASFP_Ppp = 1;
constexpr std::uint32_t RASET_Vpn = 2;

// Only the space character counts: tabs and line breaks are left to the service to judge.
std::wstring TrimSpaces(const std::wstring& text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

void Refused(platform::PhonebookService& service, platform::ResultCode code) {
  platform::ShowMessageBox(modRASVPN::ErrorText(service, code), platform::MB_OK_STYLE,
                           basMain::ApplicationTitle);
}

}  // namespace

modRASVPN::EntryRecord ProviderProfile(const std::wstring& serverAddress,
                                       const TunnelProfile& tunnel) {
  modRASVPN::EntryRecord record;
  record.szDeviceName = tunnel.szDeviceName;
  record.szDeviceType = L"vpn";
  record.dwFramingProtocol = RASFP_Ppp;
  record.dwEncryptionType = tunnel.dwEncryptionType;
  record.dwfNetProtocols = RASNP_Ip;
  record.dwfOptions = tunnel.dwfOptions;
  record.dwfOptions2 = tunnel.dwfOptions2;
  record.dwCustomAuthKey = 0;
  record.dwType = RASET_Vpn;
  record.dwVpnStrategy = tunnel.dwVpnStrategy;
  record.ipaddrDns = {};  // no name servers of the entry's own
  record.ipaddrDnsAlt = {};
  record.ipaddrWins = {};
  record.ipaddrWinsAlt = {};
  record.szDnsSuffix.clear();
  record.szLocalPhoneNumber = TrimSpaces(serverAddress);  // a VPN entry's server address
  return record;
}

bool CreateVpnEntry(platform::PhonebookService& service) {
  const TunnelProfile& tunnel = ProviderTunnel();
  const modRASVPN::EntryRecord record = ProviderProfile(basMain::ServerAddresses[1], tunnel);
  const std::wstring entryName = TrimSpaces(basMain::EntryName);
  const platform::ResultCode result = modRASVPN::SetEntryProperties(
      service, entryName, record, std::nullopt, tunnel.needsSizeAbove);
  if (result == modRASVPN::kStructureCannotHoldIt) {
    platform::ShowMessageBox(kTunnelNotOnThisWindowsText, platform::MB_ICONCRITICAL_STYLE,
                             basMain::ApplicationTitle);
    return false;
  }
  if (result != platform::kSuccess) {
    Refused(service, result);
    return false;
  }
  if (!tunnel.preSharedKey) return true;
  const platform::ResultCode key = modRASVPN::SetPreSharedKey(service, entryName, basMain::PreSharedKey);
  if (key == platform::kSuccess) return true;
  // Without its key the entry cannot connect: the one this call wrote goes again, and the
  // next click starts clean.
  modRASVPN::DeleteEntry(service, entryName);
  Refused(service, key);
  return false;
}

}  // namespace VPN
