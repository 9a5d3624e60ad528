#!/usr/bin/env python3
# Reads a screenshot of the main window (binary PPM on stdin) and prints, one line per table
# card, a digest of its pixels: comparing digests tells which back each shows.
# Usage: card-crops.py WxH+X+Y...  (one geometry per table position, in order) <SHOT.ppm
import hashlib
import re
import sys

cards = [tuple(map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", g).groups())) for g in sys.argv[1:]]

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
for p, (w, h, x, y) in enumerate(cards):
    if x + w > width or y + h > height:
        sys.exit(f"the shot is {width}x{height}, too small for position {p}")
    digest = hashlib.sha1()
    for row in range(y, y + h):
        start = (row * width + x) * 3
        digest.update(pixels[start:start + w * 3])
    print(digest.hexdigest())
