// The skinned combo box on real windows: dropping down by keys and by the button, choosing by
// keys and mouse, the veto, closing on Escape and on a lost activation, where the drop window
// opens, the item index rules of both styles, keys, wheel, completion, painting with and without
// the sample skin, form files, and input that must not break it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "vexel/controls/vx_combobox.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme.h"

namespace {

const std::vector<std::string> Fruit{"apple", "apricot", "banana", "cherry", "date"};

// Holds Alt down in the thread's keyboard state for a scope.
class THeldAlt {
 public:
  THeldAlt() {
    GetKeyboardState(FSaved);
    BYTE State[256];
    GetKeyboardState(State);
    State[VK_MENU] = 0x80;
    SetKeyboardState(State);
  }
  ~THeldAlt() { SetKeyboardState(FSaved); }
  THeldAlt(const THeldAlt&) = delete;
  THeldAlt& operator=(const THeldAlt&) = delete;

 private:
  BYTE FSaved[256];
};

TRect WindowRectOf(HWND Wnd) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  return TRect(R.left, R.top, R.right, R.bottom);
}

class ComboTest : public ShownFormTest {
 public:
  void SetUp() override {
    ShownFormTest::SetUp();
    C = Add<TVxComboBox>(Shown, Bounds(10, 10, 150, 21));
    C->SetItems(Fruit);
    C->SetFocus();
    Settle();
  }
  // The list in its window, shown.
  bool Dropped() const {
    return C->DroppedDown() && C->DropWindow()->HandleAllocated() && IsWindowVisible(C->DropWindow()->Handle());
  }
  // Key down and up to the window with the focus (the combo, or the list while dropped down).
  static void Key(WPARAM K) {
    HWND Target = GetFocus();
    SendMessageA(Target, WM_KEYDOWN, K, 0);
    SendMessageA(Target, WM_KEYUP, K, 0);
  }
  void AltDown() {
    THeldAlt Held;
    SendMessageA(C->Handle(), WM_SYSKEYDOWN, VK_DOWN, LPARAM(1) << 29);
    SendMessageA(C->Handle(), WM_SYSKEYUP, VK_DOWN, LPARAM(1) << 29);
    PumpUntil([this] { return Dropped(); }, 1000);
  }
  void Type(const std::string& S) {
    for (char Ch : S) {
      SendMessageA(C->Handle(), WM_KEYDOWN, WPARAM(VkKeyScanA(Ch) & 0xFF), 0);
      SendMessageA(C->Handle(), WM_CHAR, WPARAM(uint8_t(Ch)), 0);
      SendMessageA(C->Handle(), WM_KEYUP, WPARAM(VkKeyScanA(Ch) & 0xFF), 0);
    }
  }
  // The middle of the button in screen coordinates.
  LPARAM ButtonPoint() const {
    const TRect B = C->GetButtonRect();
    POINT P{(B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2};
    ClientToScreen(C->Handle(), &P);
    return MAKELPARAM(P.x, P.y);
  }
  // A press and release on the button as the platform delivers it: the hit test first, then the
  // non-client messages with its code.
  void ClickButton() {
    const LPARAM P = ButtonPoint();
    const WPARAM Hit = WPARAM(SendMessageA(C->Handle(), WM_NCHITTEST, 0, P));
    PostMessageA(C->Handle(), WM_NCLBUTTONDOWN, Hit, P);
    PostMessageA(C->Handle(), WM_NCLBUTTONUP, Hit, P);
    PumpUntil([this] { return Dropped(); }, 1000);
  }
  // A press and release on item I of the dropped list.
  void ClickItem(Integer I) {
    TVxListBox* L = C->ListBox();
    TRect R;
    L->GetItemRect(I, R);
    const LPARAM P = MAKELPARAM(R.Left + 5, (R.Top + R.Bottom) / 2);
    SendMessageA(L->Handle(), WM_MOUSEMOVE, 0, P);
    SendMessageA(L->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, P);
    SendMessageA(L->Handle(), WM_LBUTTONUP, 0, P);
    Settle();
  }
  // The frame of the list box: two bevel cuts of one pixel on each side.
  static constexpr Integer ListFrame = 4;
  TVxComboBox* C = nullptr;
};

TEST_F(ComboTest, AltDownAndTheButtonDropTheListBelowInATopMostToolWindow) {
  C->SetItemIndex(2);
  AltDown();
  ASSERT_TRUE(Dropped()) << "Alt+Down";
  HWND Drop = C->DropWindow()->Handle();
  const TRect Combo = WindowRectOf(C->Handle());
  EXPECT_EQ(WindowRectOf(Drop), TRect(Combo.Left, Combo.Bottom, Combo.Right, Combo.Bottom + 5 * 15 + ListFrame));
  EXPECT_EQ(GetWindowLongA(Drop, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), LONG(WS_POPUP));
  const LONG Ex = GetWindowLongA(Drop, GWL_EXSTYLE);
  EXPECT_TRUE(Ex & WS_EX_TOPMOST);
  EXPECT_TRUE(Ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetClassLongA(Drop, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_EQ(GetFocus(), C->ListBox()->Handle()) << "the list takes the keys";
  EXPECT_EQ(C->ListBox()->ItemIndex(), 2);
  EXPECT_TRUE(C->ListBox()->Selected(2));
  EXPECT_EQ(C->ListBox()->SelCount(), 1);
  EXPECT_EQ(DroppedDownCombo(), C) << "registered with the skinned forms";
  EXPECT_TRUE(C->ButtonDropped());

  // Escape closes without changing anything, and the combo has the focus again.
  Key(VK_DOWN);
  EXPECT_EQ(C->ListBox()->ItemIndex(), 3);
  Key(VK_ESCAPE);
  Settle();
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(Drop));
  EXPECT_EQ(C->ItemIndex(), 2);
  EXPECT_EQ(C->Text(), "banana");
  EXPECT_EQ(C->ListBox()->Parent(), C);
  EXPECT_EQ(GetFocus(), C->Handle());
  EXPECT_EQ(DroppedDownCombo(), nullptr);
  EXPECT_FALSE(C->ButtonDropped());

  // The button area answers hit code 8; a click there drops the list down.
  EXPECT_EQ(SendMessageA(C->Handle(), WM_NCHITTEST, 0, ButtonPoint()), 8);
  POINT Text{20, 10};
  ClientToScreen(C->Handle(), &Text);
  EXPECT_EQ(SendMessageA(C->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Text.x, Text.y)), HTCLIENT);
  ClickButton();
  EXPECT_TRUE(Dropped()) << "the button";
  EXPECT_TRUE(C->ButtonDropped());

  // A second press on the button closes the list, also when, as with a real mouse, the press
  // first moves the activation away from the drop window.
  ClickButton();
  Settle();
  EXPECT_FALSE(C->DroppedDown()) << "pressed while dropped down";
  ClickButton();
  ASSERT_TRUE(Dropped());
  const LPARAM P = ButtonPoint();
  SendMessageA(C->Handle(), WM_MOUSEACTIVATE, WPARAM(Shown->Handle()), MAKELPARAM(8, WM_NCLBUTTONDOWN));
  SetActiveWindow(Shown->Handle());
  EXPECT_FALSE(C->DroppedDown()) << "the activation went to the form";
  PostMessageA(C->Handle(), WM_NCLBUTTONDOWN, 8, P);
  PostMessageA(C->Handle(), WM_NCLBUTTONUP, 8, P);
  Settle();
  EXPECT_FALSE(C->DroppedDown()) << "the press that closed it does not drop it again";
  ClickButton();
  EXPECT_TRUE(Dropped()) << "the next press does";
}

TEST_F(ComboTest, TheDropWindowIsAsHighAsTheItemsUpToDropDownCount) {
  struct TCase {
    Integer Items, DropDownCount, Rows;
  };
  // No items still drop one blank row.
  const TCase Cases[] = {{3, 8, 3}, {20, 8, 8}, {8, 8, 8}, {7, 8, 7}, {0, 8, 1}, {5, 0, 1}};
  for (const TCase& Case : Cases) {
    std::vector<std::string> Items;
    for (Integer I = 0; I < Case.Items; ++I) Items.push_back("item " + std::to_string(I));
    C->SetItems(Items);
    C->SetDropDownCount(Case.DropDownCount);
    AltDown();
    ASSERT_TRUE(Dropped()) << Case.Items << " items";
    EXPECT_EQ(WindowRectOf(C->DropWindow()->Handle()).Height(), Case.Rows * 15 + ListFrame)
        << Case.Items << " items, " << Case.DropDownCount << " rows at most";
    Key(VK_ESCAPE);
    Settle();
  }
}

TEST_F(ComboTest, OnDropDownMayFillTheListBeforeItIsMeasured) {
  C->SetItems({});
  int Calls = 0;
  C->OnDropDown = [&](TObject*) {
    ++Calls;
    if (C->Items().Count() == 0) C->SetItems({"one", "two", "three"});
  };
  AltDown();
  ASSERT_TRUE(Dropped());
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(WindowRectOf(C->DropWindow()->Handle()).Height(), 3 * 15 + ListFrame);
  EXPECT_TRUE(C->ListBox()->Selected(0)) << "the first item when none is chosen";
}

TEST_F(ComboTest, EnterSpaceAndAClickChooseTheListsItem) {
  int ClosedUp = 0, Clicks = 0;
  C->OnCloseUp = [&](TObject*) { ++ClosedUp; };
  C->OnListBoxClick = [&](TObject*) { ++Clicks; };
  C->SetItemIndex(0);
  AltDown();
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  Settle();
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_EQ(C->ItemIndex(), 2);
  EXPECT_EQ(C->Text(), "banana");
  EXPECT_EQ(ClosedUp, 1);

  AltDown();
  Key(VK_UP);
  Key(VK_SPACE);
  Settle();
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_EQ(C->ItemIndex(), 1);
  EXPECT_EQ(C->ListBox()->CheckState(1), 0) << "Space chose, it toggled nothing";
  EXPECT_EQ(ClosedUp, 2);
  EXPECT_EQ(Clicks, 0) << "keys are no clicks";

  AltDown();
  ClickItem(3);
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_EQ(C->ItemIndex(), 3);
  EXPECT_EQ(C->Text(), "cherry");
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(ClosedUp, 3);
  EXPECT_EQ(GetFocus(), C->Handle());
}

TEST_F(ComboTest, OnAllowChangeCanRefuseTheClickedItem) {
  std::vector<std::pair<Integer, std::string>> Asked;
  C->OnAllowChange = [&](TObject*, Integer Index, bool& Allow, const std::string& Text) {
    Asked.emplace_back(Index, Text);
    Allow = Text != "cherry";
  };
  C->SetItemIndex(1);
  AltDown();
  ClickItem(3);
  EXPECT_FALSE(C->DroppedDown()) << "a refused choice still closes";
  EXPECT_EQ(C->ItemIndex(), 1);
  EXPECT_EQ(C->Text(), "apricot");
  AltDown();
  ClickItem(4);
  EXPECT_EQ(C->ItemIndex(), 4);
  EXPECT_EQ(C->Text(), "date");
  AltDown();
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(C->ItemIndex(), 4) << "Enter is refused alike";
  EXPECT_EQ(Asked, (std::vector<std::pair<Integer, std::string>>{{3, "cherry"}, {4, "date"}, {3, "cherry"}}));
}

TEST_F(ComboTest, LosingTheActivationClosesUpWithoutTakingItBack) {
  AltDown();
  ASSERT_TRUE(Dropped());
  HWND Drop = C->DropWindow()->Handle();
  TForm Other;
  Other.SetBounds(600, 600, 120, 80);
  Other.Show();
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Drop); }, 2000));
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_EQ(C->ListBox()->Parent(), C);
  EXPECT_EQ(DroppedDownCombo(), nullptr);
  Settle();
  EXPECT_EQ(GetActiveWindow(), Other.Handle());
}

