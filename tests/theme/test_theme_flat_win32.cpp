// The two built-in themes drawn in code, Flat and Office XP: their tables, the colours every
// control group paints in each state (read back from engine bitmaps), window-frame geometry, the
// popup menu's image column, and choosing them by name through a theme engine. Expected colours
// are the themes' documented values, written out here.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/theme_flat.h"
#include "vexel/theme/theme_officexp.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}

constexpr TvxColor WhiteRgb = 0xFFFFFF;

// A framework colour (system colours resolved) as the low 24 bits of an engine pixel.
TvxColor Rgb(TColor Color) { return ColorToPixel(ColorToRGB(Color), 0) & 0xFFFFFF; }
TColor Lighter(TColor Color, Integer Delta) {
  return PixelToColor(LightenPixel(ColorToPixel(ColorToRGB(Color), 255), Delta));
}

// A white engine bitmap with a canvas over its DC.
struct TPaintTarget {
  TvxBitmap Bitmap;
  std::unique_ptr<TCanvas> Canvas;
  TPaintTarget(Integer W, Integer H) {
    Bitmap.SetSize(W, H);
    Bitmap.Fill(0xFF000000 | WhiteRgb);
    Canvas = std::make_unique<TCanvas>(Bitmap.DC());
  }
  TvxColor At(Integer X, Integer Y) const {
    GdiFlush();
    return Bitmap.GetPixel(X, Y) & 0xFFFFFF;
  }
};

using TExpected = std::function<TvxColor(Integer X, Integer Y)>;

