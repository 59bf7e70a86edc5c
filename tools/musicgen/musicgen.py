#!/usr/bin/python3
"""Composes the game's five music tracks as four-channel tracker modules ("M.K." format).

Instruments are synthesised here: a plucked zither (Karplus-Strong), a bamboo flute (a looped
single cycle), a woodblock, a low drum and a small gong. The melodies walk the major pentatonic
scale on D in phrases of four bars that come home to D or A; the zither answers the flute, the
drum and woodblock keep a slow pulse.

The story track (339) is built in sections the game jumps between by order:
    orders 0-6   theme A, looping to 0
    orders 7-11  exit-tile tension, looping to 7
    order  12    victory phrase, running on into theme B
    orders 13-   theme B, to the last order, looping to 13
Every pattern starts with its speed, so a jump into any section plays at that section's pace.

Run from the repository root (needs numpy):
    /usr/bin/python3 tools/musicgen/musicgen.py
The output is the same bytes on every run.
"""

import os
import random
import struct

import numpy as np

OUT_DIR = os.path.join("assets", "pack", "WAVE")
SAMPLE_RATE = 8287          # the rate at which a sample plays at note C-2 (period 428)
CYCLE = 32                  # samples per cycle: a sample's own pitch is C at that rate

# Amiga periods for C-1 .. B-3.
PERIODS = [856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113]
# Semitones of the D major pentatonic above C: D E F# A B.
SCALE = [2, 4, 6, 9, 11]

ZITHER, FLUTE, WOODBLOCK, DRUM, GONG, BASS = 1, 2, 3, 4, 5, 6
# Each track, and each section of the story track, plays this long before it comes round again.
LOOP_SECONDS = 125


def degree_note(degree, octave):
    """Index into PERIODS of a pentatonic degree (any integer) counted from octave `octave`."""
    o, d = divmod(degree, 5)
    index = (octave + o) * 12 + SCALE[d]
    while index < 0:
        index += 12
    while index >= len(PERIODS):
        index -= 12
    return index


def to_bytes(wave):
    peak = np.max(np.abs(wave))
    scaled = np.round(wave * (120.0 / peak if peak > 0 else 0.0))
    return np.clip(scaled, -128, 127).astype(np.int8).tobytes()


def karplus(seconds, cycle, brightness, seed):
    rng = np.random.RandomState(seed)
    n = int(seconds * SAMPLE_RATE)
    buf = list(rng.uniform(-1, 1, cycle))
    out = np.empty(n)
    for i in range(n):
        a = buf[i % cycle]
        b = buf[(i + 1) % cycle]
        value = brightness * a + (1 - brightness) * b
        buf[i % cycle] = value * 0.996
        out[i] = a
    attack = np.minimum(1.0, np.arange(n) / 12.0)
    return out * attack


def flute_cycle():
    t = np.arange(CYCLE * 4) / CYCLE
    return (np.sin(2 * np.pi * t) + 0.25 * np.sin(4 * np.pi * t) + 0.08 * np.sin(6 * np.pi * t))


def woodblock():
    t = np.arange(int(0.09 * SAMPLE_RATE)) / SAMPLE_RATE
    return (np.sin(2 * np.pi * 1100 * t) + 0.5 * np.sin(2 * np.pi * 1730 * t)) * np.exp(-t / 0.018)


def drum():
    t = np.arange(int(0.35 * SAMPLE_RATE)) / SAMPLE_RATE
    freq = 70 + 90 * np.exp(-t / 0.04)
    return np.sin(2 * np.pi * np.cumsum(freq) / SAMPLE_RATE) * np.exp(-t / 0.12)


def gong_sample():
    t = np.arange(int(1.6 * SAMPLE_RATE)) / SAMPLE_RATE
    out = np.zeros_like(t)
    for ratio, amp, decay in [(1.0, 1.0, 0.9), (1.47, 0.6, 0.7), (2.09, 0.5, 0.5), (2.56, 0.35, 0.4),
                              (3.14, 0.25, 0.3)]:
        out += amp * np.sin(2 * np.pi * 180 * ratio * t) * np.exp(-t / decay)
    return out * (1 - np.exp(-t / 0.02))


def instruments():
    """(name, data, volume, loop start in bytes, loop length in bytes) per sample slot 1-6."""
    flute = flute_cycle()
    return [
        ("zither", to_bytes(karplus(1.4, CYCLE, 0.55, 7)), 64, 0, 0),
        ("flute", to_bytes(flute), 48, 0, len(flute)),
        ("woodblock", to_bytes(woodblock()), 40, 0, 0),
        ("drum", to_bytes(drum()), 56, 0, 0),
        ("gong", to_bytes(gong_sample()), 44, 0, 0),
        ("bass", to_bytes(karplus(1.6, CYCLE * 2, 0.3, 11)), 60, 0, 0),
    ]


