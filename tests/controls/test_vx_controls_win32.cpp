// The bases of the skinned controls: frame geometry and pixels, the three buffering modes, the
// parent's image under transparent controls, hot and focus tracking, theme notifications, and a
// control that frees itself while it paints.
#include <windows.h>

#include "controls_fixture.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_screen.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

using Cut = TVxBevelCut;
using Side = TVxBevelSide;

class ControlBaseTest : public ShownFormTest {
 protected:
  TFramedControl* MakeFramed(Integer W, Integer H) { return Add<TFramedControl>(Shown, Bounds(0, 0, W, H)); }
};

// [Frame geometry] -------------------------------------------------------------------------------

struct FrameCase {
  const char* Name;
  Integer BorderWidth, BevelWidth;
  Cut Inner, Outer;
  TVxBevelSides Sides;
  TRect Expected;  // of a 40 x 30 control
};

const FrameCase FrameCases[] = {
    {"nothing", 0, 0, Cut::kbvLowered, Cut::kbvLowered, AllBevelSides, Rect(0, 0, 40, 30)},
    {"bevel width 0 draws no bevel; the border alone shrinks", 2, 0, Cut::kbvLowered, Cut::kbvRaised, AllBevelSides,
     Rect(2, 2, 38, 28)},
    {"two cuts take two bevel widths a side", 1, 3, Cut::kbvLowered, Cut::kbvRaised, AllBevelSides, Rect(7, 7, 33, 23)},
    {"a cut of none takes nothing", 0, 3, Cut::kbvNone, Cut::kbvRaised, AllBevelSides, Rect(3, 3, 37, 27)},
    {"bevels on the left and top only; the border on all four", 1, 2, Cut::kbvLowered, Cut::kbvLowered,
     TVxBevelSides{Side::kbsLeft, Side::kbsTop}, Rect(5, 5, 39, 29)},
};

TEST_F(ControlBaseTest, InnerRectangleLosesBorderAndBevelsOnTheirSides) {
  TFramedControl* C = MakeFramed(40, 30);
  for (const FrameCase& Case : FrameCases) {
    C->SetBorderWidth(Case.BorderWidth);
    C->SetBevelWidth(Case.BevelWidth);
    C->SetBevelInner(Case.Inner);
    C->SetBevelOuter(Case.Outer);
    C->SetBevelSides(Case.Sides);
    EXPECT_EQ(C->GetInnerRect(), Case.Expected) << Case.Name;
    EXPECT_EQ(C->ClientRect(), Case.Expected) << Case.Name;
  }
}

TEST_F(ControlBaseTest, BevelKindPresetsBothCutsAndAnExplicitCutEndsThePreset) {
  TFramedControl* C = MakeFramed(40, 30);
  C->SetBevelInner(Cut::kbvRaised);
  C->SetBevelOuter(Cut::kbvSpace);
  const struct {
    TVxBevelKind Kind;
    Cut Expected;
  } Presets[] = {{TVxBevelKind::kbkSoft, Cut::kbvLowered},
                 {TVxBevelKind::kbkBorder, Cut::kbvBorder},
                 {TVxBevelKind::kbkFlat, Cut::kbvFlatBorder},
                 {TVxBevelKind::kbkSingle, Cut::kbvLowered}};
  for (const auto& P : Presets) {
    C->SetBevelKind(P.Kind);
    EXPECT_EQ(C->BevelInner(), P.Expected) << int(P.Kind);
    EXPECT_EQ(C->BevelOuter(), P.Expected) << int(P.Kind);
  }
  C->SetBevelKind(TVxBevelKind::kbkSoft);
  C->SetBevelInner(Cut::kbvRaised);
  EXPECT_EQ(C->BevelKind(), TVxBevelKind::kbkNone);
  EXPECT_EQ(C->BevelOuter(), Cut::kbvLowered);
  // kbkNone leaves the cuts as they are.
  C->SetBevelKind(TVxBevelKind::kbkNone);
  EXPECT_EQ(C->BevelInner(), Cut::kbvRaised);
}

// [Frame pixels] ---------------------------------------------------------------------------------

