// A skinned MDI parent under Wine, on the sample skin: the skinned bars over the MDI client's
// scroll bars and scrolling through them, the size box and sizing by it, the client background
// from the skin (and none behind a maximized child), the window menu listing the children and
// activating them, and the menu bar's MDI commands on the framework's MDI children.
#include <windows.h>

#include <algorithm>

#include "../controls/controls_fixture.h"
#include "../menus/menu_probe.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/theme/vx_engine.h"

namespace {

TVxItem* AddItem(TVxItem& Parent, const wchar_t* Caption) {
  auto* Item = new TVxItem(&Parent);
  Item->SetCaption(Caption);
  Parent.Add(Item);
  return Item;
}

TRect WindowRectOf(HWND Wnd) {
  RECT R;
  GetWindowRect(Wnd, &R);
  return Rect(R.left, R.top, R.right, R.bottom);
}

SCROLLINFO ScrollInfoOf(HWND Wnd, int Bar) {
  SCROLLINFO Info{sizeof(Info), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, Bar, &Info);
  return Info;
}

// Children carrying a component of this name count as carrying a skinned MDI child component.
bool IsWindowItem(const TVxItem* Item) { return Item->Name().rfind("zqmdiwi_rty_", 0) == 0; }

class MDIParentTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    Engine = new TVxVexel();
    Engine->SetThemeFile(SampleSkin);
    Parent = new TForm();
    Parent->SetFormStyle(TFormStyle::fsMDIForm);
    Parent->SetBounds(40, 40, 640, 480);
    Skin = new TVxForm(Parent);
    Bar = new TVxMenuBar(Parent);
    Bar->SetParent(Parent);
    Bar->SetAlign(TAlign::alTop);
    TVxItem* File = AddItem(*Bar->Items(), L"&File");
    AddItem(*File, L"&New");
    Window = AddItem(*Bar->Items(), L"&Window");
    AddItem(*Window, L"&Cascade");
    AddItem(*Window, L"&Tile");
    Skin->SetMenuBar(Bar);
    Skin->SetWindowMenu(Window);
    Application->SetMainForm(Parent);
    Parent->Show();
    const char* Captions[] = {"Alpha", "Beta", "Gamma"};
    for (int I = 0; I < 3; ++I) {
      auto* Child = new TForm(Parent);
      Child->SetFormStyle(TFormStyle::fsMDIChild);
      Child->SetName(std::string("Child") + Captions[I]);
      Child->SetText(Captions[I]);
      Child->SetColor(clWhite);
      Child->Show();
      Children[I] = Child;
    }
    Settle();
  }
  static void TearDownTestSuite() {
    Application->SetMainForm(nullptr);
    delete Parent;
    delete Engine;
  }
  void SetUp() override {
    UiTest::SetUp();
    // Every case starts from the children inside the client, normal, unscrolled.
    for (int I = 0; I < 3; ++I) {
      if (!Children[I]) continue;
      Children[I]->SetWindowState(TWindowState::wsNormal);
    }
    for (UINT Msg : {WM_VSCROLL, WM_HSCROLL}) SendMessageA(Client(), Msg, SB_TOP, 0);
    for (int I = 0; I < 3; ++I)
      if (Children[I]) Children[I]->SetBounds(10 + 30 * I, 10 + 30 * I, 200, 150);
    Settle();
  }

  static void Settle() {
    PumpUntil([] { return false; }, 60);
  }
  static HWND Client() { return Parent->ClientHandle(); }
  static TVxScrollBar* SkinnedBar(TWinControl* Box) {
    return Box && Box->ControlCount() ? dynamic_cast<TVxScrollBar*>(Box->Controls(0)) : nullptr;
  }
  // Moves the last child out past the client's bottom-right corner: both scroll bars come up.
  // Sized as well: the platform's client recounts its scroll range when a child's size changes.
  // Wine's client recounts it only while it has scroll bars: once hidden it never shows them
  // again by itself, so they are given back first (the range then decides).
  static void MoveOutside(HWND In = Client(), TForm* Child = Children[2]) {
    ShowScrollBar(In, SB_BOTH, TRUE);
    RECT C;
    GetClientRect(In, &C);
    Child->SetBounds(C.right - 60, C.bottom - 40, 210, 160);
    PumpUntil([] { return false; }, 200);
  }
  static bool Both() {
    return Skin->MDIVertBar() && Skin->MDIVertBar()->Visible() && Skin->MDIHorzBar() && Skin->MDIHorzBar()->Visible();
  }
  // The platform bar's rectangle in the parent form's client coordinates.
  static TRect PlatformBar(LONG Id) {
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof(Info);
    GetScrollBarInfo(Client(), Id, &Info);
    const TPoint TopLeft = Parent->ScreenToClient({Info.rcScrollBar.left, Info.rcScrollBar.top});
    return Bounds(TopLeft.X, TopLeft.Y, Info.rcScrollBar.right - Info.rcScrollBar.left,
                  Info.rcScrollBar.bottom - Info.rcScrollBar.top);
  }
  // The size box in screen coordinates.
  static TRect SizeBoxOnScreen() {
    const TRect Box = Skin->MDISizeBox();
    const TRect C = WindowRectOf(Client());
    return Box.Offset(C.Left, C.Top);
  }

  static TVxVexel* Engine;
  static TForm* Parent;
  static TVxForm* Skin;
  static TVxMenuBar* Bar;
  static TVxItem* Window;
  static TForm* Children[3];
};

