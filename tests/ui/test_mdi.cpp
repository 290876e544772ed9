// MDI forms: the client window below the aligned controls, children made inside it, their
// arrangements, window states, activation, closing and the keys the client translates.
#include "framework/core/exceptions.h"
#include "framework/ui/panel.h"
#include "ui_fixture.h"

namespace {

class MDITest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Form->SetFormStyle(TFormStyle::fsMDIForm);
    Form->SetBounds(40, 40, 640, 480);
    Bar = new TPanel(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetHeight(30);
    Bar->SetAlign(TAlign::alTop);
    Application->SetMainForm(Form.get());
    Form->Show();
  }
  void TearDown() override {
    Application->SetMainForm(nullptr);
    UiTest::TearDown();
  }

  // A child the parent form owns (so the fixture frees it), shown at (X, Y) in the client.
  TForm* AddChild(const std::string& Caption, Integer X = 10, Integer Y = 10) {
    auto* Child = new TForm(Form.get());
    Child->SetFormStyle(TFormStyle::fsMDIChild);
    Child->SetText(Caption);
    Child->SetBounds(X, Y, 200, 150);
    Child->Show();
    PumpUntil([] { return false; }, 30);
    return Child;
  }

  RECT ClientOf(HWND Wnd) {
    RECT R;
    GetClientRect(Wnd, &R);
    return R;
  }

  // A child's window rectangle in MDI client coordinates.
  RECT InClient(TForm* Child) {
    RECT R;
    GetWindowRect(Child->Handle(), &R);
    MapWindowPoints(HWND_DESKTOP, Form->ClientHandle(), reinterpret_cast<POINT*>(&R), 2);
    return R;
  }

  TPanel* Bar = nullptr;
};

TEST_F(MDITest, TheClientFillsWhatTheAlignedControlsLeaveAndHoldsTheChildren) {
  HWND Client = Form->ClientHandle();
  ASSERT_NE(Client, nullptr);
  char Class[32] = {};
  GetClassNameA(Client, Class, sizeof Class);
  EXPECT_STRCASEEQ(Class, "MDIClient");
  RECT R;
  GetWindowRect(Client, &R);
  MapWindowPoints(HWND_DESKTOP, Form->Handle(), reinterpret_cast<POINT*>(&R), 2);
  const RECT Area = ClientOf(Form->Handle());
  EXPECT_EQ(R.top, 30);
  EXPECT_EQ(R.bottom, Area.bottom);
  EXPECT_EQ(R.right - R.left, Area.right);

  // Sizing the form sizes the client with it, still below the bar.
  Form->SetBounds(40, 40, 500, 400);
  PumpUntil([] { return false; }, 30);
  GetWindowRect(Client, &R);
  MapWindowPoints(HWND_DESKTOP, Form->Handle(), reinterpret_cast<POINT*>(&R), 2);
  EXPECT_EQ(R.top, 30);
  EXPECT_EQ(R.bottom, ClientOf(Form->Handle()).bottom);

  TForm* A = AddChild("A");
  TForm* B = AddChild("B", 30, 30);
  EXPECT_EQ(GetParent(A->Handle()), Client);
  EXPECT_EQ(Form->MDIChildCount(), 2);
  EXPECT_EQ(Form->ActiveMDIChild(), B);
  EXPECT_EQ(Form->MDIChildren(0), B);
  EXPECT_EQ(Form->MDIChildren(1), A);
  EXPECT_EQ(Form->MDIChildren(2), nullptr);
  EXPECT_EQ(A->ActiveMDIChild(), nullptr);  // not an MDI form
  EXPECT_EQ(InClient(B).left, 30);

  Form->Next();
  EXPECT_EQ(Form->ActiveMDIChild(), A);
  Form->Previous();
  EXPECT_EQ(Form->ActiveMDIChild(), B);
}

TEST_F(MDITest, CascadeAndTileArrangeTheChildren) {
  TForm* Children[] = {AddChild("A"), AddChild("B"), AddChild("C")};
  Form->Cascade();
  std::vector<RECT> Placed;
  for (TForm* C : Children) Placed.push_back(InClient(C));
  // Cascaded: each child starts down and to the right of another, none at the same place.
  for (size_t I = 0; I < Placed.size(); ++I)
    for (size_t J = I + 1; J < Placed.size(); ++J)
      EXPECT_NE(Placed[I].left, Placed[J].left) << I << " " << J;

  for (TTileMode Mode : {TTileMode::tbHorizontal, TTileMode::tbVertical}) {
    SCOPED_TRACE(int(Mode));
    Form->SetTileMode(Mode);
    Form->Tile();
    const RECT Area = ClientOf(Form->ClientHandle());
    long Covered = 0;
    for (TForm* C : Children) {
      const RECT R = InClient(C);
      EXPECT_GE(R.left, Area.left);
      EXPECT_GE(R.top, Area.top);
      EXPECT_LE(R.right, Area.right);
      EXPECT_LE(R.bottom, Area.bottom);
      Covered += (R.right - R.left) * (R.bottom - R.top);
    }
    // Tiled children share the client without overlapping.
    EXPECT_LE(Covered, (Area.right - Area.left) * (Area.bottom - Area.top));
    EXPECT_GT(Covered, (Area.right - Area.left) * (Area.bottom - Area.top) * 9 / 10);
  }
}

