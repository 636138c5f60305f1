#!/usr/bin/env python3
"""Checks the values a provider's build is made with, before anything is built.

    provider-values.py --name NAME --server SERVER --site SITE --company COMPANY
                       [--tunnel TUNNEL] [--psk-file FILE]

Each value that breaks a rule is one line on stderr: the value's name (the make variable and
the CMake cache variable), what it was, and the rule; the exit code is then 1. When all hold,
stdout gets two UTF-16 string literals for the resource script (which the resource compiler
reads as ANSI text): the company's name, and the copyright line "(c) <year> <company>"; then a
wide string literal of the pre-shared key, every character escaped (L"" without one).
The key itself is never printed, not even in part: a line about it names its file, and a
character it breaks a rule with only by its position.

The rules come from where the values end up:
- the name: the entry is "<name> INTERNET", an entry name of the system phonebook and the file
  name of its desktop shortcut, sent to the phonebook as ANSI text (Windows-1251);
- the server: the entry's phone-number field, 128 characters wide;
- the site: the picture's click hands it to the shell as ANSI text;
- the company: the version information's CompanyName and LegalCopyright;
- the tunnel: one of the profiles of phonebook/vpn_tunnels.h;
- the pre-shared key of l2tp-psk: RASCREDENTIALSA's szPassword, PWLEN (256) characters, sent
  to the phonebook as ANSI text (Windows-1251) and typed on the server's side as well.
"""

import argparse
import os
import re
import sys

ENTRY_SUFFIX = " INTERNET"
ENTRY_NAME_MAX = 256
ENTRY_NAME_FORBIDDEN = '|><?*\\/:"'
SERVER_MAX = 128
LABEL = re.compile(r"[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?\Z")
SITE_MAX = 2048
SITE = re.compile(r"(?i)https?://(?:[^/?#@]*@)?(?P<host>\[[0-9a-f:.]+\]|[^/?#:\[\]]+)(?::\d*)?(?:[/?#]|\Z)")
COMPANY_MAX = 256
TUNNELS = ("pptp-first", "sstp", "l2tp-psk")
KEYED_TUNNEL = "l2tp-psk"
KEY_MAX = 256
COPYRIGHT_YEAR = 2026
ANSI_CODE_PAGE = "cp1251"

VALUES = {
    "name": "NAME (DIALWRIGHT_PROVIDER_NAME)",
    "server": "SERVER (DIALWRIGHT_VPN_SERVER)",
    "site": "SITE (DIALWRIGHT_SITE_ADDRESS)",
    "company": "COMPANY (DIALWRIGHT_COMPANY)",
    "tunnel": "TUNNEL (DIALWRIGHT_TUNNEL)",
    "psk_file": "PSK_FILE (DIALWRIGHT_PSK_FILE)",
}


def code_page_rule(text):
    """The rule broken when Windows-1251 cannot hold every character of text, or None."""
    missing = sorted({c for c in text if not c.encode(ANSI_CODE_PAGE, "ignore")})
    if not missing:
        return None
    listed = ", ".join(f"{c!r} (U+{ord(c):04X})" for c in missing)
    return f"has {listed}, which Windows-1251 (the systems' ANSI code page) cannot hold"


def has_control(text):
    return any(ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0 for c in text)


def name_rule(name):
    if not name:
        return "is empty: the provider's name is required"
    if name != name.strip():
        return "has spaces at its start or end"
    if has_control(name):
        return "has a control character"
    entry = name + ENTRY_SUFFIX
    if len(entry) > ENTRY_NAME_MAX:
        return (f"makes the entry name {len(entry)} characters long; "
                f"\"<name>{ENTRY_SUFFIX}\" may have at most {ENTRY_NAME_MAX}")
    if name.startswith("."):
        return "starts with a period, which an entry name may not"
    forbidden = [c for c in ENTRY_NAME_FORBIDDEN if c in name]
    if forbidden:
        return (f"has {' '.join(forbidden)}; an entry name and a file name may not contain "
                f"any of {' '.join(ENTRY_NAME_FORBIDDEN)}")
    return code_page_rule(name)


def server_rule(server):
    if not server:
        return "is empty: the VPN server's address is required"
    if len(server) > SERVER_MAX:
        return f"is {len(server)} characters long; the phone-number field holds at most {SERVER_MAX}"
    if re.fullmatch(r"[0-9.]+", server):
        parts = server.split(".")
        if len(parts) != 4 or not all(re.fullmatch(r"0|[1-9][0-9]{0,2}", p) and int(p) <= 255
                                      for p in parts):
            return ("is not a dotted IPv4 address: four parts of 0 to 255, "
                    "without leading zeros, such as 198.51.100.10")
        return None
    if not all(LABEL.match(label) for label in server.split(".")):
        return ("is neither a dotted IPv4 address nor a host name: letters, digits and hyphens "
                "in dot-separated labels of 1 to 63 characters, no hyphen at a label's ends")
    return None


