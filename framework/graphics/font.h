// TFont: the attributes of a font, stored through its property table as Font.Charset,
// Font.Color, Font.Height, Font.Name, Font.Pitch and Font.Style. On Windows the GDI font is
// created on first use of Handle and dropped whenever an attribute changes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/classes.h"
#include "framework/core/platform_handles.h"
#include "framework/core/set.h"
#include "framework/graphics/colors.h"

using TFontCharset = uint8_t;

// <windows.h> defines the same names as macros with the same values.
#ifndef ANSI_CHARSET
constexpr TFontCharset ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77,
                       SHIFTJIS_CHARSET = 128, HANGEUL_CHARSET = 129, JOHAB_CHARSET = 130, GB2312_CHARSET = 134,
                       CHINESEBIG5_CHARSET = 136, GREEK_CHARSET = 161, TURKISH_CHARSET = 162,
                       HEBREW_CHARSET = 177, ARABIC_CHARSET = 178, BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204,
                       THAI_CHARSET = 222, EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255;
#endif

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

const TIdentMap& CharsetIdents();
const TEnumInfo& FontPitchNames();
const TEnumInfo& FontStyleNames();

template <auto Getter, auto Setter>
constexpr TPropInfo CharsetProperty(const char* Name, std::optional<int64_t> Default = std::nullopt) {
  return OrdinalProperty<Getter, Setter>(Name, TPropKind::pkCharset, nullptr, Default, &CharsetIdents());
}

// Logical pixels per inch of the screen: the unit between Size (points) and Height (pixels).
int ScreenPixelsPerInch();
// a * b / c rounded to the nearest integer, halves away from zero (as the platform's MulDiv).
int32_t MulDivInt(int32_t A, int32_t B, int32_t C);

class TFont : public TPersistent {
 public:
  // The platform default: "MS Sans Serif", 8 points, clWindowText, DEFAULT_CHARSET, no style.
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Negative: a character height in pixels; Size is derived from it.
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  const std::string& Name() const { return FName; }
  // An empty name is ignored: the font keeps its face.
  void SetName(const std::string& Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  Integer Size() const;
  void SetSize(Integer Points);

  // Told after every change of an attribute.
  std::function<void()> OnChange;

  // Windows: the GDI font for the current attributes, owned by this object.
  HFONT Handle() const;

 private:
  template <typename T>
  void Update(T& Field, const T& Value);
  void Changed();
  static void DeleteHandle(HFONT Handle);

  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  Integer FHeight = 0;
  std::string FName = "MS Sans Serif";
  TFontPitch FPitch = TFontPitch::fpDefault;
  TFontStyles FStyle;
  mutable HFONT FHandle = nullptr;
};
