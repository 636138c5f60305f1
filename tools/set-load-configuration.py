#!/usr/bin/env python3
"""Points a linked 32-bit program file's load-configuration directory at its _load_config_used.

    set-load-configuration.py PROGRAM.exe LINKER.map

The linker of Debian 12 (binutils 2.40) leaves the directory empty even where the program
defines _load_config_used; later versions fill it. This step, the link's last, finds the
structure through the linker map, checks that it is the program's (its Size field of 72 and
its DependentLoadFlags of LOAD_LIBRARY_SEARCH_SYSTEM32), and writes the directory entry: the
structure's address and 64, the size that Windows XP requires of a 32-bit image's
load-configuration directory, as Windows' own linker writes it for 32-bit programs. Then the
PE checksum anew. Run again, it changes nothing. A finding is one line and exit code 1, with
the file left as it was.
"""
import re
import struct
import sys

LOAD_CONFIG_DIRECTORY = 10
DIRECTORY_SIZE = 64
STRUCTURE_SIZE = 72
SEARCH_SYSTEM32 = 0x800


class Finding(Exception):
    pass


def symbol_address(map_text):
    found = re.findall(r"^\s+0x([0-9a-fA-F]+)\s+_?_load_config_used\s*$", map_text, re.MULTILINE)
    if len(found) != 1:
        raise Finding(f"the linker map names _load_config_used {len(found)} times, not once")
    return int(found[0], 16)


def checksum(data, checksum_offset):
    """The PE checksum: 16-bit words summed with their carries folded, plus the file's length."""
    padded = data + b"\0" * (len(data) % 2)
    words = list(struct.unpack(f"<{len(padded) // 2}H", padded))
    words[checksum_offset // 2] = words[checksum_offset // 2 + 1] = 0
    total = 0
    for word in words:
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total & 0xFFFF) + len(data)


def set_load_configuration(data, map_text):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
        raise Finding("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    if struct.unpack_from("<H", data, optional)[0] != 0x10B:
        raise Finding("not a 32-bit (PE32) program file")
    image_base = struct.unpack_from("<I", data, optional + 28)[0]
    rva = symbol_address(map_text) - image_base

    offset = None
    for i in range(sections):
        virtual_size, start, raw_size, raw = struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
        if start <= rva and rva + STRUCTURE_SIZE <= start + min(virtual_size, raw_size):
            offset = raw + rva - start
    if offset is None:
        raise Finding(f"_load_config_used (RVA {rva:#x}) is not in the file")
    size, = struct.unpack_from("<I", data, offset)
    flags, = struct.unpack_from("<H", data, offset + 0x36)
    if (size, flags) != (STRUCTURE_SIZE, SEARCH_SYSTEM32):
        raise Finding(f"_load_config_used holds Size {size} and DependentLoadFlags {flags:#x}, "
                      f"not {STRUCTURE_SIZE} and {SEARCH_SYSTEM32:#x}: not the program's")

    directory = optional + 96 + 8 * LOAD_CONFIG_DIRECTORY
    present = struct.unpack_from("<II", data, directory)
    if present not in ((0, 0), (rva, DIRECTORY_SIZE)):
        raise Finding(f"the load-configuration directory already points elsewhere: {present}")
    result = bytearray(data)
    struct.pack_into("<II", result, directory, rva, DIRECTORY_SIZE)
    checksum_offset = optional + 64
    struct.pack_into("<I", result, checksum_offset, checksum(bytes(result), checksum_offset))
    return bytes(result)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: set-load-configuration.py PROGRAM.exe LINKER.map")
    program, linker_map = sys.argv[1:]
    with open(program, "rb") as file:
        data = file.read()
    with open(linker_map, encoding="utf-8", errors="replace") as file:
        map_text = file.read()
    try:
        result = set_load_configuration(data, map_text)
    except Finding as finding:
        print(f"set-load-configuration: {program}: {finding}", file=sys.stderr)
        return 1
    if result != data:
        with open(program, "r+b") as file:
            file.write(result)
    return 0


if __name__ == "__main__":
    sys.exit(main())
