// Window states of a skinned form (normal, maximized, minimized, rolled up, in the notification
// area), closing, help, the tray icon and the system menu.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "framework/ui/menus.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_resource.h"

namespace {

constexpr const char* CloseCaption = "&Close";
constexpr const char* MaximizeCaption = "Ma&ximize";
constexpr const char* MinimizeCaption = "Mi&nimize";
constexpr const char* RollupCaption = "Ro&llup";
constexpr const char* TrayCaption = "Minimize to &Tray";
constexpr const char* RestoreCaption = "&Restore";

TVxSystemMenuPresenter Presenter = nullptr;

bool IsOneOf(TVxWindowState S, std::initializer_list<TVxWindowState> List) {
  return std::find(List.begin(), List.end(), S) != List.end();
}

}  // namespace

TImageList& SystemMenuImages() {
  static TImageList* Images = [] {
    auto* List = new TImageList();
    List->SetWidth(16);
    List->SetHeight(16);
    List->SetMasked(true);
    for (const char* Name : {"VX_FORM_CLOSE", "VX_FORM_MINIMIZE", "VX_FORM_MAXIMIZE", "VX_FORM_RESTORE",
                             "VX_FORM_ROLLUP", "VX_FORM_TRAY"}) {
      TBitmap Glyph;
      // A program without the resources keeps the indices with blank glyphs.
      if (!LoadBitmapResource(Name, Glyph)) {
        Glyph.SetWidth(16);
        Glyph.SetHeight(16);
        Glyph.Canvas().Brush().SetColor(TColor(RGB(255, 0, 255)));
        Glyph.Canvas().FillRect(Rect(0, 0, 16, 16));
      }
      List->AddMasked(Glyph, TColor(RGB(255, 0, 255)));
    }
    return List;
  }();
  return *Images;
}

// [Actions] -------------------------------------------------------------------------------------

bool TVxDefaultForm::AskAllowed(const TVxFormActionEvent& Event) {
  bool Allow = true;
  if (Event) Event(this, Allow);
  return Allow;
}

void TVxDefaultForm::KeepBounds(std::initializer_list<TVxWindowState> Except) {
  if (FPendingState == TVxWindowState::kwsNormal && !IsOneOf(FPrevState, Except)) FRestoreBounds = FormBounds();
}

void TVxDefaultForm::Maximize() {
  FHotPart = vxhtNoPart;
  if (!AskAllowed(OnMaximize)) return;
  if (FWindowState == TVxWindowState::kwsMaximized) return Restore();
  if (!Form()) return;
  FPrevState = FWindowState;
  KeepBounds({TVxWindowState::kwsRollup, TVxWindowState::kwsMinimized});
  // An iconic window comes back first; the platform would otherwise keep it an icon.
  if (IsIconic(Form()->Handle())) ShowWindow(Form()->Handle(), SW_RESTORE);
  FWindowState = TVxWindowState::kwsMaximized;
  // The shadow goes with the maximized state: the window's real size is its frame size.
  FWindowWidth = FFullWidth;
  FWindowHeight = FFullHeight;
  SetBoundsNow(GetMaximizedBounds());
  UpdateRegion();
  Form()->Invalidate();
  PaintNonClient();
  FPendingState = TVxWindowState::kwsNormal;
}

