// The skinned track bar: its geometry against the position formulas, snapping to the frequency,
// dragging, paging and keys with the order of OnChange, bad ranges, and its classic and skinned
// looks.
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_engine.h"

namespace {

class TrackBarTest : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Bar = Add<TVxTrackBar>(Shown, Bounds(10, 10, 150, 45));
    Bar->OnChange = [this](TObject*) { Changes.push_back(Bar->Position()); };
  }
  void Mouse(UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) { SendMessageA(Bar->Handle(), Msg, Keys, Point(X, Y)); }
  void Key(WPARAM K) { SendMessageA(Bar->Handle(), WM_KEYDOWN, K, 0); }
  TVxTrackBar* Bar = nullptr;
  std::vector<Integer> Changes;
};

TEST_F(TrackBarTest, GeometryFollowsThePositionFormulas) {
  // W = 9: Min at 4 + 9 = 13, Max at 150 - 18 - 9 + 13 = 136.
  EXPECT_EQ(Bar->ValueToPixel(0), 13);
  EXPECT_EQ(Bar->ValueToPixel(10), 136);
  // Position 3: round(123 * 3 / 10) + 13 = 50; the thumb is 9 wide and round(9 * 2.2) = 20 deep
  // from 7 across.
  EXPECT_EQ(Bar->GetThumbRect(), Rect(46, 7, 55, 27));
  // Ticks below: groove from 7 + 9 div 4 = 9, 20 - (4 + 2) = 14 deep.
  EXPECT_EQ(Bar->GetTrackRect(), Rect(9, 9, 141, 23));
  // Ticks on top push the thumb 5 down; on both sides the groove is 2 thinner.
  Bar->SetTickMarks(TVxTickMark::ktbmBoth);
  EXPECT_EQ(Bar->GetThumbRect(), Rect(46, 12, 55, 32));
  // 14 + 1 across, 20 - 2 * 2 - 2 = 14 deep.
  EXPECT_EQ(Bar->GetTrackRect(), Rect(9, 15, 141, 29));
  // Vertical: along runs down.
  Bar->SetTickMarks(TVxTickMark::ktbmBottomRight);
  Bar->SetOrientation(TVxTrackOrientation::ktoVertical);
  Bar->SetBounds(10, 10, 45, 150);
  EXPECT_EQ(Bar->GetThumbRect(), Rect(7, 46, 27, 55));
}

TEST_F(TrackBarTest, DraggingSnapsToTheFrequencyAndReportsEachChangeOnce) {
  Bar->SetMax(20);
  Bar->SetFrequency(5);
  Bar->SetPosition(0);
  Changes.clear();
  const TRect Thumb = Bar->GetThumbRect();
  Mouse(WM_LBUTTONDOWN, Thumb.Left + 4, Thumb.Top + 4, MK_LBUTTON);
  ASSERT_TRUE(Bar->Dragging());
  // x = 87 computes round(74 * 20 / 123) = 12, which snaps to 10; x = 93 computes 13: 15.
  Mouse(WM_MOUSEMOVE, 87, 20, MK_LBUTTON);
  EXPECT_EQ(Bar->Position(), 10);
  Mouse(WM_MOUSEMOVE, 88, 20, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, 93, 20, MK_LBUTTON);
  EXPECT_EQ(Bar->Position(), 15);
  // Beyond the control: clamped to its length, so Max.
  Mouse(WM_MOUSEMOVE, 400, 20, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 400, 20);
  EXPECT_FALSE(Bar->Dragging());
  EXPECT_NE(GetCapture(), Bar->Handle());
  EXPECT_EQ(Changes, (std::vector<Integer>{10, 15, 20}));
}

