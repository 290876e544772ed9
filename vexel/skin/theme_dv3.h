// TVxSkinFile: the theme that paints windows and controls with a skin. It owns the skin as
// loaded (LoadedSkin, what is saved) and a working copy (WorkSkin) on which every paint happens,
// with the hue and brightness shifts applied. A table caches the top-level objects that serve
// each kind of control by default; a control's ThemeObject name picks another top-level object.
// Windows only, like every theme.
//
// The control operations live by group: theme_dv3_forms.cpp (frames, title buttons, hints) and
// theme_dv3_controls.cpp (every control group).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "vexel/skin/theme_dv3draw.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_theme.h"

// The cached default objects. The clones (metrics, buttons, client copies) belong to the theme;
// every other entry belongs to WorkSkin.
enum class TVxSkinEntry : uint8_t {
  FormObject,
  FormClient,
  FormMetrics,
  FormButtons,
  FormClientCopy,
  ToolWindowObject,
  ToolWindowClient,
  ToolWindowMetrics,
  ToolWindowButtons,
  ToolWindowClientCopy,
  Button,
  Checkbox,
  RadioButton,
  GroupBox,
  ScrollBar,
  ProgressBar,
  Edit,
  ComboBox,
  TrackBar,
  MenuBar,
  PopupMenu,
  Header,
  StatusBar,
  Tabs,
  Container,
  Frame,
  ScrollBox,
  Splitter,
  SpinButton,
  ControlBar,
  Grid,
  ListBox,
  Hint,
  SpeedButton,
  ToolBar,
  Panel,
  Count
};

class TVxSkinFile : public TvxTheme {
 public:
  TVxSkinFile();
  ~TVxSkinFile() override;

  static const TvxThemeClass& StaticThemeClass();
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static std::string GetThemeName() { return "Dalvek 3 theme"; }
  static TvxThemeConfig GetFileInfo();
  // A skin tag, or a bare compressed stream ("ZQLZ"); reads from the current position.
  static bool IsValidStream(TStream& Stream);

  // [General operations] A load answers whether the skin has at least one object. A load that
  // fails (no objects, unreadable data) leaves the theme as it was.
  void Assign(const TPersistent* Source) override;
  bool LoadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  bool LoadFromFile(const std::string& FileName) override;
  bool SaveToFile(const std::string& FileName) override;
  // WorkSkin starts again from LoadedSkin, so the shifts never accumulate.
  void ResetDefaults() override;
  void SetDefaultColors() override;
  void SetDefaultFonts() override;
  // Fills the table of default objects from WorkSkin (after applying the shifts to it).
  virtual void UpdateObjects();

  TDvSkinSource& LoadedSkin() const { return *FLoadedSkin; }
  TDvSkinSource& WorkSkin() const { return *FWorkSkin; }
  TDvSkinObject* DefaultObject(TVxSkinEntry Entry) const { return FDefaultObjects[size_t(Entry)]; }
  // The top-level object of WorkSkin called Name (letter case ignored), unless Name is exactly
  // "default".
  TDvSkinObject* Named(const std::string& Name) const;
  // Named(Name), else the table entry.
  TDvSkinObject* NamedOr(const std::string& Name, TVxSkinEntry Entry) const;
  // The names from the top-level object of WorkSkin down to Object; a copy the theme keeps apart
  // (a frame's client) answers with the path of what it was copied from.
  std::vector<std::string> ObjectPath(const TDvSkinObject& Object) const;

  // The skin's paints report the skin object and its image for the probe's point.
  void SetPaintProbe(TvxPaintProbe* Probe) override;

