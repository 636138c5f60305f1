#!/usr/bin/env bash
# `make run`: starts the program under Wine in a virtual desktop (800 x 600), with the phonebook
# stand-in, in a prefix that persists between runs (build/win64/run-prefix), so an entry
# written in one run is there in the next.
#
# The program run is the 64-bit build of the same sources: this machine's kernel executes no
# 32-bit code, so the 32-bit program cannot run under Wine here (see README.md).
#
# With a display ($DISPLAY), the window opens there and the command ends when the program ends.
# Without one, the program runs on an Xvfb display of its own; once its window is up, a
# screenshot of the window is saved (the path is printed: build/win64/run-screenshot.png,
# or RUN_SCREENSHOT), the window is closed like its close button does, and the command ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# RUN_BUILD_DIR: another build folder of the win64 preset (the default is the preset's own).
build=${RUN_BUILD_DIR:-$root/build/win64}
prefix=$build/run-prefix
program="$build/Dialwright VPN 1.0.exe"
probe=$build/tests/e2e/window_probe.exe
screenshot=${RUN_SCREENSHOT:-$build/run-screenshot.png}
desktop=dialwright
desktop_size=800x600
window_class=ОсновнаяФорма

# The Makefile has installed what is missing; the 64-bit build is made here.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset win64 -B "$build" >"$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
  rm -f "$build.configure.log"
fi
cmake --build "$build" -j2 --target dialwright_program dialwright_standin_dll window_probe >"$build.build.log" 2>&1 ||
  { cat "$build.build.log"; exit 1; }
rm -f "$build.build.log"

export WINEPREFIX=$prefix WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="rasapi32=n;mscoree,mshtml=;winemenubuilder.exe=d"
# shellcheck source=tools/wine-prefix.sh
. "$root/tools/wine-prefix.sh"
wine_prefix_ready "$prefix" "$build" || { echo "run: could not prepare $prefix" >&2; exit 2; }
if [ ! -f "$prefix/.dialwright-desktop" ]; then
  # The named desktop is the prefix's default, so that the helper that waits for the window
  # runs on the same desktop as the program.
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$desktop" /f >/dev/null 2>&1
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /d "$desktop_size" /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$prefix/.dialwright-desktop"
fi

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
phonebook="$prefix/drive_c/ProgramData/Microsoft/Network/Connections/Pbk/rasphone.pbk"
logs=$build/run-logs
mkdir -p "$logs"

start_program() {
  "$WINELOADER" explorer /desktop="$desktop,$desktop_size" "$(windows_path "$program")" \
    </dev/null >"$logs/program.out" 2>"$logs/program.err"
}

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting the program on $DISPLAY; the phonebook is $phonebook"
  start_program || true
  exit 0
fi

# No display: an Xvfb of our own, the size of the virtual desktop.
work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "${desktop_size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

echo "run: no display; starting the program on its own Xvfb ($DISPLAY)"
start_program &
program_pid=$!
"$WINELOADER" "$(windows_path "$probe")" wait "$window_class" 60 >"$work/rect" 2>"$logs/probe.err" || {
  echo "run: the window did not appear; see $logs" >&2
  exit 1
}
read -r left top right bottom < <(tr -d '\r' <"$work/rect")
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$screenshot"
echo "run: screenshot of the window: $screenshot"
echo "run: the phonebook is $phonebook"
"$WINELOADER" "$(windows_path "$probe")" close "$window_class" >/dev/null 2>"$logs/probe.err" || true
wait "$program_pid" || true
program_pid=
echo "run: the program has ended"
