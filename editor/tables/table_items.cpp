#include "editor/tables/table_items.h"

#include <windows.h>

#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_pixel.h"

namespace {

void FrameBitmap(TvxBitmap& Bitmap, const TRect& R, TvxColor Pixel) {
  if (R.IsEmpty()) return;
  Bitmap.FillRect({R.Left, R.Top, R.Right, R.Top + 1}, Pixel);
  Bitmap.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, Pixel);
  Bitmap.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom}, Pixel);
  Bitmap.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, Pixel);
}

// The highlight of a selected or focused item, then the item onto the list.
void Finish(TvxBitmap& Bitmap, TCanvas& Canvas, const TRect& Rect, bool Highlighted) {
  if (Highlighted) {
    // GDI may still hold text it has not written to the pixels yet.
    GdiFlush();
    Bitmap.SetAlphaBlend(true);
    Bitmap.FillRect(Bitmap.BoundsRect(), ColorToPixel(clHighlight, ItemHighlightAlpha));
    Bitmap.SetAlphaBlend(false);
    FrameBitmap(Bitmap, Bitmap.BoundsRect(), ColorToPixel(clHighlight, 255));
  }
  // The wash leaves partial alphas behind; the item is still meant to cover the list.
  Bitmap.SetAlphaBlend(false);
  Bitmap.Draw(Canvas, Rect.Left, Rect.Top);
}

}  // namespace

TRect ColorSwatchRect(Integer Height) { return {3, 3, 37, Height - 3}; }

void DrawColorItem(TCanvas& Canvas, const TRect& Rect, TColor Color, const std::string& Name, bool Highlighted) {
  if (Rect.IsEmpty()) return;
  TvxBitmap Bitmap;
  Bitmap.SetSize(Rect.Width(), Rect.Height());
  Bitmap.Fill(ColorToPixel(clWhite, 255));
  const TRect Swatch = ColorSwatchRect(Rect.Height());
  Bitmap.FillRect(Swatch, ColorToPixel(Color, 255));
  FrameBitmap(Bitmap, Swatch, ColorToPixel(clBlack, 255));
  SetBkMode(Bitmap.DC(), TRANSPARENT);
  SetTextColor(Bitmap.DC(), RGB(0, 0, 0));
  TextOutA(Bitmap.DC(), ColorItemTextLeft, ColorItemTextTop, Name.c_str(), int(Name.size()));
  Finish(Bitmap, Canvas, Rect, Highlighted);
}

void DrawFontItem(TCanvas& Canvas, const TRect& Rect, const TFont& Font, const std::string& Name, bool Highlighted) {
  if (Rect.IsEmpty()) return;
  TvxBitmap Bitmap;
  Bitmap.SetSize(Rect.Width(), Rect.Height());
  Bitmap.Fill(ColorToPixel(FontItemBackground, 255));
  {
    TCanvas Text(Bitmap.DC());
    Text.Font().Assign(&Font);
    Text.Brush().SetStyle(TBrushStyle::bsClear);
    Text.RequireObjects();
    const std::string Line = "  " + Name;
    RECT R{0, 0, Rect.Width(), Rect.Height()};
    DrawTextA(Text.Handle(), Line.c_str(), int(Line.size()), &R, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  Finish(Bitmap, Canvas, Rect, Highlighted);
}
