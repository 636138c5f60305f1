// The check's judgements over every answer their inputs can take, one table per row: what
// Windows answered, the verdict the row must give, and the words that must stand in it.
#include "check/rows.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/unit/check/row_expectations.h"

namespace {

using check::State;
using check_tests::ExpectRow;
using check_tests::Says;

const std::wstring kProfileDevice = L"Минипорт WAN (L2TP)";

TEST(CheckRows, Device) {
  using Devices = std::vector<check::Device>;
  const struct {
    const char* name;
    std::optional<Devices> devices;
    Says says;
  } rows[] = {
      {"listing failed", std::nullopt,
       {State::kCannotBeTold, {L"Список устройств не получен: RasEnumDevicesA отвечает 87"}}},
      {"empty", Devices{},
       {State::kDiffers, {L"Устройства типа vpn: нет", L"Устройства профиля «Минипорт WAN (L2TP)» среди них нет",
                          L"L2TP-минипорта среди них нет"}}},
      {"no vpn device", Devices{{L"modem", L"Минипорт WAN (L2TP)"}, {L"isdn", L"ISDN"}},
       {State::kDiffers, {L"Устройства типа vpn: нет", L"L2TP-минипорта среди них нет"}}},
      {"the profile's device", Devices{{L"vpn", L"Минипорт WAN (PPTP)"}, {L"vpn", L"Минипорт WAN (L2TP)"}},
       {State::kAsExpected,
        {L"Устройства типа vpn: «Минипорт WAN (PPTP)», «Минипорт WAN (L2TP)»",
         L"Устройство профиля «Минипорт WAN (L2TP)» среди них"}}},
      {"another language's name", Devices{{L"vpn", L"WAN Miniport (PPTP)"}, {L"vpn", L"WAN Miniport (L2TP)"}},
       {State::kDiffers, {L"L2TP-минипорт этой Windows называется «WAN Miniport (L2TP)»"}}},
      {"several L2TP-like names: the first", Devices{{L"vpn", L"WAN Miniport (L2TP) #2"}, {L"vpn", L"L2TP Miniport"}},
       {State::kDiffers, {L"называется «WAN Miniport (L2TP) #2»"}, {L"называется «L2TP Miniport»"}}},
      {"the name, but not a vpn device", Devices{{L"modem", L"Минипорт WAN (L2TP)"}, {L"vpn", L"WAN Miniport (L2TP)"}},
       {State::kDiffers, {L"Устройства типа vpn: «WAN Miniport (L2TP)»"}}},
  };
  for (const auto& row : rows) ExpectRow(check::DeviceRow(row.devices, 87, kProfileDevice, L"L2TP"), row.says, row.name);
  // The tunnel's own miniport, named in the title too.
  const check::Row sstp = check::DeviceRow(std::vector<check::Device>{{L"vpn", L"WAN Miniport (L2TP)"}, {L"vpn", L"WAN Miniport (SSTP)"}},
                                           0, L"Минипорт WAN (SSTP)", L"SSTP");
  EXPECT_EQ(sstp.title, L"Устройство SSTP");
  ExpectRow(sstp, {State::kDiffers, {L"SSTP-минипорт этой Windows называется «WAN Miniport (SSTP)»"}}, "sstp");
}

TEST(CheckRows, Firewall) {
  const std::wstring command = L"netsh firewall show opmode";
  check::FirewallAnswer ran;
  ran.started = ran.ended = true;
  ran.program = L"C:\\Windows\\system32\\netsh.exe";
  ran.firstLine = L"Режим работы = Включить";
  check::FirewallAnswer under64 = ran, failing = ran, crashed = ran, hung = ran, nameless = ran,
                        notStarted;
  under64.program = L"C:\\Windows\\SysWOW64\\netsh.exe";
  under64.wow64 = true;
  failing.exitCode = 1;
  crashed.exitCode = 0xC0000005;
  hung.ended = false;
  nameless.program.clear();
  notStarted.whyNot = L"Не удается найти указанный файл.\r\n";
  const struct {
    const char* name;
    check::FirewallAnswer answer;
    Says says;
  } rows[] = {
      {"ended with 0", ran,
       {State::kAsExpected,
        {L"Запущена «C:\\Windows\\system32\\netsh.exe»: netsh из системной папки, та же, что запускает программа",
         L"«netsh firewall show opmode» завершилась с кодом 0", L"Первая строка её вывода: «Режим работы = Включить»"}}},
      {"under WoW64", under64,
       {State::kAsExpected, {L"Запущена «C:\\Windows\\SysWOW64\\netsh.exe»: 32-разрядная netsh из SysWOW64"}}},
      {"the file not named", nameless, {State::kAsExpected, {L"Запущена netsh.exe из системной папки:"}}},
      {"ended with 1", failing, {State::kDiffers, {L"завершилась с кодом 1"}}},
      {"crashed", crashed, {State::kDiffers, {L"завершилась с кодом 3221225477"}}},
      {"did not end", hung, {State::kDiffers, {L"«netsh firewall show opmode» не завершилась за отведённое время"}}},
      {"not started", notStarted,
       {State::kDiffers, {L"«netsh firewall show opmode» не запускается из системной папки: «Не удается найти указанный файл.»"},
        {L"Запущена"}}},
  };
  for (const auto& row : rows) ExpectRow(check::FirewallRow(command, row.answer), row.says, row.name);
}

TEST(CheckRows, FirstLineOfTheOutput) {
  EXPECT_EQ(check::FirstLine(""), "");
  EXPECT_EQ(check::FirstLine("\r\n  \r\n\t\r\n"), "");
  EXPECT_EQ(check::FirstLine("\r\n \r\n Mode = Enable \r\nsecond\r\n"), " Mode = Enable ");
  EXPECT_EQ(check::FirstLine("only"), "only");
  EXPECT_EQ(check::FirstLine("\nfirst\nsecond"), "first");
}

check::ManifestAnswers Windows(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  check::ManifestAnswers answers;
  answers.architecture = {9, true};
  answers.version = check::WindowsVersion{major, minor, build, L""};
  answers.shimmedVersion = answers.version;
  answers.language = L"ru-RU (0x0419)";
  answers.dpiAwareness = 1;
  answers.density = 96;
  answers.controlsMajor = 6;
  answers.controlsMinor = 16;
  answers.elevationType = 3;
  return answers;
}

TEST(CheckRows, Manifest) {
  using Answers = check::ManifestAnswers;
  using Version = check::WindowsVersion;
  const struct {
    const char* name;
    std::function<void(Answers&)> change;
    Says says;
  } rows[] = {
      {"as the manifest asks", [](Answers&) {},
       {State::kAsExpected,
        {L"Система 64-разрядная, x64; проверка, как и программа, работает в ней 32-разрядной программой под WoW64",
         L"Windows 10.0.19045 (RtlGetVersion)", L"GetVersionEx сообщает 10.0: эта Windows есть в списке систем манифеста",
         L"Язык интерфейса: ru-RU (0x0419)", L"Осведомлённость о DPI: системная, как просит манифест; плотность 96 dpi (100 %)",
         L"Общие элементы управления: 6.16, версия 6, как просит манифест",
         L"Маркер проверки: ограниченный (TokenElevationTypeLimited)"}}},
      {"x86 without WoW64", [](Answers& a) { a.architecture = {0, false}; },
       {State::kAsExpected, {L"Система 32-разрядная, x86; проверка, как и программа, работает в ней без WoW64"}}},
      {"ARM64", [](Answers& a) { a.architecture = {12, true}; }, {State::kAsExpected, {L"Система 64-разрядная, ARM64"}}},
      {"an architecture not known", [](Answers& a) { a.architecture = {42, false}; },
       {State::kAsExpected, {L"Система неизвестной архитектуры (42)"}}},
      {"no architecture", [](Answers& a) { a.architecture = {}; },
       {State::kCannotBeTold, {L"Архитектуру системы эта Windows не сообщает"}}},
      {"no word of WoW64", [](Answers& a) { a.architecture.wow64.reset(); },
       {State::kCannotBeTold, {L"Система 64-разрядная, x64; работает ли проверка под WoW64, эта Windows не сообщает"}}},
      {"no version", [](Answers& a) { a.version.reset(); },
       {State::kCannotBeTold, {L"Версия Windows не получена (RtlGetVersion)"}, {L"GetVersionEx"}}},
      {"shimmed lower on 8.1", [](Answers& a) { a.version = Version{6, 3, 9600, L""}; a.shimmedVersion = Version{6, 2, 9200, L""}; },
       {State::kDiffers, {L"GetVersionEx сообщает 6.2: эта Windows не нашла себя в списке систем манифеста"}}},
      // Before 8.1 GetVersionEx is not shimmed by the manifest's list: no judgement there.
      {"shimmed lower on 7", [](Answers& a) { a.version = Version{6, 1, 7601, L"Service Pack 1"}; a.shimmedVersion = Version{6, 0, 6002, L""}; },
       {State::kAsExpected, {L"Windows 6.1.7601 (Service Pack 1)", L"GetVersionEx сообщает 6.0: эта Windows не нашла себя"}}},
      {"shimmed minor lower", [](Answers& a) { a.shimmedVersion = Version{10, 1, 0, L""}; },
       {State::kDiffers, {L"GetVersionEx сообщает 10.1: эта Windows не нашла себя"}}},
      {"no shimmed version", [](Answers& a) { a.shimmedVersion.reset(); },
       {State::kAsExpected, {L"Windows 10.0.19045"}, {L"GetVersionEx"}}},
      {"awareness not told", [](Answers& a) { a.dpiAwareness.reset(); },
       {State::kCannotBeTold, {L"Осведомлённость о DPI эта Windows не сообщает; плотность 96 dpi (100 %)"}}},
      {"unaware at 144 dpi", [](Answers& a) { a.dpiAwareness = 0; a.density = 144; },
       {State::kDiffers, {L"Осведомлённость о DPI: нет, Windows растянет окно, а манифест просит системную; плотность 144 dpi (150 %)"}}},
      {"per monitor", [](Answers& a) { a.dpiAwareness = 2; },
       {State::kDiffers, {L"Осведомлённость о DPI: по мониторам, а манифест просит системную"}}},
      {"controls 5.82", [](Answers& a) { a.controlsMajor = 5; a.controlsMinor = 82; },
       {State::kDiffers, {L"Общие элементы управления: 5.82: манифест не привязал версию 6"}}},
      {"controls 6 without a minor", [](Answers& a) { a.controlsMinor.reset(); },
       {State::kAsExpected, {L"Общие элементы управления: 6.0, версия 6"}}},
      {"controls not told", [](Answers& a) { a.controlsMajor.reset(); },
       {State::kCannotBeTold, {L"Версию общих элементов управления не узнать (DllGetVersion)"}}},
      {"default token", [](Answers& a) { a.elevationType = 1; },
       {State::kAsExpected, {L"Маркер проверки: обычный (TokenElevationTypeDefault)"}}},
      {"full token", [](Answers& a) { a.elevationType = 2; }, {State::kAsExpected, {L"Маркер проверки: полный (TokenElevationTypeFull)"}}},
      {"no token type", [](Answers& a) { a.elevationType.reset(); }, {State::kAsExpected, {L"Маркер: повышения прав в этой Windows нет"}}},
      {"a type Windows never gives", [](Answers& a) { a.elevationType = 4; }, {State::kAsExpected, {L"Маркер: повышения прав в этой Windows нет"}}},
  };
  for (const auto& row : rows) {
    Answers answers = Windows(10, 0, 19045);
    row.change(answers);
    ExpectRow(check::ManifestRow(answers), row.says, row.name);
  }
}

TEST(CheckRows, LoadConfiguration) {
  const check::WindowsVersion windows7{6, 1, 7601, L""}, before1607{10, 0, 14392, L""},
      from1607{10, 0, 14393, L""}, eleven{10, 1, 0, L""}, twelve{11, 0, 0, L""};
  const struct {
    const char* name;
    check::LoadAnswers answers;
    Says says;
  } rows[] = {
      {"read", {false, true, L"", from1607},
       {State::kAsExpected, {L"загружена пробой без конфигурации и не загружена пробой с ней: DependentLoadFlags прочитан"}}},
      {"not read from 1607", {true, true, L"", from1607},
       {State::kDiffers, {L"обеими пробами: DependentLoadFlags не прочитан этой Windows, хотя с Windows 10 1607 должен"}}},
      {"not read on a later 10", {true, true, L"", eleven}, {State::kDiffers, {L"хотя с Windows 10 1607 должен"}}},
      {"not read on a later major", {true, true, L"", twelve}, {State::kDiffers, {L"хотя с Windows 10 1607 должен"}}},
      {"not read before 1607", {true, true, L"", before1607},
       {State::kAsExpected, {L"(до Windows 10 1607 так и ожидается)"}}},
      {"not read on 7", {true, true, L"", windows7}, {State::kAsExpected, {L"(до Windows 10 1607 так и ожидается)"}}},
      {"not read, no version", {true, true, L"", std::nullopt}, {State::kAsExpected, {L"так и ожидается"}}},
      {"only with it", {true, false, L"", from1607}, {State::kDiffers, {L"загружена только пробой с конфигурацией"}}},
      {"by neither", {false, false, L"", from1607},
       {State::kCannotBeTold, {L"не загружена ни одной пробой: эта Windows не берёт version.dll из папки программы"}}},
      {"the first did not run", {std::nullopt, std::nullopt, L"Отказано в доступе.\r\n", from1607},
       {State::kCannotBeTold, {L"Пробы не запустились: «Отказано в доступе.»"}}},
      {"the second did not run", {true, std::nullopt, L"нет", from1607},
       {State::kCannotBeTold, {L"Пробы не запустились: «нет»"}}},
      {"only the second ran", {std::nullopt, true, L"нет", from1607}, {State::kCannotBeTold, {L"Пробы не запустились"}}},
  };
  for (const auto& row : rows) ExpectRow(check::LoadConfigurationRow(row.answers), row.says, row.name);
}

TEST(CheckRows, Signature) {
  const std::wstring file = L"Dialwright VPN 1.0.exe";
  const struct {
    const char* name;
    std::optional<std::uint32_t> result;
    Says says;
  } rows[] = {
      {"no file", std::nullopt, {State::kCannotBeTold, {L"Рядом с проверкой нет файла «Dialwright VPN 1.0.exe»"}}},
      {"trusted", 0u, {State::kAsExpected, {L"«Dialwright VPN 1.0.exe» подписана, и эта Windows доверяет подписи (WinVerifyTrust: 0)"}}},
      {"not signed", 0x800B0100u, {State::kCannotBeTold, {L"«Dialwright VPN 1.0.exe» не подписана"}}},
      {"an untrusted root", 0x800B0109u,
       {State::kDiffers, {L"Эта Windows не доверяет подписи «Dialwright VPN 1.0.exe»: WinVerifyTrust отвечает 0x800B0109, «Корень не доверен.»"}}},
      {"a changed file", 0x80096010u, {State::kDiffers, {L"WinVerifyTrust отвечает 0x80096010"}}},
  };
  for (const auto& row : rows) ExpectRow(check::SignatureRow(file, row.result, L"Корень не доверен.\r\n"), row.says, row.name);
}

TEST(CheckRows, Shell) {
  const struct {
    bool found, shellElevated, checkElevated;
    Says says;
  } rows[] = {
      {false, false, false, {State::kCannotBeTold, {L"Оболочка рабочего стола не отвечает", L"Сама проверка работает без повышения"}}},
      {false, true, true, {State::kCannotBeTold, {L"программа откроет сайт сама", L"Сама проверка работает с повышенными правами"}}},
      {true, false, false, {State::kAsExpected, {L"Процесс оболочки работает без повышения", L"без повышения"}}},
      {true, false, true, {State::kAsExpected, {L"программа с повышенными правами передаст сайт ей", L"с повышенными правами"}}},
      {true, true, false, {State::kDiffers, {L"Процесс оболочки работает с полными правами администратора"}}},
      {true, true, true, {State::kDiffers, {L"получит их же", L"Сама проверка работает с повышенными правами"}}},
  };
  for (const auto& row : rows)
    ExpectRow(check::ShellRow(row.found, row.shellElevated, row.checkElevated), row.says, "shell");
}

// The shortcut's row: the step's way to the shell, what the shell did, the cleanup.
check::ShortcutAnswers Made() {
  check::ShortcutAnswers a;
  a.asked = a.entryWritten = a.scriptHostDesktop = true;
  a.entryName = L"Dialwright check 1-2";
  a.deletedName = L"Dialwright check 1-2.lnk";
  a.steps = {true, 3, 1, 1, false};
  a.waitedSeconds = 10;
  a.newFiles = {{L"Dialwright check 1-2.lnk", true}};
  a.target = L"Dialwright check 1-2";
  return a;
}

TEST(CheckRows, Shortcut) {
  using Answers = check::ShortcutAnswers;
  const struct {
    const char* name;
    std::function<void(Answers&)> change;
    Says says;
  } rows[] = {
      {"made as the program deletes it", [](Answers&) {},
       {State::kAsExpected,
        {L"Шаг программы с записью проверки «Dialwright check 1-2»", L"В папке сетевых подключений 3 элемента; запись проверки среди них",
         L"На рабочем столе появился файл «Dialwright check 1-2.lnk»",
         L"Это имя, под которым программа удаляет ярлык, заменяя подключение",
         L"Ярлык ведёт к подключению «Dialwright check 1-2»", L"Файл «Dialwright check 1-2.lnk», сделанный проверкой, удалён"}}},
      {"without /phonebook:default", [](Answers& a) { a = {}; },
       {State::kCannotBeTold, {L"Без ключа /phonebook:default этого не проверить"}}},
      {"no entry written", [](Answers& a) { a.entryWritten = false; },
       {State::kCannotBeTold, {L"Запись проверки не записана (строка 1): ярлык делать не из чего"}, {L"Шаг программы"}}},
      {"no desktop from the script host", [](Answers& a) { a.scriptHostDesktop = false; },
       {State::kDiffers, {L"WScript.Shell не называет папку рабочего стола", L"удалён"}}},
      {"no connections folder", [](Answers& a) { a.steps = {false, 0, 0, 0, false}; a.newFiles.clear(); },
       {State::kDiffers, {L"Папки сетевых подключений (NameSpace(49)) у этой программы нет: она молча не сделает ярлык"},
        {L"появился", L"за 10 секунд"}}},
      {"not listed", [](Answers& a) { a.steps = {true, 1, 0, 0, false}; a.newFiles.clear(); },
       {State::kDiffers, {L"В папке сетевых подключений 1 элемент; записи проверки среди них нет"}, {L"за 10 секунд"}}},
      {"a step failed",
       [](Answers& a) { a.steps = {true, 0, 0, 0, true}; a.boxes = {L"Ошибка создания ярлыка подключения!"}; a.newFiles.clear(); },
       {State::kDiffers, {L"Шаг программы не удался, она покажет «Ошибка создания ярлыка подключения!»"},
        {L"NameSpace(49)", L"NameSpace(0)", L"среди них нет"}}},
      {"no desktop folder", [](Answers& a) { a.steps = {true, 2, 1, 0, false}; a.newFiles.clear(); },
       {State::kDiffers, {L"Папки рабочего стола (NameSpace(0)) нет: программа молча не сделает ярлык"}}},
      {"named otherwise", [](Answers& a) { a.newFiles = {{L"Dialwright check 1-2 - Ярлык.lnk", true}}; },
       {State::kDiffers,
        {L"Программа удаляет ярлык под именем «Dialwright check 1-2.lnk», а оболочка назвала его "
         L"«Dialwright check 1-2 - Ярлык.lnk»: заменяя подключение, программа оставит старый ярлык",
         L"Файл «Dialwright check 1-2 - Ярлык.lnk», сделанный проверкой, удалён"}}},
      {"on another desktop", [](Answers& a) { a.newFiles = {{L"Dialwright check 1-2.lnk", false}}; },
       {State::kDiffers, {L"Файл «Dialwright check 1-2.lnk» появился не в той папке рабочего стола"}, {L"Это имя"}}},
      {"asked, refused, nothing made",
       [](Answers& a) { a.windows = {{L"Создание ярлыка", L"Создать ярлык?\r\n", true}}; a.newFiles.clear(); a.target.reset(); },
       {State::kDiffers,
        {L"Оболочка показала окно «Создание ярлыка» с текстом «Создать ярлык?» и ждала ответа: этот вопрос "
         L"увидит и пользователь программы; проверка закрыла окно отказом"},
        {L"не сделала ярлыка", L"Цель ярлыка"}}},
      {"a window that stays", [](Answers& a) { a.windows = {{L"Вопрос", L"Да?", false}}; a.newFiles.clear(); },
       {State::kDiffers, {L"окно «Вопрос» с текстом «Да?»", L"закрыть окно проверка не смогла"}}},
      {"nothing within the wait", [](Answers& a) { a.newFiles.clear(); a.target.reset(); },
       {State::kDiffers, {L"Оболочка за 10 секунд не сделала ярлыка и не показала окна: у пользователя программы ярлыка не будет"},
        {L"Цель ярлыка"}}},
      {"the step did not come back", [](Answers& a) { a.returned = false; a.steps = {}; a.newFiles.clear(); },
       {State::kDiffers, {L"Шаг программы не вернулся за 10 секунд: программа ждала бы его"}, {L"NameSpace(49)"}}},
      {"a target not told", [](Answers& a) { a.target.reset(); },
       {State::kCannotBeTold, {L"Цель ярлыка оболочка не называет", L"удалён"}}},
      {"another target", [](Answers& a) { a.target = L"Подключение по локальной сети"; },
       {State::kDiffers, {L"Ярлык ведёт к «Подключение по локальной сети», а не к подключению «Dialwright check 1-2»"}}},
      {"not deleted", [](Answers& a) { a.notDeleted = {L"Dialwright check 1-2.lnk"}; },
       {State::kDiffers, {L"Файл «Dialwright check 1-2.lnk», сделанный проверкой, не удаляется: удалите его с рабочего стола сами"}}},
      {"one item", [](Answers& a) { a.steps.items = 1; }, {State::kAsExpected, {L"В папке сетевых подключений 1 элемент;"}}},
      {"eleven items", [](Answers& a) { a.steps.items = 11; }, {State::kAsExpected, {L"В папке сетевых подключений 11 элементов;"}}},
  };
  for (const auto& row : rows) {
    Answers answers = Made();
    row.change(answers);
    ExpectRow(check::ShortcutRow(answers), row.says, row.name);
  }
}

}  // namespace
