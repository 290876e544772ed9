// Message plumbing: replaceable WindowProc, subclassed window procedures, control messages,
// mouse routing to windowless controls, and exceptions raised by handlers.
#include "framework/ui/object_windows.h"
#include "framework/ui/panel.h"
#include "ui_fixture.h"

namespace {

using Log = std::vector<std::string>;

class MessagesTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Panel = new TPanel(Form.get());
    Panel->SetBounds(10, 10, 200, 100);
    Panel->SetParent(Form.get());
  }
  TPanel* Panel = nullptr;
};

TEST_F(MessagesTest, ReplacedWindowProcSeesMessagesFirstAndChains) {
  Log Events;
  Panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
    Events.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  };
  Panel->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Events.push_back("up"); };
  // Two hooks, the later one outermost; the outer one swallows right-button presses.
  TWndMethod Original = Panel->WindowProc;
  Panel->WindowProc = [&, Saved = Panel->WindowProc](TMessage& M) {
    if (M.Msg == WM_LBUTTONDOWN) Events.push_back("inner");
    Saved(M);
  };
  TWndMethod Inner = Panel->WindowProc;
  Panel->WindowProc = [&, Saved = Panel->WindowProc](TMessage& M) {
    if (M.Msg == WM_LBUTTONDOWN) Events.push_back("outer");
    if (M.Msg == WM_RBUTTONDOWN) return;
    Saved(M);
  };
  HWND Wnd = Panel->Handle();
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 4));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(3, 4));
  SendMessageA(Wnd, WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 5));
  EXPECT_EQ(Events, (Log{"outer", "inner", "down 3,4", "up"}));
  // Perform goes through the same chain.
  Events.clear();
  Panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, Point(1, 2));
  Panel->Perform(WM_LBUTTONUP, 0, Point(1, 2));
  EXPECT_EQ(Events, (Log{"outer", "inner", "down 1,2", "up"}));
  // Putting the saved handlers back removes the hooks.
  Events.clear();
  Panel->WindowProc = Original;
  SendMessageA(Wnd, WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 6));
  EXPECT_EQ(Events, (Log{"down 5,6"}));
}

// A window procedure installed over the control's the platform way.
WNDPROC SavedProc = nullptr;
Log* SubclassLog = nullptr;
LRESULT CALLBACK SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_USER + 7) return 42;  // answered here, the control never sees it
  if (Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONUP) SubclassLog->push_back("subclass " + std::to_string(Msg));
  return CallWindowProcA(SavedProc, Wnd, Msg, WParam, LParam);
}

TEST_F(MessagesTest, SubclassedWindowChainsToTheControl) {
  Log Events;
  SubclassLog = &Events;
  Panel->OnClick = [&](TObject*) { Events.push_back("click"); };
  Log Seen;
  Panel->WindowProc = [&, Saved = Panel->WindowProc](TMessage& M) {
    if (M.Msg == WM_USER + 7) Events.push_back("control saw WM_USER+7");
    Saved(M);
  };
  HWND Wnd = Panel->Handle();
  SavedProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  EXPECT_EQ(reinterpret_cast<intptr_t>(SavedProc), ObjectWindowProcAddress());
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(5, 5));
  EXPECT_EQ(SendMessageA(Wnd, WM_USER + 7, 0, 0), 42);
  EXPECT_EQ(Events, (Log{"subclass 513", "subclass 514", "click"}));
  // The control finds itself from a subclassed window, and unhooking restores the chain.
  EXPECT_EQ(TWinControl::FindControl(Wnd), Panel);
  SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SavedProc));
  Events.clear();
  SendMessageA(Wnd, WM_USER + 7, 0, 0);
  EXPECT_EQ(Events, (Log{"control saw WM_USER+7"}));
  SubclassLog = nullptr;
}

// Counts what reaches it as CN_COMMAND / CN_NOTIFY and how often its window was built.
class Receiver : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  Log Seen;
  int Creations = 0;

 protected:
  void CreateWnd() override {
    ++Creations;
    TCustomControl::CreateWnd();
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_COMMAND || Message.Msg == CN_NOTIFY) {
      Seen.push_back((Message.Msg == CN_COMMAND ? "command " : "notify ") + std::to_string(Message.WParam));
      Message.Result = 7;
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};

