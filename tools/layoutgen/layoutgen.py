#!/usr/bin/python3
"""Writes the text sources of the game's 178 layouts into assets/layouts/.

Story level L becomes <385 + L>-<slug>.layout, free-play layout i <437 + i>-<slug>.layout.
Every layout is built from a picture (shapes.py), a word in block letters (font5x7.py) or a
geometric figure made here, stacked in one of a few ways. The output is deterministic; run it
from the repository root and commit what it writes.
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from font5x7 import word_mask  # noqa: E402
from shapes import PICTURES  # noqa: E402

OUT_DIR = os.path.join("assets", "layouts")
MAX_TILES = 144
EXIT, COMP_FIRST, COMP_SECOND, WILD_ALL, WILD_ONE = 43, 44, 45, 46, 47

# ---------------------------------------------------------------------------------------------
# Pictures to tiles


def row_shift(line):
    """A row that starts with '~' lies half a tile to the right."""
    return (1, line[1:]) if line.startswith("~") else (0, line)


def heights_of(mask, style, cap):
    """Stack height of every drawn cell: {(col, row): height}."""
    cells = {}
    for r, line in enumerate(mask):
        line = row_shift(line)[1]
        for c, ch in enumerate(line):
            if ch.isdigit():
                cells[(c, r)] = int(ch)
            elif ch == "#":
                cells[(c, r)] = 1
    if style == "flat":
        return {p: 1 for p in cells}
    if style == "raised":
        return {p: min(h + 1, cap) for p, h in cells.items()}
    if style == "pyramid":
        # Depth from the picture's edge, one layer per ring inwards.
        depth = {}
        frontier = [p for p in cells if any((p[0] + dc, p[1] + dr) not in cells
                                            for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
        for p in frontier:
            depth[p] = 1
        level = 1
        while frontier:
            nxt = []
            for (c, r) in frontier:
                for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    q = (c + dc, r + dr)
                    if q in cells and q not in depth:
                        depth[q] = level + 1
                        nxt.append(q)
            frontier = nxt
            level += 1
        return {p: min(d, cap) for p, d in depth.items()}
    return {p: min(h, cap) for p, h in cells.items()}


def half_tiles(mask):
    """Tiles drawn half a row lower ('v') or half a column right ('>')."""
    tiles = []
    for r, line in enumerate(mask):
        line = row_shift(line)[1]
        for c, ch in enumerate(line):
            if ch == "v":
                tiles.append((2 * c, 2 * r + 1, 0))
            elif ch == ">":
                tiles.append((2 * c + 1, 2 * r, 0))
    return tiles


def overlaps(a, b):
    return a[2] == b[2] and abs(a[0] - b[0]) < 2 and abs(a[1] - b[1]) < 2


def crowns(heights, shifts, tiles):
    """A tile centred on every free 2 x 2 block of equal top height: the classic cap."""
    added = []
    occupied = set(tiles)
    for (c, r), h in sorted(heights.items(), key=lambda item: (item[0][1], item[0][0])):
        if h < 2:
            continue
        block = [(c, r), (c + 1, r), (c, r + 1), (c + 1, r + 1)]
        if any(heights.get(p) != h for p in block) or shifts[r] or shifts[r + 1]:
            continue
        tile = (2 * c + 1, 2 * r + 1, h)
        if any(overlaps(tile, t) for t in added) or any(overlaps(tile, t) for t in occupied):
            continue
        added.append(tile)
    return added


def build(mask, style="drawn", cap=5, crown=False):
    heights = heights_of(mask, style, cap)
    shifts = [row_shift(line)[0] for line in mask]
    tiles = [(2 * c + shifts[r], 2 * r, z) for (c, r), h in heights.items() for z in range(h)]
    for t in half_tiles(mask):
        if any(overlaps(t, u) for u in tiles):
            raise ValueError("a half-offset tile overlaps its neighbours")
        tiles.append(t)
    if crown:
        tiles += crowns(heights, shifts, tiles)
    return tiles


def holds_nothing(tile, tiles):
    """Whether removing tile leaves no tile floating above it."""
    x, y, z = tile
    return not any(t[2] == z + 1 and abs(t[0] - x) <= 1 and abs(t[1] - y) <= 1 for t in tiles)


def centre_of(tiles):
    xs = [t[0] for t in tiles]
    ys = [t[1] for t in tiles]
    return (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2


def drop_one(tiles, prefer_centre=True):
    """Removes one of the uppermost tiles that hold nothing up: the one nearest the middle, or
    the one farthest from it, so a stack shrinks from its edges."""
    cx, cy = centre_of(tiles)
    candidates = [t for t in tiles if holds_nothing(t, tiles)]

    def key(t):
        distance = abs(t[0] - cx) + abs(t[1] - cy)
        return (-t[2], distance if prefer_centre else -distance, t[1], t[0])

    victim = min(candidates, key=key)
    tiles.remove(victim)


def fit_count(tiles, limit, presets):
    """At most `limit` tiles, with an even number left to deal."""
    while len(tiles) > limit:
        drop_one(tiles, prefer_centre=False)
    if (len(tiles) - presets) % 2:
        drop_one(tiles)


# ---------------------------------------------------------------------------------------------
# Geometric figures, as masks


def rect_mask(w, h, fill="1"):
    return [fill * w for _ in range(h)]


def step_pyramid(w, h):
    rows = []
    for r in range(h):
        rows.append("".join(str(min(c + 1, w - c, r + 1, h - r)) for c in range(w)))
    return rows


def diamond(w, h, thick=9):
    rows = []
    cx, cy = (w - 1) / 2, (h - 1) / 2
    for r in range(h):
        line = ""
        for c in range(w):
            d = abs(c - cx) / (w / 2) + abs(r - cy) / (h / 2)
            line += str(max(1, min(thick, int((1 - d) * 4) + 1))) if d <= 1.0 else " "
        rows.append(line)
    return rows


def ring(w, h, width, height=1):
    rows = []
    for r in range(h):
        line = ""
        for c in range(w):
            edge = min(c, r, w - 1 - c, h - 1 - r)
            line += str(height) if edge < width else " "
        rows.append(line)
    return rows


def cross(w, h, arm, height=2):
    rows = []
    for r in range(h):
        line = ""
        for c in range(w):
            inside = abs(c - (w - 1) / 2) < arm / 2 or abs(r - (h - 1) / 2) < arm / 2
            line += str(height) if inside else " "
        rows.append(line)
    return rows


def saltire(w, h):
    rows = []
    for r in range(h):
        line = ""
        for c in range(w):
            u = c / (w - 1) * (h - 1)
            on = abs(u - r) < 1.0 or abs((h - 1 - r) - u) < 1.0
            line += "2" if on else " "
        rows.append(line)
    return rows


def stripes(w, h, vertical, height=2):
    rows = []
    for r in range(h):
        rows.append("".join(str(height) if ((c if vertical else r) % 2 == 0) else " " for c in range(w)))
    return rows


def stairs(w, h):
    rows = []
    for r in range(h):
        rows.append("".join(str(min(5, 1 + (c * 5) // w)) for c in range(w)))
    return rows


def twin(mask_a, mask_b, gap=1):
    height = max(len(mask_a), len(mask_b))
    wa = max(len(s) for s in mask_a)
    rows = []
    for r in range(height):
        a = mask_a[r] if r < len(mask_a) else ""
        b = mask_b[r] if r < len(mask_b) else ""
        rows.append(a.ljust(wa) + " " * gap + b)
    return rows


def towers(count, width, height, levels):
    rows = []
    for r in range(height):
        line = ""
        for i in range(count):
            line += str(levels[i % len(levels)]) * width + " "
        rows.append(line.rstrip())
    return rows


def circle(w, h, hole=0.0, height=None):
    rows = []
    cx, cy = (w - 1) / 2, (h - 1) / 2
    for r in range(h):
        line = ""
        for c in range(w):
            d = ((c - cx) / (w / 2)) ** 2 + ((r - cy) / (h / 2)) ** 2
            if d <= 1.0 and d >= hole:
                line += str(height if height else max(1, min(4, int((1 - d) * 4) + 1)))
            else:
                line += " "
        rows.append(line)
    return rows


def triangle(w, h, up=True):
    rows = []
    for r in range(h):
        k = r if up else h - 1 - r
        half = (k + 1) * (w / 2) / h
        line = ""
        for c in range(w):
            line += "2" if abs(c - (w - 1) / 2) < half else " "
        rows.append(line)
    return rows


def zigzag(w, h):
    rows = []
    for r in range(h):
        line = ""
        for c in range(w):
            phase = c % 8
            top = phase if phase < 4 else 8 - phase
            line += "2" if top <= r <= top + 3 else " "
        rows.append(line)
    return rows


def comb(w, h):
    rows = []
    for r in range(h):
        if r < 2:
            rows.append("2" * w)
        else:
            rows.append("".join("3" if c % 3 == 0 else " " for c in range(w)))
    return rows


def hexagon(w, h):
    rows = []
    for r in range(h):
        inset = abs(r - (h - 1) / 2)
        line = ""
        for c in range(w):
            line += str(1 + int(min(c - inset, w - 1 - c - inset, r, h - 1 - r) >= 1) * 2) \
                if inset <= c <= w - 1 - inset else " "
        rows.append(line)
    return rows


GEOMETRY = {
    "step pyramid": lambda: step_pyramid(13, 8),
    "great pyramid": lambda: step_pyramid(17, 8),
    "ziggurat": lambda: [row for row in step_pyramid(15, 7)],
    "twin pyramids": lambda: twin(step_pyramid(8, 8), step_pyramid(8, 8)),
    "three pyramids": lambda: twin(twin(step_pyramid(5, 5), step_pyramid(5, 7)), step_pyramid(5, 5)),
    "diamond": lambda: diamond(15, 8),
    "twin diamonds": lambda: twin(diamond(8, 8), diamond(8, 8)),
    "courtyard": lambda: ring(15, 8, 2, 2),
    "fortress": lambda: ring(17, 8, 1, 3),
    "double ring": lambda: [a if a.strip() else a for a in
                            [ra[:4] + rb[4:13] + ra[13:] for ra, rb in zip(ring(17, 8, 1, 2), ring(17, 8, 3, 1))]],
    "cross": lambda: cross(15, 8, 3, 3),
    "saltire": lambda: saltire(15, 8),
    "stripes": lambda: stripes(17, 8, False, 2),
    "staircase": lambda: stairs(15, 8),
    "terraces": lambda: [row[::-1] for row in stairs(17, 6)],
    "three towers": lambda: towers(3, 3, 8, [4, 3, 4]),
    "four towers": lambda: towers(4, 3, 7, [3, 2, 2, 3]),
    "watchtowers": lambda: towers(5, 2, 8, [3, 2, 3, 2, 3]),
    "full moon": lambda: circle(15, 8),
    "ring of jade": lambda: circle(15, 8, 0.35, 2),
    "triangle": lambda: triangle(17, 8),
    "zigzag": lambda: zigzag(17, 8),
    "comb": lambda: comb(16, 8),
    "hexagon": lambda: hexagon(15, 8),
    "long bridge": lambda: ["11111111111111111", "22222222222222222", "1  1  1  1  1  1 ",
                            "1  1  1  1  1  1 "],
    "twin bridges": lambda: ["1111111  1111111", "2222222  2222222", "1  1 1  1  1 1 1",
                             "               ", "1111111  1111111", "2222222  2222222",
                             "1  1 1  1  1 1 1"],
    "wall": lambda: ["11111111111111111", "~2222222222222222", "11111111111111111",
                     "~2222222222222222", "11111111111111111"],
    "beehive": lambda: ["  1111111  ", " 122222221 ", "12233333221", "12334443321",
                        "12233333221", " 122222221 ", "  1111111  "],
    "bricks": lambda: ["2222222222222222", "~222222222222222", "2222222222222222",
                       "~222222222222222", "2222222222222222"],
}


# ---------------------------------------------------------------------------------------------
# The layouts


def title(words):
    small = {"of", "and", "the"}
    return " ".join(w if i and w in small else w.capitalize() for i, w in enumerate(words.split()))


# Figures of the story alone, drawn with rows long enough to bury an exit pair in.
STORY_FIGURES = {
    "butterfly in flight": lambda: ["111           111", "12221   1   12221", "123321 121 123321",
                                    "12343212321234321", "12343212321234321", "123321 121 123321",
                                    "12221   1   12221", "111           111"],
    "towers on a wall": lambda: [row.replace(" ", "1") if r in (5, 6) else row
                                 for r, row in enumerate(towers(3, 3, 8, [4, 3, 4]))],
    "chequered board": lambda: ["".join("2" if (c + r) % 2 == 0 else "1" for c in range(15)) for r in range(7)],
    "joined pyramids": lambda: twin(step_pyramid(8, 8), step_pyramid(8, 8), gap=0),
}


def picture(key):
    if key in PICTURES:
        return PICTURES[key]
    if key in GEOMETRY:
        return GEOMETRY[key]()
    if key in STORY_FIGURES:
        return STORY_FIGURES[key]()
    raise KeyError(key)


class Layout:
    def __init__(self, name, mask, style="drawn", cap=5, crown=False, limit=MAX_TILES):
        self.name = name
        self.mask = mask
        self.style = style
        self.cap = cap
        self.crown = crown
        self.limit = limit


def story_layouts():
    """Level by level: small low shapes first, full stacked layouts later. Every one buries its
    exit pair, so some of the smallest pictures are stacked two high."""
    spec = [
        # name, picture, style, height cap, crown, most tiles
        ("First Steps", "little pyramid", "drawn", 3, False, 144),
        ("Windmill", "windmill", "pyramid", 2, False, 144),
        ("Firework", "rocket", "raised", 2, True, 144),
        ("Ice Skater", "skater", "raised", 2, False, 144),
        ("Crane Dance", "crane", "drawn", 3, False, 144),
        ("Terracotta Guard", "knight", "raised", 2, True, 144),
        ("Rising Sun", "sun", "drawn", 3, False, 144),
        ("Crescent Moon", "moon", "drawn", 2, True, 144),
        ("Jade Kite", "kite", "drawn", 2, False, 144),
        ("Swift Horse", "horse", "drawn", 2, True, 144),
        ("Bonsai", "bonsai", "raised", 2, False, 144),
        ("Silk Bridge", "long bridge", "drawn", 2, False, 144),
        ("Lotus Pool", "lotus", "drawn", 2, False, 144),
        ("Paper Fan", "fan", "drawn", 2, False, 144),
        ("Koi Pond", "koi", "drawn", 2, False, 144),
        ("Bronze Bell", "bell", "drawn", 2, False, 144),
        ("Temple Steps", "temple", "drawn", 3, False, 144),
        ("Little Pagoda", "pagoda", "pyramid", 3, False, 144),
        ("Teahouse", "teapot", "drawn", 2, False, 144),
        ("Panda", "panda", "drawn", 2, True, 144),
        ("Great Wall", "great wall", "drawn", 3, True, 144),
        ("Mountain Pass", "mountain", "drawn", 3, False, 144),
        ("Junk Ship", "junk", "drawn", 3, False, 144),
        ("Imperial Vase", "vase", "drawn", 4, False, 144),
        ("Snow Lotus", "snowflake", "raised", 3, True, 144),
        ("Golden Turtle", "turtle", "drawn", 3, True, 144),
        ("Hourglass", "hourglass", "drawn", 3, True, 144),
        ("Yin and Yang", "yin yang", "raised", 3, True, 144),
        ("Lantern Festival", "lantern", "drawn", 5, True, 144),
        ("Dragon Gate", "gate", "raised", 3, True, 144),
        ("Volcano", "volcano", "raised", 3, True, 144),
        ("Cloud Palace", "cloud", "drawn", 4, True, 144),
        ("Stepped Altar", "ziggurat", "drawn", 2, True, 144),
        ("Jade Ring", "ring of jade", "drawn", 3, True, 144),
        ("Owl of Wisdom", "owl", "raised", 3, True, 144),
        ("Monk", "monk", "raised", 4, True, 144),
        ("Bee Garden", "bee", "raised", 4, True, 144),
        ("Butterfly", "butterfly in flight", "drawn", 4, True, 144),
        ("Red Dragon", "dragon", "raised", 3, True, 144),
        ("Grand Pagoda", "pagoda", "raised", 3, True, 144),
        ("Watch of Three", "towers on a wall", "drawn", 2, False, 144),
        ("Hexagon Hall", "hexagon", "pyramid", 2, True, 144),
        ("Bamboo Maze", "maze", "raised", 2, True, 144),
        ("Chess Masters", "chequered board", "drawn", 3, True, 144),
        ("Helm of the Fleet", "ship wheel", "raised", 3, True, 144),
        ("Twin Tombs", "joined pyramids", "drawn", 2, True, 144),
        ("Castle Keep", "castle", "raised", 2, True, 144),
        ("Tomb of Kings", "great pyramid", "drawn", 2, True, 144),
        ("Elephant March", "elephant", "raised", 3, True, 144),
        ("Whale Song", "whale", "drawn", 4, True, 144),
        ("Sky Fortress", "fortress", "drawn", 4, True, 144),
        ("Imperial Turtle", "turtle", "drawn", 5, True, 144),
    ]
    return [Layout(n, picture(p), s, c, cr, lim) for n, p, s, c, cr, lim in spec]


WORDS = ["ZEN", "TAO", "JOY", "SUN", "SKY", "TEA", "FUN", "ACE", "OWL", "FOX", "CAT", "DOG",
         "YAK", "EMU", "ANT", "BEE", "KOI", "JAM"]


def free_layouts():
    spec = []
    # Pictures, each with its own stacking.
    pictures = [
        ("Turtle", "turtle", "drawn", 5, True), ("Cat", "cat", "raised", 3, False),
        ("Fish", "fish", "drawn", 4, True), ("Owl", "owl", "drawn", 3, True),
        ("Crab", "crab", "raised", 3, True), ("Monarch", "butterfly", "raised", 4, False),
        ("Snail", "snail", "raised", 4, True), ("Elephant", "elephant", "drawn", 4, True),
        ("Rabbit", "rabbit", "raised", 3, True), ("Whale", "whale", "drawn", 4, True),
        ("Frog", "frog", "raised", 4, True), ("Snake", "snake", "raised", 3, True),
        ("Dragon", "dragon", "drawn", 3, True), ("Bamboo Panda", "panda", "raised", 4, True),
        ("Crane", "crane", "drawn", 3, True), ("Koi", "koi", "raised", 5, True),
        ("Horse", "horse", "raised", 3, True), ("Bird", "bird", "raised", 3, True),
        ("Bee", "bee", "drawn", 4, True), ("Scorpion", "scorpion", "raised", 3, True),
        ("Smiley", "smiley", "raised", 4, True), ("Robot", "robot", "raised", 4, True),
        ("Ghost", "ghost", "raised", 4, False), ("Alien", "alien", "raised", 3, True),
        ("Knight", "knight", "raised", 4, True), ("Skater", "skater", "raised", 3, True),
        ("Dancer", "dancer", "raised", 3, True), ("Praying Monk", "monk", "drawn", 4, True),
        ("Pagoda", "pagoda", "drawn", 3, True), ("Castle", "castle", "drawn", 4, True),
        ("Torii Gate", "gate", "drawn", 3, True), ("The Wall", "great wall", "drawn", 3, True),
        ("Temple", "temple", "raised", 4, True), ("Harbour Light", "lighthouse", "drawn", 5, True),
        ("Old Windmill", "windmill", "drawn", 4, True), ("Arch Bridge", "arch bridge", "drawn", 3, True),
        ("Round Gate", "moon gate", "raised", 3, True), ("Lantern", "lantern", "raised", 5, True),
        ("Bell", "bell", "raised", 4, True), ("Teapot", "teapot", "raised", 4, True),
        ("Vase", "vase", "drawn", 4, True), ("Fan", "fan", "raised", 3, True),
        ("Kite", "kite", "raised", 4, True), ("Sailboat", "boat", "raised", 3, True),
        ("Junk", "junk", "drawn", 3, True), ("Rocket", "rocket", "raised", 4, True),
        ("Steam Train", "train", "raised", 3, True), ("Old Car", "car", "raised", 3, True),
        ("Tree", "tree", "raised", 5, True), ("Pine Bonsai", "bonsai", "drawn", 3, True),
        ("Lotus", "lotus", "drawn", 3, True), ("Mountain", "mountain", "raised", 5, True),
        ("Fire Mountain", "volcano", "drawn", 4, True), ("Sun", "sun", "drawn", 4, True),
        ("Half Moon", "moon", "raised", 4, True), ("Star", "star", "raised", 4, True),
        ("Heart", "heart", "raised", 4, True), ("Cloud", "cloud", "raised", 4, True),
        ("Umbrella", "umbrella", "raised", 4, True), ("Anchor", "anchor", "raised", 3, True),
        ("Key", "key", "raised", 3, True), ("Crown", "crown", "raised", 3, True),
        ("Sand Timer", "hourglass", "raised", 3, True), ("Trophy", "cup", "raised", 4, True),
        ("Sword", "sword", "raised", 3, True), ("Bow Tie", "bow", "raised", 4, True),
        ("Arrow", "arrow", "raised", 4, True), ("Yin Yang", "yin yang", "drawn", 3, True),
        ("Spiral", "spiral", "raised", 2, True), ("Maze", "maze", "drawn", 2, True),
        ("Chessboard", "chessboard", "raised", 3, True), ("Lightning", "lightning", "raised", 4, True),
        ("Snowflake", "snowflake", "drawn", 3, True), ("Wave", "wave", "raised", 4, True),
        ("Mushroom", "mushroom", "raised", 4, True), ("Cactus", "cactus", "drawn", 3, True),
        ("Flower", "flower", "raised", 4, True), ("Ship Wheel", "ship wheel", "drawn", 3, True),
        ("Domino", "domino", "drawn", 3, True),
    ]
    for name, key, style, cap, crown in pictures:
        spec.append(Layout(name, picture(key), style, cap, crown))
    # Geometric figures.
    for key in GEOMETRY:
        style = "pyramid" if key in ("diamond", "hexagon", "full moon") else "drawn"
        spec.append(Layout(title(key), GEOMETRY[key](), style, 4, True))
    # Words in block letters.
    for word in WORDS:
        spec.append(Layout("Word " + word, word_mask(word), "raised", 3, True))
    return spec


# ---------------------------------------------------------------------------------------------
# Presets and output


def free_at_start(tile, tiles):
    x, y, z = tile
    if any(t[2] == z + 1 and abs(t[0] - x) <= 1 and abs(t[1] - y) <= 1 for t in tiles):
        return False
    left = any(t[2] == z and t[0] == x - 2 and abs(t[1] - y) <= 1 for t in tiles)
    right = any(t[2] == z and t[0] == x + 2 and abs(t[1] - y) <= 1 for t in tiles)
    return not (left and right)


def covers(tile, tiles):
    """How many tiles lie above this one, directly or not."""
    x, y, z = tile
    return sum(1 for t in tiles if t[2] > z and abs(t[0] - x) <= 1 + (t[2] - z) and abs(t[1] - y) <= 1)


def removals_to_free(tiles, target, cap):
    """The fewest tiles, taken one at a time whenever free and never in pairs, whose removal
    frees target; cap when it takes cap or more. Each tile to take needs every tile on it gone
    and one of its sides cleared, so the search picks a side for each and keeps the cheapest
    choice whose tiles can really be taken in some order."""
    index = {t: i for i, t in enumerate(tiles)}
    above, left, right = [], [], []
    for (x, y, z) in tiles:
        near = [t for t in tiles if abs(t[1] - y) <= 1]
        above.append([index[t] for t in near if t[2] == z + 1 and abs(t[0] - x) <= 1])
        left.append([index[t] for t in near if t[2] == z and t[0] == x - 2])
        right.append([index[t] for t in near if t[2] == z and t[0] == x + 2])

    def free(i, gone):
        return all(a in gone for a in above[i]) and (all(a in gone for a in left[i])
                                                      or all(a in gone for a in right[i]))

    def takeable(chosen):
        gone, rest = set(), set(chosen)
        while rest:
            ready = {i for i in rest if free(i, gone)}
            if not ready:
                return False
            gone |= ready
            rest -= ready
        return True

    best = [cap]

    def search(chosen, pending):
        if len(chosen) >= best[0]:
            return
        if not pending:
            if takeable(chosen):
                best[0] = len(chosen)
            return
        p, pending = pending[0], pending[1:]
        on_top = [a for a in above[p] if a not in chosen]
        chosen = chosen | set(on_top)
        pending = pending + on_top
        if not left[p] or not right[p]:
            search(chosen, pending)
            return
        for side in (left[p], right[p]):
            more = [a for a in side if a not in chosen]
            search(chosen | set(more), pending + more)

    search(frozenset(), [index[target]])
    return best[0]


def place_exits(tiles, depth):
    """Two tiles of the bottom layer, mirrored if possible, that take at least `depth` removals
    to free, buried as deep as the shape allows: an exit pair found free wins the level at once."""
    xs = [t[0] for t in tiles]
    mirror = min(xs) + max(xs)
    bottom = [t for t in tiles if t[2] == 0]
    cx, cy = centre_of(tiles)
    buried = {t: removals_to_free(tiles, t, depth) for t in bottom}
    best = None
    for t in bottom:
        m = (mirror - t[0], t[1], 0)
        if m == t or m not in bottom:
            continue
        score = (min(buried[t], buried[m]), min(covers(t, tiles), covers(m, tiles)),
                 -abs(t[1] - cy), abs(t[0] - cx))
        if best is None or score > best[0]:
            best = (score, t, m)
    if best and best[0][0] >= depth:
        return [best[1], best[2]]
    ranked = sorted(bottom, key=lambda t: (-buried[t], -covers(t, tiles), t[1], t[0]))
    return ranked[:2]


def place_shown(tiles, taken, count):
    """Tiles that are free when the level starts, spread over the board, for tutorial tiles."""
    free = [t for t in tiles if t not in taken and free_at_start(t, tiles)]
    free.sort(key=lambda t: (-t[2], t[1], t[0]))
    chosen = []
    for t in free:
        if all(abs(t[0] - c[0]) + abs(t[1] - c[1]) >= 6 for c in chosen):
            chosen.append(t)
        if len(chosen) == count:
            return chosen
    for t in free:
        if t not in chosen:
            chosen.append(t)
        if len(chosen) == count:
            break
    return chosen


def exit_depth(level):
    """Removals that must come before an exit tile is free: fewer in the first two levels."""
    return 4 if level < 2 else 8


TUTORIAL_SPECIALS = {
    1: [39, 41],           # two different flowers that match each other
    3: [COMP_FIRST, COMP_SECOND],
    7: [WILD_ONE],
    12: [WILD_ALL],
}

# The story's own rules stay in play after the tutorials, in a mix that grows along the road:
# one kind of special a level, from the Song (dynasty 7) two kinds, from the Yuan all three.
# Each dynasty's first level stays plain, a breather before its new mix.
LAST_TUTORIAL_LEVEL = max(TUTORIAL_SPECIALS)
ROAD_SPECIALS = [[COMP_FIRST, COMP_SECOND], [WILD_ONE], [WILD_ALL]]
TWO_KINDS_FROM, THREE_KINDS_FROM = 7, 8


def dynasty_of(level):
    """The dynasty and the level's place in it: 3 and 4 levels, then 5 a dynasty."""
    if level < 7:
        return (0, level) if level < 3 else (1, level - 3)
    return 2 + (level - 7) // 5, (level - 7) % 5


