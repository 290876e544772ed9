// Window hooks on real windows: message-sequence tables of what the hooks, the control behind
// them and foreign window procedures saw, compared with what each case expects.
#include <windows.h>

#include <ostream>
#include <stdexcept>

#include "../ui/ui_fixture.h"
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/ui/object_windows.h"
#include "framework/ui/panel.h"
#include "vexel/forms/vx_hook.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;
constexpr LRESULT ControlAnswer = 5, HookAnswer = 77;

// One observation: who saw which message at which stage.
struct TSeen {
  std::string Who;
  std::string Stage;  // "before", "after", "unhooked", "control" (the window's previous procedure), "foreign"
  UINT Msg = 0;
  bool operator==(const TSeen&) const = default;
};
using TSeenLog = std::vector<TSeen>;

void PrintTo(const TSeen& S, std::ostream* Out) { *Out << "{" << S.Who << " " << S.Stage << " " << S.Msg << "}"; }

bool Watched(UINT Msg) { return Msg == WM_PROBE || Msg == WM_DESTROY || Msg == WM_QUIT; }

enum class TStage { None, Before, After };

// A hook that writes what it sees and can handle, throw on or free itself at one stage of one
// message.
class TTestHook : public TVxHook {
 public:
  TTestHook(std::string Name, TSeenLog& Log) : FName(std::move(Name)), FLog(Log) {}
  using TVxHook::SetHookedControl;

  UINT Target = WM_PROBE;
  bool Handles = false;  // sets Handled (and answers HookAnswer) before the previous procedure
  TStage Throws = TStage::None;
  TStage FreesItself = TStage::None;
  std::function<void()> OnBefore;

  void MessageBefore(TMessage& Message, bool& Handled) override {
    if (Watched(Message.Msg)) FLog.push_back({FName, "before", Message.Msg});
    if (Message.Msg != Target) return;
    if (OnBefore) OnBefore();
    if (Handles) {
      Handled = true;
      Message.Result = HookAnswer;
    }
    Act(TStage::Before);
  }
  void MessageAfter(TMessage& Message, bool& Handled) override {
    (void)Handled;
    if (Watched(Message.Msg)) FLog.push_back({FName, "after", Message.Msg});
    if (Message.Msg == Target) Act(TStage::After);
  }
  void Unhooked() override { FLog.push_back({FName, "unhooked", 0}); }

 private:
  void Act(TStage Stage) {
    if (FreesItself == Stage) {
      delete this;
      return;
    }
    if (Throws == Stage) throw std::runtime_error(FName + " failed");
  }

  std::string FName;
  TSeenLog& FLog;
};

// A window procedure installed over the hooks' the platform way, by someone else.
TSeenLog* ForeignLog = nullptr;
WNDPROC ForeignSaved = nullptr;
LRESULT CALLBACK ForeignProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Watched(Msg)) ForeignLog->push_back({"foreign", "proc", Msg});
  return CallWindowProcA(ForeignSaved, Wnd, Msg, WParam, LParam);
}

class HookTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Panel = new TPanel(Form.get());
    Panel->SetBounds(10, 10, 200, 100);
    Panel->SetParent(Form.get());
    Listen(Panel);
    Application->OnException = [this](TObject* Sender, std::exception_ptr E) {
      try {
        std::rethrow_exception(E);
      } catch (const std::exception& X) {
        Errors.push_back(X.what());
      }
      Senders.push_back(Sender);
    };
  }
  void TearDown() override {
    for (TTestHook* H : Owned) delete H;
    Owned.clear();
    UiTest::TearDown();
    Application->OnException = nullptr;
    // Nothing a test made may stay behind in the hook list.
    PumpUntil([] { return THookList::Instance().Count() == 0; }, 500);
    EXPECT_EQ(THookList::Instance().Count(), 0);
  }

  // The control's own handling: it writes what reaches it and answers the probe.
  void Listen(TWinControl* Control) {
    Control->WindowProc = [this, Saved = Control->WindowProc](TMessage& M) {
      if (Watched(M.Msg)) Log.push_back({"panel", "control", M.Msg});
      if (M.Msg == WM_PROBE)
        M.Result = ControlAnswer;
      else
        Saved(M);
    };
  }

  // A hook on Panel, active; the test frees it unless the hook frees itself (Release).
  TTestHook* Hook(const std::string& Name) {
    auto* H = new TTestHook(Name, Log);
    H->SetHookedControl(Panel);
    Owned.push_back(H);
    return H;
  }
  void Release(TTestHook* H) { std::erase(Owned, H); }

  LRESULT Probe() { return SendMessageA(Panel->Handle(), WM_PROBE, 0, 0); }
  void* WindowProcOf(HWND Wnd) const { return reinterpret_cast<void*>(GetWindowLongPtrA(Wnd, GWLP_WNDPROC)); }
  void* ObjectProc() const { return reinterpret_cast<void*>(ObjectWindowProcAddress()); }
  static void PumpPosted() { Application->ProcessMessages(); }

  TPanel* Panel = nullptr;
  TSeenLog Log;
  std::vector<std::string> Errors;
  std::vector<TObject*> Senders;
  std::vector<TTestHook*> Owned;
};

