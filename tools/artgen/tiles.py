"""Tile pictures: six face sheets and their selection highlights, the keyed base strip with the
special tiles, the miniatures of the free-play previews and the special tiles' animations.

A tile is 48 x 58: its top face spans (6, 0)-(48, 52), its depth shows as a 6-pixel edge on
the left and at the bottom. Faces are 38 x 48 and sit at (+7, +3) on the base. Kinds:
1-9 characters, 10-18 circles, 19-27 bamboo, 28-31 winds, 32-34 dragons, 35-38 seasons,
39-42 flowers; 43 the exit tile, 44/45 the complementary pair, 46/47 the wild tiles."""
import math

from PIL import Image, ImageFilter

from common import (BRUSH_CJK, CINNABAR, GOLD, GOLD_DARK, GOLD_LIGHT, INDIGO, INK, IVORY, JADE,
                    JADE_DARK, JADE_LIGHT, LACQUER, LACQUER_DARK, LACQUER_LIGHT, SANS_BOLD,
                    Canvas, keyed, mix, rgba, save_png, shade, strip)

FACE_W, FACE_H = 38, 48
NUMERALS = '一二三四五六七八九'
WINDS = '東南西北'
WIND_INDEX = 'ESWN'
SEASONS = '春夏秋冬'
FLOWERS = '梅蘭菊竹'

# Dot positions (in a 38 x 48 face) for the circles suit, ranks 1-9.
DOTS = {
    1: [(19, 24)],
    2: [(19, 13), (19, 35)],
    3: [(10, 10), (19, 24), (28, 38)],
    4: [(11, 14), (27, 14), (11, 34), (27, 34)],
    5: [(10, 11), (28, 11), (19, 24), (10, 37), (28, 37)],
    6: [(11, 10), (27, 10), (11, 24), (27, 24), (11, 38), (27, 38)],
    7: [(8, 7), (19, 12), (30, 17), (11, 29), (27, 29), (11, 40), (27, 40)],
    8: [(11, 7), (27, 7), (11, 18), (27, 18), (11, 30), (27, 30), (11, 41), (27, 41)],
    9: [(8, 10), (19, 10), (30, 10), (8, 24), (19, 24), (30, 24), (8, 38), (19, 38), (30, 38)],
}

# Bamboo sticks: (x, y) centres of sticks 13 tall, ranks 2-9 (rank 1 is the bird).
STICKS = {
    2: [(19, 14), (19, 34)],
    3: [(19, 14), (11, 34), (27, 34)],
    4: [(11, 14), (27, 14), (11, 34), (27, 34)],
    5: [(9, 14), (29, 14), (19, 24), (9, 34), (29, 34)],
    6: [(9, 14), (19, 14), (29, 14), (9, 34), (19, 34), (29, 34)],
    7: [(19, 8), (9, 24), (19, 24), (29, 24), (9, 40), (19, 40), (29, 40)],
    8: [(8, 14), (15, 14), (23, 14), (30, 14), (8, 34), (15, 34), (23, 34), (30, 34)],
    9: [(9, 8), (19, 8), (29, 8), (9, 24), (19, 24), (29, 24), (9, 40), (19, 40), (29, 40)],
}


# A selection's rim, outer and inner: one dark and one light, so that one of them stands out
# wherever the face or its ink lies under it.
SELECTION_RIM = (LACQUER_DARK, GOLD_LIGHT)


class Style:
    """One tile set's look: its ink colours, an optional face ground and its index marks."""

    def __init__(self, name, red, green, blue, black, ground=None, big_index=False, mono=False,
                 index_colour=None, rim=SELECTION_RIM):
        self.name = name
        self.red, self.green, self.blue, self.black = red, green, blue, black
        self.ground = ground
        self.big_index = big_index
        self.mono = mono
        self.index_colour = index_colour or black
        self.rim = rim  # the selection's rim, its outer tone far from the face