testing::AssertionResult PixelsAre(const TPaintTarget& T, const TExpected& Expected) {
  GdiFlush();
  int Wrong = 0;
  std::ostringstream Where;
  for (Integer Y = 0; Y < T.Bitmap.Height(); ++Y)
    for (Integer X = 0; X < T.Bitmap.Width(); ++X) {
      const TvxColor Got = T.Bitmap.GetPixel(X, Y) & 0xFFFFFF, Want = Expected(X, Y);
      if (Got != Want && Wrong++ < 6)
        Where << " (" << std::dec << X << "," << Y << ") " << std::hex << Got << " not " << Want << ";";
    }
  if (Wrong == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << Wrong << " pixels differ:" << Where.str();
}

bool OnInnerEdge(const TRect& R, Integer X, Integer Y) {
  return R.Contains(X, Y) && (X == R.Left || X == R.Right - 1 || Y == R.Top || Y == R.Bottom - 1);
}

// Fill inside R and Frame on its inner edge (clNone: not painted), white elsewhere.
TExpected Framed(const TRect& R, TColor Fill, TColor Frame) {
  return [=](Integer X, Integer Y) {
    if (Frame != clNone && OnInnerEdge(R, X, Y)) return Rgb(Frame);
    if (R.Contains(X, Y) && Fill != clNone) return Rgb(Fill);
    return WhiteRgb;
  };
}

TRect Shrunk(const TRect& R, Integer N) { return {R.Left + N, R.Top + N, R.Right - N, R.Bottom - N}; }

// The colours that tell the two themes apart; ButtonFocused is ButtonPressed in both.
struct TPalette {
  const char* Name;
  std::function<std::unique_ptr<TVxFlatTheme>()> Make;
  TColor Border, Hot, Pressed, Caption;
  Integer Gutter;
};

void PrintTo(const TPalette& P, std::ostream* Os) { *Os << P.Name; }

const TPalette Palettes[] = {
    {"Flat", [] { return std::make_unique<TVxFlatTheme>(); }, 0x8396A0, 0xE1EAEB, 0x996633, 0x9CDEF7, 0},
    {"OfficeXP", [] { return std::make_unique<TVxOfficeXPTheme>(); }, clHighlight, 0xD2BDB6, 0xB59285, 0xFF0000, 21},
};

// The colours a case names, resolved per theme.
enum class K { None, Normal, Hot, Pressed, White, Gray, Border, Selection, Lighter10Pressed };

TColor Resolve(K Key, const TPalette& P) {
  switch (Key) {
    case K::None: return clNone;
    case K::Normal: return clBtnFace;
    case K::Hot: return P.Hot;
    case K::Pressed: return P.Pressed;
    case K::White: return clWhite;
    case K::Gray: return 0x808080;
    case K::Border: return P.Border;
    case K::Selection: return 0xB59285;
    case K::Lighter10Pressed: return Lighter(P.Pressed, 10);
  }
  return clNone;
}

using TPaint = std::function<void(TVxFlatTheme& T, TCanvas& C, const TRect& R)>;

// One drawing of a state: the rectangle shrunk by Inset is filled and framed, nothing else.
struct TFaceCase {
  std::string What;
  TPaint Paint;
  K Fill, Frame;
  Integer Inset = 0;
};

TvxStateInfo State(const TRect& R, Byte First, Byte Second = 0) { return {R, First, Second}; }

std::vector<TFaceCase> FaceCases() {
  std::vector<TFaceCase> Cases = {
      {"panel", [](auto& T, auto& C, auto& R) { T.DrawPanel(0, C, "default", R); }, K::Normal, K::Border},
      {"splitter", [](auto& T, auto& C, auto& R) { T.DrawSplitter(0, C, "default", R); }, K::Normal, K::Border},
      {"box", [](auto& T, auto& C, auto& R) { T.DrawBox(0, C, "default", State(R, 0)); }, K::Normal, K::Border},
      {"scroll box", [](auto& T, auto& C, auto& R) { T.DrawScrollBox(0, C, "default", R); }, K::Normal, K::Border},
      {"edit frame", [](auto& T, auto& C, auto& R) { T.DrawEditFrame(0, C, "default", State(R, 0)); }, K::White,
       K::Border},
      {"edit", [](auto& T, auto& C, auto& R) { T.DrawEdit(0, C, "default", State(R, 1)); }, K::White, K::Border},
      {"edit selection", [](auto& T, auto& C, auto& R) { T.DrawEdit(0, C, "default", State(R, 6)); }, K::Selection,
       K::None},
      {"list box", [](auto& T, auto& C, auto& R) { T.DrawListBox(0, C, "default", R); }, K::White, K::Border},
      {"tree", [](auto& T, auto& C, auto& R) { T.DrawTree(0, C, "default", R); }, K::White, K::Border},
      {"grid", [](auto& T, auto& C, auto& R) { T.DrawGrid(0, C, "default", R); }, K::White, K::Border},
      {"tab pane", [](auto& T, auto& C, auto& R) { T.DrawTabPane(0, C, "default", R); }, K::Normal, K::Border},
      {"header panel", [](auto& T, auto& C, auto& R) { T.DrawHeaderPanel(0, C, "default", R); }, K::Normal, K::Border},
      {"header panel caption", [](auto& T, auto& C, auto& R) { T.DrawHeaderPanelCaption(0, C, "default", R); },
       K::Normal, K::Border},
      {"header", [](auto& T, auto& C, auto& R) { T.DrawHeader(0, C, "default", R); }, K::Normal, K::None},
      {"status bar", [](auto& T, auto& C, auto& R) { T.DrawStatusBar(0, C, "default", R); }, K::Normal, K::None},
      {"control bar", [](auto& T, auto& C, auto& R) { T.DrawControlBar(0, C, "default", R); }, K::Normal, K::None},
      {"menu bar", [](auto& T, auto& C, auto& R) { T.DrawMenu(0, C, "default", R); }, K::Normal, K::None},
      {"tool bar in a control bar", [](auto& T, auto& C, auto& R) { T.DrawToolBar(2, C, "default", R); }, K::White,
       K::Gray},
      {"track bar track", [](auto& T, auto& C, auto& R) { T.DrawTrackBarTrack(0, C, "default", State(R, 0)); },
       K::Normal, K::Border, 2},
      {"tool grabber", [](auto& T, auto& C, auto& R) { T.DrawToolBarItem(0, C, "default", State(R, 13, 0)); }, K::Hot,
       K::Border, 1},
      {"check box unchecked", [](auto& T, auto& C, auto& R) { T.DrawCheckBox(0, C, "default", State(R, 5)); },
       K::Normal, K::Border},
      {"check box unchecked hot", [](auto& T, auto& C, auto& R) { T.DrawCheckBox(0, C, "default", State(R, 6)); },
       K::Hot, K::Border},
      {"check box unchecked pressed", [](auto& T, auto& C, auto& R) { T.DrawCheckBox(0, C, "default", State(R, 7)); },
       K::Pressed, K::Border},
      {"check box unchecked disabled", [](auto& T, auto& C, auto& R) { T.DrawCheckBox(0, C, "default", State(R, 8)); },
       K::Normal, K::Border},
      {"grid fixed cell ignores the state",
       [](auto& T, auto& C, auto& R) { T.DrawGridCell(0, C, "default", State(R, 2, 1)); }, K::Normal, K::None},
      {"grid cell", [](auto& T, auto& C, auto& R) { T.DrawGridCell(0, C, "default", State(R, 0)); }, K::White, K::None},
      {"grid cell hot", [](auto& T, auto& C, auto& R) { T.DrawGridCell(0, C, "default", State(R, 1)); }, K::Hot,
       K::None},
      {"grid cell selected", [](auto& T, auto& C, auto& R) { T.DrawGridCell(0, C, "default", State(R, 2)); },
       K::Pressed, K::Border},
      {"grid cell unknown", [](auto& T, auto& C, auto& R) { T.DrawGridCell(0, C, "default", State(R, 5)); }, K::None,
       K::None},
      {"list item selected", [](auto& T, auto& C, auto& R) { T.DrawListBoxItem(0, C, "default", State(R, 2)); }, K::Hot,
       K::Border},
      {"list item focused", [](auto& T, auto& C, auto& R) { T.DrawListBoxItem(0, C, "default", State(R, 3)); }, K::Hot,
       K::Border},
      {"list item normal", [](auto& T, auto& C, auto& R) { T.DrawListBoxItem(0, C, "default", State(R, 4)); }, K::White,
       K::None},
      {"tree item", [](auto& T, auto& C, auto& R) { T.DrawTreeItem(0, C, "default", State(R, 1)); }, K::White,
       K::Border},
      {"tree item selected", [](auto& T, auto& C, auto& R) { T.DrawTreeItem(0, C, "default", State(R, 3)); }, K::Hot,
       K::Border},
      {"tree item unknown", [](auto& T, auto& C, auto& R) { T.DrawTreeItem(0, C, "default", State(R, 7)); }, K::None,
       K::Border},
      {"progress frame", [](auto& T, auto& C, auto& R) { T.DrawProgressBar(0, C, "default", State(R, 1)); }, K::Normal,
       K::Border},
      {"progress bar", [](auto& T, auto& C, auto& R) { T.DrawProgressBar(0, C, "default", State(R, 5)); }, K::Hot,
       K::Border},
      {"progress unknown part", [](auto& T, auto& C, auto& R) { T.DrawProgressBar(0, C, "default", State(R, 6)); },
       K::None, K::None},
      {"track thumb", [](auto& T, auto& C, auto& R) { T.DrawTrackBarThumb(0, C, "default", State(R, 0, 0)); },
       K::Normal, K::Border},
      {"track thumb hot", [](auto& T, auto& C, auto& R) { T.DrawTrackBarThumb(0, C, "default", State(R, 0, 1)); },
       K::Hot, K::Border},
      {"track thumb pressed", [](auto& T, auto& C, auto& R) { T.DrawTrackBarThumb(0, C, "default", State(R, 0, 2)); },
       K::Hot, K::Border},
      // Popup menu items: first byte the part, second the state.
      {"popup item hot", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(1, C, "default", State(R, 0, 1)); }, K::Hot,
       K::Border},
      {"popup item selected", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(1, C, "default", State(R, 0, 2)); },
       K::Hot, K::Border},
      {"bar item hot", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(0, C, "default", State(R, 0, 1)); }, K::Hot,
       K::Border},
      {"bar item selected", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(0, C, "default", State(R, 0, 2)); },
       K::Normal, K::Gray},
      {"bar item", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(0, C, "default", State(R, 0, 0)); }, K::Normal,
       K::None},
      {"menu unknown part", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(1, C, "default", State(R, 2, 1)); }, K::None,
       K::None},
  };
  // Faces by state, one table per group: (state, fill) pairs.
  struct TStates {
    const char* What;
    std::function<void(TVxFlatTheme&, TCanvas&, const TRect&, Byte)> Paint;
    std::vector<std::pair<Byte, K>> States;
  };
  const TStates Groups[] = {
      {"button",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawButton(0, C, "default", State(R, S)); },
       {{0, K::Normal},
        {1, K::Hot},
        {2, K::Pressed},
        {3, K::Normal},
        {4, K::Pressed},
        {5, K::Normal},
        {6, K::Pressed}}},
      // Part 2 of a scroll bar is a thumb: no glyph. The second byte is the state.
      {"scroll thumb",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawScrollBarPart(0, C, "default", State(R, 2, S)); },
       {{0, K::Normal}, {1, K::Pressed}, {2, K::Hot}, {3, K::Normal}, {9, K::Normal}}},
      // Second byte 1: no arrow.
      {"edit button",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawEditButton(0, C, "default", State(R, S, 1)); },
       {{0, K::Normal}, {1, K::Hot}, {2, K::Pressed}, {4, K::Normal}, {3, K::Normal}}},
      {"header section",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawHeaderSection(0, C, "default", State(R, 0, S)); },
       {{0, K::Normal},
        {1, K::Pressed},
        {5, K::Pressed},
        {2, K::Normal},
        {6, K::Normal},
        {3, K::Hot},
        {4, K::Hot},
        {7, K::None}}},
      // First byte 0: no glyph.
      {"header panel button",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawHeaderPanelButton(0, C, "default", State(R, 0, S)); },
       {{0, K::Normal}, {1, K::Hot}, {2, K::Pressed}, {3, K::Normal}, {4, K::None}}},
      // First byte 5: no glyph.
      {"tab scroll button",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawTabScrollButton(0, C, "default", State(R, 5, S)); },
       {{0, K::Normal}, {1, K::Hot}, {2, K::Pressed}, {3, K::Normal}, {4, K::None}}},
      {"tab",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawTab(0, C, "default", State(R, 0, S)); },
       {{0, K::Normal}, {1, K::Hot}, {2, K::Normal}}},
      {"tool button",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawToolBarItem(0, C, "default", State(R, 0, S)); },
       {{0, K::None}, {1, K::Hot}, {2, K::Pressed}, {3, K::None}, {5, K::Lighter10Pressed}, {6, K::Hot}}},
      {"tool drop-down part",
       [](auto& T, auto& C, auto& R, Byte S) { T.DrawToolBarItem(0, C, "default", State(R, 8, S)); },
       {{0, K::None}, {1, K::Hot}, {2, K::Pressed}, {5, K::Lighter10Pressed}, {6, K::Hot}}},
  };
  for (const TStates& G : Groups)
    for (const auto& [S, Fill] : G.States) {
      const bool Faceless = Fill == K::None && std::string(G.What).find("tool") != std::string::npos;
      auto Paint = G.Paint;
      const Byte St = S;
      Cases.push_back({std::string(G.What) + " state " + std::to_string(S),
                       [Paint, St](auto& T, auto& C, auto& R) { Paint(T, C, R, St); }, Fill,
                       Faceless ? K::None : K::Border});
    }
  return Cases;
}

