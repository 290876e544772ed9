// The drawing and wide-text helpers, drawn into engine bitmaps and read back pixel by pixel.
// Where the platform draws something itself (frame controls, text), the expected pixels come
// from the same platform call made directly into a second bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils_win32.h"

namespace {

// Framework colours (0x00BBGGRR) and the pixels (0xRRGGBB) they become.
constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00, White = 0xFFFFFF;
constexpr TvxColor RedRgb = 0xFF0000, BlueRgb = 0x0000FF, GreenRgb = 0x00FF00, WhiteRgb = 0xFFFFFF;

using TExpected = std::function<TvxColor(Integer X, Integer Y)>;

TvxColor Rgb(const TvxBitmap& B, Integer X, Integer Y) { return B.GetPixel(X, Y) & 0xFFFFFF; }

// Every pixel of B against Expected; the message lists the first few that differ.
testing::AssertionResult PixelsAre(const TvxBitmap& B, const TExpected& Expected) {
  GdiFlush();
  int Wrong = 0;
  std::ostringstream Where;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) {
      const TvxColor Got = Rgb(B, X, Y), Want = Expected(X, Y);
      if (Got != Want && Wrong++ < 6)
        Where << std::hex << " (" << std::dec << X << "," << Y << ") " << std::hex << Got << " not " << Want << ";";
    }
  if (Wrong == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << Wrong << " pixels differ:" << Where.str();
}

void Blank(TvxBitmap& B, Integer W, Integer H, TvxColor Rgb = WhiteRgb) {
  B.SetSize(W, H);
  B.Fill(0xFF000000 | Rgb);
}

bool OnInnerEdge(const TRect& R, Integer X, Integer Y) {
  return R.Contains(X, Y) && (X == R.Left || X == R.Right - 1 || Y == R.Top || Y == R.Bottom - 1);
}

// A crisp TrueType face, so that text pixels are exactly black or untouched.
TFontHandle MakeFont() {
  return TFontHandle(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma"));
}

Integer ExtentOf(HDC DC, const std::wstring& Text) {
  SIZE Size{};
  GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &Size);
  return Size.cx;
}

}  // namespace

// [Fills and outlines]

TEST(CanvasHelpers, FillsFramesAndBevelsCoverExactlyTheirPixels) {
  const TRect R{2, 3, 8, 7};
  // The bevel's top-left part: left column down to Bottom - 2, top row up to Right - 2.
  const auto BevelTopLeft = [&R](Integer X, Integer Y) {
    return (X == R.Left && Y >= R.Top && Y <= R.Bottom - 2) || (Y == R.Top && X >= R.Left && X <= R.Right - 2);
  };
  struct {
    const char* Name;
    std::function<void(HDC)> Draw;
    TExpected Expected;
  } const Cases[] = {
      {"FillRectColor", [&](HDC DC) { FillRectColor(DC, R, Red); },
       [&](Integer X, Integer Y) { return R.Contains(X, Y) ? RedRgb : WhiteRgb; }},
      {"FillRectXY", [&](HDC DC) { FillRectXY(DC, 2, 3, 8, 7, Red); },
       [&](Integer X, Integer Y) { return R.Contains(X, Y) ? RedRgb : WhiteRgb; }},
      {"FrameRectColor", [&](HDC DC) { FrameRectColor(DC, R, Red); },
       [&](Integer X, Integer Y) { return OnInnerEdge(R, X, Y) ? RedRgb : WhiteRgb; }},
      {"FrameRectXY", [&](HDC DC) { FrameRectXY(DC, 2, 3, 8, 7, Red); },
       [&](Integer X, Integer Y) { return OnInnerEdge(R, X, Y) ? RedRgb : WhiteRgb; }},
      {"DrawBevel", [&](HDC DC) { DrawBevel(DC, R, Red, Blue); },
       [&](Integer X, Integer Y) { return !OnInnerEdge(R, X, Y) ? WhiteRgb
                                          : BevelTopLeft(X, Y)  ? RedRgb
                                                                : BlueRgb; }},
      {"DrawBevel, one colour", [&](HDC DC) { DrawBevel(DC, R, Green, Green); },
       [&](Integer X, Integer Y) { return OnInnerEdge(R, X, Y) ? GreenRgb : WhiteRgb; }},
  };
  for (const auto& C : Cases) {
    TvxBitmap B;
    Blank(B, 10, 10);
    C.Draw(B.DC());
    EXPECT_TRUE(PixelsAre(B, C.Expected)) << C.Name;
  }
}

