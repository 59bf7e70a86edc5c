#!/usr/bin/python3
"""Writes the seed corpora of the record and text readers' fuzz targets into tests/data/fuzz/<target>/.

Deterministic: the same files on every run; other files of the folders (findings kept as seeds)
are left alone. Records are written without their CRC trailer: the
entries try every block as it comes and with the trailer appended, so one seed serves both the
damaged and the sound path. The image decoders' seeds come from bench/framework/gfx and the PNG
corpus from earlier fuzzing.
"""
import os
import shutil
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "..")
ROOT = os.path.join(SOURCE, "tests", "data", "fuzz")
LAYOUTS = os.path.join(SOURCE, "assets", "layouts")


def write(folder, name, data):
    path = os.path.join(ROOT, folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def short(v):
    return struct.pack(">h", v)


def ushort(v):
    return struct.pack(">H", v)


def char(v):
    return struct.pack(">b", v)


def text(s):
    return s.encode("cp1252") + b"\0"


def layout_tiles(path):
    """(x, y, z, kind) of a layout source, by layer, then row, then column."""
    tiles = []
    z = -1
    rows = []

    def flush():
        covered = set()
        for y, row in enumerate(rows):
            x = 0
            while x + 1 < len(row):
                cell = row[x:x + 2]
                if (x, y) not in covered and (cell == "[]" or cell.isdigit()):
                    tiles.append((x, y, z, 0 if cell == "[]" else int(cell)))
                    covered.add((x, y + 1))
                    x += 2
                else:
                    x += 1

    with open(path) as f:
        for line in f.read().splitlines():
            if line.startswith("layer"):
                if z >= 0:
                    flush()
                z = int(line.split()[1])
                rows = []
            elif line.startswith("#") or line.startswith("name"):
                continue
            elif z >= 0:
                rows.append(line)
    flush()
    return tiles


def pack(entries):
    table = b""
    data = b""
    offset = 32 + 24 * len(entries)
    for kind, number, body in entries:
        table += struct.pack("<8sIIII", kind.encode(), number, offset + len(data), len(body), zlib.crc32(body))
        data += body + bytes(-len(body) % 8)
    header = b"QMPK" + struct.pack("<III", 1, len(entries), zlib.crc32(table)) + bytes(20)
    return header + table + data


def wav(channels, rate, bits, frames, fmt=1):
    size = bits // 8
    samples = b"".join(((i * 37) % 251).to_bytes(1, "little") * size for i in range(frames * channels))
    if fmt == 3:
        samples = b"".join(struct.pack("<f", ((i % 9) - 4) / 4.0) for i in range(frames * channels))
    chunk = struct.pack("<HHIIHH", fmt, channels, rate, rate * channels * size, channels * size, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(chunk)) + chunk + b"data" + struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    write("pack", "two-entries", pack([("TXT", 1, b"hello\r\nworld\n"), ("WAVE", 7, wav(1, 8000, 8, 12))]))
    write("pack", "empty", pack([]))
    damaged = bytearray(pack([("PNG", 3, b"\x89PNG not really"), ("TXT", 2, b"x")]))
    damaged[-1] ^= 0xFF
    write("pack", "bad-data-crc", bytes(damaged))

    write("wav", "mono-8bit", wav(1, 11025, 8, 16))
    write("wav", "stereo-16bit", wav(2, 22050, 16, 10))
    write("wav", "mono-24bit", wav(1, 44100, 24, 6))
    write("wav", "stereo-float", wav(2, 48000, 32, 5, fmt=3))
    write("wav", "short-data", wav(2, 22050, 16, 10)[:-7])

    write("textresource", "ansi-lines", b"first line\r\nsecond\n\nthird\0after a NUL\r")
    write("textresource", "utf16-lines", "Caf\u00e9 line\r\nzweite Zeile \u20ac\n\u2603".encode("utf-16-le"))

    write("codepage", "accents", "Caf\u00e9 \u2013 na\u00efve \u20ac \u2603 \U0001F600".encode("utf-8"))
    write("codepage", "invalid-utf8", b"ok \xc3\x28 \xe2\x82 \xf0\x9f\x98 \xff\xfe end")
    write("codepage", "cp1252-bytes", bytes(range(256)))

    with open(os.path.join(SOURCE, "assets", "pack", "TXT", "202-font-hud-number.txt"), "rb") as f:
        write("fontmetrics", "hud-number", f.read())
    write("fontmetrics", "small", b"H:12,10,1,4,3\r\nS:0x41,5,6,7\nK:0x41,0x42,-1\nS:x,y\n")

    write("settings", "sections", "[]\nSoundsOn=1\nMusicVolume=50\n\n[3DSettings]\nLastTestVersion=1.0\n"
                                  "3DInitError=line one\\nline two\\t\\\\end\nno equals sign\n[broken\n")
    write("settings", "utf8-values", "[]\nPlayerName=Caf\u00e9 \u20ac\nLead=\\s padded \\s\n")

    write("pagecache", "three-lines", b"Little Bridge\t144\t20\nFortress\t88\t12\nRiver\t30\t30\n")
    write("pagecache", "damaged", b"Little Bridge\t144\t200\nno tabs here\n")

    write("playerlist", "two-players", short(0x4C49) + char(1) + short(2) + short(2) + short(1) + text("Ann")
          + short(2) + text("Bo"))
    write("playerlist", "empty", short(0x4C49) + char(1) + short(-1) + short(0))

    slots = b"".join(ushort(36000 if i % 3 else 90 + i) + struct.pack(">i", 0 if i % 3 else 1000 + i)
                     for i in range(150))
    story = b"".join(ushort(120 + i) + struct.pack(">i", 500 * i) for i in range(52))
    write("profile", "player-one", short(0x5152) + char(1) + short(1) + text("Ann") + char(1) + char(1)
          + short(3) + short(25) + char(1) + char(-1) + char(0) + slots + short(2) + char(0) + story + char(1))

    first = sorted(f for f in os.listdir(LAYOUTS) if f.endswith(".layout"))[0]
    tiles = layout_tiles(os.path.join(LAYOUTS, first))
    record = short(19788) + char(1) + text("First Steps") + short(len(tiles))
    record += b"".join(char(x) + char(y) + char(z) + char(k) for x, y, z, k in tiles)
    write("layout", "first-steps", record)
    write("layout", "one-tile", short(19788) + char(1) + text("One") + short(1) + char(0) * 4)

    # Saved games against the first layout (the entry's first byte picks it): every tile on the
    # board in pairs of kinds, then the same with the first pair removed at move 1.
    def saved(removed):
        body = b"\0" + short(19795) + char(1) + char(1) + short(0) + short(1) + struct.pack(">i", 1234)
        body += ushort(61) + short(1 if removed else 0) + short(len(tiles))
        for i, (x, y, z, k) in enumerate(tiles):
            kind = k if k else 1 + (i // 2) % 34
            body += char(x) + char(y) + char(z) + char(kind) + short(1 if removed and i < 2 else 0)
        return body + short(0)

    write("savedgame", "on-the-board", saved(False))
    write("savedgame", "one-pair-removed", saved(True))

    for name in (first, "387-firework.layout"):
        os.makedirs(os.path.join(ROOT, "layoutsource"), exist_ok=True)
        shutil.copy(os.path.join(LAYOUTS, name), os.path.join(ROOT, "layoutsource", name[:-7] + ".txt"))
    write("layoutsource", "faults", "name Broken\nlayer 1\n[]\nlayer 0\n[]\n[]\n4\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