class Pattern:
    def __init__(self):
        self.cells = [[None] * 4 for _ in range(64)]

    def note(self, row, channel, sample, note, effect=0, param=0):
        self.cells[row][channel] = (sample, PERIODS[note] if note is not None else 0, effect, param)

    def effect(self, row, channel, effect, param):
        cell = self.cells[row][channel]
        sample, period = (cell[0], cell[1]) if cell else (0, 0)
        self.cells[row][channel] = (sample, period, effect, param)

    def encode(self):
        out = bytearray()
        for row in self.cells:
            for cell in row:
                sample, period, effect, param = cell if cell else (0, 0, 0, 0)
                out += bytes([(sample & 0xF0) | (period >> 8), period & 0xFF,
                              ((sample & 0x0F) << 4) | effect, param])
        return bytes(out)


RHYTHMS = [
    [4, 4, 4, 4], [6, 2, 4, 4], [4, 2, 2, 8], [2, 2, 4, 8], [8, 4, 4], [4, 4, 8], [12, 4], [16],
]


def phrase(rng, start, home, bar_rows=16):
    """A pentatonic line: (row offset, length, degree) notes over the 64 rows of a pattern, in
    bars of `bar_rows` rows (16, or 8 for a slow section whose rows last twice as long)."""
    notes, degree, row = [], start, 0
    bars = 64 // bar_rows
    unit = 16 // bar_rows
    for bar in range(bars):
        end = bar % 4 == 3
        rhythm = rng.choice(RHYTHMS[:6] if not end else RHYTHMS[4:])
        for length in (k // unit for k in rhythm):
            if end and length * unit >= 8:
                degree = home
            else:
                degree = max(-2, min(9, degree + rng.choice([-2, -1, -1, 1, 1, 2, 0, 3, -3])))
            notes.append((row, length, degree))
            row += length
    return notes


def melody_pattern(rng, speed, mood, start, home, with_flute=True, bar_rows=16):
    """One 64-row pattern: melody, counter line, bass and percussion for one mood."""
    p = Pattern()
    line = phrase(rng, start, home, bar_rows)
    unit = 16 // bar_rows
    beat = 4 // unit
    lead, lead_octave = (FLUTE, 1) if with_flute else (ZITHER, 1)
    for row, length, degree in line:
        vol = 0x30 if mood == "calm" else 0x38
        p.note(row, 0, lead, degree_note(degree, lead_octave), 0xC, vol)
        if lead == FLUTE and length * unit >= 8:
            p.effect(row + beat, 0, 0x4, 0x34)       # a breath of vibrato on long notes
    for row, length, degree in line:
        if length >= beat and row % (2 * beat) == beat:
            p.note(row, 1, ZITHER, degree_note(degree + 2, 0))
    roots = [0, 3, 4, 0] if mood != "tense" else [0, -1, 0, -2]
    for bar in range(64 // bar_rows):
        root = roots[bar % 4]
        p.note(bar * bar_rows, 2, BASS, degree_note(root, 1))
        if mood != "calm":
            p.note(bar * bar_rows + bar_rows // 2, 2, BASS,
                   degree_note(root + (3 if mood == "bright" else 0), 1))
    if mood == "tense":                              # a restless pulse on every half beat
        for row in range(0, 64, beat // 2):
            pos = row * unit
            p.note(row, 3, DRUM if pos % 8 == 0 else WOODBLOCK,
                   12 if pos % 8 == 0 else 24 if pos % 4 == 0 else 26)
    else:
        for row in range(0, 64, beat):
            pos = row * unit                         # where the row falls in a 16-row bar
            if mood == "bright":
                if pos % 16 == 0:
                    p.note(row, 3, DRUM, 12)
                elif pos % 8 == 4:
                    p.note(row, 3, WOODBLOCK, 24)
            elif pos % 32 == 0:
                p.note(row, 3, GONG if row == 0 else DRUM, 12)
            elif pos % 16 == 12:
                p.note(row, 3, WOODBLOCK, 24, 0xC, 0x20)
    p.effect(0, 1, 0xF, speed)
    return p


def victory_pattern(speed):
    p = Pattern()
    run = [0, 1, 2, 3, 4, 5, 6, 7]
    for k, degree in enumerate(run):
        p.note(k * 2, 0, ZITHER, degree_note(degree, 1))
    p.note(16, 0, FLUTE, degree_note(5, 1), 0xC, 0x38)
    p.note(32, 0, FLUTE, degree_note(7, 1), 0xC, 0x38)
    p.effect(40, 0, 0x4, 0x34)
    p.note(48, 0, FLUTE, degree_note(5, 1), 0xC, 0x30)
    for row, degree in [(16, 0), (32, 3), (48, 0)]:
        p.note(row, 2, BASS, degree_note(degree, 1))
        p.note(row, 1, ZITHER, degree_note(degree + 2, 0))
    p.note(0, 3, GONG, 12)
    p.note(16, 3, DRUM, 12)
    p.note(32, 3, GONG, 12)
    p.note(48, 3, DRUM, 12)
    p.effect(0, 1, 0xF, speed)
    return p


def jump(pattern, order):
    pattern.effect(63, 3, 0xB, order)


def module(title, patterns, orders):
    out = bytearray(title.encode("ascii")[:20].ljust(20, b"\0"))
    samples = instruments()
    for slot in range(31):
        if slot < len(samples):
            name, data, volume, loop_start, loop_len = samples[slot]
            header = name.encode("ascii").ljust(22, b"\0")
            header += struct.pack(">HBBHH", len(data) // 2, 0, volume, loop_start // 2,
                                  max(1, loop_len // 2))
        else:
            header = b"\0" * 22 + struct.pack(">HBBHH", 0, 0, 0, 0, 1)
        out += header
    out += bytes([len(orders), 127]) + bytes(orders).ljust(128, b"\0") + b"M.K."
    for p in patterns:
        out += p.encode()
    for _, data, _, _, _ in samples:
        out += data if len(data) % 2 == 0 else data + b"\0"
    return bytes(out)


def patterns_speed(seconds, count):
    """The speed at which `count` 64-row patterns last at least `seconds`."""
    return -(-seconds * 50 // (64 * count))


def patterns_for(seconds, speed):
    """How many 64-row patterns at `speed` ticks a row (50 ticks a second) last `seconds`."""
    return -(-seconds * 50 // (64 * speed))


def loop_track(title, seed, speed, moods):
    """A track of at least LOOP_SECONDS, its patterns walking the moods in turn, played in order
    and looping to order 0."""
    rng = random.Random(seed)
    patterns = []
    for k in range(patterns_for(LOOP_SECONDS, speed)):
        mood = moods[k % len(moods)]
        home = 0 if k % 2 else 3
        patterns.append(melody_pattern(rng, speed, mood, rng.choice([0, 2, 3, 5]), home,
                                       with_flute=(k % 2 == 0)))
    jump(patterns[-1], 0)
    return module(title, patterns, list(range(len(patterns))))


def story_track():
    """Theme A and the tension have a fixed number of orders, so to last LOOP_SECONDS each plays
    slow rows in bars of 8; theme B has the orders from 13 to the end to itself."""
    rng = random.Random(339)
    patterns = []
    for k in range(7):                                   # theme A: orders 0-6
        patterns.append(melody_pattern(rng, patterns_speed(LOOP_SECONDS, 7),
                                       "calm" if k < 4 else "bright", [3, 5, 2, 0][k % 4],
                                       0 if k % 2 else 3,
                                       with_flute=(k % 3 != 2), bar_rows=8))
    jump(patterns[6], 0)
    for k in range(5):                                   # tension: orders 7-11
        patterns.append(melody_pattern(rng, patterns_speed(LOOP_SECONDS, 5), "tense",
                                       [0, -1, 1, 0, 2][k], -2 if k % 2 else 0,
                                       with_flute=(k % 2 == 1), bar_rows=8))
    jump(patterns[11], 7)
    patterns.append(victory_pattern(6))                  # victory: order 12
    moods = ["bright", "calm", "bright", "bright", "calm"]
    for k in range(patterns_for(LOOP_SECONDS, 7)):       # theme B: orders 13 to the end
        patterns.append(melody_pattern(rng, 7, moods[k % len(moods)], [5, 7, 4, 2][k % 4],
                                       3 if k % 2 else 0, with_flute=(k % 3 != 1)))
    jump(patterns[-1], 13)
    return module("Jade Road", patterns, list(range(len(patterns))))


TRACKS = {
    335: ("menu", lambda: loop_track("Lantern Court", 335, 8, ["calm", "calm", "bright", "calm"])),
    336: ("grid-2", lambda: loop_track("Willow Bank", 336, 7, ["calm", "bright", "calm", "bright"])),
    337: ("grid-3", lambda: loop_track("Plum Rain", 337, 8, ["calm", "calm", "calm", "bright"])),
    338: ("grid-1", lambda: loop_track("Silk Market", 338, 6, ["bright", "calm", "bright", "bright"])),
    339: ("story", story_track),
}


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for tid, (slug, make) in sorted(TRACKS.items()):
        with open(os.path.join(OUT_DIR, "%d-music-%s.mod" % (tid, slug)), "wb") as f:
            f.write(make())


if __name__ == "__main__":
    main()
