// TPicture picks the graphic kind by signature or extension and keeps what it had when a load
// fails; TPngImage draws with its alpha; TIcon reads, draws and writes icon files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>

#include "framework/graphics/picture.h"
#include "framework/graphics/png_image.h"
#include "graphics_bytes.h"

namespace {

std::vector<uint8_t> PngFile(const std::vector<uint32_t>& Pixels, Integer W, Integer H, bool WithAlpha) {
  TMemoryStream S;
  WritePng(S, Pixels.data(), W, H, WithAlpha);
  return S.Data();
}

std::vector<uint8_t> BmpOf(Integer W, Integer H, uint32_t Color) {
  TBitmap B;
  Filled(B, W, H, Color);
  return SaveGraphic(B);
}

// A file in the temporary folder, removed with the object.
class TTempFile {
 public:
  TTempFile(const std::string& Name, const std::vector<uint8_t>& Bytes) {
    char Folder[MAX_PATH];
    GetTempPathA(MAX_PATH, Folder);
    FPath = std::string(Folder) + Name;
    std::ofstream(FPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
  }
  ~TTempFile() { DeleteFileA(FPath.c_str()); }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

}  // namespace

TEST(Picture, PicksTheGraphicKindByItsFirstBytes) {
  struct TCase {
    const char* Name;
    std::vector<uint8_t> File;
    const char* ClassName;
    Integer Width;
  };
  const TCase Cases[] = {
      {"BMP", BmpOf(3, 2, 0x102030), "TBitmap", 3},
      {"PNG", PngFile({1, 2, 3, 4}, 4, 1, true), "TPngImage", 4},
      {"ICO", IcoFile(16, 16, 0xFF0000FF), "TIcon", 16},
  };
  for (const TCase& C : Cases) {
    for (bool Sized : {true, false}) {
      SCOPED_TRACE(std::string(C.Name) + (Sized ? ", sized" : ", unsized"));
      TPicture Picture;
      if (Sized) {
        TBufferStream S(C.File.data(), int64_t(C.File.size()));
        Picture.LoadFromStream(S);
      } else {
        TUnsizedStream S(C.File.data(), int64_t(C.File.size()));
        Picture.LoadFromStream(S);
      }
      ASSERT_NE(Picture.Graphic(), nullptr);
      EXPECT_STREQ(Picture.Graphic()->ClassName(), C.ClassName);
      EXPECT_EQ(Picture.Width(), C.Width);
    }
  }
}

TEST(Picture, AFailedLoadLeavesThePictureAsItWas) {
  std::vector<uint8_t> TruncatedPng = PngFile(std::vector<uint32_t>(64, 0xFF123456), 8, 8, false);
  TruncatedPng.resize(TruncatedPng.size() - 20);
  std::vector<uint8_t> TruncatedBmp = BmpOf(4, 4, 0);
  TruncatedBmp.resize(60);
  for (const auto& Bytes :
       {std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 0, 0}, TruncatedPng, TruncatedBmp, std::vector<uint8_t>{}}) {
    TPicture Picture;
    Picture.Bitmap().SetSize(3, 3);
    TGraphic* Before = Picture.Graphic();
    TBufferStream S(Bytes.data(), int64_t(Bytes.size()));
    EXPECT_THROW(Picture.LoadFromStream(S), EInvalidGraphic);
    EXPECT_EQ(Picture.Graphic(), Before);
    EXPECT_EQ(Picture.Width(), 3);
  }
}

TEST(Picture, LoadFromFileGoesByTheExtension) {
  const std::vector<uint8_t> Png = PngFile({0xFF00FF00}, 1, 1, false);
  TTempFile AsPng("vx_picture_test.PNG", Png), AsBmp("vx_picture_test.bmp", Png), AsGif("vx_picture_test.gif", Png);
  TPicture Picture;
  Picture.LoadFromFile(AsPng.Path());
  EXPECT_STREQ(Picture.Graphic()->ClassName(), "TPngImage");
  // PNG bytes in a ".bmp" file go to the bitmap reader, which refuses them.
  EXPECT_THROW(Picture.LoadFromFile(AsBmp.Path()), EInvalidGraphic);
  EXPECT_STREQ(Picture.Graphic()->ClassName(), "TPngImage");
  try {
    Picture.LoadFromFile(AsGif.Path());
    ADD_FAILURE() << "accepted";
  } catch (const EInvalidGraphic& E) {
    EXPECT_STREQ(E.what(), "Unknown picture file extension (.gif)");
  }
}

TEST(Picture, HoldsCopiesAndReplacesOtherKindsWhenABitmapIsAskedFor) {
  TPngImage Png;
  LoadGraphic(Png, PngFile({0xFF0000FF, 0x80FF0000}, 2, 1, true));
  TPicture Picture;
  int Changes = 0;
  Picture.OnChange = [&Changes] { ++Changes; };
  Picture.SetGraphic(&Png);
  EXPECT_EQ(Changes, 1);
  ASSERT_NE(Picture.Graphic(), &Png);
  Png.SetSize(5, 5);
  EXPECT_EQ(Picture.Width(), 2) << "the picture holds its own copy";

  TPicture Other;
  Other.Assign(&Picture);
  EXPECT_STREQ(Other.Graphic()->ClassName(), "TPngImage");
  TBitmap& Bitmap = Picture.Bitmap();
  EXPECT_TRUE(Bitmap.Empty());
  EXPECT_EQ(Picture.Graphic(), &Bitmap);
  Bitmap.SetSize(4, 4);
  EXPECT_GE(Changes, 3) << "changes of the graphic held reach the picture";
  Other.Assign(nullptr);
  EXPECT_EQ(Other.Graphic(), nullptr);
}

TEST(PngImage, DrawsBlendedByAlphaAndConvertsToBitmaps) {
  TPngImage Png;
  LoadGraphic(Png, PngFile({0xFFFF0000, 0x80FF0000, 0x00FF0000}, 3, 1, true));
  ASSERT_TRUE(Png.Transparent());
  TBitmap Target;
  Filled(Target, 3, 1, 0xFFFFFF, TPixelFormat::pf32bit);
  Png.Draw(Target.Canvas(), {0, 0, 3, 1});
  EXPECT_EQ(Rgb(Target, 0, 0), 0xFF0000u);
  // Red at 128/255 over white: red stays 255, green and blue 255 * 127 / 255.
  const uint32_t Half = Rgb(Target, 1, 0);
  EXPECT_EQ(Half >> 16, 0xFFu);
  EXPECT_NEAR(int(Half >> 8 & 0xFF), 127, 1);
  EXPECT_NEAR(int(Half & 0xFF), 127, 1);
  EXPECT_EQ(Rgb(Target, 2, 0), 0xFFFFFFu);

  TBitmap Converted;
  Converted.Assign(&Png);
  EXPECT_EQ(Converted.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(Argb(Converted, 1, 0), 0x80FF0000u);
  EXPECT_EQ(Argb(Converted, 2, 0), 0x00FF0000u);

  // Back from the bitmap: its colours, opaque, no alpha channel until one is asked for.
  TPngImage Again;
  Again.Assign(&Converted);
  EXPECT_FALSE(Again.HasAlpha());
  EXPECT_EQ(Again.Scanline(0)[1], 0xFFFF0000u);
  Again.SetHasAlpha(true);
  Again.Scanline(0)[1] = 0x40FF0000;
  TPngImage Reloaded;
  LoadGraphic(Reloaded, SaveGraphic(Again));
  EXPECT_EQ(Reloaded.Scanline(0)[1], 0x40FF0000u);
}

TEST(Icon, ReadsDrawsAndWritesIconFiles) {
  TIcon Icon;
  LoadGraphic(Icon, IcoFile(16, 16, 0xFF0000FF));
  ASSERT_NE(Icon.Handle(), nullptr);
  EXPECT_EQ(Icon.Width(), 16);
  EXPECT_EQ(Icon.Height(), 16);
  TBitmap Target;
  Filled(Target, 16, 16, 0xFFFFFF);
  Icon.Draw(Target.Canvas(), {0, 0, 16, 16});
  EXPECT_EQ(Rgb(Target, 7, 7), 0x0000FFu);

  TIcon Reloaded;
  LoadGraphic(Reloaded, SaveGraphic(Icon));
  TBitmap Again;
  Filled(Again, 16, 16, 0xFFFFFF);
  Reloaded.Draw(Again.Canvas(), {0, 0, 16, 16});
  EXPECT_EQ(Rgb(Again, 15, 15), 0x0000FFu);

  std::vector<uint8_t> Damaged = IcoFile(16, 16, 0xFF0000FF);
  Damaged[21] = 0xFF;  // the image offset points far past the end
  TIcon Untouched;
  EXPECT_THROW(LoadGraphic(Untouched, Damaged), EInvalidGraphic);
  std::vector<uint8_t> Short = IcoFile(16, 16, 0xFF0000FF);
  Short.resize(Short.size() - 40);
  EXPECT_THROW(LoadGraphic(Untouched, Short), EInvalidGraphic);
  EXPECT_EQ(Untouched.Handle(), nullptr);
}

TEST(Icon, LoadsIconResourcesAtTheSystemSize) {
  // The system's application icon, by number, from the module that holds the standard icons.
  TIcon Icon;
  Icon.LoadFromResourceName(GetModuleHandleA("user32.dll"), "#32512");
  EXPECT_EQ(Icon.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(Icon.Height(), GetSystemMetrics(SM_CYICON));
  TBitmap Drawn;
  Drawn.Assign(&Icon);
  EXPECT_EQ(Drawn.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(Drawn.Width(), Icon.Width());

  TIcon Missing;
  EXPECT_THROW(Missing.LoadFromResourceName(GetModuleHandleA("user32.dll"), "NO_SUCH_ICON"), EInvalidGraphic);
  EXPECT_EQ(Missing.Handle(), nullptr);
  TMemoryStream Nowhere;
  EXPECT_THROW(Missing.SaveToStream(Nowhere), EInvalidGraphicOperation);
  EXPECT_EQ(Nowhere.Size(), 0);
}
