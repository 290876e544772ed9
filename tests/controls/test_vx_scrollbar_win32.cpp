// The skinned scroll bar: geometry against its position formulas, the range setters, keyboard
// steps, and real mouse messages for buttons with auto-repeat, tracks and thumb dragging; its
// classic and themed painting; a theme switch repainting every skinned control; form files.
#include <windows.h>

#include <cmath>
#include <utility>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/ui/timer.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/controls/vx_scrollbox.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

using Scroll = std::pair<int, Integer>;

class ScrollBarTest : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Host = Add<TCustomControl>(Shown, Bounds(0, 0, 300, 100));
    Host->SetColor(clWhite);
    Bar = Add<TVxScrollBar>(Host, Bounds(10, 20, 200, 20));
    Bar->OnScroll = [this](TObject*, int Code, Integer& Pos) { Scrolls.emplace_back(Code, Pos); };
    Arrow = GetSystemMetrics(SM_CXHSCROLL);
  }
  // Mouse messages as the host's window receives them, at the bar's own coordinates.
  void Send(UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(Host->Handle(), Msg, Keys, Point(Bar->Left() + X, Bar->Top() + Y));
  }
  void Press(Integer X, Integer Y) { Send(WM_LBUTTONDOWN, X, Y, MK_LBUTTON); }
  void Drag(Integer X, Integer Y) { Send(WM_MOUSEMOVE, X, Y, MK_LBUTTON); }
  void Release(Integer X, Integer Y) { Send(WM_LBUTTONUP, X, Y); }
  bool Repeating() const { return Bar->RepeatTimer() && Bar->RepeatTimer()->Enabled(); }

  TCustomControl* Host = nullptr;
  TVxScrollBar* Bar = nullptr;
  Integer Arrow = 0;
  std::vector<Scroll> Scrolls;
};

// [Geometry] -------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, ButtonsTrackAndThumbFollowTheRange) {
  // 200 x 20 with a border of 1: the track lies between two arrow-sized buttons.
  const Integer Start = 1 + Arrow, End = 199 - Arrow, L = End - Start;
  EXPECT_EQ(Bar->GetButtonSize(), Arrow);
  EXPECT_EQ(Bar->GetFirstButtonRect(), Rect(1, 1, 1 + Arrow, 19));
  EXPECT_EQ(Bar->GetSecondButtonRect(), Rect(199 - Arrow, 1, 199, 19));
  EXPECT_EQ(Bar->GetTrackRect(), Rect(Start, 1, End, 19));
  // Without a page the thumb is arrow-sized.
  EXPECT_EQ(Bar->GetThumbSize(), Arrow);
  EXPECT_EQ(Bar->GetThumbRect(), Rect(Start, 1, Start + Arrow, 19));
  Bar->SetPosition(100);
  EXPECT_EQ(Bar->GetThumbRect().Right, End);
  Bar->SetPosition(50);
  EXPECT_EQ(Bar->GetThumbRect().Left, Start + Integer(std::nearbyint(50.0 * (L - Arrow) / 100)));

  // A page of 10 in 0..99 makes the thumb a tenth of the track; 90 is as far as it goes.
  Bar->SetMax(99);
  Bar->SetPageSize(10);
  const Integer T = Integer(std::nearbyint(L / 10.0));
  EXPECT_EQ(Bar->GetThumbSize(), T);
  Bar->SetPosition(0);
  EXPECT_EQ(Bar->GetThumbRect(), Rect(Start, 1, Start + T, 19));
  Bar->SetPosition(90);
  EXPECT_EQ(Bar->GetThumbRect(), Rect(End - T, 1, End, 19));
  EXPECT_EQ(Bar->PixelToPosition(End - T), 90);
  EXPECT_EQ(Bar->PixelToPosition(End), 90) << "clamped to the last reachable position";
  EXPECT_EQ(Bar->PixelToPosition(Start - 5), 0);
  // Positions past Max - PageSize + 1 put the thumb at the end.
  Bar->SetPosition(95);
  EXPECT_EQ(Bar->GetThumbRect().Right, End);
  // The before and after tracks meet the thumb.
  Bar->SetPosition(45);
  EXPECT_EQ(Bar->GetTrackBeforeRect(), Rect(Start, 1, Bar->GetThumbRect().Left, 19));
  EXPECT_EQ(Bar->GetTrackAfterRect(), Rect(Bar->GetThumbRect().Right, 1, End, 19));
}

