#!/usr/bin/env bash
# Which build the Wine suites run on here, found out by starting Wine's loaders:
#   tools/wine-arch.sh           prints one line: "win32: ..." where this machine runs 32-bit
#                                Wine and "win64: ..." where it does not, the rest saying what
#                                runs and why; where 64-bit Wine runs too, the line names the
#                                second run of the win32 build, under WoW64 in a 64-bit prefix
#   tools/wine-arch.sh --labels  prints the ctest labels of those runs, as a regular expression
# Some machines' kernels execute no 32-bit code; there the 64-bit twin of the same sources runs
# under 64-bit Wine instead, and nothing runs under WoW64 (Wine's WoW64 needs its 32-bit half).
# DIALWRIGHT_WINE_ARCH=win64, win32 or win32+wow64 chooses without the probe.
set -uo pipefail

# The loader's first line when it starts, or why it does not.
starts() {
  local loader=$1 work
  work=$(mktemp -d)
  # Started by a plain execve, not through a shell or execvp, which would read an ELF file
  # that the kernel refuses as a shell script.
  if timeout 20 env WINEDEBUG=-all python3 -c 'import os, sys; os.execv(sys.argv[1], sys.argv[1:])' \
      "$loader" --version >"$work/out" 2>"$work/err" && grep -q '^wine-' "$work/out"; then
    echo "starts ($(head -n1 "$work/out"))"
  else
    echo "does not start ($loader --version: $(tail -n1 "$work/err" | head -c 120 | tr -d '\r'))"
    rm -rf "$work"
    return 1
  fi
  rm -rf "$work"
}

if [ -n "${DIALWRIGHT_WINE_ARCH:-}" ]; then
  arch=$DIALWRIGHT_WINE_ARCH
  why="chosen by DIALWRIGHT_WINE_ARCH"
  case "$arch" in
    win32 | win64) wow64_why="not chosen" ;;
    win32+wow64) arch=win32 wow64_why="chosen" ;;
    *) echo "wine-arch: DIALWRIGHT_WINE_ARCH must be win32, win32+wow64 or win64, not \"$arch\"" >&2; exit 2 ;;
  esac
  wow64=$([ "$wow64_why" = chosen ] && echo 1)
else
  if why32=$(starts /usr/lib/wine/wine); then
    arch=win32
    why="32-bit Wine $why32"
    why64=$(starts /usr/lib/wine/wine64) && wow64=1 || wow64=
    wow64_why="64-bit Wine $why64"
  else
    arch=win64
    why="32-bit Wine $why32"
    wow64=
  fi
fi

if [ "${1:-}" = --labels ]; then
  if [ "$arch" = win32 ] && [ -n "$wow64" ]; then echo '^wine-(win32|WoW64)$'; else echo "^wine-$arch\$"; fi
elif [ "$arch" = win32 ] && [ -n "$wow64" ]; then
  echo "win32: the shipped 32-bit build (build/win32) in a 32-bit prefix, and its end-to-end suites again under WoW64 in a 64-bit prefix, as on a 64-bit Windows: $why; $wow64_why"
elif [ "$arch" = win32 ]; then
  echo "win32: the shipped 32-bit build (build/win32) in a 32-bit prefix: $why; not under WoW64: $wow64_why"
else
  echo "win64: the 64-bit twin (build/win64) under 64-bit Wine: $why"
fi
