"""Reading and writing the picture files of a skin: uncompressed BMP
(8-bit with a palette, or 24-bit), and PNG for previews.

A picture is (width, height, rgb), rgb being rows top to bottom with three
bytes (red, green, blue) per pixel.
"""

import struct
import zlib


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _headers(width, height, bits, palette_entries, pixel_bytes):
    offset = 14 + 40 + palette_entries * 4
    file_header = struct.pack("<2sIHHI", b"BM", offset + pixel_bytes, 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                              pixel_bytes, 2835, 2835, palette_entries, 0)
    return file_header + info_header


def encode_bmp24(width, height, rgb):
    stride = _row_stride(width, 24)
    pad = b"\0" * (stride - width * 3)
    rows = []
    for y in range(height - 1, -1, -1):   # bottom-up
        row = bytearray()
        base = y * width * 3
        for x in range(width):
            r, g, b = rgb[base + 3 * x: base + 3 * x + 3]
            row += bytes((b, g, r))
        rows.append(bytes(row) + pad)
    pixels = b"".join(rows)
    return _headers(width, height, 24, 0, len(pixels)) + pixels


def encode_bmp8(width, height, rgb):
    """8-bit picture; the colours must fit in 256 palette entries. The palette
    is written in full (256 entries) so every reader finds all of it."""
    colours = sorted({bytes(rgb[i:i + 3]) for i in range(0, len(rgb), 3)})
    if len(colours) > 256:
        raise ValueError("%d colours do not fit an 8-bit palette" % len(colours))
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in colours)
    palette += b"\0" * (1024 - len(palette))
    stride = _row_stride(width, 8)
    pad = b"\0" * (stride - width)
    rows = []
    for y in range(height - 1, -1, -1):
        base = y * width * 3
        row = bytes(index[bytes(rgb[base + 3 * x: base + 3 * x + 3])] for x in range(width))
        rows.append(row + pad)
    pixels = b"".join(rows)
    return _headers(width, height, 8, 256, len(pixels)) + palette + pixels


def write_bmp(path, width, height, rgb, bits=24):
    data = encode_bmp8(width, height, rgb) if bits == 8 else encode_bmp24(width, height, rgb)
    with open(path, "wb") as f:
        f.write(data)


def read_bmp(path):
    """Reads an uncompressed 8- or 24-bit BMP with a 40-byte header."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError("%s: not a BMP file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    (hsize, width, height, _planes, bits, compression,
     _size, _xr, _yr, used, _imp) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    if hsize != 40 or compression != 0 or bits not in (8, 24):
        raise ValueError("%s: unsupported BMP layout" % path)
    palette = []
    if bits == 8:
        for i in range(used or 256):
            b, g, r, _ = data[54 + 4 * i: 58 + 4 * i]
            palette.append((r, g, b))
    bottom_up = height > 0
    height = abs(height)
    stride = _row_stride(width, bits)
    rgb = bytearray()
    for y in range(height):
        src = offset + ((height - 1 - y) if bottom_up else y) * stride
        for x in range(width):
            if bits == 8:
                rgb += bytes(palette[data[src + x]])
            else:
                b, g, r = data[src + 3 * x: src + 3 * x + 3]
                rgb += bytes((r, g, b))
    return width, height, rgb


def write_png(path, width, height, rgb):
    raw = bytearray()
    for y in range(height):
        raw.append(0)   # filter: none
        raw += rgb[y * width * 3:(y + 1) * width * 3]

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
           + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)
