// Takes arbitrary bytes as a visual style's ini text and builds every object of a style from it,
// with images that never load (each name gets an empty image, as a missing resource does); the
// same bytes also go through the text, list and bitmap resource readers. A conversion or read
// error is fine; a crash, leak or hang is not. The text must survive a round trip.
#include <cstdint>

#include "framework/core/inifiles.h"
#include "framework/core/sysutils.h"
#include "vexel/msstyles/msux_parse.h"
#include "vexel/msstyles/theme_msuxobjects.h"

namespace {

class TNoImages : public TmsuxImageSource {
 public:
  explicit TNoImages(TvxBitmapList& Images) : FImages(Images) {}
  void LoadStyleImage(const std::string& Name) override {
    const std::string Upper = UpperCase(Name);
    if (FImages.Find(Upper)) return;
    auto Image = std::make_unique<TvxBitmap>();
    Image->SetName(Upper);
    FImages.Add(std::move(Image));
  }

 private:
  TvxBitmapList& FImages;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  // The same bytes as a UTF-16 text resource and as a list resource must convert without harm.
  MsuxIniTextFromUtf16({Data, Size});
  MsuxStringListFromUtf16({Data, Size});
  try {
    TvxBitmap Resource;
    LoadPackedDib(Resource, {Data, Size});
  } catch (const EReadError&) {
  }
  try {
    ParseFontName(Bytes);
    ParseFontStyle(Bytes);
    ParseFontSize(Bytes);
  } catch (const EConvertError&) {
  }

  TMemIniFile Ini;
  Ini.SetText(Bytes);
  TMemIniFile Again;
  Again.SetText(Ini.Text());
  if (Again.Text() != Ini.Text()) __builtin_trap();

  TvxBitmapList Images;
  TNoImages Source(Images);
  for (const char* Section : MsuxObjectSections) {
    try {
      TmsuxThemeObject Object(Ini, Section, Images, Source);
      if (Object.Props.size() > size_t(msuxMaxObjectProps)) __builtin_trap();
      Object.ApplyHueShift(37);
      Object.ApplyBrightnessShift(-20);
    } catch (const EConvertError&) {
    }
  }
  return 0;
}
