#!/usr/bin/env python3
"""Audits the resources of the program file by reading its PE resource directory.

    resource_audit.py PROGRAM.exe RESOURCES_DIR [--company NAME]   check; exit code 1 on any finding
                                       (NAME: the CompanyName it was built with; default Dialwright)
    resource_audit.py --dump PROGRAM.exe             list types, numbers, languages, sizes

Checks exactly these resources and no others: icon group 1 (neutral) with its one 48 x 48
24-bit image 30001; cursor group 101 and cursor 1 (Russian, 1049), 32 x 32 monochrome, hot spot
(5, 0) on the fingertip; manifest 1 (2057) with the required content (common controls 6, then
the execution level, DPI awareness and supported systems, in the form XP parses); version information 1
(1033) with its fixed part and string table. The image bytes must equal the committed ones.
"""

import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 1, 3, 12, 14, 16, 24
NEUTRAL, RUSSIAN, ENGLISH_UK, ENGLISH_US = 0, 1049, 2057, 1033

DESCRIPTION = "Программа для автоматического создания  подключения к Интернету через VPN."


class Finding(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Finding(message)


# ------------------------------------------------------------------------ PE reading

class Pe:
    def __init__(self, data):
        self.data = data
        check(data[:2] == b"MZ", "not an MZ file")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        check(data[pe:pe + 4] == b"PE\0\0", "no PE signature")
        machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        check(magic in (0x10B, 0x20B), f"unknown optional header {magic:#x}")
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, self.resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
        check(self.resource_rva != 0, "no resource directory")
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset, raw_size))

    def offset(self, rva):
        for start, size, raw, raw_size in self.sections:
            if start <= rva < start + size:
                check(rva - start < raw_size, f"RVA {rva:#x} is not in the file")
                return raw + rva - start
        raise Finding(f"RVA {rva:#x} is in no section")

    def resources(self):
        """{(type, number, language): bytes}, and the time stamps of the directories."""
        base = self.offset(self.resource_rva)
        found, stamps = {}, []

        def entries(directory):
            _, stamp, _, _, named, numbered = struct.unpack_from("<IIHHHH", self.data, base + directory)
            stamps.append(stamp)
            check(named == 0, "a resource with a name instead of a number")
            for i in range(numbered):
                ident, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                yield ident, target

        for kind, kind_dir in entries(0):
            check(kind_dir & 0x80000000, "type entry is not a directory")
            for number, number_dir in entries(kind_dir & 0x7FFFFFFF):
                check(number_dir & 0x80000000, "name entry is not a directory")
                for language, leaf in entries(number_dir & 0x7FFFFFFF):
                    check(not leaf & 0x80000000, "language entry is not data")
                    rva, size, _, _ = struct.unpack_from("<IIII", self.data, base + leaf)
                    start = self.offset(rva)
                    found[(kind, number, language)] = self.data[start:start + size]
        return found, stamps


# ------------------------------------------------------------------------ checks

def check_inventory(resources, stamps):
    expected = {(RT_ICON, 30001, NEUTRAL), (RT_GROUP_ICON, 1, NEUTRAL), (RT_CURSOR, 1, RUSSIAN),
                (RT_GROUP_CURSOR, 101, RUSSIAN), (RT_MANIFEST, 1, ENGLISH_UK), (RT_VERSION, 1, ENGLISH_US)}
    check(set(resources) == expected,
          f"resources {sorted(resources)} instead of {sorted(expected)}")
    check(all(stamp == 0 for stamp in stamps), "a time stamp in the resource directory")


def check_icon(resources, committed):
    group = resources[(RT_GROUP_ICON, 1, NEUTRAL)]
    check(len(group) == 6 + 14, f"icon group of {len(group)} bytes")
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    check((reserved, kind, count) == (0, 1, 1), "icon group is not one icon")
    width, height, colours, _, planes, bits, size, number = struct.unpack_from("<BBBBHHIH", group, 6)
    check((width, height, colours, planes, bits, number) == (48, 48, 0, 1, 24, 30001),
          f"icon group entry {width}x{height} {bits} bits, image {number}")
    image = resources[(RT_ICON, 30001, NEUTRAL)]
    check(size == len(image), "icon group gives another size than the image has")
    header = struct.unpack_from("<IiiHHI", image, 0)
    check(header == (40, 48, 96, 1, 24, 0), f"icon image header {header}")
    check(len(image) == 40 + 48 * 144 + 48 * 8, f"icon image of {len(image)} bytes, not 24 bits + mask")
    check(image == committed["icon_30001.bin"], "icon image differs from resources/icon_30001.bin")


