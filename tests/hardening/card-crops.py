#!/usr/bin/env python3
# Reads a screenshot of the main window (binary PPM on stdin) and prints, one line per table
# position 0..21, a digest of that card's pixels: comparing digests tells which back each shows.
import hashlib
import sys

CARD_W, CARD_H, X0, Y0, ROW_STEP = 40, 80, 56, 163, 88
COLS = (0, 48, 96, 144, 192, 240, 288, 336, 384, 432, 481)

data = sys.stdin.buffer.read()
fields, pos = [], 0
while len(fields) < 4:  # magic, width, height, maxval, with comments allowed between
    while data[pos:pos + 1].isspace():
        pos += 1
    if data[pos:pos + 1] == b"#":
        pos = data.index(b"\n", pos) + 1
        continue
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
if fields[0] != b"P6" or fields[3] != b"255":
    sys.exit("not an 8-bit binary PPM")
width, height = int(fields[1]), int(fields[2])
pixels = data[pos + 1:]
for p in range(22):
    x, y = X0 + COLS[p % 11], Y0 + ROW_STEP * (p // 11)
    if x + CARD_W > width or y + CARD_H > height:
        sys.exit(f"the shot is {width}x{height}, too small for position {p}")
    digest = hashlib.sha1()
    for row in range(y, y + CARD_H):
        start = (row * width + x) * 3
        digest.update(pixels[start:start + CARD_W * 3])
    print(digest.hexdigest())
