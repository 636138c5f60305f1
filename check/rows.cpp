#include "check/rows.h"

#include <algorithm>

#include "platform/number_text.h"

namespace check {
namespace {

std::wstring Number(std::int64_t value) { return platform::DecimalText(value); }

bool AtLeast(const WindowsVersion& version, std::uint32_t major, std::uint32_t minor,
             std::uint32_t build = 0) {
  if (version.major != major) return version.major > major;
  if (version.minor != minor) return version.minor > minor;
  return version.build >= build;
}

std::wstring Hex(std::uint32_t value) {
  const std::string text = platform::HexText(value);
  return std::wstring(text.begin(), text.end());
}

std::wstring ArchitectureName(std::uint16_t architecture) {
  switch (architecture) {
    case 0: return L"32-разрядная, x86";
    case 5: return L"32-разрядная, ARM";
    case 6: return L"64-разрядная, Itanium";
    case 9: return L"64-разрядная, x64";
    case 12: return L"64-разрядная, ARM64";
    default: return L"неизвестной архитектуры (" + Number(architecture) + L")";
  }
}

void NoteArchitecture(Row& row, const Architecture& a) {
  if (!a.system) {
    row.Note(State::kCannotBeTold, L"Архитектуру системы эта Windows не сообщает");
    return;
  }
  if (!a.wow64) {
    row.Note(State::kCannotBeTold, L"Система " + ArchitectureName(*a.system) +
                                       L"; работает ли проверка под WoW64, эта Windows не сообщает");
    return;
  }
  row.Note(State::kAsExpected,
           L"Система " + ArchitectureName(*a.system) +
               (*a.wow64 ? L"; проверка, как и программа, работает в ней 32-разрядной программой под "
                           L"WoW64: её системная папка — SysWOW64, а реестр — его 32-разрядное представление"
                         : L"; проверка, как и программа, работает в ней без WoW64"));
}

}  // namespace

std::wstring VersionText(const WindowsVersion& version) {
  std::wstring text = Number(version.major) + L"." + Number(version.minor) + L"." + Number(version.build);
  if (!version.servicePack.empty()) text += L" (" + version.servicePack + L")";
  return text;
}

Row DeviceRow(const std::optional<std::vector<Device>>& devices, std::uint32_t code,
              const std::wstring& profileDevice, const std::wstring& mark) {
  Row row{L"Устройство " + mark};
  if (!devices) {
    row.Note(State::kCannotBeTold, L"Список устройств не получен: RasEnumDevicesA отвечает " + Number(code));
    return row;
  }
  std::wstring names, miniport;
  bool found = false;
  for (const Device& device : *devices) {
    if (device.type != L"vpn") continue;
    names += (names.empty() ? L"" : L", ") + Quoted(device.name);
    found = found || device.name == profileDevice;
    if (miniport.empty() && device.name.find(mark) != std::wstring::npos) miniport = device.name;
  }
  row.Note(State::kAsExpected, L"Устройства типа vpn: " + (names.empty() ? L"нет" : names));
  if (found) {
    row.Note(State::kAsExpected, L"Устройство профиля " + Quoted(profileDevice) + L" среди них");
    return row;
  }
  row.Note(State::kDiffers, L"Устройства профиля " + Quoted(profileDevice) +
                                L" среди них нет: подключение программы не найдёт своё устройство");
  row.Note(State::kDiffers, miniport.empty() ? mark + L"-минипорта среди них нет"
                                             : mark + L"-минипорт этой Windows называется " + Quoted(miniport));
  return row;
}

std::string FirstLine(const std::string& output) {
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find_first_of("\r\n", start);
    if (end == std::string::npos) end = output.size();
    if (output.find_first_not_of(" \t", start) < end) return output.substr(start, end - start);
    start = end + 1;
  }
  return {};
}