def check_cursor(resources, committed):
    group = resources[(RT_GROUP_CURSOR, 101, RUSSIAN)]
    check(len(group) == 6 + 14, f"cursor group of {len(group)} bytes")
    check(struct.unpack_from("<HHH", group, 0) == (0, 2, 1), "cursor group is not one cursor")
    width, height, planes, bits, size, number = struct.unpack_from("<HHHHIH", group, 6)
    check((width, height, planes, bits, number) == (32, 64, 1, 1, 1),
          f"cursor group entry {width}x{height} {bits} bits, image {number}")
    cursor = resources[(RT_CURSOR, 1, RUSSIAN)]
    check(size == len(cursor), "cursor group gives another size than the cursor has")
    hot_x, hot_y = struct.unpack_from("<HH", cursor, 0)
    check((hot_x, hot_y) == (5, 0), f"hot spot ({hot_x}, {hot_y})")
    header = struct.unpack_from("<IiiHHI", cursor, 4)
    check(header == (40, 32, 64, 1, 1, 0), f"cursor header {header}")
    palette = cursor[44:52]
    check(palette == bytes(4) + b"\xff\xff\xff\0", "cursor palette is not black and white")
    xor, mask = cursor[52:52 + 128], cursor[52 + 128:52 + 256]
    check(len(mask) == 128, "cursor planes are short")

    def bit(plane, x, y):  # rows bottom-up, 4 bytes each
        row = 31 - y
        return (plane[row * 4 + x // 8] >> (7 - x % 8)) & 1

    # The fingertip: the hot spot is drawn (mask 0), and nothing is drawn above it or beside
    # it in the top row, so it is the hand's topmost point.
    check(bit(mask, 5, 0) == 0, "the hot spot is transparent")
    check(all(bit(mask, x, 0) == 1 for x in range(32) if abs(x - 5) > 1), "top row is more than the fingertip")
    check(bit(mask, 5, 1) == 0 and bit(mask, 5, 2) == 0, "no finger below the hot spot")
    drawn = sum(1 for y in range(32) for x in range(32) if bit(mask, x, y) == 0)
    check(drawn > 100, f"only {drawn} pixels drawn: not a hand")
    check(cursor == committed["cursor_1.bin"], "cursor differs from resources/cursor_1.bin")


ASM_V1, ASM_V3 = "urn:schemas-microsoft-com:asm.v1", "urn:schemas-microsoft-com:asm.v3"
WINDOWS_SETTINGS = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
# Vista, 7, 8, 8.1, 10 and 11, as Windows publishes them.
SUPPORTED_OS = ["{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]


def tags(element):
    return [child.tag for child in element]


def check_manifest(resources):
    manifest = resources[(RT_MANIFEST, 1, ENGLISH_UK)]
    text = manifest.decode("utf-8")
    check(not manifest.startswith(b"\xef\xbb\xbf"), "manifest starts with a byte-order mark")
    check(text.startswith('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'),
          "manifest declaration")
    v1, v3 = "{%s}" % ASM_V1, "{%s}" % ASM_V3
    root = ElementTree.fromstring(manifest)
    check(root.tag == v1 + "assembly" and root.get("manifestVersion") == "1.0", "manifest root")
    check(tags(root) == [v1 + "assemblyIdentity", v1 + "description", v1 + "dependency",
                         v3 + "trustInfo", v3 + "application", "{%s}compatibility" % COMPATIBILITY],
          f"manifest elements {tags(root)}")
    own = root.find(v1 + "assemblyIdentity")
    check(own.attrib == {"type": "win32", "processorArchitecture": "*", "version": "6.0.0.0", "name": "name"},
          f"program identity {own.attrib}")
    check(root.find(v1 + "description").text == "XP Manifest" + " " * 11, "description")
    dependencies = root.findall(f"{v1}dependency/{v1}dependentAssembly/{v1}assemblyIdentity")
    check(len(dependencies) == 1 and len(root.findall(f"{v1}dependency/{v1}dependentAssembly")) == 1,
          "not exactly one dependent assembly")
    check(dependencies[0].attrib == {
        "type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
        "language": "*", "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df"},
        f"common controls dependency {dependencies[0].attrib}")

    levels = root.findall(f"{v3}trustInfo/{v3}security/{v3}requestedPrivileges/{v3}requestedExecutionLevel")
    check(len(levels) == 1 and levels[0].attrib == {"level": "highestAvailable", "uiAccess": "false"},
          f"execution level {[level.attrib for level in levels]}")
    settings = root.find(f"{v3}application/{v3}windowsSettings")
    check(settings is not None and tags(settings) == ["{%s}dpiAware" % WINDOWS_SETTINGS]
          and settings[0].text == "true", "DPI awareness is not dpiAware true")
    systems = root.findall("{0}compatibility/{0}application/{0}supportedOS".format("{%s}" % COMPATIBILITY))
    check([system.attrib for system in systems] == [{"Id": guid} for guid in SUPPORTED_OS],
          f"supported systems {[system.attrib for system in systems]}")
    # The form XP's parser takes: each namespace declared once, as the default namespace of the
    # element it is for; no prefixes.
    check("xmlns:" not in text, "a prefixed namespace")
    for element, namespace in (("assembly", ASM_V1), ("trustInfo", ASM_V3), ("application", ASM_V3),
                               ("dpiAware", WINDOWS_SETTINGS), ("compatibility", COMPATIBILITY)):
        check(f'<{element} xmlns="{namespace}"' in text, f"{element} does not declare {namespace} itself")
    check(text.count("xmlns=") == 5, "a namespace declared more than once")


def version_blocks(data, offset, end):
    """Children of a version block: (key, value bytes, value type, children span)."""
    while offset < end:
        length, value_length, kind = struct.unpack_from("<HHH", data, offset)
        check(length >= 6, "damaged version block")
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if kind == 1 else value_length
        yield key, data[value_start:value_start + value_size], kind, ((value_start + value_size + 3) & ~3, offset + length)
        offset = (offset + length + 3) & ~3


def check_version(resources, company):
    data = resources[(RT_VERSION, 1, ENGLISH_US)]
    (root_key, fixed, _, (start, end)), = list(version_blocks(data, 0, len(data)))
    check(root_key == "VS_VERSION_INFO" and len(fixed) == 52, "version root")
    fields = struct.unpack("<13I", fixed)
    signature, _, file_ms, file_ls, product_ms, product_ls, _, flags, os_, kind, subtype, date_ms, date_ls = fields
    check(signature == 0xFEEF04BD, "fixed part signature")
    check((file_ms, file_ls, product_ms, product_ls) == (0x10000, 22, 0x10000, 22), "versions are not 1.0.0.22")
    check((flags, os_, kind, subtype, date_ms, date_ls) == (0, 4, 1, 0, 0, 0),
          f"flags {flags}, OS {os_}, type {kind}, subtype {subtype}, date {date_ms}/{date_ls}")
    blocks = {key: span for key, _, _, span in version_blocks(data, start, end)}
    check(set(blocks) == {"StringFileInfo", "VarFileInfo"}, f"version blocks {sorted(blocks)}")
    tables = list(version_blocks(data, *blocks["StringFileInfo"]))
    check([key for key, *_ in tables] == ["040904B0"], "string tables")
    strings = {}
    for key, value, kind, _ in version_blocks(data, *tables[0][3]):
        check(kind == 1, f"{key} is not text")
        strings[key] = value.decode("utf-16-le").rstrip("\0")
    expected = {"Comments": DESCRIPTION, "FileDescription": DESCRIPTION, "LegalTrademarks": "Dialwright",
                "ProductName": "Dialwright", "FileVersion": "1.00.0022", "ProductVersion": "1.00.0022",
                "InternalName": "Dialwright VPN 1.0", "OriginalFilename": "Dialwright VPN 1.0.exe"}
    for key, value in expected.items():
        check(strings.get(key) == value, f"{key} is {strings.get(key)!r}, not {value!r}")
    for key, value in (("CompanyName", company), ("LegalCopyright", f"\u00a9 2026 {company}")):
        check(strings.get(key) == value, f"{key} is {strings.get(key)!r}, not {value!r}")
    check(set(strings) == set(expected) | {"CompanyName", "LegalCopyright"}, f"strings {sorted(strings)}")
    translations = list(version_blocks(data, *blocks["VarFileInfo"]))
    check(len(translations) == 1 and translations[0][0] == "Translation"
          and translations[0][1] == struct.pack("<HH", 0x0409, 1200), "translation is not 0409/1200")


def main():
    if sys.argv[1] == "--dump":
        with open(sys.argv[2], "rb") as file:
            resources, stamps = Pe(file.read()).resources()
        for (kind, number, language), data in sorted(resources.items()):
            print(f"type {kind:3} number {number:6} language {language:5} size {len(data)}")
        return 0
    program, resource_dir = sys.argv[1], sys.argv[2]
    company = sys.argv[4] if sys.argv[3:4] == ["--company"] else "Dialwright"
    committed = {}
    for name in ("icon_30001.bin", "cursor_1.bin"):
        with open(os.path.join(resource_dir, name), "rb") as file:
            committed[name] = file.read()
    with open(program, "rb") as file:
        data = file.read()
    try:
        resources, stamps = Pe(data).resources()
        check_inventory(resources, stamps)
        check_icon(resources, committed)
        check_cursor(resources, committed)
        check_manifest(resources)
        check_version(resources, company)
    except Finding as finding:
        print(f"resource audit of {program}: {finding}", file=sys.stderr)
        return 1
    print(f"resource audit of {program}: {len(resources)} resources as required")
    return 0


if __name__ == "__main__":
    sys.exit(main())
