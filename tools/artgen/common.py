"""Shared drawing helpers of the picture generator: palette, supersampled shapes, gradients,
bevels, soft shadows, seeded textures and byte-stable writers."""
import os
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
PACK = os.path.join(ROOT, 'assets', 'pack')
EXE = os.path.join(ROOT, 'assets', 'exe')

SS = 4  # supersampling factor of every anti-aliased drawing

# The palette of lacquer, jade, gold, ink and paper shared by every picture.
LACQUER = (142, 27, 27)
LACQUER_DARK = (84, 12, 14)
LACQUER_LIGHT = (196, 58, 44)
GOLD = (212, 168, 69)
GOLD_LIGHT = (246, 222, 150)
GOLD_DARK = (128, 88, 28)
JADE = (46, 132, 100)
JADE_DARK = (20, 80, 62)
JADE_LIGHT = (150, 206, 176)
INK = (27, 24, 22)
PAPER = (240, 228, 200)
PAPER_DARK = (214, 192, 150)
IVORY = (250, 244, 226)
CINNABAR = (190, 36, 34)
INDIGO = (34, 56, 120)

FONT_DIR = '/usr/share/fonts/truetype'
SERIF_BOLD = FONT_DIR + '/dejavu/DejaVuSerif-Bold.ttf'
SERIF = FONT_DIR + '/dejavu/DejaVuSerif.ttf'
SANS_BOLD = FONT_DIR + '/dejavu/DejaVuSans-Bold.ttf'
SANS = FONT_DIR + '/dejavu/DejaVuSans.ttf'
CONDENSED_BOLD = FONT_DIR + '/dejavu/DejaVuSansCondensed-Bold.ttf'
BRUSH_CJK = FONT_DIR + '/arphic/ukai.ttc'
PLAIN_CJK = FONT_DIR + '/droid/DroidSansFallbackFull.ttf'

_fonts = {}


def font(path, size):
    key = (path, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(path, size)
    return _fonts[key]


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def shade(colour, factor):
    """Darker below 1, lighter above 1 (towards white)."""
    if factor <= 1:
        return tuple(int(c * factor) for c in colour[:3])
    return mix(colour[:3], (255, 255, 255), min(1.0, factor - 1))


class Canvas:
    """An RGBA drawing surface supersampled by SS; coordinates are given in final pixels, or in
    units of 1/scale final pixels, so one drawing can be made at several sizes."""

    def __init__(self, w, h, fill=(0, 0, 0, 0), scale=1):
        self.w, self.h, self.scale = w, h, scale
        self.img = Image.new('RGBA', (self.s(w), self.s(h)), fill)
        self.draw = ImageDraw.Draw(self.img)

    def s(self, v):
        return int(round(v * SS * self.scale))

    def box(self, b):
        return [self.s(b[0]), self.s(b[1]), self.s(b[2]) - 1, self.s(b[3]) - 1]

    def rrect(self, b, r, fill=None, outline=None, width=1):
        self.draw.rounded_rectangle(self.box(b), radius=self.s(r), fill=fill, outline=outline,
                                    width=self.s(width) if outline else 0)

    def rect(self, b, fill):
        self.draw.rectangle(self.box(b), fill=fill)

    def ellipse(self, b, fill=None, outline=None, width=1):
        self.draw.ellipse(self.box(b), fill=fill, outline=outline,
                          width=self.s(width) if outline else 0)

    def circle(self, cx, cy, r, fill=None, outline=None, width=1):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill, outline, width)

    def poly(self, pts, fill=None, outline=None):
        self.draw.polygon([(self.s(x), self.s(y)) for x, y in pts], fill=fill, outline=outline)

    def line(self, pts, fill, width=1, joint='curve'):
        self.draw.line([(self.s(x), self.s(y)) for x, y in pts], fill=fill,
                       width=max(1, self.s(width)), joint=joint)

    def text(self, xy, txt, fnt_path, size, fill, anchor='mm', stroke=0, stroke_fill=None):
        f = font(fnt_path, self.s(size))
        self.draw.text((self.s(xy[0]), self.s(xy[1])), txt, font=f, fill=fill, anchor=anchor,
                       stroke_width=self.s(stroke) if stroke else 0, stroke_fill=stroke_fill)

    def paste(self, im, xy):
        """Composite an already supersampled RGBA layer at final-pixel position."""
        self.img.alpha_composite(im, (self.s(xy[0]), self.s(xy[1])))

    def layer(self):
        return Canvas(self.w, self.h, scale=self.scale)

    def over(self, other):
        self.img.alpha_composite(other.img)

    def result(self):
        return self.img.reduce(SS)


