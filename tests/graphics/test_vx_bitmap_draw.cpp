#include <gtest/gtest.h>

#include "bitmap_helpers.h"

namespace {
// A target filled with a marker, so that untouched pixels show.
constexpr TvxColor Marker = 0xFFAAAAAA;
}  // namespace

TEST(BitmapDraw, SameSizeCopyClipsToTheTarget) {
  TvxBitmap Source, Target;
  PaintNumbered(Source, 4, 3);
  Paint(Target, 3, 3, Marker);
  Source.DrawTo(Target, -2, 1);
  EXPECT_EQ(Row(Target, 0), std::vector<TvxColor>(3, Marker));
  EXPECT_EQ(Row(Target, 1), (std::vector<TvxColor>{Numbered(2, 0), Numbered(3, 0), Marker}));
  EXPECT_EQ(Row(Target, 2), (std::vector<TvxColor>{Numbered(2, 1), Numbered(3, 1), Marker}));
}

TEST(BitmapDraw, TheSourceFlagsChooseCopyKeyOrBlend) {
  TvxBitmap Source, Target;
  Paint(Source, 3, 1, 0x80C80000);
  Source.SetPixel(1, 0, vxKeyColor);
  struct Case {
    bool Transparent, AlphaBlend;
    std::vector<TvxColor> Expected;
  } Cases[] = {
      {false, false, {0x80C80000, vxKeyColor, 0x80C80000}},
      {true, false, {0xFFC80000, 0xFF640000, 0xFFC80000}},
      {true, true, {0xBF960000, 0xFF640000, 0xBF960000}},  // blend wins; the key has alpha 0
  };
  for (const Case& C : Cases) {
    Source.SetTransparent(C.Transparent);
    Source.SetAlphaBlend(C.AlphaBlend);
    Paint(Target, 3, 1, 0xFF640000);
    Source.DrawTo(Target, 0, 0);
    EXPECT_EQ(Row(Target, 0), C.Expected) << C.Transparent << C.AlphaBlend;
  }
}

TEST(BitmapDraw, SourceRectanglesOutsideTheBitmapOrEmptyDrawNothing) {
  TvxBitmap Source, Target;
  PaintNumbered(Source, 4, 4);
  for (TRect Src : {Rect(2, 2, 5, 4), Rect(-1, 0, 2, 2), Rect(0, 0, 4, 5), Rect(1, 1, 1, 3), Rect(3, 0, 2, 2)}) {
    Paint(Target, 8, 8, Marker);
    Source.StretchDrawTo(Target, Rect(0, 0, 8, 8), Src);
    Source.DrawTo(Target, 0, 0, Src);
    EXPECT_EQ(AllPixels(Target), std::vector<TvxColor>(64, Marker));
  }
}

TEST(BitmapStretch, OneColumnRepeatsAndManyColumnsIntoOneTakeTheMiddle) {
  TvxBitmap Source, Target;
  PaintNumbered(Source, 10, 1);
  Paint(Target, 10, 1, Marker);
  Source.StretchDrawTo(Target, Rect(0, 0, 10, 1), Rect(6, 0, 7, 1));
  EXPECT_EQ(Row(Target, 0), std::vector<TvxColor>(10, Numbered(6, 0)));
  Paint(Target, 10, 1, Marker);
  Source.StretchDrawTo(Target, Rect(0, 0, 1, 1), Rect(0, 0, 10, 1));
  EXPECT_EQ(Target.GetPixel(0, 0), Numbered(4, 0));  // (0 + 10 - 1) div 2
  Source.StretchDrawTo(Target, Rect(1, 0, 2, 1), Rect(3, 0, 9, 1));
  EXPECT_EQ(Target.GetPixel(1, 0), Numbered(5, 0));  // (3 + 9 - 1) div 2
}

TEST(BitmapStretch, SamplesRoundHalvesToEven) {
  // 3 columns onto 5: x * 2 / 4 = 0, 0.5, 1, 1.5, 2 -> 0, 0, 1, 2, 2.
  TvxBitmap Source, Target;
  PaintNumbered(Source, 3, 3);
  Paint(Target, 5, 5, Marker);
  Source.StretchDrawTo(Target, Rect(0, 0, 5, 5), Rect(0, 0, 3, 3));
  const Integer Map[] = {0, 0, 1, 2, 2};
  for (Integer Y = 0; Y < 5; ++Y)
    for (Integer X = 0; X < 5; ++X) ASSERT_EQ(Target.GetPixel(X, Y), Numbered(Map[X], Map[Y])) << X << "," << Y;
}

