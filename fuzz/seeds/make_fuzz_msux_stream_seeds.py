#!/usr/bin/env python3
# Writes the seed of fuzz_msux_stream: a visual-style theme's stream form with a name, a short ini
# text and two small images (one keyed, one blended, bottom-up rows in the second).
import os
import struct
import zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fuzz_msux_stream")


def s(text):
    data = text.encode("latin-1")
    return struct.pack("<i", len(data)) + data


def image(name, width, height, pixels, transparent, alpha):
    return (s(name) + struct.pack("<ii", width, height) + bytes(pixels) + s(name) +
            bytes([transparent, alpha]))


content = (s("Sample") + s("[Button.Pushbutton]\r\nImageFile=a.bmp\r\n") + struct.pack("<i", 2) +
           image("A_BMP", 2, 1, [255, 0, 255, 255, 1, 2, 3, 255], 1, 0) +
           image("B_BMP", 1, -2, [10, 20, 30, 128, 40, 50, 60, 64], 0, 1))
os.makedirs(here, exist_ok=True)
with open(os.path.join(here, "sample.bin"), "wb") as f:
    f.write(b"ZQMSSTL" + zlib.compress(content, 1))
