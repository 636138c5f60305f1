#!/usr/bin/env bash
# Checks the program file's headers: PE32 (i386), GUI subsystem; address-space layout
# randomisation, no-execute data and terminal-server awareness; a load configuration whose
# DependentLoadFlags keep the static imports to the system directory, in a directory of the
# size Windows XP requires (64); and imports of the Windows system DLLs that showing the window
# needs only (a static build: no libstdc++, libgcc or libwinpthread DLLs; the shell, COM and
# automation libraries are bound at run time).
set -euo pipefail
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$exe")
fail() { echo "check-program-file: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE i386 file"
grep -qE '^Magic\s+010b\s+\(PE32\)' <<<"$headers" || fail "not PE32"
grep -qE '^Subsystem\s+00000002\s+\(Windows GUI\)' <<<"$headers" || fail "not a GUI program"
for flag in DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
  grep -qE "^\s+$flag\$" <<<"$headers" || fail "DllCharacteristics lack $flag"
done

# The load configuration, read from the file: the directory's entry, then the structure's
# Size (bytes 0-3) and DependentLoadFlags (bytes 0x36-0x37).
read -r config_rva config_size < <(awk '/^Entry a .*Load Configuration Directory/ { print $3, $4 }' <<<"$headers")
[ "${config_size:-0}" = 00000040 ] && [ "$config_rva" != 00000000 ] ||
  fail "the load-configuration directory is ${config_rva:-?} ${config_size:-?}, not 64 bytes somewhere"
base=$(awk '/^ImageBase/ { print $2 }' <<<"$headers")
start=$((0x$base + 0x$config_rva))
bytes=$("$objdump" -s --start-address=$start --stop-address=$((start + 0x38)) "$exe" |
        awk '/^ [0-9a-f]+ / { for (i = 2; i <= 5; i++) if ($i ~ /^[0-9a-f]+$/) printf "%s", $i }')
[ ${#bytes} -eq 112 ] || fail "the load configuration cannot be read at $config_rva"
size=$((0x${bytes:6:2}${bytes:4:2}${bytes:2:2}${bytes:0:2}))
dependent=$((0x${bytes:110:2}${bytes:108:2}))
[ "$size" -ge 56 ] || fail "the load configuration of $size bytes ends before DependentLoadFlags"
[ "$dependent" -eq $((0x800)) ] || fail "DependentLoadFlags are $dependent, not LOAD_LIBRARY_SEARCH_SYSTEM32 (0x800)"
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|msvcrt)\.dll$'
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no import table"
while read -r dll; do
  grep -qiE "$allowed" <<<"$dll" || fail "imports a DLL the window does not need at start: $dll"
done <<<"$imports"
echo "program file OK: PE32 i386 GUI, ASLR, NX, terminal-server aware, dependent DLLs from system32, imports: $(tr '\n' ' ' <<<"$imports")"
