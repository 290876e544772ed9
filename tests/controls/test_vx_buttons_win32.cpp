// Skinned push buttons, check boxes and radio buttons on real windows: clicks by mouse and
// keyboard, default and cancel buttons ending a modal form, the three-state cycle, radio groups,
// and their looks through the sample skin against the classic look.
#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/ui/panel.h"
#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_progress.h"
#include "vexel/controls/vx_trackbar.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_engine.h"

namespace {

class ButtonTest : public ShownFormTest {
 protected:
  static void Mouse(TWinControl* C, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(C->Handle(), Msg, Keys, Point(X, Y));
  }
  static void Key(TWinControl* C, UINT Msg, WPARAM Key) { SendMessageA(C->Handle(), Msg, Key, 0); }
  static void ClickAt(TWinControl* C, Integer X, Integer Y) {
    Mouse(C, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
    Mouse(C, WM_LBUTTONUP, X, Y);
  }
  static void Space(TWinControl* C) {
    Key(C, WM_KEYDOWN, VK_SPACE);
    Key(C, WM_KEYUP, VK_SPACE);
  }
};

// [Push button] ----------------------------------------------------------------------------------

TEST_F(ButtonTest, MouseClicksOnlyWhenReleasedInsideAndNeverKeepsTheCapture) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  Mouse(B, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  EXPECT_TRUE(B->Pressed());
  EXPECT_EQ(GetCapture(), B->Handle());
  EXPECT_TRUE(B->Focused());
  // Dragged off: up; dragged back: down again.
  Mouse(B, WM_MOUSEMOVE, 100, 10, MK_LBUTTON);
  EXPECT_FALSE(B->Pressed());
  Mouse(B, WM_MOUSEMOVE, 20, 12, MK_LBUTTON);
  EXPECT_TRUE(B->Pressed());
  Mouse(B, WM_MOUSEMOVE, 20, -3, MK_LBUTTON);
  Mouse(B, WM_LBUTTONUP, 20, -3);
  EXPECT_EQ(Clicks, 0) << "released outside";
  EXPECT_FALSE(B->Pressed());
  EXPECT_NE(GetCapture(), B->Handle());

  ClickAt(B, 74, 24);
  EXPECT_EQ(Clicks, 1);
  EXPECT_NE(GetCapture(), B->Handle());
  // Space: down presses, up clicks.
  Key(B, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(B->Pressed());
  EXPECT_EQ(Clicks, 1);
  Key(B, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(B->Pressed());
  EXPECT_EQ(Clicks, 2);
  // A disabled button neither presses nor clicks; disabling mid-press leaves it up.
  Mouse(B, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  B->SetEnabled(false);
  EXPECT_FALSE(B->Pressed());
  ClickAt(B, 10, 10);
  Space(B);
  EXPECT_EQ(Clicks, 2);
  EXPECT_NE(GetCapture(), B->Handle());
}

TEST_F(ButtonTest, KindSetsDefaultAndModalResultAndKeepsTheCaption) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  B->SetCaption("Sure");
  const struct {
    TBitBtnKind Kind;
    bool Default;
    TModalResult Result;
  } Cases[] = {{TBitBtnKind::bkYes, true, 6},  {TBitBtnKind::bkOK, true, 1},    {TBitBtnKind::bkCancel, false, 2},
               {TBitBtnKind::bkAll, false, 8}, {TBitBtnKind::bkHelp, false, 0}, {TBitBtnKind::bkIgnore, false, 5}};
  for (const auto& C : Cases) {
    B->SetKind(C.Kind);
    EXPECT_EQ(B->Default(), C.Default) << int(C.Kind);
    EXPECT_EQ(B->ModalResult(), C.Result) << int(C.Kind);
  }
  // Custom only stores.
  B->SetKind(TBitBtnKind::bkCustom);
  EXPECT_EQ(B->ModalResult(), 5);
  EXPECT_EQ(B->Caption(), "Sure");
}

TEST_F(ButtonTest, EveryKindTakesItsTwoImageGlyphFromTheProgramsResources) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  B->SetColor(clBtnFace);
  for (int K = int(TBitBtnKind::bkOK); K <= int(TBitBtnKind::bkAll); ++K) {
    B->SetKind(TBitBtnKind(K));
    EXPECT_EQ(B->Glyph()->Width(), 32) << K;
    EXPECT_EQ(B->Glyph()->Height(), 16) << K;
    EXPECT_EQ(B->NumGlyphs(), 2) << K;
  }
  // OK's check mark is green and leaves the key colour at the corner; disabled, it is grey.
  B->SetKind(TBitBtnKind::bkOK);
  Settle();
  const TRect Box = B->GetGlyphRect();
  const auto Colours = [&] {
    Capture Shot(75, 25);
    PrintClient(B, Shot);
    std::set<uint32_t> Seen;
    for (Integer Y = Box.Top; Y < Box.Bottom; ++Y)
      for (Integer X = Box.Left; X < Box.Left + 16; ++X) Seen.insert(Shot.At(X, Y));
    return Seen;
  };
  const std::set<uint32_t> Enabled = Colours();
  EXPECT_TRUE(Enabled.count(0x008000u)) << "green check";
  EXPECT_FALSE(Enabled.count(0xFF00FFu)) << "the key colour never shows";
  B->SetEnabled(false);
  const std::set<uint32_t> Disabled = Colours();
  EXPECT_FALSE(Disabled.count(0x008000u));
  EXPECT_TRUE(Disabled.count(0x808080u)) << "the disabled image is grey";
}

// A dialog with an edit, an OK button (default) and a Cancel button (cancel), run modally; Act
// runs once the form is up, with the focus on the edit.
class ModalButtonTest : public ButtonTest {
 protected:
  TModalResult Run(const std::function<void()>& Act) {
    TForm Dialog;
    Dialog.SetBounds(100, 100, 300, 120);
    Edit = new TEdit(&Dialog);
    Edit->SetBounds(10, 10, 120, 22);
    Edit->SetParent(&Dialog);
    Ok = new TVxButton(&Dialog);
    Ok->SetBounds(10, 50, 75, 25);
    Ok->SetParent(&Dialog);
    Ok->SetCaption("OK");
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    No = new TVxButton(&Dialog);
    No->SetBounds(100, 50, 75, 25);
    No->SetParent(&Dialog);
    No->SetCaption("&Cancel");
    No->SetCancel(true);
    No->SetModalResult(mrCancel);
    Other = new TVxButton(&Dialog);
    Other->SetBounds(190, 50, 75, 25);
    Other->SetParent(&Dialog);
    Other->SetCaption("&Retry");
    Other->SetModalResult(mrRetry);
    TTimer Start;
    Start.SetInterval(50);
    Start.SetOnTimer([&](TObject*) {
      Start.SetEnabled(false);
      Dialog.FocusControl(Edit);
      Act();
    });
    Watchdog.SetEnabled(true);
    const TModalResult Result = Dialog.ShowModal();
    Watchdog.SetEnabled(false);
    return Result;
  }
  TEdit* Edit = nullptr;
  TVxButton *Ok = nullptr, *No = nullptr, *Other = nullptr;
};

TEST_F(ModalButtonTest, EnterEscapeAndAcceleratorsEndTheModalFormWithTheButtonsResult) {
  const auto Press = [](UINT Msg, WPARAM Key) { PostMessageA(GetFocus(), Msg, Key, 0); };
  EXPECT_EQ(Run([&] { Press(WM_KEYDOWN, VK_RETURN); }), mrOk);
  EXPECT_EQ(Run([&] { Press(WM_KEYDOWN, VK_ESCAPE); }), mrCancel);
  // Alt+R: the accelerator of "&Retry".
  EXPECT_EQ(Run([&] { Press(WM_SYSCHAR, 'r'); }), mrRetry);
  // Enter on a focused button clicks that button, not the default one.
  EXPECT_EQ(Run([&] {
              Other->SetFocus();
              Press(WM_KEYDOWN, VK_RETURN);
            }),
            mrRetry);
}

TEST_F(ModalButtonTest, TheDefaultButtonActsAsDefaultWhileNoOtherButtonHasTheFocus) {
  std::vector<bool> Seen;
  Run([&] {
    Seen.push_back(Ok->ActiveDefault());  // the edit has the focus
    No->SetFocus();
    Seen.push_back(Ok->ActiveDefault());
    Edit->SetFocus();
    Seen.push_back(Ok->ActiveDefault());
    Ok->SetDefault(false);
    Seen.push_back(Ok->ActiveDefault());
    Ok->SetDefault(true);
    Seen.push_back(Ok->ActiveDefault());
    Seen.push_back(No->ActiveDefault());
    PostMessageA(Ok->GetParentForm()->Handle(), WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(Seen, (std::vector<bool>{true, false, true, false, true, false}));
}

// [Glyph] ----------------------------------------------------------------------------------------

TEST_F(ButtonTest, AGlyphStripSetsItsImageCountFromItsShape) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  const struct {
    Integer Width;
    Integer NumGlyphs;
  } Cases[] = {{64, 4}, {80, 1}, {32, 2}, {16, 1}, {48, 3}};
  for (const auto& C : Cases) {
    B->SetGlyph(Strip(C.Width, {clRed}).get());
    EXPECT_EQ(B->NumGlyphs(), C.NumGlyphs) << C.Width;
  }
  B->SetNumGlyphs(3);
  B->SetGlyph(Strip(50, {clRed}).get());
  EXPECT_EQ(B->NumGlyphs(), 3) << "50 is no multiple of 16";
}

TEST_F(ButtonTest, TheGlyphSitsBesideTheCaptionAndGreysWhenDisabled) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  B->SetColor(clBtnFace);
  B->SetGlyph(Strip(16, {clRed}).get());
  // No caption: a block of 16 + 4 by 16, centred: (27, 4); the glyph centred in its strip.
  EXPECT_EQ(B->GetContentRect(), Rect(27, 4, 47, 20));
  EXPECT_EQ(B->GetGlyphRect(), Rect(27, 4, 47, 20));
  B->SetLayout(TButtonLayout::blGlyphTop);
  EXPECT_EQ(B->GetContentRect(), Rect(29, 2, 45, 22));
  EXPECT_EQ(B->GetCaptionRect(), Rect(29, 22, 45, 22));
  B->SetLayout(TButtonLayout::blGlyphLeft);
  Settle();
  const auto At = [&](Integer X, Integer Y) {
    Capture Shot(75, 25);
    PrintClient(B, Shot);
    return Shot.At(X, Y);
  };
  EXPECT_EQ(At(29 + 8, 4 + 8), PixelOf(clRed));
  EXPECT_EQ(At(29, 4 + 15), PixelOf(clBtnFace)) << "the key colour shows the face";
  // One image, disabled: red's lightness is 0.5, so grey round(25) + 160 = 185.
  B->SetEnabled(false);
  EXPECT_EQ(At(29 + 8, 4 + 8), 0xB9B9B9u);
  // Two images: the second while disabled.
  B->SetGlyph(Strip(32, {clRed, clBlue}).get());
  EXPECT_EQ(At(29 + 8, 4 + 8), PixelOf(clBlue));
  // Black and white while not hot: grey of level round(0.5 * 255) = 128.
  B->SetEnabled(true);
  B->SetBlackAndWhiteGlyph(true);
  EXPECT_EQ(At(29 + 8, 4 + 8), 0x808080u);
}

TEST_F(ButtonTest, WithoutAGlyphTheImageOfTheListIsTheGlyphUntilTheListGoes) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  B->SetColor(clBtnFace);
  auto* Images = new TImageList(Owner.get());
  Images->SetWidth(16);
  Images->SetHeight(16);
  // The list's key colour is magenta: its pixels stay out of the glyph.
  auto Image = Strip(16, {clBlue});
  Image->Canvas().Brush().SetColor(TColor(0xFF00FF));
  Image->Canvas().FillRect(Rect(0, 0, 16, 4));
  Images->Add(Image.get(), nullptr);
  B->SetImages(Images);
  const auto At = [&](Integer X, Integer Y) {
    Capture Shot(75, 25);
    PrintClient(B, Shot);
    return Shot.At(X, Y);
  };
  const struct {
    Integer Index;
    TRect Content;
  } Cases[] = {{-1, Rect(37, 12, 37, 12)}, {1, Rect(37, 12, 37, 12)}, {0, Rect(27, 4, 47, 20)}};
  for (const auto& C : Cases) {
    B->SetImageIndex(C.Index);
    EXPECT_EQ(B->GetContentRect(), C.Content) << C.Index;
  }
  Settle();
  EXPECT_EQ(At(29 + 8, 4 + 8), PixelOf(clBlue));
  EXPECT_EQ(At(29 + 8, 4 + 1), PixelOf(clBtnFace)) << "magenta is the list's key colour";
  // A glyph of its own wins over the list.
  B->SetGlyph(Strip(16, {clRed}).get());
  EXPECT_EQ(At(29 + 8, 4 + 8), PixelOf(clRed));
  B->SetGlyph(nullptr);
  delete Images;
  EXPECT_EQ(B->Images(), nullptr);
  EXPECT_EQ(B->GetContentRect(), Rect(37, 12, 37, 12)) << "no glyph once the list is gone";
}

TEST_F(ButtonTest, FontOptionsChangeTheCaptionsFontAndRepaint) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 120, 40));
  B->SetCaption("Options");
  const TRect Plain = B->GetCaptionRect();
  B->FontOptions()->SetSizeDelta(6);
  const TRect Larger = B->GetCaptionRect();
  EXPECT_GT(Larger.Height(), Plain.Height());
  EXPECT_GT(Larger.Width(), Plain.Width());
  B->FontOptions()->SetSizeDelta(0);
  B->FontOptions()->SetBold(true);
  EXPECT_GT(B->GetCaptionRect().Width(), Plain.Width()) << "bold is wider";
  // A change invalidates: the next paint shows the new font.
  Settle();
  Capture Before(120, 40);
  PrintClient(B, Before);
  B->FontOptions()->SetFontColor(clRed);
  EXPECT_TRUE(GetUpdateRect(B->Handle(), nullptr, FALSE)) << "the change asked for a repaint";
  Settle();
  Capture After(120, 40);
  PrintClient(B, After);
  bool Red = false;
  for (Integer Y = 0; Y < 40 && !Red; ++Y)
    for (Integer X = 0; X < 120 && !Red; ++X) Red = After.At(X, Y) == PixelOf(clRed);
  EXPECT_TRUE(Red);
}