TEST_F(MDITest, WindowStatesGoThroughTheClient) {
  TForm* A = AddChild("A");
  TForm* B = AddChild("B", 40, 40);
  B->SetWindowState(TWindowState::wsMaximized);
  EXPECT_TRUE(IsZoomed(B->Handle()));
  EXPECT_EQ(B->WindowState(), TWindowState::wsMaximized);
  const RECT Area = ClientOf(Form->ClientHandle());
  const RECT Client = ClientOf(B->Handle());
  EXPECT_EQ(Client.right, Area.right);
  EXPECT_EQ(Client.bottom, Area.bottom);

  B->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(B->Handle()));
  EXPECT_EQ(InClient(B).left, 40);

  A->SetWindowState(TWindowState::wsMinimized);
  EXPECT_TRUE(IsIconic(A->Handle()));
  EXPECT_EQ(A->WindowState(), TWindowState::wsMinimized);
  A->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsIconic(A->Handle()));

  // Maximized by the platform, hidden and shown again: it comes back maximized.
  SendMessageA(A->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(A->WindowState(), TWindowState::wsMaximized);
  A->Hide();
  EXPECT_EQ(A->WindowState(), TWindowState::wsMaximized);
  A->Show();
  EXPECT_TRUE(IsZoomed(A->Handle()));
  A->SetWindowState(TWindowState::wsNormal);

  // A child shown in a stored state comes up in it.
  auto* C = new TForm(Form.get());
  C->SetFormStyle(TFormStyle::fsMDIChild);
  C->SetWindowState(TWindowState::wsMaximized);
  C->Show();
  EXPECT_TRUE(IsZoomed(C->Handle()));
  EXPECT_EQ(Form->ActiveMDIChild(), C);
}

TEST_F(MDITest, ClosingAChildFreesItAndTheKeysOfTheClientWork) {
  TForm* A = AddChild("A");
  TForm* B = AddChild("B");
  TForm* C = AddChild("C");
  bool Closed = false;
  B->OnClose = [&](TObject*, TCloseAction& Action) {
    Closed = true;
    EXPECT_EQ(Action, TCloseAction::caFree);
  };
  // Ctrl+F6 goes to the next child, Ctrl+F4 closes the active one.
  SetFocus(C->Handle());
  PostMessageA(C->Handle(), WM_KEYDOWN, VK_F6, 0);
  const SHORT Ctrl = GetKeyState(VK_CONTROL);
  BYTE Keys[256];
  GetKeyboardState(Keys);
  Keys[VK_CONTROL] = 0x80;
  SetKeyboardState(Keys);
  PumpUntil([&] { return Form->ActiveMDIChild() != C; }, 500);
  TForm* Active = Form->ActiveMDIChild();
  EXPECT_NE(Active, C);
  B->Show();
  PostMessageA(B->Handle(), WM_KEYDOWN, VK_F4, 0);
  PumpUntil([&] { return Form->MDIChildCount() == 2; }, 1000);
  Keys[VK_CONTROL] = BYTE(Ctrl & 0x80);
  SetKeyboardState(Keys);
  EXPECT_TRUE(Closed);
  EXPECT_EQ(Form->MDIChildCount(), 2);
  ASSERT_NE(Form->ActiveMDIChild(), nullptr);
  EXPECT_TRUE(Form->ActiveMDIChild() == A || Form->ActiveMDIChild() == C);

  // The form's Close frees the child too.
  A->Close();
  PumpUntil([&] { return Form->MDIChildCount() == 1; }, 1000);
  EXPECT_EQ(Form->MDIChildren(0), C);
}

TEST_F(MDITest, AChildWithoutAnMDIMainFormIsRefused) {
  Application->SetMainForm(nullptr);
  TForm Child;
  Child.SetFormStyle(TFormStyle::fsMDIChild);
  try {
    Child.HandleNeeded();
    FAIL() << "no exception";
  } catch (const EInvalidOperation& E) {
    EXPECT_STREQ(E.what(), "Cannot create form. No MDI forms are currently active");
  }
  EXPECT_FALSE(Child.HandleAllocated());
}

}  // namespace
