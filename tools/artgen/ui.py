"""Controls and frames: button strips, check boxes, radio buttons, slider, arrows, the dialog
frame pieces and panel, the play screen's status frames and the small markers.

Frame pieces must join: the dialog frame's bars are 11 pixels thick, the top bar at y 12-22 of
its pieces, the left bar at x 18-29, the bottom bar 25 pixels above the bottom and the right
bar 30 pixels left of the right edge (the layout code places the pieces so)."""
import math
import random

from PIL import Image, ImageFilter

from common import (GOLD, GOLD_DARK, GOLD_LIGHT, INK, JADE, JADE_DARK, JADE_LIGHT,
                    LACQUER, LACQUER_DARK, LACQUER_LIGHT, PAPER, PAPER_DARK, SERIF_BOLD, Canvas,
                    mix, noise, rgba, save_png, shade, strip, vgradient)

# Skins: (face colour, rim colour) per family of buttons. The jade face is deeper than the
# palette's jade so that cream captions stand out from it, gloss and all.
RED = (LACQUER, GOLD)
GREEN = ((24, 92, 69), GOLD_LIGHT)


def state_colours(face, state):
    """normal, hover, pressed, disabled. Hover keeps the face, so that its caption reads as well
    as at rest; the rim lights up instead."""
    if state == 2:
        return shade(face, 0.78)
    if state == 3:
        grey = sum(face) // 3
        return mix(face, (grey, grey, grey), 0.75)
    return face


def button_frame(w, h, skin, state, radius=None, icon=None):
    face, rim = skin
    colour = state_colours(face, state)
    rim_colour = {1: mix(rim, (255, 255, 255), 0.5), 3: (150, 140, 126)}.get(state, rim)
    radius = radius if radius is not None else min(h / 2 - 1, 9)
    c = Canvas(w, h)
    dy = 1 if state == 2 else 0
    c.rrect((1, 2, w - 1, h), radius, fill=rgba((0, 0, 0), 90))
    c.rrect((1, 1 + dy, w - 1, h - 1 + dy - (0 if state == 2 else 1)), radius, fill=rgba(rim_colour))
    c.rrect((3, 3 + dy, w - 3, h - 3 + dy - (0 if state == 2 else 1)), max(1, radius - 2),
            fill=rgba(colour))
    # The gloss is laid over the face, not drawn into it, which would leave it see-through.
    gloss = c.layer()
    gloss.rrect((4, 4 + dy, w - 4, (h - 2) / 2 + dy), max(1, radius - 3),
                fill=rgba(shade(colour, 1.25), 90 if state != 3 else 40))
    c.over(gloss)
    if state == 1:
        glow = c.layer()
        glow.rrect((1, 1, w - 1, h - 1), radius, outline=rgba(GOLD_LIGHT, 200), width=1.2)
        c.over(glow)
    if icon:
        icon(c, w, h, dy, rim_colour if state != 3 else (150, 140, 126))
    return c.result()


def button_strip(w, h, skin, frames, radius=None, icon=None):
    return strip([button_frame(w, h, skin, s, radius, icon) for s in range(frames)])


def arrow_icon(direction):
    def draw(c, w, h, dy, colour):
        cx, cy, r = w / 2, h / 2 + dy - 0.5, min(w, h) * 0.26
        if direction == 'left':
            pts = [(cx - r, cy), (cx + r * 0.7, cy - r), (cx + r * 0.7, cy + r)]
        elif direction == 'right':
            pts = [(cx + r, cy), (cx - r * 0.7, cy - r), (cx - r * 0.7, cy + r)]
        elif direction == 'up':
            pts = [(cx, cy - r), (cx - r, cy + r * 0.7), (cx + r, cy + r * 0.7)]
        else:
            pts = [(cx, cy + r), (cx - r, cy - r * 0.7), (cx + r, cy - r * 0.7)]
        c.poly(pts, fill=rgba(colour))
    return draw


