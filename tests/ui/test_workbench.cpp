// The window an editor is built as: nested aligned panels, a page control with a tree and a
// list, a splitter, a grid beside a scrolled work area, a tool bar and a status bar, driven with
// real messages.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "framework/ui/comctrls.h"
#include "framework/ui/grids.h"
#include "framework/ui/panel.h"
#include "framework/ui/scrollbox.h"
#include "framework/ui/splitter.h"
#include "framework/ui/stdctrls.h"
#include "ui_fixture.h"

namespace {

class WorkbenchTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Tools = Make<TToolBar>(Form.get(), TAlign::alTop);
    for (const char* Caption : {"New", "Open", "Save"}) {
      auto* B = new TToolButton(Form.get());
      B->SetCaption(Caption);
      B->SetParent(Tools);
      B->OnClick = [this, Caption](TObject*) { Log.push_back(std::string("tool ") + Caption); };
    }
    Status = Make<TStatusBar>(Form.get(), TAlign::alBottom);
    Side = Make<TPanel>(Form.get(), TAlign::alLeft, 220);
    Side->SetBevelOuter(TPanelBevel::bvNone);
    Pages = Make<TPageControl>(Side, TAlign::alClient);
    for (const char* Caption : {"Objects", "Images"}) {
      auto* Sheet = new TTabSheet(Form.get());
      Sheet->SetCaption(Caption);
      Sheet->SetPageControl(Pages);
      Sheets.push_back(Sheet);
    }
    Pages->OnChange = [this](TObject*) { Log.push_back("page " + Pages->ActivePage()->Caption()); };
    Tree = Make<TTreeView>(Sheets[0], TAlign::alClient);
    TTreeNode* Root = Tree->Items().Add(nullptr, "Form");
    Caption = Tree->Items().AddChild(Root, "Caption");
    Tree->Items().AddChild(Root, "Close");
    Root->Expand();
    Tree->OnChange = [this](TObject*, TTreeNode* Node) { Log.push_back("node " + Node->Text()); };
    Images = Make<TListBox>(Sheets[1], TAlign::alClient);
    Images->SetItems({"frame.png", "buttons.png"});
    Bar = new TSplitter(Form.get());
    Bar->SetAlign(TAlign::alLeft);
    Bar->SetLeft(500);  // beyond the panel: alignment puts it next to it
    Bar->SetParent(Form.get());
    Bar->OnMoved = [this](TObject*) { Log.push_back("splitter"); };
    Inspector = Make<TPanel>(Form.get(), TAlign::alRight, 240);
    Inspector->SetBevelOuter(TPanelBevel::bvNone);
    Grid = Make<TStringGrid>(Inspector, TAlign::alClient);
    Grid->SetColCount(2);
    Grid->SetRowCount(5);
    Grid->SetFixedRows(0);
    Grid->SetCells(0, 2, "Width");
    Grid->OnSelectCell = [this](TObject*, Integer ACol, Integer ARow, bool&) {
      Log.push_back("cell " + std::to_string(ACol) + "," + std::to_string(ARow));
    };
    Work = Make<TScrollBox>(Form.get(), TAlign::alClient);
    Picture = new TPanel(Form.get());
    Picture->SetBounds(10, 10, 900, 700);  // larger than the work area: it scrolls
    Picture->SetParent(Work);
    Form->HandleNeeded();
    Form->SetClientWidth(800);
    Form->SetClientHeight(600);
    Form->Show();
    PumpUntil([] { return false; }, 50);
    Log.clear();
  }

  template <typename T>
  T* Make(TWinControl* Parent, TAlign Align, Integer Size = 0) {
    auto* C = new T(Form.get());
    if (Size) C->SetBounds(0, 0, Size, Size);
    C->SetAlign(Align);
    C->SetParent(Parent);
    return C;
  }

  static void Press(HWND Wnd, int X, int Y) {
    const LPARAM At = MAKELPARAM(X, Y);
    // Common controls wait in a loop for the release after a press: post it first.
    PostMessageA(Wnd, WM_LBUTTONUP, 0, At);
    SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
    PumpUntil([] { return false; }, 50);
  }

  static void ExpectBounds(const TControl* C, int L, int T, int W, int H) {
    EXPECT_EQ(C->BoundsRect(), Bounds(L, T, W, H)) << C->ClassName();
  }

  // Everything below the tool bar and above the status bar.
  int MiddleTop() const { return Tools->Height(); }
  int MiddleHeight() const { return 600 - Tools->Height() - Status->Height(); }

  TToolBar* Tools = nullptr;
  TStatusBar* Status = nullptr;
  TPanel *Side = nullptr, *Inspector = nullptr, *Picture = nullptr;
  TPageControl* Pages = nullptr;
  std::vector<TTabSheet*> Sheets;
  TTreeView* Tree = nullptr;
  TTreeNode* Caption = nullptr;
  TListBox* Images = nullptr;
  TSplitter* Bar = nullptr;
  TStringGrid* Grid = nullptr;
  TScrollBox* Work = nullptr;
  std::vector<std::string> Log;
};

