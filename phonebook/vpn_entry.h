// The provider's VPN connection: its fixed profile, written to the default phonebook.
#pragma once

#include <string>

#include "phonebook/entry_record.h"
#include "platform/phonebook_service.h"

namespace VPN {

// The profile for the given server address (spaces around it removed): L2TP WAN miniport,
// PPP, IP only, encryption required, PPTP tried first. Every other member stays zero.
modRASVPN::EntryRecord ProviderProfile(const std::wstring& serverAddress);

// Writes the profile for basMain::ServerAddresses[1] under basMain::EntryName (both without
// surrounding spaces) to the default phonebook. A refusal is shown as the service's own text
// in a box titled with the application title. Answers whether the entry was written.
bool CreateVpnEntry(platform::PhonebookService& service);

}  // namespace VPN
