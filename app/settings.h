// Process-wide settings, filled once at start-up from the build's configuration.
#pragma once

#include <array>
#include <string>

namespace basMain {

inline constexpr const wchar_t* ApplicationTitle = L"Dialwright";
// What follows the provider's name in the entry's name and the connection's.
inline constexpr const wchar_t* EntryNameSuffix = L" INTERNET";

extern std::wstring ProviderName;
extern std::wstring SiteAddress;
extern std::wstring EntryName;
// Element 0 stays empty; element 1 is the VPN server address.
extern std::array<std::wstring, 2> ServerAddresses;
// The provider's tunnel by its value ("pptp-first", "sstp", "l2tp-psk"; phonebook/vpn_tunnels.h)
// and, for L2TP/IPsec, its pre-shared key (empty for the others).
extern std::wstring TunnelName;
extern std::wstring PreSharedKey;

// The maker's own site; the banner's tooltip tells a build that still carries it.
const std::wstring& DefaultSiteAddress();
int VersionMajor();

// Fills the settings in the order ProviderName, SiteAddress, EntryName, ServerAddresses,
// TunnelName, PreSharedKey.
void FillSettings();

}  // namespace basMain
