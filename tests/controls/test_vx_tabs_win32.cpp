// The skinned tab control and its pages: tab rectangles on every side, rows with the active row at
// the page, the scrolling row and its buttons, selection by mouse and keys with OnChanging and
// OnChange, hot tracking, the skinned and classic looks, bad input, and form files.
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/exceptions.h"
#include "framework/graphics/imagelist.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_tabs.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme.h"

namespace {

// Defines tabs and notes what it is asked to draw.
class TTabTheme : public TvxTheme {
 public:
  struct TDrawn {
    TRect Rect;
    Byte Side, State;
    friend bool operator==(const TDrawn&, const TDrawn&) = default;
  };
  std::vector<TDrawn> Tabs, Buttons, Texts;
  bool IsTabDefined(Byte, const std::string&) override { return true; }
  void DrawTab(Byte, TCanvas&, const std::string&, const TvxStateInfo& Info) override {
    Tabs.push_back({Info.Rect, Info.State, Info.Part});
  }
  void DrawTabScrollButton(Byte, TCanvas&, const std::string&, const TvxStateInfo& Info) override {
    Buttons.push_back({Info.Rect, Info.State, Info.Part});
  }
  void DrawTabText(Byte, TCanvas&, const std::string&, const TvxTextInfo&, const TvxStateInfo& State) override {
    Texts.push_back({State.Rect, State.State, State.Part});
  }
  void Clear() { Tabs.clear(), Buttons.clear(), Texts.clear(); }
};

class TabsTest : public ShownFormTest {
 protected:
  TVxTabControl* Tabs(const TRect& Bounds, std::vector<std::string> Captions, Integer TabWidth = 0,
                      Integer TabHeight = 0) {
    auto* T = Add<TVxTabControl>(Shown, Bounds);
    T->SetTabWidth(TabWidth);
    T->SetTabHeight(TabHeight);
    T->SetTabs(Captions);
    T->OnChange = [this, T](TObject*) { Changes.push_back(T->TabIndex()); };
    return T;
  }
  static void Mouse(TVxTabControl* T, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
    SendMessageA(T->Handle(), Msg, Keys, MAKELPARAM(X, Y));
  }
  static void Click(TVxTabControl* T, Integer X, Integer Y) {
    Mouse(T, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
    Mouse(T, WM_LBUTTONUP, X, Y);
  }
  static TPoint Middle(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  // The key goes to the control with Ctrl and Shift held as given, as the keyboard would report.
  static void Key(TVxTabControl* T, WPARAM K, bool Ctrl = false, bool Shift = false) {
    BYTE State[256];
    GetKeyboardState(State);
    State[VK_CONTROL] = Ctrl ? 0x80 : 0;
    State[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(State);
    SendMessageA(T->Handle(), WM_KEYDOWN, K, 1);
    State[VK_CONTROL] = State[VK_SHIFT] = 0;
    SetKeyboardState(State);
  }
  TTabTheme* UseRecordingTheme() {
    auto Owned = std::make_unique<TTabTheme>();
    TTabTheme* Theme = Owned.get();
    SetCurrentTheme(std::move(Owned));
    return Theme;
  }
  std::vector<Integer> Changes;
};

// [Layout] ---------------------------------------------------------------------------------------

TEST_F(TabsTest, TabAndPageRectanglesOnEachSide) {
  // Fixed 50 x 20 tabs in one row: the strip is 20 + 2 thick, every tab reaches 2 into the page.
  const struct {
    TVxTabPosition Side;
    TRect Second, Page;
  } Cases[] = {
      {TVxTabPosition::kttpTop, Rect(52, 2, 102, 24), Rect(0, 22, 200, 160)},
      {TVxTabPosition::kttpBottom, Rect(52, 136, 102, 158), Rect(0, 0, 200, 138)},
      {TVxTabPosition::kttpLeft, Rect(2, 52, 24, 102), Rect(22, 0, 200, 160)},
      {TVxTabPosition::kttpRight, Rect(176, 52, 198, 102), Rect(0, 0, 178, 160)},
  };
  for (const auto& C : Cases) {
    auto* T = Tabs(Bounds(0, 0, 200, 160), {"One", "Two", "Three"}, 50, 20);
    T->SetTabPosition(C.Side);
    SCOPED_TRACE(int(C.Side));
    EXPECT_EQ(T->TabRect(1), C.Second);
    EXPECT_EQ(T->PageRect(), C.Page);
    const TRect Client = T->ClientRect();
    EXPECT_EQ(Client, Rect(C.Page.Left + 3, C.Page.Top + 3, C.Page.Right - 3, C.Page.Bottom - 3));
    EXPECT_EQ(T->TabAt(Middle(C.Second).X, Middle(C.Second).Y), 1);
    EXPECT_EQ(T->TabAt(Middle(Client).X, Middle(Client).Y), -1) << "the page is no tab";
    EXPECT_EQ(T->MultiLine(), C.Side == TVxTabPosition::kttpLeft || C.Side == TVxTabPosition::kttpRight);
  }
}

TEST_F(TabsTest, RowsShareOutTheSpareLengthAndTheActiveRowMovesNextToThePage) {
  // Tab thickness 28: every short caption measures the minimum 2 * 28 + 4 = 60.
  auto* T = Tabs(Bounds(0, 0, 150, 150), {"a", "b", "c"}, 0, 28);
  T->SetMultiLine(true);
  // L = 146: {0, 1} (120 < 146) and {2}; 13 extra for each of the first row, 86 for the second.
  ASSERT_EQ(T->RowCount(), 2);
  EXPECT_EQ(T->TabRect(0), Rect(2, 30, 75, 60));
  EXPECT_EQ(T->TabRect(1), Rect(75, 30, 148, 60));
  EXPECT_EQ(T->TabRect(2), Rect(2, 2, 148, 60)) << "the far row reaches down to the page too";
  T->SetRaggedRight(true);
  EXPECT_EQ(T->TabRect(1), Rect(62, 30, 122, 60));
  T->SetRaggedRight(false);

  // The top of each tab's row, per active tab, for a few widths (h = 28).
  const struct {
    Integer Width, Rows, Active;
    std::vector<Integer> Tops;
  } Cases[] = {
      {200, 1, 2, {2, 2, 2}},
      {150, 2, 0, {30, 30, 2}},
      {150, 2, 2, {2, 2, 30}},
      // Three rows: the rows rotate, keeping their cyclic order.
      {100, 3, 0, {58, 30, 2}},
      {100, 3, 1, {2, 58, 30}},
      {100, 3, 2, {30, 2, 58}},
      // A row exactly L long (60 + 60 = 120 = 124 - 4) does not hold the second tab.
      {124, 3, 0, {58, 30, 2}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Width * 10 + C.Active);
    T->SetBounds(0, 0, C.Width, 150);
    T->SetTabIndex(C.Active);
    ASSERT_EQ(T->RowCount(), C.Rows);
    for (Integer I = 0; I < 3; ++I) EXPECT_EQ(T->TabRect(I).Top, C.Tops[size_t(I)]) << I;
    EXPECT_EQ(T->PageRect().Top, 28 * C.Rows + 2);
  }
}

TEST_F(TabsTest, ScrollOppositeMovesTheRowsBeforeTheActiveOneToTheOtherSide) {
  auto* T = Tabs(Bounds(0, 0, 100, 200), {"a", "b", "c"}, 0, 28);
  T->SetScrollOpposite(true);
  EXPECT_TRUE(T->MultiLine());
  T->SetTabIndex(1);
  // Rows {0}, {1}, {2}; row 0 is before the active row and goes below the page.
  EXPECT_EQ(T->TabRect(1), Rect(2, 30, 98, 60));
  EXPECT_EQ(T->TabRect(2), Rect(2, 2, 98, 60));
  EXPECT_EQ(T->TabRect(0), Rect(2, 200 - 28 - 2, 98, 200));
  EXPECT_EQ(T->PageRect(), Rect(0, 58, 100, 172));
}

// [Scrolling row] --------------------------------------------------------------------------------

TEST_F(TabsTest, TheScrollButtonsScrollOneTabAClickAndAreDisabledAtTheEnds) {
  auto* T = Tabs(Bounds(0, 0, 200, 100), {"1", "2", "3", "4", "5", "6"}, 60, 20);
  TTabTheme* Theme = UseRecordingTheme();
  const Integer B = 2 * T->Font()->Size();
  ASSERT_TRUE(T->ScrollButtonsVisible());
  EXPECT_EQ(T->ScrollLeftRect(), Rect(200 - 2 * B, 22 - B - 2, 200 - B, 20));
  EXPECT_EQ(T->ScrollRightRect(), Rect(200 - B, 22 - B - 2, 200, 20));
  const auto Paint = [&] {
    Theme->Clear();
    T->Invalidate();
    Settle();
  };
  // Part 1 left, 4 right; state 3 disabled, 0 normal.
  Paint();
  ASSERT_EQ(Theme->Buttons.size(), 2u);
  EXPECT_EQ(Theme->Buttons[0].Side, 1);
  EXPECT_EQ(Theme->Buttons[0].State, 3) << "nothing to the left";
  EXPECT_EQ(Theme->Buttons[1].Side, 4);
  EXPECT_EQ(Theme->Buttons[1].State, 0);

  // 60-long tabs, buttons from 200 - 2B: two fit fully, so the first visible tab stops at 4.
  const TPoint Right = Middle(T->ScrollRightRect());
  for (Integer Expected : {1, 2, 3, 4, 4}) {
    Click(T, Right.X, Right.Y);
    EXPECT_EQ(T->FirstVisibleTab(), Expected);
  }
  EXPECT_EQ(T->TabRect(4).Left, 2);
  EXPECT_EQ(T->TabRect(3).Right, 2) << "tabs before the first visible one lie off to the left";
  Paint();
  ASSERT_EQ(Theme->Buttons.size(), 2u);
  EXPECT_EQ(Theme->Buttons[0].State, 0);
  EXPECT_EQ(Theme->Buttons[1].State, 3) << "the last tab is fully visible";
  const TPoint Left = Middle(T->ScrollLeftRect());
  Click(T, Left.X, Left.Y);
  EXPECT_EQ(T->FirstVisibleTab(), 3);
  EXPECT_TRUE(Changes.empty()) << "scrolling selects nothing";
  EXPECT_EQ(T->TabAt(Left.X, Left.Y), -1) << "the buttons' end of the strip is no tab";
  // Selecting a tab scrolled out of sight brings it back.
  T->SetTabIndex(1);
  EXPECT_EQ(T->FirstVisibleTab(), 1);
  T->SetTabIndex(5);
  EXPECT_GE(T->FirstVisibleTab(), 4);
  EXPECT_LE(T->TabRect(5).Right, T->ScrollLeftRect().Left);
}

TEST_F(TabsTest, HoldingAScrollButtonRepeatsAfterADelayAndStopsAtTheEnd) {
  auto* T = Tabs(Bounds(0, 0, 200, 100), {"1", "2", "3", "4", "5", "6"}, 60, 20);
  const TPoint Right = Middle(T->ScrollRightRect());
  const auto Start = std::chrono::steady_clock::now();
  Mouse(T, WM_LBUTTONDOWN, Right.X, Right.Y, MK_LBUTTON);
  EXPECT_EQ(T->FirstVisibleTab(), 1) << "at once";
  ASSERT_TRUE(PumpUntil([&] { return T->FirstVisibleTab() == 2; }, 2000));
  EXPECT_GE(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(250)) << "not before 300 ms";
  // Then every 100 ms until the last tab is fully visible.
  ASSERT_TRUE(PumpUntil([&] { return T->FirstVisibleTab() == 4; }, 2000));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(T->FirstVisibleTab(), 4);
  Mouse(T, WM_LBUTTONUP, Right.X, Right.Y);
  // Released: the left button no longer repeats either.
  const TPoint Left = Middle(T->ScrollLeftRect());
  Click(T, Left.X, Left.Y);
  PumpUntil([] { return false; }, 400);
  EXPECT_EQ(T->FirstVisibleTab(), 3);
}

// [Selection] ------------------------------------------------------------------------------------

class PagesTest : public TabsTest {
 protected:
  void SetUp() override {
    TabsTest::SetUp();
    T = Tabs(Bounds(10, 10, 300, 200), {}, 60, 20);
    T->SetUsePages(true);
    for (const char* Caption : {"First", "Second", "Third"}) {
      auto* Page = new TVxTabSheet(Owner.get());
      Page->SetCaption(Caption);
      Page->SetTabControl(T);
      Sheets.push_back(Page);
    }
    T->SetActivePage(Sheets[0]);
    Changes.clear();
  }
  TVxTabControl* T = nullptr;
  std::vector<TVxTabSheet*> Sheets;
};

TEST_F(PagesTest, ClicksAndCtrlTabSwitchPagesAndOnChangingMayRefuse) {
  ASSERT_EQ(T->Tabs().Items(), (std::vector<std::string>{"First", "Second", "Third"}));
  EXPECT_EQ(T->TabIndex(), 0);
  EXPECT_TRUE(Sheets[0]->Visible());
  EXPECT_EQ(Sheets[0]->BoundsRect(), T->ClientRect()) << "the page fills the client area";

  const TPoint Second = Middle(T->TabRect(1));
  Click(T, Second.X, Second.Y);
  EXPECT_EQ(T->ActivePage(), Sheets[1]);
  EXPECT_TRUE(Sheets[1]->Visible());
  EXPECT_FALSE(Sheets[0]->Visible());
  EXPECT_TRUE(T->Focused());

  std::vector<Integer> Seen;
  bool Allow = false;
  T->OnChanging = [&](TObject*, bool& AllowChange) {
    Seen.push_back(T->TabIndex());
    AllowChange = Allow;
  };
  const TPoint Third = Middle(T->TabRect(2));
  Click(T, Third.X, Third.Y);
  EXPECT_EQ(Seen, std::vector<Integer>{2}) << "OnChanging sees the new index";
  EXPECT_EQ(T->TabIndex(), 1) << "refused: the old one is back";
  EXPECT_EQ(T->ActivePage(), Sheets[1]);
  Key(T, VK_TAB, true);
  EXPECT_EQ(T->ActivePage(), Sheets[1]) << "refused by keys as well";

  Allow = true;
  Key(T, VK_TAB, true);        // Ctrl+Tab: next
  Key(T, VK_TAB, true);        // wraps to the first
  Key(T, VK_TAB, true, true);  // Ctrl+Shift+Tab: back to the last
  Key(T, VK_LEFT);             // the arrows step without wrapping
  Key(T, VK_RIGHT);
  Key(T, VK_RIGHT);
  EXPECT_EQ(Changes, (std::vector<Integer>{1, 2, 0, 2, 1, 2}));
  EXPECT_EQ(T->ActivePage(), Sheets[2]);
  EXPECT_EQ(Seen.size(), 7u);
}

TEST_F(PagesTest, CtrlTabTurnsThePagesFromAControlOnAPage) {
  auto* Button = new TVxButton(Owner.get());
  Button->SetBounds(5, 5, 80, 25);
  Button->SetParent(Sheets[0]);
  auto* Outside = Add<TVxButton>(Shown, Bounds(320, 10, 60, 25));
  Button->SetFocus();
  ASSERT_EQ(GetFocus(), Button->Handle());
  const auto Press = [&](HWND To, bool Shift) {
    BYTE State[256];
    GetKeyboardState(State);
    State[VK_CONTROL] = 0x80;
    State[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(State);
    SendMessageA(To, WM_KEYDOWN, VK_TAB, 1);
    State[VK_CONTROL] = State[VK_SHIFT] = 0;
    SetKeyboardState(State);
  };
  Press(Button->Handle(), false);
  EXPECT_EQ(T->ActivePage(), Sheets[1]);
  Sheets[1]->SetFocus();
  Press(Sheets[1]->Handle(), true);
  EXPECT_EQ(T->ActivePage(), Sheets[0]);
  // A control elsewhere on the form leaves the pages alone.
  Outside->SetFocus();
  Press(Outside->Handle(), false);
  EXPECT_EQ(T->ActivePage(), Sheets[0]);
  EXPECT_EQ(Changes, (std::vector<Integer>{1, 0}));
}

TEST_F(PagesTest, APageImageWidensItsTabAndShowsInIt) {
  TImageList Images;
  const auto Pictures = Strip(48, {clRed, clGreen, clBlue});
  Images.AddMasked(*Pictures, clLime);
  T->SetTabWidth(0);
  T->SetImages(&Images);
  const Integer Plain = T->TabRect(1).Width();
  Sheets[1]->SetImageIndex(2);
  EXPECT_EQ(T->TabRect(1).Width(), Plain + 16);
  Settle();
  Capture Shot(300, 200);
  PrintClient(T, Shot);
  // An inactive tab's image sits 3 inside its top-left corner.
  const TRect R = T->TabRect(1);
  EXPECT_EQ(Shot.At(R.Left + 3 + 8, R.Top + 3 + 4), PixelOf(clBlue));
  // Freeing the list takes it off the control.
  Sheets[1]->SetImageIndex(1);
  {
    TImageList Short;
    T->SetImages(&Short);
  }
  EXPECT_EQ(T->Images(), nullptr);
  EXPECT_EQ(T->TabRect(1).Width(), Plain);
}

TEST_F(PagesTest, APagesBorderWidthKeepsItsChildrenOffItsEdges) {
  auto* Child = new TVxButton(Owner.get());
  Child->SetAlign(TAlign::alClient);
  Child->SetParent(Sheets[0]);
  Sheets[0]->SetBorderWidth(4);
  const TRect Page = Sheets[0]->BoundsRect();
  EXPECT_EQ(Child->BoundsRect(), Rect(4, 4, Page.Width() - 4, Page.Height() - 4));
  Sheets[0]->SetBorderWidth(-3);
  EXPECT_EQ(Sheets[0]->BorderWidth(), 0);
  EXPECT_EQ(Child->BoundsRect(), Rect(0, 0, Page.Width(), Page.Height()));
}

TEST_F(PagesTest, TabsMakePagesAndHiddenPagesLoseTheirTabOnly) {
  T->Tabs().Add("Extra");
  ASSERT_EQ(T->PageCount(), 4);
  EXPECT_EQ(T->Pages(3)->Caption(), "Extra");
  EXPECT_EQ(T->ActivePage(), T->Pages(3));
  EXPECT_EQ(T->TabIndex(), 3);
  Sheets[1]->SetPageVisible(false);
  EXPECT_EQ(T->Tabs().Items(), (std::vector<std::string>{"First", "Third", "Extra"}));
  EXPECT_EQ(T->PageCount(), 4) << "hidden, not freed";
  EXPECT_EQ(T->PageOfTab(1), Sheets[2]);
  Sheets[2]->SetCaption("Renamed");
  EXPECT_EQ(T->Tabs().Strings(1), "Renamed");
  EXPECT_EQ(T->PageCount(), 4) << "a renamed page asks for no new one";
}

TEST_F(PagesTest, FreeingPagesLeavesAnotherPageOrNoneActive) {
  T->SetTabIndex(1);
  delete Sheets[1];
  EXPECT_EQ(T->PageCount(), 2);
  EXPECT_EQ(T->ActivePage(), Sheets[0]) << "the first page takes over";
  EXPECT_EQ(T->TabIndex(), 0);
  EXPECT_TRUE(Sheets[0]->Visible());
  delete Sheets[2];  // not active
  EXPECT_EQ(T->ActivePage(), Sheets[0]);
  EXPECT_EQ(T->Tabs().Items(), std::vector<std::string>{"First"});
  delete Sheets[0];
  EXPECT_EQ(T->ActivePage(), nullptr);
  EXPECT_EQ(T->TabIndex(), -1);
  EXPECT_EQ(T->TabAt(20, 10), -1);
  Settle();
  // A page moved to another control keeps living there.
  auto* Page = new TVxTabSheet(Owner.get());
  Page->SetTabControl(T);
  auto* Other = Tabs(Bounds(10, 10, 200, 100), {});
  Other->SetUsePages(true);
  Page->SetTabControl(Other);
  EXPECT_EQ(T->PageCount(), 0);
  EXPECT_EQ(Other->PageCount(), 1);
  EXPECT_EQ(Page->Parent(), Other);
}

TEST_F(TabsTest, HotTrackingFollowsThePointerIntoTheThemeState) {
  auto* T = Tabs(Bounds(0, 0, 250, 100), {"One", "Two", "Three"}, 60, 20);
  TTabTheme* Theme = UseRecordingTheme();
  const auto StateOf = [&](Integer Index) {
    Theme->Clear();
    T->Invalidate();
    Settle();
    for (const auto& D : Theme->Tabs)
      if (D.Rect == T->TabRect(Index)) return Integer(D.State);
    return -1;
  };
  const TPoint Second = Middle(T->TabRect(1)), First = Middle(T->TabRect(0));
  Mouse(T, WM_MOUSEMOVE, Second.X, Second.Y);
  EXPECT_EQ(T->HotTab(), 1);
  EXPECT_EQ(StateOf(1), 1) << "hot";
  EXPECT_EQ(StateOf(0), 3) << "active";
  Mouse(T, WM_MOUSEMOVE, First.X, First.Y);
  EXPECT_EQ(StateOf(0), 4) << "active and hot";
  EXPECT_EQ(StateOf(1), 0);
  Mouse(T, WM_MOUSEMOVE, 200, 80);
  EXPECT_EQ(T->HotTab(), -1);
  T->SetEnabled(false);
  EXPECT_EQ(StateOf(0), 5);
  EXPECT_EQ(StateOf(1), 2);
  // The text record carries the tab's rectangle and side; its state is always 0.
  T->SetEnabled(true);
  T->SetTabPosition(TVxTabPosition::kttpRight);
  StateOf(0);
  ASSERT_EQ(Theme->Texts.size(), 3u);
  for (const auto& D : Theme->Texts) EXPECT_EQ(D.Side, 6);
  EXPECT_EQ(Theme->Texts.back().Rect, T->TabRect(0)) << "the active tab last";
  EXPECT_EQ(Theme->Texts.back().State, 0);
}

TEST_F(TabsTest, ChangesInsideAnUpdateBracketRepaintOnlyAtItsEnd) {
  auto* T = Tabs(Bounds(0, 0, 250, 100), {"One"}, 60, 20);
  TTabTheme* Theme = UseRecordingTheme();
  Settle();
  Theme->Clear();
  T->Tabs().BeginUpdate();
  T->Tabs().Add("Two");
  T->Tabs().Insert(0, "Zero");
  T->Tabs().Put(2, "Second");
  Settle();
  EXPECT_TRUE(Theme->Tabs.empty()) << "nothing painted while updating";
  T->Tabs().EndUpdate();
  Settle();
  ASSERT_EQ(Theme->Tabs.size(), 3u);
  EXPECT_EQ(T->Tabs().Items(), (std::vector<std::string>{"Zero", "One", "Second"}));
  EXPECT_EQ(Theme->Tabs.back().Rect, T->TabRect(0)) << "the active tab, painted last";
}

TEST_F(TabsTest, AnAcceleratorSelectsTheFirstTabThatCarriesIt) {
  auto* T = Tabs(Bounds(0, 0, 250, 100), {"&One", "T&wo", "&&Three", "t&Wice"});
  T->HandleNeeded();
  EXPECT_NE(Shown->Perform(CM_DIALOGCHAR, 'W', 0), 0) << "consumed";
  EXPECT_EQ(T->TabIndex(), 1) << "letter case ignored, the first one wins";
  EXPECT_EQ(Shown->Perform(CM_DIALOGCHAR, 't', 0), 0) << "a doubled & is no accelerator";
  EXPECT_EQ(T->TabIndex(), 1);
  Shown->Perform(CM_DIALOGCHAR, 'o', 0);
  EXPECT_EQ(T->TabIndex(), 0);
  EXPECT_EQ(Changes, (std::vector<Integer>{1, 0}));
}

TEST_F(TabsTest, SwitchingPagesOnFreesWhatStoodOnThePlainControl) {
  auto* T = Tabs(Bounds(0, 0, 250, 100), {"One", "Two"});
  auto* Child = new TVxButton(T);
  Child->SetParent(T);
  T->SetUsePages(true);
  EXPECT_EQ(T->ControlCount(), 2) << "two pages, nothing else";
  ASSERT_EQ(T->PageCount(), 2);
  EXPECT_EQ(T->Pages(1)->Caption(), "Two");
  EXPECT_EQ(T->ActivePage(), T->Pages(1)) << "the last page made is the active one";
  EXPECT_EQ(T->TabIndex(), 1);
}

// [Painting] -------------------------------------------------------------------------------------

TEST_F(TabsTest, ThroughTheSampleSkinTheActiveTabIsTheThemesTab) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsTabDefined(0, "default"));
  // Empty captions: nothing but the tabs' own pictures.
  auto* T = Tabs(Bounds(0, 0, 240, 120), {"", "", ""}, 60, 22);
  T->SetTabIndex(1);
  Settle();
  Capture Shot(240, 120), Reference(240, 120);
  PrintClient(T, Shot);
  // The same control with tabs drawn by nobody, then the theme's tab drawn by hand.
  T->SetOwnerDraw(true);
  Settle();
  PrintClient(T, Reference);
  TCanvas Canvas(Reference.DC());
  TvxStateInfo Info;
  Info.Rect = T->TabRect(1);
  Info.State = 0;  // top
  Info.Part = 3;   // active
  Theme->DrawTab(0, Canvas, "default", Info);
  int Different = 0, Painted = 0;
  for (Integer Y = Info.Rect.Top; Y < Info.Rect.Bottom; ++Y)
    for (Integer X = Info.Rect.Left; X < Info.Rect.Right; ++X) {
      Different += Shot.At(X, Y) != Reference.At(X, Y);
      Painted += Shot.At(X, Y) != PixelOf(Shown->Color());
    }
  EXPECT_EQ(Different, 0);
  EXPECT_GT(Painted, 0) << "the skin's tab shows";
}

TEST_F(TabsTest, WithVisualStylesTheActiveTabIsThePlatformsTab) {
  AllowVisualStyles();
  if (!StyleAvailable(Shown->Handle(), L"Tab")) GTEST_SKIP() << "the platform shows no visual styles here";
  auto* T = Tabs(Bounds(0, 0, 240, 120), {"", "", ""}, 60, 22);
  T->SetTabIndex(1);
  Settle();
  Capture Shot(240, 120), Reference(240, 120);
  PrintClient(T, Shot);
  T->SetOwnerDraw(true);
  Settle();
  PrintClient(T, Reference);
  const TRect R = T->TabRect(1);
  HTHEME Theme = ThemeFunctions().OpenThemeData(T->Handle(), L"Tab");
  ASSERT_NE(Theme, nullptr);
  const RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  ThemeFunctions().DrawThemeBackground(Theme, Reference.DC(), 1, 3, &Area, nullptr);
  ThemeFunctions().CloseThemeData(Theme);
  int Different = 0;
  for (Integer Y = R.Top; Y < R.Bottom; ++Y)
    for (Integer X = R.Left; X < R.Right; ++X) Different += Shot.At(X, Y) != Reference.At(X, Y);
  EXPECT_EQ(Different, 0);
}

TEST_F(TabsTest, WithoutAThemeTheTabsArePaintedInTheClassicLook) {
  auto* T = Tabs(Bounds(0, 0, 240, 120), {"One", "Two", "Three"}, 60, 20);
  T->SetTabIndex(1);
  Settle();
  Capture Shot(240, 120);
  PrintClient(T, Shot);
  // Pane from y = 22: highlight outside, face inside.
  EXPECT_EQ(Shot.At(30, 22), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(120, 80), PixelOf(clBtnFace));
  EXPECT_EQ(Shot.At(239, 80), PixelOf(cl3DDkShadow));
  // Inactive tabs: tab 0 (2, 2, 62, 24) with its highlight on top, tab 2 (122, 2, 182, 24) dark
  // on the right.
  EXPECT_EQ(Shot.At(20, 2), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(181, 10), PixelOf(cl3DDkShadow));
  // The active tab (62, 2, 122, 24) grows by 2: its top line at y = 0, and it covers the pane's
  // top edge below it.
  EXPECT_EQ(Shot.At(90, 0), PixelOf(clBtnHighlight));
  EXPECT_EQ(Shot.At(90, 22), PixelOf(clBtnFace));

  // Owner drawing: the inactive tabs, then the active one over the pane.
  struct TCall {
    Integer Index;
    TRect Rect;
    bool Active;
    bool operator==(const TCall&) const = default;
  };
  std::vector<TCall> Calls;
  T->OnDrawTab = [&](TVxTabControl*, Integer Index, const TRect& R, bool Active) {
    Calls.push_back({Index, R, Active});
  };
  T->SetOwnerDraw(true);
  Settle();
  EXPECT_EQ(Calls,
            (std::vector<TCall>{
                {0, Rect(2, 2, 62, 24), false}, {2, Rect(122, 2, 182, 24), false}, {1, Rect(62, 2, 122, 24), true}}));
}

// [Bad input] ------------------------------------------------------------------------------------

TEST_F(TabsTest, BadInputIsRefusedOrHarmless) {
  // No tabs at all.
  auto* T = Tabs(Bounds(0, 0, 150, 100), {});
  EXPECT_EQ(T->TabIndex(), -1);
  EXPECT_EQ(T->PageRect(), Rect(0, 0, 150, 100));
  EXPECT_EQ(T->TabAt(10, 5), -1);
  EXPECT_FALSE(T->ScrollButtonsVisible());
  Key(T, VK_RIGHT);
  Key(T, VK_TAB, true);
  // Out of range from code.
  T->SetTabs({"A", "B"});
  EXPECT_EQ(T->TabIndex(), 0);
  Changes.clear();
  for (Integer Bad : {2, -1, -7, 1000}) T->SetTabIndex(Bad);
  EXPECT_EQ(T->TabIndex(), 0);
  EXPECT_TRUE(Changes.empty());
  // Deleting tabs pulls the index back inside.
  T->SetTabIndex(1);
  T->Tabs().Delete(1);
  EXPECT_EQ(T->TabIndex(), 0);
  T->Tabs().Clear();
  EXPECT_EQ(T->TabIndex(), -1);

  // Tabs longer than the control (2 * 80 + 4 = 164 > 146): one row each, none shortened by a
  // negative share, still painted.
  T->SetTabs({"A", "B", "C"});
  T->SetTabHeight(80);
  T->SetMultiLine(true);
  EXPECT_EQ(T->RowCount(), 3);
  for (Integer I = 0; I < 3; ++I) EXPECT_EQ(T->TabRect(I).Width(), 164);
  Settle();
  Capture Rows(150, 100);
  PrintClient(T, Rows);
  T->SetTabWidth(500);
  T->SetTabHeight(20);
  T->SetMultiLine(false);
  EXPECT_TRUE(T->ScrollButtonsVisible());
  Settle();
  Capture Shot(150, 100);
  PrintClient(T, Shot);

  // Side tabs need rows.
  T->SetTabPosition(TVxTabPosition::kttpLeft);
  try {
    T->SetMultiLine(false);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& E) {
    EXPECT_STREQ(E.what(), "MultiLine must be True when TabPosition is kttpLeft or kttpRight");
  }
  EXPECT_TRUE(T->MultiLine());
}

// [Form files] -----------------------------------------------------------------------------------

TEST_F(TabsTest, FormFilesHoldAPlainControlsTabsAndSettings) {
  TVxTabControl Source;
  Source.SetTabs({"Alpha", "Beta", "Gamma"});
  Source.SetTabIndex(2);
  Source.SetTabPosition(TVxTabPosition::kttpRight);
  Source.SetScrollOpposite(true);
  Source.SetRaggedRight(true);
  Source.SetHotTrack(true);
  Source.SetTabWidth(70);
  RoundTrip<TVxTabControl>(
      Source,
      {"'Alpha'", "'Gamma'", "TabIndex = 2", "TabPosition = kttpRight", "MultiLine = True", "ScrollOpposite = True",
       "RaggedRight = True", "HotTrack = True", "TabWidth = 70", "UsePages = False"},
      [](TVxTabControl& Read) {
        EXPECT_EQ(Read.Tabs().Items(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
        EXPECT_EQ(Read.TabIndex(), 2) << "applied once the tabs are there";
        EXPECT_EQ(Read.TabPosition(), TVxTabPosition::kttpRight);
        EXPECT_TRUE(Read.MultiLine());
        EXPECT_TRUE(Read.ScrollOpposite());
        EXPECT_TRUE(Read.RaggedRight());
        EXPECT_TRUE(Read.HotTrack());
        EXPECT_EQ(Read.TabWidth(), 70);
      });
}

TEST_F(TabsTest, FormFilesHoldTheControlItsSheetsAndTheirChildren) {
  for (const char* Name : {"TVxTabControl", "TVxTabSheet"})
    EXPECT_NE(FindClass(Name), nullptr) << Name << " registered when the program starts";
  TForm Source;
  auto* T = new TVxTabControl(&Source);
  T->SetName("Pages");
  T->SetBounds(0, 0, 300, 200);
  T->SetParent(&Source);
  T->SetTabPosition(TVxTabPosition::kttpBottom);
  T->SetTabHeight(24);
  T->SetUsePages(true);
  T->SetThemeObject("pages");
  const char* Names[] = {"SheetA", "SheetB", "SheetC"};
  for (Integer I = 0; I < 3; ++I) {
    auto* Page = new TVxTabSheet(&Source);
    Page->SetName(Names[I]);
    Page->SetCaption(std::string("Page ") + char('A' + I));
    Page->SetTabControl(T);
    Page->SetImageIndex(I);
    Page->SetBorderWidth(I);
    auto* Child = new TVxButton(&Source);
    Child->SetName(std::string("Button") + char('A' + I));
    Child->SetBounds(10 + I, 10, 80, 25);
    Child->SetParent(Page);
  }
  T->SetTabIndex(2);
  ASSERT_EQ(T->ActivePage()->Name(), "SheetC");

  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Stream, Text);
  const std::string Written(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  for (const char* Line : {"object Pages: TVxTabControl", "TabIndex = 2", "TabPosition = kttpBottom", "TabHeight = 24",
                           "UsePages = True", "ThemeObject = 'pages'", "object SheetB: TVxTabSheet",
                           "Caption = 'Page B'", "BorderWidth = 1", "ImageIndex = 1", "object ButtonB: TVxButton"})
    EXPECT_NE(Written.find(Line), std::string::npos) << Line << "\n" << Written;
  Stream.SetPosition(0);
  TForm Read;
  ReadComponent(Stream, Read);
  auto* ReadTabs = dynamic_cast<TVxTabControl*>(Read.FindComponent("Pages"));
  ASSERT_NE(ReadTabs, nullptr);
  ASSERT_EQ(ReadTabs->PageCount(), 3);
  EXPECT_EQ(ReadTabs->Tabs().Items(), (std::vector<std::string>{"Page A", "Page B", "Page C"}));
  EXPECT_EQ(ReadTabs->TabPosition(), TVxTabPosition::kttpBottom);
  EXPECT_EQ(ReadTabs->TabHeight(), 24);
  EXPECT_EQ(ReadTabs->ThemeObject(), "pages");
  EXPECT_EQ(ReadTabs->TabIndex(), 2);
  for (Integer I = 0; I < 3; ++I) {
    TVxTabSheet* Page = ReadTabs->Pages(I);
    EXPECT_EQ(Page->Name(), Names[I]);
    EXPECT_EQ(Page->ImageIndex(), I);
    EXPECT_EQ(Page->BorderWidth(), I);
    EXPECT_EQ(Page->Visible(), I == 2) << "only the active page shows";
    auto* Child = dynamic_cast<TControl*>(Read.FindComponent(std::string("Button") + char('A' + I)));
    ASSERT_NE(Child, nullptr);
    EXPECT_EQ(Child->Parent(), Page);
    EXPECT_EQ(Child->Left(), 10 + I);
  }
  EXPECT_EQ(ReadTabs->ActivePage(), ReadTabs->Pages(2));
}

}  // namespace
