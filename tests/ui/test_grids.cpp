// The string grid driven by mouse and key messages: current cell, OnSelectCell, scrolling,
// in-place editing; and a form laid out like the editor's main window, driven the same way.
#include "framework/ui/comctrls.h"
#include "framework/ui/grids.h"
#include "framework/ui/panel.h"
#include "framework/ui/scrollbox.h"
#include "ui_fixture.h"

namespace {

TGridOptions WithEditing(TGridOptions Options, bool On) {
  if (On)
    Options.Include(TGridOption::goEditing);
  else
    Options.Exclude(TGridOption::goEditing);
  return Options;
}

class GridTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Form->HandleNeeded();
    Grid = new TStringGrid(Form.get());
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetColCount(4);
    Grid->SetRowCount(20);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    Grid->SetParent(Form.get());
    Grid->OnSelectCell = [this](TObject*, Integer C, Integer R, bool& CanSelect) {
      Selected.emplace_back(C, R);
      CanSelect = !(C == Refused.first && R == Refused.second);
    };
  }
  void Key(HWND Wnd, WPARAM Key) { SendMessageA(Wnd, WM_KEYDOWN, Key, 0); }
  void ClickCell(Integer C, Integer R) {
    const TRect Cell = Grid->CellRect(C, R);
    ASSERT_FALSE(Cell.IsEmpty());
    const LPARAM At = Point(Cell.Left + 3, Cell.Top + 3);
    SendMessageA(Grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageA(Grid->Handle(), WM_LBUTTONUP, 0, At);
  }
  TStringGrid* Grid = nullptr;
  std::vector<std::pair<Integer, Integer>> Selected;
  std::pair<Integer, Integer> Refused{-1, -1};
};

TEST_F(GridTest, CellGeometryFollowsSizesAndLines) {
  // Column 0 is 50 wide plus a 1-pixel line: column 1 starts at 51, row 2 at 42.
  EXPECT_EQ(Grid->CellRect(1, 2), Rect(51, 42, 101, 62));
  Grid->SetColWidths(1, 80);
  EXPECT_EQ(Grid->CellRect(2, 1), Rect(132, 21, 182, 41));
  Integer C, R;
  EXPECT_TRUE(Grid->MouseToCell(140, 30, C, R));
  EXPECT_EQ(std::make_pair(C, R), std::make_pair(2, 1));
  EXPECT_FALSE(Grid->MouseToCell(290, 30, C, R));  // right of the last column
}

TEST_F(GridTest, ArrowKeysMoveTheCurrentCellWithinTheScrollingPart) {
  EXPECT_EQ(std::make_pair(Grid->Col(), Grid->Row()), std::make_pair(1, 1));
  struct Step {
    WPARAM Key;
    Integer Col, Row;
  };
  const Step Steps[] = {
      {VK_RIGHT, 2, 1}, {VK_DOWN, 2, 2}, {VK_LEFT, 1, 2}, {VK_LEFT, 1, 2},  // fixed column 0 is not entered
      {VK_UP, 1, 1},    {VK_UP, 1, 1},   {VK_END, 3, 1},  {VK_RIGHT, 3, 1}, {VK_HOME, 1, 1},
  };
  for (const Step& S : Steps) {
    Key(Grid->Handle(), S.Key);
    EXPECT_EQ(std::make_pair(Grid->Col(), Grid->Row()), std::make_pair(S.Col, S.Row)) << "key " << S.Key;
  }
  // OnSelectCell heard each real move, with the cell moved to.
  const std::vector<std::pair<Integer, Integer>> Expected{{2, 1}, {2, 2}, {1, 2}, {1, 1}, {3, 1}, {1, 1}};
  EXPECT_EQ(Selected, Expected);
}

TEST_F(GridTest, MouseSelectsCellsAndOnSelectCellMayRefuse) {
  ClickCell(3, 4);
  EXPECT_EQ(std::make_pair(Grid->Col(), Grid->Row()), std::make_pair(3, 4));
  ASSERT_EQ(Selected.size(), 1u);
  EXPECT_EQ(Selected[0], std::make_pair(3, 4));
  Refused = {2, 5};
  ClickCell(2, 5);
  EXPECT_EQ(std::make_pair(Grid->Col(), Grid->Row()), std::make_pair(3, 4));
  // Clicking a fixed cell moves nothing.
  ClickCell(0, 6);
  ClickCell(2, 0);
  EXPECT_EQ(std::make_pair(Grid->Col(), Grid->Row()), std::make_pair(3, 4));
  EXPECT_EQ(Selected.size(), 2u);
}