def story_specials(level):
    if level <= LAST_TUTORIAL_LEVEL:
        return TUTORIAL_SPECIALS.get(level, [])
    dynasty, place = dynasty_of(level)
    if place == 0:
        return []
    kinds = 1 + (dynasty >= TWO_KINDS_FROM) + (dynasty >= THREE_KINDS_FROM)
    return [kind for i in range(kinds) for kind in ROAD_SPECIALS[(level + i) % len(ROAD_SPECIALS)]]


def render(tiles, kinds):
    minx = min(t[0] for t in tiles)
    miny = min(t[1] for t in tiles)
    lines = []
    for z in sorted({t[2] for t in tiles}):
        layer = [t for t in tiles if t[2] == z]
        width = max(t[0] for t in layer) - minx + 2
        height = max(t[1] for t in layer) - miny + 2
        grid = [[" "] * width for _ in range(height)]
        for t in layer:
            x, y = t[0] - minx, t[1] - miny
            if any(grid[y + dy][x + dx] != " " for dy in (0, 1) for dx in (0, 1)):
                raise ValueError("tiles overlap")
            kind = kinds.get(t, 0)
            grid[y][x], grid[y][x + 1] = "[", "]"
            bottom = "%02d" % kind if kind else "[]"
            grid[y + 1][x], grid[y + 1][x + 1] = bottom[0], bottom[1]
        lines.append("layer %d" % z)
        lines += ["".join(row).rstrip() for row in grid]
    return lines


