// TForm: top-level windows, focus inside them, closing and modal runs, MDI forms and children.
#include "framework/ui/forms.h"

#include <windows.h>

#include <algorithm>

#include "framework/ui/actions.h"
#include "framework/ui/application.h"
#include "framework/ui/menus.h"

namespace {

constexpr const char* BorderStyleValueNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                 "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr const char* FormStyleValueNames[] = {"fsNormal", "fsStayOnTop", "fsMDIChild", "fsMDIForm"};
constexpr const char* WindowStateValueNames[] = {"wsNormal", "wsMinimized", "wsMaximized"};
// The first window id the MDI client gives its children (for a window menu of its own).
constexpr UINT FirstMDIChildId = 0xFF00;
constexpr const char* BorderIconValueNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr const char* PositionValueNames[] = {"poDesigned", "poDefault", "poScreenCenter", "poMainFormCenter"};

struct TWindowStyle {
  DWORD Style;
  DWORD ExStyle;
};

TWindowStyle BorderWindowStyle(TFormBorderStyle Border) {
  switch (Border) {
    case TFormBorderStyle::bsNone: return {WS_POPUP, 0};
    case TFormBorderStyle::bsSingle: return {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER, 0};
    case TFormBorderStyle::bsSizeable: return {WS_OVERLAPPEDWINDOW, 0};
    case TFormBorderStyle::bsDialog: return {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME};
    case TFormBorderStyle::bsToolWindow: return {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
    case TFormBorderStyle::bsSizeToolWin: return {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
  }
  return {WS_OVERLAPPEDWINDOW, 0};
}

struct TTaskWindows {
  HWND Except;
  std::vector<HWND> Windows;
};

BOOL CALLBACK CollectTaskWindow(HWND Wnd, LPARAM Param) {
  auto* Data = reinterpret_cast<TTaskWindows*>(Param);
  if (Wnd != Data->Except && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) Data->Windows.push_back(Wnd);
  return TRUE;
}

// Disables the thread's enabled, visible top-level windows other than Except (a modal run) and
// answers them, to be enabled again afterwards.
std::vector<HWND> DisableTaskWindows(HWND Except) {
  TTaskWindows Data{Except, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectTaskWindow, reinterpret_cast<LPARAM>(&Data));
  for (HWND Wnd : Data.Windows) EnableWindow(Wnd, FALSE);
  return Data.Windows;
}

}  // namespace

const TEnumInfo& FormBorderStyleNames() {
  static const TEnumInfo Info{BorderStyleValueNames};
  return Info;
}

const TEnumInfo& FormStyleNames() {
  static const TEnumInfo Info{FormStyleValueNames};
  return Info;
}

const TEnumInfo& BorderIconNames() {
  static const TEnumInfo Info{BorderIconValueNames};
  return Info;
}

const TEnumInfo& FormWindowStateNames() {
  static const TEnumInfo Info{WindowStateValueNames};
  return Info;
}

const TEnumInfo& PositionNames() {
  static const TEnumInfo Info{PositionValueNames};
  return Info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TForm::BorderStyle, &TForm::SetBorderStyle>("BorderStyle", FormBorderStyleNames(),
                                                                int64_t(TFormBorderStyle::bsSizeable)),
      EnumProperty<&TForm::FormStyle, &TForm::SetFormStyle>("FormStyle", FormStyleNames(),
                                                            int64_t(TFormStyle::fsNormal)),
      SetProperty<&TForm::BorderIcons, &TForm::SetBorderIcons>(
          "BorderIcons", BorderIconNames(),
          int64_t(TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize}.Mask())),
      EnumProperty<&TForm::Position, &TForm::SetPosition>("Position", PositionNames(), int64_t(TPosition::poDesigned)),
      BooleanProperty<&TForm::KeyPreview, &TForm::SetKeyPreview>("KeyPreview", 0),
      EnumProperty<&TForm::WindowState, &TForm::SetWindowState>("WindowState", FormWindowStateNames(),
                                                                int64_t(TWindowState::wsNormal)),
      ComponentProperty<&TForm::Menu, &TForm::SetMenu>("Menu"),
  };
  // A form file holds the form's controls (each inside its parent) and the components it owns
  // that sit on no control; a control without a parent is not part of the form's picture.
  static const TClassInfo Info{"TForm",
                               &TCustomControl::StaticClassInfo(),
                               Properties,
                               {},
                               &CreateComponent<TForm>,
                               [](const TComponent& Form, const TComponent& Root, std::vector<TComponent*>& Children) {
                                 for (TControl* C : static_cast<const TForm&>(Form).ControlList())
                                   if (C->Owner() == &Root) Children.push_back(C);
                                 if (&Form != &Root) return;
                                 for (TComponent* C : Form.ComponentList())
                                   if (!C->HasParent()) Children.push_back(C);
                               }};
  return Info;
}

