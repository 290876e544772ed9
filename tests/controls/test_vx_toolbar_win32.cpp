// The skinned tool bar and control bar: the tool bar's client rectangle, the order and sizes it
// gives its children in a row or a column, the control bar's insets and a band moved by the
// mouse, their classic looks and their looks through the sample skin, theme changes and form
// files.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_controlbar.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_engine.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

// A windowless child of a fixed size in one colour: a control the tool bar only places.
class TBlock : public TVxGraphicControl {
 public:
  using TVxGraphicControl::TVxGraphicControl;
  TColor Face = clBlue;

 protected:
  void PaintClient() override { FillRectColor(Canvas()->Handle(), Rect(0, 0, Width(), Height()), Face); }
};

// A windowless child that shows its parent through itself, and notes whether it was ever painted
// into its own background.
class TSeeThroughBlock : public TVxGraphicControl {
 public:
  using TVxGraphicControl::TVxGraphicControl;
  int Paints = 0;
  int PaintsIntoOwnBackground = 0;

 protected:
  void PaintClient() override {
    ++Paints;
    if (ControlState().Contains(TControlStateFlag::csPaintCopy)) ++PaintsIntoOwnBackground;
    DrawParentImage(this, Canvas()->Handle());
  }
};

// A theme that paints tool bars with a client rectangle of its own: (5, 3) from the top left and
// (4, 4) from the bottom right. It paints those of every object, or only those of Only.
class TInsetTheme : public TvxTheme {
 public:
  explicit TInsetTheme(std::string OnlyObject = "") : Only(std::move(OnlyObject)) {}
  bool IsToolBarDefined(Byte, const std::string& Name) override { return Only.empty() || Name == Only; }
  void GetToolBarClientRect(Byte, const TRect& R, TRect& Client, const std::string&) override {
    Client = Rect(R.Left + 5, R.Top + 3, R.Right - 4, R.Bottom - 4);
  }
  std::string Only;
};

class ToolBarTest : public ShownFormTest {
 protected:
  TVxControlBar* AddControlBar(Integer W = 380) { return Add<TVxControlBar>(Shown, Bounds(0, 0, W, 60)); }
  TBlock* AddBlock(TWinControl* Parent, Integer Left, Integer W, Integer H = 10) {
    return Add<TBlock>(Parent, Bounds(Left, 0, W, H));
  }
  static TRect BoundsOf(const TControl* C) { return C->BoundsRect(); }
  // Pixels of Shot within Area (in Shot's coordinates) that differ from Reference at an offset.
  static int Differences(const Capture& Shot, const Capture& Reference, const TRect& Area, TPoint Offset = {0, 0},
                         const TRect& Skip = TRect()) {
    int N = 0;
    for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
      for (Integer X = Area.Left; X < Area.Right; ++X)
        if (!Skip.Contains(X, Y)) N += Shot.At(X, Y) != Reference.At(X + Offset.X, Y + Offset.Y);
    return N;
  }
  void Mouse(TWinControl* Target, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(Target->Handle(), Msg, Keys, Point(X, Y));
  }
};

// [Layout] ---------------------------------------------------------------------------------------

TEST_F(ToolBarTest, InsideAControlBarTheChildrenFillTheBarLessItsBorder) {
  TVxControlBar* Bar = AddControlBar();
  auto* Tools = Add<TVxToolBar>(Bar, Bounds(0, 0, 310, 29));
  // The border set after the size still leaves square automatic buttons.
  Tools->SetBorderWidth(2);
  EXPECT_EQ(Tools->ButtonWidth(), 25);
  auto* Button = Add<TVxSpeedButton>(Tools, Bounds(0, 0, 29, 29));
  auto* Divider = Add<TVxSpeedDivider>(Tools, Bounds(40, 0, 8, 29));
  auto* Chevron = Add<TVxSpeedButton>(Tools, Bounds(60, 0, 29, 29));
  Chevron->SetShowChevron(true);
  TBlock* Block = AddBlock(Tools, 200, 30);
  EXPECT_EQ(Tools->ClientRect(), Rect(2, 2, 308, 27));
  EXPECT_EQ(BoundsOf(Button), Bounds(2, 2, 25, 25));
  EXPECT_EQ(BoundsOf(Divider), Bounds(27, 2, 8, 25));
  EXPECT_EQ(BoundsOf(Chevron), Bounds(35, 2, 39, 25)) << "25 and the chevron's 14";
  EXPECT_EQ(BoundsOf(Block), Bounds(74, 2, 30, 25)) << "other controls keep their width";
  // The band around the bar: insets (11, 2, 2, 2).
  EXPECT_EQ(Tools->Left(), 11);
  EXPECT_EQ(Tools->Top(), 2);
  EXPECT_EQ(Bar->Height(), 33);

  // Out of the control bar and without a theme the grip takes room at the left.
  Tools->SetParent(Shown);
  EXPECT_EQ(Tools->ClientRect(), Rect(13, 4, 306, 25));
  EXPECT_EQ(BoundsOf(Button), Bounds(13, 4, 25, 21));
  EXPECT_EQ(BoundsOf(Divider), Bounds(38, 4, 8, 21));
  EXPECT_EQ(BoundsOf(Chevron), Bounds(46, 4, 39, 21));
  EXPECT_EQ(BoundsOf(Block), Bounds(85, 4, 30, 21));
  EXPECT_EQ(Bar->BandCount(), 0);

  // Without ButtonAutoSize buttons and dividers keep the widths they are given.
  Tools->SetButtonAutoSize(false);
  Button->SetWidth(40);
  Divider->SetWidth(3);
  EXPECT_EQ(BoundsOf(Button), Bounds(13, 4, 40, 21));
  EXPECT_EQ(BoundsOf(Divider), Bounds(53, 4, 3, 21));
  Tools->SetDividerWidth(10);
  EXPECT_EQ(Divider->Width(), 3);
  // Switched on again, they follow the bar.
  Tools->SetButtonAutoSize(true);
  EXPECT_EQ(BoundsOf(Button), Bounds(13, 4, 25, 21));
  EXPECT_EQ(BoundsOf(Divider), Bounds(38, 4, 10, 21));
}

