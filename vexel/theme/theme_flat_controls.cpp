#include "vexel/theme/theme_flat.h"
#include "vexel/theme/theme_flat_paint.h"

namespace {

// The colour index for a state of a face, or -1 for no fill.
struct TFaceState {
  Byte State;
  TvxThemeColorIndex Color;
};

Integer FaceFor(std::initializer_list<TFaceState> Table, Byte State, Integer Otherwise) {
  for (const TFaceState& Entry : Table)
    if (Entry.State == State) return Entry.Color;
  return Otherwise;
}

}  // namespace

// [Panels]

void TVxFlatTheme::GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxFlatTheme::DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcPanelNormal));
}

// [Buttons]

void TVxFlatTheme::DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Kind > 9) return;
  const HDC DC = Canvas.Handle();
  const Integer Face = FaceFor(
      {{3, vxcButtonDisabled}, {2, vxcButtonPressed}, {1, vxcButtonHot}, {4, vxcButtonFocused}, {6, vxcButtonFocused}},
      Info.State, vxcButtonNormal);
  FillBordered(Canvas, Info.Rect, Color(Face));
  if (Kind == 2) {
    FillRoundRect(DC, CenterRect(Bounds(0, 0, 5, 5), Info.Rect), 3, 0x0000FF);
  } else if (Kind >= 4 && Kind <= 7) {
    static constexpr UINT Arrows[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
    const Integer Shift = Info.State == 2 ? 1 : 0;
    DrawFlatGlyph(DC, Info.Rect.Offset(Shift, Shift), DFC_SCROLL, Arrows[Kind - 4], Color(vxcBorder));
  }
}

void TVxFlatTheme::DrawButtonGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                   Byte State) {
  if (Glyph.Bitmap && !Glyph.Bitmap->Empty()) Glyph.Bitmap->Draw(Canvas.Handle(), Glyph.Rect.Left, Glyph.Rect.Top);
}

// [Check boxes and radio buttons] State: 0 checked, 5 unchecked, 10 mixed, plus 0 normal,
// 1 hot, 2 pressed, 3 disabled.
void TVxFlatTheme::DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const HDC DC = Canvas.Handle();
  const TRect& R = Info.Rect;
  const Byte S = Info.State;
  const TColor Border = Color(vxcBorder);
  if (Kind == 0) {
    const Integer Face = FaceFor({{1, vxcButtonHot},
                                  {6, vxcButtonHot},
                                  {11, vxcButtonHot},
                                  {2, vxcButtonFocused},
                                  {7, vxcButtonFocused},
                                  {12, vxcButtonFocused}},
                                 S, vxcButtonNormal);
    FillBordered(Canvas, R, Color(Face));
    if (S <= 3) DrawFlatCheckMark(DC, (R.Left + R.Right) / 2 - 1, (R.Top + R.Bottom) / 2 + 1, Border);
    if (S >= 10 && S <= 13) FillRectColor(DC, Deflate(R, 3, 3), Border);
  } else if (Kind == 1) {
    const Integer Face = FaceFor({{1, vxcButtonHot}, {6, vxcButtonHot}, {2, vxcButtonFocused}, {7, vxcButtonFocused}},
                                 S, vxcButtonNormal);
    FillRoundRect(DC, R, 10, Color(Face));
    FrameRoundRect(DC, R, 10, Border);
    if (S <= 3) FillRoundRect(DC, Deflate(R, 3, 3), 10, Border);
  }
}

// [Group boxes]

void TVxFlatTheme::GetGroupBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 6, 6);
}

void TVxFlatTheme::DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info) {
  const int Saved = Canvas.SaveState();
  const TRect& C = Info.CaptionRect;
  if (!C.IsEmpty()) ExcludeClipRect(Canvas.Handle(), C.Left, C.Top, C.Right, C.Bottom);
  FrameRoundRect(Canvas.Handle(), Info.Rect, 5, Color(vxcBorder));
  Canvas.RestoreState(Saved);
}

// [Splitters]

void TVxFlatTheme::DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcButtonNormal));
}

// [Scroll bars] First byte the part (0 up, 1 down, 4 left, 5 right), second the state.

