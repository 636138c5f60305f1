#!/usr/bin/env bash
# Runs every fuzz target with libFuzzer: FUZZ_RUNS inputs each (default 10 million), two
# targets at a time (FUZZ_JOBS), each stopped after FUZZ_SECONDS (default 840) whatever it has
# done. Prints the inputs each target ran and its rate; fails on a crash, or when a target ran
# fewer inputs than asked for.
# New inputs are kept in a scratch corpus; an input that crashes a target is written into
# fuzz/corpus/<target>/ to be committed, so that `make test` replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${FUZZ_RUNS:-10000000}
seconds=${FUZZ_SECONDS:-840}
jobs=${FUZZ_JOBS:-2}
cmake --preset fuzz >/dev/null
mapfile -t targets < <(sed -n 's/^set(fuzz_targets \(.*\))$/\1/p' fuzz/CMakeLists.txt | tr ' ' '\n')
cmake --build build/fuzz -j2 --target "${targets[@]/%/_fuzz}" >/dev/null

# One target: its verdict on one line.
fuzz_one() {
  local name=$1 scratch log=build/fuzz/$1.log
  scratch=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$scratch/" 2>/dev/null || true
  local status=0
  "build/fuzz/fuzz/${name}_fuzz" -runs="$runs" -max_total_time="$seconds" -max_len=8192 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="fuzz/corpus/$name/" "$scratch" \
    >"$log" 2>&1 || status=$?
  rm -rf "$scratch"
  local done_runs time_s
  done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  time_s=$(sed -n 's/^stat::.*//; s/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log" | tail -1)
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $name found a crash after ${done_runs:-?} inputs; the input is in fuzz/corpus/$name/ (log: $log)"
    return 1
  fi
  echo "fuzz: $name ran ${done_runs:-?} inputs in ${time_s:-?} s ($(( ${done_runs:-0} / (${time_s:-0} > 0 ? ${time_s:-1} : 1) )) a second)"
  [ "${done_runs:-0}" -ge "$runs" ] || { echo "fuzz: $name ran fewer than $runs inputs in ${seconds} s"; return 1; }
}
export -f fuzz_one
export runs seconds

echo "fuzz: ${targets[*]}: $runs inputs each, $jobs at a time, at most $seconds s each"
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'fuzz_one {}'
