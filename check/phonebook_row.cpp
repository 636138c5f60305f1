#include "check/phonebook_row.h"

#include <optional>

#include "app/settings.h"
#include "phonebook/credentials.h"
#include "phonebook/entry_layout.h"
#include "phonebook/entry_writes.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/error_text.h"
#include "phonebook/vpn_entry.h"
#include "platform/number_text.h"
#include "platform/system.h"
#include "standin/entry_image.h"

namespace check {
namespace {

using platform::ResultCode;

constexpr std::uint32_t kKnownSizes[] = {
    modRASVPN::kEntrySizeNarrowDeviceName, modRASVPN::kEntrySizeWithoutGroups,
    modRASVPN::kEntrySizeWithMultilink, modRASVPN::kEntrySizeWithVpn,
    modRASVPN::kEntrySizeWithDnsSuffix};

std::wstring Number(std::int64_t value) { return platform::DecimalText(value); }

// Each member of a structure of that size, named and written out: numbers in decimal,
// addresses dotted, texts as their bytes read in the ANSI code page.
standin::EntryValues Members(const std::uint8_t* image, std::uint32_t structureSize,
                             std::size_t imageSize) {
  return standin::ReadEntryImage(image, structureSize, static_cast<std::uint32_t>(imageSize));
}

// Writes the profile laid out at the size (unless the program's own write at the reported
// size already did: its result), reads it back and names what differs. True when the write
// was accepted.
bool WriteAndCompare(Row& row, CheckedPhonebook& service, const std::wstring& entryName,
                     const modRASVPN::EntryRecord& profile, std::uint32_t size,
                     std::optional<ResultCode> programsWrite) {
  const std::wstring at = (programsWrite ? L"При размере, который сообщает служба, " : L"При размере ") +
                          Number(size) + L": ";
  const modRASVPN::EntryImage image = modRASVPN::LayOutEntry(profile, size);
  const ResultCode written =
      programsWrite ? *programsWrite
                    : service.RasSetEntryPropertiesA(std::nullopt, platform::ToAnsi(entryName),
                                                     image.Bytes().data(), size);
  if (written != platform::kSuccess) {
    row.Note(State::kDiffers, at + L"запись отвергнута, " + CodeAndText(service, written));
    return false;
  }
  std::vector<std::uint8_t> readBack;
  const ResultCode read = service.ReadEntry(platform::ToAnsi(entryName), size, readBack);
  if (read != platform::kSuccess) {
    row.Note(State::kDiffers, at + L"запись принята, но не читается обратно, " +
                                  CodeAndText(service, read));
    return true;
  }
  const auto expected = Members(image.Bytes().data(), size, image.Bytes().size());
  const auto found = Members(readBack.data(), size, readBack.size());
  std::vector<std::wstring> differences;
  for (const auto& [member, value] : expected) {
    std::optional<std::string> stored;
    for (const auto& [name, other] : found)
      if (name == member) stored = other;
    if (stored == value) continue;
    differences.push_back(L"член " + platform::FromAnsi(std::string(member)) + L": записано " +
                          Quoted(platform::FromAnsi(value)) + L", прочитано " +
                          (stored ? Quoted(platform::FromAnsi(*stored)) : L"(нет)"));
  }
  if (differences.empty()) {
    row.Note(State::kAsExpected, at + L"запись принята и прочитана обратно, все " +
                                     Counted(static_cast<std::int64_t>(expected.size()), L"член",
                                             L"члена", L"членов") +
                                     L" как записаны");
    return true;
  }
  row.Note(State::kDiffers, at + L"запись принята, но служба хранит не то, что записано:");
  for (std::wstring& difference : differences) row.lines.push_back(L"  " + std::move(difference));
  return true;
}

}  // namespace

std::vector<std::wstring>& HeldEventLog() {
  static std::vector<std::wstring> lines;
  return lines;
}

bool RefusesThePhonebook(ResultCode code) {
  // The file or its folder not found or not to be had, and the service's own "cannot open
  // the phonebook" and "cannot write the phonebook".
  return code == 2 || code == 3 || code == 5 || code == 621 || code == 624;
}

std::wstring CodeAndText(platform::PhonebookService& service, ResultCode code) {
  return L"код " + Number(static_cast<std::int32_t>(code)) + L": " +
         QuotedMessage(modRASVPN::ErrorText(service, code));
}

bool HoldsSection(const std::string& fileBytes, const std::string& name) {
  std::string text = fileBytes;
  if (text.rfind("\xFF\xFE", 0) == 0) {
    text.clear();
    // A character beyond ASCII becomes a byte no ASCII name has.
    for (std::size_t i = 2; i + 1 < fileBytes.size(); i += 2)
      text += fileBytes[i + 1] == 0 && static_cast<unsigned char>(fileBytes[i]) < 0x80 ? fileBytes[i] : '\x01';
  }
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  // Line by line, without the stream library: it would bring the C library's locale
  // functions into the check, which Windows XP's msvcrt lacks.
  const std::string section = "[" + name + "]";
  const auto line = [&text, &section](std::size_t start, std::size_t end) {
    if (end > start && text[end - 1] == '\r') --end;
    return text.compare(start, end - start, section) == 0;
  };
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    if (line(start, end)) return true;
    start = end + 1;
  }
  return line(start, text.size());
}

std::wstring WhereItLanded(const PhonebookFiles& files) {
  if (files.user && files.allUsers)
    return L"Запись легла в обе телефонные книги: и пользователя, и общую для всех пользователей";
  if (files.user)
    return L"Запись легла в телефонную книгу пользователя: её видит только этот пользователь";
  if (files.allUsers)
    return L"Запись легла в телефонную книгу, общую для всех пользователей: её видят все";
  return L"Раздела записи нет ни в телефонной книге пользователя, ни в общей для всех "
         L"пользователей: эта Windows хранит её в другом месте";
}

