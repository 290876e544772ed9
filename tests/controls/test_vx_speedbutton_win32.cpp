// Speed buttons, dividers, spaces and containers on real windows: the glyph and caption layout,
// latching in groups, the chevron and its menu, click repetition, the glyph cells, their looks in
// the classic style and through the sample skin, and form files.
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/actions.h"
#include "framework/ui/menus.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_engine.h"

namespace {

const std::string SampleSkin = std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";

// A caption of a fixed size, so that the layout's numbers do not depend on a font.
class TFixedCaptionButton : public TVxSpeedButton {
 public:
  using TVxSpeedButton::TVxSpeedButton;
  TSize GetCaptionSize() override { return Caption().empty() ? TSize{0, 0} : TSize{20, 13}; }
};

// Remembers the font each caption was drawn in.
class TFontWatchButton : public TVxSpeedButton {
 public:
  using TVxSpeedButton::TVxSpeedButton;
  std::vector<std::string> Fonts;

 protected:
  void PaintCaption(TPoint Offset) override {
    TVxSpeedButton::PaintCaption(Offset);
    const TFont& F = Canvas()->Font();
    Fonts.push_back(F.Name() + " " + std::to_string(F.Height()) + " " + std::to_string(F.Color()));
  }
};

class SpeedButtonTest : public ShownFormTest {
 protected:
  // Mouse messages reach a windowless control through its parent, at the parent's coordinates.
  static void Mouse(TControl* C, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(C->Parent()->Handle(), Msg, Keys, Point(C->Left() + X, C->Top() + Y));
  }
  static void ClickAt(TControl* C, Integer X, Integer Y) {
    Mouse(C, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
    Mouse(C, WM_LBUTTONUP, X, Y);
  }
  // Runs the repeat timer's handler as a tick of the platform timer would.
  static void Tick(TVxSpeedButton* B) { B->RepeatTimer()->OnTimer()(B->RepeatTimer()); }
  // What the form shows at a point of the control.
  static uint32_t PixelAt(TControl* C, Integer X, Integer Y) {
    Capture Shot(400, 320);
    PrintClient(Shown, Shot);
    return Shot.At(C->Left() + X, C->Top() + Y);
  }
  static void PressEscapeSoon() { PostMessageA(Shown->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }
};

// [Geometry] -------------------------------------------------------------------------------------

TEST_F(SpeedButtonTest, GlyphAndCaptionBoxesFollowLayoutMarginAndSpacing) {
  using L = TButtonLayout;
  // Glyph 16 x 16, caption 20 x 13.
  const struct {
    const char* Name;
    L Layout;
    Integer W, H, Margin, Spacing;
    bool Caption;
    TRect Glyph, Text;
  } Cases[] = {
      {"left", L::blGlyphLeft, 60, 29, -1, 4, true, Rect(10, 6, 26, 22), Rect(30, 8, 50, 21)},
      {"right", L::blGlyphRight, 60, 29, -1, 4, true, Rect(33, 6, 49, 22), Rect(9, 8, 29, 21)},
      {"top", L::blGlyphTop, 40, 50, -1, 4, true, Rect(12, 8, 28, 24), Rect(10, 28, 30, 41)},
      {"bottom", L::blGlyphBottom, 40, 50, -1, 4, true, Rect(12, 25, 28, 41), Rect(10, 8, 30, 21)},
      {"margin", L::blGlyphLeft, 60, 29, 3, 4, true, Rect(3, 6, 19, 22), Rect(23, 8, 43, 21)},
      {"auto spacing left", L::blGlyphLeft, 60, 29, -1, -1, true, Rect(8, 6, 24, 22), Rect(32, 8, 52, 21)},
      {"auto spacing right", L::blGlyphRight, 60, 29, -1, -1, true, Rect(35, 6, 51, 22), Rect(7, 8, 27, 21)},
      {"auto spacing top", L::blGlyphTop, 40, 50, -1, -1, true, Rect(12, 7, 28, 23), Rect(10, 30, 30, 43)},
      {"no caption", L::blGlyphLeft, 60, 29, -1, 4, false, Rect(22, 6, 38, 22), Rect(40, 8, 40, 8)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* B = Add<TFixedCaptionButton>(Shown, Bounds(10, 10, C.W, C.H));
    B->SetGlyph(Strip(16, {clRed}).get());
    B->SetLayout(C.Layout);
    B->SetMargin(C.Margin);
    B->SetSpacing(C.Spacing);
    B->SetCaption(C.Caption ? "Ab" : "");
    EXPECT_EQ(B->GetGlyphRect(), C.Glyph);
    if (C.Caption) {
      EXPECT_EQ(B->GetCaptionRect(), C.Text);
    }
    delete B;
  }
  // Without a glyph the caption is centred in the whole control.
  auto* B = Add<TFixedCaptionButton>(Shown, Bounds(10, 10, 60, 29));
  B->SetCaption("Ab");
  EXPECT_EQ(B->GetCaptionRect(), Rect(20, 8, 40, 21));
  EXPECT_EQ(B->GetGlyphSize(), (TSize{0, 0}));
}

TEST_F(SpeedButtonTest, TheChevronWidensTheButtonByFourteenAndKeepsItsArrowInTheLastPixels) {
  auto* B = Add<TFixedCaptionButton>(Shown, Bounds(10, 10, 60, 29));
  B->SetGlyph(Strip(16, {clRed}).get());
  B->SetCaption("Ab");
  EXPECT_EQ(B->GetChevronRect(), Rect(60, 0, 60, 29)) << "empty without a chevron";
  B->SetShowChevron(true);
  EXPECT_EQ(B->Width(), 74);
  EXPECT_EQ(B->GetButtonRect(), Rect(0, 0, 60, 29));
  EXPECT_EQ(B->GetChevronRect(), Rect(60, 0, 74, 29));
  EXPECT_EQ(B->GetChevronArrowRect(), Rect(64, 13, 69, 16));
  // The face keeps the layout it had before the chevron.
  EXPECT_EQ(B->GetGlyphRect(), Rect(10, 6, 26, 22));
  B->SetShowChevron(false);
  EXPECT_EQ(B->Width(), 60);
}

// [Glyph cells] ----------------------------------------------------------------------------------

TEST_F(SpeedButtonTest, AFourCellStripShowsEachCellInItsState) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 40, 40));
  B->SetGlyph(Strip(100, {clRed, clBlue, clYellow, clAqua}, 25).get());
  EXPECT_EQ(B->NumGlyphs(), 4);
  EXPECT_EQ(B->GetGlyphSize(), (TSize{25, 25}));
  B->SetCaption("");
  Settle();
  const TRect G = B->GetGlyphRect();
  // The glyph moves by (1, 1) while pressed or latched.
  const auto Centre = [&](Integer Shift) { return PixelAt(B, G.Left + 12 + Shift, G.Top + 12 + Shift); };
  EXPECT_EQ(Centre(0), PixelOf(clRed)) << "normal";
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(Centre(1), PixelOf(clYellow)) << "pressed";
  Mouse(B, WM_LBUTTONUP, 200, 200);
  B->SetGroupIndex(1);
  B->SetDown(true);
  EXPECT_EQ(B->State(), TVxSpeedButton::StateLatched);
  EXPECT_EQ(Centre(1), PixelOf(clAqua)) << "latched";
  B->SetGlyph(Strip(75, {clRed, clBlue, clYellow}, 25).get());
  ASSERT_EQ(B->NumGlyphs(), 3);
  EXPECT_EQ(Centre(1), PixelOf(clRed)) << "three cells: latched shows the first";
  B->SetDown(false);
  B->SetEnabled(false);
  EXPECT_EQ(Centre(0), PixelOf(clBlue)) << "disabled";
  B->SetEnabled(true);
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(Centre(1), PixelOf(clYellow)) << "three cells: pressed shows the third";
  Mouse(B, WM_LBUTTONUP, 200, 200);
  // A strip five or more times as wide as high is one glyph.
  B->SetGlyph(Strip(125, {clRed}, 25).get());
  EXPECT_EQ(B->NumGlyphs(), 1);
}

TEST_F(SpeedButtonTest, WithoutAGlyphTheImageListGivesItAndAFreedListIsForgotten) {
  auto* List = new TImageList(Owner.get());
  List->Add(Strip(16, {clBlue}).get(), nullptr);
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  B->SetCaption("");
  B->SetImages(List);
  EXPECT_EQ(B->GetGlyphSize(), (TSize{0, 0})) << "no index yet";
  B->SetImageIndex(0);
  EXPECT_EQ(B->GetGlyphSize(), (TSize{16, 16}));
  EXPECT_EQ(B->GetGlyphRect(), Rect(6, 6, 22, 22));
  EXPECT_EQ(PixelAt(B, 14, 14), PixelOf(clBlue));
  // The list's image is one image, whatever NumGlyphs says of the button's own strips.
  B->SetNumGlyphs(2);
  EXPECT_EQ(B->GetGlyphSize(), (TSize{16, 16}));
  B->SetEnabled(false);
  EXPECT_NE(PixelAt(B, 14, 14), PixelOf(clBlue)) << "a single image greys when disabled";
  B->SetEnabled(true);
  B->SetGlyph(Strip(16, {clRed}).get());
  EXPECT_EQ(PixelAt(B, 14, 14), PixelOf(clRed)) << "the glyph comes first";
  B->SetGlyph(nullptr);
  delete List;
  EXPECT_EQ(B->Images(), nullptr);
  EXPECT_EQ(B->GetGlyphSize(), (TSize{0, 0}));
}

// [Groups] ---------------------------------------------------------------------------------------

TEST_F(SpeedButtonTest, ALatchedButtonStaysDownWhenClickedAgainAndStillClicks) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  B->SetGroupIndex(1);
  ClickAt(B, 5, 5);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(B->State(), TVxSpeedButton::StateLatched);
  ClickAt(B, 5, 5);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(B->State(), TVxSpeedButton::StateLatched);
  EXPECT_EQ(Clicks, 2);
  // With AllowAllUp the same click raises it.
  B->SetAllowAllUp(true);
  ClickAt(B, 5, 5);
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(B->State(), TVxSpeedButton::StateUp);
  EXPECT_EQ(Clicks, 3);
  // Released on the bottom edge still counts as inside, on the right edge it does not.
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  Mouse(B, WM_LBUTTONUP, 5, 29);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks, 4);
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  Mouse(B, WM_LBUTTONUP, 29, 5);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks, 4) << "released outside: no click";
  EXPECT_EQ(B->State(), TVxSpeedButton::StateLatched) << "and not left pressed";
}

