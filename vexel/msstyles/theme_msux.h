// TVxThemeMsStyles: a theme whose look comes from a Windows visual-style file (".msstyles"), a
// resource-only module holding an ini text that describes the themed parts of every control and
// the bitmaps that text names. The file is read as data (msux_module.h): nothing in it runs.
//
// Loading, the stream form "ZQMSSTL" and the tables taken from the file live in theme_msux.cpp;
// the drawing operations in theme_msux_forms.cpp, theme_msux_controls.cpp and
// theme_msux_menus.cpp. Windows only.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/font.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/msstyles/msux_stream.h"
#include "vexel/msstyles/theme_msuxobjects.h"
#include "vexel/theme/vx_theme.h"

class TMemIniFile;
class TmsuxModule;


class TVxThemeMsStyles : public TvxTheme, public TmsuxImageSource {
 public:
  TVxThemeMsStyles();
  ~TVxThemeMsStyles() override;

  static const TvxThemeClass& StaticThemeClass();
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static std::string GetThemeName() { return "Microsoft msstyles"; }
  static TvxThemeConfig GetFileInfo();
  static bool IsValidStream(TStream& Stream);

  // [Loading and defaults]
  void Assign(const TPersistent* Source) override;
  bool LoadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  bool LoadFromFile(const std::string& FileName) override;
  // Style files are never written: always false.
  bool SaveToFile(const std::string& FileName) override;
  void ResetDefaults() override;
  void SetDefaultColors() override;
  void SetDefaultSysColors() override;
  void SetDefaultFonts() override;

  // Name, ini text and images from the stream form; false (and nothing changed) without the mark.
  // The objects are freed: Build makes them again. A damaged stream raises and changes nothing.
  bool ReadStream(TStream& Stream);
  // The objects, the metrics and the values of [SysMetrics] from the pristine content (FCache,
  // or the current content the first time), with the shifts applied once. A malformed number
  // raises EConvertError and leaves the theme as it was.
  void Build();
  bool IsEmpty() const;
  // Upper-cased Name, once per name: the style file's bitmap while a file is being loaded; an
  // empty image when there is no file open, no such resource or it does not decode.
  void LoadStyleImage(const std::string& Name) override;
  static std::string NormalizeImageName(const std::string& Value);

  // The object of a slot; nil before a style is built.
  TmsuxThemeObject* Object(TmsuxObjectSlot Slot) const { return FObjects[size_t(Slot)].get(); }
  const std::string& StylesFile() const { return FStylesFile; }
  const std::string& StyleName() const { return FStyleName; }
  const TMemIniFile& Ini() const { return *FIni; }
  TvxBitmapList& StyleImages() const { return *FStyleImages; }
  const std::vector<std::string>& ColorNames() const { return FColorNames; }
  const std::vector<std::string>& SizeNames() const { return FSizeNames; }
  const std::vector<std::string>& FileResNames() const { return FFileResNames; }
  Integer CaptionBarHeight() const { return FCaptionBarHeight; }
  Integer SMCaptionBarHeight() const { return FSMCaptionBarHeight; }
  Integer BorderWidth() const { return FBorderWidth; }
  Integer SMBorderWidth() const { return FSMBorderWidth; }
  TMemoryStream& Cache() const { return *FCache; }
  TFont& MenuFont() const { return *FMenuFont; }
  TFont& StatusFont() const { return *FStatusFont; }
  TFont& MsgBoxFont() const { return *FMsgBoxFont; }
  TColor MenuColor() const { return FMenuColor; }
  TColor MenuHilightColor() const { return FMenuHilightColor; }

