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
import struct
import sys

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
    width, height = 32, 16
    stride = (width * 4 + 31) // 32 * 4
    pixels = b""
    for row in reversed(rows):  # BMP rows run bottom-up
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, width, 2))
        pixels += packed + b"\0" * (stride - len(packed))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(argv[1], "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    main(sys.argv)
