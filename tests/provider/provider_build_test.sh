#!/usr/bin/env bash
# One provider's build from start to end, the way a provider's staff make it (and its check):
#   provider_build_test.sh BUILD_DIR WORK_DIR
# `make provider`'s script with a Cyrillic name, a host-name server, an https site, a company,
# a logo, a key in a PKCS#12 file (of a throwaway CA) and the L2TP/IPsec tunnel with its
# pre-shared key in a file; the window's picture (as the script's
# screenshot shows it) compared with the logo; then its signed program driven under Wine
# (tests/e2e/main_window_e2e_test.cpp), its signature judged by Wine's WinVerifyTrust, the
# version information read; a second run with the same values required to give the same
# program file, and a third, whose timestamp server answers nonsense, required to stop and
# leave dist/ as it was.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
mkdir -p "$work"
export NAME="Ёлка-Телеком №1; «Сеть»" SERVER=vpn-1.yolka.example
export SITE="https://yolka.example/vpn?from=окно&tab=1;x"
export COMPANY="ООО «Ёлка»" LOGO=$work/logo.png PROVIDER_DIST=$work/dist PROVIDER_BUILD=$work/build
export TUNNEL=l2tp-psk PSK_FILE=$work/psk.txt
key="Ёлочный ключ: 12#Z"
printf '%s\n' "$key" >"$PSK_FILE"
# The provider's builds are kept between runs, as a provider's staff would keep theirs.
rm -rf "$PROVIDER_DIST" "$PROVIDER_BUILD/picture.png"
{ read -r program; read -r check; } <"$build/shipped-files"
dist=$PROVIDER_DIST/$NAME
/usr/bin/python3 "$here/banner_check.py" make-logo "$LOGO"
# A throwaway CA and its code-signing certificate, the key in a PKCS#12 file with a password.
(cd "$work" &&
 openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -subj "/CN=Test Root" -days 30 \
   -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign &&
 openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=ООО «Ёлка»" -utf8 &&
 printf 'extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n' >signer.cnf &&
 openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 30 -extfile signer.cnf \
   -out signer.pem && printf 'пароль' >password.txt && openssl x509 -in ca.pem -outform DER -out ca.der &&
 openssl pkcs12 -export -inkey signer.key -in signer.pem -passout file:password.txt -out signer.p12) \
  >"$work/ca.log" 2>&1 || { cat "$work/ca.log" >&2; exit 1; }
export SIGN_PKCS12=$work/signer.p12 SIGN_PASSWORD_FILE=$work/password.txt SIGN_CA=$work/ca.pem
export SOURCE_DATE_EPOCH=$(date +%s)

bash "$root/tools/provider.sh"
for file in "$program" "$check" window.png SHA256SUMS; do
  [ -s "$dist/$file" ] || { echo "provider build: no $file in $dist" >&2; exit 1; }
done
(cd "$dist" && sha256sum --quiet -c SHA256SUMS)
/usr/bin/python3 "$here/banner_check.py" compare "$LOGO" "$PROVIDER_BUILD/picture.png"
/usr/bin/python3 "$root/tests/e2e/resource_audit.py" "$dist/$program" "$root/resources" --company "$COMPANY"

# The program under Wine: the signed file where 32-bit Wine runs, its 64-bit twin elsewhere.
arch=$(cat "$build/wine-arch")
driven="$PROVIDER_BUILD/$arch/$program"
[ "$arch" = win32 ] && driven=$dist/$program
# shellcheck source=tools/wine-prefix.sh
. "$root/tools/wine-prefix.sh"
# Windows' judgement of the signature: accepted, and refused once a byte of the file changes.
# (Wine accepts a chain that ends at a root it does not trust, so the untrusted answer is 0
# there too; Windows answers CERT_E_UNTRUSTEDROOT, 0x800b0109.)
cp "$dist/$program" "$work/changed.exe"
printf '\x90' | dd of="$work/changed.exe" bs=1 seek=5000 conv=notrunc 2>/dev/null
trust() { "$root/tools/wine-run.sh" --build-dir "$build" --no-display -- "$build/tests/provider/verify_trust.exe" \
            "$(windows_path "$1")" "$(windows_path "$work/ca.der")" | tr -d '\r'; }
[ "$(trust "$dist/$program")" = "untrusted=0x00000000 trusted=0x00000000" ] ||
  { echo "provider build: WinVerifyTrust refuses the signed file: $(trust "$dist/$program")" >&2; exit 1; }