void TVxFlatTheme::DrawScrollBarFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TVxFlatTheme::DrawScrollBarPart(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Integer Face =
      FaceFor({{3, vxcButtonDisabled}, {1, vxcButtonFocused}, {2, vxcButtonHot}}, Info.Part, vxcButtonNormal);
  FillBordered(Canvas, Info.Rect, Color(Face));
  UINT Arrow = 0;
  switch (Info.State) {
    case 0: Arrow = DFCS_SCROLLUP; break;
    case 1: Arrow = DFCS_SCROLLDOWN; break;
    case 4: Arrow = DFCS_SCROLLLEFT; break;
    case 5: Arrow = DFCS_SCROLLRIGHT; break;
    default: return;
  }
  DrawFlatGlyph(Canvas.Handle(), Info.Rect, DFC_SCROLL, Arrow, Color(vxcBorder));
}

void TVxFlatTheme::DrawScrollBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FillDither(Canvas.Handle(), Info.Rect, clBtnFace, clWhite);
}

// [Progress bars] First byte: 0 and 1 frames, 2 to 5 bars.

void TVxFlatTheme::DrawProgressBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Info.State <= 1)
    FillBordered(Canvas, Info.Rect, Color(vxcButtonNormal));
  else if (Info.State <= 5)
    FillBordered(Canvas, Info.Rect, Color(vxcButtonHot));
}

// [Track bars]

void TVxFlatTheme::DrawTrackBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TVxFlatTheme::DrawTrackBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FillBordered(Canvas, Deflate(Info.Rect, 2, 2), Color(vxcButtonNormal));
}

void TVxFlatTheme::DrawTrackBarThumb(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FillBordered(Canvas, Info.Rect, Color(Info.Part == 1 || Info.Part == 2 ? vxcButtonHot : vxcButtonNormal));
}

// [Header controls] Second byte: the section's state.

void TVxFlatTheme::DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillRectColor(Canvas.Handle(), R, Color(vxcButtonNormal));
}

void TVxFlatTheme::DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Integer Face = FaceFor({{0, vxcButtonNormal},
                                {1, vxcButtonFocused},
                                {5, vxcButtonFocused},
                                {2, vxcButtonDisabled},
                                {6, vxcButtonDisabled},
                                {3, vxcButtonHot},
                                {4, vxcButtonHot}},
                               Info.Part, -1);
  FillBordered(Canvas, Info.Rect, Face < 0 ? clNone : Color(Face));
}

// State 4: the section is being dragged and its content follows the pointer.
void TVxFlatTheme::DrawHeaderSectionText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                         Byte State) {
  TvxTextInfo Text = Info;
  if (State == 4) Text.Rect = Text.Rect.Offset(-1, -1);
  DrawText(Canvas, Text);
}

void TVxFlatTheme::DrawHeaderSectionGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                          const TvxGlyphInfo& Glyph, Byte State) {
  if (!Glyph.Bitmap || Glyph.Bitmap->Empty()) return;
  const TRect R = State == 4 ? Glyph.Rect.Offset(-1, -1) : Glyph.Rect;
  Glyph.Bitmap->StretchDraw(Canvas, R);
}

// [Status bars]

void TVxFlatTheme::GetStatusBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 5, 2);
}

void TVxFlatTheme::DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillRectColor(Canvas.Handle(), R, Color(vxcButtonNormal));
}

void TVxFlatTheme::DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const TColor Face = Color(vxcButtonNormal);
  FillFramed(Canvas, Info.Rect, Face, LightenColor(Face, -40));
}

void TVxFlatTheme::DrawStatusPanelGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                        Byte State) {
  if (Glyph.Bitmap && !Glyph.Bitmap->Empty()) Glyph.Bitmap->StretchDraw(Canvas, Glyph.Rect);
}

// [Edits] First byte: the state, 6 for the selection background.

void TVxFlatTheme::GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 4, 4);
}

void TVxFlatTheme::DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Info.State == 6)
    FillRectColor(Canvas.Handle(), Info.Rect, Color(vxcEditSelection));
  else
    FillBordered(Canvas, Info.Rect, Color(vxcEditNormal));
}

