// Common controls driven through their windows: tree view selection and node management, tab
// and page controls, tool bar buttons, status bar panels, list view items.
#include "framework/ui/comctrls.h"
#include "framework/ui/tree_view_state.h"
#include "ui_fixture.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstring>

namespace {

class ComCtrlsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Form->HandleNeeded();
  }
  static bool Shown(TWinControl* C) { return GetWindowLongA(C->Handle(), GWL_STYLE) & WS_VISIBLE; }
  template <class T>
  T* Add(Integer X, Integer Y, Integer W, Integer H) {
    auto* C = new T(Form.get());
    C->SetBounds(X, Y, W, H);
    C->SetParent(Form.get());
    return C;
  }
  static void Click(HWND Wnd, const RECT& R) {
    const LPARAM At = MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2);
    // Some controls wait in a loop for the release after a press: post it first.
    PostMessageA(Wnd, WM_LBUTTONUP, 0, At);
    SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
    UiTest::PumpUntil([] { return false; }, 50);
  }
};

class TreeViewTest : public ComCtrlsTest {
 protected:
  void SetUp() override {
    ComCtrlsTest::SetUp();
    Tree = Add<TTreeView>(10, 10, 200, 200);
    Root = Tree->Items().Add(nullptr, "Root");
    A = Tree->Items().AddChild(Root, "A");
    B = Tree->Items().AddChild(Root, "B");
    A1 = Tree->Items().AddChild(A, "A1");
    Tree->OnChange = [this](TObject* Sender, TTreeNode* Node) {
      EXPECT_EQ(Sender, Tree);
      Changes.push_back(Node);
    };
  }
  RECT ItemRect(TTreeNode* Node) {
    // The message takes the item handle in the rectangle's first bytes.
    RECT R{};
    const HTREEITEM Item = static_cast<HTREEITEM>(Node->ItemHandle());
    std::memcpy(&R, &Item, sizeof Item);
    SendMessageA(Tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R));
    return R;
  }
  TTreeView* Tree = nullptr;
  TTreeNode *Root = nullptr, *A = nullptr, *B = nullptr, *A1 = nullptr;
  std::vector<TTreeNode*> Changes;
};

TEST_F(TreeViewTest, KeysAndClicksFireOnChangeWithTheNewNode) {
  Root->Expand();
  Tree->SetFocus();
  Tree->SetSelected(Root);
  Changes.clear();
  SendMessageA(Tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes.back(), A);
  EXPECT_EQ(Tree->Selected(), A);
  EXPECT_TRUE(A->Selected());
  Click(Tree->Handle(), ItemRect(B));
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes.back(), B);
  EXPECT_EQ(Tree->Selected(), B);
  EXPECT_EQ(Tree->GetNodeAt((ItemRect(A).left + ItemRect(A).right) / 2, (ItemRect(A).top + ItemRect(A).bottom) / 2), A);
}

TEST_F(TreeViewTest, NodesKnowTheirPlace) {
  EXPECT_EQ(Tree->Items().Count(), 4);
  EXPECT_EQ(A1->Level(), 2);
  EXPECT_EQ(B->Index(), 1);
  EXPECT_EQ(A1->Parent(), A);
  EXPECT_TRUE(A1->HasAsParent(Root));
  EXPECT_EQ(Root->Item(0), A);
  EXPECT_THROW(Root->Item(2), EListError);
  auto* Before = Tree->Items().Insert(B, "between");
  EXPECT_EQ(Before->Index(), 1);
  EXPECT_EQ(B->Index(), 2);
  // The window has the same order.
  auto Next = [&](HTREEITEM I) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree->Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(I)));
  };
  EXPECT_EQ(Next(static_cast<HTREEITEM>(A->ItemHandle())), Before->ItemHandle());
  int Value = 7;
  B->SetData(&Value);
  B->SetText("Bee");
  char Text[16] = {};
  TVITEMA Item{};
  Item.mask = TVIF_TEXT;
  Item.hItem = static_cast<HTREEITEM>(B->ItemHandle());
  Item.pszText = Text;
  Item.cchTextMax = sizeof Text;
  SendMessageA(Tree->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
  EXPECT_STREQ(Text, "Bee");
  EXPECT_EQ(B->Data(), &Value);
}

