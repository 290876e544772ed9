#include "vexel/theme/theme_flat.h"
#include "vexel/theme/theme_flat_paint.h"

// [Menus] Kind 0 menu bar, 1 popup menu. An item's first byte is its part, the second its state
// (0 normal, 1 hot, 2 selected, 3 disabled).

void TVxFlatTheme::GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxFlatTheme::DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  const HDC DC = Canvas.Handle();
  if (Kind == 0) {
    FillRectColor(DC, R, Color(vxcButtonNormal));
  } else if (Kind == 1) {
    FillRectColor(DC, R, clWhite);
    FillRectColor(DC, {R.Left, R.Top, R.Left + FMenuGutter + 2, R.Bottom}, Color(vxcButtonNormal));
    FrameRectColor(DC, R, clGray);
  }
}

void TVxFlatTheme::DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info) {
  const HDC DC = Canvas.Handle();
  const Byte Part = Info.State, State = Info.Part;
  const TRect& R = Info.Rect;
  const TRect Gutter{R.Left, R.Top, R.Left + FMenuGutter, R.Bottom};
  // The white item background with the image column beside it.
  const auto Background = [&] {
    FillRectColor(DC, R, clWhite);
    if (!Gutter.IsEmpty()) FillRectColor(DC, Gutter, Color(vxcButtonNormal));
  };
  switch (Part) {
    case 0:
      if (Kind != 0) {
        if (State == 1 || State == 2)
          FillBordered(Canvas, R, Color(vxcButtonHot));
        else
          Background();
      } else if (State == 1) {
        FillBordered(Canvas, R, Color(vxcButtonHot));
      } else if (State == 2) {
        FillFramed(Canvas, R, Color(vxcButtonNormal), clGray);
      } else {
        FillRectColor(DC, R, Color(vxcButtonNormal));
      }
      break;
    case 1: {
      Background();
      TRect Line = Deflate(R, 5, R.Height() / 2);
      Line.Left += FMenuGutter + 2;
      if (!Line.IsEmpty()) FillRectColor(DC, Line, clGray);
      break;
    }
    case 3:
    case 4:
      Background();
      if (State == 1 || State == 2) FrameRectColor(DC, R, clGray);
      DrawFlatGlyph(DC, CenterRect(Bounds(0, 0, 14, 14), R), DFC_SCROLL, Part == 3 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN,
                    clGray);
      break;
    case 7: DrawFlatGlyph(DC, R, DFC_CAPTION, DFCS_CAPTIONMIN, clBlack); break;
    case 8: DrawFlatGlyph(DC, R, DFC_CAPTION, DFCS_CAPTIONRESTORE, clBlack); break;
    case 9: DrawFlatGlyph(DC, R, DFC_CAPTION, DFCS_CAPTIONCLOSE, clBlack); break;
  }
}

// Glyph kinds: 0 check mark, 1 radio dot, 2 sub-menu arrow (both in the colour of the font the
// caller selected for the item), 3 image, 4 window icon. State's second byte 1 or 2: the item is
// hot or selected, and an image stands up from a grey shadow.
void TVxFlatTheme::DrawMenuItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuGlyphInfo& Glyph,
                                     Byte State) {
  const HDC DC = Canvas.Handle();
  const TColor FontColor = Canvas.Font().Color();
  const TRect Box16 = CenterRect(Bounds(0, 0, 16, 16), Glyph.Rect);
  switch (Glyph.Kind) {
    case 0:
      FillBordered(Canvas, Deflate(Glyph.Rect, 1, 1), Color(vxcButtonHot));
      DrawFlatCheckMark(DC, (Box16.Left + Box16.Right) / 2 - 2, (Box16.Top + Box16.Bottom) / 2 + 1, FontColor);
      break;
    case 1: FillRoundRect(DC, CenterRect(Bounds(0, 0, 6, 6), Glyph.Rect), 3, clBlack); break;
    case 2: DrawFlatGlyph(DC, Box16, DFC_MENU, DFCS_MENUARROW, FontColor); break;
    case 3:
      if (Glyph.Bitmap) DrawMenuImageWithShadow(Canvas, Glyph.Rect, *Glyph.Bitmap, State);
      break;
    case 4: DrawBitmapCentered(Canvas, Glyph.Rect, Glyph.Bitmap); break;
  }
}

// [Control bars]

void TVxFlatTheme::GetControlBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = R;
}

void TVxFlatTheme::DrawControlBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillRectColor(Canvas.Handle(), R, Color(vxcButtonNormal));
}

// [Tool bars] Kind 2 is a menu bar inside a control bar.

void TVxFlatTheme::DrawToolBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  const HDC DC = Canvas.Handle();
  if (Kind == 2) {
    FillFramed(Canvas, R, clWhite, clGray);
    return;
  }
  const TColor Face = Color(vxcButtonNormal);
  FillRectColor(DC, R, LightenColor(Face, 10));
  DrawBevel(DC, R, LightenColor(Face, 30), LightenColor(Face, -30));
}

// An item's first byte is its part, the second its state (0 normal; 1 hot; 2, 5 and 6 pressed
// variants; 3 disabled).
void TVxFlatTheme::DrawToolBarItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxToolItemInfo& Info) {
  const HDC DC = Canvas.Handle();
  const Byte Part = Info.State, State = Info.Part;
  const TRect& R = Info.Rect;
  // The face of a pressed or hot item; clNone for the other states.
  const TColor Face = State == 1 || State == 6 ? Color(vxcButtonHot)
                      : State == 2             ? Color(vxcButtonPressed)
                      : State == 5             ? LightenColor(Color(vxcButtonPressed), 10)
                                               : clNone;
  switch (Part) {
    case 0:
    case 3:
    case 4:
    case 5:
      if (Face != clNone) FillBordered(Canvas, R, Face);
      if (Part == 4)
        DrawFlatGlyph(DC, {R.Left - 2, R.Top, R.Right + 2, R.Bottom}, DFC_SCROLL, DFCS_SCROLLDOWN, Color(vxcBorder));
      break;
    case 1: {
      TRect Line = Deflate(R, 5, R.Width() / 2);
      Line.Right = Line.Left + 1;
      if (!Line.IsEmpty()) FillRectColor(DC, Line, clGray);
      break;
    }
    case 8:
      if (Face != clNone) FillBordered(Canvas, R, Face);
      break;
    case 10: DrawFlatGlyph(DC, R, DFC_CAPTION, DFCS_CAPTIONMIN, clBlack); break;
    case 11: DrawFlatGlyph(DC, R, DFC_CAPTION, DFCS_CAPTIONRESTORE, clBlack); break;
    case 12: DrawFlatGlyph(DC, R, DFC_CAPTION, DFCS_CAPTIONCLOSE, clBlack); break;
    case 13:
    case 14: FillBordered(Canvas, Deflate(R, 1, 1), Color(vxcButtonHot)); break;
  }
}

void TVxFlatTheme::DrawToolBarItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                        Byte State) {
  if (Glyph.Kind >= 2 && Glyph.Kind <= 4) DrawMenuItemGlyph(Kind, Canvas, Name, Glyph, State);
}
