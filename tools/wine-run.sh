#!/usr/bin/env bash
# Runs a cross-built program under Wine the way the tests and `make bench` need it:
#   tools/wine-run.sh --build-dir DIR [--prefix DIR] [--no-display] -- PROGRAM [ARGS...]
# - the build's Wine: 32-bit for the win32 build, 64-bit for its twin; with
#   DIALWRIGHT_WINE_WOW64=1, the win32 build under WoW64 in a 64-bit prefix,
# - a Wine prefix of the build's own (created once, of the build's kind; user folders made
#   real folders),
# - the phonebook stand-in installed as the prefix's system32\rasapi32.dll (syswow64 under WoW64),
# - Russian locale (code page 1251, Russian system messages), quiet WINEDEBUG unless set,
# - with DIALWRIGHT_WINE_DPI (120, 144, 192), that display density, in a prefix of its own,
# - its own Xvfb on a free display unless DISPLAY_FOR_WINE is given or --no-display,
# - output written to files and printed afterwards: Wine's background processes would keep
#   a pipe open, so the caller never reads Wine through one.
# The program's exit code is returned.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build_dir=
prefix=
display=1
while (($#)); do
  case "$1" in
    --build-dir) build_dir=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --no-display) display=; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ -n "$build_dir" ] || { echo "wine-run: --build-dir is required" >&2; exit 2; }
build_dir=$(cd "$build_dir" && pwd)
dpi=${DIALWRIGHT_WINE_DPI:-96}
if [ -z "$prefix" ]; then
  prefix=$build_dir/wineprefix
  [ "${DIALWRIGHT_WINE_WOW64:-}" = 1 ] && prefix=$prefix-wow64
  [ "$dpi" = 96 ] || prefix=$prefix-${dpi}dpi
fi

# shellcheck source=tools/wine-prefix.sh
. "$here/wine-prefix.sh"
wine_use_build "$build_dir" || exit 2
export WINEPREFIX=$prefix
wineserver() { "$WINESERVER" "$@"; }
wine() { "$WINELOADER" "$@"; }

wine_prefix_ready "$prefix" "$build_dir" && wine_prefix_density "$prefix" "$dpi" ||
  { echo "wine-run: could not prepare $prefix" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$display" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if [ -n "$display" ]; then
  if [ -n "${DISPLAY_FOR_WINE:-}" ]; then
    export DISPLAY=$DISPLAY_FOR_WINE
  else
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    export DISPLAY=":$(cat "$work/display")"
  fi
else
  unset DISPLAY
fi

wine "$@" </dev/null >"$work/stdout" 2>"$work/stderr"
status=$?
cat "$work/stdout"
cat "$work/stderr" >&2
exit $status
