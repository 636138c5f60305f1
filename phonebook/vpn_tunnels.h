// The tunnels a provider's server may speak, each with the members of its entry that differ:
// one table, one row a tunnel. The first is the profile every build had before a provider
// could choose: PPTP first, then L2TP over the L2TP miniport.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "phonebook/entry_layout.h"

namespace VPN {

enum class Tunnel { kPptpFirst, kSstp, kL2tpPsk };

// RASEO_ options of the entry.
inline constexpr std::uint32_t RASEO_RemoteDefaultGateway = 0x00000010;
inline constexpr std::uint32_t RASEO_ModemLights = 0x00000100;
inline constexpr std::uint32_t RASEO_SwCompression = 0x00000200;
inline constexpr std::uint32_t RASEO_RequireEncryptedPw = 0x00000400;
inline constexpr std::uint32_t RASEO_RequireDataEncryption = 0x00001000;
inline constexpr std::uint32_t RASEO_SecureLocalFiles = 0x00010000;
inline constexpr std::uint32_t RASEO_Custom = 0x00100000;
inline constexpr std::uint32_t RASEO_PreviewUserPw = 0x01000000;
inline constexpr std::uint32_t RASEO_ShowDialingProgress = 0x04000000;
inline constexpr std::uint32_t RASEO_RequireMsCHAP = 0x10000000;
inline constexpr std::uint32_t RASEO_RequireMsCHAP2 = 0x20000000;
inline constexpr std::uint32_t RASEO_RequireW95MSCHAP = 0x40000000;
// RASEO2_: the key of the credentials is the IPsec pre-shared key.
inline constexpr std::uint32_t RASEO2_UsePreSharedKey = 0x00000010;

// What every tunnel's entry asks for: the default route through the tunnel, compression,
// encryption required, the dial's progress and credentials shown, MS-CHAP v2.
inline constexpr std::uint32_t kCommonOptions =
    RASEO_RemoteDefaultGateway | RASEO_ModemLights | RASEO_SwCompression |
    RASEO_RequireEncryptedPw | RASEO_RequireDataEncryption | RASEO_SecureLocalFiles |
    RASEO_Custom | RASEO_PreviewUserPw | RASEO_ShowDialingProgress | RASEO_RequireMsCHAP2;
// PPTP also offers MS-CHAP v1, which Windows Vista and later no longer speak and SSTP and
// L2TP servers no longer take.
inline constexpr std::uint32_t kPptpFirstOptions =
    kCommonOptions | RASEO_RequireMsCHAP | RASEO_RequireW95MSCHAP;
static_assert(kPptpFirstOptions == 0x75111710);

inline constexpr std::uint32_t ET_Require = 1;
inline constexpr std::uint32_t VS_PptpFirst = 2;
inline constexpr std::uint32_t VS_L2tpOnly = 3;
inline constexpr std::uint32_t VS_SstpOnly = 5;

struct TunnelProfile {
  Tunnel tunnel;
  std::wstring_view value;       // the provider's value TUNNEL
  std::wstring_view words;       // how the check's report names it
  std::uint32_t dwVpnStrategy;
  std::wstring_view szDeviceName;  // its miniport as a Russian Windows names it
  std::wstring_view deviceMark;    // what that name holds in every display language
  std::uint32_t dwfOptions;
  std::uint32_t dwfOptions2;
  std::uint32_t dwEncryptionType;
  // A structure of this size or smaller cannot hold the connection: a member it needs is
  // missing there, or the Windows of that structure has no such tunnel (0: any size can).
  std::uint32_t needsSizeAbove;
  bool preSharedKey;  // its pre-shared key is written after the entry
};

inline constexpr TunnelProfile kTunnels[] = {
    {Tunnel::kPptpFirst, L"pptp-first", L"PPTP, затем L2TP (pptp-first)", VS_PptpFirst,
     L"Минипорт WAN (L2TP)", L"L2TP", kPptpFirstOptions, 0, ET_Require, 0, false},
    {Tunnel::kSstp, L"sstp", L"SSTP (sstp)", VS_SstpOnly, L"Минипорт WAN (SSTP)", L"SSTP",
     // 2884 is Windows XP's structure, whose RAS knows no SSTP; Vista's is the first larger.
     kCommonOptions, 0, ET_Require, modRASVPN::kEntrySizeWithDnsSuffix, false},
    {Tunnel::kL2tpPsk, L"l2tp-psk", L"L2TP/IPsec с общим ключом (l2tp-psk)", VS_L2tpOnly,
     // dwfOptions2 exists only above 2088.
     L"Минипорт WAN (L2TP)", L"L2TP", kCommonOptions, RASEO2_UsePreSharedKey, ET_Require,
     modRASVPN::kEntrySizeWithVpn, true},
};

// The tunnel of that provider's value, or nullopt for a value of none.
std::optional<Tunnel> TunnelNamed(std::wstring_view value);
const TunnelProfile& ProfileOf(Tunnel tunnel);
// The tunnel of this build (basMain::TunnelName); the first when the name is none's.
const TunnelProfile& ProviderTunnel();

}  // namespace VPN
