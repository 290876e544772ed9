#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

// No alignment flag ever reaches the platform: alignment is done by moving the measured text,
// so every theme lays text out the same way.
void TvxTheme::DrawText(TCanvas& Canvas, const TvxTextInfo& Info) {
  const bool Vertical = Info.Effect == 1 || Info.Effect == 2;
  UINT Format = 0;
  Byte Alignment = Info.Alignment;
  if (Info.Flags & vxtfRightToLeft) {
    Format |= DT_RTLREADING;
    // Only horizontal text has a right column to mirror to; turned text knows alignments 0 and 4
    // alone and would vanish.
    if (!Vertical && Alignment <= 2) Alignment += 6;
  }
  if (Info.Flags & vxtfNoPrefix) Format |= DT_NOPREFIX;
  if (Info.Flags & vxtfWordWrap) Format |= DT_WORDBREAK;
  if (Info.Flags & vxtfSingleLine) Format |= DT_SINGLELINE;

  // An empty box shows nothing, even though measured text centred in it would spill out.
  const TRect& Box = Info.Rect;
  if (Box.IsEmpty()) return;
  Canvas.RequireObjects();
  const HDC DC = Canvas.Handle();
  if (!DC) return;

  if (Vertical) {
    const bool Clockwise = Info.Effect == 1;
    if (Alignment == 0) {
      DrawRotatedText(DC, Info.Text, Box, Clockwise, Format);
    } else if (Alignment == 4) {
      TRect Measured = Bounds(Box.Left, Box.Top, Box.Height(), Box.Width());
      DrawTextWide(DC, Info.Text, Measured, Format | DT_CALCRECT);
      TRect Upright = CenterRect(Bounds(0, 0, Measured.Height(), Measured.Width()), Box);
      Upright.Top -= 2;
      Upright.Bottom += 2;
      DrawRotatedText(DC, Info.Text, Upright, Clockwise, Format);
    }
    return;
  }

  TRect R = Box;
  if (Alignment != 0) {
    DrawTextWide(DC, Info.Text, R, Format | DT_CALCRECT);
    const Integer Column = Alignment / 3 % 3, Row = Alignment % 3;
    R = Bounds(Box.Left + Column * (Box.Width() - R.Width()) / 2, Box.Top + Row * (Box.Height() - R.Height()) / 2,
               R.Width(), R.Height());
  }
  DrawTextWide(DC, Info.Text, R, Format);
}
