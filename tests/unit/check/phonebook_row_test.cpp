// The phonebook's row over the fake service: each structure size, refusals, a member stored
// otherwise, the check's phonebook file refused, a listing without the entry or failing, the
// deletion refused, and where an entry of the default phonebook landed.
#include "check/phonebook_row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

#include "app/settings.h"
#include "phonebook/vpn_entry.h"
#include "tests/fakes/fake_phonebook_service.h"
#include "tests/unit/check/row_expectations.h"

namespace {

using check::State;
using check_tests::ExpectRow;
using check_tests::Says;
using platform::ResultCode;

const std::wstring kEntry = L"Vorlix INTERNET";

// The fake service as the check asks it: the program's calls, a read-back of what it keeps,
// and the phonebook files it is said to have written.
class CheckedFake final : public check::CheckedPhonebook {
 public:
  fakes::FakePhonebookService service;
  std::set<std::uint32_t> refusedSizes;            // writes of these sizes answer 632
  ResultCode firstWrite = 0;                       // what the first write answers, if not 0
  ResultCode readResult = 0;                       // what reading back answers
  std::function<void(std::vector<std::uint8_t>&)> storeOtherwise;  // applied to what is read
  std::optional<check::PhonebookFiles> files;
  ResultCode deleteResult = 0;

  ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& bytes, std::uint32_t& count) override {
    return service.RasEnumEntriesA(buffer, bytes, count);
  }
  ResultCode RasGetEntryPropertiesA(std::uint32_t& size) override { return service.RasGetEntryPropertiesA(size); }
  ResultCode RasSetEntryPropertiesA(const std::optional<std::string>& phonebook, const std::string& name,
                                    const void* entry, std::uint32_t size) override {
    if (const ResultCode code = std::exchange(firstWrite, 0)) return code;
    if (refusedSizes.count(size) != 0) return 632;
    return service.RasSetEntryPropertiesA(phonebook, name, entry, size);
  }
  ResultCode RasDeleteEntryA(const std::string& name) override {
    return deleteResult != 0 ? deleteResult : service.RasDeleteEntryA(name);
  }
  ResultCode RasGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t size) override {
    return service.RasGetErrorStringA(code, buffer, size);
  }
  ResultCode ReadEntry(const std::string& name, std::uint32_t, std::vector<std::uint8_t>& image) override {
    if (readResult != 0) return readResult;
    image = service.stored.at(name);
    if (storeOtherwise) storeOtherwise(image);
    return 0;
  }
  std::optional<check::PhonebookFiles> FilesHolding(const std::string&) override { return files; }
  ResultCode RasSetCredentialsA(const std::string& name, const void* credentials) override {
    return keyResult != 0 ? keyResult : service.RasSetCredentialsA(name, credentials);
  }
  ResultCode keyResult = 0;
  ResultCode PreSharedKeyMask(const std::string& name, std::uint32_t& mask) override {
    mask = service.keys.count(name) != 0 ? keyMask : 0;
    return maskResult;
  }
  std::uint32_t keyMask = 0x10;  // what the service says of a key it took
  ResultCode maskResult = 0;
};

struct Case {
  const char* name;
  std::function<void(CheckedFake&)> setUp;
  Says says;
  check::PhonebookFindings findings;
  Says afterDeletion = {State::kAsExpected, {L"Запись удалена"}};
};

