"""Reads a baked font (metrics text and glyph sheet) and measures or draws text the way the
game's font renderer does: advance = extra spacing + width + kerning with the next character
(none before a space or at the end), a space advances by the space width."""

from PIL import Image


def _num(field):
    field = field.strip()
    return int(field, 16) if field.lower().startswith("0x") else int(field)


class BitmapFont:
    def __init__(self, metrics_path, sheet_path=None):
        self.runs = []      # (first code, widths, x offsets)
        self.kerning = {}   # (first, second) -> adjustment
        with open(metrics_path, encoding="latin-1") as f:
            for line in f.read().splitlines():
                fields = [_num(x) for x in line[2:].split(",")] if len(line) > 2 else []
                if line.startswith("H:"):
                    (self.row_height, self.baseline, self.extra, self.space_width,
                     self.run_count) = fields
                elif line.startswith("S:"):
                    widths = fields[1:]
                    offsets = [sum(widths[:i]) for i in range(len(widths))]
                    self.runs.append((fields[0], widths, offsets))
                elif line.startswith("K:"):
                    for i in range(1, len(fields) - 1, 2):
                        self.kerning.setdefault((fields[0], fields[i]), fields[i + 1])
        self.sheet = Image.open(sheet_path).convert("RGBA") if sheet_path else None

    def lookup(self, code):
        for r, (first, widths, offsets) in enumerate(self.runs):
            if first <= code < first + len(widths):
                return r, offsets[code - first], widths[code - first]
        return None

    def advances(self, text):
        codes = text.encode("cp1252")
        result = []
        for i, c in enumerate(codes):
            if c == 32:
                result.append(self.space_width)
                continue
            glyph = self.lookup(c)
            if glyph is None:
                result.append(0)
                continue
            nxt = codes[i + 1] if i + 1 < len(codes) else 0
            kern = self.kerning.get((c, nxt), 0) if nxt not in (0, 32) else 0
            result.append(self.extra + glyph[2] + kern)
        return result

    def width(self, text):
        return sum(self.advances(text))

    def missing(self, text):
        return [ch for ch in text if ch != " " and self.lookup(ch.encode("cp1252")[0]) is None]

    def draw(self, target, x, y, text):
        """Draws text with its baseline at y."""
        pen = x
        for ch, adv in zip(text, self.advances(text)):
            glyph = self.lookup(ch.encode("cp1252")[0]) if ch != " " else None
            if glyph:
                r, off, w = glyph
                piece = self.sheet.crop((off, r * self.row_height, off + w,
                                         (r + 1) * self.row_height))
                target.alpha_composite(piece, (pen, y - self.baseline))
            pen += adv