class FlatThemeTest : public testing::TestWithParam<TPalette> {
 protected:
  void SetUp() override { Theme = GetParam().Make(); }
  std::unique_ptr<TVxFlatTheme> Theme;
};

INSTANTIATE_TEST_SUITE_P(BuiltIn, FlatThemeTest, testing::ValuesIn(Palettes),
                         [](const testing::TestParamInfo<TPalette>& I) { return std::string(I.param.Name); });

TEST_P(FlatThemeTest, EveryGroupPaintsItsStatesInTheThemeColours) {
  const TRect R{4, 3, 30, 21};
  for (const TFaceCase& Case : FaceCases()) {
    TPaintTarget T(34, 24);
    Case.Paint(*Theme, *T.Canvas, R);
    EXPECT_TRUE(
        PixelsAre(T, Framed(Shrunk(R, Case.Inset), Resolve(Case.Fill, GetParam()), Resolve(Case.Frame, GetParam()))))
        << Case.What;
  }
}

// The status panel's frame is its face darkened by 40; the tool bar has a bevel around a face
// lightened by 10.
TEST_P(FlatThemeTest, StatusPanelAndToolBarShadeTheFace) {
  const TRect R{2, 2, 30, 20};
  TPaintTarget Panel(32, 22);
  Theme->DrawStatusPanel(0, *Panel.Canvas, "default", State(R, 0));
  EXPECT_TRUE(PixelsAre(Panel, Framed(R, clBtnFace, Lighter(clBtnFace, -40))));

  TPaintTarget Bar(32, 22);
  Theme->DrawToolBar(0, *Bar.Canvas, "default", R);
  EXPECT_EQ(Bar.At(10, 10), Rgb(Lighter(clBtnFace, 10)));
  EXPECT_EQ(Bar.At(R.Left, 10), Rgb(Lighter(clBtnFace, 30)));
  EXPECT_EQ(Bar.At(10, R.Top), Rgb(Lighter(clBtnFace, 30)));
  EXPECT_EQ(Bar.At(R.Right - 1, 10), Rgb(Lighter(clBtnFace, -30)));
  EXPECT_EQ(Bar.At(10, R.Bottom - 1), Rgb(Lighter(clBtnFace, -30)));
}

// Checked boxes carry the check mark in Border, mixed ones a filled square, radio buttons a dot.
TEST_P(FlatThemeTest, CheckMarksMixedSquaresAndRadioDots) {
  const TPalette& P = GetParam();
  const TRect R{0, 0, 16, 16};
  const auto Count = [&](const TPaintTarget& T, TColor Color, const TRect& Within) {
    int N = 0;
    for (Integer Y = Within.Top; Y < Within.Bottom; ++Y)
      for (Integer X = Within.Left; X < Within.Right; ++X) N += T.At(X, Y) == Rgb(Color);
    return N;
  };
  const TRect Inside = Shrunk(R, 1);
  for (Byte S : {0, 1, 2, 3}) {
    TPaintTarget T(16, 16);
    Theme->DrawCheckBox(0, *T.Canvas, "default", State(R, S));
    // The check mark's centre: ((0 + 16) div 2 - 1, (0 + 16) div 2 + 1); its first line passes it.
    EXPECT_EQ(T.At(7, 9), Rgb(P.Border)) << "checked state " << int(S);
    EXPECT_GT(Count(T, P.Border, Inside), 10) << "checked state " << int(S);
  }
  TPaintTarget Mixed(16, 16);
  Theme->DrawCheckBox(0, *Mixed.Canvas, "default", State(R, 11));
  EXPECT_TRUE(PixelsAre(Mixed, [&](Integer X, Integer Y) {
    return Shrunk(R, 3).Contains(X, Y) || OnInnerEdge(R, X, Y) ? Rgb(P.Border) : Rgb(P.Hot);
  }));

  for (const auto& [S, Face, Dot] : std::vector<std::tuple<Byte, TColor, bool>>{
           {0, clBtnFace, true}, {5, clBtnFace, false}, {6, P.Hot, false}, {7, P.Pressed, false}, {1, P.Hot, true}}) {
    TPaintTarget T(16, 16);
    Theme->DrawCheckBox(1, *T.Canvas, "default", State(R, S));
    EXPECT_EQ(T.At(8, 8), Rgb(Dot ? P.Border : Face)) << "radio state " << int(S);
    EXPECT_EQ(T.At(8, 2), Rgb(Face)) << "radio state " << int(S);
    EXPECT_EQ(T.At(8, 0), Rgb(P.Border)) << "radio state " << int(S);
    EXPECT_EQ(T.At(0, 0), WhiteRgb) << "radio corner " << int(S);
  }

  // The list-box check: a 13 x 13 box centred in the rectangle.
  TPaintTarget List(21, 21);
  TvxCheckGlyphInfo Glyph{{0, 0, 21, 21}, 0, nullptr, 2};
  Theme->DrawListBoxCheck(0, *List.Canvas, "default", Glyph, State({}, 1));
  EXPECT_TRUE(PixelsAre(List, [&](Integer X, Integer Y) {
    const TRect B{4, 4, 17, 17};
    if (!B.Contains(X, Y)) return WhiteRgb;
    return Shrunk(B, 3).Contains(X, Y) || OnInnerEdge(B, X, Y) ? Rgb(P.Border) : Rgb(P.Hot);
  }));
}

// A spin button's arrows are in Border over the face; the default button's kind 2 dot is red.
TEST_P(FlatThemeTest, ButtonKindsAddArrowsAndTheRedDot) {
  const TPalette& P = GetParam();
  const TRect R{0, 0, 17, 17};
  TPaintTarget Dot(17, 17);
  Theme->DrawButton(2, *Dot.Canvas, "default", State(R, 0));
  EXPECT_EQ(Dot.At(8, 8), Rgb(clRed));
  EXPECT_EQ(Dot.At(3, 8), Rgb(clBtnFace));
  for (Byte Kind : {4, 5, 6, 7}) {
    TPaintTarget T(17, 17);
    Theme->DrawButton(Kind, *T.Canvas, "default", State(R, 0));
    int Glyph = 0;
    for (Integer Y = 1; Y < 16; ++Y)
      for (Integer X = 1; X < 16; ++X) Glyph += T.At(X, Y) == Rgb(P.Border);
    EXPECT_GT(Glyph, 3) << "arrow of kind " << int(Kind);
  }
  TPaintTarget Beyond(17, 17);
  Theme->DrawButton(10, *Beyond.Canvas, "default", State(R, 1));
  EXPECT_TRUE(PixelsAre(Beyond, [](Integer, Integer) { return WhiteRgb; }));
}