TEST_F(TreeViewTest, ExpandedState) {
  EXPECT_FALSE(Root->Expanded());
  Root->Expand();
  EXPECT_TRUE(Root->Expanded());
  EXPECT_TRUE(
      SendMessageA(Tree->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Root->ItemHandle()), TVIS_EXPANDED) &
      TVIS_EXPANDED);
  Root->Collapse();
  EXPECT_FALSE(Root->Expanded());
}

TEST_F(TreeViewTest, DeletingTheSelectedNodeNeverReportsIt) {
  Root->Expand();
  A->Expand();
  Tree->SetSelected(A1);
  Changes.clear();
  A->Delete();  // A1 goes with it
  for (TTreeNode* N : Changes) EXPECT_TRUE(N == nullptr || N == Root || N == B);
  EXPECT_NE(Tree->Selected(), A1);
  EXPECT_EQ(Tree->Items().Count(), 2);
  EXPECT_EQ(Root->Count(), 1);
  Tree->Items().Clear();
  EXPECT_EQ(Tree->Items().Count(), 0);
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, NodesAndSelectionSurviveWindowRecreation) {
  Root->Expand();
  Tree->SetSelected(B);
  Changes.clear();
  Tree->SetReadOnly(false);  // a new window
  EXPECT_TRUE(Changes.empty());
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Tree->Selected(), B);
  EXPECT_TRUE(Root->Expanded());
}

TEST_F(ComCtrlsTest, TreeBuiltBeforeItsWindow) {
  auto* Tree = new TTreeView(Form.get());
  auto* Top = Tree->Items().Add(nullptr, "top");
  auto* Child = Tree->Items().AddChild(Top, "child");
  Top->Expand();
  Tree->SetSelected(Child);
  EXPECT_EQ(Tree->Selected(), Child);
  Tree->SetParent(Form.get());
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(Tree->Selected(), Child);
  EXPECT_TRUE(Top->Expanded());
}

TEST_F(ComCtrlsTest, TabControlClickFiresOnChangeAndOnChangingMayRefuse) {
  auto* Tabs = Add<TTabControl>(10, 10, 300, 200);
  Tabs->Tabs().Assign({"One", "Two", "Three"});
  EXPECT_EQ(Tabs->TabIndex(), 0);
  std::vector<Integer> Seen;
  Tabs->OnChange = [&](TObject*) { Seen.push_back(Tabs->TabIndex()); };
  bool Allow = true;
  Tabs->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = Allow; };
  const TRect R = Tabs->TabRect(1);
  Click(Tabs->Handle(), RECT{R.Left, R.Top, R.Right, R.Bottom});
  EXPECT_EQ(Tabs->TabIndex(), 1);
  EXPECT_EQ(Seen, (std::vector<Integer>{1}));
  Allow = false;
  const TRect R2 = Tabs->TabRect(2);
  Click(Tabs->Handle(), RECT{R2.Left, R2.Top, R2.Right, R2.Bottom});
  EXPECT_EQ(Tabs->TabIndex(), 1);
  EXPECT_EQ(Seen.size(), 1u);
  // Children align inside the area under the tabs.
  auto* Inside = new TWinControl(Form.get());
  Inside->SetAlign(TAlign::alClient);
  Inside->SetParent(Tabs);
  EXPECT_GT(Inside->Top(), R.Top);
  EXPECT_LT(Inside->Top() + Inside->Height(), Tabs->Height());
  // Deleting the selected tab selects a neighbour; out of range selects none.
  Tabs->Tabs().Delete(1);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  Tabs->SetTabIndex(9);
  EXPECT_EQ(Tabs->TabIndex(), -1);
}