void TVxFlatTheme::DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Integer Face =
      FaceFor({{1, vxcButtonHot}, {2, vxcButtonPressed}, {4, vxcButtonDisabled}}, Info.State, vxcButtonNormal);
  FillBordered(Canvas, Info.Rect, Color(Face));
  if (Info.Part == 0 || Info.Part == 3)
    DrawFlatGlyph(Canvas.Handle(), Info.Rect, DFC_SCROLL, DFCS_SCROLLDOWN, Color(vxcBorder));
  else if (Info.Part == 2)
    DrawFlatGlyph(Canvas.Handle(), Info.Rect, DFC_SCROLL, DFCS_SCROLLUP, Color(vxcBorder));
}

// [Edit frames, boxes, scroll boxes]

void TVxFlatTheme::GetEditFrameClientRect(const TRect& R, TRect& Client) { Client = R; }

void TVxFlatTheme::DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FillBordered(Canvas, Info.Rect, Color(vxcEditNormal));
}

void TVxFlatTheme::GetBoxClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxFlatTheme::DrawBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FillBordered(Canvas, Info.Rect, Color(vxcButtonNormal));
}

void TVxFlatTheme::GetScrollBoxClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxFlatTheme::DrawScrollBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcButtonNormal));
}

// [Header panels] First byte: the button (1 up, 2 down, 3 close); second: its state.

void TVxFlatTheme::GetHeaderPanelClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxFlatTheme::DrawHeaderPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcButtonNormal));
}

void TVxFlatTheme::DrawHeaderPanelCaption(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcButtonNormal));
}

namespace {

Integer SmallButtonFace(Byte State) {
  return FaceFor({{0, vxcButtonNormal}, {1, vxcButtonHot}, {2, vxcButtonPressed}, {3, vxcButtonDisabled}}, State, -1);
}

}  // namespace

void TVxFlatTheme::DrawHeaderPanelButton(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                         const TvxStateInfo& Info) {
  const Integer Face = SmallButtonFace(Info.Part);
  FillBordered(Canvas, Info.Rect, Face < 0 ? clNone : Color(Face));
  const HDC DC = Canvas.Handle();
  const TColor Border = Color(vxcBorder);
  switch (Info.State) {
    case 1: DrawFlatGlyph(DC, Info.Rect, DFC_SCROLL, DFCS_SCROLLUP, Border); break;
    case 2: DrawFlatGlyph(DC, Info.Rect, DFC_SCROLL, DFCS_SCROLLDOWN, Border); break;
    case 3: DrawFlatGlyph(DC, Info.Rect, DFC_CAPTION, DFCS_CAPTIONCLOSE, Border); break;
  }
}

// [Tabs] First byte: the tab's position (0..2 top, 3..5 left, 6..8 right, 9..11 bottom);
// second: its state (1 hot, 3..5 the selected tab).

void TVxFlatTheme::GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) { Client = R; }

void TVxFlatTheme::DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcButtonNormal));
}

// The selected tab leaves out its edge toward the pane, so that it joins the pane. The edge is
// left out for the frame alone: what the canvas draws next is not clipped by it.
void TVxFlatTheme::DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const HDC DC = Canvas.Handle();
  const TRect& R = Info.Rect;
  FillRectColor(DC, R, Color(Info.Part == 1 ? vxcButtonHot : vxcButtonNormal));
  const int Saved = Canvas.SaveState();
  if (Info.Part >= 3 && Info.Part <= 5) {
    const Byte P = Info.State;
    if (P <= 2)
      ExcludeClipRect(DC, R.Left, R.Bottom - 1, R.Right, R.Bottom);
    else if (P <= 5)
      ExcludeClipRect(DC, R.Right - 1, R.Top, R.Right, R.Bottom);
    else if (P <= 8)
      ExcludeClipRect(DC, R.Left, R.Top, R.Left + 1, R.Bottom);
    else if (P <= 11)
      ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Top + 1);
  }
  FrameRectColor(DC, R, Color(vxcBorder));
  Canvas.RestoreState(Saved);
}

