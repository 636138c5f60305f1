// The provider's check: asks this Windows what only a real Windows can answer about the
// program of this build, changes nothing on the machine, and writes its report beside itself
// (or into the user's documents), showing it unless told /quiet. Exit code 0 when no row
// differs, 1 when one does, 2 when the check itself could not run.
//   "Dialwright check.exe" [/quiet] [/phonebook:default]
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <vector>

#include "app/build_settings.h"
#include "app/main_window_definition.h"
#include "app/settings.h"
#include "check/phonebook_row.h"
#include "check/report.h"
#include "check/rows.h"
#include "check/win32/files.h"
#include "check/win32/ras_checked_phonebook.h"
#include "check/win32/report_window.h"
#include "check/win32/scratch_folder.h"
#include "check/win32/shortcut_answers.h"
#include "check/win32/system_answers.h"
#include "phonebook/vpn_entry.h"
#include "platform/number_text.h"
#include "platform/system.h"
#include "platform/win32/bound_functions.h"
#include "platform/win32/dll_search_hardening.h"

namespace {

using namespace check;
using namespace check::win32;

struct Switches {
  bool quiet = false;
  bool defaultPhonebook = false;
};

Switches ParseSwitches(std::wstring commandLine) {
  for (wchar_t& c : commandLine) c = static_cast<wchar_t>(::towlower(c));
  return {commandLine.find(L"/quiet") != std::wstring::npos,
          commandLine.find(L"/phonebook:default") != std::wstring::npos};
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

std::wstring ModulePath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? path : L"";
}

std::wstring Now() {
  SYSTEMTIME now;
  ::GetSystemTime(&now);
  const auto two = [](WORD value) { return (value < 10 ? L"0" : L"") + platform::DecimalText(value); };
  return platform::DecimalText(now.wYear) + L"-" + two(now.wMonth) + L"-" + two(now.wDay) + L" " +
         two(now.wHour) + L":" + two(now.wMinute) + L" UTC";
}

std::vector<std::wstring> Heading(bool defaultPhonebook) {
  return {L"Проверка программы " +
              Quoted(app::main_window::WindowCaption(basMain::ApplicationTitle, basMain::VersionMajor())) +
              L" провайдера " + basMain::ProviderName + L" на этой Windows, " + Now(),
          L"Подключение " + Quoted(basMain::EntryName) + L", сервер " + basMain::ServerAddresses[1] +
              L", туннель " + std::wstring(VPN::ProviderTunnel().words) +
              L": профиль, размеры и имена взяты из кода программы этой сборки",
          defaultPhonebook
              ? L"Проверка ничего не меняет: всё, что она пишет, лежит в её временной папке и "
                L"удаляется, а запись в телефонной книге пользователя и ярлык, сделанный из неё "
                L"на рабочем столе (/phonebook:default), удаляются"
              : L"Проверка ничего не меняет: всё, что она пишет, лежит в её временной папке и "
                L"удаляется"};
}

// The rows of the check's entry: the phonebook's and its devices', and the shortcut's, taken
// while the entry stands.
struct EntryRows {
  Row phonebook, devices, shortcut;
};

// Into a phonebook file of the check's own, or, asked to, into the user's default phonebook
// under a name no real entry has; the entry, and the shortcut made of it, deleted again.
EntryRows EntryRowsOf(const std::wstring& scratch, bool defaultPhonebook) {
  ShortcutAnswers noShortcut;
  noShortcut.asked = defaultPhonebook;
  const std::wstring library = L"rasapi32.dll из системной папки; ";
  if (!PhonebookServiceLoads()) {
    Row row{L"Служба телефонной книги"};
    row.Note(State::kDiffers, L"Службу телефонной книги этой системы нельзя использовать: "
                              L"rasapi32.dll не загружается из системной папки");
    Row devices{L"Устройство " + std::wstring(VPN::ProviderTunnel().deviceMark)};
    devices.Note(State::kCannotBeTold, row.lines.back());
    return {row, devices, ShortcutRow(noShortcut)};
  }
  std::optional<std::string> phonebook;
  std::wstring where = library + L"запись идёт в телефонную книгу пользователя по умолчанию";
  std::wstring name = L"Dialwright check " + platform::DecimalText(::GetCurrentProcessId()) + L"-" +
                      platform::DecimalText(::GetTickCount());
  if (!defaultPhonebook) {
    phonebook = platform::ToAnsi(scratch + L"\\check.pbk");
    where = library + L"запись идёт в телефонную книгу проверки в её временной папке";
    name = basMain::EntryName;
  }
  where += L" под именем " + Quoted(name);
  RasCheckedPhonebook service(phonebook);
  PhonebookFindings findings;
  const VPN::TunnelProfile& tunnel = VPN::ProviderTunnel();
  const std::wstring device(tunnel.szDeviceName), mark(tunnel.deviceMark);
  EntryRows rows{PhonebookRow(service, where, name, tunnel,
                              VPN::ProviderProfile(basMain::ServerAddresses[1], tunnel), findings),
                 Row{L"Устройство " + mark}, Row{L""}};
  if (findings.usable) {
    std::uint32_t code = 0;
    const auto devices = ListDevices(code);
    rows.devices = DeviceRow(devices, code, device, mark);
  } else {
    rows.devices.Note(State::kCannotBeTold, L"Службу телефонной книги этой системы нельзя использовать "
                                            L"(строка выше): её список устройств ничего не значит");
  }
  rows.shortcut = ShortcutRow(defaultPhonebook && findings.written ? AskShortcut(name) : noShortcut);
  if (findings.deletionDue) DeleteCheckEntry(rows.phonebook, service, name);
  return rows;
}

std::vector<Row> AllRows(HINSTANCE instance, const std::wstring& scratch, bool defaultPhonebook) {
  EntryRows entry = EntryRowsOf(scratch, defaultPhonebook);
  std::vector<Row> rows = {std::move(entry.phonebook), std::move(entry.devices)};
  rows.push_back(FirewallRow(kFirewallShowCommand, AskFirewall(scratch)));
  rows.push_back(ManifestRow(AskManifest()));
  rows.push_back(LoadConfigurationRow(AskLoadConfiguration(instance, scratch)));
  const std::wstring program = build_settings::ProgramFileName;
  std::wstring reason;
  const auto trust = AskSignature(Folder(ModulePath()) + L"\\" + program, reason);
  rows.push_back(SignatureRow(program, trust, reason));
  const ShellAnswers shell = AskShell();
  rows.push_back(ShellRow(shell.found, shell.shellElevated, shell.checkElevated));
  rows.push_back(std::move(entry.shortcut));
  return rows;
}

// Beside the check, or where that folder cannot be written, in the user's documents: the
// words that say where (never the path, which holds the user's name).
std::optional<std::wstring> WriteReport(const std::string& bytes) {
  const std::wstring file = std::wstring(build_settings::CheckReportName);
  if (WriteFileBytes(Folder(ModulePath()) + L"\\" + file, bytes.data(), bytes.size()))
    return L"рядом с проверкой";
  const std::wstring documents = ShellFolder(CSIDL_PERSONAL);
  if (!documents.empty() && WriteFileBytes(documents + L"\\" + file, bytes.data(), bytes.size()))
    return L"в папке «Документы»";
  return std::nullopt;
}

int Check(HINSTANCE instance, const Switches& switches) {
  basMain::FillSettings();
  std::vector<Row> rows;
  {
    const ScratchFolder scratch;
    if (scratch.path().empty()) return kCouldNotRun;
    rows = AllRows(instance, scratch.path(), switches.defaultPhonebook);
  }
  const std::wstring text = ReportText(Heading(switches.defaultPhonebook), rows);
  const auto where = WriteReport(Utf8File(text));
  if (!switches.quiet) {
    const std::wstring saved = where ? L"Отчёт сохранён " + *where + L" как " +
                                           Quoted(build_settings::CheckReportName)
                                     : L"Отчёт не удалось сохранить ни рядом с проверкой, ни в «Документах»";
    ShowReport(instance, std::wstring(build_settings::CheckFileName), saved + L".\n\n" + text);
  }
  return where ? ExitCode(rows) : kCouldNotRun;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  platform::win32::HardenDllSearch();
  // No system box for a probe whose DLL will not load: the probes inherit this.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  try {
    return Check(instance, ParseSwitches(commandLine));
  } catch (...) {
    return kCouldNotRun;
  }
}