// [Looks] ----------------------------------------------------------------------------------------

TEST_F(ButtonTest, ClassicFaceIsRaisedReleasedAndFlatPressed) {
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  B->SetColor(clBtnFace);
  Settle();
  Capture Up(75, 25);
  PrintClient(B, Up);
  EXPECT_EQ(Up.At(0, 0), PixelOf(clBtnHighlight));
  EXPECT_EQ(Up.At(74, 24), PixelOf(clBlack));
  EXPECT_EQ(Up.At(73, 23), PixelOf(clBtnShadow));
  EXPECT_EQ(Up.At(1, 1), PixelOf(clBtnFace));
  Mouse(B, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  Capture Down(75, 25);
  PrintClient(B, Down);
  // Pressed and focused: a black ring, then the shadow frame inside it.
  EXPECT_EQ(Down.At(0, 0), PixelOf(clBlack));
  EXPECT_EQ(Down.At(1, 1), PixelOf(clBtnShadow));
  EXPECT_EQ(Down.At(73, 23), PixelOf(clBtnShadow));
  EXPECT_EQ(Down.At(2, 2), PixelOf(clBtnFace));
  Mouse(B, WM_LBUTTONUP, 100, 100);
}

TEST_F(ButtonTest, ThroughTheSkinEachStateIsTheThemesButtonInThatState) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsButtonDefined(0, "default"));
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 90, 30));
  auto* Elsewhere = Add<TVxCheckBox>(Shown, Bounds(10, 60, 90, 20));
  Elsewhere->SetFocus();
  Settle();
  // The face only: rows above the caption.
  const auto Matches = [&](Byte State) {
    Capture Shot(90, 30), Reference(90, 30);
    PrintClient(B, Shot);
    // The skin's corners show the form through.
    FillRectColor(Reference.DC(), Rect(0, 0, 90, 30), Shown->Color());
    TCanvas Canvas(Reference.DC());
    TvxStateInfo Info;
    Info.Rect = Rect(0, 0, 90, 30);
    Info.State = State;
    Theme->DrawButton(0, Canvas, "default", Info);
    int Differences = 0;
    for (Integer Y = 0; Y < 6; ++Y)
      for (Integer X = 0; X < 90; ++X) Differences += Shot.At(X, Y) != Reference.At(X, Y);
    return Differences;
  };
  EXPECT_EQ(Matches(0), 0) << "normal";
  Mouse(B, WM_MOUSEMOVE, 20, 10);
  ASSERT_TRUE(B->MouseInControl());
  EXPECT_EQ(Matches(1), 0) << "hot";
  Mouse(B, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
  EXPECT_EQ(Matches(2), 0) << "pressed";
  Mouse(B, WM_LBUTTONUP, 20, 10);
  B->SetEnabled(false);
  EXPECT_EQ(Matches(3), 0) << "disabled";
  // The themed face is not the classic one.
  Capture Shot(90, 30);
  PrintClient(B, Shot);
  EXPECT_NE(Shot.At(0, 0), PixelOf(clBtnHighlight));
}

