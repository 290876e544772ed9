// Window hooks: components that see every message of a window control before and after the
// control's own window procedure, may answer some of them themselves, and keep doing so when the
// framework destroys and re-creates the control's window.
//
// TVxHook is the base of every hook component (the form-skinning components derive from it).
// Several hooks may hook one control; they share one TControlHook, which puts its window
// procedure in front of the window's and hands each message to the hooks, the one added last
// first. THookList, one per process, owns the control hooks and a hidden utility window through
// which re-installation and freeing are deferred to the message loop. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/messages.h"
#include "framework/core/platform_handles.h"

class TWinControl;
class TForm;
class TControlHook;
class TWndProcThunk;

// The hook list's private messages, with the TControlHook in LParam.
constexpr TMsgNum HM_REINSTALL = 0xB0DE;  // the control's window was re-created: install again
constexpr TMsgNum HM_FREEHOOK = 0xB0DF;   // free the control hook if no hook is left on it

// A component that hooks the window of HookedControl while Active. Descendants set the control
// and override MessageBefore (or give their Dispatch handlers that set Handled), MessageAfter
// and Unhooked. The hook asks the control for its free notification and lets go of it then.
class TVxHook : public TComponent {
 public:
  explicit TVxHook(TComponent* Owner = nullptr);
  ~TVxHook() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Active() const { return FActive; }
  // True attaches the hook to its control's window (creating the window if need be), False
  // detaches it.
  void SetActive(bool Value);

  // The control hook's control while attached, else the control set by the descendant.
  TWinControl* HookedControl() const;
  // The hooked control when it is a form, else nil.
  TForm* Form() const;
  // The window of the control set by the descendant (created if need be); nil without one.
  HWND Handle() const;
  TControlHook* ControlHook() const { return FControlHook; }

  // Set by a message handler to stop the message there.
  bool Handled() const { return FHandled; }
  void SetHandled(bool Value) { FHandled = Value; }

  // Called for each message after the window's previous procedure (or instead of it, when a hook
  // handled the message). Nothing by default.
  virtual void MessageAfter(TMessage& Message, bool& Handled);
  // Called for each message before the window's previous procedure: hands the message to the
  // component's own Dispatch with Handled() set to Handled, and answers Handled() through it.
  virtual void MessageBefore(TMessage& Message, bool& Handled);
  // The hook's procedure has been taken off the window. Nothing by default.
  virtual void Unhooked();

 protected:
  // Nothing when unchanged; otherwise the hook lets go of the old control and, if Active,
  // attaches to the new one.
  void SetHookedControl(TWinControl* Value);
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  friend class TControlHook;
  void Attach();
  void Detach();

  bool FActive = true;
  TWinControl* FHookedControl = nullptr;
  TControlHook* FControlHook = nullptr;
  bool FHandled = false;
  bool FDestroying = false;
};

// The shared hook of one window control: its window procedure runs in front of the control's,
// for every hook on it. Created and freed by THookList only.
class TControlHook {
 public:
  TControlHook(const TControlHook&) = delete;
  TControlHook& operator=(const TControlHook&) = delete;

  // Appends Hook (once) and installs the window procedure. Hook's control becomes this one's;
  // a hook of another control is refused (EInvalidOperation).
  void AddHook(TVxHook* Hook);
  // Takes Hook off; when no hook is left the window gets its procedure back at once and the
  // control hook is freed from the message loop.
  void RemoveHook(TVxHook* Hook);
  // Puts the window procedure in front of the control's window's (creating the window if need
  // be); nothing while the control or this is being destroyed.
  void Install();
  // Gives the window its previous procedure back, unless someone installed another one over
  // ours since: that one is never replaced, and ours then only passes messages on.
  void Uninstall();

  // The hook added most recently; nil after a removal.
  TVxHook* LastHook() const { return FLastHook; }
  TWinControl* Control() const { return FControl; }
  // The window procedure bound to this object.
  void* InstanceProc() const;
  // The procedure it replaced; nil while not installed.
  void* PrevProc() const { return FPrevProc; }
  // In the order they were added.
  const std::vector<TVxHook*>& Hooks() const { return FHooks; }
  bool Destroying() const { return FDestroying; }

 private:
  friend class THookList;
  TControlHook();
  ~TControlHook();
  static intptr_t __stdcall WindowProc(void* Self, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  intptr_t HandleMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  void RunHooks(TMessage& Message, bool& Handled, bool After);
  bool HooksRun() const;
  bool ControlDestroying() const;
  void Unlink();

  TVxHook* FLastHook = nullptr;
  TWinControl* FControl = nullptr;
  std::unique_ptr<TWndProcThunk> FInstanceProc;
  void* FPrevProc = nullptr;
  std::vector<TVxHook*> FHooks;
  bool FDestroying = false;
  // The window our procedure sits in and the procedure it passes messages on to. Unlike
  // PrevProc they stay set while another procedure installed over ours keeps calling it.
  HWND FLinkedWnd = nullptr;
  void* FLinkedProc = nullptr;
  int FDepth = 0;             // nesting of messages being handled now
  bool FFreePending = false;  // asked to be freed while handling a message
};

// The control hooks of the process and the utility window that re-installs and frees them from
// the message loop. Created on first use, freed at the end of the program.
class THookList {
 public:
  static THookList& Instance();
  ~THookList();
  THookList(const THookList&) = delete;
  THookList& operator=(const THookList&) = delete;

  // The control hook of Control, or nil (also for a nil Control).
  TControlHook* Find(const TWinControl* Control) const;
  // Find, else a new control hook of Control.
  TControlHook* FindOrCreate(TWinControl* Control);
  int Count() const { return int(FItems.size()); }
  bool Contains(const TControlHook* Hook) const;
  HWND Handle() const { return FHandle; }

 private:
  friend class TControlHook;
  THookList();
  void UtilityMessage(HWND Wnd, TMessage& Message);
  void Post(TMsgNum Msg, TControlHook* Hook) const;
  void Remove(TControlHook* Hook);

  std::vector<TControlHook*> FItems;
  HWND FHandle = nullptr;
};