TEST_F(WorkbenchTest, RegionsTileTheFormAndFollowItsSize) {
  ASSERT_GT(Tools->Height(), 0);
  ASSERT_GT(Status->Height(), 0);
  ExpectBounds(Tools, 0, 0, 800, Tools->Height());
  ExpectBounds(Status, 0, 600 - Status->Height(), 800, Status->Height());
  ExpectBounds(Side, 0, MiddleTop(), 220, MiddleHeight());
  ExpectBounds(Bar, 220, MiddleTop(), 3, MiddleHeight());
  ExpectBounds(Inspector, 800 - 240, MiddleTop(), 240, MiddleHeight());
  ExpectBounds(Work, 223, MiddleTop(), 800 - 223 - 240, MiddleHeight());
  ExpectBounds(Pages, 0, 0, 220, MiddleHeight());
  ExpectBounds(Grid, 0, 0, 240, MiddleHeight());
  // The tree fills its sheet, which fills the area under the tabs.
  TRect Area = Pages->ClientRect();
  Pages->AdjustClientRect(Area);
  EXPECT_EQ(Sheets[0]->BoundsRect(), Area);
  EXPECT_EQ(Tree->BoundsRect(), Bounds(0, 0, Area.Right - Area.Left, Area.Bottom - Area.Top));

  Form->SetClientWidth(1000);
  Form->SetClientHeight(700);
  const int Middle = 700 - Tools->Height() - Status->Height();
  ExpectBounds(Status, 0, 700 - Status->Height(), 1000, Status->Height());
  ExpectBounds(Side, 0, MiddleTop(), 220, Middle);
  ExpectBounds(Inspector, 1000 - 240, MiddleTop(), 240, Middle);
  ExpectBounds(Work, 223, MiddleTop(), 1000 - 223 - 240, Middle);
  ExpectBounds(Grid, 0, 0, 240, Middle);
}

TEST_F(WorkbenchTest, MessagesReachTheRightControlsAndEvents) {
  // A node clicked in the tree.
  RECT R{};
  *reinterpret_cast<HTREEITEM*>(&R) = static_cast<HTREEITEM>(Caption->ItemHandle());
  ASSERT_TRUE(SendMessageA(Tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R)));
  Press(Tree->Handle(), (R.left + R.right) / 2, (R.top + R.bottom) / 2);
  EXPECT_EQ(Tree->Selected(), Caption);

  // The second page's tab: its list shows, the tree hides.
  const TRect Tab = Pages->TabRect(1);
  Press(Pages->Handle(), (Tab.Left + Tab.Right) / 2, (Tab.Top + Tab.Bottom) / 2);
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  EXPECT_TRUE(IsWindowVisible(Images->Handle()));
  EXPECT_FALSE(IsWindowVisible(Tree->Handle()));

  // A grid cell clicked: the grid asks before it moves there.
  const TRect Cell = Grid->CellRect(1, 2);
  Press(Grid->Handle(), (Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 2);

  // A tool button.
  RECT B{};
  ASSERT_TRUE(SendMessageA(Tools->Handle(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&B)));
  Press(Tools->Handle(), (B.left + B.right) / 2, (B.top + B.bottom) / 2);

  // The splitter dragged 60 pixels right with the form's own mouse messages.
  const int X0 = Bar->Left() + 1, Y0 = Bar->Top() + 10;
  HWND Wnd = Form->Handle();
  SendMessageA(Wnd, WM_MOUSEMOVE, 0, Point(X0, Y0));
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(X0, Y0));
  SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, Point(X0 + 60, Y0));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(X0 + 60, Y0));

  EXPECT_EQ(Log, (std::vector<std::string>{"node Caption", "page Images", "cell 1,2", "tool Open", "splitter"}));
  ExpectBounds(Side, 0, MiddleTop(), 280, MiddleHeight());
  ExpectBounds(Bar, 280, MiddleTop(), 3, MiddleHeight());
  ExpectBounds(Work, 283, MiddleTop(), 800 - 283 - 240, MiddleHeight());
  EXPECT_EQ(Pages->Width(), 280);
  EXPECT_EQ(Images->Width(), Sheets[1]->ClientWidth());
}

TEST_F(WorkbenchTest, TheWorkAreaScrollsItsContentAndTabMovesFocusInOrder) {
  // The picture is larger than the work area: scrolling moves it, clamped at the far end.
  const int ViewW = Work->ClientWidth(), ViewH = Work->ClientHeight();
  ASSERT_LT(ViewW, 910);
  SendMessageA(Work->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageA(Work->Handle(), WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Work->VertPosition(), 710 - ViewH);
  EXPECT_EQ(Work->HorzPosition(), 910 - ViewW);
  EXPECT_EQ(Picture->Left(), 10 - (910 - ViewW));
  EXPECT_EQ(Picture->Top(), 10 - (710 - ViewH));

  // Tab walks the controls that take focus, parents before their children, and wraps.
  Tree->SetFocus();
  std::vector<TWinControl*> Order;
  for (int I = 0; I < 3; ++I) {
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    PumpUntil([] { return false; }, 20);
    Order.push_back(TWinControl::FindControl(GetFocus()));
  }
  // The hidden page's list and the controls that take no focus are skipped.
  EXPECT_EQ(Order, (std::vector<TWinControl*>{Grid, Pages, Tree}));
}

}  // namespace
