// Standard controls driven through their windows: button clicks (and the form's modal result,
// default and cancel keys), check boxes, radio buttons, edits, combo boxes, list boxes, labels.
#include <map>

#include "framework/core/component_stream.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/grids.h"
#include "framework/ui/stdctrls.h"
#include "ui_fixture.h"

namespace {

class StdCtrlsTest : public UiTest {
 protected:
  template <class T>
  T* Add(Integer X, Integer Y, Integer W, Integer H) {
    auto* C = new T(Form.get());
    C->SetBounds(X, Y, W, H);
    C->SetParent(Form.get());
    return C;
  }
};

TEST_F(StdCtrlsTest, ButtonClickRunsOnClickOnceAndSetsModalResult) {
  auto* Ok = Add<TButton>(10, 10, 75, 25);
  Ok->SetModalResult(mrOk);
  int Clicks = 0;
  TModalResult SeenInHandler = mrNone;
  Ok->OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Ok);
    SeenInHandler = Form->ModalResult();
    ++Clicks;
  };
  SendMessageA(Ok->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  EXPECT_EQ(SeenInHandler, mrOk);  // set before the handler runs
  // A real press and release inside the button is one click, not two.
  Form->SetModalResult(mrNone);
  SendMessageA(Ok->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  SendMessageA(Ok->Handle(), WM_LBUTTONUP, 0, Point(5, 5));
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(StdCtrlsTest, ButtonWithoutModalResultLeavesFormAlone) {
  auto* B = Add<TButton>(10, 10, 75, 25);
  bool Clicked = false;
  B->OnClick = [&](TObject*) { Clicked = true; };
  SendMessageA(B->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(Clicked);
  EXPECT_EQ(Form->ModalResult(), mrNone);
}

TEST_F(StdCtrlsTest, ShowModalEndsWithTheClickedButtonsResult) {
  auto* Cancel = Add<TButton>(100, 10, 75, 25);
  Cancel->SetModalResult(mrCancel);
  auto* Ok = Add<TButton>(10, 10, 75, 25);
  Ok->SetModalResult(mrOk);
  PostMessageA(Ok->Handle(), BM_CLICK, 0, 0);
  Watchdog.SetEnabled(true);
  EXPECT_EQ(Form->ShowModal(), mrOk);
}

TEST_F(StdCtrlsTest, EnterAndEscapeClickDefaultAndCancelButtons) {
  auto* Edit = Add<TEdit>(10, 50, 100, 21);
  auto* Ok = Add<TButton>(10, 10, 75, 25);
  Ok->SetDefault(true);
  Ok->SetModalResult(mrOk);
  auto* Cancel = Add<TButton>(100, 10, 75, 25);
  Cancel->SetCancel(true);
  Cancel->SetModalResult(mrCancel);
  Form->Show();
  Edit->SetFocus();
  SendMessageA(Edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  SendMessageA(Edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  // Without a default button Enter does nothing.
  Form->SetModalResult(mrNone);
  Ok->SetDefault(false);
  SendMessageA(Edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Form->ModalResult(), mrNone);
}

TEST_F(StdCtrlsTest, ButtonOnNestedParentGetsItsNotification) {
  auto* Inner = Add<TEdit>(0, 0, 10, 10);  // a system control on the form first
  (void)Inner;
  auto* Box = new TWinControl(Form.get());
  Box->SetBounds(10, 10, 200, 100);
  Box->SetParent(Form.get());
  auto* B = new TButton(Form.get());
  B->SetParent(Box);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  SendMessageA(B->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks, 1);
  // The parent's window re-created (a new window procedure binding) still reflects.
  Box->RecreateWnd();
  SendMessageA(B->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks, 2);
}

TEST_F(StdCtrlsTest, CheckBoxCyclesStatesOnClicks) {
  auto* Box = Add<TCheckBox>(10, 10, 100, 17);
  int Clicks = 0;
  Box->OnClick = [&](TObject*) { ++Clicks; };
  SendMessageA(Box->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(SendMessageA(Box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(Box->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Box->State(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(Clicks, 2);
  Box->SetAllowGrayed(true);
  SendMessageA(Box->Handle(), BM_CLICK, 0, 0);
  SendMessageA(Box->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Box->State(), TCheckBoxState::cbGrayed);
  EXPECT_EQ(SendMessageA(Box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  // Setting the same state again is no change and no click.
  const int Before = Clicks;
  Box->SetState(TCheckBoxState::cbGrayed);
  EXPECT_EQ(Clicks, Before);
  // Leaving AllowGrayed off clears a grayed state.
  Box->SetAllowGrayed(false);
  EXPECT_EQ(Box->State(), TCheckBoxState::cbUnchecked);
}

TEST_F(StdCtrlsTest, CheckStateSurvivesWindowRecreation) {
  auto* Box = Add<TCheckBox>(10, 10, 100, 17);
  Box->SetChecked(true);
  Box->RecreateWnd();
  EXPECT_EQ(SendMessageA(Box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(StdCtrlsTest, RadioButtonsOnOneParentExcludeEachOther) {
  auto* A = Add<TRadioButton>(10, 10, 100, 17);
  auto* B = Add<TRadioButton>(10, 30, 100, 17);
  A->SetChecked(true);
  SendMessageA(B->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(B->Checked());
  EXPECT_FALSE(A->Checked());
  EXPECT_EQ(SendMessageA(A->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(StdCtrlsTest, EditTextRoundTripAndOnChange) {
  auto* Edit = Add<TEdit>(10, 10, 120, 21);
  std::vector<std::string> Changes;
  Edit->OnChange = [&](TObject*) { Changes.push_back(Edit->Text()); };
  Edit->SetText("abc");
  char Buffer[32] = {};
  GetWindowTextA(Edit->Handle(), Buffer, sizeof Buffer);
  EXPECT_STREQ(Buffer, "abc");
  // Typing into the window reaches Text and OnChange.
  SendMessageA(Edit->Handle(), EM_SETSEL, 3, 3);
  SendMessageA(Edit->Handle(), WM_CHAR, 'd', 0);
  EXPECT_EQ(Edit->Text(), "abcd");
  Edit->SetText("abcd");  // no change
  EXPECT_EQ(Changes, (std::vector<std::string>{"abc", "abcd"}));
  // The text outlives the window.
  Edit->RecreateWnd();
  GetWindowTextA(Edit->Handle(), Buffer, sizeof Buffer);
  EXPECT_STREQ(Buffer, "abcd");
}

TEST_F(StdCtrlsTest, EditBeforeItsWindowExists) {
  auto* Edit = new TEdit(Form.get());
  Edit->SetName("Edit1");
  EXPECT_EQ(Edit->Text(), "");  // never shows its name
  int Changes = 0;
  Edit->OnChange = [&](TObject*) { ++Changes; };
  Edit->SetText("early");
  Edit->SetText("early");
  EXPECT_EQ(Changes, 1);
  Edit->SetParent(Form.get());
  char Buffer[32] = {};
  GetWindowTextA(Edit->Handle(), Buffer, sizeof Buffer);
  EXPECT_STREQ(Buffer, "early");
}

TEST_F(StdCtrlsTest, EditReadOnlyAndMaxLength) {
  auto* Edit = Add<TEdit>(10, 10, 120, 21);
  Edit->SetMaxLength(3);
  for (char C : std::string("abcdef")) SendMessageA(Edit->Handle(), WM_CHAR, C, 0);
  EXPECT_EQ(Edit->Text(), "abc");
  Edit->SetReadOnly(true);
  SendMessageA(Edit->Handle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(Edit->Text(), "abc");
  EXPECT_TRUE(GetWindowLongA(Edit->Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(StdCtrlsTest, ComboBoxItemIndexTextAndOnChange) {
  auto* Combo = Add<TComboBox>(10, 10, 120, 21);
  Combo->SetStyle(TComboBoxStyle::csDropDownList);
  Combo->Items().Assign({"red", "green", "blue"});
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(SendMessageA(Combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  int Changes = 0;
  Combo->OnChange = [&](TObject*) { ++Changes; };
  // Keys change the selection as the user does; code does not run OnChange.
  SendMessageA(Combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_EQ(Combo->Text(), "red");
  EXPECT_EQ(Changes, 1);
  SendMessageA(Combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Combo->Text(), "green");
  EXPECT_EQ(Changes, 2);
  Combo->SetItemIndex(2);
  EXPECT_EQ(Combo->Text(), "blue");
  EXPECT_EQ(Changes, 2);
  // Out of range selects nothing rather than failing.
  Combo->SetItemIndex(7);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  Combo->SetItemIndex(1);
  // Deleting items before the selection keeps the same item selected.
  Combo->Items().Delete(0);
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_EQ(Combo->Items()[0], "green");
  EXPECT_THROW(Combo->Items().Delete(5), EListError);
  // Items and selection survive a change of style (a new window).
  Combo->SetStyle(TComboBoxStyle::csDropDown);
  EXPECT_EQ(Combo->ItemIndex(), 0);
  EXPECT_EQ(SendMessageA(Combo->Handle(), CB_GETCOUNT, 0, 0), 2);
}

TEST_F(StdCtrlsTest, EditableComboBoxTypedTextRunsOnChange) {
  auto* Combo = Add<TComboBox>(10, 10, 120, 21);
  Combo->Items().Assign({"one", "two"});
  int Changes = 0;
  Combo->OnChange = [&](TObject*) { ++Changes; };
  HWND EditWnd = FindWindowExA(Combo->Handle(), nullptr, "Edit", nullptr);
  ASSERT_NE(EditWnd, nullptr);
  SendMessageA(EditWnd, WM_CHAR, 'x', 0);
  EXPECT_EQ(Combo->Text(), "x");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  Combo->SetText("two");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  // Resizing (as alignment does) leaves the closed box at the height its window gives it.
  Combo->SetBounds(10, 10, 150, 21);
  EXPECT_EQ(Combo->Width(), 150);
  RECT Closed{};
  GetWindowRect(Combo->Handle(), &Closed);
  EXPECT_EQ(Combo->Height(), Closed.bottom - Closed.top);
}

TEST_F(StdCtrlsTest, ListBoxMouseSelectionRunsOnClick) {
  auto* List = Add<TListBox>(10, 10, 120, 100);
  List->Items().Assign({"alpha", "beta", "gamma"});
  std::vector<Integer> Seen;
  List->OnClick = [&](TObject*) { Seen.push_back(List->ItemIndex()); };
  RECT R{};
  SendMessageA(List->Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&R));
  const LPARAM At = Point((R.left + R.right) / 2, (R.top + R.bottom) / 2);
  SendMessageA(List->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageA(List->Handle(), WM_LBUTTONUP, 0, At);
  EXPECT_EQ(List->ItemIndex(), 1);
  ASSERT_FALSE(Seen.empty());
  EXPECT_EQ(Seen.back(), 1);
  SendMessageA(List->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_EQ(Seen.back(), 2);
  // Code selects without OnClick; out of range clears.
  const size_t Count = Seen.size();
  List->SetItemIndex(0);
  EXPECT_EQ(List->ItemIndex(), 0);
  List->SetItemIndex(-5);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(Seen.size(), Count);
}

TEST_F(StdCtrlsTest, ListBoxMultiSelectKeepsSelectionAcrossWindows) {
  auto* List = new TListBox(Form.get());
  List->Items().Assign({"a", "b", "c", "d"});
  List->SetMultiSelect(true);
  List->SetSelected(1, true);
  List->SetSelected(3, true);
  List->SetParent(Form.get());
  EXPECT_EQ(List->SelCount(), 2);
  EXPECT_TRUE(List->Selected(3));
  List->RecreateWnd();
  EXPECT_TRUE(List->Selected(1));
  EXPECT_FALSE(List->Selected(2));
  EXPECT_EQ(List->SelCount(), 2);
  EXPECT_THROW(List->Selected(4), EListError);
}

// The editor's colour and font lists paint their own items.
TEST_F(StdCtrlsTest, OwnerDrawnListBoxPaintsEachItemAtItsHeight) {
  auto* List = new TListBox(Form.get());
  List->SetBounds(0, 0, 120, 100);
  List->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  List->SetItemHeight(24);
  List->SetItems({"Red", "Green", "Blue"});
  List->SetItemIndex(1);
  const COLORREF Colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  std::map<Integer, TOwnerDrawState> States;
  List->OnDrawItem = [&](TWinControl* Control, Integer Index, const TRect& R, TOwnerDrawState State) {
    EXPECT_EQ(Control, List);
    EXPECT_EQ(R.Bottom - R.Top, 24);
    States[Index] = State;
    List->Canvas()->Brush().SetColor(TColor(Colors[Index]));
    List->Canvas()->FillRect(R);
  };
  List->SetParent(Form.get());
  Form->Show();
  List->Repaint();
  EXPECT_EQ(SendMessageA(List->Handle(), LB_GETITEMHEIGHT, 0, 0), 24);
  ASSERT_EQ(States.size(), 3u);
  EXPECT_TRUE(States[1].Contains(TOwnerDrawStateFlag::odSelected));
  EXPECT_FALSE(States[0].Contains(TOwnerDrawStateFlag::odSelected));
  auto Pixel = [&](int X, int Y) {
    HDC DC = GetDC(List->Handle());
    const COLORREF Color = GetPixel(DC, X, Y);
    ReleaseDC(List->Handle(), DC);
    return Color;
  };
  for (int I = 0; I < 3; ++I) EXPECT_EQ(Pixel(60, 24 * I + 12), Colors[I]) << I;

  // Without a handler the list draws the text itself, the selected item on the highlight.
  List->OnDrawItem = nullptr;
  List->SetItemHeight(30);  // also a new height on a live window
  List->Repaint();
  EXPECT_EQ(SendMessageA(List->Handle(), LB_GETITEMHEIGHT, 0, 0), 30);
  EXPECT_EQ(Pixel(110, 45), COLORREF(ColorToRGB(clHighlight)));
  EXPECT_EQ(Pixel(110, 15), COLORREF(ColorToRGB(clWindow)));
}

TEST_F(StdCtrlsTest, LabelAutoSizesToItsCaptionAndPaintsIt) {
  auto* Label = new TLabel(Form.get());
  Label->SetParent(Form.get());
  Label->SetLeft(10);
  Label->SetTop(10);
  Label->SetCaption("W");
  const Integer Narrow = Label->Width();
  Label->SetCaption("WWWWWWWW");
  EXPECT_GT(Label->Width(), Narrow * 6);
  EXPECT_GT(Label->Height(), 0);
  Label->SetAutoSize(false);
  Label->SetBounds(10, 10, 30, 30);
  Label->SetCaption("something much longer");
  EXPECT_EQ(Label->Width(), 30);
  // Painted: black text on the form's colour, so some pixel in the label is black.
  Form->SetColor(clWhite);
  Label->SetCaption("WWW");
  Form->HandleNeeded();
  Capture Pixels(400, 300);
  Form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Pixels.DC()), PRF_CLIENT | PRF_ERASEBKGND);
  bool Dark = false;
  for (int Y = 10; Y < 40; ++Y)
    for (int X = 10; X < 40; ++X) Dark |= Pixels.At(X, Y) == 0;
  EXPECT_TRUE(Dark);
  EXPECT_EQ(Pixels.At(45, 20), 0xFFFFFFu);
}

template <class T>
void RoundTrip(const T& Source, T& Read) {
  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  ReadComponent(Stream, Read);
}

TEST_F(StdCtrlsTest, StoredPropertiesReadBackAsWritten) {
  RegisterStandardControlClasses();
  TButton Button, ButtonRead;
  Button.SetModalResult(mrCancel);
  Button.SetCancel(true);
  Button.SetDefault(true);
  RoundTrip(Button, ButtonRead);
  EXPECT_EQ(ButtonRead.ModalResult(), mrCancel);
  EXPECT_TRUE(ButtonRead.Cancel());
  EXPECT_TRUE(ButtonRead.Default());

  TCheckBox Check, CheckRead;
  Check.SetAllowGrayed(true);
  Check.SetState(TCheckBoxState::cbGrayed);
  RoundTrip(Check, CheckRead);
  EXPECT_EQ(CheckRead.State(), TCheckBoxState::cbGrayed);

  TEdit Edit, EditRead;
  Edit.SetMaxLength(12);
  Edit.SetReadOnly(true);
  RoundTrip(Edit, EditRead);
  EXPECT_EQ(EditRead.MaxLength(), 12);
  EXPECT_TRUE(EditRead.ReadOnly());

  TStringGrid Grid, GridRead;
  Grid.SetColCount(3);
  Grid.SetRowCount(9);
  Grid.SetFixedRows(2);
  Grid.SetDefaultRowHeight(18);
  RoundTrip(Grid, GridRead);
  EXPECT_EQ(GridRead.ColCount(), 3);
  EXPECT_EQ(GridRead.RowCount(), 9);
  EXPECT_EQ(GridRead.FixedRows(), 2);
  EXPECT_EQ(GridRead.RowHeights(8), 18);
}

}  // namespace