TEST_F(SpeedButtonTest, PressingOneButtonOfAGroupRaisesTheOtherAndSharesItsAllowAllUp) {
  auto* A = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(40, 10, 29, 29));
  auto* Other = Add<TVxSpeedButton>(Shown, Bounds(70, 10, 29, 29));
  for (TVxSpeedButton* S : {A, B}) S->SetGroupIndex(1);
  Other->SetGroupIndex(2);
  Other->SetDown(true);
  ClickAt(A, 5, 5);
  EXPECT_TRUE(A->Down());
  ClickAt(B, 5, 5);
  EXPECT_TRUE(B->Down());
  EXPECT_FALSE(A->Down());
  EXPECT_EQ(A->State(), TVxSpeedButton::StateUp);
  EXPECT_TRUE(Other->Down()) << "another group";
  B->SetAllowAllUp(true);
  EXPECT_TRUE(A->AllowAllUp());
  EXPECT_FALSE(Other->AllowAllUp());
  A->SetAllowAllUp(false);
  EXPECT_FALSE(B->AllowAllUp());
}

TEST_F(SpeedButtonTest, ChangingTheGroupOfALatchedButtonLeavesNothingStuck) {
  auto* A = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(40, 10, 29, 29));
  A->SetGroupIndex(1);
  B->SetGroupIndex(2);
  A->SetDown(true);
  B->SetDown(true);
  // Moving into a group with a latched button raises that one.
  B->SetGroupIndex(1);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(B->State(), TVxSpeedButton::StateLatched);
  EXPECT_FALSE(A->Down());
  // Leaving every group: nothing could raise it again, so it goes up now.
  B->SetGroupIndex(0);
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(B->State(), TVxSpeedButton::StateUp);
  // Down without a group: a click never leaves it looking pressed.
  B->SetDown(true);
  ClickAt(B, 5, 5);
  EXPECT_NE(B->State(), TVxSpeedButton::StatePressed);
}