TEST_F(HookTest, TwoHooksSeeMessagesLastAddedFirst) {
  struct TCase {
    const char* Name;
    UINT Msg;
    const char* Handler;  // the hook that handles Msg, or nil
    LRESULT Result;
    TSeenLog Expected;
  };
  const TCase Cases[] = {
      {"unhandled",
       WM_PROBE,
       nullptr,
       ControlAnswer,
       {{"B", "before", WM_PROBE},
        {"A", "before", WM_PROBE},
        {"panel", "control", WM_PROBE},
        {"B", "after", WM_PROBE},
        {"A", "after", WM_PROBE}}},
      // The other hook and the previous procedure are skipped; only the last added hears it after.
      {"handled by the last added", WM_PROBE, "B", HookAnswer, {{"B", "before", WM_PROBE}, {"B", "after", WM_PROBE}}},
      {"handled by the first added",
       WM_PROBE,
       "A",
       HookAnswer,
       {{"B", "before", WM_PROBE}, {"A", "before", WM_PROBE}, {"B", "after", WM_PROBE}}},
      // WM_QUIT goes past the before-handlers, even one that would handle it.
      {"quit", WM_QUIT, "B", 0, {{"panel", "control", WM_QUIT}, {"B", "after", WM_QUIT}, {"A", "after", WM_QUIT}}},
  };
  TTestHook* A = Hook("A");
  TTestHook* B = Hook("B");
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    for (TTestHook* H : {A, B}) {
      H->Target = C.Msg;
      H->Handles = C.Handler && H == (std::string(C.Handler) == "A" ? A : B);
    }
    Log.clear();
    const LRESULT Result = SendMessageA(Panel->Handle(), C.Msg, 0, 0);
    EXPECT_EQ(Log, C.Expected);
    if (C.Msg != WM_QUIT) {
      EXPECT_EQ(Result, C.Result);
    }
  }
}

TEST_F(HookTest, DestroyAlwaysReachesThePreviousProcedureAndHooksFollowTheNewWindow) {
  TTestHook* A = Hook("A");
  TTestHook* B = Hook("B");
  B->Target = WM_DESTROY;
  B->Handles = true;
  const HWND Old = Panel->Handle();
  Panel->RecreateWnd();
  EXPECT_EQ(Log, (TSeenLog{{"B", "before", WM_DESTROY},
                           {"panel", "control", WM_DESTROY},
                           {"B", "after", WM_DESTROY},
                           {"B", "unhooked", 0}}));
  // The new window gets the hook procedure from the message loop.
  const HWND New = Panel->Handle();
  ASSERT_NE(New, Old);
  TControlHook* Shared = A->ControlHook();
  ASSERT_TRUE(Shared && Shared == B->ControlHook());
  EXPECT_TRUE(PumpUntil([&] { return WindowProcOf(New) == Shared->InstanceProc(); }));
  EXPECT_EQ(Shared->PrevProc(), ObjectProc());
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, (TSeenLog{{"B", "before", WM_PROBE},
                           {"A", "before", WM_PROBE},
                           {"panel", "control", WM_PROBE},
                           {"B", "after", WM_PROBE},
                           {"A", "after", WM_PROBE}}));
}