TEST(CanvasHelpers, FillRectColorResolvesSystemColours) {
  TvxBitmap B;
  Blank(B, 2, 2);
  FillRectColor(B.DC(), {0, 0, 1, 1}, clBtnFace);
  const COLORREF Face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(Rgb(B, 0, 0), TvxColor(GetRValue(Face) << 16 | GetGValue(Face) << 8 | GetBValue(Face)));
}

TEST(CanvasHelpers, LineToColorDrawsFromTheCurrentPositionAndMovesIt) {
  TvxBitmap B;
  Blank(B, 8, 3);
  MoveToEx(B.DC(), 1, 1, nullptr);
  LineToColor(B.DC(), 6, 1, Red);
  EXPECT_TRUE(PixelsAre(B, [](Integer X, Integer Y) { return Y == 1 && X >= 1 && X < 6 ? RedRgb : WhiteRgb; }));
  POINT At{};
  GetCurrentPositionEx(B.DC(), &At);
  EXPECT_EQ(At.x, 6);
  EXPECT_EQ(At.y, 1);
}

TEST(CanvasHelpers, EveryHelperLeavesTheDeviceContextAsItFoundIt) {
  const std::vector<TPoint> Triangle{{1, 1}, {8, 1}, {4, 8}};
  // clang-format off
  const std::pair<const char*, std::function<void(HDC)>> Helpers[] = {
      {"FillRectColor", [](HDC DC) { FillRectColor(DC, {1, 1, 5, 5}, Red); }},
      {"FrameRectColor", [](HDC DC) { FrameRectColor(DC, {1, 1, 5, 5}, Red); }},
      {"DrawBevel", [](HDC DC) { DrawBevel(DC, {1, 1, 5, 5}, Red, Blue); }},
      {"DrawFocusRectColor", [](HDC DC) { DrawFocusRectColor(DC, {1, 1, 5, 5}, Red); }},
      {"FrameRoundRect", [](HDC DC) { FrameRoundRect(DC, {1, 1, 9, 9}, 4, Red); }},
      {"FillRoundRect", [](HDC DC) { FillRoundRect(DC, {1, 1, 9, 9}, 4, Red); }},
      {"FramePolygon", [&](HDC DC) { FramePolygon(DC, Triangle, Red); }},
      {"FillPolygon", [&](HDC DC) { FillPolygon(DC, Triangle, Red); }},
      {"FillPolygonDither", [&](HDC DC) { FillPolygonDither(DC, Triangle, Red, Blue); }},
      {"FillDither", [](HDC DC) { FillDither(DC, {1, 1, 5, 5}, Red, Blue); }},
      {"FillGradient", [](HDC DC) { FillGradient(DC, {1, 1, 9, 9}, Red, true, Blue); }},
      {"DrawFrameControlColor", [](HDC DC) { DrawFrameControlColor(DC, {0, 0, 10, 10}, DFC_SCROLL, Red, DFCS_SCROLLUP); }},
      {"DrawTextWide", [](HDC DC) { TRect Box{0, 0, 10, 10}; DrawTextWide(DC, L"x", Box, 0); }},
      {"DrawRotatedText", [](HDC DC) { DrawRotatedText(DC, L"x", {0, 0, 10, 10}, true, 0); }},
  };
  // clang-format on
  for (const auto& [Name, Draw] : Helpers) {
    TvxBitmap B;
    Blank(B, 10, 10);
    const HDC DC = B.DC();
    MoveToEx(DC, 3, 4, nullptr);
    SetBkMode(DC, OPAQUE);
    const HGDIOBJ Pen = GetCurrentObject(DC, OBJ_PEN), Brush = GetCurrentObject(DC, OBJ_BRUSH);
    Draw(DC);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), Pen) << Name;
    EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), Brush) << Name;
    EXPECT_EQ(GetBkMode(DC), OPAQUE) << Name;
    POINT At{};
    GetCurrentPositionEx(DC, &At);
    EXPECT_TRUE(At.x == 3 && At.y == 4) << Name;
    EXPECT_FALSE(PixelsAre(B, [](Integer, Integer) { return WhiteRgb; })) << Name << " drew nothing";
  }
}