TEST_F(ToolBarTest, ButtonWidthFollowsTheBarsThicknessOnlyWithButtonAutoSize) {
  auto* Tools = Add<TVxToolBar>(Shown, Bounds(0, 0, 200, 29));
  EXPECT_EQ(Tools->ButtonWidth(), 29) << "from the height at construction";
  Tools->SetBorderWidth(3);
  EXPECT_EQ(Tools->ButtonWidth(), 23);
  Tools->SetHeight(40);
  EXPECT_EQ(Tools->ButtonWidth(), 34);
  Tools->SetButtonAutoSize(false);
  Tools->SetButtonWidth(50);
  Tools->SetHeight(30);
  EXPECT_EQ(Tools->ButtonWidth(), 50);
  Tools->SetButtonAutoSize(true);
  EXPECT_EQ(Tools->ButtonWidth(), 24);
  // A bar thinner than its border leaves no negative width.
  Tools->SetHeight(4);
  EXPECT_EQ(Tools->ButtonWidth(), 0);
}

// Three children 30, 40 and 20 wide placed at the given left edges, in that (listed) order.
struct TOrderCase {
  const char* Name;
  std::vector<Integer> Lefts;
  std::vector<int> Order;  // indices, from the client rectangle's left edge
};

const TOrderCase OrderCases[] = {
    {"by left edge", {50, 20, 80}, {1, 0, 2}},
    {"already in order", {0, 100, 200}, {0, 1, 2}},
    {"a tie keeps the listed order", {40, 40, 10}, {2, 0, 1}},
    {"all at one place", {0, 0, 0}, {0, 1, 2}},
    {"far off to the left", {-500, 300, 100}, {0, 2, 1}},
};

TEST_F(ToolBarTest, ChildrenLineUpByTheirLeftEdges) {
  const Integer Widths[] = {30, 40, 20};
  for (const TOrderCase& Case : OrderCases) {
    SCOPED_TRACE(Case.Name);
    auto* Tools = new TVxToolBar(Owner.get());
    Tools->SetBounds(0, 0, 300, 29);
    std::vector<TBlock*> Blocks;
    // Placed before the bar has a parent: the bar lines them up when it first aligns.
    for (size_t I = 0; I < 3; ++I) {
      Blocks.push_back(new TBlock(Owner.get()));
      Blocks[I]->SetBounds(Case.Lefts[I], 0, Widths[I], 10);
    }
    Tools->DisableAlign();
    for (TBlock* B : Blocks) B->SetParent(Tools);
    Tools->SetParent(Shown);
    Tools->EnableAlign();
    Tools->Realign();
    Integer Left = 11;
    for (int I : Case.Order) {
      EXPECT_EQ(BoundsOf(Blocks[size_t(I)]), Bounds(Left, 2, Widths[I], 25)) << "child " << I;
      Left += Widths[I];
    }
    delete Tools;
  }
}

