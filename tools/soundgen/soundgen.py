#!/usr/bin/python3
"""Synthesises the game's sound effects into assets/pack/WAVE as 16-bit mono PCM WAV files.

Everything is modal synthesis: tiles are short bursts of stiff, quickly damped partials (bone
and bamboo), bells and gongs are inharmonic partials with long decays, and the melodic cues
use the major pentatonic scale the music uses. Looping sounds are built from whole periods
of their loop length, so they repeat without a click.

Run from the repository root (needs numpy):
    /usr/bin/python3 tools/soundgen/soundgen.py
The output is the same bytes on every run: noise comes from a fixed seed and every sample is
rounded explicitly.
"""

import os
import struct

import numpy as np

RATE = 22050
OUT_DIR = os.path.join("assets", "pack", "WAVE")

# Major pentatonic on D, the key of the music: D E F# A B.
PENTA = [293.66, 329.63, 369.99, 440.00, 493.88]


def penta(step):
    """Frequency of the step-th note of the pentatonic scale from D4 (negative goes down)."""
    octave, degree = divmod(step, 5)
    return PENTA[degree] * (2.0 ** octave)


def timeline(seconds):
    return np.arange(int(round(seconds * RATE))) / RATE


def silence(seconds):
    return np.zeros(int(round(seconds * RATE)))


def partials(t, freq, ratios, amps, decays):
    out = np.zeros_like(t)
    for ratio, amp, decay in zip(ratios, amps, decays):
        out += amp * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t / decay)
    return out


def click(rng, seconds=0.05, pitch=2400.0, damp=0.006):
    """A tile of bone on bamboo: a short noise tick into three stiff partials."""
    t = timeline(seconds)
    body = partials(t, pitch, [1.0, 1.58, 2.37], [1.0, 0.55, 0.3], [damp, damp * 0.7, damp * 0.5])
    tick = rng.standard_normal(len(t)) * np.exp(-t / 0.0015) * 0.5
    return body + tick


def bell(seconds, freq, decay=0.9, bright=1.0):
    t = timeline(seconds)
    return partials(t, freq, [1.0, 2.0, 2.76, 4.07, 5.4],
                    [1.0, 0.45 * bright, 0.3 * bright, 0.18 * bright, 0.08 * bright],
                    [decay, decay * 0.6, decay * 0.45, decay * 0.3, decay * 0.2])


def gong(seconds, freq=98.0):
    t = timeline(seconds)
    swell = 1.0 - np.exp(-t / 0.05)
    body = partials(t, freq, [1.0, 1.47, 2.09, 2.56, 3.14, 4.3],
                    [1.0, 0.7, 0.5, 0.4, 0.3, 0.2],
                    [1.6, 1.3, 1.0, 0.8, 0.6, 0.4])
    shimmer = 0.25 * np.sin(2 * np.pi * freq * 2.09 * t + 0.8 * np.sin(2 * np.pi * 3.0 * t))
    return swell * body + shimmer * np.exp(-t / 0.9)


def place(target, sound, at):
    start = int(round(at * RATE))
    end = min(len(target), start + len(sound))
    target[start:end] += sound[:end - start]
    return target


def fade_out(sound, seconds):
    n = min(len(sound), int(round(seconds * RATE)))
    sound[len(sound) - n:] *= np.linspace(1.0, 0.0, n)
    return sound


def lowpass(signal, cutoff):
    """One-pole low-pass; cutoff may be an array (a sweep)."""
    alpha = 1.0 - np.exp(-2 * np.pi * np.broadcast_to(cutoff, signal.shape) / RATE)
    out = np.empty_like(signal)
    state = 0.0
    for i, (x, a) in enumerate(zip(signal, alpha)):
        state += a * (x - state)
        out[i] = state
    return out


def looped_chord(seconds, freqs, tremolo_cycles, depth):
    """A sustained shimmer whose every component completes whole cycles in the loop."""
    t = timeline(seconds)
    out = np.zeros_like(t)
    for k, f in enumerate(freqs):
        cycles = round(f * seconds)
        out += np.sin(2 * np.pi * cycles / seconds * t + k) / (k + 1)
    tremolo = 1.0 - depth * 0.5 * (1 - np.cos(2 * np.pi * tremolo_cycles / seconds * t))
    return out * tremolo


