// Focus and tab order: SetFocus, Tab and Shift+Tab key messages, OnEnter/OnExit order through
// nested containers, key preview.
#include "framework/ui/panel.h"
#include "ui_fixture.h"

namespace {

using Log = std::vector<std::string>;

class FocusTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // Tab order: A, Box (not a stop itself) holding B and C, D (disabled), E.
    A = Make("A", Form.get());
    Box = Make("Box", Form.get());
    Box->SetTabStop(false);
    B = Make("B", Box);
    C = Make("C", Box);
    D = Make("D", Form.get());
    D->SetEnabled(false);
    E = Make("E", Form.get());
  }

  TPanel* Make(const char* Name, TWinControl* Parent) {
    auto* P = new TPanel(Form.get());
    P->SetName(Name);
    P->SetTabStop(true);
    P->SetParent(Parent);
    P->OnEnter = [this, Name](TObject*) { Events.push_back(std::string("enter ") + Name); };
    P->OnExit = [this, Name](TObject*) { Events.push_back(std::string("exit ") + Name); };
    return P;
  }

  // A Tab key press on the control with the focus, as the keyboard sends it.
  void PressTab(bool Shift) {
    BYTE Keys[256];
    GetKeyboardState(Keys);
    Keys[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(Keys);
    TWinControl* Focus = Form->ActiveControl();
    ASSERT_NE(Focus, nullptr);
    SendMessageA(Focus->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    SendMessageA(Focus->Handle(), WM_CHAR, '\t', 0x000F0001);
    SendMessageA(Focus->Handle(), WM_KEYUP, VK_TAB, 0xC00F0001);
    Keys[VK_SHIFT] = 0;
    SetKeyboardState(Keys);
  }

  TPanel *A, *Box, *B, *C, *D, *E;
  Log Events;
};

TEST_F(FocusTest, TabWalksTheTabOrderAndSendsExitBeforeEnter) {
  EXPECT_EQ(Form->GetTabOrderList(), (std::vector<TWinControl*>{A, Box, B, C, D, E}));
  A->SetFocus();
  EXPECT_EQ(Events, (Log{"enter A"}));
  struct Step {
    bool Shift;
    TWinControl* Focus;
    Log Events;
  } const Steps[] = {
      {false, B, {"exit A", "enter Box", "enter B"}},
      {false, C, {"exit B", "enter C"}},
      {false, E, {"exit C", "exit Box", "enter E"}},  // D is disabled
      {false, A, {"exit E", "enter A"}},              // wraps round
      {true, E, {"exit A", "enter E"}},
      {true, C, {"exit E", "enter Box", "enter C"}},
  };
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.Focus->Name());
    Events.clear();
    PressTab(S.Shift);
    EXPECT_EQ(Form->ActiveControl(), S.Focus);
    EXPECT_EQ(Events, S.Events);
  }
}

TEST_F(FocusTest, TabOrderCanBeChangedAndHiddenControlsAreSkipped) {
  E->SetTabOrder(0);
  EXPECT_EQ(E->TabOrder(), 0);
  EXPECT_EQ(A->TabOrder(), 1);
  Box->Hide();
  EXPECT_EQ(Form->FindNextControl(E, TTabDirection::Forward, true, false), A);
  EXPECT_EQ(Form->FindNextControl(A, TTabDirection::Forward, true, false), E);
  EXPECT_EQ(Form->FindNextControl(A, TTabDirection::Backward, true, false), E);
  // Out-of-range orders go to the end; a lone control finds nothing else.
  E->SetTabOrder(99);
  EXPECT_EQ(E->TabOrder(), 3);
  EXPECT_EQ(Box->FindNextControl(nullptr, TTabDirection::Forward, true, false), nullptr);
  EXPECT_THROW(B->SetFocus(), EInvalidOperation);
}

TEST_F(FocusTest, HandlerMovingTheFocusWins) {
  A->SetFocus();
  // Leaving A sends the focus to E instead of B.
  A->OnExit = [this](TObject*) {
    Events.push_back("exit A");
    A->OnExit = nullptr;
    E->SetFocus();
  };
  Events.clear();
  B->SetFocus();
  EXPECT_EQ(Form->ActiveControl(), E);
  EXPECT_EQ(Events, (Log{"exit A", "enter E"}));
}

TEST_F(FocusTest, HidingOrDisablingTheFocusedControlMovesTheFocusOn) {
  C->SetFocus();
  Events.clear();
  Box->Hide();
  EXPECT_EQ(Form->ActiveControl(), E);
  EXPECT_EQ(Events, (Log{"exit C", "exit Box", "enter E"}));
  Events.clear();
  E->SetEnabled(false);
  EXPECT_EQ(Form->ActiveControl(), A);
  EXPECT_EQ(Events, (Log{"exit E", "enter A"}));
  // The last focusable control going leaves the form without a focused control.
  Events.clear();
  A->Hide();
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_EQ(Events, (Log{"exit A"}));
}

TEST_F(FocusTest, FreeingTheFocusedControlClearsTheActiveControl) {
  C->SetFocus();
  ASSERT_EQ(Form->ActiveControl(), C);
  delete Box;  // B and C belong to the form: they lose their parent, not their life
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_EQ(B->Parent(), nullptr);
  EXPECT_EQ(Form->GetTabOrderList(), (std::vector<TWinControl*>{A, D, E}));
  // With nothing focused, Tab starts from the first control.
  Events.clear();
  SendMessageA(A->Handle(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_EQ(Form->ActiveControl(), A);
  EXPECT_EQ(Events, (Log{"enter A"}));
}

TEST_F(FocusTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  Log Keys;
  Form->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
    Keys.push_back("form " + std::to_string(Key));
    if (Key == 'X') Key = 0;
  };
  A->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { Keys.push_back("A " + std::to_string(Key)); };
  A->OnKeyPress = [&](TObject*, char& Key) { Keys.push_back(std::string("A char ") + Key); };
  struct Case {
    bool Preview;
    uint16_t Key;
    Log Expected;
  } const Cases[] = {
      {false, 'X', {"A 88", "A char X"}},
      {true, 'X', {"form 88", "A char X"}},
      {true, 'Y', {"form 89", "A 89", "A char Y"}},
  };
  for (const Case& Cs : Cases) {
    Keys.clear();
    Form->SetKeyPreview(Cs.Preview);
    SendMessageA(A->Handle(), WM_KEYDOWN, Cs.Key, 1);
    SendMessageA(A->Handle(), WM_CHAR, Cs.Key, 1);
    EXPECT_EQ(Keys, Cs.Expected);
  }
}

TEST_F(FocusTest, DialogCharsAreOfferedToEveryControlOfTheForm) {
  Log Offered;
  for (TPanel* P : {A, B, E}) {
    P->WindowProc = [&Offered, P, Saved = P->WindowProc](TMessage& M) {
      if (M.Msg == CM_DIALOGCHAR) {
        Offered.push_back(P->Name());
        if (P->Name() == "B" && M.WParam == 's') M.Result = 1;  // B has the accelerator
      }
      Saved(M);
    };
  }
  SendMessageA(E->Handle(), WM_SYSCHAR, 's', 0);
  EXPECT_EQ(Offered, (Log{"A", "B"}));
  Offered.clear();
  SendMessageA(E->Handle(), WM_SYSCHAR, 'q', 0);
  EXPECT_EQ(Offered, (Log{"A", "B", "E"}));
}

}  // namespace
