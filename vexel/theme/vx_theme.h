// TvxTheme: the look of every skinned control and window frame. Controls describe what to paint in
// small records and call the theme's operation for it; a concrete theme (skin, flat, Office XP,
// visual styles) overrides the operations it paints. The base class is itself a usable theme of
// plain placeholder drawings. Windows only: every drawing goes to a TCanvas.
//
// The operations keep one fixed order (their slots), grouped by control family below; the base
// drawing of each group lives in its own vx_theme_<group>.cpp. Theme operations never throw.
//
// A theme class is known to the theme manager by its TvxThemeClass record: the class-level
// answers (name, file info, stream test) and a virtual constructor.
#pragma once

#include <memory>
#include <string>

#include "framework/core/classes.h"
#include "framework/graphics/canvas.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/theme/vx_theme_tables.h"

// <windows.h> maps DrawText to DrawTextA; here it is the theme's own name, the same in every unit.
#ifdef DrawText
#undef DrawText
#endif

class TvxTheme;

// [Records] Passed by value; out parameters are filled by the theme.

// Alignment 0..8 is column * 3 + row: columns left, centre, right; rows top, middle, bottom.
struct TvxTextInfo {
  TRect Rect;
  std::wstring Text;
  Byte Alignment = 0;
  // vxtfRightToLeft, vxtfNoPrefix, vxtfWordWrap, vxtfSingleLine.
  Byte Flags = 0;
  // 0 horizontal, 1 a quarter turn clockwise, 2 a quarter turn counter-clockwise.
  Byte Effect = 0;
};
constexpr Byte vxtfRightToLeft = 2, vxtfNoPrefix = 4, vxtfWordWrap = 8, vxtfSingleLine = 16;

struct TvxWindowInfo {
  TRect Rect;
  bool Active = false;
  // Bit N set: title button N (TvxTitleButton) is shown.
  uint16_t Buttons = 0;
  // The part of the frame that needs painting; empty: all of it.
  TRect ClipRect;
  std::wstring Caption;
};

// Two bytes whose meaning belongs to the group that takes the record.
struct TvxStateInfo {
  TRect Rect;
  Byte State = 0;
  Byte Part = 0;
};
using TvxCheckInfo = TvxStateInfo;
using TvxScrollPartInfo = TvxStateInfo;
using TvxMenuItemInfo = TvxStateInfo;
using TvxToolItemInfo = TvxStateInfo;

struct TvxGlyphInfo {
  TRect Rect;
  const TvxBitmap* Bitmap = nullptr;
  Byte Alignment = 0;
  // Menu and tool-item glyphs: 0 check mark, 1 radio dot, 2 sub-menu arrow, 3 image, 4 window icon.
  Byte Kind = 0;
};
using TvxMenuGlyphInfo = TvxGlyphInfo;

struct TvxCheckGlyphInfo {
  TRect Rect;
  Byte Alignment = 0;
  const TvxBitmap* Bitmap = nullptr;
  // 0 checked, 1 unchecked, 2 mixed, 3 draw the bitmap.
  Byte CheckState = 0;
};

struct TvxGroupBoxInfo {
  TRect Rect;
  TRect CaptionRect;
  Byte State = 0;
};

struct TvxTitleButtonInfo {
  TRect Rect;
  Byte Button = 0;
  // 0 normal, 1 hot, 2 pressed.
  Byte State = 0;
  const TvxBitmap* Icon = nullptr;
};

struct TvxGripperInfo {
  TRect Rect;
  bool Sizeable = false;
};

struct TvxThemeConfig {
  // Drawn by code, needs no file, selected by its name.
  bool Builtin = false;
  // Can be saved into a stream and loaded back.
  bool Streamable = false;
  // Reads theme files; its Filter is offered in open dialogs.
  bool FileBased = false;
  // Pairs of description and pattern separated by "|".
  std::string Filter;
  std::string Extension;
};

// 0 sizeable, 1 dialog, 2 plain border, 4 no border, 6 tool window.
using TvxWindowKind = Byte;
// 0 system menu, 1 close, 2 help, 3 minimize, 4 restore from minimized, 5 maximize,
// 6 restore from maximized, 7 roll up, 8 roll down, 9 tray; 10..12 only asked by hit testing.
using TvxTitleButton = Byte;
// 0 nothing, 1 caption, 2..5 left, top, right, bottom border, 7..10 corners (top-left,
// top-right, bottom-left, bottom-right), 11 close, 12 help, 13 minimize, 14 maximize, 15 roll,
// 16 tray, 17 system menu.
using TvxHitCode = Byte;

