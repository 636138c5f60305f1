#!/usr/bin/env bash
# `make provider NAME=... SERVER=... SITE=... [LOGO=...] [COMPANY=...] [BACKGROUND=...]
#                [TUNNEL=pptp-first|sstp|l2tp-psk [PSK_FILE=...]]
#                [signing values: see tools/sign-program.py]`:
# a provider's program, checked, built, signed if asked and looked at. Writes into
# dist/<NAME>/ (PROVIDER_DIST moves dist/): the program file, the provider's check of it
# (docs/provider.md), window.png (the program's window under Wine, as a user sees it) and
# SHA256SUMS, all only once everything has gone well: a failure leaves dist/<NAME>/ as it was. The builds are made in build/provider/<digest of
# NAME>/ (PROVIDER_BUILD moves them): CMake cannot build in a folder whose path has some of the
# characters a name may have. The values are checked before anything is built
# (tools/provider-values.py; the configure step checks them again, so cmake -D... cannot skip
# them).
#
# The build's win32/ is the shipped 32-bit file. The screenshot is taken of that file where
# 32-bit Wine starts, and of the 64-bit build of the same sources and values (its win64/)
# where it does not (tools/wine-arch.sh); a line says which.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
python=/usr/bin/python3

usage='make provider NAME="Ромашка" SERVER=vpn.romashka.example SITE=https://romashka.example/ [LOGO=logo.png] [COMPANY="ООО Ромашка"] [BACKGROUND="#ffffff"]'
missing=()
for value in NAME SERVER SITE; do [ -n "${!value:-}" ] || missing+=("$value"); done
if ((${#missing[@]})); then
  echo "provider: ${missing[*]} not given; for example: $usage" >&2
  exit 2
fi
company=${COMPANY:-Dialwright}
logo=
if [ -n "${LOGO:-}" ]; then
  logo=$(realpath -m -- "$LOGO")
fi
tunnel=${TUNNEL:-pptp-first}
psk_file=
[ -n "${PSK_FILE:-}" ] && psk_file=$(realpath -m -- "$PSK_FILE")
"$python" tools/provider-values.py --name="$NAME" --server="$SERVER" --site="$SITE" \
  --company="$company" --tunnel="$tunnel" --psk-file="$psk_file" >/dev/null || exit 1
"$python" tools/sign-program.py check || exit 1
if [ -n "$logo" ]; then
  banner_check=$(mktemp --suffix=.bmp)
  trap 'rm -f "$banner_check"' EXIT
  "$python" tools/make-banner.py --out="$banner_check" --logo="$logo" \
    ${BACKGROUND:+--background="$BACKGROUND"} || exit 1
fi

build=${PROVIDER_BUILD:-$root/build/provider/$(printf '%s' "$NAME" | sha256sum | cut -c1-16)}
dist=${PROVIDER_DIST:-$root/dist}/$NAME
staged=$build/staged
rm -rf "$staged"
mkdir -p "$build" "$staged"
printf '%s\n' "$NAME" >"$build/provider-name.txt"
values=(-DDIALWRIGHT_PROVIDER_NAME="$NAME" -DDIALWRIGHT_VPN_SERVER="$SERVER"
        -DDIALWRIGHT_SITE_ADDRESS="$SITE" -DDIALWRIGHT_COMPANY="$company"
        -DDIALWRIGHT_LOGO="$logo" -DDIALWRIGHT_BANNER_BACKGROUND="${BACKGROUND:-}"
        -DDIALWRIGHT_TUNNEL="$tunnel" -DDIALWRIGHT_PSK_FILE="$psk_file")

# Configures and builds the given targets of one preset's build of this provider; the log is
# printed only when something fails.
build_preset() {
  local preset=$1; shift
  local log=$build/$preset.log
  { cmake --preset "$preset" -B "$build/$preset" "${values[@]}" &&
    cmake --build "$build/$preset" -j2 --target "$@"; } >"$log" 2>&1 || {
    grep -v '^--' "$log" >&2
    echo "provider: the $preset build failed; the whole log is $log" >&2
    exit 1
  }
}

echo "provider: building \"$NAME\" in $(realpath --relative-to="$root" "$build")"
build_preset win32 dialwright_program dialwright_check
# The files' names, as the build names them.
{ read -r program; read -r check; } <"$build/win32/shipped-files"
# The files as the build finished them, signed if the values say so.
"$python" tools/sign-program.py sign "$build/win32/$program" "$staged/$program" "$company" || exit 1
"$python" tools/sign-program.py sign "$build/win32/$check" "$staged/$check" "$company" check || exit 1

wine_arch=$(bash tools/wine-arch.sh)
arch=${wine_arch%%:*}
if [ "$arch" = win32 ]; then
  echo "provider: window.png shows the shipped 32-bit file ($wine_arch)"
else
  echo "provider: window.png shows the 64-bit build of the same values ($wine_arch)"
  build_preset win64 dialwright_program dialwright_standin_dll window_probe
fi
# The window's picture alone goes into the build folder, for a check against the logo.
run_program=
[ "$arch" = win32 ] && run_program=$staged/$program
RUN_BUILD_DIR=$build/$arch RUN_PROGRAM=$run_program RUN_SCREENSHOT=$staged/window.png \
  RUN_PICTURE=$build/picture.png DISPLAY= bash tools/run.sh >"$build/run.log" 2>&1 || {
  cat "$build/run.log" >&2
  echo "provider: the window could not be shown under Wine" >&2
  exit 1
}

(cd "$staged" && sha256sum "$program" "$check" window.png >SHA256SUMS)
mkdir -p "$dist"
for file in "$program" "$check" window.png SHA256SUMS; do mv -f "$staged/$file" "$dist/$file"; done
echo "provider: $(realpath --relative-to="$root" "$dist")/"
for file in "$program" "$check" window.png SHA256SUMS; do
  printf '  %-24s %8s bytes\n' "$file" "$(stat -c %s "$dist/$file")"
done
