#include "phonebook/vpn_tunnels.h"

#include "app/settings.h"

namespace VPN {

std::optional<Tunnel> TunnelNamed(std::wstring_view value) {
  for (const TunnelProfile& profile : kTunnels)
    if (profile.value == value) return profile.tunnel;
  return std::nullopt;
}

const TunnelProfile& ProfileOf(Tunnel tunnel) {
  for (const TunnelProfile& profile : kTunnels)
    if (profile.tunnel == tunnel) return profile;
  return kTunnels[0];
}

const TunnelProfile& ProviderTunnel() {
  // The configure step lets no other value through.
  return ProfileOf(TunnelNamed(basMain::TunnelName).value_or(Tunnel::kPptpFirst));
}

}  // namespace VPN
