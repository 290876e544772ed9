// skintool sheet FILE OUT.png: the contact sheet as an opaque PNG.
#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"
#include "skintool_images.h"
#include "skintool_sheet.h"
#include "vexel/skin/theme_dv3.h"

void SkinSheet(const std::vector<std::string>& Args, std::ostream&) {
  TVxSkinFile Theme;
  if (!Theme.LoadFromFile(Args[0])) throw Exception("Cannot load a skin from " + Args[0]);
  TSkinSheet Sheet = PaintSkinSheet(Theme, TSheetBackground::Window);
  // What the skin leaves transparent shows as a light checkerboard; everything is opaque.
  TvxBitmap& Image = *Sheet.Image;
  for (Integer Y = 0; Y < Image.Height(); ++Y) {
    TvxColor* Row = Image.Scanline(Y);
    for (Integer X = 0; X < Image.Width(); ++X) {
      if (IsKeyPixel(Row[X])) Row[X] = ((X / 6 + Y / 6) % 2) ? 0xE6E6E6 : 0xFAFAFA;
      Row[X] |= 0xFF000000;
    }
  }
  TMemoryStream Png;
  EncodePng(Image, Png);
  SaveFileReplacing(Args[1], Png);
}
