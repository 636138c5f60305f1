#!/usr/bin/python3
"""Judges every function a 32-bit program file imports against Windows XP SP3.

    check-xp-imports.py PROGRAM.exe

The loader of XP refuses to start a program that imports one function its system DLLs lack,
so each import is judged on its own, independently of how the program was built:

- MinGW-w64's headers declare a function of the Windows API only for the Windows versions
  that have it (_WIN32_WINNT). A file that takes the address of each imported name is
  compiled with the declarations of XP SP3; a name the compiler does not know is one XP lacks.
- The few names of msvcrt.dll that no header declares are those of MinGW-w64's own start-up
  code, which has run on every Windows since 2000 (START_UP_NAMES below).

It also checks that the PE header lets XP (5.1) load the file: its operating-system and
subsystem versions are at most 5.1. Every finding is one line naming the DLL and the function;
the exit code is 1 if there is any.
"""
import os
import re
import subprocess
import sys
import tempfile

OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")
COMPILER = os.environ.get("XP_CHECK_CC", "i686-w64-mingw32-gcc")
XP_SP3 = ["-D_WIN32_WINNT=0x0501", "-DWINVER=0x0501", "-DNTDDI_VERSION=0x05010300",
          "-D_WIN32_IE=0x0603"]
HEADERS = ["windows.h", "commctrl.h", "shellapi.h", "shlobj.h", "ole2.h", "oleauto.h",
           "psapi.h", "stdio.h", "stdlib.h", "string.h", "wchar.h", "signal.h", "process.h",
           "setjmp.h"]
START_UP_NAMES = {"__p__commode", "__set_app_type", "__setusermatherr", "__wgetmainargs",
                  "__getmainargs", "__winitenv", "__initenv", "_amsg_exit", "_initterm"}


def read_imports(objdump_text):
    """(dll, name) pairs from `objdump -p`; name is None for an import by ordinal."""
    imports, dll, in_table = [], None, False
    for line in objdump_text.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll, in_table = found.group(1), False
            continue
        if dll and re.match(r"\s*vma:\s+Hint/Ord", line):
            in_table = True
            continue
        if not in_table:
            continue
        if not line.strip():
            dll, in_table = None, False
            continue
        by_name = re.match(r"\s*[0-9a-fA-F]+\s+\d+\s+(\S+)\s*$", line)
        if by_name:
            imports.append((dll, by_name.group(1)))
        elif re.match(r"\s*[0-9a-fA-F]+\s+<none>\s+[0-9a-fA-F]+", line):
            imports.append((dll, None))
    return imports


def header_versions(objdump_text):
    fields = {}
    for key in ("MajorOSystemVersion", "MinorOSystemVersion", "MajorSubsystemVersion",
                "MinorSubsystemVersion"):
        found = re.search(rf"^{key}\s+(\d+)", objdump_text, re.MULTILINE)
        fields[key] = int(found.group(1)) if found else None
    return fields


def undeclared_on_xp(names):
    """The names that MinGW-w64's headers do not declare for Windows XP SP3."""
    if not names:
        return set()
    lines = [f"#include <{header}>" for header in HEADERS]
    first = len(lines) + 1
    lines += [f"void* reference_{index}(void) {{ return (void*)&{name}; }}"
              for index, name in enumerate(names)]
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "imports.c")
        with open(source, "w", encoding="ascii") as out:
            out.write("\n".join(lines) + "\n")
        result = subprocess.run(
            [COMPILER, "-fsyntax-only", "-std=gnu11", "-fmax-errors=0", *XP_SP3, source],
            capture_output=True, text=True, check=False)
    missing = set()
    for found in re.finditer(r"imports\.c:(\d+):\d+: error:", result.stderr):
        index = int(found.group(1)) - first
        if 0 <= index < len(names):
            missing.add(names[index])
    if result.returncode != 0 and not missing:
        sys.exit(f"check-xp-imports: the reference file did not compile:\n{result.stderr}")
    return missing


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check-xp-imports.py PROGRAM.exe")
    program = sys.argv[1]
    dump = subprocess.run([OBJDUMP, "-p", program], capture_output=True, text=True, check=True)
    imports = read_imports(dump.stdout)
    findings = []
    if not imports:
        findings.append(f"{program}: no imports found")

    versions = header_versions(dump.stdout)
    for kind in ("OSystem", "Subsystem"):
        major, minor = versions[f"Major{kind}Version"], versions[f"Minor{kind}Version"]
        if major is None or (major, minor) > (5, 1):
            findings.append(f"the PE header's {kind} version is {major}.{minor}; "
                            "Windows XP loads at most 5.1")

    findings += [f"{dll} is imported by ordinal, which cannot be judged"
                 for dll, name in imports if name is None]
    named = sorted({name for _, name in imports if name and name not in START_UP_NAMES})
    missing = undeclared_on_xp(named)
    findings += [f"{dll}!{name}: not in Windows XP SP3 (MinGW-w64's headers do not declare it "
                 "for _WIN32_WINNT=0x0501); look it up at run time instead"
                 for dll, name in imports if name in missing]

    for finding in findings:
        print(f"check-xp-imports: {finding}")
    if findings:
        return 1
    dlls = sorted({dll for dll, _ in imports})
    print(f"check-xp-imports: all {len(imports)} imports of {len(dlls)} DLLs "
          f"({', '.join(dlls)}) exist on Windows XP SP3")
    return 0


if __name__ == "__main__":
    sys.exit(main())
