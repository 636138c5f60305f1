#include "phonebook/enumerate_entries.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include "platform/number_text.h"
#include "platform/system.h"

namespace modRASVPN {
namespace {

// RASENTRYNAMEA: dwSize, szEntryName[257], three alignment bytes.
constexpr std::uint32_t kRecordSize = 264;
constexpr std::size_t kSizeFieldBytes = 4;
constexpr std::size_t kNameOffset = 4;
constexpr std::size_t kNameBytes = 257;
constexpr std::size_t kInitialSlots = 41;
constexpr std::int16_t kMostNames = std::numeric_limits<std::int16_t>::max();

using Record = std::array<std::uint8_t, kRecordSize>;

std::uint32_t LoadUInt32(const std::uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The record copied to the start of the buffer before each call: dwSize 264, no name.
Record Template() {
  Record record{};
  for (std::size_t i = 0; i < kSizeFieldBytes; ++i)
    record[i] = static_cast<std::uint8_t>(kRecordSize >> (8 * i));
  return record;
}

void Log(const wchar_t* text, platform::ResultCode code) {
  platform::ReportError(text + platform::DecimalText(static_cast<std::int32_t>(code)));
}

struct Listing {
  platform::LocalBlock buffer;
  std::uint32_t entryCount;
};

platform::ResultCode Ask(platform::PhonebookService& service, platform::LocalBlock& buffer,
                         std::uint32_t& byteCount, std::uint32_t& entryCount) {
  const Record record = Template();
  std::copy(record.begin(), record.end(), buffer.data());
  return service.RasEnumEntriesA(buffer.data(), byteCount, entryCount);
}

// Room for one record first; after a 603 one more call with the size asked for, no third.
std::optional<Listing> ListRecords(platform::PhonebookService& service) {
  platform::LocalBlock buffer(kRecordSize);
  if (!buffer) {
    Log(L"LocalAlloc failed!", 0);
    return std::nullopt;
  }
  std::uint32_t byteCount = kRecordSize;
  std::uint32_t entryCount = 0;
  platform::ResultCode result = Ask(service, buffer, byteCount, entryCount);

  if (result == platform::ERROR_BUFFER_TOO_SMALL_CODE && byteCount != 0) {
    buffer.reset();
    // Never less than the one record the template needs, whatever the service asked for.
    byteCount = std::max(byteCount, kRecordSize);
    buffer = platform::LocalBlock(byteCount);
    if (!buffer) {
      Log(L"LocalAlloc failed!", result);
      return std::nullopt;
    }
    result = Ask(service, buffer, byteCount, entryCount);
    if (result != platform::kSuccess) {
      Log(L"RasEnumEntries failed = ", result);
      return std::nullopt;
    }
  } else if (result != platform::kSuccess) {
    Log(L"RasEnumEntries failed: Error  ", result);
    return std::nullopt;
  }
  return Listing{std::move(buffer), entryCount};
}

// Walks the records by their own dwSize. A record that would reach past the buffer, or whose
// dwSize cannot even hold itself, ends the walk: the names before it count.
std::int16_t WalkRecords(const Listing& listing,
                         std::vector<std::wstring>& list) {
  const std::size_t end = listing.buffer.size();
  std::size_t position = 0;
  std::int16_t count = 0;
  for (std::uint32_t j = 0; j < listing.entryCount && count < kMostNames; ++j) {
    if (end - position < kRecordSize) break;
    const std::span<const std::uint8_t, kRecordSize> record(listing.buffer.data() + position,
                                                            kRecordSize);
    const std::uint32_t recordSize = LoadUInt32(record.data());
    if (recordSize < kSizeFieldBytes || recordSize > end - position) break;

    ++count;
    const auto slot = static_cast<std::size_t>(count);
    if (slot >= list.size()) list.resize(slot + 1);  // more than 40 names: the list grows
    list[slot] = EntryNameFromBytes(record.subspan<kNameOffset, kNameBytes>());
    position += recordSize;
  }
  return count;
}

}  // namespace

std::wstring EntryNameFromBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return {};
  const auto field = bytes.first(bytes.size() - 1);
  const auto length = static_cast<std::size_t>(
      std::find(field.begin(), field.end(), std::uint8_t{0}) - field.begin());
  // Converted as one text, so that a double-byte code page's pairs come out as one
  // character each; in a single-byte code page this is the byte-by-byte result.
  return platform::FromAnsi(std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

std::int16_t EnumerateEntries(platform::PhonebookService& service,
                              std::vector<std::wstring>& list) {
  list.assign(kInitialSlots, std::wstring());
  std::int16_t count = 0;
  if (const std::optional<Listing> listing = ListRecords(service))
    count = WalkRecords(*listing, list);
  if (count > 0) list.resize(static_cast<std::size_t>(count) + 1);
  return count;
}

}  // namespace modRASVPN