TEST_F(MessagesTest, ChildNotificationsReachTheChildsControlPastParentHooks) {
  auto* Child = new Receiver(Form.get());
  Child->SetParent(Panel);
  int HookSaw = 0;
  Panel->WindowProc = [&, Saved = Panel->WindowProc](TMessage& M) {
    if (M.Msg == WM_COMMAND) ++HookSaw;
    Saved(M);
  };
  HWND Wnd = Panel->Handle();
  EXPECT_EQ(SendMessageA(Wnd, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(Child->Handle())), 7);
  NMHDR Header{Child->Handle(), 9, 0};
  EXPECT_EQ(SendMessageA(Wnd, WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&Header)), 7);
  // Commands without a window, or about a window that is no control, stay with the parent.
  HWND Foreign = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, Wnd, nullptr, nullptr, nullptr);
  SendMessageA(Wnd, WM_COMMAND, 3, 0);
  SendMessageA(Wnd, WM_COMMAND, 4, reinterpret_cast<LPARAM>(Foreign));
  DestroyWindow(Foreign);
  EXPECT_EQ(Child->Seen, (Log{"command " + std::to_string(MAKEWPARAM(5, BN_CLICKED)), "notify 9"}));
  EXPECT_EQ(HookSaw, 3);
}

TEST_F(MessagesTest, ChildWindowAskedBeforeItsParentsIsBuiltOnce) {
  auto* Child = new Receiver(Form.get());
  Child->SetBounds(1, 1, 20, 20);
  Child->SetParent(Panel);
  ASSERT_FALSE(Form->HandleAllocated());
  Child->HandleNeeded();
  EXPECT_TRUE(Form->HandleAllocated());
  EXPECT_EQ(GetParent(Child->Handle()), Panel->Handle());
  EXPECT_EQ(Child->Creations, 1);
  Panel->RecreateWnd();
  EXPECT_EQ(Child->Creations, 2);
}

TEST_F(MessagesTest, WindowProcHookHearsTheWindowGoWithItsControl) {
  int Destroys = 0;
  Panel->WindowProc = [&, Saved = Panel->WindowProc](TMessage& M) {
    if (M.Msg == WM_DESTROY) ++Destroys;
    Saved(M);
  };
  HWND Wnd = Panel->Handle();
  delete Panel;
  Panel = nullptr;
  EXPECT_EQ(Destroys, 1);
  EXPECT_FALSE(IsWindow(Wnd));
}

TEST_F(MessagesTest, FontAndColourChangesReachChildrenThatFollowTheirParent) {
  auto* Own = new TPanel(Form.get());
  Own->SetParent(Panel);
  Own->Font()->SetName("Courier New");
  auto* Follower = new TPanel(Form.get());
  Follower->SetParent(Panel);
  Follower->SetParentColor(true);
  ASSERT_TRUE(Follower->ParentFont());
  ASSERT_FALSE(Own->ParentFont());

  Log Sequence;
  auto Record = [&](TControl* C, const char* Name) {
    C->WindowProc = [&Sequence, Name, Saved = C->WindowProc](TMessage& M) {
      static const std::pair<TMsgNum, const char*> Names[] = {
          {CM_FONTCHANGED, "FontChanged"},       {CM_PARENTFONTCHANGED, "ParentFontChanged"},
          {CM_COLORCHANGED, "ColorChanged"},     {CM_PARENTCOLORCHANGED, "ParentColorChanged"},
          {CM_ENABLEDCHANGED, "EnabledChanged"}, {CM_VISIBLECHANGED, "VisibleChanged"}};
      for (const auto& [Msg, Text] : Names)
        if (M.Msg == Msg) Sequence.push_back(std::string(Name) + " " + Text);
      Saved(M);
    };
  };
  Record(Panel, "panel");
  Record(Own, "own");
  Record(Follower, "follower");

  Panel->Font()->SetHeight(-20);
  EXPECT_EQ(Sequence,
            (Log{"panel FontChanged", "own ParentFontChanged", "follower ParentFontChanged", "follower FontChanged"}));
  EXPECT_EQ(Follower->Font()->Height(), -20);
  EXPECT_TRUE(Follower->ParentFont());
  EXPECT_EQ(Own->Font()->Height(), TFont().Height());
  EXPECT_EQ(Own->Font()->Name(), "Courier New");

  Sequence.clear();
  Panel->SetColor(clRed);
  EXPECT_EQ(Sequence, (Log{"panel ColorChanged", "own ParentColorChanged", "follower ParentColorChanged",
                           "follower ColorChanged"}));
  EXPECT_EQ(Follower->Color(), clRed);
  EXPECT_TRUE(Follower->ParentColor());
  EXPECT_EQ(Own->Color(), clBtnFace);

  // Following the parent again takes its font over at once.
  Own->SetParentFont(true);
  EXPECT_EQ(Own->Font()->Height(), -20);
  EXPECT_EQ(Own->Font()->Name(), Panel->Font()->Name());

  Sequence.clear();
  Follower->SetEnabled(false);
  Follower->SetVisible(false);
  EXPECT_EQ(Sequence, (Log{"follower EnabledChanged", "follower VisibleChanged"}));
  EXPECT_FALSE(IsWindowEnabled(Follower->Handle()));
  EXPECT_FALSE(IsWindowVisible(Follower->Handle()));
}

