#include "editor/images/image_views.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "vexel/graphics/vx_pixel.h"

void DrawOnKeyBackdrop(const TvxBitmap& Image, TBitmap& Target) {
  if (Image.Empty()) {
    Target.SetSize(0, 0);
    return;
  }
  Target.SetPixelFormat(TPixelFormat::pf32bit);
  Target.SetSize(Image.Width(), Image.Height());
  TCanvas& Canvas = Target.Canvas();
  Canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush().SetColor(KeyBackdropColor);
  Canvas.FillRect(Image.BoundsRect());
  Image.Draw(Canvas, 0, 0);
}

void XorDottedLine(TBitmap& Target, TPoint From, TPoint To, TColor Color) {
  if (Target.PixelFormat() != TPixelFormat::pf32bit) return;
  // Drawing of the canvas lands in the pixels before they are touched here.
  GdiFlush();
  const uint32_t C = uint32_t(ColorToRGB(Color));
  const uint32_t Mask = ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
  const Integer DX = To.X - From.X, DY = To.Y - From.Y;
  const Integer Steps = std::max(std::abs(DX), std::abs(DY));
  for (Integer I = 0; I < Steps; I += 2) {
    const Integer X = From.X + DX * I / Steps, Y = From.Y + DY * I / Steps;
    if (X < 0 || Y < 0 || X >= Target.Width() || Y >= Target.Height()) continue;
    static_cast<uint32_t*>(Target.ScanLine(Y))[X] ^= Mask;
  }
}

void DrawOnCheckerboard(const TvxBitmap& Image, TvxBitmap& Target) {
  Target.SetSize(Image.Width(), Image.Height());
  if (Image.Empty()) return;
  constexpr TvxColor White = 0xFFFFFFFF, Grey = 0xFFB0B0B0;
  for (Integer Y = 0; Y < Image.Height(); ++Y) {
    const TvxColor* Source = Image.Scanline(Y);
    TvxColor* Row = Target.Scanline(Y);
    for (Integer X = 0; X < Image.Width(); ++X) {
      const TvxColor Square = (X / 8 + Y / 8) % 2 == 0 ? White : Grey;
      Row[X] = BlendPixel(Source[X], Square) | 0xFF000000;
    }
  }
  Target.SetAlphaBlend(false);
  Target.SetTransparent(false);
}