TEST_F(TrackBarTest, ClicksOnTheGroovePageAndKeysStep) {
  // Position 3; a click far right moves by PageSize (2) only, a click left of it back.
  Mouse(WM_LBUTTONDOWN, 130, 15, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 130, 15);
  EXPECT_EQ(Bar->Position(), 5);
  EXPECT_FALSE(Bar->Dragging());
  Mouse(WM_LBUTTONDOWN, 14, 15, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 14, 15);
  EXPECT_TRUE(Bar->Focused());
  for (WPARAM K : {VK_NEXT, VK_RIGHT, VK_DOWN, VK_END, VK_RIGHT, VK_PRIOR, VK_LEFT, VK_UP, VK_HOME, VK_LEFT}) Key(K);
  // Steps that cannot move (past the ends) fire nothing.
  EXPECT_EQ(Changes, (std::vector<Integer>{5, 3, 5, 6, 7, 10, 8, 7, 6, 0}));
}

TEST_F(TrackBarTest, RangesOutOfOrderAreRefusedAndThePositionStaysInside) {
  Bar->SetMax(-5);  // not above Min
  EXPECT_EQ(Bar->Max(), 10);
  Bar->SetMin(10);  // not below Max
  EXPECT_EQ(Bar->Min(), 0);
  Bar->SetPosition(1000);
  EXPECT_EQ(Bar->Position(), 10);
  Bar->SetMax(4);
  EXPECT_EQ(Bar->Position(), 4) << "pulled inside";
  Bar->SetMin(-100);
  Bar->SetPosition(-1000);
  EXPECT_EQ(Bar->Position(), -100);
  // No frequency of 0, no negative thumb; a huge range paints in bounded time.
  Bar->SetFrequency(0);
  EXPECT_EQ(Bar->Frequency(), 1);
  Bar->SetThumbHalfWidth(-3);
  EXPECT_EQ(Bar->ThumbHalfWidth(), 0);
  Bar->SetMin(-2000000000);
  Bar->SetMax(2000000000);
  // W = 1: the ends at 9 and 150 - 9 - 1 = 140, with no overflow on the way.
  EXPECT_EQ(Bar->ValueToPixel(-2000000000), 9);
  EXPECT_EQ(Bar->ValueToPixel(2000000000), 140);
  EXPECT_EQ(Bar->PixelToValue(9), -2000000000);
  EXPECT_EQ(Bar->PixelToValue(140), 2000000000);
  Capture Shot(150, 45);
  PrintClient(Bar, Shot);
  // A bar too short for its thumb maps everything to Min.
  Bar->SetBounds(10, 10, 10, 45);
  EXPECT_EQ(Bar->PixelToValue(5), -2000000000);
}

TEST_F(TrackBarTest, ClassicLookHasTheGrooveTicksAndARaisedThumb) {
  Bar->SetTransparent(false);
  Settle();
  Capture Shot(150, 45);
  PrintClient(Bar, Shot);
  const TRect Track = Bar->GetTrackRect(), Thumb = Bar->GetThumbRect();
  EXPECT_EQ(Shot.At(Track.Left, Track.Top), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(Track.Left + 1, Track.Top + 1), PixelOf(cl3DDkShadow));
  EXPECT_EQ(Shot.At(20, 16), PixelOf(clBtnHighlight)) << "inside the groove";
  // Ticks below from 7 + 20 + 2 = 29: 4 long at Min and Max, 3 elsewhere.
  for (Integer V = 0; V <= 10; ++V) {
    const Integer X = Bar->ValueToPixel(V), Long = V == 0 || V == 10 ? 4 : 3;
    EXPECT_EQ(Shot.At(X, 29 + Long - 1), PixelOf(clBlack)) << V;
    EXPECT_NE(Shot.At(X, 29 + Long), PixelOf(clBlack)) << V;
  }
  EXPECT_EQ(Shot.At(Thumb.Left + 4, Thumb.Top + 6), PixelOf(clBtnFace));
  EXPECT_EQ(Shot.At(Thumb.Left, Thumb.Top + 1), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(Thumb.Right - 1, Thumb.Top + 3), PixelOf(cl3DDkShadow));
  // The point: the corners beside it are the groove's or the face's, not the thumb's.
  EXPECT_NE(Shot.At(Thumb.Left, Thumb.Bottom - 1), PixelOf(clBtnHighlight));
  EXPECT_FALSE(Bar->HitThumb(Thumb.Left, Thumb.Bottom - 1));
  EXPECT_TRUE(Bar->HitThumb(Thumb.Left + 4, Thumb.Bottom - 1));
}

