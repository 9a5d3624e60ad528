#!/usr/bin/python3
"""Writes the "Again" button glyphs as a 4-bit Windows BMP, 32 x 16 at scale 1.

  glyph-again.py OUT.bmp [SCALE]

Left half: the normal tick, red with a black edge on the right of each stroke.
Right half: the disabled tick, grey with a white edge. Everything else is
purple (128, 0, 128), which the button treats as transparent; the toolkit
takes the transparent colour from the bottom-left pixel, so that one must stay
purple.

The tick is described by the straight edges of its two strokes, in the units of
the 16 x 16 glyph, and each pixel takes the colour of the region its centre
falls in. At scale 1 that gives the hand-drawn staircase of the classic glyph;
at scale 2 the same strokes come out with edges twice as fine.

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
SIDE = 16


def region(x, y):
    """"T" on a stroke, "E" on the edge right of it, "." elsewhere; x, y in glyph pixels."""
    across, down = x - y, x + y  # the short stroke runs along across, the long one along down
    if y < 3 or y >= 14 or x < 1 or x >= 15:
        return "."
    inside_v = across >= -8 and down < 19 and not (across >= -5 and down < 16)
    short_stroke_top = y < 8 and down < 16
    if inside_v and not short_stroke_top:
        return "E" if x >= 14 else "T"
    if -5 <= across < -4 and down < 16 and y >= 8:
        return "E"
    if 19 <= down < 20:
        return "E"
    return "."


def glyph(scale, stroke, edge):
    colours = {"T": stroke, "E": edge}
    side = SIDE * scale
    # a pixel's centre, in glyph pixels, less half a glyph pixel: whole numbers at scale 1
    at = [(i + 0.5) / scale - 0.5 for i in range(side)]
    return [[colours.get(region(x, y), PURPLE) for x in at] for y in at]


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    scale = int(argv[2]) if len(argv) == 3 else 1
    normal, disabled = glyph(scale, RED, BLACK), glyph(scale, GREY, WHITE)
    rows = [normal[y] + disabled[y] for y in range(SIDE * scale)]
    write_bmp4(argv[1], rows, PALETTE)


if __name__ == "__main__":
    main(sys.argv)