// [Chevron, menus and repetition] ----------------------------------------------------------------

TEST_F(SpeedButtonTest, APressOnTheChevronNeverClicksAndItsReleaseOpensTheChevronMenu) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  B->SetShowChevron(true);
  B->SetAllowTimer(true);
  auto* Menu = new TPopupMenu(Owner.get());
  Menu->Items()->Add(new TMenuItem(Owner.get()));
  B->SetChevronMenu(Menu);
  int Clicks = 0, ChevronClicks = 0;
  std::vector<Byte> StatesWhenOpened;
  B->OnClick = [&](TObject*) { ++Clicks; };
  B->OnChevronClick = [&](TObject*) { ++ChevronClicks; };
  Menu->OnPopup = [&](TObject*) {
    StatesWhenOpened.push_back(B->State());
    EXPECT_EQ(Menu->PopupComponent(), B);
  };
  Mouse(B, WM_LBUTTONDOWN, 35, 10, MK_LBUTTON);
  EXPECT_EQ(B->State(), TVxSpeedButton::StateChevron);
  EXPECT_EQ(ChevronClicks, 1);
  EXPECT_EQ(B->RepeatTimer(), nullptr) << "no repetition from the chevron";
  // Leaving and coming back while held does not turn the chevron press into a button press.
  B->Perform(CM_MOUSELEAVE, 0, 0);
  B->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(B->State(), TVxSpeedButton::StateChevron);
  PressEscapeSoon();
  Mouse(B, WM_LBUTTONUP, 35, 10);
  EXPECT_EQ(StatesWhenOpened, std::vector<Byte>{TVxSpeedButton::StateUp});
  EXPECT_EQ(B->State(), TVxSpeedButton::StateUp);
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(B->Hot()) << "the menu took the pointer";
}

