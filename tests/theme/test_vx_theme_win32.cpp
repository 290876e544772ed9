// The base theme: its text layout, window-frame geometry and hit testing, its placeholder
// drawings, and the tables it owns. Drawings go into engine bitmaps and are read back; where the
// platform draws something itself (text), the expected pixels come from the platform call made
// directly into a second bitmap at the place the layout rules give.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <sstream>
#include <string>

#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_theme.h"

namespace {

constexpr TvxColor WhiteRgb = 0xFFFFFF;

// A framework colour (0x00BBGGRR) as the low 24 bits of an engine pixel (0xRRGGBB).
TvxColor Rgb(TColor Color) { return ColorToPixel(ColorToRGB(Color), 0) & 0xFFFFFF; }
TvxColor PixelAt(const TvxBitmap& B, Integer X, Integer Y) { return B.GetPixel(X, Y) & 0xFFFFFF; }

void Blank(TvxBitmap& B, Integer W, Integer H) {
  B.SetSize(W, H);
  B.Fill(0xFF000000 | WhiteRgb);
}

using TExpected = std::function<TvxColor(Integer X, Integer Y)>;

// Every pixel of B against Expected; the message lists the first few that differ.
testing::AssertionResult PixelsAre(const TvxBitmap& B, const TExpected& Expected) {
  GdiFlush();
  int Wrong = 0;
  std::ostringstream Where;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) {
      const TvxColor Got = PixelAt(B, X, Y), Want = Expected(X, Y);
      if (Got != Want && Wrong++ < 6)
        Where << " (" << std::dec << X << "," << Y << ") " << std::hex << Got << " not " << Want << ";";
    }
  if (Wrong == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << Wrong << " pixels differ:" << Where.str();
}

testing::AssertionResult SamePixels(const TvxBitmap& A, const TvxBitmap& B) {
  return PixelsAre(A, [&B](Integer X, Integer Y) { return PixelAt(B, X, Y); });
}

bool OnInnerEdge(const TRect& R, Integer X, Integer Y) {
  return R.Contains(X, Y) && (X == R.Left || X == R.Right - 1 || Y == R.Top || Y == R.Bottom - 1);
}

// Fill inside R, Frame on its inner edge, white elsewhere. clNone: the inside is left white.
TExpected Framed(const TRect& R, TColor Fill, TColor Frame) {
  return [=](Integer X, Integer Y) {
    if (OnInnerEdge(R, X, Y)) return Rgb(Frame);
    if (R.Contains(X, Y) && Fill != clNone) return Rgb(Fill);
    return WhiteRgb;
  };
}

// A white bitmap with a canvas over its DC whose font is a crisp black Tahoma.
struct TPaintTarget {
  TvxBitmap Bitmap;
  std::unique_ptr<TCanvas> Canvas;
  TPaintTarget(Integer W, Integer H) {
    Blank(Bitmap, W, H);
    Canvas = std::make_unique<TCanvas>(Bitmap.DC());
    Canvas->Font().SetName("Tahoma");
    Canvas->Font().SetHeight(-13);
    Canvas->Font().SetColor(clBlack);
  }
};

// The platform's own drawing of Text in Font at R, into a white bitmap of the same size.
void DrawReference(TvxBitmap& Into, Integer W, Integer H, HFONT Font, const std::wstring& Text, TRect R, UINT Format) {
  Blank(Into, W, H);
  const HGDIOBJ Old = SelectObject(Into.DC(), Font);
  SetTextColor(Into.DC(), 0);
  SetBkMode(Into.DC(), TRANSPARENT);
  RECT Box{R.Left, R.Top, R.Right, R.Bottom};
  DrawTextW(Into.DC(), Text.c_str(), int(Text.size()), &Box, Format);
  SelectObject(Into.DC(), Old);
}

TSize Measure(HFONT Font, const std::wstring& Text, Integer W, Integer H, UINT Format) {
  TvxBitmap Scratch;
  Blank(Scratch, 1, 1);
  const HGDIOBJ Old = SelectObject(Scratch.DC(), Font);
  RECT Box{0, 0, W, H};
  DrawTextW(Scratch.DC(), Text.c_str(), int(Text.size()), &Box, Format | DT_CALCRECT);
  SelectObject(Scratch.DC(), Old);
  return {Box.right - Box.left, Box.bottom - Box.top};
}

TvxTextInfo TextInfo(const TRect& R, const std::wstring& Text, Byte Alignment, Byte Flags = 0, Byte Effect = 0) {
  TvxTextInfo Info;
  Info.Rect = R;
  Info.Text = Text;
  Info.Alignment = Alignment;
  Info.Flags = Flags;
  Info.Effect = Effect;
  return Info;
}

}  // namespace

// [Text]

TEST(ThemeDrawText, MovesTheMeasuredTextInsideTheBox) {
  const Integer W = 120, H = 60;
  struct {
    const char* Name;
    TRect Box;
    std::wstring Text;
    Byte Alignment;
    Byte Flags;
    // Where the measured text must end up, from its size (w, h).
    std::function<TRect(Integer w, Integer h)> Place;
    UINT Format;
  } const Cases[] = {
      {"top-left draws straight into the box",
       {10, 10, 110, 50},
       L"Ab",
       0,
       0,
       [](Integer, Integer) {
         return TRect{10, 10, 110, 50};
       },
       0},
      {"bottom-right corner meets the box's",
       {10, 10, 110, 50},
       L"Ab",
       8,
       0,
       [](Integer w, Integer h) {
         return TRect{110 - w, 50 - h, 110, 50};
       },
       0},
      {"centred, halves toward zero",
       {10, 10, 111, 50},
       L"Ab",
       4,
       0,
       [](Integer w, Integer h) { return Bounds(10 + (101 - w) / 2, 10 + (40 - h) / 2, w, h); },
       0},
      {"left column, bottom row",
       {10, 10, 110, 50},
       L"Ab",
       2,
       vxtfSingleLine,
       [](Integer w, Integer h) { return Bounds(10, 50 - h, w, h); },
       DT_SINGLELINE},
      {"right-to-left top-left acts as top-right",
       {10, 10, 110, 50},
       L"Ab",
       0,
       vxtfRightToLeft,
       [](Integer w, Integer h) { return Bounds(110 - w, 10, w, h); },
       DT_RTLREADING},
      {"oversized centred text spreads both ways",
       {50, 20, 70, 40},
       L"WWWWWWWW",
       4,
       vxtfSingleLine,
       [](Integer w, Integer h) { return Bounds(50 + (20 - w) / 2, 20 + (20 - h) / 2, w, h); },
       DT_SINGLELINE},
  };
  for (const auto& C : Cases) {
    TvxTheme Theme;
    TPaintTarget Target(W, H);
    Theme.DrawText(*Target.Canvas, TextInfo(C.Box, C.Text, C.Alignment, C.Flags));
    const HFONT Font = Target.Canvas->Font().Handle();
    const TSize Size = Measure(Font, C.Text, C.Box.Width(), C.Box.Height(), C.Format);
    TvxBitmap Expected;
    DrawReference(Expected, W, H, Font, C.Text, C.Place(Size.cx, Size.cy), C.Format);
    EXPECT_TRUE(SamePixels(Target.Bitmap, Expected)) << C.Name;
    EXPECT_FALSE(PixelsAre(Target.Bitmap, [](Integer, Integer) { return WhiteRgb; })) << C.Name << " drew nothing";
  }
}

