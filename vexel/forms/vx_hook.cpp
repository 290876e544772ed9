#include "vexel/forms/vx_hook.h"

#include <windows.h>

#include <algorithm>

#include "framework/ui/forms.h"
#include "framework/ui/object_windows.h"
#include "vexel/forms/vx_hook_thunk.h"

namespace {

THookList* TheHookList = nullptr;

// Frees the hook list when the program ends.
struct THookListFinalizer {
  ~THookListFinalizer() {
    delete TheHookList;
    TheHookList = nullptr;
  }
} HookListFinalizer;

WNDPROC AsWndProc(void* Proc) { return reinterpret_cast<WNDPROC>(Proc); }

void* WindowProcOf(HWND Wnd) { return reinterpret_cast<void*>(GetWindowLongPtrA(Wnd, GWLP_WNDPROC)); }

intptr_t PassOn(void* Proc, HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  return Proc ? CallWindowProcA(AsWndProc(Proc), Wnd, Msg, WParam, LParam) : DefWindowProcA(Wnd, Msg, WParam, LParam);
}

// Whether Control has a window or can be given one now (it sits, through its parents, on a form
// or on a window that exists).
bool WindowPossible(TWinControl* Control) {
  if (Control->HandleAllocated()) return true;
  TWinControl* Top = Control;
  while (Top->Parent()) Top = Top->Parent();
  return Top->HandleAllocated() || dynamic_cast<TForm*>(Top);
}

// What is left of a control hook freed while a window procedure installed over its own still
// calls it: the stub passes every message on, and goes with the window.
class TOrphanLink {
 public:
  TOrphanLink(std::unique_ptr<TWndProcThunk> Thunk, HWND Wnd, void* Next)
      : FThunk(std::move(Thunk)), FWnd(Wnd), FNext(Next) {
    FThunk->Bind(&WindowProc, this);
  }

 private:
  static intptr_t __stdcall WindowProc(void* Self, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
    auto* Link = static_cast<TOrphanLink*>(Self);
    ++Link->FDepth;
    const intptr_t Result = PassOn(Link->FNext, Link->FWnd, Msg, WParam, LParam);
    --Link->FDepth;
    if (Msg == WM_NCDESTROY) Link->FGone = true;
    // Only once no call of the stub is still running: the stub jumped here, so freeing it is safe.
    if (Link->FGone && Link->FDepth == 0) delete Link;
    return Result;
  }

  std::unique_ptr<TWndProcThunk> FThunk;
  HWND FWnd;
  void* FNext;
  int FDepth = 0;
  bool FGone = false;
};

// The hooks as a loop over them starts, last added first, without allocating for the usual few.
class THookOrder {
 public:
  explicit THookOrder(const std::vector<TVxHook*>& Hooks) : FCount(Hooks.size()) {
    if (FCount > std::size(FLocal)) FMore.resize(FCount);
    std::reverse_copy(Hooks.begin(), Hooks.end(), Data());
  }
  TVxHook** begin() { return Data(); }
  TVxHook** end() { return Data() + FCount; }

 private:
  TVxHook** Data() { return FCount > std::size(FLocal) ? FMore.data() : FLocal; }
  TVxHook* FLocal[8];
  std::vector<TVxHook*> FMore;
  size_t FCount;
};

}  // namespace

// [TVxHook]

const TClassInfo& TVxHook::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TVxHook::Active, &TVxHook::SetActive>("Active", 1),
  };
  static const TClassInfo Info{"TVxHook", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TVxHook>};
  return Info;
}

TVxHook::TVxHook(TComponent* Owner) : TComponent(Owner) {}

TVxHook::~TVxHook() {
  FDestroying = true;
  SetActive(false);
  SetHookedControl(nullptr);
}

void TVxHook::SetActive(bool Value) {
  FActive = Value;
  if (Value)
    Attach();
  else
    Detach();
}

void TVxHook::Attach() {
  if (!FHookedControl || FDestroying || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  TControlHook* Hook = THookList::Instance().FindOrCreate(FHookedControl);
  try {
    Hook->AddHook(this);
  } catch (...) {
    // Not attached at all rather than listed on a window that never got the procedure.
    Hook->RemoveHook(this);
    throw;
  }
}

void TVxHook::Detach() {
  if (FControlHook) FControlHook->RemoveHook(this);
}

TWinControl* TVxHook::HookedControl() const { return FControlHook ? FControlHook->Control() : FHookedControl; }

TForm* TVxHook::Form() const { return dynamic_cast<TForm*>(HookedControl()); }

HWND TVxHook::Handle() const { return FHookedControl ? FHookedControl->Handle() : nullptr; }

void TVxHook::SetHookedControl(TWinControl* Value) {
  if (Value == FHookedControl) return;
  Detach();
  if (FHookedControl) FHookedControl->RemoveFreeNotification(this);
  FHookedControl = Value;
  if (Value) Value->FreeNotification(this);
  if (FActive) Attach();
}

void TVxHook::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FHookedControl) SetHookedControl(nullptr);
}