def slug(name):
    return re.sub(r"[^a-z0-9]+", "-", name.lower()).strip("-")


def write(resource, heading, layout, presets_for=None):
    tiles = build(layout.mask, layout.style, layout.cap, layout.crown)
    specials = story_specials(presets_for) if presets_for is not None else []
    preset_count = (2 + len(specials)) if presets_for is not None else 0
    fit_count(tiles, layout.limit, preset_count)
    kinds = {}
    if presets_for is not None:
        depth = exit_depth(presets_for)
        exits = place_exits(tiles, depth)
        if any(removals_to_free(tiles, t, depth) < depth for t in exits):
            sys.exit("%s: no exit tiles lie %d removals deep" % (layout.name, depth))
        for t in exits:
            kinds[t] = EXIT
        for t, kind in zip(place_shown(tiles, kinds, len(specials)), specials):
            kinds[t] = kind
    lines = ["# %s: %s, %d tiles. Written by tools/layoutgen/layoutgen.py." % (heading, layout.name, len(tiles)),
             "name %s" % layout.name]
    lines += render(tiles, kinds)
    path = os.path.join(OUT_DIR, "%d-%s.layout" % (resource, slug(layout.name)))
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    return len(tiles)


def main():
    story = story_layouts()
    free = free_layouts()
    if len(story) != 52 or len(free) != 126:
        sys.exit("expected 52 story and 126 free-play layouts, have %d and %d" % (len(story), len(free)))
    names = [l.name for l in story + free]
    if len(set(names)) != len(names):
        sys.exit("layout names repeat: %s" % sorted({n for n in names if names.count(n) > 1}))
    os.makedirs(OUT_DIR, exist_ok=True)
    for old in os.listdir(OUT_DIR):
        if old.endswith(".layout"):
            os.remove(os.path.join(OUT_DIR, old))
    for level, layout in enumerate(story):
        write(385 + level, "Story level %d" % level, layout, presets_for=level)
    for index, layout in enumerate(free):
        write(437 + index, "Free-play layout %d" % (index + 1), layout)


if __name__ == "__main__":
    main()
