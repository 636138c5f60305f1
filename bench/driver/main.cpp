// bench_driver --program P --minimal M [--runs N] [--clicks N]
// Times the program against the minimal window program under Wine, run after run, side by
// side, and prints the medians as "name value" lines for tools/bench.sh. --clicks 0 leaves
// out the click journey.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

#include "bench/driver/measurements.h"
#include "bench/driver/median.h"

namespace {

// Win32 paths pass through; a Unix path (/...) is taken on Wine's drive of the root, Z:.
std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  for (wchar_t& c : windows)
    if (c == L'/') c = L'\\';
  return windows;
}

struct Options {
  std::wstring program;
  std::wstring minimal;
  int runs = 9;
  int clicks = 9;
};

bool Parse(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    const wchar_t* value = argv[i + 1];
    if (name == L"--program") {
      options.program = WindowsPath(value);
    } else if (name == L"--minimal") {
      options.minimal = WindowsPath(value);
    } else if (name == L"--runs") {
      options.runs = static_cast<int>(std::wcstol(value, nullptr, 10));
    } else if (name == L"--clicks") {
      options.clicks = static_cast<int>(std::wcstol(value, nullptr, 10));
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !options.program.empty() && !options.minimal.empty() &&
         options.runs > 0 && options.clicks >= 0;
}

void Print(const char* name, const std::vector<double>& samples) {
  std::printf("%s %.1f\n", name, bench::Median(samples));
  std::printf("samples_%s", name);
  for (double sample : samples) std::printf(" %.1f", sample);
  std::printf("\n");
}

// A folder of this run's own in the temporary folder; the stand-in creates it when it
// writes the first entry.
std::wstring BenchFolder() {
  wchar_t folder[MAX_PATH];
  const DWORD length = ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder, length) + L"dialwright-bench-" +
         std::to_wstring(::GetCurrentProcessId());
}

void Run(const Options& options) {
  // The first start of a Wine session also starts Wine's own desktop services: not timed.
  bench::MeasureStart(options.program);
  bench::MeasureStart(options.minimal);

  std::vector<double> programStart, minimalStart;
  for (int run = 0; run < options.runs; ++run) {
    // Alternate who goes first, so neither always finds the machine warmer.
    for (int turn = 0; turn < 2; ++turn) {
      if ((run + turn) % 2 == 0) {
        const bench::Sample sample = bench::MeasureStart(options.program);
        programStart.push_back(sample.milliseconds);
      } else {
        minimalStart.push_back(bench::MeasureStart(options.minimal).milliseconds);
      }
    }
  }
  Print("start_program_ms", programStart);
  Print("start_minimal_ms", minimalStart);

  if (options.clicks == 0) return;
  const std::wstring folder = BenchFolder();
  const std::wstring phonebook = folder + L"\\rasphone.pbk";
  std::vector<double> clickTimes, entryWritten, programMemory, firstBox, firstBoxMemory;
  for (int run = 0; run < options.clicks; ++run) {
    const bench::Sample sample = bench::MeasureClick(options.program, phonebook);
    clickTimes.push_back(sample.milliseconds);
    entryWritten.push_back(sample.entryWrittenMilliseconds);
    programMemory.push_back(sample.peakWorkingSetKiB);
    const bench::Sample box = bench::MeasureFirstBox(options.minimal);
    firstBox.push_back(box.milliseconds);
    firstBoxMemory.push_back(box.peakWorkingSetKiB);
  }
  ::DeleteFileW(phonebook.c_str());
  ::RemoveDirectoryW(folder.c_str());
  Print("click_ms", clickTimes);
  Print("click_entry_written_ms", entryWritten);
  Print("first_box_minimal_ms", firstBox);
  Print("peak_ws_program_kib", programMemory);
  Print("peak_ws_minimal_kib", firstBoxMemory);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: bench_driver --program P --minimal M [--runs N] [--clicks N]\n");
    return 2;
  }
  try {
    Run(options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "bench_driver: %s\n", failure.what());
    return 1;
  }
  return 0;
}
