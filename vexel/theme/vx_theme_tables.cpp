#include "vexel/theme/vx_theme_tables.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

#include "framework/core/sysutils.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/graphics/vx_utils.h"

namespace {

constexpr const char* ColorNames[] = {
#define VX_COLOR_NAME(N) #N,
    VX_THEME_COLORS(VX_COLOR_NAME)
#undef VX_COLOR_NAME
};
static_assert(std::size(ColorNames) == vxThemeColorCount);

// The first 26 entries are the table; the 27th only names clWindowText. Entry 10 repeats
// entry 1, so lookups by key always find entry 1.
constexpr TIdentMapEntry SysColorKeys[] = {
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clActiveCaption, "clActiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuText, "clMenuText"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};
static_assert(std::size(SysColorKeys) == vxThemeSysColorCount + 1);

constexpr const char* FontNames[] = {
#define VX_FONT_NAME(N) #N,
    VX_THEME_FONTS(VX_FONT_NAME)
#undef VX_FONT_NAME
};
static_assert(std::size(FontNames) == vxThemeFontCount);

// One named entry: name, ":", value text. The name and separator are not checked: entries are
// taken by position.
std::string ReadEntryValue(TStream& Stream) {
  ReadStreamString(Stream);
  ReadStreamString(Stream);
  return ReadStreamString(Stream);
}

// Entries past the table's end are read over and never parsed: whatever a later version (or a
// damaged file) put there must not fail the load.
void SkipEntries(TStream& Stream, int64_t Count) {
  for (int64_t I = 0; I < Count; ++I) ReadEntryValue(Stream);
}

void WriteEntry(TStream& Stream, const std::string& Name, const std::string& Value) {
  WriteStreamString(Stream, Name);
  WriteStreamString(Stream, ":");
  WriteStreamString(Stream, Value);
}

TColor ParseStoredColor(const std::string& Text) {
  const auto Color = StringToColor(Text);
  if (!Color) throw EReadError(Format("Invalid colour \"%s\"", Text.c_str()));
  return *Color;
}

std::optional<int32_t> ParseInteger(std::string_view Text) {
  int32_t Value = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Error != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Value;
}

constexpr const char* StyleWords[] = {"bold", "italic", "underline", "strikeout"};

}  // namespace

const char* const ThemeOptionDescriptions[vxThemeOptionCount] = {
    "One object for kescEditButtonLeft, kescEditButtonRight and kescEditButtonBoth",
    "One object for kescComboBoxLeft, kescComboBoxRight",
};

const char* ThemeColorName(Integer Index) { return ColorNames[Index]; }
const char* ThemeFontName(Integer Index) { return FontNames[Index]; }
TColor ThemeSysColorKey(Integer Index) { return TColor(SysColorKeys[Index].Value); }
const char* ThemeSysColorName(Integer Index) { return SysColorKeys[Index].Name; }

// [Theme colours] ------------------------------------------------------------------------------

const TClassInfo& TvxThemeColors::StaticClassInfo() {
  static const TClassInfo Info{"TvxThemeColors", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

void TvxThemeColors::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TvxThemeColors*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FColors = Other->FColors;
}

void TvxThemeColors::ApplyHue(Integer Delta) {
  for (TColor& C : FColors) C = ColorHueShifted(C, Delta);
}

void TvxThemeColors::ApplyBrightness(Integer Delta) {
  for (TColor& C : FColors) C = ColorBrightnessShifted(C, Delta);
}

void TvxThemeColors::LoadFromStream(TStream& Stream) {
  const Integer Count = Stream.ReadByte() + 1;
  const Integer Known = std::min(Count, vxThemeColorCount);
  for (Integer I = 0; I < Known; ++I) FColors[size_t(I)] = ParseStoredColor(ReadEntryValue(Stream));
  SkipEntries(Stream, Count - Known);
}

void TvxThemeColors::SaveToStream(TStream& Stream) const {
  Stream.WriteByte(uint8_t(vxThemeColorCount - 1));
  for (Integer I = 0; I < vxThemeColorCount; ++I) WriteEntry(Stream, ColorNames[I], ColorToString(FColors[size_t(I)]));
}

// [System colours] -----------------------------------------------------------------------------

const TClassInfo& TvxThemeSysColors::StaticClassInfo() {
  static const TClassInfo Info{"TvxThemeSysColors", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

TvxThemeSysColors::TvxThemeSysColors(TvxTableTheme* Theme) : FTheme(Theme) {
  for (Integer I = 0; I < vxThemeSysColorCount; ++I) FColors[size_t(I)] = ColorToRGB(ThemeSysColorKey(I));
}

void TvxThemeSysColors::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TvxThemeSysColors*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FColors = Other->FColors;
}

TColor TvxThemeSysColors::SysColor(TColor Key) const {
  for (Integer I = 0; I < vxThemeSysColorCount; ++I)
    if (ThemeSysColorKey(I) == Key) return FColors[size_t(I)];
  return clNone;
}

void TvxThemeSysColors::SetSysColor(TColor Key, TColor Value) {
  for (Integer I = 0; I < vxThemeSysColorCount; ++I)
    if (ThemeSysColorKey(I) == Key) {
      FColors[size_t(I)] = Value;
      return;
    }
}

void TvxThemeSysColors::ApplyHue(Integer Delta) {
  for (TColor& C : FColors) C = ColorHueShifted(C, Delta);
}

void TvxThemeSysColors::ApplyBrightness(Integer Delta) {
  for (TColor& C : FColors) C = ColorBrightnessShifted(C, Delta);
}

void TvxThemeSysColors::LoadFromStream(TStream& Stream) {
  const int32_t Count = Stream.ReadInt32();
  if (Count < 0) throw EReadError(Format("Invalid system colour count %d", Count));
  const int32_t Known = std::min(Count, vxThemeSysColorCount);
  for (int32_t I = 0; I < Known; ++I) FColors[size_t(I)] = ParseStoredColor(ReadEntryValue(Stream));
  SkipEntries(Stream, Count - Known);
}

void TvxThemeSysColors::SaveToStream(TStream& Stream) const {
  Stream.WriteInt32(vxThemeSysColorCount);
  for (Integer I = 0; I < vxThemeSysColorCount; ++I)
    WriteEntry(Stream, ThemeSysColorName(I), ColorToString(FColors[size_t(I)]));
}

// [Fonts] --------------------------------------------------------------------------------------

const TClassInfo& TvxThemeFonts::StaticClassInfo() {
  static const TClassInfo Info{"TvxThemeFonts", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

TvxThemeFonts::TvxThemeFonts(TvxTableTheme* Theme) : FTheme(Theme), FScratch(std::make_unique<TFont>()) {
  for (auto& F : FFonts) {
    F = std::make_unique<TFont>();
    F->SetName("Tahoma");
  }
}

void TvxThemeFonts::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TvxThemeFonts*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  for (size_t I = 0; I < FFonts.size(); ++I) FFonts[I]->Assign(Other->FFonts[I].get());
}

TFont& TvxThemeFonts::FontFor(Integer Index, const std::string& Name) const {
  if (!FTheme || Name == "default") return Font(Index);
  FScratch->Assign(&Font(Index));
  FTheme->GetFont(*FScratch, Index, Name);
  return *FScratch;
}

void TvxThemeFonts::ApplyHue(Integer Delta) {
  for (auto& F : FFonts) F->SetColor(ColorHueShifted(F->Color(), Delta));
}

void TvxThemeFonts::ApplyBrightness(Integer Delta) {
  for (auto& F : FFonts) F->SetColor(ColorBrightnessShifted(F->Color(), Delta));
}

void TvxThemeFonts::LoadFromStream(TStream& Stream) {
  const Integer Count = Stream.ReadByte() + 1;
  const Integer Known = std::min(Count, vxThemeFontCount);
  for (Integer I = 0; I < Known; ++I) {
    TFont Parsed;
    FontFromText(Parsed, ReadEntryValue(Stream));
    TFont& F = *FFonts[size_t(I)];
    F.SetName(Parsed.Name());
    F.SetHeight(Parsed.Height());
    F.SetColor(Parsed.Color());
    F.SetStyle(Parsed.Style());
  }
  SkipEntries(Stream, Count - Known);
}

void TvxThemeFonts::SaveToStream(TStream& Stream) const {
  Stream.WriteByte(uint8_t(vxThemeFontCount - 1));
  for (Integer I = 0; I < vxThemeFontCount; ++I) WriteEntry(Stream, FontNames[I], FontToText(*FFonts[size_t(I)]));
}

std::string FontToText(const TFont& Font) {
  const uint32_t C = static_cast<uint32_t>(Font.Color());
  std::string Text = Format("%s,%d,%d,%u,%u,%u", Font.Name().c_str(), Font.Size(), Font.Charset(), C & 0xFF,
                            (C >> 8) & 0xFF, (C >> 16) & 0xFF);
  for (size_t I = 0; I < std::size(StyleWords); ++I)
    if (Font.Style().Contains(TFontStyle(I))) Text += std::string(",") + StyleWords[I];
  return Text;
}

void FontFromText(TFont& Font, const std::string& Text) {
  std::string Rest = Text;
  const std::string Name = NextItem(Rest, ",;");
  // Numbers are read token by token, as the files were always read; a missing one is an error.
  const auto Number = [&Rest] {
    const std::string Token = NextToken(Rest);
    const auto Value = ParseInteger(Token);
    if (!Value) throw EConvertError(Format("'%s' is not a valid integer value", Token.c_str()));
    return *Value;
  };
  const int32_t Size = Number();
  Number();  // the character set is read and not applied
  const int32_t R = Number(), G = Number(), B = Number();
  TFontStyles Style;
  while (!Rest.empty()) {
    const std::string Word = NextToken(Rest);
    for (size_t I = 0; I < std::size(StyleWords); ++I)
      if (SameText(Word, StyleWords[I])) Style.Include(TFontStyle(I));
  }
  Font.SetName(Name);
  Font.SetSize(Size);
  Font.SetColor(TColor(int64_t(R) + 256 * int64_t(G) + 65536 * int64_t(B)));
  Font.SetStyle(Style);
}

// [Options] ------------------------------------------------------------------------------------

const TClassInfo& TvxThemeOptions::StaticClassInfo() {
  static const TClassInfo Info{"TvxThemeOptions", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

void TvxThemeOptions::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TvxThemeOptions*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FOptions = Other->FOptions;
}

void TvxThemeOptions::LoadFromStream(TStream& Stream) {
  const Integer Count = Stream.ReadByte() + 1;
  for (Integer I = 0; I < Count; ++I) {
    const bool Value = Stream.ReadByte() != 0;
    if (I < vxThemeOptionCount) FOptions[size_t(I)] = Value;
  }
}

void TvxThemeOptions::SaveToStream(TStream& Stream) const {
  Stream.WriteByte(uint8_t(vxThemeOptionCount - 1));
  for (bool Option : FOptions) Stream.WriteByte(Option ? 1 : 0);
}

// [Base theme defaults] ------------------------------------------------------------------------

void SetBaseThemeColors(TvxThemeColors& Colors) {
  static constexpr TColor Defaults[vxThemeColorCount] = {
      0xFF0000,    0xC0C0C0,  0x808080,  0xC0C0C0,  0,        clBtnFace, clBtnFace, clBtnFace,
      clBtnFace,   clBtnFace, clBtnFace, clBtnFace, clWindow, clWindow,  clWindow,  clBtnFace,
      clHighlight, clInfoBk,  clWindow,  clWindow,  clWindow, clBtnFace,
  };
  for (Integer I = 0; I < vxThemeColorCount; ++I) Colors.SetColor(I, Defaults[I]);
}

void SetBaseThemeFonts(TvxThemeFonts& Fonts) {
  const auto Set = [&Fonts](Integer Index, Integer Size, TColor Color, TFontStyles Style) {
    TFont& F = Fonts.Font(Index);
    F.SetName("Tahoma");
    F.SetSize(Size);
    F.SetColor(Color);
    F.SetStyle(Style);
  };
  const TFontStyles Bold{TFontStyle::fsBold};
  Set(0, 10, clWhite, Bold);
  Set(1, 10, clSilver, Bold);
  Set(2, 8, clWhite, Bold);
  Set(3, 8, clSilver, Bold);
  for (Integer I : {4, 5, 6, 7, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 29, 30, 31, 46})
    Set(I, 8, clBlack, {});
  for (Integer I : {14, 26, 28, 32, 37, 41, 65}) Set(I, 8, clBtnShadow, {});
  Set(33, 8, clWhite, {});
  // The rest keep the framework's defaults: 8 points, clWindowText, no style.
}
