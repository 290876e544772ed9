// The demo's source images, every one drawn by code at start-up, and the checkerboard that
// shows where a draw leaves pixels alone. Portable: pixels only, no GDI.
#pragma once

#include "vexel/graphics/vx_bitmap.h"

// Each image is drawn once and then only read; the scene copies one before changing it.
struct TDemoImages {
  TDemoImages();

  TvxBitmap Landscape;       // 72 x 56, opaque: sky gradient, sun, hills
  TvxBitmap SmallLandscape;  // 48 x 40, the same scene
  TvxBitmap Sprite;          // 16 x 12 pixel art, for stretching up
  TvxBitmap Button;          // 48 x 24, rounded, key-colour corners, 1-px bevel; Transparent
  TvxBitmap Star;            // 40 x 40 glyph on the key colour; Transparent
  TvxBitmap Glow;            // 72 x 56 badge with soft shadow and halo in per-pixel alpha; AlphaBlend
  TvxBitmap Tile;            // 13 x 11, odd on purpose so partial tiles show
  TvxBitmap Shape;           // 30 x 16 window shape with a round hole, key outside; Transparent
};

// Squares of Cell pixels in two light greys, aligned to R's corner.
void FillChecker(TvxBitmap& Target, const TRect& R, Integer Cell = 8);
// A 1-pixel frame just inside R.
void FrameRect(TvxBitmap& Target, const TRect& R, TvxColor Color);