TEST_F(SpeedButtonTest, TheDropDownMenuOpensAfterTheClickAndFreedMenusAreForgotten) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  auto* Menu = new TPopupMenu(Owner.get());
  Menu->Items()->Add(new TMenuItem(Owner.get()));
  B->SetDropDownMenu(Menu);
  B->SetChevronMenu(Menu);
  std::vector<std::string> Order;
  B->OnClick = [&](TObject*) { Order.push_back("click"); };
  Menu->OnPopup = [&](TObject*) { Order.push_back("menu"); };
  PressEscapeSoon();
  ClickAt(B, 5, 5);
  EXPECT_EQ(Order, (std::vector<std::string>{"click", "menu"}));
  B->SetDesigning(true);
  ClickAt(B, 5, 5);
  EXPECT_EQ(Order.size(), 3u) << "design mode opens no menu";
  B->SetDesigning(false);
  delete Menu;
  EXPECT_EQ(B->DropDownMenu(), nullptr);
  EXPECT_EQ(B->ChevronMenu(), nullptr);
  ClickAt(B, 5, 5);
  EXPECT_EQ(Order.size(), 4u) << "a click and no menu";
  // A menu let go as the chevron menu but still the button's context menu, and still holding the
  // button as the component it was shown for: both ends still hear when the other is freed.
  auto* Shared = new TPopupMenu(Owner.get());
  B->SetPopupMenu(Shared);
  B->SetChevronMenu(Shared);
  Shared->SetPopupComponent(B);
  B->SetChevronMenu(nullptr);
  delete Shared;
  EXPECT_EQ(B->PopupMenu(), nullptr);
  auto* Holder = new TPopupMenu(Owner.get());
  B->SetDropDownMenu(Holder);
  Holder->SetPopupComponent(B);
  B->SetDropDownMenu(nullptr);
  delete B;
  EXPECT_EQ(Holder->PopupComponent(), nullptr);
}