TEST_F(TrackBarTest, ThroughTheSkinTheThumbIsTheThemesInItsState) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsTrackBarDefined(0, "default"));
  const TRect Thumb = Bar->GetThumbRect();
  const auto Differences = [&](Byte State) {
    Capture Shot(150, 45), Reference(150, 45);
    PrintClient(Bar, Shot);
    FillRectColor(Reference.DC(), Rect(0, 0, 150, 45), Shown->Color());
    TCanvas Canvas(Reference.DC());
    TvxStateInfo Info;
    Info.Rect = Bar->GetTrackRect();
    Info.State = 1;
    Theme->DrawTrackBarTrack(0, Canvas, "default", Info);
    Info.Rect = Thumb;
    Info.State = 4;  // horizontal, ticks below
    Info.Part = State;
    Theme->DrawTrackBarThumb(0, Canvas, "default", Info);
    int N = 0;
    for (Integer Y = Thumb.Top; Y < Thumb.Bottom; ++Y)
      for (Integer X = Thumb.Left; X < Thumb.Right; ++X) N += Shot.At(X, Y) != Reference.At(X, Y);
    return N;
  };
  EXPECT_EQ(Differences(0), 0) << "normal";
  Mouse(WM_MOUSEMOVE, Thumb.Left + 4, Thumb.Top + 4);
  ASSERT_TRUE(Bar->ThumbHot());
  EXPECT_EQ(Differences(1), 0) << "hot";
  Mouse(WM_LBUTTONDOWN, Thumb.Left + 4, Thumb.Top + 4, MK_LBUTTON);
  EXPECT_EQ(Differences(2), 0) << "dragging";
  Mouse(WM_LBUTTONUP, Thumb.Left + 4, Thumb.Top + 4);
}

// [Form files] -----------------------------------------------------------------------------------

// A track bar read from the text of a form file.
std::unique_ptr<TVxTrackBar> ReadTrackBar(const std::string& Text) {
  TMemoryStream Source, Binary;
  Source.WriteBuffer(Text.data(), Text.size());
  Source.SetPosition(0);
  ObjectTextToBinary(Source, Binary);
  Binary.SetPosition(0);
  auto Read = std::make_unique<TVxTrackBar>();
  ReadComponent(Binary, *Read);
  return Read;
}

TEST_F(TrackBarTest, FormFilesKeepARangeAboveTheDefaultsAndPutADamagedOneRight) {
  EXPECT_NE(FindClass("TVxTrackBar"), nullptr) << "registered when the program starts";
  TVxTrackBar Source;
  Source.SetMax(30);
  Source.SetMin(20);
  Source.SetPosition(25);
  Source.SetTickMarks(TVxTickMark::ktbmBoth);
  RoundTrip<TVxTrackBar>(Source, {"Min = 20", "Max = 30", "Position = 25", "TickMarks = ktbmBoth"},
                         [](TVxTrackBar& Read) {
                           EXPECT_EQ(Read.Min(), 20) << "read before Max, above the default Max of 10";
                           EXPECT_EQ(Read.Max(), 30);
                           EXPECT_EQ(Read.Position(), 25);
                           EXPECT_EQ(Read.TickMarks(), TVxTickMark::ktbmBoth);
                         });
  const struct {
    const char* Values;
    Integer Min, Max, Position;
  } Cases[] = {
      {"Min = 40\n  Max = 30\n  Position = 35", 30, 40, 35},  // ends swapped
      {"Min = 7\n  Max = 7\n  Position = 9", 7, 8, 8},         // an empty range gets a step
      {"Min = 0\n  Max = 5\n  Position = 99", 0, 5, 5},        // the position pulled inside
  };
  for (const auto& C : Cases) {
    const auto Read = ReadTrackBar(std::string("object TVxTrackBar\n  ") + C.Values + "\nend\n");
    EXPECT_EQ(Read->Min(), C.Min) << C.Values;
    EXPECT_EQ(Read->Max(), C.Max) << C.Values;
    EXPECT_EQ(Read->Position(), C.Position) << C.Values;
  }
}

}  // namespace
