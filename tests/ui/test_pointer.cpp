// The pointer over controls: cursors (the control's and the screen's override), the mouse wheel
// and hints, on a shown form with the real pointer moved over it.
#include "framework/core/component_stream.h"
#include "framework/ui/hint_window.h"
#include "framework/ui/panel.h"
#include "framework/ui/scrollbox.h"
#include "ui_fixture.h"

namespace {

// One shown form for the whole suite (showing a window under Wine takes seconds); each test
// puts its controls on it and frees them.
class PointerTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    Shown = new TForm();
    Shown->SetBounds(50, 50, 400, 300);
    Shown->Show();
  }
  static void TearDownTestSuite() {
    delete Shown;
    Shown = nullptr;
  }
  void SetUp() override {
    UiTest::SetUp();
    // The pointer starts away from the form, and what the window system says about it has arrived.
    SetCursorPos(0, 0);
    Shown->SetShowHint(false);
    Shown->SetCursor(crDefault);
    Shown->OnMouseWheel = nullptr;
    Windowed = Add<TPanel>(Shown, Bounds(10, 10, 100, 80));
    Windowless = Add<TGraphicControl>(Shown, Bounds(150, 10, 100, 80));
    Settle();
  }
  void TearDown() override {
    for (auto It = Made.rbegin(); It != Made.rend(); ++It) delete *It;
    Made.clear();
    Screen->SetCursor(crDefault);
    Application->CancelHint();
    UiTest::TearDown();
  }

  template <typename T>
  T* Add(TWinControl* Parent, const TRect& R) {
    auto* C = new T(Shown);
    C->SetBoundsRect(R);
    C->SetParent(Parent);
    Made.push_back(C);
    return C;
  }
  static void Settle() {
    PumpUntil([] { return false; }, 30);
  }

  // The window that hears the pointer over C, and C's client point (X, Y) in that window.
  static HWND Host(TControl* C) {
    auto* Win = dynamic_cast<TWinControl*>(C);
    return (Win ? Win : C->Parent())->Handle();
  }
  static POINT InHost(TControl* C, int X, int Y) {
    if (dynamic_cast<TWinControl*>(C)) return {X, Y};
    return {C->Left() + X, C->Top() + Y};
  }
  // Moves the real pointer over C's client point (X, Y) and lets its window pick the cursor.
  static void PointAt(TControl* C, int X = 5, int Y = 5) {
    const TPoint P = C->ClientToScreen({X, Y});
    SetCursorPos(P.X, P.Y);
    SendMessageA(Host(C), WM_SETCURSOR, reinterpret_cast<WPARAM>(Host(C)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  static void MoveOver(TControl* C, int X = 5, int Y = 5) {
    const POINT P = InHost(C, X, Y);
    SendMessageA(Host(C), WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y));
  }
  static HCURSOR System(LPCSTR Id) { return LoadCursorA(nullptr, Id); }

  static TForm* Shown;
  std::vector<TControl*> Made;
  TPanel* Windowed = nullptr;
  TGraphicControl* Windowless = nullptr;
};

TForm* PointerTest::Shown = nullptr;

TEST_F(PointerTest, ControlsShowTheirCursorsWindowedOrNot) {
  struct Case {
    TCursor Cursor;
    LPCSTR Id;
  } const Cases[] = {
      {crSizeAll, IDC_SIZEALL}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeNESW, IDC_SIZENESW},
      {crSizeNS, IDC_SIZENS},   {crSizeWE, IDC_SIZEWE},     {crHandPoint, IDC_HAND},
      {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},       {crDefault, IDC_ARROW},
  };
  for (TControl* C : {static_cast<TControl*>(Windowed), static_cast<TControl*>(Windowless)}) {
    for (const Case& K : Cases) {
      SCOPED_TRACE(testing::Message() << (C == Windowed ? "windowed " : "windowless ") << K.Cursor);
      C->SetCursor(K.Cursor);
      PointAt(C);
      EXPECT_EQ(GetCursor(), System(K.Id));
    }
  }
  // The form's own cursor does not reach a child window that has none.
  Shown->SetCursor(crCross);
  Windowed->SetCursor(crDefault);
  PointAt(Windowed);
  EXPECT_EQ(GetCursor(), System(IDC_ARROW));
  Shown->SetCursor(crDefault);
}

