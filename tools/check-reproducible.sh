#!/usr/bin/env bash
# Builds the shipped files (the program and the provider's check) twice from the committed
# state, in two fresh clones at different paths, and requires each pair to be byte-identical.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
for copy in first second-copy; do
  git clone -q . "$work/$copy"
  cmake --preset win32 -S "$work/$copy" >"$work/$copy.log" 2>&1
  cmake --build "$work/$copy/build/win32" --target dialwright_program dialwright_check -j2 \
    >>"$work/$copy.log" 2>&1 || { cat "$work/$copy.log"; exit 1; }
done
while read -r file; do
  first=$work/first/build/win32/$file
  if cmp "$first" "$work/second-copy/build/win32/$file"; then
    echo "reproducible: two clean builds of $(git rev-parse --short HEAD) give the same $file" \
         "($(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -c1-16))"
  else
    echo "NOT reproducible: the two builds of $file differ" >&2
    exit 1
  fi
done <"$work/first/build/win32/shipped-files"