TEST(ThemeDrawText, OversizedCentredTextOverflowsBothSides) {
  TvxTheme Theme;
  TPaintTarget Target(120, 60);
  const TRect Box{50, 20, 70, 40};
  Theme.DrawText(*Target.Canvas, TextInfo(Box, L"WWWWWWWW", 4, vxtfSingleLine));
  GdiFlush();
  bool InkLeft = false, InkRight = false;
  for (Integer Y = 0; Y < 60; ++Y)
    for (Integer X = 0; X < 120; ++X)
      if (PixelAt(Target.Bitmap, X, Y) != WhiteRgb) {
        InkLeft |= X < Box.Left;
        InkRight |= X >= Box.Right;
      }
  EXPECT_TRUE(InkLeft);
  EXPECT_TRUE(InkRight);
}

TEST(ThemeDrawText, VerticalTextIsTurnedOrLeftOut) {
  const Integer W = 60, H = 80;
  const TRect Box{10, 5, 40, 75};
  const std::wstring Text = L"Ab";
  {
    SCOPED_TRACE("alignment 3 is not a vertical layout: nothing");
    TvxTheme Theme;
    TPaintTarget Target(W, H);
    Theme.DrawText(*Target.Canvas, TextInfo(Box, Text, 3, 0, 1));
    EXPECT_TRUE(PixelsAre(Target.Bitmap, [](Integer, Integer) { return WhiteRgb; }));
  }
  for (const Byte Flags : {Byte(0), vxtfRightToLeft}) {
    // Right-to-left turned text keeps alignment 0 rather than vanishing.
    SCOPED_TRACE(Flags ? "alignment 0, clockwise, right-to-left" : "alignment 0, clockwise: straight into the box");
    TvxTheme Theme;
    TPaintTarget Target(W, H);
    Theme.DrawText(*Target.Canvas, TextInfo(Box, Text, 0, Flags, 1));
    TvxBitmap Expected;
    Blank(Expected, W, H);
    {
      TCanvas Reference(Expected.DC());
      Reference.Font().Assign(&Target.Canvas->Font());
      Reference.RequireObjects();
      DrawRotatedText(Expected.DC(), Text, Box, true, Flags ? DT_RTLREADING : 0);
    }
    EXPECT_TRUE(SamePixels(Target.Bitmap, Expected));
    EXPECT_FALSE(PixelsAre(Target.Bitmap, [](Integer, Integer) { return WhiteRgb; }));
  }
  {
    SCOPED_TRACE("alignment 4, counter-clockwise: centred, 2 pixels taller each way");
    TvxTheme Theme;
    TPaintTarget Target(W, H);
    Theme.DrawText(*Target.Canvas, TextInfo(Box, Text, 4, 0, 2));
    const TSize Upright = Measure(Target.Canvas->Font().Handle(), Text, Box.Height(), Box.Width(), 0);
    // Turned: as wide as the upright text is high.
    TRect Turned = Bounds(Box.Left + (Box.Width() - Upright.cy) / 2, Box.Top + (Box.Height() - Upright.cx) / 2,
                          Upright.cy, Upright.cx);
    Turned.Top -= 2;
    Turned.Bottom += 2;
    TvxBitmap Expected;
    Blank(Expected, W, H);
    {
      TCanvas Reference(Expected.DC());
      Reference.Font().Assign(&Target.Canvas->Font());
      Reference.RequireObjects();
      DrawRotatedText(Expected.DC(), Text, Turned, false, 0);
    }
    EXPECT_TRUE(SamePixels(Target.Bitmap, Expected));
    EXPECT_FALSE(PixelsAre(Target.Bitmap, [](Integer, Integer) { return WhiteRgb; }));
  }
}

// [Window frames] A 200 x 100 window: client (4, 22, 196, 96), caption (4, 3, 196, 22), the
// rightmost button slot R0 = (173, 4, 195, 21).

namespace {

constexpr uint16_t Bit(int Button) { return uint16_t(1u << Button); }

TvxWindowInfo Window(uint16_t Buttons) {
  TvxWindowInfo Info;
  Info.Rect = {0, 0, 200, 100};
  Info.Buttons = Buttons;
  Info.Active = true;
  return Info;
}

const TRect R0{173, 4, 195, 21};
TRect Shifted(Integer Times) { return R0.Offset(-22 * Times, 0); }

}  // namespace

TEST(ThemeForms, ClientAndCaptionRectangles) {
  TvxTheme Theme;
  TRect C, Caption;
  Theme.GetFormClientRect(0, Window(0), C, "default");
  Theme.GetFormCaptionRect(0, Window(0), Caption, "default");
  EXPECT_EQ(C, (TRect{4, 22, 196, 96}));
  EXPECT_EQ(Caption, (TRect{4, 3, 196, 22}));
}

TEST(ThemeForms, ButtonRectanglesLineUpFromTheRight) {
  struct {
    const char* Name;
    TvxTitleButton Button;
    uint16_t Shown;
    TRect Expected;
  } const Cases[] = {
      {"close", 1, Bit(1), R0},
      {"help beside close", 2, Bit(1) | Bit(2), Shifted(1)},
      {"help after close, roll and tray", 2, Bit(1) | Bit(2) | Bit(7) | Bit(9), Shifted(3)},
      {"minimize after close and maximize", 3, Bit(1) | Bit(5) | Bit(3), Shifted(2)},
      {"restore from minimized after close and restore", 4, Bit(1) | Bit(6) | Bit(4), Shifted(2)},
      {"minimize alone", 3, Bit(3), R0},
      {"maximize beside close", 5, Bit(1) | Bit(5), Shifted(1)},
      {"maximize alone", 5, Bit(5), R0},
      {"roll up beside close", 7, Bit(1) | Bit(7), Shifted(1)},
      {"tray after close and roll down", 9, Bit(1) | Bit(8) | Bit(9), Shifted(2)},
      {"system menu at the left", 0, Bit(0), TRect{4, 4, 26, 21}},
      {"help not shown", 2, Bit(1), TRect{}},
      {"close not shown", 1, Bit(2), TRect{}},
      {"hit-test-only button", 10, 0xFFFF, TRect{}},
  };
  TvxTheme Theme;
  for (const auto& C : Cases) {
    TRect R{1, 2, 3, 4};
    Theme.GetFormButtonRect(0, Window(C.Shown), R, "default", C.Button);
    EXPECT_EQ(R, C.Expected) << C.Name;
  }
}

TEST(ThemeForms, HitTestCodes) {
  struct {
    const char* Name;
    TvxWindowKind Kind;
    uint16_t Shown;
    Integer X, Y;
    TvxHitCode Expected;
  } const Cases[] = {
      {"top-left corner", 0, 0, 1, 1, 7},
      {"top-right corner", 0, 0, 198, 1, 8},
      {"bottom-left corner", 0, 0, 1, 98, 9},
      {"bottom-right corner", 0, 0, 198, 98, 10},
      {"left border", 0, 0, 1, 50, 2},
      {"right border", 0, 0, 198, 50, 4},
      {"bottom border", 0, 0, 100, 98, 5},
      {"top border above the caption", 0, 0, 100, 1, 3},
      {"middle of the caption strip", 0, 0, 100, 12, 1},
      {"client area", 0, 0, 100, 50, 0},
      {"close button", 0, Bit(1), 180, 10, 11},
      {"close spot without a close button", 0, 0, 180, 10, 1},
      {"help button", 0, Bit(1) | Bit(2), 160, 10, 12},
      {"maximize button", 0, Bit(1) | Bit(5), 160, 10, 14},
      {"minimize button", 0, Bit(1) | Bit(5) | Bit(3), 140, 10, 13},
      {"system menu", 0, Bit(0), 10, 10, 17},
      {"dialog corner", 1, 0, 1, 1, 7},
      {"plain border", 2, 0, 198, 50, 4},
      {"tool window caption", 6, 0, 100, 12, 1},
      {"borderless corner", 4, Bit(1), 1, 1, 0},
      {"borderless close spot", 4, Bit(1), 180, 10, 0},
      {"kind 3", 3, 0, 1, 1, 0},
  };
  TvxTheme Theme;
  for (const auto& C : Cases)
    EXPECT_EQ(Theme.FormHitTest(C.Kind, Window(C.Shown), "default", C.X, C.Y), C.Expected) << C.Name;
}

