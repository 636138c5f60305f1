#!/usr/bin/python3
"""Makes the provider's banner: 301 x 98, 24 bits, uncompressed, 3780 pixels per metre.

    make-banner.py --out banner.bmp --logo logo.png [--background "#rrggbb"]
    make-banner.py --out banner.bmp --name "Ромашка" [--tagline "INTERNET · VPN"]

With --logo, the logo (PNG, JPEG or BMP of any size) is scaled to fit the banner with its aspect
kept (Lanczos) and centred on the background colour: the one given, or the most common colour
of the logo's outermost pixels. Without it, the provider's name is drawn in DejaVu Sans Bold
beside the program's mark, as large as fits. The output depends only on the arguments and the
installed Pillow and fonts, so the committed resources/banner.bmp is reproduced byte for byte:
    make-banner.py --out resources/banner.bmp --name VORLIX

A logo that cannot be used is one line on stderr naming the file and the reason, and exit 1.
Runs with Debian's python3 and python3-pil (tools/setup.sh installs both).
"""

import argparse
import collections
import io
import os
import sys

try:
    from PIL import Image, ImageColor, ImageDraw, ImageFont, ImageOps, UnidentifiedImageError
except ImportError:
    sys.exit("make-banner: Pillow is missing: install python3-pil (make setup does) and run "
             "this with /usr/bin/python3")

WIDTH, HEIGHT = 301, 98
PIXELS_PER_METRE = 3780
DPI = PIXELS_PER_METRE * 0.0254  # Pillow writes the BMP's resolution from dots per inch
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SUPERSAMPLE = 4
# A logo this small, or one that would be this thin once fitted, is not a logo.
MIN_LOGO_SIDE = 16
MAX_LOGO_PIXELS = 50_000_000
LOGO_FORMATS = ("PNG", "JPEG", "BMP")


class LogoError(Exception):
    pass


def save_bmp(image, path):
    buffer = io.BytesIO()
    image.convert("RGB").save(buffer, format="BMP", dpi=(DPI, DPI))
    data = bytearray(buffer.getvalue())
    # Pillow rounds the resolution through inches; the banner's is exactly 3780 per metre.
    data[38:46] = PIXELS_PER_METRE.to_bytes(4, "little") * 2
    with open(path, "wb") as file:
        file.write(data)


# ------------------------------------------------------------------------ from a logo

def open_logo(path):
    if not os.path.isfile(path):
        raise LogoError("no such file")
    Image.MAX_IMAGE_PIXELS = MAX_LOGO_PIXELS
    try:
        with Image.open(path) as image:
            if image.format not in LOGO_FORMATS:
                raise LogoError(f"a {image.format} image; give a PNG, JPEG or BMP")
            width, height = image.size
            if width * height > MAX_LOGO_PIXELS:
                raise LogoError(f"{width} x {height} pixels is more than {MAX_LOGO_PIXELS:,}")
            image.load()
            return ImageOps.exif_transpose(image).convert("RGBA")
    except LogoError:
        raise
    except (UnidentifiedImageError, Image.DecompressionBombError):
        raise LogoError("not a PNG, JPEG or BMP image") from None
    except OSError as error:
        raise LogoError(f"unreadable: {error.strerror or error}") from None


def check_proportions(image):
    width, height = image.size
    if min(width, height) < MIN_LOGO_SIDE:
        raise LogoError(f"{width} x {height} pixels: each side must be at least {MIN_LOGO_SIDE}")
    fitted = ImageOps.contain(image, (WIDTH, HEIGHT)).size
    if min(fitted) < MIN_LOGO_SIDE:
        raise LogoError(f"{width} x {height} pixels would be {fitted[0]} x {fitted[1]} in the "
                        f"{WIDTH} x {HEIGHT} banner: too thin to see")


def edge_colour(image):
    """The most common colour of the outermost pixels that are not transparent."""
    width, height = image.size
    pixels = image.load()
    edge = [(x, 0) for x in range(width)] + [(x, height - 1) for x in range(width)]
    edge += [(0, y) for y in range(1, height - 1)] + [(width - 1, y) for y in range(1, height - 1)]
    counts = collections.Counter(pixels[p][:3] for p in edge if pixels[p][3] >= 128)
    return counts.most_common(1)[0][0] if counts else (255, 255, 255)


