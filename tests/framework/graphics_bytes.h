// Picture files laid out by hand (BMP, ICO) and small helpers for the framework graphics tests.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/graphics/bitmap.h"

inline void PutLE(std::vector<uint8_t>& B, uint32_t V, int Size) {
  for (int I = 0; I < Size; ++I) B.push_back(uint8_t(V >> (8 * I)));
}

// A BMP file: file header, a 40-byte info header, Extra (palette or masks), then Rows as given
// (padding included). PixelOffset 0 means right after Extra.
inline std::vector<uint8_t> BmpFile(int32_t W, int32_t H, uint16_t Bits, uint32_t Compression,
                                    const std::vector<uint8_t>& Extra, const std::vector<uint8_t>& Rows,
                                    uint32_t Colors = 0, uint32_t PixelOffset = 0) {
  std::vector<uint8_t> B = {'B', 'M'};
  const uint32_t Offset = PixelOffset ? PixelOffset : 14 + 40 + uint32_t(Extra.size());
  PutLE(B, Offset + uint32_t(Rows.size()), 4);
  PutLE(B, 0, 4);
  PutLE(B, Offset, 4);
  for (uint32_t V : {40u, uint32_t(W), uint32_t(H)}) PutLE(B, V, 4);
  PutLE(B, 1, 2);
  PutLE(B, Bits, 2);
  for (uint32_t V : {Compression, 0u, 0u, 0u, Colors, 0u}) PutLE(B, V, 4);
  B.insert(B.end(), Extra.begin(), Extra.end());
  B.insert(B.end(), Rows.begin(), Rows.end());
  return B;
}

// A one-image icon file: W x H pixels of Pixel (blue, green, red, alpha bytes of 0xAARRGGBB),
// 32 bits, with an all-visible mask.
inline std::vector<uint8_t> IcoFile(int32_t W, int32_t H, uint32_t Pixel) {
  const uint32_t MaskRow = ((uint32_t(W) + 31) / 32) * 4;
  const uint32_t ImageBytes = 40 + uint32_t(W * H) * 4 + MaskRow * uint32_t(H);
  std::vector<uint8_t> B;
  PutLE(B, 0, 2);
  PutLE(B, 1, 2);
  PutLE(B, 1, 2);
  B.insert(B.end(), {uint8_t(W), uint8_t(H), 0, 0});
  PutLE(B, 1, 2);
  PutLE(B, 32, 2);
  PutLE(B, ImageBytes, 4);
  PutLE(B, 22, 4);
  for (uint32_t V : {40u, uint32_t(W), uint32_t(2 * H)}) PutLE(B, V, 4);
  PutLE(B, 1, 2);
  PutLE(B, 32, 2);
  for (int I = 0; I < 6; ++I) PutLE(B, 0, 4);
  for (int32_t I = 0; I < W * H; ++I) PutLE(B, Pixel, 4);
  B.insert(B.end(), size_t(MaskRow) * size_t(H), 0);
  return B;
}

inline std::vector<uint8_t> SaveGraphic(const TGraphic& G) {
  TMemoryStream S;
  G.SaveToStream(S);
  return S.Data();
}

inline void LoadGraphic(TGraphic& G, const std::vector<uint8_t>& Bytes) {
  TBufferStream S(Bytes.data(), int64_t(Bytes.size()));
  G.LoadFromStream(S);
}

// A stream whose size cannot be known in advance, like a decompressing reader.
class TUnsizedStream : public TBufferStream {
 public:
  using TBufferStream::TBufferStream;
  bool CanSeek() const override { return false; }
};

// Pixel (X, Y) as 0x00RRGGBB, whatever the bitmap's 24- or 32-bit format.
inline uint32_t Rgb(const TBitmap& B, Integer X, Integer Y) {
  const auto* Row = static_cast<const uint8_t*>(B.ScanLine(Y));
  const int Size = B.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
  return uint32_t(Row[X * Size + 2]) << 16 | uint32_t(Row[X * Size + 1]) << 8 | Row[X * Size];
}

// Pixel (X, Y) of a 32-bit bitmap, alpha included.
inline uint32_t Argb(const TBitmap& B, Integer X, Integer Y) { return static_cast<const uint32_t*>(B.ScanLine(Y))[X]; }

inline void SetArgb(TBitmap& B, Integer X, Integer Y, uint32_t V) { static_cast<uint32_t*>(B.ScanLine(Y))[X] = V; }

// A W x H bitmap of the given format filled with an 0x00RRGGBB colour through its canvas.
inline void Filled(TBitmap& B, Integer W, Integer H, uint32_t Color, TPixelFormat Format = TPixelFormat::pf24bit) {
  B.SetPixelFormat(Format);
  B.SetSize(W, H);
  B.Canvas().Brush().SetColor(TColor((Color & 0xFF) << 16 | (Color & 0xFF00) | (Color >> 16 & 0xFF)));
  B.Canvas().FillRect({0, 0, W, H});
}
