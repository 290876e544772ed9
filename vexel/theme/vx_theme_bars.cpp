#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

namespace {

// Scroll-bar state (the record's second byte): 0 normal, 1 pressed, 2 hot, 3 disabled.
TColor ScrollFill(Byte State) {
  switch (State) {
    case 1: return clBlue;
    case 2: return clRed;
    case 3: return clSilver;
    default: return clGray;
  }
}

TColor HeaderSectionFill(Byte State) {
  switch (State) {
    case 0: return clSilver;
    case 1:
    case 6: return clGray;
    case 2: return clGreen;
    case 3: return clBlue;
    case 4: return clYellow;
    case 5: return clRed;
    default: return clNone;
  }
}

void DrawGlyphStretched(TCanvas& Canvas, const TvxGlyphInfo& Glyph) {
  if (Glyph.Bitmap) Glyph.Bitmap->StretchDraw(Canvas.Handle(), Glyph.Rect, Glyph.Bitmap->BoundsRect());
}

}  // namespace

// [Scroll bars]

bool TvxTheme::IsScrollBarDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsScrollBarTransparent(Byte Kind, const std::string& Name) { return false; }
void TvxTheme::DrawScrollBarFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TvxTheme::DrawScrollBarPart(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const Byte Part = Info.State, State = Info.Part;
  FillFramed(Canvas, Info.Rect, ScrollFill(State), clBlack);
  const TRect Inner = Deflate(Info.Rect, 5, 4);
  if (Part <= 3)
    FrameRoundRect(Canvas.Handle(), Inner, 5, clNavy);
  else if (Part == 8 || Part == 9)
    FrameRectColor(Canvas.Handle(), Inner, clNavy);
}

void TvxTheme::DrawScrollBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  FillFramed(Canvas, Info.Rect, ScrollFill(Info.Part), clBlack);
}

// [Progress bars]

bool TvxTheme::IsProgressBarDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsProgressBarTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetProgressBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = R;
}

void TvxTheme::DrawProgressBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {}

// [Track bars]

bool TvxTheme::IsTrackBarDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsTrackBarTransparent(Byte Kind, const std::string& Name) { return true; }

void TvxTheme::DrawTrackBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clBlue, clRed);
}

void TvxTheme::DrawTrackBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {}

void TvxTheme::DrawTrackBarThumb(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clYellow, clBlue);
}

// [Header controls]

bool TvxTheme::IsHeaderDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsHeaderTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clWhite, clBlack);
}

void TvxTheme::DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  // Header records carry the part in the first byte and the section state in the second.
  FillFramed(Canvas, Info.Rect, HeaderSectionFill(Info.Part), clBlack);
}

void TvxTheme::DrawHeaderSectionText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                     Byte State) {
  DrawText(Canvas, Info);
}

void TvxTheme::DrawHeaderSectionGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                      Byte State) {
  DrawGlyphStretched(Canvas, Glyph);
}

// [Status bars]

bool TvxTheme::IsStatusBarDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsStatusBarTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetStatusBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 5, 2);
}

void TvxTheme::DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clSilver, clBlack);
}

void TvxTheme::DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clGray, clBlack);
}

void TvxTheme::DrawStatusPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                   Byte State) {
  DrawText(Canvas, Info);
}

void TvxTheme::DrawStatusPanelGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                    Byte State) {
  DrawGlyphStretched(Canvas, Glyph);
}