TVxVexel* MDIParentTest::Engine = nullptr;
TForm* MDIParentTest::Parent = nullptr;
TVxForm* MDIParentTest::Skin = nullptr;
TVxMenuBar* MDIParentTest::Bar = nullptr;
TVxItem* MDIParentTest::Window = nullptr;
TForm* MDIParentTest::Children[3] = {};

// [The MDI client] ------------------------------------------------------------------------------

TEST_F(MDIParentTest, TheClientLosesItsEdgeAndShowsTheSkinsBackgroundExceptBehindAMaximizedChild) {
  ASSERT_TRUE(Skin->Themed());
  ASSERT_EQ(Skin->MDIClient(), Client());
  EXPECT_FALSE(GetWindowLongPtrA(Client(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  // Put back by someone, the edge is refused.
  SetWindowLongPtrA(Client(), GWL_EXSTYLE, GetWindowLongPtrA(Client(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongPtrA(Client(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  // The theme's client background, as it paints at the MDI client's origin.
  RECT C;
  GetClientRect(Client(), &C);
  Capture Theme(C.right, C.bottom);
  {
    TCanvas Canvas(Theme.DC());
    CurrentTheme()->DrawFormBackground(0, Canvas, "default", Rect(0, 0, C.right, C.bottom));
    Canvas.SetHandle(nullptr);
  }
  // Erased into a context filled with a colour no skin uses: the background replaces it, unless
  // the active child is maximized.
  const uint32_t Sentinel = 0x00FD01FE;
  auto Erase = [&](Capture& Into) {
    HBRUSH Fill = CreateSolidBrush(RGB(0xFD, 0x01, 0xFE));
    FillRect(Into.DC(), &C, Fill);
    DeleteObject(Fill);
    return SendMessageA(Client(), WM_ERASEBKGND, WPARAM(Into.DC()), 0);
  };
  Capture Normal(C.right, C.bottom);
  EXPECT_EQ(Erase(Normal), 1);
  const POINT Probes[] = {{C.right - 5, C.bottom - 5}, {C.right / 2, C.bottom - 3}, {3, 3}};
  for (const POINT& P : Probes) EXPECT_EQ(Normal.At(P.x, P.y), Theme.At(P.x, P.y)) << P.x << "," << P.y;
  // On the screen too, where no child covers the client.
  Capture Screen(C.right, C.bottom);
  ScreenShot(Client(), Screen);
  EXPECT_EQ(Screen.At(C.right - 5, C.bottom - 5), Theme.At(C.right - 5, C.bottom - 5));

  Children[0]->SetWindowState(TWindowState::wsMaximized);
  Settle();
  ASSERT_TRUE(Skin->MDIChildMaximized());
  Capture Maximized(C.right, C.bottom);
  EXPECT_EQ(Erase(Maximized), 1);
  for (const POINT& P : Probes) EXPECT_EQ(Maximized.At(P.x, P.y), Sentinel) << P.x << "," << P.y;
  Children[0]->SetWindowState(TWindowState::wsNormal);
  Settle();
  EXPECT_FALSE(Skin->MDIChildMaximized());

  // A new theme repaints the client with its background.
  ValidateRect(Client(), nullptr);
  TMessage Change{TM_THEMECHANGE, TMC_THEMECHANGED, 0, 0};
  Skin->Dispatch(Change);
  RECT Update{};
  EXPECT_TRUE(GetUpdateRect(Client(), &Update, FALSE));
  EXPECT_EQ(Update.right, C.right);
  EXPECT_EQ(Update.bottom, C.bottom);
  Settle();
}

// [Scroll bars and the size box] ----------------------------------------------------------------

TEST_F(MDIParentTest, AChildMovedOutsideBringsSkinnedBarsThatFollowAndDriveTheClient) {
  EXPECT_FALSE(Skin->MDIVertBar() && Skin->MDIVertBar()->Visible());
  EXPECT_TRUE(Skin->MDISizeBox().IsEmpty());
  MoveOutside();
  ASSERT_TRUE(Both());
  struct TBar {
    TWinControl* Box;
    LONG Id;
    int Kind;
    TVxScrollOrientation Orientation;
  };
  const TBar Bars[] = {{Skin->MDIVertBar(), OBJID_VSCROLL, SB_VERT, TVxScrollOrientation::ksoVertical},
                       {Skin->MDIHorzBar(), OBJID_HSCROLL, SB_HORZ, TVxScrollOrientation::ksoHorizontal}};
  for (const TBar& B : Bars) {
    SCOPED_TRACE(B.Kind);
    // Over the platform's bar, above the client, with its range, page and position.
    EXPECT_EQ(B.Box->BoundsRect(), PlatformBar(B.Id));
    EXPECT_EQ(B.Box->Parent(), Parent);
    TVxScrollBar* Bar = SkinnedBar(B.Box);
    ASSERT_NE(Bar, nullptr);
    EXPECT_EQ(Bar->Orientation(), B.Orientation);
    const SCROLLINFO Info = ScrollInfoOf(Client(), B.Kind);
    EXPECT_EQ(Bar->Min(), Info.nMin);
    EXPECT_EQ(Bar->Max(), Info.nMax);
    EXPECT_EQ(Bar->PageSize(), Integer(Info.nPage));
    EXPECT_EQ(Bar->Position(), Info.nPos);
    EXPECT_GT(Info.nMax - Info.nMin + 1, Integer(Info.nPage)) << "a child lies outside";
    EXPECT_TRUE(Bar->Enabled());
  }
  // The box's z-order: the client comes after (below) both bars.
  for (TWinControl* Box : {Skin->MDIVertBar(), Skin->MDIHorzBar()}) {
    bool ClientBelow = false;
    for (HWND W = GetWindow(Box->Handle(), GW_HWNDNEXT); W; W = GetWindow(W, GW_HWNDNEXT)) ClientBelow |= W == Client();
    EXPECT_TRUE(ClientBelow);
  }

  // Steps of the skinned bars scroll the client; the bar shows where the client went and the
  // children move by as much.
  struct TStep {
    uint16_t Key;
    int Direction;  // +1 further, -1 back, 0 to the start
  };
  const TStep Steps[] = {{VK_DOWN, 1}, {VK_UP, -1}, {VK_NEXT, 1}, {VK_PRIOR, -1}, {VK_END, 1}, {VK_HOME, 0}};
  for (const TBar& B : Bars) {
    TVxScrollBar* Bar = SkinnedBar(B.Box);
    for (const TStep& S : Steps) {
      SCOPED_TRACE(testing::Message() << B.Kind << " key " << S.Key);
      const Integer Before = ScrollInfoOf(Client(), B.Kind).nPos;
      const TRect ChildBefore = WindowRectOf(Children[0]->Handle());
      Bar->Step(S.Key);
      Settle();
      const SCROLLINFO After = ScrollInfoOf(Client(), B.Kind);
      if (S.Direction > 0) EXPECT_GT(After.nPos, Before);
      if (S.Direction < 0) EXPECT_LT(After.nPos, Before);
      if (S.Direction == 0) EXPECT_EQ(After.nPos, After.nMin);
      EXPECT_EQ(Bar->Position(), After.nPos);
      const TRect ChildAfter = WindowRectOf(Children[0]->Handle());
      const Integer Moved = B.Kind == SB_VERT ? ChildBefore.Top - ChildAfter.Top : ChildBefore.Left - ChildAfter.Left;
      EXPECT_EQ(Moved, After.nPos - Before);
    }
  }

  // A press on the vertical bar's lower arrow scrolls too, as a mouse would.
  TVxScrollBar* Vert = SkinnedBar(Skin->MDIVertBar());
  const TRect Arrow = Vert->GetSecondButtonRect();
  const LPARAM At = MAKELPARAM((Arrow.Left + Arrow.Right) / 2, (Arrow.Top + Arrow.Bottom) / 2);
  SendMessageA(Skin->MDIVertBar()->Handle(), WM_MOUSEMOVE, 0, At);
  SendMessageA(Skin->MDIVertBar()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageA(Skin->MDIVertBar()->Handle(), WM_LBUTTONUP, 0, At);
  Settle();
  EXPECT_GT(ScrollInfoOf(Client(), SB_VERT).nPos, 0);
  EXPECT_EQ(Vert->Position(), ScrollInfoOf(Client(), SB_VERT).nPos);

  // Dragging the thumb: the client follows it while dragged and stays where it is let go.
  const Integer Start = Vert->Position();
  const TRect Thumb = Vert->GetThumbRect();
  const Integer Grab = (Thumb.Top + Thumb.Bottom) / 2, X = (Thumb.Left + Thumb.Right) / 2;
  HWND VertWnd = Skin->MDIVertBar()->Handle();
  SendMessageA(VertWnd, WM_MOUSEMOVE, 0, MAKELPARAM(X, Grab));
  SendMessageA(VertWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Grab));
  SendMessageA(VertWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, Grab + 40));
  Settle();
  const Integer Dragged = Vert->Position();
  EXPECT_GT(Dragged, Start);
  EXPECT_EQ(ScrollInfoOf(Client(), SB_VERT).nPos, Dragged);
  SendMessageA(VertWnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Grab + 40));
  Settle();
  EXPECT_EQ(Vert->Position(), Dragged);
  EXPECT_EQ(ScrollInfoOf(Client(), SB_VERT).nPos, Dragged);

  // Back inside, the bars go.
  for (UINT Msg : {WM_VSCROLL, WM_HSCROLL}) SendMessageA(Client(), Msg, SB_TOP, 0);
  Children[2]->SetBounds(20, 20, 190, 140);
  PumpUntil([] { return !Skin->MDIVertBar()->Visible() && !Skin->MDIHorzBar()->Visible(); }, 1000);
  EXPECT_FALSE(Skin->MDIVertBar()->Visible());
  EXPECT_FALSE(Skin->MDIHorzBar()->Visible());
  EXPECT_TRUE(Skin->MDISizeBox().IsEmpty());
}

TEST_F(MDIParentTest, TheSizeBoxBetweenTheBarsIsPaintedAndSizesTheForm) {
  MoveOutside();
  ASSERT_TRUE(Both());
  TWinControl* V = Skin->MDIVertBar();
  TWinControl* H = Skin->MDIHorzBar();
  // The square between the bars, in the client's coordinates.
  const TRect ClientOnScreen = WindowRectOf(Client());
  const TPoint Origin = Parent->ScreenToClient({ClientOnScreen.Left, ClientOnScreen.Top});
  EXPECT_EQ(Skin->MDISizeBox(),
            Bounds(H->Left() + H->Width() - Origin.X, V->Top() + V->Height() - Origin.Y, V->Width(), H->Height()));
  EXPECT_EQ(Skin->GetGripperRect(), Skin->MDISizeBox());

  // Painted by the theme's gripper.
  const TRect Box = Skin->MDISizeBox();
  Capture Theme(Box.Right, Box.Bottom);
  {
    TCanvas Canvas(Theme.DC());
    CurrentTheme()->DrawFormGripper(0, Canvas, "default", TvxGripperInfo{Box, true});
    Canvas.SetHandle(nullptr);
  }
  RedrawWindow(Client(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Settle();
  const TRect OnScreen = SizeBoxOnScreen();
  Capture Shot(OnScreen.Width(), OnScreen.Height());
  {
    HDC Screen = GetDC(nullptr);
    BitBlt(Shot.DC(), 0, 0, OnScreen.Width(), OnScreen.Height(), Screen, OnScreen.Left, OnScreen.Top, SRCCOPY);
    ReleaseDC(nullptr, Screen);
  }
  for (const POINT P : {POINT{Box.Width() / 2, Box.Height() / 2}, POINT{Box.Width() - 2, Box.Height() - 2}})
    EXPECT_EQ(Shot.At(P.x, P.y), Theme.At(Box.Left + P.x, Box.Top + P.y)) << P.x << "," << P.y;

  // The form answers the box as its bottom-right corner; the client lets it through.
  const TPoint Mid{(OnScreen.Left + OnScreen.Right) / 2, (OnScreen.Top + OnScreen.Bottom) / 2};
  EXPECT_EQ(SendMessageA(Parent->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Mid.X, Mid.Y)), HTBOTTOMRIGHT);
  EXPECT_EQ(SendMessageA(Client(), WM_NCHITTEST, 0, MAKELPARAM(Mid.X, Mid.Y)), HTCLIENT);
  // Elsewhere in the client the form takes the mouse.
  EXPECT_EQ(SendMessageA(Client(), WM_NCHITTEST, 0, MAKELPARAM(ClientOnScreen.Left + 5, ClientOnScreen.Top + 200)),
            HTTRANSPARENT);

  // Pressed in the client, the box sizes the form from its bottom-right corner.
  const TRect Before = WindowRectOf(Parent->Handle());
  POINT InClient{Mid.X, Mid.Y};
  ScreenToClient(Client(), &InClient);
  SendMessageA(Client(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(InClient.x, InClient.y));
  EXPECT_EQ(Skin->PressedPart(), vxhtBottomRight);
  EXPECT_TRUE(Skin->Tracking());
  for (int Step = 1; Step <= 4; ++Step) {
    POINT P{Mid.X + 10 * Step, Mid.Y + 8 * Step};
    ScreenToClient(Parent->Handle(), &P);
    SendMessageA(Parent->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(P.x, P.y));
  }
  POINT Up{Mid.X + 40, Mid.Y + 32};
  ScreenToClient(Parent->Handle(), &Up);
  SendMessageA(Parent->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(Up.x, Up.y));
  Settle();
  const TRect After = WindowRectOf(Parent->Handle());
  EXPECT_EQ(After.Left, Before.Left);
  EXPECT_EQ(After.Top, Before.Top);
  EXPECT_EQ(After.Width(), Before.Width() + 40);
  EXPECT_EQ(After.Height(), Before.Height() + 32);
  EXPECT_FALSE(Skin->Tracking());
  // The bars follow the client's new size.
  EXPECT_EQ(Skin->MDIVertBar()->BoundsRect(), PlatformBar(OBJID_VSCROLL));
  EXPECT_EQ(Skin->MDIHorzBar()->BoundsRect(), PlatformBar(OBJID_HSCROLL));

  // Not sizeable: the box is no corner.
  Skin->Dragging()->SetSizeable(false);
  const TRect Now = SizeBoxOnScreen();
  EXPECT_EQ(SendMessageA(Parent->Handle(), WM_NCHITTEST, 0,
                         MAKELPARAM((Now.Left + Now.Right) / 2, (Now.Top + Now.Bottom) / 2)),
            HTCLIENT);
  Skin->Dragging()->SetSizeable(true);
  Parent->SetBounds(40, 40, 640, 480);
  Settle();
}

// [Window menu] ---------------------------------------------------------------------------------

TEST_F(MDIParentTest, TheWindowMenuListsTheChildrenAndAnItemActivatesItsChild) {
  // Alpha and Gamma carry a skinned MDI child component; Beta does not.
  auto* MarkA = new TVxMDIChild(Children[0]);
  auto* MarkC = new TVxMDIChild(Children[2]);
  Children[2]->Show();
  Settle();
  ASSERT_EQ(Parent->ActiveMDIChild(), Children[2]);
  ASSERT_TRUE(Window->OnBeforeDropDown);
  for (int Round = 0; Round < 2; ++Round) {  // made anew each time, never piling up
    Window->OnBeforeDropDown(Window);
    ASSERT_EQ(Window->Count(), 2 + 1 + 3) << Round;
  }
  EXPECT_EQ(Window->Items(0)->Caption(), L"&Cascade");
  EXPECT_EQ(Window->Items(1)->Caption(), L"&Tile");
  EXPECT_FALSE(IsWindowItem(Window->Items(0)));
  TVxItem* Separator = Window->Items(2);
  EXPECT_EQ(Separator->Caption(), L"-");
  EXPECT_TRUE(IsWindowItem(Separator));
  EXPECT_NE(Separator->Name().find("_sep"), std::string::npos);
  // From the last of the client's children to the first (the active one).
  ASSERT_EQ(Parent->MDIChildCount(), 3);
  for (Integer I = 0; I < 3; ++I) {
    TVxItem* Item = Window->Items(3 + I);
    TForm* Child = Parent->MDIChildren(2 - I);
    SCOPED_TRACE(Child->Caption());
    EXPECT_TRUE(IsWindowItem(Item));
    EXPECT_EQ(Item->Name().find("_sep"), std::string::npos);
    EXPECT_EQ(Item->Caption(), std::wstring(Child->Caption().begin(), Child->Caption().end()));
    EXPECT_EQ(Item->Checked(), Child == Children[2]);
  }
  // Active but without the component: no check mark.
  Children[1]->Show();
  Settle();
  Window->OnBeforeDropDown(Window);
  for (Integer I = 3; I < Window->Count(); ++I) EXPECT_FALSE(Window->Items(I)->Checked());

  // Choosing an item activates its child and moves the check mark there.
  TVxItem* AlphaItem = nullptr;
  for (Integer I = 3; I < Window->Count(); ++I)
    if (Window->Items(I)->Caption() == L"Alpha") AlphaItem = Window->Items(I);
  ASSERT_NE(AlphaItem, nullptr);
  Window->Items(3)->SetChecked(true);
  AlphaItem->ClickNow();
  Settle();
  EXPECT_EQ(Parent->ActiveMDIChild(), Children[0]);
  EXPECT_EQ(Parent->MDIChildren(0), Children[0]);
  EXPECT_TRUE(AlphaItem->Checked());
  for (Integer I = 2; I < Window->Count(); ++I) {
    if (Window->Items(I) != AlphaItem) EXPECT_FALSE(Window->Items(I)->Checked());
  }
  EXPECT_FALSE(Skin->WindowMenuBusy());
  delete MarkA;
  delete MarkC;
}

TEST_F(MDIParentTest, ChoosingAChildInTheDroppedDownWindowMenuActivatesIt) {
  Watchdog.SetEnabled(true);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  Children[2]->Show();
  Settle();
  ASSERT_EQ(Parent->ActiveMDIChild(), Children[2]);
  TProbe Probe;
  Probe.Wait([] { return !AnyAnimating(); });
  // Inside the menu's loop: the list was made as the menu dropped down.
  Probe.Post([] {
    TVxPopupView* View = Innermost();
    ASSERT_NE(View, nullptr);
    EXPECT_EQ(View->RootItem(), Window);
    TVxItem* Alpha = nullptr;
    for (Integer I = 0; I < Window->Count(); ++I)
      if (Window->Items(I)->Caption() == L"Alpha") Alpha = Window->Items(I);
    ASSERT_NE(Alpha, nullptr);
    const TRect R = Alpha->ItemRect();
    const TPoint S = View->ViewToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    POINT P{S.X, S.Y};
    ScreenToClient(View->MessageWindow(), &P);
    PostMessageA(View->MessageWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y));
    PostMessageA(View->MessageWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(P.x, P.y));
  });
  EXPECT_TRUE(Window->Popup(nullptr, 120, 120, TRect{}));
  Settle();
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_EQ(Parent->ActiveMDIChild(), Children[0]);
  EXPECT_EQ(Window->Count(), 2 + 1 + 3);
}

TEST_F(MDIParentTest, AnEmptyWindowMenuOpensAsASubmenuThroughAPlaceholder) {
  TVxItem* File = Bar->Items()->Items(0);
  TVxItem* Documents = AddItem(*File, L"&Documents");
  Skin->SetWindowMenu(Documents);
  ASSERT_TRUE(File->OnBeforeDropDown);
  File->OnBeforeDropDown(File);
  File->OnBeforeDropDown(File);
  ASSERT_EQ(Documents->Count(), 1) << "one placeholder, however often the parent opens";
  EXPECT_TRUE(IsWindowItem(Documents->Items(0)));
  EXPECT_TRUE(Documents->HasVisibleChildren());
  Documents->OnBeforeDropDown(Documents);
  ASSERT_EQ(Documents->Count(), 3) << "no separator without items of the application's";
  for (Integer I = 0; I < 3; ++I) EXPECT_NE(Documents->Items(I)->Caption(), L"-");
  // The previous menu was let go.
  EXPECT_FALSE(Window->OnBeforeDropDown);
  // A window menu freed while set is forgotten; its parent's handler then does nothing.
  delete Documents;
  EXPECT_EQ(Skin->WindowMenu(), nullptr);
  File->OnBeforeDropDown(File);
  Skin->RebuildWindowMenu();
  EXPECT_EQ(File->Count(), 1);
  Skin->SetWindowMenu(Window);
  EXPECT_TRUE(Window->OnBeforeDropDown);
  // The old parent's handler leaves the new window menu alone.
  while (Window->Count() > 2) Window->Delete(Window->Count() - 1);
  File->OnBeforeDropDown(File);
  EXPECT_EQ(Window->Count(), 2);

  // The application's own handler keeps running, and is all that is left once the menu is let go.
  int AppCalls = 0;
  TVxItem* More = AddItem(*File, L"&More");
  More->OnBeforeDropDown = [&](TObject*) { ++AppCalls; };
  Skin->SetWindowMenu(More);
  More->OnBeforeDropDown(More);
  EXPECT_EQ(AppCalls, 1);
  EXPECT_EQ(More->Count(), 3);
  Skin->SetWindowMenu(Window);
  while (More->Count() > 0) More->Delete(More->Count() - 1);
  More->OnBeforeDropDown(More);
  EXPECT_EQ(AppCalls, 2);
  EXPECT_EQ(More->Count(), 0);
  delete More;
}

TEST_F(MDIParentTest, AChildClosedWhileListedLeavesItsItemHarmless) {
  auto* Extra = new TForm(Parent);
  Extra->SetFormStyle(TFormStyle::fsMDIChild);
  Extra->SetText("Delta");
  Extra->Show();
  Settle();
  Window->OnBeforeDropDown(Window);
  TVxItem* DeltaItem = nullptr;
  for (Integer I = 0; I < Window->Count(); ++I)
    if (Window->Items(I)->Caption() == L"Delta") DeltaItem = Window->Items(I);
  ASSERT_NE(DeltaItem, nullptr);
  Extra->Close();  // freed from the message loop
  ASSERT_TRUE(PumpUntil([&] { return Parent->MDIChildCount() == 3; }, 1000));
  TForm* Active = Parent->ActiveMDIChild();
  DeltaItem->ClickNow();
  Settle();
  EXPECT_EQ(Parent->ActiveMDIChild(), Active);
  EXPECT_EQ(Parent->MDIChildCount(), 3);
  Window->OnBeforeDropDown(Window);
  EXPECT_EQ(Window->Count(), 2 + 1 + 3);
  for (Integer I = 0; I < Window->Count(); ++I) EXPECT_NE(Window->Items(I)->Caption(), L"Delta");
}

// [Menu bar commands] ---------------------------------------------------------------------------

TEST_F(MDIParentTest, TheMenuBarsRestoreAndNextActOnTheFrameworksMDIChildren) {
  TForm* Child = Children[1];
  Child->Show();
  Child->SetWindowState(TWindowState::wsMaximized);
  Settle();
  ASSERT_TRUE(IsZoomed(Child->Handle()));
  Bar->ShowMDIItems(Child);
  TVxItem* Icon = Bar->MDIItems()[0];
  Icon->Items(0)->ClickNow();  // "&Restore"
  Settle();
  EXPECT_FALSE(IsZoomed(Child->Handle()));
  EXPECT_EQ(Child->WindowState(), TWindowState::wsNormal);
  EXPECT_FALSE(Bar->MDIItemsShown());

  // "&Next" activates the main form's next child.
  Bar->ShowMDIItems(Child);
  ASSERT_EQ(Parent->ActiveMDIChild(), Child);
  Icon->Items(6)->ClickNow();
  Settle();
  EXPECT_NE(Parent->ActiveMDIChild(), Child);
  EXPECT_NE(Parent->ActiveMDIChild(), nullptr);
  Bar->HideMDIItems();
}

// [Without a menu bar] --------------------------------------------------------------------------

TEST_F(MDIParentTest, AParentWithoutAMenuBarHasItsBarsSizeBoxAndWindowMenuToo) {
  // A second MDI parent, the application's main form meanwhile; its client starts at the top.
  TForm Plain;
  Plain.SetFormStyle(TFormStyle::fsMDIForm);
  Plain.SetBounds(80, 60, 500, 380);
  auto* PlainSkin = new TVxForm(&Plain);
  TVxItem Menu;
  PlainSkin->SetWindowMenu(&Menu);
  Application->SetMainForm(&Plain);
  Plain.Show();
  auto* Child = new TForm(&Plain);
  Child->SetFormStyle(TFormStyle::fsMDIChild);
  Child->SetText("Lone");
  Child->Show();
  Settle();
  EXPECT_EQ(PlainSkin->MenuBar(), nullptr);
  MoveOutside(Plain.ClientHandle(), Child);
  PumpUntil(
      [&] {
        return PlainSkin->MDIVertBar() && PlainSkin->MDIVertBar()->Visible() && PlainSkin->MDIHorzBar() &&
               PlainSkin->MDIHorzBar()->Visible();
      },
      1000);
  ASSERT_FALSE(PlainSkin->MDISizeBox().IsEmpty());
  const TRect Box =
      PlainSkin->MDISizeBox().Offset(WindowRectOf(Plain.ClientHandle()).Left, WindowRectOf(Plain.ClientHandle()).Top);
  EXPECT_EQ(
      SendMessageA(Plain.Handle(), WM_NCHITTEST, 0, MAKELPARAM((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2)),
      HTBOTTOMRIGHT);
  // Switched off, the skin leaves the client to the platform and takes its bars away; switched
  // on, it takes the client over once more.
  HWND PlainClient = Plain.ClientHandle();
  const LPARAM Empty = MAKELPARAM(WindowRectOf(PlainClient).Left + 5, WindowRectOf(PlainClient).Top + 5);
  EXPECT_EQ(SendMessageA(PlainClient, WM_NCHITTEST, 0, Empty), HTTRANSPARENT);
  PlainSkin->SetActive(false);
  EXPECT_EQ(PlainSkin->MDIClient(), nullptr);
  EXPECT_EQ(SendMessageA(PlainClient, WM_NCHITTEST, 0, Empty), HTCLIENT);
  EXPECT_FALSE(PlainSkin->MDIVertBar()->Visible());
  EXPECT_TRUE(PlainSkin->MDISizeBox().IsEmpty());
  PlainSkin->SetActive(true);
  SendMessageA(Plain.Handle(), WM_NULL, 0, 0);
  EXPECT_EQ(PlainSkin->MDIClient(), PlainClient);
  EXPECT_EQ(SendMessageA(PlainClient, WM_NCHITTEST, 0, Empty), HTTRANSPARENT);
  Settle();

  Menu.OnBeforeDropDown(&Menu);
  ASSERT_EQ(Menu.Count(), 1);
  EXPECT_EQ(Menu.Items(0)->Caption(), L"Lone");
  // The skin goes first: the menu's handlers and items outlive it harmlessly.
  delete PlainSkin;
  EXPECT_FALSE(Menu.OnBeforeDropDown);
  Menu.Items(0)->ClickNow();
  EXPECT_EQ(Menu.Count(), 1);
  Application->SetMainForm(Parent);
  Settle();
}

}  // namespace