// The selected tab leaves its edge toward the pane unframed; what is drawn after it is not
// clipped by that.
TEST_P(FlatThemeTest, SelectedTabOpensTowardThePane) {
  const TPalette& P = GetParam();
  const TRect R{2, 2, 30, 20};
  struct TOpen {
    Byte Position;
    TRect Edge;
  };
  const TOpen Cases[] = {{1, {2, 19, 30, 20}}, {4, {29, 2, 30, 20}}, {7, {2, 2, 3, 20}}, {10, {2, 2, 30, 3}}};
  for (const TOpen& C : Cases) {
    TPaintTarget T(32, 22);
    Theme->DrawTab(0, *T.Canvas, "default", State(R, C.Position, 3));
    EXPECT_TRUE(PixelsAre(T,
                          [&](Integer X, Integer Y) {
                            const bool Corner = OnInnerEdge(R, X, Y) && !C.Edge.Contains(X, Y);
                            return Corner ? Rgb(P.Border) : R.Contains(X, Y) ? Rgb(clBtnFace) : WhiteRgb;
                          }))
        << "position " << int(C.Position);
    FillRectColor(T.Canvas->Handle(), R, clRed);
    EXPECT_EQ(T.At((C.Edge.Left + C.Edge.Right) / 2, (C.Edge.Top + C.Edge.Bottom) / 2), Rgb(clRed))
        << "position " << int(C.Position);
  }
}

// Header text follows a dragged section up and left by a pixel; tab text turns on side tabs.
TEST_P(FlatThemeTest, TextFollowsDraggedSectionsAndSideTabs) {
  TvxTextInfo Text;
  Text.Rect = {4, 4, 60, 60};
  Text.Text = L"Tab";
  struct TCase {
    const char* What;
    std::function<void(TCanvas&)> Themed;
    TvxTextInfo Expected;
  };
  TvxTextInfo Shifted = Text, Clockwise = Text, CounterClockwise = Text;
  Shifted.Rect = Text.Rect.Offset(-1, -1);
  Clockwise.Effect = 1;
  CounterClockwise.Effect = 2;
  TVxFlatTheme& T = *Theme;
  const TCase Cases[] = {
      {"dragged section", [&](TCanvas& C) { T.DrawHeaderSectionText(0, C, "default", Text, 4); }, Shifted},
      {"section", [&](TCanvas& C) { T.DrawHeaderSectionText(0, C, "default", Text, 3); }, Text},
      {"left tab", [&](TCanvas& C) { T.DrawTabText(0, C, "default", Text, State({}, 4, 0)); }, CounterClockwise},
      {"right tab", [&](TCanvas& C) { T.DrawTabText(0, C, "default", Text, State({}, 7, 0)); }, Clockwise},
      {"top tab", [&](TCanvas& C) { T.DrawTabText(0, C, "default", Text, State({}, 1, 0)); }, Text},
  };
  for (const TCase& C : Cases) {
    TPaintTarget Got(64, 64), Want(64, 64);
    C.Themed(*Got.Canvas);
    T.DrawText(*Want.Canvas, C.Expected);
    Integer Ink = 0;
    for (Integer Y = 0; Y < 64; ++Y)
      for (Integer X = 0; X < 64; ++X) Ink += Want.At(X, Y) != WhiteRgb;
    ASSERT_GT(Ink, 10) << C.What;
    EXPECT_TRUE(PixelsAre(Got, [&](Integer X, Integer Y) { return Want.At(X, Y); })) << C.What;
  }
}

// Tool-bar separators are a one-pixel grey line 5 pixels in; chevrons, the menu bar's window
// buttons and the popup's scroll arrows are glyphs.
TEST_P(FlatThemeTest, ToolSeparatorsAndGlyphParts) {
  const TPalette& P = GetParam();
  TPaintTarget Sep(12, 24);
  Theme->DrawToolBarItem(0, *Sep.Canvas, "default", State({0, 0, 10, 24}, 1, 0));
  EXPECT_TRUE(PixelsAre(Sep, [](Integer X, Integer Y) { return X == 5 && Y >= 5 && Y < 19 ? Rgb(clGray) : WhiteRgb; }));

  const auto InkOf = [](const TPaintTarget& T, TColor Color) {
    Integer N = 0;
    for (Integer Y = 0; Y < T.Bitmap.Height(); ++Y)
      for (Integer X = 0; X < T.Bitmap.Width(); ++X) N += T.At(X, Y) == Rgb(Color);
    return N;
  };
  struct TGlyph {
    const char* What;
    TPaint Paint;
    TColor Ink;
    bool FramedInInk = true;
  };
  const TGlyph Glyphs[] = {
      {"chevron", [](auto& T, auto& C, auto& R) { T.DrawToolBarItem(0, C, "default", State(R, 4, 0)); }, P.Border,
       false},
      {"bar minimize", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(0, C, "default", State(R, 7, 0)); }, clBlack},
      {"bar close", [](auto& T, auto& C, auto& R) { T.DrawMenuItem(0, C, "default", State(R, 9, 0)); }, clBlack},
      {"band close", [](auto& T, auto& C, auto& R) { T.DrawToolBarItem(0, C, "default", State(R, 12, 0)); }, clBlack},
      {"edit button arrow", [](auto& T, auto& C, auto& R) { T.DrawEditButton(0, C, "default", State(R, 0, 0)); },
       P.Border},
      {"header panel close",
       [](auto& T, auto& C, auto& R) { T.DrawHeaderPanelButton(0, C, "default", State(R, 3, 0)); }, P.Border},
      {"tab scroll right", [](auto& T, auto& C, auto& R) { T.DrawTabScrollButton(0, C, "default", State(R, 4, 0)); },
       P.Border},
      {"scroll arrow", [](auto& T, auto& C, auto& R) { T.DrawScrollBarPart(0, C, "default", State(R, 5, 0)); },
       P.Border},
      {"close title button",
       [](auto& T, auto& C, auto& R) {
         T.DrawFormButton(0, C, "default", TvxTitleButtonInfo{R, 1, 0, nullptr});
       },
       clBlack},
  };
  for (const TGlyph& G : Glyphs) {
    TPaintTarget T(22, 20);
    G.Paint(*Theme, *T.Canvas, {2, 2, 20, 18});
    // More than what a frame alone would give.
    const Integer Frame = G.Ink == P.Border && G.FramedInInk ? 2 * 18 + 2 * 14 : 0;
    EXPECT_GT(InkOf(T, G.Ink), Frame + 3) << G.What;
  }
}

// The group box frame is left out under the caption.
TEST_P(FlatThemeTest, GroupBoxFrameGoesAroundTheCaption) {
  const TPalette& P = GetParam();
  TPaintTarget T(60, 40);
  TvxGroupBoxInfo Info{{0, 5, 60, 40}, {8, 0, 40, 12}, 0};
  Theme->DrawGroupBox(0, *T.Canvas, "default", Info);
  EXPECT_EQ(T.At(20, 5), WhiteRgb);
  EXPECT_EQ(T.At(50, 5), Rgb(P.Border));
  EXPECT_EQ(T.At(0, 20), Rgb(P.Border));
  EXPECT_EQ(T.At(30, 20), WhiteRgb);
  EXPECT_EQ(T.At(0, 5), WhiteRgb);  // a round corner
  // The clip is restored: a later fill reaches under the caption.
  FillRectColor(T.Canvas->Handle(), {0, 0, 60, 40}, clRed);
  EXPECT_EQ(T.At(20, 5), Rgb(clRed));
}

