#include "phonebook/enumerate_entries.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "phonebook/entry_name_from_bytes.h"
#include "tests/fakes/fake_services.h"

namespace {

using modRASVPN::EnumerateEntries;
using Handler = fakes::FakePhonebookService::EnumHandler;

void PutRecord(std::uint8_t* record, std::uint32_t size, const std::string& name) {
  for (int i = 0; i < 4; ++i) record[i] = static_cast<std::uint8_t>(size >> (8 * i));
  std::memcpy(record + 4, name.data(), name.size());
}

// Answers like the real service: 603 and the bytes needed when they do not fit, else the
// 264-byte records. It writes no further than the byte count it is given.
Handler Phonebook(std::vector<std::string> names) {
  return [names](std::uint8_t* buffer, std::uint32_t& byteCount, std::uint32_t& entryCount) {
    const auto needed = static_cast<std::uint32_t>(names.size() * 264);
    entryCount = static_cast<std::uint32_t>(names.size());
    if (byteCount < needed) {
      byteCount = needed;
      return platform::ResultCode{603};
    }
    for (std::size_t i = 0; i < names.size(); ++i) PutRecord(buffer + 264 * i, 264, names[i]);
    byteCount = needed;
    return platform::ResultCode{0};
  };
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

class EnumerateEntriesTest : public testing::Test {
 protected:
  std::int16_t Enumerate() { return EnumerateEntries(fake.Get(), list); }

  void ExpectEverythingFreed() {
    EXPECT_EQ(fake.memory.Outstanding(), 0u);
    EXPECT_EQ(fake.memory.badFrees, 0);
  }

  fakes::FakeServices fake;
  std::vector<std::wstring> list{L"left over", L"from before"};
};

TEST_F(EnumerateEntriesTest, EmptyPhonebookKeepsFortyOneEmptySlots) {
  fake.service.enumHandlers = {Phonebook({})};
  EXPECT_EQ(Enumerate(), 0);
  EXPECT_EQ(list, std::vector<std::wstring>(41));
  EXPECT_TRUE(fake.eventLog.errors.empty());
  ExpectEverythingFreed();
}

TEST_F(EnumerateEntriesTest, OneEntryTakesOneCallWithARecordOfRoom) {
  fake.service.enumHandlers = {Phonebook({"Vorlix INTERNET"})};
  EXPECT_EQ(Enumerate(), 1);
  EXPECT_EQ(list, (std::vector<std::wstring>{L"", L"Vorlix INTERNET"}));

  ASSERT_EQ(fake.service.enumCalls.size(), 1u);
  const auto& call = fake.service.enumCalls[0];
  EXPECT_EQ(call.byteCount, 264u);
  std::vector<std::uint8_t> firstRecord(264, 0);
  firstRecord[0] = 0x08;  // dwSize 264, nothing else
  firstRecord[1] = 0x01;
  EXPECT_EQ(call.buffer, firstRecord);
  ASSERT_EQ(fake.memory.allocations.size(), 1u);
  EXPECT_EQ(fake.memory.allocations[0].flags, 0x40u);
  EXPECT_EQ(fake.memory.allocations[0].bytes, 264u);
  ExpectEverythingFreed();
}

TEST_F(EnumerateEntriesTest, SeveralEntriesTakeTwoCallsInTheServicesOrder) {
  fake.service.enumHandlers = {Phonebook({"b", "a", "", "a"}), Phonebook({"b", "a", "", "a"})};
  EXPECT_EQ(Enumerate(), 4);
  // Neither filtered nor de-duplicated; an empty name is an empty text.
  EXPECT_EQ(list, (std::vector<std::wstring>{L"", L"b", L"a", L"", L"a"}));
  ASSERT_EQ(fake.service.enumCalls.size(), 2u);
  EXPECT_EQ(fake.service.enumCalls[1].byteCount, 4u * 264);
  EXPECT_EQ(fake.service.enumCalls[1].buffer, fake.service.enumCalls[0].buffer);
  ASSERT_EQ(fake.memory.allocations.size(), 2u);
  EXPECT_EQ(fake.memory.allocations[1].bytes, 4u * 264);
  ExpectEverythingFreed();
}

TEST_F(EnumerateEntriesTest, TheCountStopsAt32767) {
  fake.service.enumHandlers = {Phonebook(Names(32768)), Phonebook(Names(32768))};
  EXPECT_EQ(Enumerate(), 32767);
  ASSERT_EQ(list.size(), 32768u);
  EXPECT_EQ(list.back(), L"entry32767");
  ExpectEverythingFreed();
}

TEST_F(EnumerateEntriesTest, NamesAreCyrillicThroughTheCodePage) {
  fake.service.enumHandlers = {Phonebook({"\xC2\xEE\xF0\xEB\xE8\xEA\xF1 \xC8\xED\xF2\xE5\xF0\xED\xE5\xF2"})};
  EXPECT_EQ(Enumerate(), 1);
  EXPECT_EQ(list[1], L"Ворликс Интернет");
}

TEST_F(EnumerateEntriesTest, LongestNameAndNameWithoutTerminator) {
  const Handler twoLongNames = [](std::uint8_t* buffer, std::uint32_t& bytes,
                                  std::uint32_t& count) {
    if (bytes < 528) {
      bytes = 528;
      return platform::ResultCode{603};
    }
    PutRecord(buffer, 264, std::string(256, 'a'));
    // No zero anywhere in the name field, nor in the alignment bytes behind it.
    PutRecord(buffer + 264, 264, std::string(260, 'b'));
    count = 2;
    return platform::ResultCode{0};
  };
  fake.service.enumHandlers = {twoLongNames, twoLongNames};
  EXPECT_EQ(Enumerate(), 2);
  EXPECT_EQ(list[1], std::wstring(256, L'a'));
  EXPECT_EQ(list[2], std::wstring(256, L'b'));
}

struct FailureRow {
  const char* situation;
  std::vector<Handler> handlers;
  std::set<std::size_t> failingAllocations;
  std::wstring logged;
  std::size_t serviceCalls;
};

TEST_F(EnumerateEntriesTest, EveryFailureIsLoggedAndAnswersNoNames) {
  const FailureRow rows[] = {
      {"first allocation", {}, {1}, L"LocalAlloc failed!0", 0},
      {"first call", {Fails(623)}, {}, L"RasEnumEntries failed: Error  623", 1},
      {"603 without a size", {Fails(603, 0)}, {}, L"RasEnumEntries failed: Error  603", 1},
      {"negative code", {Fails(0xFFFFFFFF)}, {}, L"RasEnumEntries failed: Error  -1", 1},
      {"second allocation", {Fails(603, 5000)}, {2}, L"LocalAlloc failed!603", 1},
      {"second call", {Fails(603, 5000), Fails(632)}, {}, L"RasEnumEntries failed = 632", 2},
      {"second 603", {Phonebook(Names(3)), Fails(603, 9999)}, {}, L"RasEnumEntries failed = 603",
       2},
  };
  for (const FailureRow& row : rows) {
    fakes::FakeServices local;
    local.service.enumHandlers = row.handlers;
    local.memory.failing = row.failingAllocations;
    std::vector<std::wstring> names{L"left over"};
    EXPECT_EQ(EnumerateEntries(local.Get(), names), 0) << row.situation;
    EXPECT_EQ(names, std::vector<std::wstring>(41)) << row.situation;
    EXPECT_EQ(local.eventLog.errors, std::vector<std::wstring>{row.logged}) << row.situation;
    EXPECT_EQ(local.service.enumCalls.size(), row.serviceCalls) << row.situation;
    EXPECT_EQ(local.memory.Outstanding(), 0u) << row.situation;
    EXPECT_EQ(local.memory.badFrees, 0) << row.situation;
  }
}

// Answers with a buffer of the test's making, whatever it was asked.
Handler Records(std::uint32_t entryCount, std::vector<std::pair<std::uint32_t, std::string>> records) {
  return [=](std::uint8_t* buffer, std::uint32_t& bytes, std::uint32_t& count) {
    const auto needed = static_cast<std::uint32_t>(records.size() * 264);
    if (bytes < needed) {
      bytes = needed;
      return platform::ResultCode{603};
    }
    for (std::size_t i = 0; i < records.size(); ++i)
      PutRecord(buffer + 264 * i, records[i].first, records[i].second);
    count = entryCount;
    return platform::ResultCode{0};
  };
}

TEST_F(EnumerateEntriesTest, MalformedRecordsEndTheWalkInsideTheBuffer) {
  const struct {
    const char* situation;
    Handler answer;
    std::int16_t names;
  } rows[] = {
      {"more entries claimed than the buffer holds", Records(5, {{264, "a"}, {264, "b"}}), 2},
      {"a size smaller than the size field", Records(3, {{264, "a"}, {3, "b"}, {264, "c"}}), 1},
      {"a size past the end", Records(2, {{264, "a"}, {265, "b"}}), 1},
      {"a size that wraps round", Records(2, {{0xFFFFFFF0, "a"}, {264, "b"}}), 0},
      {"a step that leaves no whole record", Records(3, {{264, "a"}, {300, "b"}, {264, "c"}}), 2},
  };
  for (const auto& row : rows) {
    fakes::FakeServices local;
    local.service.enumHandlers = {row.answer, row.answer};
    std::vector<std::wstring> names;
    EXPECT_EQ(EnumerateEntries(local.Get(), names), row.names) << row.situation;
    EXPECT_EQ(names.size(), row.names > 0 ? row.names + 1u : 41u) << row.situation;
    if (row.names > 0) {
      EXPECT_EQ(names[1], L"a") << row.situation;
    }
    EXPECT_TRUE(local.eventLog.errors.empty()) << row.situation;
    EXPECT_EQ(local.memory.Outstanding(), 0u) << row.situation;
  }
}

TEST_F(EnumerateEntriesTest, ASizeAskedBelowOneRecordStillGetsOne) {
  fake.service.enumHandlers = {Fails(603, 10), Records(1, {{264, "only"}})};
  EXPECT_EQ(Enumerate(), 1);
  ASSERT_EQ(fake.memory.allocations.size(), 2u);
  EXPECT_EQ(fake.memory.allocations[1].bytes, 264u);
  EXPECT_EQ(fake.service.enumCalls[1].byteCount, 264u);
  EXPECT_EQ(list[1], L"only");
}

TEST(EntryNameFromBytes, StopsAtTheFirstZeroOrBeforeTheLastByte) {
  fakes::Cp1251CodePage ansi;
  const std::uint8_t named[] = {'a', 0xE6, 0, 'x', 0};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, named), L"aж");
  const std::uint8_t full[] = {'a', 'b', 'c'};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, full), L"ab");
  const std::uint8_t empty[] = {0, 'a', 'b'};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, empty), L"");
}

// A double-byte code page in miniature: 0x81 leads a pair that is one character.
class PairedCodePage final : public platform::AnsiCodePage {
 public:
  std::string ToAnsi(std::wstring_view) const override { return {}; }
  std::wstring FromAnsi(std::string_view bytes) const override {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte != 0x81) {
        text += static_cast<wchar_t>(byte);
      } else if (i + 1 < bytes.size()) {
        text += static_cast<wchar_t>(0x4E00 + static_cast<unsigned char>(bytes[++i]));
      } else {
        text += L'?';  // a lead byte without its trail byte
      }
    }
    return text;
  }
};

TEST(EntryNameFromBytes, KeepsADoubleByteCharacterWhole) {
  const PairedCodePage ansi;
  const std::uint8_t named[] = {'a', 0x81, 0x40, 'b', 0, 0x81};
  EXPECT_EQ(modRASVPN::EntryNameFromBytes(ansi, named), L"a\u4E40b");
}

}  // namespace