TEST_F(ComboTest, ThePressOnASkinnedFrameCallsTheCloseRoutine) {
  // The routine the combo registers is the one a skinned frame calls.
  AltDown();
  ASSERT_EQ(DroppedDownCombo(), C);
  CloseDroppedDownCombo();
  Settle();
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(C->DropWindow()->Handle()));
  // A press on the frame of a form with a skinning component closes it through that routine.
  auto Host = std::make_unique<TForm>();
  Host->SetBounds(200, 200, 260, 160);
  auto* Combo = new TVxComboBox(Owner.get());
  Combo->SetItems(Fruit);
  Combo->SetBounds(10, 10, 150, 21);
  Combo->SetParent(Host.get());
  auto Frame = std::make_unique<TVxDefaultForm>(Host.get());
  Host->Show();
  Settle();
  auto DropDown = [&] {
    Combo->SetFocus();
    THeldAlt Held;
    SendMessageA(Combo->Handle(), WM_SYSKEYDOWN, VK_DOWN, LPARAM(1) << 29);
    return PumpUntil([&] { return Combo->DroppedDown(); }, 1000);
  };
  ASSERT_TRUE(DropDown());
  const TRect W = WindowRectOf(Host->Handle());
  const LPARAM Caption = MAKELPARAM(W.Left + 40, W.Top + 8);
  SendMessageA(Host->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, Caption);
  SendMessageA(Host->Handle(), WM_NCLBUTTONUP, HTCAPTION, Caption);
  ReleaseCapture();
  Settle();
  EXPECT_FALSE(Combo->DroppedDown());
  EXPECT_EQ(DroppedDownCombo(), nullptr);
  // The form freed while its combo is dropped down: the list closes up with the combo's window.
  ASSERT_TRUE(DropDown());
  HWND Drop = Combo->DropWindow()->Handle();
  Frame.reset();
  Host.reset();
  Settle();
  EXPECT_FALSE(IsWindow(Drop));
  EXPECT_FALSE(Combo->DroppedDown());
  EXPECT_EQ(Combo->ListBox()->Parent(), Combo);
  EXPECT_EQ(DroppedDownCombo(), nullptr);
  delete Combo;
}

