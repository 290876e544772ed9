// Tiny picture files made in the tests: PNG through the codec, BMP written byte by byte.
#pragma once

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/png_image.h"
#include "vexel/graphics/vx_bitmap.h"

inline std::vector<uint8_t> PngBytes(Integer W, Integer H, const std::vector<uint32_t>& Pixels, bool WithAlpha) {
  TMemoryStream Stream;
  WritePng(Stream, Pixels.data(), W, H, WithAlpha);
  return Stream.Data();
}

// A 24-bit BMP, rows bottom-up padded to four bytes; Pixels are 0x00RRGGBB top row first.
inline std::vector<uint8_t> Bmp24Bytes(Integer W, Integer H, const std::vector<uint32_t>& Pixels) {
  const uint32_t Stride = (uint32_t(W) * 3 + 3) & ~3u;
  std::vector<uint8_t> B;
  auto Put = [&B](uint32_t V, int Size) {
    for (int I = 0; I < Size; ++I) B.push_back(uint8_t(V >> (8 * I)));
  };
  B.push_back('B'), B.push_back('M');
  Put(54 + Stride * H, 4), Put(0, 4), Put(54, 4);
  Put(40, 4), Put(W, 4), Put(H, 4), Put(1, 2), Put(24, 2), Put(0, 4), Put(Stride * H, 4);
  Put(2835, 4), Put(2835, 4), Put(0, 4), Put(0, 4);
  for (Integer Y = H - 1; Y >= 0; --Y) {
    for (Integer X = 0; X < W; ++X) Put(Pixels[size_t(Y * W + X)], 3);
    for (uint32_t Pad = uint32_t(W) * 3; Pad < Stride; ++Pad) B.push_back(0);
  }
  return B;
}

inline void WriteBytes(const std::string& FileName, const std::vector<uint8_t>& Bytes) {
  std::ofstream File(FileName, std::ios::binary | std::ios::trunc);
  File.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& FileName) {
  std::ifstream File(FileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

inline std::unique_ptr<TvxBitmap> MakeImage(const std::string& Name, Integer W, Integer H,
                                            std::initializer_list<TvxColor> Pixels) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(W, H);
  auto It = Pixels.begin();
  for (Integer I = 0; I < W * H; ++I) Image->Bits()[I] = *It++;
  Image->SetName(Name);
  return Image;
}

inline std::vector<TvxColor> PixelsOf(const TvxBitmap& Image) {
  return {Image.Bits(), Image.Bits() + size_t(Image.Width()) * size_t(Image.Height())};
}
