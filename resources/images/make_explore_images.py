#!/usr/bin/env python3
"""Draws the pictures of the exploration windows.

xp.png      the tab skin, 21 x 20: three 7 x 20 tiles (plain, hot, selected),
            magenta (255, 0, 255) transparent; written pixel by pixel with the
            standard library, so it is the same on every run.
vanish_*    the two vanishing-figure puzzles, left and right picture each, at
            1x and 2x (name@2x.png); drawn with ImageMagick (convert).

Usage: python3 make_explore_images.py [output directory]  (default: here)
"""
import os
import struct
import subprocess
import sys
import zlib

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
IM = os.environ.get("IM", "convert")


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b) tuples; 8-bit RGB, no ancillary chunks."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


# ---- the tab skin ----

M = (255, 0, 255)         # transparent
EDGE = (145, 155, 156)    # the same grey as the page box's border
PAGE = (252, 252, 254)    # the page box's inside: the selected tab merges into it
ORANGE_DARK = (230, 139, 44)
ORANGE_LIGHT = (255, 199, 60)


def body(row):
    """Plain and hot bodies: near white at the top to light grey at the bottom."""
    t = (row - 4) / 14.0
    top, bottom = (250, 250, 250), (224, 225, 219)
    return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))


def tile(kind):
    rows = []
    first = 0 if kind == "selected" else 2  # unselected tabs stand two pixels lower
    for y in range(20):
        if y < first:
            rows.append([M] * 7)
            continue
        k = y - first
        if kind == "selected":
            fill = PAGE
        else:
            fill = body(y) if y < 19 else EDGE  # they stand on the page box's top line
        top1 = ORANGE_DARK if kind != "plain" else EDGE
        top2 = ORANGE_LIGHT if kind != "plain" else fill
        if k == 0:    # rounded corners
            rows.append([M, M, top1, top1, top1, M, M])
        elif k == 1:
            side = top2 if kind != "plain" else EDGE
            rows.append([M, side, top2, top2, top2, side, M])
        else:
            rows.append([EDGE, fill, fill, fill, fill, fill, EDGE])
    return rows


def make_skin():
    tiles = [tile("plain"), tile("hot"), tile("selected")]
    pixels = [tiles[0][y] + tiles[1][y] + tiles[2][y] for y in range(20)]
    write_png(os.path.join(OUT, "xp.png"), 21, 20, pixels)


# ---- the vanishing figures ----
# Coordinates in grid squares, y upwards. Each picture is drawn on squared paper.

GRID = "#bcd7ee"
INK = "#2b3a4a"
COLOURS = ["#f6b26b", "#93c47d", "#6fa8dc", "#e06666", "#ffd966"]

# A 13 x 13 square: a column of 3 on the right, and on the left a 10-wide part
# cut by a line from (0, 4) to (10, 3) that falls one square over ten. The
# part above the cut slides one square left along it and rises 1/10; the
# one-square strip it leaves (cut in two) goes to the right: the left part is
# then 13.1 squares high and the missing tenth of its ten columns is the hole.
SQUARE_LEFT = [
    [(0, 0), (10, 0), (10, 3), (0, 4)],
    [(1, 3.9), (10, 3), (10, 13), (1, 13)],
    [(0, 4), (1, 3.9), (1, 12), (0, 12)],
    [(0, 12), (1, 12), (1, 13), (0, 13)],
    [(10, 0), (13, 0), (13, 13), (10, 13)],
]
SQUARE_RIGHT = [
    SQUARE_LEFT[0],
    [(0, 4), (9, 3.1), (9, 13.1), (0, 13.1)],
    [(9, 3.1), (10, 3.0), (10, 11.1), (9, 11.1)],
    [(9, 12.1), (10, 12.1), (10, 13.1), (9, 13.1)],
    SQUARE_LEFT[4],
]

# The 13 x 5 triangle: an 8 x 3 and a 5 x 2 triangle and two pieces of 7 and
# 8 squares. The two slopes (3/8 and 2/5) differ, so the long side is not
# straight: it bends in on the left and out on the right, one square apart.
TRIANGLE_LEFT = [
    [(0, 0), (8, 0), (8, 3)],
    [(8, 3), (13, 3), (13, 5)],
    [(8, 0), (13, 0), (13, 1), (10, 1), (10, 2), (8, 2)],
    [(10, 1), (13, 1), (13, 3), (8, 3), (8, 2), (10, 2)],
]
TRIANGLE_RIGHT = [
    [(5, 2), (13, 2), (13, 5)],
    [(0, 0), (5, 0), (5, 2)],
    [(5, 0), (10, 0), (10, 1), (7, 1), (7, 2), (5, 2)],
    [(10, 0), (13, 0), (13, 2), (8, 2), (8, 1), (10, 1)],
]
TRIANGLE_COLOURS = [COLOURS[3], COLOURS[2], COLOURS[4], COLOURS[1]]


def area(poly):
    return abs(sum(x1 * y2 - x2 * y1 for (x1, y1), (x2, y2) in zip(poly, poly[1:] + poly[:1]))) / 2


def check():
    # Same pieces on both sides (each moved as a whole), so the same area.
    for left, right in ((SQUARE_LEFT, SQUARE_RIGHT), (TRIANGLE_LEFT, TRIANGLE_RIGHT)):
        for a, b in zip(left, right):
            assert abs(area(a) - area(b)) < 1e-9, (a, b)
            dx, dy = b[0][0] - a[0][0], b[0][1] - a[0][1]
            assert all(abs(q[0] - p[0] - dx) < 1e-9 and abs(q[1] - p[1] - dy) < 1e-9 for p, q in zip(a, b))
    assert abs(sum(map(area, SQUARE_LEFT)) - 169) < 1e-9
    assert abs(sum(map(area, TRIANGLE_LEFT)) - 32) < 1e-9


def draw(name, pieces, colours, cols, rows, cell, scale):
    c = cell * scale
    pad = 6 * scale
    w, h = cols * c + 2 * pad, rows * c + 2 * pad

    def px(p):
        return "%.2f,%.2f" % (pad + p[0] * c, pad + (rows - p[1]) * c)

    args = [IM, "-size", "%dx%d" % (w, h), "xc:white", "-stroke", GRID, "-strokewidth", str(scale)]
    lines = []
    for i in range(cols + 1):
        lines.append("line %s %s" % (px((i, 0)), px((i, rows))))
    for j in range(rows + 1):
        lines.append("line %s %s" % (px((0, j)), px((cols, j))))
    args += ["-draw", " ".join(lines), "-stroke", INK, "-strokewidth", str(scale)]
    for poly, colour in zip(pieces, colours):
        args += ["-fill", colour + "d8", "-draw", "polygon " + " ".join(px(p) for p in poly)]
    suffix = "" if scale == 1 else "@%dx" % scale
    args += ["-depth", "8", "-strip", "-define", "png:exclude-chunks=date,time",
             os.path.join(OUT, "%s%s.png" % (name, suffix))]
    subprocess.run(args, check=True)


def main():
    check()
    make_skin()
    for scale in (1, 2):
        draw("vanish_square_left", SQUARE_LEFT, COLOURS, 13, 14, 12, scale)
        draw("vanish_square_right", SQUARE_RIGHT, COLOURS, 13, 14, 12, scale)
        draw("vanish_triangle_left", TRIANGLE_LEFT, TRIANGLE_COLOURS, 13, 5, 14, scale)
        draw("vanish_triangle_right", TRIANGLE_RIGHT, TRIANGLE_COLOURS, 13, 5, 14, scale)


if __name__ == "__main__":
    main()