TEST_F(ControlBaseTest, BevelRingsAndBorderRingsTakeTheirColours) {
  TFramedControl* C = MakeFramed(24, 20);
  C->SetColor(clRed);
  C->SetBevelWidth(2);
  C->SetBevelOuter(Cut::kbvLowered);
  C->SetBevelInner(Cut::kbvRaised);
  C->SetBorderWidth(1);
  Capture Shot(24, 20);
  PrintClient(C, Shot);
  // Down the middle row: outer lowered (2 rings), inner raised (2 rings), the border, the face.
  const uint32_t Row[] = {PixelOf(clBtnShadow), PixelOf(clBtnShadow), PixelOf(clBtnShadow),
                          PixelOf(clBtnShadow), PixelOf(clRed),       PixelOf(clBlue)};
  for (int X = 0; X < 6; ++X) EXPECT_EQ(Shot.At(X, 10), Row[X]) << "x " << X;
  // Right side: bottom/right colours, outer ring outermost.
  EXPECT_EQ(Shot.At(23, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(22, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(21, 10), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(19, 10), PixelOf(clRed));
  // The bottom line is drawn after the left one: the bottom-left corner is bottom/right colour.
  EXPECT_EQ(Shot.At(0, 19), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(0, 18), PixelOf(clBtnShadow));
}

TEST_F(ControlBaseTest, LoweredCutTakesDarkShadowAndFaceAsItsInnerRing) {
  TFramedControl* C = MakeFramed(20, 16);
  C->SetBevelWidth(1);
  C->SetBevelKind(TVxBevelKind::kbkSoft);
  C->SetBevelSides({Side::kbsLeft, Side::kbsTop});
  Capture Shot(20, 16);
  PrintClient(C, Shot);
  EXPECT_EQ(Shot.At(0, 8), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(1, 8), PixelOf(cl3DDkShadow));
  EXPECT_EQ(Shot.At(8, 0), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(8, 1), PixelOf(cl3DDkShadow));
  EXPECT_EQ(Shot.At(2, 8), PixelOf(clBlue));
  // No bevel on the right and bottom: the face reaches the edge.
  EXPECT_EQ(Shot.At(19, 8), PixelOf(clBlue));
  EXPECT_EQ(Shot.At(8, 15), PixelOf(clBlue));
}

TEST_F(ControlBaseTest, WithVisualStylesTheFrameIsThePlatformsEditFrameInTheControlsState) {
  AllowVisualStyles();
  TFramedControl* C = MakeFramed(40, 24);
  C->SetBevelWidth(2);
  C->SetBevelKind(TVxBevelKind::kbkSoft);
  if (!StyleAvailable(C->Handle(), L"Edit")) GTEST_SKIP() << "the platform shows no visual styles here";
  const TRect Inner = C->GetInnerRect();
  const struct {
    const char* Name;
    int State;
    std::function<void()> Enter;
  } States[] = {
      {"normal", 1, [] {}},
      {"hot", 2, [&] { SendMessageA(C->Handle(), WM_MOUSEMOVE, 0, Point(10, 10)); }},
      {"disabled", 4, [&] { C->SetEnabled(false); }},
  };
  for (const auto& S : States) {
    S.Enter();
    Capture Shot(40, 24), Reference(40, 24);
    PrintClient(C, Shot);
    HTHEME Theme = ThemeFunctions().OpenThemeData(C->Handle(), L"Edit");
    const RECT All{0, 0, 40, 24};
    ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), 1, S.State, &All, nullptr);
    ThemeFunctions().CloseThemeData(Theme);
    int Differences = 0;
    for (int Y = 0; Y < 24; ++Y)
      for (int X = 0; X < 40; ++X)
        if (!Inner.Contains(X, Y)) Differences += Shot.At(X, Y) != Reference.At(X, Y);
    EXPECT_EQ(Differences, 0) << S.Name;
    EXPECT_EQ(Shot.At(20, 12), PixelOf(clBlue)) << S.Name;
  }
}

// [Buffering modes] ------------------------------------------------------------------------------

// Paints a pattern but leaves a 3 x 3 hole: what shows there tells which buffer was used.
class TPatternControl : public TFramedControl {
 public:
  using TFramedControl::TFramedControl;
  HDC PaintedOn = nullptr;

