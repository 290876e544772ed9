// Window states of a skinned form (normal, maximized, minimized, rolled up, in the notification
// area), closing, help, the tray icon and the system menu.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <algorithm>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "framework/ui/menus.h"
#include "vexel/forms/vx_form.h"

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

// The glyphs of the system menu, drawn here: black figures on the magenta mask.
void DrawMenuGlyph(HDC DC, int Index, int Size) {
  const HBRUSH Black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  auto Fill = [&](int L, int T, int R, int B) {
    const RECT Area{L, T, R, B};
    FillRect(DC, &Area, Black);
  };
  auto Frame = [&](int L, int T, int R, int B) {
    Fill(L, T, R, T + 2);
    Fill(L, T, L + 1, B);
    Fill(R - 1, T, R, B);
    Fill(L, B - 1, R, B);
  };
  switch (Index) {
    case 0:  // close: a cross
      for (int I = 0; I < 8; ++I) {
        Fill(4 + I, 4 + I, 6 + I, 5 + I);
        Fill(10 - I, 4 + I, 12 - I, 5 + I);
      }
      break;
    case 1: Fill(4, Size - 6, 11, Size - 4); break;  // minimize: a bar at the bottom
    case 2: Frame(3, 3, 13, 12); break;              // maximize: a window
    case 3:                                          // restore: two windows
      Frame(6, 2, 14, 9);
      Frame(2, 6, 10, 13);
      break;
    case 4:  // roll up: a triangle pointing up
      for (int I = 0; I < 4; ++I) Fill(7 - I, 6 + I, 9 + I, 7 + I);
      break;
    case 5:  // tray: a dot at the bottom right
      Fill(10, 10, 14, 14);
      Fill(2, 13, 14, 14);
      break;
    default: break;
  }
}

}  // namespace

TImageList& SystemMenuImages() {
  static TImageList* Images = [] {
    auto* List = new TImageList();
    List->SetWidth(16);
    List->SetHeight(16);
    List->SetMasked(true);
    for (int I = 0; I < 6; ++I) {
      // The minimize glyph is a pixel larger, as the platform's is.
      const int Size = I == 1 ? 17 : 16;
      TBitmap Glyph;
      Glyph.SetWidth(Size);
      Glyph.SetHeight(Size);
      HDC DC = Glyph.Canvas().Handle();
      const RECT All{0, 0, Size, Size};
      HBRUSH Magenta = CreateSolidBrush(RGB(255, 0, 255));
      FillRect(DC, &All, Magenta);
      DeleteObject(Magenta);
      DrawMenuGlyph(DC, I, Size);
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
  std::string Tip;
  if (FMinimizeApplication && Application && !Application->Title().empty())
    Tip = Application->Title();
  else
    Tip = F->Caption();
  // The framework has no application window: the form's own window goes in both cases.
  ShowWindow(F->Handle(), SW_HIDE);
  AddTrayIcon(Tip.substr(0, 63));
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
        if (FMinimizeApplication && GetWindow(F->Handle(), GW_OWNER)) break;
        BackToNormal();
        Maximize();
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
  NOTIFYICONDATAA Data = TrayRecord(FUtilityWindow, FTrayId);
  Data.hIcon = SmallIconHandle();
  SetTip(Data, Tip);
  FTrayIconShown = Shell_NotifyIconA(NIM_ADD, &Data) != FALSE;
  // Without a notification area the window must not vanish for good: the state still says
  // kwsTray and Restore brings it back, but the caller can see the icon is missing.
}

void TVxDefaultForm::RemoveTrayIcon() {
  if (!FTrayIconShown) return;
  NOTIFYICONDATAA Data = TrayRecord(FUtilityWindow, FTrayId);
  Shell_NotifyIconA(NIM_DELETE, &Data);
  FTrayIconShown = false;
}

void TVxDefaultForm::UpdateTrayIcon() {
  if (!FTrayIconShown) return;
  NOTIFYICONDATAA Data = TrayRecord(FUtilityWindow, FTrayId);
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
    SetForegroundWindow(FUtilityWindow);
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
  HWND Owner = FWindowState == TVxWindowState::kwsTray ? FUtilityWindow : F->Handle();
  if (FWindowState == TVxWindowState::kwsTray) SetForegroundWindow(Owner);
  const UINT Chosen = UINT(
      TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, P.X, P.Y, 0, Owner, nullptr));
  DestroyMenu(Menu);
  if (Chosen >= 1 && Chosen <= Entries.size() && Entries[Chosen - 1].Click) Entries[Chosen - 1].Click();
}
