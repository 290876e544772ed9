// The edits with a button on real windows: the spin edit's stepping, filtering, formats and
// veto; the ellipsis glyph; the button beside the text; form files.
#include <windows.h>

#include "controls_fixture.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_edit_buttons.h"
#include "vexel/controls/vx_spinbutton.h"

namespace {

class EditButtonsTest : public ShownFormTest {
 protected:
  static void Key(TWinControl* C, WPARAM K) {
    SendMessageA(C->Handle(), WM_KEYDOWN, K, 0);
    SendMessageA(C->Handle(), WM_KEYUP, K, 0);
  }
  static void Char(TWinControl* C, char Ch) { SendMessageA(C->Handle(), WM_CHAR, WPARAM(uint8_t(Ch)), 0); }
};

TEST_F(EditButtonsTest, SpinEditStepsWithinItsRange) {
  auto* S = Add<TVxSpinEdit>(Shown, Bounds(10, 10, 120, 21));
  EXPECT_EQ(S->Text(), "0");
  S->SetMinValue(0);
  S->SetMaxValue(10);
  S->SetValue(9);
  S->SetFocus();
  int Ups = 0;
  S->OnUpClick = [&](TObject*) { ++Ups; };
  Key(S, VK_PRIOR);
  EXPECT_EQ(S->Value(), 10);
  EXPECT_EQ(Ups, 0) << "a large step is no up-click";
  Key(S, VK_DOWN);
  EXPECT_EQ(S->Value(), 9);
  Key(S, VK_UP);
  Key(S, VK_UP);
  EXPECT_EQ(S->Text(), "10");
  EXPECT_EQ(Ups, 2);
  S->SetReadOnly(true);
  Key(S, VK_DOWN);
  EXPECT_EQ(S->Value(), 10) << "read-only";
}

TEST_F(EditButtonsTest, SpinEditRefusesCharactersOfOtherTypes) {
  auto* S = Add<TVxSpinEdit>(Shown, Bounds(10, 10, 120, 21));
  S->SetFocus();
  struct TCase {
    TVxSpinValueType Type;
    const char* Typed;
    const char* Result;
  };
  const TCase Cases[] = {
      {TVxSpinValueType::vtInteger, "-12a.e", "-12"},
      {TVxSpinValueType::vtFloat, "1.5.e3E", "1.5e3"},
      {TVxSpinValueType::vtHex, "fFgx1", "fF1"},
  };
  for (const TCase& C : Cases) {
    S->SetValueType(C.Type);
    S->SetWideText(L"");
    for (const char* P = C.Typed; *P; ++P) Char(S, *P);
    EXPECT_EQ(S->Text(), C.Result) << C.Typed;
  }
  S->SetValueType(TVxSpinValueType::vtInteger);
  S->SetWideText(L"5");
  S->SetEditorEnabled(false);
  S->SetCaret(1);
  Char(S, '7');
  Key(S, VK_BACK);
  EXPECT_EQ(S->Text(), "5") << "editor disabled";
}

TEST_F(EditButtonsTest, SpinEditFormatsAndFallsBack) {
  auto* S = Add<TVxSpinEdit>(Shown, Bounds(10, 10, 120, 21));
  S->SetValueType(TVxSpinValueType::vtHex);
  S->SetValue(255);
  EXPECT_EQ(S->Text(), "FF");
  EXPECT_EQ(S->Value(), 255);
  S->SetValueType(TVxSpinValueType::vtFloat);
  EXPECT_EQ(S->Text(), "255.00");
  S->SetValue(2.5);
  S->SetValueType(TVxSpinValueType::vtInteger);
  EXPECT_EQ(S->Text(), "3") << "rounded";
  S->SetMinValue(-4);
  S->SetMaxValue(4);
  S->SetWideText(L"junk");
  EXPECT_EQ(S->Value(), -4) << "no number: MinValue";
  S->SetValue(99);
  EXPECT_EQ(S->Text(), "4") << "clamped";
}

TEST_F(EditButtonsTest, SpinEditChangingVetoRestoresTheValue) {
  auto* S = Add<TVxSpinEdit>(Shown, Bounds(10, 10, 120, 21));
  S->SetValue(3);
  int Changes = 0;
  S->OnChange = [&](TObject*) { ++Changes; };
  S->OnChanging = [](TObject*, bool& Allow) { Allow = false; };
  S->SetValue(7);
  EXPECT_EQ(S->Value(), 3);
  EXPECT_EQ(Changes, 1) << "the new text fired, the restored one did not";
}

// The band between the spin button's arrows drags the value: up adds Increment per pixel.
TEST_F(EditButtonsTest, SpinEditSliderDragsTheValueFromWhereItIs) {
  auto* S = Add<TVxSpinEdit>(Shown, Bounds(10, 10, 120, 21));
  Settle();
  TVxSpinButton* Spin = S->SpinButton();
  ASSERT_TRUE(S->EnabledSlider());
  const HWND Band = Spin->Handle();
  const int X = Spin->Width() / 2, Y = Spin->Height() / 2;
  const auto Slide = [&](int Pixels) {
    SendMessageA(Band, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageA(Band, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, Y - Pixels));
    SendMessageA(Band, WM_LBUTTONUP, 0, MAKELPARAM(X, Y - Pixels));
  };
  struct TCase {
    const char* Name;
    double Min, Max, Increment;
    const wchar_t* Typed;
    int Pixels;
    const char* Result;
  } Cases[] = {
      {"from the typed value", 0, 50, 2, L"10", 3, "16"},
      {"down", 0, 50, 1, L"10", -4, "6"},
      {"held by the range", 0, 50, 5, L"40", 4, "50"},
      {"no range of its own", 0, 0, 1, L"-7", 2, "-5"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    S->SetMinValue(C.Min);
    S->SetMaxValue(C.Max);
    S->SetIncrement(C.Increment);
    S->SetWideText(C.Typed);
    Slide(C.Pixels);
    EXPECT_EQ(S->Text(), C.Result);
  }
  S->SetWideText(L"20");
  S->OnChanging = [](TObject*, bool& Allow) { Allow = false; };
  Slide(3);
  EXPECT_EQ(S->Text(), "20") << "vetoed";
  S->OnChanging = nullptr;
  Slide(1);
  EXPECT_EQ(S->Text(), "21") << "the slider stayed with the value after the veto";
  S->SetEnabledSlider(false);
  Slide(3);
  EXPECT_EQ(S->Text(), "21") << "no slider";
}

// Glyph width W = button width - 6; gap G = (W - 6) div 2 within 1..3; first dot at
// (W - 6 - 2G) div 2; dots 2 x 2 at y = 1.
TEST_F(EditButtonsTest, EllipsisGlyphGeometry) {
  struct TCase {
    Integer ButtonWidth, W, G, X0;
  };
  const TCase Cases[] = {{19, 13, 3, 0}, {15, 9, 1, 0}, {16, 10, 2, 0}, {25, 19, 3, 3}, {12, 6, 1, -1}, {5, 1, 1, -3}};
  for (const TCase& C : Cases) {
    const auto B = EllipsisGlyph(C.ButtonWidth);
    ASSERT_EQ(B->Width(), C.W) << C.ButtonWidth;
    ASSERT_EQ(B->Height(), 4);
    for (Integer Y = 0; Y < 4; ++Y)
      for (Integer X = 0; X < C.W; ++X) {
        bool Dot = false;
        for (Integer I = 0; I < 3; ++I) {
          const Integer Left = C.X0 + I * (2 + C.G);
          Dot = Dot || (X >= Left && X < Left + 2 && Y >= 1 && Y < 3);
        }
        EXPECT_EQ(ColorToRGB(B->Canvas().Pixel(X, Y)) == 0, Dot) << C.ButtonWidth << " at " << X << "," << Y;
      }
  }
}

TEST_F(EditButtonsTest, ButtonSitsBesideTheText) {
  auto* E = Add<TVxEditButton>(Shown, Bounds(10, 10, 150, 21));
  E->SetGlyphKind(TGlyphKind::gkEllipsis);
  Settle();
  TRect R;
  E->GetTextRect(R);
  TControl* B = E->Button();
  EXPECT_EQ(B->Width(), 19);
  EXPECT_GE(B->Left(), R.Right);
  EXPECT_LE(B->Left() + B->Width(), E->Width());
  EXPECT_EQ(E->PushButton()->Glyph()->Width(), 13);
  int Clicks = 0;
  E->OnButtonClick = [&](TObject*) { ++Clicks; };
  B->Click();
  EXPECT_EQ(Clicks, 1);
  E->SetButtonAlign(TVxButtonAlign::baLeft);
  E->GetTextRect(R);
  EXPECT_LE(B->Left() + B->Width(), R.Left);
  E->SetButtonWidth(1);
  EXPECT_FALSE(B->Visible());
  E->SetButtonWidth(500);
  EXPECT_FALSE(B->Visible()) << "a width beyond the edit is refused";
}

// Older form files keep the button's settings in one list, "ButtonData"; it is written and read
// back, a shorter list sets what it holds, and a value of the wrong kind is a clear error.
TEST_F(EditButtonsTest, ButtonDataListIsWrittenAndReadBack) {
  auto* E = Add<TVxEditButton>(Shown, Bounds(10, 10, 150, 21));
  E->SetButtonCaption("Go");
  E->SetButtonHint("Pick one");
  E->SetButtonShowHint(true);
  E->SetButtonWidth(23);
  RoundTrip<TVxEditButton>(
      *E, {"ButtonData = (\r\n    False\r\n    0\r\n    'Go'\r\n    'Pick one'\r\n    False\r\n    True\r\n    23)"},
      [](TVxEditButton& Read) {
        EXPECT_EQ(Read.ButtonCaption(), "Go");
        EXPECT_EQ(Read.ButtonHint(), "Pick one");
        EXPECT_TRUE(Read.ButtonShowHint());
        EXPECT_EQ(Read.ButtonWidthValue(), 23);
      });
  const auto ReadText = [](const std::string& Data, TVxEditButton& Into) {
    const std::string Text = "object Edit1: TVxEditButton\n  ButtonData = " + Data + "\nend\n";
    TMemoryStream In, Binary;
    In.WriteBuffer(Text.data(), int64_t(Text.size()));
    In.SetPosition(0);
    ObjectTextToBinary(In, Binary);
    Binary.SetPosition(0);
    ReadComponent(Binary, Into);
  };
  TVxEditButton Short;
  ReadText("(False 0 'Older')", Short);
  EXPECT_EQ(Short.ButtonCaption(), "Older");
  EXPECT_EQ(Short.ButtonWidthValue(), 19) << "untouched";
  TVxEditButton Wrong;
  try {
    ReadText("(False 0 'Older' 7)", Wrong);
    ADD_FAILURE() << "a number where the hint belongs was read";
  } catch (const EReadError& E) {
    EXPECT_NE(E.Message().find("ButtonData: Invalid property value"), std::string::npos) << E.Message();
  }
}

TEST_F(EditButtonsTest, FormFileRoundTrips) {
  auto* I = Add<TVxInplaceControlEdit>(Shown, Bounds(10, 10, 150, 21));
  I->SetButtonAlign(TVxButtonAlign::baLeft);
  I->SetButtonWidth(25);
  RoundTrip<TVxInplaceControlEdit>(*I, {"ButtonAlign = baLeft", "ButtonWidth = 25"},
                                   [](TVxInplaceControlEdit& Read) {
                                     EXPECT_EQ(Read.ButtonAlign(), TVxButtonAlign::baLeft);
                                     EXPECT_EQ(Read.ButtonWidthValue(), 25);
                                   });
  auto* B = Add<TVxEditButton>(Shown, Bounds(10, 40, 150, 21));
  B->SetGlyphKind(TGlyphKind::gkEllipsis);
  B->SetButtonCaption("Go");
  RoundTrip<TVxEditButton>(*B, {"GlyphKind = gkEllipsis", "ButtonCaption = 'Go'"}, [](TVxEditButton& Read) {
    EXPECT_EQ(Read.GlyphKind(), TGlyphKind::gkEllipsis);
    EXPECT_EQ(Read.ButtonCaption(), "Go");
  });
  auto* S = Add<TVxSpinEdit>(Shown, Bounds(10, 70, 150, 21));
  S->SetValueType(TVxSpinValueType::vtFloat);
  S->SetMaxValue(20);
  S->SetIncrement(0.5);
  S->SetValue(12.25);
  RoundTrip<TVxSpinEdit>(*S, {"ValueType = vtFloat", "MaxValue = '20'", "Increment = '0.5'"}, [](TVxSpinEdit& Read) {
    EXPECT_EQ(Read.ValueType(), TVxSpinValueType::vtFloat);
    EXPECT_EQ(Read.MaxValue(), 20);
    EXPECT_EQ(Read.Increment(), 0.5);
    EXPECT_EQ(Read.Value(), 12.25);
  });
}

}  // namespace
