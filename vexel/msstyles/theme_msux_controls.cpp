#include <exception>
#include <iterator>

#include "vexel/msstyles/theme_msux_paint.h"

// [Controls] A record's State is its first byte, Part its second. A frame of 0 in the tables
// below paints nothing.

namespace {

TColor Face(const TVxThemeMsStyles& T) { return T.SysColors().SysColor(clBtnFace); }

void RaisedFrame(const TVxThemeMsStyles& T, HDC DC, const TRect& R) {
  DrawBevel(DC, R, LightenColor(Face(T), 30), LightenColor(Face(T), -30));
}

void FillSys(const TVxThemeMsStyles& T, HDC DC, const TRect& R, TColor Key) {
  FillRectColor(DC, R, T.SysColors().SysColor(Key));
}

// Draws Slot at frame 1 with the fill colour of Variant for the one drawing (its own fill when
// the variant is missing).
void DrawWithFillOf(const TVxThemeMsStyles& T, TmsuxObjectSlot Slot, TmsuxObjectSlot Variant, TCanvas& Canvas,
                    const TRect& R) {
  TmsuxThemeObject* O = T.Object(Slot);
  if (!O) return;
  const TColor Saved = O->FillColor;
  if (const TmsuxThemeObject* V = T.Object(Variant)) O->FillColor = V->FillColor;
  O->Draw(Canvas, R, 1, TRect{});
  O->FillColor = Saved;
}

// List, tree and grid item backgrounds by the first byte: 2, 3 selected; 0, 1, 4 plain.
void DrawItemBackground(const TVxThemeMsStyles& T, HDC DC, const TvxStateInfo& Info) {
  if (Info.State == 2 || Info.State == 3)
    FillSys(T, DC, Info.Rect, clHighlight);
  else if (Info.State == 0 || Info.State == 1 || Info.State == 4)
    FillSys(T, DC, Info.Rect, clWindow);
}

}  // namespace

// [Panels]

bool TVxThemeMsStyles::IsPanelDefined(Byte Kind, const std::string& Name) { return true; }

void TVxThemeMsStyles::GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxThemeMsStyles::DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  const HDC DC = Canvas.Handle();
  FillRectColor(DC, R, Face(*this));
  RaisedFrame(*this, DC, R);
}

// [Buttons] Kinds 4 to 7 are the spin arrows.

namespace {
TmsuxObjectSlot ButtonSlot(Byte Kind) {
  switch (Kind) {
    case 4: return moSpinUp;
    case 5: return moSpinDown;
    case 6: return moSpinUphorz;
    case 7: return moSpinDownhorz;
    default: return moButtonPushbutton;
  }
}
}  // namespace

bool TVxThemeMsStyles::IsButtonDefined(Byte Kind, const std::string& Name) {
  return SlotExists(*this, ButtonSlot(Kind));
}

bool TVxThemeMsStyles::IsButtonTransparent(Byte Kind, const std::string& Name) {
  const TmsuxThemeObject* O = Object(moButtonPushbutton);
  return O && O->Transparent;
}

void TVxThemeMsStyles::DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  static constexpr Integer Frames[] = {1, 2, 3, 4, 5, 2, 5, 2, 3, 4, 3, 3};
  DrawSlot(*this, ButtonSlot(Kind), Canvas, Info.Rect, FrameFor(Frames, Info.State));
}

// [Check boxes and radio buttons]

bool TVxThemeMsStyles::IsCheckBoxDefined(Byte Kind, const std::string& Name) {
  return SlotExists(*this, moButtonCheckbox);
}

bool TVxThemeMsStyles::IsCheckBoxTransparent(Byte Kind, const std::string& Name) { return true; }

void TVxThemeMsStyles::DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Kind > 1) return;
  static constexpr Integer Frames[] = {5, 6, 7, 8, 5, 1, 2, 3, 4, 1, 9, 10, 11, 12, 9};
  DrawSlot(*this, Kind == 0 ? moButtonCheckbox : moButtonRadiobutton, Canvas, Info.Rect, FrameFor(Frames, Info.State));
}

// [Splitters]

bool TVxThemeMsStyles::IsSplitterDefined(Byte Kind) { return true; }