 protected:
  void PaintClient() override {
    HDC DC = Canvas()->Handle();
    PaintedOn = DC;
    const TRect R = GetInnerRect();
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
      for (Integer X = R.Left; X < R.Right; ++X)
        if (X < 5 || X >= 8 || Y < 5 || Y >= 8) SetPixelV(DC, X, Y, RGB(X * 9, Y * 11, 200));
  }
};

TEST_F(ControlBaseTest, EveryBufferingModeShowsTheSameImage) {
  auto* C = new TPatternControl(Owner.get());
  C->SetBounds(0, 0, 24, 18);
  C->SetBevelWidth(1);
  C->SetBevelKind(TVxBevelKind::kbkFlat);
  C->SetParent(Shown);
  struct Mode {
    const char* Name;
    TVxPerformance Performance;
    TPixelFormat Screen;
  } Modes[] = {{"no buffer", TVxPerformance::zqpNoBuffer, TPixelFormat::pfDevice},
               {"shared buffer", TVxPerformance::zqpSharedBuffer, TPixelFormat::pfDevice},
               {"double buffer, engine bitmap", TVxPerformance::zqpDoubleBuffer, TPixelFormat::pf32bit},
               {"double buffer, platform bitmap", TVxPerformance::zqpDoubleBuffer, TPixelFormat::pf16bit}};
  std::vector<uint32_t> First;
  for (const Mode& M : Modes) {
    OverrideScreenPixelFormat(M.Screen);
    C->SetPerformance(M.Performance);
    Capture Shot(24, 18);
    PrintClient(C, Shot);
    OverrideScreenPixelFormat(TPixelFormat::pfDevice);
    std::vector<uint32_t> Pixels;
    for (int Y = 0; Y < 18; ++Y)
      for (int X = 0; X < 24; ++X)
        if (X < 5 || X >= 8 || Y < 5 || Y >= 8) Pixels.push_back(Shot.At(X, Y));
    if (First.empty())
      First = Pixels;
    else
      EXPECT_EQ(Pixels, First) << M.Name;
    EXPECT_EQ(Shot.At(0, 0), PixelOf(clBtnShadow)) << M.Name;
    EXPECT_EQ(Shot.At(1, 1), PixelOf(clBtnFace)) << M.Name;
    EXPECT_EQ(Shot.At(10, 10), 0xC8u | (10u * 9 << 16) | (10u * 11 << 8)) << M.Name;
    if (M.Performance == TVxPerformance::zqpSharedBuffer) {
      // The shared buffer is cleared to the key value before every paint.
      EXPECT_EQ(C->PaintedOn, SharedPaintBuffer().DC());
      EXPECT_EQ(Shot.At(6, 6), 0x7F007Fu);
    } else if (M.Performance == TVxPerformance::zqpDoubleBuffer) {
      EXPECT_NE(C->PaintedOn, SharedPaintBuffer().DC()) << M.Name;
      // A fresh buffer starts black.
      EXPECT_EQ(Shot.At(6, 6), 0u) << M.Name;
    }
  }
}

// A parent whose painter, asked for a child's background, paints the parent itself through its
// shared buffer: the child, painting into the shared buffer too, must not lose its image.
class TSharedParent : public TFramedControl {
 public:
  using TFramedControl::TFramedControl;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info{"TSharedParent", &TFramedControl::StaticClassInfo(), {}};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// A control that shows its parent and puts a black dot at its corner; windowless or windowed.
template <typename TBase>
class TShowsParent : public TBase {
 public:
  using TBase::TBase;