TEST_F(HookTest, HooksFollowAControlToAnotherParentAndForceNoWindowWithoutOne) {
  auto* Other = new TPanel(Form.get());
  Other->SetBounds(0, 120, 200, 100);
  Other->SetParent(Form.get());
  Other->HandleNeeded();
  TTestHook* A = Hook("A");
  const HWND Old = Panel->Handle();
  // Moved: the new window is hooked from the message loop.
  Panel->SetParent(Other);
  ASSERT_TRUE(Panel->HandleAllocated());
  ASSERT_NE(Panel->Handle(), Old);
  EXPECT_TRUE(PumpUntil([&] { return WindowProcOf(Panel->Handle()) == A->ControlHook()->InstanceProc(); }));
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, (TSeenLog{{"A", "before", WM_PROBE}, {"panel", "control", WM_PROBE}, {"A", "after", WM_PROBE}}));
  // Taken off every parent, the control cannot have a window: re-installing waits instead of
  // making one (which would fail).
  Panel->SetParent(nullptr);
  EXPECT_FALSE(Panel->HandleAllocated());
  PumpUntil([] { return false; }, 100);
  EXPECT_FALSE(Panel->HandleAllocated());
  EXPECT_TRUE(Errors.empty()) << Errors.front();
  Panel->SetParent(Form.get());
}

TEST_F(HookTest, DeactivatingTheOnlyHookGivesThePreviousProcedureBackAtOnce) {
  const HWND Wnd = Panel->Handle();
  ASSERT_EQ(WindowProcOf(Wnd), ObjectProc());
  TTestHook* A = Hook("A");
  ASSERT_NE(A->ControlHook(), nullptr);
  EXPECT_EQ(WindowProcOf(Wnd), A->ControlHook()->InstanceProc());
  A->SetActive(false);
  EXPECT_EQ(WindowProcOf(Wnd), ObjectProc());
  EXPECT_EQ(A->ControlHook(), nullptr);
  Log.clear();
  Probe();
  EXPECT_EQ(Log, (TSeenLog{{"panel", "control", WM_PROBE}}));
  // The empty control hook goes from the message loop; activating again hooks anew.
  EXPECT_TRUE(PumpUntil([] { return THookList::Instance().Count() == 0; }));
  A->SetActive(true);
  EXPECT_EQ(WindowProcOf(Wnd), A->ControlHook()->InstanceProc());
  Log.clear();
  Probe();
  EXPECT_EQ(Log, (TSeenLog{{"A", "before", WM_PROBE}, {"panel", "control", WM_PROBE}, {"A", "after", WM_PROBE}}));
}

TEST_F(HookTest, AProcedureInstalledLaterIsNeverReplaced) {
  ForeignLog = &Log;
  const HWND Wnd = Panel->Handle();
  TTestHook* A = Hook("A");
  ForeignSaved =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  ASSERT_EQ(reinterpret_cast<void*>(ForeignSaved), A->ControlHook()->InstanceProc());
  // A second hook joins the procedure already in the chain: each hook hears each message once.
  TTestHook* B = Hook("B");
  EXPECT_EQ(WindowProcOf(Wnd), reinterpret_cast<void*>(&ForeignProc));
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, (TSeenLog{{"foreign", "proc", WM_PROBE},
                           {"B", "before", WM_PROBE},
                           {"A", "before", WM_PROBE},
                           {"panel", "control", WM_PROBE},
                           {"B", "after", WM_PROBE},
                           {"A", "after", WM_PROBE}}));

  // Deactivated, the hooks leave the foreign procedure in place, and messages flow through it to
  // the control, also once the control hook itself is gone.
  const TSeenLog Through{{"foreign", "proc", WM_PROBE}, {"panel", "control", WM_PROBE}};
  B->SetActive(false);
  A->SetActive(false);
  EXPECT_EQ(WindowProcOf(Wnd), reinterpret_cast<void*>(&ForeignProc));
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, Through);
  EXPECT_TRUE(PumpUntil([] { return THookList::Instance().Count() == 0; }));
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, Through);

  // The foreign procedure leaves, giving back what it replaced; then the window goes.
  SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignSaved));
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, (TSeenLog{{"panel", "control", WM_PROBE}}));
  Panel->RecreateWnd();
  Log.clear();
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_EQ(Log, (TSeenLog{{"panel", "control", WM_PROBE}}));
  ForeignLog = nullptr;
}

