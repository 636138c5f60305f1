#!/usr/bin/python3
"""The provider's values, good and bad, through the checks of the configure step.

    values_table.py SOURCE_DIR SCRATCH_DIR

Each row runs cmake/check-provider.cmake (what the configure step runs, without a build) with
one value changed from a good set: a good value must pass, a bad one must stop with the line
that names it and the rule. The last row configures the project itself with a bad value.
"""

import os
import subprocess
import sys

from PIL import Image

SOURCE, SCRATCH = sys.argv[1], sys.argv[2]
GOOD = {"NAME": "Ромашка", "SERVER": "vpn.romashka.example", "SITE": "https://romashka.example/",
        "COMPANY": "ООО «Ромашка»"}
NAME, SERVER, SITE, COMPANY = ("NAME (DIALWRIGHT_PROVIDER_NAME)", "SERVER (DIALWRIGHT_VPN_SERVER)",
                               "SITE (DIALWRIGHT_SITE_ADDRESS)", "COMPANY (DIALWRIGHT_COMPANY)")
TUNNEL, PSK_FILE = "TUNNEL (DIALWRIGHT_TUNNEL)", "PSK_FILE (DIALWRIGHT_PSK_FILE)"
KEY = "ключ-Ёж 2024"  # no line about a key may show any of it
FORBIDDEN = "may not contain any of"
CODE_PAGE = "Windows-1251"


def logo(name, size=(200, 100), image_format="PNG", mode="RGB"):
    path = os.path.join(SCRATCH, name)
    Image.new(mode, size, (200, 40, 40)).save(path, format=image_format)
    return path


def key_file(name, text):
    return scratch_file(name, text.encode("utf-8"))


def scratch_file(name, data):
    path = os.path.join(SCRATCH, name)
    with open(path, "wb") as file:
        file.write(data)
    return path