// A theme with a thicker frame: hit testing follows the theme's own client rectangle.
TEST(ThemeForms, HitTestFollowsAnOverriddenClientRectangle) {
  struct TThickTheme : TvxTheme {
    void GetFormClientRect(TvxWindowKind, const TvxWindowInfo& Info, TRect& R, const std::string&) override {
      R = {Info.Rect.Left + 10, Info.Rect.Top + 30, Info.Rect.Right - 10, Info.Rect.Bottom - 10};
    }
  } Theme;
  // Both points are client area for the base theme.
  EXPECT_EQ(Theme.FormHitTest(0, Window(0), "default", 7, 50), 2);
  EXPECT_EQ(Theme.FormHitTest(0, Window(0), "default", 100, 26), 1);
  EXPECT_EQ(Theme.FormHitTest(0, Window(0), "default", 7, 7), 7);
  EXPECT_EQ(Theme.FormHitTest(0, Window(0), "default", 100, 50), 0);
}

TEST(ThemeForms, BorderFramesBevelsAndFillsTheCaptionBar) {
  for (const bool Active : {true, false}) {
    TvxTheme Theme;
    TPaintTarget Target(200, 100);
    TvxWindowInfo Info = Window(0);
    Info.Active = Active;
    Theme.DrawFormBorder(0, *Target.Canvas, "default", Info);
    GdiFlush();
    const TvxColor Face = ColorToPixel(ColorToRGB(Theme.Colors().Color(7)), 255);
    const TvxColor Border = Rgb(Theme.Colors().Color(2)), Caption = Rgb(Theme.Colors().Color(Active ? 0 : 1));
    SCOPED_TRACE(Active ? "active" : "inactive");
    // The base colours: WindowBorder grey, CaptionNormal blue, CaptionInactive silver (within a
    // step of the hue shift's rounding).
    EXPECT_NEAR(int(Border & 0xFF), 0x80, 1);
    EXPECT_NEAR(int(Caption & 0xFF), Active ? 0xFF : 0xC0, 1);
    EXPECT_EQ(PixelAt(Target.Bitmap, 0, 0), 0u);
    EXPECT_EQ(PixelAt(Target.Bitmap, 199, 50), 0u);
    EXPECT_EQ(PixelAt(Target.Bitmap, 1, 50), LightenPixel(Face, 100) & 0xFFFFFF);
    EXPECT_EQ(PixelAt(Target.Bitmap, 198, 50), LightenPixel(Face, -100) & 0xFFFFFF);
    EXPECT_EQ(PixelAt(Target.Bitmap, 2, 50), Border);
    EXPECT_EQ(PixelAt(Target.Bitmap, 197, 50), Border);
    EXPECT_EQ(PixelAt(Target.Bitmap, 100, 97), Border);
    EXPECT_EQ(PixelAt(Target.Bitmap, 100, 2), Border);
    EXPECT_EQ(PixelAt(Target.Bitmap, 100, 3), Caption);
    EXPECT_EQ(PixelAt(Target.Bitmap, 100, 21), Caption);
    EXPECT_EQ(PixelAt(Target.Bitmap, 100, 50), WhiteRgb) << "the client area is left alone";
  }
}

TEST(ThemeForms, TitleButtonFaces) {
  TvxTheme Theme;
  Theme.Colors().SetColor(7, 0x00336699);  // ButtonNormal
  Theme.Colors().SetColor(8, 0x00996633);  // ButtonHot
  const TRect R{10, 10, 32, 27};
  struct {
    const char* Name;
    TvxTitleButtonInfo Info;
    TColor Face;
  } const Cases[] = {
      {"roll up, normal", {R, 7, 0, nullptr}, 0x00336699},
      {"roll down, hot", {R, 8, 1, nullptr}, 0x00996633},
      {"tray, normal", {R, 9, 0, nullptr}, 0x00336699},
  };
  for (const auto& C : Cases) {
    TPaintTarget Target(40, 40);
    Theme.DrawFormButton(0, *Target.Canvas, "default", C.Info);
    GdiFlush();
    EXPECT_EQ(PixelAt(Target.Bitmap, 12, 24), Rgb(C.Face)) << C.Name;
    EXPECT_EQ(PixelAt(Target.Bitmap, 5, 5), WhiteRgb) << C.Name;
  }
  {
    SCOPED_TRACE("tray: a 3 x 3 square at the bottom-right of R deflated by 3, moved by (1, 1) unless pressed");
    for (const Byte State : {Byte(0), Byte(2)}) {
      TPaintTarget Target(40, 40);
      Theme.DrawFormButton(0, *Target.Canvas, "default", {R, 9, State, nullptr});
      GdiFlush();
      const Integer Shift = State == 2 ? 0 : 1;
      // Deflated by 3: (13, 13, 29, 24); the square (26, 21, 29, 24) before the shift.
      for (Integer Y = 21; Y < 24; ++Y)
        for (Integer X = 26; X < 29; ++X) EXPECT_EQ(PixelAt(Target.Bitmap, X + Shift, Y + Shift), 0u) << X << "," << Y;
      EXPECT_NE(PixelAt(Target.Bitmap, 25 + Shift, 21 + Shift), 0u);
    }
  }
  {
    SCOPED_TRACE("roll down points down, roll up points up");
    // Deflated by 4 and 5: (14, 15, 28, 22).
    TPaintTarget Down(40, 40), Up(40, 40);
    Theme.DrawFormButton(0, *Down.Canvas, "default", {R, 8, 0, nullptr});
    Theme.DrawFormButton(0, *Up.Canvas, "default", {R, 7, 0, nullptr});
    GdiFlush();
    EXPECT_EQ(PixelAt(Down.Bitmap, 14, 15), 0u);
    EXPECT_EQ(PixelAt(Down.Bitmap, 27, 15), 0u);
    EXPECT_NE(PixelAt(Down.Bitmap, 14, 21), 0u);
    EXPECT_EQ(PixelAt(Up.Bitmap, 14, 21), 0u);
    EXPECT_EQ(PixelAt(Up.Bitmap, 27, 21), 0u);
    EXPECT_NE(PixelAt(Up.Bitmap, 14, 15), 0u);
  }
  {
    SCOPED_TRACE("the system-menu button without an icon draws nothing");
    TPaintTarget Target(40, 40);
    Theme.DrawFormButton(0, *Target.Canvas, "default", {R, 0, 0, nullptr});
    EXPECT_TRUE(PixelsAre(Target.Bitmap, [](Integer, Integer) { return WhiteRgb; }));
  }
}

