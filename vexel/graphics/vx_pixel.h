// Engine pixels (0xAARRGGBB; in memory blue, green, red, alpha) and their colour helpers.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/types.h"
#include "framework/graphics/colors.h"

using TvxColor = uint32_t;
using TArrayOfvxColor = std::vector<TvxColor>;

// Red 127, green 0, blue 127: transparent for drawing, left out of regions.
constexpr TvxColor vxKeyColor = 0x007F007F;
constexpr bool IsKeyPixel(TvxColor P) { return (P & 0x00FFFFFF) == vxKeyColor; }

constexpr Byte PixelAlpha(TvxColor P) { return Byte(P >> 24); }
constexpr Byte PixelRed(TvxColor P) { return Byte(P >> 16); }
constexpr Byte PixelGreen(TvxColor P) { return Byte(P >> 8); }
constexpr Byte PixelBlue(TvxColor P) { return Byte(P); }

TvxColor MakePixel(Integer R, Integer G, Integer B, Byte A);
TvxColor ColorToPixel(TColor Color, Byte Alpha);
TColor PixelToColor(TvxColor Pixel);

void PixelToHSL(TvxColor Pixel, float& H, float& S, float& L);
TvxColor HSLToPixel(float H, float S, float L);
TvxColor ShiftHue(TvxColor Pixel, Integer Delta);
TvxColor ShiftBrightness(TvxColor Pixel, Integer Delta);
TvxColor AdjustPixel(TvxColor Pixel, Integer DR, Integer DG, Integer DA, Integer DB);
TvxColor LightenPixel(TvxColor Pixel, Integer Delta);
// A framework colour shifted through a pixel; system colours come out as their plain RGB.
TColor ColorHueShifted(TColor Color, Integer Delta);
TColor ColorBrightnessShifted(TColor Color, Integer Delta);

// F over B: alpha 0 keeps B, alpha 255 gives F, otherwise every channel (alpha included) becomes
// (256*B + a*(F - B)) >> 8, the 16-bit-lane formula the vector line routines compute.
constexpr TvxColor BlendPixel(TvxColor F, TvxColor B) {
  const uint32_t A = F >> 24;
  if (A == 0) return B;
  if (A == 255) return F;
  TvxColor Result = 0;
  for (int Shift = 0; Shift < 32; Shift += 8) {
    const int32_t Fc = (F >> Shift) & 0xFF;
    const int32_t Bc = (B >> Shift) & 0xFF;
    Result |= uint32_t((256 * Bc + int32_t(A) * (Fc - Bc)) >> 8) << Shift;
  }
  return Result;
}
