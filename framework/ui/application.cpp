// TApplication: the message loop and the last stop for exceptions.
#include "framework/ui/application.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "framework/core/class_registry.h"
#include "framework/ui/actions.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/forms.h"
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

TApplication TheApplication;

}  // namespace

TApplication* Application = &TheApplication;

TApplication::TApplication(TComponent* Owner) : TComponent(Owner), FTitle(ModuleTitle()) {}

TApplication::~TApplication() {
  DestroyComponents();
  if (FUtilWindow) DeallocateHWnd(FUtilWindow);
}

void TApplication::Run() {
  if (!FMainForm) return;
  if (FShowMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

bool TApplication::ProcessMessage() {
  MSG Msg;
  if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  TranslateMessage(&Msg);
  DispatchMessageA(&Msg);
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

void TApplication::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FMainForm) FMainForm = nullptr;
  std::erase(FReleased, Component);
}

void RegisterUiClasses() {
  for (const TClassInfo* Info :
       {&TForm::StaticClassInfo(), &TPanel::StaticClassInfo(), &TSplitter::StaticClassInfo(),
        &TTimer::StaticClassInfo(), &TAction::StaticClassInfo(), &TActionList::StaticClassInfo(),
        &TMenuItem::StaticClassInfo(), &TMainMenu::StaticClassInfo(), &TPopupMenu::StaticClassInfo(),
        &TOpenDialog::StaticClassInfo(), &TSaveDialog::StaticClassInfo(), &TColorDialog::StaticClassInfo(),
        &TFontDialog::StaticClassInfo()})
    RegisterClass(*Info);
  RegisterStandardControlClasses();
}