def radio():
    frames = []
    for selected in (0, 1):
        c = Canvas(26, 26)
        c.circle(13, 13, 11, fill=rgba(GOLD_DARK))
        c.circle(13, 13, 9.5, fill=rgba(PAPER))
        c.circle(13, 13, 9.5, outline=rgba(shade(PAPER_DARK, 0.8)), width=1)
        if selected:
            c.circle(13, 13, 5.5, fill=rgba(LACQUER))
            c.circle(11.5, 11.5, 1.8, fill=rgba((255, 255, 255), 150))
        frames.append(c.result())
    return strip(frames)


def checkbox():
    """The box is centred on row 26, the middle of the letters of a caption whose baseline the
    dialogs put on row 31, so the caption sits level with its box."""
    frames = []
    for checked in (0, 1):
        c = Canvas(30, 40)
        c.rrect((3, 14, 27, 38), 4, fill=rgba(GOLD_DARK))
        c.rrect((5, 16, 25, 36), 3, fill=rgba(PAPER))
        if checked:
            c.line([(9, 25), (14, 32), (27, 12)], rgba(LACQUER), 3.2)
        frames.append(c.result())
    return strip(frames)


def slider_track():
    c = Canvas(240, 16)
    c.rrect((0, 4, 240, 12), 4, fill=rgba(GOLD_DARK))
    c.rrect((1.5, 5.5, 238.5, 10.5), 3, fill=rgba((60, 30, 20)))
    for k in range(11):
        x = 8 + k * 22.4
        c.line([(x, 1), (x, 4)], rgba(GOLD_DARK), 1)
    return c.result()


def slider_thumb():
    frames = []
    for hover in (0, 1):
        c = Canvas(20, 24)
        colour = LACQUER_LIGHT if hover else LACQUER
        c.poly([(2, 2), (18, 2), (18, 15), (10, 22), (2, 15)], fill=rgba(GOLD))
        c.poly([(4, 4), (16, 4), (16, 14), (10, 19.5), (4, 14)], fill=rgba(colour))
        frames.append(c.result())
    return strip(frames)


def lantern_toggle(skin_colour):
    """The veil toggle: a lantern, unlit when unchecked, glowing when checked."""
    frames = []
    for checked in (0, 1):
        for state in (0, 1, 2):          # normal, hover, disabled
            c = Canvas(24, 36)
            lit = checked and state != 2
            body = (250, 190, 70) if lit else shade(skin_colour, 0.9)
            if state == 2:
                body = (120, 110, 100)
            if lit:
                c.circle(12, 19, 11, fill=rgba((255, 210, 120), 90))
            c.line([(12, 1), (12, 6)], rgba(INK), 1.2)
            c.rect((8, 5, 16, 8), rgba(GOLD_DARK))
            c.ellipse((3, 7, 21, 31), fill=rgba(body))
            for x in (8, 12, 16):
                c.line([(x, 8), (x, 30)], rgba(shade(body, 0.7)), 0.8)
            c.rect((8, 30, 16, 33), rgba(GOLD_DARK))
            c.line([(12, 33), (12, 36)], rgba(LACQUER), 1.5)
            if state == 1:
                c.ellipse((2, 6, 22, 32), outline=rgba(GOLD_LIGHT), width=1.2)
            frames.append(c.result())
    return strip(frames)


# --- dialog frame --------------------------------------------------------------------------

BAR = 11          # bar thickness


def bar_paint(c, x0, y0, x1, y1):
    """A lacquer bar with gold rims; uniform along its length so pieces tile."""
    c.rect((x0, y0, x1, y1), rgba(GOLD_DARK))
    horizontal = (x1 - x0) > (y1 - y0)
    if horizontal:
        c.rect((x0, y0 + 1, x1, y1 - 1), rgba(GOLD))
        c.rect((x0, y0 + 2.5, x1, y1 - 2.5), rgba(LACQUER))
        c.rect((x0, y0 + 3.5, x1, y0 + 4.5), rgba(LACQUER_LIGHT))
    else:
        c.rect((x0 + 1, y0, x1 - 1, y1), rgba(GOLD))
        c.rect((x0 + 2.5, y0, x1 - 2.5, y1), rgba(LACQUER))
        c.rect((x0 + 3.5, y0, x0 + 4.5, y1), rgba(LACQUER_LIGHT))


