// Forms: closing and close actions, modal runs ended by timers and posted messages, the main
// form ending the application, window re-creation, border styles, timers, and the application
// minimizing and restoring its forms.
#include "framework/ui/panel.h"
#include "framework/ui/timer.h"
#include "ui_fixture.h"

namespace {

using Log = std::vector<std::string>;

class FormsTest : public UiTest {};

TEST_F(FormsTest, CloseAsksOnCloseQueryThenActsOnTheCloseAction) {
  // Only the case that hides a shown form shows one: a shown window costs seconds under Wine.
  struct Case {
    bool CanClose;
    TCloseAction Action;
    bool Shown;
    Log Expected;
  } const Cases[] = {
      {false, TCloseAction::caHide, false, {"query"}},
      {true, TCloseAction::caNone, false, {"query", "close (hide)"}},
      {true, TCloseAction::caHide, true, {"query", "close (hide)", "hide"}},
      {true, TCloseAction::caFree, false, {"query", "close (hide)"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(int(C.Action));
    auto* F = new TForm;
    bool Destroyed = false;
    Log Events;
    F->OnCloseQuery = [&](TObject*, bool& CanClose) {
      Events.push_back("query");
      CanClose = C.CanClose;
    };
    F->OnClose = [&](TObject*, TCloseAction& Action) {
      Events.push_back(Action == TCloseAction::caHide ? "close (hide)" : "close");
      Action = C.Action;
    };
    F->OnHide = [&](TObject*) { Events.push_back("hide"); };
    F->OnDestroy = [&](TObject*) { Destroyed = true; };
    if (C.Shown) F->SetVisible(true);
    // The close box sends WM_CLOSE.
    SendMessageA(F->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Events, C.Expected);
    if (C.Action == TCloseAction::caFree && C.CanClose) {
      // Freed only once the message that closed it is done.
      EXPECT_FALSE(Destroyed);
      EXPECT_TRUE(PumpUntil([&] { return Destroyed; }));
      continue;
    }
    EXPECT_FALSE(F->Visible());
    EXPECT_FALSE(IsWindowVisible(F->Handle()));
    EXPECT_TRUE(IsWindow(F->Handle()));
    delete F;
    EXPECT_TRUE(Destroyed);
  }
}

TEST_F(FormsTest, SessionEndAsksOnCloseQueryAndLeavesTheFormOpen) {
  bool Allow = false;
  int Queries = 0;
  Form->OnCloseQuery = [&](TObject*, bool& CanClose) {
    ++Queries;
    CanClose = Allow;
  };
  Form->Show();
  EXPECT_EQ(SendMessageA(Form->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  Allow = true;
  EXPECT_EQ(SendMessageA(Form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(Queries, 2);
  EXPECT_TRUE(Form->Visible());
}

TEST_F(FormsTest, ShowModalEndsWithTheModalResultSetByATimer) {
  Form->SetBorderStyle(TFormBorderStyle::bsDialog);
  Form->SetPosition(TPosition::poScreenCenter);
  auto* Owner = new TForm;  // another window of the application, disabled while the form runs
  Owner->HandleNeeded();
  ShowWindow(Owner->Handle(), SW_SHOWNA);
  int Queries = 0;
  bool OwnerEnabledInside = true;
  Form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++Queries > 1; };  // refuses once
  TTimer Timer;
  Timer.SetInterval(10);
  Timer.SetOnTimer([&](TObject*) {
    OwnerEnabledInside = IsWindowEnabled(Owner->Handle());
    Form->SetModalResult(mrOk);
  });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_EQ(Queries, 2);
  EXPECT_FALSE(OwnerEnabledInside);
  EXPECT_TRUE(IsWindowEnabled(Owner->Handle()));
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(Form->FormState().Contains(TFormStateFlag::fsModal));
  // Centred on the screen.
  EXPECT_EQ(Form->Left(), (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(Form->Top(), (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
  delete Owner;
}

TEST_F(FormsTest, ShowModalEndsWithCancelWhenClosedByAPostedMessage) {
  Form->OnShow = [&](TObject*) { PostMessageA(Form->Handle(), WM_CLOSE, 0, 0); };
  Log Events;
  Form->OnClose = [&](TObject*, TCloseAction&) { Events.push_back("close"); };
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_EQ(Events, (Log{"close"}));
  EXPECT_FALSE(Form->Visible());
  // A disabled form cannot run modally.
  Form->SetEnabled(false);
  EXPECT_THROW(Form->ShowModal(), EInvalidOperation);
}

TEST_F(FormsTest, ClosingTheMainFormEndsRun) {
  auto* Main = Application->CreateForm<TForm>();
  ASSERT_EQ(Application->MainForm(), Main);
  Application->SetShowMainForm(false);
  int Idles = 0;
  Application->OnIdle = [&](TObject*, bool& Done) {
    if (++Idles == 1) PostMessageA(Main->Handle(), WM_CLOSE, 0, 0);
    Done = true;
  };
  Application->Run();
  Application->OnIdle = nullptr;
  Application->SetShowMainForm(true);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_GE(Idles, 1);
  delete Main;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormsTest, RecreateWndKeepsChildrenAndProperties) {
  auto* Panel = new TPanel(Form.get());
  Panel->SetBounds(10, 20, 150, 100);
  Panel->SetCaption("Tools");
  Panel->SetParent(Form.get());
  auto* First = new TPanel(Form.get());
  First->SetBounds(5, 6, 30, 20);
  First->SetEnabled(false);
  First->SetParent(Panel);
  auto* Second = new TPanel(Form.get());
  Second->SetBounds(40, 6, 30, 20);
  Second->SetCaption("Second");
  Second->Hide();
  Second->SetParent(Panel);
  int Hooked = 0;
  Second->WindowProc = [&, Saved = Second->WindowProc](TMessage& M) {
    if (M.Msg == WM_USER + 3) ++Hooked;
    Saved(M);
  };
  HWND OldPanel = Panel->Handle(), OldFirst = First->Handle(), OldSecond = Second->Handle();
  Panel->RecreateWnd();
  ASSERT_TRUE(Panel->HandleAllocated());
  EXPECT_FALSE(IsWindow(OldPanel));
  EXPECT_FALSE(IsWindow(OldFirst));
  EXPECT_FALSE(IsWindow(OldSecond));
  // The new windows carry the same state, in the same order, in the same parents.
  HWND P = Panel->Handle(), A = First->Handle(), B = Second->Handle();
  EXPECT_EQ(GetParent(P), Form->Handle());
  EXPECT_EQ(GetParent(A), P);
  EXPECT_EQ(GetParent(B), P);
  char Text[32] = {};
  GetWindowTextA(P, Text, sizeof(Text));
  EXPECT_STREQ(Text, "Tools");
  GetWindowTextA(B, Text, sizeof(Text));
  EXPECT_STREQ(Text, "Second");
  RECT R;
  GetWindowRect(A, &R);
  MapWindowPoints(HWND_DESKTOP, P, reinterpret_cast<POINT*>(&R), 2);
  EXPECT_EQ(Rect(R.left, R.top, R.right, R.bottom), Bounds(5, 6, 30, 20));
  EXPECT_FALSE(IsWindowEnabled(A));
  EXPECT_FALSE(IsWindowVisible(B));
  EXPECT_EQ(GetWindow(A, GW_HWNDPREV), B);  // Second stays above First
  EXPECT_EQ(Panel->ControlList(), (std::vector<TControl*>{First, Second}));
  SendMessageA(B, WM_USER + 3, 0, 0);
  EXPECT_EQ(Hooked, 1);
  // Text the window was given behind the control's back survives the next re-creation.
  SetWindowTextA(P, "Renamed");
  EXPECT_EQ(Panel->Caption(), "Renamed");
  Panel->RecreateWnd();
  GetWindowTextA(Panel->Handle(), Text, sizeof(Text));
  EXPECT_STREQ(Text, "Renamed");
}

TEST_F(FormsTest, BorderStylesGiveTheirWindowStyles) {
  struct Case {
    TFormBorderStyle Border;
    DWORD Has, HasNot, ExHas;
  } const Cases[] = {
      {TFormBorderStyle::bsSizeable, WS_CAPTION | WS_THICKFRAME, 0, 0},
      {TFormBorderStyle::bsSingle, WS_CAPTION, WS_THICKFRAME, 0},
      {TFormBorderStyle::bsNone, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
      {TFormBorderStyle::bsDialog, WS_CAPTION, WS_THICKFRAME | WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME},
      {TFormBorderStyle::bsToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
  };
  auto* Child = new TPanel(Form.get());
  Child->SetParent(Form.get());
  Form->SetCaption("Styled");
  for (const Case& C : Cases) {
    SCOPED_TRACE(int(C.Border));
    Form->SetBorderStyle(C.Border);
    const DWORD Style = DWORD(GetWindowLongPtrA(Form->Handle(), GWL_STYLE));
    const DWORD Ex = DWORD(GetWindowLongPtrA(Form->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(Style & C.Has, C.Has);
    EXPECT_EQ(Style & C.HasNot, 0u);
    EXPECT_EQ(Ex & C.ExHas, C.ExHas);
    EXPECT_EQ(GetParent(Child->Handle()), Form->Handle());
    char Text[32] = {};
    GetWindowTextA(Form->Handle(), Text, sizeof(Text));
    EXPECT_STREQ(Text, "Styled");
  }
}

TEST_F(FormsTest, TimerFiresWhileEnabledAndStopsWhenDisabled) {
  TTimer Timer;
  int Ticks = 0;
  Timer.SetInterval(15);
  Timer.SetOnTimer([&](TObject* Sender) {
    EXPECT_EQ(Sender, &Timer);
    ++Ticks;
  });
  EXPECT_TRUE(PumpUntil([&] { return Ticks >= 3; }));
  Timer.SetEnabled(false);
  const int Stopped = Ticks;
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(Ticks, Stopped);
  // Without an interval nothing fires either.
  Timer.SetInterval(0);
  Timer.SetEnabled(true);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(Ticks, Stopped);
}

}  // namespace

TEST_F(FormsTest, BorderIconsDecideTheCaptionButtonsAndStayOnTopTheZOrder) {
  using I = TBorderIcon;
  struct Case {
    TFormBorderStyle Border;
    TBorderIcons Icons;
    DWORD Present, Absent, ExPresent;
  } const Cases[] = {
      {TFormBorderStyle::bsSizeable,
       {I::biSystemMenu, I::biMinimize, I::biMaximize},
       WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
       0,
       0},
      {TFormBorderStyle::bsSizeable, {I::biSystemMenu, I::biMinimize}, WS_SYSMENU | WS_MINIMIZEBOX, WS_MAXIMIZEBOX, 0},
      {TFormBorderStyle::bsSingle, {I::biMinimize, I::biMaximize}, 0, WS_SYSMENU, 0},
      {TFormBorderStyle::bsDialog, {I::biSystemMenu, I::biHelp}, WS_SYSMENU, WS_MINIMIZEBOX, WS_EX_CONTEXTHELP},
      // Help shows only without minimise and maximise.
      {TFormBorderStyle::bsSizeable, {I::biSystemMenu, I::biMaximize, I::biHelp}, WS_MAXIMIZEBOX, 0, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(int(C.Border));
    Form->SetBorderStyle(C.Border);
    Form->SetBorderIcons(C.Icons);
    const auto Style = DWORD(GetWindowLongPtrA(Form->Handle(), GWL_STYLE));
    const auto ExStyle = DWORD(GetWindowLongPtrA(Form->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(Style & C.Present, C.Present);
    EXPECT_EQ(Style & C.Absent, 0u);
    EXPECT_EQ(ExStyle & WS_EX_CONTEXTHELP, C.ExPresent);
  }
  auto OnTop = [&] { return (GetWindowLongPtrA(Form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  EXPECT_FALSE(OnTop());
  Form->SetFormStyle(TFormStyle::fsStayOnTop);
  EXPECT_TRUE(OnTop());
  Form->SetBorderStyle(TFormBorderStyle::bsToolWindow);  // a new window stays on top
  EXPECT_TRUE(OnTop());
  Form->SetFormStyle(TFormStyle::fsNormal);
  EXPECT_FALSE(OnTop());
}

// The application minimizes as a whole: the main form to the taskbar, the other shown forms
// hidden (still Visible to the program), a hidden form left alone; restoring brings back exactly
// those. Each event fires once per change and a second call does nothing.
TEST_F(FormsTest, ApplicationMinimizeAndRestoreTakeTheShownFormsAlong) {
  // Showing and hiding windows takes Wine seconds.
  Watchdog.SetInterval(30000);
  struct TMainGuard {
    ~TMainGuard() {
      Application->Restore();
      Application->OnMinimize = nullptr;
      Application->OnRestore = nullptr;
      Application->SetMainForm(nullptr);
    }
  } Guard;
  Application->SetMainForm(Form.get());
  Form->Show();
  TForm Other;
  Other.SetBounds(500, 50, 200, 150);
  Other.Show();
  TForm Hidden;
  Hidden.HandleNeeded();
  auto Freed = std::make_unique<TForm>();
  Freed->SetBounds(500, 250, 200, 150);
  Freed->Show();
  const HWND FreedWnd = Freed->Handle();
  Log Events;
  Application->OnMinimize = [&](TObject* Sender) { Events.push_back(Sender == Application ? "minimize" : "?"); };
  Application->OnRestore = [&](TObject* Sender) { Events.push_back(Sender == Application ? "restore" : "?"); };

  Application->Minimize();
  Application->Minimize();
  EXPECT_TRUE(Application->Minimized());
  EXPECT_TRUE(IsIconic(Form->Handle()));
  EXPECT_FALSE(IsWindowVisible(Other.Handle()));
  EXPECT_TRUE(Other.Visible()) << "put away by the application, not hidden by the program";
  EXPECT_EQ(Events, (Log{"minimize"}));
  // A form freed meanwhile is simply gone when the others come back.
  Freed.reset();
  Application->Restore();
  Application->Restore();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_FALSE(IsIconic(Form->Handle()));
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
  EXPECT_TRUE(IsWindowVisible(Other.Handle()));
  EXPECT_FALSE(IsWindowVisible(Hidden.Handle())) << "a form hidden before stays hidden";
  EXPECT_FALSE(IsWindow(FreedWnd));
  EXPECT_EQ(Events, (Log{"minimize", "restore"}));

  // The main form's own minimize and restore (caption button, system menu, taskbar) are the
  // application's.
  SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_TRUE(IsIconic(Form->Handle()));
  EXPECT_FALSE(IsWindowVisible(Other.Handle()));
  SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_FALSE(IsIconic(Form->Handle()));
  EXPECT_TRUE(IsWindowVisible(Other.Handle()));
  EXPECT_EQ(Events, (Log{"minimize", "restore", "minimize", "restore"}));

  // Another form's minimize is its own.
  SendMessageA(Other.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Other.Handle()));
  EXPECT_FALSE(Application->Minimized());
  EXPECT_FALSE(IsIconic(Form->Handle()));
  EXPECT_EQ(Events.size(), 4u);
}
