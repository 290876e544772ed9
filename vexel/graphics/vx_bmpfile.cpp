#include "vexel/graphics/vx_bmpfile.h"

#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "framework/core/byte_order.h"
#include "framework/core/file_save.h"

namespace {

[[noreturn]] void Damaged(const char* Why) { throw EReadError(Format("Invalid bitmap file: %s", Why)); }

// One channel of a bit-field pixel scaled to 0..255.
struct TField {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;
  explicit TField(uint32_t M = 0) : Mask(M) {
    if (!M) return;
    Shift = std::countr_zero(M);
    Max = M >> Shift;
  }
  uint32_t Get(uint32_t Pixel) const {
    if (!Mask) return 255;
    return (((Pixel & Mask) >> Shift) * 255 + Max / 2) / Max;
  }
};

constexpr uint32_t BI_RGB_ = 0, BI_BITFIELDS_ = 3, BI_ALPHABITFIELDS_ = 6;

}  // namespace

void LoadBmpFile(TvxBitmap& Bitmap, const uint8_t* Data, size_t Size) {
  if (Size < 14 + 12 || Data[0] != 'B' || Data[1] != 'M') Damaged("no bitmap file header");
  const uint32_t PixelOffset = U32(Data + 10);
  const uint8_t* Info = Data + 14;
  const uint32_t InfoSize = U32(Info);
  if (InfoSize < 12 || 14 + size_t(InfoSize) > Size) Damaged("header runs past the end");
  int64_t Width, Height;
  uint32_t Bits, Compression = BI_RGB_, Colors = 0;
  size_t PaletteEntry = 4;
  if (InfoSize == 12) {  // the old core header
    Width = U16(Info + 4);
    Height = int16_t(U16(Info + 6));
    Bits = U16(Info + 10);
    PaletteEntry = 3;
  } else {
    if (InfoSize < 40) Damaged("unknown header size");
    Width = int32_t(U32(Info + 4));
    Height = int32_t(U32(Info + 8));
    Bits = U16(Info + 14);
    Compression = U32(Info + 16);
    Colors = U32(Info + 32);
  }
  const bool TopDown = Height < 0;
  Height = Height < 0 ? -Height : Height;
  if (Width <= 0 || Height <= 0) Damaged("no pixels");
  if (Width > vxMaxBitmapSide || Height > vxMaxBitmapSide || Width * Height > vxMaxBitmapPixels) Damaged("too large");
  if (Bits != 1 && Bits != 4 && Bits != 8 && Bits != 16 && Bits != 24 && Bits != 32) Damaged("unsupported depth");
  if (Compression != BI_RGB_ &&
      !((Compression == BI_BITFIELDS_ || Compression == BI_ALPHABITFIELDS_) && (Bits == 16 || Bits == 32)))
    Damaged("compressed bitmaps are not supported");

  // Bit fields follow a 40-byte header; larger headers hold them inside.
  TField Red, Green, Blue, Alpha;
  size_t After = 14 + InfoSize;
  if (Bits == 16 || Bits == 32) {
    uint32_t Masks[4] = {Bits == 16 ? 0x7C00u : 0xFF0000u, Bits == 16 ? 0x03E0u : 0xFF00u, Bits == 16 ? 0x1Fu : 0xFFu,
                         Bits == 32 ? 0xFF000000u : 0};
    if (Compression != BI_RGB_) {
      const size_t Count = Compression == BI_ALPHABITFIELDS_ ? 4 : 3;
      // Inside the header only when the header holds every mask asked for (a 52-byte header
      // has no room for the alpha mask).
      const bool Inside = InfoSize >= 40 + 4 * Count;
      const uint8_t* At = Inside ? Info + 40 : Data + After;
      if (!Inside) {
        if (After + 4 * Count > Size) Damaged("bit fields run past the end");
        After += 4 * Count;
      }
      for (size_t I = 0; I < Count; ++I) Masks[I] = U32(At + 4 * I);
      if (Count == 3) Masks[3] = InfoSize >= 56 ? U32(Info + 52) : 0;
    }
    Red = TField(Masks[0]), Green = TField(Masks[1]), Blue = TField(Masks[2]), Alpha = TField(Masks[3]);
  }
  // Indexes past the palette show as opaque black, as the platform shows them.
  std::array<TvxColor, 256> Palette;
  Palette.fill(0xFF000000);
  if (Bits <= 8) {
    const uint32_t Entries = Colors ? Colors : (1u << Bits);
    if (Entries > 256) Damaged("palette too large");
    if (After + size_t(Entries) * PaletteEntry > Size) Damaged("palette runs past the end");
    for (uint32_t I = 0; I < Entries; ++I) {
      const uint8_t* E = Data + After + I * PaletteEntry;
      Palette[I] = 0xFF000000 | TvxColor(E[2]) << 16 | TvxColor(E[1]) << 8 | E[0];
    }
  }
  const uint64_t Stride = ((uint64_t(Width) * Bits + 31) / 32) * 4;
  if (PixelOffset > Size || uint64_t(Size - PixelOffset) < Stride * uint64_t(Height))
    Damaged("pixel data is truncated");

  TvxBitmap Decoded;
  Decoded.SetSize(Integer(Width), Integer(Height));
  for (int64_t Y = 0; Y < Height; ++Y) {
    const uint8_t* Row = Data + PixelOffset + size_t(Stride) * size_t(TopDown ? Y : Height - 1 - Y);
    TvxColor* Out = Decoded.Scanline(Integer(Y));
    for (int64_t X = 0; X < Width; ++X) {
      switch (Bits) {
        case 1: Out[X] = Palette[(Row[X / 8] >> (7 - X % 8)) & 1]; break;
        case 4: Out[X] = Palette[(Row[X / 2] >> (X % 2 ? 0 : 4)) & 0xF]; break;
        case 8: Out[X] = Palette[Row[X]]; break;
        case 24:
          Out[X] = 0xFF000000 | TvxColor(Row[3 * X + 2]) << 16 | TvxColor(Row[3 * X + 1]) << 8 | Row[3 * X];
          break;
        default: {
          const uint32_t P = Bits == 16 ? U16(Row + 2 * X) : U32(Row + 4 * X);
          const uint32_t A = Bits == 32 ? Alpha.Get(P) : 255;
          Out[X] = TvxColor(A) << 24 | Red.Get(P) << 16 | Green.Get(P) << 8 | Blue.Get(P);
        }
      }
    }
  }
  Decoded.CheckAlpha();
  Decoded.SetName(Bitmap.Name());
  Bitmap.Assign(&Decoded);
}

