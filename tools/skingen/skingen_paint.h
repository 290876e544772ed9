// Drawing primitives for the generated skin: anti-aliased or hard-edged rounded boxes with a
// gradient, a 1-px outline, a top bevel and a soft shadow, and thick line segments for glyphs.
// Everything composes with straight alpha onto images whose empty pixels hold the key colour.
#pragma once

#include <memory>

#include "vexel/graphics/vx_bitmap.h"

namespace skingen {

TvxColor Rgb(Integer R, Integer G, Integer B);
// Every channel, alpha included, moved from A towards B by T (0..1).
TvxColor Mix(TvxColor A, TvxColor B, float T);
TvxColor WithAlpha(TvxColor P, float A);
// Top over Bottom with straight alpha; a fully transparent result is the key colour.
TvxColor Over(TvxColor Top, TvxColor Bottom);

// A W x H image of key-colour pixels (alpha 0).
std::unique_ptr<TvxBitmap> NewImage(Integer W, Integer H);
void BlendPixel(TvxBitmap& B, Integer X, Integer Y, TvxColor P);

enum class TEdge : uint8_t { Smooth, Hard };

struct TBoxStyle {
  float Radius = 3.0f;
  TvxColor Top = 0xFFFFFFFF, Bottom = 0xFFFFFFFF;
  TvxColor Border = 0;         // alpha 0: no outline
  float Highlight = 0.0f;      // white inner line along the upper half
  float Shadow = 0.0f;         // strength of the soft shadow one pixel below
  TEdge Edge = TEdge::Smooth;  // Hard: no partial alpha, for window shapes
};

// Paints the rounded box Shape (which may reach past Clip, to leave a side open) inside Clip.
void PaintBox(TvxBitmap& B, const TRect& Shape, const TRect& Clip, const TBoxStyle& S);
inline void PaintBox(TvxBitmap& B, const TRect& Shape, const TBoxStyle& S) { PaintBox(B, Shape, Shape, S); }
// A round-capped segment of the given width.
void PaintSegment(TvxBitmap& B, float X0, float Y0, float X1, float Y1, float Width, TvxColor C);
void PaintDisc(TvxBitmap& B, float CX, float CY, float Radius, TvxColor C);
// A filled triangle, anti-aliased.
void PaintTriangle(TvxBitmap& B, float X0, float Y0, float X1, float Y1, float X2, float Y2, TvxColor C);
// Vertical gradient written (not blended) into R.
void FillGradient(TvxBitmap& B, const TRect& R, TvxColor Top, TvxColor Bottom);

}  // namespace skingen