TEST_F(PointerTest, ACursorSetWhileThePointerRestsOnTheControlShowsAtOnce) {
  // The work area changes its cursor from its mouse-move handler, as the pointer crosses a handle.
  Windowless->OnMouseMove = [&](TObject*, TShiftState, Integer X, Integer) {
    Windowless->SetCursor(X < 50 ? crSizeAll : crSizeNESW);
  };
  PointAt(Windowless, 10, 10);
  ASSERT_EQ(GetCursor(), System(IDC_ARROW));
  MoveOver(Windowless, 10, 10);
  EXPECT_EQ(GetCursor(), System(IDC_SIZEALL));
  MoveOver(Windowless, 60, 10);
  EXPECT_EQ(GetCursor(), System(IDC_SIZENESW));
  Windowless->SetCursor(crDefault);
  EXPECT_EQ(GetCursor(), System(IDC_ARROW));
  // A control the pointer is not over leaves the shown cursor alone.
  Windowed->SetCursor(crHandPoint);
  EXPECT_EQ(GetCursor(), System(IDC_ARROW));
}

TEST_F(PointerTest, TheScreenCursorOverridesEveryControlUntilItIsReset) {
  Windowed->SetCursor(crSizeAll);
  PointAt(Windowed);
  ASSERT_EQ(GetCursor(), System(IDC_SIZEALL));
  Screen->SetCursor(crHandPoint);
  EXPECT_EQ(GetCursor(), System(IDC_HAND));  // at once, with no pointer move
  PointAt(Windowed);
  EXPECT_EQ(GetCursor(), System(IDC_HAND));
  PointAt(Windowless);
  EXPECT_EQ(GetCursor(), System(IDC_HAND));
  // The colour picker holds the capture while the override is on; giving it back to the
  // controls shows the one under the pointer again.
  Shown->SetMouseCapture(true);
  const TPoint P = Windowed->ClientToScreen({5, 5});
  SetCursorPos(P.X, P.Y);
  Screen->SetCursor(crDefault);
  Shown->SetMouseCapture(false);
  PointAt(Windowed);
  EXPECT_EQ(GetCursor(), System(IDC_SIZEALL));
  Screen->SetCursor(crHourGlass);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(GetCursor(), System(IDC_SIZEALL));
}

TEST_F(PointerTest, DoubleClicksAndResizesReachTheirEvents) {
  auto* Custom = Add<TCustomControl>(Shown, Bounds(10, 150, 60, 40));
  for (TControl* C : {static_cast<TControl*>(Custom), static_cast<TControl*>(Windowless)}) {
    SCOPED_TRACE(C == Custom ? "windowed" : "windowless");
    int Double = 0;
    std::vector<bool> DownDouble;
    C->OnDblClick = [&](TObject*) { ++Double; };
    C->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, Integer, Integer) {
      DownDouble.push_back(Shift.Contains(TShiftStateFlag::ssDouble));
    };
    const POINT P = InHost(C, 5, 5);
    for (UINT Msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      SendMessageA(Host(C), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(P.x, P.y));
    EXPECT_EQ(Double, 1);
    EXPECT_EQ(DownDouble, (std::vector<bool>{false, true}));
  }
  // Only a change of size is a resize, whoever makes it.
  std::vector<TSize> Sizes;
  Custom->OnResize = [&](TObject*) { Sizes.push_back({Custom->Width(), Custom->Height()}); };
  Custom->SetBounds(20, 150, 60, 40);
  Custom->SetBounds(20, 150, 70, 40);
  SetWindowPos(Custom->Handle(), nullptr, 0, 0, 70, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Sizes, (std::vector<TSize>{{70, 40}, {70, 50}}));
}

// [Mouse wheel]

struct WheelLog {
  std::vector<std::string> Calls;
  std::vector<Integer> Deltas;
  std::vector<TPoint> Positions;
  std::vector<TShiftState> Shifts;
  void Hook(TControl* C, const std::string& Name, bool Handles) {
    C->OnMouseWheel = [this, Name, Handles](TObject*, TShiftState Shift, Integer Delta, TPoint Pos, bool& Handled) {
      Calls.push_back(Name);
      Deltas.push_back(Delta);
      Positions.push_back(Pos);
      Shifts.push_back(Shift);
      Handled = Handles;
    };
  }
};

