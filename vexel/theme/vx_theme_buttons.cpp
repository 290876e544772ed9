#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

// [Labels]

bool TvxTheme::IsLabelDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsLabelTransparent(Byte Kind, const std::string& Name) { return true; }

void TvxTheme::DrawLabelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info) {
  DrawText(Canvas, Info);
}

// [Panels]

bool TvxTheme::IsPanelDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsPanelTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TvxTheme::DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  const HDC DC = Canvas.Handle();
  switch (Kind) {
    case 0:
      FillRectColor(DC, R, clSilver);
      DrawBevel(DC, R, clBtnHighlight, clBtnShadow);
      break;
    case 1:
      FillFramed(Canvas, R, clSilver, clBlack);
      DrawBevel(DC, Deflate(R, 1, 1), clBtnShadow, clBtnHighlight);
      break;
  }
}

void TvxTheme::DrawPanelReserved(Byte Kind, const TRect& R) {}

void TvxTheme::DrawPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                             const TvxStateInfo& State) {
  DrawText(Canvas, Info);
}

// [Buttons]

bool TvxTheme::IsButtonDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsButtonTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Info.State == 3) return;
  const HDC DC = Canvas.Handle();
  const Integer FaceIndex = Info.State == 2 ? vxcButtonPressed : Info.State == 1 ? vxcButtonNormal : vxcButtonFocused;
  const TColor Face = Colors().Color(FaceIndex);
  FrameRectColor(DC, Info.Rect, clBlack);
  DrawBevel(DC, Deflate(Info.Rect, 1, 1), LightenColor(Face, 30), LightenColor(Face, -30));
  FillRectColor(DC, Deflate(Info.Rect, 2, 2), Face);
}

void TvxTheme::DrawButtonText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                              Byte State) {
  DrawText(Canvas, Info);
}

void TvxTheme::DrawButtonGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                               Byte State) {
  if (Glyph.Bitmap) Glyph.Bitmap->Draw(Canvas.Handle(), Glyph.Rect.Left, Glyph.Rect.Top);
}

// [Check boxes and radio buttons]

bool TvxTheme::IsCheckBoxDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsCheckBoxTransparent(Byte Kind, const std::string& Name) { return true; }
void TvxTheme::DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {}

void TvxTheme::DrawCheckBoxText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State) {
  DrawText(Canvas, Info);
}

// [Splitters]

bool TvxTheme::IsSplitterDefined(Byte Kind) { return false; }
bool TvxTheme::IsSplitterTransparent(Byte Kind) { return false; }

void TvxTheme::DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clYellow, clRed);
}