TEST(CheckPhonebookRow, EveryAnswerOfTheService) {
  const Case cases[] = {
      {"as the program writes it", [](CheckedFake&) {},
       {State::kAsExpected,
        {L"Размер RASENTRYA, который сообщает служба: 2884",
         L"При размере, который сообщает служба, 2884: запись принята и прочитана обратно, все 46 членов как записаны",
         L"Перечисление записей называет её: «Vorlix INTERNET»",
         L"При размере 1672: запись принята и прочитана обратно, все 25 членов как записаны",
         L"При размере 1768: запись принята и прочитана обратно, все 25 членов",
         L"При размере 1796: запись принята и прочитана обратно, все 32 члена как записаны",
         L"При размере 2088: запись принята и прочитана обратно, все 38 членов",
         L"При размере 2884: запись принята и прочитана обратно, все 46 членов"},
        {L"Запись легла"}},
       {true, true, true}},
      {"size 1672", [](CheckedFake& f) { f.service.reportedSize = 1672; },
       {State::kAsExpected, {L"При размере, который сообщает служба, 1672: запись принята и прочитана обратно, все 25 членов"}},
       {true, true, true}},
      {"size 2088", [](CheckedFake& f) { f.service.reportedSize = 2088; },
       {State::kAsExpected, {L"При размере, который сообщает служба, 2088: запись принята и прочитана обратно, все 38 членов"}},
       {true, true, true}},
      {"a size query answered 0", [](CheckedFake& f) { f.service.sizeQueryResult = 0; f.service.reportedSize = 0; },
       {State::kDiffers,
        {L"Службу телефонной книги этой системы нельзя использовать: на запрос размера RASENTRYA она "
         L"отвечает 0 и размер 0, а не 603 и размер; программа не сможет записать подключение"},
        {L"Размер RASENTRYA"}},
       {false, false, false}},
      {"603 without a size", [](CheckedFake& f) { f.service.reportedSize = 0; },
       {State::kDiffers, {L"отвечает 603 и размер 0"}}, {false, false, false}},
      {"a size too small to hold one", [](CheckedFake& f) { f.service.reportedSize = 3; },
       {State::kDiffers, {L"отвечает 603 и размер 3"}}, {false, false, false}},
      {"a size refused", [](CheckedFake& f) { f.refusedSizes = {1796}; },
       {State::kDiffers, {L"При размере 1796: запись отвергнута, код 632: «Ошибка службы.»",
                          L"При размере 2088: запись принята"}},
       {true, true, true}},
      {"every write refused", [](CheckedFake& f) { f.refusedSizes = {1672, 1768, 1796, 2088, 2884}; },
       {State::kDiffers, {L"При размере, который сообщает служба, 2884: запись отвергнута, код 632"}},
       {true, true, false}, {State::kDiffers, {L"Запись не удаляется, код 623: «Ошибка службы.»"}}},
      {"the reported size refused, another taken", [](CheckedFake& f) { f.refusedSizes = {2884}; },
       {State::kDiffers, {L"При размере, который сообщает служба, 2884: запись отвергнута", L"При размере 2088: запись принята"}},
       {true, true, true}},
      {"a member stored otherwise",
       [](CheckedFake& f) {
         f.storeOtherwise = [](std::vector<std::uint8_t>& image) {
           const std::string wan = "WAN (L2TP)";
           const auto at = std::search(image.begin(), image.end(), wan.begin(), wan.end());
           if (at != image.end()) *at = 'V';
         };
       },
       {State::kDiffers,
        {L"запись принята, но служба хранит не то, что записано:",
         L"  член szDeviceName: записано «Минипорт WAN (L2TP)», прочитано «Минипорт VAN (L2TP)»"}},
       {true, true, true}},
      {"a member stored with a space more",
       [](CheckedFake& f) {
         f.storeOtherwise = [](std::vector<std::uint8_t>& image) {
           const std::string vpn = "vpn";
           const auto at = std::search(image.begin(), image.end(), vpn.begin(), vpn.end());
           if (at != image.end()) at[3] = ' ';
         };
       },
       {State::kDiffers, {L"  член szDeviceType: записано «vpn», прочитано «vpn »"}}, {true, true, true}},
      {"not read back", [](CheckedFake& f) { f.readResult = 623; },
       {State::kDiffers, {L"При размере, который сообщает служба, 2884: запись принята, но не читается обратно, код 623"}},
       {true, true, true}},
      {"the check's phonebook file refused", [](CheckedFake& f) { f.firstWrite = 621; },
       {State::kCannotBeTold,
        {L"Эта Windows не принимает телефонную книгу проверки: код 621: «Ошибка службы.». С ключом /phonebook:default"},
        {L"Перечисление"}},
       {true, false, false}},
      {"a listing without the entry",
       [](CheckedFake& f) { f.service.enumHandlers = {fakes::ListingOf({"A", "B"}), fakes::ListingOf({"A", "B"})}; },
       {State::kDiffers, {L"Перечисление записей не называет «Vorlix INTERNET» (в списке 2 имени)"}}, {true, true, true}},
      {"a listing of one other name",
       [](CheckedFake& f) { f.service.enumHandlers = {fakes::ListingOf({"A"})}; },
       {State::kDiffers, {L"(в списке 1 имя)"}}, {true, true, true}},
      {"a listing that fails",
       [](CheckedFake& f) { f.service.enumHandlers = {fakes::Fails(5)}; },
       {State::kDiffers, {L"Перечисление записей не удалось: «RasEnumEntries failed: Error  5»",
                          L"Перечисление записей не называет «Vorlix INTERNET» (в списке 0 имён)"}},
       {true, true, true}},
      {"the deletion refused", [](CheckedFake& f) { f.deleteResult = 5; },
       {State::kAsExpected, {L"Перечисление записей называет её"}}, {true, true, true},
       {State::kDiffers, {L"Запись не удаляется, код 5: «Отказано в доступе.»"}}},
      {"in the user's phonebook", [](CheckedFake& f) { f.files = check::PhonebookFiles{true, false}; },
       {State::kAsExpected, {L"Запись легла в телефонную книгу пользователя: её видит только этот пользователь"}},
       {true, true, true}},
      {"in the one for all users", [](CheckedFake& f) { f.files = check::PhonebookFiles{false, true}; },
       {State::kAsExpected, {L"Запись легла в телефонную книгу, общую для всех пользователей: её видят все"}},
       {true, true, true}},
      {"in both", [](CheckedFake& f) { f.files = check::PhonebookFiles{true, true}; },
       {State::kAsExpected, {L"Запись легла в обе телефонные книги"}}, {true, true, true}},
      {"in neither", [](CheckedFake& f) { f.files = check::PhonebookFiles{}; },
       {State::kAsExpected, {L"Раздела записи нет ни в телефонной книге пользователя, ни в общей"}}, {true, true, true}},
  };
  const auto profile = VPN::ProviderProfile(L"198.51.100.10");
  for (const Case& c : cases) {
    fakes::Reset();
    CheckedFake fake;
    fake.service.errorStringText = std::string("\xCE\xF8\xE8\xE1\xEA\xE0 \xF1\xEB\xF3\xE6\xE1\xFB.\r\n", 16) + '\0';
    fakes::TheSystem().systemMessage = std::string("\xCE\xF2\xEA\xE0\xE7\xE0\xED\xEE \xE2 \xE4\xEE\xF1\xF2\xF3\xEF\xE5.\r\n") + '\0';
    fakes::TheSystem().onReportError = [](const std::wstring& line) { check::HeldEventLog().push_back(line); };
    c.setUp(fake);
    check::PhonebookFindings findings{true, true, true};
    check::Row row = check::PhonebookRow(fake, L"где", kEntry, VPN::ProfileOf(VPN::Tunnel::kPptpFirst), profile, findings);
    ExpectRow(row, c.says, c.name);
    EXPECT_EQ(row.lines.front(), L"где") << c.name;
    // The size is asked for as the program asks: with a size of 0.
    EXPECT_EQ(fakes::TheSystem().journal.front(), L"RasGetEntryPropertiesA 0") << c.name;
    EXPECT_EQ(std::tie(findings.usable, findings.deletionDue, findings.written),
              std::tie(c.findings.usable, c.findings.deletionDue, c.findings.written))
        << c.name;
    if (!findings.deletionDue) continue;
    // The entry stands until it is deleted; then the row says so.
    EXPECT_EQ(fake.service.stored.count("Vorlix INTERNET"), findings.written ? 1u : 0u) << c.name;
    check::DeleteCheckEntry(row, fake, kEntry);
    ExpectRow(row, {std::max(c.says.state, c.afterDeletion.state), c.afterDeletion.words}, c.name);
  }
}

