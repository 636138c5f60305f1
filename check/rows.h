// The rows whose facts the Windows code gathers: what each fact means for the program, in
// words. Pure functions, so that every state a Windows may answer can be tried here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/report.h"
#include "desktop/wsh.h"

namespace check {

struct Device {
  std::wstring type, name;
};
// The devices RasEnumDevicesA lists (nullopt: the listing failed with the code), the device
// name of the program's profile, and what the name of the tunnel's miniport holds in every
// display language ("L2TP", "SSTP").
Row DeviceRow(const std::optional<std::vector<Device>>& devices, std::uint32_t code,
              const std::wstring& profileDevice, const std::wstring& mark);

struct FirewallAnswer {
  bool started = false;
  std::wstring whyNot;  // when not started: the system's text
  std::wstring program;  // the file that ran, as the system names it (empty: it does not)
  bool wow64 = false;    // the check, a 32-bit program like the program, runs under WoW64
  bool ended = false;   // within the time the check waits
  std::uint32_t exitCode = 0;
  std::wstring firstLine;
};
Row FirewallRow(const std::wstring& commandLine, const FirewallAnswer& answer);
// The first line of a command's output that says something (not only blanks), without its
// line break; empty when there is none.
std::string FirstLine(const std::string& output);

struct WindowsVersion {
  std::uint32_t major = 0, minor = 0, build = 0;
  std::wstring servicePack;
};
std::wstring VersionText(const WindowsVersion& version);

// The system's processor architecture (GetNativeSystemInfo's PROCESSOR_ARCHITECTURE_*), and
// whether the check runs under WoW64; nullopt where the system does not say.
struct Architecture {
  std::optional<std::uint16_t> system;
  std::optional<bool> wow64;
};

struct ManifestAnswers {
  Architecture architecture;
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

// The program's shortcut step taken with the check's entry, and what came of it.
struct ShortcutAnswers {
  bool asked = false;         // /phonebook:default: the entry is in the default phonebook
  bool entryWritten = false;  // the check's entry stands there
  std::wstring entryName;
  std::wstring deletedName;   // the file the program deletes when it replaces the connection
  bool scriptHostDesktop = false;  // WScript.Shell names the desktop, where it deletes
  Wsh::ShortcutSteps steps;   // what the program's own step met
  std::vector<std::wstring> boxes;  // what the step showed the user
  bool returned = true;       // the step came back within the wait
  int waitedSeconds = 0;
  struct ShellWindow {
    std::wstring title, text;
    bool closed = false;
  };
  std::vector<ShellWindow> windows;  // shown by the shell while it copied
  struct NewFile {
    std::wstring name;
    bool whereDeleted = true;  // in the folder the program deletes from (else another desktop's)
  };
  std::vector<NewFile> newFiles;  // the files that appeared on the desktop
  std::optional<std::wstring> target;  // the first one's target as the shell names it
  std::vector<std::wstring> notDeleted;  // of the new files, those that could not be deleted
};
Row ShortcutRow(const ShortcutAnswers& answers);

}  // namespace check