  // [Drawing] The operations the style draws itself; every other slot keeps the base drawing
  // (theme_msux_forms.cpp, theme_msux_controls.cpp, theme_msux_menus.cpp).
  // [Forms]
  bool IsFormDefined(TvxWindowKind Kind, const std::string& Name) override;
  HRGN GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name) override;
  void GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) override;
  void GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) override;
  void GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name,
                         TvxTitleButton Button) override;
  void DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TvxWindowInfo& Info) override;
  void DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                           const TvxWindowInfo& Info) override;
  void DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                      const TvxTitleButtonInfo& Info) override;
  TvxHitCode FormHitTest(TvxWindowKind Kind, const TvxWindowInfo& Info, const std::string& Name, Integer X,
                         Integer Y) override;
  void DrawFormBackground(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Panels]
  bool IsPanelDefined(Byte Kind, const std::string& Name) override;
  void GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Buttons]
  bool IsButtonDefined(Byte Kind, const std::string& Name) override;
  bool IsButtonTransparent(Byte Kind, const std::string& Name) override;
  void DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Check boxes and radio buttons]
  bool IsCheckBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsCheckBoxTransparent(Byte Kind, const std::string& Name) override;
  void DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Splitters]
  bool IsSplitterDefined(Byte Kind) override;
  void DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Scroll bars] Only kind 0 is drawn.
  bool IsScrollBarDefined(Byte Kind, const std::string& Name) override;
  bool IsScrollBarTransparent(Byte Kind, const std::string& Name) override;
  void DrawScrollBarFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawScrollBarPart(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawScrollBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Progress bars]
  bool IsProgressBarDefined(Byte Kind, const std::string& Name) override;
  bool IsProgressBarTransparent(Byte Kind, const std::string& Name) override;
  void DrawProgressBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Track bars]
  bool IsTrackBarDefined(Byte Kind, const std::string& Name) override;
  bool IsTrackBarTransparent(Byte Kind, const std::string& Name) override;
  void DrawTrackBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTrackBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawTrackBarThumb(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Header controls]
  bool IsHeaderDefined(Byte Kind, const std::string& Name) override;
  void DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Status bars]
  bool IsStatusBarDefined(Byte Kind, const std::string& Name) override;
  void GetStatusBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Edits]
  bool IsEditDefined(Byte Kind, const std::string& Name) override;
  void GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Group boxes]
  bool IsGroupBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsGroupBoxTransparent(Byte Kind, const std::string& Name) override;
  void DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info) override;

  // [Edit frames, boxes]
  bool IsEditFrameDefined(Byte Kind) override;
  bool IsEditFrameTransparent(Byte Kind) override;
  void GetEditFrameClientRect(const TRect& R, TRect& Client) override;
  void DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  bool IsBoxDefined(Byte Kind) override;
  bool IsBoxTransparent(Byte Kind) override;
  void GetBoxClientRect(const TRect& R, TRect& Client) override;
  void DrawBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Menus]
  bool IsMenuDefined(Byte Kind, const std::string& Name) override;
  bool IsMenuTransparent(Byte Kind, const std::string& Name) override;
  void GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info) override;
  void DrawMenuItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuGlyphInfo& Glyph,
                         Byte State) override;

  // [Control bars and tool bars]
  bool IsControlBarDefined(Byte Kind, const std::string& Name) override;
  void GetControlBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawControlBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  bool IsToolBarDefined(Byte Kind, const std::string& Name) override;
  void DrawToolBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawToolBarItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxToolItemInfo& Info) override;

  // [Scroll boxes]
  bool IsScrollBoxDefined(Byte Kind, const std::string& Name) override;
  void GetScrollBoxClientRect(const TRect& R, TRect& Client) override;
  void DrawScrollBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Header panels]
  bool IsHeaderPanelDefined(Byte Kind, const std::string& Name) override;
  bool IsHeaderPanelTransparent(Byte Kind, const std::string& Name) override;
  void GetHeaderPanelClientRect(const TRect& R, TRect& Client) override;
  void DrawHeaderPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawHeaderPanelCaption(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawHeaderPanelButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Tabs]
  bool IsTabDefined(Byte Kind, const std::string& Name) override;
  void GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [List boxes, trees, grids]
  bool IsListBoxDefined(Byte Kind, const std::string& Name) override;
  void DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                        const TvxStateInfo& State) override;
  bool IsTreeDefined(Byte Kind) override;
  void DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  bool IsGridDefined(Byte Kind, const std::string& Name) override;
  void DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

 private:
  // What [SysMetrics] gives the colour and font tables, parsed when the objects are built.
  struct TFontValues {
    std::string Name;
    Integer Size = 8;
    TFontStyles Style;
  };
  struct TSysValues {
    TColor Window = 0, BtnFace = 0, Highlight = 0, BtnShadow = 0, HighlightText = 0;
    TColor Menu = 0, MenuHilight = 0, CaptionText = 0, InactiveCaptionText = 0;
    std::string CaptionFontName;
    Integer CaptionFontSize = 10;
    TFontValues MenuFont, StatusFont, MsgBoxFont;
  };
  struct TBuilt;

  // Builds from Content (taking it over); Pristine: Content becomes FCache.
  void BuildFrom(TmsuxStreamContent Content, bool Pristine);
  void FreeObjects();

  std::string FStylesFile;
  std::string FStyleName;
  std::unique_ptr<TMemIniFile> FIni;
  Integer FColorScheme = 0;
  Integer FSizeIndex = 0;
  std::vector<std::string> FColorNames, FSizeNames;
  std::unique_ptr<TvxBitmapList> FStyleImages;
  std::array<std::unique_ptr<TmsuxThemeObject>, msuxObjectSlots> FObjects;
  std::vector<std::string> FFileResNames;
  Integer FCaptionBarHeight = 25;
  Integer FSMCaptionBarHeight = 17;
  Integer FBorderWidth = 4;
  Integer FSMBorderWidth = 3;
  std::unique_ptr<TMemoryStream> FCache;
  std::unique_ptr<TFont> FMenuFont, FStatusFont, FMsgBoxFont;
  TColor FMenuColor = clBtnFace;
  TColor FMenuHilightColor = clHighlight;
  TSysValues FSysValues;
  // While a style file is loaded: the open module, and the list its images go into.
  const TmsuxModule* FModule = nullptr;
  // Pixels decoded so far from FModule: one load decodes at most vxMaxBitmapPixels in all.
  int64_t FDecodedPixels = 0;
  TvxBitmapList* FLoadingImages = nullptr;
};