TEST_F(PointerTest, TheWheelGoesToTheControlUnderThePointerNotTheFocusedOne) {
  auto* Focused = Add<TPanel>(Shown, Bounds(10, 150, 60, 60));
  Focused->SetTabStop(true);
  Focused->SetFocus();
  ASSERT_EQ(GetFocus(), Focused->Handle());
  WheelLog Log;
  Log.Hook(Focused, "focused", true);
  Log.Hook(Windowed, "under", true);
  const TPoint P = Windowed->ClientToScreen({20, 30});
  SetCursorPos(P.X, P.Y);
  PostMessageA(Focused->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WORD(-240)), MAKELPARAM(P.X, P.Y));
  Application->ProcessMessages();
  ASSERT_EQ(Log.Calls, std::vector<std::string>{"under"});
  EXPECT_EQ(Log.Deltas[0], -240);
  EXPECT_EQ(Log.Positions[0], P);
  EXPECT_TRUE(Log.Shifts[0].Contains(TShiftStateFlag::ssCtrl));
  // Away from every window of the application, the focused control gets it.
  Log.Calls.clear();
  const TPoint Outside = Shown->ClientToScreen({-40, -40});
  SetCursorPos(Outside.X, Outside.Y);
  PostMessageA(Focused->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(Outside.X, Outside.Y));
  Application->ProcessMessages();
  EXPECT_EQ(Log.Calls, std::vector<std::string>{"focused"});
}

TEST_F(PointerTest, AnUnhandledWheelGoesOnToTheWindowlessControlsParentAndItsParents) {
  auto* Inner = Add<TGraphicControl>(Windowed, Bounds(10, 10, 30, 30));
  struct Case {
    bool InnerHandles, PanelHandles;
    std::vector<std::string> Expected;
  } const Cases[] = {
      {true, true, {"inner"}},
      {false, true, {"inner", "panel"}},
      {false, false, {"inner", "panel", "form"}},
  };
  for (const Case& K : Cases) {
    WheelLog Log;
    Log.Hook(Inner, "inner", K.InnerHandles);
    Log.Hook(Windowed, "panel", K.PanelHandles);
    Log.Hook(Shown, "form", true);
    const TPoint P = Inner->ClientToScreen({5, 5});
    SendMessageA(Windowed->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(P.X, P.Y));
    EXPECT_EQ(Log.Calls, K.Expected);
  }
  // Over the panel but beside the windowless child, the child hears nothing.
  WheelLog Log;
  Log.Hook(Inner, "inner", true);
  Log.Hook(Windowed, "panel", true);
  const TPoint P = Windowed->ClientToScreen({70, 60});
  SendMessageA(Windowed->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(P.X, P.Y));
  EXPECT_EQ(Log.Calls, std::vector<std::string>{"panel"});
}

TEST_F(PointerTest, AScrollBoxWithoutTheFocusScrollsUnderThePointerUnlessAHandlerTookTheWheel) {
  auto* Box = Add<TScrollBox>(Shown, Bounds(150, 100, 120, 100));
  Add<TPanel>(Box, Bounds(0, 0, 80, 600));
  Windowed->SetTabStop(true);
  Windowed->SetFocus();
  const TPoint Over = Box->ClientToScreen({100, 10});  // beside the content, on the box itself
  SetCursorPos(Over.X, Over.Y);
  PostMessageA(Windowed->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), MAKELPARAM(Over.X, Over.Y));
  Application->ProcessMessages();
  const Integer Scrolled = Box->VertPosition();
  EXPECT_GT(Scrolled, 0);
  Box->OnMouseWheel = [](TObject*, TShiftState, Integer, TPoint, bool& Handled) { Handled = true; };
  PostMessageA(Windowed->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), MAKELPARAM(Over.X, Over.Y));
  Application->ProcessMessages();
  EXPECT_EQ(Box->VertPosition(), Scrolled);
}

// [Hints]

class HintTest : public PointerTest {
 protected:
  void SetUp() override {
    PointerTest::SetUp();
    Application->SetHintPause(20);
    Application->SetHintHidePause(0);
    Shown->SetShowHint(true);
  }
  void TearDown() override {
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    Application->OnHint = nullptr;
    PointerTest::TearDown();
  }
  static bool HintShown() { return Application->HintWindow() && Application->HintWindow()->Active(); }
  // Rests the pointer on C and waits for its hint.
  static bool RestOn(TControl* C, int Ms = 1000) {
    const TPoint P = C->ClientToScreen({5, 5});
    SetCursorPos(P.X, P.Y);
    Settle();
    MoveOver(C);
    return PumpUntil(HintShown, Ms);
  }
};