def banner_from_logo(path, background=None):
    image = open_logo(path)
    check_proportions(image)
    colour = background or edge_colour(image)
    fitted = ImageOps.contain(image, (WIDTH, HEIGHT), method=Image.Resampling.LANCZOS)
    banner = Image.new("RGB", (WIDTH, HEIGHT), colour)
    banner.paste(fitted, ((WIDTH - fitted.width) // 2, (HEIGHT - fitted.height) // 2), fitted)
    return banner


# ------------------------------------------------------------------------ from the name

def background():
    """A blue with a glow at the upper left, lighter to the right."""
    image = Image.new("RGB", (WIDTH, HEIGHT))
    pixels = image.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            t = x / (WIDTH - 1)
            glow = max(0.0, 1 - (((x - 60) / 120) ** 2 + ((y - 20) / 90) ** 2) ** 0.5)
            pixels[x, y] = (round(10 + 20 * t + 40 * glow), round(40 + 70 * t + 60 * glow),
                            round(110 + 110 * t + 60 * glow))
    return image


def mark_layer():
    """The program's mark, drawn large and scaled down so its edges are smooth: a ring with an
    orbiting dot and a check-like V inside."""
    s = SUPERSAMPLE
    layer = Image.new("RGBA", (WIDTH * s, HEIGHT * s), (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    cx, cy = 49 * s, 49 * s

    def circle(radius, **style):
        draw.ellipse((cx - radius * s, cy - radius * s, cx + radius * s, cy + radius * s), **style)

    circle(34, fill=(8, 32, 90))
    circle(32.5, outline=(255, 255, 255), width=5 * s)
    orange = (255, 170, 30)
    v = [(cx - 15 * s, cy - 12 * s), (cx - 2 * s, cy + 14 * s), (cx + 17 * s, cy - 20 * s)]
    draw.line(v, fill=orange, width=7 * s, joint="curve")
    for x, y in (v[0], v[2]):
        draw.ellipse((x - 3.5 * s, y - 3.5 * s, x + 3.5 * s, y + 3.5 * s), fill=orange)
    dot = (cx + 24 * s, cy - 19 * s)
    draw.ellipse((dot[0] - 5.5 * s, dot[1] - 5.5 * s, dot[0] + 5.5 * s, dot[1] + 5.5 * s), fill=orange)
    return layer.resize((WIDTH, HEIGHT), Image.Resampling.LANCZOS)


def fitting_font(text, width, largest, smallest=8):
    for size in range(largest, smallest - 1, -1):
        font = ImageFont.truetype(FONT, size)
        if font.getlength(text) <= width:
            return font
    return ImageFont.truetype(FONT, smallest)


def banner_from_name(name, tagline):
    banner = background()
    banner.paste(mark_layer(), (0, 0), mark_layer())
    draw = ImageDraw.Draw(banner)
    left, right = 96, WIDTH - 8
    name_font = fitting_font(name, right - left, 40)
    draw.text((left, 48), name, font=name_font, fill=(255, 255, 255), anchor="ls")
    if tagline:
        draw.text((left + 1, 70), tagline, font=fitting_font(tagline, right - left, 12),
                  fill=(170, 220, 255), anchor="ls")
    return banner


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--out", required=True, help="the BMP file to write")
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--logo", help="the provider's logo: PNG, JPEG or BMP")
    source.add_argument("--name", help="the provider's name, drawn when there is no logo")
    parser.add_argument("--tagline", default="INTERNET · VPN", help="small text under the name")
    parser.add_argument("--background", help="the colour around the logo (default: its edge)")
    args = parser.parse_args()
    background = None
    if args.background:
        try:
            background = ImageColor.getrgb(args.background)[:3]
        except ValueError:
            sys.exit(f"BACKGROUND={args.background!r}: not a colour such as #1a2b3c")
    try:
        banner = (banner_from_logo(args.logo, background) if args.logo
                  else banner_from_name(args.name, args.tagline))
    except LogoError as error:
        sys.exit(f"LOGO={args.logo}: {error}")
    save_bmp(banner, args.out)


if __name__ == "__main__":
    main()
