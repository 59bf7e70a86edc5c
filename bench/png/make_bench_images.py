#!/usr/bin/python3
"""Writes the benchmark's test images: deterministic, photograph-like content (smooth shapes at
several scales plus sensor-like noise), saved with adaptive per-row filters.

usage: make_bench_images.py <output folder>
"""
import os
import sys

import numpy as np
from PIL import Image


def smooth_field(rng, h, w, scale):
    """Noise on a coarse grid, enlarged with bicubic smoothing."""
    coarse = rng.random((max(2, h // scale), max(2, w // scale))).astype(np.float32)
    img = Image.fromarray((coarse * 255).astype(np.uint8)).resize((w, h), Image.BICUBIC)
    return np.asarray(img, dtype=np.float32) / 255.0


def photo(rng, h, w, channels):
    planes = []
    for _ in range(channels):
        v = (0.5 * smooth_field(rng, h, w, 96) + 0.3 * smooth_field(rng, h, w, 24) +
             0.15 * smooth_field(rng, h, w, 6))
        v += rng.normal(0.0, 0.02, (h, w))
        planes.append(np.clip(v * 255, 0, 255).astype(np.uint8))
    return np.dstack(planes) if channels > 1 else planes[0]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rng = np.random.default_rng(20261208)
    Image.fromarray(photo(rng, 512, 768, 3), "RGB").save(os.path.join(out, "photo-768x512-rgb.png"))
    Image.fromarray(photo(rng, 1536, 2048, 3), "RGB").save(os.path.join(out, "photo-2048x1536-rgb.png"))
    Image.fromarray(photo(rng, 512, 768, 4), "RGBA").save(os.path.join(out, "photo-768x512-rgba.png"))
    Image.fromarray(photo(rng, 1024, 1024, 1), "L").save(os.path.join(out, "photo-1024-grey.png"))
    pal = Image.fromarray(photo(rng, 512, 768, 3), "RGB").quantize(256)
    pal.save(os.path.join(out, "photo-768x512-palette.png"))
    # Flat artwork: large runs, long matches.
    art = np.zeros((600, 800, 4), np.uint8)
    for i in range(40):
        y, x = rng.integers(0, 550), rng.integers(0, 750)
        art[y:y + rng.integers(10, 200), x:x + rng.integers(10, 300)] = rng.integers(0, 256, 4)
    Image.fromarray(art, "RGBA").save(os.path.join(out, "art-800x600-rgba.png"))


if __name__ == "__main__":
    main()