TEST_F(ButtonTest, AThemeThatDefinesNoneOfTheControlsLeavesThemInThePlatformsLook) {
  SetCurrentTheme(std::make_unique<TvxTheme>());
  ASSERT_FALSE(CurrentTheme()->IsButtonDefined(0, "default"));
  auto* B = Add<TVxButton>(Shown, Bounds(10, 10, 75, 25));
  auto* C = Add<TVxCheckBox>(Shown, Bounds(10, 40, 98, 20));
  C->SetChecked(true);
  auto* T = Add<TVxTrackBar>(Shown, Bounds(10, 70, 150, 45));
  auto* P = Add<TVxProgressBar>(Shown, Bounds(10, 120, 140, 16));
  P->SetPosition(50);
  Settle();
  Capture Button(75, 25), Check(98, 20), Track(150, 45), Progress(140, 16), Reference(13, 13);
  PrintClient(B, Button);
  PrintClient(C, Check);
  PrintClient(T, Track);
  PrintClient(P, Progress);
  EXPECT_EQ(Button.At(0, 0), PixelOf(clBtnHighlight));
  EXPECT_EQ(Button.At(74, 24), PixelOf(clBlack));
  RECT Box{0, 0, 13, 13};
  DrawFrameControl(Reference.DC(), &Box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  const TRect R = C->GetCheckRect();
  EXPECT_EQ(Check.At(R.Left + 3, R.Top + 6), Reference.At(3, 6));
  EXPECT_EQ(Check.At(R.Left, R.Top), Reference.At(0, 0));
  const TRect Groove = T->GetTrackRect();
  EXPECT_EQ(Track.At(Groove.Left, Groove.Top), PixelOf(clBtnShadow));
  EXPECT_EQ(Progress.At(4, 8), PixelOf(clHighlight));
  EXPECT_EQ(Progress.At(11, 8), PixelOf(clBtnFace));
}

// [Check box] ------------------------------------------------------------------------------------

TEST_F(ButtonTest, CheckBoxCyclesThroughItsStatesByMouseAndSpace) {
  auto* C = Add<TVxCheckBox>(Shown, Bounds(10, 10, 98, 20));
  C->SetCaption("Grey");
  std::vector<TVxCheckBoxState> Clicks;
  C->OnClick = [&](TObject*) { Clicks.push_back(C->State()); };
  using S = TVxCheckBoxState;
  ClickAt(C, 5, 10);
  EXPECT_EQ(C->State(), S::kcbsChecked) << "two states without AllowGrayed";
  ClickAt(C, 5, 10);
  C->SetAllowGrayed(true);
  ClickAt(C, 50, 10);
  Space(C);
  Space(C);
  EXPECT_EQ(Clicks, (std::vector<S>{S::kcbsChecked, S::kcbsUnChecked, S::kcbsMixed, S::kcbsChecked, S::kcbsUnChecked}));
  // Released outside: no change, no capture left.
  Mouse(C, WM_LBUTTONDOWN, 5, 10, MK_LBUTTON);
  Mouse(C, WM_LBUTTONUP, 200, 10);
  EXPECT_EQ(C->State(), S::kcbsUnChecked);
  EXPECT_NE(GetCapture(), C->Handle());
  // Setting the state the same again is no click.
  C->SetState(S::kcbsUnChecked);
  EXPECT_EQ(Clicks.size(), 5u);
}

TEST_F(ButtonTest, CheckBoxDrawsThePlatformCheckWithoutATheme) {
  auto* C = Add<TVxCheckBox>(Shown, Bounds(10, 10, 98, 20));
  C->SetTransparent(false);
  C->SetChecked(true);
  Settle();
  Capture Shot(98, 20), Reference(13, 13);
  PrintClient(C, Shot);
  RECT Box{0, 0, 13, 13};
  DrawFrameControl(Reference.DC(), &Box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  const TRect R = C->GetCheckRect();
  EXPECT_EQ(R, Rect(0, 3, 13, 16));
  int Differences = 0;
  for (Integer Y = 0; Y < 13; ++Y)
    for (Integer X = 0; X < 13; ++X) Differences += Shot.At(R.Left + X, R.Top + Y) != Reference.At(X, Y);
  EXPECT_EQ(Differences, 0);
}

TEST_F(ButtonTest, ThroughTheSkinTheCheckIsTheThemesInItsStateUnderObjectDefault) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsCheckBoxDefined(0, "default"));
  auto* C = Add<TVxCheckBox>(Shown, Bounds(10, 10, 98, 20));
  C->SetThemeObject("NoSuchVariant");  // still the theme, with the object "default"
  C->SetState(TVxCheckBoxState::kcbsMixed);
  Settle();
  Capture Shot(98, 20);
  PrintClient(C, Shot);
  const TRect R = C->GetCheckRect();
  Capture Reference(98, 20);
  FillRectColor(Reference.DC(), Rect(0, 0, 98, 20), Shown->Color());
  TCanvas Canvas(Reference.DC());
  TvxCheckInfo Info;
  Info.Rect = R;
  Info.State = 10;  // mixed, normal
  Theme->DrawCheckBox(0, Canvas, "default", Info);
  int Differences = 0;
  for (Integer Y = R.Top; Y < R.Bottom; ++Y)
    for (Integer X = R.Left; X < R.Right; ++X) Differences += Shot.At(X, Y) != Reference.At(X, Y);
  EXPECT_EQ(Differences, 0);
}

