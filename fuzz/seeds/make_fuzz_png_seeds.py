#!/usr/bin/env python3
# Writes the seeds of fuzz_png: small PNG files of each colour type, depth and interlacing the
# reader converts. The first byte of a seed picks the stream kind (0 sized, 1 unsized).
import os
import struct
import zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fuzz_png")


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(w, h, depth, colour, rows, interlace=0, extra=b""):
    head = struct.pack(">IIBBBBB", w, h, depth, colour, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + extra + chunk(b"IDAT", zlib.compress(rows)) +
            chunk(b"IEND", b""))


seeds = {
    # 4 x 3 RGBA, each row with another filter type (none, sub, up).
    "rgba.png": png(4, 3, 8, 6, b"".join(bytes([f]) + bytes(range(16 * r, 16 * r + 16)) for r, f in
                                         enumerate((0, 1, 2)))),
    "rgb_paeth.png": png(3, 2, 8, 2, bytes([4] + list(range(9)) + [3] + list(range(9, 18)))),
    "palette_trns.png": png(5, 2, 2, 3, bytes([0, 0b00011011, 0b00000000, 0, 0b11100100, 0b01000000]),
                            extra=chunk(b"PLTE", bytes(range(12))) + chunk(b"tRNS", bytes([255, 128, 0]))),
    "grey16_interlaced.png": png(3, 3, 16, 0, bytes([0, 1, 2] + [0, 3, 4] + [0, 5, 6, 7, 8] + [0, 9, 10] + [0, 11, 12] +
                                                     [0, 13, 14, 15, 16, 17, 18]), interlace=1),
    "grey_alpha.png": png(2, 2, 8, 4, bytes([0, 10, 255, 20, 0, 0, 30, 128, 40, 64])),
}
os.makedirs(here, exist_ok=True)
for i, (name, data) in enumerate(sorted(seeds.items())):
    with open(os.path.join(here, name), "wb") as f:
        f.write(bytes([i & 1]) + data)