TEST(ThemeForms, GripperBandAndTriangle) {
  TvxTheme Theme;
  const TRect R{0, 0, 20, 20};
  {
    TPaintTarget Target(20, 20);
    Theme.DrawFormGripper(0, *Target.Canvas, "default", {R, false});
    const TvxColor Border = Rgb(Theme.Colors().Color(2));
    EXPECT_TRUE(PixelsAre(Target.Bitmap, [Border](Integer, Integer) { return Border; }));
  }
  TPaintTarget Target(20, 20);
  Theme.DrawFormGripper(0, *Target.Canvas, "default", {R, true});
  GdiFlush();
  // Deflated by 4 and moved by (3, 3): (7, 7, 19, 19); the triangle (19, 10), (19, 19), (10, 19).
  EXPECT_EQ(PixelAt(Target.Bitmap, 19, 10), 0u) << "triangle outline";
  EXPECT_EQ(PixelAt(Target.Bitmap, 17, 17), Rgb(clGray)) << "triangle inside";
  EXPECT_EQ(PixelAt(Target.Bitmap, 13, 13), 0u) << "band outline on the diagonal";
  EXPECT_EQ(PixelAt(Target.Bitmap, 2, 2), Rgb(Theme.Colors().Color(2))) << "background in WindowBorder";
}

// [Placeholders and fills by state]

TEST(ThemePlaceholders, FillAndFrameColours) {
  const TRect R{2, 3, 14, 11};
  using TDraw = std::function<void(TvxTheme&, TCanvas&)>;
  const TvxStateInfo Info{R, 0, 0};
  struct {
    const char* Name;
    TDraw Draw;
    TColor Fill, Frame;
  } const Cases[] = {
      {"form background",
       [&](TvxTheme& T, TCanvas& C) {
         T.Colors().SetColor(3, 0x00A1B2C3);
         T.DrawFormBackground(0, C, "default", R);
       },
       0x00A1B2C3, 0x00A1B2C3},
      {"hint", [&](TvxTheme& T, TCanvas& C) { T.DrawHint(0, C, "default", R); }, clYellow, clRed},
      {"splitter", [&](TvxTheme& T, TCanvas& C) { T.DrawSplitter(0, C, "default", R); }, clYellow, clRed},
      {"track bar", [&](TvxTheme& T, TCanvas& C) { T.DrawTrackBar(0, C, "default", R); }, clBlue, clRed},
      {"track bar thumb", [&](TvxTheme& T, TCanvas& C) { T.DrawTrackBarThumb(0, C, "default", Info); }, clYellow,
       clBlue},
      {"header", [&](TvxTheme& T, TCanvas& C) { T.DrawHeader(0, C, "default", R); }, clWhite, clBlack},
      {"status bar", [&](TvxTheme& T, TCanvas& C) { T.DrawStatusBar(0, C, "default", R); }, clSilver, clBlack},
      {"status panel", [&](TvxTheme& T, TCanvas& C) { T.DrawStatusPanel(0, C, "default", Info); }, clGray, clBlack},
      {"edit", [&](TvxTheme& T, TCanvas& C) { T.DrawEdit(0, C, "default", Info); }, clBlue, clRed},
      {"edit button", [&](TvxTheme& T, TCanvas& C) { T.DrawEditButton(2, C, "default", Info); }, clGreen, clYellow},
      {"edit frame", [&](TvxTheme& T, TCanvas& C) { T.DrawEditFrame(0, C, "default", Info); }, clBlue, clRed},
      {"menu", [&](TvxTheme& T, TCanvas& C) { T.DrawMenu(1, C, "default", R); }, clWhite, clRed},
      {"tool bar", [&](TvxTheme& T, TCanvas& C) { T.DrawToolBar(1, C, "default", R); }, clGreen, clBlue},
      {"scroll box", [&](TvxTheme& T, TCanvas& C) { T.DrawScrollBox(0, C, "default", R); }, clYellow, clRed},
      {"header panel caption", [&](TvxTheme& T, TCanvas& C) { T.DrawHeaderPanelCaption(1, C, "default", R); }, clGreen,
       clBlack},
      {"header panel button", [&](TvxTheme& T, TCanvas& C) { T.DrawHeaderPanelButton(1, C, "default", Info); }, clRed,
       clBlue},
      {"tab pane", [&](TvxTheme& T, TCanvas& C) { T.DrawTabPane(0, C, "default", R); }, clSilver, clYellow},
      {"tab", [&](TvxTheme& T, TCanvas& C) { T.DrawTab(0, C, "default", Info); }, clNone, clBlue},
      {"tab scroll button", [&](TvxTheme& T, TCanvas& C) { T.DrawTabScrollButton(0, C, "default", Info); }, clYellow,
       clRed},
      // The list, tree and grid fills are the theme colours List, Tree and Grid.
      {"list box",
       [&](TvxTheme& T, TCanvas& C) {
         T.Colors().SetColor(18, 0x00ABCDEF);
         T.DrawListBox(0, C, "default", R);
       },
       0x00ABCDEF, clRed},
      {"tree",
       [&](TvxTheme& T, TCanvas& C) {
         T.Colors().SetColor(19, 0x00FEDCBA);
         T.DrawTree(0, C, "default", R);
       },
       0x00FEDCBA, clRed},
  };
  for (const auto& C : Cases) {
    TvxTheme Theme;
    TPaintTarget Target(16, 14);
    C.Draw(Theme, *Target.Canvas);
    EXPECT_TRUE(PixelsAre(Target.Bitmap, Framed(R, C.Fill, C.Frame))) << C.Name;
  }
}

TEST(ThemePlaceholders, OperationsThatDrawNothing) {
  const TRect R{2, 3, 14, 11};
  const TvxStateInfo Info{R, 1, 1};
  using TDraw = std::function<void(TvxTheme&, TCanvas&)>;
  struct {
    const char* Name;
    TDraw Draw;
  } const Cases[] = {
      {"disabled button",
       [&](TvxTheme& T, TCanvas& C) {
         T.DrawButton(0, C, "default", {R, 3, 0});
       }},
      {"check box", [&](TvxTheme& T, TCanvas& C) { T.DrawCheckBox(0, C, "default", Info); }},
      {"scroll-bar frame", [&](TvxTheme& T, TCanvas& C) { T.DrawScrollBarFrame(0, C, "default", R); }},
      {"progress bar", [&](TvxTheme& T, TCanvas& C) { T.DrawProgressBar(0, C, "default", Info); }},
      {"track", [&](TvxTheme& T, TCanvas& C) { T.DrawTrackBarTrack(0, C, "default", Info); }},
      {"box", [&](TvxTheme& T, TCanvas& C) { T.DrawBox(0, C, "default", Info); }},
      {"control bar", [&](TvxTheme& T, TCanvas& C) { T.DrawControlBar(1, C, "default", R); }},
      {"tool item", [&](TvxTheme& T, TCanvas& C) { T.DrawToolBarItem(1, C, "default", Info); }},
      {"header panel", [&](TvxTheme& T, TCanvas& C) { T.DrawHeaderPanel(1, C, "default", R); }},
      {"panel of an unknown kind", [&](TvxTheme& T, TCanvas& C) { T.DrawPanel(7, C, "default", R); }},
      {"text in an empty box",
       [&](TvxTheme& T, TCanvas& C) {
         T.DrawText(C, TextInfo({5, 5, 5, 12}, L"Ab", 0, 0, 1));
         T.DrawText(C, TextInfo({5, 5, 12, 5}, L"Ab", 4, 0, 2));
         T.DrawText(C, TextInfo({5, 5, 5, 5}, L"Ab", 4));
       }},
      {"nil glyphs",
       [&](TvxTheme& T, TCanvas& C) {
         const TvxGlyphInfo Glyph{R, nullptr, 4, 3};
         T.DrawButtonGlyph(0, C, "default", Glyph, 0);
         T.DrawHeaderSectionGlyph(0, C, "default", Glyph, 0);
         T.DrawStatusPanelGlyph(0, C, "default", Glyph, 0);
         T.DrawToolBarItemGlyph(1, C, "default", Glyph, 3);
         T.DrawMenuItemGlyph(1, C, "default", Glyph, 0);
         T.DrawListBoxCheck(0, C, "default", {R, 4, nullptr, 3}, {});
       }},
  };
  for (const auto& C : Cases) {
    TvxTheme Theme;
    TPaintTarget Target(16, 14);
    C.Draw(Theme, *Target.Canvas);
    EXPECT_TRUE(PixelsAre(Target.Bitmap, [](Integer, Integer) { return WhiteRgb; })) << C.Name;
  }
}