namespace {

// The tunnel's key, written as the program writes it, and whether the service then says one
// is set. The key itself never reaches the report.
void NoteThePreSharedKey(Row& row, CheckedPhonebook& service, const std::wstring& entryName) {
  const ResultCode set = modRASVPN::SetPreSharedKey(service, entryName, basMain::PreSharedKey);
  if (set != platform::kSuccess) {
    row.Note(State::kDiffers, L"Общий ключ IPsec не записывается, " + CodeAndText(service, set) +
                                  L": программа удалит запись, без ключа подключение не установить");
    return;
  }
  std::uint32_t mask = 0;
  const ResultCode read = service.PreSharedKeyMask(platform::ToAnsi(entryName), mask);
  if (read != platform::kSuccess)
    row.Note(State::kCannotBeTold, L"Общий ключ IPsec записан, но задан ли он, служба не говорит, " +
                                       CodeAndText(service, read));
  else if ((mask & modRASVPN::kPreSharedKeyMask) != 0)
    row.Note(State::kAsExpected, L"Общий ключ IPsec записан и задан (RasGetCredentialsA: RASCM_PreSharedKey)");
  else
    row.Note(State::kDiffers, L"Общий ключ IPsec записан, но служба не считает его заданным "
                              L"(RasGetCredentialsA без RASCM_PreSharedKey)");
}

}  // namespace

Row PhonebookRow(CheckedPhonebook& service, const std::wstring& where,
                 const std::wstring& entryName, const VPN::TunnelProfile& tunnel,
                 const modRASVPN::EntryRecord& profile, PhonebookFindings& findings) {
  findings = {};
  Row row(L"Служба телефонной книги");
  row.lines.push_back(where);
  std::uint32_t size = 0;
  const ResultCode query = service.RasGetEntryPropertiesA(size);
  findings.usable = query == platform::ERROR_BUFFER_TOO_SMALL_CODE && size >= 4;
  if (!findings.usable) {
    row.Note(State::kDiffers,
             L"Службу телефонной книги этой системы нельзя использовать: на запрос размера "
             L"RASENTRYA она отвечает " + Number(query) + L" и размер " + Number(size) +
                 L", а не 603 и размер; программа не сможет записать подключение");
    return row;
  }
  row.Note(State::kAsExpected, L"Размер RASENTRYA, который сообщает служба: " + Number(size));

  // The program's own write; it also tells whether this Windows takes a phonebook file of
  // the check's own.
  const ResultCode first = modRASVPN::SetEntryProperties(service, entryName, profile, std::nullopt,
                                                         tunnel.needsSizeAbove);
  if (first == modRASVPN::kStructureCannotHoldIt) {
    row.Note(State::kDiffers, L"Подключение туннеля " + std::wstring(tunnel.words) +
                                  L" эта Windows не примет: её RASENTRYA размером " + Number(size) +
                                  L", а нужен больше " + Number(tunnel.needsSizeAbove) +
                                  L"; программа ничего не запишет и покажет " +
                                  Quoted(VPN::kTunnelNotOnThisWindowsText));
    return row;
  }
  if (RefusesThePhonebook(first)) {
    row.Note(State::kCannotBeTold,
             L"Эта Windows не принимает телефонную книгу проверки: " + CodeAndText(service, first) +
                 L". С ключом /phonebook:default проверка пишет в телефонную книгу "
                 L"пользователя под именем, которого нет у настоящих записей, и удаляет запись");
    return row;
  }
  findings.deletionDue = true;
  findings.written = WriteAndCompare(row, service, entryName, profile, size, first);
  if (findings.written) {
    if (tunnel.preSharedKey) NoteThePreSharedKey(row, service, entryName);
    if (const auto files = service.FilesHolding(platform::ToAnsi(entryName)))
      row.Note(State::kAsExpected, WhereItLanded(*files));
  }

  std::vector<std::wstring> names;
  HeldEventLog().clear();
  const std::int16_t count = modRASVPN::EnumerateEntries(service, names);
  for (const std::wstring& line : HeldEventLog())
    row.Note(State::kDiffers, L"Перечисление записей не удалось: " + Quoted(line));
  bool listed = false;
  for (std::int16_t i = 1; i <= count; ++i) listed = listed || names[static_cast<std::size_t>(i)] == entryName;
  if (listed)
    row.Note(State::kAsExpected, L"Перечисление записей называет её: " + Quoted(entryName));
  else
    row.Note(State::kDiffers, L"Перечисление записей не называет " + Quoted(entryName) + L" (в списке " +
                                  Counted(count, L"имя", L"имени", L"имён") + L")");

  // The sizes the program would write the tunnel at.
  for (const std::uint32_t known : kKnownSizes) {
    if (known > tunnel.needsSizeAbove)
      findings.written = WriteAndCompare(row, service, entryName, profile, known, std::nullopt) || findings.written;
  }
  return row;
}

void DeleteCheckEntry(Row& row, CheckedPhonebook& service, const std::wstring& entryName) {
  const ResultCode deleted = modRASVPN::DeleteEntry(service, entryName);
  if (deleted == platform::kSuccess)
    row.Note(State::kAsExpected, L"Запись удалена");
  else
    row.Note(State::kDiffers, L"Запись не удаляется, " + CodeAndText(service, deleted));
}

}  // namespace check
