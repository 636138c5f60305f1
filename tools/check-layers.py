#!/usr/bin/env python3
"""Fails when a product file includes a header of a layer it may not use.

    check-layers.py [ROOT]

The layers, lowest first: the portable declarations of the system (platform/); their Windows
implementations (platform/win32/); the phonebook layer (phonebook/) and the desktop steps
(desktop/), which see only those declarations and the process-wide settings they read directly
(app/settings.h); the application (app/), which sees all three; the program's composition root
(app/win32/), which sees everything. The phonebook stand-in (standin/) is a world of its own;
its Windows part may use the Windows helpers of platform/win32/. Each finding is one line,
FILE:LINE: "header" (what FOLDER may include), and the exit code is 1.
"""

import os
import re
import sys

ALLOWED = {
    "platform": ["platform/"],
    "platform/win32": ["platform/"],
    "phonebook": ["phonebook/", "platform/", "app/settings.h"],
    "desktop": ["desktop/", "platform/", "app/settings.h"],
    "app": ["app/", "phonebook/", "desktop/", "platform/"],
    "app/win32": ["app/", "phonebook/", "desktop/", "platform/"],
    "standin": ["standin/"],
    "standin/win32": ["standin/", "platform/win32/"],
}
# Deeper folders a layer's prefix would otherwise let in.
FORBIDDEN_BELOW = {"platform": ["platform/win32/"], "phonebook": [], "desktop": [],
                   "app": ["app/win32/"], "standin": ["standin/win32/"]}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def allowed(folder, header):
    if any(header.startswith(p) for p in FORBIDDEN_BELOW.get(folder, [])):
        return False
    return any(header == p or (p.endswith("/") and header.startswith(p)) for p in ALLOWED[folder])


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    findings = []
    for folder in ALLOWED:
        directory = os.path.join(root, folder)
        if not os.path.isdir(directory):
            continue
        for name in sorted(os.listdir(directory)):
            if not name.endswith((".cpp", ".h", ".in")):
                continue
            path = os.path.join(directory, name)
            with open(path, encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    found = INCLUDE.match(line)
                    if found and not allowed(folder, found.group(1)):
                        findings.append(f"{folder}/{name}:{number}: \"{found.group(1)}\" "
                                        f"({folder}/ may include {', '.join(ALLOWED[folder])})")
    for finding in findings:
        print(finding, file=sys.stderr)
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
