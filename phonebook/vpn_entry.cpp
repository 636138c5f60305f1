#include "phonebook/vpn_entry.h"

#include <optional>

#include "app/settings.h"
#include "phonebook/error_text.h"
#include "phonebook/entry_writes.h"
#include "platform/system.h"

namespace VPN {
namespace {

constexpr std::uint32_t RASEO_RemoteDefaultGateway = 0x00000010;
constexpr std::uint32_t RASEO_ModemLights = 0x00000100;
constexpr std::uint32_t RASEO_SwCompression = 0x00000200;
constexpr std::uint32_t RASEO_RequireEncryptedPw = 0x00000400;
constexpr std::uint32_t RASEO_RequireDataEncryption = 0x00001000;
constexpr std::uint32_t RASEO_SecureLocalFiles = 0x00010000;
constexpr std::uint32_t RASEO_Custom = 0x00100000;
constexpr std::uint32_t RASEO_PreviewUserPw = 0x01000000;
constexpr std::uint32_t RASEO_ShowDialingProgress = 0x04000000;
constexpr std::uint32_t RASEO_RequireMsCHAP = 0x10000000;
constexpr std::uint32_t RASEO_RequireMsCHAP2 = 0x20000000;
constexpr std::uint32_t RASEO_RequireW95MSCHAP = 0x40000000;

constexpr std::uint32_t kOptions =
    RASEO_RemoteDefaultGateway | RASEO_ModemLights | RASEO_SwCompression |
    RASEO_RequireEncryptedPw | RASEO_RequireDataEncryption | RASEO_SecureLocalFiles |
    RASEO_Custom | RASEO_PreviewUserPw | RASEO_ShowDialingProgress | RASEO_RequireMsCHAP |
    RASEO_RequireMsCHAP2 | RASEO_RequireW95MSCHAP;
static_assert(kOptions == 0x75111710);

constexpr std::uint32_t RASNP_Ip = 4;
constexpr std::uint32_t RASFP_Ppp = 1;
constexpr std::uint32_t RASET_Vpn = 2;
constexpr std::uint32_t ET_Require = 1;
constexpr std::uint32_t VS_PptpFirst = 2;

// Only the space character counts: tabs and line breaks are left to the service to judge.
std::wstring TrimSpaces(const std::wstring& text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

modRASVPN::EntryRecord ProviderProfile(const std::wstring& serverAddress) {
  modRASVPN::EntryRecord record;
  record.szDeviceName = L"Минипорт WAN (L2TP)";
  record.szDeviceType = L"vpn";
  record.dwFramingProtocol = RASFP_Ppp;
  record.dwEncryptionType = ET_Require;
  record.dwfNetProtocols = RASNP_Ip;
  record.dwfOptions = kOptions;
  record.dwCustomAuthKey = 0;
  record.dwType = RASET_Vpn;
  record.dwVpnStrategy = VS_PptpFirst;
  record.ipaddrDns = {};  // no name servers of the entry's own
  record.ipaddrDnsAlt = {};
  record.ipaddrWins = {};
  record.ipaddrWinsAlt = {};
  record.szDnsSuffix.clear();
  record.szLocalPhoneNumber = TrimSpaces(serverAddress);  // a VPN entry's server address
  return record;
}

bool CreateVpnEntry(platform::PhonebookService& service) {
  const modRASVPN::EntryRecord record = ProviderProfile(basMain::ServerAddresses[1]);
  const std::wstring entryName = TrimSpaces(basMain::EntryName);
  const platform::ResultCode result =
      modRASVPN::SetEntryProperties(service, entryName, record, std::nullopt);
  if (result == platform::kSuccess) return true;
  platform::ShowMessageBox(modRASVPN::ErrorText(service, result), platform::MB_OK_STYLE,
                           basMain::ApplicationTitle);
  return false;
}

}  // namespace VPN
