#include "tools/msstylegen/msstylegen_sheet.h"

#include <algorithm>

#include "vexel/graphics/vx_bmpfile.h"

namespace msstylegen {

void DecodeStyleImage(const TStyleImage& Image, TvxBitmap& Into) {
  std::vector<uint8_t> File = {'B', 'M'};
  const uint32_t Size = uint32_t(14 + Image.Dib.size());
  for (uint32_t V : {Size, 0u, 14u + 40u})
    for (int I = 0; I < 4; ++I) File.push_back(uint8_t(V >> (8 * I)));
  File.insert(File.end(), Image.Dib.begin(), Image.Dib.end());
  LoadBmpFile(Into, File.data(), File.size());
}

void WriteImageSheet(const TStyleContent& Content, const std::string& FileName) {
  constexpr Integer Scale = 2, Gap = 8, MaxWidth = 1400;
  struct TPlaced {
    std::unique_ptr<TvxBitmap> Image;
    Integer X, Y;
  };
  std::vector<TPlaced> Placed;
  Integer X = Gap, Y = Gap, Row = 0, Width = 0;
  for (const TStyleImage& Image : Content.Images) {
    auto B = std::make_unique<TvxBitmap>();
    DecodeStyleImage(Image, *B);
    const Integer W = B->Width() * Scale, H = B->Height() * Scale;
    if (X + W + Gap > MaxWidth && X > Gap) {
      X = Gap;
      Y += Row + Gap;
      Row = 0;
    }
    Placed.push_back({std::move(B), X, Y});
    X += W + Gap;
    Row = std::max(Row, H);
    Width = std::max(Width, X);
  }
  TvxBitmap Sheet;
  Sheet.SetSize(std::max(Width, Gap), Y + Row + Gap);
  Sheet.Fill(0xFFD9DEE1);
  for (const TPlaced& P : Placed)
    for (Integer SY = 0; SY < P.Image->Height() * Scale; ++SY)
      for (Integer SX = 0; SX < P.Image->Width() * Scale; ++SX) {
        // A light checker under the image shows its alpha.
        const TvxColor Under = ((SX / 6 + SY / 6) % 2) ? 0xFFFFFFFF : 0xFFE6E9EB;
        const TvxColor Pixel = *P.Image->PixelPtr(SX / Scale, SY / Scale);
        *Sheet.PixelPtr(P.X + SX, P.Y + SY) = BlendPixel(Pixel, Under) | 0xFF000000u;
      }
  SaveOpaqueBmpFile(Sheet, FileName);
}

}  // namespace msstylegen