// A theme class as the manager and the engine see it.
struct TvxThemeClass {
  const char* ClassName;
  std::string (*GetThemeName)();
  TvxThemeConfig (*GetFileInfo)();
  // The stream holds data the class can load; the caller restores the position.
  bool (*IsValidStream)(TStream& Stream);
  std::unique_ptr<TvxTheme> (*Create)();
};

// Only a way back to the theme; the groups of operations live on the theme itself.
class TvxThemeDrawing {
 public:
  explicit TvxThemeDrawing(TvxTheme* Theme) : FTheme(Theme) {}
  TvxTheme* Theme() const { return FTheme; }

 private:
  TvxTheme* FTheme;
};

class TvxThemeMetrics {
 public:
  explicit TvxThemeMetrics(TvxTheme* Theme) : FTheme(Theme) {}
  TvxTheme* Theme() const { return FTheme; }

 private:
  TvxTheme* FTheme;
};

class TvxTheme : public TPersistent, public TvxTableTheme {
 public:
  // The owned tables, "Default theme", then ResetDefaults. Derived classes that override the
  // SetDefault... operations call ResetDefaults again at the end of their own construction.
  TvxTheme();
  ~TvxTheme() override;
  TvxTheme(const TvxTheme&) = delete;
  TvxTheme& operator=(const TvxTheme&) = delete;

  // [Class] The base class's record; every theme class declares its own pair.
  static const TvxThemeClass& StaticThemeClass();
  virtual const TvxThemeClass& ThemeClass() const { return StaticThemeClass(); }
  static std::string GetThemeName() { return "Default"; }
  static TvxThemeConfig GetFileInfo() { return {}; }
  static bool IsValidStream(TStream&) { return false; }

  // [General operations]
  // From another theme: Name and the four tables (not FileName, not the shifts).
  void Assign(const TPersistent* Source) override;
  virtual void SetDefaultColors();
  virtual void SetDefaultSysColors();
  virtual void SetDefaultFonts();
  void GetFont(TFont& Font, Integer Index, const std::string& Name) override;
  virtual bool LoadFromStream(TStream& Stream);
  virtual bool SaveToStream(TStream& Stream);
  virtual bool LoadFromFile(const std::string& FileName);
  virtual bool SaveToFile(const std::string& FileName);
  virtual void ResetDefaults();
  void DrawText(TCanvas& Canvas, const TvxTextInfo& Info);

  // [Properties] Changing a shift resets the tables, so shifts never accumulate.
  TvxThemeColors& Colors() const { return *FColors; }
  TvxThemeFonts& Fonts() const { return *FFonts; }
  TvxThemeSysColors& SysColors() const { return *FSysColors; }
  TvxThemeOptions& Options() const { return *FOptions; }
  TvxThemeDrawing& Drawing() const { return *FDrawing; }
  TvxThemeMetrics& Metrics() const { return *FMetrics; }
  Integer DeltaHue() const { return FDeltaHue; }
  void SetDeltaHue(Integer Value);
  Integer DeltaBrightness() const { return FDeltaBrightness; }
  void SetDeltaBrightness(Integer Value);
  void SetDeltas(Integer Hue, Integer Brightness);
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }

  // [Control operations] Slot order; see the groups below.

 private:
  std::unique_ptr<TvxThemeColors> FColors;
  std::unique_ptr<TvxThemeFonts> FFonts;
  Integer FDeltaHue = 0;
  Integer FDeltaBrightness = 0;
  std::string FName;
  std::string FFileName;
  std::unique_ptr<TvxThemeSysColors> FSysColors;
  std::unique_ptr<TvxThemeDrawing> FDrawing;
  std::unique_ptr<TvxThemeMetrics> FMetrics;
  std::unique_ptr<TvxThemeOptions> FOptions;
};

// Declares a theme class's record: ThemeClass() and StaticThemeClass() built from the class's
// own static GetThemeName, GetFileInfo and IsValidStream and its default constructor.
template <typename TTheme>
const TvxThemeClass& MakeThemeClass(const char* ClassName) {
  static const TvxThemeClass Record{ClassName, &TTheme::GetThemeName, &TTheme::GetFileInfo, &TTheme::IsValidStream,
                                    []() -> std::unique_ptr<TvxTheme> { return std::make_unique<TTheme>(); }};
  return Record;
}
