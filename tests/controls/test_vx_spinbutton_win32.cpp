// The spin button on real windows: its two buttons and slider band, the position's limits and
// OnChanging, an associated edit written to and followed, keys, repetition and form files.
#include <windows.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_spinbutton.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

class SpinButtonTest : public ShownFormTest {
 protected:
  static void Mouse(TWinControl* C, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(C->Handle(), Msg, Keys, Point(X, Y));
  }
  static void ClickAt(TWinControl* C, Integer X, Integer Y) {
    Mouse(C, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
    Mouse(C, WM_LBUTTONUP, X, Y);
  }
  static void Key(TWinControl* C, WPARAM Key) { SendMessageA(C->Handle(), WM_KEYDOWN, Key, 0); }
};

TEST_F(SpinButtonTest, TheButtonsShareTheHeightAndLeaveTheSliderBandBetweenThem) {
  auto* S = Add<TVxSpinButton>(Shown, Bounds(10, 10, 15, 21));
  EXPECT_EQ(S->Width(), 15);
  EXPECT_FALSE(S->TabStop());
  EXPECT_EQ(S->UpButton()->BoundsRect(), Rect(0, 0, 15, 10));
  EXPECT_EQ(S->DownButton()->BoundsRect(), Rect(0, 11, 15, 21));
  S->SetEnabledSlider(true);
  EXPECT_EQ(S->UpButton()->BoundsRect(), Rect(0, 0, 15, 9));
  EXPECT_EQ(S->DownButton()->BoundsRect(), Rect(0, 12, 15, 21));
  S->SetHeight(30);
  EXPECT_EQ(S->UpButton()->BoundsRect(), Rect(0, 0, 15, 14));
  EXPECT_EQ(S->DownButton()->BoundsRect(), Rect(0, 16, 15, 30));
  // The arrows come from the program's resources: one 9 x 6 image each, flat, without caption.
  for (TVxSpeedButton* B : {S->UpButton(), S->DownButton()}) {
    EXPECT_EQ(B->Glyph()->Width(), 9);
    EXPECT_EQ(B->Glyph()->Height(), 6);
    EXPECT_EQ(B->NumGlyphs(), 1);
    EXPECT_TRUE(B->Flat());
    EXPECT_FALSE(B->ShowCaption());
    EXPECT_TRUE(B->AllowTimer());
  }
  EXPECT_EQ(S->UpButton()->Caption(), "up");
  EXPECT_EQ(S->DownButton()->Caption(), "down");
}

TEST_F(SpinButtonTest, ThePositionStaysWithinItsLimitsAndOnChangingMayRefuseIt) {
  auto* S = Add<TVxSpinButton>(Shown, Bounds(10, 10, 15, 21));
  S->SetMax(10);
  const struct { Integer Set, Expected; } Cases[] = {{5, 5}, {15, 10}, {-3, 0}, {7, 7}};
  for (const auto& C : Cases) {
    S->SetPosition(C.Set);
    EXPECT_EQ(S->Position(), C.Expected) << C.Set;
  }
  std::vector<Integer> Seen;
  S->OnChanging = [&](TObject*, bool& Allow) {
    Seen.push_back(S->Position());
    Allow = S->Position() != 3;
  };
  S->SetPosition(3);
  EXPECT_EQ(S->Position(), 7) << "refused";
  S->SetPosition(4);
  EXPECT_EQ(S->Position(), 4);
  EXPECT_EQ(Seen, (std::vector<Integer>{3, 4})) << "the handler sees the new value";
  // A range at the integer's ends and a large increment step to the end, never round it.
  S->OnChanging = nullptr;
  S->SetMax(std::numeric_limits<Integer>::max());
  S->SetPosition(std::numeric_limits<Integer>::max() - 1);
  S->SetIncrement(1000);
  SendMessageA(S->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(S->Position(), std::numeric_limits<Integer>::max());
}

TEST_F(SpinButtonTest, ButtonsKeysAndRepetitionStepByTheIncrement) {
  auto* S = Add<TVxSpinButton>(Shown, Bounds(10, 10, 15, 21));
  S->SetIncrement(5);
  S->SetPosition(50);
  std::vector<std::string> Events;
  S->OnUpClick = [&](TObject*) { Events.push_back("up " + std::to_string(S->Position())); };
  S->OnDownClick = [&](TObject*) { Events.push_back("down " + std::to_string(S->Position())); };
  ClickAt(S, 7, 4);
  ClickAt(S, 7, 16);
  ClickAt(S, 7, 16);
  EXPECT_EQ(Events, (std::vector<std::string>{"up 55", "down 50", "down 45"}));
  EXPECT_EQ(S->FocusedButton(), S->DownButton()) << "the pressed button is the focused one";
  Key(S, VK_UP);
  EXPECT_EQ(S->Position(), 50);
  EXPECT_EQ(S->FocusedButton(), S->UpButton());
  Key(S, VK_SPACE);
  EXPECT_EQ(S->Position(), 55);
  Key(S, VK_DOWN);
  EXPECT_EQ(S->Position(), 50);
  // Held: every tick of the repeat timer steps once more.
  Mouse(S, WM_LBUTTONDOWN, 7, 4, MK_LBUTTON);
  TTimer* Timer = S->UpButton()->RepeatTimer();
  ASSERT_NE(Timer, nullptr);
  EXPECT_EQ(Timer->Interval(), 400u);
  Timer->OnTimer()(Timer);
  Timer->OnTimer()(Timer);
  EXPECT_EQ(S->Position(), 60);
  Mouse(S, WM_LBUTTONUP, 7, 4);
  EXPECT_EQ(S->Position(), 65);
  EXPECT_FALSE(Timer->Enabled());
}

TEST_F(SpinButtonTest, TheSliderBandChangesThePositionByTheDistanceDragged) {
  auto* S = Add<TVxSpinButton>(Shown, Bounds(10, 10, 15, 21));
  S->SetEnabledSlider(true);
  S->SetPosition(20);
  Mouse(S, WM_MOUSEMOVE, 7, 10);
  EXPECT_EQ(S->Cursor(), crSizeNS);
  Mouse(S, WM_LBUTTONDOWN, 7, 10, MK_LBUTTON);
  ASSERT_TRUE(S->Sliding());
  Mouse(S, WM_MOUSEMOVE, 7, 5, MK_LBUTTON);
  EXPECT_EQ(S->Position(), 25);
  Mouse(S, WM_MOUSEMOVE, 7, 5, MK_LBUTTON);
  EXPECT_EQ(S->Position(), 25) << "no movement, no change";
  Mouse(S, WM_MOUSEMOVE, 7, 12, MK_LBUTTON);
  EXPECT_EQ(S->Position(), 18);
  Mouse(S, WM_LBUTTONUP, 7, 12);
  EXPECT_FALSE(S->Sliding());
  Mouse(S, WM_MOUSEMOVE, 7, 4);
  EXPECT_EQ(S->Cursor(), crDefault);
  // A slide whose release goes elsewhere (another window took the mouse) has ended.
  Mouse(S, WM_LBUTTONDOWN, 7, 10, MK_LBUTTON);
  ASSERT_TRUE(S->Sliding());
  SetCapture(Shown->Handle());
  ReleaseCapture();
  EXPECT_FALSE(S->Sliding());
  Mouse(S, WM_MOUSEMOVE, 7, 2);
  EXPECT_EQ(S->Position(), 18);
  // Without the slider the band belongs to no one.
  S->SetEnabledSlider(false);
  Mouse(S, WM_LBUTTONDOWN, 7, 10, MK_LBUTTON);
  EXPECT_FALSE(S->Sliding());
  Mouse(S, WM_LBUTTONUP, 7, 10);
}

TEST_F(SpinButtonTest, AnAssociatedEditIsWrittenAndFollowedWithinThePoll) {
  auto* Edit = Add<TEdit>(Shown, Bounds(40, 40, 80, 21));
  auto* S = Add<TVxSpinButton>(Shown, Bounds(0, 0, 15, 21));
  S->SetPosition(12);
  S->SetAssociate(Edit);
  EXPECT_EQ(S->BoundsRect(), Rect(120, 40, 135, 61)) << "beside it on the right";
  EXPECT_EQ(Edit->Text(), "12");
  ASSERT_NE(S->PollTimer(), nullptr);
  EXPECT_EQ(S->PollTimer()->Interval(), 400u);
  S->SetSpinAlign(TVxSpinAlign::saLeft);
  EXPECT_EQ(S->BoundsRect(), Rect(25, 40, 40, 61));
  ClickAt(S, 7, 4);
  EXPECT_EQ(Edit->Text(), "13");
  SetWindowTextA(Edit->Handle(), "42");
  EXPECT_TRUE(PumpUntil([&] { return S->Position() == 42; }, 1500));
  SetWindowTextA(Edit->Handle(), "4x");
  PumpUntil([] { return false; }, 600);
  EXPECT_EQ(S->Position(), 42) << "letters leave the position";
  EXPECT_EQ(Edit->Text(), "4x") << "and the text as typed";
  // A number beyond the limits is taken clamped, and the edit shows what was taken.
  SetWindowTextA(Edit->Handle(), "500");
  EXPECT_TRUE(PumpUntil([&] { return S->Position() == 100; }, 1500));
  EXPECT_EQ(Edit->Text(), "100");
  delete Edit;
  EXPECT_EQ(S->Associate(), nullptr);
  EXPECT_EQ(S->PollTimer(), nullptr);
}

TEST_F(SpinButtonTest, WithoutAThemeTheArrowsAreRaisedButtonsOrThePlatformsSpinParts) {
  auto* S = Add<TVxSpinButton>(Shown, Bounds(20, 20, 15, 21));
  Settle();
  const auto Differences = [&](TVxSpeedButton* B, const std::function<void(HDC, RECT&)>& Draw) {
    Capture Shot(15, 21), Reference(15, 10);
    PrintClient(S, Shot);
    FillRectColor(Reference.DC(), Rect(0, 0, 15, 10), Shown->Color());
    RECT Area{0, 0, 15, 10};
    Draw(Reference.DC(), Area);
    int Count = 0;
    for (Integer Y = 0; Y < 10; ++Y)
      for (Integer X = 0; X < 15; ++X) Count += Shot.At(X, B->Top() + Y) != Reference.At(X, Y);
    return Count;
  };
  // Classic: a spin button's flat arrows look raised at rest; the glyph sits inside the frame.
  const auto Frame = [](HDC DC, RECT& Area) { DrawFrameControl(DC, &Area, DFC_BUTTON, DFCS_BUTTONPUSH); };
  Capture Shot(15, 21);
  PrintClient(S, Shot);
  Capture Reference(15, 10);
  RECT Area{0, 0, 15, 10};
  Frame(Reference.DC(), Area);
  for (const TPoint P : {TPoint{0, 0}, TPoint{14, 9}, TPoint{13, 8}, TPoint{1, 1}}) {
    EXPECT_EQ(Shot.At(P.X, P.Y), Reference.At(P.X, P.Y)) << "up " << P.X << "," << P.Y;
    EXPECT_EQ(Shot.At(P.X, 11 + P.Y), Reference.At(P.X, P.Y)) << "down " << P.X << "," << P.Y;
  }
  AllowVisualStyles();
  if (!StyleAvailable(S->Handle(), L"Spin")) GTEST_SKIP() << "the platform shows no visual styles here";
  S->Invalidate();
  Settle();
  const auto Part = [&](int PartId, int State) {
    return [&, PartId, State](HDC DC, RECT& R) {
      HTHEME Theme = ThemeFunctions().OpenThemeData(S->Handle(), L"Spin");
      ThemeFunctions().DrawThemeBackground(Theme, DC, PartId, State, &R, nullptr);
      ThemeFunctions().CloseThemeData(Theme);
    };
  };
  EXPECT_EQ(Differences(S->UpButton(), Part(1, 1)), 0) << "up";
  EXPECT_EQ(Differences(S->DownButton(), Part(2, 1)), 0) << "down";
  Mouse(S, WM_LBUTTONDOWN, 7, 15, MK_LBUTTON);
  EXPECT_EQ(Differences(S->DownButton(), Part(2, 3)), 0) << "down pressed";
  Mouse(S, WM_LBUTTONUP, 7, 15);
}

// A theme that defines only the spin-button kinds and notes what it is asked to draw.
class TSpinTheme : public TvxTheme {
 public:
  struct TDrawn {
    Byte Kind, State;
    TRect Rect;
    friend bool operator==(const TDrawn&, const TDrawn&) = default;
  };
  std::vector<TDrawn> Drawn;
  bool IsButtonDefined(Byte Kind, const std::string&) override { return Kind == 4 || Kind == 5; }
  void DrawButton(Byte Kind, TCanvas&, const std::string&, const TvxStateInfo& Info) override {
    Drawn.push_back({Kind, Info.State, Info.Rect});
  }
};

TEST_F(SpinButtonTest, AThemeWithSpinButtonKindsDrawsEachHalfAsItsKindInItsState) {
  auto* S = Add<TVxSpinButton>(Shown, Bounds(20, 20, 15, 21));
  auto Owned = std::make_unique<TSpinTheme>();
  TSpinTheme* Theme = Owned.get();
  SetCurrentTheme(std::move(Owned));
  const auto Paint = [&] {
    Theme->Drawn.clear();
    S->Invalidate();
    Settle();
    return Theme->Drawn;
  };
  using D = TSpinTheme::TDrawn;
  const TRect Half = Rect(0, 0, 15, 10);
  EXPECT_EQ(Paint(), (std::vector<D>{{4, 0, Half}, {5, 0, Half}}));
  Mouse(S, WM_LBUTTONDOWN, 7, 15, MK_LBUTTON);
  EXPECT_EQ(Paint(), (std::vector<D>{{4, 0, Half}, {5, 2, Half}})) << "down pressed";
  Mouse(S, WM_LBUTTONUP, 7, 15);
  S->UpButton()->SetEnabled(false);
  EXPECT_EQ(Paint(), (std::vector<D>{{4, 3, Half}, {5, 0, Half}})) << "up disabled";
}

TEST_F(SpinButtonTest, FormFilesHoldTheSettingsButNotTheButtons) {
  EXPECT_NE(FindClass("TVxSpinButton"), nullptr);
  TVxSpinButton S;
  S.SetMin(-5);
  S.SetMax(5);
  S.SetPosition(-2);
  S.SetIncrement(2);
  S.SetEnabledSlider(true);
  S.SetSpinAlign(TVxSpinAlign::saLeft);
  RoundTrip<TVxSpinButton>(S, {"Min = -5", "Position = -2", "SpinAlign = saLeft"}, [](TVxSpinButton& Read) {
    EXPECT_EQ(Read.Min(), -5);
    EXPECT_EQ(Read.Max(), 5);
    EXPECT_EQ(Read.Position(), -2);
    EXPECT_EQ(Read.Increment(), 2);
    EXPECT_TRUE(Read.EnabledSlider());
    EXPECT_EQ(Read.SpinAlign(), TVxSpinAlign::saLeft);
    EXPECT_EQ(Read.ControlCount(), 2) << "its own two buttons, no copies";
  });
}

TEST_F(SpinButtonTest, ReadFromAFormTheSpinButtonSitsBesideItsEditAndFollowsIt) {
  RegisterStandardControlClasses();
  TForm Source;
  auto* Edit = new TEdit(&Source);
  Edit->SetName("Amount");
  Edit->SetBounds(10, 10, 60, 21);
  Edit->SetParent(&Source);
  auto* Spin = new TVxSpinButton(&Source);
  Spin->SetName("AmountSpin");
  Spin->SetParent(&Source);
  Spin->SetPosition(7);
  Spin->SetAssociate(Edit);
  // Written elsewhere and with other text: reading puts both right again.
  Spin->SetBounds(0, 0, 15, 21);
  Edit->SetText("x");
  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  TForm Read;
  ReadComponent(Stream, Read);
  auto* ReadEdit = dynamic_cast<TEdit*>(Read.FindComponent("Amount"));
  auto* ReadSpin = dynamic_cast<TVxSpinButton*>(Read.FindComponent("AmountSpin"));
  ASSERT_NE(ReadEdit, nullptr);
  ASSERT_NE(ReadSpin, nullptr);
  EXPECT_EQ(ReadSpin->Associate(), ReadEdit);
  EXPECT_EQ(ReadSpin->BoundsRect(), Rect(70, 10, 85, 31));
  EXPECT_EQ(ReadSpin->UpButton()->BoundsRect(), Rect(0, 0, 15, 10));
  EXPECT_EQ(ReadEdit->Text(), "7");
  ASSERT_NE(ReadSpin->PollTimer(), nullptr);
  EXPECT_TRUE(ReadSpin->PollTimer()->Enabled());
}

}  // namespace