void TVxThemeMsStyles::DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillRectColor(Canvas.Handle(), R, Face(*this));
}

// [Scroll bars] The first byte is the part, the second the state.

namespace {
// 0 normal, 1 pressed, 2 hot, 3 disabled.
Integer ScrollStateFrame(Byte State) {
  static constexpr Integer Frames[] = {1, 3, 2, 4};
  return FrameFor(Frames, State);
}
}  // namespace

bool TVxThemeMsStyles::IsScrollBarDefined(Byte Kind, const std::string& Name) {
  return SlotExists(*this, moScrollBarArrowBtn);
}

bool TVxThemeMsStyles::IsScrollBarTransparent(Byte Kind, const std::string& Name) { return false; }

void TVxThemeMsStyles::DrawScrollBarFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TVxThemeMsStyles::DrawScrollBarPart(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                         const TvxStateInfo& Info) {
  if (Kind != 0) return;
  const Integer Frame = ScrollStateFrame(Info.Part);
  if (Frame == 0) return;
  switch (Info.State) {
    case 8:
      DrawSlot(*this, moScrollBarThumbBtnHorz, Canvas, Info.Rect, Frame);
      DrawSlot(*this, moScrollBarGripperHorz, Canvas, Info.Rect, Frame);
      break;
    case 9:
      DrawSlot(*this, moScrollBarThumbBtnVert, Canvas, Info.Rect, Frame);
      DrawSlot(*this, moScrollBarGripperVert, Canvas, Info.Rect, Frame);
      break;
    default: {
      const Integer Shift = Info.State == 1 ? 4 : Info.State == 4 ? 8 : Info.State == 5 ? 12 : 0;
      DrawSlot(*this, moScrollBarArrowBtn, Canvas, Info.Rect, Frame + Shift);
    }
  }
}

void TVxThemeMsStyles::DrawScrollBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                          const TvxStateInfo& Info) {
  if (Info.State == 0)
    DrawSlot(*this, moScrollBarUpperTrackVert, Canvas, Info.Rect, 1);
  else if (Info.State == 1)
    DrawSlot(*this, moScrollBarUpperTrackHorz, Canvas, Info.Rect, ScrollStateFrame(Info.Part));
}

// [Progress bars]

bool TVxThemeMsStyles::IsProgressBarDefined(Byte Kind, const std::string& Name) {
  return SlotExists(*this, moProgress);
}

bool TVxThemeMsStyles::IsProgressBarTransparent(Byte Kind, const std::string& Name) { return false; }

void TVxThemeMsStyles::DrawProgressBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  static constexpr TmsuxObjectSlot Slots[] = {moProgressBarVert, moProgressBar,       moProgressChunkVert,
                                              moProgressChunk,   moProgressChunkVert, moProgressChunk};
  if (Info.State < std::size(Slots)) DrawSlot(*this, Slots[Info.State], Canvas, Info.Rect, 1);
}

// [Track bars]

bool TVxThemeMsStyles::IsTrackBarDefined(Byte Kind, const std::string& Name) {
  return SlotHasProperties(*this, moTrackBar);
}

bool TVxThemeMsStyles::IsTrackBarTransparent(Byte Kind, const std::string& Name) { return true; }

void TVxThemeMsStyles::DrawTrackBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TVxThemeMsStyles::DrawTrackBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                         const TvxStateInfo& Info) {
  if (Info.State == 0)
    DrawSlot(*this, moTrackBarTrackVert, Canvas, Info.Rect, 1);
  else if (Info.State == 1)
    DrawSlot(*this, moTrackBarTrack, Canvas, Info.Rect, 1);
}

void TVxThemeMsStyles::DrawTrackBarThumb(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                         const TvxStateInfo& Info) {
  static constexpr TmsuxObjectSlot Slots[] = {moTrackBarThumbVert, moTrackBarThumbRight,  moTrackBarThumbLeft,
                                              moTrackBarThumb,     moTrackBarThumbBottom, moTrackBarThumbTop};
  if (Info.State < std::size(Slots) && Info.Part <= 4)
    DrawSlot(*this, Slots[Info.State], Canvas, Info.Rect, Info.Part + 1);
}