def boss(c, cx, cy, r):
    c.circle(cx, cy, r, fill=rgba(GOLD_DARK))
    c.circle(cx, cy, r - 1.5, fill=rgba(GOLD))
    for k in range(8):
        a = k * math.pi / 4
        c.circle(cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55, r * 0.22,
                 fill=rgba(GOLD_LIGHT))
    c.circle(cx, cy, r * 0.35, fill=rgba(LACQUER))


def corner(size, which, ornamented=False):
    """One corner piece. The bars run from the corner to the piece's inner edges."""
    s = size
    c = Canvas(s, s)
    left = which in ('tl', 'bl')
    top = which in ('tl', 'tr')
    vx = 18 if left else s - 30                       # vertical bar's x
    hy = 12 if top else s - 25                        # horizontal bar's y
    # horizontal bar from the vertical bar outwards to the inner edge
    if left:
        bar_paint(c, vx, hy, s, hy + BAR)
    else:
        bar_paint(c, 0, hy, vx + 12, hy + BAR)
    if top:
        bar_paint(c, vx, hy, vx + 12, s)
    else:
        bar_paint(c, vx, 0, vx + 12, hy + BAR)
    r = 13 if s > 64 else 10
    boss(c, vx + 6, hy + BAR / 2, r)
    if ornamented:
        for k in range(3):
            c.circle(vx + 6 + (k - 1) * 9, hy + BAR / 2 + (r + 5 if not top else -(r - 3)) * 0,
                     2, fill=rgba(GOLD_LIGHT))
        c.line([(vx + 6 - 20, hy + BAR + 6), (vx + 6 + 20, hy + BAR + 6)] if top else
               [(vx + 6 - 20, hy - 6), (vx + 6 + 20, hy - 6)], rgba(GOLD), 1.5)
    return c.result()


def corners(size):
    out = Image.new('RGBA', (size * 2, size * 2), (0, 0, 0, 0))
    for which, (x, y) in [('tl', (0, 0)), ('tr', (size, 0)), ('bl', (0, size)),
                          ('br', (size, size))]:
        out.alpha_composite(corner(size, which), (x, y))
    return out


def small_corners():
    out = Image.new('RGBA', (192, 128), (0, 0, 0, 0))
    out.alpha_composite(corners(64), (0, 0))
    out.alpha_composite(corner(64, 'tr', True), (128, 0))
    out.alpha_composite(corner(64, 'tl', True), (128, 64))
    return out


def horizontal_edges():
    c = Canvas(214, 22)
    bar_paint(c, 0, 0, 214, BAR)
    bar_paint(c, 0, 11, 214, 11 + BAR)
    return c.result()


def vertical_edges():
    c = Canvas(36, 84)
    bar_paint(c, 0, 0, 12, 84)
    bar_paint(c, 12, 0, 24, 63)
    bar_paint(c, 24, 0, 36, 42)
    return c.result()


def ruyi(c, cx, cy, r, mirror):
    """A cloud-scroll ornament."""
    m = -1 if mirror else 1
    c.circle(cx, cy, r, fill=rgba(GOLD_DARK))
    c.circle(cx, cy, r - 2, fill=rgba(GOLD))
    c.circle(cx + m * r * 0.9, cy + r * 0.6, r * 0.6, fill=rgba(GOLD_DARK))
    c.circle(cx + m * r * 0.9, cy + r * 0.6, r * 0.6 - 2, fill=rgba(GOLD))
    c.circle(cx, cy, r * 0.45, fill=rgba(LACQUER))


def ornaments():
    c = Canvas(134, 88)
    for mirror, x0 in ((False, 0), (True, 67)):
        cx = x0 + (40 if not mirror else 27)
        c.line([(x0 + (67 if not mirror else 0), 6), (cx, 30), (cx, 80)], rgba(GOLD_DARK), 3)
        ruyi(c, cx, 38, 15, mirror)
        c.circle(cx, 70, 7, fill=rgba(LACQUER))
        c.circle(cx, 70, 4, fill=rgba(GOLD_LIGHT))
    return c.result()