// A windowless control that logs what reaches it through its parent.
class Spot : public TGraphicControl {
 public:
  Spot(TComponent* Owner, Log& Events) : TGraphicControl(Owner), FEvents(Events) {
    OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
      FEvents.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
      FEvents.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
    };
    OnClick = [this](TObject*) { FEvents.push_back("click"); };
  }

 protected:
  void MouseEnter() override { FEvents.push_back("enter"); }
  void MouseLeave() override { FEvents.push_back("leave"); }

 private:
  Log& FEvents;
};

TEST_F(MessagesTest, WindowlessControlsGetMouseMessagesThroughTheirParent) {
  Log Events;
  auto* S = new Spot(Form.get(), Events);
  S->SetBounds(20, 30, 40, 20);
  S->SetParent(Panel);
  Panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
    Events.push_back("panel down " + std::to_string(X) + "," + std::to_string(Y));
  };
  HWND Wnd = Panel->Handle();
  struct Step {
    UINT Msg;
    int X, Y;
    Log Expected;
  } const Steps[] = {
      {WM_MOUSEMOVE, 5, 5, {}},
      {WM_MOUSEMOVE, 25, 35, {"enter"}},
      {WM_LBUTTONDOWN, 25, 35, {"down 5,5"}},
      {WM_MOUSEMOVE, 100, 90, {}},            // captured: still the spot's, no leave while the button is down
      {WM_LBUTTONUP, 100, 90, {"up 80,60"}},  // released outside: no click
      {WM_MOUSEMOVE, 100, 90, {"leave"}},
      {WM_MOUSEMOVE, 21, 31, {"enter"}},
      {WM_MOUSELEAVE, 0, 0, {"leave"}},  // the pointer left the panel's window
      {WM_LBUTTONDOWN, 2, 3, {"panel down 2,3"}},
      {WM_LBUTTONUP, 2, 3, {}},
      {WM_LBUTTONDOWN, 59, 49, {"down 39,19"}},  // presses alone do not enter
      {WM_LBUTTONUP, 59, 49, {"click", "up 39,19"}},
  };
  for (const Step& St : Steps) {
    SCOPED_TRACE(testing::Message() << St.Msg << " at " << St.X << "," << St.Y);
    Events.clear();
    SendMessageA(Wnd, St.Msg, St.Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, Point(St.X, St.Y));
    EXPECT_EQ(Events, St.Expected);
  }
  // Disabled or hidden, the spot lets messages through to the panel.
  S->SetEnabled(false);
  Events.clear();
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(25, 35));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(25, 35));
  EXPECT_EQ(Events, (Log{"panel down 25,35"}));
}

TEST_F(MessagesTest, FreeingTheControlUnderThePointerOrWithCaptureLeavesNothingBehind) {
  Log Events;
  auto* S = new Spot(Form.get(), Events);
  S->SetBounds(20, 30, 40, 20);
  S->SetParent(Panel);
  HWND Wnd = Panel->Handle();
  SendMessageA(Wnd, WM_MOUSEMOVE, 0, Point(25, 35));
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(25, 35));
  ASSERT_EQ(GetCaptureControl(), S);
  delete S;
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Panel->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Events.push_back("panel up"); };
  Events.clear();
  SendMessageA(Wnd, WM_MOUSEMOVE, 0, Point(26, 35));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(26, 35));
  EXPECT_EQ(Events, (Log{"panel up"}));
}

TEST_F(MessagesTest, AWindowTakingTheCaptureFromAPressedControlKeepsIt) {
  Log Events;
  auto* S = new Spot(Form.get(), Events);
  S->SetBounds(20, 30, 40, 20);
  S->SetParent(Panel);
  SendMessageA(Panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(25, 35));
  ASSERT_EQ(GetCaptureControl(), S);
  TForm Other;
  Other.SetBounds(0, 0, 50, 50);
  SetCapture(Other.Handle());
  EXPECT_EQ(GetCapture(), Other.Handle()) << "the new owner of the capture is left alone";
  EXPECT_EQ(GetCaptureControl(), nullptr);
  ReleaseCapture();
}

TEST_F(MessagesTest, UtilityWindowsHandOverEveryMessage) {
  std::vector<TMsgNum> Seen;
  HWND Wnd = AllocateHWnd([&](HWND W, TMessage& M) {
    if (M.Msg == WM_USER + 1) {
      Seen.push_back(M.Msg);
      M.Result = intptr_t(M.WParam) * 2;
      return;
    }
    DefaultUtilityMessage(W, M);
  });
  ASSERT_NE(Wnd, nullptr);
  EXPECT_FALSE(IsWindowVisible(Wnd));
  EXPECT_EQ(SendMessageA(Wnd, WM_USER + 1, 21, 0), 42);
  PostMessageA(Wnd, WM_USER + 1, 1, 0);
  EXPECT_TRUE(PumpUntil([&] { return Seen.size() == 2; }));
  DeallocateHWnd(Wnd);
  EXPECT_FALSE(IsWindow(Wnd));
}

