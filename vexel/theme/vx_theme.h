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

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/canvas.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/theme/vx_theme_tables.h"

// <windows.h> maps DrawText to DrawTextA; here it is the theme's own name, the same in every unit
// (included above so that its macro cannot come back later).
#ifdef DrawText
#undef DrawText
#endif

class TvxTheme;

// A question put to a theme while it paints: what part of the skin paints Point, a pixel of the
// device surface under the canvas (window origins and viewport origins are taken into account).
// Every paint that covers Point answers over the one before, so after painting a whole window
// the answer is the part on top. Themes drawn in code answer nothing. Point is set before the probe
// goes on the theme.
struct TvxPaintProbe {
  TPoint Point;
  bool Found = false;
  std::vector<std::string> Path;  // object names from the top-level object down
  std::string Image;              // empty when the part is a colour fill
  TRect Link;                     // the part of Image painted in the current state
  // "Form.Caption.CloseButton", then "SlateBars (124, 23, 140, 39)" on a second line for an
  // image; "Not painted by the skin" when nothing answered.
  std::wstring Describe() const;
};

// [Records] Handed to the operations read-only; out parameters are filled by the theme.

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
  // From another theme: Name and the four tables (not FileName, not the shifts). The system
  // colours and fonts copied in are also what later resets shift from.
  void Assign(const TPersistent* Source) override;
  virtual void SetDefaultColors();
  // UnshiftedSysColors, then the two shifts.
  virtual void SetDefaultSysColors();
  virtual void SetDefaultFonts();
  void GetFont(TFont& Font, Integer Index, const std::string& Name) override;
  virtual bool LoadFromStream(TStream& Stream);
  virtual bool SaveToStream(TStream& Stream);
  virtual bool LoadFromFile(const std::string& FileName);
  virtual bool SaveToFile(const std::string& FileName);
  virtual void ResetDefaults();
  // Text in the canvas font, placed by moving its measured rectangle inside Info.Rect (no
  // platform alignment flags); turned text through engine bitmaps. Shared by every theme.
  void DrawText(TCanvas& Canvas, const TvxTextInfo& Info);

  // [Properties] Changing a shift resets the tables, so shifts never accumulate.
  TvxThemeColors& Colors() const { return *FColors; }
  TvxThemeFonts& Fonts() const { return *FFonts; }
  TvxThemeSysColors& SysColors() const { return *FSysColors; }
  // What the base class's resets shift from, so that shifts never pile up: the platform's system
  // colours at creation and the fonts, until Assign (or a caller) writes others. A reset puts the
  // base theme's default fonts into UnshiftedFonts first; the fonts it leaves alone keep theirs.
  TvxThemeSysColors& UnshiftedSysColors() const { return *FUnshiftedSysColors; }
  TvxThemeFonts& UnshiftedFonts() const { return *FUnshiftedFonts; }
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
  // While set (the caller owns it), the paints report into Probe; nil stops the reports. Only the
  // thread that paints reads it.
  TvxPaintProbe* PaintProbe() const { return FPaintProbe; }
  virtual void SetPaintProbe(TvxPaintProbe* Probe) { FPaintProbe = Probe; }

  // [Control operations] Slot order. Kind picks a variant inside a group (unknown kinds are not
  // defined); Name is the theme object the control asks for, ignored by themes drawn in code.
  // Regions are returned to the caller to own; nullptr means rectangular.

  // ---- Forms (Kind: TvxWindowKind) ----
  virtual bool IsFormDefined(TvxWindowKind Kind, const std::string& Name);
  virtual HRGN GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name);
  virtual TvxHitCode FormHitTest(TvxWindowKind Kind, const TvxWindowInfo& Info, const std::string& Name, Integer X,
                                 Integer Y);
  virtual void GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name);
  virtual void GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name);
  virtual void GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name,
                                 TvxTitleButton Button);
  virtual void DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TvxWindowInfo& Info);
  virtual void DrawFormBackground(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                                   const TvxWindowInfo& Info);
  virtual void DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                              const TvxTitleButtonInfo& Info);
  virtual void DrawFormGripper(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                               const TvxGripperInfo& Info);

  // ---- Hints ----
  virtual bool IsHintDefined();
  virtual void GetHintClientRect(const TRect& R, TRect& Client);
  virtual void DrawHint(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);

  // ---- Labels ----
  virtual bool IsLabelDefined(Byte Kind, const std::string& Name);
  virtual bool IsLabelTransparent(Byte Kind, const std::string& Name);
  virtual void DrawLabelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info);

  // ---- Panels (Kind 0 raised, 1 framed and sunken) ----
  virtual bool IsPanelDefined(Byte Kind, const std::string& Name);
  virtual bool IsPanelTransparent(Byte Kind, const std::string& Name);
  virtual void GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  // Nothing calls it; kept for the slot.
  virtual void DrawPanelReserved(Byte Kind, const TRect& R);
  virtual void DrawPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                             const TvxStateInfo& State);

  // ---- Buttons (Kind 0 push button, 4..7 spin arrows up, down, left, right) ----
  // Info.State: 0 normal, 1 hot, 2 pressed, 3 disabled, 4 focused, 6 default button.
  virtual bool IsButtonDefined(Byte Kind, const std::string& Name);
  // True: the control paints its parent's background first.
  virtual bool IsButtonTransparent(Byte Kind, const std::string& Name);
  virtual void DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawButtonText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info, Byte State);
  virtual void DrawButtonGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                               Byte State);

  // ---- Check boxes and radio buttons (Kind 0 check box, 1 radio button) ----
  // Info.State: 0 checked, 5 unchecked, 10 mixed, plus 0 normal, 1 hot, 2 pressed, 3 disabled.
  virtual bool IsCheckBoxDefined(Byte Kind, const std::string& Name);
  virtual bool IsCheckBoxTransparent(Byte Kind, const std::string& Name);
  virtual void DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawCheckBoxText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State);

  // ---- Splitters ----
  virtual bool IsSplitterDefined(Byte Kind);
  virtual bool IsSplitterTransparent(Byte Kind);
  virtual void DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);

  // ---- Scroll bars ----
  // The record's first byte (State) is the part: 0 up, 1 down, 4 left, 5 right arrow, further
  // values for thumbs and tracks; the second (Part) is the state: 0 normal, 1 pressed, 2 hot,
  // 3 disabled.
  virtual bool IsScrollBarDefined(Byte Kind, const std::string& Name);
  virtual bool IsScrollBarTransparent(Byte Kind, const std::string& Name);
  virtual void DrawScrollBarFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawScrollBarPart(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawScrollBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);

  // ---- Progress bars ----
  virtual bool IsProgressBarDefined(Byte Kind, const std::string& Name);
  virtual bool IsProgressBarTransparent(Byte Kind, const std::string& Name);
  virtual void GetProgressBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawProgressBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);

  // ---- Track bars ----
  virtual bool IsTrackBarDefined(Byte Kind, const std::string& Name);
  virtual bool IsTrackBarTransparent(Byte Kind, const std::string& Name);
  virtual void DrawTrackBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawTrackBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawTrackBarThumb(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);

  // ---- Header controls ----
  virtual bool IsHeaderDefined(Byte Kind, const std::string& Name);
  virtual bool IsHeaderTransparent(Byte Kind, const std::string& Name);
  virtual void DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawHeaderSectionText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                     Byte State);
  virtual void DrawHeaderSectionGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                      Byte State);

  // ---- Status bars ----
  virtual bool IsStatusBarDefined(Byte Kind, const std::string& Name);
  virtual bool IsStatusBarTransparent(Byte Kind, const std::string& Name);
  virtual void GetStatusBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawStatusPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                   Byte State);
  virtual void DrawStatusPanelGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                    Byte State);

  // ---- Edits and combo boxes (Kind: kesc... edit sub-kind) ----
  virtual bool IsEditDefined(Byte Kind, const std::string& Name);
  virtual bool IsEditTransparent(Byte Kind, const std::string& Name);
  virtual void GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);

  // ---- Group boxes ----
  virtual bool IsGroupBoxDefined(Byte Kind, const std::string& Name);
  virtual bool IsGroupBoxTransparent(Byte Kind, const std::string& Name);
  virtual void GetGroupBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info);
  virtual void DrawGroupBoxText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State);

  // ---- Edit frames (no control asks for them) ----
  virtual bool IsEditFrameDefined(Byte Kind);
  virtual bool IsEditFrameTransparent(Byte Kind);
  virtual void GetEditFrameClientRect(const TRect& R, TRect& Client);
  virtual void DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);

  // ---- Boxes (no control asks for them) ----
  virtual bool IsBoxDefined(Byte Kind);
  virtual bool IsBoxTransparent(Byte Kind);
  virtual void GetBoxClientRect(const TRect& R, TRect& Client);
  virtual void DrawBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);

  // ---- Menus (Kind 0 menu bar, 1 popup menu) ----
  virtual bool IsMenuDefined(Byte Kind, const std::string& Name);
  virtual bool IsMenuTransparent(Byte Kind, const std::string& Name);
  virtual void GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  // Info's first byte (State) is the part: 0 item, 1 separator; the second (Part) the state.
  virtual void DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info);
  virtual void DrawMenuItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State);
  virtual void DrawMenuItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuGlyphInfo& Glyph,
                                 Byte State);

  // ---- Control bars ----
  virtual bool IsControlBarDefined(Byte Kind, const std::string& Name);
  virtual void GetControlBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawControlBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);

  // ---- Tool bars and tool items (tool bars, speed buttons, bands, menu bars) ----
  virtual bool IsToolBarDefined(Byte Kind, const std::string& Name);
  virtual void GetToolBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawToolBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawToolBarItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxToolItemInfo& Info);
  virtual void DrawToolBarItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                   Byte State);
  virtual void DrawToolBarItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                    Byte State);

  // ---- Scroll boxes ----
  virtual bool IsScrollBoxDefined(Byte Kind, const std::string& Name);
  virtual void GetScrollBoxClientRect(const TRect& R, TRect& Client);
  virtual void DrawScrollBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);

  // ---- Header panels ----
  virtual bool IsHeaderPanelDefined(Byte Kind, const std::string& Name);
  virtual bool IsHeaderPanelTransparent(Byte Kind, const std::string& Name);
  virtual void GetHeaderPanelClientRect(const TRect& R, TRect& Client);
  virtual void DrawHeaderPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawHeaderPanelCaption(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawHeaderPanelButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  // Nothing calls it; kept for the slot.
  virtual void DrawHeaderPanelReserved(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawHeaderPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info);

  // ---- Tab controls ----
  virtual bool IsTabDefined(Byte Kind, const std::string& Name);
  virtual bool IsTabTransparent(Byte Kind, const std::string& Name);
  virtual void GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawTabText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                           const TvxStateInfo& State);
  virtual void DrawTabGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph, Byte State);

  // ---- List boxes ----
  virtual bool IsListBoxDefined(Byte Kind, const std::string& Name);
  virtual bool IsListBoxTransparent(Byte Kind, const std::string& Name);
  virtual void GetListBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  // Nothing calls it; kept for the slot.
  virtual void DrawListBoxReserved(Byte Kind, const TRect& R);
  virtual void DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawListBoxItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                   Byte State);
  virtual void DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                                const TvxStateInfo& State);

  // ---- Trees (no control asks for them) ----
  virtual bool IsTreeDefined(Byte Kind);
  virtual bool IsTreeTransparent(Byte Kind);
  virtual void GetTreeClientRect(Byte Kind, const TRect& R, TRect& Client);
  virtual void DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawTreeItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State);
  virtual void DrawTreeItemGlyph(Byte Kind, const TvxGlyphInfo& Info, Byte State);

  // ---- String grids ----
  virtual bool IsGridDefined(Byte Kind, const std::string& Name);
  virtual bool IsGridTransparent(Byte Kind, const std::string& Name);
  virtual void GetGridClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name);
  virtual void DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R);
  virtual void DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info);
  virtual void DrawGridCellText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State);
  virtual void DrawGridCellGlyph(Byte Kind, const TvxGlyphInfo& Info, Byte State);

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
  std::unique_ptr<TvxThemeSysColors> FUnshiftedSysColors;
  std::unique_ptr<TvxThemeFonts> FUnshiftedFonts;
  TvxPaintProbe* FPaintProbe = nullptr;
};