TEST_F(HintTest, AHintShowsAfterThePauseAndGoesAtAPress) {
  Windowless->SetHint("Bitmap Object|Creates a bitmap object");
  std::vector<std::string> Heard;
  Application->OnHint = [&](TObject*) { Heard.push_back(Application->Hint()); };
  const auto Start = std::chrono::steady_clock::now();
  ASSERT_TRUE(RestOn(Windowless));
  EXPECT_GE(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(15));
  EXPECT_EQ(Application->HintWindow()->Caption(), "Bitmap Object");
  EXPECT_EQ(Application->Hint(), "Creates a bitmap object");
  EXPECT_EQ(Heard, std::vector<std::string>{"Creates a bitmap object"});
  // Near the pointer, and never stealing the focus.
  RECT R;
  GetWindowRect(Application->HintWindow()->Handle(), &R);
  POINT P;
  GetCursorPos(&P);
  EXPECT_LE(std::abs(R.left - P.x), 5);
  EXPECT_GT(R.top, P.y);
  EXPECT_NE(GetActiveWindow(), Application->HintWindow()->Handle());

  PostMessageA(Shown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(155, 15));
  PostMessageA(Shown->Handle(), WM_LBUTTONUP, 0, Point(155, 15));
  Application->ProcessMessages();
  EXPECT_FALSE(HintShown());

  // A windowed control's hint, shown after the pointer moved on to it; the pointer leaving for a
  // control without a hint clears the application's hint.
  Windowed->SetHint("Container");
  ASSERT_TRUE(RestOn(Windowed));
  EXPECT_EQ(Application->HintWindow()->Caption(), "Container");
  EXPECT_EQ(Application->Hint(), "Container");
  MoveOver(Shown, 300, 200);
  EXPECT_FALSE(HintShown());
  EXPECT_EQ(Application->Hint(), "");
}

TEST_F(HintTest, ShowHintFollowsTheParentUntilTheControlSetsItsOwn) {
  auto* Inner = Add<TGraphicControl>(Windowed, Bounds(10, 10, 30, 30));
  EXPECT_TRUE(Windowed->ShowHint());
  EXPECT_TRUE(Inner->ShowHint());
  Windowless->SetShowHint(true);
  EXPECT_FALSE(Windowless->ParentShowHint());
  Shown->SetShowHint(false);
  EXPECT_FALSE(Windowed->ShowHint());
  EXPECT_FALSE(Inner->ShowHint());
  EXPECT_TRUE(Windowed->ParentShowHint());
  EXPECT_TRUE(Windowless->ShowHint());
  // A control placed on a parent takes the parent's setting.
  TPanel Loose;
  Loose.SetShowHint(true);
  Loose.SetParentShowHint(true);
  Loose.SetParent(Shown);
  EXPECT_FALSE(Loose.ShowHint());
  Loose.SetParent(nullptr);

  // Without ShowHint the hint window stays away, though the application's hint is set.
  Windowed->SetHint("Delete");
  EXPECT_FALSE(RestOn(Windowed, 150));
  EXPECT_EQ(Application->Hint(), "Delete");
  Windowless->SetHint("Select");
  EXPECT_TRUE(RestOn(Windowless));
  EXPECT_EQ(Application->HintWindow()->Caption(), "Select");
}

TEST_F(HintTest, AHintGoesAfterTheHidePauseAndNeverOutlivesItsControl) {
  Application->SetHintHidePause(60);
  Windowless->SetHint("Copy");
  ASSERT_TRUE(RestOn(Windowless));
  EXPECT_TRUE(PumpUntil([] { return !HintShown(); }, 2000));
  // Freed while its hint is pending: nothing shows, nothing refers to it.
  Windowed->SetHint("Paste");
  const TPoint P = Windowed->ClientToScreen({5, 5});
  SetCursorPos(P.X, P.Y);
  MoveOver(Windowed);
  EXPECT_EQ(Application->HintControl(), Windowed);
  std::erase(Made, Windowed);
  delete Windowed;
  Windowed = nullptr;
  EXPECT_EQ(Application->HintControl(), nullptr);
  EXPECT_FALSE(PumpUntil(HintShown, 150));
}

TEST_F(HintTest, ShowHintReadsBackFromAFormFileAndKeepsFollowingTheParent) {
  TPanel Hinting;
  Hinting.SetShowHint(true);
  TPanel Following, Own;
  Following.SetParent(&Hinting);
  ASSERT_TRUE(Following.ShowHint());
  Own.SetShowHint(true);
  TPanel Quiet;
  Quiet.SetShowHint(false);
  for (TPanel* Source : {&Following, &Own}) {
    SCOPED_TRACE(Source == &Own ? "own" : "following");
    TMemoryStream Stream;
    WriteComponent(Stream, *Source);
    Stream.SetPosition(0);
    TPanel Read;
    Read.SetParent(&Quiet);
    ReadComponent(Stream, Read);
    EXPECT_EQ(Read.ParentShowHint(), Source == &Following);
    EXPECT_EQ(Read.ShowHint(), Source == &Own);
    Read.SetParent(nullptr);
  }
  Following.SetParent(nullptr);
}

}  // namespace