TEST_F(MessagesTest, ExceptionsInHandlersReachTheErrorBox) {
  std::vector<TDialogRequest> Boxes;
  SetDialogHandler([&](const TDialogRequest& R) {
    Boxes.push_back(R);
    return mrOk;
  });
  Panel->OnClick = [](TObject*) { throw EConvertError("Invalid value"); };
  HWND Wnd = Panel->Handle();
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(5, 5));
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Kind, "MessageBox");
  EXPECT_EQ(Boxes[0].Text, "Invalid value.");
  EXPECT_EQ(Boxes[0].Caption, Application->Title());
  EXPECT_EQ(Boxes[0].DlgType, TMsgDlgType::mtError);
  EXPECT_EQ(Boxes[0].Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
  // The window still works afterwards, and OnException replaces the box.
  std::string Caught;
  Application->OnException = [&](TObject* Sender, std::exception_ptr E) {
    try {
      std::rethrow_exception(E);
    } catch (const Exception& Error) {
      Caught = std::string(Error.what()) + (Sender == Panel ? " from the panel" : "");
    }
  };
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, Point(5, 5));
  Application->OnException = nullptr;
  EXPECT_EQ(Caught, "Invalid value from the panel");
  EXPECT_EQ(Boxes.size(), 1u);
}

TEST_F(MessagesTest, MessageBoxesAreAnsweredThroughTheDialogHandler) {
  using enum TMsgDlgBtn;
  struct Case {
    TMsgDlgButtons Asked, Shown;
  } const Cases[] = {
      {{}, {mbOK}},
      {{mbOK}, {mbOK}},
      {{mbOK, mbCancel}, {mbOK, mbCancel}},
      {{mbYes, mbNo}, {mbYes, mbNo}},
      {{mbYes, mbNo, mbCancel}, {mbYes, mbNo, mbCancel}},
      {{mbAbort, mbRetry, mbIgnore}, {mbAbort, mbRetry, mbIgnore}},
      {{mbRetry, mbCancel}, {mbRetry, mbCancel}},
      {{mbYes, mbOK}, {mbYes, mbNo}},
      {{mbIgnore}, {mbOK}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Asked.Mask());
    TDialogRequest Seen;
    SetDialogHandler([&](const TDialogRequest& R) {
      Seen = R;
      return mrNo;
    });
    EXPECT_EQ(MessageDlg("Save changes?", TMsgDlgType::mtConfirmation, C.Asked), mrNo);
    EXPECT_EQ(Seen.Text, "Save changes?");
    EXPECT_EQ(Seen.Caption, "Confirm");
    EXPECT_EQ(Seen.Buttons, C.Shown);
  }
  // SetDialogHandler hands back the handler it replaces.
  TDialogHandler Previous = SetDialogHandler([](const TDialogRequest&) { return mrOk; });
  EXPECT_TRUE(bool(Previous));
  EXPECT_EQ(Previous(TDialogRequest{}), mrNo);
}

}  // namespace

namespace {

// A window that covers a control under the pointer makes it hear the pointer leave, once; it
// must not ask to hear that again while the pointer is elsewhere.
TEST_F(MessagesTest, APointerThatLeftIsReportedLeavingOnce) {
  auto* Panel = new TPanel(Form.get());
  Panel->SetBounds(0, 0, 200, 150);
  Panel->SetParent(Form.get());
  Form->Show();
  TPoint Centre = Panel->ClientToScreen({100, 75});
  SetCursorPos(Centre.X, Centre.Y);
  int Leaves = 0;
  const TWndMethod Saved = Panel->WindowProc;
  Panel->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_MOUSELEAVE) ++Leaves;
    Saved(M);
  };
  SendMessageA(Panel->Handle(), WM_MOUSEMOVE, 0, Point(100, 75));
  TForm Cover;
  Cover.SetBounds(Centre.X - 50, Centre.Y - 50, 100, 100);
  Cover.Show();
  // A bounded pump: a control that keeps asking to hear the leave gets one every round.
  for (int Round = 0; Round < 300 && Leaves <= 20; ++Round) {
    MSG Msg;
    while (Leaves <= 20 && PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&Msg);
      DispatchMessageA(&Msg);
    }
    Sleep(1);
  }
  EXPECT_GE(Leaves, 1);
  EXPECT_LE(Leaves, 2);
  Panel->WindowProc = Saved;
  SetCursorPos(0, 0);
}

}  // namespace
