#include <gtest/gtest.h>

#include "bitmap_helpers.h"
#include "vexel/graphics/vx_bitmaplist.h"

TEST(BitmapStorage, SetSizeIgnoresZeroSidesAndKeepsPixelsOfAnUnchangedSize) {
  TvxBitmap B;
  Paint(B, 5, 5, 0xFF123456);
  B.SetSize(0, 10);
  B.SetSize(5, 5);
  EXPECT_EQ(B.Width(), 5);
  EXPECT_EQ(B.Height(), 5);
  EXPECT_EQ(B.GetPixel(4, 4), 0xFF123456u);
}

TEST(BitmapStorage, NegativeSizesCountByMagnitudeAndStartZeroed) {
  TvxBitmap B;
  B.SetAlphaBlend(true);
  B.SetSize(-8, -4);
  ASSERT_FALSE(B.Empty());
  EXPECT_EQ(B.Width(), 8);
  EXPECT_EQ(B.Height(), 4);
  EXPECT_EQ(AllPixels(B), std::vector<TvxColor>(32, 0u));
  EXPECT_TRUE(B.AlphaBlend()) << "a size change leaves the flags alone";
}

TEST(BitmapStorage, AbsurdSizeIsRefusedAndABitmapCanBeSizedAgainAfterwards) {
  TvxBitmap B;
  Paint(B, 3, 2, 0xFFFFFFFF);
  try {
    B.SetSize(100000, 100000);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Can't allocate the DIB handle");
  }
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.BoundsRect(), Rect(0, 0, 0, 0)) << "no buffer, no size";
  EXPECT_EQ(B.GetPixel(0, 0), 0u);
  B.SetSize(3, 2);
  EXPECT_FALSE(B.Empty()) << "the old size must not stop a new buffer";
}

// A bitmap a failed SetSize left without a buffer is empty to every operation, on either side of
// a draw: nothing writes through the missing buffer (the sanitizers stop the native build there).
TEST(BitmapStorage, ABitmapAFailedSetSizeEmptiedIsEmptyToEveryOperation) {
  TvxBitmap Other;
  Paint(Other, 4, 3, 0x80C80000);
  const auto OtherPixels = AllPixels(Other);
  TvxBitmap B;
  Paint(B, 4, 3, 0xFFFFFFFF);
  EXPECT_THROW(B.SetSize(100000, 100000), Exception);
  ASSERT_TRUE(B.Empty());

  B.Fill(0xFF123456);
  B.SetAlpha(0x80);
  B.ChangeHue(40);
  B.ChangeBrightness(-40);
  B.FlipVertical();
  B.CheckAlpha();
  B.MakeTransparent(0);
  B.FillRect(Rect(0, 0, 4, 3), 0xFF000000);
  B.SetAlphaRect(0, Rect(0, 0, 4, 3));
  B.SetPixel(1, 1, 0xFF000000);
  B.Underlay(Other, 0, 0, Other.BoundsRect());
  B.CreateLink(Rect(0, 0, 4, 3))->CheckTransparency(Rect(1, 1, 1, 1));
  EXPECT_TRUE(B.RegionRects(0, 0).empty());
  EXPECT_EQ(B.Width() * B.Height(), 0);

  Other.DrawTo(B, 0, 0);
  Other.StretchDrawTo(B, Rect(0, 0, 8, 6), Other.BoundsRect());
  Other.TileTo(B, Rect(0, 0, 8, 6), Other.BoundsRect());
  B.DrawTo(Other, 0, 0);
  B.StretchDrawTo(Other, Rect(0, 0, 4, 3), Rect(0, 0, 4, 3));
  B.TileTo(Other, Rect(0, 0, 4, 3), B.BoundsRect());
  Other.Underlay(B, 0, 0, Rect(0, 0, 4, 3));
  EXPECT_EQ(AllPixels(Other), OtherPixels);

  TvxBitmap Shadow, Copy;
  MakeSilhouette(B, clRed, Shadow);
  EXPECT_TRUE(Shadow.Empty());
  Paint(Copy, 2, 2, 1);
  Copy.Assign(&B);
  EXPECT_TRUE(Copy.Empty());
  EXPECT_EQ(Copy.Width() * Copy.Height(), 0);

  TMemoryStream Saved;
  B.SaveToStream(Saved);
  Saved.SetPosition(0);
  TvxBitmap Loaded;
  Loaded.LoadFromStream(Saved);
  EXPECT_TRUE(Loaded.Empty());
  EXPECT_EQ(Loaded.Width() * Loaded.Height(), 0);
}

