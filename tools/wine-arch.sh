#!/usr/bin/env bash
# Which build the Wine suites run on here, found out by starting 32-bit Wine's loader:
#   tools/wine-arch.sh    prints one line, "win32: ..." where this machine runs 32-bit Wine and
#                         "win64: ..." where it does not, the rest saying what runs and why
# Some machines' kernels execute no 32-bit code; there the 64-bit twin of the same sources runs
# under 64-bit Wine instead. DIALWRIGHT_WINE_ARCH=win64 (or win32) chooses without the probe.
set -uo pipefail

loader32=/usr/lib/wine/wine
why=
if [ -n "${DIALWRIGHT_WINE_ARCH:-}" ]; then
  arch=$DIALWRIGHT_WINE_ARCH
  why="chosen by DIALWRIGHT_WINE_ARCH"
else
  work=$(mktemp -d)
  # Started by a plain execve, not through a shell or execvp, which would read an ELF file
  # that the kernel refuses as a shell script.
  if timeout 20 env WINEDEBUG=-all python3 -c 'import os, sys; os.execv(sys.argv[1], sys.argv[1:])' \
      "$loader32" --version >"$work/out" 2>"$work/err" &&
      grep -q '^wine-' "$work/out"; then
    arch=win32
    why="32-bit Wine starts on this machine ($(head -n1 "$work/out"))"
  else
    arch=win64
    why="32-bit Wine does not start on this machine ($loader32 --version: $(tail -n1 "$work/err" | head -c 120 | tr -d '\r'))"
  fi
  rm -rf "$work"
fi
case "$arch" in
  win32 | win64) ;;
  *) echo "wine-arch: DIALWRIGHT_WINE_ARCH must be win32 or win64, not \"$arch\"" >&2; exit 2 ;;
esac

if [ "$arch" = win32 ]; then
  echo "win32: the shipped 32-bit build (build/win32) in a 32-bit prefix: $why"
else
  echo "win64: the 64-bit twin (build/win64) under 64-bit Wine: $why"
fi