TEST(CanvasHelpers, PolygonsAndRoundRectanglesFillAndOutline) {
  const std::vector<TPoint> Square{{2, 2}, {12, 2}, {12, 12}, {2, 12}};
  const auto Checker = [](Integer X, Integer Y) { return (X + Y) % 2 == 0 ? BlueRgb : RedRgb; };
  struct {
    const char* Name;
    std::function<void(HDC)> Draw;
    TvxColor Inside, RightEdge;  // at (7, 7) and (12, 7); the right edge is the outline's
  } const Cases[] = {
      {"FillPolygon", [&](HDC DC) { FillPolygon(DC, Square, Red); }, RedRgb, RedRgb},
      {"FramePolygon", [&](HDC DC) { FramePolygon(DC, Square, Red); }, WhiteRgb, RedRgb},
      {"FillPolygonDither", [&](HDC DC) { FillPolygonDither(DC, Square, Red, Blue); }, Checker(7, 7), WhiteRgb},
      {"FillRoundRect",
       [](HDC DC) {
         FillRoundRect(DC, {2, 2, 13, 13}, 8, Red);
       },
       RedRgb, RedRgb},
      {"FrameRoundRect",
       [](HDC DC) {
         FrameRoundRect(DC, {2, 2, 13, 13}, 8, Red);
       },
       WhiteRgb, RedRgb},
  };
  for (const auto& C : Cases) {
    TvxBitmap B;
    Blank(B, 15, 15);
    C.Draw(B.DC());
    GdiFlush();
    EXPECT_EQ(Rgb(B, 7, 7), C.Inside) << C.Name;
    EXPECT_EQ(Rgb(B, 12, 7), C.RightEdge) << C.Name;
    EXPECT_EQ(Rgb(B, 13, 7), WhiteRgb) << C.Name;
    EXPECT_EQ(Rgb(B, 7, 13), WhiteRgb) << C.Name;
  }
  // Round corners stay clear; the dither keeps its checkerboard inside the polygon.
  TvxBitmap B;
  Blank(B, 15, 15);
  FillRoundRect(B.DC(), {2, 2, 13, 13}, 8, Red);
  GdiFlush();
  EXPECT_EQ(Rgb(B, 2, 2), WhiteRgb);
  EXPECT_EQ(Rgb(B, 7, 2), RedRgb);
  Blank(B, 15, 15);
  FillPolygonDither(B.DC(), Square, Red, Blue);
  GdiFlush();
  for (Integer Y = 3; Y < 11; ++Y)
    for (Integer X = 3; X < 11; ++X) EXPECT_EQ(Rgb(B, X, Y), Checker(X, Y)) << X << "," << Y;
}

