// The four small tables every theme owns and controls read directly: 22 theme colours, 26
// system colours that replace the platform's, 66 named fonts and two option flags. A skin
// document carries the same tables. The stored form of each is its named-entry list.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "framework/core/classes.h"
#include "framework/graphics/font.h"

// What a table needs of the theme that owns it: a theme with named objects may adjust the font
// an object gets (FontFor). The theme class implements it.
class TvxTableTheme {
 public:
  virtual void GetFont(TFont& Font, Integer Index, const std::string& Name) = 0;

 protected:
  ~TvxTableTheme() = default;
};

constexpr Integer vxThemeColorCount = 22;
constexpr Integer vxThemeSysColorCount = 26;
constexpr Integer vxThemeFontCount = 66;
constexpr Integer vxThemeOptionCount = 2;

// The entries of the colour and font tables in order: one list gives the index constants
// (vxcCaptionNormal, vxfCaptionTextNormal, ...) and the stored names.
#define VX_THEME_COLORS(X) \
  X(CaptionNormal) \
  X(CaptionInactive) \
  X(WindowBorder) \
  X(Window) \
  X(Border) \
  X(PanelNormal) \
  X(PanelDisabled) \
  X(ButtonNormal) \
  X(ButtonHot) \
  X(ButtonPressed) \
  X(ButtonFocused) \
  X(ButtonDisabled) \
  X(EditNormal) \
  X(EditHot) \
  X(EditFocused) \
  X(EditDisabled) \
  X(EditSelection) \
  X(Hint) \
  X(List) \
  X(Tree) \
  X(Grid) \
  X(BarDock)
#define VX_THEME_FONTS(X) \
  X(CaptionTextNormal) \
  X(CaptionTextInactive) \
  X(SmCaptionTextNormal) \
  X(SmCaptionTextInactive) \
  X(StaticTextNormal) \
  X(StaticTextHot) \
  X(StaticTextFocused) \
  X(StaticTextDisabled) \
  X(PanelTextNormal) \
  X(PanelTextDisabled) \
  X(ButtonTextNormal) \
  X(ButtonTextPressed) \
  X(ButtonTextHot) \
  X(ButtonTextFocused) \
  X(ButtonTextDisabled) \
  X(CheckBoxTextNormal) \
  X(CheckBoxTextPressed) \
  X(CheckBoxTextHot) \
  X(CheckBoxTextFocused) \
  X(CheckBoxTextDisabled) \
  X(RadioButtonTextNormal) \
  X(RadioButtonTextPressed) \
  X(RadioButtonTextHot) \
  X(RadioButtonTextFocused) \
  X(RadioButtonTextDisabled) \
  X(GroupBoxTextNormal) \
  X(GroupBoxTextDisabled) \
  X(WindowTextNormal) \
  X(WindowTextDisabled) \
  X(EditBoxTextNormal) \
  X(EditBoxTextFocused) \
  X(EditBoxTextHot) \
  X(EditBoxTextDisabled) \
  X(EditBoxTextSelected) \
  X(MenuItemTextNormal) \
  X(MenuItemTextSelected) \
  X(MenuItemTextHot) \
  X(MenuItemTextDisabled) \
  X(ToolItemTextNormal) \
  X(ToolItemTextSelected) \
  X(ToolItemTextHot) \
  X(ToolItemTextDisabled) \
  X(HeaderSectionTextNormal) \
  X(HeaderSectionTextPressed) \
  X(HeaderSectionTextDraggedOut) \
  X(HeaderSectionTextDragging) \
  X(HeaderSectionTextHot) \
  X(HeaderSectionTextUnderDrag) \
  X(HeaderSectionTextDisabled) \
  X(StatusPanelTextNormal) \
  X(StatusPanelTextDisabled) \
  X(TabTextInactiveNormal) \
  X(TabTextInactiveHot) \
  X(TabTextInactiveDisabled) \
  X(TabTextActiveNormal) \
  X(TabTextActiveHot) \
  X(TabTextActiveDisabled) \
  X(ListItemTextNormal) \
  X(ListItemTextHot) \
  X(ListItemTextSelected) \
  X(ListItemTextFocused) \
  X(ListItemTextDisabled) \
  X(PopupMenuItemTextNormal) \
  X(PopupMenuItemTextSelected) \
  X(PopupMenuItemTextHot) \
  X(PopupMenuItemTextDisabled)

enum TvxThemeColorIndex : Integer {
#define VX_COLOR_INDEX(N) vxc##N,
  VX_THEME_COLORS(VX_COLOR_INDEX)
#undef VX_COLOR_INDEX
};
enum TvxThemeFontIndex : Integer {
#define VX_FONT_INDEX(N) vxf##N,
  VX_THEME_FONTS(VX_FONT_INDEX)
#undef VX_FONT_INDEX
};