TEST_F(ComCtrlsTest, PageControlShowsTheActiveSheet) {
  auto* Pages = Add<TPageControl>(10, 10, 300, 200);
  std::vector<TTabSheet*> Sheets;
  for (const char* Caption : {"General", "Colours", "Fonts"}) {
    auto* Sheet = new TTabSheet(Form.get());
    Sheet->SetCaption(Caption);
    Sheet->SetPageControl(Pages);
    Sheets.push_back(Sheet);
  }
  EXPECT_EQ(Pages->PageCount(), 3);
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  EXPECT_TRUE(Sheets[0]->Visible());
  EXPECT_FALSE(Sheets[1]->Visible());
  EXPECT_EQ(SendMessageA(Pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  int Changes = 0;
  Pages->OnChange = [&](TObject*) { ++Changes; };
  const TRect R = Pages->TabRect(2);
  Click(Pages->Handle(), RECT{R.Left, R.Top, R.Right, R.Bottom});
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
  EXPECT_TRUE(Shown(Sheets[2]));
  EXPECT_FALSE(Shown(Sheets[0]));
  // The sheet fills the area under the tabs.
  EXPECT_GT(Sheets[2]->Top(), R.Top);
  EXPECT_GT(Sheets[2]->Width(), 250);
  // A renamed sheet renames its tab.
  Sheets[1]->SetCaption("Colors");
  char Text[16] = {};
  TCITEMA Item{};
  Item.mask = TCIF_TEXT;
  Item.pszText = Text;
  Item.cchTextMax = sizeof Text;
  SendMessageA(Pages->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&Item));
  EXPECT_STREQ(Text, "Colors");
  // Freeing the active sheet activates another; code runs no OnChange.
  delete Sheets[2];
  EXPECT_EQ(Pages->PageCount(), 2);
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  EXPECT_EQ(Pages->TabIndex(), 1);
  Pages->SetActivePageIndex(0);
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Sheets[1]->PageIndex(), 1);
}

