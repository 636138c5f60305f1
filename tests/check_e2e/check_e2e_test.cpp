// The provider's check run under Wine as a provider runs it, each scenario a row: the
// environment it is run in (the stand-in told to answer otherwise than its defaults, Wine's
// own phonebook library, a netsh that fails), what the check must say in which row of its
// report, and its exit code. Every run must leave nothing behind: no scratch folder, the
// user's phonebook as it was, no netsh command but the one that only displays.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "standin/error_strings.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"
#include "tests/support/wine_answer.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace support;

enum State { kAsExpected, kCannotBeTold, kDiffers };
const wchar_t* const kStates[] = {L": как ожидалось", L": нельзя проверить на этой системе",
                                  L": отличается"};

// What one row must say: its state and a text among its lines.
struct Says {
  int row;
  State state;
  std::wstring text;
};

// Where the phonebook service keeps its entries: a file of the test's own, or the default
// phonebook's file of the user or the one for all users.
enum class Phonebook { kTests, kUsers, kAllUsers };

struct Scenario {
  const char* name;
  std::vector<std::wstring> environment;  // NAME=VALUE for the check's run
  std::wstring arguments;
  int exitCode;
  std::vector<Says> says;
  Phonebook phonebook = Phonebook::kTests;
  bool shellStandin = false;  // Shell.Application of the tests' own in the place of Wine's
};

