#!/usr/bin/env bash
# `make run`: starts the program under Wine in a virtual desktop (800 x 600), with the phonebook
# stand-in, in a prefix that persists between runs (<build>/run-prefix), so an entry written in
# one run is there in the next.
#
# The program run is the shipped 32-bit file where this machine runs 32-bit Wine, and the 64-bit
# build of the same sources where it does not (tools/wine-arch.sh); the first line says which.
#
# With a display ($DISPLAY), the window opens there and the command ends when the program ends.
# Without one, the program runs on an Xvfb display of its own; once its window is up, a
# screenshot of the window is saved (the path is printed: <build>/run-screenshot.png, or
# RUN_SCREENSHOT; with RUN_PICTURE, the window's picture alone, its client area's top 300 x 100,
# as well), the window is closed like its close button does, and the command ends.
# Either way no Wine process of the prefix is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
wine_arch=$(bash tools/wine-arch.sh)
arch=${wine_arch%%:*}
echo "run: $wine_arch"
# RUN_BUILD_DIR: another build folder of the same preset (the default is the preset's own).
build=${RUN_BUILD_DIR:-$root/build/$arch}
# RUN_DPI: the display density (96, 120, 144 or 192), each in a prefix of its own.
dpi=${RUN_DPI:-96}
case "$dpi" in 96 | 120 | 144 | 192) ;; *) echo "run: RUN_DPI must be 96, 120, 144 or 192" >&2; exit 2 ;; esac
prefix=$build/run-prefix
[ "$dpi" = 96 ] || prefix=$build/run-prefix-${dpi}dpi
# RUN_PROGRAM: another program file of that build (a provider's signed copy).
program=${RUN_PROGRAM:-"$build/Dialwright VPN 1.0.exe"}
probe=$build/tests/e2e/window_probe.exe
screenshot=${RUN_SCREENSHOT:-$build/run-screenshot.png}
desktop=dialwright
desktop_size=800x600
window_class=ОсновнаяФорма

# The Makefile has installed what is missing and made the win32 build; the rest is made here.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset "$arch" -B "$build" >"$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
  rm -f "$build.configure.log"
fi
cmake --build "$build" -j2 --target dialwright_program dialwright_standin_dll window_probe >"$build.build.log" 2>&1 ||
  { cat "$build.build.log"; exit 1; }
rm -f "$build.build.log"

# shellcheck source=tools/wine-prefix.sh
. "$root/tools/wine-prefix.sh"
wine_use_build "$build"
export WINEPREFIX=$prefix
wine_prefix_ready "$prefix" "$build" && wine_prefix_density "$prefix" "$dpi" ||
  { echo "run: could not prepare $prefix" >&2; exit 2; }
if [ ! -f "$prefix/.dialwright-desktop" ]; then
  # The named virtual desktop is the prefix's default: every program of the prefix, the
  # program itself and the helper that waits for its window, opens in it.
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$desktop" /f >/dev/null 2>&1
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /d "$desktop_size" /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$prefix/.dialwright-desktop"
fi

phonebook="$prefix/drive_c/ProgramData/Microsoft/Network/Connections/Pbk/rasphone.pbk"
logs=$build/run-logs
mkdir -p "$logs"

# The program is the process waited for. The desktop's own process (explorer) is not: it is
# meant to end by itself once its last client has gone, but it does not always (it stayed
# alive for minutes when the machine was busy), so it is ended with the prefix's other
# processes once the program has.
end_prefix_processes() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
}

start_program() {
  "$WINELOADER" "$(windows_path "$program")" </dev/null >"$logs/program.out" 2>"$logs/program.err"
}

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting the program on $DISPLAY; the phonebook is $phonebook"
  start_program || true
  end_prefix_processes
  exit 0
fi

# No display: an Xvfb of our own, the size of the virtual desktop.
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  end_prefix_processes
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

echo "run: no display; starting the program on its own Xvfb ($DISPLAY), at $dpi dpi"
start_program &
program_pid=$!
"$WINELOADER" "$(windows_path "$probe")" wait "$window_class" 60 >"$work/rect" 2>"$logs/probe.err" || {
  echo "run: the window did not appear; see $logs" >&2
  exit 1
}
read -r left top right bottom client_left client_top < <(tr -d '\r' <"$work/rect")
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$screenshot"
if [ -n "${RUN_PICTURE:-}" ]; then
  import -window root -crop "300x100+$client_left+$client_top" +repage "$RUN_PICTURE"
fi
echo "run: screenshot of the window: $screenshot"
echo "run: the phonebook is $phonebook"
"$WINELOADER" "$(windows_path "$probe")" close "$window_class" >/dev/null 2>"$logs/probe.err" || true
# The program ends within moments of its window; if it does not, cleanup ends it.
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "run: the program did not end after its window closed; ending it" >&2
else
  echo "run: the program has ended"
fi