TEST_F(ToolBarTest, AChildMovedOntoAnothersPlaceTakesIt) {
  auto* Tools = Add<TVxToolBar>(Shown, Bounds(0, 0, 300, 29));
  TBlock* A = AddBlock(Tools, 0, 30);
  TBlock* B = AddBlock(Tools, 100, 40);
  TBlock* C = AddBlock(Tools, 200, 20);
  ASSERT_EQ(A->Left(), 11);
  ASSERT_EQ(B->Left(), 41);
  ASSERT_EQ(C->Left(), 81);
  // Onto A's place: before A, which it ties with.
  C->SetLeft(11);
  EXPECT_EQ(C->Left(), 11);
  EXPECT_EQ(A->Left(), 31);
  EXPECT_EQ(B->Left(), 61);
  // One pixel past B's left edge: after B.
  A->SetLeft(62);
  EXPECT_EQ(C->Left(), 11);
  EXPECT_EQ(B->Left(), 31);
  EXPECT_EQ(A->Left(), 71);
  // A new child joins where it is put; one that leaves makes room.
  TBlock* D = AddBlock(Tools, 31, 5);
  EXPECT_EQ(D->Left(), 31);
  EXPECT_EQ(B->Left(), 36);
  delete B;
  EXPECT_EQ(A->Left(), 36);
  D->Hide();
  EXPECT_EQ(A->Left(), 31);
}

TEST_F(ToolBarTest, ABarTallerThanWideAlignedLeftRunsTopToBottom) {
  struct {
    const char* Name;
    TRect Bounds;
    TAlign Align;
    bool Horizontal;
  } const Cases[] = {
      {"wide", Bounds(0, 0, 200, 29), TAlign::alNone, true},
      {"square", Bounds(0, 0, 40, 40), TAlign::alNone, true},
      {"tall", Bounds(0, 0, 40, 200), TAlign::alNone, false},
      {"tall, aligned left", Bounds(0, 0, 40, 200), TAlign::alLeft, false},
      // Stretched across the form it is still taller than wide.
      {"tall, aligned to the top", Bounds(0, 0, 20, 700), TAlign::alTop, true},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    auto* Tools = new TVxToolBar(Owner.get());
    Tools->SetBoundsRect(Case.Bounds);
    Tools->SetAlign(Case.Align);
    Tools->SetParent(Shown);
    // B lies right of and below A, C right of and below B.
    auto* A = Add<TBlock>(Tools, Bounds(0, 0, 30, 15));
    auto* B = Add<TBlock>(Tools, Bounds(40, 40, 30, 25));
    auto* C = Add<TVxSpeedButton>(Tools, Bounds(80, 80, 29, 29));
    EXPECT_EQ(Tools->Horizontal(), Case.Horizontal);
    const Integer W = Tools->Width(), H = Tools->Height();
    if (Case.Horizontal) {
      EXPECT_EQ(BoundsOf(A), Bounds(11, 2, 30, H - 4));
      EXPECT_EQ(BoundsOf(B), Bounds(41, 2, 30, H - 4));
      EXPECT_EQ(BoundsOf(C), Bounds(71, 2, H, H - 4));
      EXPECT_EQ(Tools->ButtonWidth(), H);
    } else {
      // Across the bar: the full client width; along it, each keeps its height.
      EXPECT_EQ(BoundsOf(A), Bounds(11, 2, W - 13, 15));
      EXPECT_EQ(BoundsOf(B), Bounds(11, 17, W - 13, 25));
      EXPECT_EQ(BoundsOf(C), Bounds(11, 42, W - 13, W)) << "a speed button is ButtonWidth high";
      EXPECT_EQ(Tools->ButtonWidth(), W);
    }
    delete Tools;
  }
}

// [Control bar] ----------------------------------------------------------------------------------

TEST_F(ToolBarTest, DraggingABandsGrabberBelowItsRowOpensANewRow) {
  TVxControlBar* Bar = AddControlBar();
  auto* First = Add<TVxToolBar>(Bar, Bounds(0, 0, 100, 29));
  auto* Second = Add<TVxToolBar>(Bar, Bounds(150, 0, 100, 29));
  // Bands 33 high: (0, 0, 113, 33) and (139, 0, 252, 33).
  ASSERT_EQ(BoundsOf(First), Bounds(11, 2, 100, 29));
  ASSERT_EQ(BoundsOf(Second), Bounds(150, 2, 100, 29));
  ASSERT_EQ(Bar->Height(), 33);
  Mouse(Bar, WM_LBUTTONDOWN, 144, 15, MK_LBUTTON);
  EXPECT_EQ(Bar->MovingControl(), Second);
  Mouse(Bar, WM_MOUSEMOVE, 100, 25, MK_LBUTTON);
  Mouse(Bar, WM_MOUSEMOVE, 5, 45, MK_LBUTTON);
  Mouse(Bar, WM_LBUTTONUP, 5, 45);
  EXPECT_EQ(Bar->MovingControl(), nullptr);
  EXPECT_EQ(BoundsOf(First), Bounds(11, 2, 100, 29));
  EXPECT_EQ(BoundsOf(Second), Bounds(11, 35, 100, 29));
  EXPECT_EQ(Bar->Height(), 66);
  ASSERT_EQ(Bar->BandCount(), 2);
  EXPECT_TRUE(Bar->Bands(1).Break);
  // Back up into the first row, right of the first band.
  Mouse(Bar, WM_LBUTTONDOWN, 5, 45, MK_LBUTTON);
  Mouse(Bar, WM_MOUSEMOVE, 205, 10, MK_LBUTTON);
  Mouse(Bar, WM_LBUTTONUP, 205, 10);
  EXPECT_EQ(BoundsOf(Second), Bounds(211, 2, 100, 29));
  EXPECT_EQ(Bar->Height(), 33);
}

