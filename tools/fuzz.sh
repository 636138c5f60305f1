#!/usr/bin/env bash
# Runs every fuzz target with libFuzzer for a bounded time (FUZZ_SECONDS each, default 60).
# New inputs are kept in a scratch corpus; an input that crashes a target is written into
# fuzz/corpus/<target>/ to be committed, so that `make test` replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
cmake --preset fuzz >/dev/null
mapfile -t targets < <(sed -n 's/^set(fuzz_targets \(.*\))$/\1/p' fuzz/CMakeLists.txt | tr ' ' '\n')
status=0
for name in "${targets[@]}"; do
  cmake --build build/fuzz --target "${name}_fuzz" -j2 >/dev/null
  scratch=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$scratch/" 2>/dev/null || true
  echo "fuzz: $name for ${seconds}s"
  if ! "build/fuzz/fuzz/${name}_fuzz" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
      -artifact_prefix="fuzz/corpus/$name/" "$scratch" >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name found a crash; the input is in fuzz/corpus/$name/ (log: build/fuzz/$name.log)"
    status=1
  fi
  grep -E '^(#[0-9]+\s+DONE|Done)' "build/fuzz/$name.log" | tail -1 || true
  rm -rf "$scratch"
done
exit $status