void TVxHook::MessageAfter(TMessage&, bool&) {}

void TVxHook::MessageBefore(TMessage& Message, bool& Handled) {
  FHandled = Handled;
  Dispatch(Message);
  Handled = FHandled;
}

void TVxHook::Unhooked() {}

// [TControlHook]

TControlHook::TControlHook()
    : FInstanceProc(std::make_unique<TWndProcThunk>(&TControlHook::WindowProc, static_cast<void*>(this))) {}

TControlHook::~TControlHook() {
  FDestroying = true;
  while (!FHooks.empty()) RemoveHook(FHooks.back());
  Uninstall();
  if (FLinkedWnd && IsWindow(FLinkedWnd)) {
    if (WindowProcOf(FLinkedWnd) == InstanceProc())
      SetWindowLongPtrA(FLinkedWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FLinkedProc));
    else  // someone's procedure over ours still calls the stub: it must keep passing messages on
      new TOrphanLink(std::move(FInstanceProc), FLinkedWnd, FLinkedProc);
  }
}

void* TControlHook::InstanceProc() const { return FInstanceProc->Address(); }

void TControlHook::AddHook(TVxHook* Hook) {
  if (std::find(FHooks.begin(), FHooks.end(), Hook) == FHooks.end()) {
    if (FControl && Hook->FHookedControl != FControl)
      throw EInvalidOperation(Format("Hook %s belongs to another control", Hook->Name().c_str()));
    if (Hook->FControlHook) Hook->FControlHook->RemoveHook(Hook);
    FHooks.push_back(Hook);
    Hook->FControlHook = this;
    FControl = Hook->FHookedControl;
    FLastHook = Hook;
  }
  Install();
}

void TControlHook::RemoveHook(TVxHook* Hook) {
  const auto It = std::find(FHooks.begin(), FHooks.end(), Hook);
  if (It != FHooks.end()) {
    Hook->FControlHook = nullptr;
    FHooks.erase(It);
    FLastHook = nullptr;
  }
  if (!FHooks.empty()) return;
  Uninstall();
  // Nobody tells an empty control hook when its control goes: it must not keep pointing at it.
  FControl = nullptr;
  if (!FDestroying) THookList::Instance().Post(HM_FREEHOOK, this);
}

bool TControlHook::ControlDestroying() const {
  return FControl->ComponentState().Contains(TComponentStateFlag::csDestroying) || FControl->Freeing();
}

void TControlHook::Install() {
  if (!FControl || FDestroying || ControlDestroying()) return;
  HWND Wnd = FControl->Handle();
  if (FLinkedWnd == Wnd) {
    // Still in this window's chain (on top, or under a procedure installed later that calls
    // ours): a second link would hand every message to the hooks twice.
    FPrevProc = FLinkedProc;
    return;
  }
  FLinkedProc = reinterpret_cast<void*>(
      SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FInstanceProc->Address())));
  FLinkedWnd = Wnd;
  FPrevProc = FLinkedProc;
}

void TControlHook::Uninstall() {
  const HWND Wnd = FLinkedWnd;
  if (FPrevProc && Wnd && IsWindow(Wnd) && WindowProcOf(Wnd) == InstanceProc()) {
    if (TVxHook* Last = FLastHook) {
      try {
        Last->Unhooked();
      } catch (...) {
        HandleCallbackException(Last);
      }
    }
    // Unhooked may have uninstalled already.
    if (FLinkedWnd == Wnd && WindowProcOf(Wnd) == InstanceProc()) {
      SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FLinkedProc));
      Unlink();
    }
  }
  FPrevProc = nullptr;
}

void TControlHook::Unlink() {
  FLinkedWnd = nullptr;
  FLinkedProc = nullptr;
}

bool TControlHook::HooksRun() const {
  return FPrevProc && !FHooks.empty() && FControl && !FDestroying && !ControlDestroying();
}

