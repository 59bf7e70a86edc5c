"""The executable's own pictures: window icon, software cursors, the full-screen corner icon,
the link picture and the pieces of the plain splash screen (drawn on COLORREF 0x663300, a deep blue)."""
from common import (BRUSH_CJK, GOLD, GOLD_DARK, GOLD_LIGHT, INK, IVORY, LACQUER, LACQUER_DARK,
                    SERIF, SERIF_BOLD, Canvas, rgba, save_desktop_icon, save_png)

SPLASH_GROUND = (0x00, 0x33, 0x66)  # COLORREF 0x663300 (0x00BBGGRR) as RGB


def icon(size=64):
    c = Canvas(64, 64, scale=size / 64)
    c.rrect((2, 2, 62, 62), 12, fill=rgba(LACQUER))
    c.rrect((6, 6, 58, 58), 9, outline=rgba(GOLD), width=2.5)
    c.rrect((16, 10, 48, 54), 5, fill=rgba(IVORY))
    c.text((32, 32), '玉', BRUSH_CJK, 30, rgba(LACQUER_DARK))
    return c.result()


def arrow_cursor():
    c = Canvas(20, 26)
    pts = [(1, 1), (1, 20), (6, 15.5), (9.5, 23.5), (12.5, 22), (9, 14.5), (15.5, 14.5)]
    c.poly(pts, fill=rgba(INK))
    inner = [(2.6, 4.5), (2.6, 16.5), (6.4, 13), (10, 21), (10.8, 20.4), (7.2, 12.8), (12, 12.8)]
    c.poly(inner, fill=rgba(IVORY))
    return c.result()


def hand_cursor(colour=IVORY):
    c = Canvas(22, 26)
    c.rrect((6.5, 0.5, 11.5, 15), 2.5, fill=rgba(INK))
    c.rrect((3, 10, 19, 25), 5, fill=rgba(INK))
    c.rrect((7.8, 1.8, 10.2, 14), 1.2, fill=rgba(colour))
    c.rrect((4.3, 11.3, 17.7, 23.7), 4, fill=rgba(colour))
    for x in (10.5, 13.5, 16.5):
        c.line([(x, 12), (x, 17)], rgba(INK), 0.8)
    return c.result()


def ibeam_cursor():
    c = Canvas(13, 28)
    for width, colour in ((3.2, IVORY), (1.4, INK)):
        c.line([(6.5, 2), (6.5, 26)], rgba(colour), width)
        c.line([(2, 1.5), (11, 1.5)], rgba(colour), width)
        c.line([(2, 26.5), (11, 26.5)], rgba(colour), width)
    return c.result()


def wait_cursor():
    c = Canvas(22, 26)
    c.rrect((3, 1, 19, 4), 1, fill=rgba(GOLD_DARK))
    c.rrect((3, 22, 19, 25), 1, fill=rgba(GOLD_DARK))
    c.poly([(5, 4), (17, 4), (11, 13), (17, 22), (5, 22), (11, 13)], fill=rgba(INK))
    c.poly([(7, 5.5), (15, 5.5), (11, 11)], fill=rgba(IVORY))
    c.poly([(11, 15.5), (15, 20.5), (7, 20.5)], fill=rgba(GOLD_LIGHT))
    return c.result()


def corner_icon():
    """Marks the screen corner that leaves full screen: four corner brackets turned inwards,
    the frame of a screen drawing in to a window (a cross would read as closing the game)."""
    c = Canvas(11, 11)
    c.rrect((0, 0, 11, 11), 2, fill=rgba(LACQUER_DARK, 230))
    for sx, sy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
        cx, cy = 5.5 + sx * 2, 5.5 + sy * 2
        c.line([(cx + sx * 2.5, cy), (cx, cy), (cx, cy + sy * 2.5)], rgba(IVORY), 1.1, joint=None)
    return c.result()


def link_picture():
    c = Canvas(120, 32)
    c.rrect((0, 0, 120, 32), 8, fill=rgba(LACQUER))
    c.rrect((3, 3, 117, 29), 6, outline=rgba(GOLD), width=1.5)
    c.text((60, 16), 'More games', SERIF_BOLD, 13, rgba(GOLD_LIGHT))
    return c.result()


