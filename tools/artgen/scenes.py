"""Full-screen pictures: the fifteen play-field landscapes and their thumbnail sheet, the main
menu, the free-play grid backdrop, the campaign map with its regions, the timeline, and the
smaller scene pieces (welcome backdrop, slide wipe, menu sprites, help illustrations).

Landscapes are layered ink-wash mountains: ridge lines of seeded fractal noise, each range
paler than the one before it, mist pooling in the valleys. They stay soft and low in contrast
because tiles lie over them."""
import math
import random

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from common import (BRUSH_CJK, GOLD, GOLD_DARK, GOLD_LIGHT, INK, IVORY, JADE, JADE_DARK,
                    LACQUER, LACQUER_DARK, PAPER, PAPER_DARK, Canvas, mix, noise, rgba, save_jpg,
                    save_png, shade, strip, vgradient)
from tiles import STYLES, face, plain_bases


def ridge(width, seed, base, amplitude, roughness=0.55, octaves=7):
    """A mountain ridge line: y for each x, from seeded 1-D fractal noise."""
    rng = np.random.RandomState(seed)
    y = np.zeros(width)
    amp, period = amplitude, width / 2.0
    for _ in range(octaves):
        points = int(width / period) + 3
        knots = rng.uniform(-1, 1, points)
        xs = np.arange(width) / period
        i = np.floor(xs).astype(int)
        t = xs - i
        t = t * t * (3 - 2 * t)
        y += amp * (knots[i] * (1 - t) + knots[i + 1] * t)
        amp *= roughness
        period /= 2.0
    return base + y


def fill_below(img, ys, colour, alpha=255):
    w, h = img.size
    mask = Image.new('L', (w, h), 0)
    d = ImageDraw.Draw(mask)
    d.polygon([(0, h)] + [(x, float(ys[x])) for x in range(w)] + [(w - 1, h)], fill=alpha)
    layer = Image.new('RGBA', (w, h), rgba(colour))
    layer.putalpha(mask)
    img.alpha_composite(layer)


def mist(img, y0, y1, colour, strength):
    w, h = img.size
    band = vgradient((w, h), [(0, rgba(colour, 0)), (max(0.0, y0 / h), rgba(colour, 0)),
                              (min(1.0, y1 / h), rgba(colour, strength)), (1, rgba(colour, strength))])
    img.alpha_composite(band)


def pine(d, x, y, size, colour):
    d.line([(x, y), (x, y - size)], fill=colour, width=max(1, int(size / 10)))
    for k in range(4):
        yy = y - size * (0.35 + k * 0.17)
        half = size * (0.42 - k * 0.08)
        d.polygon([(x - half, yy + size * 0.06), (x + half, yy + size * 0.06), (x, yy - size * 0.12)],
                  fill=colour)


def pagoda(d, x, y, size, colour):
    tiers = 5
    for k in range(tiers):
        w = size * (0.55 - k * 0.08)
        yy = y - k * size * 0.22
        d.rectangle([x - w * 0.55, yy - size * 0.16, x + w * 0.55, yy], fill=colour)
        d.polygon([(x - w, yy - size * 0.14), (x + w, yy - size * 0.14), (x + w * 0.6, yy - size * 0.24),
                   (x - w * 0.6, yy - size * 0.24)], fill=colour)
    d.line([(x, y - tiers * size * 0.22), (x, y - tiers * size * 0.22 - size * 0.25)], fill=colour,
           width=max(1, int(size / 14)))


