#!/usr/bin/python3
"""Bakes the game's bitmap fonts: one RGBA glyph sheet and one metrics text per font.

Metrics text: "H:rowHeight,baseline,extraSpacing,spaceWidth,runCount", one "S:first,w..."
line per sheet row (a run of consecutive codes), then "K:first,second,adj,..." kerning lines.
A glyph is drawn from the left edge of its cell; its cell is wider than its advance by the
effect padding, and the negative extra spacing takes that padding back out of the pen
movement, so outlines and italic overhangs are never cut off.

Run with /usr/bin/python3 (needs PIL with FreeType and raqm) from the repository root:
    /usr/bin/python3 tools/fontgen/fontgen.py
The output is the same bytes on every run.
"""

import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
SANS = FONT_DIR + "DejaVuSans.ttf"
SANS_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
SERIF = FONT_DIR + "DejaVuSerif.ttf"
SERIF_BOLD = FONT_DIR + "DejaVuSerif-Bold.ttf"
SERIF_ITALIC = FONT_DIR + "DejaVuSerif-BoldItalic.ttf"

INK = (0x3A, 0x17, 0x08)        # dark lacquer brown for outlines and shadows
PAPER = (0xFF, 0xF4, 0xDC)      # parchment light for halos around dark text

# Sheets wider than this are cut into more runs (one run per row).
MAX_ROW_WIDTH = 1024

# Windows-1252 codes that map to no character.
CP1252_HOLES = {0x81, 0x8D, 0x8F, 0x90, 0x9D}


class Font:
    def __init__(self, glyph_id, metrics_id, slug, path, size, colour,
                 effect=None, effect_colour=INK):
        self.glyph_id = glyph_id
        self.metrics_id = metrics_id
        self.slug = slug
        self.path = path
        self.size = size
        self.colour = colour
        self.effect = effect
        self.effect_colour = effect_colour


# Colours: gold for headings, cream for captions on lacquer, dark ink and lacquer red on
# parchment, a light coral for the menu's link over the dark hills.
GOLD = (0xF6, 0xCF, 0x6A)
CREAM = (0xFF, 0xF1, 0xCF)
PALE = (0xEE, 0xDC, 0xB0)
DARK = (0x2E, 0x1B, 0x0E)
RED = (0x9B, 0x1C, 0x12)
LACQUER = (0x7E, 0x16, 0x10)
CORAL = (0xFF, 0x9A, 0x70)

FONTS = [
    Font(152, 151, "menu-button", SERIF_BOLD, 16, CREAM, "outline"),
    Font(154, 155, "menu-big-button", SERIF_BOLD, 26, GOLD, "outline2"),
    Font(160, 159, "button", SERIF_BOLD, 14, CREAM, "outline"),
    Font(163, 162, "year", SANS_BOLD, 13, GOLD, "shadow"),
    Font(165, 164, "menu-hover", SERIF_ITALIC, 14, (0xFF, 0xE9, 0xB0), "outline"),
    Font(199, 200, "grid-title", SERIF_BOLD, 20, GOLD, "outline"),
    Font(201, 198, "slot-name", SANS_BOLD, 13, CREAM, "outline"),
    Font(203, 202, "hud-number", SANS_BOLD, 20, (0xFF, 0xF6, 0xE0), "outline"),
    Font(208, 207, "slot-status", SANS, 11, CREAM, "shadow"),
    Font(210, 211, "hud-label", SERIF_BOLD, 14, PALE, "shadow"),
    Font(213, 212, "hud-small", SANS, 11, PALE, "shadow"),
    Font(217, 216, "floating-score", SANS_BOLD, 16, (0xFF, 0xE0, 0x66), "outline"),
    Font(258, 259, "welcome", SERIF, 20, DARK, "halo", PAPER),
    Font(284, 283, "warning", SANS_BOLD, 13, RED),
    Font(286, 285, "panel-title", SERIF_BOLD, 20, LACQUER),
    Font(290, 289, "panel-line", SANS, 13, DARK),
    Font(296, 295, "hud-title", SERIF_BOLD, 20, CREAM, "outline"),
    Font(302, 303, "banner", SERIF_BOLD, 14, DARK, "halo", PAPER),
    Font(307, 306, "emphasis", SANS_BOLD, 13, RED),
    Font(311, 308, "dynasty-banner", SERIF_BOLD, 28, GOLD, "outline2"),
    Font(366, 365, "warning-hover", SANS_BOLD, 13, (0xFF, 0xE3, 0x8A), "outline"),
    Font(374, 373, "menu-link", SANS_BOLD, 13, CORAL, "outline"),
]