TEST_F(GridTest, MovingDownScrollsTheCurrentRowIntoView) {
  const Integer Visible = Grid->VisibleRowCount();
  ASSERT_LT(Visible, 19);
  for (int I = 0; I < Visible + 2; ++I) Key(Grid->Handle(), VK_DOWN);
  EXPECT_EQ(Grid->Row(), Visible + 3);
  EXPECT_EQ(Grid->TopRow(), 4);
  EXPECT_FALSE(Grid->CellRect(1, Grid->Row()).IsEmpty());
  EXPECT_TRUE(Grid->CellRect(1, 1).IsEmpty());
  // The fixed row stays on top.
  EXPECT_EQ(Grid->CellRect(1, 0).Top, 0);
  SCROLLINFO Info{sizeof(Info), SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(Grid->Handle(), SB_VERT, &Info);
  EXPECT_EQ(Info.nPos, 4);
  Key(Grid->Handle(), VK_PRIOR);
  Key(Grid->Handle(), VK_PRIOR);
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(Grid->TopRow(), 1);
  SendMessageA(Grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Grid->TopRow() + Grid->VisibleRowCount(), 20);
}

TEST_F(GridTest, EnterEditsTheCellAndCommitsWithEnter) {
  Grid->SetOptions(WithEditing(Grid->Options(), true));
  Grid->SetCells(2, 3, "old");
  std::vector<std::string> Committed;
  Grid->OnSetEditText = [&](TObject*, Integer C, Integer R, const std::string& Value) {
    EXPECT_EQ(std::make_pair(C, R), std::make_pair(2, 3));
    Committed.push_back(Value);
  };
  ClickCell(2, 3);
  Key(Grid->Handle(), VK_RETURN);
  ASSERT_TRUE(Grid->EditorMode());
  TInplaceEdit* Editor = Grid->InplaceEditor();
  char Buffer[32] = {};
  GetWindowTextA(Editor->Handle(), Buffer, sizeof Buffer);
  EXPECT_STREQ(Buffer, "old");
  EXPECT_EQ(Editor->BoundsRect(), Grid->CellRect(2, 3));
  SendMessageA(Editor->Handle(), EM_SETSEL, 0, -1);
  for (char C : std::string("new")) SendMessageA(Editor->Handle(), WM_CHAR, C, 0);
  Key(Editor->Handle(), VK_RETURN);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(2, 3), "new");
  EXPECT_EQ(Committed, (std::vector<std::string>{"new"}));
  EXPECT_FALSE(GetWindowLongA(Editor->Handle(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(GridTest, EscapeDropsTheEditAndF2OrArrowsKeepIt) {
  Grid->SetOptions(WithEditing(Grid->Options(), true));
  Grid->SetCells(1, 1, "keep");
  int Commits = 0;
  Grid->OnSetEditText = [&](TObject*, Integer, Integer, const std::string&) { ++Commits; };
  Key(Grid->Handle(), VK_F2);
  HWND Edit = Grid->InplaceEditor()->Handle();
  SetWindowTextA(Edit, "dropped");
  Key(Edit, VK_ESCAPE);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(1, 1), "keep");
  EXPECT_EQ(Commits, 0);
  // Down commits and moves on.
  Key(Grid->Handle(), VK_F2);
  SetWindowTextA(Edit, "kept");
  Key(Edit, VK_DOWN);
  EXPECT_EQ(Grid->Cells(1, 1), "kept");
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_EQ(Commits, 1);
  // Unchanged text is no edit.
  Key(Grid->Handle(), VK_F2);
  Key(Edit, VK_RETURN);
  EXPECT_EQ(Commits, 1);
  // Without goEditing the keys open nothing.
  Grid->SetOptions(WithEditing(Grid->Options(), false));
  Key(Grid->Handle(), VK_RETURN);
  EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(GridTest, SizesAndCellsOutsideTheGrid) {
  EXPECT_EQ(Grid->Cells(10, 50), "");
  EXPECT_EQ(Grid->Cells(-1, 0), "");
  EXPECT_THROW(Grid->SetCells(4, 0, "x"), EListError);
  EXPECT_THROW(Grid->SetFixedCols(4), EInvalidOperation);
  EXPECT_THROW(Grid->ColWidths(4), EListError);
  // Shrinking keeps the current cell and the content inside the grid.
  Grid->SetCells(1, 1, "a");
  Key(Grid->Handle(), VK_END);
  Grid->SetColCount(2);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Cells(1, 1), "a");
  Grid->SetColCount(0);
  EXPECT_EQ(Grid->ColCount(), 1);
  EXPECT_EQ(Grid->FixedCols(), 0);
}

TEST_F(GridTest, PaintsFixedAndSelectedCells) {
  Capture Pixels(300, 200);
  Grid->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Pixels.DC()), PRF_CLIENT);
  EXPECT_EQ(Pixels.At(10, 10), DibColor(clBtnFace));       // fixed corner
  EXPECT_EQ(Pixels.At(60, 30), DibColor(clHighlight));     // current cell (1, 1)
  EXPECT_EQ(Pixels.At(110, 30), DibColor(Grid->Color()));  // plain cell (2, 1)
}

// The editor's layout in small: a tool bar, a status bar, the objects tree on the left, and
// tabs over an inspector grid, with a button; everything driven by messages.
TEST_F(UiTest, EditorLikeFormRespondsToMessages) {
  Form->SetBounds(0, 0, 640, 480);
  Form->HandleNeeded();
  auto* Tools = new TToolBar(Form.get());
  Tools->SetParent(Form.get());
  auto* Status = new TStatusBar(Form.get());
  Status->SetParent(Form.get());
  auto* Left = new TPanel(Form.get());
  Left->SetWidth(200);
  Left->SetAlign(TAlign::alLeft);
  Left->SetParent(Form.get());
  auto* Tree = new TTreeView(Form.get());
  Tree->SetAlign(TAlign::alClient);
  Tree->SetParent(Left);
  auto* Tabs = new TTabControl(Form.get());
  Tabs->SetAlign(TAlign::alClient);
  Tabs->SetParent(Form.get());
  Tabs->Tabs().Assign({"Properties", "Events"});
  auto* Grid = new TStringGrid(Form.get());
  Grid->SetColCount(2);
  Grid->SetFixedCols(1);
  Grid->SetAlign(TAlign::alClient);
  Grid->SetParent(Tabs);
  auto* Apply = new TButton(Form.get());
  Apply->SetModalResult(mrOk);
  Apply->SetParent(Status);

  // Geometry: bars on top and bottom, the tree left, tabs filling the rest, the grid inside.
  const Integer W = Form->ClientWidth(), H = Form->ClientHeight();
  EXPECT_EQ(Tools->BoundsRect(), Rect(0, 0, W, Tools->Height()));
  EXPECT_EQ(Status->BoundsRect(), Rect(0, H - Status->Height(), W, H));
  EXPECT_EQ(Left->BoundsRect(), Rect(0, Tools->Height(), 200, H - Status->Height()));
  EXPECT_EQ(Tabs->BoundsRect(), Rect(200, Tools->Height(), W, H - Status->Height()));
  EXPECT_GT(Grid->Top(), 0);
  EXPECT_LE(Grid->Left() + Grid->Width(), Tabs->Width());

  std::vector<std::string> Log;
  auto* Skin = Tree->Items().Add(nullptr, "Skin");
  auto* Button = Tree->Items().AddChild(Skin, "Button");
  Skin->Expand();
  Tree->OnChange = [&](TObject*, TTreeNode* Node) {
    Log.push_back("tree " + (Node ? Node->Text() : std::string("-")));
    Grid->SetCells(1, 1, Node ? Node->Text() : "");
  };
  Tabs->OnChange = [&](TObject*) { Log.push_back("tab " + std::to_string(Tabs->TabIndex())); };
  Grid->OnSelectCell = [&](TObject*, Integer C, Integer R, bool&) {
    Log.push_back("cell " + std::to_string(C) + "," + std::to_string(R));
  };
  Apply->OnClick = [&](TObject*) { Log.push_back("apply"); };

  Tree->SetSelected(Skin);
  SendMessageA(Tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Tree->Selected(), Button);
  EXPECT_EQ(Grid->Cells(1, 1), "Button");
  SendMessageA(Grid->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  const TRect TabR = Tabs->TabRect(1);
  const LPARAM At = MAKELPARAM((TabR.Left + TabR.Right) / 2, (TabR.Top + TabR.Bottom) / 2);
  PostMessageA(Tabs->Handle(), WM_LBUTTONUP, 0, At);
  SendMessageA(Tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  PumpUntil([] { return false; }, 50);
  SendMessageA(Apply->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"tree Skin", "tree Button", "cell 1,2", "tab 1", "apply"}));
  EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(UiTest, ScrollBoxScrollsChildrenIntoView) {
  Form->HandleNeeded();
  auto* Box = new TScrollBox(Form.get());
  Box->SetBounds(0, 0, 200, 150);
  Box->SetParent(Form.get());
  auto* Far = new TPanel(Form.get());
  Far->SetBounds(10, 400, 50, 50);
  Far->SetParent(Box);
  EXPECT_EQ(Box->ContentSize().cy, 450);
  SCROLLINFO Info{sizeof(Info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  GetScrollInfo(Box->Handle(), SB_VERT, &Info);
  EXPECT_EQ(Info.nMax, 449);
  EXPECT_EQ(Integer(Info.nPage), Box->ClientHeight());
  Box->ScrollInView(Far);
  EXPECT_EQ(Far->Top() + Far->Height(), Box->ClientHeight());
  EXPECT_EQ(Box->VertPosition(), 450 - Box->ClientHeight());
  // Line scrolling stops at the ends.
  for (int I = 0; I < 100; ++I) SendMessageA(Box->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(Box->VertPosition(), 0);
  EXPECT_EQ(Far->Top(), 400);
  SendMessageA(Box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Box->VertPosition(), 450 - Box->ClientHeight());
  // Content that fits leaves nothing to scroll.
  Far->SetTop(Far->Top() - 350);
  EXPECT_EQ(Box->VertPosition(), 0);
}

}  // namespace
