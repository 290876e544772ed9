#include "framework/graphics/bmp_header.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "framework/core/byte_order.h"
#include "framework/core/exceptions.h"

namespace {

[[noreturn]] void Invalid(const char* Why) { throw EReadError(Format("Invalid bitmap file: %s", Why)); }

void ReadExact(TStream& Stream, void* Buffer, size_t Count, const char* Why) {
  if (Count && Stream.Read(Buffer, int64_t(Count)) != int64_t(Count)) Invalid(Why);
}

void Skip(TStream& Stream, uint64_t Count, const char* Why) {
  const int64_t Remaining = Stream.Remaining();
  if (Remaining >= 0) {
    if (uint64_t(Remaining) < Count) Invalid(Why);
    Stream.Seek(int64_t(Count), TSeekOrigin::soCurrent);
    return;
  }
  uint8_t Scratch[4096];
  while (Count) {
    const size_t Part = size_t(std::min<uint64_t>(sizeof Scratch, Count));
    ReadExact(Stream, Scratch, Part, Why);
    Count -= Part;
  }
}

constexpr uint32_t BmpRgb = 0, BmpBitFields = 3, BmpAlphaBitFields = 6;

}  // namespace

TBmpField::TBmpField(uint32_t M) : Mask(M) {
  if (!M) return;
  Shift = std::countr_zero(M);
  Max = M >> Shift;
}

std::vector<uint8_t> ReadBmpBlock(TStream& Stream, uint64_t Count, const char* Why) {
  const int64_t Remaining = Stream.Remaining();
  if (Remaining >= 0 && uint64_t(Remaining) < Count) Invalid(Why);
  constexpr size_t Piece = size_t(1) << 20;
  std::vector<uint8_t> Data;
  while (Data.size() < Count) {
    const size_t At = Data.size();
    const size_t Part = size_t(std::min<uint64_t>(Piece, Count - At));
    Data.resize(At + Part);
    ReadExact(Stream, Data.data() + At, Part, Why);
  }
  return Data;
}

TBmpHeader ReadBmpHeader(TStream& Stream) {
  uint8_t File[14];
  ReadExact(Stream, File, sizeof File, "the file header is truncated");
  if (File[0] != 'B' || File[1] != 'M') Invalid("no bitmap file header");
  const uint32_t PixelOffset = U32(File + 10);
  uint8_t Info[124] = {};
  ReadExact(Stream, Info, 4, "the bitmap header is truncated");
  const uint32_t InfoSize = U32(Info);
  if (InfoSize != 12 && (InfoSize < 40 || InfoSize > sizeof Info)) Invalid("unknown header size");
  ReadExact(Stream, Info + 4, InfoSize - 4, "the bitmap header is truncated");
  uint64_t Consumed = sizeof File + InfoSize;

  TBmpHeader H;
  uint32_t Compression = BmpRgb, Colors = 0;
  size_t PaletteEntry = 4;
  if (InfoSize == 12) {  // the old core header
    H.Width = U16(Info + 4);
    H.Height = int16_t(U16(Info + 6));
    H.Bits = U16(Info + 10);
    PaletteEntry = 3;
  } else {
    H.Width = int32_t(U32(Info + 4));
    H.Height = int32_t(U32(Info + 8));
    H.Bits = U16(Info + 14);
    Compression = U32(Info + 16);
    Colors = U32(Info + 32);
  }
  H.TopDown = H.Height < 0;
  H.Height = H.TopDown ? -H.Height : H.Height;
  if (H.Width < 0) Invalid("negative width");
  const uint32_t Bits = H.Bits;
  if (Bits != 1 && Bits != 4 && Bits != 8 && Bits != 16 && Bits != 24 && Bits != 32) Invalid("unsupported depth");
  H.Fields = Compression == BmpBitFields || Compression == BmpAlphaBitFields;
  if (Compression != BmpRgb && !(H.Fields && (Bits == 16 || Bits == 32)))
    Invalid("compressed bitmaps are not supported");

  uint32_t Masks[4] = {Bits == 16 ? 0x7C00u : 0xFF0000u, Bits == 16 ? 0x03E0u : 0xFF00u, Bits == 16 ? 0x1Fu : 0xFFu,
                       Bits == 32 ? 0xFF000000u : 0};
  if (H.Fields) {
    // Inside the header when it has room for every mask asked for; after it otherwise.
    const size_t Count = Compression == BmpAlphaBitFields ? 4 : 3;
    uint8_t Read[16] = {};
    if (InfoSize >= 40 + 4 * Count) {
      std::memcpy(Read, Info + 40, InfoSize >= 56 ? 16 : 12);
    } else {
      ReadExact(Stream, Read, 4 * Count, "the bit fields are truncated");
      Consumed += 4 * Count;
    }
    for (size_t I = 0; I < 4; ++I) Masks[I] = U32(Read + 4 * I);
  }
  if (Bits == 16 || Bits == 32)
    H.Red = TBmpField(Masks[0]), H.Green = TBmpField(Masks[1]), H.Blue = TBmpField(Masks[2]),
    H.Alpha = TBmpField(Masks[3]);

  if (Bits <= 8) {
    const uint32_t Entries = Colors ? Colors : (1u << Bits);
    if (Entries > 256) Invalid("the palette is too large");
    const std::vector<uint8_t> Stored =
        ReadBmpBlock(Stream, uint64_t(Entries) * PaletteEntry, "the palette is truncated");
    for (uint32_t I = 0; I < Entries; ++I) {
      const uint8_t* E = &Stored[I * PaletteEntry];
      H.Palette[I] = uint32_t(E[2]) << 16 | uint32_t(E[1]) << 8 | E[0];
    }
    Consumed += Stored.size();
  }
  // Zero stands for "right after the headers", as some writers leave it.
  if (PixelOffset) {
    if (PixelOffset < Consumed) Invalid("the pixel data overlaps the headers");
    Skip(Stream, PixelOffset - Consumed, "the pixel data is missing");
  }
  H.Stride = ((uint64_t(H.Width) * Bits + 31) / 32) * 4;
  return H;
}