// [Radio buttons] --------------------------------------------------------------------------------

TEST_F(ButtonTest, CheckingARadioButtonUnchecksOnlyItsGroupUnderTheSameParent) {
  auto* Panel = Add<TPanel>(Shown, Bounds(150, 10, 120, 100));
  TVxRadioButton* R[3];
  for (int I = 0; I < 3; ++I) R[I] = Add<TVxRadioButton>(Shown, Bounds(10, 10 + 22 * I, 98, 20));
  auto* OtherGroup = Add<TVxRadioButton>(Shown, Bounds(10, 80, 98, 20));
  OtherGroup->SetGroupIndex(1);
  auto* InPanel = Add<TVxRadioButton>(Panel, Bounds(5, 5, 98, 20));
  OtherGroup->SetChecked(true);
  InPanel->SetChecked(true);
  R[0]->SetChecked(true);
  ClickAt(R[2], 5, 10);
  EXPECT_FALSE(R[0]->Checked());
  EXPECT_FALSE(R[1]->Checked());
  EXPECT_TRUE(R[2]->Checked());
  EXPECT_TRUE(R[2]->TabStop()) << "the checked one is the group's tab stop";
  EXPECT_FALSE(R[0]->TabStop());
  EXPECT_TRUE(OtherGroup->Checked());
  EXPECT_TRUE(InPanel->Checked());
  EXPECT_NE(GetCapture(), R[2]->Handle());

  // Arrows walk the group in tab order, wrapping, checking as they go.
  Key(R[2], WM_KEYDOWN, VK_DOWN);
  EXPECT_TRUE(R[0]->Focused());
  EXPECT_TRUE(R[0]->Checked());
  EXPECT_FALSE(R[2]->Checked());
  Key(R[0], WM_KEYDOWN, VK_RIGHT);
  EXPECT_TRUE(R[1]->Checked());
  Key(R[1], WM_KEYDOWN, VK_UP);
  Key(R[0], WM_KEYDOWN, VK_LEFT);
  EXPECT_TRUE(R[2]->Focused());
  EXPECT_TRUE(R[2]->Checked());
  EXPECT_TRUE(OtherGroup->Checked());
}