 protected:
  void PaintClient() override {
    HDC DC = this->Canvas()->Handle();
    DrawParentImage(this, DC);
    const RECT Dot{0, 0, 2, 2};
    FillRect(DC, &Dot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
};
using TSeeThrough = TShowsParent<TVxGraphicControl>;
using TSeeThroughWindow = TShowsParent<TVxControl>;

TEST_F(ControlBaseTest, APaintNestedInASharedBufferPaintGetsABufferOfItsOwn) {
  auto* Parent = new TSharedParent(Owner.get());
  Parent->SetBounds(0, 0, 40, 30);
  Parent->Face = clYellow;
  Parent->SetBevelWidth(1);
  Parent->SetBevelKind(TVxBevelKind::kbkFlat);
  Parent->SetPerformance(TVxPerformance::zqpSharedBuffer);
  Parent->SetParent(Shown);
  RegisterParentPainter(TSharedParent::StaticClassInfo(), [](TCanvas& Canvas, const TVxParentPaintInfo& Info) {
    static_cast<TSharedParent*>(Info.Parent)->PaintTo(Canvas.Handle());
  });
  auto* Child = new TSeeThrough(Owner.get());
  Child->SetBounds(10, 10, 12, 8);
  Child->SetPerformance(TVxPerformance::zqpSharedBuffer);
  Child->SetParent(Parent);
  Capture Shot(40, 30);
  PrintClient(Parent, Shot);
  UnregisterParentPainter(TSharedParent::StaticClassInfo());
  EXPECT_EQ(Shot.At(10, 10), 0u);
  // Had the parent's paint reused the child's buffer, its frame would show here.
  EXPECT_EQ(Shot.At(10, 15), PixelOf(clYellow));
  EXPECT_EQ(Shot.At(21, 17), PixelOf(clYellow));
  EXPECT_EQ(Shot.At(0, 15), PixelOf(clBtnShadow));
}

// [Parent image] ---------------------------------------------------------------------------------

// Paints red left of x = 50 and blue from there, in its own coordinates.
class TBackdrop : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info{"TBackdrop", &TCustomControl::StaticClassInfo(), {}};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

 protected:
  void Paint() override { PaintHalves(Canvas()->Handle(), clRed, clBlue); }

 public:
  static void PaintHalves(HDC DC, TColor Left, TColor Right) {
    HBRUSH L = CreateSolidBrush(COLORREF(ColorToRGB(Left))), R = CreateSolidBrush(COLORREF(ColorToRGB(Right)));
    const RECT A{0, 0, 50, 100}, B{50, 0, 100, 100};
    FillRect(DC, &A, L);
    FillRect(DC, &B, R);
    DeleteObject(L);
    DeleteObject(R);
  }
};

class TBackdropChild : public TBackdrop {
 public:
  using TBackdrop::TBackdrop;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info{"TBackdropChild", &TBackdrop::StaticClassInfo(), {}};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class ParentImageTest : public ControlBaseTest {
 protected:
  template <typename TParent>
  TParent* MakeParent() {
    auto* P = new TParent(Owner.get());
    P->SetBounds(0, 0, 100, 40);
    P->SetParent(Shown);
    return P;
  }
  // A child at x 44..55 straddles the parent's two halves.
  template <typename TChild>
  TChild* MakeChild(TWinControl* Parent) {
    auto* C = new TChild(Owner.get());
    C->SetBounds(44, 10, 12, 8);
    C->SetParent(Parent);
    return C;
  }
  // The child's pixels as the parent's print shows them.
  void ExpectHalves(TWinControl* Printed, Integer OffsetX, Integer OffsetY, TColor Left, TColor Right) {
    Capture Shot(100, 40);
    PrintClient(Printed, Shot);
    EXPECT_EQ(Shot.At(OffsetX, OffsetY), 0u) << "the child's own dot";
    EXPECT_EQ(Shot.At(OffsetX + 3, OffsetY + 4), PixelOf(Left));
    EXPECT_EQ(Shot.At(OffsetX + 5, OffsetY + 4), PixelOf(Left));
    EXPECT_EQ(Shot.At(OffsetX + 6, OffsetY + 4), PixelOf(Right));
    EXPECT_EQ(Shot.At(OffsetX + 11, OffsetY + 7), PixelOf(Right));
  }
};

TEST_F(ParentImageTest, WithoutAPainterTheParentPaintsItselfUnderTheChild) {
  TBackdrop* Parent = MakeParent<TBackdrop>();
  MakeChild<TSeeThrough>(Parent);
  ExpectHalves(Parent, 44, 10, clRed, clBlue);
  TSeeThroughWindow* Windowed = MakeChild<TSeeThroughWindow>(Parent);
  Windowed->SetBounds(44, 22, 12, 8);
  Capture Shot(12, 8);
  PrintClient(Windowed, Shot);
  EXPECT_EQ(Shot.At(0, 0), 0u);
  EXPECT_EQ(Shot.At(5, 4), PixelOf(clRed));
  EXPECT_EQ(Shot.At(6, 4), PixelOf(clBlue));
}

TEST_F(ParentImageTest, TheMostDerivedRegisteredPainterPaintsInTheParentsCoordinates) {
  bool PaintCopyDuringPainter = false;
  TControl* Told = nullptr;
  RegisterParentPainter(TBackdrop::StaticClassInfo(), [](TCanvas& Canvas, const TVxParentPaintInfo&) {
    TBackdrop::PaintHalves(Canvas.Handle(), clYellow, clYellow);
  });
  RegisterParentPainter(TBackdropChild::StaticClassInfo(), [&](TCanvas& Canvas, const TVxParentPaintInfo& Info) {
    Told = Info.Control;
    EXPECT_EQ(Info.ControlRect, Rect(44, 10, 56, 18));
    PaintCopyDuringPainter = Info.Control->ControlState().Contains(TControlStateFlag::csPaintCopy);
    TBackdrop::PaintHalves(Canvas.Handle(), clLime, clFuchsia);
  });
  TBackdropChild* Parent = MakeParent<TBackdropChild>();
  TSeeThrough* Child = MakeChild<TSeeThrough>(Parent);
  ExpectHalves(Parent, 44, 10, clLime, clFuchsia);
  UnregisterParentPainter(TBackdropChild::StaticClassInfo());
  UnregisterParentPainter(TBackdrop::StaticClassInfo());
  EXPECT_EQ(Told, Child);
  EXPECT_TRUE(PaintCopyDuringPainter);
  EXPECT_FALSE(Child->ControlState().Contains(TControlStateFlag::csPaintCopy));
}

TEST_F(ParentImageTest, ASkinnedParentPaintsItsFrameAndFaceUnderAChild) {
  auto* Panel = new TFramedControl(Owner.get());
  Panel->SetBounds(0, 0, 60, 40);
  Panel->SetBevelWidth(1);
  Panel->SetBevelOuter(Cut::kbvRaised);
  Panel->SetBevelInner(Cut::kbvNone);
  Panel->Face = clTeal;
  Panel->SetParent(Shown);
  // Over the panel's corner: the child shows the panel's bevel and face.
  auto* Child = new TSeeThroughWindow(Owner.get());
  Child->SetBounds(0, 0, 20, 10);
  Child->SetParent(Panel);
  Capture Shot(20, 10);
  PrintClient(Child, Shot);
  EXPECT_EQ(Shot.At(5, 0), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(0, 5), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(5, 5), PixelOf(clTeal));
  EXPECT_EQ(Shot.At(0, 0), 0u);
}

// [Hot and focus] --------------------------------------------------------------------------------

TEST_F(ControlBaseTest, PointerMakesTheControlAndItsSkinnedParentHot) {
  TFramedControl* Parent = MakeFramed(100, 60);
  auto* Child = new TSeeThrough(Owner.get());
  Child->SetBounds(10, 10, 30, 20);
  Child->SetParent(Parent);
  std::vector<std::string> Events;
  Parent->OnMouseEnter = [&](TObject*) { Events.push_back("parent enter"); };
  Parent->OnMouseLeave = [&](TObject*) { Events.push_back("parent leave"); };
  Child->OnMouseEnter = [&](TObject*) { Events.push_back("child enter"); };
  Child->OnMouseLeave = [&](TObject*) { Events.push_back("child leave"); };
  HWND Wnd = Parent->Handle();
  SendMessageA(Wnd, WM_MOUSEMOVE, 0, Point(70, 50));
  EXPECT_TRUE(Parent->MouseInControl());
  EXPECT_FALSE(Child->MouseInControl());
  SendMessageA(Wnd, WM_MOUSEMOVE, 0, Point(15, 15));
  EXPECT_TRUE(Child->MouseInControl());
  EXPECT_TRUE(Parent->MouseInControl()) << "over a child the parent still counts as hot";
  SendMessageA(Wnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Child->MouseInControl());
  EXPECT_FALSE(Parent->MouseInControl());
  // The parent hears the child's notification before the child acts on it.
  const std::vector<std::string> Expected = {"parent enter", "parent leave", "parent enter",
                                             "child enter",  "parent leave", "child leave"};
  EXPECT_EQ(Events, Expected);
}

TEST_F(ControlBaseTest, FocusFlagFollowsEnterAndExitAndIsClearedWhenHidden) {
  TFramedControl* First = MakeFramed(40, 20);
  First->SetTabStop(true);
  TFramedControl* Second = MakeFramed(40, 20);
  Second->SetTop(30);
  Second->SetTabStop(true);
  First->SetFocus();
  EXPECT_TRUE(First->HasFocus());
  Second->SetFocus();
  EXPECT_FALSE(First->HasFocus());
  EXPECT_TRUE(Second->HasFocus());
  Second->Hide();
  EXPECT_FALSE(Second->HasFocus());
  Second->Show();
  EXPECT_FALSE(Second->HasFocus());
}

// [Theme notifications] --------------------------------------------------------------------------

TEST_F(ControlBaseTest, ThemeChangeCodesThatReplaceOrRemoveTheThemeRepaint) {
  TFramedControl* C = MakeFramed(40, 20);
  auto* Windowless = new TSeeThrough(Owner.get());
  Windowless->SetBounds(50, 0, 20, 20);
  Windowless->SetParent(Shown);
  HWND FormWnd = Shown->Handle();
  const struct {
    uintptr_t Code;
    bool Repaints;
  } Codes[] = {{TMC_THEMECHANGED, true}, {TMC_BEGINCHANGE, false}, {TMC_ENDCHANGE, false},
               {TMC_THEMESET, true},     {TMC_THEMEREMOVED, true}, {TMC_COLORSCHANGED, true}};
  for (const auto& Case : Codes) {
    UpdateWindow(FormWnd);
    UpdateWindow(C->Handle());
    C->Perform(TM_THEMECHANGE, Case.Code, 0);
    EXPECT_EQ(GetUpdateRect(C->Handle(), nullptr, FALSE) != FALSE, Case.Repaints) << "code " << Case.Code;
    Windowless->Perform(TM_THEMECHANGE, Case.Code, 0);
    RECT Dirty{};
    const bool Marked = GetUpdateRect(FormWnd, &Dirty, FALSE) != FALSE;
    EXPECT_EQ(Marked, Case.Repaints) << "windowless, code " << Case.Code;
    if (Marked) {
      EXPECT_EQ(Dirty.left, 50);
    }
  }
}

// [Freed while painting] -------------------------------------------------------------------------

class TSelfFreeing : public TFramedControl {
 public:
  using TFramedControl::TFramedControl;
  bool* Gone = nullptr;
  ~TSelfFreeing() override {
    if (Gone) *Gone = true;
  }

