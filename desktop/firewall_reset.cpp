// IpFw::ResetFirewall.
#include "desktop/ipfw.h"

namespace IpFw {

void ResetFirewall() {
  // "enable" taking effect before "disable" would leave the firewall off, so the first
  // command must have ended before the second starts.
  platform::StartProcess(
      {L"netsh.exe", DisableCommandLine, platform::SW_HIDE_STATE, FirstCommandWait});
  platform::StartProcess(
      {L"netsh.exe", EnableCommandLine, platform::SW_HIDE_STATE, std::chrono::milliseconds{0}});
}

}  // namespace IpFw
