#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages only.
# Idempotent and quiet when everything is already present.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
  cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 mingw-w64-tools
  wine wine64 wine32:i386 fonts-wine
  xvfb xauth x11-utils imagemagick
  locales python3 python3-pil fonts-dejavu-core
  clang libclang-rt-14-dev clang-tidy cppcheck
  openssl osslsigncode softhsm2 libengine-pkcs11-openssl
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=
fi

for p in "${packages[@]}"; do have_pkg "$p" || need+=("$p"); done

if ((${#need[@]})); then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine reads ru_RU.UTF-8 to behave like a Russian Windows (code page 1251).
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "setup: generating the ru_RU.UTF-8 locale"
  sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