void TControlHook::RunHooks(TMessage& Message, bool& Handled, bool After) {
  THookOrder Order(FHooks);
  for (TVxHook* Hook : Order) {
    // A handler may have freed a hook, the control or the window meanwhile.
    if (std::find(FHooks.begin(), FHooks.end(), Hook) == FHooks.end()) continue;
    if (!HooksRun()) return;
    try {
      if (After)
        Hook->MessageAfter(Message, Handled);
      else
        Hook->MessageBefore(Message, Handled);
    } catch (...) {
      const bool Listed = std::find(FHooks.begin(), FHooks.end(), Hook) != FHooks.end();
      HandleCallbackException(Listed ? Hook : nullptr);
    }
    if (Handled) return;
  }
}

intptr_t __stdcall TControlHook::WindowProc(void* Self, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  return static_cast<TControlHook*>(Self)->HandleMessage(Msg, WParam, LParam);
}

intptr_t TControlHook::HandleMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  // Where this message goes on to, whatever the handlers change meanwhile.
  const HWND Wnd = FLinkedWnd;
  void* const Next = FLinkedProc;
  TMessage Message{Msg, WParam, LParam, 0};
  ++FDepth;
  try {
    bool Handled = false;
    if (Msg != WM_QUIT && HooksRun()) RunHooks(Message, Handled, false);
    if (!Handled || Msg == WM_DESTROY) {
      try {
        Message.Result = PassOn(Next, Wnd, Msg, WParam, LParam);
      } catch (...) {
        HandleCallbackException(FControl);
      }
    }
    if (HooksRun()) RunHooks(Message, Handled, true);
    if (Msg == WM_DESTROY) {
      const bool Reinstall = FControl && !FDestroying && !ControlDestroying();
      Uninstall();
      if (Reinstall) THookList::Instance().Post(HM_REINSTALL, this);
    }
  } catch (...) {
    HandleCallbackException(nullptr);
  }
  if (Msg == WM_NCDESTROY && FLinkedWnd == Wnd) {
    Unlink();
    FPrevProc = nullptr;
  }
  if (--FDepth == 0 && FFreePending) {
    FFreePending = false;
    if (FHooks.empty()) THookList::Instance().Post(HM_FREEHOOK, this);
  }
  return Message.Result;
}

// [THookList]

THookList& THookList::Instance() {
  if (!TheHookList) TheHookList = new THookList;
  return *TheHookList;
}

THookList::THookList() {
  FHandle = AllocateHWnd([this](HWND Wnd, TMessage& Message) { UtilityMessage(Wnd, Message); });
}

THookList::~THookList() {
  while (!FItems.empty()) {
    TControlHook* Hook = FItems.back();
    FItems.pop_back();
    delete Hook;
  }
  DeallocateHWnd(FHandle);
}

TControlHook* THookList::Find(const TWinControl* Control) const {
  if (!Control) return nullptr;
  for (TControlHook* Hook : FItems)
    if (Hook->FControl == Control) return Hook;
  return nullptr;
}

TControlHook* THookList::FindOrCreate(TWinControl* Control) {
  if (!Control) return nullptr;
  if (TControlHook* Found = Find(Control)) return Found;
  FItems.reserve(FItems.size() + 1);
  auto* Hook = new TControlHook;
  Hook->FControl = Control;
  FItems.push_back(Hook);
  return Hook;
}

bool THookList::Contains(const TControlHook* Hook) const {
  return std::find(FItems.begin(), FItems.end(), Hook) != FItems.end();
}

void THookList::Post(TMsgNum Msg, TControlHook* Hook) const {
  PostMessageA(FHandle, Msg, 0, reinterpret_cast<LPARAM>(Hook));
}

void THookList::Remove(TControlHook* Hook) { std::erase(FItems, Hook); }

void THookList::UtilityMessage(HWND Wnd, TMessage& Message) {
  // The pointer is only compared until it is known to be one of ours.
  auto* Hook = reinterpret_cast<TControlHook*>(Message.LParam);
  switch (Message.Msg) {
    case HM_REINSTALL:
      if (Contains(Hook) && Hook->FControl && WindowPossible(Hook->FControl)) Hook->Install();
      return;
    case HM_FREEHOOK:
      if (!Contains(Hook) || !Hook->FHooks.empty()) return;
      if (Hook->FDepth > 0) {
        // A nested message loop inside one of its messages: free it once that message is done.
        Hook->FFreePending = true;
        return;
      }
      Remove(Hook);
      delete Hook;
      return;
    default: DefaultUtilityMessage(Wnd, Message);
  }
}