def site_rule(site):
    if not re.match(r"(?i)https?://", site):
        return "does not start with http:// or https://"
    if len(site) > SITE_MAX:
        return f"is {len(site)} characters long; at most {SITE_MAX}"
    if " " in site or has_control(site):
        return "has a space or a control character; write a space as %20"
    if not SITE.match(site):
        return "has no host after its http:// or https://"
    return code_page_rule(site)


def company_rule(company):
    if not company:
        return "is empty"
    if not company.isprintable():
        return "has a character that is not printable"
    if len(company) > COMPANY_MAX:
        return f"is {len(company)} characters long; at most {COMPANY_MAX}"
    return None


def tunnel_rule(tunnel):
    if tunnel not in TUNNELS:
        return f"is none of the tunnels: {', '.join(TUNNELS)}"
    return None


def read_key(path):
    """The key in the file without one closing line break, and the rule it breaks, or None."""
    try:
        with open(path, "rb") as file:
            data = file.read()
    except OSError as error:
        return None, f"cannot be read: {error.strerror}"
    try:
        key = data.decode("utf-8")
    except UnicodeDecodeError:
        return None, "does not hold UTF-8 text"
    for ending in ("\r\n", "\n"):
        if key.endswith(ending):
            key = key[: -len(ending)]
            break
    return key, None


def key_rule(key):
    if not key:
        return "holds no key: the pre-shared key is required for l2tp-psk"
    if key != key.strip():
        return "holds a key with spaces or line breaks at its start or end"
    if len(key) > KEY_MAX:
        return f"holds a key of {len(key)} characters; Windows keeps at most {KEY_MAX} (PWLEN)"
    for position, character in enumerate(key, 1):
        if has_control(character):
            return f"holds a key with a control character at position {position}"
        if not character.encode(ANSI_CODE_PAGE, "ignore"):
            return (f"holds a key with a character at position {position} that Windows-1251 "
                    f"(the systems' ANSI code page) cannot hold")
    return None


def key_problems(tunnel, path):
    """The rule the tunnel and its key file break together, the key, and the value named."""
    if tunnel != KEYED_TUNNEL:
        if path:
            return f"is given, but only {KEYED_TUNNEL} has a pre-shared key", None
        return None, ""
    if not path:
        return f"is not given: {KEYED_TUNNEL} needs a file holding its pre-shared key", None
    key, problem = read_key(path)
    return problem or key_rule(key), key


RULES = {"name": name_rule, "server": server_rule, "site": site_rule, "company": company_rule,
         "tunnel": tunnel_rule}


def utf16_literal(text):
    units = text.encode("utf-16-le")
    return 'L"' + "".join(f"\\x{int.from_bytes(units[i:i + 2], 'little'):04x}"
                          for i in range(0, len(units), 2)) + '"'


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    for value in RULES:
        parser.add_argument(f"--{value}", required=value != "tunnel", default="pptp-first")
    parser.add_argument("--psk-file", default="")
    args = parser.parse_args()
    failed = False
    if "PSK" in os.environ:  # its value is not repeated
        print("PSK: a pre-shared key is read from a file (PSK_FILE), never given as a value: "
              "make, the shell's history and the process list would show it", file=sys.stderr)
        failed = True
    for value, rule in RULES.items():
        text = getattr(args, value)
        try:
            text.encode("utf-8")
        except UnicodeEncodeError:
            problem = "is not valid UTF-8 text"
        else:
            problem = rule(text)
        if problem:
            shown = text.encode("utf-8", "backslashreplace").decode("utf-8")
            print(f"{VALUES[value]}={shown!r}: {problem}", file=sys.stderr)
            failed = True
    key = ""
    if args.tunnel in TUNNELS:
        problem, key = key_problems(args.tunnel, args.psk_file)
        if problem:
            print(f"{VALUES['psk_file']}={args.psk_file!r}: {problem}", file=sys.stderr)
            failed = True
    if failed:
        return 1
    print(utf16_literal(args.company))
    print(utf16_literal(f"\u00a9 {COPYRIGHT_YEAR} {args.company}"))
    print(utf16_literal(key))
    return 0


if __name__ == "__main__":
    sys.exit(main())