TEST_F(ScrollBarTest, ThumbNeverGetsSmallerThanTwoThirdsOfAnArrow) {
  Bar->SetMax(100000);
  Bar->SetPageSize(1);
  EXPECT_EQ(Bar->GetThumbSize(), Arrow / 3 * 2);
}

TEST_F(ScrollBarTest, ABarTooShortForTwoButtonsHasHalfButtonsAndNoThumb) {
  Bar->SetWidth(20);
  EXPECT_EQ(Bar->GetButtonSize(), 9);
  EXPECT_EQ(Bar->GetFirstButtonRect(), Rect(1, 1, 10, 19));
  EXPECT_EQ(Bar->GetSecondButtonRect(), Rect(10, 1, 19, 19));
  EXPECT_EQ(Bar->GetThumbSize(), 0);
  EXPECT_TRUE(Bar->GetThumbRect().IsEmpty());
  // Pressing where the track would be finds nothing to drag.
  Press(10, 10);
  EXPECT_FALSE(Bar->Dragging());
  Release(10, 10);
}

TEST_F(ScrollBarTest, VerticalBarsMeasureAlongTheirHeight) {
  Bar->SetBounds(10, 0, 20, 90);
  Bar->SetOrientation(TVxScrollOrientation::ksoVertical);
  const Integer VArrow = GetSystemMetrics(SM_CYVSCROLL);
  EXPECT_EQ(Bar->GetFirstButtonRect(), Rect(1, 1, 19, 1 + VArrow));
  EXPECT_EQ(Bar->GetTrackRect(), Rect(1, 1 + VArrow, 19, 89 - VArrow));
  Bar->AdjustThickness();
  EXPECT_EQ(Bar->Width(), VArrow + 2);
  EXPECT_EQ(Bar->Height(), 90);
}

// [Setters and steps] ----------------------------------------------------------------------------

TEST_F(ScrollBarTest, RangeSettersKeepPositionAndPageInside) {
  int Changes = 0;
  Bar->OnChange = [&](TObject*) { ++Changes; };
  Bar->SetPosition(10);
  EXPECT_EQ(Changes, 1);
  Bar->SetMax(5);
  EXPECT_EQ(Bar->Position(), 5);
  EXPECT_EQ(Changes, 2) << "pulling the position inside is a change";
  Bar->SetPosition(5);
  EXPECT_EQ(Changes, 2) << "no change, no event";
  Bar->SetMin(20);
  EXPECT_EQ(Bar->Min(), 5) << "a minimum above the maximum becomes the maximum";
  Bar->SetMin(0);
  Bar->SetMax(-3);
  EXPECT_EQ(Bar->Max(), 0) << "a maximum below the minimum becomes the minimum";
  Bar->SetMax(50);
  Bar->SetPageSize(-1);
  EXPECT_EQ(Bar->PageSize(), 0);
  Bar->SetPageSize(500);
  EXPECT_EQ(Bar->PageSize(), 51);
  Bar->SetMax(20);
  EXPECT_EQ(Bar->PageSize(), 21) << "a smaller range cuts the page";
  Bar->SetPosition(1000);
  EXPECT_EQ(Bar->Position(), 20);
  for (auto [Value, Expected] : {std::pair{0, 1}, std::pair{-4, 1}, std::pair{40000, 32767}, std::pair{7, 7}}) {
    Bar->SetSmallChange(Value);
    Bar->SetLargeChange(Value);
    EXPECT_EQ(Bar->SmallChange(), Expected);
    EXPECT_EQ(Bar->LargeChange(), Expected);
  }
}

TEST_F(ScrollBarTest, KeyStepsReportTheirCodeAndClamp) {
  Bar->SetSmallChange(3);
  Bar->SetLargeChange(7);
  const struct {
    uint16_t Key;
    Integer PageSize, From, To;
    int Code;
  } Steps[] = {
      {VK_PRIOR, 0, 50, 43, kscPageUp},    {VK_NEXT, 0, 50, 57, kscPageDown},  {VK_PRIOR, 20, 50, 30, kscPageUp},
      {VK_NEXT, 20, 90, 100, kscPageDown}, {VK_HOME, 0, 50, 0, kscTop},        {VK_END, 0, 50, 100, kscBottom},
      {VK_RIGHT, 0, 50, 53, kscLineDown},  {VK_DOWN, 0, 99, 100, kscLineDown}, {VK_LEFT, 0, 50, 47, kscLineUp},
      {VK_UP, 0, 1, 0, kscLineUp},         {'A', 0, 50, 47, kscLineUp},
  };
  for (const auto& S : Steps) {
    Bar->SetPageSize(S.PageSize);
    Bar->SetPosition(S.From);
    Scrolls.clear();
    Bar->Step(S.Key);
    EXPECT_EQ(Bar->Position(), S.To) << "key " << S.Key << " from " << S.From;
    EXPECT_EQ(Scrolls, (std::vector<Scroll>{{S.Code, S.To}})) << "key " << S.Key;
  }
  // The handler has the last word on the position.
  Bar->OnScroll = [](TObject*, int, Integer& Pos) { Pos = 12; };
  Bar->Step(VK_END);
  EXPECT_EQ(Bar->Position(), 12);
}

