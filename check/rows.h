// The rows whose facts the Windows code gathers: what each fact means for the program, in
// words. Pure functions, so that every state a Windows may answer can be tried here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/report.h"

namespace check {

struct Device {
  std::wstring type, name;
};
// The devices RasEnumDevicesA lists (nullopt: the listing failed with the code), and the
// device name of the program's profile.
Row DeviceRow(const std::optional<std::vector<Device>>& devices, std::uint32_t code,
              const std::wstring& profileDevice);

struct FirewallAnswer {
  bool started = false;
  std::wstring whyNot;  // when not started: the system's text
  bool ended = false;   // within the time the check waits
  std::uint32_t exitCode = 0;
  std::wstring firstLine;
};
Row FirewallRow(const std::wstring& commandLine, const FirewallAnswer& answer);

struct WindowsVersion {
  std::uint32_t major = 0, minor = 0, build = 0;
  std::wstring servicePack;
};
std::wstring VersionText(const WindowsVersion& version);

struct ManifestAnswers {
  std::optional<WindowsVersion> version;          // RtlGetVersion
  std::optional<WindowsVersion> shimmedVersion;   // GetVersionExW, as the manifest's OS list lets it
  std::wstring language;                          // the display language, e.g. "ru-RU (0x0419)"
  std::optional<int> dpiAwareness;                // 0 unaware, 1 system, 2 per monitor
  int density = 96;
  std::optional<std::uint32_t> controlsMajor, controlsMinor;  // comctl32's DllGetVersion
  std::optional<int> elevationType;               // TOKEN_ELEVATION_TYPE: 1 default, 2 full, 3 limited
};
Row ManifestRow(const ManifestAnswers& answers);

// Whether the decoy beside each probe was loaded (nullopt: the probe did not run, why).
struct LoadAnswers {
  std::optional<bool> withFlags, withoutFlags;
  std::wstring whyNot;
  std::optional<WindowsVersion> version;
};
Row LoadConfigurationRow(const LoadAnswers& answers);

// WinVerifyTrust's answer for the program file beside the check (nullopt: no file there).
Row SignatureRow(const std::wstring& programFile, std::optional<std::uint32_t> result,
                 const std::wstring& reason);

// The desktop's shell as the program finds it for the site, and the check's own token.
Row ShellRow(bool found, bool shellElevated, bool checkElevated);

}  // namespace check