STYLES = [
    Style('classic', CINNABAR, (24, 110, 60), INDIGO, INK),
    Style('jade', (168, 40, 36), JADE_DARK, (28, 78, 110), (30, 40, 36),
          ground=((236, 246, 236), (206, 232, 214))),
    Style('lacquer', GOLD_LIGHT, (170, 226, 180), (180, 206, 250), (252, 240, 214),
          ground=((120, 22, 22), (86, 12, 14)), rim=(GOLD_LIGHT, LACQUER_DARK)),
    Style('bamboo', (150, 36, 20), (60, 96, 20), (40, 60, 100), (60, 36, 14),
          ground=((238, 218, 168), (214, 186, 128))),
    Style('large', (200, 20, 20), (0, 120, 40), (10, 50, 170), (0, 0, 0), big_index=True),
    Style('ink', (50, 46, 44), (50, 46, 44), (50, 46, 44), (20, 18, 16), mono=True,
          index_colour=(120, 30, 24)),
]

# Face sheet, highlight sheet and slug per tile set 0-5.
SHEETS = [(101, 178), (215, 214), (313, 314), (315, 316), (317, 318), (319, 312)]


def face_ground(c, style):
    if style.ground:
        top, bottom = style.ground
        c.rrect((1, 1, FACE_W - 1, FACE_H - 1), 4, fill=rgba(top))
        c.rrect((1, FACE_H * 0.55, FACE_W - 1, FACE_H - 1), 4, fill=rgba(mix(top, bottom, 0.6)))
        c.rrect((1, 1, FACE_W - 1, FACE_H - 1), 4, outline=rgba(shade(bottom, 0.8), 160),
                width=0.8)


def corner_index(c, text, style, colour=None):
    size = 10 if style.big_index else 6.5
    colour = colour or style.index_colour
    c.text((FACE_W - 3, 1.5), text, SANS_BOLD, size, rgba(colour), anchor='ra')


def dot(c, x, y, r, colour, style):
    c.circle(x, y, r, fill=rgba(colour))
    c.circle(x, y, r * 0.72, fill=rgba(shade(colour, 1.75) if not style.mono else (236, 230, 214)))
    c.circle(x, y, r * 0.45, fill=rgba(colour))
    c.circle(x - r * 0.18, y - r * 0.2, r * 0.15, fill=rgba((255, 255, 255), 200))


def stick(c, x, y, colour, style, h=13.0, w=4.6):
    top, bottom = y - h / 2, y + h / 2
    c.rrect((x - w / 2, top, x + w / 2, bottom), w / 2, fill=rgba(colour))
    for t in (0.0, 0.5, 1.0):
        yy = top + t * (h - 1.4)
        c.rect((x - w / 2 - 0.4, yy, x + w / 2 + 0.4, yy + 1.4), rgba(shade(colour, 0.6)))
    c.line([(x, top + 1.5), (x, bottom - 1.5)], rgba(shade(colour, 1.5) if not style.mono
                                                      else (220, 214, 200), 160), 0.7)


def bird(c, style):
    """The bamboo suit's one: a sparrow on a stem."""
    body, wing, accent = style.green, style.blue, style.red
    c.line([(8, 44), (30, 14)], rgba(shade(style.green, 0.8)), 1.6)
    c.ellipse((9, 14, 29, 32), fill=rgba(body))
    c.poly([(12, 20), (27, 17), (22, 31)], fill=rgba(wing))
    c.circle(25, 15, 5, fill=rgba(body))
    c.circle(26.5, 14, 1.2, fill=rgba((255, 255, 255)))
    c.poly([(29.5, 14.5), (34, 16), (29.5, 17)], fill=rgba(accent))
    c.poly([(10, 28), (3, 38), (9, 36), (8, 42), (14, 32)], fill=rgba(accent))


def characters_face(c, rank, style):
    c.text((19, 14), NUMERALS[rank - 1], BRUSH_CJK, 20, rgba(style.black))
    c.text((19, 35), '萬', BRUSH_CJK, 21, rgba(style.red))
    corner_index(c, str(rank), style)


def circles_face(c, rank, style):
    colours = [style.blue, style.green, style.red]
    r = {1: 12.5, 2: 7.5, 3: 6.5, 4: 6.8, 5: 6.2, 6: 5.6, 7: 4.8, 8: 4.9, 9: 4.8}[rank]
    for k, (x, y) in enumerate(DOTS[rank]):
        colour = colours[(k + rank) % 3] if rank != 1 else style.red
        if rank == 1:
            c.circle(x, y, r + 1.5, outline=rgba(style.green), width=1.5)
            for a in range(8):
                ang = a * math.pi / 4
                c.circle(x + math.cos(ang) * 9, y + math.sin(ang) * 9, 1.6,
                         fill=rgba(style.blue))
        dot(c, x, y, r, colour, style)
    corner_index(c, str(rank), style)


