// Alignment of nested panels and splitters dragged with real mouse messages.
#include "framework/ui/panel.h"
#include "framework/ui/splitter.h"
#include "ui_fixture.h"

namespace {

TPanel* MakePanel(TComponent* Owner, TWinControl* Parent, TAlign Align, Integer W, Integer H) {
  auto* P = new TPanel(Owner);
  P->SetBounds(0, 0, W, H);
  P->SetAlign(Align);
  P->SetParent(Parent);
  return P;
}

void ExpectBounds(const TControl* C, int L, int T, int W, int H, const char* What) {
  EXPECT_EQ(C->BoundsRect(), Bounds(L, T, W, H))
      << What << ": " << C->Left() << "," << C->Top() << " " << C->Width() << "x" << C->Height();
}

// The editor's main window layout: a tool panel on top, a hidden strip below it, side panels
// with splitters, a status strip at the bottom and a centre page with a header of its own.
class AlignTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Top = MakePanel(Form.get(), Form.get(), TAlign::alTop, 10, 71);
    Secret = MakePanel(Form.get(), Form.get(), TAlign::alTop, 10, 41);
    Secret->SetTop(100);
    Secret->Hide();
    Bottom = MakePanel(Form.get(), Form.get(), TAlign::alBottom, 10, 20);
    Left = MakePanel(Form.get(), Form.get(), TAlign::alLeft, 205, 10);
    Right = MakePanel(Form.get(), Form.get(), TAlign::alRight, 205, 10);
    Centre = MakePanel(Form.get(), Form.get(), TAlign::alClient, 10, 10);
    Centre->SetBevelOuter(TPanelBevel::bvRaised);
    Centre->SetBevelWidth(2);
    Centre->SetBorderWidth(1);
    Header = MakePanel(Form.get(), Centre, TAlign::alTop, 10, 17);
    Work = MakePanel(Form.get(), Centre, TAlign::alClient, 10, 10);
  }

  void ExpectLayout(int W, int H) {
    ASSERT_EQ(Form->ClientWidth(), W);
    ASSERT_EQ(Form->ClientHeight(), H);
    const int TopH = Secret->Visible() ? 71 + 41 : 71;
    ExpectBounds(Top, 0, 0, W, 71, "top");
    if (Secret->Visible()) ExpectBounds(Secret, 0, 71, W, 41, "secret");
    ExpectBounds(Bottom, 0, H - 20, W, 20, "bottom");
    ExpectBounds(Left, 0, TopH, 205, H - TopH - 20, "left");
    ExpectBounds(Right, W - 205, TopH, 205, H - TopH - 20, "right");
    ExpectBounds(Centre, 205, TopH, W - 410, H - TopH - 20, "centre");
    // Inside the centre: bevel 2 and border 1 on every side.
    ExpectBounds(Header, 3, 3, W - 410 - 6, 17, "header");
    ExpectBounds(Work, 3, 20, W - 410 - 6, H - TopH - 20 - 6 - 17, "work");
  }

  TPanel *Top, *Secret, *Bottom, *Left, *Right, *Centre, *Header, *Work;
};

TEST_F(AlignTest, NestedPanelsFollowResizingAndVisibility) {
  struct Case {
    int W, H;
    bool ShowSecret;
  };
  const Case Cases[] = {{850, 557, false}, {1000, 600, false}, {600, 400, true}, {850, 557, false}};
  Form->HandleNeeded();
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.W << "x" << C.H << (C.ShowSecret ? " with secret panel" : ""));
    Secret->SetVisible(C.ShowSecret);
    Form->SetClientWidth(C.W);
    Form->SetClientHeight(C.H);
    ExpectLayout(C.W, C.H);
    // The windows agree with the controls.
    RECT R;
    GetWindowRect(Work->Handle(), &R);
    MapWindowPoints(HWND_DESKTOP, Centre->Handle(), reinterpret_cast<POINT*>(&R), 2);
    EXPECT_EQ(Rect(R.left, R.top, R.right, R.bottom), Work->BoundsRect());
  }
}

TEST_F(AlignTest, LayoutWithoutWindowsMatchesLayoutWithThem) {
  // Alignment runs before any window exists and again when they are created.
  Form->SetClientWidth(850);
  Form->SetClientHeight(557);
  ExpectLayout(850, 557);
  EXPECT_FALSE(Form->HandleAllocated());
  Form->HandleNeeded();
  ExpectLayout(850, 557);
}

TEST_F(AlignTest, AlignChangesAndTooSmallParentsNeverGiveNegativeSizes) {
  Form->HandleNeeded();
  Form->SetClientWidth(300);
  Form->SetClientHeight(80);
  for (TControl* C : Form->ControlList()) {
    EXPECT_GE(C->Width(), 0);
    EXPECT_GE(C->Height(), 0);
  }
  // Releasing a control from alignment keeps its last bounds.
  Form->SetClientWidth(850);
  Form->SetClientHeight(557);
  const TRect Was = Left->BoundsRect();
  Left->SetAlign(TAlign::alNone);
  EXPECT_EQ(Left->BoundsRect(), Was);
  ExpectBounds(Centre, 0, 71, 850 - 205, 557 - 91, "centre takes the left panel's place");
}

class SplitterTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Side = MakePanel(Form.get(), Form.get(), Align, 205, 205);
    Bar = new TSplitter(Form.get());
    Bar->SetAlign(Align);
    // Placed beyond the panel, so that alignment puts it next to it.
    if (Align == TAlign::alLeft) Bar->SetLeft(300);
    if (Align == TAlign::alTop) Bar->SetBounds(0, 300, 100, 3);
    Bar->SetParent(Form.get());
    Bar->OnMoved = [this](TObject*) { ++Moved; };
    Rest = MakePanel(Form.get(), Form.get(), TAlign::alClient, 10, 10);
    Form->HandleNeeded();
    Form->SetClientWidth(600);
    Form->SetClientHeight(400);
  }

  // Drags the bar by Delta pixels along its axis with real messages to the form's window.
  void Drag(int Delta) {
    const bool H = Align == TAlign::alLeft || Align == TAlign::alRight;
    const int X0 = Bar->Left() + 1, Y0 = Bar->Top() + 1;
    const int X1 = H ? X0 + Delta : X0, Y1 = H ? Y0 : Y0 + Delta;
    HWND Wnd = Form->Handle();
    SendMessageA(Wnd, WM_MOUSEMOVE, 0, Point(X0, Y0));
    SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(X0, Y0));
    SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point((X0 + X1) / 2, (Y0 + Y1) / 2));
    SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(X1, Y1));
    SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(X1, Y1));
  }

  TAlign Align = TAlign::alLeft;
  TPanel *Side = nullptr, *Rest = nullptr;
  TSplitter* Bar = nullptr;
  int Moved = 0;
};

TEST_F(SplitterTest, DraggingResizesTheNeighbourWithinLimits) {
  ASSERT_EQ(Bar->Left(), 205);
  ASSERT_EQ(Bar->FindNeighbour(), Side);
  // The space left over is 600 - 205 - 3 = 392; MinSize 30 bounds both sides.
  struct Case {
    int Delta, Width;
  } const Cases[] = {{50, 255}, {-100, 155}, {-500, 30}, {1000, 567}, {-337, 230}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Delta);
    const int Before = Moved;
    Drag(C.Delta);
    EXPECT_EQ(Side->Width(), C.Width);
    EXPECT_EQ(Bar->Left(), C.Width);
    EXPECT_EQ(Rest->Left(), C.Width + 3);
    EXPECT_EQ(Rest->Width(), 600 - C.Width - 3);
    EXPECT_EQ(Moved, Before + 1);
    EXPECT_EQ(GetCaptureControl(), nullptr);
  }
}

TEST_F(SplitterTest, MovingWithoutPressingChangesNothing) {
  SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, Point(206, 10));
  SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, Point(300, 10));
  EXPECT_EQ(Side->Width(), 205);
  EXPECT_EQ(Moved, 0);
}

class RightSplitterTest : public SplitterTest {
 protected:
  void SetUp() override {
    Align = TAlign::alRight;
    SplitterTest::SetUp();
  }
};

TEST_F(RightSplitterTest, DraggingLeftWidensARightPanel) {
  ASSERT_EQ(Side->Left(), 600 - 205);
  ASSERT_EQ(Bar->Left(), 600 - 205 - 3);
  Drag(-50);
  EXPECT_EQ(Side->Width(), 255);
  EXPECT_EQ(Side->Left(), 600 - 255);
  EXPECT_EQ(Bar->Left(), 600 - 255 - 3);
  EXPECT_EQ(Rest->Width(), 600 - 255 - 3);
}

class TopSplitterTest : public SplitterTest {
 protected:
  void SetUp() override {
    Align = TAlign::alTop;
    SplitterTest::SetUp();
  }
};

TEST_F(TopSplitterTest, DraggingDownHeightensATopPanel) {
  EXPECT_EQ(Bar->Cursor(), crVSplit);
  Drag(40);
  EXPECT_EQ(Side->Height(), 245);
  EXPECT_EQ(Bar->Top(), 245);
  EXPECT_EQ(Rest->Top(), 248);
}

// A parent that keeps, for every alignment, the child that asked for it.
class TAskingParent : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<TControl*> Asked;

 protected:
  void AlignControls(TControl* AControl, TRect& Rect) override {
    Asked.push_back(AControl);
    TPanel::AlignControls(AControl, Rect);
  }
};

TEST_F(AlignTest, AlignmentHearsTheChildThatAskedForIt) {
  auto* Parent = new TAskingParent(Form.get());
  Parent->SetBounds(0, 0, 200, 100);
  Parent->SetParent(Form.get());
  auto* Windowed = new TPanel(Form.get());
  Windowed->SetParent(Parent);
  auto* Windowless = new TSplitter(Form.get());
  Windowless->SetParent(Parent);
  Parent->HandleNeeded();
  const struct {
    const char* Name;
    std::function<void()> Act;
    TControl* Asking;
  } Steps[] = {
      {"a windowed child moved", [&] { Windowed->SetLeft(30); }, Windowed},
      {"a windowed child resized", [&] { Windowed->SetWidth(70); }, Windowed},
      {"a windowless child moved", [&] { Windowless->SetTop(40); }, Windowless},
      {"a child hidden", [&] { Windowless->Hide(); }, Windowless},
  };
  for (const auto& Step : Steps) {
    SCOPED_TRACE(Step.Name);
    Parent->Asked.clear();
    Step.Act();
    ASSERT_FALSE(Parent->Asked.empty());
    for (TControl* C : Parent->Asked) EXPECT_EQ(C, Step.Asking);
  }
  Parent->Asked.clear();
  Parent->Realign();
  EXPECT_EQ(Parent->Asked, std::vector<TControl*>{nullptr});
}

}  // namespace
