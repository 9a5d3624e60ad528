#!/usr/bin/python3
"""Small pixel-format helpers for scripts/render-art, standard library only.

rsvg-convert can only write PNG; cjpeg wants PPM and the icon must be a
16-colour palette PNG, so the conversions are done here rather than through
an image library whose output could change between versions.

  pixels.py ppm  IN.png OUT.ppm             flatten RGBA onto black, write binary PPM
  pixels.py icon IN.png OUT.png             map onto the icon's palette, write indexed PNG
"""
import struct
import sys
import zlib


def read_png(path):
    """Decode an 8-bit, non-interlaced RGB or RGBA PNG (what rsvg-convert writes)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat, width = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError(f"{path}: unsupported PNG layout")
            channels = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        base = y * (stride + 1)
        filt = raw[base]
        line = bytearray(raw[base + 1:base + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if filt == 1:
                line[i] = (line[i] + a) & 255
            elif filt == 2:
                line[i] = (line[i] + b) & 255
            elif filt == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif filt == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    pixels = []
    for line in rows:
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            pixels.append(tuple(px) if channels == 4 else tuple(px) + (255,))
    return width, height, pixels


def write_ppm(path, width, height, pixels):
    out = bytearray()
    for r, g, b, a in pixels:
        # the pictures are opaque; any stray transparency falls onto black like the card edges
        out += bytes((r * a // 255, g * a // 255, b * a // 255))
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height) + bytes(out))


# The icon's palette: index 0 is transparent, the rest are exactly the colours
# assets/icon.svg uses (it is drawn with hard edges); anything else is mapped to
# the nearest of them, so a new colour in the icon must be added here too.
ICON_PALETTE = [
    (0, 0, 0),          # transparent
    (6, 8, 26),         # outline
    (24, 28, 72),       # midnight
    (70, 52, 140),      # violet
    (184, 137, 47),     # dark gold
    (240, 199, 94),     # gold
    (255, 243, 200),    # pale gold
]


def write_indexed_png(path, width, height, pixels):
    def nearest(rgb):
        best, best_d = 1, None
        for i, p in enumerate(ICON_PALETTE[1:], start=1):
            d = sum((u - v) ** 2 for u, v in zip(rgb, p))
            if best_d is None or d < best_d:
                best, best_d = i, d
        return best

    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            r, g, b, a = pixels[y * width + x]
            if a < 128:
                raw.append(0)
            else:
                raw.append(nearest((r, g, b)))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(p) for p in ICON_PALETTE))
    png += chunk(b"tRNS", b"\x00")
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main(argv):
    if len(argv) != 4 or argv[1] not in ("ppm", "icon"):
        sys.exit(__doc__)
    width, height, pixels = read_png(argv[2])
    if argv[1] == "ppm":
        write_ppm(argv[3], width, height, pixels)
    else:
        write_indexed_png(argv[3], width, height, pixels)


if __name__ == "__main__":
    main(sys.argv)
