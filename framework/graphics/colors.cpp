#include "framework/graphics/colors.h"

#include <charconv>

#include "framework/core/exceptions.h"

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return static_cast<TColor>(SystemColorRGB(Color & 0xFF));
  return Color;
}

const TIdentMap& ColorIdents() {
  static constexpr TIdentMapEntry Entries[] = {
      {clBlack, "clBlack"},
      {clMaroon, "clMaroon"},
      {clGreen, "clGreen"},
      {clOlive, "clOlive"},
      {clNavy, "clNavy"},
      {clPurple, "clPurple"},
      {clTeal, "clTeal"},
      {clGray, "clGray"},
      {clSilver, "clSilver"},
      {clRed, "clRed"},
      {clLime, "clLime"},
      {clYellow, "clYellow"},
      {clBlue, "clBlue"},
      {clFuchsia, "clFuchsia"},
      {clAqua, "clAqua"},
      {clWhite, "clWhite"},
      {clScrollBar, "clScrollBar"},
      {clBackground, "clBackground"},
      {clActiveCaption, "clActiveCaption"},
      {clInactiveCaption, "clInactiveCaption"},
      {clMenu, "clMenu"},
      {clWindow, "clWindow"},
      {clWindowFrame, "clWindowFrame"},
      {clMenuText, "clMenuText"},
      {clWindowText, "clWindowText"},
      {clCaptionText, "clCaptionText"},
      {clActiveBorder, "clActiveBorder"},
      {clInactiveBorder, "clInactiveBorder"},
      {clAppWorkSpace, "clAppWorkSpace"},
      {clHighlight, "clHighlight"},
      {clHighlightText, "clHighlightText"},
      {clBtnFace, "clBtnFace"},
      {clBtnShadow, "clBtnShadow"},
      {clGrayText, "clGrayText"},
      {clBtnText, "clBtnText"},
      {clInactiveCaptionText, "clInactiveCaptionText"},
      {clBtnHighlight, "clBtnHighlight"},
      {cl3DDkShadow, "cl3DDkShadow"},
      {cl3DLight, "cl3DLight"},
      {clInfoText, "clInfoText"},
      {clInfoBk, "clInfoBk"},
      {clNone, "clNone"},
  };
  static_assert(std::size(Entries) == 42);
  static constexpr TIdentMap Map{Entries};
  return Map;
}

std::string ColorToString(TColor Color) {
  if (const char* Name = ColorIdents().ToIdent(Color)) return Name;
  return Format("$%08X", static_cast<uint32_t>(Color));
}

std::optional<TColor> StringToColor(std::string_view Text) {
  if (auto Value = ColorIdents().ToValue(Text)) return TColor(*Value);
  const bool Hex = !Text.empty() && Text[0] == '$';
  const bool Negative = !Hex && !Text.empty() && Text[0] == '-';
  std::string_view Digits = Text.substr(Hex || Negative ? 1 : 0);
  if (Digits.empty()) return std::nullopt;
  uint64_t Value = 0;
  const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Value, Hex ? 16 : 10);
  if (Error != std::errc() || End != Digits.data() + Digits.size() || Value > 0xFFFFFFFFu) return std::nullopt;
  if (Negative) {
    if (Value > 0x80000000u) return std::nullopt;
    return TColor(-int64_t(Value));
  }
  return TColor(uint32_t(Value));
}
