#!/usr/bin/python3
"""Writes the "Again" button glyphs as a 32 x 16, 4-bit Windows BMP.

  glyph-again.py OUT.bmp

Left half: the normal tick, red with a black edge on the right of each stroke.
Right half: the disabled tick, grey with a white edge. Everything else is
purple (128, 0, 128), which the button treats as transparent; the toolkit
takes the transparent colour from the bottom-left pixel, so that one must stay
purple.

Written by hand rather than by an image tool so the file is exactly 4 bpp with
a plain BITMAPINFOHEADER, an uncompressed (BI_RGB) pixel array and the
16-colour palette below.
"""
import sys

from pixels import write_bmp4

# The classic 16-colour palette, so the indices mean the same in any viewer.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, PURPLE, GREY, RED, WHITE = 0, 5, 8, 9, 15

# T = tick stroke, E = the edge on the stroke's right-hand side
TICK = [
    "................",
    "................",
    "................",
    ".............TE.",
    "............TTE.",
    "...........TTTE.",
    "..........TTTE..",
    ".........TTTE...",
    ".TTE....TTTE....",
    ".TTTE..TTTE.....",
    "..TTTETTTE......",
    "...TTTTTE.......",
    "....TTTE........",
    ".....TE.........",
    "................",
    "................",
]


def glyph(stroke, edge):
    return [[{"T": stroke, "E": edge}.get(c, PURPLE) for c in row] for row in TICK]


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    normal, disabled = glyph(RED, BLACK), glyph(GREY, WHITE)
    rows = [normal[y] + disabled[y] for y in range(16)]
    write_bmp4(argv[1], rows, PALETTE)


if __name__ == "__main__":
    main(sys.argv)
