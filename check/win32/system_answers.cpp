#include "check/win32/system_answers.h"

#include <commctrl.h>
#include <shellscalingapi.h>
#include <shlwapi.h>
#include <softpub.h>
#include <wintrust.h>

#include <vector>

#include "check/win32/bind.h"
#include "check/win32/files.h"
#include "platform/number_text.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/process_elevation.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_resource.h"

namespace check::win32 {
namespace {

using platform::win32::UniqueHandle;

// Documented, but not declared by this SDK for the Windows the check builds for.
using RtlGetVersionSignature = LONG WINAPI(OSVERSIONINFOW* version);
using GetProcessDpiAwarenessSignature = HRESULT WINAPI(HANDLE process, PROCESS_DPI_AWARENESS* awareness);
using IsWow64Process2Signature = BOOL WINAPI(HANDLE process, USHORT* processMachine, USHORT* nativeMachine);

// IsWow64Process2's machine as GetNativeSystemInfo's architecture.
std::optional<std::uint16_t> ArchitectureOfMachine(USHORT machine) {
  switch (machine) {
    case IMAGE_FILE_MACHINE_I386: return PROCESSOR_ARCHITECTURE_INTEL;
    case IMAGE_FILE_MACHINE_AMD64: return PROCESSOR_ARCHITECTURE_AMD64;
    case 0xAA64: return 12;  // IMAGE_FILE_MACHINE_ARM64, PROCESSOR_ARCHITECTURE_ARM64
    case 0x01C4: return PROCESSOR_ARCHITECTURE_ARM;  // IMAGE_FILE_MACHINE_ARMNT
    case IMAGE_FILE_MACHINE_IA64: return PROCESSOR_ARCHITECTURE_IA64;
    default: return std::nullopt;
  }
}

// The check's resources: the two probes and the decoy.
constexpr int kProbeWithLoadConfiguration = 201;
constexpr int kProbeWithout = 202;
constexpr int kDecoy = 203;

WindowsVersion VersionOf(const OSVERSIONINFOW& info) {
  return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.szCSDVersion};
}

std::optional<WindowsVersion> RealVersion() {
  auto* get = Bind<RtlGetVersionSignature>(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (get == nullptr || get(&info) != 0) return std::nullopt;
  return VersionOf(info);
}

std::wstring LocaleText(LCID locale, LCTYPE what) {
  wchar_t text[16] = {};
  return ::GetLocaleInfoW(locale, what, text, 16) > 0 ? text : L"?";
}

std::wstring DisplayLanguage() {
  const LANGID language = ::GetUserDefaultUILanguage();
  const LCID locale = MAKELCID(language, SORT_DEFAULT);
  const std::string hex = platform::HexText(language);
  return LocaleText(locale, LOCALE_SISO639LANGNAME) + L"-" +
         LocaleText(locale, LOCALE_SISO3166CTRYNAME) + L" (0x" +
         std::wstring(hex.end() - 4, hex.end()) + L")";
}

std::optional<int> DpiAwareness() {
  const HMODULE scaling = platform::win32::LoadSystemLibrary(L"shcore.dll");
  if (auto* get = Bind<GetProcessDpiAwarenessSignature>(scaling, "GetProcessDpiAwareness")) {
    PROCESS_DPI_AWARENESS awareness = PROCESS_DPI_UNAWARE;
    if (SUCCEEDED(get(nullptr, &awareness))) return static_cast<int>(awareness);
  }
  if (auto* aware = CHECK_BIND(::GetModuleHandleW(L"user32.dll"), IsProcessDPIAware))
    return aware() ? 1 : 0;
  return std::nullopt;
}

std::optional<int> ElevationType() {
  HANDLE raw = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return std::nullopt;
  const UniqueHandle token(raw);
  TOKEN_ELEVATION_TYPE type{};
  DWORD size = 0;
  if (!::GetTokenInformation(token.get(), TokenElevationType, &type, sizeof type, &size))
    return std::nullopt;
  return static_cast<int>(type);
}

// Starts the program of that path hidden, with its output into the file, and waits for it.
struct Run {
  bool started = false, ended = false;
  DWORD error = 0, exitCode = 0;
  std::wstring image;  // the file that runs, as the system names it (Vista and later)
};

std::wstring ImageOf(HANDLE process) {
  auto* query = CHECK_BIND(::GetModuleHandleW(L"kernel32.dll"), QueryFullProcessImageNameW);
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = MAX_PATH + 1;
  if (query == nullptr || !query(process, 0, path, &length)) return {};
  return std::wstring(path, length);
}
Run RunHidden(const std::wstring& program, std::wstring commandLine, const std::wstring& output,
              DWORD milliseconds) {
  Run run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = INVALID_HANDLE_VALUE;
  if (!output.empty())
    file = ::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  const UniqueHandle fileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | (fileHandle ? STARTF_USESTDHANDLES : 0);
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = startup.hStdError = fileHandle.get();
  PROCESS_INFORMATION process{};
  const std::wstring folder = program.substr(0, program.rfind(L'\\'));
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, fileHandle ? TRUE : FALSE,
                        CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process)) {
    run.error = ::GetLastError();
    return run;
  }
  run.started = true;
  const UniqueHandle processHandle(process.hProcess), thread(process.hThread);
  run.image = ImageOf(processHandle.get());
  run.ended = ::WaitForSingleObject(processHandle.get(), milliseconds) == WAIT_OBJECT_0;
  if (!run.ended) ::TerminateProcess(processHandle.get(), 1);
  ::GetExitCodeProcess(processHandle.get(), &run.exitCode);
  return run;
}

