// Drawing steps the flat theme's groups share. Internal to the theme library.
#pragma once

#include "vexel/theme/vx_theme_paint.h"

// The check mark as two one-pixel polylines around (X, Y).
void DrawFlatCheckMark(HDC DC, Integer X, Integer Y, TColor Color);

// A platform frame-control image in one colour over R.
inline void DrawFlatGlyph(HDC DC, const TRect& R, UINT Type, UINT State, TColor Color) {
  DrawFrameControlColor(DC, R, Type, Color, State);
}
