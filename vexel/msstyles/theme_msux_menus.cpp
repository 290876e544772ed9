#include "vexel/msstyles/theme_msux_paint.h"

// [Menus] Kind 0 menu bar, 1 popup menu. An item's first byte is its part, the second its state
// (0 normal, 1 hot, 2 selected, 3 disabled).

bool TVxThemeMsStyles::IsMenuDefined(Byte Kind, const std::string& Name) { return true; }

bool TVxThemeMsStyles::IsMenuTransparent(Byte Kind, const std::string& Name) { return false; }

void TVxThemeMsStyles::GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 2, 2);
}

void TVxThemeMsStyles::DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  if (Kind > 1) return;
  const HDC DC = Canvas.Handle();
  FillRectColor(DC, R, FMenuColor);
  if (Kind == 1) FrameRectColor(DC, R, FMenuHilightColor);
}

void TVxThemeMsStyles::DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info) {
  const HDC DC = Canvas.Handle();
  const Byte Part = Info.State, State = Info.Part;
  const TRect& R = Info.Rect;
  const bool Lit = State == 1 || State == 2;
  switch (Part) {
    case 0: FillRectColor(DC, R, Lit ? FMenuHilightColor : FMenuColor); break;
    case 1: {
      FillRectColor(DC, R, FMenuColor);
      const TRect Line = Deflate(R, 5, R.Height() / 2);
      if (!Line.IsEmpty()) FillRectColor(DC, Line, FMenuHilightColor);
      break;
    }
    case 3:
    case 4:
      FillRectColor(DC, R, FMenuColor);
      if (Lit) FrameRoundRect(DC, R, 3, FMenuHilightColor);
      DrawFrameControlColor(DC, CenterRect(Bounds(0, 0, 14, 14), R), DFC_SCROLL,
                            Part == 3 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN, 0x808080);
      break;
    case 7:
    case 8:
    case 9: {
      static constexpr Integer Frames[] = {1, 2, 2, 3};
      static constexpr TmsuxObjectSlot Slots[] = {moWindowMDIMinButton, moWindowMDIRestoreButton,
                                                  moWindowMDICloseButton};
      DrawSlot(*this, Slots[Part - 7], Canvas, R, FrameFor(Frames, State));
      break;
    }
  }
}

// Kinds 0 to 2 (check mark, radio dot, sub-menu arrow) are the base drawings. An image of a hot
// or selected item stands up from a grey shadow; the shadow is made from an opaque copy, so the
// caller's image is never changed.
void TVxThemeMsStyles::DrawMenuItemGlyph(Byte Kind, TCanvas& Canvas, const std::string& Name,
                                         const TvxMenuGlyphInfo& Glyph, Byte State) {
  switch (Glyph.Kind) {
    case 0:
    case 1:
    case 2: TvxTheme::DrawMenuItemGlyph(Kind, Canvas, Name, Glyph, State); break;
    case 3:
      if (Glyph.Bitmap) DrawMenuImageWithShadow(Canvas, Glyph.Rect, *Glyph.Bitmap, State);
      break;
    case 4: DrawBitmapCentered(Canvas, Glyph.Rect, Glyph.Bitmap); break;
  }
}
