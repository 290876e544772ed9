// PNG images through libpng. The codec (ReadPng, WritePng) is portable and works on 32-bit
// pixels 0xAARRGGBB, top-down; TPngImage is the framework graphic over it (Windows only).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/graphics/graphic.h"

struct TPngPixels {
  Integer Width = 0;
  Integer Height = 0;
  // The file carries transparency (an alpha channel or a transparency chunk).
  bool HasAlpha = false;
  // Width x Height pixels, row 0 first; opaque files give alpha 255 everywhere.
  std::vector<uint32_t> Pixels;
};

// Any colour type and depth, interlaced or not, comes out as 8-bit channels. Damaged or
// truncated data, or an image beyond MaxGraphicSide / MaxGraphicPixels, raises EInvalidGraphic
// ("Invalid PNG image: ..."); the size is checked before any pixel memory is taken, and the rows
// of a non-interlaced image take memory only as they arrive.
TPngPixels ReadPng(TStream& Stream);
// 8-bit RGBA when WithAlpha, else RGB (alpha dropped).
void WritePng(TStream& Stream, const uint32_t* Pixels, Integer Width, Integer Height, bool WithAlpha);

class TBitmap;

class TPngImage : public TGraphic {
 public:
  TPngImage() = default;
  TPngImage(const TPngImage&) = delete;
  TPngImage& operator=(const TPngImage&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer Width() const override { return FImage.Width; }
  Integer Height() const override { return FImage.Height; }
  // Drawing blends by alpha when the image has an alpha channel.
  bool Transparent() const override { return FImage.HasAlpha; }
  void SetTransparent(bool Value) override { SetHasAlpha(Value); }
  bool HasAlpha() const { return FImage.HasAlpha; }
  // With an alpha channel the image saves as RGBA and draws blended; the pixels keep their alpha.
  void SetHasAlpha(bool Value);
  // W x H opaque black pixels; a zero or negative side makes the image empty.
  void SetSize(Integer W, Integer H);
  uint32_t* Scanline(Integer Y) { return FImage.Pixels.data() + ptrdiff_t(Y) * FImage.Width; }
  const uint32_t* Scanline(Integer Y) const { return FImage.Pixels.data() + ptrdiff_t(Y) * FImage.Width; }

  // From another PNG image, or from a framework bitmap (its colours, opaque, no alpha channel).
  void Assign(const TPersistent* Source) override;
  void Draw(TCanvas& Canvas, const TRect& Rect) const override;
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) const override;

 protected:
  // To a framework bitmap: 32 bits, the pixels with their alpha.
  void AssignTo(TPersistent* Dest) const override;

 private:
  TPngPixels FImage;
};
