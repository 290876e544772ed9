#include "vexel/controls/vx_button_art.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "vexel/graphics/vx_utils_win32.h"

namespace {

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

// Lightness of a 0x00BBGGRR colour in HSL terms, 0 .. 1.
double Lightness(TColor C) {
  const int R = C & 0xFF, G = (C >> 8) & 0xFF, B = (C >> 16) & 0xFF;
  return (std::max({R, G, B}) + std::min({R, G, B})) / 510.0;
}

// The accelerator character of a caption ("&x"), 0 when it has none.
wchar_t Accelerator(const std::wstring& Caption) {
  for (size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] != L'&') continue;
    if (Caption[I + 1] != L'&') return Caption[I + 1];
    ++I;
  }
  return 0;
}

}  // namespace

TSize TButtonGlyph::CellSize() const {
  if (!Strip || Strip->Empty()) return {0, 0};
  return {Strip->Width() / Cells, Strip->Height()};
}

TButtonGlyph ButtonGlyph(const TBitmap& Glyph, Integer NumGlyphs, const TCustomImageList* Images, Integer ImageIndex,
                         TBitmap& Scratch) {
  if (!Glyph.Empty()) return {&Glyph, std::max<Integer>(NumGlyphs, 1), std::nullopt};
  if (!Images || ImageIndex < 0 || ImageIndex >= Images->Count()) return {};
  const TColor Magenta = TColor(0xFF00FF);
  Scratch.SetSize(Images->Width(), Images->Height());
  TCanvas& C = Scratch.Canvas();
  C.Brush().SetColor(Magenta);
  C.FillRect(Rect(0, 0, Images->Width(), Images->Height()));
  Images->Draw(C, 0, 0, ImageIndex);
  return {&Scratch, 1, Magenta};
}

TSize ButtonGlyphSize(const TBitmap& Glyph, Integer NumGlyphs, const TCustomImageList* Images, Integer ImageIndex) {
  if (!Glyph.Empty()) return {Glyph.Width() / std::max<Integer>(NumGlyphs, 1), Glyph.Height()};
  if (!Images || ImageIndex < 0 || ImageIndex >= Images->Count()) return {0, 0};
  return {Images->Width(), Images->Height()};
}

void GlyphCellBitmap(const TBitmap& Strip, Integer Cell, TSize CellSize, TGlyphLook Look, TvxBitmap& Into,
                     std::optional<TColor> KeyColor) {
  TCanvas& Source = Strip.Canvas();
  const TColor Key = KeyColor ? ColorToRGB(*KeyColor) : ColorToRGB(Source.Pixel(0, Strip.Height() - 1));
  Into.SetSize(CellSize.cx, CellSize.cy);
  Into.Fill(0x007F007F);
  Into.SetAlphaBlend(true);
  for (Integer Y = 0; Y < CellSize.cy; ++Y)
    for (Integer X = 0; X < CellSize.cx; ++X) {
      const TColor C = ColorToRGB(Source.Pixel(Cell * CellSize.cx + X, Y));
      if (C == Key) continue;
      uint32_t R = C & 0xFF, G = (C >> 8) & 0xFF, B = (C >> 16) & 0xFF;
      if (Look == TGlyphLook::Grey)
        R = G = B = uint32_t(std::nearbyint(Lightness(C) * 255));
      else if (Look == TGlyphLook::DisabledGrey)
        R = G = B = uint32_t(std::nearbyint(Lightness(C) * 50)) + 160;
      Into.SetPixel(X, Y, 0xFF000000u | (R << 16) | (G << 8) | B);
    }
}

bool IsAccelerator(const std::string& Caption, uintptr_t Char) {
  const wchar_t A = Accelerator(Wide(Caption));
  if (!A) return false;
  const std::wstring Typed = Wide(std::string(1, char(Char)));
  return !Typed.empty() && std::towupper(wint_t(Typed[0])) == std::towupper(wint_t(A));
}

void DrawCaptionText(HDC DC, const std::wstring& Text, const TRect& R, UINT Format, bool Disabled, TColor FontColor) {
  const int OldMode = SetBkMode(DC, TRANSPARENT);
  TRect Place = R;
  if (Disabled) {
    TRect Raised = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    SetTextColor(DC, COLORREF(ColorToRGB(clBtnHighlight)));
    DrawTextWide(DC, Text, Raised, Format);
    SetTextColor(DC, COLORREF(ColorToRGB(clBtnShadow)));
  } else {
    SetTextColor(DC, COLORREF(ColorToRGB(FontColor)));
  }
  DrawTextWide(DC, Text, Place, Format);
  SetBkMode(DC, OldMode);
}
