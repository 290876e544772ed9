#!/usr/bin/env python3
# Writes the seeds of fuzz_picture: a small PNG with alpha and BMP files of the depths and header
# kinds the reader decodes.
import os
import struct
import zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fuzz_picture")


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(w, h, depth, colour, rows):
    head = struct.pack(">IIBBBBB", w, h, depth, colour, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(rows)) +
            chunk(b"IEND", b""))


def bmp(w, h, bits, rows, palette=b"", compression=0, masks=b""):
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, compression, len(rows), 2835, 2835,
                       len(palette) // 4, 0)
    offset = 14 + len(info) + len(masks) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + info + masks + palette + rows


seeds = {
    "rgba.png": png(2, 2, 8, 6, bytes([0, 255, 0, 0, 128, 255, 255, 255, 255, 0, 0, 0, 255, 0, 16, 32, 48, 0])),
    "rgb24.bmp": bmp(2, 2, 24, bytes([1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0])),
    "palette8_topdown.bmp": bmp(3, -1, 8, bytes([0, 1, 2, 0]), palette=bytes([0, 0, 0, 0, 255, 255, 255, 0,
                                                                              255, 0, 255, 0])),
    "bitfields16.bmp": bmp(2, 1, 16, bytes([0x1F, 0x7C, 0xE0, 0x03]), compression=3,
                           masks=struct.pack("<III", 0x7C00, 0x03E0, 0x001F)),
    "argb32.bmp": bmp(1, 1, 32, bytes([10, 20, 30, 128])),
}
os.makedirs(here, exist_ok=True)
for name, data in sorted(seeds.items()):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
