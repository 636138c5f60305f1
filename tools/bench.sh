#!/usr/bin/env bash
# make bench: builds what it measures, measures it, and prints one table of the figures
# against their budgets, then what the program file is made of.
#   BENCH_RUNS, BENCH_CLICKS     runs of each program's start (default 31), click journeys (default 15)
#   BENCH_REPETITIONS            repetitions of each native benchmark (default 9)
#   BENCH_BUILD_DIR, WIN32_BUILD_DIR, WIN64_BUILD_DIR   build folders (default build/...)
# The Wine figures come from the shipped win32 build where this machine runs 32-bit Wine, and
# from its 64-bit twin where it does not (tools/wine-arch.sh); the table says which.
set -uo pipefail
cd "$(dirname "$0")/.."

bench_dir=${BENCH_BUILD_DIR:-build/bench}
win32_dir=${WIN32_BUILD_DIR:-build/win32}
wine_arch=$(bash tools/wine-arch.sh)
arch=${wine_arch%%:*}
if [ "$arch" = win32 ]; then
  wine_dir=$win32_dir
else
  wine_dir=${WIN64_BUILD_DIR:-build/win64}
fi
runs=${BENCH_RUNS:-31}
clicks=${BENCH_CLICKS:-15}
repetitions=${BENCH_REPETITIONS:-9}
program="Dialwright VPN 1.0.exe"
budget_bytes=245760

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() {
  local preset=$1 dir=$2
  shift 2
  if ! { cmake --preset "$preset" -B "$dir" && cmake --build "$dir" -j2 --target "$@"; } \
      >"$work/$preset.log" 2>&1; then
    cat "$work/$preset.log"
    echo "bench: the $preset build failed" >&2
    exit 1
  fi
}

echo "bench: Wine figures from $wine_arch"
echo "bench: building the bench, win32 and $arch presets..."
build bench "$bench_dir" phonebook_benchmarks
build win32 "$win32_dir" dialwright_program
build "$arch" "$wine_dir" dialwright_program minimal_window bench_driver dialwright_standin_dll
wine_dir=$(cd "$wine_dir" && pwd)

echo "bench: native benchmarks ($repetitions repetitions)..."
"$bench_dir/bench/phonebook_benchmarks" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv \
  >"$work/native.csv" 2>"$work/native.err"
native_status=$?

echo "bench: the program and the minimal window under Wine ($runs starts each, $clicks clicks)..."
tools/wine-run.sh --build-dir "$wine_dir" -- "$wine_dir/bench/bench_driver.exe" \
  --program "$wine_dir/$program" --minimal "$wine_dir/bench/minimal_window.exe" \
  --runs "$runs" --clicks "$clicks" >"$work/wine.out" 2>"$work/wine.err"
wine_status=$?

# "name value" lines of the driver; the median rows of Google Benchmark's CSV.
wine() { awk -v key="$1" '$1 == key { print $2 }' "$work/wine.out"; }
native() {
  awk -F, -v key="\"$1_median\"" -v column="$2" '$1 == key { print $column }' "$work/native.csv"
}
calc() { awk "BEGIN { printf \"$1\", $2 }"; }
verdict() { awk "BEGIN { print ($1) ? \"within\" : \"OVER\" }"; }

row() { printf '%-52s %-30s %-22s %s\n' "$@"; }
failed() { row "$1" "not measured: $2" "$3" "-"; }

echo
row "figure" "measured" "budget" ""
row "------" "--------" "------" ""

size=$(stat -c %s "$win32_dir/$program")
row "program file size, win32 build" "$size bytes ($(calc '%.1f' "$size / 1024") KiB)" \
    "<= $budget_bytes (240 KiB)" "$(verdict "$size <= $budget_bytes")"

# The spread of a figure's samples: "minimum-maximum".
spread() {
  awk -v key="samples_$1" '$1 == key { for (i = 2; i <= NF; i++) print $i }' "$work/wine.out" |
    sort -g | sed -n '1p;$p' | paste -sd-
}