TEST(CanvasHelpers, DitherIsACheckerboardWithColor2WhereXPlusYIsEven) {
  TvxBitmap B;
  Blank(B, 12, 10);
  FillDither(B.DC(), {-3, -2, 6, 5}, Red, Blue);  // left and top raised to 0
  FillDither(B.DC(), {8, 8, 8, 10}, Red, Blue);   // empty: nothing
  EXPECT_TRUE(PixelsAre(B, [](Integer X, Integer Y) {
    if (X >= 6 || Y >= 5) return WhiteRgb;
    return (X + Y) % 2 == 0 ? BlueRgb : RedRgb;
  }));
}

TEST(CanvasHelpers, FocusRectangleTouchesOnlyTheEdge) {
  TvxBitmap B;
  Blank(B, 12, 12);
  DrawFocusRectColor(B.DC(), {2, 2, 10, 10}, Red);
  const TRect R{2, 2, 10, 10};
  GdiFlush();
  bool EdgeChanged = false;
  for (Integer Y = 0; Y < 12; ++Y)
    for (Integer X = 0; X < 12; ++X) {
      if (OnInnerEdge(R, X, Y))
        EdgeChanged |= Rgb(B, X, Y) != WhiteRgb;
      else
        EXPECT_EQ(Rgb(B, X, Y), WhiteRgb) << X << "," << Y;
    }
  EXPECT_TRUE(EdgeChanged);
}

// [Gradients]

namespace {

TvxColor Channels(Integer R, Integer G, Integer B) { return TvxColor(R << 16 | G << 8 | B); }

}  // namespace

TEST(FillGradient, TenPixelsGetTenOnePixelBandsStoppingOneStepShortOfTheEnd) {
  // From (0, 100, 200) to (5, 0, 250): red steps by 0.5 (halves to even), green by -10, blue by 5.
  const TColor From = RGB(0, 100, 200), To = RGB(5, 0, 250);
  const Integer Reds[10] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4};
  for (const bool Vertical : {false, true}) {
    TvxBitmap B;
    Blank(B, Vertical ? 5 : 14, Vertical ? 14 : 5);
    const TRect R = Vertical ? TRect{1, 2, 4, 12} : TRect{2, 1, 12, 4};
    FillGradient(B.DC(), R, From, Vertical, To);
    EXPECT_TRUE(PixelsAre(B, [&](Integer X, Integer Y) {
      if (!R.Contains(X, Y)) return WhiteRgb;
      const Integer I = Vertical ? Y - R.Top : X - R.Left;
      return Channels(Reds[I], 100 - 10 * I, 200 + 5 * I);
    })) << (Vertical ? "vertical" : "horizontal");
  }
}

TEST(FillGradient, WideRectanglesUse255BandsAndNarrowOnesOnePerPixel) {
  // 254 wide: 254 steps of 255/254 each; pixel 127 is 127.5, a half that goes to 128, while
  // 126.496 and 128.504 go to their nearest.
  TvxBitmap B;
  Blank(B, 254, 1);
  FillGradient(B.DC(), {0, 0, 254, 1}, RGB(0, 0, 0), false, RGB(255, 255, 255));
  GdiFlush();
  struct {
    Integer X, Value;
  } const Narrow[] = {{0, 0}, {1, 1}, {126, 126}, {127, 128}, {128, 129}, {253, 254}};
  for (const auto& C : Narrow) EXPECT_EQ(Rgb(B, C.X, 0), Channels(C.Value, C.Value, C.Value)) << C.X;

  // 300 wide (and 300 high, vertically): 255 bands of 1 or 2 pixels holding 0 .. 254 in order.
  for (const bool Vertical : {false, true}) {
    Blank(B, Vertical ? 1 : 300, Vertical ? 300 : 1);
    FillGradient(B.DC(), B.BoundsRect(), RGB(0, 0, 0), Vertical, RGB(255, 255, 255));
    GdiFlush();
    std::vector<Integer> Values;
    for (Integer I = 0; I < 300; ++I) {
      const TvxColor P = Vertical ? Rgb(B, 0, I) : Rgb(B, I, 0);
      ASSERT_EQ(P, Channels(P & 0xFF, P & 0xFF, P & 0xFF)) << I;
      if (Values.empty() || Values.back() != Integer(P & 0xFF)) Values.push_back(P & 0xFF);
    }
    ASSERT_EQ(Values.size(), 255u) << (Vertical ? "vertical" : "horizontal");
    for (Integer I = 0; I < 255; ++I) EXPECT_EQ(Values[I], I);
    // Band 1 starts at MulDiv(1, 300, 255) = 1, band 2 at MulDiv(2, 300, 255) = 2, band 3 at 4.
    EXPECT_EQ((Vertical ? Rgb(B, 0, 3) : Rgb(B, 3, 0)) & 0xFF, 2u);
  }
  // A vertical gradient shorter than 255 pixels gets one band per row.
  Blank(B, 3, 4);
  FillGradient(B.DC(), B.BoundsRect(), RGB(0, 0, 0), true, RGB(0, 0, 40));
  EXPECT_TRUE(PixelsAre(B, [](Integer, Integer Y) { return Channels(0, 0, 10 * Y); }));
}

