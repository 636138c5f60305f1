#include "phonebook/enumerate_entries.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/fakes/fake_phonebook_service.h"

namespace {

using modRASVPN::EnumerateEntries;
using Handler = fakes::FakePhonebookService::EnumHandler;
using fakes::Fails;
using fakes::Listing;
using fakes::ListingOf;
using fakes::TheSystem;
using Journal = std::vector<std::wstring>;
using Buffers = std::vector<std::vector<std::uint8_t>>;

// What reached the event log.
Journal EventLog(const Journal& journal) {
  Journal lines = fakes::LinesStartingWith(journal, L"event log: ");
  for (std::wstring& line : lines) line.erase(0, 11);
  return lines;
}

std::vector<std::string> Many(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back("entry" + std::to_string(i));
  return names;
}

struct Names {
  std::int16_t count;
  std::vector<std::wstring> list;
  fakes::FakePhonebookService service;
  Journal journal;
};

// Lists with the handlers, one per call, from a fresh system; checks what every listing must
// leave behind.
std::unique_ptr<Names> List(std::vector<Handler> handlers, std::set<std::size_t> failing = {}) {
  fakes::Reset();
  auto names = std::make_unique<Names>();
  names->list = {L"left over", L"from before"};
  names->service.enumHandlers = std::move(handlers);
  TheSystem().failingAllocations = std::move(failing);
  names->count = EnumerateEntries(names->service, names->list);
  EXPECT_EQ(names->list.size(), names->count > 0 ? names->count + 1u : 41u);
  EXPECT_TRUE(TheSystem().liveBlocks.empty());
  EXPECT_EQ(TheSystem().badFrees, 0);
  names->journal = fakes::TakeJournal();
  return names;
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
    const auto listing = List({ListingOf(row.names), ListingOf(row.names)});
    EXPECT_EQ(listing->count, static_cast<std::int16_t>(row.names.size())) << row.situation;
    EXPECT_EQ(listing->list, row.expected) << row.situation;
    EXPECT_EQ(EventLog(listing->journal), Journal{}) << row.situation;
  }
  const auto most = List({ListingOf(Many(32768)), ListingOf(Many(32768))});
  EXPECT_EQ(most->count, 32767);
  EXPECT_EQ(most->list.back(), L"entry32767");
}

// One zero-filled record of room, dwSize set; then, after 603, exactly the bytes asked for
// (never less than one record).
TEST(EnumerateEntries, TheBufferIsNegotiatedWithTheService) {
  std::vector<std::uint8_t> firstRecord(264, 0);
  firstRecord[0] = 0x08;  // dwSize 264, nothing else
  firstRecord[1] = 0x01;
  const auto one = List({ListingOf({"only"})});
  EXPECT_EQ(one->journal, (Journal{L"LocalAlloc 64 264", L"RasEnumEntriesA 264"}));
  EXPECT_EQ(one->service.enumBuffers, Buffers{firstRecord});

  for (const std::uint32_t asked : {4u * 264, 10u}) {
    const std::wstring room = std::to_wstring(std::max(asked, 264u));
    const auto two = List({Fails(603, asked), ListingOf({"a"})});
    EXPECT_EQ(two->count, 1) << asked;
    EXPECT_EQ(two->journal, (Journal{L"LocalAlloc 64 264", L"RasEnumEntriesA 264",
                                     L"LocalAlloc 64 " + room, L"RasEnumEntriesA " + room}));
    EXPECT_EQ(two->service.enumBuffers, Buffers(2, firstRecord));
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
      {"second 603", {ListingOf(Many(3)), Fails(603, 9999)}, {}, L"RasEnumEntries failed = 603",
       2},
  };
  for (const auto& row : rows) {
    const auto listing = List(row.handlers, row.failingAllocations);
    EXPECT_EQ(listing->count, 0) << row.situation;
    EXPECT_EQ(listing->list, std::vector<std::wstring>(41)) << row.situation;
    EXPECT_EQ(EventLog(listing->journal), Journal{row.logged}) << row.situation;
    EXPECT_EQ(listing->service.enumBuffers.size(), row.serviceCalls) << row.situation;
  }
}

TEST(EnumerateEntries, MalformedRecordsEndTheWalkInsideTheBuffer) {
  const struct {
    const char* situation;
    Handler answer;
    std::int16_t names;
  } rows[] = {
      {"more entries claimed than the buffer holds", Listing({{264, "a"}, {264, "b"}}, 5), 2},
      {"a size smaller than the size field", Listing({{264, "a"}, {3, "b"}, {264, "c"}}), 1},
      {"a size past the end", Listing({{264, "a"}, {265, "b"}}), 1},
      {"a size past the end in its third byte", Listing({{264, "a"}, {0x10108, "b"}}), 1},
      {"a size that wraps round", Listing({{0xFFFFFFF0, "a"}, {264, "b"}}), 0},
      {"a step that leaves no whole record", Listing({{264, "a"}, {300, "b"}, {264, "c"}}), 2},
  };
  for (const auto& row : rows) {
    const auto listing = List({row.answer, row.answer});
    EXPECT_EQ(listing->count, row.names) << row.situation;
    if (row.names > 0) {
      EXPECT_EQ(listing->list[1], L"a") << row.situation;
    }
    EXPECT_EQ(EventLog(listing->journal), Journal{}) << row.situation;
  }
}

}  // namespace
