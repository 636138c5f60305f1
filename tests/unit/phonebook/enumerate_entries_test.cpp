#include "phonebook/enumerate_entries.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "phonebook/entry_name_from_bytes.h"
#include "tests/fakes/fake_services.h"

namespace {

using modRASVPN::EnumerateEntries;
using Handler = fakes::FakePhonebookService::EnumHandler;
using Record = std::pair<std::uint32_t, std::string>;  // dwSize, name

// Answers like the real service: 603 and the bytes needed when the records do not fit, else
// the records and the count (the number of records unless given). It writes no further than
// the byte count it is given.
Handler Answer(std::vector<Record> records, std::optional<std::uint32_t> count = std::nullopt) {
  return [=](std::uint8_t* buffer, std::uint32_t& bytes, std::uint32_t& entryCount) {
    const auto needed = static_cast<std::uint32_t>(records.size() * 264);
    entryCount = count.value_or(static_cast<std::uint32_t>(records.size()));
    if (bytes < needed) {
      bytes = needed;
      return platform::ResultCode{603};
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
      std::uint8_t* record = buffer + 264 * i;
      for (int b = 0; b < 4; ++b) record[b] = static_cast<std::uint8_t>(records[i].first >> (8 * b));
      std::memcpy(record + 4, records[i].second.data(), records[i].second.size());
    }
    bytes = needed;
    return platform::ResultCode{0};
  };
}

Handler Phonebook(const std::vector<std::string>& names) {
  std::vector<Record> records;
  for (const std::string& name : names) records.emplace_back(264, name);
  return Answer(records);
}

Handler Fails(platform::ResultCode code, std::uint32_t byteCount = 264) {
  return [code, byteCount](std::uint8_t*, std::uint32_t& bytes, std::uint32_t&) {
    bytes = byteCount;
    return code;
  };
}

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back("entry" + std::to_string(i));
  return names;
}

struct Listing {
  std::int16_t count;
  std::vector<std::wstring> list;
  fakes::FakeServices services;
};

// Lists with the handlers, one per call; checks what every listing must leave behind.
std::unique_ptr<Listing> List(std::vector<Handler> handlers, std::set<std::size_t> failing = {}) {
  auto listing = std::make_unique<Listing>();
  listing->list = {L"left over", L"from before"};
  listing->services.service.enumHandlers = std::move(handlers);
  listing->services.memory.failing = std::move(failing);
  listing->count = EnumerateEntries(listing->services.Get(), listing->list);
  EXPECT_EQ(listing->list.size(), listing->count > 0 ? listing->count + 1u : 41u);
  EXPECT_EQ(listing->services.memory.Outstanding(), 0u);
  EXPECT_EQ(listing->services.memory.badFrees, 0);
  return listing;
}

TEST(EnumerateEntries, NamesComeAtOneToNInTheServicesOrderThroughTheCodePage) {
  const struct {
    const char* situation;
    std::vector<std::string> names;
    std::vector<std::wstring> expected;  // from slot 0
  } rows[] = {
      {"empty", {}, std::vector<std::wstring>(41)},
      {"one", {"Vorlix INTERNET"}, {L"", L"Vorlix INTERNET"}},
      // Neither filtered nor de-duplicated; an empty name is an empty text.
      {"several", {"b", "a", "", "a"}, {L"", L"b", L"a", L"", L"a"}},
      {"Cyrillic", {"\xC2\xEE\xF0\xEB\xE8\xEA\xF1 \xC8\xED\xF2"}, {L"", L"Ворликс Инт"}},
      // The longest name, and one without a zero in its field or the alignment behind it.
      {"long", {std::string(256, 'a'), std::string(260, 'b')},
       {L"", std::wstring(256, L'a'), std::wstring(256, L'b')}},
  };
  for (const auto& row : rows) {
    const auto listing = List({Phonebook(row.names), Phonebook(row.names)});
    EXPECT_EQ(listing->count, static_cast<std::int16_t>(row.names.size())) << row.situation;
    EXPECT_EQ(listing->list, row.expected) << row.situation;
    EXPECT_TRUE(listing->services.eventLog.errors.empty()) << row.situation;
  }
  const auto most = List({Phonebook(Names(32768)), Phonebook(Names(32768))});
  EXPECT_EQ(most->count, 32767);
  EXPECT_EQ(most->list.back(), L"entry32767");
}

