// Framework colours: 0x00BBGGRR, with system colours as $80000000 + index.
#pragma once

#include <cstdint>

using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = clSystemColor | 15;

// A plain 0x00BBGGRR colour; system colours resolve through the platform's current scheme.
TColor ColorToRGB(TColor Color);

// The platform seam behind ColorToRGB.
uint32_t SystemColorRGB(int Index);
