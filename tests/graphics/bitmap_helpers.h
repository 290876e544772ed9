// Tiny fixtures for pixel tests.
#pragma once

#include <random>
#include <vector>

#include "vexel/graphics/vx_bitmap.h"

inline void Paint(TvxBitmap& B, Integer W, Integer H, TvxColor Fill) {
  B.SetSize(W, H);
  B.Fill(Fill);
}

// Each pixel a different opaque value, so that a wrong source pixel shows.
inline void PaintNumbered(TvxBitmap& B, Integer W, Integer H) {
  B.SetSize(W, H);
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) B.SetPixel(X, Y, 0xFF000000 | TvxColor(Y << 8 | X));
}

inline TvxColor Numbered(Integer X, Integer Y) { return 0xFF000000 | TvxColor(Y << 8 | X); }

inline std::vector<TvxColor> Row(const TvxBitmap& B, Integer Y) {
  return std::vector<TvxColor>(B.Scanline(Y), B.Scanline(Y) + B.Width());
}

inline std::vector<TvxColor> AllPixels(const TvxBitmap& B) {
  return std::vector<TvxColor>(B.Bits(), B.Bits() + size_t(B.Width()) * B.Height());
}

// A transition's blend worked out the long way: New over Old at opacity A (0..255), the alpha
// channel taking A first. The reference the effect tests check every frame against.
inline TvxColor Blended(TvxColor New, TvxColor Old, int A) {
  if (A == 0) return Old;
  New = (New & 0x00FFFFFF) | TvxColor(A) << 24;
  if (A == 255) return New;
  TvxColor R = 0;
  for (int S = 0; S < 32; S += 8) {
    const int F = (New >> S) & 0xFF, B = (Old >> S) & 0xFF;
    R |= TvxColor((256 * B + A * (F - B)) >> 8) << S;
  }
  return R;
}