[ "$(trust "$work/changed.exe")" = "untrusted=0x80096010 trusted=0x80096010" ] ||
  { echo "provider build: WinVerifyTrust does not refuse a changed file (TRUST_E_BAD_DIGEST): $(trust "$work/changed.exe")" >&2; exit 1; }
[ "$(trust "$dist/$check")" = "untrusted=0x00000000 trusted=0x00000000" ] ||
  { echo "provider build: WinVerifyTrust refuses the signed check: $(trust "$dist/$check")" >&2; exit 1; }
# The check, run where the provider puts it, finds the program's signature beside it. (On
# Windows the throwaway root is not trusted and the row would differ; Wine trusts any root.)
if [ "$arch" = win32 ]; then
  # Exit code 1: rows that Wine answers otherwise than Windows (tests/check_e2e) differ.
  # (With a display of its own, which wine-run.sh ends with every process of the prefix: asking
  # for the desktop shell starts Wine's explorer, which would stay on no display at all.)
  "$root/tools/wine-run.sh" --build-dir "$build" -- "$dist/$check" /quiet || [ $? = 1 ]
  report=$dist/${check%.exe}.txt
  grep -q "«$program» подписана, и эта Windows доверяет подписи" "$report" ||
    { cat "$report" >&2; echo "provider build: the check does not see the signature" >&2; exit 1; }
  # The provider's tunnel: named, its profile written as the program writes it, its key set.
  for said in "туннель L2TP/IPsec с общим ключом (l2tp-psk)" "все 46 членов как записаны" \
              "Общий ключ IPsec записан и задан"; do
    grep -q "$said" "$report" || { cat "$report" >&2; echo "provider build: the check does not say: $said" >&2; exit 1; }
  done
  rm "$report"
fi
# The key is compiled in, and goes into no log, cache or report of the build.
if grep -rlF "$key" "$PROVIDER_BUILD" "$dist" --include='*.log' --include='*.txt' --include='CMakeCache.txt' \
     --include='*.cmake'; then
  echo "provider build: the pre-shared key stands in the files above" >&2; exit 1
fi
DIALWRIGHT_PROVIDER_PROGRAM=$(windows_path "$driven") \
DIALWRIGHT_PROVIDER_NAME=$NAME DIALWRIGHT_PROVIDER_SERVER=$SERVER DIALWRIGHT_PROVIDER_SITE=$SITE \
DIALWRIGHT_PROVIDER_ENTRY_LINES="dwVpnStrategy=3;dwfOptions2=16;dwCredentialsMask=16" \
  "$root/tools/wine-run.sh" --build-dir "$build" -- "$build/tests/e2e/main_window_e2e_tests.exe" --gtest_filter="MainWindowE2E.*"

cp "$dist/$program" "$work/first.exe"
cp "$dist/$check" "$work/first-check.exe"
bash "$root/tools/provider.sh" >/dev/null
cmp "$work/first.exe" "$dist/$program"
cmp "$work/first-check.exe" "$dist/$check"
echo "provider build: the same values built twice give the same $program and $check"

# A timestamp server that answers nonsense (an HTTP server that knows no POST): the build
# stops, naming it, and dist/ stays as it was.
(cd "$dist" && sha256sum "$program" "$check" window.png SHA256SUMS >"$work/dist-before")
python3 -u -m http.server --bind 127.0.0.1 0 >"$work/http.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
for _ in $(seq 100); do grep -q 'port [0-9]*' "$work/http.log" && break; sleep 0.05; done
port=$(grep -o 'port [0-9]*' "$work/http.log" | cut -d' ' -f2)
if TIMESTAMP_URL=http://127.0.0.1:$port/ bash "$root/tools/provider.sh" >/dev/null 2>"$work/refused.txt"; then
  echo "provider build: a timestamp server answering nonsense did not stop the build" >&2; exit 1
fi
grep -q "TIMESTAMP_URL='http://127.0.0.1:$port/': answered with something that is not a timestamp" \
  "$work/refused.txt" || { cat "$work/refused.txt" >&2; exit 1; }
(cd "$dist" && sha256sum --quiet -c "$work/dist-before") ||
  { echo "provider build: the refused build changed dist/" >&2; exit 1; }
echo "provider build: a refused signing leaves dist/ as it was"