TEST_F(ToolBarTest, BandInsetsAndGrabberWidthComeFromTheThemesToolBarRectangle) {
  TVxControlBar* Bar = AddControlBar();
  auto* Tools = Add<TVxToolBar>(Bar, Bounds(0, 0, 100, 29));
  ASSERT_EQ(Bar->BandCount(), 1);
  EXPECT_EQ(Bar->Bands(0).Insets, Rect(11, 2, 2, 2));
  EXPECT_EQ(BoundsOf(Tools), Bounds(11, 2, 100, 29));
  // The theme's rectangle of a 100 x 30 bar is (5, 3, 96, 26): insets (5, 3, 4, 4). The bands
  // are made again around their controls, which keep their left edges.
  SetCurrentTheme(std::make_unique<TInsetTheme>());
  EXPECT_TRUE(Bar->Themed());
  ASSERT_EQ(Bar->BandCount(), 1);
  EXPECT_EQ(Bar->Bands(0).Insets, Rect(5, 3, 4, 4));
  EXPECT_EQ(BoundsOf(Tools), Bounds(11, 3, 100, 29));
  EXPECT_EQ(Bar->Bands(0).BandRect(), Rect(6, 0, 115, 36));
  EXPECT_EQ(Bar->Height(), 36);
  RemoveCurrentTheme();
  EXPECT_FALSE(Bar->Themed());
  EXPECT_EQ(Bar->Bands(0).Insets, Rect(11, 2, 2, 2));
  EXPECT_EQ(BoundsOf(Tools), Bounds(11, 2, 100, 29));
  EXPECT_EQ(Bar->Height(), 33);
}

TEST_F(ToolBarTest, AToolBarOutsideAControlBarTakesTheThemesClientRectangle) {
  auto* Tools = Add<TVxToolBar>(Shown, Bounds(0, 0, 200, 29));
  Tools->SetBorderWidth(1);
  TBlock* A = AddBlock(Tools, 0, 30);
  EXPECT_EQ(BoundsOf(A), Bounds(12, 3, 30, 23));
  SetCurrentTheme(std::make_unique<TInsetTheme>());
  EXPECT_EQ(Tools->ClientRect(), Rect(6, 4, 195, 24));
  EXPECT_EQ(BoundsOf(A), Bounds(6, 4, 30, 20)) << "realigned when the theme came";
  RemoveCurrentTheme();
  EXPECT_EQ(BoundsOf(A), Bounds(12, 3, 30, 23));
  // A theme of one object only: the bar follows it once it names that object.
  SetCurrentTheme(std::make_unique<TInsetTheme>("tools"));
  EXPECT_EQ(BoundsOf(A), Bounds(12, 3, 30, 23));
  Tools->SetThemeObject("tools");
  EXPECT_EQ(BoundsOf(A), Bounds(6, 4, 30, 20));
}

// The control bar makes its bands again (the insets test shows it) and repaints at once; the
// tool bar repaints later, like the other controls.
TEST_F(ToolBarTest, ThemeChangeCodesRepaintTheBars) {
  TVxControlBar* Bar = AddControlBar();
  auto* Tools = Add<TVxToolBar>(Bar, Bounds(0, 0, 100, 29));
  auto* Alone = Add<TVxToolBar>(Shown, Bounds(0, 100, 100, 29));
  int BarPaints = 0;
  Bar->OnPaint = [&](TObject*) { ++BarPaints; };
  const struct {
    uintptr_t Code;
    bool BarPaintsAtOnce, BarMarked, ToolBarMarked;
  } Cases[] = {
      {TMC_THEMECHANGED, true, false, true}, {TMC_BEGINCHANGE, false, false, false},
      {TMC_ENDCHANGE, false, false, false},  {TMC_THEMESET, true, false, true},
      {TMC_THEMEREMOVED, true, false, true}, {TMC_COLORSCHANGED, false, true, true},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::Message() << "code " << Case.Code);
    Settle();
    BarPaints = 0;
    Bar->Perform(TM_THEMECHANGE, Case.Code, 0);
    Alone->Perform(TM_THEMECHANGE, Case.Code, 0);
    EXPECT_EQ(BarPaints > 0, Case.BarPaintsAtOnce);
    EXPECT_EQ(GetUpdateRect(Bar->Handle(), nullptr, FALSE) != FALSE, Case.BarMarked);
    EXPECT_EQ(GetUpdateRect(Alone->Handle(), nullptr, FALSE) != FALSE, Case.ToolBarMarked);
    EXPECT_EQ(BoundsOf(Tools), Bounds(11, 2, 100, 29));
  }
}