  // [Forms]
  bool IsFormDefined(TvxWindowKind Kind, const std::string& Name) override;
  HRGN GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name) override;
  TvxHitCode FormHitTest(TvxWindowKind Kind, const TvxWindowInfo& Info, const std::string& Name, Integer X,
                         Integer Y) override;
  void GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) override;
  void GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) override;
  void GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name,
                         TvxTitleButton Button) override;
  void DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TvxWindowInfo& Info) override;
  void DrawFormBackground(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                           const TvxWindowInfo& Info) override;
  void DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                      const TvxTitleButtonInfo& Info) override;
  void DrawFormGripper(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                       const TvxGripperInfo& Info) override;

  // [Hints]
  bool IsHintDefined() override;
  void GetHintClientRect(const TRect& R, TRect& Client) override;
  void DrawHint(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Panels]
  bool IsPanelDefined(Byte Kind, const std::string& Name) override;
  void GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Buttons]
  bool IsButtonDefined(Byte Kind, const std::string& Name) override;
  bool IsButtonTransparent(Byte Kind, const std::string& Name) override;
  void DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawButtonText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                      Byte State) override;

  // [Check boxes and radio buttons]
  bool IsCheckBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsCheckBoxTransparent(Byte Kind, const std::string& Name) override;
  void DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Splitters]
  bool IsSplitterDefined(Byte Kind) override;
  void DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;

  // [Scroll bars]
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
  void DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawStatusPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                           Byte State) override;

  // [Edits and combo boxes]
  bool IsEditDefined(Byte Kind, const std::string& Name) override;
  void GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

  // [Group boxes]
  bool IsGroupBoxDefined(Byte Kind, const std::string& Name) override;
  bool IsGroupBoxTransparent(Byte Kind, const std::string& Name) override;
  void DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info) override;

  // [Edit frames and boxes]
  bool IsEditFrameDefined(Byte Kind) override;
  void GetEditFrameClientRect(const TRect& R, TRect& Client) override;
  void DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  bool IsBoxDefined(Byte Kind) override;
  bool IsBoxTransparent(Byte Kind) override;

  // [Menus]
  bool IsMenuDefined(Byte Kind, const std::string& Name) override;
  void GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info) override;

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

  // [Tab controls]
  bool IsTabDefined(Byte Kind, const std::string& Name) override;
  void GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawTabText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                   const TvxStateInfo& State) override;

  // [List boxes, trees and grids]
  bool IsListBoxDefined(Byte Kind, const std::string& Name) override;
  void GetListBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  void DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                        const TvxStateInfo& State) override;
  bool IsTreeDefined(Byte Kind) override;
  void GetTreeClientRect(Byte Kind, const TRect& R, TRect& Client) override;
  void DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;
  bool IsGridDefined(Byte Kind, const std::string& Name) override;
  void GetGridClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) override;
  void DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) override;
  void DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) override;

 protected:
  // FormEntry (one of the five form entries) for window kinds 0, 1, 2 and 4, its tool-window
  // counterpart for kind 6; nil for other kinds.
  TDvSkinObject* WindowEntry(TvxWindowKind Kind, TVxSkinEntry FormEntry) const;

 private:
  void ClearObjects();
  // Replaces the client of the frame at Object with a placeholder and clones what the frame
  // operations need into the entries starting at First.
  void PrepareFrame(const std::string& Name, TVxSkinEntry First);
  TDvSkinObject* Keep(std::unique_ptr<TDvSkinObject> Clone);
  // Loads into a fresh source and takes it over only when it holds objects.
  bool TakeLoaded(std::unique_ptr<TDvSkinSource> Loaded);

  std::unique_ptr<TDvSkinSource> FLoadedSkin;
  std::unique_ptr<TDvSkinSource> FWorkSkin;
  std::array<TDvSkinObject*, size_t(TVxSkinEntry::Count)> FDefaultObjects{};
  std::vector<std::unique_ptr<TDvSkinObject>> FClones;
  // For each clone of an object below a top-level object: the path of the original's parent.
  std::vector<std::pair<const TDvSkinObject*, std::vector<std::string>>> FCloneParents;
  std::unique_ptr<TDvDrawProbe> FDrawProbe;
};

// Makes the skin theme known to the theme manager (by its extensions and stream tags). Every
// program that links the skin library has it done at start-up; calling it again does nothing.
void RegisterSkinTheme();
