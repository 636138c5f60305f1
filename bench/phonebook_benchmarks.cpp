// The phonebook layer's two hot paths, timed natively with Google Benchmark: the walk over a
// service answer of 10,000 entry-name records, and the entry image of a 2884-byte RASENTRYA.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "phonebook/enumerate_entries.h"
#include "phonebook/set_entry_properties.h"
#include "phonebook/vpn_entry.h"
#include "tests/fakes/cp1251_code_page.h"

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

  std::uint32_t lastEntrySize = 0;

 private:
  std::vector<std::uint8_t> records_;
  std::uint32_t count_;
};

// LocalAlloc with LMEM_ZEROINIT: zero-filled memory from the heap.
class HeapMemory final : public platform::LocalMemory {
 public:
  void* LocalAlloc(std::uint32_t, std::size_t bytes) override { return std::calloc(bytes, 1); }
  void LocalFree(void* memory) override { std::free(memory); }
};

class SilentLog final : public platform::EventLog {
 public:
  void ReportError(const std::wstring&) override { ++reports; }
  int reports = 0;
};

class NoMessages final : public platform::SystemMessages {
 public:
  std::uint32_t FormatMessageA(std::uint32_t, std::uint32_t, std::uint32_t, char*,
                               std::uint32_t) override {
    return 0;
  }
};

// count RASENTRYNAMEA records, each with dwSize 264 and a Cyrillic name in Windows-1251.
std::vector<std::uint8_t> NameRecords(const platform::AnsiCodePage& ansi, std::uint32_t count) {
  std::vector<std::uint8_t> records(std::size_t{count} * kNameRecordSize);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint8_t* record = records.data() + std::size_t{i} * kNameRecordSize;
    for (int b = 0; b < 4; ++b) record[b] = static_cast<std::uint8_t>(kNameRecordSize >> (8 * b));
    const std::string name = ansi.ToAnsi(L"VPN подключение " + std::to_wstring(100000 + i));
    std::memcpy(record + 4, name.data(), name.size());
  }
  return records;
}

struct Services {
  explicit Services(AnsweringService answering) : service(std::move(answering)) {}
  modRASVPN::Services Get() { return {service, ansi, memory, eventLog, messages}; }

  AnsweringService service;
  fakes::Cp1251CodePage ansi;
  HeapMemory memory;
  SilentLog eventLog;
  NoMessages messages;
};

void EnumerateEntries(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  const fakes::Cp1251CodePage ansi;
  Services services(AnsweringService(NameRecords(ansi, count), count));
  for (auto _ : state) {
    std::vector<std::wstring> list;
    const std::int16_t names = modRASVPN::EnumerateEntries(services.Get(), list);
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
  Services services(AnsweringService({}, 0));
  const modRASVPN::EntryRecord record = VPN::ProviderProfile(L"198.51.100.10");
  const std::wstring name = L"Vorlix INTERNET";
  for (auto _ : state) {
    const platform::ResultCode result =
        modRASVPN::SetEntryProperties(services.Get(), name, record, std::nullopt);
    if (result != platform::kSuccess || services.service.lastEntrySize != kEntrySize) {
      state.SkipWithError("the entry was not written at the reported size");
      break;
    }
  }
}
BENCHMARK(SetEntryProperties)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