def mask_of(img):
    return img.getchannel('A')


def solid(size, colour, alpha_mask=None):
    im = Image.new('RGBA', size, rgba(colour))
    if alpha_mask is not None:
        im.putalpha(alpha_mask)
    return im


def vgradient(size, stops):
    """Vertical gradient over (w, h) through [(t, colour)] stops, RGBA."""
    w, h = size
    col = Image.new('RGBA', (1, h))
    px = col.load()
    for y in range(h):
        t = y / max(1, h - 1)
        px[0, y] = rgba(_at(stops, t)) if len(_at(stops, t)) == 3 else _at(stops, t)
    return col.resize((w, h), Image.NEAREST)


def hgradient(size, stops):
    w, h = size
    row = Image.new('RGBA', (w, 1))
    px = row.load()
    for x in range(w):
        t = x / max(1, w - 1)
        c = _at(stops, t)
        px[x, 0] = rgba(c) if len(c) == 3 else c
    return row.resize((w, h), Image.NEAREST)


def radial(size, centre, radius, inner, outer):
    """Radial gradient from inner at centre to outer at radius and beyond."""
    w, h = size
    sc = 4
    sw, shh = max(1, w // sc), max(1, h // sc)
    im = Image.new('RGBA', (sw, shh))
    px = im.load()
    cx, cy = centre[0] / sc, centre[1] / sc
    r = radius / sc
    for y in range(shh):
        for x in range(sw):
            d = min(1.0, ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5 / r)
            c = mix(inner, outer, d)
            px[x, y] = rgba(c) if len(c) == 3 else c
    return im.resize((w, h), Image.BICUBIC)


def _at(stops, t):
    for i in range(len(stops) - 1):
        t0, c0 = stops[i]
        t1, c1 = stops[i + 1]
        if t <= t1:
            return mix(c0, c1, 0 if t1 == t0 else (t - t0) / (t1 - t0))
    return stops[-1][1]


def fill_mask(mask, paint):
    """paint (an RGBA image of the mask's size) cut to mask."""
    out = paint.copy()
    a = ImageChops.multiply(out.getchannel('A'), mask)
    out.putalpha(a)
    return out


def shadow(mask, offset, blur, colour=(0, 0, 0), opacity=0.6):
    """A soft shadow layer of a mask, same size as the mask."""
    a = mask.filter(ImageFilter.GaussianBlur(blur)) if blur else mask
    a = a.point(lambda v: int(v * opacity))
    sh = Image.new('RGBA', mask.size, rgba(colour, 0))
    sh.putalpha(a)
    moved = Image.new('RGBA', mask.size, (0, 0, 0, 0))
    moved.paste(sh, offset)
    return moved


def bevel(mask, depth, light=0.55, dark=0.45):
    """Highlight (top-left) and shade (bottom-right) layers of a shape mask, as one RGBA layer."""
    b = mask.filter(ImageFilter.GaussianBlur(depth))
    shifted = ImageChops.offset(b, depth, depth)
    back = ImageChops.offset(b, -depth, -depth)
    hi = ImageChops.subtract(b, shifted)
    lo = ImageChops.subtract(b, back)
    hi = ImageChops.multiply(hi, mask).point(lambda v: min(255, int(v * 2 * light)))
    lo = ImageChops.multiply(lo, mask).point(lambda v: min(255, int(v * 2 * dark)))
    white = Image.new('RGBA', mask.size, (255, 250, 235, 0))
    white.putalpha(hi)
    black = Image.new('RGBA', mask.size, (20, 8, 0, 0))
    black.putalpha(lo)
    out = Image.new('RGBA', mask.size, (0, 0, 0, 0))
    out.alpha_composite(black)
    out.alpha_composite(white)
    return out


def noise(size, seed, scale, octaves=3, persistence=0.5):
    """Seeded value noise as an L image: random grids enlarged bicubically and summed."""
    rng = random.Random(seed)
    w, h = size
    acc = None
    amp, total = 1.0, 0.0
    for o in range(octaves):
        cell = max(1, int(scale / (2 ** o)))
        gw, gh = w // cell + 3, h // cell + 3
        g = Image.frombytes('L', (gw, gh), rng.randbytes(gw * gh))
        g = g.resize((gw * cell, gh * cell), Image.BICUBIC).crop((cell, cell, cell + w, cell + h))
        if acc is None:
            acc = g
            total = amp
        else:
            acc = Image.blend(acc, g, amp / (total + amp))
            total += amp
        amp *= persistence
    return acc


def grain(size, seed):
    rng = random.Random(seed)
    return Image.frombytes('L', size, rng.randbytes(size[0] * size[1]))


def contrast_l(im, lo, hi):
    """Stretch an L image so that lo..hi maps to 0..255."""
    return im.point(lambda v: 0 if v <= lo else 255 if v >= hi else int((v - lo) * 255 / (hi - lo)))


def tint(mask, colour, alpha=1.0):
    im = Image.new('RGBA', mask.size, rgba(colour, 0))
    im.putalpha(mask.point(lambda v: int(v * alpha)) if alpha != 1.0 else mask)
    return im


def keyed(img, matte=(40, 26, 18)):
    """RGB picture for colour-key drawing: alpha >= 50% composited over the matte colour
    (so anti-aliased rims darken instead of turning pink), the rest becomes magenta."""
    base = Image.new('RGBA', img.size, rgba(matte))
    base.alpha_composite(img)
    out = base.convert('RGB')
    hole = img.getchannel('A').point(lambda v: 255 if v < 128 else 0)
    out.paste((255, 0, 255), mask=hole)
    return out


def _path(kind, folder, rid, slug, ext):
    d = os.path.join(PACK if kind == 'pack' else EXE, folder)
    os.makedirs(d, exist_ok=True)
    return os.path.join(d, '%d-%s.%s' % (rid, slug, ext))


WRITTEN = []


def save_png(img, rid, slug, where='pack'):
    """RGBA PNG (soft edges), or RGB PNG when img is RGB (keyed pictures)."""
    assert img.mode in ('RGB', 'RGBA')
    p = _path(where, 'PNG', rid, slug, 'png')
    img.save(p, 'PNG', optimize=True)
    WRITTEN.append(p)
    return p


def save_desktop_icon(img, size):
    d = os.path.join(ROOT, 'assets', 'linux', 'icons', '%dx%d' % (size, size))
    os.makedirs(d, exist_ok=True)
    p = os.path.join(d, 'quillomar.png')
    img.save(p, 'PNG', optimize=True)
    WRITTEN.append(p)
    return p


def save_jpg(img, rid, slug, where='pack', quality=85):
    p = _path(where, 'JPG', rid, slug, 'jpg')
    img.convert('RGB').save(p, 'JPEG', quality=quality, optimize=True, progressive=False,
                            subsampling=0 if quality >= 90 else 2)
    WRITTEN.append(p)
    return p


def strip(frames):
    w = sum(f.width for f in frames)
    h = max(f.height for f in frames)
    out = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    x = 0
    for f in frames:
        out.alpha_composite(f, (x, 0))
        x += f.width
    return out
