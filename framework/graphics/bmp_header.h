// The headers of Windows bitmap (BMP) files, read the same way by the framework's bitmap and the
// engine's. Portable; the pixels stay the readers' own.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/core/classes.h"

// One channel of a bit-field pixel scaled to 0..255; an absent channel reads as 255.
struct TBmpField {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;
  explicit TBmpField(uint32_t M = 0);
  uint8_t Get(uint32_t Pixel) const {
    if (!Mask) return 255;
    return uint8_t((uint64_t((Pixel & Mask) >> Shift) * 255 + Max / 2) / Max);
  }
};

struct TBmpHeader {
  int64_t Width = 0;
  int64_t Height = 0;  // positive; TopDown tells the order of the rows
  bool TopDown = false;
  uint32_t Bits = 0;                    // 1, 4, 8, 16, 24 or 32
  bool Fields = false;                  // the masks came from the file
  TBmpField Red, Green, Blue, Alpha;    // 16 and 32 bits; no alpha but for 32 bits
  std::array<uint32_t, 256> Palette{};  // 0x00RRGGBB; entries past the file's are black
  uint64_t Stride = 0;                  // bytes a stored row takes
};

// Reads the file header, the info header (the old 12-byte one, or 40 to 124 bytes), the bit
// fields and the palette, and leaves Stream at the first stored row. Anything damaged, truncated
// or compressed raises EReadError "Invalid bitmap file: <why>". The size is not bounded here:
// each reader refuses what it cannot hold.
TBmpHeader ReadBmpHeader(TStream& Stream);

// Count bytes the headers promise, refused as Why when the stream ends first. A stream that
// knows its size is checked before anything is allocated; one that does not is read in pieces.
std::vector<uint8_t> ReadBmpBlock(TStream& Stream, uint64_t Count, const char* Why);