TEST_F(SpeedButtonTest, HoldingRepeatsTheClickAfter400ThenEvery100WhileOnTheButton) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  B->SetAllowTimer(true);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  ASSERT_NE(B->RepeatTimer(), nullptr);
  EXPECT_TRUE(B->RepeatTimer()->Enabled());
  EXPECT_EQ(B->RepeatTimer()->Interval(), 400u);
  Tick(B);
  EXPECT_EQ(B->RepeatTimer()->Interval(), 100u);
  Tick(B);
  EXPECT_EQ(Clicks, 2);
  // Off the button the state is 0: no clicks, but the timer runs on.
  B->Perform(CM_MOUSELEAVE, 0, 0);
  Tick(B);
  EXPECT_EQ(Clicks, 2);
  EXPECT_TRUE(B->RepeatTimer()->Enabled());
  B->Perform(CM_MOUSEENTER, 0, 0);
  Tick(B);
  EXPECT_EQ(Clicks, 3);
  Mouse(B, WM_LBUTTONUP, 5, 5);
  EXPECT_FALSE(B->RepeatTimer()->Enabled());
  EXPECT_EQ(Clicks, 4) << "the release clicks once more";
  // A click that throws stops the repetition before the error goes on.
  B->OnClick = [](TObject*) { throw std::runtime_error("refused"); };
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_THROW(Tick(B), std::runtime_error);
  EXPECT_FALSE(B->RepeatTimer()->Enabled());
  B->OnClick = nullptr;
  Mouse(B, WM_LBUTTONUP, 5, 5);
  // A press whose release goes elsewhere (another window took the mouse): the repetition stops
  // and the button no longer shows pressed, also when the pointer comes back.
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  ASSERT_TRUE(B->RepeatTimer()->Enabled());
  SetCapture(Shown->Handle());
  ReleaseCapture();
  EXPECT_FALSE(B->RepeatTimer()->Enabled());
  B->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_NE(B->State(), TVxSpeedButton::StatePressed);
}

TEST_F(SpeedButtonTest, TheAcceleratorClicksAnEnabledButtonAndADoubleClickCountsOnlyWhileDown) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  B->SetCaption("&Bold");
  int Clicks = 0, DoubleClicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  B->OnDblClick = [&](TObject*) { ++DoubleClicks; };
  EXPECT_EQ(B->Perform(CM_DIALOGCHAR, 'b', 0), 1);
  EXPECT_EQ(B->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  B->SetEnabled(false);
  EXPECT_EQ(B->Perform(CM_DIALOGCHAR, 'b', 0), 0);
  EXPECT_EQ(Clicks, 1);
  B->SetEnabled(true);
  Mouse(B, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  Mouse(B, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(DoubleClicks, 0) << "up";
  B->SetGroupIndex(1);
  B->SetDown(true);
  Mouse(B, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  Mouse(B, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(DoubleClicks, 1) << "down";
}

// [Actions] --------------------------------------------------------------------------------------

TEST_F(SpeedButtonTest, ACheckedActionLatchesTheButtonAndAClickRaisesItAgain) {
  auto* Action = new TAction(Owner.get());
  Action->SetCaption("Bold");
  int Runs = 0;
  Action->OnExecute = [&](TAction*) { ++Runs; };
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(10, 10, 29, 29));
  B->SetAction(Action);
  EXPECT_EQ(B->Caption(), "Bold");
  Action->SetChecked(true);
  EXPECT_TRUE(B->Down());
  EXPECT_NE(B->GroupIndex(), 0);
  EXPECT_TRUE(B->AllowAllUp());
  // The action changing while the button is held: that press's release only ends it.
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  Action->SetChecked(false);
  EXPECT_FALSE(B->Down());
  Mouse(B, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(Runs, 0);
  EXPECT_FALSE(B->Down());
  // A change from code with no press held leaves the next click whole: it runs the action and,
  // the group allowing all up, raises the button.
  Action->SetChecked(true);
  EXPECT_TRUE(B->Down());
  ClickAt(B, 5, 5);
  EXPECT_EQ(Runs, 1);
  EXPECT_FALSE(B->Down());
  ClickAt(B, 5, 5);
  EXPECT_EQ(Runs, 2);
  EXPECT_TRUE(B->Down());
}

// [Looks] ----------------------------------------------------------------------------------------

TEST_F(SpeedButtonTest, ClassicFlatButtonShowsAFrameOnlyWhenHotPressedOrLatched) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(20, 20, 29, 29));
  B->SetColor(clYellow);
  B->SetGroupIndex(1);
  auto* Away = Add<TVxSpeedButton>(Shown, Bounds(200, 200, 29, 29));
  Settle();
  EXPECT_EQ(PixelAt(B, 0, 0), PixelOf(clYellow)) << "at rest: no frame";
  EXPECT_EQ(PixelAt(B, 28, 28), PixelOf(clYellow));
  Mouse(B, WM_MOUSEMOVE, 5, 5);
  ASSERT_TRUE(B->Hot());
  EXPECT_EQ(PixelAt(B, 0, 0), PixelOf(clBtnHighlight)) << "hot: raised";
  EXPECT_EQ(PixelAt(B, 28, 28), PixelOf(clBtnShadow));
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(PixelAt(B, 0, 0), PixelOf(clBtnShadow)) << "pressed: sunken";
  EXPECT_EQ(PixelAt(B, 28, 28), PixelOf(clBtnHighlight));
  Mouse(B, WM_LBUTTONUP, 5, 5);
  Mouse(Away, WM_MOUSEMOVE, 5, 5);
  ASSERT_FALSE(B->Hot());
  ASSERT_TRUE(B->Down());
  // Latched and not hot: sunken around the checkerboard of face and highlight.
  EXPECT_EQ(PixelAt(B, 0, 0), PixelOf(clBtnShadow));
  EXPECT_EQ(PixelAt(B, 28, 28), PixelOf(clBtnHighlight));
  const uint32_t A1 = PixelAt(B, 1, 1), A2 = PixelAt(B, 2, 1);
  EXPECT_NE(A1, A2);
  for (uint32_t P : {A1, A2}) EXPECT_TRUE(P == PixelOf(clBtnFace) || P == PixelOf(clBtnHighlight)) << std::hex << P;
}

TEST_F(SpeedButtonTest, ClassicRaisedButtonIsThePlatformPushButtonAndLatchedIsPushedWithTheCheckerboard) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(20, 20, 29, 29));
  B->SetFlat(false);
  B->SetGroupIndex(1);
  Settle();
  Capture Reference(29, 29);
  RECT Box{0, 0, 29, 29};
  DrawFrameControl(Reference.DC(), &Box, DFC_BUTTON, DFCS_BUTTONPUSH);
  for (const TPoint P : {TPoint{0, 0}, TPoint{1, 1}, TPoint{28, 28}, TPoint{27, 27}})
    EXPECT_EQ(PixelAt(B, P.X, P.Y), Reference.At(P.X, P.Y)) << P.X << "," << P.Y;
  B->SetDown(true);
  Capture Pushed(29, 29);
  Box = RECT{0, 0, 29, 29};
  DrawFrameControl(Pushed.DC(), &Box, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT);
  EXPECT_EQ(PixelAt(B, 0, 0), Pushed.At(0, 0));
  EXPECT_EQ(PixelAt(B, 28, 28), Pushed.At(28, 28));
  const uint32_t A1 = PixelAt(B, Box.left, Box.top), A2 = PixelAt(B, Box.left + 1, Box.top);
  EXPECT_NE(A1, A2) << "checkerboard inside the frame";
}