void TVxFlatTheme::DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Integer Face = SmallButtonFace(Info.Part);
  FillBordered(Canvas, Info.Rect, Face < 0 ? clNone : Color(Face));
  const HDC DC = Canvas.Handle();
  const TColor Border = Color(vxcBorder);
  switch (Info.State) {
    case 0: DrawFlatGlyph(DC, Info.Rect, DFC_CAPTION, DFCS_CAPTIONCLOSE, Border); break;
    case 1: DrawFlatGlyph(DC, Info.Rect, DFC_SCROLL, DFCS_SCROLLLEFT, Border); break;
    case 2: DrawFlatGlyph(DC, Info.Rect, DFC_SCROLL, DFCS_SCROLLDOWN, Border); break;
    case 3: DrawFlatGlyph(DC, Info.Rect, DFC_SCROLL, DFCS_SCROLLUP, Border); break;
    case 4: DrawFlatGlyph(DC, Info.Rect, DFC_SCROLL, DFCS_SCROLLRIGHT, Border); break;
  }
}

void TVxFlatTheme::DrawTabText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                               const TvxStateInfo& State) {
  TvxTextInfo Text = Info;
  if (State.State >= 3 && State.State <= 5) Text.Effect = 2;
  if (State.State >= 6 && State.State <= 8) Text.Effect = 1;
  DrawText(Canvas, Text);
}

// [List boxes] First byte: the item state (2 selected, 3 focused).

void TVxFlatTheme::GetListBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxFlatTheme::DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcList));
}

void TVxFlatTheme::DrawListBoxReserved(Byte Kind, const TRect& R) {}

void TVxFlatTheme::DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Info.State == 2 || Info.State == 3)
    FillBordered(Canvas, Info.Rect, Color(vxcButtonHot));
  else if (Info.State == 0 || Info.State == 1 || Info.State == 4)
    FillRectColor(Canvas.Handle(), Info.Rect, Color(vxcList));
}

void TVxFlatTheme::DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                                    const TvxStateInfo& State) {
  const HDC DC = Canvas.Handle();
  if (Glyph.CheckState == 3) {
    DrawBitmapCentered(Canvas, Glyph.Rect, Glyph.Bitmap);
    return;
  }
  if (Glyph.CheckState > 3) return;
  const TRect B = CenterRect(Bounds(0, 0, 13, 13), Glyph.Rect);
  const Integer Face = State.State == 1                       ? vxcButtonHot
                       : State.State == 2 || State.State == 3 ? vxcButtonFocused
                                                              : vxcButtonNormal;
  FillBordered(Canvas, B, Color(Face));
  const TColor Border = Color(vxcBorder);
  if (Glyph.CheckState == 0) DrawFlatCheckMark(DC, (B.Left + B.Right) / 2 - 1, (B.Top + B.Bottom) / 2 + 1, Border);
  if (Glyph.CheckState == 2) FillRectColor(DC, Deflate(B, 3, 3), Border);
}

// [Trees]

void TVxFlatTheme::GetTreeClientRect(Byte Kind, const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TVxFlatTheme::DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcTree));
}

void TVxFlatTheme::DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Integer Face =
      FaceFor({{0, vxcTree}, {1, vxcTree}, {4, vxcTree}, {2, vxcButtonHot}, {3, vxcButtonHot}}, Info.State, -1);
  FillBordered(Canvas, Info.Rect, Face < 0 ? clNone : Color(Face));
}

// [String grids] Second byte 1: a fixed cell; otherwise the first byte is the cell's state.

void TVxFlatTheme::GetGridClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxFlatTheme::DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillBordered(Canvas, R, Color(vxcGrid));
}

void TVxFlatTheme::DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const HDC DC = Canvas.Handle();
  if (Info.Part == 1) {
    FillRectColor(DC, Info.Rect, Color(vxcButtonNormal));
    return;
  }
  switch (Info.State) {
    case 0:
    case 4: FillRectColor(DC, Info.Rect, Color(vxcGrid)); break;
    case 1: FillRectColor(DC, Info.Rect, Color(vxcButtonHot)); break;
    case 2:
    case 3: FillBordered(Canvas, Info.Rect, Color(vxcButtonFocused)); break;
  }
}