TEST_F(ComCtrlsTest, ToolButtonClicksReachTheirOwnHandlers) {
  auto* Bar = new TToolBar(Form.get());
  Bar->SetParent(Form.get());
  std::vector<std::string> Log;
  std::vector<TToolButton*> Buttons;
  for (const char* Caption : {"New", "-", "Open", "Bold"}) {
    auto* B = new TToolButton(Form.get());
    B->SetCaption(Caption);
    if (std::string(Caption) == "-") B->SetStyle(TToolButtonStyle::tbsSeparator);
    if (std::string(Caption) == "Bold") B->SetStyle(TToolButtonStyle::tbsCheck);
    B->OnClick = [&Log, Caption](TObject*) { Log.push_back(Caption); };
    B->SetParent(Bar);
    Buttons.push_back(B);
  }
  EXPECT_EQ(Bar->Align(), TAlign::alTop);
  EXPECT_EQ(Bar->Width(), Form->ClientWidth());
  EXPECT_EQ(SendMessageA(Bar->Handle(), TB_BUTTONCOUNT, 0, 0), 4);
  auto ClickButton = [&](TToolButton* B) {
    const TRect R = B->ItemRect();
    ASSERT_FALSE(R.IsEmpty());
    Click(Bar->Handle(), RECT{R.Left, R.Top, R.Right, R.Bottom});
  };
  ClickButton(Buttons[2]);
  ClickButton(Buttons[0]);
  EXPECT_EQ(Log, (std::vector<std::string>{"Open", "New"}));
  ClickButton(Buttons[3]);
  EXPECT_TRUE(Buttons[3]->Down());
  // A disabled button does not click.
  Buttons[0]->SetEnabled(false);
  ClickButton(Buttons[0]);
  EXPECT_EQ(Log.size(), 3u);
  // Removing a button keeps the others' commands right.
  delete Buttons[1];
  EXPECT_EQ(SendMessageA(Bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  ClickButton(Buttons[2]);
  EXPECT_EQ(Log.back(), "Open");
}

TEST_F(ComCtrlsTest, StatusBarPanelsAndSimpleText) {
  auto* Status = new TStatusBar(Form.get());
  Status->SetParent(Form.get());
  EXPECT_EQ(Status->Top() + Status->Height(), Form->ClientHeight());
  Status->AddPanel("Ready", 100);
  Status->AddPanel("", 80);
  Status->SetPanelText(1, "Line 3");
  EXPECT_EQ(Status->WindowPanelText(0), "Ready");
  EXPECT_EQ(Status->WindowPanelText(1), "Line 3");
  EXPECT_EQ(SendMessageA(Status->Handle(), SB_GETPARTS, 0, 0), 2);
  EXPECT_THROW(Status->SetPanelText(2, "x"), EListError);
  Status->SetSimpleText("Loading");
  Status->SetSimplePanel(true);
  EXPECT_EQ(Status->WindowPanelText(0), "Loading");
  Status->SetSimplePanel(false);
  EXPECT_EQ(Status->WindowPanelText(0), "Ready");
}

TEST_F(ComCtrlsTest, ListViewReportRowsAndSelection) {
  auto* List = Add<TListView>(10, 10, 300, 150);
  List->AddColumn("Name", 100);
  List->AddColumn("Value", 80);
  List->AddItem("Width", {"10"});
  auto* Second = List->AddItem("Height", {"20"});
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  char Text[16] = {};
  LVITEMA Item{};
  Item.iSubItem = 1;
  Item.pszText = Text;
  Item.cchTextMax = sizeof Text;
  SendMessageA(List->Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&Item));
  EXPECT_STREQ(Text, "20");
  std::vector<std::pair<TListItem*, bool>> Seen;
  List->OnSelectItem = [&](TObject*, TListItem* I, bool Selected) { Seen.emplace_back(I, Selected); };
  RECT R{LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(List->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&R));
  Click(List->Handle(), R);
  EXPECT_EQ(List->Selected(), Second);
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen.back(), std::make_pair(Second, true));
  List->RecreateWnd();
  EXPECT_EQ(List->ItemIndex(), 1);
  List->DeleteItem(0);
  EXPECT_EQ(List->ItemCount(), 1);
  EXPECT_EQ(Second->Index(), 0);
  EXPECT_THROW(List->Item(1), EListError);
}

}  // namespace

TEST_F(TreeViewTest, IndentReachesTheWindowAndOutlivesIt) {
  EXPECT_EQ(Tree->Indent(), 19);
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETINDENT, 0, 0), 19);
  Tree->SetIndent(30);
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETINDENT, 0, 0), 30);
  Tree->SetReadOnly(false);  // a new window
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETINDENT, 0, 0), 30);
}

TEST_F(TreeViewTest, UpdatesNestAndOnlyTheOutermostStopsAndRestartsDrawing) {
  std::vector<WPARAM> Redraw;  // what the window is told
  const TWndMethod Saved = Tree->WindowProc;
  Tree->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_SETREDRAW) Redraw.push_back(M.WParam);
    Saved(M);
  };
  Tree->Items().BeginUpdate();
  Tree->Items().BeginUpdate();
  Tree->Items().AddChild(B, "B1");
  Tree->Items().EndUpdate();
  EXPECT_EQ(Redraw, (std::vector<WPARAM>{0}));
  Tree->Items().EndUpdate();
  Tree->Items().EndUpdate();  // one too many changes nothing
  EXPECT_EQ(Redraw, (std::vector<WPARAM>{0, 1}));
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETCOUNT, 0, 0), 5);
  Tree->WindowProc = Saved;
}

