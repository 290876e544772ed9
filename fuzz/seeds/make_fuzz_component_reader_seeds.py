#!/usr/bin/env python3
# Writes hand-made seeds of fuzz_component_reader: component streams as other programs write them,
# with value kinds, nesting and counts the fuzz object never stores itself.
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fuzz_component_reader")

NULL, LIST, INT8, INT16, INT32, EXTENDED, STRING, IDENT = 0, 1, 2, 3, 4, 5, 6, 7
FALSE, TRUE, BINARY, SET, LSTRING, NIL, COLLECTION = 8, 9, 10, 11, 12, 13, 14
SINGLE, CURRENCY, DATE, WSTRING, INT64 = 15, 16, 17, 18, 19


def short(s):
    b = s.encode("latin-1")
    return bytes([len(b)]) + b


def prop(name, value):
    return short(name) + value


def obj(cls, name, props=b"", children=b"", prefix=b""):
    return prefix + short(cls) + short(name) + props + b"\0" + children + b"\0"


def stream(cls, name, props=b"", children=b""):
    return b"TPF0" + obj(cls, name, props, children)


def i32(v):
    return bytes([INT32]) + struct.pack("<i", v)


def ident(s):
    return bytes([IDENT]) + short(s)


def lstring(b, length=None):
    return bytes([LSTRING]) + struct.pack("<i", len(b) if length is None else length) + b


def binary(b, length=None):
    return bytes([BINARY]) + struct.pack("<i", len(b) if length is None else length) + b


def set_of(*names):
    return bytes([SET]) + b"".join(short(n) for n in names) + b"\0"


every_kind = (prop("Align", ident("faRight")) + prop("Color", ident("clRed")) + prop("Masked", bytes([TRUE])) +
              prop("Font.Charset", ident("ANSI_CHARSET")) + prop("Font.Color", i32(0x123456)) +
              prop("Font.Height", bytes([INT8, 0xF5])) + prop("Font.Name", bytes([STRING]) + short("Tahoma")) +
              prop("Font.Pitch", ident("fpFixed")) + prop("Font.Style", set_of("fsBold", "fsItalic")) +
              prop("Left", bytes([INT16]) + struct.pack("<h", -300)) + prop("Text", lstring(b"x" * 300)) +
              prop("Style", set_of("fsUnderline")) + prop("Objects", binary(bytes(range(40)))))

# Value kinds we never write, on properties that exist and on ones that do not.
foreign = [
    prop("Left", bytes([EXTENDED]) + bytes(10)),
    prop("Left", bytes([SINGLE]) + struct.pack("<f", 1.5)),
    prop("Left", bytes([CURRENCY]) + struct.pack("<q", 15000)),
    prop("Left", bytes([DATE]) + struct.pack("<d", 45000.5)),
    prop("Left", bytes([INT64]) + struct.pack("<q", 1 << 40)),
    prop("Text", bytes([WSTRING]) + struct.pack("<i", 3) + "abc".encode("utf-16-le")),
    prop("Text", bytes([LIST, STRING]) + short("a") + bytes([NULL])),
    prop("Font", bytes([NIL])),
    prop("Color", bytes([COLLECTION]) + bytes([LIST]) + prop("Left", i32(1)) + b"\0\0"),
    prop("Tag", i32(7)),
    prop("Lines.Strings", bytes([LIST, STRING]) + short("one") + bytes([LSTRING]) + struct.pack("<i", 1) + b"2" +
         bytes([NULL])),
    prop("Items", bytes([COLLECTION, INT8, 0, LIST]) + prop("Caption", bytes([STRING]) + short("a")) + b"\0" +
         bytes([LIST]) + prop("Sub", bytes([COLLECTION, LIST]) + b"\0\0") + b"\0\0"),
    prop("Font.Style", set_of("fsBold", "fsNoSuch")),
    prop("Masked", ident("Maybe")),
    prop("Align", bytes([FALSE])),
    prop("Font.Name.Length", i32(3)),
]

child = obj("TFuzzObject", "Child", prop("Left", i32(5)))
nested = obj("TFuzzObject", "Outer", prop("Text", bytes([STRING]) + short("outer")),
             obj("TFuzzObject", "Inner", prop("Color", i32(0xFF)), obj("TFuzzObject", "", prop("Left", i32(1)))))
deep = b""
for level in range(70):
    deep = obj("TFuzzObject", "D%d" % level, b"", deep)

seeds = {
    "every_kind.bin": stream("TFuzzObject", "Root", every_kind),
    "children.bin": stream("TFuzzObject", "Root", prop("Left", i32(1)), child + nested),
    "inherited_prefix.bin": stream("TForm1", "Form1", prop("Left", i32(2)),
                                   obj("TFuzzObject", "A", prop("Left", i32(3)), prefix=bytes([0xF1])) +
                                   obj("TFuzzObject", "B", b"", prefix=bytes([0xF2, INT8, 4])) +
                                   obj("TFuzzObject", "C", b"", prefix=bytes([0xF4]))),
    "deep_children.bin": stream("TFuzzObject", "Root", b"", deep),
    "unknown_class.bin": stream("TFuzzObject", "Root", b"", obj("TButton", "Button1", prop("Caption", ident("x")))),
    "duplicate_names.bin": stream("TFuzzObject", "Root", b"", child + child),
    "huge_lstring.bin": stream("TFuzzObject", "Root", prop("Text", lstring(b"abc", 0x7FFFFFFF))),
    "huge_binary.bin": stream("TFuzzObject", "Root", prop("Objects", binary(b"\0" * 8, 0x40000000))),
    "negative_binary.bin": stream("TFuzzObject", "Root", prop("Objects", binary(b"", -1))),
    "long_names.bin": stream("T" + "x" * 254, "n" * 255, prop("Text", bytes([STRING]) + short("y" * 255))),
}
for n, p in enumerate(foreign):
    seeds["foreign_%02d.bin" % n] = stream("TFuzzObject", "Root", prop("Left", i32(9)) + p + prop("Masked", bytes([TRUE])))

os.makedirs(here, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
