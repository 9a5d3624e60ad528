#!/usr/bin/python3
"""Small pixel-format helpers for scripts/render-art, standard library only.

rsvg-convert can only write PNG; cjpeg wants PPM and the icon must be a
16-colour palette PNG, so the conversions are done here rather than through
an image library whose output could change between versions.

  pixels.py ppm  IN.png OUT.ppm             flatten RGBA onto black, write binary PPM
  pixels.py icon IN.png OUT.png             map onto the icon's palette, write indexed PNG
  pixels.py icon-bmp IN.png OUT.bmp         the same, as the 16-colour BMP built into the program;
                                            transparent pixels take the key colour (magenta),
                                            which the program reads from the bottom-left pixel
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


# Stands for "transparent" in the 16-colour BMP, which has no alpha; the icon never uses it.
BMP_KEY = (255, 0, 255)


def icon_indices(width, height, pixels):
    """Rows of palette indices, top row first; 0 where the pixel is transparent."""
    def nearest(rgb):
        best, best_d = 1, None
        for i, p in enumerate(ICON_PALETTE[1:], start=1):
            d = sum((u - v) ** 2 for u, v in zip(rgb, p))
            if best_d is None or d < best_d:
                best, best_d = i, d
        return best

    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            r, g, b, a = pixels[y * width + x]
            row.append(0 if a < 128 else nearest((r, g, b)))
        rows.append(row)
    return rows


def write_indexed_png(path, width, height, pixels):
    raw = bytearray()
    for row in icon_indices(width, height, pixels):
        raw.append(0)
        raw += bytes(row)

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


def write_bmp4(path, rows, palette):
    """A 4-bit, uncompressed Windows BMP with a plain BITMAPINFOHEADER; rows top first."""
    height, width = len(rows), len(rows[0])
    stride = (width * 4 + 31) // 32 * 4
    pixels = b""
    for row in reversed(rows):  # BMP rows run bottom-up
        padded = row + [0] * (width % 2)
        packed = bytes((padded[x] << 4) | padded[x + 1] for x in range(0, width, 2))
        pixels += packed + b"\0" * (stride - len(packed))
    colours = palette + [(0, 0, 0)] * (16 - len(palette))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


def write_icon_bmp(path, width, height, pixels):
    rows = icon_indices(width, height, pixels)
    if rows[-1][0] != 0:
        raise ValueError("the icon's bottom-left pixel must be transparent: it names the key colour")
    write_bmp4(path, rows, [BMP_KEY] + ICON_PALETTE[1:])


def main(argv):
    writers = {"ppm": write_ppm, "icon": write_indexed_png, "icon-bmp": write_icon_bmp}
    if len(argv) != 4 or argv[1] not in writers:
        sys.exit(__doc__)
    width, height, pixels = read_png(argv[2])
    writers[argv[1]](argv[3], width, height, pixels)


if __name__ == "__main__":
    main(sys.argv)