TEST_F(HookTest, HooksLetGoOfAControlFreedFirst) {
  enum TWhen { Installed, ReinstallPending, InsideAHooksMessage };
  struct TCase {
    const char* Name;
    TWhen When;
    TSeenLog Expected;
  };
  // The hooks stay out of the dying control's last message; an installed procedure is taken off.
  const TCase Cases[] = {
      {"installed", Installed, {{"panel", "control", WM_DESTROY}, {"B", "unhooked", 0}}},
      {"re-installation pending", ReinstallPending, {{"panel", "control", WM_DESTROY}}},
      {"inside a hook's message",
       InsideAHooksMessage,
       {{"B", "before", WM_PROBE}, {"A", "before", WM_PROBE}, {"panel", "control", WM_DESTROY}, {"B", "unhooked", 0}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TTestHook* A = Hook("A");
    TTestHook* B = Hook("B");
    const TWinControl* Gone = Panel;
    if (C.When == ReinstallPending) Panel->RecreateWnd();
    Log.clear();
    if (C.When == InsideAHooksMessage) {
      A->OnBefore = [this] { delete Panel; };
      Probe();
      A->OnBefore = nullptr;
    } else {
      delete Panel;
    }
    EXPECT_EQ(Log, C.Expected);
    EXPECT_EQ(THookList::Instance().Find(Gone), nullptr);
    for (TTestHook* H : {A, B}) {
      EXPECT_EQ(H->HookedControl(), nullptr);
      EXPECT_EQ(H->ControlHook(), nullptr);
      EXPECT_TRUE(H->Active());
    }
    EXPECT_TRUE(PumpUntil([] { return THookList::Instance().Count() == 0; }));
    // Still usable on another control.
    Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    Listen(Panel);
    A->SetHookedControl(Panel);
    Log.clear();
    EXPECT_EQ(Probe(), ControlAnswer);
    EXPECT_EQ(Log, (TSeenLog{{"A", "before", WM_PROBE}, {"panel", "control", WM_PROBE}, {"A", "after", WM_PROBE}}));
    for (TTestHook* H : {A, B}) {
      delete H;
      Release(H);
    }
  }
}

TEST_F(HookTest, AHookMayFreeItselfInsideAMessage) {
  struct TCase {
    const char* Name;
    bool Alone;  // the freeing hook is the only one (else the last added of two)
    TStage Stage;
    TSeenLog Expected;
  };
  const TCase Cases[] = {
      {"last added, before",
       false,
       TStage::Before,
       {{"B", "before", WM_PROBE},
        {"A", "before", WM_PROBE},
        {"panel", "control", WM_PROBE},
        {"A", "after", WM_PROBE}}},
      {"alone, after",
       true,
       TStage::After,
       {{"B", "before", WM_PROBE}, {"panel", "control", WM_PROBE}, {"B", "after", WM_PROBE}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TTestHook* A = C.Alone ? nullptr : Hook("A");
    TTestHook* B = Hook("B");
    B->FreesItself = C.Stage;
    Release(B);
    Log.clear();
    EXPECT_EQ(Probe(), ControlAnswer);
    EXPECT_EQ(Log, C.Expected);
    // The window keeps working, with the hooks that are left.
    Log.clear();
    Probe();
    if (A) {
      EXPECT_EQ(Log, (TSeenLog{{"A", "before", WM_PROBE}, {"panel", "control", WM_PROBE}, {"A", "after", WM_PROBE}}));
      delete A;
      Release(A);
    } else {
      EXPECT_EQ(Log, (TSeenLog{{"panel", "control", WM_PROBE}}));
    }
    EXPECT_EQ(WindowProcOf(Panel->Handle()), ObjectProc());
    EXPECT_TRUE(PumpUntil([] { return THookList::Instance().Count() == 0; }));
  }
}

TEST_F(HookTest, AnExceptionFromAHookGoesToTheApplicationAndTheRestStillRun) {
  const TSeenLog Everything{{"B", "before", WM_PROBE},
                            {"A", "before", WM_PROBE},
                            {"panel", "control", WM_PROBE},
                            {"B", "after", WM_PROBE},
                            {"A", "after", WM_PROBE}};
  TTestHook* A = Hook("A");
  TTestHook* B = Hook("B");
  for (TStage Stage : {TStage::Before, TStage::After}) {
    SCOPED_TRACE(Stage == TStage::Before ? "before" : "after");
    B->Throws = Stage;
    Log.clear();
    Errors.clear();
    Senders.clear();
    EXPECT_EQ(Probe(), ControlAnswer);
    EXPECT_EQ(Log, Everything);
    EXPECT_EQ(Errors, (std::vector<std::string>{"B failed"}));
    EXPECT_EQ(Senders, (std::vector<TObject*>{B}));
  }
  (void)A;
}

TEST_F(HookTest, AControlHookBusyInANestedLoopIsFreedAfterItsMessage) {
  TTestHook* A = Hook("A");
  TControlHook* Shared = A->ControlHook();
  bool ListedInside = false;
  A->OnBefore = [&] {
    A->SetActive(false);
    // A modal loop, say: it runs the posted request to free the control hook.
    Application->ProcessMessages();
    ListedInside = THookList::Instance().Contains(Shared);
  };
  EXPECT_EQ(Probe(), ControlAnswer);
  EXPECT_TRUE(ListedInside);
  EXPECT_TRUE(PumpUntil([&] { return !THookList::Instance().Contains(Shared); }));
}

TEST_F(HookTest, UtilityMessagesNamingAnUnknownControlHookAreIgnored) {
  TTestHook* A = Hook("A");
  TControlHook* Gone = A->ControlHook();
  A->SetActive(false);
  ASSERT_TRUE(PumpUntil([] { return THookList::Instance().Count() == 0; }));
  // A freed control hook, and an address where reading faults at once.
  void* Page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  VirtualFree(Page, 0, MEM_RELEASE);
  const HWND List = THookList::Instance().Handle();
  for (void* Named : {static_cast<void*>(Gone), Page})
    for (UINT Msg : {HM_REINSTALL, HM_FREEHOOK}) SendMessageA(List, Msg, 0, reinterpret_cast<LPARAM>(Named));
  EXPECT_EQ(THookList::Instance().Count(), 0);
  EXPECT_EQ(WindowProcOf(Panel->Handle()), ObjectProc());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(HookTest, FormFilesStoreActiveOnlyWhenFalse) {
  RegisterUiClasses();
  const std::string Text =
      "object HookHost: TForm\r\n"
      "  object Hook1: TVxHook\r\n"
      "    Active = False\r\n"
      "  end\r\n"
      "  object Hook2: TVxHook\r\n"
      "  end\r\n"
      "end\r\n";
  TMemoryStream In(std::vector<uint8_t>(Text.begin(), Text.end())), Binary;
  ObjectTextToBinary(In, Binary);
  Binary.SetPosition(0);
  TForm Host;
  ReadComponent(Binary, Host);
  auto* Hook1 = dynamic_cast<TVxHook*>(Host.FindComponent("Hook1"));
  auto* Hook2 = dynamic_cast<TVxHook*>(Host.FindComponent("Hook2"));
  ASSERT_TRUE(Hook1 && Hook2);
  EXPECT_FALSE(Hook1->Active());
  EXPECT_TRUE(Hook2->Active());
  TMemoryStream Written, Back;
  WriteComponent(Written, Host);
  Written.SetPosition(0);
  ObjectBinaryToText(Written, Back);
  const std::string BackText(Back.Data().begin(), Back.Data().end());
  EXPECT_NE(BackText.find("Active = False"), std::string::npos) << BackText;
  EXPECT_EQ(BackText.find("Active = True"), std::string::npos) << BackText;
}

}  // namespace
