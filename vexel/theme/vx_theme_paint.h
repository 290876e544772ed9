// Small drawing steps the base theme's groups share. Internal to the theme library.
#pragma once

#include "vexel/graphics/vx_utils.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_theme.h"


inline TRect Deflate(const TRect& R, Integer DX, Integer DY) {
  return {R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY};
}

// The base theme's stand-in for a part it has no look for: one fill, one outline.
inline void DrawPlaceholder(TCanvas& Canvas, const TRect& R, TColor Fill, TColor Frame) {
  FillRectColor(Canvas.Handle(), R, Fill);
  FrameRectColor(Canvas.Handle(), R, Frame);
}

// Fill (when not clNone) and a one-pixel outline.
inline void FillFramed(TCanvas& Canvas, const TRect& R, TColor Fill, TColor Frame) {
  if (Fill != clNone) FillRectColor(Canvas.Handle(), R, Fill);
  FrameRectColor(Canvas.Handle(), R, Frame);
}

// A colour made lighter (positive Delta) or darker through a pixel.
inline TColor LightenColor(TColor Color, Integer Delta) {
  return PixelToColor(LightenPixel(ColorToPixel(Color, 255), Delta));
}

// The top-left corner of a W x H box placed in R by an alignment 0..8 (column * 3 + row).
inline TPoint AlignBox(const TRect& R, Integer W, Integer H, Byte Alignment) {
  const Integer Column = Alignment / 3 % 3, Row = Alignment % 3;
  return {R.Left + Column * (R.Width() - W) / 2, R.Top + Row * (R.Height() - H) / 2};
}

// A bitmap centred in R at its own size; nothing for nil or empty bitmaps.
inline void DrawBitmapCentered(TCanvas& Canvas, const TRect& R, const TvxBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return;
  const TRect Box = CenterRect(Bounds(0, 0, Bitmap->Width(), Bitmap->Height()), R);
  Bitmap->Draw(Canvas.Handle(), Box.Left, Box.Top);
}

// A menu item's image centred in R. Hot or pressed (State 1 or 2) it is lifted one pixel up and
// left over a grey silhouette of itself 2 pixels below and right, drawn from an opaque copy so
// that the caller's image stays as it was; without memory for the copy it is drawn plain.
void DrawMenuImageWithShadow(TCanvas& Canvas, const TRect& R, const TvxBitmap& Bitmap, Byte State);