# A row of the program's figure divided by its yardstick's, against a budget, with the medians
# and the spreads of both.
ratio_row() {  # label program-figure yardstick-figure unit budget
  local label=$1 unit=$4 budget=$5
  local program minimal
  program=$(wine "$2") minimal=$(wine "$3")
  if [ -n "$program" ] && [ -n "$minimal" ]; then
    local ratio
    ratio=$(calc '%.2f' "$program / $minimal")
    row "$label" "$ratio" "<= $budget" "$(verdict "$ratio <= $budget")"
    row "  program: median (min-max), $unit" "$program ($(spread "$2"))" "" ""
    row "  yardstick: median (min-max), $unit" "$minimal ($(spread "$3"))" "" ""
  else
    failed "$label" "see below" "<= $budget"
  fi
}

ratio_row "start -> window visible, / minimal window [1]" start_program_ms start_minimal_ms ms 1.07
ratio_row "click -> confirmation less 2 x 250 ms, / minimal [1][2]" \
          click_ms first_box_minimal_ms ms 1.10
entry=$(wine click_entry_written_ms)
[ -n "$entry" ] && row "  of it: click -> entry in the phonebook file, ms" "$entry ($(spread click_entry_written_ms))" "" ""
ratio_row "peak working set at the box, / minimal [1][2]" peak_ws_program_kib peak_ws_minimal_kib KiB 1.12

walk=$(native EnumerateEntries/10000 3)
walk_cpu=$(native EnumerateEntries/10000 4)
if [ -n "$walk" ]; then
  row "EnumerateEntries, 10,000 records [3]" \
      "$(calc '%.2f' "$walk") ms (CPU $(calc '%.2f' "$walk_cpu") ms)" "<= 2 ms" \
      "$(verdict "$walk <= 2")"
else
  failed "EnumerateEntries, 10,000 records [3]" "see below" "<= 2 ms"
fi

image=$(native SetEntryProperties 3)
image_cpu=$(native SetEntryProperties 4)
if [ -n "$image" ]; then
  row "SetEntryProperties, 2884-byte image [3]" \
      "$(calc '%.2f' "$image") us (CPU $(calc '%.2f' "$image_cpu") us)" "-" ""
else
  failed "SetEntryProperties, 2884-byte image [3]" "see below" "-"
fi

echo
echo "[1] Under Wine, $arch build: ${wine_arch#*: }. The yardstick is bench/minimal_window.cpp,"
echo "    built as the program is (flags, runtime, manifest, InitCommonControlsEx); medians of"
echo "    $runs starts each, in turns, alternating who goes first, and of $clicks clicks each."
echo "[2] Both programs driven alike: both check boxes cleared by clicking them, the window idle,"
echo "    then the button's click until a message box shows. The program's figure is less its"
echo "    command's two 250 ms pauses and writes an entry into a fresh, empty stand-in phonebook;"
echo "    the yardstick's button only shows the box. Each one's peak working set is read once"
echo "    its box shows."
echo "[3] Native, optimised, no sanitizers: medians of $repetitions repetitions; the verdict is on"
echo "    the real time, the CPU time beside it is the part other processes cannot inflate."
echo
echo "Largest contributors to the program file (bytes, from the linker map):"
if [ -f "$win32_dir/dialwright_program.map" ]; then
  awk -f tools/map-contributors.awk "$win32_dir/dialwright_program.map" >"$work/objects"
  sort -rn "$work/objects" | head -10 | awk '{ printf "  %7d  %s\n", $1, $2 }'
  echo "  by library:"
  awk '{ library = $2; sub(/\(.*/, "", library); total[library] += $1 }
       END { for (l in total) printf "%d %s\n", total[l], l }' "$work/objects" |
    sort -rn | head -8 | awk '{ printf "  %7d  %s\n", $1, $2 }'
fi

status=0
if [ "$wine_status" -ne 0 ]; then
  echo
  echo "The Wine measurements stopped:"
  cat "$work/wine.err"
  status=1
fi
if [ "$native_status" -ne 0 ]; then
  echo
  echo "The native benchmarks failed:"
  cat "$work/native.err"
  status=1
fi
exit $status
