#include "framework/graphics/font.h"

#include <cstdlib>
#include <utility>

const TIdentMap& CharsetIdents() {
  static constexpr TIdentMapEntry Entries[] = {
      {ANSI_CHARSET, "ANSI_CHARSET"},
      {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
      {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
      {MAC_CHARSET, "MAC_CHARSET"},
      {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
      {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
      {JOHAB_CHARSET, "JOHAB_CHARSET"},
      {GB2312_CHARSET, "GB2312_CHARSET"},
      {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
      {GREEK_CHARSET, "GREEK_CHARSET"},
      {TURKISH_CHARSET, "TURKISH_CHARSET"},
      {HEBREW_CHARSET, "HEBREW_CHARSET"},
      {ARABIC_CHARSET, "ARABIC_CHARSET"},
      {BALTIC_CHARSET, "BALTIC_CHARSET"},
      {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
      {THAI_CHARSET, "THAI_CHARSET"},
      {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
      {OEM_CHARSET, "OEM_CHARSET"},
  };
  static constexpr TIdentMap Map{Entries};
  return Map;
}

const TEnumInfo& FontPitchNames() {
  static constexpr const char* Names[] = {"fpDefault", "fpVariable", "fpFixed"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

const TEnumInfo& FontStyleNames() {
  static constexpr const char* Names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

int32_t MulDivInt(int32_t A, int32_t B, int32_t C) {
  if (C == 0) return -1;
  const int64_t Product = int64_t(A) * B;
  const int64_t Half = std::llabs(C) / 2;
  const int64_t Rounded = (Product >= 0) == (C > 0) ? (std::llabs(Product) + Half) / std::llabs(C)
                                                    : -((std::llabs(Product) + Half) / std::llabs(C));
  return int32_t(Rounded);
}

const TClassInfo& TFont::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      CharsetProperty<&TFont::Charset, &TFont::SetCharset>("Charset"),
      ColorProperty<&TFont::Color, &TFont::SetColor>("Color"),
      IntegerProperty<&TFont::Height, &TFont::SetHeight>("Height"),
      StringProperty<&TFont::Name, &TFont::SetName>("Name"),
      EnumProperty<&TFont::Pitch, &TFont::SetPitch>("Pitch", FontPitchNames(), int64_t(TFontPitch::fpDefault)),
      SetProperty<&TFont::Style, &TFont::SetStyle>("Style", FontStyleNames()),
  };
  static const TClassInfo Info{"TFont", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

TFont::TFont() : FHeight(-MulDivInt(8, ScreenPixelsPerInch(), 72)) {}

TFont::~TFont() { DeleteHandle(FHandle); }

void TFont::Assign(const TPersistent* Source) {
  const auto* Font = dynamic_cast<const TFont*>(Source);
  if (!Font) return TPersistent::Assign(Source);
  FCharset = Font->FCharset;
  FColor = Font->FColor;
  FHeight = Font->FHeight;
  FName = Font->FName;
  FPitch = Font->FPitch;
  FStyle = Font->FStyle;
  Changed();
}

void TFont::Changed() {
  // Observers see the new attributes and let go of the old handle (a canvas deselects it)
  // before it is deleted.
  HFONT Old = std::exchange(FHandle, nullptr);
  if (OnChange) OnChange();
  DeleteHandle(Old);
}

// Setters tell only of real changes, so observers can repaint on every notification.
template <typename T>
void TFont::Update(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) { Update(FCharset, Value); }
void TFont::SetColor(TColor Value) { Update(FColor, Value); }
void TFont::SetHeight(Integer Value) { Update(FHeight, Value); }
// An empty face names no font, and a stream would not keep it: an empty name is never stored,
// so a reload would bring back the face the font was made with.
void TFont::SetName(const std::string& Value) {
  if (!Value.empty()) Update(FName, Value);
}
void TFont::SetPitch(TFontPitch Value) { Update(FPitch, Value); }
void TFont::SetStyle(TFontStyles Value) { Update(FStyle, Value); }

Integer TFont::Size() const { return -MulDivInt(FHeight, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(Integer Points) { SetHeight(-MulDivInt(Points, ScreenPixelsPerInch(), 72)); }