const char* ThemeColorName(Integer Index);
const char* ThemeFontName(Integer Index);
// The key colour constant and name of system-colour entry Index (0..26; 26 is clWindowText,
// which the table does not hold).
TColor ThemeSysColorKey(Integer Index);
const char* ThemeSysColorName(Integer Index);
extern const char* const ThemeOptionDescriptions[vxThemeOptionCount];

class TvxThemeColors : public TPersistent {
 public:
  explicit TvxThemeColors(TvxTableTheme* Theme = nullptr) : FTheme(Theme) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TvxTableTheme* Theme() const { return FTheme; }

  TColor Color(Integer Index) const { return FColors.at(size_t(Index)); }
  void SetColor(Integer Index, TColor Value) { FColors.at(size_t(Index)) = Value; }
  void ApplyHue(Integer Delta);
  void ApplyBrightness(Integer Delta);
  // A count byte (entries - 1), then per entry: name, ":", colour as text. Reading takes the
  // entries by position; entries past the table's end are read over unparsed.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

 private:
  TvxTableTheme* FTheme;
  std::array<TColor, vxThemeColorCount> FColors{};
};

class TvxThemeSysColors : public TPersistent {
 public:
  // Every entry starts as the platform's current value of its key, resolved to RGB.
  explicit TvxThemeSysColors(TvxTableTheme* Theme = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TvxTableTheme* Theme() const { return FTheme; }

  // By key: the first entry with that key; clNone for keys the table does not hold.
  TColor SysColor(TColor Key) const;
  // Unknown keys are ignored.
  void SetSysColor(TColor Key, TColor Value);
  // By position, as streams and the editor's lists reach entries.
  TColor Entry(Integer Index) const { return FColors.at(size_t(Index)); }
  void SetEntry(Integer Index, TColor Value) { FColors.at(size_t(Index)) = Value; }
  void ApplyHue(Integer Delta);
  void ApplyBrightness(Integer Delta);
  // A 32-bit count, then per entry: name, ":", colour as text; entries past the table's end are
  // read over unparsed.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

 private:
  TvxTableTheme* FTheme;
  std::array<TColor, vxThemeSysColorCount> FColors{};
};

class TvxThemeFonts : public TPersistent {
 public:
  // 66 fonts with face "Tahoma" and the framework's other defaults.
  explicit TvxThemeFonts(TvxTableTheme* Theme = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TvxTableTheme* Theme() const { return FTheme; }

  TFont& Font(Integer Index) const { return *FFonts.at(size_t(Index)); }
  // Font(Index) itself without an owning theme or for the name "default"; otherwise a scratch
  // copy the theme may adjust for the named object, overwritten by the next call.
  TFont& FontFor(Integer Index, const std::string& Name) const;
  void ApplyHue(Integer Delta);
  void ApplyBrightness(Integer Delta);
  // A count byte (entries - 1), then per entry: name, ":", the font as text. Reading sets face
  // name, size, colour and style by position and leaves the character set alone; entries past
  // the table's end are read over unparsed.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

 private:
  TvxTableTheme* FTheme;
  std::array<std::unique_ptr<TFont>, vxThemeFontCount> FFonts;
  std::unique_ptr<TFont> FScratch;
};

class TvxThemeOptions : public TPersistent {
 public:
  explicit TvxThemeOptions(TvxTableTheme* Theme = nullptr) : FTheme(Theme) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TvxTableTheme* Theme() const { return FTheme; }

  bool Option(Integer Index) const { return FOptions.at(size_t(Index)); }
  void SetOption(Integer Index, bool Value) { FOptions.at(size_t(Index)) = Value; }
  // A byte n, then n + 1 option bytes; bytes past the known options are read and dropped.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

 private:
  TvxTableTheme* FTheme;
  std::array<bool, vxThemeOptionCount> FOptions{};
};

// The font as stored: "Name,Size,Charset,R,G,B" and ",bold", ",italic", ",underline",
// ",strikeout" for its styles. R, G, B are the bytes of the stored colour value.
std::string FontToText(const TFont& Font);
// Sets face name, size, colour and style from Text (the character set stays); a missing number
// raises EConvertError "'<token>' is not a valid integer value".
void FontFromText(TFont& Font, const std::string& Text);

// What the base theme puts in its tables.
void SetBaseThemeColors(TvxThemeColors& Colors);
void SetBaseThemeFonts(TvxThemeFonts& Fonts);
