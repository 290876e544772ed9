// The skinned progress bar: its fraction, the classic blocks and smooth bar in both orientations,
// and the skin's frame and bar.
#include <windows.h>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "vexel/controls/vx_progress.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_engine.h"

namespace {

class ProgressTest : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Bar = Add<TVxProgressBar>(Shown, Bounds(10, 10, 140, 16));
  }
  // What the bar shows now.
  uint32_t Shot(Integer X, Integer Y) {
    Capture C(Bar->Width(), Bar->Height());
    PrintClient(Bar, C);
    return C.At(X, Y);
  }
  TVxProgressBar* Bar = nullptr;
};

TEST_F(ProgressTest, StepsShowRoundedBlocksWithGapsFromTheStart) {
  // 140 x 16 inside a 2-pixel border: area 136 x 12, blocks round(12 * 0.64) = 8 wide with
  // 2-pixel gaps, 136 div 10 = 13 of them; at half, round(6.5) + 1 = 7 blocks.
  Bar->SetPosition(50);
  EXPECT_EQ(Bar->GetBarArea(), Rect(2, 2, 138, 14));
  const std::vector<TRect> Blocks = Bar->GetBlocks();
  ASSERT_EQ(Blocks.size(), 7u);
  EXPECT_EQ(Blocks[0], Rect(2, 2, 10, 14));
  EXPECT_EQ(Blocks[6], Rect(62, 2, 70, 14));
  const uint32_t Fill = PixelOf(clHighlight), Face = PixelOf(clBtnFace);
  const struct {
    Integer X;
    uint32_t Pixel;
  } Cases[] = {{2, Fill}, {9, Fill}, {10, Face}, {11, Face}, {12, Fill}, {69, Fill}, {70, Face}, {75, Face}};
  for (const auto& C : Cases) EXPECT_EQ(Shot(C.X, 8), C.Pixel) << C.X;
  EXPECT_EQ(Shot(0, 0), PixelOf(clBtnShadow)) << "the sunken frame";
  EXPECT_EQ(Shot(139, 15), PixelOf(clBtnHighlight));

  // Out of range or under 1 %: nothing; the full range: every block, the last one cut.
  for (Integer P : {101, -1, 0}) {
    Bar->SetPosition(P);
    EXPECT_TRUE(Bar->GetBlocks().empty()) << P;
    EXPECT_EQ(Shot(4, 8), Face) << P;
  }
  Bar->SetPosition(100);
  ASSERT_EQ(Bar->GetBlocks().size(), 14u);
  EXPECT_EQ(Bar->GetBlocks().back(), Rect(132, 2, 138, 14));
}

TEST_F(ProgressTest, VerticalBlocksGrowUpAndTheSmoothBarFillsItsFraction) {
  Bar->SetBounds(10, 10, 16, 140);
  Bar->SetOrientation(TVxProgressOrientation::kpoVertical);
  Bar->SetPosition(50);
  const std::vector<TRect> Blocks = Bar->GetBlocks();
  ASSERT_EQ(Blocks.size(), 7u);
  EXPECT_EQ(Blocks[0], Rect(2, 130, 14, 138));
  EXPECT_EQ(Shot(8, 137), PixelOf(clHighlight));
  EXPECT_EQ(Shot(8, 129), PixelOf(clBtnFace));
  Bar->SetSmooth(true);
  // Top at 138 - round(0.5 * 136) = 70.
  EXPECT_EQ(Bar->GetBarRect(), Rect(2, 70, 14, 138));
  EXPECT_EQ(Shot(8, 70), PixelOf(clHighlight));
  EXPECT_EQ(Shot(8, 69), PixelOf(clBtnFace));
}

TEST_F(ProgressTest, ARangeBelowZeroOrOutOfOrderNeitherBreaksNorInverts) {
  Bar->SetSmooth(true);
  // -50 .. 50 at 0 is half full.
  Bar->SetMin(-50);
  Bar->SetMax(50);
  Bar->SetPosition(0);
  EXPECT_FLOAT_EQ(Bar->Fraction(), 0.5f);
  EXPECT_EQ(Bar->GetBarRect(), Rect(2, 2, 70, 14));
  // Min above Max, or equal: an empty bar.
  Bar->SetMin(80);
  Bar->SetMax(20);
  Bar->SetPosition(50);
  EXPECT_EQ(Bar->Fraction(), 0.0f);
  EXPECT_EQ(Shot(4, 8), PixelOf(clBtnFace));
  Bar->SetMin(20);
  Bar->SetPosition(20);
  EXPECT_EQ(Bar->Fraction(), 0.0f);
  // A border wider than the bar leaves no area and draws no block.
  Bar->SetMin(0);
  Bar->SetMax(10);
  Bar->SetPosition(10);
  Bar->SetSmooth(false);
  Bar->SetBorderWidth(50);
  EXPECT_TRUE(Bar->GetBlocks().empty());
  Shot(0, 0);
}

TEST_F(ProgressTest, ThroughTheSkinTheFrameAndBarAreTheThemesParts) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsProgressBarDefined(0, "default"));
  Bar->SetPosition(30);
  Capture Shot(140, 16), Reference(140, 16);
  PrintClient(Bar, Shot);
  FillRectColor(Reference.DC(), Rect(0, 0, 140, 16), Shown->Color());
  TCanvas Canvas(Reference.DC());
  TvxStateInfo Info;
  Info.Rect = Rect(0, 0, 140, 16);
  Info.State = 1;  // horizontal frame
  Theme->DrawProgressBar(0, Canvas, "default", Info);
  Info.Rect = Bar->GetBarRect();
  Info.State = 3;  // horizontal blocks
  Theme->DrawProgressBar(0, Canvas, "default", Info);
  int Differences = 0;
  for (Integer Y = 0; Y < 16; ++Y)
    for (Integer X = 0; X < 140; ++X) Differences += Shot.At(X, Y) != Reference.At(X, Y);
  EXPECT_EQ(Differences, 0);
  EXPECT_NE(Shot.At(4, 8), Shot.At(120, 8)) << "the bar shows";
}

TEST_F(ProgressTest, FormFilesHoldTheBarWithItsRangeAndLook) {
  EXPECT_NE(FindClass("TVxProgressBar"), nullptr) << "registered when the program starts";
  TVxProgressBar Source;
  Source.SetMin(200);
  Source.SetMax(300);
  Source.SetPosition(250);
  Source.SetOrientation(TVxProgressOrientation::kpoVertical);
  Source.SetSmooth(true);
  RoundTrip<TVxProgressBar>(Source, {"Min = 200", "Max = 300", "Position = 250", "Smooth = True"},
                            [](TVxProgressBar& Read) {
                              EXPECT_EQ(Read.Min(), 200);
                              EXPECT_EQ(Read.Max(), 300);
                              EXPECT_EQ(Read.Position(), 250);
                              EXPECT_EQ(Read.Orientation(), TVxProgressOrientation::kpoVertical);
                              EXPECT_TRUE(Read.Smooth());
                            });
}

}  // namespace