// [Mouse] ----------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, DraggingTheThumbFromItsFirstPixelFollowsThePointer) {
  Bar->SetMax(99);
  Bar->SetPageSize(10);
  const TRect Thumb = Bar->GetThumbRect();
  const Integer Start = Bar->GetTrackRect().Left, Span = Bar->GetTrackRect().Width() - Bar->GetThumbSize();
  Press(Thumb.Left, 10);
  EXPECT_TRUE(Bar->Dragging()) << "grabbed at offset 0";
  Drag(Thumb.Left + 30, 10);
  const Integer Expected = Integer(std::nearbyint(90.0 * 30 / Span));
  EXPECT_EQ(Bar->Position(), Expected);
  EXPECT_EQ(Bar->GetThumbRect().Left, Start + Integer(std::nearbyint(double(Expected) * Span / 90)));
  // Past the end the thumb stops at the last reachable position.
  Drag(400, 10);
  EXPECT_EQ(Bar->Position(), 90);
  Drag(-400, 10);
  EXPECT_EQ(Bar->Position(), 0);
  Drag(Thumb.Left + Span, 10);
  Release(Thumb.Left + Span, 10);
  EXPECT_FALSE(Bar->Dragging());
  const std::vector<Scroll> Expect = {{kscTrack, 0},  {kscTrack, Expected}, {kscTrack, 90},    {kscTrack, 0},
                                      {kscTrack, 90}, {kscPosition, 90},    {kscEndScroll, 90}};
  EXPECT_EQ(Scrolls, Expect);
}

TEST_F(ScrollBarTest, GrabbingTheThumbMidwayKeepsTheGrabOffset) {
  Bar->SetMax(99);
  Bar->SetPageSize(10);
  Bar->SetPosition(45);
  const TRect Thumb = Bar->GetThumbRect();
  Press(Thumb.Left + 5, 10);
  Drag(Thumb.Left + 5, 10);
  EXPECT_EQ(Bar->Position(), 45) << "a drag that has not moved keeps the position";
  Release(Thumb.Left + 5, 10);
}

TEST_F(ScrollBarTest, HoldingTheSecondButtonStepsAtOnceThenAfterTheDelayThenAtTheRate) {
  const TRect Button = Bar->GetSecondButtonRect();
  const Integer X = Button.Left + 2, Y = 10;
  Press(X, Y);
  EXPECT_EQ(Scrolls, (std::vector<Scroll>{{kscLineDown, 1}})) << "one step at once";
  ASSERT_TRUE(Repeating());
  EXPECT_EQ(Bar->RepeatTimer()->Interval(), Cardinal(KeyboardDelay())) << "then the keyboard delay";
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() >= 2; }, 3000));
  EXPECT_EQ(Bar->RepeatTimer()->Interval(), Cardinal(KeyboardRepeatInterval())) << "then the repeat rate";
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() >= 4; }, 3000));
  // Off the button the steps pause; back on it they go on.
  Send(WM_MOUSEMOVE, Bar->GetTrackRect().Left + 1, Y, MK_LBUTTON);
  const Integer Paused = Bar->Position();
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(Bar->Position(), Paused);
  Send(WM_MOUSEMOVE, X, Y, MK_LBUTTON);
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() > Paused; }, 3000));
  Release(X, Y);
  EXPECT_FALSE(Repeating());
  const Integer Stopped = Bar->Position();
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(Bar->Position(), Stopped);
  // Every step was a line down, each one further, and the release ended the scroll.
  ASSERT_GE(Scrolls.size(), 6u);
  for (size_t I = 0; I + 1 < Scrolls.size(); ++I) EXPECT_EQ(Scrolls[I], (Scroll{kscLineDown, Integer(I + 1)})) << I;
  EXPECT_EQ(Scrolls.back(), (Scroll{kscEndScroll, Stopped}));
}