TForm::TForm(TComponent* Owner) : TCustomControl(Owner) {
  SetVisible(false);
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  // The controls go while this is still a form, so that the focus bookkeeping hears of them.
  DestroyComponents();
  DestroyMDIChildWindow();
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle Value) {
  if (Value == FFormStyle) return;
  const bool MDIChange = [&] {
    for (TFormStyle Style : {FFormStyle, Value})
      if (Style == TFormStyle::fsMDIChild || Style == TFormStyle::fsMDIForm) return true;
    return false;
  }();
  FFormStyle = Value;
  if (MDIChange) {
    RecreateWnd();
    return;
  }
  if (HandleAllocated())
    SetWindowPos(Handle(), Value == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == FBorderIcons) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TForm::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  TWindowStyle Border = BorderWindowStyle(FBorderStyle);
  if (!FBorderIcons.Contains(TBorderIcon::biSystemMenu)) Border.Style &= ~DWORD(WS_SYSMENU);
  if (!FBorderIcons.Contains(TBorderIcon::biMinimize)) Border.Style &= ~DWORD(WS_MINIMIZEBOX);
  if (!FBorderIcons.Contains(TBorderIcon::biMaximize)) Border.Style &= ~DWORD(WS_MAXIMIZEBOX);
  if (FBorderIcons.Contains(TBorderIcon::biHelp) && (Border.Style & WS_SYSMENU) &&
      !(Border.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
    Border.ExStyle |= WS_EX_CONTEXTHELP;
  // Only the state bits carry over: a child's WS_TABSTOP is a frame's WS_MAXIMIZEBOX.
  Params.Style = (Params.Style & (WS_VISIBLE | WS_DISABLED)) | WS_CLIPCHILDREN | Border.Style;
  Params.ExStyle |= Border.ExStyle;
  if (FFormStyle == TFormStyle::fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  if (Application && Application->MainForm() && Application->MainForm() != this &&
      Application->MainForm()->HandleAllocated())
    Params.WndParent = Application->MainForm()->Handle();
  if (IsMDIChild()) {
    TForm* Parent = MDIParentForm();
    if (!Parent || Parent == this) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    Parent->HandleNeeded();
    Params.WndParent = Parent->ClientHandle();
    Params.Style = (Params.Style & ~DWORD(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
    Params.ExStyle = (Params.ExStyle & ~DWORD(WS_EX_TOPMOST)) | WS_EX_MDICHILD;
  }
  PlaceWindow();
  Params.X = Left();
  Params.Y = Top();
}

void TForm::CreateWnd() {
  TCustomControl::CreateWnd();
  if (FFormStyle == TFormStyle::fsMDIForm) CreateMDIClient();
  if (FMenu) FMenu->SetWindow(Handle());
}

void TForm::DestroyWnd() {
  DestroyMDIChildWindow();
  TCustomControl::DestroyWnd();
  FClientHandle = nullptr;  // went with the form's window
}

// Through the client, which activates another child (maximized if this one was).
void TForm::DestroyMDIChildWindow() {
  if (!IsMDIChild() || !HandleAllocated()) return;
  if (HWND Client = GetParent(Handle())) SendMessageA(Client, WM_MDIDESTROY, WPARAM(Handle()), 0);
}

void TForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) {
    if (HandleAllocated() && FMenu->Window() == Handle()) FMenu->SetWindow(nullptr);
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = Value;
  if (!FMenu) return;
  FMenu->FreeNotification(this);
  if (HandleAllocated()) FMenu->SetWindow(Handle());
}

namespace {

bool TargetShortCut(TWinControl& Parent, uint16_t Key, TShiftState Shift) {
  for (Integer I = 0; I < Parent.ControlCount(); ++I) {
    TControl* C = Parent.Controls(I);
    if (auto* Target = dynamic_cast<TFormShortCutTarget*>(C); Target && Target->FormShortCut(Key, Shift)) return true;
    if (auto* W = dynamic_cast<TWinControl*>(C); W && !dynamic_cast<TForm*>(W) && TargetShortCut(*W, Key, Shift))
      return true;
  }
  return false;
}

}  // namespace

bool TForm::IsShortCut(uint16_t Key, TShiftState Shift) {
  if (TargetShortCut(*this, Key, Shift)) return true;
  const TShortCut Value = ::ShortCut(Key, Shift);
  if (FMenu && FMenu->IsShortCut(Value)) return true;
  for (TComponent* C : ComponentList())
    if (auto* List = dynamic_cast<TActionList*>(C); List && ExecuteShortCut(*List, Value)) return true;
  // A child's keys also reach the menus and actions of the MDI form it lives in.
  if (TForm* Parent = IsMDIChild() ? MDIParentForm() : nullptr; Parent && Parent != this)
    return Parent->IsShortCut(Key, Shift);
  return false;
}

void TForm::PlaceWindow() {
  if (IsMDIChild()) return;  // the MDI client places its children
  TRect Area = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  switch (FPosition) {
    case TPosition::poScreenCenter: break;
    case TPosition::poMainFormCenter: {
      TForm* Main = Application ? Application->MainForm() : nullptr;
      if (!Main || Main == this) break;
      Area = Main->BoundsRect();
      break;
    }
    default: return;
  }
  UpdateBoundsRect(
      Bounds(Area.Left + (Area.Width() - Width()) / 2, Area.Top + (Area.Height() - Height()) / 2, Width(), Height()));
}

TRect TForm::ClientRect() {
  if (HandleAllocated()) return TCustomControl::ClientRect();
  // Without a window yet: what the frame of the border style leaves.
  const TWindowStyle Border = BorderWindowStyle(FBorderStyle);
  RECT Frame{0, 0, 0, 0};
  AdjustWindowRectEx(&Frame, Border.Style, FALSE, Border.ExStyle);
  return Rect(0, 0, std::max<Integer>(Width() - (Frame.right - Frame.left), 0),
              std::max<Integer>(Height() - (Frame.bottom - Frame.top), 0));
}

// [Showing and closing]

void TForm::SetVisible(bool Value) {
  if (Value == Visible()) return;
  TControl::SetVisible(Value);
  if (Value) {
    HandleNeeded();
    if (FPosition == TPosition::poScreenCenter || FPosition == TPosition::poMainFormCenter) {
      PlaceWindow();
      SetWindowPos(Handle(), nullptr, Left(), Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    DoShow();
    ApplyWindowState();
  } else {
    if (HandleAllocated()) {
      DoHide();
      ShowWindow(Handle(), SW_HIDE);
    }
  }
}

bool TForm::Showing() const {
  auto* Self = const_cast<TForm*>(this);
  return Visible() && Self->HandleAllocated() && IsWindowVisible(Self->Handle());
}

bool TForm::CanFocus() const { return Visible() && Enabled(); }

void TForm::Show() {
  SetVisible(true);
  if (!IsMDIChild()) {
    SetForegroundWindow(Handle());
    return;
  }
  if (TForm* Parent = MDIParentForm(); Parent && Parent->ClientHandle())
    SendMessageA(Parent->ClientHandle(), WM_MDIACTIVATE, WPARAM(Handle()), 0);
}

TWindowState TForm::WindowState() const {
  auto* Self = const_cast<TForm*>(this);
  if (!Self->HandleAllocated() || !IsWindowVisible(Self->Handle())) return FWindowState;
  if (IsIconic(Self->Handle())) return TWindowState::wsMinimized;
  if (IsZoomed(Self->Handle())) return TWindowState::wsMaximized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (Visible() && HandleAllocated()) ApplyWindowState();
}

// Shows the window in FWindowState. An MDI child is maximized and restored through its client,
// which keeps the other children and the frame's menu in step.
void TForm::ApplyWindowState() {
  HWND Wnd = Handle();
  TForm* Parent = IsMDIChild() ? MDIParentForm() : nullptr;
  HWND Client = Parent ? Parent->ClientHandle() : nullptr;
  // Showing the window reports a size, which would overwrite the state being applied.
  switch (const TWindowState State = FWindowState; State) {
    case TWindowState::wsMinimized: ShowWindow(Wnd, IsWindowVisible(Wnd) ? SW_MINIMIZE : SW_SHOWMINNOACTIVE); return;
    case TWindowState::wsMaximized:
      if (!Client) {
        ShowWindow(Wnd, SW_SHOWMAXIMIZED);
        return;
      }
      ShowWindow(Wnd, SW_SHOW);
      SendMessageA(Client, WM_MDIMAXIMIZE, WPARAM(Wnd), 0);
      return;
    case TWindowState::wsNormal:
      if (!IsWindowVisible(Wnd)) {
        ShowWindow(Wnd, SW_SHOW);
        return;
      }
      if (!IsIconic(Wnd) && !IsZoomed(Wnd)) return;
      if (Client)
        SendMessageA(Client, WM_MDIRESTORE, WPARAM(Wnd), 0);
      else
        ShowWindow(Wnd, SW_RESTORE);
      return;
  }
}

// [MDI]

void TForm::CreateMDIClient() {
  CLIENTCREATESTRUCT Create{nullptr, FirstMDIChildId};
  const TRect R = ClientRect();
  FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                  R.Left, R.Top, R.Width(), R.Height(), Handle(), nullptr, GetModuleHandleA(nullptr),
                                  &Create);
  if (!FClientHandle) throw EOutOfResources(Format("Error creating window (%lu)", GetLastError()));
  SetWindowPos(FClientHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Realign();
}

void TForm::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  // The MDI client takes what the aligned controls leave.
  if (FClientHandle)
    SetWindowPos(FClientHandle, nullptr, Rect.Left, Rect.Top, std::max<Integer>(Rect.Width(), 0),
                 std::max<Integer>(Rect.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm* TForm::MDIParentForm() {
  TForm* Main = Application ? Application->MainForm() : nullptr;
  return Main && Main->FFormStyle == TFormStyle::fsMDIForm ? Main : nullptr;
}

namespace {

// The MDI client's children that are our MDI child forms, in the client's order (the active
// one first).
std::vector<TForm*> ClientChildren(HWND Client) {
  std::vector<TForm*> Children;
  if (!Client) return Children;
  for (HWND Wnd = GetWindow(Client, GW_CHILD); Wnd; Wnd = GetWindow(Wnd, GW_HWNDNEXT))
    if (auto* Form = dynamic_cast<TForm*>(TWinControl::FindControl(Wnd));
        Form && Form->FormStyle() == TFormStyle::fsMDIChild)
      Children.push_back(Form);
  return Children;
}

}  // namespace

Integer TForm::MDIChildCount() const { return Integer(ClientChildren(FClientHandle).size()); }

TForm* TForm::MDIChildren(Integer Index) const {
  const std::vector<TForm*> Children = ClientChildren(FClientHandle);
  return Index >= 0 && Index < Integer(Children.size()) ? Children[size_t(Index)] : nullptr;
}

TForm* TForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  auto* Form = dynamic_cast<TForm*>(FindControl(HWND(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0))));
  return Form && Form->IsMDIChild() ? Form : nullptr;
}

void TForm::Cascade() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TForm::Tile() {
  if (FClientHandle)
    SendMessageA(FClientHandle, WM_MDITILE, FTileMode == TTileMode::tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL,
                 0);
}

void TForm::ArrangeIcons() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 0);
}

void TForm::Previous() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 1);
}

void TForm::MDIActivated(TMessage& Message) {
  if (HWND(Message.LParam) == Handle()) {
    if (OnActivate) OnActivate(this);
  } else if (HWND(Message.WParam) == Handle() && OnDeactivate) {
    OnDeactivate(this);
  }
}

void TForm::DefaultHandler(TMessage& Message) {
  if (!HandleAllocated() || IsControlMessage(Message.Msg)) return;
  if (IsMDIChild()) {
    Message.Result = DefMDIChildProcA(Handle(), Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // The frame's procedure would stretch the client over the aligned controls.
  if (FClientHandle && Message.Msg != WM_SIZE) {
    Message.Result = DefFrameProcA(Handle(), FClientHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TCustomControl::DefaultHandler(Message);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

bool TForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  return CanClose;
}

void TForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TForm::Close() {
  if (FFormState.Contains(TFormStateFlag::fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  // A closed document window goes away; hiding would leave it active in the MDI client.
  TCloseAction Action = IsMDIChild() ? TCloseAction::caFree : TCloseAction::caHide;
  DoClose(Action);
  if (Action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (Action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    case TCloseAction::caFree: Release(); break;
    case TCloseAction::caNone: break;
  }
}

void TForm::Release() {
  if (Application) Application->ReleaseComponent(this);
}

void TForm::CloseModal() {
  TCloseAction Action = TCloseAction::caHide;
  if (!CloseQuery())
    Action = TCloseAction::caNone;
  else
    DoClose(Action);
  if (Action == TCloseAction::caNone) FModalResult = mrNone;
  FCloseAction = Action;
}

TModalResult TForm::ShowModal() {
  if (Visible() || !Enabled() || FFormState.Contains(TFormStateFlag::fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) ReleaseCapture();
  HandleNeeded();
  FFormState.Include(TFormStateFlag::fsModal);
  FModalResult = mrNone;
  FCloseAction = TCloseAction::caHide;
  const std::vector<HWND> Disabled = DisableTaskWindows(Handle());
  Application->ModalStarted();
  auto Restore = [&] {
    for (HWND Wnd : Disabled)
      if (IsWindow(Wnd)) EnableWindow(Wnd, TRUE);
    Application->ModalFinished();
    FFormState.Exclude(TFormStateFlag::fsModal);
    Hide();
  };
  try {
    Show();
    do {
      Application->HandleMessage();
      if (Application->Terminated())
        FModalResult = mrCancel;
      else if (FModalResult != mrNone)
        CloseModal();
    } while (FModalResult == mrNone);
  } catch (...) {
    Restore();
    throw;
  }
  Restore();
  const TModalResult Result = FModalResult;
  if (FCloseAction == TCloseAction::caFree) Release();
  return Result;
}

// [Focus]

void TForm::SetActiveControl(TWinControl* Control) {
  if (!Control) {
    FActiveControl = nullptr;
    return;
  }
  FocusControl(Control);
}

void TForm::FocusControl(TWinControl* Control) {
  if (!Control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (Showing()) {
    HWND Wnd = Control->Handle();
    ::SetFocus(Wnd);
    if (GetFocus() == Wnd) return;  // WM_SETFOCUS moved the form's focus
  }
  SetFocusedControl(Control);
}

bool TForm::SetFocusedControl(TWinControl* Control) {
  if (Control == FActiveControl) return true;
  // Leave the old control and its parents up to the first one that also holds the new control.
  // The focus steps outward before each CM_EXIT, so a handler that moves it elsewhere starts
  // from there and nobody hears CM_EXIT twice.
  TWinControl* Common = FActiveControl;
  while (Common && Common != this && !Common->ContainsControl(Control)) {
    TWinControl* Leaving = Common;
    Common = Leaving->Parent();
    FActiveControl = Common == this ? nullptr : Common;
    TWinControl* Expected = FActiveControl;
    Leaving->Perform(CM_EXIT, 0, 0);
    if (FActiveControl != Expected) return false;
  }
  FActiveControl = Control;
  // Enter from the outermost new container down to the control itself.
  std::vector<TWinControl*> Chain;
  for (TWinControl* P = Control; P && P != Common && P != this; P = P->Parent()) Chain.push_back(P);
  for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
    (*It)->Perform(CM_ENTER, 0, 0);
    if (FActiveControl != Control) return false;
  }
  // Every control on the form hears where the focus went (default buttons follow it).
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(Control));
  return true;
}

void TForm::ControlRemoved(TControl* Control) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (Win && FActiveControl && Win->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TForm::ControlDisabled(TWinControl* Control) {
  if (!FActiveControl || !Control->ContainsControl(FActiveControl)) return;
  if (TWinControl* Next = FindNextControl(FActiveControl, TTabDirection::Forward, true, false)) {
    Next->SetFocus();
    return;
  }
  const bool HadFocus = HandleAllocated() && IsChild(Handle(), GetFocus());
  SetFocusedControl(nullptr);
  if (HadFocus) ::SetFocus(Handle());
}

void TForm::SelectFirst() {
  if (TWinControl* C = FindNextControl(nullptr, TTabDirection::Forward, true, false)) C->SetFocus();
}

void TForm::Notification(TComponent* Component, TOperation Operation) {
  TCustomControl::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FActiveControl) FActiveControl = nullptr;
  if (Component == FMenu) FMenu = nullptr;
}

// [Messages]

void TForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_QUERYENDSESSION:
      // The session ends as the form would close: unsaved work is asked about first.
      Message.Result = CloseQuery() ? TRUE : FALSE;
      return;
    case WM_SYSCOMMAND:
      // The main form minimized or restored by the platform takes the application with it.
      if (Application && Application->MainForm() == this) {
        const WPARAM Command = Message.WParam & 0xFFF0;
        if (Command == SC_MINIMIZE) {
          Application->Minimize();
          Message.Result = 0;
          return;
        }
        if (Command == SC_RESTORE && Application->Minimized()) {
          Application->Restore();
          Message.Result = 0;
          return;
        }
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(Message.WParam) != WA_INACTIVE) {
        if (OnActivate) OnActivate(this);
        if (FActiveControl && FActiveControl->CanFocus()) {
          ::SetFocus(FActiveControl->Handle());
          return;
        }
        if (TWinControl* First = FindNextControl(nullptr, TTabDirection::Forward, true, false)) {
          ::SetFocus(First->Handle());
          return;
        }
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      break;
    case WM_MDIACTIVATE:
      if (IsMDIChild()) MDIActivated(Message);
      break;
    case WM_SIZE:
      // The platform changes the state too (caption double-click, a child maximized beside this
      // one): a form hidden and shown again comes back as it was. A window being made or still
      // hidden keeps the state it is to be shown in.
      if (!IsWindowVisible(Handle())) break;
      if (Message.WParam == SIZE_MAXIMIZED) FWindowState = TWindowState::wsMaximized;
      if (Message.WParam == SIZE_MINIMIZED) FWindowState = TWindowState::wsMinimized;
      if (Message.WParam == SIZE_RESTORED) FWindowState = TWindowState::wsNormal;
      break;
    case WM_SETFOCUS:
      // The MDI client focuses the child it activates: the focus goes on to the child's control.
      if (IsMDIChild()) {
        DefaultHandler(Message);
        if (FActiveControl && FActiveControl->CanFocus())
          ::SetFocus(FActiveControl->Handle());
        else if (TWinControl* First = FindNextControl(nullptr, TTabDirection::Forward, true, false))
          ::SetFocus(First->Handle());
        return;
      }
      break;
    case CM_DIALOGKEY:
      if (Message.WParam == VK_TAB && !KeyboardShiftState().Contains(TShiftStateFlag::ssCtrl)) {
        const bool Back = KeyboardShiftState().Contains(TShiftStateFlag::ssShift);
        SelectNext(FActiveControl, Back ? TTabDirection::Backward : TTabDirection::Forward, true);
        Message.Result = 1;
        return;
      }
      break;
  }
  TCustomControl::Dispatch(Message);
}

// [Creation and loading]

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::Loaded() {
  TCustomControl::Loaded();
  DoCreate();
}