def wall(d, ys, x0, x1, colour):
    for x in range(x0, x1, 2):
        y = float(ys[x]) - 3
        d.rectangle([x, y - 5, x + 2, y], fill=colour)
        if (x // 6) % 2 == 0:
            d.rectangle([x, y - 8, x + 2, y - 5], fill=colour)


# Sky, far range, near range and mist colours of each landscape; features per picture.
LANDSCAPES = [
    # table entries 0-3: the free-play rotation
    ('dawn-lake', (236, 214, 190), (170, 150, 150), (70, 74, 82), (250, 236, 220), 'sun lake'),
    ('jade-valley', (214, 230, 214), (132, 170, 150), (40, 84, 66), (236, 244, 232), 'pines'),
    ('red-cliffs', (240, 206, 170), (186, 120, 96), (96, 40, 32), (250, 226, 200), 'sun pagoda'),
    ('moon-peaks', (52, 60, 92), (84, 92, 130), (26, 28, 46), (120, 126, 160), 'moon'),
    # entries 4-14: the dynasties Xia to Qing
    ('xia-river', (226, 220, 196), (150, 150, 124), (70, 72, 52), (240, 236, 214), 'lake'),
    ('shang-bronze', (232, 210, 168), (160, 130, 90), (84, 60, 36), (246, 228, 196), 'sun'),
    ('zhou-hills', (218, 226, 206), (140, 160, 130), (58, 80, 56), (236, 240, 226), 'pines'),
    ('qin-wall', (228, 216, 196), (150, 140, 130), (72, 60, 56), (242, 234, 220), 'wall'),
    ('han-road', (236, 222, 186), (176, 150, 110), (96, 70, 42), (248, 236, 210), 'sun pines'),
    ('sui-canal', (210, 222, 228), (130, 150, 168), (50, 70, 90), (232, 238, 242), 'lake'),
    ('tang-capital', (244, 214, 176), (190, 130, 96), (110, 50, 40), (252, 232, 210), 'sun pagoda'),
    ('song-river', (220, 228, 220), (140, 160, 150), (52, 74, 70), (238, 242, 236), 'lake pines'),
    ('yuan-steppe', (230, 224, 200), (170, 160, 120), (100, 90, 60), (244, 240, 222), 'sun'),
    ('ming-palace', (238, 206, 196), (170, 110, 110), (90, 36, 40), (250, 228, 222), 'pagoda wall'),
    ('qing-garden', (212, 222, 206), (120, 150, 120), (40, 70, 50), (234, 240, 230), 'moon pines lake'),
]
# Image id of each entry of the background table.
BACKGROUND_IDS = [232, 233, 234, 256, 219, 220, 221, 222, 223, 224, 225, 226, 227, 218, 231]


def landscape(index, w=800, h=460):
    slug, sky, far, near, haze, features = LANDSCAPES[index]
    img = vgradient((w, h), [(0, shade(sky, 1.08)), (0.7, sky), (1, mix(sky, haze, 0.5))])
    if 'sun' in features or 'moon' in features:
        moon = 'moon' in features
        cx, cy, r = (620, 90, 34) if moon else (180 + 60 * (index % 5), 120, 46)
        glow = Image.new('RGBA', (w, h), (0, 0, 0, 0))
        gd = ImageDraw.Draw(glow)
        colour = (250, 248, 230) if moon else (248, 170, 110)
        gd.ellipse([cx - r * 2.2, cy - r * 2.2, cx + r * 2.2, cy + r * 2.2], fill=rgba(colour, 60))
        glow = glow.filter(ImageFilter.GaussianBlur(24))
        img.alpha_composite(glow)
        disc = Image.new('RGBA', (w, h), (0, 0, 0, 0))
        ImageDraw.Draw(disc).ellipse([cx - r, cy - r, cx + r, cy + r], fill=rgba(colour, 235))
        img.alpha_composite(disc.filter(ImageFilter.GaussianBlur(1)))
    layers = 5
    for k in range(layers):
        t = k / (layers - 1)
        colour = mix(mix(far, haze, 0.35), near, t)
        base = h * (0.38 + 0.13 * k)
        ys = ridge(w, index * 31 + k * 7 + 1, base, h * (0.16 - 0.02 * k), 0.52 + 0.03 * k)
        fill_below(img, ys, colour)
        if k == layers - 1:
            d = ImageDraw.Draw(img)
            rng = random.Random(index * 97)
            if 'pines' in features:
                for _ in range(9):
                    x = rng.randrange(20, w - 20)
                    pine(d, x, float(ys[x]) + 4, rng.randrange(26, 52), rgba(shade(near, 0.7)))
            if 'pagoda' in features:
                x = 640 if index % 2 else 150
                pagoda(d, x, float(ys[x]) + 2, 90, rgba(shade(near, 0.75)))
        if k == 2 and 'wall' in features:
            wall(ImageDraw.Draw(img), ys, 60, 740, rgba(shade(colour, 0.8)))
        mist(img, base - h * 0.05, base + h * 0.18, haze, 150 - 20 * k)
    if 'lake' in features:
        water = vgradient((w, 70), [(0, rgba(mix(sky, haze, 0.4))), (1, rgba(shade(sky, 0.85)))])
        img.alpha_composite(water, (0, h - 70))
        d = ImageDraw.Draw(img)
        rng = random.Random(index)
        for _ in range(40):
            x, y = rng.randrange(0, w), rng.randrange(h - 66, h - 4)
            d.line([(x, y), (x + rng.randrange(10, 40), y)], fill=rgba((255, 255, 255), 60))
    paper = noise((w, h), 9000 + index, 60, 4)
    grainy = Image.new('RGBA', (w, h), rgba(PAPER_DARK, 0))
    grainy.putalpha(paper.point(lambda v: max(0, v - 100) // 5))
    img.alpha_composite(grainy)
    return slug, img.convert('RGB')


def thumbnails(pictures):
    sheet = Image.new('RGB', (558, 535), (0, 0, 0))
    for i, pic in enumerate(pictures):
        sheet.paste(pic.resize((186, 107), Image.LANCZOS), ((i % 3) * 186, (i // 3) * 107))
    return sheet


def seal(text, size, colour=LACQUER):
    c = Canvas(size, size)
    c.rrect((0, 0, size, size), size * 0.12, fill=rgba(colour))
    c.rrect((size * 0.08, size * 0.08, size * 0.92, size * 0.92), size * 0.08,
            outline=rgba(IVORY), width=size * 0.03)
    c.text((size / 2, size / 2), text, BRUSH_CJK, size * 0.62, rgba(IVORY))
    return c.result()


def main_menu(pictures):
    img = pictures[10].resize((800, 600), Image.LANCZOS).convert('RGBA')
    veil = vgradient((800, 600), [(0, rgba(LACQUER_DARK, 40)), (0.55, rgba(LACQUER_DARK, 60)),
                                  (0.75, rgba(LACQUER_DARK, 200)), (1, rgba(LACQUER_DARK, 235))])
    img.alpha_composite(veil)
    c = Canvas(800, 600)
    c.rrect((150, 34, 650, 176), 20, fill=rgba(LACQUER, 225))
    c.rrect((158, 42, 642, 168), 16, outline=rgba(GOLD), width=2.5)
    c.text((400, 98), 'QUILLOMAR', '/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf', 58,
           rgba(GOLD_LIGHT), stroke=2, stroke_fill=rgba(LACQUER_DARK))
    c.text((400, 146), 'Tiles of the Jade Road', '/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf',
           18, rgba(IVORY))
    # The rule stays well above the greeting the game writes under it (baseline y 482).
    c.rect((0, 452, 800, 454), rgba(GOLD))
    img.alpha_composite(c.result())
    img.alpha_composite(seal('玉', 70), (680, 60))
    return img.convert('RGB')


def grid_backdrop():
    img = vgradient((800, 600), [(0, LACQUER), (1, LACQUER_DARK)])
    tex = noise((800, 600), 190, 80, 4)
    dark = Image.new('RGBA', (800, 600), rgba((40, 6, 6), 0))
    dark.putalpha(tex.point(lambda v: max(0, v - 90) // 3))
    img.alpha_composite(dark)
    c = Canvas(800, 600)
    for x, y in [(62, 57), (299, 57), (536, 57), (62, 217), (299, 217), (536, 217), (62, 377),
                 (299, 377), (536, 377)]:
        c.rrect((x - 6, y - 4, x + 209, y + 159), 12, fill=rgba((0, 0, 0), 70))
    c.rect((0, 536, 800, 538), rgba(GOLD))
    c.rect((0, 538, 800, 600), rgba(LACQUER_DARK, 160))
    img.alpha_composite(c.result())
    return img.convert('RGB')


# The campaign's regions: (image id, left, top, width, height, landmark) for region 0-10.
REGIONS = [
    (244, 42, 83, 110, 82, 'river'), (240, 120, 202, 93, 100, 'bronze'),
    (235, 190, 338, 82, 112, 'scroll'), (238, 265, 489, 87, 82, 'wall'),
    (236, 313, 349, 133, 98, 'road'), (242, 352, 191, 136, 103, 'canal'),
    (243, 428, 49, 132, 84, 'pagoda'), (241, 500, 269, 127, 72, 'river'),
    (245, 586, 450, 73, 112, 'tent'), (237, 662, 294, 85, 108, 'palace'),
    (239, 651, 61, 137, 144, 'garden'),
]

LEVEL_POINTS = [(72, 69), (94, 76), (114, 88), (148, 125), (161, 145), (173, 167), (184, 191),
                (208, 253), (214, 275), (219, 297), (223, 319), (227, 342), (237, 451), (239, 468),
                (243, 486), (250, 503), (262, 517), (350, 522), (365, 507), (374, 486), (380, 466),
                (383, 447), (391, 368), (393, 349), (395, 329), (397, 311), (399, 293), (419, 186),
                (424, 167), (432, 150), (442, 134), (455, 120), (547, 137), (555, 166), (560, 197),
                (562, 227), (562, 257), (561, 349), (562, 377), (566, 406), (572, 434), (581, 461),
                (660, 490), (679, 473), (690, 452), (699, 429), (706, 405), (724, 319), (729, 291),
                (735, 263), (740, 234), (746, 204)]


def catmull(points, steps=10):
    """A smooth curve through the points (Catmull-Rom), as a dense point list."""
    pts = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            out.append(tuple(0.5 * (2 * p1[j] + (-p0[j] + p2[j]) * t
                                    + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t * t
                                    + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t * t * t)
                             for j in range(2)))
    out.append(points[-1])
    return out


def dashes(path, on, off):
    """The runs of a dense path that a dashed line inks."""
    runs, run, travelled = [], [path[0]], 0.0
    for a, b in zip(path, path[1:]):
        travelled += math.hypot(b[0] - a[0], b[1] - a[1])
        if travelled % (on + off) < on:
            run.append(b)
        elif len(run) > 1:
            runs.append(run)
            run = [b]
        else:
            run = [b]
    if len(run) > 1:
        runs.append(run)
    return runs


def mountain(c, x, y, size, light, dark, ink):
    """A map mountain: a peak lit on its left flank, shaded on its right, inked along the ridge."""
    top = (x + size * 0.05, y - size * 0.9)
    left, right, foot = (x - size * 0.75, y), (x + size * 0.75, y), (x + size * 0.15, y)
    c.poly([left, top, foot], fill=rgba(light))
    c.poly([foot, top, right], fill=rgba(dark))
    c.line([left, top, right], rgba(ink, 220), max(1.0, size * 0.07), joint=None)
    c.line([top, (x - size * 0.05, y - size * 0.45)], rgba(ink, 120), max(0.8, size * 0.04),
           joint=None)


def tree(c, x, y, size, colour):
    c.line([(x, y), (x, y - size * 0.6)], rgba(shade(colour, 0.6)), max(1.0, size * 0.14))
    c.circle(x, y - size * 0.75, size * 0.42, fill=rgba(colour))
    c.circle(x - size * 0.12, y - size * 0.85, size * 0.18, fill=rgba(shade(colour, 1.25)))


def scattered(rng, xs, ys, jitter, kept, reach):
    """Jittered grid points, row by row, that keep clear of the `kept` mask.

    Lazy, so a caller drawing more numbers from `rng` per point keeps the sequence as it was."""
    for gy in ys:
        for gx in xs:
            x, y = gx + rng.uniform(-jitter[0], jitter[0]), gy + rng.uniform(-jitter[1], jitter[1])
            xi, yi = int(x), int(y)
            if not kept[max(0, yi - reach):yi + 2, max(0, xi - 12):xi + 12].any():
                yield x, y, xi, yi


def relief(w, h, glyphs, light, dark, tree_colour):
    """Mountain and tree glyphs (y, kind, x, size), back rows first, as one layer."""
    c = Canvas(w, h)
    for y, kind, x, size in sorted(glyphs):
        if kind == 'mountain':
            mountain(c, x, y, size, light, dark, mix(INK, GOLD_DARK, 0.3))
        else:
            tree(c, x, y, size, tree_colour)
    return c.result()


def settlement(c, x, y, rng, walled):
    """A few houses under red roofs, or a walled town with its gate."""
    if walled:
        c.rect((x - 13, y - 11, x + 13, y + 9), rgba(PAPER_DARK))
        c.rrect((x - 13, y - 11, x + 13, y + 9), 1, outline=rgba(INK, 230), width=1.6)
        c.rect((x - 3, y + 3, x + 3, y + 9), rgba(INK, 230))
        c.poly([(x - 8, y - 2), (x + 8, y - 2), (x + 5, y - 8), (x - 5, y - 8)],
               fill=rgba(LACQUER))
        return
    for k in range(rng.randrange(2, 4)):
        hx, hy = x + (k - 1) * 9 + rng.uniform(-2, 2), y + (k % 2) * 5
        c.rect((hx - 4, hy - 4, hx + 4, hy + 3), rgba(IVORY))
        c.rrect((hx - 4, hy - 4, hx + 4, hy + 3), 0.5, outline=rgba(INK, 200), width=0.8)
        c.poly([(hx - 6, hy - 3), (hx + 6, hy - 3), (hx, hy - 9)], fill=rgba(LACQUER))


def compass(c, x, y, r):
    c.circle(x, y, r, outline=rgba(GOLD_DARK, 230), width=1.5)
    c.circle(x, y, r * 0.78, outline=rgba(GOLD_DARK, 160), width=0.8)
    for k in range(8):
        a = k * math.pi / 4
        length = r * (1.0 if k % 2 == 0 else 0.6)
        tip = (x + math.sin(a) * length, y - math.cos(a) * length)
        side = r * 0.14
        l = (x + math.sin(a - math.pi / 2) * side, y - math.cos(a - math.pi / 2) * side)
        rr = (x + math.sin(a + math.pi / 2) * side, y - math.cos(a + math.pi / 2) * side)
        c.poly([l, tip, (x, y)], fill=rgba(LACQUER if k == 0 else INK, 230))
        c.poly([(x, y), tip, rr], fill=rgba(GOLD if k == 0 else PAPER_DARK, 230))
    c.text((x, y - r - 8), '北', BRUSH_CJK, 13, rgba(INK, 220))


# The two great rivers, west to east, and the canal joining them.
RIVERS = [
    [(14, 128), (60, 150), (110, 196), (176, 214), (250, 186), (322, 224), (396, 246),
     (470, 226), (536, 248), (598, 300), (660, 270), (722, 238), (790, 252)],
    [(14, 404), (88, 382), (158, 420), (228, 404), (300, 444), (376, 420), (446, 470),
     (520, 440), (598, 420), (662, 444), (724, 412), (790, 430)],
]
CANAL = [(440, 240), (446, 330), (452, 452)]
# The tabs under the map's two headings: (left, right).
MAP_TABS = [(326, 474), (662, 778)]
# Towns along the road, clear of the level markers: (x, y, walled).
TOWNS = [(40, 94), (197, 140), (132, 292), (190, 512), (318, 478), (300, 548), (346, 300),
         (478, 168), (548, 98), (598, 186), (512, 372), (620, 520), (650, 408), (780, 190),
         (770, 300), (688, 110)]
# How far a town's houses or walls, with a margin, reach from its point: (left, top, right, bottom).
TOWN_REACH = (21, 19, 21, 17)


def campaign_map():
    """A painted map of the road through the dynasties: washes of lowland, upland and steppe,
    mountains and forests, the two rivers and the canal, towns, and the road that the level
    markers follow. The top band carries the progress strip; plaques hold the two headings."""
    w, h = 800, 600
    img = vgradient((w, h), [(0, PAPER), (1, mix(PAPER, PAPER_DARK, 0.6))])
    # Terrain washes from a height field: lowland green, upland khaki, high ground brown, the
    # south-east warming to steppe ochre.
    height = np.asarray(noise((w, h), 2290, 150, 5), dtype=np.float32) / 255.0
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    steppe = np.clip((xs - 520) / 200, 0, 1) * np.clip((ys - 400) / 140, 0, 1)
    low, mid, high = (np.array(c, dtype=np.float32) for c in ((178, 192, 134), (206, 190, 140),
                                                             (170, 148, 112)))
    t = np.clip((height - 0.35) / 0.35, 0, 1)[..., None]
    wash = np.where(t < 0.5, low + (mid - low) * (t * 2), mid + (high - mid) * (t * 2 - 1))
    wash = wash + (np.array((218, 188, 124), dtype=np.float32) - wash) * steppe[..., None] * 0.8
    paper = np.asarray(img.convert('RGB'), dtype=np.float32)
    painted = paper + (wash - paper) * 0.75
    # The sheet browns towards its edges.
    edge = np.minimum(np.minimum(xs, w - 1 - xs), np.minimum(ys, h - 1 - ys))
    painted *= (0.86 + 0.14 * np.clip(edge / 60, 0, 1))[..., None]
    img = Image.fromarray(np.clip(painted, 0, 255).astype(np.uint8), 'RGB').convert('RGBA')
    img = img.filter(ImageFilter.GaussianBlur(1.5))
    tex = noise((w, h), 229, 70, 5)
    stain = Image.new('RGBA', (w, h), rgba((150, 110, 60), 0))
    stain.putalpha(tex.point(lambda v: max(0, v - 120) // 3))
    img.alpha_composite(stain)

    road = catmull(LEVEL_POINTS, 8)
    rivers = [catmull(r, 10) for r in RIVERS]
    canal = catmull(CANAL, 10)
    # Ground the glyphs keep off: the road and its markers, the rivers, the towns, the band.
    keep = Image.new('L', (w, h), 0)
    kd = ImageDraw.Draw(keep)
    kd.line(road, fill=255, width=44, joint='curve')
    for r in rivers + [canal]:
        kd.line(r, fill=255, width=18, joint='curve')
    for x, y in TOWNS:
        kd.ellipse((x - 24, y - 20, x + 24, y + 18), fill=255)
    kd.rectangle((0, 0, w, 84), fill=255)
    kd.ellipse((20, 470, 140, 590), fill=255)
    for box in landmark_boxes():
        kd.rectangle(box, fill=255)
    kept = np.asarray(keep) > 0

    water = (92, 138, 168)
    c = Canvas(w, h)
    for r in rivers:
        c.line(r, rgba(shade(water, 0.8), 230), 7)
        c.line(r, rgba(water), 5)
        c.line(r, rgba(shade(water, 1.35), 150), 1.5)
    c.line(canal, rgba(shade(water, 0.8), 230), 4)
    c.line(canal, rgba(water), 2.5)
    img.alpha_composite(c.result())

    # Mountains and forests on a jittered grid, drawn from the back rows to the front ones.
    forest = np.asarray(noise((w, h), 2291, 90, 3), dtype=np.float32) / 255.0
    rng = random.Random(2292)
    glyphs = []
    for x, y, xi, yi in scattered(rng, range(24, w - 20, 22), range(96, h - 20, 20), (7, 6), kept, 16):
        if height[yi, xi] > 0.56 and steppe[yi, xi] < 0.5:
            glyphs.append((y, 'mountain', x, 12 + 16 * min(1.0, (height[yi, xi] - 0.56) * 5)))
        elif forest[yi, xi] > 0.58 and height[yi, xi] < 0.5:
            for k in range(3):
                glyphs.append((y + k * 3, 'tree', x + (k - 1) * 7, 8 + rng.uniform(0, 3)))
    img.alpha_composite(relief(w, h, glyphs, (222, 206, 164), (150, 126, 92), (70, 112, 70)))

    c = Canvas(w, h)
    c.line(road, rgba(IVORY, 200), 7)
    for run in dashes(road, 7, 4):
        c.line(run, rgba(mix(LACQUER_DARK, INK, 0.3), 230), 2.6)
    trng = random.Random(2293)
    for k, (x, y) in enumerate(TOWNS):
        settlement(c, x, y, trng, k % 3 == 0)
    compass(c, 80, 530, 34)
    # The band under the progress strip, with a tab hanging from it under each heading the game
    # writes (baseline y 60, the title centred, the mode heading ending at x 766): the band's
    # gold rule runs round the tabs, well clear of their text and of the map's frame.
    band = Canvas(w, h)
    band.rect((0, 0, w, 52), rgba(LACQUER_DARK))
    band.rect((0, 52, w, 55), rgba(GOLD))
    for left, right in MAP_TABS:
        band.rrect((left - 1.5, 20, right + 1.5, 79.5), 9, fill=rgba(GOLD))
        band.rrect((left, 20, right, 78), 8, fill=rgba(LACQUER_DARK))
        band.rect((left - 2, 0, right + 2, 52), rgba(LACQUER_DARK))
    band = band.result()
    band.putalpha(band.getchannel('A').point(lambda a: a * 240 // 255))
    img.alpha_composite(c.result())
    img.alpha_composite(band)
    c = Canvas(w, h)
    c.rrect((6, 6, w - 6, h - 6), 12, outline=rgba(GOLD_DARK), width=3)
    c.rrect((11, 11, w - 11, h - 11), 9, outline=rgba(GOLD_DARK, 140), width=1)
    img.alpha_composite(c.result())
    return img.convert('RGB')


def landmark_ink(ink, cx, cy, landmark):
    """A dynasty's landmark drawn in ink about (cx, cy)."""
    colour = rgba(mix(INK, JADE_DARK, 0.4), 230)
    if landmark == 'pagoda':
        for k in range(4):
            w = 18 - k * 3
            y = cy + 20 - k * 11
            ink.rect((cx - w * 0.5, y - 8, cx + w * 0.5, y), colour)
            ink.poly([(cx - w, y - 7), (cx + w, y - 7), (cx, y - 13)], fill=colour)
    elif landmark == 'wall':
        for k in range(5):
            ink.rect((cx - 30 + k * 12, cy - 6, cx - 22 + k * 12, cy + 8), colour)
        ink.rect((cx - 30, cy, cx + 28, cy + 8), colour)
    elif landmark in ('river', 'canal'):
        ink.line([(cx - 35, cy - 15), (cx - 10, cy + 5), (cx + 15, cy - 5), (cx + 35, cy + 15)],
                 rgba((70, 120, 150), 230), 4)
    elif landmark == 'tent':
        ink.poly([(cx - 20, cy + 14), (cx, cy - 14), (cx + 20, cy + 14)], fill=colour)
        ink.rect((cx - 4, cy + 4, cx + 4, cy + 14), rgba(IVORY))
    elif landmark == 'bronze':
        ink.ellipse((cx - 16, cy - 10, cx + 16, cy + 12), fill=colour)
        for dx in (-10, 0, 10):
            ink.rect((cx + dx - 1.5, cy + 8, cx + dx + 1.5, cy + 20), colour)
    elif landmark == 'scroll':
        ink.rect((cx - 18, cy - 14, cx + 18, cy + 14), rgba(IVORY, 230))
        for k in range(4):
            ink.line([(cx - 12, cy - 8 + k * 6), (cx + 12, cy - 8 + k * 6)], colour, 1.2)
    elif landmark == 'road':
        ink.line([(cx - 40, cy + 20), (cx, cy), (cx + 40, cy - 20)], rgba(GOLD_DARK, 230), 4)
    elif landmark == 'palace':
        ink.rect((cx - 24, cy - 4, cx + 24, cy + 14), colour)
        ink.poly([(cx - 32, cy - 2), (cx + 32, cy - 2), (cx + 20, cy - 16), (cx - 20, cy - 16)],
                 fill=rgba(LACQUER, 230))
    else:
        for k in range(5):
            a = k * 2 * math.pi / 5
            ink.circle(cx + math.cos(a) * 10, cy + math.sin(a) * 10, 8, fill=rgba((220, 130, 150), 220))
        ink.circle(cx, cy, 5, fill=rgba(GOLD, 230))


# How far each landmark's ink reaches from its centre: (left, top, right, bottom).
LANDMARK_REACH = {'pagoda': (18, 25, 18, 21), 'wall': (30, 6, 28, 8), 'river': (37, 17, 37, 17),
                  'canal': (37, 17, 37, 17), 'tent': (20, 14, 20, 14), 'bronze': (16, 10, 16, 20),
                  'scroll': (18, 14, 18, 14), 'road': (42, 22, 42, 22), 'palace': (32, 16, 32, 14),
                  'garden': (18, 18, 18, 18)}


def map_drawings():
    """What the campaign map draws of its own under the regions, each with a margin: its icons
    (the band and its tabs, the towns, the compass), which a landmark must never cover, and its
    lines (the road, the rivers, the canal), which a landmark crosses as little as it can."""
    icons = Image.new('L', (800, 600), 0)
    d = ImageDraw.Draw(icons)
    d.rectangle((0, 0, 800, 60), fill=255)
    for left, right in MAP_TABS:
        d.rectangle((left - 6, 0, right + 6, 86), fill=255)
    l, t, r, b = TOWN_REACH
    for x, y in TOWNS:
        d.rectangle((x - l, y - t, x + r, y + b), fill=255)
    d.ellipse((36, 474, 124, 566), fill=255)
    lines = Image.new('L', (800, 600), 0)
    d = ImageDraw.Draw(lines)
    d.line(catmull(LEVEL_POINTS, 8), fill=255, width=15, joint='curve')
    for r in RIVERS:
        d.line(catmull(r, 10), fill=255, width=13, joint='curve')
    d.line(catmull(CANAL, 10), fill=255, width=10, joint='curve')
    return np.asarray(icons) > 0, np.asarray(lines) > 0


def landmark_centres():
    """Each region's landmark centre, in the region picture: clear of the map's icons, crossing
    as little of its lines as it can, and of those points the one nearest the picture's
    middle."""
    icons, lines = map_drawings()
    centres = []
    for _, left, top, w, h, landmark in REGIONS:
        l, t, r, b = LANDMARK_REACH[landmark]
        best = None
        for cy in range(t + 2, h - b - 1):
            for cx in range(l + 2, w - r - 1):
                x, y = left + cx, top + cy
                if icons[y - t:y + b + 1, x - l:x + r + 1].any():
                    continue
                cost = (int(lines[y - t:y + b + 1, x - l:x + r + 1].sum()),
                        (cx - w / 2) ** 2 + (cy - h / 2) ** 2)
                if best is None or cost < best[0]:
                    best = (cost, cx, cy)
        assert best, 'no free ground for the %s landmark' % landmark
        centres.append(best[1:])
    return centres


def landmark_boxes():
    """The map ground each landmark covers, on the screen."""
    boxes = []
    for (_, left, top, _, _, landmark), (cx, cy) in zip(REGIONS, landmark_centres()):
        l, t, r, b = LANDMARK_REACH[landmark]
        boxes.append((left + cx - l - 4, top + cy - t - 4, left + cx + r + 4, top + cy + b + 4))
    return boxes


def town_clearing(left, top, width, height, soft=10.0):
    """For a picture placed at (left, top) on the map: 0 over the map's towns (each its reach,
    the corners rounded by `soft`), rising smoothly to 1 within `soft` pixels round them, so a
    wash laid over the land leaves every town as crisp as before."""
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32) + 0.5
    xs, ys = xs + left, ys + top
    l, t, r, b = (reach - soft for reach in TOWN_REACH)
    near = np.full((height, width), np.inf, dtype=np.float32)
    for x, y in TOWNS:
        dx = np.maximum(np.maximum(x - l - xs, xs - x - r), 0)
        dy = np.maximum(np.maximum(y - t - ys, ys - y - b), 0)
        near = np.minimum(near, np.hypot(dx, dy) - soft)
    rise = np.clip(near / soft, 0, 1)
    return rise * rise * (3 - 2 * rise)


def region_image(left, top, width, height, landmark, seed, centre):
    """A wash of colour over the reached land, clear of the map's towns, with its landmark drawn
    in ink."""
    c = Canvas(width, height)
    rng = random.Random(seed)
    for _ in range(7):
        x, y = rng.uniform(0.2, 0.8) * width, rng.uniform(0.2, 0.8) * height
        r = rng.uniform(0.2, 0.35) * min(width, height)
        c.circle(x, y, r, fill=rgba(JADE, 105))
    img = c.result().filter(ImageFilter.GaussianBlur(6))
    # The wash thins out to nothing well inside the picture's edges, so it never shows a seam.
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    edge = np.minimum(np.minimum(xs + 0.5, width - 0.5 - xs),
                      np.minimum(ys + 0.5, height - 0.5 - ys))
    fade = np.clip(edge / (0.3 * min(width, height)), 0, 1)
    fade = fade * fade * (3 - 2 * fade)
    alpha = np.asarray(img.getchannel('A'), dtype=np.float32) * fade
    alpha *= town_clearing(left, top, width, height)
    img.putalpha(Image.fromarray(np.round(alpha).astype(np.uint8), 'L'))
    ink = Canvas(width, height)
    landmark_ink(ink, centre[0], centre[1], landmark)
    img.alpha_composite(ink.result())
    return img


TIMELINE_POINTS = [(409, 115), (538, 136), (646, 203), (633, 347), (524, 390), (403, 433),
                   (261, 418), (145, 334), (146, 181), (254, 120), (383, 231)]
# Each dynasty's medallion on the screen: left of and below its caption, except where the road
# would then cross a caption; Han's and Sui's stand below and right of theirs, and Xia's a little
# lower, as its caption stands so high that the medallion would reach over the picture's top.
TIMELINE_STOPS = [(381, 142), (510, 158), (618, 225), (605, 369), (606, 430), (435, 480),
                  (233, 440), (117, 356), (118, 203), (226, 142), (355, 253)]
# The timeline picture's place on the screen, and its size.
TIMELINE_AT = (68, 119)
TIMELINE_SIZE = (664, 420)
# The scroll under it reaches further, so that every caption (two lines hanging from its point,
# the first line's baseline at the point) lies well inside the scroll's border.
SCROLL_AT = (40, 80)
SCROLL_SIZE = (720, 459)


def timeline_layout(at):
    """Where the game writes each caption, as the box its two lines fill, where each dynasty's
    medallion stands, and the road through the medallions, in the coordinates of a picture
    placed at `at` on the screen."""
    captions = [(x - at[0], y - at[1]) for x, y in TIMELINE_POINTS]
    boxes = [(x, y - 14, x + 80, y + 18) for x, y in captions]
    stops = [(x - at[0], y - at[1]) for x, y in TIMELINE_STOPS]
    return boxes, stops, catmull(stops, 12)


def timeline_scroll():
    """The scroll the timeline is inked on: paper, a far ink-wash land, hills and groves where
    the road, its medallions and the captions leave room, and pale ground under each caption."""
    w, h = SCROLL_SIZE
    sheet = vgradient((w, h), [(0, PAPER), (1, mix(PAPER, PAPER_DARK, 0.5))])
    land = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    for k, (base, colour) in enumerate([(159, (196, 200, 176)), (339, (176, 188, 160)),
                                        (419, (150, 170, 140))]):
        ys = ridge(w, 3630 + k, base, 34 - 6 * k, 0.5)
        fill_below(land, ys, colour, 120 + 30 * k)
        mist(land, base - 10, base + 60, PAPER, 150)
    sheet.alpha_composite(land.filter(ImageFilter.GaussianBlur(1)))
    tex = noise((w, h), 363, 60, 4)
    stain = Image.new('RGBA', (w, h), rgba((150, 110, 60), 0))
    stain.putalpha(tex.point(lambda v: max(0, v - 120) // 3))
    sheet.alpha_composite(stain)
    boxes, stops, road = timeline_layout(SCROLL_AT)
    # Hills and groves wherever the road, the medallions and the captions leave room.
    keep = Image.new('L', (w, h), 0)
    kd = ImageDraw.Draw(keep)
    kd.line(road, fill=255, width=30, joint='curve')
    for (x0, y0, x1, y1), (sx, sy) in zip(boxes, stops):
        kd.rectangle((x0 - 8, y0 - 6, x1 + 10, y1 + 6), fill=255)
        kd.ellipse((sx - 30, sy - 30, sx + 30, sy + 30), fill=255)
    kd.rectangle((0, 0, w, 30), fill=255)
    kept = np.asarray(keep) > 0
    height = np.asarray(noise((w, h), 3631, 120, 4), dtype=np.float32) / 255.0
    rng = random.Random(3632)
    glyphs = []
    for x, y, xi, yi in scattered(rng, range(26, w - 20, 20), range(40, h - 16, 18), (6, 5), kept, 14):
        if height[yi, xi] > 0.55:
            glyphs.append((y, 'mountain', x, 11 + 12 * min(1.0, (height[yi, xi] - 0.55) * 5)))
        elif height[yi, xi] < 0.42:
            glyphs.append((y, 'tree', x, 8 + rng.uniform(0, 3)))
    sheet.alpha_composite(relief(w, h, glyphs, (226, 214, 178), (160, 140, 108), (86, 124, 86)))
    clear = Image.new('L', (w, h), 0)
    cd = ImageDraw.Draw(clear)
    for x0, y0, x1, y1 in boxes:
        cd.rounded_rectangle((x0 - 6, y0 - 4, x1 + 4, y1 + 4), 10, fill=150)
    veil = Image.new('RGBA', (w, h), rgba(PAPER, 0))
    veil.putalpha(clear.filter(ImageFilter.GaussianBlur(8)))
    sheet.alpha_composite(veil)
    c = Canvas(w, h)
    c.rrect((0, 0, w, h), 22, outline=rgba(GOLD_DARK), width=5)
    c.rrect((9, 9, w - 9, h - 9), 16, outline=rgba(GOLD_DARK, 160), width=1.5)
    sheet.alpha_composite(c.result())
    frame = Canvas(w, h)
    frame.rrect((0, 0, w, h), 22, fill=rgba((255, 255, 255)))
    out = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    out.paste(sheet, (0, 0), frame.result().getchannel('A'))
    return out


def timeline_background():
    """The timeline page: lacquer, with the scroll on which the timeline picture then
    appears."""
    img = vgradient((800, 600), [(0, LACQUER_DARK), (0.5, LACQUER), (1, LACQUER_DARK)])
    c = Canvas(800, 600)
    c.rrect((SCROLL_AT[0] - 16, SCROLL_AT[1] - 16, SCROLL_AT[0] + SCROLL_SIZE[0] + 16, 556), 18,
            fill=rgba((0, 0, 0), 90))
    c.rect((0, 530, 800, 533), rgba(GOLD))
    img.alpha_composite(c.result())
    img.alpha_composite(timeline_scroll(), SCROLL_AT)
    return img.convert('RGB')


def timeline_picture():
    """The timeline of the eleven dynasties, inked over the scroll of the page behind it: a
    road winds in a spiral past each dynasty's landmark, leaving clear paper for the caption
    that the game writes beside each one."""
    w, h = TIMELINE_SIZE
    _, stops, road = timeline_layout(TIMELINE_AT)
    out = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    c = Canvas(w, h)
    c.line(road, rgba(IVORY, 220), 8)
    for run in dashes(road, 8, 5):
        c.line(run, rgba(GOLD_DARK, 230), 3)
    for x, y in stops:
        c.circle(x, y, 21, fill=rgba(IVORY, 235), outline=rgba(GOLD_DARK), width=2)
    out.alpha_composite(c.result())
    # Each landmark drawn at region size, then brought down into its medallion.
    for (x, y), (_, _, _, _, _, landmark) in zip(stops, REGIONS):
        icon = Canvas(64, 64)
        landmark_ink(icon, 32, 32, landmark)
        small = icon.result().resize((34, 34), Image.LANCZOS)
        out.alpha_composite(small, (int(round(x)) - 17, int(round(y)) - 18))
    return out


def welcome_backdrop():
    """Drawn at (42, 10) four times its size over the campaign map: a soft band of paper under
    the welcome text's two lines (about y 180 to 235 of the screen), leaving the map to be
    seen."""
    c = Canvas(179, 145)
    c.rrect((-20, 39, 199, 61), 10, fill=rgba(PAPER, 225))
    c.rect((-20, 37, 199, 38), rgba(GOLD_DARK, 150))
    c.rect((-20, 62, 199, 63), rgba(GOLD_DARK, 150))
    return c.result().filter(ImageFilter.GaussianBlur(1.5))


def slide_wipe():
    w, h = 152, 600
    img = vgradient((w, h), [(0, LACQUER), (0.5, shade(LACQUER, 1.1)), (1, LACQUER_DARK)])
    mask = Image.new('L', (w, h), 0)
    d = ImageDraw.Draw(mask)
    d.rectangle([30, 0, 122, h], fill=255)
    for x0, x1 in ((0, 30), (122, w)):
        for x in range(x0, x1):
            a = (x - x0) / 30 if x0 == 0 else (x1 - x) / 30
            d.line([(x, 0), (x, h)], fill=int(255 * a))
    img.putalpha(mask)
    c = Canvas(w, h)
    for x in (40, 112):
        c.rect((x, 0, x + 3, h), rgba(GOLD))
    for y in range(40, h, 80):
        c.circle(76, y, 10, fill=rgba(GOLD))
        c.circle(76, y, 5, fill=rgba(LACQUER_DARK))
    img.alpha_composite(c.result())
    return img


def menu_sprite(mirror):
    """A hanging lantern that sways: 20 frames of 34 x 80."""
    frames = []
    for f in range(20):
        angle = math.sin(2 * math.pi * f / 20) * (0.12 if not mirror else -0.12)
        c = Canvas(34, 80)
        top = (17, 2)

        def at(dx, dy):
            return (top[0] + dx * math.cos(angle) - dy * math.sin(angle),
                    top[1] + dx * math.sin(angle) + dy * math.cos(angle))
        c.line([at(0, 0), at(0, 16)], rgba(INK), 1.2)
        centre = at(0, 40)
        c.circle(centre[0], centre[1], 20, fill=rgba((250, 190, 90), 50))
        c.ellipse((centre[0] - 14, centre[1] - 20, centre[0] + 14, centre[1] + 20),
                  fill=rgba(LACQUER))
        for dx in (-7, 0, 7):
            c.line([(centre[0] + dx, centre[1] - 19), (centre[0] + dx, centre[1] + 19)],
                   rgba(LACQUER_DARK), 0.8)
        c.rect((centre[0] - 6, centre[1] - 22, centre[0] + 6, centre[1] - 18), rgba(GOLD))
        c.rect((centre[0] - 6, centre[1] + 18, centre[0] + 6, centre[1] + 22), rgba(GOLD))
        c.text(centre, '福', BRUSH_CJK, 13, rgba(GOLD_LIGHT))
        tassel = at(0, 64)
        c.line([(centre[0], centre[1] + 22), tassel], rgba(GOLD_DARK), 1.5)
        frames.append(c.result())
    return strip(frames)


def tile_picture(kind, style=0, base_index=0):
    bases = plain_bases()
    t = bases[base_index].copy()
    t.alpha_composite(face(kind, STYLES[style]), (7, 3))
    return t


def free_blocked_diagram(style):
    """Three tiles in a row and one apart, each beside its caption: the two ends of the row and
    the lone tile are free (ringed in gold), the middle one is blocked (dimmed). The captions are
    drawn by the game at fixed places: left of the first tile, above the second, below the third
    and right of the lone one."""
    w, h = 260, 130
    img = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    row = [(24, 44), (66, 44), (108, 44)]
    lone = (180, 4)
    for kind, at in zip([5, 23, 12, 14], row + [lone]):
        img.alpha_composite(tile_picture(kind, style), at)
    veil = Canvas(w, h)
    x, y = row[1]
    veil.rect((x + 6, y, x + 48, y + 52), rgba((0, 0, 0), 80))
    img.alpha_composite(veil.result())
    c = Canvas(w, h)
    for x, y in [row[0], row[2], lone]:
        c.rrect((x + 5, y - 1, x + 49, y + 53), 6, outline=rgba(GOLD, 230), width=2.5)
    img.alpha_composite(c.result())
    return img


def help_arrow(c, x0, x1, y):
    c.line([(x0, y), (x1 - 10, y)], rgba(GOLD_DARK), 3)
    c.poly([(x1 - 10, y - 7), (x1, y), (x1 - 10, y + 7)], fill=rgba(GOLD_DARK))


def help_illustration(page):
    """The main help's pictures, each as wide as what it shows, so that the box centres it: the
    first of its pages is drawn 9 pixels right of the picture's place, which lies 92 pixels left
    of the box's middle, and the second at that place. Page one shows a tile matching its twin;
    page two seasons matching seasons and flowers matching flowers."""
    if page == 0:
        img = Image.new('RGBA', (166, 125), (0, 0, 0, 0))
        for k, kind in enumerate([3, 3]):
            img.alpha_composite(tile_picture(kind), (k * 118, 30))
        c = Canvas(166, 125)
        help_arrow(c, 56, 112, 60)
        img.alpha_composite(c.result())
        return img
    img = Image.new('RGBA', (184, 126), (0, 0, 0, 0))
    c = Canvas(184, 126)
    for row, kinds in enumerate([(35, 37), (40, 42)]):
        for k, kind in enumerate(kinds):
            img.alpha_composite(tile_picture(kind), (24 + k * 88, row * 68))
        help_arrow(c, 76, 110, row * 68 + 30)
    img.alpha_composite(c.result())
    return img


def make():
    pictures = []
    for i in range(len(LANDSCAPES)):
        slug, pic = landscape(i)
        pictures.append(pic)
        save_jpg(pic, BACKGROUND_IDS[i], 'background-' + slug, quality=88)
    save_jpg(thumbnails(pictures), 334, 'background-thumbnails', quality=90)
    save_jpg(main_menu(pictures), 109, 'main-menu', quality=90)
    save_jpg(grid_backdrop(), 190, 'grid-backdrop', quality=90)
    save_jpg(campaign_map(), 229, 'campaign-map', quality=90)
    for k, ((rid, x, y, w, h, landmark), centre) in enumerate(zip(REGIONS, landmark_centres())):
        save_png(region_image(x, y, w, h, landmark, rid, centre), rid, 'region-%d' % k)
    save_jpg(timeline_background(), 361, 'timeline-background', quality=90)
    save_png(timeline_picture(), 363, 'timeline')
    save_png(welcome_backdrop(), 257, 'welcome-backdrop')
    save_png(slide_wipe(), 252, 'slide-wipe')
    save_png(menu_sprite(False), 149, 'menu-lantern-right')
    save_png(menu_sprite(True), 150, 'menu-lantern-left')
    save_png(help_illustration(0), 356, 'help-match')
    save_png(help_illustration(1), 357, 'help-seasons-flowers')
    save_png(free_blocked_diagram(1), 358, 'diagram-free-play')
    save_png(free_blocked_diagram(0), 359, 'diagram-story')

