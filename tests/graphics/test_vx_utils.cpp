// The portable helpers: rectangle arithmetic, point-in-polygon, tokenisers, stream strings and
// keyboard timing.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "vexel/graphics/vx_utils.h"

// Global, so that GoogleTest's messages find it next to TRect.
static std::ostream& operator<<(std::ostream& Out, const TRect& R) {
  return Out << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}

// [Rectangles]

TEST(RectArithmetic, SizesAndEmptiness) {
  EXPECT_EQ(RectWidth({3, 4, 10, 20}), 7);
  EXPECT_EQ(RectHeight({3, 4, 10, 20}), 16);
  struct {
    TRect R;
    bool Empty;
  } const Cases[] = {
      {{5, 0, 5, 10}, true},  // Right = Left
      {{0, 5, 10, 5}, true},  // Bottom = Top
      {{6, 0, 5, 10}, true},  // negative width
      {{0, 0, 1, 1}, false}, {{-3, -3, -2, -2}, false},
  };
  for (const auto& C : Cases) EXPECT_EQ(RectIsEmpty(C.R), C.Empty) << C.R;
}

TEST(RectArithmetic, CenteringHalvesTheDifferenceTowardZero) {
  struct {
    TRect R, Within, Centred, Vertical;
  } const Cases[] = {
      // Smaller: differences 11 and 21 give offsets 5 and 10.
      {{7, 7, 17, 17}, {100, 50, 121, 81}, {105, 60, 115, 70}, {100, 60, 110, 70}},
      // Larger: differences -3 and -5 give -1 and -2, not -2 and -3.
      {{0, 0, 13, 15}, {0, 0, 10, 10}, {-1, -2, 12, 13}, {0, -2, 13, 13}},
      // Same size: lands exactly on Within.
      {{-4, -4, 6, 2}, {20, 30, 30, 36}, {20, 30, 30, 36}, {20, 30, 30, 36}},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(CenterRect(C.R, C.Within), C.Centred) << C.R << " in " << C.Within;
    EXPECT_EQ(CenterRectVertically(C.R, C.Within), C.Vertical) << C.R << " in " << C.Within;
  }
}

TEST(RectArithmetic, InflateDeflateContainAndCompare) {
  EXPECT_EQ(InflateRectBy({10, 20, 30, 40}, 3), TRect({7, 17, 33, 43}));
  EXPECT_EQ(InflateRectBy({10, 20, 30, 40}, -3), TRect({13, 23, 27, 37}));
  EXPECT_EQ(DeflateRectByMargins({10, 20, 30, 40}, {1, 2, 3, 4}), TRect({11, 22, 27, 36}));

  const TRect Outer{0, 0, 10, 10};
  struct {
    TRect Inner;
    bool Inside;
  } const Cases[] = {
      {{0, 0, 10, 10}, true},  // edges coincide
      {{2, 3, 4, 5}, true},    {{-1, 0, 5, 5}, false},  {{0, -1, 5, 5}, false},
      {{5, 5, 11, 10}, false}, {{5, 5, 10, 11}, false},
  };
  for (const auto& C : Cases) EXPECT_EQ(RectContains(C.Inner, Outer), C.Inside) << C.Inner;

  EXPECT_TRUE(RectsEqual({1, 2, 3, 4}, {1, 2, 3, 4}));
  for (const TRect& Other : {TRect{0, 2, 3, 4}, TRect{1, 0, 3, 4}, TRect{1, 2, 0, 4}, TRect{1, 2, 3, 0}})
    EXPECT_FALSE(RectsEqual({1, 2, 3, 4}, Other)) << Other;
}

TEST(RectArithmetic, ExtremeCoordinatesSaturateInsteadOfWrapping) {
  EXPECT_EQ(RectWidth({INT_MIN, 0, INT_MAX, 0}), INT_MAX);
  EXPECT_EQ(RectHeight({0, INT_MAX, 0, INT_MIN}), INT_MIN);
  EXPECT_EQ(InflateRectBy({INT_MIN + 1, 0, INT_MAX - 1, 1}, 5), TRect({INT_MIN, -5, INT_MAX, 6}));
  EXPECT_EQ(DeflateRectByMargins({0, 0, 0, 0}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}).Right, INT_MAX);
  EXPECT_TRUE(RectIsEmpty({INT_MAX, 0, INT_MIN, 10}));
  const TRect Centred = CenterRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 10, 10});
  EXPECT_LE(Centred.Left, Centred.Right);
}

// [Polygons]

TEST(PointInPolygon, ARectanglesCornersContainExactlyTheRectanglesPoints) {
  const TRect R{2, 3, 9, 7};
  const std::vector<TPoint> Clockwise{{2, 3}, {9, 3}, {9, 7}, {2, 7}};
  const std::vector<TPoint> AntiClockwise{{2, 3}, {2, 7}, {9, 7}, {9, 3}};
  for (Integer Y = 0; Y < 10; ++Y)
    for (Integer X = 0; X < 12; ++X) {
      EXPECT_EQ(PointInPolygon({X, Y}, Clockwise), R.Contains(X, Y)) << X << "," << Y;
      EXPECT_EQ(PointInPolygon({X, Y}, AntiClockwise), R.Contains(X, Y)) << X << "," << Y;
    }
}