// [Header controls]

bool TVxThemeMsStyles::IsHeaderDefined(Byte Kind, const std::string& Name) {
  return SlotHasProperties(*this, moHeader);
}

void TVxThemeMsStyles::DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moHeader, Canvas, R, 1);
}

void TVxThemeMsStyles::DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                         const TvxStateInfo& Info) {
  static constexpr Integer Frames[] = {1, 3, 1, 2, 2, 3, 1};
  DrawSlot(*this, moHeaderHeaderitem, Canvas, Info.Rect, FrameFor(Frames, Info.Part));
}

// [Status bars]

bool TVxThemeMsStyles::IsStatusBarDefined(Byte Kind, const std::string& Name) {
  return SlotHasProperties(*this, moStatus);
}

void TVxThemeMsStyles::GetStatusBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxThemeMsStyles::DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moStatus, Canvas, R, 1);
}

void TVxThemeMsStyles::DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  static constexpr TmsuxObjectSlot Slots[] = {moStatusPane, moStatusPane, moStatusGripperpane, moStatusGripper};
  if (Info.State < std::size(Slots)) DrawSlot(*this, Slots[Info.State], Canvas, Info.Rect, 1);
}

// [Edits] Kinds 4 to 6 are combo boxes.

bool TVxThemeMsStyles::IsEditDefined(Byte Kind, const std::string& Name) { return SlotHasProperties(*this, moEdit); }

void TVxThemeMsStyles::GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 4, 4);
}

void TVxThemeMsStyles::DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Byte State = Info.State;
  if (Kind >= 4 && Kind <= 6) {
    if (State < 4)
      DrawSlot(*this, moCombobox, Canvas, Info.Rect, 1);
    else if (State == 4)
      DrawWithFillOf(*this, moCombobox, moComboboxDisabled, Canvas, Info.Rect);
    return;
  }
  if (State < 4)
    DrawSlot(*this, moEdit, Canvas, Info.Rect, 1);
  else if (State == 4)
    DrawWithFillOf(*this, moEdit, moEditEdittextDisabled, Canvas, Info.Rect);
  else if (State == 5)
    DrawWithFillOf(*this, moEdit, moEditEdittextReadonly, Canvas, Info.Rect);
  else if (State == 6)
    FillSys(*this, Canvas.Handle(), Info.Rect, clHighlight);
}

void TVxThemeMsStyles::DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Info.Part != 0) return;
  static constexpr Integer Frames[] = {1, 2, 3, 1, 4};
  DrawSlot(*this, moComboboxDropDownButton, Canvas, Info.Rect, FrameFor(Frames, Info.State));
}

// [Group boxes]

bool TVxThemeMsStyles::IsGroupBoxDefined(Byte Kind, const std::string& Name) {
  return SlotHasProperties(*this, moButtonGroupbox);
}

bool TVxThemeMsStyles::IsGroupBoxTransparent(Byte Kind, const std::string& Name) {
  const TmsuxThemeObject* O = Object(moButtonGroupbox);
  return O && O->Transparent;
}

// The pixels under the caption are put back after the frame, so the frame never crosses it.
void TVxThemeMsStyles::DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info) {
  const TRect& CR = Info.CaptionRect;
  if (CR.IsEmpty()) return DrawSlot(*this, moButtonGroupbox, Canvas, Info.Rect, 1);
  const HDC DC = Canvas.Handle();
  TvxBitmap Saved;
  try {
    Saved.SetSize(CR.Width(), CR.Height());
  } catch (const std::exception&) {
    return DrawSlot(*this, moButtonGroupbox, Canvas, Info.Rect, 1);
  }
  BitBlt(Saved.DC(), 0, 0, CR.Width(), CR.Height(), DC, CR.Left, CR.Top, SRCCOPY);
  DrawSlot(*this, moButtonGroupbox, Canvas, Info.Rect, 1);
  BitBlt(DC, CR.Left, CR.Top, CR.Width(), CR.Height(), Saved.DC(), 0, 0, SRCCOPY);
}

// [Edit frames and boxes]

bool TVxThemeMsStyles::IsEditFrameDefined(Byte Kind) { return SlotHasProperties(*this, moEdit); }