# (left, top, right, bottom) padding each effect needs around the glyph.
EFFECT_PAD = {
    None: (0, 0, 0, 0),
    "shadow": (0, 0, 1, 1),
    "outline": (1, 1, 1, 1),
    "outline2": (2, 2, 2, 2),
    "halo": (1, 1, 1, 1),
}


def char_of(code):
    return bytes([code]).decode("cp1252")


def runs_for(codes):
    """Consecutive stretches of the given codes."""
    runs = []
    for code in codes:
        if runs and runs[-1][-1] == code - 1:
            runs[-1].append(code)
        else:
            runs.append([code])
    return runs


def glyph_mask(font, ch, origin, size):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).text(origin, ch, font=font, fill=255, anchor="ls")
    return mask


def compose(mask, spec):
    """RGBA cell from a glyph coverage mask and the font's colour and effect."""
    w, h = mask.size
    layers = []
    if spec.effect == "shadow":
        shadow = ImageChops.offset(mask, 1, 1).point(lambda v: v * 200 // 255)
        layers.append((spec.effect_colour, shadow))
    elif spec.effect in ("outline", "outline2", "halo"):
        grow = 3 if spec.effect != "outline2" else 5
        ring = mask.filter(ImageFilter.MaxFilter(grow))
        strength = 150 if spec.effect == "halo" else 235
        ring = ring.point(lambda v: v * strength // 255)
        layers.append((spec.effect_colour, ring))
    layers.append((spec.colour, mask))
    cell = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    for colour, alpha in layers:
        layer = Image.new("RGBA", (w, h), colour + (0,))
        layer.putalpha(alpha)
        cell = Image.alpha_composite(cell, layer)
    return cell


def kerning(font, codes, advances):
    """Pairs whose kerned width differs from the sum of their rounded advances."""
    letters = [c for c in codes if c < 0x7F]
    pairs = {}
    for a in letters:
        ca = char_of(a)
        plain_a = font.getlength(ca)
        for b in letters:
            cb = char_of(b)
            true_kern = font.getlength(ca + cb) - plain_a - font.getlength(cb)
            if abs(true_kern) < 0.5:
                continue
            adj = round(font.getlength(ca + cb) - advances[a] - advances[b])
            if adj != 0:
                pairs.setdefault(a, []).append((b, adj))
    return pairs


def bake(spec, codes, out_png, out_txt, forced_widths=None, cell_metrics=None):
    """cell_metrics: (row height, baseline row inside the cell, declared baseline offset)."""
    font = ImageFont.truetype(spec.path, spec.size)
    ascent, descent = font.getmetrics()
    pl, pt, pr, pb = EFFECT_PAD[spec.effect]
    advances = {c: round(font.getlength(char_of(c))) for c in codes}
    # Italic strokes and wide glyphs reach past their advance: widen the right pad to cover them.
    for c in codes:
        x0, _, x1, _ = font.getbbox(char_of(c), anchor="ls")
        pl = max(pl, -x0 + EFFECT_PAD[spec.effect][0])
        pr = max(pr, x1 - advances[c] + EFFECT_PAD[spec.effect][2])
    if forced_widths:
        pl = pr = 0
        advances.update(forced_widths)
    row_height, baseline, declared = cell_metrics or (
        ascent + descent + pt + pb, ascent + pt, ascent + pt)
    extra = -(pl + pr)
    widths = {c: advances[c] + pl + pr for c in codes}

    rows = []
    for run in runs_for(codes):
        row = []
        for c in run:
            if row and sum(widths[x] for x in row) + widths[c] > MAX_ROW_WIDTH:
                rows.append(row)
                row = []
            row.append(c)
        rows.append(row)

    sheet_w = max(sum(widths[c] for c in row) for row in rows)
    sheet = Image.new("RGBA", (sheet_w, row_height * len(rows)), (0, 0, 0, 0))
    for r, row in enumerate(rows):
        x = 0
        for c in row:
            w = widths[c]
            ch = char_of(c)
            if forced_widths:
                # Fixed cells: centre the glyph and squeeze it when it is wider than its cell.
                ink = font.getbbox(ch, anchor="ls")
                big = glyph_mask(font, ch, (pl + 2, baseline), (w + 8, row_height))
                ink_w = ink[2] - ink[0]
                if ink_w > w:
                    big = big.crop((pl + 2 + ink[0], 0, pl + 2 + ink[2], row_height))
                    big = big.resize((w, row_height), Image.LANCZOS)
                    mask = big
                else:
                    left = (w - ink_w) // 2 - ink[0]
                    mask = glyph_mask(font, ch, (left, baseline), (w, row_height))
            else:
                mask = glyph_mask(font, ch, (pl, baseline), (w, row_height))
            sheet.alpha_composite(compose(mask, spec), (x, r * row_height))
            x += w

    pairs = kerning(font, codes, advances) if not forced_widths else forced_kerning()
    space = round(font.getlength(" "))
    if forced_widths:
        space = 10
    lines = ["H:%d,%d,%d,%d,%d" % (row_height, declared, extra, space, len(rows))]
    for row in rows:
        lines.append("S:0x%02x,%s" % (row[0], ",".join(str(widths[c]) for c in row)))
    for a in sorted(pairs):
        fields = ",".join("0x%02x,%d" % (b, adj) for b, adj in pairs[a])
        lines.append("K:0x%02x,%s" % (a, fields))

    os.makedirs(os.path.dirname(out_png), exist_ok=True)
    os.makedirs(os.path.dirname(out_txt), exist_ok=True)
    sheet.save(out_png, "PNG", optimize=False, compress_level=9)
    with open(out_txt, "w", newline="\r\n", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


def forced_kerning():
    pairs = [("o", "w", -1), ("b", "r", 1), ("w", "o", -1), ("v", "a", -1), ("y", "o", -1)]
    return {ord(a): [(ord(b), adj)] for a, b, adj in pairs}


# The executable's small framework font: digits and punctuation in row 0, "a"-"z" in row 1.
EXE_DIGIT_WIDTHS = [3, 3, 3, 6, 7, 6, 7, 7, 7, 7, 7, 7, 7, 5]
EXE_LETTER_WIDTHS = [7, 7, 6, 7, 7, 4, 7, 7, 3, 3, 6, 3, 10,
                     7, 7, 7, 7, 5, 6, 4, 7, 6, 9, 6, 6, 6]


def bake_exe(root):
    spec = Font(58, 57, "font-framework", SANS, 10, (0xD8, 0xE4, 0xF2))
    codes = list(range(0x2C, 0x3A)) + list(range(0x61, 0x7B))
    forced = dict(zip(range(0x2C, 0x3A), EXE_DIGIT_WIDTHS))
    forced.update(zip(range(0x61, 0x7B), EXE_LETTER_WIDTHS))
    bake(spec, codes,
         os.path.join(root, "assets/exe/PNG/58-font-framework.png"),
         os.path.join(root, "assets/exe/TXT/57-font-framework.txt"),
         forced_widths=forced, cell_metrics=(14, 11, 18))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    codes = list(range(0x21, 0x7F)) + [c for c in range(0x80, 0x100) if c not in CP1252_HOLES]
    for spec in FONTS:
        slug = "font-" + spec.slug
        bake(spec, codes,
             os.path.join(root, "assets/pack/PNG/%d-%s.png" % (spec.glyph_id, slug)),
             os.path.join(root, "assets/pack/TXT/%d-%s.txt" % (spec.metrics_id, slug)))
    bake_exe(root)


if __name__ == "__main__":
    main()
