#!/usr/bin/env python3
"""Gathers the summary rows of every benchmark's output into the one table `./dev bench` ends with.

A benchmark adds a row by printing a line of tab-separated fields:

    @row<TAB>measure<TAB>unit<TAB>ours<TAB>peer=value<TAB>peer=value...

measure is free text without tabs, unit names what ours and the peers' values count (for
example us, ms, % CPU), ours and each value are plain numbers, and there may be any number of
peers, none included. The ratio column gives ours / value for each peer: below 1 ours is less.
bench/MedianRuns.h has bench::PrintRow, which prints such a line from C++. Other lines are
ignored, so a benchmark's own output can surround its rows.

usage: collect_table.py OUTPUT_FILE...
"""

import sys


def parse(line):
    # A terminal's colour codes may come before the marker.
    start = line.find("@row\t")
    if start < 0:
        return None
    fields = line[start:].rstrip("\n").split("\t")
    if len(fields) < 4 or fields[0] != "@row":
        return None
    try:
        ours = float(fields[3])
    except ValueError:
        return None
    peers = []
    for field in fields[4:]:
        name, _, value = field.rpartition("=")
        try:
            peers.append((name, float(value)))
        except ValueError:
            continue
    return fields[1], fields[2], ours, peers


def number(value):
    return f"{value:.4g}"


def main(paths):
    rows = []
    for path in paths:
        try:
            with open(path, encoding="utf-8", errors="replace") as f:
                rows.extend(r for r in map(parse, f) if r is not None)
        except OSError as error:
            print(f"collect_table: {path}: {error.strerror}", file=sys.stderr)
    if not rows:
        print("no benchmark rows")
        return 0
    table = [("measure", "unit", "ours", "peers", "ratio")]
    for measure, unit, ours, peers in rows:
        table.append((
            measure,
            unit,
            number(ours),
            ", ".join(f"{name} {number(value)}" for name, value in peers) or "-",
            ", ".join(f"{number(ours / value)} ({name})" for name, value in peers if value > 0) or "-",
        ))
    widths = [max(len(row[i]) for row in table) for i in range(len(table[0]))]
    for index, row in enumerate(table):
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
        if index == 0:
            print("  ".join("-" * width for width in widths))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