TEST(FillGradient, EmptyRectanglesDrawNothing) {
  TvxBitmap B;
  Blank(B, 6, 6);
  for (const TRect& R : {TRect{2, 2, 2, 5}, TRect{2, 2, 5, 2}, TRect{5, 5, 2, 2}})
    for (const bool Vertical : {false, true}) FillGradient(B.DC(), R, Red, Vertical, Blue);
  EXPECT_TRUE(PixelsAre(B, [](Integer, Integer) { return WhiteRgb; }));
}

// [Frame controls and icons]

TEST(DrawFrameControlColor, TheGlyphsStrokesBecomeTheColourAndNothingElseIsDrawn) {
  struct {
    UINT Type, State;
    Integer MinRows;  // rows the glyph's strokes reach at least
  } const Cases[] = {
      {DFC_CAPTION, DFCS_CAPTIONCLOSE, 6},
      {DFC_CAPTION, DFCS_CAPTIONMIN | DFCS_PUSHED, 1},
      // Thin sides drawn smoothed: grey, not black, and still part of the glyph.
      {DFC_CAPTION, DFCS_CAPTIONMAX, 4},
      {DFC_CAPTION, DFCS_CAPTIONHELP, 4},
      {DFC_SCROLL, DFCS_SCROLLUP, 2},
      {DFC_MENU, DFCS_MENUCHECK, 3},
  };
  const TRect R{3, 2, 19, 18};
  for (const auto& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Type << "/" << C.State);
    TvxBitmap Reference;
    Reference.SetSize(16, 16);
    Reference.Fill(0xFFFFFF);
    RECT Whole{0, 0, 16, 16};
    DrawFrameControl(Reference.DC(), &Whole, C.Type, C.State | DFCS_FLAT);
    GdiFlush();
    const COLORREF Face = GetSysColor(COLOR_BTNFACE);
    const uint32_t FaceRgb = (uint32_t(GetRValue(Face)) << 16) | (uint32_t(GetGValue(Face)) << 8) | GetBValue(Face);
    TvxBitmap B;
    Blank(B, 22, 20, GreenRgb);
    DrawFrameControlColor(B.DC(), R, C.Type, Red, C.State);
    Integer Inked = 0, Rows = 0;
    for (Integer Y = 0; Y < 20; ++Y) {
      bool Row = false;
      for (Integer X = 0; X < 22; ++X) {
        const uint32_t Out = Rgb(B, X, Y);
        ASSERT_TRUE(Out == RedRgb || Out == GreenRgb) << X << "," << Y;
        if (!R.Contains(X, Y)) {
          EXPECT_EQ(Out, GreenRgb) << X << "," << Y;
          continue;
        }
        const Integer RX = X - R.Left, RY = Y - R.Top;
        const uint32_t Drawn = Rgb(Reference, RX, RY);
        const bool Ring = RX == 0 || RY == 0 || RX == 15 || RY == 15;
        // The flat frame, the face and the white around it are never ink; black inside always is.
        if (Ring || Drawn == FaceRgb || Drawn == WhiteRgb) EXPECT_EQ(Out, GreenRgb) << X << "," << Y;
        if (!Ring && Drawn == 0) EXPECT_EQ(Out, RedRgb) << X << "," << Y;
        Inked += Out == RedRgb;
        Row = Row || Out == RedRgb;
      }
      Rows += Row;
    }
    EXPECT_GT(Inked, 0) << "no glyph";
    EXPECT_GE(Rows, C.MinRows);
  }
}