Row FirewallRow(const std::wstring& commandLine, const FirewallAnswer& answer) {
  Row row{L"Команда брандмауэра"};
  const std::wstring command = Quoted(commandLine);
  if (!answer.started) {
    row.Note(State::kDiffers, command + L" не запускается из системной папки: " + QuotedMessage(answer.whyNot));
    return row;
  }
  const std::wstring program = answer.program.empty() ? L"netsh.exe из системной папки"
                                                       : Quoted(answer.program);
  row.Note(State::kAsExpected,
           L"Запущена " + program +
               (answer.wow64 ? L": 32-разрядная netsh из SysWOW64, та же, что запускает программа "
                               L"(под WoW64 её системная папка — SysWOW64)"
                             : L": netsh из системной папки, та же, что запускает программа"));
  if (!answer.ended) {
    row.Note(State::kDiffers, command + L" не завершилась за отведённое время");
  } else {
    row.Note(answer.exitCode == 0 ? State::kAsExpected : State::kDiffers,
             command + L" завершилась с кодом " + Number(answer.exitCode));
    row.Note(State::kAsExpected, L"Первая строка её вывода: " + Quoted(answer.firstLine));
  }
  return row;
}

Row ManifestRow(const ManifestAnswers& a) {
  Row row{L"Манифест и система"};
  NoteArchitecture(row, a.architecture);
  if (!a.version) {
    row.Note(State::kCannotBeTold, L"Версия Windows не получена (RtlGetVersion)");
  } else {
    row.Note(State::kAsExpected, L"Windows " + VersionText(*a.version) + L" (RtlGetVersion)");
    const bool listed = !a.shimmedVersion || (a.shimmedVersion->major == a.version->major &&
                                              a.shimmedVersion->minor == a.version->minor);
    if (a.shimmedVersion)
      row.Note(listed || !AtLeast(*a.version, 6, 3) ? State::kAsExpected : State::kDiffers,
               L"GetVersionEx сообщает " + Number(a.shimmedVersion->major) + L"." +
                   Number(a.shimmedVersion->minor) +
                   (listed ? L": эта Windows есть в списке систем манифеста"
                           : L": эта Windows не нашла себя в списке систем манифеста"));
  }
  row.Note(State::kAsExpected, L"Язык интерфейса: " + a.language);
  const std::wstring density = Number(a.density) + L" dpi (" + Number(a.density * 100 / 96) + L" %)";
  if (!a.dpiAwareness)
    row.Note(State::kCannotBeTold, L"Осведомлённость о DPI эта Windows не сообщает; плотность " + density);
  else if (*a.dpiAwareness == 1)
    row.Note(State::kAsExpected, L"Осведомлённость о DPI: системная, как просит манифест; плотность " + density);
  else
    row.Note(State::kDiffers, L"Осведомлённость о DPI: " +
                                  std::wstring(*a.dpiAwareness == 0 ? L"нет, Windows растянет окно"
                                                                    : L"по мониторам") +
                                  L", а манифест просит системную; плотность " + density);
  if (!a.controlsMajor)
    row.Note(State::kCannotBeTold, L"Версию общих элементов управления не узнать (DllGetVersion)");
  else
    row.Note(*a.controlsMajor >= 6 ? State::kAsExpected : State::kDiffers,
             L"Общие элементы управления: " + Number(*a.controlsMajor) + L"." +
                 Number(a.controlsMinor.value_or(0)) +
                 (*a.controlsMajor >= 6 ? L", версия 6, как просит манифест"
                                        : L": манифест не привязал версию 6"));
  static const wchar_t* const kTokens[] = {
      L"?", L"обычный (TokenElevationTypeDefault): UAC выключен, или пользователь не администратор",
      L"полный (TokenElevationTypeFull): запущена с правами администратора",
      L"ограниченный (TokenElevationTypeLimited): администратор без повышения; программа "
      L"(highestAvailable) попросит повышения"};
  if (!a.elevationType || *a.elevationType < 1 || *a.elevationType > 3)
    row.Note(State::kAsExpected, L"Маркер: повышения прав в этой Windows нет");
  else
    row.Note(State::kAsExpected, L"Маркер проверки: " + std::wstring(kTokens[*a.elevationType]));
  return row;
}