// The offset is added before rounding: 3 from column 1 onto 5 is 1 + (0, 0.5, 1, 1.5, 2) =
// 1, 1.5, 2, 2.5, 3, so the halves go to 2 and 2, not 1 + (0, 0, 1, 2, 2).
TEST(BitmapStretch, HalvesRoundAfterTheSourceOffsetIsAdded) {
  TvxBitmap Source, Target;
  PaintNumbered(Source, 8, 8);
  const std::vector<Integer> OddMap{1, 2, 2, 2, 3}, EvenMap{2, 2, 3, 4, 4}, FromOdd5{5, 6, 6, 6, 7};
  struct Case {
    Integer Left, Top;
    std::vector<Integer> Columns, Rows;
  } const Cases[] = {
      {1, 2, OddMap, EvenMap},
      {2, 1, EvenMap, OddMap},
      {5, 1, FromOdd5, OddMap},
  };
  for (const Case& C : Cases) {
    Paint(Target, 5, 5, Marker);
    Source.StretchDrawTo(Target, Rect(0, 0, 5, 5), Bounds(C.Left, C.Top, 3, 3));
    for (Integer Y = 0; Y < 5; ++Y)
      for (Integer X = 0; X < 5; ++X)
        ASSERT_EQ(Target.GetPixel(X, Y), Numbered(C.Columns[size_t(X)], C.Rows[size_t(Y)]))
            << C.Left << "," << C.Top << " at " << X << "," << Y;
  }
}

TEST(BitmapStretch, ShrinksByHalfAndClipsAHugeDestination) {
  TvxBitmap Source, Target;
  PaintNumbered(Source, 8, 2);
  Paint(Target, 4, 1, Marker);
  Source.StretchDrawTo(Target, Rect(0, 0, 4, 1), Rect(0, 0, 8, 2));
  // x * 7 / 3: 0, 2.33, 4.67, 7 -> 0, 2, 5, 7; one row takes (0 + 2 - 1) div 2 = 0.
  EXPECT_EQ(Row(Target, 0), (std::vector<TvxColor>{Numbered(0, 0), Numbered(2, 0), Numbered(5, 0), Numbered(7, 0)}));
  // Only the painted part of a destination of two billion pixels is computed.
  Source.StretchDrawTo(Target, Rect(-1000000000, 0, 1000000000, 1), Rect(0, 0, 8, 1));
  EXPECT_EQ(Target.GetPixel(0, 0), Numbered(4, 0));  // 1e9 * 7 / (2e9 - 1) = 3.50000000175
}

TEST(BitmapStretch, KeyAndBlendModesApplyToSampledRows) {
  TvxBitmap Source, Target;
  Paint(Source, 2, 1, 0x80C80000);
  Source.SetPixel(1, 0, vxKeyColor);
  Source.SetTransparent(true);
  Paint(Target, 4, 2, 0xFF640000);
  Source.StretchDrawTo(Target, Rect(0, 0, 4, 2), Rect(0, 0, 2, 1));
  const std::vector<TvxColor> Keyed{0xFFC80000, 0xFFC80000, 0xFF640000, 0xFF640000};
  EXPECT_EQ(Row(Target, 0), Keyed);
  EXPECT_EQ(Row(Target, 1), Keyed);
}

TEST(BitmapTile, CutTilesComeFromTheTopLeftOfTheSource) {
  TvxBitmap Source, Target;
  PaintNumbered(Source, 12, 12);
  Paint(Target, 30, 12, Marker);
  const TRect Tile = Rect(1, 1, 11, 11);
  Source.TileTo(Target, Rect(0, 0, 25, 10), Tile);
  for (Integer X = 0; X < 30; ++X) {
    const TvxColor Expected = X < 25 ? Numbered(1 + X % 10, 1 + 9) : Marker;
    ASSERT_EQ(Target.GetPixel(X, 9), Expected) << X;
  }
  EXPECT_EQ(Target.GetPixel(24, 0), Numbered(5, 1));  // third tile: 5 columns of the left half
  EXPECT_EQ(Target.GetPixel(0, 10), Marker);
}

TEST(BitmapTile, ClipRectSkipsTilesThatDoNotTouchIt) {
  std::vector<TRect> Drawn;
  ForEachTile(Rect(0, 0, 25, 20), Rect(0, 0, 10, 10), Rect(12, 12, 13, 13),
              [&](const TRect& Piece, const TRect&) { Drawn.push_back(Piece); });
  EXPECT_EQ(Drawn, std::vector<TRect>{Rect(10, 10, 20, 20)});
  Drawn.clear();
  ForEachTile(Rect(0, 0, 25, 20), Rect(0, 0, 10, 10), TRect{},
              [&](const TRect& Piece, const TRect& Src) { Drawn.push_back(Piece); });
  EXPECT_EQ(Drawn.size(), 6u);
  Drawn.clear();
  ForEachTile(Rect(0, 0, 25, 20), Rect(0, 0, 0, 10), TRect{}, [&](const TRect& Piece, const TRect&) { Drawn.push_back(Piece); });
  EXPECT_TRUE(Drawn.empty()) << "a tile without area draws nothing";
}

// Each row is sampled before it is written, so a stretch that overlaps itself within rows reads
// the original pixels.
TEST(BitmapStretch, AStretchOverlappingItselfWithinRowsReadsTheOriginalPixels) {
  TvxBitmap Self, Copy, Expected;
  PaintNumbered(Self, 9, 3);
  Copy.Assign(&Self);
  Expected.Assign(&Self);
  Copy.StretchDrawTo(Expected, Rect(2, 0, 9, 3), Rect(0, 0, 4, 3));
  Self.StretchDrawTo(Self, Rect(2, 0, 9, 3), Rect(0, 0, 4, 3));
  EXPECT_EQ(AllPixels(Self), AllPixels(Expected));
}