TEST_F(TreeViewTest, TopItemPutsANodeInTheFirstRowAndOpensItsParents) {
  std::vector<TTreeNode*> Many;
  for (int I = 0; I < 40; ++I) Many.push_back(Tree->Items().AddChild(B, "B" + std::to_string(I)));
  Root->Expand();
  B->Expand();
  Tree->SetTopItem(Root);
  EXPECT_EQ(Tree->TopItem(), Root);
  Tree->SetTopItem(Many[10]);
  EXPECT_EQ(Tree->TopItem(), Many[10]);
  EXPECT_EQ(ItemRect(Many[10]).top, 0);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageA(Tree->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)),
            Many[10]->ItemHandle());
  // A1 sits under the collapsed A.
  Tree->SetTopItem(A1);
  EXPECT_TRUE(A->Expanded());
  EXPECT_EQ(Tree->TopItem(), A1);
  EXPECT_EQ(ItemRect(A1).top, 0);
}

// A tree rebuilt from scratch gets back the nodes the user opened and the first row, by the
// nodes' captions.
class TreeViewStateTest : public TreeViewTest {
 protected:
  // One node a line, two spaces of indent a level.
  void Build(const std::vector<std::string>& Lines) {
    TTreeNodes& Items = Tree->Items();
    Items.Clear();
    std::vector<TTreeNode*> Last;
    for (const std::string& Line : Lines) {
      const size_t Level = Line.find_first_not_of(' ') / 2;
      Last.resize(Level);
      Last.push_back(Items.AddChild(Level ? Last[Level - 1] : nullptr, Line.substr(Level * 2)));
    }
  }
  static void Add(std::vector<std::string>& Lines, const std::string& Indent, const std::string& Prefix, int From,
                  int To) {
    for (int I = From; I < To; ++I) Lines.push_back(Indent + Prefix + std::to_string(I));
  }
  TTreeNode* Path(const std::vector<std::pair<std::string, int>>& Steps) {
    TTreeNode* Node = nullptr;
    for (const auto& [Text, Skip] : Steps) {
      const Integer Count = Node ? Node->Count() : Tree->Items().RootCount();
      int Left = Skip;
      TTreeNode* Found = nullptr;
      for (Integer I = 0; I < Count && !Found; ++I) {
        TTreeNode* C = Node ? Node->Item(I) : Tree->Items().Root(I);
        if (C->Text() == Text && Left-- == 0) Found = C;
      }
      if (!Found) return nullptr;
      Node = Found;
    }
    return Node;
  }
  // What the window shows when it is tall enough: every row, in order, from the window's items.
  std::string Rows() {
    std::string Result;
    HWND Wnd = Tree->Handle();
    for (auto Item = reinterpret_cast<HTREEITEM>(SendMessageA(Wnd, TVM_GETNEXTITEM, TVGN_ROOT, 0)); Item;
         Item = reinterpret_cast<HTREEITEM>(SendMessageA(Wnd, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, LPARAM(Item)))) {
      char Text[64] = {};
      TVITEMA Query{};
      Query.mask = TVIF_TEXT;
      Query.hItem = Item;
      Query.pszText = Text;
      Query.cchTextMax = sizeof Text;
      SendMessageA(Wnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Query));
      Result += (Result.empty() ? "" : " ") + std::string(Text);
    }
    return Result;
  }
  std::string FirstRow() {
    TTreeNode* Top = Tree->TopItem();
    return Top ? Top->Text() : "(none)";
  }
};