// [Form files] -----------------------------------------------------------------------------------

TEST_F(ButtonTest, FormFilesHoldTheButtonsWithTheirRolesAndStates) {
  for (const char* Name : {"TVxButton", "TVxCheckBox", "TVxRadioButton"})
    EXPECT_NE(FindClass(Name), nullptr) << Name << " registered when the program starts";
  TVxButton B;
  B.SetKind(TBitBtnKind::bkYes);
  B.SetCancel(true);
  B.SetAlignment(TAlignment::taLeftJustify);
  B.SetImageIndex(2);
  B.FontOptions()->SetBold(true);
  B.FontOptions()->SetSizeDelta(2);
  RoundTrip<TVxButton>(B,
                       {"Kind = bkYes", "Default = True", "ModalResult = 6", "Alignment = taLeftJustify",
                        "ImageIndex = 2", "FontOptions.Bold = True", "FontOptions.SizeDelta = 2", "Glyph.Data"},
                       [](TVxButton& Read) {
                         EXPECT_EQ(Read.Kind(), TBitBtnKind::bkYes);
                         EXPECT_TRUE(Read.Default());
                         EXPECT_TRUE(Read.Cancel());
                         EXPECT_EQ(Read.ModalResult(), 6);
                         EXPECT_EQ(Read.Alignment(), TAlignment::taLeftJustify);
                         EXPECT_EQ(Read.ImageIndex(), 2);
                         EXPECT_TRUE(Read.FontOptions()->Bold());
                         EXPECT_EQ(Read.FontOptions()->SizeDelta(), 2);
                         EXPECT_EQ(Read.Glyph()->Width(), 32);
                         EXPECT_EQ(Read.NumGlyphs(), 2);
                       });
  // A glyph of the user's own, set after the kind, survives the kind being read first.
  TVxButton Own;
  Own.SetKind(TBitBtnKind::bkNo);
  Own.SetGlyph(Strip(48, {clRed, clBlue, clLime}).get());
  RoundTrip<TVxButton>(Own, {"Kind = bkNo"}, [](TVxButton& Read) {
    EXPECT_EQ(Read.Glyph()->Width(), 48);
    EXPECT_EQ(Read.NumGlyphs(), 3);
    EXPECT_EQ(Read.Glyph()->Canvas().Pixel(20, 5), clBlue);
  });
  // One image that is no square, after a kind: the count of one survives too.
  Own.SetGlyph(Strip(20, {clRed}).get());
  Own.SetNumGlyphs(1);
  RoundTrip<TVxButton>(Own, {"NumGlyphs = 1"}, [](TVxButton& Read) { EXPECT_EQ(Read.NumGlyphs(), 1); });
  TVxCheckBox C;
  C.SetAllowGrayed(true);
  C.SetState(TVxCheckBoxState::kcbsMixed);
  C.SetAlignment(TVxLeftRight::kalRightJustify);
  RoundTrip<TVxCheckBox>(C, {"State = kcbsMixed", "Alignment = kalRightJustify"}, [](TVxCheckBox& Read) {
    EXPECT_EQ(Read.State(), TVxCheckBoxState::kcbsMixed);
    EXPECT_TRUE(Read.AllowGrayed());
    EXPECT_EQ(Read.Alignment(), TVxLeftRight::kalRightJustify);
  });
  TVxRadioButton R;
  R.SetGroupIndex(3);
  R.SetChecked(true);
  RoundTrip<TVxRadioButton>(R, {"GroupIndex = 3", "Checked = True"}, [](TVxRadioButton& Read) {
    EXPECT_EQ(Read.GroupIndex(), 3);
    EXPECT_TRUE(Read.Checked());
  });
}

}  // namespace
