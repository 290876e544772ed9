// Framework colours: 0x00BBGGRR, with system colours as $80000000 + index and "none" as
// $1FFFFFFF; their names and text form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/core/reflection.h"

using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;

constexpr TColor clScrollBar = clSystemColor | 0, clBackground = clSystemColor | 1,
                 clActiveCaption = clSystemColor | 2, clInactiveCaption = clSystemColor | 3,
                 clMenu = clSystemColor | 4, clWindow = clSystemColor | 5, clWindowFrame = clSystemColor | 6,
                 clMenuText = clSystemColor | 7, clWindowText = clSystemColor | 8,
                 clCaptionText = clSystemColor | 9, clActiveBorder = clSystemColor | 10,
                 clInactiveBorder = clSystemColor | 11, clAppWorkSpace = clSystemColor | 12,
                 clHighlight = clSystemColor | 13, clHighlightText = clSystemColor | 14,
                 clBtnFace = clSystemColor | 15, clBtnShadow = clSystemColor | 16, clGrayText = clSystemColor | 17,
                 clBtnText = clSystemColor | 18, clInactiveCaptionText = clSystemColor | 19,
                 clBtnHighlight = clSystemColor | 20, cl3DDkShadow = clSystemColor | 21,
                 cl3DLight = clSystemColor | 22, clInfoText = clSystemColor | 23, clInfoBk = clSystemColor | 24;

// A plain 0x00BBGGRR colour; system colours resolve through the platform's current scheme.
TColor ColorToRGB(TColor Color);
// The platform seam behind ColorToRGB.
uint32_t SystemColorRGB(int Index);

// The 42 colour names: 16 plain colours, 25 system colours and clNone.
const TIdentMap& ColorIdents();
// The name, else "$" and eight upper-case hexadecimal digits.
std::string ColorToString(TColor Color);
// A name in any letter case, a decimal integer or "$" hexadecimal; nothing for other text.
std::optional<TColor> StringToColor(std::string_view Text);

template <auto Getter, auto Setter>
constexpr TPropInfo ColorProperty(const char* Name, std::optional<int64_t> Default = std::nullopt) {
  return OrdinalProperty<Getter, Setter>(Name, TPropKind::pkColor, nullptr, Default, &ColorIdents());
}
