#!/usr/bin/env bash
# One provider's build from start to end, the way a provider's staff make it:
#   provider_build_test.sh BUILD_DIR WORK_DIR
# `make provider`'s script with a Cyrillic name, a host-name server, an https site, a company
# and a logo; the window's picture (as the script's screenshot shows it) compared with the logo;
# then its program driven under Wine (tests/e2e/main_window_e2e_test.cpp), the version
# information read, and a second run with the same values required to give the same program
# file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
mkdir -p "$work"
export NAME="Ёлка-Телеком №1; «Сеть»" SERVER=vpn-1.yolka.example
export SITE="https://yolka.example/vpn?from=окно&tab=1;x"
export COMPANY="ООО «Ёлка»" LOGO=$work/logo.png PROVIDER_DIST=$work/dist PROVIDER_BUILD=$work/build
# The provider's builds are kept between runs, as a provider's staff would keep theirs.
rm -rf "$PROVIDER_DIST" "$PROVIDER_BUILD/picture.png"
program="Dialwright VPN 1.0.exe"
dist=$PROVIDER_DIST/$NAME
/usr/bin/python3 "$here/banner_check.py" make-logo "$LOGO"

bash "$root/tools/provider.sh"
for file in "$program" window.png SHA256SUMS; do
  [ -s "$dist/$file" ] || { echo "provider build: no $file in $dist" >&2; exit 1; }
done
(cd "$dist" && sha256sum --quiet -c SHA256SUMS)
/usr/bin/python3 "$here/banner_check.py" compare "$LOGO" "$PROVIDER_BUILD/picture.png"
/usr/bin/python3 "$root/tests/e2e/resource_audit.py" "$dist/$program" "$root/resources" --company "$COMPANY"

# The program under Wine: the shipped file where 32-bit Wine runs, its 64-bit twin elsewhere.
arch=$(cat "$build/wine-arch")
driven="$PROVIDER_BUILD/$arch/$program"
# shellcheck source=tools/wine-prefix.sh
. "$root/tools/wine-prefix.sh"
DIALWRIGHT_PROVIDER_PROGRAM=$(windows_path "$driven") \
DIALWRIGHT_PROVIDER_NAME=$NAME DIALWRIGHT_PROVIDER_SERVER=$SERVER DIALWRIGHT_PROVIDER_SITE=$SITE \
  "$root/tools/wine-run.sh" --build-dir "$build" -- "$build/tests/e2e/main_window_e2e_tests.exe" --gtest_filter="MainWindowE2E.*"

cp "$dist/$program" "$work/first.exe"
bash "$root/tools/provider.sh" >/dev/null
cmp "$work/first.exe" "$dist/$program"
echo "provider build: the same values built twice give the same $program"