Row LoadConfigurationRow(const LoadAnswers& a) {
  Row row{L"Конфигурация загрузки (DependentLoadFlags)"};
  if (!a.withFlags || !a.withoutFlags) {
    row.Note(State::kCannotBeTold, L"Пробы не запустились: " + QuotedMessage(a.whyNot));
    return row;
  }
  const std::wstring decoy = L"Обманка version.dll рядом с пробой загружена ";
  const bool fromVersion = a.version && AtLeast(*a.version, 10, 0, 14393);
  if (*a.withoutFlags && !*a.withFlags) {
    row.Note(State::kAsExpected, decoy + L"пробой без конфигурации и не загружена пробой с ней: "
                                         L"DependentLoadFlags прочитан этой Windows");
  } else if (*a.withoutFlags) {
    row.Note(fromVersion ? State::kDiffers : State::kAsExpected,
             decoy + L"обеими пробами: DependentLoadFlags не прочитан этой Windows" +
                 (fromVersion ? L", хотя с Windows 10 1607 должен"
                              : L" (до Windows 10 1607 так и ожидается)"));
  } else if (*a.withFlags) {
    row.Note(State::kDiffers, decoy + L"только пробой с конфигурацией");
  } else {
    row.Note(State::kCannotBeTold,
             L"Обманка version.dll не загружена ни одной пробой: эта Windows не берёт version.dll "
             L"из папки программы, и читает ли она DependentLoadFlags, по ней не видно");
  }
  return row;
}

Row SignatureRow(const std::wstring& programFile, std::optional<std::uint32_t> result,
                 const std::wstring& reason) {
  Row row{L"Подпись программы"};
  const std::wstring file = Quoted(programFile);
  constexpr std::uint32_t TRUST_E_NOSIGNATURE_CODE = 0x800B0100;
  if (!result)
    row.Note(State::kCannotBeTold, L"Рядом с проверкой нет файла " + file);
  else if (*result == 0)
    row.Note(State::kAsExpected, file + L" подписана, и эта Windows доверяет подписи (WinVerifyTrust: 0)");
  else if (*result == TRUST_E_NOSIGNATURE_CODE)
    row.Note(State::kCannotBeTold, file + L" не подписана: доверие этой Windows к подписи проверить нечем");
  else
    row.Note(State::kDiffers, L"Эта Windows не доверяет подписи " + file + L": WinVerifyTrust отвечает " +
                                  Hex(*result) + L", " + QuotedMessage(reason));
  return row;
}

Row ShellRow(bool found, bool shellElevated, bool checkElevated) {
  Row row{L"Оболочка рабочего стола"};
  if (!found)
    row.Note(State::kCannotBeTold, L"Оболочка рабочего стола не отвечает (Windows XP или сеанс без "
                                   L"Проводника): программа откроет сайт сама");
  else if (shellElevated)
    row.Note(State::kDiffers, L"Процесс оболочки работает с полными правами администратора: сайт, "
                              L"который откроет программа, получит их же");
  else
    row.Note(State::kAsExpected, L"Процесс оболочки работает без повышения: программа с повышенными "
                                 L"правами передаст сайт ей");
  row.Note(State::kAsExpected, checkElevated ? L"Сама проверка работает с повышенными правами"
                                             : L"Сама проверка работает без повышения");
  return row;
}

