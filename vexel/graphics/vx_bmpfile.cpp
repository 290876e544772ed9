#include "vexel/graphics/vx_bmpfile.h"

#include <array>
#include <vector>

#include "framework/core/byte_order.h"
#include "framework/core/file_save.h"
#include "framework/graphics/bmp_header.h"

namespace {

[[noreturn]] void Damaged(const char* Why) { throw EReadError(Format("Invalid bitmap file: %s", Why)); }

constexpr uint32_t BI_RGB_ = 0;

}  // namespace

void LoadBmpFile(TvxBitmap& Bitmap, const uint8_t* Data, size_t Size) {
  TBufferStream Stream(Data, int64_t(Size));
  const TBmpHeader H = ReadBmpHeader(Stream);
  const int64_t Width = H.Width, Height = H.Height;
  const uint32_t Bits = H.Bits;
  const bool TopDown = H.TopDown;
  if (Width <= 0 || Height <= 0) Damaged("no pixels");
  if (Width > vxMaxBitmapSide || Height > vxMaxBitmapSide || Width * Height > vxMaxBitmapPixels) Damaged("too large");
  const size_t PixelOffset = size_t(Stream.Position());
  const uint64_t Stride = H.Stride;
  if (uint64_t(Size - PixelOffset) < Stride * uint64_t(Height)) Damaged("pixel data is truncated");
  std::array<TvxColor, 256> Palette;
  for (size_t I = 0; I < Palette.size(); ++I) Palette[I] = 0xFF000000 | H.Palette[I];

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
          const uint32_t A = Bits == 32 ? H.Alpha.Get(P) : 255;
          Out[X] = TvxColor(A) << 24 | TvxColor(H.Red.Get(P)) << 16 | TvxColor(H.Green.Get(P)) << 8 | H.Blue.Get(P);
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
