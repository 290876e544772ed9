// TApplication: the message loop, idle processing, modal loops and the last stop for exceptions
// raised in message handlers. There is one, Application; the first form created through
// CreateForm is the main form, and closing it ends Run.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/ui/controls.h"

class TForm;
class THintWindow;
class TTimer;

using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, std::exception_ptr E)>;

// What CM_HINTSHOW carries: the pointer in the control's client coordinates and the text to
// show, which the control may change (empty: no hint).
struct THintInfo {
  TPoint CursorPos;
  std::string HintStr;
};

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* Owner = nullptr);
  ~TApplication() override;

  void Initialize() {}
  // Creates a form of class TF owned by the application; the first one becomes MainForm.
  template <typename TF>
  TF* CreateForm() {
    auto* Form = new TF(this);
    if (!FMainForm) FMainForm = Form;
    return Form;
  }
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* Value) { FMainForm = Value; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  // Shows the main form and handles messages until Terminate (or the main form closes).
  void Run();
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, or idles (and waits for one) when none is waiting.
  void HandleMessage();
  // Ends Run: posts the quit message and sets Terminated.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Clears Terminated (a later Run or modal loop in the same process, tests).
  // (A quit message still waiting is dropped.)
  void ResetTerminated();

  // The last stop for an exception raised while handling a message: OnException, or the
  // standard error box with the exception's message.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // [Hints]  A control's hint shows HintPause milliseconds after the pointer came over it (when
  // its ShowHint and the application's are on) and goes after HintHidePause, when the pointer
  // leaves, or at a button or key press.
  Integer HintPause() const { return FHintPause; }
  void SetHintPause(Integer Value) { FHintPause = Value; }
  Integer HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // The long part of the hint of the control under the pointer (for a status bar); OnHint runs
  // when it changes.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  TNotifyEvent OnHint;
  // The window that shows hints (nil before the first one).
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  // The control the pointer is over, as the hints see it.
  TControl* HintControl() const { return FHintControl; }
  void CancelHint();
  // Told by the windows: the pointer came over Control, left it, or Control is being freed.
  void HintMouseMove(TControl* Control);
  // The pointer moved to another part of Control with a hint of its own: the hint starts over.
  void HintPartChanged(TControl* Control);
  void HintLeave(TControl* Control);
  void HintControlGone(TControl* Control);

  // Nesting depth of modal loops.
  int ModalLevel() const { return FModalLevel; }
  void ModalStarted() { ++FModalLevel; }
  void ModalFinished() { --FModalLevel; }

  // Frees Component once the message being handled now (and those before it) are done.
  void ReleaseComponent(TComponent* Component);

  // [Minimize and restore]  There is no application window: minimizing the application
  // minimizes the main form to the taskbar and hides the other visible forms (minimizes them
  // when the main form does not show, so that something stays on the taskbar); Restore brings
  // back exactly those and activates the main form. Each fires its event once; a second call in
  // the same state does nothing. The main form's own SC_MINIMIZE and SC_RESTORE (caption
  // buttons, system menu, taskbar) go through here too.
  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  TIdleEvent OnIdle;
  TExceptionEvent OnException;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  bool ProcessMessage();
  void Idle();
  void HintTimerExpired();

  TForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FHandlingException = false;
  std::string FTitle;
  Integer FHintPause = 500;
  Integer FHintHidePause = 2500;
  bool FShowHint = true;
  std::string FHint;
  TControl* FHintControl = nullptr;
  std::unique_ptr<THintWindow> FHintWindow;
  std::unique_ptr<TTimer> FHintTimer;
  int FModalLevel = 0;
  HWND FUtilWindow = nullptr;
  std::vector<TComponent*> FReleased;
  bool FMinimized = false;
  // The forms Minimize hid or minimized besides the main form (looked up again on Restore: one
  // may have been freed since).
  std::vector<HWND> FMinimizedForms;
};

extern TApplication* Application;

// Handles the paints and sent messages waiting now; keys, clicks and posted messages stay queued
// for the loop that comes next. False when a quit message was met (it is posted again).
bool ProcessPendingPaints();

// The screen: its size, and a cursor that overrides every control's while it is set (an hour
// glass while busy, a hand while picking a colour from the screen); crDefault gives the
// controls theirs back.
class TScreen : public TComponent {
 public:
  using TComponent::TComponent;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  Integer Width() const;
  Integer Height() const;

 private:
  TCursor FCursor = crDefault;
};

extern TScreen* Screen;

// The parts of a hint "short|long"; without a bar both are the whole text.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// Registers the framework's control classes (forms, panels, splitters, timers) for reading
// form files.
void RegisterUiClasses();
