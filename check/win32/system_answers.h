// What the check asks this Windows itself: how it read the manifest, whether netsh's firewall
// context runs, whether the loader reads the load configuration, whether it trusts the
// program's signature, and how the desktop's shell runs. Each answer as the system gives it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "check/rows.h"

namespace check::win32 {

ManifestAnswers AskManifest();
Architecture AskArchitecture();

inline constexpr const wchar_t* kFirewallShowCommand = L"netsh firewall show opmode";
// Runs the display-only command from the system directory, its output into the folder.
FirewallAnswer AskFirewall(const std::wstring& scratch);

// Runs the two probes of the check's resources, each beside a copy of the decoy.
LoadAnswers AskLoadConfiguration(HINSTANCE instance, const std::wstring& scratch);

// WinVerifyTrust's answer for the file (nullopt: no such file), and its reason in words.
std::optional<std::uint32_t> AskSignature(const std::wstring& file, std::wstring& reason);

struct ShellAnswers {
  bool found = false, shellElevated = false, checkElevated = false;
};
ShellAnswers AskShell();

// The system's text for an error code, without its closing line break.
std::wstring SystemText(DWORD code);

}  // namespace check::win32
