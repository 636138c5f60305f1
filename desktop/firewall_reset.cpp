// IpFw::ResetFirewall.
#include "desktop/ipfw.h"

namespace IpFw {

void ResetFirewall() {
  // Both are made before either starts: memory that ran out in between would leave the
  // firewall switched off.
  const platform::ProcessStart disable{L"netsh.exe", DisableCommandLine, platform::SW_HIDE_STATE,
                                       FirstCommandWait};
  const platform::ProcessStart enable{L"netsh.exe", EnableCommandLine, platform::SW_HIDE_STATE,
                                      std::chrono::milliseconds{0}};
  // "enable" taking effect before "disable" would leave the firewall off, so the first
  // command must have ended before the second starts.
  platform::StartProcess(disable);
  platform::StartProcess(enable);
}

}  // namespace IpFw