TEST_F(ScrollBarTest, HoldingTheTrackPagesUntilTheThumbReachesThePointer) {
  Bar->SetMax(99);
  Bar->SetPageSize(10);
  const TRect Track = Bar->GetTrackRect();
  const Integer X = Track.Right - 3, Y = 10;
  Press(X, Y);
  EXPECT_EQ(Scrolls, (std::vector<Scroll>{{kscPageDown, 10}}));
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() == 90; }, 5000));
  // The thumb now covers the pointer: held, but no longer on the track.
  PumpUntil([] { return false; }, 250);
  EXPECT_EQ(Bar->Position(), 90);
  const std::vector<Scroll> Pages = Scrolls;
  Release(X, Y);
  for (size_t I = 0; I < Pages.size(); ++I)
    EXPECT_EQ(Pages[I], (Scroll{kscPageDown, Integer(std::min<size_t>(10 * (I + 1), 99))})) << I;
  EXPECT_EQ(Pages.back().second, 90);
  // A click on the track before the thumb pages back once.
  Scrolls.clear();
  Press(Track.Left + 1, Y);
  Release(Track.Left + 1, Y);
  EXPECT_EQ(Scrolls, (std::vector<Scroll>{{kscPageUp, 80}, {kscEndScroll, 80}}));
}

TEST_F(ScrollBarTest, HotPartsFollowThePointerAndClearWhenItLeaves) {
  const TRect First = Bar->GetFirstButtonRect(), Thumb = Bar->GetThumbRect();
  Send(WM_MOUSEMOVE, First.Left + 2, 10);
  EXPECT_TRUE(Bar->FirstButtonHot());
  EXPECT_FALSE(Bar->ThumbHot());
  Send(WM_MOUSEMOVE, Thumb.Left + 2, 10);
  EXPECT_FALSE(Bar->FirstButtonHot());
  EXPECT_TRUE(Bar->ThumbHot());
  Send(WM_MOUSEMOVE, Thumb.Right + 2, 10);
  EXPECT_TRUE(Bar->TrackAfterHot());
  SendMessageA(Host->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Bar->TrackAfterHot());
  EXPECT_FALSE(Bar->ThumbHot());
  // Without buttons the button areas are never hot.
  Bar->SetShowButtons(false);
  Send(WM_MOUSEMOVE, First.Left + 2, 10);
  EXPECT_FALSE(Bar->FirstButtonHot());
}

TEST_F(ScrollBarTest, AnOwnersAutoStepRunsToTheEndAndStops) {
  Bar->SetMax(5);
  Bar->SetAutoForward(true);
  EXPECT_TRUE(Scrolls.empty()) << "no step at once";
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() == 5; }, 3000));
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(Scrolls.size(), 5u);
  EXPECT_FALSE(Repeating()) << "at the end the repeat stops";
  Scrolls.clear();
  Bar->SetAutoBackward(true);
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() == 3; }, 3000));
  Bar->SetAutoBackward(false);
  EXPECT_FALSE(Repeating());
  for (const Scroll& S : Scrolls) EXPECT_EQ(S.first, kscLineUp);
}