TEST_F(ComboTest, TheDropWindowOpensAboveNearTheBottomAndMovesLeftAtTheRightEdge) {
  const TRect Saved = Shown->BoundsRect();
  const TRect Work = GetMonitorAreaFromWindow(Shown->Handle(), true);
  const Integer H = 5 * 15 + ListFrame;
  struct TCase {
    const char* Name;
    // Where the combo's top-left should come, from the work area's right and bottom edges (or
    // from its left and top when positive).
    Integer X, Y;
    bool Above, Left;
  };
  const TCase Cases[] = {
      {"room below and right", 100, 100, false, false},
      {"near the bottom", 100, -60, true, false},
      {"at the right edge", -100, 100, false, true},
      {"bottom-right corner", -100, -60, true, true},
  };
  for (const TCase& Case : Cases) {
    // Move the form so that the combo lands where the case wants it.
    const TRect Now = WindowRectOf(C->Handle());
    const Integer TargetX = Case.X > 0 ? Work.Left + Case.X : Work.Right + Case.X;
    const Integer TargetY = Case.Y > 0 ? Work.Top + Case.Y : Work.Bottom + Case.Y;
    const TRect Form = Shown->BoundsRect();
    Shown->SetBounds(Form.Left + TargetX - Now.Left, Form.Top + TargetY - Now.Top, Form.Width(), Form.Height());
    Settle();
    const TRect Combo = WindowRectOf(C->Handle());
    ASSERT_EQ(Combo.Left, TargetX) << Case.Name;
    AltDown();
    ASSERT_TRUE(Dropped()) << Case.Name;
    const TRect Drop = WindowRectOf(C->DropWindow()->Handle());
    EXPECT_EQ(Drop.Top, Case.Above ? Combo.Top - H : Combo.Bottom) << Case.Name;
    EXPECT_EQ(Drop.Height(), H) << Case.Name;
    EXPECT_EQ(Drop.Left, Case.Left ? Work.Right - Combo.Width() : Combo.Left) << Case.Name;
    EXPECT_EQ(Drop.Width(), Combo.Width()) << Case.Name;
    Key(VK_ESCAPE);
    Settle();
  }
  Shown->SetBoundsRect(Saved);
  Settle();
}