def make_sounds():
    rng = np.random.RandomState(20261208)
    s = {}
    s[105] = click(rng, 0.06, 2600.0, 0.005)
    s[174] = partials(timeline(0.18), 110.0, [1.0, 1.5, 2.02], [1.0, 0.5, 0.25],
                      [0.05, 0.04, 0.03]) + 0.3 * click(rng, 0.18, 700.0, 0.01)
    s[175] = place(silence(0.12), click(rng, 0.08, 2100.0, 0.008), 0.0)
    place(s[175], 0.6 * click(rng, 0.06, 3100.0, 0.005), 0.035)
    match = silence(0.55)
    place(match, click(rng, 0.08, 1900.0, 0.009), 0.0)
    place(match, click(rng, 0.08, 2300.0, 0.009), 0.03)
    place(match, 0.45 * bell(0.5, penta(5), 0.25), 0.04)
    place(match, 0.3 * bell(0.45, penta(7), 0.22), 0.1)
    s[176] = match

    t = timeline(0.95)
    sweep = 300.0 + 3500.0 * np.sin(np.pi * t / t[-1]) ** 2
    s[340] = lowpass(rng.standard_normal(len(t)), sweep) * np.sin(np.pi * t / t[-1]) * 2.5

    s[347] = looped_chord(1.0, [penta(5), penta(7), penta(9), penta(12)], 4, 0.6)
    s[348] = looped_chord(1.0, [penta(6), penta(8), penta(11), penta(13)], 6, 0.5)
    s[378] = looped_chord(1.0, [penta(0), penta(2), penta(5)], 2, 0.8)
    collect = silence(1.0)
    for k, step in enumerate([5, 7, 9, 12, 9, 7, 10, 8]):
        place(collect, 0.5 * bell(0.12, penta(step), 0.03), k * 0.125)
    s[376] = collect

    shuffle = silence(0.85)
    for k in range(14):
        place(shuffle, 0.7 * click(rng, 0.06, 1700.0 + 90.0 * ((k * 7) % 11), 0.007),
              k * 0.05 + 0.01 * rng.random_sample())
    s[349] = shuffle

    start = silence(1.2)
    for k, step in enumerate([0, 2, 4, 5, 7]):
        place(start, 0.5 * click(rng, 0.07, 1800.0 + 150.0 * k, 0.008), k * 0.12)
        place(start, 0.35 * bell(0.6, penta(step + 5), 0.3), k * 0.12 + 0.01)
    s[350] = start

    undo = silence(0.35)
    place(undo, 0.5 * bell(0.2, penta(9), 0.08), 0.0)
    place(undo, 0.5 * bell(0.25, penta(6), 0.1), 0.08)
    s[351] = undo

    combo = silence(0.6)
    for k, step in enumerate([7, 9, 10, 12]):
        place(combo, 0.45 * bell(0.4, penta(step), 0.18, 1.3), k * 0.06)
    s[352] = combo

    fanfare_gong = silence(2.8)
    place(fanfare_gong, 0.9 * gong(2.8, 87.3), 0.0)
    for k, step in enumerate([5, 7, 9, 10, 12]):
        place(fanfare_gong, 0.3 * bell(1.2, penta(step), 0.5), 0.2 + k * 0.14)
    s[373] = fanfare_gong

    fanfare = silence(2.2)
    for k, step in enumerate([0, 2, 4, 5, 7, 9, 10]):
        place(fanfare, 0.35 * bell(1.4, penta(step + 3), 0.55), k * 0.11)
    for step in [5, 7, 10]:
        place(fanfare, 0.25 * bell(1.4, penta(step + 3), 0.7), 0.9)
    s[375] = fanfare

    exit_pair = silence(1.6)
    place(exit_pair, 0.6 * gong(1.6, 110.0), 0.0)
    place(exit_pair, 0.5 * bell(1.4, penta(10), 0.6, 1.4), 0.02)
    place(exit_pair, 0.4 * bell(1.3, penta(12), 0.6, 1.4), 0.12)
    s[377] = exit_pair

    t = timeline(1.0)
    gliss = penta(5) * 2.0 ** (t * 1.5)
    phase = 2 * np.pi * np.cumsum(gliss) / RATE
    s[379] = (np.sin(phase) + 0.4 * np.sin(2 * phase)) * np.sin(np.pi * t) * 0.6

    banner = silence(1.8)
    place(banner, 0.7 * gong(1.8, 98.0), 0.0)
    for k, step in enumerate([7, 10, 12]):
        place(banner, 0.3 * bell(1.2, penta(step), 0.5), 0.25 + k * 0.15)
    s[380] = banner

    advance = silence(1.0)
    place(advance, 0.5 * bell(0.9, penta(7), 0.4), 0.0)
    place(advance, 0.45 * bell(0.8, penta(9), 0.4), 0.18)
    s[381] = advance

    fade = silence(0.8)
    for k, step in enumerate([12, 10, 7, 5]):
        place(fade, 0.3 * bell(0.5, penta(step), 0.25), k * 0.1)
    s[382] = fade
    return s


NAMES = {
    105: "click", 174: "refused", 175: "select", 176: "match", 340: "slide", 347: "wild-sweep",
    348: "wild-mirror", 349: "shuffle", 350: "level-start", 351: "undo", 352: "combo",
    373: "level-won", 375: "layout-cleared", 376: "collect", 377: "exit-pair",
    378: "complement", 379: "transform", 380: "dynasty-banner", 381: "advance",
    382: "banner-fade",
}
LOOPS = {347, 348, 376, 378}


def to_pcm(sound, looping):
    peak = np.max(np.abs(sound))
    scaled = sound * (0.7 / peak if peak > 0 else 0.0)
    if not looping:
        scaled = fade_out(scaled, 0.01)
    return np.clip(np.round(scaled * 32767.0), -32768, 32767).astype("<i2").tobytes()


def wav_bytes(pcm):
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(pcm)) + pcm
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for sid, sound in sorted(make_sounds().items()):
        path = os.path.join(OUT_DIR, "%d-%s.wav" % (sid, NAMES[sid]))
        with open(path, "wb") as f:
            f.write(wav_bytes(to_pcm(sound, sid in LOOPS)))


if __name__ == "__main__":
    main()