// The tunnels but the first: refused where the structure cannot hold them, written only at
// the sizes that can; L2TP/IPsec's key written and read back as set, or why not.
TEST(CheckPhonebookRow, EachTunnelAndItsKey) {
  const struct {
    const char* name;
    VPN::Tunnel tunnel;
    std::uint32_t size;
    std::function<void(CheckedFake&)> setUp;
    Says says;
    bool written;
  } cases[] = {
      {"sstp on XP's structure", VPN::Tunnel::kSstp, 2884, [](CheckedFake&) {},
       {State::kDiffers,
        {L"Подключение туннеля SSTP (sstp) эта Windows не примет: её RASENTRYA размером 2884, а нужен "
         L"больше 2884; программа ничего не запишет и покажет «Это подключение нельзя создать в этой версии Windows.»"},
        {L"Перечисление"}},
       false},
      {"sstp on Windows 7's", VPN::Tunnel::kSstp, 2948, [](CheckedFake&) {},
       {State::kAsExpected, {L"При размере, который сообщает служба, 2948: запись принята и прочитана обратно, все 46 членов"},
        {L"При размере 2884", L"При размере 1672", L"Общий ключ"}},
       true},
      {"l2tp-psk", VPN::Tunnel::kL2tpPsk, 2884, [](CheckedFake&) {},
       {State::kAsExpected, {L"Общий ключ IPsec записан и задан (RasGetCredentialsA: RASCM_PreSharedKey)",
                             L"При размере 2884: запись принята"},
        {L"При размере 2088", L"При размере 1796"}},
       true},
      {"l2tp-psk on 2088", VPN::Tunnel::kL2tpPsk, 2088, [](CheckedFake&) {},
       {State::kDiffers, {L"размером 2088, а нужен больше 2088"}}, false},
      {"the key refused", VPN::Tunnel::kL2tpPsk, 2884, [](CheckedFake& f) { f.keyResult = 5; },
       {State::kDiffers, {L"Общий ключ IPsec не записывается, код 5: «Отказано в доступе.»: программа удалит запись"}},
       true},
      {"the key not kept", VPN::Tunnel::kL2tpPsk, 2884, [](CheckedFake& f) { f.keyMask = 0; },
       {State::kDiffers, {L"Общий ключ IPsec записан, но служба не считает его заданным"}}, true},
      {"the mask not told", VPN::Tunnel::kL2tpPsk, 2884, [](CheckedFake& f) { f.maskResult = 623; },
       {State::kCannotBeTold, {L"Общий ключ IPsec записан, но задан ли он, служба не говорит, код 623"}}, true},
  };
  basMain::PreSharedKey = L"ключ 1";
  for (const auto& c : cases) {
    fakes::Reset();
    fakes::TheSystem().systemMessage = std::string("\xCE\xF2\xEA\xE0\xE7\xE0\xED\xEE \xE2 \xE4\xEE\xF1\xF2\xF3\xEF\xE5.\r\n") + '\0';
    CheckedFake fake;
    fake.service.reportedSize = c.size;
    c.setUp(fake);
    const VPN::TunnelProfile& tunnel = VPN::ProfileOf(c.tunnel);
    check::PhonebookFindings findings;
    const check::Row row =
        check::PhonebookRow(fake, L"где", kEntry, tunnel, VPN::ProviderProfile(L"198.51.100.10", tunnel), findings);
    ExpectRow(row, c.says, c.name);
    EXPECT_EQ(findings.written, c.written) << c.name;
    EXPECT_EQ(findings.deletionDue, c.written) << c.name;
    // The key itself never reaches the report.
    for (const std::wstring& line : row.lines) EXPECT_EQ(line.find(L"ключ 1"), std::wstring::npos) << c.name;
  }
  basMain::FillSettings();
}

