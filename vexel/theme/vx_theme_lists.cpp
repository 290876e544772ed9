#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

namespace {

TColor ItemFill(Byte State) {
  switch (State) {
    case 0: return clWhite;
    case 1: return clYellow;
    case 2: return clNavy;
    case 3: return clBlue;
    case 4: return clSilver;
    default: return clNone;
  }
}

void DrawItem(TCanvas& Canvas, const TvxStateInfo& Info) {
  FillFramed(Canvas, Info.Rect, ItemFill(Info.State), clBlue);
}

}  // namespace

// [Tab controls]

bool TvxTheme::IsTabDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsTabTransparent(Byte Kind, const std::string& Name) { return true; }
void TvxTheme::GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) { Client = R; }

void TvxTheme::DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clSilver, clYellow);
}

void TvxTheme::DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FrameRectColor(Canvas.Handle(), Info.Rect, clBlue);
}

void TvxTheme::DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clYellow, clRed);
}

void TvxTheme::DrawTabText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                           const TvxStateInfo& State) {
  DrawText(Canvas, Info);
}

void TvxTheme::DrawTabGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                            Byte State) {}

// [List boxes]

bool TvxTheme::IsListBoxDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsListBoxTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetListBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 4, 5);
}

void TvxTheme::DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, Colors().Color(vxcList), clRed);
}

void TvxTheme::DrawListBoxReserved(Byte Kind, const TRect& R) {}

void TvxTheme::DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawItem(Canvas, Info);
}

void TvxTheme::DrawListBoxItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                   Byte State) {
  DrawText(Canvas, Info);
}

// CheckState 0 checked, 1 unchecked, 2 mixed, 3 the caller's bitmap instead of a box.
void TvxTheme::DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                                const TvxStateInfo& State) {
  if (Glyph.CheckState == 3) {
    DrawBitmapCentered(Canvas, Glyph.Rect, Glyph.Bitmap);
    return;
  }
  const TRect Box = CenterRect(Bounds(0, 0, 16, 16), Glyph.Rect);
  DrawPlaceholder(Canvas, Box, clRed, clBlack);
  if (Glyph.CheckState == 0 || Glyph.CheckState == 2)
    FillRectColor(Canvas.Handle(), Deflate(Box, 3, 3), Glyph.CheckState == 0 ? clBlack : clGray);
}

// [Trees]

bool TvxTheme::IsTreeDefined(Byte Kind) { return false; }
bool TvxTheme::IsTreeTransparent(Byte Kind) { return false; }
void TvxTheme::GetTreeClientRect(Byte Kind, const TRect& R, TRect& Client) { Client = Deflate(R, 2, 2); }

void TvxTheme::DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, Colors().Color(vxcTree), clRed);
}

void TvxTheme::DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawItem(Canvas, Info);
}

void TvxTheme::DrawTreeItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State) {
  DrawText(Canvas, Info);
}

void TvxTheme::DrawTreeItemGlyph(Byte Kind, const TvxGlyphInfo& Info, Byte State) {}

// [String grids]

bool TvxTheme::IsGridDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsGridTransparent(Byte Kind, const std::string& Name) { return false; }
void TvxTheme::GetGridClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) { Client = R; }

void TvxTheme::DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, Colors().Color(vxcGrid), clRed);
}

void TvxTheme::DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const TColor Fill = ItemFill(Info.State);
  if (Fill != clNone) FillRectColor(Canvas.Handle(), Info.Rect, Fill);
}

void TvxTheme::DrawGridCellText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State) {
  DrawText(Canvas, Info);
}

void TvxTheme::DrawGridCellGlyph(Byte Kind, const TvxGlyphInfo& Info, Byte State) {}