TEST(PointInPolygon, WindingRuleFillsOverlapsThatEvenOddWouldLeaveOut) {
  // A square traced twice winds twice around its inside; a five-pointed star winds twice
  // around its centre.
  const std::vector<TPoint> Twice{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(PointInPolygon({5, 5}, Twice));
  EXPECT_FALSE(PointInPolygon({15, 5}, Twice));
  const std::vector<TPoint> Star{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
  EXPECT_TRUE(PointInPolygon({50, 50}, Star));  // the pentagon in the middle
  EXPECT_TRUE(PointInPolygon({50, 10}, Star));  // the top point
  EXPECT_FALSE(PointInPolygon({10, 80}, Star));
  EXPECT_FALSE(PointInPolygon({95, 5}, Star));
}

TEST(PointInPolygon, DegenerateAndHugePolygons) {
  EXPECT_FALSE(PointInPolygon({0, 0}, {}));
  EXPECT_FALSE(PointInPolygon({0, 0}, {{-5, -5}, {5, 5}}));
  // Offsets between these coordinates need more than 64 bits when multiplied.
  const std::vector<TPoint> Everything{{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
  EXPECT_TRUE(PointInPolygon({0, 0}, Everything));
  EXPECT_TRUE(PointInPolygon({INT_MIN, INT_MIN}, Everything));
  EXPECT_FALSE(PointInPolygon({INT_MAX, 0}, Everything));
  // A sliver just under the diagonal: near the origin it spans y from x - 1.0000000002 to x,
  // so the centre (0.5, -0.5) of pixel (0, -1) is inside by a hair, and only exact arithmetic
  // sees it.
  const std::vector<TPoint> Sliver{{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MAX, INT_MAX - 2}};
  EXPECT_TRUE(PointInPolygon({0, -1}, Sliver));
  EXPECT_FALSE(PointInPolygon({0, -2}, Sliver));
  EXPECT_FALSE(PointInPolygon({-1, 0}, Sliver));
}

// [Tokenisers]

TEST(NextToken, TakesSuccessiveValuesOfAList) {
  std::string S = "128, 64, 32";
  EXPECT_EQ(NextToken(S), "128");
  EXPECT_EQ(S, "64, 32");
  EXPECT_EQ(NextToken(S), "64");
  EXPECT_EQ(NextToken(S), "32");
  EXPECT_EQ(S, "");
  EXPECT_EQ(NextToken(S), "");
  EXPECT_EQ(S, "");
}

TEST(NextToken, DelimitersAndTrimming) {
  struct {
    const char* In;
    const char* Token;
    const char* Rest;
  } const Cases[] = {
      {"Left=10", "Left", "10"},
      {"rgb(1)", "rgb", "1)"},
      {"a)b", "a", "b"},
      {"a:b", "a", "b"},
      {"a;b", "a", "b"},
      {"a,,b", "a", ",b"},               // one delimiter at a time
      {" lead", "", "lead"},             // a space is a delimiter too
      {"\tab\x01,  cd \n", "ab", "cd"},  // tabs and control characters are only trimmed
      {"a.b-c/d", "a.b-c/d", ""},
      {"\xE9t\xE9 \xA0", "\xE9t\xE9", "\xA0"},  // bytes above 127 are text, not blanks
  };
  for (const auto& C : Cases) {
    std::string S = C.In;
    EXPECT_EQ(NextToken(S), C.Token) << C.In;
    EXPECT_EQ(S, C.Rest) << C.In;
  }
}

TEST(NextItem, EndsAtAnyCharacterOfTheSeparatorOrSet) {
  std::string S = "one | two,three|";
  EXPECT_EQ(NextItem(S, "|"), "one");
  EXPECT_EQ(S, "two,three|");
  EXPECT_EQ(NextItem(S, ",|"), "two");
  EXPECT_EQ(NextItem(S, "|"), "three");
  EXPECT_EQ(S, "");

  std::string Path = "dir\\sub/file name";
  const TCharSet Slashes = MakeCharSet("/\\");
  EXPECT_EQ(NextItemOfSet(Path, Slashes), "dir");
  EXPECT_EQ(NextItemOfSet(Path, Slashes), "sub");
  EXPECT_EQ(NextItemOfSet(Path, Slashes), "file name");
  EXPECT_EQ(Path, "");
  std::string Raw{'a', '\xFF', 'b'};
  EXPECT_EQ(NextItemOfSet(Raw, MakeCharSet("\xFF")), "a");
  EXPECT_EQ(Raw, "b");
}

// [Stream strings]

TEST(StreamString, LengthThenBytesAndBadLengthsRefused) {
  TMemoryStream Out;
  WriteStreamString(Out, std::string("a\0\xFF", 3));
  EXPECT_EQ(Out.Data(), (std::vector<uint8_t>{3, 0, 0, 0, 'a', 0, 0xFF}));
  Out.SetPosition(0);
  EXPECT_EQ(ReadStreamString(Out), std::string("a\0\xFF", 3));

  TMemoryStream Negative({0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_THROW(ReadStreamString(Negative), EReadError);
  TMemoryStream Short({4, 0, 0, 0, 'a', 'b', 'c'});
  EXPECT_THROW(ReadStreamString(Short), EReadError);
}

// [Keyboard timing]

TEST(KeyboardTiming, FromThePlatformSettings) {
  struct {
    Integer Setting, Milliseconds;
  } const Delays[] = {{0, 200}, {1, 400}, {3, 800}, {-1, 200}, {4, 800}};
  for (const auto& C : Delays) EXPECT_EQ(KeyboardDelayFromSetting(C.Setting), C.Milliseconds) << C.Setting;
  // 1000 / ((s + 1) * 2.3): 434.78, 217.39, 13.59.
  struct {
    Integer Setting, Milliseconds;
  } const Intervals[] = {{0, 435}, {1, 217}, {31, 14}, {-5, 435}, {32, 14}, {INT_MAX, 14}};
  for (const auto& C : Intervals) EXPECT_EQ(KeyboardRepeatIntervalFromSetting(C.Setting), C.Milliseconds) << C.Setting;
}