// After ItemIndex := Set: the index, the text, whether Change fired.
TEST_F(ComboTest, ItemIndexIsClampedAndFollowedByTheText) {
  struct TCase {
    TVxComboStyle Style;
    Integer Set, Index;
    const char* Text;
    bool Changed;
  };
  constexpr auto Edit = TVxComboStyle::kcsDropDown, List = TVxComboStyle::kcsDropDownList;
  const TCase Cases[] = {
      {Edit, 1, 1, "apricot", true}, {Edit, 9, 4, "date", true},   {Edit, -5, 0, "apple", true},
      {Edit, -1, -1, "", true},      {List, 2, 2, "banana", true}, {List, 70, 4, "date", true},
      {List, -3, 0, "apple", true},  {List, -1, -1, "", true},
  };
  for (const TCase& Case : Cases) {
    C->SetComboStyle(Case.Style);
    C->SetItemIndex(Case.Index == 3 ? 0 : 3);
    int Changes = 0;
    C->OnChange = [&](TObject*) { ++Changes; };
    C->SetItemIndex(Case.Set);
    C->OnChange = nullptr;
    EXPECT_EQ(C->ItemIndex(), Case.Index) << int(Case.Style) << " set " << Case.Set;
    EXPECT_EQ(C->Text(), Case.Text) << int(Case.Style) << " set " << Case.Set;
    EXPECT_EQ(Changes > 0, Case.Changed) << int(Case.Style) << " set " << Case.Set;
    if (Case.Style == List) EXPECT_TRUE(C->WideText().empty()) << "the list style edits no text";
  }
  // An empty list has no item to choose.
  C->SetItems({});
  C->SetItemIndex(3);
  EXPECT_EQ(C->ItemIndex(), -1);
  EXPECT_EQ(C->Text(), "");
}

