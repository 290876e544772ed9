// TVxFlatTheme: the built-in theme "Flat", drawn entirely in code. Every control is a solid fill
// in a theme colour with a one-pixel frame in the colour Border; glyphs are the platform's
// frame-control images in one colour. It needs no file and cannot be saved. TVxOfficeXPTheme
// (theme_officexp.h) is the same drawing with other tables and a wider popup-menu image column.
//
// The class-level answers, tables and forms live in theme_flat.cpp; the control groups in
// theme_flat_controls.cpp; menus and tool bars in theme_flat_menus.cpp. Windows only.
#pragma once

#include <span>
#include <string>
#include <utility>

#include "vexel/theme/vx_theme.h"

class TVxFlatTheme : public TvxTheme {
 public:
  TVxFlatTheme();

  static const TvxThemeClass& StaticThemeClass();
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static std::string GetThemeName() { return "Flat"; }
  static TvxThemeConfig GetFileInfo();

  // Width of the image column at the left of popup menus: 0 here, so popup menus show only a
  // 2-pixel strip. Not copied by Assign.
  Integer MenuGutter() const { return FMenuGutter; }
  void SetMenuGutter(Integer Value) { FMenuGutter = Value; }

  // [General operations] Entries the tables leave alone (the colours Hint and BarDock, some
  // fonts) keep their values.
  void SetDefaultColors() override;
  void SetDefaultFonts() override;

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

  // [Hints] Drawn by the platform.
  bool IsHintDefined() override;

  // [Labels]
  bool IsLabelDefined(Byte Kind, const std::string& Name) override;
  bool IsLabelTransparent(Byte Kind, const std::string& Name) override;

  // [Panels]
  bool IsPanelDefined(Byte Kind, const std::string& Name) override;
  bool IsPanelTransparent(Byte Kind, const std::string& Name) override;
  void GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Buttons]
  bool IsButtonDefined(Byte Kind, const std::string& Name) override;
  bool IsButtonTransparent(Byte Kind, const std::string& Name) override;
  void DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawButtonGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                       Byte State) override;

  // [Check boxes and radio buttons]
  bool IsCheckBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsCheckBoxTransparent(Byte Kind, const std::string& Name) override;
  void DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Splitters]
  bool IsSplitterDefined(Byte Kind) override;
  bool IsSplitterTransparent(Byte Kind) override;
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
  bool IsHeaderTransparent(Byte Kind, const std::string& Name) override;
  void DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawHeaderSectionText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                             Byte State) override;
  void DrawHeaderSectionGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                              Byte State) override;

  // [Status bars]
  bool IsStatusBarDefined(Byte Kind, const std::string& Name) override;
  bool IsStatusBarTransparent(Byte Kind, const std::string& Name) override;
  void GetStatusBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawStatusPanelGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                            Byte State) override;

  // [Edits]
  bool IsEditDefined(Byte Kind, const std::string& Name) override;
  bool IsEditTransparent(Byte Kind, const std::string& Name) override;
  void GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Group boxes]
  bool IsGroupBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsGroupBoxTransparent(Byte Kind, const std::string& Name) override;
  void GetGroupBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
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
  void DrawToolBarItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                            Byte State) override;

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
  bool IsTabTransparent(Byte Kind, const std::string& Name) override;
  void GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawTabText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                   const TvxStateInfo& State) override;

  // [List boxes, trees, grids]
  bool IsListBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsListBoxTransparent(Byte Kind, const std::string& Name) override;
  void GetListBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawListBoxReserved(Byte Kind, const TRect& R) override;
  void DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                        const TvxStateInfo& State) override;
  bool IsTreeDefined(Byte Kind) override;
  bool IsTreeTransparent(Byte Kind) override;
  void GetTreeClientRect(Byte Kind, const TRect& R, TRect& Client) override;
  void DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  bool IsGridDefined(Byte Kind, const std::string& Name) override;
  bool IsGridTransparent(Byte Kind, const std::string& Name) override;
  void GetGridClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

 protected:
  // The colours Table names, shifted; the others keep their values.
  void SetFlatColors(std::span<const std::pair<TvxThemeColorIndex, TColor>> Table);
  // The font table of both built-in themes; they differ in the caption colours and in whether
  // the static texts (fonts 4 to 7) are set.
  void SetFlatFonts(TColor CaptionNormal, TColor CaptionInactive, bool StaticTexts);
  TColor Color(Integer Index) const { return Colors().Color(Index); }
  // Fill in theme colour Fill (none for clNone), then a frame in Border.
  void FillBordered(TCanvas& Canvas, const TRect& R, TColor Fill) const;

 private:
  Integer FMenuGutter = 0;
};