TEST_F(SpeedButtonTest, ClassicChevronArrowIsAFilledTriangleInButtonText) {
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(20, 20, 29, 29));
  B->SetCaption("");
  B->SetShowChevron(true);
  Settle();
  // Arrow box (33, 13, 38, 16): the top row is full, the middle column reaches the bottom row.
  EXPECT_EQ(B->GetChevronArrowRect(), Rect(33, 13, 38, 16));
  for (const TPoint P : {TPoint{33, 13}, TPoint{36, 13}, TPoint{35, 15}})
    EXPECT_EQ(PixelAt(B, P.X, P.Y), PixelOf(clBtnText)) << P.X << "," << P.Y;
  for (const TPoint P : {TPoint{33, 15}, TPoint{35, 16}, TPoint{35, 12}})
    EXPECT_NE(PixelAt(B, P.X, P.Y), PixelOf(clBtnText)) << P.X << "," << P.Y;
}

TEST_F(SpeedButtonTest, ClassicDividerIsATwoPixelBevelInTheMiddle) {
  auto* D = Add<TVxSpeedDivider>(Shown, Bounds(20, 20, 8, 25));
  EXPECT_EQ(D->Width(), 8);
  Settle();
  EXPECT_EQ(PixelAt(D, 3, 10), PixelOf(clBtnShadow));
  EXPECT_EQ(PixelAt(D, 4, 10), PixelOf(clBtnHighlight));
  EXPECT_EQ(PixelAt(D, 2, 10), PixelOf(Shown->Color())) << "the parent shows beside it";
  EXPECT_EQ(PixelAt(D, 5, 10), PixelOf(Shown->Color()));
}