bool TVxThemeMsStyles::IsEditFrameTransparent(Byte Kind) { return false; }

void TVxThemeMsStyles::GetEditFrameClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxThemeMsStyles::DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Byte State = Info.State;
  if (State < 3)
    DrawSlot(*this, moEdit, Canvas, Info.Rect, 1);
  else if (State == 3)
    DrawWithFillOf(*this, moEdit, moEditEdittextDisabled, Canvas, Info.Rect);
  else if (State == 4)
    DrawWithFillOf(*this, moEdit, moEditEdittextReadonly, Canvas, Info.Rect);
  else if (State == 5)
    FillSys(*this, Canvas.Handle(), Info.Rect, clHighlight);
}

bool TVxThemeMsStyles::IsBoxDefined(Byte Kind) { return true; }

bool TVxThemeMsStyles::IsBoxTransparent(Byte Kind) { return false; }

void TVxThemeMsStyles::GetBoxClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxThemeMsStyles::DrawBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const HDC DC = Canvas.Handle();
  FillRectColor(DC, Info.Rect, Face(*this));
  if (const TmsuxThemeObject* Edit = Object(moEdit)) FrameRectColor(DC, Info.Rect, Edit->BorderColor);
}

// [Control bars and tool bars]

bool TVxThemeMsStyles::IsControlBarDefined(Byte Kind, const std::string& Name) { return true; }

void TVxThemeMsStyles::GetControlBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = R;
}

void TVxThemeMsStyles::DrawControlBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moRebar, Canvas, R, 1);
}

bool TVxThemeMsStyles::IsToolBarDefined(Byte Kind, const std::string& Name) {
  return SlotHasProperties(*this, moRebar);
}

// Kind 2 is a menu bar inside a control bar.
void TVxThemeMsStyles::DrawToolBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  if (Kind == 2) return DrawMenu(1, Canvas, "default", R);
  RaisedFrame(*this, Canvas.Handle(), R);
}

void TVxThemeMsStyles::DrawToolBarItem(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                       const TvxToolItemInfo& Info) {
  static constexpr Integer Frames[] = {1, 2, 3, 4, 5, 5, 6, 3};
  const Integer Frame = FrameFor(Frames, Info.Part);
  switch (Info.State) {
    case 0:
    case 6:
    case 7:
    case 8: DrawSlot(*this, moToolbarButton, Canvas, Info.Rect, Frame); break;
    case 1: DrawSlot(*this, moToolbarSeparator, Canvas, Info.Rect, Frame); break;
    case 3: DrawSlot(*this, moToolbarSplitbutton, Canvas, Info.Rect, Frame); break;
    case 4: DrawSlot(*this, moToolbarSplitbuttondropdown, Canvas, Info.Rect, Frame); break;
    case 5: DrawSlot(*this, moToolbarDropdownbutton, Canvas, Info.Rect, Frame); break;
    case 13: DrawSlot(*this, moRebarGripper, Canvas, Info.Rect, 1); break;
    case 14: DrawSlot(*this, moRebarGrippervert, Canvas, Info.Rect, 1); break;
  }
}

// [Scroll boxes]

bool TVxThemeMsStyles::IsScrollBoxDefined(Byte Kind, const std::string& Name) { return true; }

void TVxThemeMsStyles::GetScrollBoxClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxThemeMsStyles::DrawScrollBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  const HDC DC = Canvas.Handle();
  FillRectColor(DC, R, Face(*this));
  DrawBevel(DC, R, LightenColor(Face(*this), -30), LightenColor(Face(*this), 30));
}

// [Header panels]

bool TVxThemeMsStyles::IsHeaderPanelDefined(Byte Kind, const std::string& Name) {
  return SlotHasProperties(*this, moExplorerbar);
}

bool TVxThemeMsStyles::IsHeaderPanelTransparent(Byte Kind, const std::string& Name) {
  const TmsuxThemeObject* O = Object(moExplorerbarNormalGroupHead);
  return O && O->Transparent;
}

void TVxThemeMsStyles::GetHeaderPanelClientRect(const TRect& R, TRect& Client) { Client = R; }