TEST(DrawIconCentered, DrawsAt16By16BoxCentredInTheRectangle) {
  std::vector<TvxColor> Pixels(16 * 16, 0xFFFF0000);  // opaque red, top-down rows
  TBitmapHandle Colour(CreateBitmap(16, 16, 1, 32, Pixels.data()));
  TBitmapHandle Mask(CreateBitmap(16, 16, 1, 1, std::vector<uint8_t>(32, 0).data()));
  ICONINFO Info{TRUE, 0, 0, Mask.Get(), Colour.Get()};
  TIconHandle Icon(CreateIconIndirect(&Info));
  ASSERT_TRUE(Icon);

  struct {
    TRect R;
    Integer Left, Top;
  } const Cases[] = {
      {{0, 0, 30, 20}, 7, 2},
      {{10, 1, 20, 21}, 7, 3},  // narrower than the icon: (10 - 16) / 2 = -3
      {{4, 4, 21, 21}, 4, 4},   // odd difference: 1 / 2 = 0
  };
  for (const auto& C : Cases) {
    TvxBitmap B;
    Blank(B, 30, 22);
    DrawIconCentered(B.DC(), C.R, Icon.Get());
    const TRect Box = Bounds(C.Left, C.Top, 16, 16);
    EXPECT_TRUE(PixelsAre(B, [&](Integer X, Integer Y) { return Box.Contains(X, Y) ? RedRgb : WhiteRgb; }))
        << C.R.Left << "," << C.R.Top;
  }
  TvxBitmap B;
  Blank(B, 20, 20);
  DrawIconCentered(B.DC(), {0, 0, 20, 20}, nullptr);
  EXPECT_TRUE(PixelsAre(B, [](Integer, Integer) { return WhiteRgb; }));
}

// [Wide text]

namespace {

// A bitmap with a crisp font selected and black text.
class TTextBitmap {
 public:
  TTextBitmap(Integer W, Integer H, TvxColor Rgb = WhiteRgb) : FFont(MakeFont()) {
    Blank(FBitmap, W, H, Rgb);
    FSelect.emplace(FBitmap.DC(), FFont.Get());
    SetTextColor(FBitmap.DC(), RGB(0, 0, 0));
  }
  HDC DC() const { return FBitmap.DC(); }
  TvxBitmap& Bitmap() { return FBitmap; }

 private:
  TvxBitmap FBitmap;
  TFontHandle FFont;
  std::optional<TSelectGuard> FSelect;
};

}  // namespace