TEST_F(ComboTest, TheStyleSwitchSavesTheReadOnlyFlagAndTheText) {
  C->SetReadOnly(false);
  C->SetWideText(L"typed");
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  EXPECT_EQ(C->ItemIndex(), 0) << "-1 becomes the first item";
  EXPECT_TRUE(C->ReadOnly());
  EXPECT_TRUE(C->WideText().empty());
  EXPECT_EQ(C->Text(), "apple");
  Type("x");
  EXPECT_TRUE(C->WideText().empty()) << "nothing typed into the list style";
  C->SetComboStyle(TVxComboStyle::kcsDropDown);
  EXPECT_FALSE(C->ReadOnly());
  EXPECT_EQ(C->Text(), "apple");
}

TEST_F(ComboTest, TheListStyleDropsOnAClickWithArrowCursorNoCaretAndNoMenu) {
  auto CaretWindow = [] {
    GUITHREADINFO Info{};
    Info.cbSize = sizeof(Info);
    GetGUIThreadInfo(GetCurrentThreadId(), &Info);
    return Info.hwndCaret;
  };
  auto CursorOverText = [this] {
    SendMessageA(C->Handle(), WM_SETCURSOR, WPARAM(C->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(CaretWindow(), C->Handle()) << "the editable combo shows its caret";
  EXPECT_EQ(CursorOverText(), LoadCursor(nullptr, IDC_IBEAM));
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  EXPECT_NE(CaretWindow(), C->Handle());
  SetFocus(nullptr);
  C->SetFocus();
  Settle();
  EXPECT_EQ(GetFocus(), C->Handle());
  EXPECT_NE(CaretWindow(), C->Handle()) << "none when it takes the focus again";
  EXPECT_EQ(CursorOverText(), LoadCursor(nullptr, IDC_ARROW));
  POINT P{20, 10};
  ClientToScreen(C->Handle(), &P);
  SendMessageA(C->Handle(), WM_CONTEXTMENU, WPARAM(C->Handle()), MAKELPARAM(P.x, P.y));
  EXPECT_EQ(C->ContextMenu(), nullptr) << "no editing menu for a list";
  SendMessageA(C->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageA(C->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_TRUE(PumpUntil([this] { return Dropped(); }, 1000)) << "a click on the text drops the list";
  // The editable style drops nothing on a click in its text.
  Key(VK_ESCAPE);
  C->SetComboStyle(TVxComboStyle::kcsDropDown);
  Settle();
  SendMessageA(C->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageA(C->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  Settle();
  EXPECT_FALSE(C->DroppedDown());
}

// ItemIndex before the key and after it, in either style.
TEST_F(ComboTest, KeysMoveTheItemIndex) {
  struct TCase {
    TVxComboStyle Style;
    Integer From;
    WPARAM Key;
    Integer To;
  };
  constexpr auto Edit = TVxComboStyle::kcsDropDown, List = TVxComboStyle::kcsDropDownList;
  const TCase Cases[] = {
      {Edit, 2, VK_DOWN, 3}, {Edit, 4, VK_DOWN, 4},  {Edit, 2, VK_UP, 1},    {Edit, 0, VK_UP, 0},
      {Edit, -1, VK_UP, 0},  {Edit, -1, VK_DOWN, 0}, {Edit, 2, VK_NEXT, 2},  {Edit, 2, VK_HOME, 2},
      {List, 0, VK_NEXT, 3}, {List, 3, VK_NEXT, 4},  {List, 4, VK_PRIOR, 1}, {List, 1, VK_PRIOR, 0},
      {List, 2, VK_HOME, 0}, {List, 1, VK_END, 4},   {List, 3, VK_DOWN, 4},  {List, 3, VK_UP, 2},
  };
  for (const TCase& Case : Cases) {
    C->SetComboStyle(Case.Style);
    C->SetItemIndex(Case.From);
    Key(Case.Key);
    EXPECT_EQ(C->ItemIndex(), Case.To) << int(Case.Style) << " from " << Case.From << " key " << Case.Key;
    EXPECT_FALSE(C->DroppedDown());
  }
  // Page Down moves three items whatever the list's length.
  std::vector<std::string> Many;
  for (int I = 0; I < 40; ++I) Many.push_back("item " + std::to_string(I));
  C->SetItems(Many);
  C->SetItemIndex(10);
  Key(VK_NEXT);
  EXPECT_EQ(C->ItemIndex(), 13);
}

TEST_F(ComboTest, ReleasingAKeyChoosesTheLastItemWithTheText) {
  C->SetItems({"one", "two", "one", "three"});
  C->SetItemIndex(-1);
  Type("tw");
  EXPECT_EQ(C->ItemIndex(), -1);
  Type("o");
  EXPECT_EQ(C->ItemIndex(), 1);
  C->SetWideText(L"on");
  Type("e");
  EXPECT_EQ(C->ItemIndex(), 2) << "the last of the equal items";
  // In the list style the text is the item's own: a duplicate does not take the choice over.
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  C->SetItemIndex(0);
  Key(VK_SHIFT);
  EXPECT_EQ(C->ItemIndex(), 0);
}

TEST_F(ComboTest, TheWheelMovesByTheScrollLines) {
  UINT Lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  ASSERT_GT(Lines, 0u);
  ASSERT_LE(Lines, 120u);
  const Integer PerNotch = Integer(120 / (120 / Lines));
  std::vector<std::string> Many;
  for (int I = 0; I < 40; ++I) Many.push_back("item " + std::to_string(I));
  C->SetItems(Many);
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  C->SetItemIndex(10);
  int Changes = 0;
  C->OnChange = [&](TObject*) { ++Changes; };
  POINT P{20, 10};
  ClientToScreen(C->Handle(), &P);
  SendMessageA(C->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), MAKELPARAM(P.x, P.y));
  EXPECT_EQ(C->ItemIndex(), 10 + PerNotch) << "towards the user: down the list";
  EXPECT_EQ(Changes, 1);
  SendMessageA(C->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(P.x, P.y));
  EXPECT_EQ(C->ItemIndex(), 10 - PerNotch);
  SendMessageA(C->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120 * 20), MAKELPARAM(P.x, P.y));
  EXPECT_EQ(C->ItemIndex(), 0) << "never above the first item";
}

TEST_F(ComboTest, AutoCompletionFillsInTheRestAfterTheTimer) {
  C->SetAutoComplete(true);
  C->SetWideText(L"");
  Settle();
  Type("ap");
  EXPECT_EQ(C->WideText(), L"ap") << "nothing before the timer";
  ASSERT_TRUE(PumpUntil([this] { return C->WideText() != L"ap"; }, 1000));
  EXPECT_EQ(C->WideText(), L"apple");
  EXPECT_EQ(C->SelStart(), 2);
  EXPECT_EQ(C->SelLength(), 3);
  // Typing replaces the completed part; the next completion follows the new prefix.
  Type("r");
  EXPECT_EQ(C->WideText(), L"apr");
  ASSERT_TRUE(PumpUntil([this] { return C->WideText() != L"apr"; }, 1000));
  EXPECT_EQ(C->WideText(), L"apricot");
  EXPECT_EQ(C->SelStart(), 3);
  EXPECT_EQ(C->SelLength(), 4);
  EXPECT_EQ(C->ItemIndex(), 1);
  // Backspace removes the completed part and does not bring it back.
  Key(VK_BACK);
  EXPECT_EQ(C->WideText(), L"apr");
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(C->WideText(), L"apr");
  // Case does not matter for the match; the item's own case wins. (Cleared first: a text shorter
  // than the last one typed is taken for backspacing.)
  C->SetWideText(L"");
  PumpUntil([] { return false; }, 300);
  Type("CH");
  ASSERT_TRUE(PumpUntil([this] { return C->WideText() != L"CH"; }, 1000));
  EXPECT_EQ(C->WideText(), L"cherry");
  // A chosen item stays itself, even when an earlier item starts with its text.
  C->SetItems({"apple", "app"});
  C->SetItemIndex(1);
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(C->WideText(), L"app");
  EXPECT_EQ(C->ItemIndex(), 1);
  // Without AutoComplete nothing happens.
  C->SetAutoComplete(false);
  C->SelectAll();
  Type("ba");
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(C->WideText(), L"ba");
}

TEST_F(ComboTest, ListStyleGoesToTheListAndContentStylesSetTheItemHeight) {
  C->SetItemHeight(20);
  C->SetListStyle(TVxListBoxStyle::lbOwnerDrawFixed);
  EXPECT_EQ(C->ListBox()->ListStyle(), TVxListBoxStyle::lbOwnerDrawFixed);
  EXPECT_EQ(C->ListBox()->ItemHeight(), 20);
  // An owner-drawn drop-down list is as high as an item plus the frame above and below the text.
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  TRect R;
  C->GetTextRect(R);
  EXPECT_EQ(R.Height(), 20);
  EXPECT_EQ(R.Top, C->Height() - R.Bottom);
  C->SetListStyle(TVxListBoxStyle::lbColorNames);
  EXPECT_EQ(C->ItemHeight(), 18);
  EXPECT_GT(C->Items().Count(), 10);
}

TEST_F(ComboTest, WithoutASkinTheButtonIsThePlatformsAndTheListStyleDrawsItsItem) {
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  C->SetItemIndex(2);
  Settle();
  const TRect B = C->GetButtonRect();
  auto Matches = [&](UINT Flags) {
    Capture Shot(150, 21), Reference(150, 21);
    PrintClient(C, Shot);
    RECT Area{B.Left, B.Top, B.Right, B.Bottom};
    DrawFrameControl(Reference.DC(), &Area, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | Flags);
    int Different = 0;
    for (Integer Y = B.Top; Y < B.Bottom; ++Y)
      for (Integer X = B.Left; X < B.Right; ++X) Different += Shot.At(X, Y) != Reference.At(X, Y);
    return Different;
  };
  EXPECT_EQ(Matches(0), 0);
  // The focused list style shows its item selected: the highlight fills the text area.
  TRect Text;
  C->GetTextRect(Text);
  Capture Shot(150, 21);
  PrintClient(C, Shot);
  EXPECT_EQ(Shot.At(Text.Right - 4, (Text.Top + Text.Bottom) / 2), PixelOf(clHighlight));
  int Ink = 0;
  for (Integer X = Text.Left; X < Text.Right; ++X)
    Ink += Shot.At(X, (Text.Top + Text.Bottom) / 2) == PixelOf(clHighlightText);
  EXPECT_GT(Ink, 0) << "the item's text";
  AltDown();
  EXPECT_EQ(Matches(DFCS_PUSHED), 0) << "pushed while dropped";
  Key(VK_ESCAPE);
  Settle();
  C->SetEnabled(false);
  Settle();
  EXPECT_EQ(Matches(DFCS_INACTIVE), 0);
}

TEST_F(ComboTest, WithTheSampleSkinTheButtonIsTheThemesInItsStates) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsEditDefined(6, "default"));
  Settle();
  TRect Text;
  C->GetTextRect(Text);
  TRect Client;
  Theme->GetEditClientRect(6, TRect(0, 0, C->Width(), C->Height()), Client, "default");
  EXPECT_EQ(Text.Right, Client.Right - 15) << "the button's width comes off the theme's text area";
  const TRect B = C->GetButtonRect();
  EXPECT_EQ(B.Left, Text.Right);
  EXPECT_EQ(B.Width(), 15);
  auto Looks = [&](Byte State, Byte Frame, const char* Name) {
    Capture Shot(150, C->Height()), Reference(150, C->Height());
    PrintClient(C, Shot);
    TCanvas Canvas(Reference.DC());
    TvxStateInfo Info;
    Info.Rect = TRect(0, 0, 150, C->Height());
    Info.State = Frame;
    Theme->DrawEdit(0, Canvas, "default", Info);
    Info.Rect = B;
    Info.State = State;
    Theme->DrawEditButton(6, Canvas, "default", Info);
    int Different = 0;
    uint32_t Sum = 0;
    for (Integer Y = B.Top; Y < B.Bottom; ++Y)
      for (Integer X = B.Left; X < B.Right; ++X) {
        Different += Shot.At(X, Y) != Reference.At(X, Y);
        Sum = Sum * 31 + Shot.At(X, Y);
      }
    EXPECT_EQ(Different, 0) << Name;
    return Sum;
  };
  const uint32_t Normal = Looks(0, 0, "normal");
  SendMessageA(C->Handle(), WM_NCMOUSEMOVE, 8, ButtonPoint());
  Settle();
  EXPECT_TRUE(C->ButtonHot());
  const uint32_t Hot = Looks(1, 0, "hot");
  AltDown();
  const uint32_t Dropped = Looks(2, 0, "dropped");
  Key(VK_ESCAPE);
  Settle();
  SendMessageA(C->Handle(), WM_NCMOUSELEAVE, 0, 0);
  C->SetEnabled(false);
  Settle();
  EXPECT_FALSE(C->ButtonHot());
  const uint32_t Disabled = Looks(4, 4, "disabled");
  EXPECT_NE(Normal, Dropped);
  EXPECT_NE(Normal, Disabled);
  EXPECT_NE(Normal, Hot);
}

TEST_F(ComboTest, FormFilesKeepTheItemsAndSettings) {
  EXPECT_NE(FindClass("TVxComboBox"), nullptr) << "registered when the program starts";
  TVxComboBox Source;
  Source.SetItems(Fruit);
  Source.SetComboStyle(TVxComboStyle::kcsDropDownList);
  Source.SetItemIndex(3);
  Source.SetDropDownCount(5);
  Source.SetItemHeight(18);
  Source.SetButtonAlign(TVxComboButtonAlign::cbaLeft);
  Source.SetAutoComplete(true);
  RoundTrip<TVxComboBox>(Source,
                         {"'banana'", "ComboStyle = kcsDropDownList", "ItemIndex = 3", "DropDownCount = 5",
                          "ItemHeight = 18", "ButtonAlign = cbaLeft", "AutoComplete = True"},
                         [](TVxComboBox& Read) {
                           EXPECT_EQ(Read.ItemList(), Fruit);
                           EXPECT_EQ(Read.ComboStyle(), TVxComboStyle::kcsDropDownList);
                           EXPECT_EQ(Read.ItemIndex(), 3);
                           EXPECT_EQ(Read.Text(), "cherry");
                           EXPECT_EQ(Read.DropDownCount(), 5);
                           EXPECT_EQ(Read.ItemHeight(), 18);
                           EXPECT_EQ(Read.ListBox()->ItemHeight(), 18);
                           EXPECT_EQ(Read.ButtonAlign(), TVxComboButtonAlign::cbaLeft);
                           EXPECT_TRUE(Read.AutoComplete());
                           Read.SetComboStyle(TVxComboStyle::kcsDropDown);
                           EXPECT_FALSE(Read.ReadOnly()) << "the list style's own read-only flag was not stored";
                         });
  TVxComboBox Editable;
  Editable.SetItems({"b", "a"});
  Editable.SetSorted(true);
  Editable.SetWideText(L"free text");
  RoundTrip<TVxComboBox>(Editable, {"Sorted = True"}, [](TVxComboBox& Read) {
    EXPECT_EQ(Read.ItemList(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Read.Text(), "free text");
  });
}

TEST_F(ComboTest, BadInputBreaksNothing) {
  // An empty list drops down and closes; Enter chooses nothing and asks nobody.
  int Asked = 0;
  C->OnAllowChange = [&](TObject*, Integer, bool&, const std::string&) { ++Asked; };
  C->SetItems({});
  AltDown();
  ASSERT_TRUE(Dropped());
  Key(VK_DOWN);
  Key(VK_RETURN);
  Settle();
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_EQ(C->ItemIndex(), -1);
  EXPECT_EQ(Asked, 0);

  // A chosen item that goes away is no longer chosen.
  C->SetItems(Fruit);
  C->SetComboStyle(TVxComboStyle::kcsDropDownList);
  C->SetItemIndex(4);
  C->Items().Delete(4);
  C->Items().Delete(3);
  EXPECT_EQ(C->ItemIndex(), -1);
  EXPECT_EQ(C->Text(), "");
  Settle();
  AltDown();
  ASSERT_TRUE(Dropped());
  EXPECT_EQ(C->ListBox()->ItemIndex(), 0);

  // The items cleared while dropped down: painting, keys and Enter cope.
  C->Items().Clear();
  Settle();
  Key(VK_DOWN);
  Key(VK_RETURN);
  Settle();
  EXPECT_FALSE(C->DroppedDown());
  EXPECT_EQ(C->ItemIndex(), -1);

  // The combo freed while dropped down takes its window and registration along.
  C->SetItems(Fruit);
  AltDown();
  ASSERT_TRUE(Dropped());
  HWND Drop = C->DropWindow()->Handle();
  HWND List = C->ListBox()->Handle();
  delete C;
  C = nullptr;
  Settle();
  EXPECT_FALSE(IsWindow(Drop));
  EXPECT_FALSE(IsWindow(List));
  EXPECT_EQ(DroppedDownCombo(), nullptr);
  CloseDroppedDownCombo();
}

}  // namespace
