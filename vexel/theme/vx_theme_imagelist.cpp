#include "vexel/theme/vx_theme_imagelist.h"

#include <windows.h>

#include <memory>

#include "framework/graphics/canvas.h"
#include "framework/graphics/imagelist.h"
#include "vexel/graphics/vx_bitmap.h"

namespace {
std::unique_ptr<TvxBitmap> Converted;
}

TvxBitmap* ImageListToBitmap(const TCustomImageList* ImageList, Integer Index, bool Enabled) {
  Converted.reset();
  if (!ImageList) return nullptr;
  Converted = std::make_unique<TvxBitmap>();
  TvxBitmap& Glyph = *Converted;
  Glyph.SetSize(ImageList->Width(), ImageList->Height());
  Glyph.Fill(vxKeyColor);
  Glyph.SetTransparent(ImageList->Masked() || ImageList->DrawingStyle() == TDrawingStyle::dsTransparent);
  {
    TCanvas Canvas(Glyph.DC());
    ImageList->Draw(Canvas, 0, 0, Index, Enabled);
  }
  GdiFlush();
  // GDI leaves alpha 0 on what it draws; the glyph's visible pixels are opaque.
  for (Integer Y = 0; Y < Glyph.Height(); ++Y)
    for (TvxColor *P = Glyph.Scanline(Y), *End = P + Glyph.Width(); P != End; ++P)
      *P = IsKeyPixel(*P) ? vxKeyColor : (*P | 0xFF000000);
  return Converted.get();
}