TEST(ThemePlaceholders, FillsByState) {
  const TRect R{2, 3, 14, 11};
  struct {
    const char* Name;
    std::function<void(TvxTheme&, TCanvas&, Byte)> Draw;
    TColor Frame;
    std::vector<std::pair<Byte, TColor>> Fills;
  } const Cases[] = {
      // Header sections: the part (always 1) comes first, the state second.
      {"header section",
       [&](TvxTheme& T, TCanvas& C, Byte S) {
         T.DrawHeaderSection(0, C, "default", {R, 1, S});
       },
       clBlack,
       {{0, clSilver}, {1, clGray}, {6, clGray}, {2, clGreen}, {3, clBlue}, {4, clYellow}, {5, clRed}, {7, clNone}}},
      {"list-box item",
       [&](TvxTheme& T, TCanvas& C, Byte S) {
         T.DrawListBoxItem(0, C, "default", {R, S, 0});
       },
       clBlue,
       {{0, clWhite}, {1, clYellow}, {2, clNavy}, {3, clBlue}, {4, clSilver}, {5, clNone}}},
      {"tree item",
       [&](TvxTheme& T, TCanvas& C, Byte S) {
         T.DrawTreeItem(0, C, "default", {R, S, 0});
       },
       clBlue,
       {{2, clNavy}, {9, clNone}}},
      // Scroll bars: the part comes first, the state second.
      {"scroll-bar track",
       [&](TvxTheme& T, TCanvas& C, Byte S) {
         T.DrawScrollBarTrack(0, C, "default", {R, 0, S});
       },
       clBlack,
       {{0, clGray}, {1, clBlue}, {2, clRed}, {3, clSilver}}},
      // Menu items: part 0 is an item.
      {"menu item",
       [&](TvxTheme& T, TCanvas& C, Byte S) {
         T.DrawMenuItem(1, C, "default", {R, 0, S});
       },
       clRed,
       {{0, clSilver}, {1, clYellow}, {2, clGray}, {3, clWhite}}},
  };
  for (const auto& C : Cases)
    for (const auto& [State, Fill] : C.Fills) {
      TvxTheme Theme;
      TPaintTarget Target(16, 14);
      C.Draw(Theme, *Target.Canvas, State);
      EXPECT_TRUE(PixelsAre(Target.Bitmap, Framed(R, Fill, C.Frame))) << C.Name << ", state " << int(State);
    }
}

TEST(ThemePlaceholders, ScrollBarPartsGetAnInnerOutline) {
  // R deflated by 5 horizontally and 4 vertically: (5, 4, 25, 16).
  const TRect R{0, 0, 30, 20};
  for (const Byte Part : {Byte(0), Byte(3), Byte(8), Byte(9), Byte(6)}) {
    TvxTheme Theme;
    TPaintTarget Target(30, 20);
    Theme.DrawScrollBarPart(0, *Target.Canvas, "default", {R, Part, 2});
    GdiFlush();
    SCOPED_TRACE(int(Part));
    EXPECT_EQ(PixelAt(Target.Bitmap, 0, 0), 0u);
    EXPECT_EQ(PixelAt(Target.Bitmap, 2, 10), Rgb(clRed)) << "hot fill";
    const bool Outlined = Part != 6;
    EXPECT_EQ(PixelAt(Target.Bitmap, 15, 4), Outlined ? Rgb(clNavy) : Rgb(clRed)) << "top of the outline";
    EXPECT_EQ(PixelAt(Target.Bitmap, 5, 10), Outlined ? Rgb(clNavy) : Rgb(clRed)) << "left of the outline";
    // Only the plain frame of parts 8 and 9 reaches into the corner.
    EXPECT_EQ(PixelAt(Target.Bitmap, 5, 4), Part >= 8 && Outlined ? Rgb(clNavy) : Rgb(clRed)) << "corner";
  }
}

TEST(ThemePlaceholders, MenuSeparatorLeavesAtMostOneLine) {
  struct {
    TRect R;
    TRect Line;
  } const Cases[] = {
      {{0, 0, 20, 7}, {3, 3, 17, 4}},  // half of 7 is 3: one line in the middle
      {{0, 2, 20, 8}, {}},             // half of 6 is 3: nothing left
      {{0, 0, 20, 1}, {3, 0, 17, 1}},  // half of 1 is 0
  };
  for (const auto& C : Cases) {
    TvxTheme Theme;
    TPaintTarget Target(20, 10);
    Theme.DrawMenuItem(1, *Target.Canvas, "default", {C.R, 1, 0});
    EXPECT_TRUE(
        PixelsAre(Target.Bitmap, [&C](Integer X, Integer Y) { return C.Line.Contains(X, Y) ? Rgb(clRed) : WhiteRgb; }))
        << C.R.Top << ".." << C.R.Bottom;
  }
}

TEST(ThemePlaceholders, ButtonFaceFollowsTheState) {
  const TRect R{1, 1, 15, 13};
  struct {
    Byte State;
    TColor Face;
  } const Cases[] = {{0, 0x00445566}, {1, 0x00112233}, {2, 0x00778899}, {4, 0x00445566}, {6, 0x00445566}};
  for (const auto& C : Cases) {
    TvxTheme Theme;
    Theme.Colors().SetColor(7, 0x00112233);   // ButtonNormal
    Theme.Colors().SetColor(9, 0x00778899);   // ButtonPressed
    Theme.Colors().SetColor(10, 0x00445566);  // ButtonFocused
    TPaintTarget Target(16, 14);
    Theme.DrawButton(0, *Target.Canvas, "default", {R, C.State, 0});
    const TvxColor Face = ColorToPixel(C.Face, 255);
    const TRect Bevel{2, 2, 14, 12};
    EXPECT_TRUE(PixelsAre(Target.Bitmap,
                          [&](Integer X, Integer Y) -> TvxColor {
                            if (OnInnerEdge(R, X, Y)) return 0;
                            if (OnInnerEdge(Bevel, X, Y)) {
                              const bool TopLeft = (X == Bevel.Left && Y <= Bevel.Bottom - 2) ||
                                                   (Y == Bevel.Top && X <= Bevel.Right - 2);
                              return LightenPixel(Face, TopLeft ? 30 : -30) & 0xFFFFFF;
                            }
                            return R.Contains(X, Y) ? Face & 0xFFFFFF : WhiteRgb;
                          }))
        << "state " << int(C.State);
  }
}

