// The skinned scroll box: in-place bars lying over its own scroll bars, driving it and following
// it; its frame and background.
#include <windows.h>

#include "controls_fixture.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_scrollbox.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

class ScrollBoxTest : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    Box = Add<TVxScrollBox>(Shown, Bounds(10, 10, 200, 150));
    Box->SetColor(clYellow);
    Content = Add<TPanel>(Box, Bounds(0, 0, 150, 400));
    Settle();
  }
  TVxInplaceScrollBar* Vertical() const { return Box->SubScrollBar()->Vertical(); }
  TVxInplaceScrollBar* Horizontal() const { return Box->SubScrollBar()->Horizontal(); }
  // Where the box's own bar of that orientation lies, in the form's client coordinates.
  TRect PlatformBar(LONG Object) {
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof Info;
    GetScrollBarInfoSafe(Box->Handle(), Object, Info);
    const TPoint TopLeft = Shown->ScreenToClient({Info.rcScrollBar.left, Info.rcScrollBar.top});
    return Bounds(TopLeft.X, TopLeft.Y, Info.rcScrollBar.right - Info.rcScrollBar.left,
                  Info.rcScrollBar.bottom - Info.rcScrollBar.top);
  }
  // A click on the in-place bar's window at its own coordinates.
  void Click(TVxInplaceScrollBar* Bar, Integer X, Integer Y) {
    SendMessageA(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(X, Y));
    SendMessageA(Bar->Handle(), WM_LBUTTONUP, 0, Point(X, Y));
  }

  TVxScrollBox* Box = nullptr;
  TPanel* Content = nullptr;
};

TEST_F(ScrollBoxTest, InPlaceBarsLieOverTheBoxsOwnBarsWithItsRange) {
  ASSERT_TRUE(Vertical()->Visible());
  EXPECT_EQ(Vertical()->Parent(), Shown);
  EXPECT_EQ(Vertical()->BoundsRect(), PlatformBar(OBJID_VSCROLL));
  EXPECT_FALSE(Horizontal()->Visible()) << "the content is narrow enough";
  SCROLLINFO Range{sizeof Range, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Box->Handle(), SB_VERT, &Range);
  TVxScrollBar* Bar = Vertical()->ScrollBar();
  EXPECT_EQ(Bar->Min(), Range.nMin);
  EXPECT_EQ(Bar->Max(), Range.nMax);
  EXPECT_EQ(Bar->PageSize(), Integer(Range.nPage));
  EXPECT_EQ(Bar->Orientation(), TVxScrollOrientation::ksoVertical);
  EXPECT_EQ(Bar->BorderWidth(), 0);
  // Wider content brings the horizontal bar.
  Content->SetWidth(500);
  Settle();
  EXPECT_TRUE(Horizontal()->Visible());
  EXPECT_EQ(Horizontal()->BoundsRect(), PlatformBar(OBJID_HSCROLL));
  EXPECT_EQ(Horizontal()->ScrollBar()->Orientation(), TVxScrollOrientation::ksoHorizontal);
}

TEST_F(ScrollBoxTest, TheBarsButtonsAndThumbScrollTheBox) {
  TVxScrollBar* Bar = Vertical()->ScrollBar();
  const TRect Down = Bar->GetSecondButtonRect();
  Click(Vertical(), Down.Left + 2, Down.Top + 2);
  EXPECT_EQ(Box->VertPosition(), 8) << "a line of the box";
  EXPECT_EQ(Bar->Position(), 8);
  // Dragging the thumb: the box follows the bar's position.
  const TRect Thumb = Bar->GetThumbRect();
  HWND Wnd = Vertical()->Handle();
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(Thumb.Left + 2, Thumb.Top + 2));
  SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(Thumb.Left + 2, Thumb.Top + 42));
  const Integer Dragged = Bar->Position();
  EXPECT_GT(Dragged, 8);
  EXPECT_EQ(Box->VertPosition(), Dragged);
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(Thumb.Left + 2, Thumb.Top + 42));
  EXPECT_EQ(Box->VertPosition(), Dragged);
  EXPECT_EQ(Bar->Position(), Dragged) << "the box's answer did not move the thumb back";
  // The box scrolled by other means: the bar follows.
  Box->ScrollTo(0, 100);
  Settle();
  EXPECT_EQ(Bar->Position(), 100);
}

TEST_F(ScrollBoxTest, BarsHideWhenTheBoxsBarsGoOrTheBoxIsHidden) {
  Content->SetHeight(50);
  Settle();
  EXPECT_FALSE(Vertical()->Visible());
  Content->SetHeight(400);
  Settle();
  EXPECT_TRUE(Vertical()->Visible());
  Box->Hide();
  EXPECT_FALSE(Vertical()->Visible());
  Box->Show();
  Settle();
  EXPECT_TRUE(Vertical()->Visible());
  // Moved with the box.
  Box->SetBounds(40, 30, 200, 150);
  Settle();
  EXPECT_EQ(Vertical()->BoundsRect(), PlatformBar(OBJID_VSCROLL));
}

TEST_F(ScrollBoxTest, ClassicFrameAndBackground) {
  RedrawWindow(Box->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Settle();
  const int W = Box->Width(), H = Box->Height();
  Capture Shot(W, H);
  ScreenShot(Box->Handle(), Shot);
  EXPECT_EQ(Shot.At(0, 40), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(40, 0), PixelOf(clBtnShadow));
  EXPECT_EQ(Shot.At(1, 40), PixelOf(cl3DDkShadow));
  EXPECT_EQ(Shot.At(40, H - 1), PixelOf(clBtnHighlight));
  // The client area shows the box's colour where no child covers it.
  EXPECT_EQ(Shot.At(W / 2 + 60, 20), PixelOf(clYellow)) << "right of the 150-pixel panel";
}

TEST_F(ScrollBoxTest, AThemeThatDefinesTheBoxPaintsItsBackground) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsScrollBoxDefined(0, "default"));
  Settle();
  Capture Shot(200, 150);
  PrintClient(Box, Shot);
  EXPECT_EQ(Shot.At(170, 20), PixelOf(Theme->SysColors().SysColor(clBtnFace)));
  // The frame around the client is the theme's scroll box.
  RedrawWindow(Box->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Settle();
  Capture Screen(200, 150), Reference(200, 150);
  ScreenShot(Box->Handle(), Screen);
  TCanvas Canvas(Reference.DC());
  Theme->DrawScrollBox(0, Canvas, "default", Rect(0, 0, 200, 150));
  Canvas.SetHandle(nullptr);
  int Differences = 0;
  // The rounded corners show what lies beneath the box; the edges between them are the skin's.
  for (Integer I = 2; I < 148; ++I)
    for (Integer Ring = 0; Ring < 2; ++Ring)
      Differences += (Screen.At(Ring, I) != Reference.At(Ring, I)) + (Screen.At(I, Ring) != Reference.At(I, Ring));
  EXPECT_EQ(Differences, 0) << "left and top edges of the frame";
}

}  // namespace