// Popup menus: white with a column of ButtonNormal (MenuGutter + 2 wide) and a grey frame; the
// items leave a MenuGutter-wide column; separators start MenuGutter + 2 + 5 right of the item.
TEST_P(FlatThemeTest, PopupMenuImageColumn) {
  const TPalette& P = GetParam();
  EXPECT_EQ(Theme->MenuGutter(), P.Gutter);
  const TRect R{0, 0, 80, 30};
  TPaintTarget Menu(80, 30);
  Theme->DrawMenu(1, *Menu.Canvas, "default", R);
  EXPECT_TRUE(PixelsAre(Menu, [&](Integer X, Integer Y) {
    if (OnInnerEdge(R, X, Y)) return Rgb(clGray);
    return X < P.Gutter + 2 ? Rgb(clBtnFace) : WhiteRgb;
  }));

  const TRect Item{0, 0, 80, 20};
  TPaintTarget Normal(80, 20);
  Normal.Bitmap.Fill(0xFF000000);  // black: the item must cover all of it
  Theme->DrawMenuItem(1, *Normal.Canvas, "default", State(Item, 0, 0));
  EXPECT_TRUE(PixelsAre(Normal, [&](Integer X, Integer) { return X < P.Gutter ? Rgb(clBtnFace) : WhiteRgb; }));

  // A 9-pixel separator: deflated by 4 vertically leaves the one row 4.
  const TRect Sep{0, 0, 80, 9};
  TPaintTarget Line(80, 9);
  Theme->DrawMenuItem(1, *Line.Canvas, "default", State(Sep, 1, 0));
  const Integer Start = P.Gutter + 2 + 5;
  EXPECT_TRUE(PixelsAre(Line, [&](Integer X, Integer Y) {
    if (Y == 4 && X >= Start && X < 80 - 5) return Rgb(clGray);
    return X < P.Gutter ? Rgb(clBtnFace) : WhiteRgb;
  }));
  // An even height leaves no line at all.
  TPaintTarget Even(80, 8);
  Theme->DrawMenuItem(1, *Even.Canvas, "default", State({0, 0, 80, 8}, 1, 0));
  EXPECT_TRUE(PixelsAre(Even, [&](Integer X, Integer) { return X < P.Gutter ? Rgb(clBtnFace) : WhiteRgb; }));

  // Scroll parts: a grey arrow, and a grey frame when hot.
  TPaintTarget Scroll(80, 16);
  Theme->DrawMenuItem(1, *Scroll.Canvas, "default", State({0, 0, 80, 16}, 3, 1));
  EXPECT_EQ(Scroll.At(40, 0), Rgb(clGray));
  EXPECT_EQ(Scroll.At(79, 8), Rgb(clGray));
  int Arrow = 0;
  for (Integer Y = 1; Y < 15; ++Y)
    for (Integer X = 33; X < 47; ++X) Arrow += Scroll.At(X, Y) == Rgb(clGray);
  EXPECT_GT(Arrow, 3);
}

// Menu glyphs: the check mark on a framed hot square, the black radio dot, and an image whose
// hot look stands on a grey shadow, leaving the caller's image untouched.
TEST_P(FlatThemeTest, MenuGlyphs) {
  const TPalette& P = GetParam();
  const TRect R{0, 0, 20, 20};
  TPaintTarget Check(20, 20);
  Check.Canvas->Font().SetColor(clBlack);
  Theme->DrawMenuItemGlyph(1, *Check.Canvas, "default", TvxMenuGlyphInfo{R, nullptr, 0, 0}, 0);
  EXPECT_EQ(Check.At(1, 10), Rgb(P.Border));
  EXPECT_EQ(Check.At(3, 3), Rgb(P.Hot));
  EXPECT_EQ(Check.At(0, 0), WhiteRgb);
  // The figure's centre: ((2 + 18) div 2 - 2, (2 + 18) div 2 + 1) of the 16 x 16 box.
  EXPECT_EQ(Check.At(8, 11), Rgb(clBlack));

  TPaintTarget Radio(20, 20);
  Theme->DrawMenuItemGlyph(1, *Radio.Canvas, "default", TvxMenuGlyphInfo{R, nullptr, 0, 1}, 0);
  EXPECT_EQ(Radio.At(10, 10), Rgb(clBlack));
  EXPECT_EQ(Radio.At(5, 10), WhiteRgb);

  TvxBitmap Image;
  Image.SetSize(8, 8);
  Image.Fill(0x800000FF);  // half-transparent blue
  TPaintTarget Hot(20, 20);
  Theme->DrawMenuItemGlyph(1, *Hot.Canvas, "default", TvxMenuGlyphInfo{R, &Image, 0, 3}, 1);
  EXPECT_EQ(Image.GetPixel(3, 3), 0x800000FFu) << "the caller's image keeps its alpha";
  // Centred at (6, 6), moved to (5, 5): opaque blue there, the shadow 2 pixels further.
  EXPECT_EQ(Hot.At(5, 5), 0x0000FFu);
  EXPECT_EQ(Hot.At(12, 12), 0x0000FFu);
  EXPECT_NE(Hot.At(14, 14), WhiteRgb) << "the shadow";
  EXPECT_EQ(Hot.At(4, 4), WhiteRgb);

  TPaintTarget Plain(20, 20);
  Image.Fill(0xFF0000FF);
  Theme->DrawMenuItemGlyph(1, *Plain.Canvas, "default", TvxMenuGlyphInfo{R, &Image, 0, 3}, 0);
  EXPECT_EQ(Plain.At(6, 6), 0x0000FFu);
  EXPECT_EQ(Plain.At(13, 13), 0x0000FFu);
  EXPECT_EQ(Plain.At(14, 14), WhiteRgb);
  EXPECT_EQ(Plain.At(5, 5), WhiteRgb);
}

TEST_P(FlatThemeTest, ClientRectangles) {
  const TRect R{10, 20, 110, 80};
  struct TClient {
    const char* What;
    std::function<TRect()> Get;
    TRect Expected;
  };
  TVxFlatTheme& T = *Theme;
  const auto Out = [](auto Fn) {
    return [Fn] {
      TRect C;
      Fn(C);
      return C;
    };
  };
  const TClient Cases[] = {
      {"panel", Out([&](TRect& C) { T.GetPanelClientRect(0, R, C, "default"); }), {12, 22, 108, 78}},
      {"group box", Out([&](TRect& C) { T.GetGroupBoxClientRect(0, R, C, "default"); }), {16, 26, 104, 74}},
      {"status bar", Out([&](TRect& C) { T.GetStatusBarClientRect(0, R, C, "default"); }), {15, 22, 105, 78}},
      {"edit", Out([&](TRect& C) { T.GetEditClientRect(0, R, C, "default"); }), {14, 24, 106, 76}},
      {"edit frame", Out([&](TRect& C) { T.GetEditFrameClientRect(R, C); }), R},
      {"box", Out([&](TRect& C) { T.GetBoxClientRect(R, C); }), {12, 22, 108, 78}},
      {"scroll box", Out([&](TRect& C) { T.GetScrollBoxClientRect(R, C); }), {12, 22, 108, 78}},
      {"menu", Out([&](TRect& C) { T.GetMenuClientRect(1, R, C, "default"); }), {12, 22, 108, 78}},
      {"control bar", Out([&](TRect& C) { T.GetControlBarClientRect(0, R, C, "default"); }), R},
      {"tool bar", Out([&](TRect& C) { T.GetToolBarClientRect(0, R, C, "default"); }), {21, 22, 108, 78}},
      {"header panel", Out([&](TRect& C) { T.GetHeaderPanelClientRect(R, C); }), {12, 22, 108, 78}},
      {"tabs", Out([&](TRect& C) { T.GetTabClientRect(0, R, C, "default"); }), R},
      {"list box", Out([&](TRect& C) { T.GetListBoxClientRect(0, R, C, "default"); }), {12, 22, 108, 78}},
      {"tree", Out([&](TRect& C) { T.GetTreeClientRect(0, R, C); }), {12, 22, 108, 78}},
      {"grid", Out([&](TRect& C) { T.GetGridClientRect(0, R, C, "default"); }), {12, 22, 108, 78}},
  };
  for (const TClient& C : Cases) EXPECT_EQ(C.Get(), C.Expected) << C.What;
}