TEST(WideText, DrawTextWideMeasuresAndDrawsOnATransparentBackground) {
  TTextBitmap T(80, 20);
  const std::wstring Text = L"Vexel \x0416";
  SIZE Extent{};
  GetTextExtentPoint32W(T.DC(), Text.c_str(), int(Text.size()), &Extent);
  ASSERT_GT(Extent.cx, 0);

  TRect Box{5, 2, 5, 2};
  const Integer Height = DrawTextWide(T.DC(), Text, Box, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(Height, Extent.cy);
  EXPECT_EQ(Box, TRect({5, 2, 5 + Extent.cx, 2 + Extent.cy}));
  EXPECT_EQ(TextWidthWide(T.DC(), Text), Extent.cx);
  EXPECT_EQ(TextHeightWide(T.DC(), Text), Extent.cy);

  // An opaque mode with a green background would paint the box green; the helper does not.
  SetBkMode(T.DC(), OPAQUE);
  SetBkColor(T.DC(), RGB(0, 255, 0));
  DrawTextWide(T.DC(), Text, Box, DT_SINGLELINE);
  EXPECT_EQ(GetBkMode(T.DC()), OPAQUE);
  GdiFlush();
  Integer Ink = 0;
  for (Integer Y = 0; Y < 20; ++Y)
    for (Integer X = 0; X < 80; ++X) {
      const TvxColor P = Rgb(T.Bitmap(), X, Y);
      EXPECT_TRUE(P == 0 || P == WhiteRgb) << X << "," << Y << ": " << std::hex << P;
      Ink += P == 0;
    }
  EXPECT_GT(Ink, 10);
}

TEST(WideText, DrawTextWideNeverWritesIntoTheText) {
  TTextBitmap T(30, 20);
  const std::wstring Text = L"A long caption that cannot fit";
  const std::wstring Copy = Text;
  TRect Box{0, 0, 30, 20};
  DrawTextWide(T.DC(), Text, Box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(Text, Copy);
  EXPECT_EQ(Text.size(), Copy.size());
}

TEST(WideText, TextWidthWithAFormatMeasuresTheSystemCodePageText) {
  TTextBitmap T(10, 10);
  EXPECT_EQ(TextWidthWide(T.DC(), L"Hello", DT_SINGLELINE), TextWidthWide(T.DC(), L"Hello"));
  EXPECT_EQ(TextWidthWide(T.DC(), L"", DT_SINGLELINE), 0);
  // Without a way to encode it, a character arrives as "?"; the direct measure sees the glyph.
  if (GetACP() != 1252) GTEST_SKIP() << "needs Western system code page";
  SIZE Question{};
  GetTextExtentPoint32A(T.DC(), "?", 1, &Question);
  EXPECT_EQ(TextWidthWide(T.DC(), L"\x0416", DT_SINGLELINE), Question.cx);
  EXPECT_NE(TextWidthWide(T.DC(), L"\x0416"), Question.cx);
}

TEST(WideText, TextOutWideDrawsWhereDrawTextWouldAtTheTopLeft) {
  const std::wstring Text = L"Skin \x00E9t\x00E9";
  TTextBitmap Reference(60, 20), T(60, 20);
  RECT Box{4, 3, 60, 20};
  DrawTextW(Reference.DC(), Text.c_str(), int(Text.size()), &Box, 0);
  TextOutWide(T.DC(), Text, 4, 3);
  const TvxBitmap& Expected = Reference.Bitmap();
  EXPECT_TRUE(PixelsAre(T.Bitmap(), [&](Integer X, Integer Y) { return Rgb(Expected, X, Y); }));
}

TEST(WideText, RotatedTextTurnsTheUprightPixelsAQuarterTurn) {
  const std::wstring Text = L"Vexel";
  const UINT Format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  const TRect R{5, 3, 23, 63};
  const Integer W = R.Width(), H = R.Height();
  // The text as the platform draws it upright: H wide, W high, on the key colour.
  TTextBitmap Upright(H, W, vxKeyColor);
  RECT Whole{0, 0, H, W};
  SetBkMode(Upright.DC(), TRANSPARENT);
  const int UprightHeight = DrawTextW(Upright.DC(), Text.c_str(), int(Text.size()), &Whole, Format);
  GdiFlush();
  const TvxBitmap& Source = Upright.Bitmap();
  Integer Ink = 0;
  for (Integer Y = 0; Y < W; ++Y)
    for (Integer X = 0; X < H; ++X) Ink += !IsKeyPixel(Source.GetPixel(X, Y));
  ASSERT_GT(Ink, 10);

  for (const bool Clockwise : {true, false}) {
    TTextBitmap T(30, 70);
    EXPECT_EQ(DrawRotatedText(T.DC(), Text, R, Clockwise, Format), UprightHeight);
    EXPECT_TRUE(PixelsAre(T.Bitmap(), [&](Integer X, Integer Y) {
      if (!R.Contains(X, Y)) return WhiteRgb;
      const Integer TX = X - R.Left, TY = Y - R.Top;
      // Clockwise (x, y) lands on (W - 1 - y, x); anticlockwise on (y, H - 1 - x).
      const TvxColor P = Clockwise ? Source.GetPixel(TY, W - 1 - TX) : Source.GetPixel(H - 1 - TY, TX);
      return IsKeyPixel(P) ? WhiteRgb : P & 0xFFFFFF;
    })) << (Clockwise ? "clockwise" : "anticlockwise");
  }
}

TEST(WideText, EllipsisTextKeepsWhatFitsWithTheDots) {
  TTextBitmap T(10, 10);
  const HDC DC = T.DC();
  const std::wstring Text = L"Hello world";
  struct {
    Integer MaxWidth;
    const wchar_t* Expected;
  } const Cases[] = {
      {ExtentOf(DC, Text), L"Hello world"},  // fits exactly
      {ExtentOf(DC, Text) + 50, L"Hello world"},
      {ExtentOf(DC, L"Hel..."), L"Hel..."},
      {ExtentOf(DC, L"Hell...") - 1, L"Hel..."},
      {ExtentOf(DC, L"H...") - 1, L"..."},  // not even the first character
      {0, L"..."},
      {-5, L"..."},
  };
  for (const auto& C : Cases) EXPECT_EQ(EllipsisText(DC, Text, C.MaxWidth), C.Expected) << C.MaxWidth;
  EXPECT_EQ(EllipsisText(DC, L"", 0), L"");
}

TEST(WideText, AnsiToWideConvertsInTheCodePageAndFallsBack) {
  struct {
    UINT CodePage;
    std::string In;
    std::wstring Out;
  } const Cases[] = {
      {1251, "\xC0\xE1", L"\x0410\x0431"},  // Cyrillic A, be
      {1252, "caf\xE9", L"caf\x00E9"},
      {1253, "\xC1", L"\x0391"},           // Greek Alpha
      {437, "\x01\x02", L"\x263A\x263B"},  // control bytes as their glyphs
      {54321, "abc", L"abc"},              // no such code page: the system one
      {1251, "", L""},
  };
  for (const auto& C : Cases) EXPECT_EQ(AnsiToWideCP(C.CodePage, C.In), C.Out) << C.CodePage;
}

// [Keyboard timing]

TEST(KeyboardTiming, FollowsThePlatformSettings) {
  int OldDelay = 0;
  DWORD OldSpeed = 0;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &OldDelay, 0));
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &OldSpeed, 0));
  struct {
    UINT Delay, Speed;
    Integer DelayMs, IntervalMs;
  } const Cases[] = {{0, 31, 200, 14}, {3, 0, 800, 435}, {2, 15, 600, 27}};
  for (const auto& C : Cases) {
    SystemParametersInfoA(SPI_SETKEYBOARDDELAY, C.Delay, nullptr, 0);
    SystemParametersInfoA(SPI_SETKEYBOARDSPEED, C.Speed, nullptr, 0);
    EXPECT_EQ(KeyboardDelay(), C.DelayMs) << C.Delay;
    EXPECT_EQ(KeyboardRepeatInterval(), C.IntervalMs) << C.Speed;
  }
  SystemParametersInfoA(SPI_SETKEYBOARDDELAY, UINT(OldDelay), nullptr, 0);
  SystemParametersInfoA(SPI_SETKEYBOARDSPEED, UINT(OldSpeed), nullptr, 0);
}
