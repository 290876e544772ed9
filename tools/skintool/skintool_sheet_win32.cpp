// skintool sheet FILE OUT.png, or sheet --theme NAME OUT.png: the contact sheet as an opaque PNG.
// FILE is a skin or a visual style.
#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"
#include "skintool_images.h"
#include "skintool_sheet.h"
#include "skintool_style.h"
#include "skintool_themes.h"
#include "vexel/skin/theme_dv3.h"

namespace {

std::unique_ptr<TvxTheme> SheetTheme(const std::vector<std::string>& Args) {
  if (Args[0] == "--theme") return BuiltinThemeClass(Args[1]).Create();
  if (IsStyleFile(Args[0])) return LoadStyleTheme(Args[0]);
  auto Skin = std::make_unique<TVxSkinFile>();
  if (!Skin->LoadFromFile(Args[0])) throw Exception("Cannot load a skin from " + Args[0]);
  return Skin;
}

}  // namespace

void SkinSheet(const std::vector<std::string>& Args, std::ostream&) {
  const size_t Expected = Args[0] == "--theme" ? 3 : 2;
  if (Args.size() != Expected) throw EConvertError("sheet: FILE OUT.png or --theme NAME OUT.png");
  const std::unique_ptr<TvxTheme> Theme = SheetTheme(Args);
  TSkinSheet Sheet = PaintSkinSheet(*Theme, TSheetBackground::Window);
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
  SaveFileReplacing(Args.back(), Png);
}