// Which groups the theme draws, and which let their parent show through.
TEST_P(FlatThemeTest, DefinedAndTransparentAnswers) {
  TVxFlatTheme& T = *Theme;
  const bool OfficeXP = std::string(GetParam().Name) == "OfficeXP";
  for (Byte Kind : {0, 1, 2, 4, 6}) EXPECT_EQ(T.IsFormDefined(Kind, "x"), !OfficeXP) << int(Kind);
  EXPECT_FALSE(T.IsHintDefined());
  EXPECT_TRUE(T.IsScrollBarDefined(0, "default"));
  EXPECT_FALSE(T.IsScrollBarDefined(1, "default"));
  for (Byte Kind : {0, 1, 7}) {
    EXPECT_TRUE(T.IsLabelDefined(Kind, "x") && T.IsPanelDefined(Kind, "x") && T.IsButtonDefined(Kind, "x") &&
                T.IsCheckBoxDefined(Kind, "x") && T.IsSplitterDefined(Kind) && T.IsProgressBarDefined(Kind, "x") &&
                T.IsTrackBarDefined(Kind, "x") && T.IsHeaderDefined(Kind, "x") && T.IsStatusBarDefined(Kind, "x") &&
                T.IsEditDefined(Kind, "x") && T.IsGroupBoxDefined(Kind, "x") && T.IsEditFrameDefined(Kind) &&
                T.IsBoxDefined(Kind) && T.IsMenuDefined(Kind, "x") && T.IsControlBarDefined(Kind, "x") &&
                T.IsToolBarDefined(Kind, "x") && T.IsScrollBoxDefined(Kind, "x") && T.IsHeaderPanelDefined(Kind, "x") &&
                T.IsTabDefined(Kind, "x") && T.IsListBoxDefined(Kind, "x") && T.IsTreeDefined(Kind) &&
                T.IsGridDefined(Kind, "x"))
        << int(Kind);
    EXPECT_TRUE(T.IsLabelTransparent(Kind, "x") && T.IsButtonTransparent(Kind, "x") &&
                T.IsCheckBoxTransparent(Kind, "x") && T.IsGroupBoxTransparent(Kind, "x") &&
                T.IsTrackBarTransparent(Kind, "x"))
        << int(Kind);
    EXPECT_FALSE(T.IsPanelTransparent(Kind, "x") || T.IsSplitterTransparent(Kind) ||
                 T.IsScrollBarTransparent(Kind, "x") || T.IsProgressBarTransparent(Kind, "x") ||
                 T.IsHeaderTransparent(Kind, "x") || T.IsStatusBarTransparent(Kind, "x") ||
                 T.IsEditTransparent(Kind, "x") || T.IsEditFrameTransparent(Kind) || T.IsBoxTransparent(Kind) ||
                 T.IsMenuTransparent(Kind, "x") || T.IsHeaderPanelTransparent(Kind, "x") ||
                 T.IsTabTransparent(Kind, "x") || T.IsListBoxTransparent(Kind, "x") || T.IsTreeTransparent(Kind) ||
                 T.IsGridTransparent(Kind, "x"))
        << int(Kind);
  }
}

TEST_P(FlatThemeTest, BuiltInAndNotFileBased) {
  const TvxThemeClass& Class = Theme->ThemeClass();
  EXPECT_EQ(Class.GetThemeName(), GetParam().Name);
  const TvxThemeConfig Info = Class.GetFileInfo();
  EXPECT_TRUE(Info.Builtin);
  EXPECT_FALSE(Info.Streamable);
  EXPECT_FALSE(Info.FileBased);
  EXPECT_EQ(Info.Filter, "");
  EXPECT_EQ(Info.Extension, "");
  // Nothing to add to an open dialog's filter.
  std::string Filter;
  GetThemeFilter(Filter);
  EXPECT_EQ(Filter.find("Flat"), std::string::npos);
  EXPECT_EQ(Filter.find("OfficeXP"), std::string::npos);
  TMemoryStream S;
  EXPECT_FALSE(Theme->SaveToStream(S));
  EXPECT_EQ(S.Size(), 0);
}

TEST_P(FlatThemeTest, DefaultTablesAndShiftsThatDoNotPileUp) {
  const TPalette& P = GetParam();
  const bool OfficeXP = std::string(P.Name) == "OfficeXP";
  TvxThemeColors& C = Theme->Colors();
  EXPECT_EQ(C.Color(vxcBorder), P.Border);
  EXPECT_EQ(C.Color(vxcButtonHot), P.Hot);
  EXPECT_EQ(C.Color(vxcButtonPressed), P.Pressed);
  EXPECT_EQ(C.Color(vxcButtonFocused), P.Pressed);
  EXPECT_EQ(C.Color(vxcCaptionNormal), P.Caption);
  EXPECT_EQ(C.Color(vxcEditSelection), TColor(0xB59285));
  EXPECT_EQ(C.Color(vxcButtonNormal), clBtnFace);
  EXPECT_EQ(C.Color(vxcWindowBorder), TColor(0x808080));
  EXPECT_EQ(C.Color(vxcList), TColor(0xFFFFFF));

  struct TFontRow {
    Integer Index;
    Integer Size;
    TColor Color;
    bool Bold;
  };
  std::vector<TFontRow> Rows = {
      {0, 10, OfficeXP ? clWhite : clBlack, true},
      {1, 10, OfficeXP ? clSilver : clGray, true},
      {2, 8, clWhite, true},
      {3, 8, clSilver, true},
      {10, 8, clBlack, false},
      {31, 8, clBlack, false},
      {48, 8, clBlack, false},
      {14, 8, clGray, false},
      {32, 8, clGray, false},
      {37, 8, clGray, false},
      {41, 8, clGray, false},
      {65, 8, clGray, false},
      {33, 8, clWhite, false},
  };
  if (!OfficeXP) Rows.push_back({4, 8, clBlack, false});
  for (const TFontRow& Row : Rows) {
    const TFont& F = Theme->Fonts().Font(Row.Index);
    EXPECT_EQ(F.Name(), "Tahoma") << Row.Index;
    EXPECT_EQ(F.Size(), Row.Size) << Row.Index;
    EXPECT_EQ(F.Color(), Row.Color) << Row.Index;
    EXPECT_EQ(F.Style().Contains(TFontStyle::fsBold), Row.Bold) << Row.Index;
  }

  // The entries the themes leave alone keep what the base theme put there.
  TvxTheme Base;
  // (Compared as RGB: the base theme fixes system colours to their values when it shifts by 0.)
  EXPECT_EQ(ColorToRGB(C.Color(vxcHint)), ColorToRGB(Base.Colors().Color(vxcHint)));
  EXPECT_EQ(ColorToRGB(C.Color(vxcBarDock)), ColorToRGB(Base.Colors().Color(vxcBarDock)));
  for (Integer Index : {8, 9, 34, 40, 49, 64}) {
    EXPECT_EQ(ColorToRGB(Theme->Fonts().Font(Index).Color()), ColorToRGB(Base.Fonts().Font(Index).Color())) << Index;
    EXPECT_EQ(Theme->Fonts().Font(Index).Size(), Base.Fonts().Font(Index).Size()) << Index;
  }
  // Hint and BarDock are not the themes' own: a value set there survives a reset.
  C.SetColor(vxcHint, 0x123456);
  Theme->ResetDefaults();
  EXPECT_EQ(C.Color(vxcHint), TColor(0x123456));
  // Shifting twice by the same amount gives what shifting once gives.
  Theme->SetDeltaHue(60);
  const TColor Once = C.Color(vxcButtonHot), OnceHint = C.Color(vxcHint);
  const TColor OnceFont = Theme->Fonts().Font(0).Color();
  EXPECT_NE(Once, P.Hot);
  Theme->SetDeltaHue(60);
  EXPECT_EQ(C.Color(vxcButtonHot), Once);
  EXPECT_EQ(C.Color(vxcHint), OnceHint);
  EXPECT_EQ(Theme->Fonts().Font(0).Color(), OnceFont);
  Theme->SetDeltaHue(0);
  EXPECT_EQ(C.Color(vxcButtonHot), P.Hot);
}