void SaveBmpFile(const TvxBitmap& Bitmap, TStream& Stream) {
  if (Bitmap.Empty()) throw EWriteError(Format("Image \"%s\" has no pixels", Bitmap.Name().c_str()));
  constexpr uint32_t HeadersSize = 14 + 40;
  const uint32_t W = uint32_t(Bitmap.Width()), H = uint32_t(Bitmap.Height()), PixelBytes = W * H * 4;
  std::vector<uint8_t> Head = {'B', 'M'};
  PutU32(Head, HeadersSize + PixelBytes);
  PutU32(Head, 0);
  PutU32(Head, HeadersSize);
  PutU32(Head, 40);
  PutU32(Head, W);
  PutU32(Head, H);  // positive: bottom-up
  PutU16(Head, 1);
  PutU16(Head, 32);
  PutU32(Head, BI_RGB_);
  PutU32(Head, PixelBytes);
  PutU32(Head, 2835);  // 72 dpi both ways
  PutU32(Head, 2835);
  PutU32(Head, 0);
  PutU32(Head, 0);
  Stream.WriteBuffer(Head.data(), int64_t(Head.size()));
  // Each pixel little-endian: blue, green, red, alpha, as a 32-bit file row holds them.
  std::vector<uint8_t> Row(size_t(W) * 4);
  for (Integer Y = Integer(H) - 1; Y >= 0; --Y) {
    const TvxColor* Line = Bitmap.Scanline(Y);
    for (uint32_t X = 0; X < W; ++X) {
      const uint32_t P = Line[X];
      for (int I = 0; I < 4; ++I) Row[4 * X + I] = uint8_t(P >> (8 * I));
    }
    Stream.WriteBuffer(Row.data(), int64_t(Row.size()));
  }
}

void SaveOpaqueBmpFile(const TvxBitmap& Bitmap, const std::string& FileName) {
  TvxBitmap Opaque;
  Opaque.SetSize(Bitmap.Width(), Bitmap.Height());
  Opaque.SetName(Bitmap.Name());
  for (Integer Y = 0; Y < Bitmap.Height(); ++Y)
    for (Integer X = 0; X < Bitmap.Width(); ++X) Opaque.Scanline(Y)[X] = Bitmap.Scanline(Y)[X] | 0xFF000000;
  SaveFileReplacing(FileName, [&Opaque](TStream& File) { SaveBmpFile(Opaque, File); });
}