def panel_background():
    base = vgradient((256, 256), [(0, PAPER), (1, mix(PAPER, PAPER_DARK, 0.5))])
    tex = noise((256, 256), 280, 48, 4)
    shade_layer = Image.new('RGBA', (256, 256), rgba(PAPER_DARK, 0))
    shade_layer.putalpha(tex.point(lambda v: max(0, v - 96) // 3))
    base.alpha_composite(shade_layer)
    return base.convert('RGB')


def sparkle():
    frames = []
    for f in range(20):
        t = math.sin(math.pi * f / 19)
        c = Canvas(22, 22)
        r = 2 + 8 * t
        c.poly([(11, 11 - r), (12, 10), (11 + r, 11), (12, 12), (11, 11 + r), (10, 12),
                (11 - r, 11), (10, 10)], fill=rgba(GOLD_LIGHT, int(80 + 175 * t)))
        c.circle(11, 11, 1 + 2 * t, fill=rgba((255, 255, 255), int(255 * t)))
        frames.append(c.result())
    return strip(frames)


def stretch_skin():
    """Four 102 x 42 states: caps 0-46 and 54-102, the 8-pixel middle repeats."""
    frames = []
    for state in range(4):
        frame = button_frame(102, 42, GREEN, state, radius=12)
        frames.append(frame)
    return strip(frames)


# --- the play screen's frames ----------------------------------------------------------------

def lacquer_band(w, h, colour=LACQUER, seed=1):
    band = vgradient((w, h), [(0, shade(colour, 1.2)), (0.5, colour), (1, shade(colour, 0.6))])
    tex = noise((w, h), seed, 30, 3)
    dark = Image.new('RGBA', (w, h), rgba(LACQUER_DARK, 0))
    dark.putalpha(tex.point(lambda v: max(0, v - 110) // 4))
    band.alpha_composite(dark)
    return band


def gold_line(c, y, w, thick=2):
    c.rect((0, y, w, y + thick), rgba(GOLD))
    c.rect((0, y + thick, w, y + thick + 1), rgba(GOLD_DARK))


def top_bar(colour, seed):
    img = lacquer_band(800, 60, colour, seed)
    c = Canvas(800, 60)
    gold_line(c, 55, 800, 3)
    for x in (8, 792):
        boss(c, x, 30, 6)
    c.rrect((268, 36, 552, 56), 5, fill=rgba((0, 0, 0), 60))
    img.alpha_composite(c.result())
    return img


TRAY_CELLS = (371, 423)
TRAY_TOP = 16


def bottom_bar(colour, seed):
    img = lacquer_band(800, 80, colour, seed)
    c = Canvas(800, 80)
    gold_line(c, 1, 800, 3)
    c.rrect((22, 12, 130, 76), 8, fill=rgba((0, 0, 0), 70))
    c.rrect((22, 12, 130, 76), 8, outline=rgba(GOLD_DARK), width=1.2)
    # The tray's two recesses hug the cells where the board lays the last pair: 42 x 52 faces
    # at x 371 and 423, y 536 of the screen, which is y 16 of this bar.
    for x in TRAY_CELLS:
        box = (x - 4, TRAY_TOP - 5, x + 46, TRAY_TOP + 57)
        c.rrect(box, 6, fill=rgba((0, 0, 0), 80))
        c.rrect(box, 6, outline=rgba(GOLD_DARK), width=1)
    img.alpha_composite(c.result())
    return img


def lip(flip):
    c = Canvas(800, 16)
    y = 0 if not flip else 10
    c.rect((0, y, 800, y + 6), rgba(LACQUER_DARK))
    c.rect((0, y + (4 if not flip else 0), 800, y + (6 if not flip else 2)), rgba(GOLD))
    for x in range(10, 800, 40):
        c.poly([(x, y + (6 if not flip else 0)), (x + 20, y + (6 if not flip else 0)),
                (x + 10, y + (12 if not flip else -6))], fill=rgba(LACQUER_DARK))
    return c.result()


def frame_corner(which):
    c = Canvas(54, 54)
    left = which in ('tl', 'bl')
    top = which in ('tl', 'tr')
    x0 = 0 if left else 38
    y0 = 0 if top else 40
    c.rect((x0, 0, x0 + 16, 54), rgba(LACQUER))
    c.rect((0, y0, 54, y0 + 14), rgba(LACQUER))
    c.rect((x0 + (14 if left else 0), 0, x0 + (16 if left else 2), 54), rgba(GOLD))
    c.rect((0, y0 + (12 if top else 0), 54, y0 + (14 if top else 2)), rgba(GOLD))
    boss(c, x0 + 8, y0 + 7, 11)
    return c.result()


def frame_side(left):
    c = Canvas(16, 352)
    c.rect((0, 0, 16, 352), rgba(LACQUER))
    c.rect((14 if left else 0, 0, 16 if left else 2, 352), rgba(GOLD))
    for y in range(22, 352, 44):
        c.circle(8 if left else 8, y, 3, fill=rgba(GOLD_DARK))
    return c.result()


def frame_strip(top):
    c = Canvas(692, 14)
    c.rect((0, 0, 692, 14), rgba(LACQUER))
    c.rect((0, 12 if top else 0, 692, 14 if top else 2), rgba(GOLD))
    for x in range(23, 692, 46):
        c.circle(x, 7 if top else 7, 2.5, fill=rgba(GOLD_DARK))
    return c.result()


def progress_strip(w, h, colour=JADE, bar=None):
    """A rounded bar `bar` pixels high (all of h unless told) at the top of a w x h picture."""
    c = Canvas(w, h)
    b = bar or h
    c.rrect((0, 0, w, b), b / 2, fill=rgba(GOLD_DARK))
    c.rrect((1.5, 1.5, w - 1.5, b - 1.5), b / 2 - 1.5, fill=rgba(colour))
    c.rrect((3, 2.5, w - 3, b / 2), b / 4, fill=rgba(shade(colour, 1.4), 120))
    return c.result()


def marker(w, h):
    c = Canvas(w, h)
    c.poly([(w / 2, h), (0.5, h * 0.45), (w / 2, 0.5), (w - 0.5, h * 0.45)], fill=rgba(GOLD_DARK))
    c.poly([(w / 2, h - 3), (2.5, h * 0.45), (w / 2, 3), (w - 2.5, h * 0.45)], fill=rgba(GOLD_LIGHT))
    return c.result()


def tick():
    c = Canvas(3, 8)
    c.rect((0, 0, 3, 8), rgba(GOLD_LIGHT))
    c.rect((2, 0, 3, 8), rgba(GOLD_DARK))
    return c.result()


def level_done_marker():
    c = Canvas(7, 7)
    c.circle(3.5, 3.5, 3.4, fill=rgba(LACQUER_DARK))
    c.circle(3.5, 3.5, 2.2, fill=rgba(GOLD_LIGHT))
    return c.result()


def frontier_marker():
    c = Canvas(21, 21)
    c.circle(10.5, 10.5, 10, fill=rgba(GOLD, 110))
    c.circle(10.5, 10.5, 6.5, fill=rgba(LACQUER))
    c.circle(10.5, 10.5, 3.5, fill=rgba(GOLD_LIGHT))
    return c.result()


def ring():
    c = Canvas(63, 63)
    c.circle(31.5, 31.5, 29, outline=rgba(GOLD_LIGHT), width=3.5)
    c.circle(31.5, 31.5, 24, outline=rgba(GOLD, 160), width=1.5)
    img = c.result()
    glow = img.filter(ImageFilter.GaussianBlur(2))
    glow.alpha_composite(img)
    return glow


def end_cap():
    c = Canvas(36, 48)
    c.poly([(0, 14), (14, 14), (34, 24), (14, 34), (0, 34)], fill=rgba(GOLD_DARK))
    c.poly([(0, 16.5), (13, 16.5), (30, 24), (13, 31.5), (0, 31.5)], fill=rgba(GOLD))
    boss(c, 14, 24, 7)
    return c.result()


def completed_mark():
    c = Canvas(70, 40)
    c.circle(50, 20, 17, fill=rgba(LACQUER, 230))
    c.circle(50, 20, 14, outline=rgba(GOLD_LIGHT), width=1.5)
    c.line([(41, 20), (48, 28), (60, 11)], rgba(GOLD_LIGHT), 3.5)
    return c.result()


def bounce_arrow():
    c = Canvas(32, 56)
    c.rect((11, 2, 21, 34), rgba(GOLD_DARK))
    c.rect((12.5, 2, 19.5, 35), rgba(GOLD_LIGHT))
    c.poly([(1, 30), (31, 30), (16, 55)], fill=rgba(GOLD_DARK))
    c.poly([(4.5, 32), (27.5, 32), (16, 51)], fill=rgba(GOLD_LIGHT))
    return c.result()


def selection_mark(w, h):
    c = Canvas(w, h)
    c.rrect((1, 1, w - 1, h - 1), 10, outline=rgba(GOLD_LIGHT), width=4)
    c.rrect((5, 5, w - 5, h - 5), 7, outline=rgba(GOLD, 150), width=1.5)
    img = c.result()
    glow = img.filter(ImageFilter.GaussianBlur(3))
    glow.alpha_composite(img)
    return glow


def padlock(c, cx, cy, size):
    body = (cx - size * 0.5, cy - size * 0.1, cx + size * 0.5, cy + size * 0.62)
    c.ellipse((cx - size * 0.34, cy - size * 0.62, cx + size * 0.34, cy + size * 0.06),
              outline=rgba(shade(GOLD, 0.8)), width=size * 0.13)
    c.rrect(body, size * 0.1, fill=rgba(GOLD))
    c.rrect(body, size * 0.1, outline=rgba(GOLD_DARK), width=size * 0.05)
    c.circle(cx, cy + size * 0.2, size * 0.09, fill=rgba(INK))
    c.poly([(cx - size * 0.05, cy + size * 0.22), (cx + size * 0.05, cy + size * 0.22),
            (cx + size * 0.08, cy + size * 0.44), (cx - size * 0.08, cy + size * 0.44)],
           fill=rgba(INK))


def thumbnail_frame():
    """The background thumbnail's frame. A picture covers its inside; a background that the
    story has not yet unlocked shows the inside itself: a dimmed, grey land under a padlock."""
    c = Canvas(196, 118)
    c.rect((0, 0, 196, 118), rgba(GOLD_DARK))
    c.rect((1.5, 1.5, 194.5, 116.5), rgba(GOLD))
    inside = vgradient((186, 107), [(0, (92, 94, 98)), (1, (62, 62, 64))])
    hills = Canvas(186, 107)
    rng = random.Random(322)
    for k, colour in enumerate([(78, 80, 84), (60, 61, 64), (44, 44, 46)]):
        base = 52 + k * 18
        pts = [(0, 107), (0, base)]
        for x in range(0, 187, 12):
            pts.append((x, base + rng.uniform(-12, 8) + 8 * math.sin(x / (23 + 9 * k) + k)))
        pts += [(186, base), (186, 107)]
        hills.poly(pts, fill=rgba(colour))
    inside.alpha_composite(hills.result())
    lock = Canvas(186, 107)
    lock.circle(93, 46, 27, fill=rgba(LACQUER_DARK, 210))
    lock.circle(93, 46, 27, outline=rgba(GOLD), width=1.5)
    padlock(lock, 93, 46, 28)
    lock.rrect((30, 82, 156, 100), 9, fill=rgba((20, 16, 14), 170))
    lock.text((93, 91), 'Unlocked by the story', SERIF_BOLD, 10.5, rgba(GOLD_LIGHT))
    inside.alpha_composite(lock.result())
    frame = c.result()
    frame.alpha_composite(inside, (4, 5))
    return frame


def slot_frame(selected):
    c = Canvas(203, 153)
    rim = GOLD_LIGHT if selected else GOLD_DARK
    c.rrect((0, 0, 203, 153), 10, fill=rgba(rim))
    c.rrect((3, 3, 200, 150), 8, fill=rgba(LACQUER_DARK if not selected else LACQUER))
    c.rrect((8, 26, 195, 132), 4, fill=rgba(PAPER))
    c.rrect((8, 26, 195, 132), 4, outline=rgba(rim), width=1.5)
    return c.result()


def banner(w, h):
    """A paper scroll with gold rims for the level result: its text is dark ink. The inner rule
    runs down the sides and along the foot only, leaving open paper about the heading."""
    c = Canvas(w, h)
    c.rrect((0, 0, w, h), 14, fill=rgba(GOLD_DARK))
    c.rrect((3, 3, w - 3, h - 3), 12, fill=rgba(PAPER))
    c.line([(8.75, 40), (8.75, h - 8.75), (w - 8.75, h - 8.75), (w - 8.75, 40)], rgba(GOLD), 1.5,
           joint=None)
    for x in (18, w - 18):
        boss(c, x, 18, 7)
    return c.result()


def dynasty_banner():
    # The header box ends well above the banner text's first line (y 236 on the screen, the
    # picture's top at 130), and so does the field the text is written on.
    upper = Canvas(544, 290)
    upper.rrect((0, 50, 544, 290), 0, fill=rgba(LACQUER))
    upper.rect((0, 50, 544, 56), rgba(GOLD))
    upper.rrect((70, 0, 474, 68), 16, fill=rgba(GOLD_DARK))
    upper.rrect((74, 4, 470, 64), 14, fill=rgba(LACQUER_DARK))
    for k in range(5):
        ruyi(upper, 130 + k * 71, 34, 12, k % 2 == 1)
    upper.rect((16, 68, 528, 290), rgba(mix(LACQUER, LACQUER_DARK, 0.3)))
    lower = Canvas(544, 50)
    lower.rect((0, 0, 544, 30), rgba(LACQUER))
    lower.rect((0, 26, 544, 32), rgba(GOLD))
    lower.rrect((0, 28, 544, 50), 10, fill=rgba(GOLD_DARK))
    lower.rect((16, 0, 528, 26), rgba(mix(LACQUER, LACQUER_DARK, 0.3)))
    return upper.result(), lower.result()


def bar_buttons(skin, ids):
    """The five tool buttons under the board, in the order undo, hint, menu, pause, shuffle."""
    sizes = [(80, 36), (82, 36), (86, 32), (86, 32), (100, 36)]
    slugs = ['undo', 'hint', 'menu', 'pause', 'shuffle']
    for rid, (w, h), slug in zip(ids, sizes, slugs):
        yield rid, button_strip(w, h, skin, 4), slug


def make():
    # Main menu
    save_png(button_strip(118, 40, RED, 3), 131, 'menu-options')
    save_png(button_strip(180, 70, RED, 3, radius=14), 132, 'menu-free-play')
    save_png(button_strip(103, 40, RED, 3), 134, 'menu-quit')
    save_png(button_strip(183, 40, RED, 3), 135, 'menu-help')
    save_png(button_strip(330, 70, RED, 3, radius=14), 142, 'menu-story')
    # Tool bars: story in lacquer, free play in jade
    for rid, img, slug in bar_buttons(RED, [136, 144, 145, 146, 148]):
        save_png(img, rid, 'story-' + slug)
    for rid, img, slug in bar_buttons(GREEN, [269, 264, 265, 266, 268]):
        save_png(img, rid, 'free-' + slug)
    # Free-play grid
    save_png(button_strip(52, 52, RED, 4, radius=26, icon=arrow_icon('left')), 193, 'grid-previous')
    save_png(button_strip(52, 52, RED, 4, radius=26, icon=arrow_icon('right')), 194, 'grid-next')
    save_png(button_strip(144, 40, RED, 3), 196, 'grid-play')
    save_png(button_strip(144, 40, RED, 3), 197, 'grid-main-menu')
    save_png(slot_frame(True), 188, 'slot-selected')
    save_png(slot_frame(False), 195, 'slot')
    save_png(completed_mark(), 369, 'slot-completed')
    # Campaign and timeline
    save_png(button_strip(126, 44, RED, 4), 228, 'campaign-main-menu')
    save_png(button_strip(128, 44, RED, 4), 230, 'campaign-play')
    save_png(button_strip(120, 44, RED, 4), 364, 'campaign-timeline')
    save_png(button_strip(124, 40, RED, 3), 371, 'timeline-main-menu')
    save_png(button_strip(144, 40, RED, 3), 372, 'timeline-back')
    save_png(level_done_marker(), 246, 'level-done')
    save_png(end_cap(), 247, 'campaign-strip-end')
    # The bar fills the top 18 rows of its 24, so it ends clear of the map's headings below it.
    save_png(progress_strip(761, 24, bar=18), 248, 'campaign-strip')
    save_png(ring(), 249, 'level-ring')
    save_png(frontier_marker(), 292, 'level-frontier')
    upper, lower = dynasty_banner()
    save_png(upper, 310, 'dynasty-banner-upper')
    save_png(lower, 309, 'dynasty-banner-lower')
    # Dialogs
    save_png(vertical_edges(), 276, 'frame-vertical')
    save_png(corners(84), 277, 'frame-corners')
    save_png(horizontal_edges(), 278, 'frame-horizontal')
    save_png(ornaments(), 279, 'frame-ornaments')
    save_png(panel_background(), 280, 'panel')
    save_png(small_corners(), 282, 'frame-small-corners')
    save_png(stretch_skin(), 287, 'text-button-stretch')
    save_png(sparkle(), 288, 'sparkle')
    save_png(radio(), 291, 'radio')
    save_png(button_strip(28, 28, GREEN, 4, radius=6, icon=arrow_icon('up')), 293, 'arrow-up')
    save_png(button_strip(28, 28, GREEN, 4, radius=6, icon=arrow_icon('down')), 294, 'arrow-down')
    save_png(button_strip(80, 40, GREEN, 4), 297, 'text-button')
    save_png(checkbox(), 298, 'checkbox')
    save_png(slider_track(), 299, 'slider-track')
    save_png(slider_thumb(), 300, 'slider-thumb')
    save_png(banner(310, 120), 301, 'level-banner')
    save_png(selection_mark(128, 146), 320, 'tileset-mark')
    save_png(selection_mark(222, 142), 321, 'background-mark')
    save_png(thumbnail_frame(), 322, 'thumbnail-frame')
    save_png(button_strip(50, 40, GREEN, 4, icon=arrow_icon('left')), 354, 'help-previous')
    save_png(button_strip(50, 40, GREEN, 4, icon=arrow_icon('right')), 355, 'help-next')
    save_png(bounce_arrow(), 370, 'tip-arrow')
    # Play screen frames
    save_png(lip(False), 125, 'hud-upper-lip')
    save_png(bottom_bar(LACQUER, 126), 126, 'hud-story-bottom')
    save_png(top_bar(LACQUER, 127), 127, 'hud-story-top')
    save_png(lip(True), 128, 'hud-lower-lip')
    save_png(progress_strip(281, 15, GOLD), 253, 'hud-progress')
    save_png(marker(13, 22), 254, 'hud-progress-marker')
    save_png(tick(), 255, 'hud-progress-tick')
    save_png(frame_corner('tr'), 260, 'hud-corner-top-right')
    save_png(top_bar(JADE_DARK, 261), 261, 'hud-free-top')
    save_png(frame_strip(False), 262, 'hud-strip-bottom')
    save_png(frame_strip(True), 263, 'hud-strip-top')
    save_png(frame_corner('bl'), 270, 'hud-corner-bottom-left')
    save_png(frame_corner('br'), 271, 'hud-corner-bottom-right')
    save_png(frame_side(True), 272, 'hud-side-left')
    save_png(frame_side(False), 273, 'hud-side-right')
    save_png(frame_corner('tl'), 274, 'hud-corner-top-left')
    save_png(bottom_bar(JADE_DARK, 275), 275, 'hud-free-bottom')
    save_png(lantern_toggle(JADE_LIGHT), 367, 'lantern-free')
    save_png(lantern_toggle((230, 160, 140)), 368, 'lantern-story')