TEST_F(TreeViewStateTest, ExpandedNodesAndTheFirstRowComeBackByCaptionPath) {
  // Root > A > A1, Root > B > B0..B39, two siblings named "dup" (x under the first, y under the
  // second), Other > O1.
  std::vector<std::string> Before = {"Root", "  A", "    A1", "  B"};
  Add(Before, "    ", "B", 0, 40);
  for (const char* Line : {"  dup", "    x", "  dup", "    y", "Other", "  O1"}) Before.push_back(Line);
  auto Seq = [](const std::string& Prefix, int From, int To) {
    std::string Result;
    for (int I = From; I < To; ++I) Result += " " + Prefix + std::to_string(I);
    return Result;
  };
  // B20, the first row, is gone: the row below it takes its place.
  std::vector<std::string> WithoutB20 = {"Root", "  A", "    A1", "  B"};
  Add(WithoutB20, "    ", "B", 0, 20);
  Add(WithoutB20, "    ", "B", 21, 40);
  // Nothing of the rows that were below B20 is left: the nearest row above it.
  std::vector<std::string> AboveOnly = {"Root", "  A", "    A1", "  B"};
  Add(AboveOnly, "    ", "B", 0, 20);
  Add(AboveOnly, "    ", "Q", 0, 30);
  struct TCase {
    const char* Name;
    std::vector<std::string> After;
    std::string Rows;  // A and the first dup stay closed
    std::string FirstRow;
  };
  const TCase Cases[] = {
      {"same", Before, "Root A B" + Seq("B", 0, 40) + " dup dup y Other O1", "B20"},
      {"B20 gone", WithoutB20, "Root A B" + Seq("B", 0, 20) + Seq("B", 21, 40), "B21"},
      {"only above", AboveOnly, "Root A B" + Seq("B", 0, 20) + Seq("Q", 0, 30), "B19"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Build(Before);
    for (TTreeNode* N :
         {Path({{"Root", 0}}), Path({{"Root", 0}, {"B", 0}}), Path({{"Root", 0}, {"dup", 1}}), Path({{"Other", 0}})})
      N->Expand();
    Tree->SetTopItem(Path({{"Root", 0}, {"B", 0}, {"B20", 0}}));
    ASSERT_EQ(FirstRow(), "B20");

    TTreeViewState State;
    State.Capture(*Tree);
    Tree->Items().BeginUpdate();
    Build(C.After);
    State.Restore(*Tree);
    Tree->Items().EndUpdate();

    EXPECT_EQ(Rows(), C.Rows);
    EXPECT_EQ(FirstRow(), C.FirstRow);
    EXPECT_EQ(ItemRect(Tree->TopItem()).top, 0);
  }
}

// The tool bar's tool tip asks the bar for a button's text, as the tool tip itself does.
TEST_F(ComCtrlsTest, ToolTipsShowTheButtonsShortHintsWhenHintsShow) {
  auto* Bar = new TToolBar(Form.get());
  Bar->SetParent(Form.get());
  for (const char* Hint : {"Container|Adds a container object", "", "Bitmap Object"}) {
    auto* B = new TToolButton(Form.get());
    B->SetHint(Hint);
    B->SetParent(Bar);
  }
  const HWND Tip = reinterpret_cast<HWND>(SendMessageA(Bar->Handle(), TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(Tip, nullptr);
  // The tool tip names a button by its command.
  auto Ask = [&](int Index) {
    TBBUTTON Button{};
    Button.idCommand = -1;
    SendMessageA(Bar->Handle(), TB_GETBUTTON, WPARAM(Index), reinterpret_cast<LPARAM>(&Button));
    NMTTDISPINFOW Info{};
    Info.hdr = {Tip, UINT_PTR(Button.idCommand), UINT(TTN_GETDISPINFOW)};
    SendMessageW(Bar->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Info));
    return std::wstring(Info.lpszText ? Info.lpszText : L"(none)");
  };
  EXPECT_EQ(Ask(0), L"");  // hints are off by default
  Bar->SetShowHint(true);
  EXPECT_EQ(Ask(0), L"Container");
  EXPECT_EQ(Ask(1), L"");
  EXPECT_EQ(Ask(2), L"Bitmap Object");
  EXPECT_EQ(Ask(7), L"");  // no such button
}
