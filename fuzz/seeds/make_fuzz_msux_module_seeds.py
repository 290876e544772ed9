#!/usr/bin/env python3
# Writes the seeds of fuzz_msux_module: small resource-only PE modules (PE32+ and PE32) with
# string-named and numbered types and names, two languages, and a tiny bitmap.
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fuzz_msux_module")
RVA = 0x1000
RAW = 0x200


def utf16(text):
    return text.encode("utf-16-le")


def section(resources):
    """resources: list of (type, name, language, data); type and name are int or str."""
    tree = {}
    for kind, name, lang, data in resources:
        tree.setdefault(kind, {}).setdefault(name, {})[lang] = data
    key = lambda k: (isinstance(k, int), k)
    types = sorted(tree, key=key)
    # Layout: directories, data entries, strings, data.
    cursor = 16 + 8 * len(types)
    type_at, lang_at = {}, {}
    for t in types:
        type_at[t] = cursor
        cursor += 16 + 8 * len(tree[t])
    for t in types:
        for n in sorted(tree[t], key=key):
            lang_at[(t, n)] = cursor
            cursor += 16 + 8 * len(tree[t][n])
    entry_at = {}
    for t in types:
        for n in sorted(tree[t], key=key):
            for l in sorted(tree[t][n]):
                entry_at[(t, n, l)] = cursor
                cursor += 16
    string_at = {}
    for s in sorted({k for t in types for k in [t, *tree[t]] if isinstance(k, str)}):
        string_at[s] = cursor
        cursor += 2 + 2 * len(s)
    data_at = {}
    for t in types:
        for n in sorted(tree[t], key=key):
            for l in sorted(tree[t][n]):
                cursor = (cursor + 7) & ~7
                data_at[(t, n, l)] = cursor
                cursor += len(tree[t][n][l])
    out = bytearray((cursor + 7) & ~7)

    def directory(at, keys, targets):
        named = sum(1 for k in keys if isinstance(k, str))
        struct.pack_into("<IIHHHH", out, at, 0, 0, 0, 0, named, len(keys) - named)
        for i, (k, target) in enumerate(zip(keys, targets)):
            ident = k if isinstance(k, int) else 0x80000000 | string_at[k]
            struct.pack_into("<II", out, at + 16 + 8 * i, ident, target)

    directory(0, types, [0x80000000 | type_at[t] for t in types])
    for t in types:
        names = sorted(tree[t], key=key)
        directory(type_at[t], names, [0x80000000 | lang_at[(t, n)] for n in names])
        for n in names:
            langs = sorted(tree[t][n])
            directory(lang_at[(t, n)], langs, [entry_at[(t, n, l)] for l in langs])
            for l in langs:
                data = tree[t][n][l]
                struct.pack_into("<IIII", out, entry_at[(t, n, l)], RVA + data_at[(t, n, l)], len(data), 0, 0)
                out[data_at[(t, n, l)]:data_at[(t, n, l)] + len(data)] = data
    for s, at in string_at.items():
        struct.pack_into("<H", out, at, len(s))
        out[at + 2:at + 2 + 2 * len(s)] = utf16(s)
    return bytes(out)


def module(resources, pe32=False):
    rsrc = section(resources)
    raw_size = (len(rsrc) + 0x1FF) & ~0x1FF
    optional_size = 224 if pe32 else 240
    out = bytearray(RAW + raw_size)
    out[0:2] = b"MZ"
    struct.pack_into("<I", out, 0x3C, 0x40)
    out[0x40:0x44] = b"PE\0\0"
    struct.pack_into("<HHIIIHH", out, 0x44, 0x14C if pe32 else 0x8664, 1, 0, 0, 0, optional_size,
                     0x2102 if pe32 else 0x2022)
    opt = 0x58
    struct.pack_into("<H", out, opt, 0x10B if pe32 else 0x20B)
    directories = opt + (96 if pe32 else 112)
    struct.pack_into("<I", out, directories - 4, 16)
    struct.pack_into("<II", out, directories + 16, RVA, len(rsrc))
    table = opt + optional_size
    struct.pack_into("<8sIIIIIIHHI", out, table, b".rsrc", len(rsrc), RVA, raw_size, RAW, 0, 0, 0, 0, 0x40000040)
    out[RAW:RAW + len(rsrc)] = rsrc
    return bytes(out)


def string_list(*strings):
    return b"".join(utf16(s) + b"\0\0" for s in strings) + b"\0\0"


# A 2 x 2 24-bit packed DIB: rows padded to 8 bytes.
dib = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, 16, 0, 0, 0, 0) + bytes([255, 0, 255, 1, 2, 3, 0, 0] * 2)
ini = "[Button.Pushbutton]\r\nImageFile = Seed\\A.bmp\r\nImageCount=1\r\n"
style = [
    ("COLORNAMES", 1, 0x409, string_list("Normal")),
    ("SIZENAMES", 1, 0x409, string_list("NormalSize")),
    ("FILERESNAMES", 1, 0x409, string_list("NORMAL_INI")),
    ("TEXTFILE", "NORMAL_INI", 0x409, utf16(ini) + utf16("\r\n  ")),
    (2, "SEED_A_BMP", 0x409, dib),
    (2, 7, 0x407, b"second language"),
    (2, 7, 0x409, b"first language"),
]
seeds = {
    "style.msstyles": module(style),
    "style_pe32.msstyles": module(style, pe32=True),
    "empty_directory.msstyles": module([]),
}

os.makedirs(here, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
