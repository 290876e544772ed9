#include <exception>

#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

// [Menus]

bool TvxTheme::IsMenuDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsMenuTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 3, 5);
}

void TvxTheme::DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clWhite, clRed);
}

void TvxTheme::DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info) {
  const Byte Part = Info.State, State = Info.Part;
  if (Part == 0) {
    const TColor Fill = State == 3 ? clWhite : State == 2 ? clGray : State == 1 ? clYellow : clSilver;
    DrawPlaceholder(Canvas, Info.Rect, Fill, clRed);
  } else if (Part == 1) {
    const Integer Half = Info.Rect.Height() / 2;
    FillRectColor(Canvas.Handle(), Deflate(Info.Rect, 3, Half), clRed);
  }
}

void TvxTheme::DrawMenuItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State) {
  DrawText(Canvas, Info);
}

// Glyphs are drawn in the colour of the font the caller selected for the item.
void TvxTheme::DrawMenuItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuGlyphInfo& Glyph,
                                 Byte State) {
  const HDC DC = Canvas.Handle();
  const TColor Color = Canvas.Font().Color();
  const TRect Box = CenterRect(Bounds(0, 0, 16, 16), Glyph.Rect);
  switch (Glyph.Kind) {
    case 0: {
      const Integer X = (Box.Left + Box.Right) / 2 - 2, Y = (Box.Top + Box.Bottom) / 2 + 1;
      static const TPoint First[] = {{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}};
      static const TPoint Second[] = {{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}};
      for (const auto& Line : {std::vector<TPoint>(std::begin(First), std::end(First)),
                               std::vector<TPoint>(std::begin(Second), std::end(Second))}) {
        MoveToEx(DC, X + Line[0].X, Y + Line[0].Y, nullptr);
        for (size_t I = 1; I < Line.size(); ++I) LineToColor(DC, X + Line[I].X, Y + Line[I].Y, Color);
      }
      break;
    }
    case 1: FillRoundRect(DC, CenterRect(Bounds(0, 0, 6, 6), Glyph.Rect), 6, Color); break;
    case 2: DrawFrameControlColor(DC, Box, DFC_MENU, Color, DFCS_MENUARROW); break;
    case 3: DrawBitmapCentered(Canvas, Glyph.Rect, Glyph.Bitmap); break;
  }
}

// [Control bars]

bool TvxTheme::IsControlBarDefined(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetControlBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = R;
}

void TvxTheme::DrawControlBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

// [Tool bars and tool items]

bool TvxTheme::IsToolBarDefined(Byte Kind, const std::string& Name) { return false; }

// The further 9 pixels on the left leave room for the grabber.
void TvxTheme::GetToolBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = {R.Left + 11, R.Top + 2, R.Right - 2, R.Bottom - 2};
}

void TvxTheme::DrawToolBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clGreen, clBlue);
}

void TvxTheme::DrawToolBarItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxToolItemInfo& Info) {}

void TvxTheme::DrawToolBarItemText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                   Byte State) {
  DrawText(Canvas, Info);
}

// State 3 is disabled: the glyph becomes a grey silhouette.
void TvxTheme::DrawToolBarItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGlyphInfo& Glyph,
                                    Byte State) {
  if (!Glyph.Bitmap || Glyph.Bitmap->Empty()) return;
  const TPoint At = AlignBox(Glyph.Rect, Glyph.Bitmap->Width(), Glyph.Bitmap->Height(), Glyph.Alignment);
  if (State == 3)
    DrawSilhouette(Canvas.Handle(), At.X, At.Y, clBtnShadow, *Glyph.Bitmap);
  else
    Glyph.Bitmap->Draw(Canvas.Handle(), At.X, At.Y);
}

// [Scroll boxes]

bool TvxTheme::IsScrollBoxDefined(Byte Kind, const std::string& Name) { return false; }
void TvxTheme::GetScrollBoxClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 3, 3); }

void TvxTheme::DrawScrollBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clYellow, clRed);
}

// [Header panels]

bool TvxTheme::IsHeaderPanelDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsHeaderPanelTransparent(Byte Kind, const std::string& Name) { return false; }
void TvxTheme::GetHeaderPanelClientRect(const TRect& R, TRect& Client) { Client = R; }
void TvxTheme::DrawHeaderPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TvxTheme::DrawHeaderPanelCaption(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clGreen, clBlack);
}

void TvxTheme::DrawHeaderPanelButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clRed, clBlue);
}

void TvxTheme::DrawHeaderPanelReserved(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clGreen, clYellow);
}

void TvxTheme::DrawHeaderPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info) {
  DrawText(Canvas, Info);
}

void DrawMenuImageWithShadow(TCanvas& Canvas, const TRect& R, const TvxBitmap& Bitmap, Byte State) {
  if (Bitmap.Empty()) return;
  TRect Box = CenterRect(Bitmap.BoundsRect(), R);
  if (State == 1 || State == 2) {
    Box = Box.Offset(-1, -1);
    TvxBitmap Opaque;
    try {
      Opaque.Assign(&Bitmap);
    } catch (const std::exception&) {
      // A copy that could not be made stays empty.
    }
    if (!Opaque.Empty()) {
      Opaque.SetAlpha(255);
      DrawSilhouette(Canvas, Box.Left + 2, Box.Top + 2, clGray, Opaque);
      Opaque.Draw(Canvas, Box.Left, Box.Top);
      return;
    }
  }
  Bitmap.Draw(Canvas, Box.Left, Box.Top);
}
