// The provider's VPN connection: its profile for the provider's tunnel, written to the
// default phonebook, with the tunnel's pre-shared key where it has one.
#pragma once

#include <string>

#include "phonebook/entry_record.h"
#include "phonebook/vpn_tunnels.h"
#include "platform/phonebook_service.h"

namespace VPN {

inline constexpr const wchar_t* kTunnelNotOnThisWindowsText =
    L"Это подключение нельзя создать в этой версии Windows.";

// The profile of the tunnel for the given server address (spaces around it removed): PPP, IP
// only, encryption required, the tunnel's strategy, miniport and options. Every other member
// stays zero.
modRASVPN::EntryRecord ProviderProfile(const std::wstring& serverAddress,
                                       const TunnelProfile& tunnel = ProviderTunnel());

// Writes the profile for basMain::ServerAddresses[1] under basMain::EntryName (both without
// surrounding spaces) to the default phonebook, then the tunnel's pre-shared key. A refusal
// is shown as the service's own text in a box titled with the application title; a structure
// too old for the tunnel as kTunnelNotOnThisWindowsText, with nothing written; a refused key
// deletes the entry this call wrote, which cannot connect without it. Answers whether the
// connection was written whole.
bool CreateVpnEntry(platform::PhonebookService& service);

}  // namespace VPN