// [Window frames] Only the flat theme draws them; the geometry is the same in both.

class FlatFormTest : public testing::Test {
 protected:
  TVxFlatTheme Theme;
  static TvxWindowInfo Window(uint16_t Buttons, bool Active = true) {
    TvxWindowInfo Info;
    Info.Rect = {0, 0, 300, 200};
    Info.Buttons = Buttons;
    Info.Active = Active;
    return Info;
  }
  TRect Client(TvxWindowKind Kind) {
    TRect R;
    Theme.GetFormClientRect(Kind, Window(0), R, "default");
    return R;
  }
  TRect Caption(TvxWindowKind Kind) {
    TRect R;
    Theme.GetFormCaptionRect(Kind, Window(0), R, "default");
    return R;
  }
  TRect Button(uint16_t Buttons, TvxTitleButton B, TvxWindowKind Kind = 0) {
    TRect R;
    Theme.GetFormButtonRect(Kind, Window(Buttons), R, "default", B);
    return R;
  }
};

constexpr uint16_t Bit(int N) { return uint16_t(1u << N); }

TEST_F(FlatFormTest, ClientAndCaptionPerKind) {
  struct TKind {
    TvxWindowKind Kind;
    TRect Client;
    TRect Caption;
  };
  const TKind Kinds[] = {
      {0, {3, 23, 297, 197}, {3, 3, 297, 23}}, {1, {3, 23, 297, 197}, {3, 3, 297, 23}},
      {2, {3, 3, 297, 197}, {3, 3, 297, 3}},   {6, {3, 19, 297, 197}, {3, 3, 297, 19}},
      {4, {0, 0, 300, 200}, {0, 3, 300, 0}},   {3, {0, 0, 300, 200}, {0, 3, 300, 0}},
  };
  for (const TKind& K : Kinds) {
    EXPECT_EQ(Client(K.Kind), K.Client) << int(K.Kind);
    EXPECT_EQ(Caption(K.Kind), K.Caption) << int(K.Kind);
    EXPECT_EQ(Theme.GetFormRegion(K.Kind, {0, 0, 300, 200}, "default"), nullptr);
  }
  EXPECT_TRUE(Caption(4).IsEmpty());
}

TEST_F(FlatFormTest, TitleButtonsStandRightToLeft) {
  const TRect R0{275, 3, 297, 23};
  const auto Left = [&](Integer Slots) { return R0.Offset(-24 * Slots, 0); };
  const uint16_t Close = Bit(1), Max = Bit(5), Min = Bit(3), RollDown = Bit(8), Tray = Bit(9), Help = Bit(2);
  const uint16_t All = Close | Max | Min | RollDown | Tray | Help;
  struct TCase {
    uint16_t Buttons;
    TvxTitleButton Button;
    TRect Expected;
  };
  const TCase Cases[] = {
      {Close, 1, R0},
      {Close | Max, 5, Left(1)},
      {Max, 5, R0},
      {Close | Bit(6), 6, Left(1)},
      {Close | Max | Min, 3, Left(2)},  // 48 pixels left
      {Close | Min, 3, Left(1)},
      {Close | Bit(4) | Bit(6), 4, Left(2)},
      {All, 8, Left(3)},
      {All, 9, Left(4)},
      {All, 2, Left(5)},  // 120 pixels left of close
      {Close | Help, 2, Left(1)},
      {Bit(7) | Help, 2, Left(1)},
      {Bit(0), 0, {3, 4, 25, 22}},
      {Close, 5, {}},  // not shown
      {All, 3 + 0, Left(2)},
      {uint16_t(0xFFFF), 10, {}},
      {uint16_t(0xFFFF), 11, {}},
      {uint16_t(0xFFFF), 12, {}},
  };
  for (const TCase& C : Cases)
    EXPECT_EQ(Button(C.Buttons, C.Button), C.Expected) << "buttons " << C.Buttons << ", button " << int(C.Button);
  EXPECT_EQ(Button(All, 1).Left - Button(All, 2).Left, 120);
  // A tool window's buttons are as high as its caption.
  EXPECT_EQ(Button(Close, 1, 6), (TRect{275, 3, 297, 19}));
  // Hit testing follows the flat rectangles.
  EXPECT_EQ(Theme.FormHitTest(0, Window(Close), "default", 280, 10), 11);
  EXPECT_EQ(Theme.FormHitTest(0, Window(Close), "default", 100, 10), 1);
  EXPECT_EQ(Theme.FormHitTest(0, Window(Close), "default", 1, 100), 2);
}

TEST_F(FlatFormTest, BorderRingsAndCaption) {
  const TColor Border = 0x8396A0;
  for (const auto& [Kind, Active] : std::vector<std::pair<TvxWindowKind, bool>>{{0, true}, {0, false}, {4, true}}) {
    TPaintTarget T(60, 40);
    TvxWindowInfo Info = Window(0, Active);
    Info.Rect = {0, 0, 60, 40};
    Theme.DrawFormBorder(Kind, *T.Canvas, "default", Info);
    const TRect Caption{3, 3, 57, 23};
    EXPECT_TRUE(PixelsAre(T,
                          [&](Integer X, Integer Y) {
                            const TRect W{0, 0, 60, 40};
                            if (OnInnerEdge(W, X, Y)) return Rgb(Border);
                            if (OnInnerEdge(Shrunk(W, 1), X, Y) || OnInnerEdge(Shrunk(W, 2), X, Y))
                              return Rgb(clBtnFace);
                            if (Kind == 0 && OnInnerEdge(Caption, X, Y)) return Rgb(Border);
                            if (Kind == 0 && Caption.Contains(X, Y)) return Rgb(Active ? TColor(0x9CDEF7) : clBtnFace);
                            return WhiteRgb;
                          }))
        << "kind " << int(Kind) << (Active ? " active" : " inactive");
  }
}