def bamboo_face(c, rank, style):
    if rank == 1:
        bird(c, style)
    else:
        for k, (x, y) in enumerate(STICKS[rank]):
            colour = style.red if (rank in (5, 7, 9) and k == len(STICKS[rank]) // 2) else \
                style.green
            stick(c, x, y, colour, style, h=12.5 if rank in (7, 9) else 15.5,
                  w=4.0 if rank == 8 else 4.6)
    corner_index(c, str(rank), style)


def honour_face(c, honour, style):
    if honour < 4:
        c.text((19, 25), WINDS[honour], BRUSH_CJK, 27, rgba(style.black))
        corner_index(c, WIND_INDEX[honour], style, style.red)
    elif honour == 4:
        c.text((19, 25), '中', BRUSH_CJK, 30, rgba(style.red))
        corner_index(c, 'R', style, style.red)
    elif honour == 5:
        c.text((19, 25), '發', BRUSH_CJK, 27, rgba(style.green))
        corner_index(c, 'G', style, style.green)
    else:
        c.rrect((7, 8, 31, 42), 2.5, outline=rgba(style.blue), width=2.2)
        c.rrect((11, 12, 27, 38), 1.5, outline=rgba(style.blue), width=1.0)
        corner_index(c, 'W', style, style.blue)


def blossom(c, x, y, r, petals, colour, centre):
    for k in range(petals):
        a = k * 2 * math.pi / petals - math.pi / 2
        c.circle(x + math.cos(a) * r * 0.62, y + math.sin(a) * r * 0.62, r * 0.48,
                 fill=rgba(colour))
    c.circle(x, y, r * 0.3, fill=rgba(centre))


def flower_face(c, k, style):
    """Plum, orchid, chrysanthemum, bamboo: a sprig above, the name below."""
    stem = shade(style.green, 0.85)
    if k == 0:
        c.line([(6, 30), (15, 20), (30, 10)], rgba((92, 58, 40) if not style.mono else style.black),
               1.6)
        for x, y in [(14, 20), (27, 11), (22, 16)]:
            blossom(c, x, y, 5.5, 5, style.red if not style.mono else (120, 110, 104), GOLD)
    elif k == 1:
        for a in (-0.9, -0.5, 0.3, 0.7):
            c.line([(19, 31), (19 + 14 * math.sin(a), 31 - 20 * math.cos(a))], rgba(stem), 1.1)
        blossom(c, 15, 14, 5, 3, (150, 90, 170) if not style.mono else (110, 104, 100), GOLD_LIGHT)
        blossom(c, 25, 18, 4, 3, (150, 90, 170) if not style.mono else (110, 104, 100), GOLD_LIGHT)
    elif k == 2:
        c.line([(19, 32), (19, 18)], rgba(stem), 1.3)
        blossom(c, 19, 15, 9, 12, (222, 160, 30) if not style.mono else (130, 124, 118), style.red)
        blossom(c, 19, 15, 5, 8, (246, 200, 60) if not style.mono else (170, 164, 156), style.red)
    else:
        stick(c, 15, 17, style.green, style, h=24, w=3.4)
        for x0, y0, x1, y1 in [(16, 10, 30, 6), (16, 16, 31, 16), (14, 22, 4, 17)]:
            c.poly([(x0, y0), (x1, y1 - 1.5), (x1, y1 + 1.5)], fill=rgba(style.green))
    c.text((19, 39), FLOWERS[k], BRUSH_CJK, 14, rgba(style.black))
    corner_index(c, str(k + 1), style, style.red)


def season_face(c, k, style):
    """Spring, summer, autumn, winter: a small scene in the season's colour, the name below."""
    colours = [(222, 120, 150), (40, 140, 70), (200, 110, 30), (70, 120, 190)]
    colour = colours[k] if not style.mono else (110, 104, 100)
    if k == 0:
        c.line([(5, 27), (32, 8)], rgba((92, 58, 40) if not style.mono else style.black), 1.4)
        for x, y in [(11, 23), (20, 16), (28, 11)]:
            blossom(c, x, y, 4.2, 5, colour, GOLD_LIGHT)
    elif k == 1:
        c.circle(19, 14, 9, fill=rgba(colour, 90))
        c.ellipse((9, 13, 29, 29), fill=rgba(colour))
        c.ellipse((14, 8, 24, 20), fill=rgba(shade(colour, 1.4)))
        c.line([(19, 29), (19, 32)], rgba(shade(colour, 0.6)), 1.3)
    elif k == 2:
        for a, r in [(-0.5, 9), (0.4, 8), (1.2, 7)]:
            x, y = 19 + math.sin(a) * 6, 17 - math.cos(a) * 2
            c.poly([(x, y - r), (x + r * 0.7, y), (x, y + r), (x - r * 0.7, y)],
                   fill=rgba(colour if a < 1 else shade(colour, 0.75)))
    else:
        for a in range(6):
            ang = a * math.pi / 3
            c.line([(19, 17), (19 + math.cos(ang) * 10, 17 + math.sin(ang) * 10)],
                   rgba(colour), 1.6)
        c.circle(19, 17, 2.5, fill=rgba(colour))
    c.text((19, 39), SEASONS[k], BRUSH_CJK, 14, rgba(style.black))
    corner_index(c, str(k + 1), style, style.blue)


def face(kind, style):
    c = Canvas(FACE_W, FACE_H)
    face_ground(c, style)
    if kind <= 9:
        characters_face(c, kind, style)
    elif kind <= 18:
        circles_face(c, kind - 9, style)
    elif kind <= 27:
        bamboo_face(c, kind - 18, style)
    elif kind <= 34:
        honour_face(c, kind - 28, style)
    elif kind <= 38:
        season_face(c, kind - 35, style)
    else:
        flower_face(c, kind - 39, style)
    return c.result()


def grid(cells, cols, cell_w, cell_h, rows):
    out = Image.new('RGBA', (cols * cell_w, rows * cell_h), (0, 0, 0, 0))
    for k, im in enumerate(cells):
        out.alpha_composite(im, ((k % cols) * cell_w, (k // cols) * cell_h))
    return out


def selection_rim(c, rim):
    """The bold rim that marks a selected tile: a solid band of two tones."""
    outer, inner = rim
    c.rrect((0.5, 0.5, 39.5, 49.5), 5, outline=rgba(outer), width=3)
    c.rrect((3.5, 3.5, 36.5, 46.5), 3, outline=rgba(inner), width=2)


def highlight(face_img, style):
    """A 40 x 50 selection cell drawn over the tile's face: the face, its ink still showing,
    glows amber under a thick rim in colours far from the set's face, so the chosen tile
    stands out across the board."""
    out = Image.new('RGBA', (40, 50), (0, 0, 0, 0))
    ink = face_img.copy()
    ink.putalpha(ink.getchannel('A').point(lambda v: v * 4 // 5))
    out.alpha_composite(ink, (1, 1))
    c = Canvas(40, 50)
    c.rrect((0.5, 0.5, 39.5, 49.5), 5, fill=rgba((255, 176, 40), 120))
    selection_rim(c, style.rim)
    out.alpha_composite(c.result())
    return out


def base(top, top_edge, side, side_dark, back=None):
    """A whole 48 x 58 tile base (RGBA): the face above and right, the tile's body six pixels
    deep beneath it at the left and bottom, shading from the face's edge to a dark rim, and a
    dark outline round the whole tile, so that a tile lying on others stands clear of them."""
    c = Canvas(48, 58)
    back = back or side
    outline = mix(side_dark, (0, 0, 0), 0.55)
    for k in range(6, -1, -1):
        c.rrect((6 - k - 0.9, k - 0.9, 48 - k + 0.9, 52 + k + 0.9), 5.5, fill=rgba(outline))
    for k in range(6, 0, -1):
        t = (k - 1) / 5
        colour = mix(mix(side, back, 0.35), side_dark, t * t)
        c.rrect((6 - k, k, 48 - k, 52 + k), 5, fill=rgba(colour))
    c.rrect((6, 0, 48, 52), 5, fill=rgba(top_edge))
    c.rrect((6.8, 0.6, 47.2, 51.2), 4.5, fill=rgba(top))
    c.rrect((6.8, 0.6, 47.2, 51.2), 4.5, outline=rgba((255, 255, 255), 150), width=0.9)
    c.line([(9, 50.6), (46.4, 50.6), (46.6, 3)], rgba(shade(top_edge, 0.8), 200), 1.0, joint=None)
    img = c.result()
    gloss = Canvas(48, 58)
    gloss.rrect((9, 2, 45, 14), 4, fill=rgba((255, 255, 255), 40))
    img.alpha_composite(gloss.result())
    return img


def plain_bases():
    ivory = base(IVORY, (226, 214, 186), JADE, JADE_DARK)
    lacquer = base((138, 26, 24), (96, 16, 16), (40, 30, 26), (16, 10, 8), back=GOLD_DARK)
    bamboo = base((236, 214, 160), (206, 176, 116), (104, 140, 52), (60, 84, 26))
    return ivory, lacquer, bamboo


def special_face(kind):
    """Faces of the special tiles, drawn onto a base to make whole cells 1-5."""
    c = Canvas(FACE_W, FACE_H)
    if kind == 43:
        c.rrect((4, 6, 34, 44), 2, fill=rgba(LACQUER))
        c.rect((4, 6, 34, 11), rgba(GOLD))
        c.poly([(1, 8), (19, 1), (37, 8)], fill=rgba(LACQUER_DARK))
        c.rect((9, 14, 18, 44), rgba(LACQUER_LIGHT))
        c.rect((20, 14, 29, 44), rgba(LACQUER_LIGHT))
        for x in (13.5, 24.5):
            for y in (20, 27, 34):
                c.circle(x, y, 1.1, fill=rgba(GOLD_LIGHT))
        c.text((19, 10), '門', BRUSH_CJK, 8, rgba(INK))
    elif kind in (44, 45):
        light, dark = (JADE_LIGHT, JADE_DARK) if kind == 44 else ((246, 226, 160), GOLD_DARK)
        c.circle(19, 22, 15, fill=rgba(dark))
        c.poly([(19, 7)] + [(19 + 15 * math.cos(a / 20 * math.pi - math.pi / 2),
                              22 + 15 * math.sin(a / 20 * math.pi - math.pi / 2))
                             for a in range(0, 21)], fill=rgba(light))
        c.circle(19, 14.5, 7.5, fill=rgba(light))
        c.circle(19, 29.5, 7.5, fill=rgba(dark))
        c.circle(19, 14.5, 2.2, fill=rgba(dark))
        c.circle(19, 29.5, 2.2, fill=rgba(light))
        c.text((19, 43), '陰' if kind == 44 else '陽', BRUSH_CJK, 9, rgba(INK))
        c.text((5, 4), '1' if kind == 44 else '2', SANS_BOLD, 7, rgba(CINNABAR), anchor='la')
    elif kind == 46:
        for k in range(3):
            r = 14 - k * 4
            c.circle(19, 21, r, outline=rgba(mix(INDIGO, JADE, k / 2)), width=1.8)
        c.poly([(19, 4), (23, 21), (19, 38), (15, 21)], fill=rgba(GOLD))
        c.text((19, 43), '風', BRUSH_CJK, 9, rgba(INK))
    else:
        c.ellipse((7, 5, 31, 33), fill=rgba(GOLD_DARK))
        c.ellipse((9.5, 7.5, 28.5, 30.5), fill=rgba((206, 220, 228)))
        c.ellipse((12, 10, 21, 19), fill=rgba((255, 255, 255), 170))
        c.rect((17, 33, 21, 38), rgba(GOLD_DARK))
        c.text((19, 43), '鏡', BRUSH_CJK, 9, rgba(INK))
    return c.result()


def base_strip():
    ivory, lacquer, bamboo = plain_bases()
    cells = [ivory]
    for kind in (43, 44, 45, 46, 47):
        b = base((250, 240, 210) if kind != 43 else (252, 236, 190), (226, 200, 150),
                 LACQUER if kind == 43 else INDIGO if kind in (46, 47) else JADE,
                 LACQUER_DARK if kind == 43 else (18, 28, 64) if kind in (46, 47) else JADE_DARK)
        b.alpha_composite(special_face(kind), (7, 3))
        cells.append(b)
    cells += [lacquer, bamboo]
    return keyed(strip(cells))


def miniatures():
    """9 x 12 miniature faces: each suit keeps its colour and a hint of its shape."""
    style = STYLES[0]
    cells = []
    for kind in range(1, 43):
        full = face(kind, style)
        small = full.resize((9, 12), Image.LANCZOS)
        cells.append(small)
    return grid(cells, 6, 9, 12, 7)


def miniature_base():
    c = Canvas(12, 15)
    c.rrect((0, 1.5, 10.5, 15), 1.5, fill=rgba(JADE_DARK))
    c.rrect((1.5, 0, 12, 13.5), 1.5, fill=rgba(IVORY))
    return keyed(c.result())


def glow_frames(colour, frames=7, extra=None):
    """A selected special tile: the steady rim of every selection round a glow that pulses in
    the tile's own colour, so the tile reads as selected at every frame of the pulse."""
    out = []
    for f in range(frames):
        t = 0.5 - 0.5 * math.cos(2 * math.pi * f / frames)
        c = Canvas(40, 50)
        c.rrect((0.5, 0.5, 39.5, 49.5), 5, fill=rgba(colour, int(40 + 90 * t)))
        selection_rim(c, SELECTION_RIM)
        c.rrect((5.5, 5.5, 34.5, 44.5), 2, outline=rgba(shade(colour, 1.3), int(150 + 100 * t)),
                width=1 + 1.5 * t)
        out.append(c.result())
    if extra is not None:
        out.append(extra)
    return strip(out)


def transform_frames():
    """The 45's change: a swirl of gold that gathers, flares and fades (18 frames)."""
    frames = []
    for f in range(18):
        t = f / 17
        c = Canvas(40, 50)
        glow = math.sin(math.pi * t)
        c.rrect((0.5, 0.5, 39.5, 49.5), 5, fill=rgba(GOLD_LIGHT, int(200 * glow)))
        for k in range(6):
            a = k * math.pi / 3 + t * 4 * math.pi
            r = 18 * (1 - t) + 3
            c.circle(20 + math.cos(a) * r, 25 + math.sin(a) * r * 1.2, 2.5 + 2 * glow,
                     fill=rgba((255, 250, 220), int(255 * (1 - t * 0.6))))
        frames.append(c.result())
    return strip(frames)


def flight_effect():
    c = Canvas(40, 50)
    c.rrect((0.5, 0.5, 39.5, 49.5), 6, fill=rgba(GOLD_LIGHT, 150))
    img = c.result().filter(ImageFilter.GaussianBlur(2))
    img.alpha_composite(special_face(45).resize((38, 48)), (1, 1))
    return img


def make():
    for set_index, (face_id, highlight_id) in enumerate(SHEETS):
        style = STYLES[set_index]
        faces = [face(kind, style) for kind in range(1, 43)]
        save_png(grid(faces, 6, FACE_W, FACE_H, 7), face_id, 'tiles-' + style.name)
        save_png(grid([highlight(f, style) for f in faces], 6, 40, 50, 7), highlight_id,
                 'tiles-' + style.name + '-selected')
    save_png(base_strip(), 102, 'tile-bases')
    save_png(miniatures(), 186, 'mini-faces')
    save_png(miniature_base(), 187, 'mini-base')
    complement_face = Image.new('RGBA', (40, 50), (0, 0, 0, 0))
    complement_face.alpha_composite(special_face(44), (1, 1))
    save_png(glow_frames((90, 110, 220)), 177, 'blink-sweep')
    save_png(glow_frames(JADE_LIGHT, extra=complement_face), 182, 'blink-complement')
    save_png(glow_frames((200, 200, 230)), 184, 'blink-mirror')
    save_png(glow_frames(GOLD), 206, 'blink-exit')
    save_png(transform_frames(), 179, 'complement-transform')
    save_png(flight_effect(), 209, 'complement-flight')


def preview(path):
    """A look at every tile set as the board builds it: base plus face, six sets in rows."""
    ivory, lacquer, bamboo = plain_bases()
    bases = {0: ivory, 1: ivory, 2: lacquer, 3: bamboo, 4: ivory, 5: ivory}
    sheet = Image.new('RGBA', (42 * 48 + 20, 6 * 62 + 10), (60, 90, 70, 255))
    for s, style in enumerate(STYLES):
        for kind in range(1, 43):
            t = bases[s].copy()
            t.alpha_composite(face(kind, style), (7, 3))
            sheet.alpha_composite(t, (10 + (kind - 1) * 48, 5 + s * 62))
    sheet.save(path)