void TVxThemeMsStyles::DrawHeaderPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moExplorerbarSpecialGroupBackground, Canvas, {R.Left, R.Top + 5, R.Right, R.Bottom}, 1);
}

void TVxThemeMsStyles::DrawHeaderPanelCaption(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moExplorerbarNormalGroupHead, Canvas, InflateRectBy(R, 1), 1);
}

void TVxThemeMsStyles::DrawHeaderPanelButton(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                             const TvxStateInfo& Info) {
  const Integer Frame = Info.Part == 1 ? 2 : Info.Part == 2 ? 3 : 1;
  switch (Info.State) {
    case 1: DrawSlot(*this, moExplorerbarNormalGroupCollapse, Canvas, Info.Rect, Frame); break;
    case 2: DrawSlot(*this, moExplorerbarNormalGroupExpand, Canvas, Info.Rect, Frame); break;
    case 3:
      DrawSlot(*this,
               SlotHasProperties(*this, moExplorerbarHeaderclose) ? moExplorerbarHeaderclose : moWindowCloseButton,
               Canvas, Info.Rect, Frame);
      break;
  }
}

// [Tabs]

bool TVxThemeMsStyles::IsTabDefined(Byte Kind, const std::string& Name) { return SlotHasProperties(*this, moTab); }

void TVxThemeMsStyles::GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 1, 1);
}

void TVxThemeMsStyles::DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moTabPane, Canvas, R, 1);
}

void TVxThemeMsStyles::DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  static constexpr Integer Frames[] = {1, 2, 4, 3, 3, 4};
  DrawSlot(*this, moTabToptabitem, Canvas, Info.Rect, FrameFor(Frames, Info.Part));
}

void TVxThemeMsStyles::DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                           const TvxStateInfo& Info) {
  if (Info.Part > 3) return;
  const Integer Shift = Info.State == 2 ? 4 : Info.State == 1 ? 8 : Info.State == 4 ? 12 : 0;
  DrawSlot(*this, moScrollBarArrowBtn, Canvas, Info.Rect, Info.Part + 1 + Shift);
}

// [List boxes, trees and grids]

bool TVxThemeMsStyles::IsListBoxDefined(Byte Kind, const std::string& Name) { return SlotHasProperties(*this, moEdit); }

void TVxThemeMsStyles::DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moListview, Canvas, R, 1);
}

void TVxThemeMsStyles::DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawItemBackground(*this, Canvas.Handle(), Info);
}

void TVxThemeMsStyles::DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                        const TvxCheckGlyphInfo& Glyph, const TvxStateInfo& State) {
  switch (Glyph.CheckState) {
    case 0: DrawSlot(*this, moButtonCheckbox, Canvas, Glyph.Rect, 5); break;
    case 1: DrawSlot(*this, moButtonCheckbox, Canvas, Glyph.Rect, 1); break;
    case 2: DrawSlot(*this, moButtonCheckbox, Canvas, Glyph.Rect, 9); break;
    case 3: DrawBitmapCentered(Canvas, Glyph.Rect, Glyph.Bitmap); break;
  }
}

bool TVxThemeMsStyles::IsTreeDefined(Byte Kind) { return SlotHasProperties(*this, moEdit); }

void TVxThemeMsStyles::DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moListview, Canvas, R, 1);
}

void TVxThemeMsStyles::DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawItemBackground(*this, Canvas.Handle(), Info);
}

bool TVxThemeMsStyles::IsGridDefined(Byte Kind, const std::string& Name) { return SlotHasProperties(*this, moEdit); }

void TVxThemeMsStyles::DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawSlot(*this, moListview, Canvas, R, 1);
}

void TVxThemeMsStyles::DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const HDC DC = Canvas.Handle();
  if (Info.Part == 1) {
    FillRectColor(DC, Info.Rect, Face(*this));
    RaisedFrame(*this, DC, Info.Rect);
    return;
  }
  switch (Info.State) {
    case 0:
    case 4: FillSys(*this, DC, Info.Rect, clWindow); break;
    case 1: FillRectColor(DC, Info.Rect, Face(*this)); break;
    case 2:
    case 3: FillSys(*this, DC, Info.Rect, clHighlight); break;
  }
}