// [Classic look] ---------------------------------------------------------------------------------

TEST_F(ToolBarTest, ClassicBandsAndBarsShowTheirGripLines) {
  constexpr TColor Back = 0x00406080, Face = 0x00808040;
  TVxControlBar* Bar = AddControlBar();
  Bar->SetColor(Back);
  auto* Inside = Add<TVxToolBar>(Bar, Bounds(0, 0, 100, 29));
  Inside->SetColor(Face);
  Settle();
  const uint32_t Light = PixelOf(clBtnHighlight), Dark = PixelOf(clBtnShadow);
  {
    // The band (0, 0, 113, 33): a raised frame, grip lines at x 3 and 6 from y 2 to 29.
    Capture Shot(380, 33);
    PrintClient(Bar, Shot);
    for (int Line : {3, 6}) {
      SCOPED_TRACE(testing::Message() << "grip line at x " << Line);
      EXPECT_EQ(Shot.At(Line, 2), Light);
      EXPECT_EQ(Shot.At(Line, 15), Light);
      EXPECT_EQ(Shot.At(Line + 1, 15), Dark);
      EXPECT_EQ(Shot.At(Line, 29), Dark);
      EXPECT_EQ(Shot.At(Line, 30), PixelOf(Back));
    }
    EXPECT_EQ(Shot.At(5, 15), PixelOf(Back));
    EXPECT_EQ(Shot.At(8, 15), PixelOf(Back));
    EXPECT_EQ(Shot.At(0, 15), Light);
    EXPECT_EQ(Shot.At(112, 15), Dark);
    EXPECT_EQ(Shot.At(200, 15), PixelOf(Back));
    // Inside the band the tool bar only fills itself with its colour: no grip, no frame.
    Capture InBand(100, 29);
    PrintClient(Inside, InBand);
    for (auto [X, Y] : {std::pair{0, 0}, {2, 10}, {3, 10}, {50, 14}, {99, 28}})
      EXPECT_EQ(InBand.At(X, Y), PixelOf(Face)) << X << ", " << Y;
  }
  // Outside: the fill, two grip lines at x 2 and 5 from y 3 to H - 4, and a frame 30 lighter at
  // the top and left and 30 darker at the others (0x808040 gives 0x9E9E5E and 0x626222).
  Inside->SetParent(Shown);
  Inside->SetBounds(0, 0, 100, 29);
  Capture Shot(100, 29);
  PrintClient(Inside, Shot);
  for (int Line : {2, 5}) {
    SCOPED_TRACE(testing::Message() << "grip line at x " << Line);
    EXPECT_EQ(Shot.At(Line, 3), Light);
    EXPECT_EQ(Shot.At(Line, 14), Light);
    EXPECT_EQ(Shot.At(Line + 1, 14), Dark);
    EXPECT_EQ(Shot.At(Line, 24), Dark);
    EXPECT_EQ(Shot.At(Line, 25), PixelOf(Face));
    EXPECT_EQ(Shot.At(Line, 2), PixelOf(Face));
  }
  EXPECT_EQ(Shot.At(4, 14), PixelOf(Face));
  EXPECT_EQ(Shot.At(50, 14), PixelOf(Face));
  EXPECT_EQ(Shot.At(50, 0), PixelOf(0x009E9E5E));
  EXPECT_EQ(Shot.At(0, 14), PixelOf(0x009E9E5E));
  EXPECT_EQ(Shot.At(50, 28), PixelOf(0x00626222));
  EXPECT_EQ(Shot.At(99, 14), PixelOf(0x00626222));
}

TEST_F(ToolBarTest, AChildShowingItsBackgroundSeesTheBarButNeverItself) {
  constexpr TColor Face = 0x00408040;
  TVxControlBar* Bar = AddControlBar();
  auto* Tools = Add<TVxToolBar>(Bar, Bounds(0, 0, 200, 29));
  Tools->SetColor(Face);
  auto* Child = Add<TSeeThroughBlock>(Tools, Bounds(0, 0, 20, 10));
  auto* Other = AddBlock(Tools, 50, 20);
  Other->Face = clRed;
  Settle();
  Child->Paints = 0;
  Capture Shot(200, 29);
  PrintClient(Tools, Shot);
  EXPECT_GT(Child->Paints, 0);
  EXPECT_EQ(Child->PaintsIntoOwnBackground, 0);
  EXPECT_EQ(Shot.At(10, 14), PixelOf(Face));
  EXPECT_EQ(Shot.At(30, 14), PixelOf(clRed));
}