// The file or its folder not to be had, and the service's own refusals of a phonebook.
TEST(CheckPhonebookRow, CodesThatRefuseThePhonebookItself) {
  for (const ResultCode code : {2u, 3u, 5u, 621u, 624u}) EXPECT_TRUE(check::RefusesThePhonebook(code)) << code;
  for (const ResultCode code : {0u, 1u, 4u, 6u, 620u, 622u, 623u, 625u, 632u})
    EXPECT_FALSE(check::RefusesThePhonebook(code)) << code;
}

// ASCII text as UTF-16 after its byte-order mark, as a phonebook file may be written.
std::string Utf16(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

TEST(CheckPhonebookRow, ASectionOfTheEntryInAPhonebookFile) {
  const std::string name = "Dialwright check 12-345";
  const struct {
    std::string file;
    bool holds;
  } rows[] = {
      {"", false},
      {"[Dialwright check 12-345]\r\nType=2\r\n", true},
      {"[Other]\nType=2\n\n[Dialwright check 12-345]\nType=2\n", true},
      {"[Other]\r\n[Dialwright check 12-345]", true},
      {"\xEF\xBB\xBF[Dialwright check 12-345]\r\n", true},
      {Utf16("[Other]\r\n[Dialwright check 12-345]\r\n"), true},
      // A character beyond ASCII where the name has a digit.
      {Utf16("[Dialwright check 12-34") + std::string("\x35\x04]\0", 4), false},
      {Utf16("[Dialwright check 12-346]"), false},
      {"[Dialwright check 12-3456]\r\n", false},
      {"[Dialwright check 12-34]\r\n", false},
      {" [Dialwright check 12-345]\r\n", false},
      {"PreviousEntry=[Dialwright check 12-345]\r\n", false},
      {"Dialwright check 12-345\r\n", false},
  };
  for (const auto& row : rows) EXPECT_EQ(check::HoldsSection(row.file, name), row.holds) << row.file;
}

}  // namespace
