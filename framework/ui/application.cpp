// TApplication: the message loop and the last stop for exceptions.
#include "framework/ui/application.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "framework/core/class_registry.h"
#include "framework/ui/actions.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/control_bar.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/forms.h"
#include "framework/ui/hint_window.h"
#include "framework/ui/image.h"
#include "framework/ui/memo.h"
#include "framework/ui/menus.h"
#include "framework/ui/object_windows.h"
#include "framework/ui/panel.h"
#include "framework/ui/splitter.h"
#include "framework/ui/timer.h"

namespace {

BOOL CALLBACK CollectWindow(HWND Wnd, LPARAM Data) {
  reinterpret_cast<std::vector<HWND>*>(Data)->push_back(Wnd);
  return TRUE;
}

// Brings the actions of the visible forms up to date while nothing else is to be done. Each form
// is looked up when its turn comes: an update handler may have freed it.
void UpdateFormActions() {
  std::vector<HWND> Windows;
  EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&Windows));
  for (HWND Wnd : Windows) {
    auto* Form = dynamic_cast<TForm*>(TWinControl::FindControl(Wnd));
    if (!Form || !IsWindowVisible(Wnd)) continue;
    for (TComponent* C : std::vector<TComponent*>(Form->ComponentList()))
      if (auto* List = dynamic_cast<TActionList*>(C)) List->UpdateActions();
  }
}

std::string ModuleTitle() {
  char Path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Name = Path;
  const size_t Slash = Name.find_last_of("\\/");
  if (Slash != std::string::npos) Name.erase(0, Slash + 1);
  const size_t Dot = Name.find_last_of('.');
  if (Dot != std::string::npos) Name.erase(Dot);
  return Name;
}

// The wheel goes to the window under the pointer when that is one of ours that takes input now
// (the focused window gets it otherwise), so that an area scrolls without taking the focus.
HWND WheelTarget(const MSG& Msg) {
  const POINT P{int16_t(LOWORD(Msg.lParam)), int16_t(HIWORD(Msg.lParam))};
  HWND Under = WindowFromPoint(P);
  if (!Under || Under == Msg.hwnd) return Msg.hwnd;
  if (GetWindowThreadProcessId(Under, nullptr) != GetCurrentThreadId()) return Msg.hwnd;
  if (!IsWindowEnabled(Under) || !IsWindowEnabled(GetAncestor(Under, GA_ROOT))) return Msg.hwnd;
  return Under;
}

bool EndsHint(UINT Msg) {
  switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL: return true;
    default: return false;
  }
}

TApplication TheApplication;
TScreen TheScreen;

}  // namespace

TApplication* Application = &TheApplication;
TScreen* Screen = &TheScreen;

bool ProcessPendingPaints() {
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(int(Msg.wParam));
      return false;
    }
    DispatchMessageA(&Msg);
  }
  return true;
}

TApplication::TApplication(TComponent* Owner) : TComponent(Owner), FTitle(ModuleTitle()) {}

TApplication::~TApplication() {
  DestroyComponents();
  FHintControl = nullptr;
  FHintWindow.reset();
  FHintTimer.reset();
  if (FUtilWindow) DeallocateHWnd(FUtilWindow);
  // Controls freed after the application (statics of other units) must not call it.
  if (Application == this) Application = nullptr;
}