// One zero-filled record of room, dwSize set; then, after 603, exactly the bytes asked for
// (never less than one record).
TEST(EnumerateEntries, TheBufferIsNegotiatedWithTheService) {
  std::vector<std::uint8_t> firstRecord(264, 0);
  firstRecord[0] = 0x08;  // dwSize 264, nothing else
  firstRecord[1] = 0x01;
  const auto one = List({Phonebook({"only"})});
  ASSERT_EQ(one->services.service.enumCalls.size(), 1u);
  EXPECT_EQ(one->services.service.enumCalls[0].byteCount, 264u);
  EXPECT_EQ(one->services.service.enumCalls[0].buffer, firstRecord);
  ASSERT_EQ(one->services.memory.allocations.size(), 1u);
  EXPECT_EQ(one->services.memory.allocations[0].flags, 0x40u);
  EXPECT_EQ(one->services.memory.allocations[0].bytes, 264u);

  for (const std::uint32_t asked : {4u * 264, 10u}) {
    const std::uint32_t room = std::max(asked, 264u);
    const auto two = List({Fails(603, asked), Phonebook({"a"})});
    EXPECT_EQ(two->count, 1) << asked;
    ASSERT_EQ(two->services.service.enumCalls.size(), 2u);
    EXPECT_EQ(two->services.service.enumCalls[1].byteCount, room);
    EXPECT_EQ(two->services.service.enumCalls[1].buffer, firstRecord);
    ASSERT_EQ(two->services.memory.allocations.size(), 2u);
    EXPECT_EQ(two->services.memory.allocations[1].bytes, room);
  }
}

TEST(EnumerateEntries, EveryFailureIsLoggedAndAnswersNoNames) {
  const struct {
    const char* situation;
    std::vector<Handler> handlers;
    std::set<std::size_t> failingAllocations;
    std::wstring logged;
    std::size_t serviceCalls;
  } rows[] = {
      {"first allocation", {}, {1}, L"LocalAlloc failed!0", 0},
      {"first call", {Fails(623)}, {}, L"RasEnumEntries failed: Error  623", 1},
      {"603 without a size", {Fails(603, 0)}, {}, L"RasEnumEntries failed: Error  603", 1},
      {"negative code", {Fails(0xFFFFFFFF)}, {}, L"RasEnumEntries failed: Error  -1", 1},
      {"second allocation", {Fails(603, 5000)}, {2}, L"LocalAlloc failed!603", 1},
      {"second call", {Fails(603, 5000), Fails(632)}, {}, L"RasEnumEntries failed = 632", 2},
      {"second 603", {Phonebook(Names(3)), Fails(603, 9999)}, {}, L"RasEnumEntries failed = 603",
       2},
  };
  for (const auto& row : rows) {
    const auto listing = List(row.handlers, row.failingAllocations);
    EXPECT_EQ(listing->count, 0) << row.situation;
    EXPECT_EQ(listing->list, std::vector<std::wstring>(41)) << row.situation;
    EXPECT_EQ(listing->services.eventLog.errors, std::vector<std::wstring>{row.logged})
        << row.situation;
    EXPECT_EQ(listing->services.service.enumCalls.size(), row.serviceCalls) << row.situation;
  }
}

TEST(EnumerateEntries, MalformedRecordsEndTheWalkInsideTheBuffer) {
  const struct {
    const char* situation;
    Handler answer;
    std::int16_t names;
  } rows[] = {
      {"more entries claimed than the buffer holds", Answer({{264, "a"}, {264, "b"}}, 5), 2},
      {"a size smaller than the size field", Answer({{264, "a"}, {3, "b"}, {264, "c"}}), 1},
      {"a size past the end", Answer({{264, "a"}, {265, "b"}}), 1},
      {"a size that wraps round", Answer({{0xFFFFFFF0, "a"}, {264, "b"}}), 0},
      {"a step that leaves no whole record", Answer({{264, "a"}, {300, "b"}, {264, "c"}}), 2},
  };
  for (const auto& row : rows) {
    const auto listing = List({row.answer, row.answer});
    EXPECT_EQ(listing->count, row.names) << row.situation;
    if (row.names > 0) {
      EXPECT_EQ(listing->list[1], L"a") << row.situation;
    }
    EXPECT_TRUE(listing->services.eventLog.errors.empty()) << row.situation;
  }
}

// A double-byte code page in miniature: 0x81 leads a pair that is one character.
class PairedCodePage final : public platform::AnsiCodePage {
 public:
  std::string ToAnsi(std::wstring_view) const override { return {}; }
  std::wstring FromAnsi(std::string_view bytes) const override {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte != 0x81) text += static_cast<wchar_t>(byte);
      else text += i + 1 < bytes.size() ? static_cast<wchar_t>(0x4E00 + static_cast<unsigned char>(bytes[++i])) : L'?';
    }
    return text;
  }
};

TEST(EntryNameFromBytes, StopsAtTheFirstZeroOrBeforeTheLastByteAndKeepsPairsWhole) {
  fakes::Cp1251CodePage ansi;
  const std::uint8_t named[] = {'a', 0xE6, 0, 'x', 0};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, named), L"aж");
  const std::uint8_t full[] = {'a', 'b', 'c'};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, full), L"ab");
  const std::uint8_t empty[] = {0, 'a', 'b'};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, empty), L"");
  const std::uint8_t paired[] = {'a', 0x81, 0x40, 'b', 0, 0x81};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(PairedCodePage(), paired), L"a\u4E40b");
}

}  // namespace