TEST_F(FlatFormTest, TitleButtonFacesAndEmptyRects) {
  const TColor Border = 0x8396A0, Hot = 0xE1EAEB;
  const TRect R{2, 2, 24, 22};
  for (const auto& [State, Face, Light, Dark] : std::vector<std::tuple<Byte, TColor, Integer, Integer>>{
           {0, clBtnFace, 0, 0}, {1, Hot, 100, -100}, {2, clBtnFace, -100, 100}}) {
    TPaintTarget T(26, 24);
    // Roll up (button 7): a black triangle in the middle, bevel and frame outside.
    Theme.DrawFormButton(0, *T.Canvas, "default", TvxTitleButtonInfo{R, 7, State, nullptr});
    EXPECT_EQ(T.At(2, 10), Rgb(Border)) << int(State);
    const TvxColor Inner = T.At(3, 10), InnerRight = T.At(22, 10);
    if (State == 0) {
      EXPECT_EQ(Inner, Rgb(Face));
      EXPECT_EQ(InnerRight, Rgb(Face));
    } else {
      EXPECT_EQ(Inner, Rgb(Lighter(Face, Light))) << int(State);
      EXPECT_EQ(InnerRight, Rgb(Lighter(Face, Dark))) << int(State);
    }
    EXPECT_EQ(T.At(12, 5), Rgb(Face)) << int(State);
    // The triangle: rectangle (7, 9, 19, 15), moved up-left when pressed; its base row.
    const Integer Shift = State == 2 ? -1 : 0;
    EXPECT_EQ(T.At(12 + Shift, 14 + Shift), Rgb(clBlack)) << int(State);
    EXPECT_EQ(T.At(7 + Shift + 1, 10 + Shift), Rgb(Face)) << int(State);
  }
  for (Byte Button : {0, 1, 9}) {
    TPaintTarget T(26, 24);
    Theme.DrawFormButton(0, *T.Canvas, "default", TvxTitleButtonInfo{{5, 5, 5, 20}, Button, 0, nullptr});
    Theme.DrawFormButton(0, *T.Canvas, "default", TvxTitleButtonInfo{{5, 5, 20, 4}, Button, 1, nullptr});
    EXPECT_TRUE(PixelsAre(T, [](Integer, Integer) { return WhiteRgb; })) << "empty, button " << int(Button);
  }
  TPaintTarget NoIcon(26, 24);
  Theme.DrawFormButton(0, *NoIcon.Canvas, "default", TvxTitleButtonInfo{R, 0, 1, nullptr});
  EXPECT_TRUE(PixelsAre(NoIcon, [](Integer, Integer) { return WhiteRgb; }));
  // Tray: a 3 x 3 black square at the bottom-right of the rectangle deflated by 3, moved by (1, 1).
  TPaintTarget Tray(26, 24);
  Theme.DrawFormButton(0, *Tray.Canvas, "default", TvxTitleButtonInfo{R, 9, 0, nullptr});
  EXPECT_EQ(Tray.At(19, 17), Rgb(clBlack));
  EXPECT_EQ(Tray.At(21, 19), Rgb(clBlack));
  EXPECT_EQ(Tray.At(18, 16), Rgb(clBtnFace));
}

// The caption text starts after the system-menu icon (20 pixels) or, on tool windows, 5 pixels
// in; it is in the caption font of the window's activity.
TEST_F(FlatFormTest, CaptionTextPlaceAndColour) {
  struct TCase {
    TvxWindowKind Kind;
    bool Active;
    Integer Indent;
    TColor Ink;
  };
  const TCase Cases[] = {{0, true, 20, clBlack}, {1, false, 20, clGray}, {6, true, 5, clBlack}, {2, true, 0, clBlack}};
  for (const TCase& C : Cases) {
    TPaintTarget T(200, 30);
    TvxWindowInfo Info = Window(0, C.Active);
    Info.Caption = L"Wide";
    const TRect R{10, 3, 190, 23};
    Theme.DrawFormCaptionText(C.Kind, *T.Canvas, "default", R, Info);
    Integer Left = 200, Ink = 0;
    for (Integer Y = 0; Y < 30; ++Y)
      for (Integer X = 0; X < 200; ++X)
        if (T.At(X, Y) != WhiteRgb) {
          Left = std::min(Left, X);
          Ink += T.At(X, Y) == Rgb(C.Ink);
          EXPECT_TRUE(R.Contains(X, Y)) << "kind " << int(C.Kind);
        }
    EXPECT_GE(Left, R.Left + C.Indent) << "kind " << int(C.Kind);
    EXPECT_LE(Left, R.Left + C.Indent + 3) << "kind " << int(C.Kind);
    EXPECT_GT(Ink, 10) << "kind " << int(C.Kind);
  }
}

// [Choosing a theme by name]

class ThemeBuildingTest : public testing::Test {
 protected:
  void SetUp() override { RemoveCurrentTheme(); }
  void TearDown() override { RemoveCurrentTheme(); }
};

TEST_F(ThemeBuildingTest, EngineChoosesTheBuiltInThemesByName) {
  TVxVexel Engine;
  Engine.SetThemeBuilding("Flat");
  ASSERT_NE(CurrentTheme(), nullptr);
  EXPECT_EQ(&CurrentTheme()->ThemeClass(), &TVxFlatTheme::StaticThemeClass());
  EXPECT_EQ(Engine.ThemeBuilding(), "Flat");
  EXPECT_TRUE(IsFormThemed(0, "default", nullptr));

  Engine.SetThemeBuilding("officexp");
  ASSERT_NE(CurrentTheme(), nullptr);
  EXPECT_EQ(&CurrentTheme()->ThemeClass(), &TVxOfficeXPTheme::StaticThemeClass());
  EXPECT_EQ(Engine.ThemeBuilding(), "OfficeXP");
  EXPECT_EQ(static_cast<TVxFlatTheme*>(CurrentTheme())->MenuGutter(), 21);
  // Forms keep the platform's frame; menus and controls are drawn by the theme.
  EXPECT_FALSE(IsFormThemed(0, "default", nullptr));
  EXPECT_TRUE(CurrentTheme()->IsMenuDefined(1, "default"));

  // The engine's shifts reach the chosen theme.
  Engine.SetDeltaHue(90);
  EXPECT_NE(CurrentTheme()->Colors().Color(vxcButtonHot), TColor(0xD2BDB6));

  // An unknown name keeps the current theme and says that no built-in theme is chosen.
  TvxTheme* Kept = CurrentTheme();
  Engine.SetThemeBuilding("Marble");
  EXPECT_EQ(CurrentTheme(), Kept);
  EXPECT_EQ(Engine.ThemeBuilding(), "No theme");
  Engine.SetThemeBuilding("");
  EXPECT_EQ(CurrentTheme(), Kept);

  // Someone else making a built-in theme current is followed.
  SetCurrentTheme(std::make_unique<TVxFlatTheme>());
  EXPECT_EQ(Engine.ThemeBuilding(), "Flat");
}

}  // namespace
