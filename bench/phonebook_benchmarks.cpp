// The phonebook layer's two hot paths, timed natively with Google Benchmark: the walk over a
// service answer of 10,000 entry-name records, and the entry image of a 2884-byte RASENTRYA.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "phonebook/entry_writes.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/vpn_entry.h"
#include "tests/fakes/system.h"

namespace {

constexpr std::uint32_t kNameRecordSize = 264;
constexpr std::uint32_t kEntrySize = 2884;

// Answers like the system's service with a fixed phonebook: a buffer too small is told the
// size needed, a large enough one gets the records.
class AnsweringService final : public platform::PhonebookService {
 public:
  AnsweringService(std::vector<std::uint8_t> records, std::uint32_t count)
      : records_(std::move(records)), count_(count) {}

  platform::ResultCode RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                       std::uint32_t& entryCount) override {
    const auto needed = static_cast<std::uint32_t>(records_.size());
    if (byteCount < needed) {
      byteCount = needed;
      return platform::ERROR_BUFFER_TOO_SMALL_CODE;
    }
    std::memcpy(buffer, records_.data(), records_.size());
    entryCount = count_;
    return platform::kSuccess;
  }
  platform::ResultCode RasGetEntryPropertiesA(std::uint32_t& entrySize) override {
    entrySize = kEntrySize;
    return platform::ERROR_BUFFER_TOO_SMALL_CODE;
  }
  platform::ResultCode RasSetEntryPropertiesA(const std::optional<std::string>&,
                                              const std::string&, const void* entry,
                                              std::uint32_t entrySize) override {
    benchmark::DoNotOptimize(entry);
    lastEntrySize = entrySize;
    return platform::kSuccess;
  }
  platform::ResultCode RasDeleteEntryA(const std::string&) override { return 0; }
  platform::ResultCode RasGetErrorStringA(std::uint32_t, char*, std::uint32_t) override {
    return 0;
  }
  platform::ResultCode RasSetCredentialsA(const std::string&, const void*) override { return 0; }

  std::uint32_t lastEntrySize = 0;

 private:
  std::vector<std::uint8_t> records_;
  std::uint32_t count_;
};

// count RASENTRYNAMEA records, each with dwSize 264 and a Cyrillic name in Windows-1251.
std::vector<std::uint8_t> NameRecords(std::uint32_t count) {
  std::vector<std::uint8_t> records(std::size_t{count} * kNameRecordSize);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint8_t* record = records.data() + std::size_t{i} * kNameRecordSize;
    for (int b = 0; b < 4; ++b) record[b] = static_cast<std::uint8_t>(kNameRecordSize >> (8 * b));
    const std::string name = platform::ToAnsi(L"VPN подключение " + std::to_wstring(100000 + i));
    std::memcpy(record + 4, name.data(), name.size());
  }
  return records;
}

// The tests' system below the layer (Windows-1251, local memory from the heap); what it
// records of each run is dropped before the next.
void ForgetRecords() { fakes::TheSystem().journal.clear(); }

void EnumerateEntries(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  AnsweringService service(NameRecords(count), count);
  for (auto _ : state) {
    ForgetRecords();
    std::vector<std::wstring> list;
    const std::int16_t names = modRASVPN::EnumerateEntries(service, list);
    if (names != static_cast<std::int16_t>(count) || list[count].empty()) {
      state.SkipWithError("the walk did not return every name");
      break;
    }
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
}
BENCHMARK(EnumerateEntries)->Arg(10000)->Unit(benchmark::kMillisecond);

void SetEntryProperties(benchmark::State& state) {
  AnsweringService service({}, 0);
  const modRASVPN::EntryRecord record = VPN::ProviderProfile(L"198.51.100.10");
  const std::wstring name = L"Vorlix INTERNET";
  for (auto _ : state) {
    ForgetRecords();
    const platform::ResultCode result =
        modRASVPN::SetEntryProperties(service, name, record, std::nullopt);
    if (result != platform::kSuccess || service.lastEntrySize != kEntrySize) {
      state.SkipWithError("the entry was not written at the reported size");
      break;
    }
  }
}
BENCHMARK(SetEntryProperties)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
