#include "app/settings.h"

#include "app/build_settings.h"

namespace basMain {

std::wstring ProviderName;
std::wstring SiteAddress;
std::wstring EntryName;
std::array<std::wstring, 2> ServerAddresses;
std::wstring TunnelName;
std::wstring PreSharedKey;

const std::wstring& DefaultSiteAddress() {
  static const std::wstring address = build_settings::DefaultSiteAddress;
  return address;
}

int VersionMajor() { return build_settings::VersionMajor; }

void FillSettings() {
  ProviderName = build_settings::ProviderName;
  SiteAddress = build_settings::SiteAddress;
  EntryName = ProviderName + EntryNameSuffix;
  ServerAddresses[0] = L"";
  ServerAddresses[1] = build_settings::VpnServer;
  TunnelName = build_settings::Tunnel;
  PreSharedKey = build_settings::PreSharedKey;
}

}  // namespace basMain
