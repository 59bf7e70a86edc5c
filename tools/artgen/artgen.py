#!/usr/bin/python3
"""Draws every picture of the game into assets/pack and assets/exe.

Run from anywhere with /usr/bin/python3 (needs PIL with FreeType, numpy, and the DejaVu and
AR PL UKai fonts):
    /usr/bin/python3 tools/artgen/artgen.py [--preview DIR]
The output is the same bytes on every run: every random choice comes from a fixed seed.
"""
import sys

import exe
import scenes
import tiles
import ui


def main():
    tiles.make()
    ui.make()
    scenes.make()
    exe.make()
    if len(sys.argv) > 2 and sys.argv[1] == '--preview':
        tiles.preview(sys.argv[2] + '/tiles.png')
        exe.preview(sys.argv[2] + '/splash.png')


if __name__ == '__main__':
    main()