// Text in the console's (OEM) code page, as netsh writes.
std::wstring FromConsole(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(::MultiByteToWideChar(
      CP_OEMCP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

bool ExtractResource(HINSTANCE instance, int id, const std::wstring& file) {
  HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  return bytes != nullptr && WriteFileBytes(file, bytes, ::SizeofResource(instance, found));
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// One probe in a folder of its own beside the decoy: whether the decoy was loaded.
std::optional<bool> DecoyLoaded(HINSTANCE instance, const std::wstring& folder, int probe,
                                std::wstring& whyNot) {
  const std::wstring program = folder + L"\\probe.exe";
  if (!::CreateDirectoryW(folder.c_str(), nullptr) || !ExtractResource(instance, probe, program) ||
      !ExtractResource(instance, kDecoy, folder + L"\\version.dll")) {
    whyNot = L"пробы не записываются во временную папку: " + SystemText(::GetLastError());
    return std::nullopt;
  }
  const Run run = RunHidden(program, L"\"" + program + L"\"", {}, 10000);
  if (!run.started) {
    whyNot = L"проба не запускается: " + SystemText(run.error);
    return std::nullopt;
  }
  return Exists(folder + L"\\version.dll.loaded");
}

}  // namespace

std::wstring SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = length > 0 ? std::wstring(text, length) : std::wstring();
  if (text != nullptr) ::LocalFree(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r')) result.pop_back();
  if (result.empty()) {
    const std::string hex = platform::HexText(code);
    result = L"ошибка " + std::wstring(hex.begin(), hex.end());
  }
  return result;
}

Architecture AskArchitecture() {
  Architecture answers;
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  // Windows 10 1511 and later name the machine itself, an ARM64 one that emulates x86 too.
  if (auto* wow64 = Bind<IsWow64Process2Signature>(kernel, "IsWow64Process2")) {
    USHORT process = 0, machine = 0;
    if (wow64(::GetCurrentProcess(), &process, &machine)) {
      answers.wow64 = process != IMAGE_FILE_MACHINE_UNKNOWN;
      answers.system = ArchitectureOfMachine(machine);
      return answers;
    }
  }
  if (auto* wow64 = CHECK_BIND(kernel, IsWow64Process)) {
    BOOL under = FALSE;
    if (wow64(::GetCurrentProcess(), &under)) answers.wow64 = under != FALSE;
  }
  if (auto* native = CHECK_BIND(kernel, GetNativeSystemInfo)) {
    SYSTEM_INFO info{};
    native(&info);
    answers.system = info.wProcessorArchitecture;
  }
  return answers;
}

ManifestAnswers AskManifest() {
  ManifestAnswers answers;
  answers.architecture = AskArchitecture();
  answers.version = RealVersion();
  OSVERSIONINFOW shimmed{};
  shimmed.dwOSVersionInfoSize = sizeof shimmed;
  if (::GetVersionExW(&shimmed)) answers.shimmedVersion = VersionOf(shimmed);
  answers.language = DisplayLanguage();
  answers.dpiAwareness = DpiAwareness();
  if (HDC screen = ::GetDC(nullptr)) {
    answers.density = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
  }
  // The common controls this process loaded, through its manifest.
  using DllGetVersionSignature = std::remove_pointer_t<DLLGETVERSIONPROC>;
  if (auto* get = Bind<DllGetVersionSignature>(::GetModuleHandleW(L"comctl32.dll"), "DllGetVersion")) {
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (SUCCEEDED(get(&info))) {
      answers.controlsMajor = info.dwMajorVersion;
      answers.controlsMinor = info.dwMinorVersion;
    }
  }
  answers.elevationType = ElevationType();
  return answers;
}

FirewallAnswer AskFirewall(const std::wstring& scratch) {
  FirewallAnswer answer;
  const std::wstring output = scratch + L"\\netsh.txt";
  const Run run = RunHidden(platform::win32::SystemDirectory() + L"\\netsh.exe", kFirewallShowCommand,
                            output, 20000);
  answer.started = run.started;
  answer.whyNot = SystemText(run.error);
  answer.program = run.image;
  answer.wow64 = AskArchitecture().wow64.value_or(false);
  answer.ended = run.ended;
  answer.exitCode = run.exitCode;
  answer.firstLine = FromConsole(FirstLine(ReadFileBytes(output, 64 * 1024)));
  return answer;
}

LoadAnswers AskLoadConfiguration(HINSTANCE instance, const std::wstring& scratch) {
  LoadAnswers answers;
  answers.version = RealVersion();
  answers.withFlags = DecoyLoaded(instance, scratch + L"\\with", kProbeWithLoadConfiguration, answers.whyNot);
  if (answers.withFlags)
    answers.withoutFlags = DecoyLoaded(instance, scratch + L"\\without", kProbeWithout, answers.whyNot);
  return answers;
}

std::optional<std::uint32_t> AskSignature(const std::wstring& file, std::wstring& reason) {
  if (!Exists(file)) return std::nullopt;
  auto* verify = CHECK_BIND(platform::win32::LoadSystemLibrary(L"wintrust.dll"), WinVerifyTrust);
  if (verify == nullptr) {
    reason = L"wintrust.dll не загружается";
    return ERROR_PROC_NOT_FOUND;
  }
  WINTRUST_FILE_INFO info{sizeof info, file.c_str(), nullptr, nullptr};
  WINTRUST_DATA data{};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &info;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;  // nothing fetched from the network
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const auto result = static_cast<std::uint32_t>(verify(nullptr, &action, &data));
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  verify(nullptr, &action, &data);
  reason = SystemText(result);
  return result;
}

ShellAnswers AskShell() {
  ShellAnswers answers;
  answers.checkElevated = platform::win32::IsElevated(::GetCurrentProcess());
  if (!platform::win32::EnsureComApartment()) return answers;
  if (const auto shell = platform::win32::FindDesktopShell()) {
    answers.found = true;
    answers.shellElevated = platform::win32::WindowProcessIsElevated(shell->window);
  }
  return answers;
}

}  // namespace check::win32