// [Painting] -------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, ClassicLookFrameTrackButtonsAndThumb) {
  Capture Shot(300, 100);
  PrintClient(Host, Shot);
  const auto At = [&](Integer X, Integer Y) { return Shot.At(Bar->Left() + X, Bar->Top() + Y); };
  EXPECT_EQ(At(0, 0), PixelOf(clBtnShadow));
  EXPECT_EQ(At(0, 10), PixelOf(clBtnShadow));
  EXPECT_EQ(At(199, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(At(100, 19), PixelOf(clBtnHighlight));
  // The track is a checkerboard: the highlight where x + y is even.
  const Integer X = Bar->GetThumbRect().Right + 10;
  EXPECT_EQ(At(X, 6 + (X % 2)), PixelOf(clBtnHighlight));
  EXPECT_EQ(At(X, 7 + (X % 2)), PixelOf(clScrollBar));
  // The thumb at position 0: a raised box in the button face.
  const TRect Thumb = Bar->GetThumbRect();
  EXPECT_EQ(At(Thumb.Left, 10), PixelOf(cl3DLight));
  EXPECT_EQ(At(Thumb.Left + 1, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(At(Thumb.Right - 1, 10), PixelOf(cl3DDkShadow));
  EXPECT_EQ(At(Thumb.Left + 4, 10), PixelOf(clBtnFace));
  // The buttons are the platform's scroll arrows.
  const TRect First = Bar->GetFirstButtonRect();
  Capture Reference(First.Width(), First.Height());
  RECT Area{0, 0, First.Width(), First.Height()};
  DrawFrameControl(Reference.DC(), &Area, DFC_SCROLL, DFCS_SCROLLLEFT);
  for (Integer Y = 0; Y < First.Height(); ++Y)
    for (Integer X2 = 0; X2 < First.Width(); ++X2)
      ASSERT_EQ(At(First.Left + X2, First.Top + Y), Reference.At(X2, Y)) << X2 << "," << Y;
  // Disabled: no thumb, the track runs through.
  Bar->SetEnabled(false);
  Capture Disabled(300, 100);
  PrintClient(Host, Disabled);
  EXPECT_NE(Disabled.At(Bar->Left() + Thumb.Left + 4, Bar->Top() + 10), PixelOf(clBtnFace));
}

TEST_F(ScrollBarTest, ThemedPartsArePaintedByTheThemeInTheirState) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsScrollBarDefined(0, "default"));
  // Hot thumb: the theme's thumb in state 2, pixel for pixel.
  const TRect Thumb = Bar->GetThumbRect();
  Send(WM_MOUSEMOVE, Thumb.Left + 2, 10);
  ASSERT_TRUE(Bar->ThumbHot());
  const struct {
    const char* Name;
    TRect R;
    Byte Part, State;
  } Parts[] = {{"first button", Bar->GetFirstButtonRect(), 4, 0},
               {"second button", Bar->GetSecondButtonRect(), 5, 0},
               {"hot thumb", Thumb, 8, 2}};
  Capture Shot(300, 100);
  PrintClient(Host, Shot);
  // The bar paints on the host's white, the themed track under the thumb.
  Capture Reference(Bar->Width(), Bar->Height());
  TCanvas Canvas(Reference.DC());
  const RECT All{0, 0, Bar->Width(), Bar->Height()};
  FillRect(Reference.DC(), &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TvxStateInfo Track;
  Track.Rect = Bar->GetTrackRect();
  Track.State = 1;
  Theme->DrawScrollBarTrack(0, Canvas, "default", Track);
  for (const auto& P : Parts) {
    TvxStateInfo Info;
    Info.Rect = P.R;
    Info.State = P.Part;
    Info.Part = P.State;
    Theme->DrawScrollBarPart(0, Canvas, "default", Info);
  }
  for (const auto& P : Parts) {
    SCOPED_TRACE(P.Name);
    int Differences = 0;
    for (Integer Y = P.R.Top; Y < P.R.Bottom; ++Y)
      for (Integer X = P.R.Left; X < P.R.Right; ++X)
        Differences += Shot.At(Bar->Left() + X, Bar->Top() + Y) != Reference.At(X, Y);
    EXPECT_EQ(Differences, 0);
  }
}

TEST_F(ScrollBarTest, WithVisualStylesThePartsAreThePlatformsScrollBarParts) {
  AllowVisualStyles();
  if (!StyleAvailable(Host->Handle(), L"ScrollBar")) GTEST_SKIP() << "the platform shows no visual styles here";
  const TRect First = Bar->GetFirstButtonRect(), Second = Bar->GetSecondButtonRect();
  const TRect Track = Bar->GetTrackRect(), Thumb = Bar->GetThumbRect();
  Capture Shot(300, 100), Reference(200, 20);
  PrintClient(Host, Shot);
  HTHEME Theme = ThemeFunctions().OpenThemeData(Host->Handle(), L"ScrollBar");
  const auto Draw = [&](int Part, int State, const TRect& R) {
    const RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), Part, State, &Area, nullptr);
  };
  Draw(4, 1, Track);    // horizontal track, normal
  Draw(1, 9, First);    // left arrow, normal
  Draw(1, 13, Second);  // right arrow, normal
  Draw(2, 1, Thumb);    // horizontal thumb, normal
  ThemeFunctions().CloseThemeData(Theme);
  int Differences = 0;
  for (Integer Y = 1; Y < 19; ++Y)
    for (Integer X = 1; X < 199; ++X) Differences += Shot.At(Bar->Left() + X, Bar->Top() + Y) != Reference.At(X, Y);
  EXPECT_EQ(Differences, 0);
}

