#include "framework/graphics/colors.h"

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return static_cast<TColor>(SystemColorRGB(Color & 0xFF));
  return Color;
}