TEST(ThemePlaceholders, PanelsAndGroupBox) {
  {
    SCOPED_TRACE("raised panel");
    TvxTheme Theme;
    TPaintTarget Target(16, 14);
    Theme.DrawPanel(0, *Target.Canvas, "default", {0, 0, 16, 14});
    GdiFlush();
    EXPECT_EQ(PixelAt(Target.Bitmap, 0, 5), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelAt(Target.Bitmap, 15, 5), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(Target.Bitmap, 7, 7), Rgb(clSilver));
  }
  {
    SCOPED_TRACE("framed, sunken panel");
    TvxTheme Theme;
    TPaintTarget Target(16, 14);
    Theme.DrawPanel(1, *Target.Canvas, "default", {0, 0, 16, 14});
    GdiFlush();
    EXPECT_EQ(PixelAt(Target.Bitmap, 0, 5), 0u);
    EXPECT_EQ(PixelAt(Target.Bitmap, 1, 5), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(Target.Bitmap, 14, 5), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelAt(Target.Bitmap, 7, 7), Rgb(clSilver));
  }
  {
    SCOPED_TRACE("group box: deflated by 5, the top 4 further down");
    TvxTheme Theme;
    TPaintTarget Target(30, 30);
    TvxGroupBoxInfo Info;
    Info.Rect = {0, 0, 30, 30};
    Theme.DrawGroupBox(0, *Target.Canvas, "default", Info);
    EXPECT_TRUE(PixelsAre(Target.Bitmap, Framed({5, 9, 25, 25}, clNone, clBlack)));
  }
}

TEST(ThemePlaceholders, ListBoxCheckMarks) {
  // A 16 x 16 box centred in (0, 0, 20, 22): (2, 3, 18, 19); the mark inside: (5, 6, 15, 16).
  const TRect Glyph{0, 0, 20, 22}, Box{2, 3, 18, 19}, Mark{5, 6, 15, 16};
  struct {
    Byte CheckState;
    TColor MarkColor;
  } const Cases[] = {{0, clBlack}, {1, clRed}, {2, clGray}};
  for (const auto& C : Cases) {
    TvxTheme Theme;
    TPaintTarget Target(20, 22);
    Theme.DrawListBoxCheck(0, *Target.Canvas, "default", {Glyph, 4, nullptr, C.CheckState}, {});
    EXPECT_TRUE(PixelsAre(Target.Bitmap,
                          [&](Integer X, Integer Y) {
                            if (OnInnerEdge(Box, X, Y)) return Rgb(clBlack);
                            if (Mark.Contains(X, Y)) return Rgb(C.MarkColor);
                            return Box.Contains(X, Y) ? Rgb(clRed) : WhiteRgb;
                          }))
        << "check state " << int(C.CheckState);
  }
  {
    SCOPED_TRACE("check state 3: the bitmap centred, no box");
    TvxBitmap Bitmap;
    Bitmap.SetSize(4, 6);
    Bitmap.Fill(0xFF00FF00);
    TvxTheme Theme;
    TPaintTarget Target(20, 22);
    Theme.DrawListBoxCheck(0, *Target.Canvas, "default", {Glyph, 4, &Bitmap, 3}, {});
    EXPECT_TRUE(PixelsAre(Target.Bitmap, [](Integer X, Integer Y) {
      return Bounds(8, 8, 4, 6).Contains(X, Y) ? TvxColor(0x00FF00) : WhiteRgb;
    }));
  }
}

// [Glyphs]

namespace {

void SolidBitmap(TvxBitmap& B, Integer W, Integer H, TvxColor Pixel) {
  B.SetSize(W, H);
  B.Fill(Pixel);
}

// The pixels of B that are not white, as a set of points.
std::vector<TPoint> Ink(const TvxBitmap& B) {
  GdiFlush();
  std::vector<TPoint> Points;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X)
      if (PixelAt(B, X, Y) != WhiteRgb) Points.push_back({X, Y});
  return Points;
}

}  // namespace

TEST(ThemeGlyphs, BitmapsArePlacedAsEachGroupSays) {
  TvxBitmap Green;
  SolidBitmap(Green, 3, 2, 0xFF00FF00);
  const TRect Glyph{4, 5, 14, 13};
  struct {
    const char* Name;
    std::function<void(TvxTheme&, TCanvas&, const TvxGlyphInfo&)> Draw;
    TRect Covered;
  } const Cases[] = {
      {"button glyph at the top-left",
       [](TvxTheme& T, TCanvas& C, const TvxGlyphInfo& G) { T.DrawButtonGlyph(0, C, "default", G, 0); },
       Bounds(4, 5, 3, 2)},
      {"header section glyph stretched",
       [](TvxTheme& T, TCanvas& C, const TvxGlyphInfo& G) { T.DrawHeaderSectionGlyph(0, C, "default", G, 0); }, Glyph},
      {"status panel glyph stretched",
       [](TvxTheme& T, TCanvas& C, const TvxGlyphInfo& G) { T.DrawStatusPanelGlyph(0, C, "default", G, 0); }, Glyph},
      // Centred: ((10 - 3) / 2, (8 - 2) / 2) from the top-left.
      {"menu image centred",
       [](TvxTheme& T, TCanvas& C, const TvxGlyphInfo& G) { T.DrawMenuItemGlyph(1, C, "default", G, 0); },
       Bounds(7, 8, 3, 2)},
      {"tool item by alignment 8",
       [](TvxTheme& T, TCanvas& C, const TvxGlyphInfo& G) {
         TvxGlyphInfo Corner = G;
         Corner.Alignment = 8;
         T.DrawToolBarItemGlyph(1, C, "default", Corner, 0);
       },
       Bounds(11, 11, 3, 2)},
  };
  for (const auto& C : Cases) {
    TvxTheme Theme;
    TPaintTarget Target(20, 16);
    C.Draw(Theme, *Target.Canvas, {Glyph, &Green, 4, 3});
    EXPECT_TRUE(PixelsAre(Target.Bitmap, [&C](Integer X, Integer Y) {
      return C.Covered.Contains(X, Y) ? TvxColor(0x00FF00) : WhiteRgb;
    })) << C.Name;
  }
}

TEST(ThemeGlyphs, DisabledToolItemGlyphIsAShadow) {
  TvxBitmap Green;
  SolidBitmap(Green, 3, 2, 0xFF00FF00);
  TvxTheme Theme;
  TPaintTarget Target(20, 16);
  Theme.DrawToolBarItemGlyph(1, *Target.Canvas, "default", {{4, 5, 14, 13}, &Green, 4, 3}, 3);
  const std::vector<TPoint> Points = Ink(Target.Bitmap);
  ASSERT_EQ(Points.size(), 6u);
  EXPECT_EQ(Points.front(), (TPoint{7, 8}));
  const TvxColor Shadow = PixelAt(Target.Bitmap, 7, 8);
  EXPECT_NE(Shadow, 0x00FF00u) << "not the glyph's own colour";
  // Grey: the button shadow over white, all three channels alike for a grey scheme colour.
  const TvxColor Expected = BlendPixel(ColorToPixel(ColorToRGB(clBtnShadow), 100), 0xFFFFFFFF) & 0xFFFFFF;
  EXPECT_NEAR(int(PixelRed(Shadow)), int(PixelRed(Expected)), 1);
  EXPECT_NEAR(int(PixelGreen(Shadow)), int(PixelGreen(Expected)), 1);
  EXPECT_NEAR(int(PixelBlue(Shadow)), int(PixelBlue(Expected)), 1);
}