TEST_F(SpeedButtonTest, WithVisualStylesTheButtonAndDividerAreThePlatformsToolbarParts) {
  AllowVisualStyles();
  if (!StyleAvailable(Shown->Handle(), L"Toolbar")) GTEST_SKIP() << "the platform shows no visual styles here";
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(20, 20, 29, 29));
  B->SetCaption("");
  B->SetGroupIndex(1);
  auto* D = Add<TVxSpeedDivider>(Shown, Bounds(60, 20, 8, 29));
  auto* Away = Add<TVxSpeedButton>(Shown, Bounds(200, 200, 29, 29));
  Settle();
  const auto Differences = [&](TControl* C, int Part, int State) {
    Capture Shot(400, 320), Reference(C->Width(), C->Height());
    PrintClient(Shown, Shot);
    FillRectColor(Reference.DC(), Rect(0, 0, C->Width(), C->Height()), Shown->Color());
    HTHEME Theme = ThemeFunctions().OpenThemeData(Shown->Handle(), L"Toolbar");
    const RECT Area{0, 0, C->Width(), C->Height()};
    ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), Part, State, &Area, nullptr);
    ThemeFunctions().CloseThemeData(Theme);
    int Count = 0;
    for (Integer Y = 0; Y < C->Height(); ++Y)
      for (Integer X = 0; X < C->Width(); ++X) Count += Shot.At(C->Left() + X, C->Top() + Y) != Reference.At(X, Y);
    return Count;
  };
  EXPECT_EQ(Differences(B, 1, 1), 0) << "normal";
  EXPECT_NE(Differences(B, 1, 2), 0) << "at rest it is not the hot part";
  Mouse(B, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Differences(B, 1, 2), 0) << "hot";
  ClickAt(B, 5, 5);
  EXPECT_EQ(Differences(B, 1, 6), 0) << "latched and hot";
  Mouse(Away, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Differences(B, 1, 5), 0) << "latched";
  EXPECT_EQ(Differences(D, 5, 1), 0) << "divider";
}

TEST_F(SpeedButtonTest, ThroughTheSkinEachStateIsTheThemesToolItem) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsToolBarDefined(1, "default"));
  auto* B = Add<TVxSpeedButton>(Shown, Bounds(20, 20, 40, 29));
  B->SetShowChevron(true);  // 54 wide
  B->SetGroupIndex(1);
  auto* D = Add<TVxSpeedDivider>(Shown, Bounds(80, 20, 8, 29));
  auto* Away = Add<TVxSpeedButton>(Shown, Bounds(200, 200, 29, 29));
  Settle();
  // The face and the chevron as the theme draws them over the form.
  const auto Differences = [&](TControl* C, const std::vector<TvxToolItemInfo>& Items) {
    Capture Shot(400, 320), Reference(C->Width(), C->Height());
    PrintClient(Shown, Shot);
    FillRectColor(Reference.DC(), Rect(0, 0, C->Width(), C->Height()), Shown->Color());
    TCanvas Canvas(Reference.DC());
    for (const TvxToolItemInfo& Info : Items) Theme->DrawToolBarItem(1, Canvas, "default", Info);
    int Count = 0;
    for (Integer Y = 0; Y < C->Height(); ++Y)
      for (Integer X = 0; X < C->Width(); ++X) Count += Shot.At(C->Left() + X, C->Top() + Y) != Reference.At(X, Y);
    return Count;
  };
  const auto Item = [](TRect R, Byte State, Byte Part) {
    TvxToolItemInfo Info;
    Info.Rect = R;
    Info.State = State;
    Info.Part = Part;
    return Info;
  };
  const TRect Face = Rect(0, 0, 40, 29), Chevron = Rect(40, 0, 54, 29);
  const auto Button = [&](Byte State, Byte ChevronState) {
    return Differences(B, {Item(Face, State, 3), Item(Chevron, ChevronState, 4)});
  };
  EXPECT_EQ(Button(0, 0), 0) << "normal";
  Mouse(B, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Button(1, 1), 0) << "hot";
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(Button(2, 2), 0) << "pressed";
  Mouse(B, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(Button(6, 6), 0) << "latched and hot";
  Mouse(Away, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Button(5, 5), 0) << "latched";
  B->SetDown(false);
  B->SetEnabled(false);
  EXPECT_EQ(Button(3, 3), 0) << "disabled";
  EXPECT_EQ(Differences(D, {Item(Rect(0, 0, 8, 29), 0, 1)}), 0) << "divider";
}