// [Visual styles] --------------------------------------------------------------------------------

TEST_F(ToolBarTest, WithVisualStylesTheBarsAreThePlatformsRebar) {
  AllowVisualStyles();
  TVxControlBar* Bar = AddControlBar(300);
  if (!StyleAvailable(Bar->Handle(), L"Rebar")) GTEST_SKIP() << "the platform shows no visual styles here";
  constexpr TColor Face = 0x00808040;
  auto* Inside = Add<TVxToolBar>(Bar, Bounds(0, 0, 150, 29));
  auto* Alone = Add<TVxToolBar>(Shown, Bounds(0, 100, 150, 29));
  Alone->SetColor(Face);
  Settle();
  HTHEME Style = ThemeFunctions().OpenThemeData(Bar->Handle(), L"Rebar");
  const auto DrawPart = [&](HDC DC, int Part, int State, const TRect& R) {
    const RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    ThemeFunctions().DrawThemeBackground(Style, DC, Part, State, &Area, nullptr);
  };
  // The control bar: the rebar background, a raised edge around the band and its gripper.
  Capture Shot(300, 33), Reference(300, 33);
  PrintClient(Bar, Shot);
  DrawPart(Reference.DC(), 0, 0, Rect(0, 0, 300, 33));
  RECT Edge{0, 0, 163, 33};
  DrawEdge(Reference.DC(), &Edge, BDR_RAISEDINNER, BF_RECT);
  DrawPart(Reference.DC(), 1, 1, Rect(2, 2, 8, 31));
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 300, 33), {0, 0}, BoundsOf(Inside)), 0) << "control bar";
  // Inside it, the tool bar shows the bar's background.
  Capture InBand(150, 29), Background(300, 33);
  PrintClient(Inside, InBand);
  DrawPart(Background.DC(), 0, 0, Rect(0, 0, 300, 33));
  EXPECT_EQ(Differences(InBand, Background, Rect(0, 0, 150, 29), {11, 2}), 0) << "tool bar in the control bar";
  // On its own: the rebar, a frame 30 lighter and darker than Color, the gripper.
  Capture Own(150, 29), OwnReference(150, 29);
  PrintClient(Alone, Own);
  DrawPart(OwnReference.DC(), 0, 0, Rect(0, 0, 150, 29));
  DrawPart(OwnReference.DC(), 1, 1, Rect(2, 2, 8, 27));
  EXPECT_EQ(Differences(Own, OwnReference, Rect(1, 1, 149, 28)), 0) << "tool bar on its own";
  EXPECT_EQ(Own.At(50, 0), PixelOf(0x009E9E5E));
  EXPECT_EQ(Own.At(0, 14), PixelOf(0x009E9E5E));
  EXPECT_EQ(Own.At(50, 28), PixelOf(0x00626222));
  EXPECT_EQ(Own.At(149, 14), PixelOf(0x00626222));
  ThemeFunctions().CloseThemeData(Style);
}

// [Through the sample skin] ----------------------------------------------------------------------

class SkinnedToolBarTest : public ToolBarTest {
 protected:
  void SetUp() override {
    ToolBarTest::SetUp();
    Engine = std::make_unique<TVxVexel>();
    Engine->SetThemeFile(SampleSkin);
    Theme = CurrentTheme();
    ASSERT_NE(Theme, nullptr);
    ASSERT_TRUE(Theme->IsToolBarDefined(1, "default"));
  }
  void TearDown() override {
    Engine.reset();
    ToolBarTest::TearDown();
  }
  std::unique_ptr<TVxVexel> Engine;
  TvxTheme* Theme = nullptr;
};

TEST_F(SkinnedToolBarTest, AControlBarWithoutBandsKeepsItsSizeAndTakesTheMouse) {
  TVxControlBar* Bar = AddControlBar(200);
  Bar->SetHeight(40);
  Bar->Realign();
  EXPECT_EQ(Bar->BoundsRect(), Bounds(0, 0, 200, 40));
  EXPECT_EQ(Bar->BandCount(), 0);
  Mouse(Bar, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  Mouse(Bar, WM_MOUSEMOVE, 50, 50, MK_LBUTTON);
  Mouse(Bar, WM_LBUTTONUP, 50, 50);
  Mouse(Bar, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  Mouse(Bar, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(Bar->MovingControl(), nullptr);
  Capture Shot(200, 40), Reference(200, 40);
  PrintClient(Bar, Shot);
  TCanvas Canvas(Reference.DC());
  Theme->DrawControlBar(0, Canvas, "default", Rect(0, 0, 200, 40));
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 200, 40)), 0);
  // A theme going away makes the (no) bands again.
  RemoveCurrentTheme();
  Settle();
  EXPECT_EQ(Bar->BoundsRect(), Bounds(0, 0, 200, 40));
  EXPECT_EQ(Bar->BandCount(), 0);
}