namespace {

// The shell's copy of the connection onto the desktop, once the step handed it over: a window
// that waits for the user, a new file and its name, or nothing.
void NoteWhatTheCopyDid(Row& row, const ShortcutAnswers& a) {
  const std::wstring within = L"за " + Counted(a.waitedSeconds, L"секунду", L"секунды", L"секунд");
  for (const ShortcutAnswers::ShellWindow& window : a.windows)
    row.Note(State::kDiffers, L"Оболочка показала окно " + Quoted(window.title) + L" с текстом " +
                                  QuotedMessage(window.text) +
                                  L" и ждала ответа: этот вопрос увидит и пользователь программы; " +
                                  (window.closed ? L"проверка закрыла окно отказом"
                                                 : L"закрыть окно проверка не смогла"));
  if (!a.returned)
    row.Note(State::kDiffers, L"Шаг программы не вернулся " + within + L": программа ждала бы его");
  if (a.newFiles.empty()) {
    if (a.windows.empty() && a.returned)
      row.Note(State::kDiffers, L"Оболочка " + within + L" не сделала ярлыка и не показала окна: "
                                L"у пользователя программы ярлыка не будет");
    return;
  }
  for (const ShortcutAnswers::NewFile& file : a.newFiles) {
    if (!file.whereDeleted) {
      row.Note(State::kDiffers, L"Файл " + Quoted(file.name) + L" появился не в той папке рабочего "
                                L"стола, из которой программа удаляет ярлык: заменяя подключение, "
                                L"программа оставит старый ярлык");
      continue;
    }
    row.Note(State::kAsExpected, L"На рабочем столе появился файл " + Quoted(file.name));
    if (file.name == a.deletedName)
      row.Note(State::kAsExpected, L"Это имя, под которым программа удаляет ярлык, заменяя подключение");
    else
      row.Note(State::kDiffers, L"Программа удаляет ярлык под именем " + Quoted(a.deletedName) +
                                    L", а оболочка назвала его " + Quoted(file.name) +
                                    L": заменяя подключение, программа оставит старый ярлык, и "
                                    L"каждая замена добавит ещё один");
  }
  if (!a.target)
    row.Note(State::kCannotBeTold, L"Цель ярлыка оболочка не называет");
  else if (*a.target == a.entryName)
    row.Note(State::kAsExpected, L"Ярлык ведёт к подключению " + Quoted(*a.target));
  else
    row.Note(State::kDiffers, L"Ярлык ведёт к " + Quoted(*a.target) + L", а не к подключению " +
                                  Quoted(a.entryName));
  for (const ShortcutAnswers::NewFile& file : a.newFiles) {
    const bool kept =
        std::find(a.notDeleted.begin(), a.notDeleted.end(), file.name) != a.notDeleted.end();
    row.Note(kept ? State::kDiffers : State::kAsExpected,
             L"Файл " + Quoted(file.name) + L", сделанный проверкой, " +
                 (kept ? L"не удаляется: удалите его с рабочего стола сами" : L"удалён"));
  }
}

// The connections folder, the entry among its items, the desktop folder: what decides whether
// the step hands the connection to the shell at all.
void NoteWhatTheStepMet(Row& row, const ShortcutAnswers& a) {
  const Wsh::ShortcutSteps& steps = a.steps;
  if (steps.connectionsFolder) {
    const std::wstring items = L"В папке сетевых подключений " +
                               Counted(steps.items, L"элемент", L"элемента", L"элементов");
    if (steps.matches > 0)
      row.Note(State::kAsExpected, items + L"; запись проверки среди них");
    else if (!steps.failed)
      row.Note(State::kDiffers, items + L"; записи проверки среди них нет: программа не найдёт "
                                        L"подключение и молча не сделает ярлык");
  } else if (!steps.failed) {
    row.Note(State::kDiffers, L"Папки сетевых подключений (NameSpace(49)) у этой программы нет: "
                              L"она молча не сделает ярлык");
  }
  for (const std::wstring& box : a.boxes)
    row.Note(State::kDiffers, L"Шаг программы не удался, она покажет " + Quoted(box));
  if (steps.matches > steps.copied && !steps.failed)
    row.Note(State::kDiffers, L"Папки рабочего стола (NameSpace(0)) нет: программа молча не сделает ярлык");
}

}  // namespace

Row ShortcutRow(const ShortcutAnswers& a) {
  Row row{L"Ярлык подключения"};
  if (!a.asked) {
    row.Note(State::kCannotBeTold,
             L"Без ключа /phonebook:default этого не проверить: ярлык делается из записи в "
             L"телефонной книге пользователя, а без ключа проверка пишет только в свою");
    return row;
  }
  if (!a.entryWritten) {
    row.Note(State::kCannotBeTold, L"Запись проверки не записана (строка 1): ярлык делать не из чего");
    return row;
  }
  row.lines.push_back(L"Шаг программы с записью проверки " + Quoted(a.entryName) +
                      L": Shell.Application копирует её из папки сетевых подключений на рабочий стол");
  if (!a.scriptHostDesktop)
    row.Note(State::kDiffers, L"WScript.Shell не называет папку рабочего стола: заменяя подключение, "
                              L"программа не сможет удалить его ярлык");
  // What the step met is known once it came back.
  const Wsh::ShortcutSteps& steps = a.steps;
  if (a.returned) NoteWhatTheStepMet(row, a);
  if (steps.copied > 0 || !a.returned) NoteWhatTheCopyDid(row, a);
  return row;
}

}  // namespace check