TEST_F(SpeedButtonTest, ThroughTheSkinTheCaptionTakesTheThemeFontOfItsState) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  const auto FontOf = [&](Integer Index) {
    TFont F;
    Theme->GetFont(F, Index, "default");
    return F.Name() + " " + std::to_string(F.Height()) + " " + std::to_string(F.Color());
  };
  auto* B = Add<TFontWatchButton>(Shown, Bounds(20, 20, 60, 29));
  B->SetCaption("Ab");
  B->SetGroupIndex(1);
  auto* Away = Add<TVxSpeedButton>(Shown, Bounds(200, 200, 29, 29));
  const auto Painted = [&] {
    B->Fonts.clear();
    B->Invalidate();
    Settle();
    return B->Fonts.empty() ? std::string() : B->Fonts.back();
  };
  EXPECT_EQ(Painted(), FontOf(10)) << "flat at rest";
  Mouse(B, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Painted(), FontOf(12)) << "hot";
  Mouse(B, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  EXPECT_EQ(Painted(), FontOf(11)) << "pressed";
  Mouse(B, WM_LBUTTONUP, 5, 5);
  Mouse(Away, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Painted(), FontOf(11)) << "latched";
  B->SetFlat(false);
  EXPECT_EQ(Painted(), FontOf(10)) << "latched, not flat";
  B->SetEnabled(false);
  EXPECT_EQ(Painted(), FontOf(14)) << "disabled";
}

// [Form files] -----------------------------------------------------------------------------------

TEST_F(SpeedButtonTest, FormFilesHoldTheButtonsStateAndTheChevronDoesNotWidenItWhileLoading) {
  for (const char* Name : {"TVxSpeedButton", "TVxSpeedDivider", "TVxSpeedSpace", "TVxSpeedContainer"})
    EXPECT_NE(FindClass(Name), nullptr) << Name << " registered when the program starts";
  TVxSpeedButton B;
  B.SetShowChevron(true);
  ASSERT_EQ(B.Width(), 43);
  B.SetGroupIndex(3);
  B.SetDown(true);
  B.SetAllowAllUp(true);
  B.SetLayout(TButtonLayout::blGlyphTop);
  B.SetSpacing(-1);
  B.SetMenuPosition(TVxChevronPos::dmpRight);
  B.SetAllowTimer(true);
  B.SetGlyph(Strip(32, {clRed, clBlue}).get());
  RoundTrip<TVxSpeedButton>(B, {"Flat = True", "ShowChevron = True", "Down = True", "MenuPosition = dmpRight"},
                            [](TVxSpeedButton& Read) {
                              EXPECT_EQ(Read.Width(), 43);
                              EXPECT_TRUE(Read.ShowChevron());
                              EXPECT_EQ(Read.GroupIndex(), 3);
                              EXPECT_TRUE(Read.Down());
                              EXPECT_TRUE(Read.AllowAllUp());
                              EXPECT_EQ(Read.Layout(), TButtonLayout::blGlyphTop);
                              EXPECT_EQ(Read.Spacing(), -1);
                              EXPECT_EQ(Read.MenuPosition(), TVxChevronPos::dmpRight);
                              EXPECT_TRUE(Read.AllowTimer());
                              EXPECT_EQ(Read.Glyph()->Width(), 32);
                              EXPECT_EQ(Read.NumGlyphs(), 2);
                            });
  TVxSpeedDivider D;
  D.SetHeight(20);
  RoundTrip<TVxSpeedDivider>(D, {"Width = 8"}, [](TVxSpeedDivider& Read) { EXPECT_EQ(Read.Height(), 20); });
  TVxSpeedContainer C;
  C.SetWidth(77);
  RoundTrip<TVxSpeedContainer>(C, {}, [](TVxSpeedContainer& Read) {
    EXPECT_EQ(Read.Width(), 77);
    EXPECT_TRUE(Read.ControlStyle().Contains(TControlStyleFlag::csAcceptsControls));
  });
}

}  // namespace
