// TvxBitmap with the framework's graphics: Assign from bitmaps, pictures and other graphics,
// AssignTo bitmaps and pictures (composed over what they held), the clipboard, silhouettes on
// a canvas.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/picture.h"
#include "framework/graphics/png_image.h"
#include "vexel/graphics/vx_bitmap.h"

namespace {

TvxColor At(const TBitmap& B, Integer X, Integer Y) { return static_cast<const TvxColor*>(B.ScanLine(Y))[X]; }
void Put(TBitmap& B, Integer X, Integer Y, TvxColor V) { static_cast<TvxColor*>(B.ScanLine(Y))[X] = V; }

void Framework32(TBitmap& B, std::initializer_list<TvxColor> Pixels, Integer W) {
  B.SetPixelFormat(TPixelFormat::pf32bit);
  B.SetSize(W, Integer(Pixels.size()) / W);
  Integer I = 0;
  for (TvxColor P : Pixels) Put(B, I % W, I / W, P), ++I;
}

void Engine(TvxBitmap& B, std::initializer_list<TvxColor> Pixels, Integer W) {
  B.SetSize(W, Integer(Pixels.size()) / W);
  Integer I = 0;
  for (TvxColor P : Pixels) B.SetPixel(I % W, I / W, P), ++I;
}

// Other programs under test may hold the clipboard for a moment.
bool OpenClipboardPatiently() {
  for (int Attempt = 0; Attempt < 20; ++Attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

TEST(VxBitmapFramework, A32BitBitmapIsCopiedPixelForPixelWithItsAlpha) {
  TBitmap Source;
  Framework32(Source, {0xFF112233, 0x80445566, 0x00778899, 0xFFFFFFFF}, 2);
  TvxBitmap B;
  B.SetName("kept");
  B.Assign(&Source);
  ASSERT_EQ(B.Width(), 2);
  ASSERT_EQ(B.Height(), 2);
  EXPECT_EQ(B.GetPixel(0, 0), 0xFF112233u);
  EXPECT_EQ(B.GetPixel(1, 0), 0x80445566u);
  EXPECT_EQ(B.GetPixel(0, 1), 0x00778899u);
  EXPECT_TRUE(B.AlphaBlend()) << "CheckAlpha ran";
  EXPECT_EQ(B.Name(), "kept");

  Put(Source, 1, 0, 0xFF445566);
  B.Assign(&Source);
  EXPECT_FALSE(B.AlphaBlend()) << "alphas of only 0 and 255";
}

TEST(VxBitmapFramework, OtherBitmapsArriveOpaque) {
  TBitmap Source;
  Source.SetSize(2, 1);
  Source.Canvas().Brush().SetColor(clRed);
  Source.Canvas().FillRect({0, 0, 1, 1});
  Source.Canvas().Brush().SetColor(TColor(0x665544));
  Source.Canvas().FillRect({1, 0, 2, 1});
  TvxBitmap B;
  B.SetAlphaBlend(true);
  B.Assign(&Source);
  EXPECT_EQ(B.GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(B.GetPixel(1, 0), 0xFF445566u);
  EXPECT_FALSE(B.AlphaBlend());
}

TEST(VxBitmapFramework, AssignToComposesOverTheBitmapsPixels) {
  TvxBitmap B;
  Engine(B, {0xFFFF0000, 0x007F007F, 0x80FF0000}, 3);
  B.SetAlphaBlend(true);
  TBitmap Target;
  Framework32(Target, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF}, 3);
  Target.Assign(&B);
  EXPECT_EQ(Target.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(At(Target, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(At(Target, 1, 0), 0xFF0000FFu) << "alpha 0 keeps what was there";
  // Red at 128 over blue, every channel (256*B + a*(F - B)) >> 8: alpha 191, red 127, blue 127.
  EXPECT_EQ(At(Target, 2, 0), 0xBF7F007Fu);

  // A bitmap of another format and size becomes 32-bit and this size.
  TBitmap Small;
  Small.SetSize(1, 1);
  Small.Assign(&B);
  EXPECT_EQ(Small.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(Small.Width(), 3);
  EXPECT_EQ(At(Small, 0, 0), 0xFFFF0000u);
}

TEST(VxBitmapFramework, PicturesRoundTrip) {
  TvxBitmap B;
  Engine(B, {0xFF102030, 0xFF405060}, 2);
  TPicture Picture;
  Picture.Assign(&B);
  ASSERT_STREQ(Picture.Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(At(Picture.Bitmap(), 1, 0), 0xFF405060u);
  TvxBitmap Back;
  Back.Assign(&Picture);
  EXPECT_EQ(Back.GetPixel(0, 0), 0xFF102030u);
  EXPECT_EQ(Back.GetPixel(1, 0), 0xFF405060u);

  TPicture Empty;
  Back.Assign(&Empty);
  EXPECT_TRUE(Back.Empty());
  Back.Assign(&B);
  TBitmap EmptyBitmap;
  Back.Assign(&EmptyBitmap);
  EXPECT_TRUE(Back.Empty());
}

TEST(VxBitmapFramework, OtherGraphicsGoThroughAMagentaStageAndComeOutOpaque) {
  // Green, then fully transparent: the second pixel is left uncovered.
  const uint32_t Pixels[] = {0xFF00FF00, 0x00123456};
  TMemoryStream File;
  WritePng(File, Pixels, 2, 1, true);
  File.SetPosition(0);
  TPicture Picture;
  Picture.LoadFromStream(File);
  ASSERT_STREQ(Picture.Graphic()->ClassName(), "TPngImage");

  TvxBitmap B;
  Engine(B, {0x110000FF, 0x110000FF}, 2);
  B.Assign(&Picture);
  EXPECT_EQ(B.GetPixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(B.GetPixel(1, 0), 0xFF0000FFu) << "uncovered: the previous pixel, made opaque";

  // A graphic stretched into part of the bitmap leaves the rest alone.
  Engine(B, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}, 4);
  B.AssignFromGraphic(*Picture.Graphic(), {2, 0, 4, 1});
  EXPECT_EQ(B.GetPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(B.GetPixel(1, 0), 0xFF0000FFu);
  EXPECT_EQ(B.GetPixel(2, 0) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(B.GetPixel(3, 0), 0xFF0000FFu);

  TFont Font;
  EXPECT_THROW(B.Assign(&Font), EConvertError);
}

TEST(VxBitmapFramework, CopyToClipboardPlacesTheComposedPixels) {
  TvxBitmap B;
  Engine(B, {0xFF123456, 0x007F007F}, 2);
  B.SetTransparent(true);
  B.CopyToClipboard();
  ASSERT_TRUE(OpenClipboardPatiently());
  HANDLE Data = GetClipboardData(CF_DIB);
  ASSERT_NE(Data, nullptr);
  const auto* Header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(Data));
  EXPECT_EQ(Header->biWidth, 2);
  EXPECT_EQ(Header->biHeight, 1);
  EXPECT_EQ(Header->biBitCount, 32);
  const auto* Row = reinterpret_cast<const uint32_t*>(Header + 1);
  EXPECT_EQ(Row[0] & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(Row[1] & 0xFFFFFF, 0u) << "the key pixel leaves the fresh bitmap's black";
  GlobalUnlock(Data);
  CloseClipboard();
}

TEST(VxBitmapFramework, SilhouetteOnACanvas) {
  TvxBitmap Glyph;
  // Opaque green, and a near-key pixel (within 5 of $7F007F) that becomes key.
  Engine(Glyph, {0xFF00FF00, 0xFF7E017F}, 2);
  TBitmap Target;
  Framework32(Target, {0xFFFFFFFF, 0xFFFFFFFF}, 2);
  DrawSilhouette(Target.Canvas(), 0, 0, clBlack, Glyph);
  // Black at alpha 100 over white: (256*255 + 100*(0 - 255)) >> 8 = 155 per colour channel.
  EXPECT_EQ(At(Target, 0, 0) & 0xFFFFFF, 0x9B9B9Bu);
  EXPECT_EQ(At(Target, 1, 0), 0xFFFFFFFFu);
}