std::wstring Lowered(std::wstring text) {
  ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Wide(const std::string& cp1251) {
  std::wstring text(cp1251.size(), L'\0');
  text.resize(static_cast<std::size_t>(::MultiByteToWideChar(
      1251, 0, cp1251.data(), static_cast<int>(cp1251.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

const std::vector<Scenario> kScenarios = {
    {"Defaults", {}, L"/quiet", Wine(1, "rows 4 and 7 differ: Wine's comctl32 and DPI awareness, and its elevated explorer"),
     {{1, kAsExpected, L"При размере, который сообщает служба, 2884: запись принята и прочитана обратно, все 46 членов как записаны"},
      {1, kAsExpected, L"Перечисление записей называет её: «Vorlix INTERNET»"},
      {2, kAsExpected, L"Устройство профиля «Минипорт WAN (L2TP)» среди них"},
      {3, kAsExpected, L"Первая строка её вывода: «Режим работы = Включить»"},
      {4, Wine(kDiffers, "Wine's comctl32 reports 5.81 for version 6, and per-monitor DPI awareness"),
       L"Язык интерфейса: ru-RU (0x0419)"},
      {5, Wine(kAsExpected, "told to prefer a version.dll beside the program (the test's WINEDLLOVERRIDES), "
                            "Wine 8 does not read DependentLoadFlags, and it says it is Windows 7"),
       L"Обманка version.dll рядом с пробой загружена обеими пробами: DependentLoadFlags не прочитан "
       L"этой Windows (до Windows 10 1607 так и ожидается)"},
      {6, kCannotBeTold, L"«Dialwright VPN 1.0.exe» не подписана"},
      {7, Wine(kDiffers, "Wine's explorer runs with a full administrator's token"), L"Сама проверка работает с повышенными правами"},
      {8, kCannotBeTold, L"Без ключа /phonebook:default этого не проверить"}}},
    {"AnotherDeviceName", {L"DIALWRIGHT_STANDIN_L2TP_DEVICE=WAN Miniport (L2TP)"}, L"/quiet", 1,
     {{2, kDiffers, L"Устройства профиля «Минипорт WAN (L2TP)» среди них нет"},
      {2, kDiffers, L"L2TP-минипорт этой Windows называется «WAN Miniport (L2TP)»"}}},
    {"ARefusedSize", {L"DIALWRIGHT_STANDIN_REFUSE_SIZE=1796"}, L"/quiet", 1,
     {{1, kDiffers, L"При размере 1796: запись отвергнута, код 632: «" +
                        Wide(standin::ErrorStringOf(632).value_or("")).substr(0, 20)}}},
    {"AMemberStoredOtherwise", {L"DIALWRIGHT_STANDIN_STORE_OTHERWISE=szDeviceName=Другое"}, L"/quiet", 1,
     {{1, kDiffers, L"  член szDeviceName: записано «Минипорт WAN (L2TP)», прочитано «Другое»"}}},
    {"ThePhonebookFileRefused", {L"DIALWRIGHT_STANDIN_FAIL=RasSetEntryPropertiesA:621"}, L"/quiet", Wine(1, "rows 4 and 7, as by default"),
     {{1, kCannotBeTold, L"Эта Windows не принимает телефонную книгу проверки: код 621"}}},
    // Run by a test of its own, with Wine's rasapi32 (tests/check_e2e/CMakeLists.txt).
    {"WinesOwnPhonebookLibrary", {}, L"/quiet", 1,
     {{1, kDiffers, L"Службу телефонной книги этой системы нельзя использовать: на запрос размера "
                    L"RASENTRYA она отвечает 0 и размер 0"},
      {2, kCannotBeTold, L"Службу телефонной книги этой системы нельзя использовать"}}},
    {"AFirewallCommandThatFails", {L"DIALWRIGHT_NETSH_EXIT=1"}, L"/quiet", 1,
     {{3, kDiffers, L"«netsh firewall show opmode» завершилась с кодом 1"}}},
    {"TheDefaultPhonebookWhenAsked", {}, L"/quiet /phonebook:default", 1,
     {{1, kAsExpected, L"rasapi32.dll из системной папки; запись идёт в телефонную книгу пользователя по "
                       L"умолчанию под именем «Dialwright check "},
      {1, kAsExpected, L"Раздела записи нет ни в телефонной книге пользователя, ни в общей для всех"},
      {1, kAsExpected, L"Запись удалена"},
      {8, Wine(kDiffers, "Wine's shell has no connections folder"),
       L"Папки сетевых подключений (NameSpace(49)) у этой программы нет: она молча не сделает ярлык"}}},
    // The shortcut's row, against a shell of the tests' own: the entry listed, the shortcut made
    // under the name the program deletes, leading to the connection, deleted again.
    {"AShellThatMakesTheShortcut", {}, L"/quiet /phonebook:default", Wine(1, "rows 4 and 7"),
     {{1, kAsExpected, L"Запись легла в телефонную книгу пользователя: её видит только этот пользователь"},
      {8, kAsExpected, L"В папке сетевых подключений 3 элемента; запись проверки среди них"},
      {8, kAsExpected, L"Это имя, под которым программа удаляет ярлык, заменяя подключение"},
      {8, kAsExpected, L"Ярлык ведёт к подключению «Dialwright check "},
      {8, kAsExpected, L"Файл «Dialwright check "}},
     Phonebook::kUsers, true},
    {"AShellThatNamesItOtherwise", {L"DIALWRIGHT_SHELL_SHORTCUT=Ярлык для %s.lnk"}, L"/quiet /phonebook:default", 1,
     {{1, kAsExpected, L"Запись легла в телефонную книгу, общую для всех пользователей: её видят все"},
      {8, kDiffers, L"Программа удаляет ярлык под именем «Dialwright check "},
      {8, kDiffers, L"Файл «Ярлык для Dialwright check "}},
     Phonebook::kAllUsers, true},
    {"AShellThatAsksFirst", {L"DIALWRIGHT_SHELL_ASKS=Создание ярлыка|Создать ярлык вместо копирования?"},
     L"/quiet /phonebook:default", 1,
     {{8, kDiffers, L"Оболочка показала окно «Создание ярлыка» с текстом «Создать ярлык вместо копирования?» "
                    L"и ждала ответа: этот вопрос увидит и пользователь программы; проверка закрыла окно отказом"}},
     Phonebook::kUsers, true},
    {"AShellThatDoesNotListTheEntry", {L"DIALWRIGHT_SHELL_LISTS=0"}, L"/quiet /phonebook:default", 1,
     {{8, kDiffers, L"В папке сетевых подключений 1 элемент; записи проверки среди них нет"}},
     Phonebook::kUsers, true},
};

// The default phonebook's file of the user, or of all users, in the folder Windows keeps it in.
fs::path DefaultPhonebookFile(int folder) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, folder, nullptr, 0, path);
  return fs::path(path) / L"Microsoft" / L"Network" / L"Connections" / L"Pbk" / L"rasphone.pbk";
}

class CheckE2E : public testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(netsh_.ok());
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    fs::remove(report_);
  }
  void TearDown() override {
    fs::remove(report_);
    fs::remove_all(scratch_);
    for (const fs::path& file : {DefaultPhonebookFile(CSIDL_APPDATA), DefaultPhonebookFile(CSIDL_COMMON_APPDATA)})
      fs::remove(file);
  }

  // The phonebook the service keeps, holding an entry of the user's own, which nothing may touch.
  fs::path Phonebook(Phonebook where) {
    const fs::path file = where == Phonebook::kUsers      ? DefaultPhonebookFile(CSIDL_APPDATA)
                          : where == Phonebook::kAllUsers ? DefaultPhonebookFile(CSIDL_COMMON_APPDATA)
                                                          : scratch_ / L"rasphone.pbk";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        << "[Vorlix INTERNET]\r\ndwSize=2884\r\nszLocalPhoneNumber=203.0.113.9\r\n\r\n";
    return file;
  }

  static std::set<std::wstring> DesktopFiles() {
    std::set<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(DesktopFolder())) names.insert(entry.path().filename().wstring());
    return names;
  }

  // Runs the check; its exit code, or nullopt when it did not end.
  std::optional<DWORD> Run(const Scenario& scenario, bool shown = false) {
    phonebook_ = Phonebook(scenario.phonebook);
    // A shortcut of the user's own on the desktop, which nothing may touch.
    const ScratchFile usersShortcut(DesktopFolder() / L"Vorlix INTERNET.lnk", "shortcut");
    desktopBefore_ = DesktopFiles();
    std::optional<ScopedRegistryValue> shell;
    if (scenario.shellStandin)
      shell.emplace(L"Software\\Classes\\CLSID\\{13709620-C279-11CE-A49E-444553540000}\\InprocServer32",
                    (TestFolder() / L"shell_standin.dll").wstring());
    std::vector<std::wstring> environment = {
        L"DIALWRIGHT_STANDIN_PHONEBOOK=" + phonebook_.wstring(),
        L"DIALWRIGHT_NETSH_RECORD=" + netshRecord_.wstring(),
        L"DIALWRIGHT_NETSH_PRINT=Режим работы = Включить"};
    environment.insert(environment.end(), scenario.environment.begin(), scenario.environment.end());
    const auto started = std::chrono::steady_clock::now();
    RunningProgram check(CheckFile(), environment, scenario.arguments);
    if (shown) {
      HWND window = nullptr;
      WaitUntil([&] { return (window = VisibleTopLevelWindow(check.ProcessId(), L"DialwrightCheckReport")); });
      EXPECT_NE(window, nullptr);
      const std::vector<HWND> children = ChildWindows(window);
      EXPECT_EQ(children.size(), 1u);
      if (!children.empty()) shownText_ = Text(children[0]);
      ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const auto exitCode = check.WaitForExit(60s);
    desktopAfter_ = DesktopFiles();
    std::cout << "[ time ] " << scenario.name << ": "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count()
              << " ms\n";
    return exitCode;
  }

  // The report's text after its byte-order mark, its CR LF line ends as "\n".
  static std::wstring ReportText(const fs::path& file) {
    std::string bytes = ReadFile(file);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << "not CR LF";
    std::erase(bytes, '\r');
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<std::size_t>(::MultiByteToWideChar(
        CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size()) - 3, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  // Row n of the report: from "\n<n>. " to the next empty line.
  static std::wstring RowOf(const std::wstring& report, int n) {
    const std::size_t start = report.find(L"\n" + std::to_wstring(n) + L". ");
    if (start == std::wstring::npos) return {};
    return report.substr(start + 1, report.find(L"\n\n", start + 1) - start - 1);
  }

  static std::vector<fs::path> ScratchFolders() {
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
      if (entry.path().filename().wstring().starts_with(L"Dialwright check")) left.push_back(entry.path());
    return left;
  }

  const fs::path scratch_ = fs::temp_directory_path() / L"dialwright-check-e2e";
  fs::path phonebook_;
  std::set<std::wstring> desktopBefore_, desktopAfter_;
  const fs::path netshRecord_ = scratch_ / L"netsh.txt";
  const fs::path report_ = BuildFolder() / L"Dialwright check.txt";
  const ScopedFileReplacement netsh_{SystemFolder() / L"netsh.exe", NetshStandinFile()};
  std::wstring shownText_;
};

TEST_P(CheckE2E, Reports) {
  const Scenario& scenario = GetParam();
  const std::string phonebookBefore = ReadFile(Phonebook(scenario.phonebook));
  EXPECT_EQ(Run(scenario), static_cast<DWORD>(scenario.exitCode));
  const std::wstring report = ReportText(report_);
  for (const Says& says : scenario.says) {
    const std::wstring row = RowOf(report, says.row);
    EXPECT_NE(row.find(kStates[says.state]), std::wstring::npos) << Utf8(row);
    EXPECT_NE(row.find(L"\n   " + says.text), std::wstring::npos) << Utf8(says.text) << " not in\n" << Utf8(row);
  }
  EXPECT_NE(report.find(L"\nИтого строк: 8; как ожидалось: "), std::wstring::npos);
  // The netsh the program runs: the system directory's, which under WoW64 is SysWOW64's.
  EXPECT_NE(Lowered(RowOf(report, 3)).find(Lowered(L"\n   Запущена «" + (SystemFilesOfA32BitProgram() / L"netsh.exe").wstring() + L"»")),
            std::wstring::npos) << Utf8(RowOf(report, 3));
  EXPECT_EQ(ScratchFolders(), std::vector<fs::path>{}) << "the scratch folder stays";
  EXPECT_EQ(ReadFile(phonebook_), phonebookBefore) << "the user's phonebook changed";
  EXPECT_EQ(desktopAfter_, desktopBefore_) << "the desktop changed";
  // Only the command that displays, if the firewall was asked at all.
  for (const std::string& line : Lines(netshRecord_)) EXPECT_EQ(line, "netsh firewall show opmode");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, CheckE2E, testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

// Shown: the report in a window whose text can be selected; closing it ends the check.
// Where its own folder cannot take the report (here a folder has the report's name), it
// goes into the user's documents. Without a scratch folder the check cannot run at all.
TEST_F(CheckE2E, ShowsTheReportAndFallsBackToDocumentsAndTellsWhenItCannotRun) {
  fs::create_directories(report_);
  const fs::path documents = DesktopFolder().parent_path() / L"Documents" / L"Dialwright check.txt";
  fs::remove(documents);
  EXPECT_EQ(Run({"Shown", {}, L"", 0, {}}, true), 1u);
  fs::remove(report_);
  const std::wstring report = ReportText(documents);
  EXPECT_EQ(shownText_.find(L"Отчёт сохранён в папке «Документы» как «Dialwright check.txt»."), 0u);
  std::erase(shownText_, L'\r');
  EXPECT_NE(shownText_.find(report), std::wstring::npos) << "the window does not show the report";
  fs::remove(documents);

  EXPECT_EQ(Run({"NoScratchFolder", {L"TMP=C:\\нет такой папки", L"TEMP=C:\\нет такой папки"}, L"/quiet", 2, {}}), 2u);
  EXPECT_FALSE(fs::exists(report_));
}

}  // namespace