TEST(ThemeGlyphs, MenuMarksInTheFontColour) {
  const TRect Glyph{0, 0, 20, 20};
  const TvxColor Red = Rgb(clRed);
  {
    SCOPED_TRACE("check mark: two polylines around (8, 11) in the 16 x 16 box (2, 2, 18, 18)");
    TvxTheme Theme;
    TPaintTarget Target(20, 20);
    Target.Canvas->Font().SetColor(clRed);
    Theme.DrawMenuItemGlyph(1, *Target.Canvas, "default", {Glyph, nullptr, 4, 0}, 0);
    const std::vector<TPoint> Points = Ink(Target.Bitmap);
    EXPECT_GE(Points.size(), 15u);
    for (const TPoint& P : Points) {
      EXPECT_EQ(PixelAt(Target.Bitmap, P.X, P.Y), Red);
      EXPECT_TRUE((TRect{3, 6, 14, 14}.Contains(P.X, P.Y))) << P.X << "," << P.Y;
    }
    // Points of the figure: (-2, -2), (0, 0), (4, -4) and (0, 2) from (8, 11).
    for (const TPoint& P : {TPoint{6, 9}, TPoint{8, 11}, TPoint{12, 7}, TPoint{8, 13}})
      EXPECT_EQ(PixelAt(Target.Bitmap, P.X, P.Y), Red) << P.X << "," << P.Y;
  }
  {
    SCOPED_TRACE("radio dot: a round 6 x 6 dot centred");
    TvxTheme Theme;
    TPaintTarget Target(20, 20);
    Target.Canvas->Font().SetColor(clRed);
    Theme.DrawMenuItemGlyph(1, *Target.Canvas, "default", {Glyph, nullptr, 4, 1}, 0);
    const std::vector<TPoint> Points = Ink(Target.Bitmap);
    EXPECT_GE(Points.size(), 16u);
    for (const TPoint& P : Points) EXPECT_TRUE((TRect{7, 7, 13, 13}.Contains(P.X, P.Y))) << P.X << "," << P.Y;
    EXPECT_EQ(PixelAt(Target.Bitmap, 9, 9), Red);
    EXPECT_EQ(PixelAt(Target.Bitmap, 7, 7), WhiteRgb) << "rounded corner";
  }
  {
    SCOPED_TRACE("sub-menu arrow inside the 16 x 16 box");
    TvxTheme Theme;
    TPaintTarget Target(20, 20);
    Target.Canvas->Font().SetColor(clRed);
    Theme.DrawMenuItemGlyph(1, *Target.Canvas, "default", {Glyph, nullptr, 4, 2}, 0);
    const std::vector<TPoint> Points = Ink(Target.Bitmap);
    EXPECT_FALSE(Points.empty());
    for (const TPoint& P : Points) {
      EXPECT_EQ(PixelAt(Target.Bitmap, P.X, P.Y), Red);
      EXPECT_TRUE((TRect{2, 2, 18, 18}.Contains(P.X, P.Y))) << P.X << "," << P.Y;
    }
  }
}

TEST(ThemeForms, CaptionTextUsesTheCaptionFonts) {
  for (const bool Active : {true, false}) {
    TvxTheme Theme;
    TPaintTarget Target(120, 30);
    Target.Bitmap.Fill(0xFF000080);
    TvxWindowInfo Info = Window(0);
    Info.Active = Active;
    Info.Caption = L"Caption";
    const TRect R{10, 3, 110, 22};
    Theme.DrawFormCaptionText(0, *Target.Canvas, "default", R, Info);
    SCOPED_TRACE(Active ? "active" : "inactive");
    const TFont& Expected = Theme.Fonts().Font(Active ? 0 : 1);
    EXPECT_EQ(Target.Canvas->Font().Color(), Expected.Color());
    EXPECT_EQ(Target.Canvas->Font().Size(), 10);
    EXPECT_TRUE(Target.Canvas->Font().Style().Contains(TFontStyle::fsBold));
    // Centred on one line: the reference is the same text laid out by alignment 4.
    TvxBitmap Reference;
    Reference.SetSize(120, 30);
    Reference.Fill(0xFF000080);
    {
      TCanvas Canvas(Reference.DC());
      Canvas.Font().Assign(&Expected);
      TvxTheme().DrawText(Canvas, TextInfo(R, L"Caption", 4, vxtfSingleLine));
    }
    EXPECT_TRUE(SamePixels(Target.Bitmap, Reference));
    GdiFlush();
    bool Ink = false;
    for (Integer Y = 0; Y < 30; ++Y)
      for (Integer X = 0; X < 120; ++X) Ink |= PixelAt(Target.Bitmap, X, Y) != 0x000080;
    EXPECT_TRUE(Ink);
  }
}

// [Client rectangles]

TEST(ThemeClientRects, DeflationsOfEachGroup) {
  const TRect R{10, 20, 110, 80};
  struct {
    const char* Name;
    std::function<void(TvxTheme&, TRect&)> Get;
    TRect Expected;
  } const Cases[] = {
      {"hint", [&](TvxTheme& T, TRect& C) { T.GetHintClientRect(R, C); }, {20, 33, 100, 67}},
      {"panel", [&](TvxTheme& T, TRect& C) { T.GetPanelClientRect(0, R, C, "default"); }, {12, 22, 108, 78}},
      {"progress bar", [&](TvxTheme& T, TRect& C) { T.GetProgressBarClientRect(0, R, C, "default"); }, R},
      {"status bar", [&](TvxTheme& T, TRect& C) { T.GetStatusBarClientRect(0, R, C, "default"); }, {15, 22, 105, 78}},
      {"edit", [&](TvxTheme& T, TRect& C) { T.GetEditClientRect(0, R, C, "default"); }, {13, 23, 107, 77}},
      {"group box", [&](TvxTheme& T, TRect& C) { T.GetGroupBoxClientRect(0, R, C, "default"); }, R},
      {"menu", [&](TvxTheme& T, TRect& C) { T.GetMenuClientRect(1, R, C, "default"); }, {13, 25, 107, 75}},
      {"tool bar", [&](TvxTheme& T, TRect& C) { T.GetToolBarClientRect(1, R, C, "default"); }, {21, 22, 108, 78}},
      {"scroll box", [&](TvxTheme& T, TRect& C) { T.GetScrollBoxClientRect(R, C); }, {13, 23, 107, 77}},
      {"list box", [&](TvxTheme& T, TRect& C) { T.GetListBoxClientRect(0, R, C, "default"); }, {14, 25, 106, 75}},
      {"tree", [&](TvxTheme& T, TRect& C) { T.GetTreeClientRect(0, R, C); }, {12, 22, 108, 78}},
      {"tab", [&](TvxTheme& T, TRect& C) { T.GetTabClientRect(0, R, C, "default"); }, R},
  };
  TvxTheme Theme;
  for (const auto& C : Cases) {
    TRect Client{};
    C.Get(Theme, Client);
    EXPECT_EQ(Client, C.Expected) << C.Name;
  }
}

// [Tables]