TEST_F(SkinnedToolBarTest, TheControlBarAndItsBandsAreTheThemesDrawing) {
  TVxControlBar* Bar = AddControlBar(300);
  auto* Tools = Add<TVxToolBar>(Bar, Bounds(0, 0, 150, 29));
  Settle();
  const TRect Band = Bar->FindBand(Tools)->BandRect();
  ASSERT_EQ(Band, Rect(0, 0, 163, 33));
  Capture Shot(300, 33), Reference(300, 33);
  PrintClient(Bar, Shot);
  TCanvas Canvas(Reference.DC());
  Theme->DrawControlBar(0, Canvas, "default", Rect(0, 0, 300, 33));
  Theme->DrawToolBar(1, Canvas, "default", Band);
  Theme->DrawToolBarItem(1, Canvas, "default", TvxToolItemInfo{Rect(3, 2, 9, 31), ToolItemGrabber, 0});
  // Everything but the tool bar's own window.
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 300, 33), {0, 0}, BoundsOf(Tools)), 0);
  // OnBandPaint moves the band right past the tool bar and drops its grabber.
  Bar->OnBandPaint = [](TObject*, TControl*, TCanvas&, TRect& R, TBandPaintOptions& Options) {
    R = R.Offset(160, 0);
    Options.Exclude(TBandPaintOption::bpoGrabber);
  };
  Capture Moved(300, 33), MovedReference(300, 33);
  PrintClient(Bar, Moved);
  TCanvas MovedCanvas(MovedReference.DC());
  Theme->DrawControlBar(0, MovedCanvas, "default", Rect(0, 0, 300, 33));
  Theme->DrawToolBar(1, MovedCanvas, "default", Band.Offset(160, 0));
  EXPECT_EQ(Differences(Moved, MovedReference, Rect(0, 0, 300, 33), {0, 0}, BoundsOf(Tools)), 0);
}

TEST_F(SkinnedToolBarTest, InsideAControlBarTheToolBarShowsTheBarsBackground) {
  TVxControlBar* Bar = AddControlBar(300);
  auto* Tools = Add<TVxToolBar>(Bar, Bounds(0, 0, 150, 29));
  Settle();
  Capture Shot(150, 29), Reference(300, 33);
  PrintClient(Tools, Shot);
  TCanvas Canvas(Reference.DC());
  Theme->DrawControlBar(0, Canvas, "default", Rect(0, 0, 300, 33));
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 150, 29), {Tools->Left(), Tools->Top()}), 0);
}

TEST_F(SkinnedToolBarTest, OnItsOwnTheToolBarIsTheThemesBarWithAGrabber) {
  auto* Tools = Add<TVxToolBar>(Shown, Bounds(0, 0, 150, 29));
  Settle();
  Capture Shot(150, 29), Reference(150, 29);
  PrintClient(Tools, Shot);
  TCanvas Canvas(Reference.DC());
  Theme->DrawControlBar(0, Canvas, "default", Rect(0, 0, 150, 29));
  Theme->DrawToolBar(1, Canvas, "default", Rect(0, 0, 150, 29));
  Theme->DrawToolBarItem(1, Canvas, "default", TvxToolItemInfo{Rect(2, 4, 8, 25), ToolItemGrabber, 0});
  EXPECT_EQ(Differences(Shot, Reference, Rect(0, 0, 150, 29)), 0);
}

