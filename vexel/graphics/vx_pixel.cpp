#include "vexel/graphics/vx_pixel.h"

#include <cmath>

namespace {
Byte ClampByte(Integer V) { return Byte(std::clamp(V, 0, 255)); }

// Rounds the exact product, half to even: a float product would already be rounded once (1/6 in
// single precision times 255 is 42.5000013, which float makes 42.5 and then 42).
Integer RoundToByte(float V) { return static_cast<Integer>(std::nearbyint(double(V) * 255.0)); }

float HueToChannel(float P, float Q, float T) {
  T -= std::floor(T);
  if (6.0f * T < 1.0f) return P + (Q - P) * 6.0f * T;
  if (2.0f * T < 1.0f) return Q;
  if (3.0f * T < 2.0f) return P + (Q - P) * (2.0f / 3.0f - T) * 6.0f;
  return P;
}
}  // namespace

TvxColor MakePixel(Integer R, Integer G, Integer B, Byte A) {
  return TvxColor(A) << 24 | TvxColor(ClampByte(R)) << 16 | TvxColor(ClampByte(G)) << 8 | ClampByte(B);
}

TvxColor ColorToPixel(TColor Color, Byte Alpha) {
  const uint32_t RGB = static_cast<uint32_t>(ColorToRGB(Color));
  return TvxColor(Alpha) << 24 | (RGB & 0xFF) << 16 | (RGB & 0xFF00) | ((RGB >> 16) & 0xFF);
}

TColor PixelToColor(TvxColor Pixel) {
  return static_cast<TColor>(PixelRed(Pixel) | PixelGreen(Pixel) << 8 | PixelBlue(Pixel) << 16);
}

void PixelToHSL(TvxColor Pixel, float& H, float& S, float& L) {
  const float R = PixelRed(Pixel) / 255.0f;
  const float G = PixelGreen(Pixel) / 255.0f;
  const float B = PixelBlue(Pixel) / 255.0f;
  const float Max = std::max({R, G, B});
  const float Min = std::min({R, G, B});
  L = (Max + Min) / 2.0f;
  if (Max == Min) {
    H = 0.0f;
    S = 0.0f;
    return;
  }
  const float D = Max - Min;
  S = L < 0.5f ? D / (Max + Min) : D / (2.0f - Max - Min);
  if (Max == R)
    H = (G - B) / D;
  else if (Max == G)
    H = 2.0f + (B - R) / D;
  else
    H = 4.0f + (R - G) / D;
  H /= 6.0f;
  if (H < 0.0f) H += 1.0f;
}

TvxColor HSLToPixel(float H, float S, float L) {
  if (S == 0.0f) {
    const Integer V = RoundToByte(L);
    return MakePixel(V, V, V, 255);
  }
  const float Q = L <= 0.5f ? L * (1.0f + S) : L + S - L * S;
  const float P = 2.0f * L - Q;
  return MakePixel(RoundToByte(HueToChannel(P, Q, H + 1.0f / 3.0f)), RoundToByte(HueToChannel(P, Q, H)),
                   RoundToByte(HueToChannel(P, Q, H - 1.0f / 3.0f)), 255);
}

TvxColor ShiftHue(TvxColor Pixel, Integer Delta) {
  float H, S, L;
  PixelToHSL(Pixel, H, S, L);
  Integer Hue = RoundToByte(H) + Delta;
  if (Hue >= 256) Hue -= 255;
  if (Hue < 0) Hue += 255;
  return HSLToPixel(Hue / 255.0f, S, L);
}

TvxColor ShiftBrightness(TvxColor Pixel, Integer Delta) {
  return MakePixel(PixelRed(Pixel) + Delta, PixelGreen(Pixel) + Delta, PixelBlue(Pixel) + Delta, 255);
}

TvxColor AdjustPixel(TvxColor Pixel, Integer DR, Integer DG, Integer DA, Integer DB) {
  return MakePixel(PixelRed(Pixel) + DR, PixelGreen(Pixel) + DG, PixelBlue(Pixel) + DB,
                   Byte(PixelAlpha(Pixel) + DA));
}

TvxColor LightenPixel(TvxColor Pixel, Integer Delta) { return AdjustPixel(Pixel, Delta, Delta, 0, Delta); }

TColor ColorHueShifted(TColor Color, Integer Delta) { return PixelToColor(ShiftHue(ColorToPixel(Color, 255), Delta)); }

TColor ColorBrightnessShifted(TColor Color, Integer Delta) {
  return PixelToColor(ShiftBrightness(ColorToPixel(Color, 255), Delta));
}