def splash_pieces():
    crest = Canvas(246, 36)
    crest.line([(0, 18), (98, 18)], rgba(GOLD_DARK), 2)
    crest.line([(148, 18), (246, 18)], rgba(GOLD_DARK), 2)
    crest.circle(123, 18, 16, fill=rgba(LACQUER))
    crest.circle(123, 18, 13, outline=rgba(GOLD), width=1.5)
    crest.text((123, 18), '玉', BRUSH_CJK, 16, rgba(GOLD_LIGHT))
    title = Canvas(352, 250)
    title.rrect((6, 6, 346, 244), 24, fill=rgba(LACQUER))
    title.rrect((16, 16, 336, 234), 18, outline=rgba(GOLD), width=3)
    title.text((176, 100), 'QUILLOMAR', SERIF_BOLD, 38, rgba(GOLD_LIGHT), stroke=1.5,
               stroke_fill=rgba(LACQUER_DARK))
    title.text((176, 150), 'Tiles of the Jade Road', SERIF, 19, rgba(IVORY))
    title.text((176, 196), '麻 將', BRUSH_CJK, 30, rgba(GOLD))
    knot = Canvas(78, 44)
    knot.poly([(39, 2), (76, 22), (39, 42), (2, 22)], fill=rgba(GOLD_DARK))
    knot.poly([(39, 7), (68, 22), (39, 37), (10, 22)], fill=rgba(LACQUER))
    knot.circle(39, 22, 6, fill=rgba(GOLD_LIGHT))
    left = Canvas(28, 20)
    left.poly([(28, 10), (4, 2), (10, 10), (4, 18)], fill=rgba(GOLD))
    right = Canvas(28, 20)
    right.poly([(0, 10), (24, 2), (18, 10), (24, 18)], fill=rgba(GOLD))
    footer = Canvas(348, 20)
    footer.text((174, 10), 'Match the tiles, travel the dynasties', SERIF, 13, rgba(GOLD_LIGHT))
    return [p.result() for p in (crest, title, knot, left, right, footer)]


# The desktop's icon theme sizes of the same drawing, installed with the game.
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def make():
    save_png(icon(), 50, 'icon', 'exe')
    for size in DESKTOP_ICON_SIZES:
        save_desktop_icon(icon(size), size)
    save_png(corner_icon(), 53, 'fullscreen-corner', 'exe')
    save_png(link_picture(), 56, 'link', 'exe')
    save_png(hand_cursor(), 70, 'cursor-hand', 'exe')
    save_png(arrow_cursor(), 71, 'cursor-arrow', 'exe')
    save_png(ibeam_cursor(), 72, 'cursor-ibeam', 'exe')
    save_png(hand_cursor(GOLD_LIGHT), 73, 'cursor-pointer', 'exe')
    save_png(wait_cursor(), 74, 'cursor-wait', 'exe')
    crest, title, knot, left, right, footer = splash_pieces()
    save_png(crest, 79, 'splash-crest', 'exe')
    save_png(title, 77, 'splash-title', 'exe')
    save_png(knot, 80, 'splash-knot', 'exe')
    save_png(left, 55, 'splash-left', 'exe')
    save_png(right, 81, 'splash-right', 'exe')
    save_png(footer, 78, 'splash-footer', 'exe')


def preview(path):
    from PIL import Image
    import glob
    out = Image.new('RGBA', (800, 600), rgba(SPLASH_GROUND))
    for rid, pos in [(79, (277, 109)), (77, (224, 146)), (80, (361, 410)), (55, (333, 426)),
                     (81, (466, 426)), (78, (226, 565)), (71, (20, 20)), (70, (50, 20)),
                     (72, (80, 20)), (74, (110, 20)), (53, (785, 4)), (50, (20, 60)),
                     (56, (20, 140))]:
        out.alpha_composite(Image.open(glob.glob('assets/exe/PNG/%d-*' % rid)[0]), pos)
    out.save(path)
