#!/usr/bin/env python3
"""Draws the program icon (a compact disc with a music note) as a 16-colour
.ico holding a 32x32 and a 16x16 image. Usage: make_icon.py OUT.ico"""
import math
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = 0, 4, 7, 8, 11, 12, 13, 14, 15
TRANSPARENT = None


def disc_pixel(x, y, size):
    """Colour index of one pixel of the disc, or TRANSPARENT."""
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    d = math.hypot(dx, dy)
    outer = size / 2.0 - 0.3
    if d > outer:
        return TRANSPARENT
    if d > outer - 1.0:
        return GREY                      # rim
    if d < size * 0.09:
        return TRANSPARENT               # the hole
    if d < size * 0.14:
        return GREY
    if d < size * 0.22:
        return WHITE                     # clear hub
    # Rainbow sheen in two opposite sectors, silver elsewhere.
    angle = math.degrees(math.atan2(dy, dx)) % 180.0
    if 20 <= angle < 35:
        return AQUA
    if 35 <= angle < 50:
        return FUCHSIA
    if 50 <= angle < 62:
        return YELLOW
    return SILVER if d < outer - 3 else WHITE if angle > 120 else SILVER


def note_pixels(size):
    """Pixels of a small quaver in the lower-right quarter."""
    s = size / 32.0
    pts = set()
    head_cx, head_cy = 23 * s, 26 * s
    for y in range(size):
        for x in range(size):
            if ((x - head_cx) / (2.6 * s)) ** 2 + ((y - head_cy) / (2.0 * s)) ** 2 <= 1.0:
                pts.add((x, y))
    stem_x = int(round(head_cx + 1.8 * s))
    for y in range(int(14 * s), int(26 * s) + 1):
        pts.add((stem_x, y))
        if size >= 32:
            pts.add((stem_x - 1, y))
    for i in range(int(5 * s) + 1):
        pts.add((stem_x + 1 + i, int(14 * s) + i))
        if size >= 32:
            pts.add((stem_x + 1 + i, int(15 * s) + i))
    return pts


def image(size):
    pixels = [[disc_pixel(x, y, size) for x in range(size)] for y in range(size)]
    for (x, y) in note_pixels(size):
        if 0 <= x < size and 0 <= y < size:
            pixels[y][x] = NAVY
    return pixels


def icon_image(size):
    pixels = image(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):          # bottom-up rows
        row = pixels[y]
        nib = [(0 if p is TRANSPARENT else p) for p in row]
        xb = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, size, 2))
        xor_rows.append(xb + b'\0' * ((4 - len(xb) % 4) % 4))
        bits = 0
        ab = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
            if i % 8 == 7:
                ab.append(bits)
                bits = 0
        ab += b'\0' * ((4 - len(ab) % 4) % 4)
        and_rows.append(bytes(ab))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main():
    sizes = [32, 16]
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
