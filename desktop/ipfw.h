// IpFw: switches the system firewall off and on again with the system's netsh.
#pragma once

#include <chrono>

#include "platform/system.h"

namespace IpFw {

inline constexpr const wchar_t* DisableCommandLine = L"netsh firewall set opmode disable";
inline constexpr const wchar_t* EnableCommandLine = L"netsh firewall set opmode enable";
// Bound on the wait for the first command before the second starts.
inline constexpr std::chrono::milliseconds FirstCommandWait{30000};

// Runs DisableCommandLine, waits for it to end (at most FirstCommandWait), then starts
// EnableCommandLine without waiting; both hidden, netsh.exe from the system directory.
// Every failure is silent.
void ResetFirewall();

}  // namespace IpFw