void TVxDefaultForm::Minimize() {
  FHotPart = vxhtNoPart;
  TForm* F = Form();
  if (!F || F->FormState().Contains(TFormStateFlag::fsModal) || Designing() || !AskAllowed(OnMinimize)) return;
  if (FWindowState == TVxWindowState::kwsMinimized) return Restore();
  FPrevState = FWindowState;
  FWindowState = TVxWindowState::kwsMinimized;
  KeepBounds({TVxWindowState::kwsRollup, TVxWindowState::kwsMaximized});
  if (!GetWindow(F->Handle(), GW_OWNER))
    PostMessageA(F->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  else if (FMinimizeApplication && Application)
    Application->Minimize();
  else
    SetBoundsNow(GetMinimizedBounds());
  FPendingState = TVxWindowState::kwsNormal;
}

void TVxDefaultForm::Rollup() {
  FHotPart = vxhtNoPart;
  if (Designing() || !AskAllowed(OnRollup)) return;
  if (FWindowState == TVxWindowState::kwsRollup) return Restore();
  if (!Form()) return;
  const bool FromMaximized = FWindowState == TVxWindowState::kwsMaximized;
  FPrevState = FWindowState;
  if (!IsOneOf(FPrevState, {TVxWindowState::kwsMinimized, TVxWindowState::kwsMaximized})) FRestoreBounds = FormBounds();
  if (IsIconic(Form()->Handle())) ShowWindow(Form()->Handle(), SW_RESTORE);
  FWindowState = TVxWindowState::kwsRollup;
  if (FromMaximized) {
    // Out of the maximized state the shadow is back.
    const Integer S = ShadowVisible() ? FShadow->Size() : 0;
    FWindowWidth = std::max<Integer>(FFullWidth - S, 0);
    FWindowHeight = std::max<Integer>(FFullHeight - S, 0);
  }
  SetBoundsNow(GetRollupBounds());
  FPendingState = TVxWindowState::kwsNormal;
}

void TVxDefaultForm::MinimizeToTray() {
  FHotPart = vxhtNoPart;
  TForm* F = Form();
  if (Designing() || !F || F->FormState().Contains(TFormStateFlag::fsModal) || !AskAllowed(OnMinToTray)) return;
  if (FWindowState == TVxWindowState::kwsTray) return Restore();
  FPrevState = FWindowState;
  FWindowState = TVxWindowState::kwsTray;
  KeepBounds({TVxWindowState::kwsMaximized, TVxWindowState::kwsMinimized, TVxWindowState::kwsRollup});
  std::string Tip = F->Caption();
  if (FMinimizeApplication && Application) {
    // An untitled application keeps the form's caption: an empty tip tells nothing.
    if (!Application->Title().empty()) Tip = Application->Title();
    Application->Minimize();
    // Only the icon is left: the main form leaves the taskbar too.
    if (TForm* Main = Application->MainForm(); Main && Main->HandleAllocated()) ShowWindow(Main->Handle(), SW_HIDE);
  }
  ShowWindow(F->Handle(), SW_HIDE);
  AddTrayIcon(Tip);
  FPendingState = TVxWindowState::kwsNormal;
}

// Applies B with the window state's frame size: the shadow counts again outside the maximized
// state.
void TVxDefaultForm::Restore() {
  FHotPart = vxhtNoPart;
  TForm* F = Form();
  if (!F) return;
  auto BackToNormal = [&] {
    const bool WasMaximized = FWindowState == TVxWindowState::kwsMaximized;
    FWindowState = TVxWindowState::kwsNormal;
    if (IsIconic(F->Handle())) ShowWindow(F->Handle(), SW_RESTORE);
    if (WasMaximized) {
      // Forces the size to be re-read with the shadow counted.
      FFullWidth = FFullHeight = -1;
    }
    SetBoundsNow(FRestoreBounds);
    if (WasMaximized) UpdateRegion();
  };
  switch (FWindowState) {
    case TVxWindowState::kwsNormal: SetBoundsNow(FRestoreBounds); break;
    case TVxWindowState::kwsMaximized:
      if (FPrevState == TVxWindowState::kwsMinimized) {
        // Maximized while minimized: coming back means showing it maximized. The application
        // brings its forms back; otherwise the form does it itself.
        if (FMinimizeApplication && Application && Application->Minimized()) {
          FPrevState = TVxWindowState::kwsNormal;
          Application->Restore();
        } else {
          BackToNormal();
          Maximize();
        }
      } else if (FPrevState == TVxWindowState::kwsRollup) {
        BackToNormal();
        Rollup();
      } else {
        FPrevState = TVxWindowState::kwsMaximized;
        BackToNormal();
        if (ShadowVisible()) {
          F->Invalidate();
          PaintNonClient();
        }
      }
      break;
    case TVxWindowState::kwsMinimized:
      if (IsIconic(F->Handle())) ShowWindow(F->Handle(), SW_RESTORE);
      if (FPrevState == TVxWindowState::kwsMaximized) {
        FWindowState = TVxWindowState::kwsNormal;
        Maximize();
        FPrevState = TVxWindowState::kwsNormal;
      } else if (FPrevState == TVxWindowState::kwsRollup) {
        FWindowState = TVxWindowState::kwsNormal;
        Rollup();
        FPrevState = TVxWindowState::kwsNormal;
      } else {
        BackToNormal();
      }
      // The other forms the application put away come back with it (the state is normal now:
      // the restore handler leaves this form alone).
      if (FMinimizeApplication && Application) Application->Restore();
      break;
    case TVxWindowState::kwsRollup:
      if (GetMaximizedBounds().Width() == FWindowWidth || FPrevState == TVxWindowState::kwsMaximized) {
        FWindowState = TVxWindowState::kwsNormal;
        Maximize();
        FPrevState = TVxWindowState::kwsNormal;
      } else {
        FWindowState = TVxWindowState::kwsNormal;
        const TRect B = FormBounds();
        SetBoundsNow(Bounds(B.Left, B.Top, FRestoreBounds.Width(), FRestoreBounds.Height()));
      }
      break;
    case TVxWindowState::kwsTray: {
      if (FMinimizeApplication && Application) {
        Application->Restore();
        // The main form hidden for the tray while the application was not minimized.
        if (TForm* Main = Application->MainForm();
            Main && Main != F && Main->Visible() && Main->HandleAllocated() && !IsWindowVisible(Main->Handle()))
          ShowWindow(Main->Handle(), SW_SHOWNA);
      }
      if (IsIconic(F->Handle())) ShowWindow(F->Handle(), SW_RESTORE);
      ShowWindow(F->Handle(), SW_SHOW);
      SetForegroundWindow(F->Handle());
      RemoveTrayIcon();
      const TRect Saved = FRestoreBounds;
      if (FPrevState == TVxWindowState::kwsMaximized) {
        FWindowState = TVxWindowState::kwsNormal;
        Maximize();
        FRestoreBounds = Saved;
        FPrevState = TVxWindowState::kwsNormal;
      } else if (FPrevState == TVxWindowState::kwsRollup) {
        FWindowState = TVxWindowState::kwsNormal;
        Rollup();
        FRestoreBounds = Saved;
        FPrevState = TVxWindowState::kwsNormal;
      } else {
        FWindowState = TVxWindowState::kwsNormal;
        SetBoundsNow(FRestoreBounds);
      }
      break;
    }
  }
}

// [Application minimize and restore] ----------------------------------------------------------

// One of the component's handlers in an application event. While it runs the event holds the
// previous handler, so that the form's own minimize or restore cannot come back into it; it puts
// itself back afterwards unless the component was freed meanwhile.
struct TVxApplicationHandler {
  std::shared_ptr<TVxApplicationLink> Link;
  bool Minimizing = false;

  void operator()(TObject* Sender) const {
    // Copies: replacing the event below may free this very handler when it was called in place.
    const std::shared_ptr<TVxApplicationLink> L = Link;
    const bool Minimize = Minimizing;
    if (!Application) return;
    TNotifyEvent& Event = Minimize ? Application->OnMinimize : Application->OnRestore;
    const TNotifyEvent& Prev = Minimize ? L->PrevMinimize : L->PrevRestore;
    TNotifyEvent Self = Event;
    Event = Prev;
    struct TPutBack {
      const std::shared_ptr<TVxApplicationLink>& L;
      TNotifyEvent& Event;
      TNotifyEvent& Self;
      ~TPutBack() {
        if (L->Form && Application) Event = std::move(Self);
      }
    } PutBack{L, Event, Self};
    if (L->Form) {
      if (Minimize)
        L->Form->ApplicationMinimized();
      else
        L->Form->ApplicationRestored();
    }
    if (TNotifyEvent Next = Prev) Next(Sender);
  }
};

namespace {

bool IsHandlerOf(const TNotifyEvent& Event, const std::shared_ptr<TVxApplicationLink>& Link) {
  const auto* Handler = Event.target<TVxApplicationHandler>();
  return Handler && Handler->Link == Link;
}

}  // namespace

void TVxDefaultForm::TakeOverApplication() {
  if (FApplicationLink || !Application) return;
  FApplicationLink = std::make_shared<TVxApplicationLink>();
  FApplicationLink->Form = this;
  FApplicationLink->PrevMinimize = Application->OnMinimize;
  FApplicationLink->PrevRestore = Application->OnRestore;
  Application->OnMinimize = TVxApplicationHandler{FApplicationLink, true};
  Application->OnRestore = TVxApplicationHandler{FApplicationLink, false};
}

// A handler installed after ours keeps ours behind it: that one stays and only passes the
// event on.
void TVxDefaultForm::GiveBackApplication() {
  if (!FApplicationLink) return;
  FApplicationLink->Form = nullptr;
  if (Application) {
    if (IsHandlerOf(Application->OnMinimize, FApplicationLink))
      Application->OnMinimize = FApplicationLink->PrevMinimize;
    if (IsHandlerOf(Application->OnRestore, FApplicationLink)) Application->OnRestore = FApplicationLink->PrevRestore;
  }
  FApplicationLink.reset();
}

void TVxDefaultForm::ApplicationMinimized() {
  if (FMinimizeApplication && FWindowState != TVxWindowState::kwsMinimized && FWindowState != TVxWindowState::kwsTray)
    Minimize();
}

void TVxDefaultForm::ApplicationRestored() {
  if (!FMinimizeApplication || FWindowState != TVxWindowState::kwsMinimized) return;
  Restore();
  PaintNonClient();
}

void TVxDefaultForm::Close() {
  if (!AskAllowed(OnClose)) return;
  TForm* F = Form();
  if (!F) F = dynamic_cast<TForm*>(Owner());
  if (!F) return;
  if (Designing()) return F->Close();
  if (F->FormState().Contains(TFormStateFlag::fsModal)) {
    F->SetModalResult(mrCancel);
    return;
  }
  if (!F->CloseQuery()) return;
  TCloseAction Action = TCloseAction::caHide;
  if (F->OnClose) F->OnClose(F, Action);
  if (Action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == F) {
    Application->Terminate();
    return;
  }
  switch (Action) {
    case TCloseAction::caHide: F->Hide(); break;
    case TCloseAction::caMinimize: Minimize(); break;
    case TCloseAction::caFree: F->Release(); break;
    case TCloseAction::caNone: break;
  }
}

void TVxDefaultForm::ShowHelp() {
  if (Designing() || !Form()) return;
  SendMessageA(Form()->Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

// [Tray icon] -----------------------------------------------------------------------------------

namespace {

NOTIFYICONDATAA TrayRecord(HWND Wnd, uint32_t Id) {
  NOTIFYICONDATAA Data{};
  Data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  Data.hWnd = Wnd;
  Data.uID = Id;
  Data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  Data.uCallbackMessage = FM_TRAYICON;
  return Data;
}

void SetTip(NOTIFYICONDATAA& Data, const std::string& Tip) {
  const size_t N = std::min<size_t>(Tip.size(), 63);
  std::copy_n(Tip.data(), N, Data.szTip);
  Data.szTip[N] = '\0';
}

}  // namespace

void TVxDefaultForm::AddTrayIcon(const std::string& Tip) {
  NOTIFYICONDATAA Data = TrayRecord(UtilityWindow(), FTrayId);
  Data.hIcon = SmallIconHandle();
  SetTip(Data, Tip);
  FTrayTip = Data.szTip;
  FTrayIconShown = Shell_NotifyIconA(NIM_ADD, &Data) != FALSE;
  // Without a notification area the window must not vanish for good: the state still says
  // kwsTray and Restore brings it back, but the caller can see the icon is missing.
}

void TVxDefaultForm::RemoveTrayIcon() {
  if (!FTrayIconShown) return;
  NOTIFYICONDATAA Data = TrayRecord(UtilityWindow(), FTrayId);
  Shell_NotifyIconA(NIM_DELETE, &Data);
  FTrayIconShown = false;
}

void TVxDefaultForm::UpdateTrayIcon() {
  if (!FTrayIconShown) return;
  NOTIFYICONDATAA Data = TrayRecord(UtilityWindow(), FTrayId);
  Data.hIcon = SmallIconHandle();
  SetTip(Data, Application ? Application->Title() : std::string());
  Shell_NotifyIconA(NIM_MODIFY, &Data);
}

// [System menu] ---------------------------------------------------------------------------------

void SetSystemMenuPresenter(TVxSystemMenuPresenter Value) { Presenter = Value; }

void TVxDefaultForm::SetSystemMenu(TComponent* Value) {
  if (FSystemMenu == Value) return;
  delete FSystemMenu;
  FSystemMenu = Value;
}

std::vector<TVxDefaultForm::TSystemMenuEntry> TVxDefaultForm::SystemMenuEntries() const {
  using S = TVxWindowState;
  std::vector<TSystemMenuEntry> Entries;
  auto* Self = const_cast<TVxDefaultForm*>(this);
  const S State = FWindowState;
  if (IsOneOf(State, {S::kwsMaximized, S::kwsMinimized, S::kwsRollup, S::kwsTray}))
    Entries.push_back({RestoreCaption, "", 3, [Self] { Self->Restore(); }});
  if (FBorderIcons.Contains(TVxBorderIcon::kbiMinimize) && !IsOneOf(State, {S::kwsMinimized, S::kwsTray}))
    Entries.push_back({MinimizeCaption, "", 1, [Self] { Self->Minimize(); }});
  if (FBorderIcons.Contains(TVxBorderIcon::kbiMaximize) && IsOneOf(State, {S::kwsNormal, S::kwsRollup}))
    Entries.push_back({MaximizeCaption, "", 2, [Self] { Self->Maximize(); }});
  if (FBorderIcons.Contains(TVxBorderIcon::kbiRollup) && IsOneOf(State, {S::kwsNormal, S::kwsMaximized}))
    Entries.push_back({RollupCaption, "", 4, [Self] { Self->Rollup(); }});
  if (FBorderIcons.Contains(TVxBorderIcon::kbiTray) && !IsOneOf(State, {S::kwsMinimized, S::kwsTray}))
    Entries.push_back({TrayCaption, "", 5, [Self] { Self->MinimizeToTray(); }});
  if (FBorderIcons.Contains(TVxBorderIcon::kbiClose)) {
    if (!Entries.empty()) Entries.push_back({"-", "", -1, nullptr});
    Entries.push_back({CloseCaption, "Alt+F4", 0, [Self] { Self->Close(); }});
  }
  return Entries;
}

void TVxDefaultForm::ShowSystemMenu() {
  if (Designing()) return;
  TForm* F = Form();
  if (!F) return;
  FHotPart = vxhtNoPart;
  TPoint P;
  if (FWindowState == TVxWindowState::kwsTray) {
    POINT Cursor;
    GetCursorPos(&Cursor);
    P = {Cursor.x, Cursor.y};
  } else if (FPopupPoint.X != 0 || FPopupPoint.Y != 0) {
    P = FPopupPoint;
  } else {
    P = F->ClientToScreen({0, 0});
  }
  if (FWindowState == TVxWindowState::kwsTray && FTrayMenuLink) {
    SetForegroundWindow(UtilityWindow());
    FTrayMenuLink->Popup(P.X, P.Y);
    return;
  }
  if (FWindowState != TVxWindowState::kwsTray && FSystemMenuLink) {
    FSystemMenuLink->Popup(P.X, P.Y);
    return;
  }
  if (OnShowSystemMenu) return OnShowSystemMenu(SystemMenuEntries(), P);
  if (Presenter) return Presenter(*this, P, FWindowState == TVxWindowState::kwsTray);
  // Without the skinned menus the platform's popup menu offers the same entries.
  const std::vector<TSystemMenuEntry> Entries = SystemMenuEntries();
  HMENU Menu = CreatePopupMenu();
  if (!Menu) return;
  for (size_t I = 0; I < Entries.size(); ++I) {
    const TSystemMenuEntry& E = Entries[I];
    if (E.Caption == "-") {
      AppendMenuA(Menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::string Text = E.ShortCut.empty() ? E.Caption : E.Caption + "\t" + E.ShortCut;
    AppendMenuA(Menu, MF_STRING, I + 1, Text.c_str());
  }
  HWND Owner = FWindowState == TVxWindowState::kwsTray ? UtilityWindow() : F->Handle();
  if (FWindowState == TVxWindowState::kwsTray) SetForegroundWindow(Owner);
  const UINT Chosen = UINT(
      TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, P.X, P.Y, 0, Owner, nullptr));
  DestroyMenu(Menu);
  if (Chosen >= 1 && Chosen <= Entries.size() && Entries[Chosen - 1].Click) Entries[Chosen - 1].Click();
}
