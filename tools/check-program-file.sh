#!/usr/bin/env bash
# Checks the program file's headers: PE32 (i386), GUI subsystem, and imports of the Windows
# system DLLs that showing the window needs only (a static build: no libstdc++, libgcc or
# libwinpthread DLLs; the shell, COM and automation libraries are bound at run time).
set -euo pipefail
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$exe")
fail() { echo "check-program-file: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE i386 file"
grep -qE '^Magic\s+010b\s+\(PE32\)' <<<"$headers" || fail "not PE32"
grep -qE '^Subsystem\s+00000002\s+\(Windows GUI\)' <<<"$headers" || fail "not a GUI program"
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|msvcrt)\.dll$'
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no import table"
while read -r dll; do
  grep -qiE "$allowed" <<<"$dll" || fail "imports a DLL the window does not need at start: $dll"
done <<<"$imports"
echo "program file OK: PE32 i386 GUI, imports: $(tr '\n' ' ' <<<"$imports")"