def rows():
    good_logo = logo("logo.png")
    with open(good_logo, "rb") as file:
        truncated = scratch_file("truncated.png", file.read()[:60])
    return [
        # the name
        ({"NAME": "Vorlix"}, None), ({"NAME": "Сеть-Плюс 2"}, None), ({"NAME": "Ёлка №1"}, None),
        ({"NAME": "a.b"}, None), ({"NAME": "A" * 247}, None),
        ({"NAME": "Ром;ашка $HOME 'x' `y` #1"}, None),
        ({"NAME": ""}, f"{NAME}='': is empty"),
        ({"NAME": " Ромашка"}, f"{NAME}=' Ромашка': has spaces at its start or end"),
        ({"NAME": "A" * 248}, "makes the entry name 257 characters long"),
        ({"NAME": ".Ромашка"}, "starts with a period"),
        *[({"NAME": f"Ром{c}ашка"}, f"has {c}; an entry name and a file name {FORBIDDEN}")
          for c in '|><?*\\/:"'],
        ({"NAME": "Zürich"}, f"has 'ü' (U+00FC), which {CODE_PAGE}"),
        ({"NAME": "Ромашка✓"}, f"has '✓' (U+2713), which {CODE_PAGE}"),
        ({"NAME": "Рома\tшка"}, "has a control character"),
        # the server
        ({"SERVER": "198.51.100.10"}, None), ({"SERVER": "0.0.0.0"}, None),
        ({"SERVER": "255.255.255.255"}, None), ({"SERVER": "localhost"}, None),
        ({"SERVER": "vpn-1.x9.example"}, None), ({"SERVER": "a" * 63 + ".example"}, None),
        ({"SERVER": "a" * 63 + "." + "b" * 62 + ".c"}, None),
        ({"SERVER": ""}, f"{SERVER}='': is empty"),
        ({"SERVER": "not an address"}, f"{SERVER}='not an address': is neither a dotted IPv4"),
        *[({"SERVER": bad}, "is not a dotted IPv4 address")
          for bad in ("256.1.1.1", "1.2.3", "1.2.3.4.5", "01.2.3.4", "1..2.3", "1.2.3.4.")],
        *[({"SERVER": bad}, "is neither a dotted IPv4 address nor a host name")
          for bad in ("-vpn.example", "vpn-.example", "vpn..example", "vpn.example.",
                      "vpn_1.example", "a" * 64 + ".example", "впн.example", "vpn.example:1723")],
        ({"SERVER": "a" * 129}, "is 129 characters long; the phone-number field holds at most 128"),
        # the site
        ({"SITE": "http://x"}, None), ({"SITE": "HTTPS://X.EXAMPLE"}, None),
        ({"SITE": "http://user@host.example:8080/путь?q=1#a"}, None),
        ({"SITE": "http://[2001:db8::1]/"}, None),
        ({"SITE": "https://x.example/a;b?c=1&d=%20#e"}, None),
        ({"SITE": "https://x.example/" + "a" * 2030}, None),
        ({"SITE": "ftp://romashka.example/"}, f"{SITE}='ftp://romashka.example/': does not start"),
        ({"SITE": "www.romashka.example"}, "does not start with http:// or https://"),
        *[({"SITE": bad}, "has no host") for bad in ("http://", "https:///path", "http://:80/")],
        ({"SITE": "http://romashka.example/a b"}, "has a space or a control character"),
        ({"SITE": "http://romashka.example/\x07"}, "has a space or a control character"),
        ({"SITE": "https://ромашка.example/✓"}, f"has '✓' (U+2713), which {CODE_PAGE}"),
        ({"SITE": "https://x.example/" + "a" * 2031}, "is 2049 characters long; at most 2048"),
        # the company
        ({"COMPANY": "A" * 256}, None), ({"COMPANY": "A;B & C «D»"}, None),
        ({"COMPANY": "ООО\nРомашка"}, f"{COMPANY}='ООО\\nРомашка': has a character that is not printable"),
        ({"COMPANY": "A" * 257}, "is 257 characters long; at most 256"),
        # the logo
        ({"LOGO": good_logo}, None),
        ({"LOGO": logo("logo.jpg", image_format="JPEG")}, None),
        ({"LOGO": logo("logo.bmp", image_format="BMP")}, None),
        ({"LOGO": logo("clear.png", mode="RGBA")}, None),
        ({"LOGO": logo("wide.png", (1900, 100))}, None),
        ({"LOGO": good_logo, "BACKGROUND": "#102030"}, None),
        ({"LOGO": logo("semi;colon.png")}, None),
        ({"LOGO": os.path.join(SCRATCH, "absent.png")}, "absent.png: no such file"),
        ({"LOGO": scratch_file("words.png", b"not an image\n")}, "words.png: not a PNG, JPEG or BMP image"),
        ({"LOGO": truncated}, "truncated.png: unreadable"),
        ({"LOGO": logo("logo.gif", image_format="GIF", mode="P")}, "logo.gif: a GIF image; give a PNG, JPEG or BMP"),
        ({"LOGO": logo("thin.png", (1, 10000))}, "thin.png: 1 x 10000 pixels: each side must be at least 16"),
        ({"LOGO": logo("tiny.png", (8, 8))}, "each side must be at least 16"),
        ({"LOGO": logo("strip.png", (3000, 16))}, "would be 301 x 2 in the 301 x 98 banner: too thin"),
        ({"LOGO": logo("tower.png", (16, 2000))}, "would be 1 x 98 in the 301 x 98 banner: too thin"),
        ({"LOGO": good_logo, "BACKGROUND": "#zzz"}, "BACKGROUND='#zzz': not a colour"),
        # the tunnel and its key
        ({"TUNNEL": "pptp-first"}, None), ({"TUNNEL": "sstp"}, None),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("key.txt", KEY + "\n")}, None),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("crlf.txt", KEY + "\r\n")}, None),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("longest.txt", "к" * 256)}, None),
        ({"TUNNEL": "ikev2"}, f"{TUNNEL}='ikev2': is none of the tunnels: pptp-first, sstp, l2tp-psk"),
        ({"TUNNEL": "SSTP"}, "is none of the tunnels"),
        ({"TUNNEL": "sstp", "PSK_FILE": key_file("key.txt", KEY)}, "is given, but only l2tp-psk has a pre-shared key"),
        ({"PSK_FILE": key_file("key.txt", KEY)}, "is given, but only l2tp-psk has a pre-shared key"),
        ({"TUNNEL": "l2tp-psk"}, f"{PSK_FILE}='': is not given: l2tp-psk needs a file holding its pre-shared key"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": os.path.join(SCRATCH, "absent-key.txt")}, "absent-key.txt': cannot be read"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("empty.txt", "\n")}, "holds no key"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("long.txt", "к" * 257)},
         "holds a key of 257 characters; Windows keeps at most 256 (PWLEN)"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("spaced.txt", " " + KEY)}, "spaces or line breaks at its start or end"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("two-lines.txt", KEY + "\n\n")}, "spaces or line breaks at its start or end"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("tab.txt", "ключ\tЁж")}, "a control character at position 5"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": key_file("emoji.txt", "ключ✓Ёж")},
         "a character at position 5 that Windows-1251 (the systems' ANSI code page) cannot hold"),
        ({"TUNNEL": "l2tp-psk", "PSK_FILE": scratch_file("latin1.txt", "ключ".encode("cp1251"))}, "does not hold UTF-8 text"),
    ]


