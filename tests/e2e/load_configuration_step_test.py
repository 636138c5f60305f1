#!/usr/bin/env python3
"""The post-link step that points the PE header at the load configuration, on copies of the
finished program file: it restores what the linker leaves out, to the byte (checksum
included), changes nothing the second time, and refuses, leaving the file as it was, a map
without the structure, a structure that is not the program's and a directory set elsewhere.

    load_configuration_step_test.py STEP.py PROGRAM.exe LINKER.map
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

step, program, linker_map = sys.argv[1:4]
with open(program, "rb") as file:
    finished = file.read()
pe = struct.unpack_from("<I", finished, 0x3C)[0]
directory = pe + 24 + 96 + 8 * 10
rva, _ = struct.unpack_from("<II", finished, directory)
failures = []


def run(name, data, map_text=None, refused=False):
    with tempfile.TemporaryDirectory() as work:
        copy, copy_map = os.path.join(work, "program.exe"), os.path.join(work, "program.map")
        with open(copy, "wb") as file:
            file.write(data)
        if map_text is None:
            shutil.copy(linker_map, copy_map)
        else:
            with open(copy_map, "w", encoding="utf-8") as file:
                file.write(map_text)
        result = subprocess.run([sys.executable, step, copy, copy_map], capture_output=True, text=True)
        with open(copy, "rb") as file:
            after = file.read()
    expected = data if refused else finished
    if (result.returncode != 0) != refused or after != expected:
        failures.append(f"{name}: exit {result.returncode}, file {'as expected' if after == expected else 'wrong'}"
                        f" {result.stderr.strip()}")


def patched(offset, value, form):
    data = bytearray(finished)
    struct.pack_into(form, data, offset, *value)
    return bytes(data)


def as_linked():
    """The directory empty and a checksum that is not the finished file's."""
    data = bytearray(patched(directory, (0, 0), "<II"))
    struct.pack_into("<I", data, pe + 24 + 64, 0)
    return bytes(data)


def structure_offset():
    sections, optional_size = struct.unpack_from("<H12xH", finished, pe + 6)
    for i in range(sections):
        _, start, raw_size, raw = struct.unpack_from("<IIII", finished, pe + 24 + optional_size + 40 * i + 8)
        if start <= rva < start + raw_size:
            return raw + rva - start
    raise SystemExit("the finished file's load configuration is in no section")


with open(linker_map, encoding="utf-8", errors="replace") as file:
    map_text = file.read()
run("finished file", finished)
run("file as the linker leaves it", as_linked())
run("map without the structure", as_linked(),
    map_text.replace("_load_config_used", "_other_symbol"), refused=True)
run("structure not the program's", patched(structure_offset() + 0x36, (0,), "<H"), refused=True)
run("directory set elsewhere", patched(directory, (rva + 8, 64), "<II"), refused=True)
for failure in failures:
    print(f"load-configuration step: {failure}", file=sys.stderr)
sys.exit(1 if failures else 0)
