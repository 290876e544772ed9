// TCanvas on a 32-bit DIB: pen, brush and font follow their attributes even while selected, and
// the DC gets its own objects back when the canvas lets go of it.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handles.h"

namespace {

class DibFixture : public ::testing::Test {
 protected:
  static constexpr int W = 40, H = 30;
  void SetUp() override {
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = -H;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Dib.Reset(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0));
    ASSERT_TRUE(Dib);
    Old = SelectObject(DC.Get(), Dib.Get());
  }
  void TearDown() override { SelectObject(DC.Get(), Old); }
  // 0x00RRGGBB as stored in the DIB.
  uint32_t At(int X, int Y) const { return Bits[Y * W + X] & 0xFFFFFF; }

  TMemoryDC DC;
  TBitmapHandle Dib;
  uint32_t* Bits = nullptr;
  HGDIOBJ Old = nullptr;
};

TEST_F(DibFixture, BrushAndPenChangesApplyWhileSelected) {
  TCanvas Canvas(DC.Get());
  Canvas.Brush().SetColor(clRed);
  Canvas.FillRect({0, 0, 10, 10});
  EXPECT_EQ(At(5, 5), 0xFF0000u);
  Canvas.Brush().SetColor(clBlue);
  Canvas.FillRect({10, 0, 20, 10});
  EXPECT_EQ(At(15, 5), 0x0000FFu);
  EXPECT_EQ(At(5, 5), 0xFF0000u);

  Canvas.Pen().SetColor(clLime);
  Canvas.MoveTo(0, 20);
  Canvas.LineTo(30, 20);
  EXPECT_EQ(At(0, 20), 0x00FF00u);
  EXPECT_EQ(At(29, 20), 0x00FF00u);
  EXPECT_EQ(At(30, 20), 0u) << "LineTo leaves the end point out";
  EXPECT_EQ(Canvas.PenPos(), (TPoint{30, 20}));

  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Canvas.Pen().SetColor(clYellow);
  Canvas.Rectangle({0, 22, 10, 30});
  EXPECT_EQ(At(0, 22), 0xFFFF00u);
  EXPECT_EQ(At(5, 25), 0u) << "a clear brush leaves the inside";
}

TEST_F(DibFixture, DCGetsItsObjectsBackAndClipIsRestored) {
  const HGDIOBJ OwnBrush = GetCurrentObject(DC.Get(), OBJ_BRUSH);
  const HGDIOBJ OwnFont = GetCurrentObject(DC.Get(), OBJ_FONT);
  {
    TCanvas Canvas(DC.Get());
    Canvas.Font().SetName("Tahoma");
    Canvas.Font().SetHeight(-20);
    const TSize Big = Canvas.TextExtent("Wide");
    Canvas.Font().SetHeight(-10);
    const TSize Small = Canvas.TextExtent("Wide");
    EXPECT_GT(Big.cx, Small.cx) << "a font change reaches the DC";
    EXPECT_GT(Big.cy, Small.cy);

    const int Saved = Canvas.SaveState();
    Canvas.IntersectClip({5, 5, 15, 15});
    EXPECT_EQ(Canvas.ClipRect(), (TRect{5, 5, 15, 15}));
    Canvas.Brush().SetColor(clWhite);
    Canvas.FillRect({0, 0, W, H});
    EXPECT_EQ(At(4, 4), 0u);
    EXPECT_EQ(At(5, 5), 0xFFFFFFu);
    Canvas.RestoreState(Saved);
    EXPECT_EQ(Canvas.ClipRect(), (TRect{0, 0, W, H}));
    Canvas.Brush().SetColor(clGray);
    Canvas.FillRect({0, 0, 2, 2});
    EXPECT_EQ(At(0, 0), 0x808080u);
  }
  EXPECT_EQ(GetCurrentObject(DC.Get(), OBJ_BRUSH), OwnBrush);
  EXPECT_EQ(GetCurrentObject(DC.Get(), OBJ_FONT), OwnFont);
}

TEST_F(DibFixture, TextRectFillsUnlessTheBrushIsClear) {
  TCanvas Canvas(DC.Get());
  Canvas.Font().SetColor(clBlack);
  Canvas.Brush().SetColor(clAqua);
  Canvas.TextRect({0, 0, 20, 20}, 2, 2, "x");
  EXPECT_EQ(At(19, 19), 0x00FFFFu);
  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Canvas.TextRect({20, 0, 40, 20}, 22, 2, "x");
  EXPECT_EQ(At(39, 19), 0u);
}

}  // namespace
