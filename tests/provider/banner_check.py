#!/usr/bin/python3
"""The test's logo, and the window's picture compared with it.

    banner_check.py make-logo LOGO.png
    banner_check.py compare LOGO.png PICTURE.bmp

The logo has shapes of several colours on a plain ground and is not of the banner's aspect,
so that a banner made without it, with the wrong scale, aspect or position, or on another
background, differs. The comparison scales the logo by the banner's rule (fitted into 301 x 98 with its
aspect kept, centred on the colour of its edge), then to the picture's 300 x 100 the way the
window shows the banner, and requires the two to agree pixel by pixel within a tolerance.
"""

import sys

from PIL import Image, ImageChops, ImageDraw, ImageOps, ImageStat

BANNER = (301, 98)
PICTURE = (300, 100)
EDGE = (250, 236, 190)
MEAN_TOLERANCE = 8      # of 255, over all pixels and channels
PIXEL_TOLERANCE = 64    # no more than 2 % of the pixels further off than this
OUTLIERS = 0.02


def make_logo(path):
    logo = Image.new("RGBA", (480, 240), EDGE + (255,))
    draw = ImageDraw.Draw(logo)
    draw.ellipse((20, 20, 220, 220), fill=(200, 30, 60, 255))
    draw.rectangle((250, 40, 460, 120), fill=(20, 120, 40, 255))
    draw.rectangle((250, 140, 460, 200), fill=(30, 60, 200, 255))
    draw.polygon([(120, 60), (180, 180), (60, 180)], fill=(255, 210, 0, 255))
    logo.save(path)


def expected_picture(logo_path):
    logo = Image.open(logo_path).convert("RGBA")
    fitted = ImageOps.contain(logo, BANNER, method=Image.Resampling.LANCZOS)
    banner = Image.new("RGB", BANNER, EDGE)
    banner.paste(fitted, ((BANNER[0] - fitted.width) // 2, (BANNER[1] - fitted.height) // 2), fitted)
    return banner.resize(PICTURE, Image.Resampling.BILINEAR)


def compare(logo_path, picture_path):
    picture = Image.open(picture_path).convert("RGB")
    if picture.size != PICTURE:
        sys.exit(f"banner check: the picture is {picture.size}, not {PICTURE}")
    difference = ImageChops.difference(picture, expected_picture(logo_path))
    mean = sum(ImageStat.Stat(difference).mean) / 3
    worst = difference.convert("L").point(lambda v: 255 if v > PIXEL_TOLERANCE else 0)
    outliers = ImageStat.Stat(worst).mean[0] / 255
    print(f"banner check: mean difference {mean:.1f} of 255, {outliers:.1%} of pixels off by "
          f"more than {PIXEL_TOLERANCE}")
    if mean > MEAN_TOLERANCE or outliers > OUTLIERS:
        sys.exit("banner check: the window's picture is not the logo scaled by the banner's rule")


if __name__ == "__main__":
    if sys.argv[1] == "make-logo":
        make_logo(sys.argv[2])
    else:
        compare(sys.argv[2], sys.argv[3])