void TApplication::Run() {
  if (!FMainForm) return;
  if (FShowMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

namespace {

// Ctrl+F4 and Ctrl+F6 typed inside the main MDI form close and cycle its children.
bool IsMDIKey(TForm* Main, MSG& Msg) {
  HWND Client = Main ? Main->ClientHandle() : nullptr;
  if (!Client || (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN)) return false;
  if (Msg.hwnd != Main->Handle() && !IsChild(Main->Handle(), Msg.hwnd)) return false;
  return TranslateMDISysAccel(Client, &Msg);
}

// Characters are taken from the queue in UTF-16, so that one the code page cannot carry reaches a
// control that asks for it whole.
bool DeliverWideChar(const MSG& Msg) {
  if (Msg.message != WM_CHAR || Msg.wParam < 0x80) return false;
  const wchar_t Char = wchar_t(Msg.wParam);
  char Bytes[8];
  BOOL Lost = FALSE;
  const int Count = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &Char, 1, Bytes, sizeof Bytes, nullptr, &Lost);
  if (Count == 1 && !Lost) return false;
  TWinControl* Control = TWinControl::FindControl(Msg.hwnd);
  return Control && Control->Perform(CM_WIDECHAR, Msg.wParam, Msg.lParam) != 0;
}

}  // namespace

bool TApplication::ProcessMessage() {
  MSG Msg;
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (Msg.message == WM_MOUSEWHEEL) Msg.hwnd = WheelTarget(Msg);
  if (EndsHint(Msg.message)) CancelHint();
  if (IsMDIKey(FMainForm, Msg)) return true;
  TranslateMessage(&Msg);
  if (!DeliverWideChar(Msg)) DispatchMessageW(&Msg);
  FreeDeviceContexts();
  return true;
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  if (!ProcessMessage()) Idle();
}

void TApplication::Idle() {
  bool Done = true;
  if (OnIdle) {
    try {
      OnIdle(this, Done);
    } catch (...) {
      HandleException(this);
    }
  }
  if (!Done) return;
  try {
    UpdateFormActions();
  } catch (...) {
    HandleException(this);
  }
  WaitMessage();
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::ResetTerminated() {
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  FTerminated = false;
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr E = std::current_exception();
  if (!E || FHandlingException) return;
  FHandlingException = true;
  try {
    if (OnException) {
      OnException(Sender, E);
    } else {
      try {
        std::rethrow_exception(E);
      } catch (const std::exception& Error) {
        ShowException(Error);
      } catch (...) {
        ShowException(std::runtime_error("Unknown exception"));
      }
    }
  } catch (...) {
    // A failing handler must not take the message loop down with it.
  }
  FHandlingException = false;
}

void TApplication::ShowException(const std::exception& E) {
  std::string Text = E.what();
  if (!Text.empty() && Text.back() > '.') Text += '.';
  ShowMessageBox(Text, FTitle, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

void TApplication::ReleaseComponent(TComponent* Component) {
  if (!Component || std::find(FReleased.begin(), FReleased.end(), Component) != FReleased.end()) return;
  if (!FUtilWindow) {
    FUtilWindow = AllocateHWnd([this](HWND Wnd, TMessage& Message) {
      if (Message.Msg != CM_RELEASE) return DefaultUtilityMessage(Wnd, Message);
      auto Released = std::move(FReleased);
      FReleased.clear();
      for (TComponent* C : Released) {
        C->RemoveFreeNotification(this);
        delete C;
      }
    });
  }
  FReleased.push_back(Component);
  Component->FreeNotification(this);
  PostMessageA(FUtilWindow, CM_RELEASE, 0, 0);
}

// [Minimize and restore]

void TApplication::Minimize() {
  if (FMinimized) return;
  FMinimized = true;
  FMinimizedForms.clear();
  HWND Main =
      FMainForm && FMainForm->HandleAllocated() && IsWindowVisible(FMainForm->Handle()) ? FMainForm->Handle() : nullptr;
  std::vector<HWND> Windows;
  EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&Windows));
  for (HWND Wnd : Windows) {
    if (Wnd == Main || !IsWindowVisible(Wnd) || !dynamic_cast<TForm*>(TWinControl::FindControl(Wnd))) continue;
    FMinimizedForms.push_back(Wnd);
    // Hidden, not Visible(false): the form still counts as shown and gets no OnHide.
    ShowWindow(Wnd, Main ? SW_HIDE : SW_MINIMIZE);
  }
  if (Main) ShowWindow(Main, SW_MINIMIZE);
  // A copy: the handler may replace the event while it runs.
  if (TNotifyEvent Handler = OnMinimize) Handler(this);
}

void TApplication::Restore() {
  if (!FMinimized) return;
  FMinimized = false;
  const std::vector<HWND> Forms = std::move(FMinimizedForms);
  FMinimizedForms.clear();
  HWND Main = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
  if (Main && (IsIconic(Main) || !IsWindowVisible(Main))) ShowWindow(Main, SW_RESTORE);
  for (HWND Wnd : Forms)
    if (IsWindow(Wnd) && dynamic_cast<TForm*>(TWinControl::FindControl(Wnd)))
      ShowWindow(Wnd, IsIconic(Wnd) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
  if (Main && IsWindowVisible(Main)) SetForegroundWindow(Main);
  if (TNotifyEvent Handler = OnRestore) Handler(this);
}

void TApplication::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FMainForm) FMainForm = nullptr;
  std::erase(FReleased, Component);
}

// [Hints]

std::string GetShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }

std::string GetLongHint(const std::string& Hint) {
  const size_t Bar = Hint.find('|');
  return Bar == std::string::npos ? Hint : Hint.substr(Bar + 1);
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHint(const std::string& Value) {
  if (Value == FHint) return;
  FHint = Value;
  if (OnHint) OnHint(this);
}

void TApplication::CancelHint() {
  if (FHintTimer) FHintTimer->SetEnabled(false);
  if (FHintWindow) FHintWindow->ReleaseHint();
}

void TApplication::HintMouseMove(TControl* Control) {
  if (Control == FHintControl) return;
  CancelHint();
  FHintControl = Control;
  SetHint(Control ? GetLongHint(Control->Hint()) : std::string());
  // A control's own hint may be empty while a part of it has one (CM_HINTSHOW decides).
  if (!Control || !FShowHint || !Control->ShowHint()) return;
  if (!FHintTimer) {
    FHintTimer = std::make_unique<TTimer>();
    FHintTimer->SetEnabled(false);
    FHintTimer->SetOnTimer([this](TObject*) { HintTimerExpired(); });
  }
  FHintTimer->SetInterval(Cardinal(std::max<Integer>(FHintPause, 1)));
  FHintTimer->SetEnabled(true);
}

void TApplication::HintPartChanged(TControl* Control) {
  if (Control != FHintControl) return;
  HintMouseMove(nullptr);
  HintMouseMove(Control);
}

void TApplication::HintLeave(TControl* Control) {
  if (Control == FHintControl) HintMouseMove(nullptr);
}

void TApplication::HintControlGone(TControl* Control) {
  if (Control != FHintControl) return;
  CancelHint();
  FHintControl = nullptr;
}

void TApplication::HintTimerExpired() {
  FHintTimer->SetEnabled(false);
  // Second expiry: the hint has been shown long enough.
  if (FHintWindow && FHintWindow->Active()) return FHintWindow->ReleaseHint();
  TControl* Control = FHintControl;
  if (!Control || !Control->Showing()) return;
  POINT P;
  GetCursorPos(&P);
  THintInfo Info{Control->ScreenToClient({P.x, P.y}), GetShortHint(Control->Hint())};
  Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&Info));
  if (FHintControl != Control || Info.HintStr.empty()) return;
  const std::string& Text = Info.HintStr;
  if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>();
  TRect R = FHintWindow->CalcHintRect(Screen->Width() / 3, Text);
  // Below the pointer's arrow, kept on the screen.
  Integer X = P.x, Y = P.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
  X = std::max<Integer>(0, std::min<Integer>(X, Screen->Width() - R.Width()));
  if (Y + R.Height() > Screen->Height()) Y = P.y - R.Height() - 2;
  FHintWindow->ActivateHint(Bounds(X, Y, R.Width(), R.Height()), Text);
  if (FHintHidePause > 0) {
    FHintTimer->SetInterval(Cardinal(FHintHidePause));
    FHintTimer->SetEnabled(true);
  }
}

// [TScreen]

void TScreen::SetCursor(TCursor Value) {
  FCursor = Value;
  if (Value != crDefault) return ShowCursorShape(Value);
  // Back to what is under the pointer, as if it had just moved there.
  POINT P;
  GetCursorPos(&P);
  HWND Wnd = GetCapture();
  if (!Wnd) Wnd = WindowFromPoint(P);
  if (!Wnd || GetWindowThreadProcessId(Wnd, nullptr) != GetCurrentThreadId()) return ShowCursorShape(crDefault);
  const LRESULT Hit = SendMessageA(Wnd, WM_NCHITTEST, 0, MAKELPARAM(P.x, P.y));
  SendMessageA(Wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(Wnd), MAKELPARAM(Hit, WM_MOUSEMOVE));
}

Integer TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
Integer TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

void RegisterUiClasses() {
  for (const TClassInfo* Info :
       {&TForm::StaticClassInfo(), &TPanel::StaticClassInfo(), &TSplitter::StaticClassInfo(),
        &TControlBar::StaticClassInfo(), &TTimer::StaticClassInfo(), &TAction::StaticClassInfo(),
        &TActionList::StaticClassInfo(), &TMenuItem::StaticClassInfo(), &TMainMenu::StaticClassInfo(),
        &TPopupMenu::StaticClassInfo(), &TOpenDialog::StaticClassInfo(), &TSaveDialog::StaticClassInfo(),
        &TColorDialog::StaticClassInfo(), &TFontDialog::StaticClassInfo()})
    RegisterClass(*Info);
  for (const TClassInfo* Info : {&TPaintBox::StaticClassInfo(), &TImage::StaticClassInfo(), &TMemo::StaticClassInfo()})
    RegisterClass(*Info);
  RegisterStandardControlClasses();
}