TEST_F(SkinnedToolBarTest, SwitchingTheThemeOffAndOnRepaintsBothBars) {
  TVxControlBar* Bar = AddControlBar(300);
  auto* Inside = Add<TVxToolBar>(Bar, Bounds(0, 0, 150, 29));
  auto* Alone = Add<TVxToolBar>(Shown, Bounds(0, 100, 150, 29));
  // The bar's shot leaves its tool bar out: that is another window.
  const auto ScreenMatchesAFreshPaint = [&](TWinControl* C) {
    Settle();
    Capture OnScreen(C->Width(), C->Height()), Fresh(C->Width(), C->Height());
    ScreenShot(C->Handle(), OnScreen);
    PrintClient(C, Fresh);
    const TRect Skip = C == Bar ? BoundsOf(Inside) : TRect();
    return Differences(OnScreen, Fresh, Rect(0, 0, C->Width(), C->Height()), {0, 0}, Skip) == 0;
  };
  Capture Themed(150, 29);
  PrintClient(Alone, Themed);
  EXPECT_TRUE(ScreenMatchesAFreshPaint(Bar));
  EXPECT_TRUE(ScreenMatchesAFreshPaint(Alone));
  RemoveCurrentTheme();
  ASSERT_EQ(CurrentTheme(), nullptr);
  EXPECT_TRUE(ScreenMatchesAFreshPaint(Bar));
  EXPECT_TRUE(ScreenMatchesAFreshPaint(Alone));
  Capture Classic(150, 29);
  PrintClient(Alone, Classic);
  EXPECT_GT(Differences(Classic, Themed, Rect(0, 0, 150, 29)), 0) << "the looks differ";
  EXPECT_EQ(Classic.At(2, 10), PixelOf(clBtnHighlight));
  Engine = std::make_unique<TVxVexel>();
  Engine->SetThemeFile(SampleSkin);
  EXPECT_TRUE(ScreenMatchesAFreshPaint(Bar));
  EXPECT_TRUE(ScreenMatchesAFreshPaint(Alone));
  Capture Again(150, 29);
  ScreenShot(Alone->Handle(), Again);
  EXPECT_EQ(Differences(Again, Themed, Rect(0, 0, 150, 29)), 0);
}

// [Form files] -----------------------------------------------------------------------------------

TEST_F(ToolBarTest, FormFilesHoldTheBarsTheirSettingsAndTheirChildren) {
  for (const char* Name : {"TVxToolBar", "TVxControlBar"})
    EXPECT_NE(FindClass(Name), nullptr) << Name << " registered when the program starts";
  TForm Source;
  auto* Bar = new TVxControlBar(&Source);
  Bar->SetName("Bars");
  Bar->SetBounds(0, 0, 300, 60);
  Bar->SetThemeObject("bars");
  Bar->SetRowSize(40);
  Bar->SetParent(&Source);
  auto* Tools = new TVxToolBar(&Source);
  Tools->SetName("Tools");
  Tools->SetBounds(0, 0, 200, 29);
  Tools->SetParent(Bar);
  Tools->SetBorderWidth(3);
  Tools->SetButtonAutoSize(false);
  Tools->SetButtonWidth(40);
  Tools->SetDividerWidth(6);
  Tools->SetThemeObject("tools");
  auto* Button = new TVxButton(&Source);
  Button->SetName("Go");
  Button->SetBounds(100, 0, 50, 10);
  Button->SetParent(Tools);
  ASSERT_EQ(BoundsOf(Button), Bounds(3, 3, 50, 23));

  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Stream, Text);
  const std::string Written(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  for (const char* Line :
       {"object Tools: TVxToolBar", "BorderWidth = 3", "ButtonWidth = 40", "ButtonAutoSize = False", "DividerWidth = 6",
        "ThemeObject = 'tools'", "object Bars: TVxControlBar", "ThemeObject = 'bars'", "RowSize = 40"})
    EXPECT_NE(Written.find(Line), std::string::npos) << Line << "\n" << Written;
  Stream.SetPosition(0);
  TForm Read;
  ReadComponent(Stream, Read);
  auto* ReadBar = dynamic_cast<TVxControlBar*>(Read.FindComponent("Bars"));
  auto* ReadTools = dynamic_cast<TVxToolBar*>(Read.FindComponent("Tools"));
  auto* ReadButton = dynamic_cast<TVxButton*>(Read.FindComponent("Go"));
  ASSERT_NE(ReadBar, nullptr);
  ASSERT_NE(ReadTools, nullptr);
  ASSERT_NE(ReadButton, nullptr);
  EXPECT_EQ(ReadBar->ThemeObject(), "bars");
  EXPECT_EQ(ReadBar->RowSize(), 40);
  EXPECT_EQ(ReadTools->Parent(), ReadBar);
  EXPECT_EQ(ReadBar->BandCount(), 1);
  EXPECT_EQ(ReadTools->BorderWidth(), 3);
  EXPECT_EQ(ReadTools->ButtonWidth(), 40);
  EXPECT_FALSE(ReadTools->ButtonAutoSize());
  EXPECT_EQ(ReadTools->DividerWidth(), 6);
  EXPECT_EQ(ReadTools->ThemeObject(), "tools");
  EXPECT_EQ(ReadButton->Parent(), ReadTools);
  EXPECT_EQ(BoundsOf(ReadButton), Bounds(3, 3, 50, 23));
  EXPECT_EQ(BoundsOf(ReadTools), BoundsOf(Tools));
}

}  // namespace