// For a scope in which a control paints into an image of its own that is then copied to Target's
// logical (0, 0): the theme's probe, when it has one, asks about the image's pixel that lands on
// its point. Nil for Theme or Target: nothing moves.
class TvxProbeShift {
 public:
  TvxProbeShift(TvxTheme* Theme, HDC Target);
  ~TvxProbeShift();
  TvxProbeShift(const TvxProbeShift&) = delete;
  TvxProbeShift& operator=(const TvxProbeShift&) = delete;

 private:
  TvxTheme* FTheme = nullptr;
  TPoint FSaved;
};

// Sets a probe on a theme for one scope and takes it off again.
class TvxProbeScope {
 public:
  TvxProbeScope(TvxTheme& Theme, TvxPaintProbe& Probe) : FTheme(Theme) { Theme.SetPaintProbe(&Probe); }
  ~TvxProbeScope() { FTheme.SetPaintProbe(nullptr); }
  TvxProbeScope(const TvxProbeScope&) = delete;
  TvxProbeScope& operator=(const TvxProbeScope&) = delete;

 private:
  TvxTheme& FTheme;
};

// Declares a theme class's record: ThemeClass() and StaticThemeClass() built from the class's
// own static GetThemeName, GetFileInfo and IsValidStream and its default constructor.
template <typename TTheme>
const TvxThemeClass& MakeThemeClass(const char* ClassName) {
  static const TvxThemeClass Record{ClassName, &TTheme::GetThemeName, &TTheme::GetFileInfo, &TTheme::IsValidStream,
                                    []() -> std::unique_ptr<TvxTheme> { return std::make_unique<TTheme>(); }};
  return Record;
}
