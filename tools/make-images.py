#!/usr/bin/env python3
"""Draws the program's icon and cursor and writes them into resources/.

    python3 tools/make-images.py [--preview DIR]

- program.ico: the program icon, one 48 x 48 24-bit image with a 1-bit mask (a globe with a
  network plug);
- hand.cur: the picture's cursor, 32 x 32 monochrome, hot spot (5, 0) at the fingertip;
- the raw resources the .rc script links in, so that the image numbers and languages are ours
  and not the resource compiler's: icon_30001.bin, icon_group_1.bin, cursor_1.bin,
  cursor_group_101.bin.

The banner is the provider's and comes from tools/make-banner.py. Everything here is drawn here with the standard library only, deterministically, so the committed
files are reproduced byte for byte. --preview writes enlarged PNG copies for looking at them.
"""

import argparse
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "..", "resources")

ICON_SIZE = 48
ICON_IMAGE_ID = 30001
CURSOR_SIZE = 32
CURSOR_HOT_SPOT = (5, 0)
CURSOR_IMAGE_ID = 1


# ---------------------------------------------------------------- drawing helpers

class Canvas:
    """An RGB canvas of floats with coverage-weighted painting (anti-aliased by distance)."""

    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[list(colour) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        coverage = min(coverage, 1.0)
        pixel = self.pixels[y][x]
        for i in range(3):
            pixel[i] += (colour[i] - pixel[i]) * coverage

    def paint(self, bounds, coverage_at, colour):
        """Paints colour over the pixels in bounds with coverage_at(px, py) of each centre."""
        x0, y0, x1, y1 = bounds
        for y in range(max(0, int(y0) - 1), min(self.height, int(y1) + 2)):
            for x in range(max(0, int(x0) - 1), min(self.width, int(x1) + 2)):
                self.blend(x, y, colour, coverage_at(x + 0.5, y + 0.5))

    def rgb_rows(self):
        return [[tuple(max(0, min(255, int(round(c)))) for c in pixel) for pixel in row]
                for row in self.pixels]


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def stroke(canvas, points, width, colour):
    """A polyline with round joins and caps."""
    radius = width / 2
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    segments = list(zip(points, points[1:])) or [(points[0], points[0])]

    def coverage(px, py):
        d = min(segment_distance(px, py, a[0], a[1], b[0], b[1]) for a, b in segments)
        return radius + 0.5 - d

    canvas.paint((min(xs) - radius, min(ys) - radius, max(xs) + radius, max(ys) + radius),
                 coverage, colour)


def ring(canvas, cx, cy, radius, width, colour):
    canvas.paint((cx - radius - width, cy - radius - width, cx + radius + width, cy + radius + width),
                 lambda px, py: width / 2 + 0.5 - abs(math.hypot(px - cx, py - cy) - radius), colour)


def box(canvas, x0, y0, x1, y1, colour):
    def coverage(px, py):
        return min(px - x0 + 0.5, x1 - px + 0.5, py - y0 + 0.5, y1 - py + 0.5)
    canvas.paint((x0, y0, x1, y1), coverage, colour)


def arc_points(cx, cy, rx, ry, start, end, steps=12):
    """Points of an elliptic arc; angles in degrees, 0 = right, counter-clockwise, y up."""
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


# ------------------------------------------------------------------------ the images

def globe_icon():
    """A globe with a network plug; returns the colours and the opacity of each pixel."""
    canvas = Canvas(ICON_SIZE, ICON_SIZE)
    opacity = Canvas(ICON_SIZE, ICON_SIZE)
    white = (255, 255, 255)
    cx, cy, r = 20, 20, 18.5

    def shape(draw, colour):
        draw(canvas, colour)
        draw(opacity, white)

    # The sea, with a little light from the upper left.
    def sea(target, colour):
        def coverage(px, py):
            return r + 0.5 - math.hypot(px - cx, py - cy)
        if target is opacity:
            target.paint((cx - r, cy - r, cx + r, cy + r), coverage, colour)
            return
        for y in range(ICON_SIZE):
            for x in range(ICON_SIZE):
                light = max(0.0, 1 - math.hypot(x + 0.5 - 14, y + 0.5 - 13) / 30)
                target.blend(x, y, (20 + 60 * light, 90 + 90 * light, 190 + 60 * light),
                             coverage(x + 0.5, y + 0.5))
    shape(sea, None)

    # Land: a few blobs, kept inside the sea.
    def inside(px, py):
        return r - 1.5 - math.hypot(px - cx, py - cy)

    def land(ex, ey, rx, ry):
        def coverage(px, py):
            d = math.hypot((px - ex) / rx, (py - ey) / ry)
            return min((1 - d) * min(rx, ry) + 0.5, inside(px, py))
        canvas.paint((ex - rx, ey - ry, ex + rx, ey + ry), coverage, (60, 170, 70))
    land(14, 14, 7, 5)
    land(11, 21, 4, 6)
    land(27, 26, 6, 8)
    land(30, 12, 5, 3)

    # Meridians and parallels.
    grid = (150, 200, 250)
    for rx in (6.5, 13):
        stroke(canvas, arc_points(cx, cy, rx, r, 90, 270, 16), 0.9, grid)
        stroke(canvas, arc_points(cx, cy, rx, r, -90, 90, 16), 0.9, grid)
    stroke(canvas, [(cx, cy - r), (cx, cy + r)], 0.9, grid)
    for dy in (-11, 0, 11):
        half = math.sqrt(r * r - dy * dy)
        stroke(canvas, [(cx - half + 1, cy + dy), (cx + half - 1, cy + dy)], 0.9, grid)
    ring(canvas, cx, cy, r - 0.3, 1.6, (10, 40, 110))

    # The cable leaves the globe downwards and runs into the plug, which points right.
    def cable(target, colour):
        stroke(target, [(27, 34)] + arc_points(31, 37, 4, 4, 180, 270, 6) + [(33, 41)], 3.4, colour)
    shape(cable, (45, 45, 50))

    # The plug: a body with a darker outline, and a narrower tongue with gold contacts.
    def body(target, colour):
        box(target, 32, 35, 41, 47, colour)
        box(target, 40, 37, 47, 45, colour)
    shape(body, (55, 60, 70))
    box(canvas, 33, 36, 40, 46, (185, 195, 205))
    box(canvas, 40, 38, 46, 44, (225, 230, 235))
    box(canvas, 42, 38, 46, 44, (225, 170, 30))
    for y in (40, 42):
        box(canvas, 42, y, 46, y + 1, (120, 90, 20))
    box(canvas, 35, 38, 37, 44, (140, 150, 160))
    return canvas.rgb_rows(), [[p[0] >= 128 for p in row] for row in opacity.rgb_rows()]


# The hand: '#' black, '.' white, anything else transparent. Row 0 is the top; the fingertip is
# the black pixel at column 5 of row 0, which is the hot spot.
HAND = [
    "     #          ",
    "    #.#         ",
    "    #.#         ",
    "    #.#         ",
    "    #.#         ",
    "    #.###       ",
    "    #.#.###     ",
    "    #.#.#.##    ",
    " ## #.#.#.#.#   ",
    "#..##.......#   ",
    "#...#.......#   ",
    " #..........#   ",
    "  #.........#   ",
    "  #........#    ",
    "   #.......#    ",
    "   #......#     ",
    "    #.....#     ",
    "    #######     ",
]


def hand_cursor():
    rows = []
    for y in range(CURSOR_SIZE):
        line = HAND[y] if y < len(HAND) else ""
        rows.append([line[x] if x < len(line) else " " for x in range(CURSOR_SIZE)])
    assert rows[CURSOR_HOT_SPOT[1]][CURSOR_HOT_SPOT[0]] == "#", "the fingertip must be the hot spot"
    return rows


# -------------------------------------------------------------------- file formats

def bitmap_info_header(width, height, bits, image_size, pixels_per_metre=0, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       pixels_per_metre, pixels_per_metre, colours, 0)


def bgr_rows_bottom_up(rows):
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(-len(line) % 4)
        data += line
    return bytes(data)


def mask_rows_bottom_up(rows):
    """1 bit per pixel, most significant bit first, rows padded to 32 bits."""
    data = bytearray()
    for row in reversed(rows):
        line = bytearray((len(row) + 7) // 8)
        for x, bit in enumerate(row):
            if bit:
                line[x // 8] |= 0x80 >> (x % 8)
        line += bytes(-len(line) % 4)
        data += line
    return bytes(data)


def icon_image(colours, opaque):
    # Transparent pixels are black in the colour plane, so that the mask's AND leaves the
    # screen as it is and the XOR adds nothing.
    xor_rows = [[c if o else (0, 0, 0) for c, o in zip(crow, orow)] for crow, orow in zip(colours, opaque)]
    xor = bgr_rows_bottom_up(xor_rows)
    and_mask = mask_rows_bottom_up([[not o for o in row] for row in opaque])
    return bitmap_info_header(ICON_SIZE, 2 * ICON_SIZE, 24, len(xor) + len(and_mask)) + xor + and_mask


def cursor_image(rows):
    xor = mask_rows_bottom_up([[c == "." for c in row] for row in rows])
    and_mask = mask_rows_bottom_up([[c not in "#." for c in row] for row in rows])
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    return (bitmap_info_header(CURSOR_SIZE, 2 * CURSOR_SIZE, 1, len(xor) + len(and_mask), 0, 2)
            + palette + xor + and_mask)


def icon_group(image):
    # GRPICONDIR + one GRPICONDIRENTRY: width, height, colours, reserved, planes, bits, size, id.
    return struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHIH", ICON_SIZE, ICON_SIZE, 0, 0, 1, 24, len(image), ICON_IMAGE_ID)


def cursor_resource(image):
    # A cursor resource starts with its hot spot.
    return struct.pack("<HH", *CURSOR_HOT_SPOT) + image


def cursor_group(resource):
    # The group's entry: width, height of both planes, planes, bits, size, id.
    return struct.pack("<HHH", 0, 2, 1) + struct.pack(
        "<HHHHIH", CURSOR_SIZE, 2 * CURSOR_SIZE, 1, 1, len(resource), CURSOR_IMAGE_ID)


def ico_file(image):
    entry = struct.pack("<BBBBHHII", ICON_SIZE, ICON_SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def cur_file(image):
    entry = struct.pack("<BBBBHHII", CURSOR_SIZE, CURSOR_SIZE, 2, 0, *CURSOR_HOT_SPOT, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


# ------------------------------------------------------------------------ previews

def png_file(rows, scale):
    raw = bytearray()
    for row in rows:
        line = bytearray(b"\0")
        for pixel in row:
            line += bytes(pixel) * scale
        raw += bytes(line) * scale
    width, height = len(rows[0]) * scale, len(rows) * scale

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def checker(x, y):
    return (200, 200, 200) if (x // 4 + y // 4) % 2 else (240, 240, 240)


def write(path, data):
    with open(path, "wb") as file:
        file.write(data)
    print(f"{os.path.relpath(path)}: {len(data)} bytes")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--out", default=RESOURCES, help="where to write (default: resources/)")
    parser.add_argument("--preview", help="also write enlarged PNG previews into this folder")
    args = parser.parse_args()

    icon_colours, icon_opaque = globe_icon()
    hand = hand_cursor()
    icon = icon_image(icon_colours, icon_opaque)
    cursor = cursor_image(hand)

    os.makedirs(args.out, exist_ok=True)
    write(os.path.join(args.out, "program.ico"), ico_file(icon))
    write(os.path.join(args.out, "hand.cur"), cur_file(cursor))
    write(os.path.join(args.out, "icon_30001.bin"), icon)
    write(os.path.join(args.out, "icon_group_1.bin"), icon_group(icon))
    write(os.path.join(args.out, "cursor_1.bin"), cursor_resource(cursor))
    write(os.path.join(args.out, "cursor_group_101.bin"), cursor_group(cursor_resource(cursor)))

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        icon_view = [[c if o else checker(x, y) for x, (c, o) in enumerate(zip(crow, orow))]
                     for y, (crow, orow) in enumerate(zip(icon_colours, icon_opaque))]
        write(os.path.join(args.preview, "icon.png"), png_file(icon_view, 8))
        colours = {"#": (0, 0, 0), ".": (255, 255, 255)}
        hand_view = [[colours.get(c, checker(x, y)) for x, c in enumerate(row)] for y, row in enumerate(hand)]
        hand_view[CURSOR_HOT_SPOT[1]][CURSOR_HOT_SPOT[0]] = (255, 0, 0)
        write(os.path.join(args.preview, "cursor.png"), png_file(hand_view, 12))


if __name__ == "__main__":
    main()