 protected:
  void PaintClient() override {
    TFramedControl::PaintClient();
    delete this;
  }
};

class TSelfFreeingGraphic : public TVxGraphicControl {
 public:
  using TVxGraphicControl::TVxGraphicControl;
  bool* Gone = nullptr;
  ~TSelfFreeingGraphic() override {
    if (Gone) *Gone = true;
  }

 protected:
  void PaintClient() override { delete this; }
};

TEST_F(ControlBaseTest, AControlFreedDuringItsOwnPaintEndsThePaintSafely) {
  for (TVxPerformance Mode :
       {TVxPerformance::zqpNoBuffer, TVxPerformance::zqpSharedBuffer, TVxPerformance::zqpDoubleBuffer}) {
    bool WindowedGone = false, GraphicGone = false;
    auto* Windowed = new TSelfFreeing(Owner.get());
    Windowed->SetBounds(0, 0, 30, 20);
    Windowed->SetPerformance(Mode);
    Windowed->Gone = &WindowedGone;
    Windowed->SetParent(Shown);
    auto* Graphic = new TSelfFreeingGraphic(Owner.get());
    Graphic->SetBounds(40, 0, 30, 20);
    Graphic->SetPerformance(Mode);
    Graphic->Gone = &GraphicGone;
    Graphic->SetParent(Shown);
    // A sibling painted after the one that goes still gets painted.
    TFramedControl* After = MakeFramed(20, 20);
    After->SetLeft(80);
    Capture Shot(120, 30);
    ASSERT_TRUE(PrintWindow(Shown->Handle(), Shot.DC(), PW_CLIENTONLY));
    EXPECT_TRUE(WindowedGone) << int(Mode);
    EXPECT_TRUE(GraphicGone) << int(Mode);
    EXPECT_EQ(Owner->ComponentCount(), 1) << "only the sibling is left";
    EXPECT_EQ(After->Paints, 1);
    delete After;
  }
}

}  // namespace