TEST(BitmapPixels, AccessOutsideTheBitmapReadsZeroAndWritesNothing) {
  TvxBitmap B;
  EXPECT_EQ(B.GetPixel(0, 0), 0u);
  B.SetPixel(0, 0, 1);  // empty: nothing to write
  Paint(B, 4, 3, 0xFF000001);
  const auto Before = AllPixels(B);
  for (auto [X, Y] : {std::pair{4, 0}, {-1, 0}, {0, 3}, {0, -1}}) {
    EXPECT_EQ(B.GetPixel(X, Y), 0u);
    B.SetPixel(X, Y, 0xDEADBEEF);
  }
  EXPECT_EQ(AllPixels(B), Before);
}

TEST(BitmapPixels, FillRectClipsAndBlendsWhenTheBitmapBlends) {
  TvxBitmap B;
  Paint(B, 4, 2, 0xFF640000);
  B.FillRect(Rect(2, -5, 10, 1), 0x80C80000);
  EXPECT_EQ(Row(B, 0), (std::vector<TvxColor>{0xFF640000, 0xFF640000, 0x80C80000, 0x80C80000}));
  EXPECT_EQ(Row(B, 1), std::vector<TvxColor>(4, 0xFF640000));
  B.SetAlphaBlend(true);
  B.FillRect(Rect(0, 1, 1, 2), 0x80C80000);
  EXPECT_EQ(B.GetPixel(0, 1), 0xBF960000u);
  B.FillRect(Rect(3, 0, 3, 2), 0);  // empty rectangle
  EXPECT_EQ(B.GetPixel(3, 0), 0x80C80000u);
}

TEST(BitmapPixels, SetAlphaAndSetAlphaRect) {
  TvxBitmap B;
  Paint(B, 3, 3, 0x11223344);
  B.SetAlphaRect(0xEE, Rect(1, 1, 9, 9));
  EXPECT_EQ(B.GetPixel(0, 0), 0x11223344u);
  EXPECT_EQ(B.GetPixel(2, 2), 0xEE223344u);
  B.SetAlphaRect(0x00, Rect(0, 0, 0, 3));  // zero width: nothing
  EXPECT_EQ(B.GetPixel(0, 0), 0x11223344u);
  B.SetAlpha(0x80);
  EXPECT_EQ(AllPixels(B), std::vector<TvxColor>(9, 0x80223344u));
}

TEST(BitmapColourWork, CheckAlphaSeesOnlyPartialAlpha) {
  TvxBitmap B;
  Paint(B, 3, 1, 0xFF000000);
  B.SetPixel(1, 0, 0x00000000);
  B.SetAlphaBlend(true);
  B.CheckAlpha();
  EXPECT_FALSE(B.AlphaBlend());
  B.SetPixel(2, 0, 0x80000000);
  B.CheckAlpha();
  EXPECT_TRUE(B.AlphaBlend());
}

TEST(BitmapColourWork, MakeTransparentKeysPixelsWithinFivePerChannel) {
  TvxBitmap B;
  Paint(B, 3, 1, 0xFF000000);
  B.SetPixel(0, 0, MakePixel(250, 5, 255, 0xFF));
  B.SetPixel(1, 0, MakePixel(249, 0, 255, 0xFF));
  B.SetTransparent(true);
  B.MakeTransparent(0x12FF00FF);  // alpha of the value is ignored
  EXPECT_EQ(B.GetPixel(0, 0), vxKeyColor);
  EXPECT_EQ(B.GetPixel(1, 0), MakePixel(249, 0, 255, 0xFF));
  EXPECT_TRUE(B.Transparent());
  B.MakeTransparent(0xFF00FF00);
  EXPECT_FALSE(B.Transparent()) << "reset when nothing matches";
}

TEST(BitmapColourWork, FlipVerticalSwapsRowsAroundAnOddMiddle) {
  TvxBitmap B;
  PaintNumbered(B, 2, 3);
  B.FlipVertical();
  EXPECT_EQ(B.GetPixel(1, 0), Numbered(1, 2));
  EXPECT_EQ(B.GetPixel(1, 1), Numbered(1, 1));
  EXPECT_EQ(B.GetPixel(0, 2), Numbered(0, 0));
}