def run(command):
    result = subprocess.run(command, capture_output=True, text=True)
    return result.returncode, result.stdout + result.stderr


def check(changes, expected):
    values = {**GOOD, **changes}
    command = ["cmake"] + [f"-D{key}={value}" for key, value in values.items()]
    command += [f"-DBANNER_DIR={SCRATCH}/banner", "-P", f"{SOURCE}/cmake/check-provider.cmake"]
    status, output = run(command)
    for part in (KEY, "ключ", "Ёж", "кккк"):
        if part in output:
            return f"shows the key: {output.strip()}"
    if expected is None:
        return None if status == 0 else f"refused: {output.strip()}"
    if status == 0:
        return "passed, but must be refused"
    return None if expected in output else f"refused without {expected!r}:\n{output.strip()}"


def main():
    os.makedirs(SCRATCH, exist_ok=True)
    failures = []
    table = rows()
    for changes, expected in table:
        problem = check(changes, expected)
        if problem:
            failures.append(f"{changes!r:.120}: {problem}")
    # `make provider` checks before it builds anything; trailing spaces reach only it (CMake
    # drops them from a -D value).
    for changes, expected in (({"NAME": "Ромашка "}, f"{NAME}='Ромашка ': has spaces"),
                              ({"SERVER": ""}, "SERVER not given"),
                              ({"TUNNEL": "l2tp-psk", "PSK": KEY},
                               "PSK: a pre-shared key is read from a file (PSK_FILE), never given as a value")):
        values = {**GOOD, **changes}
        result = subprocess.run(["bash", f"{SOURCE}/tools/provider.sh"], capture_output=True,
                                text=True, env={**os.environ, **values})
        table.append((changes, expected))
        if result.returncode == 0 or expected not in result.stderr or KEY in result.stderr:
            failures.append(f"make provider with {changes!r}: exit {result.returncode}\n{result.stderr}")
    # The project's own configure step runs the same checks.
    status, output = run(["cmake", "-S", SOURCE, "-B", f"{SCRATCH}/configure",
                          "-DDIALWRIGHT_VPN_SERVER=1.2.3.256"])
    if status == 0 or f"{SERVER}='1.2.3.256': is not a dotted IPv4" not in output:
        failures.append(f"configuring with a bad server: exit {status}\n{output[-2000:]}")
    for failure in failures:
        print(failure)
    print(f"provider values: {len(table) + 1 - len(failures)} of {len(table) + 1} rows as required")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
