#!/usr/bin/python3
"""Renders every baked font on a dark and a parchment ground into one PNG to look at:
    /usr/bin/python3 tools/fontgen/contact.py out.png"""

import glob
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bitmapfont import BitmapFont  # noqa: E402
from fontgen import FONTS  # noqa: E402

SAMPLE = "Quick jade tiles: 12,345 AVATAR Wave 0:42:17 %d. Cao Chloé Zoë"


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "font-contact.png"
    fonts = []
    for spec in FONTS:
        sheet = glob.glob("assets/pack/PNG/%d-*.png" % spec.glyph_id)[0]
        metrics = glob.glob("assets/pack/TXT/%d-*.txt" % spec.metrics_id)[0]
        fonts.append((spec, BitmapFont(metrics, sheet)))
    fonts.append((None, BitmapFont("assets/exe/TXT/57-font-framework.txt",
                                   "assets/exe/PNG/58-font-framework.png")))
    height = sum(f.row_height + 8 for _, f in fonts) + 10
    image = Image.new("RGBA", (1600, height), (0, 0, 0, 255))
    ImageDraw.Draw(image).rectangle((800, 0, 1600, height), fill=(0xE9, 0xD8, 0xB0, 255))
    ImageDraw.Draw(image).rectangle((0, 0, 800, height), fill=(0x5A, 0x1A, 0x12, 255))
    y = 5
    for spec, font in fonts:
        text = SAMPLE if spec else "version 1.0.25 ab"
        y += font.row_height + 8
        for x in (10, 810):
            font.draw(image, x, y - (font.row_height - font.baseline) - 4, text)
    image.save(out)


if __name__ == "__main__":
    main()