// A scroll bar that counts its paints.
class TCountingBar : public TVxScrollBar {
 public:
  using TVxScrollBar::TVxScrollBar;
  int Paints = 0;

 protected:
  void PaintClient() override {
    ++Paints;
    TVxScrollBar::PaintClient();
  }
};

TEST_F(ScrollBarTest, ASkinFileAloneSkinsTheBarsAndEveryThemeChangeRepaintsThem) {
  std::vector<TCountingBar*> Bars;
  for (int I = 0; I < 3; ++I) {
    auto* B = Add<TCountingBar>(Host, Bounds(10, 50 + 12 * I, 150, 10));
    Bars.push_back(B);
    EXPECT_TRUE(ThemeManager().IsThemeClient(B));
  }
  const auto PaintedAgain = [&](std::vector<int> Before) {
    return PumpUntil([&] {
      for (size_t I = 0; I < Bars.size(); ++I)
        if (Bars[I]->Paints <= Before[I]) return false;
      return true;
    });
  };
  const auto Counts = [&] {
    std::vector<int> C;
    for (TCountingBar* B : Bars) C.push_back(B->Paints);
    return C;
  };
  UpdateWindow(Host->Handle());
  // This program never registers the skin theme itself: linking the library is enough.
  TVxVexel Engine;
  std::vector<int> Before = Counts();
  Engine.SetThemeFile(SampleSkin);
  ASSERT_NE(dynamic_cast<TVxSkinFile*>(CurrentTheme()), nullptr);
  EXPECT_TRUE(PaintedAgain(Before)) << "theme set";
  Before = Counts();
  SetCurrentDeltaBrightness(30);
  EXPECT_TRUE(PaintedAgain(Before)) << "colours shifted";
  Before = Counts();
  RemoveCurrentTheme();
  EXPECT_TRUE(PaintedAgain(Before)) << "theme removed";
  TCountingBar* Gone = Bars.back();
  delete Gone;
  EXPECT_FALSE(ThemeManager().IsThemeClient(Gone));
}

// [Form files] -----------------------------------------------------------------------------------

TEST_F(ScrollBarTest, FormFilesHoldTheBarWithItsRangeAndLook) {
  ASSERT_NE(FindClass("TVxScrollBar"), nullptr) << "registered when the program starts";
  ASSERT_NE(FindClass("TVxScrollBox"), nullptr);
  Bar->SetName("VertBar");
  Bar->SetOrientation(TVxScrollOrientation::ksoVertical);
  Bar->SetMin(-5);
  Bar->SetMax(250);
  Bar->SetPageSize(25);
  Bar->SetPosition(40);
  Bar->SetSmallChange(2);
  Bar->SetLargeChange(20);
  Bar->SetShowButtons(false);
  Bar->SetBorderWidth(0);
  Bar->SetThemeObject("Slim");
  Bar->SetPerformance(TVxPerformance::zqpSharedBuffer);
  TMemoryStream Stream;
  WriteComponent(Stream, *Bar);
  Stream.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Stream, Text);
  const std::string Written(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  EXPECT_NE(Written.find("Orientation = ksoVertical"), std::string::npos) << Written;
  EXPECT_NE(Written.find("Performance = zqpSharedBuffer"), std::string::npos) << Written;
  EXPECT_NE(Written.find("ThemeObject = 'Slim'"), std::string::npos) << Written;
  Stream.SetPosition(0);
  TVxScrollBar Read;
  ReadComponent(Stream, Read);
  EXPECT_EQ(Read.Orientation(), TVxScrollOrientation::ksoVertical);
  EXPECT_EQ(Read.Min(), -5);
  EXPECT_EQ(Read.Max(), 250);
  EXPECT_EQ(Read.PageSize(), 25);
  EXPECT_EQ(Read.Position(), 40);
  EXPECT_EQ(Read.SmallChange(), 2);
  EXPECT_EQ(Read.LargeChange(), 20);
  EXPECT_FALSE(Read.ShowButtons());
  EXPECT_EQ(Read.BorderWidth(), 0);
  EXPECT_EQ(Read.ThemeObject(), "Slim");
  EXPECT_EQ(Read.Performance(), TVxPerformance::zqpSharedBuffer);
}

}  // namespace
