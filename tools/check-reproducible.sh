#!/usr/bin/env bash
# Builds the program file twice from the committed state, in two fresh clones at different
# paths, and requires the two files to be byte-identical.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
program="Dialwright VPN 1.0.exe"
for copy in first second-copy; do
  git clone -q . "$work/$copy"
  cmake --preset win32 -S "$work/$copy" >"$work/$copy.log" 2>&1
  cmake --build "$work/$copy/build/win32" --target dialwright_program -j2 >>"$work/$copy.log" 2>&1 \
    || { cat "$work/$copy.log"; exit 1; }
done
if cmp "$work/first/build/win32/$program" "$work/second-copy/build/win32/$program"; then
  echo "reproducible: two clean builds of $(git rev-parse --short HEAD) give the same $program" \
       "($(stat -c %s "$work/first/build/win32/$program") bytes, sha256" \
       "$(sha256sum "$work/first/build/win32/$program" | cut -c1-16))"
else
  echo "NOT reproducible: the two builds of $program differ" >&2
  exit 1
fi