TEST(BitmapColourWork, BrightnessAndHueKeepAlphaAndSkipInvisiblePixels) {
  TvxBitmap B;
  Paint(B, 2, 1, 0x80FF0000);
  B.SetPixel(1, 0, 0x00FF0000);
  B.ChangeBrightness(-16);
  EXPECT_EQ(B.GetPixel(0, 0), 0x80EF0000u);
  EXPECT_EQ(B.GetPixel(1, 0), 0x00FF0000u);
  B.Fill(0x40FF0000);
  B.ChangeHue(85);
  EXPECT_EQ(B.GetPixel(0, 0), 0x4000FF00u);
}

TEST(BitmapAssign, CopiesPixelsNameAndFlagsAndRefusesOtherClasses) {
  TvxBitmap Source, Copy;
  PaintNumbered(Source, 3, 2);
  Source.SetName("glyph");
  Source.SetTransparent(true);
  Copy.Assign(&Source);
  EXPECT_EQ(AllPixels(Copy), AllPixels(Source));
  EXPECT_EQ(Copy.Name(), "glyph");
  EXPECT_TRUE(Copy.Transparent());
  EXPECT_FALSE(Copy.AlphaBlend());

  TvxBitmap Empty;
  Copy.Assign(&Empty);
  EXPECT_TRUE(Copy.Empty()) << "a copy of an empty image is empty";
  EXPECT_EQ(Copy.Width(), 0);

  TvxBitmapLink Link;
  try {
    Copy.Assign(&Link);
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TvxBitmapLink to a TvxBitmap");
  }
}

TEST(BitmapRegion, OneRectanglePerRunOfNonKeyPixels) {
  TvxBitmap B;
  Paint(B, 6, 6, vxKeyColor);
  EXPECT_TRUE(B.RegionRects(0, 0).empty());
  B.SetPixel(3, 4, 0xFF000000);
  EXPECT_EQ(B.RegionRects(10, 10), std::vector<TRect>{Rect(13, 14, 14, 15)});
  B.SetPixel(0, 0, 0x00000000);
  B.SetPixel(1, 0, 0xFF7F007F ^ 0x01);  // near the key is not key
  B.SetPixel(3, 0, 0x10000000);
  B.SetPixel(4, 0, 0x10000000);
  B.SetPixel(5, 0, 0x10000000);
  EXPECT_EQ(B.RegionRects(0, 0), (std::vector<TRect>{Rect(0, 0, 2, 1), Rect(3, 0, 6, 1), Rect(3, 4, 4, 5)}));
  TvxBitmap Empty;
  EXPECT_TRUE(Empty.RegionRects(0, 0).empty());
}

TEST(BitmapUnderlay, FillsInvisibleBlendsTranslucentKeepsOpaque) {
  TvxBitmap Top, Under;
  Paint(Top, 3, 1, 0);
  Top.SetPixel(1, 0, 0x80C80000);
  Top.SetPixel(2, 0, 0xFF010101);
  Paint(Under, 5, 1, 0xFF640000);
  Under.SetPixel(0, 0, 0xFF000001);
  Top.Underlay(Under, -1, 0, Rect(0, 0, 5, 1));  // source column 1 lands on column 0
  EXPECT_EQ(Row(Top, 0), (std::vector<TvxColor>{0xFF640000, 0xBF960000, 0xFF010101}));
}

TEST(BitmapSilhouette, OneTranslucentColourWhereTheGlyphIsVisible) {
  TvxBitmap Glyph, Shadow;
  Paint(Glyph, 3, 1, 0xFF102030);
  Glyph.SetPixel(0, 0, 0xFFFF03FF);  // near magenta, but only near-key pixels drop out
  Glyph.SetPixel(1, 0, MakePixel(0x7F, 0x02, 0x7F, 0xFF));
  Glyph.SetPixel(2, 0, 0x00102030);
  MakeSilhouette(Glyph, 0x0000FF, Shadow);  // red
  EXPECT_EQ(Row(Shadow, 0), (std::vector<TvxColor>{0x64FF0000, vxKeyColor, 0x00102030}));
  EXPECT_TRUE(Shadow.AlphaBlend());
}