TEST(ThemeTables, ShiftsAreRecomputedNotAccumulated) {
  TvxTheme Fresh, Shifted;
  Shifted.SetDeltaHue(30);
  bool Moved = false;
  for (Integer I = 0; I < vxThemeColorCount; ++I) Moved |= Shifted.Colors().Color(I) != Fresh.Colors().Color(I);
  ASSERT_TRUE(Moved) << "a hue shift of 30 changes some theme colour";
  Shifted.SetDeltaHue(0);
  for (Integer I = 0; I < vxThemeColorCount; ++I) EXPECT_EQ(Shifted.Colors().Color(I), Fresh.Colors().Color(I)) << I;
  for (Integer I = 0; I < vxThemeFontCount; ++I)
    EXPECT_EQ(Shifted.Fonts().Font(I).Color(), Fresh.Fonts().Font(I).Color()) << I;
  // System colours come back too, instead of keeping the shift of 30.
  for (Integer I = 0; I < vxThemeSysColorCount; ++I)
    EXPECT_EQ(Shifted.SysColors().Entry(I), Fresh.SysColors().Entry(I)) << I;

  Shifted.SetDeltas(30, 40);
  Shifted.SetDeltas(0, 0);
  for (Integer I = 0; I < vxThemeSysColorCount; ++I)
    EXPECT_EQ(Shifted.SysColors().Entry(I), Fresh.SysColors().Entry(I)) << I;
}

namespace {
// Every entry of every table, the fonts the base theme leaves alone (8, 9, 34, ...) included.
std::vector<TColor> TableColours(const TvxTheme& T) {
  std::vector<TColor> All;
  for (Integer I = 0; I < vxThemeColorCount; ++I) All.push_back(T.Colors().Color(I));
  for (Integer I = 0; I < vxThemeSysColorCount; ++I) All.push_back(T.SysColors().Entry(I));
  for (Integer I = 0; I < vxThemeFontCount; ++I) All.push_back(T.Fonts().Font(I).Color());
  return All;
}
}  // namespace

TEST(ThemeTables, ABrightnessShiftSetTwiceIsSetOnceAndZeroGoesBackToTheStart) {
  TvxTheme Start, Once, Twice;
  Once.SetDeltaBrightness(40);
  Twice.SetDeltaBrightness(40);
  Twice.SetDeltaBrightness(40);
  EXPECT_EQ(TableColours(Twice), TableColours(Once));
  // An untouched font: clWindowText resolved and 40 added to each channel.
  EXPECT_EQ(Once.Fonts().Font(vxfPanelTextNormal).Color(), ColorBrightnessShifted(clWindowText, 40));
  EXPECT_EQ(Once.SysColors().Entry(4), ColorBrightnessShifted(Start.SysColors().Entry(4), 40));
  Twice.SetDeltaBrightness(0);
  EXPECT_EQ(TableColours(Twice), TableColours(Start));
}

TEST(ThemeTables, SystemColoursAndFontsAssignedInOutliveResets) {
  TvxTheme Source;
  Source.SysColors().SetEntry(3, 0x00102030);
  Source.Fonts().Font(vxfPanelTextNormal).SetColor(0x00405060);
  Source.Fonts().Font(vxfPanelTextNormal).SetSize(17);
  TvxTheme Dest;
  Dest.Assign(&Source);
  Dest.SetDeltaBrightness(40);
  EXPECT_EQ(Dest.SysColors().Entry(3), 0x00384858);  // 40 = $28 more in each channel
  EXPECT_EQ(Dest.Fonts().Font(vxfPanelTextNormal).Color(), 0x00687888);
  Dest.SetDeltaBrightness(0);
  EXPECT_EQ(Dest.SysColors().Entry(3), 0x00102030);
  EXPECT_EQ(Dest.Fonts().Font(vxfPanelTextNormal).Color(), 0x00405060);
  EXPECT_EQ(Dest.Fonts().Font(vxfPanelTextNormal).Size(), 17);
}

TEST(ThemeTables, AssignCopiesNameAndTablesOnly) {
  TvxTheme Source;
  Source.SetName("Source theme");
  Source.SetFileName("source.skn");
  Source.SetDeltas(40, 10);
  Source.Colors().SetColor(5, 0x00123456);
  Source.SysColors().SetEntry(3, 0x00654321);
  Source.Fonts().Font(3).SetSize(17);
  Source.Options().SetOption(1, true);

  TvxTheme Dest;
  Dest.SetFileName("dest.skn");
  Dest.Assign(&Source);
  EXPECT_EQ(Dest.Name(), "Source theme");
  EXPECT_EQ(Dest.FileName(), "dest.skn");
  EXPECT_EQ(Dest.DeltaHue(), 0);
  EXPECT_EQ(Dest.DeltaBrightness(), 0);
  for (Integer I = 0; I < vxThemeColorCount; ++I) EXPECT_EQ(Dest.Colors().Color(I), Source.Colors().Color(I)) << I;
  EXPECT_EQ(Dest.SysColors().Entry(3), 0x00654321);
  EXPECT_EQ(Dest.Fonts().Font(3).Size(), 17);
  EXPECT_EQ(Dest.Fonts().Font(0).Color(), Source.Fonts().Font(0).Color());
  EXPECT_TRUE(Dest.Options().Option(1));
}

TEST(ThemeGeneral, BaseClassAnswers) {
  TvxTheme Theme;
  EXPECT_EQ(Theme.Name(), "Default theme");
  EXPECT_EQ(TvxTheme::GetThemeName(), "Default");
  const TvxThemeConfig Config = TvxTheme::GetFileInfo();
  EXPECT_FALSE(Config.Builtin || Config.Streamable || Config.FileBased);
  EXPECT_TRUE(Config.Filter.empty() && Config.Extension.empty());
  TMemoryStream Stream;
  EXPECT_FALSE(Theme.SaveToStream(Stream));
  EXPECT_FALSE(Theme.LoadFromStream(Stream));
  EXPECT_FALSE(Theme.LoadFromFile("missing.skn"));
  EXPECT_EQ(Theme.FileName(), "");
  EXPECT_EQ(Theme.GetFormRegion(0, {0, 0, 100, 100}, "default"), nullptr);
}

TEST(ThemeProbe, TheBaseThemeAnswersNothingForWhatItPaints) {
  TvxTheme Theme;
  TPaintTarget Target(200, 100);
  TvxPaintProbe Probe;
  Probe.Point = {100, 10};
  {
    TvxProbeScope Scope(Theme, Probe);
    EXPECT_EQ(Theme.PaintProbe(), &Probe);
    Theme.DrawFormBorder(0, *Target.Canvas, "default", Window(0));
    TvxStateInfo Button;
    Button.Rect = Rect(80, 0, 120, 20);
    Theme.DrawButton(0, *Target.Canvas, "default", Button);
  }
  GdiFlush();
  // The point was painted, by code rather than by a skin.
  EXPECT_NE(PixelAt(Target.Bitmap, 100, 10), WhiteRgb);
  EXPECT_FALSE(Probe.Found);
  EXPECT_TRUE(Probe.Path.empty());
  EXPECT_EQ(Probe.Describe(), L"Not painted by the skin");
  EXPECT_EQ(Theme.PaintProbe(), nullptr);
}

TEST(ThemeProbe, DescribesThePathAndTheImageRectangle) {
  TvxPaintProbe Probe;
  Probe.Found = true;
  Probe.Path = {"Form", "Caption", "CloseButton"};
  Probe.Image = "SlateBars";
  Probe.Link = Rect(124, 23, 140, 39);
  EXPECT_EQ(Probe.Describe(), L"Form.Caption.CloseButton\nSlateBars (124, 23, 140, 39)");
  // A colour fill has no image to name.
  Probe.Image.clear();
  EXPECT_EQ(Probe.Describe(), L"Form.Caption.CloseButton");
}
