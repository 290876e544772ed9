// TWinControl: a control with a window of its own, and the binding of windows to controls.
#include <windows.h>

#include <algorithm>

#include "framework/core/scoped_value.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"
#include "framework/ui/object_windows.h"

namespace {

constexpr char ControlProp[] = "VexelControl";
constexpr char DefProcProp[] = "VexelDefProc";

thread_local TWinControl* CreationControl = nullptr;

TPoint MousePoint(intptr_t LParam) { return {Integer(int16_t(LOWORD(LParam))), Integer(int16_t(HIWORD(LParam)))}; }

bool IsMouseMessage(TMsgNum Msg) { return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK; }

LPCSTR CursorResource(TCursor Cursor) {
  switch (Cursor) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS:
    case crVSplit: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE:
    case crHSplit: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

// The control a child window's message belongs to, if one of ours.
HWND MessageSource(const TMessage& Message) {
  switch (Message.Msg) {
    case WM_DRAWITEM: {
      const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      return Item && Item->CtlType != ODT_MENU ? Item->hwndItem : nullptr;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return reinterpret_cast<HWND>(Message.LParam);
    default: return nullptr;
  }
}

// Runs a block with a flag set, and clears it even when the block throws.
struct TFlagGuard {
  explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = false; }
  bool& FFlag;
};

}  // namespace

void ShowCursorShape(TCursor Cursor) {
  ::SetCursor(Cursor == crNone ? nullptr : LoadCursorA(nullptr, CursorResource(Cursor)));
}

// Reaches the control's private handle while the window is created and destroyed.
struct TWindowBinding {
  static LRESULT CALLBACK InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWinControl* Control = CreationControl;
    if (!Control) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    CreationControl = nullptr;
    Control->FHandle = Wnd;
    SetPropA(Wnd, ControlProp, Control);
    SetPropA(Wnd, DefProcProp, Control->FDefWndProc);
    SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ObjectWndProc));
    return ObjectWndProc(Wnd, Msg, WParam, LParam);
  }

  static LRESULT CALLBACK ObjectWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* const Bound = static_cast<TWinControl*>(GetPropA(Wnd, ControlProp));
    TWinControl* Control = Bound && (!Bound->FFreeing || Msg == WM_DESTROY) ? Bound : nullptr;
    LRESULT Result;
    if (Control) {
      TMessage Message{Msg, WParam, LParam, 0};
      Control->MainWndProcCatch(Message);
      Result = Message.Result;
    } else {
      auto DefProc = reinterpret_cast<WNDPROC>(GetPropA(Wnd, DefProcProp));
      Result = DefProc ? CallWindowProcA(DefProc, Wnd, Msg, WParam, LParam) : DefWindowProcA(Wnd, Msg, WParam, LParam);
    }
    if (Msg == WM_NCDESTROY) {
      RemovePropA(Wnd, ControlProp);
      RemovePropA(Wnd, DefProcProp);
      if (Bound && Bound->FHandle == Wnd) Bound->FHandle = nullptr;
    }
    return Result;
  }

  // The window's messages go to its class procedure from now on, not to the control.
  static void Unbind(HWND Wnd) { RemovePropA(Wnd, ControlProp); }

  static void RegisterClassFor(const TCreateParams& Params, TWinControl& Control) {
    HINSTANCE Instance = GetModuleHandleA(nullptr);
    WNDCLASSA Class{};
    if (!Params.SysClassName.empty()) {
      WNDCLASSA System{};
      if (!GetClassInfoA(nullptr, Params.SysClassName.c_str(), &System))
        throw EOutOfResources(Format("Window class %s not found", Params.SysClassName.c_str()));
      Control.FDefWndProc = reinterpret_cast<void*>(System.lpfnWndProc);
      Class = System;
    } else {
      Control.FDefWndProc = reinterpret_cast<void*>(&DefWindowProcA);
      Class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    WNDCLASSA Existing;
    if (GetClassInfoA(Instance, Params.WinClassName.c_str(), &Existing)) return;
    Class.lpfnWndProc = InitWndProc;
    Class.hInstance = Instance;
    Class.lpszClassName = Params.WinClassName.c_str();
    Class.style = Params.ClassStyle;
    Class.lpszMenuName = nullptr;
    if (!RegisterClassA(&Class))
      throw EOutOfResources(Format("Cannot register window class %s", Params.WinClassName.c_str()));
  }
};

intptr_t ObjectWindowProcAddress() { return reinterpret_cast<intptr_t>(&TWindowBinding::ObjectWndProc); }

// [TWinControl]

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder", -1),
      BooleanProperty<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop", 0),
  };
  // Child controls the stream's root owns; parts a control makes for itself stay out.
  static const TClassInfo Info{
      "TWinControl",
      &TControl::StaticClassInfo(),
      Properties,
      {},
      nullptr,
      [](const TComponent& Window, const TComponent& Root, std::vector<TComponent*>& Children) {
        for (TControl* C : static_cast<const TWinControl&>(Window).ControlList())
          if (C->Owner() == &Root) Children.push_back(C);
      }};
  return Info;
}

TWinControl::TWinControl(TComponent* Owner) : TControl(Owner) {}

TWinControl::~TWinControl() {
  FDestroying = true;
  // Leaving the parent now, while this is still a windowed control to it (tab list, focus).
  if (Parent()) Parent()->RemoveControl(this);
  // Owned children go first, while this control still answers their removal.
  DestroyComponents();
  while (!FControls.empty()) {
    TControl* Child = FControls.back();
    if (!Child->Owner()) {
      delete Child;  // nobody else would free it
      continue;
    }
    RemoveControl(Child);
  }
  if (FHandle) {
    // WindowProc hooks hear the window go; what else comes while it goes (focus, size changes)
    // goes straight to the class, since the classes derived from this one are gone already.
    FFreeing = true;
    DestroyWindow(FHandle);
    if (FHandle) TWindowBinding::Unbind(FHandle);
    FHandle = nullptr;
  }
}

TWinControl* TWinControl::FindControl(HWND Wnd) {
  if (!Wnd) return nullptr;
  DWORD Process = 0;
  GetWindowThreadProcessId(Wnd, &Process);
  if (Process != GetCurrentProcessId()) return nullptr;
  return static_cast<TWinControl*>(GetPropA(Wnd, ControlProp));
}

void TWinControl::MainWndProcCatch(TMessage& Message) {
  try {
    WindowProc(Message);
  } catch (...) {
    HandleCallbackException(this);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle || IsControlMessage(Message.Msg)) return;
  Message.Result =
      CallWindowProcA(reinterpret_cast<WNDPROC>(FDefWndProc), FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// [Window]

HWND TWinControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

HWND TWinControl::ParentWindow() const { return FParent ? FParent->Handle() : nullptr; }

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = Text();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle().Contains(TControlStyleFlag::csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
  if (Visible()) Params.Style |= WS_VISIBLE;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = ParentWindow();
  Params.WinClassName = ClassName();
  Params.ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ClassName) {
  Params.SysClassName = ClassName;
  WNDCLASSA System{};
  if (GetClassInfoA(nullptr, ClassName, &System))
    Params.ClassStyle = System.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  TWindowBinding::RegisterClassFor(Params, *this);
  CreationControl = this;
  HWND Wnd = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                             Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  CreationControl = nullptr;
  if (!Wnd) {
    FHandle = nullptr;
    throw EOutOfResources(Format("Error creating window (%lu)", GetLastError()));
  }
  FHandle = Wnd;
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  if ((Params.Style & WS_CHILD) && !Params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  CreateWindowHandle(Params);
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  if (Params.Style & WS_CHILD) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  // The parent's window first: creating it creates this one too, and CreateWnd runs only once.
  if (FParent && !FParent->FHandle) {
    FParent->CreateHandle();
    if (FHandle) return;
  }
  CreateWnd();
  for (TControl* Child : FControls)
    if (auto* Win = dynamic_cast<TWinControl*>(Child)) Win->CreateHandle();
  Realign();
}

void TWinControl::DestroyWnd() {
  if (FHandle) DestroyWindow(FHandle);
  FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FControlState.Include(TControlStateFlag::csDestroyingHandle);
  for (TControl* Child : FControls)
    if (auto* Win = dynamic_cast<TWinControl*>(Child)) Win->DestroyHandle();
  DestroyWnd();
  FControlState.Exclude(TControlStateFlag::csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const bool HadFocus = Focused();
  DestroyHandle();
  CreateHandle();
  if (HadFocus) ::SetFocus(FHandle);
}

// [Children]

void TWinControl::InsertControl(TControl* Control) {
  Control->FParent = this;
  FControls.push_back(Control);
  if (auto* Win = dynamic_cast<TWinControl*>(Control)) {
    FTabList.push_back(Win);
    if (Win->FPendingTabOrder >= 0) {
      Win->SetTabOrder(Win->FPendingTabOrder);
      Win->FPendingTabOrder = -1;
    }
  }
  if (Control->ParentFont()) Control->Perform(CM_PARENTFONTCHANGED, 0, 0);
  if (Control->ParentColor()) Control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (Control->ParentShowHint()) Control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (auto* Win = dynamic_cast<TWinControl*>(Control); Win && FHandle) Win->CreateHandle();
  Control->InvalidateControl(Control->Visible(), false);
  if (Control->Align() != TAlign::alNone) Realign();
  Perform(CM_CONTROLCHANGE, reinterpret_cast<uintptr_t>(Control), 1);
}

void TWinControl::RemoveControl(TControl* Control) {
  if (Control->FParent != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<uintptr_t>(Control), 0);
  if (auto* Win = dynamic_cast<TWinControl*>(Control))
    Win->DestroyHandle();
  else
    Control->InvalidateControl(Control->Visible(), false);
  if (TForm* Form = GetParentForm()) Form->ControlRemoved(Control);
  if (FMouseControl == Control) FMouseControl = nullptr;
  std::erase(FControls, Control);
  std::erase_if(FTabList, [Control](TWinControl* W) { return static_cast<TControl*>(W) == Control; });
  Control->FParent = nullptr;
  if (Control->Align() != TAlign::alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (; Control; Control = Control->Parent())
    if (Control == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& P, bool AllowDisabled, bool AllowWinControls) const {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    if (!AllowWinControls && dynamic_cast<TWinControl*>(C)) continue;
    if (!C->Visible() || (!AllowDisabled && !C->Enabled())) continue;
    if (C->BoundsRect().Contains(P.X, P.Y)) return C;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (size_t I = 0; I < FControls.size(); ++I) {
    FControls[I]->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(TMsgNum Msg) {
  TMessage Message{Msg, 0, 0, 0};
  for (size_t I = 0; I < FControls.size(); ++I) FControls[I]->WindowProc(Message);
}

// [Geometry and alignment]

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  AWidth = std::max<Integer>(AWidth, 0);
  AHeight = std::max<Integer>(AHeight, 0);
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (FHandle) {
    // WM_WINDOWPOSCHANGED takes the window's new bounds over and realigns.
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RequestAlign();
    return;
  }
  const bool Resized = AWidth != Width() || AHeight != Height();
  InvalidateControl(Visible(), false);
  UpdateBoundsRect(Bounds(ALeft, ATop, AWidth, AHeight));
  RequestAlign();
  if (Resized) {
    Realign();
    Resize();
  }
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT R;
  GetWindowRect(FHandle, &R);
  if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&R), 2);
  const TRect New = Rect(R.left, R.top, R.right, R.bottom);
  if (New == BoundsRect()) return;
  const bool Resized = New.Width() != Width() || New.Height() != Height();
  UpdateBoundsRect(New);
  if (Resized) {
    Realign();
    Resize();
  }
}

TRect TWinControl::ClientRect() {
  if (!FHandle) return TControl::ClientRect();
  RECT R;
  GetClientRect(FHandle, &R);
  return Rect(R.left, R.top, R.right, R.bottom);
}

void TWinControl::AlignControl(TControl* AControl) {
  if (FAligning) return;
  if (FAlignLevel > 0) {
    FControlState.Include(TControlStateFlag::csAlignmentNeeded);
    return;
  }
  TFlagGuard Guard(FAligning);
  FControlState.Exclude(TControlStateFlag::csAlignmentNeeded);
  TRect R = ClientRect();
  AdjustClientRect(R);
  AlignControls(AControl, R);
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FControlState.Contains(TControlStateFlag::csAlignmentNeeded)) Realign();
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  (void)AControl;
  for (TAlign A : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
    DoAlign(A, Rect);
}

void TWinControl::DoAlign(TAlign Align, TRect& R) {
  std::vector<TControl*> List;
  for (TControl* C : FControls)
    if (C->Align() == Align && C->Visible()) List.push_back(C);
  // Controls on the same side keep their order along it; the list order breaks ties.
  auto Key = [Align](const TControl* C) {
    switch (Align) {
      case TAlign::alTop: return C->Top();
      case TAlign::alBottom: return -(C->Top() + C->Height());
      case TAlign::alLeft: return C->Left();
      case TAlign::alRight: return -(C->Left() + C->Width());
      default: return 0;
    }
  };
  std::stable_sort(List.begin(), List.end(), [&](TControl* A, TControl* B) { return Key(A) < Key(B); });
  for (TControl* C : List) {
    const Integer W = std::max<Integer>(R.Width(), 0), H = std::max<Integer>(R.Height(), 0);
    switch (Align) {
      case TAlign::alTop:
        C->SetBounds(R.Left, R.Top, W, C->Height());
        R.Top += C->Height();
        break;
      case TAlign::alBottom:
        C->SetBounds(R.Left, R.Bottom - C->Height(), W, C->Height());
        R.Bottom -= C->Height();
        break;
      case TAlign::alLeft:
        C->SetBounds(R.Left, R.Top, C->Width(), H);
        R.Left += C->Width();
        break;
      case TAlign::alRight:
        C->SetBounds(R.Right - C->Width(), R.Top, C->Width(), H);
        R.Right -= C->Width();
        break;
      case TAlign::alClient: C->SetBounds(R.Left, R.Top, W, H); break;
      case TAlign::alNone: break;
    }
  }
}

// [State]

void TWinControl::SetVisible(bool Value) {
  if (Value == Visible()) return;
  TControl::SetVisible(Value);
  if (FHandle) ShowWindow(FHandle, Value ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  return Parent() ? Parent()->Showing() : FHandle && IsWindowVisible(FHandle);
}

void TWinControl::SetText(const std::string& Value) {
  if (FHandle)
    SetWindowTextA(FHandle, Value.c_str());
  else
    TControl::SetText(Value);
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !ControlStyle().Contains(TControlStyleFlag::csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

// [Focus and tab order]

Integer TWinControl::TabOrder() const {
  if (!Parent()) return FPendingTabOrder;
  const auto& List = Parent()->FTabList;
  return Integer(std::find(List.begin(), List.end(), this) - List.begin());
}

void TWinControl::SetTabOrder(Integer Value) {
  if (!Parent()) {
    FPendingTabOrder = Value;
    return;
  }
  auto& List = Parent()->FTabList;
  std::erase(List, this);
  const size_t At = std::clamp<size_t>(Value < 0 ? List.size() : size_t(Value), 0, List.size());
  List.insert(List.begin() + ptrdiff_t(At), this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return FTabList; }

std::vector<TWinControl*> TWinControl::GetTabOrderList() const {
  std::vector<TWinControl*> Result;
  for (TWinControl* C : FTabList) {
    Result.push_back(C);
    const auto Inner = C->GetTabOrderList();
    Result.insert(Result.end(), Inner.begin(), Inner.end());
  }
  return Result;
}

bool TWinControl::CanFocus() const {
  // The form itself may still be hidden: focus set now is applied when it is shown.
  for (const TControl* C = this; C->Parent(); C = C->Parent())
    if (!C->Visible() || !C->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  TForm* Form = GetParentForm();
  if (Form && Form != this)
    Form->FocusControl(this);
  else
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, TTabDirection Direction, bool CheckTabStop,
                                          bool CheckParent) const {
  const auto List = GetTabOrderList();
  const int N = int(List.size());
  if (N == 0) return nullptr;
  int I = int(std::find(List.begin(), List.end(), CurControl) - List.begin());
  if (I == N) I = -1;
  for (int Step = 0; Step < N; ++Step) {
    if (Direction == TTabDirection::Forward)
      I = (I + 1) % N;
    else
      I = I <= 0 ? N - 1 : I - 1;
    TWinControl* C = List[size_t(I)];
    if (C == CurControl) break;
    if ((!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this) && C->CanFocus()) return C;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, TTabDirection Direction, bool CheckTabStop) {
  if (TWinControl* C = FindNextControl(CurControl, Direction, CheckTabStop, false)) C->SetFocus();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// [Keyboard]

bool TWinControl::DoKeyDown(TMessage& Message) {
  TForm* Form = GetParentForm();
  if (Form && Form != this && Form->KeyPreview() && static_cast<TWinControl*>(Form)->DoKeyDown(Message)) return true;
  uint16_t Key = uint16_t(Message.WParam);
  KeyDown(Key, KeyboardShiftState());
  if (Key == 0) return true;
  Message.WParam = Key;
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TForm* Form = GetParentForm();
  if (Form && Form != this && Form->KeyPreview() && static_cast<TWinControl*>(Form)->DoKeyUp(Message)) return true;
  uint16_t Key = uint16_t(Message.WParam);
  KeyUp(Key, KeyboardShiftState());
  if (Key == 0) return true;
  Message.WParam = Key;
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TForm* Form = GetParentForm();
  if (Form && Form != this && Form->KeyPreview() && static_cast<TWinControl*>(Form)->DoKeyPress(Message)) return true;
  char Key = char(Message.WParam);
  KeyPress(Key);
  if (Key == 0) return true;
  Message.WParam = uint8_t(Key);
  return false;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::WantsKey(uint16_t Key) const {
  if (!FHandle) return false;
  const auto Code = SendMessageA(FHandle, WM_GETDLGCODE, Key, 0);
  if (Code & DLGC_WANTALLKEYS) return true;
  switch (Key) {
    case VK_TAB: return Code & DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return Code & DLGC_WANTARROWS;
    default: return false;
  }
}

bool TWinControl::IsDialogKey(uint16_t Key) {
  switch (Key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: return !WantsKey(Key);
    default: return false;
  }
}

// [Messages]

void TWinControl::UpdateMouseControl(TControl* Control) {
  if (Control != FMouseControl) {
    TControl* Old = FMouseControl;
    FMouseControl = Control;
    if (Old) Old->Perform(CM_MOUSELEAVE, 0, 0);
    if (Control) Control->Perform(CM_MOUSEENTER, 0, 0);
    if (Application) {
      if (Control)
        Application->HintMouseMove(Control);
      else if (Old)
        Application->HintLeave(Old);
    }
  }
  // Only a pointer over the window asks to hear it leave: asked for after the leave, a pointer
  // already elsewhere is reported leaving at once, again and again.
  if (Control && !FTrackingLeave && FHandle) {
    TRACKMOUSEEVENT Track{sizeof(Track), TME_LEAVE, FHandle, 0};
    FTrackingLeave = TrackMouseEvent(&Track);
  }
}

void TWinControl::WndProc(TMessage& Message) {
  if (IsMouseMessage(Message.Msg)) {
    const TPoint P = MousePoint(Message.LParam);
    TControl* Capture = GetCaptureControl();
    TControl* Target = nullptr;
    if (Capture && Capture->Parent() == this && !dynamic_cast<TWinControl*>(Capture))
      Target = Capture;
    else if (Capture != this)
      Target = ControlAtPos(P, false, false);
    if (Message.Msg == WM_MOUSEMOVE) UpdateMouseControl(Target ? Target : this);
    if (Target) {
      TMessage Routed = Message;
      Routed.LParam = MAKELPARAM(P.X - Target->Left(), P.Y - Target->Top());
      Target->WindowProc(Routed);
      Message.Result = Routed.Result;
      return;
    }
    // The window class sees the mouse first (a system control presses, selects, clicks); the
    // control's events follow.
    DefaultHandler(Message);
    TMessage Events = Message;
    TControl::WndProc(Events);
    return;
  } else if (Message.Msg == WM_MOUSELEAVE) {
    FTrackingLeave = false;
    UpdateMouseControl(nullptr);
  } else if (Message.Msg == WM_MOUSEWHEEL) {
    if (MouseWheelHandler(Message)) return;
  } else if (Message.Msg == WM_ERASEBKGND && FDoubleBuffered && reinterpret_cast<HDC>(Message.WParam) != FBufferDC) {
    // The background goes into the off-screen bitmap with the rest.
    Message.Result = 1;
    return;
  } else if (ReflectToChild(Message)) {
    return;
  }
  TControl::WndProc(Message);
}

bool TWinControl::MouseWheelHandler(TMessage& Message) {
  const TPoint Pos = MousePoint(Message.LParam);
  const TShiftState Shift = MouseShiftState(LOWORD(Message.WParam));
  const Integer Delta = int16_t(HIWORD(Message.WParam));
  TControl* Child = ControlAtPos(ScreenToClient(Pos), false, false);
  if ((Child && Child->DoMouseWheel(Shift, Delta, Pos)) || DoMouseWheel(Shift, Delta, Pos)) {
    Message.Result = 0;
    return true;
  }
  // Not handled: the control's own scrolling, else the window class passes it to the parent.
  return false;
}

bool TWinControl::ReflectToChild(TMessage& Message) {
  HWND From = MessageSource(Message);
  if (!From || From == FHandle) return false;
  TWinControl* Child = FindControl(From);
  if (!Child) return false;
  Message.Result = Child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  // A scroll bar's scrolling is never the parent's own; an unanswered colour or drawing request
  // gets the window class's default.
  return Message.Result != 0 || Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
    case WM_NOTIFY: {
      // A child window's notification goes to its own control; menu commands (no window) go on.
      HWND From = nullptr;
      if (Message.LParam)
        From = Message.Msg == WM_COMMAND ? reinterpret_cast<HWND>(Message.LParam)
                                         : reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom;
      if (TWinControl* Child = FindControl(From)) {
        Message.Result = Child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    }
    case WM_CONTEXTMENU:
      // A windowless control under the point has no window to get it: its menu comes first.
      if (Message.LParam != -1) {
        const TPoint P = ScreenToClient(MousePoint(Message.LParam));
        if (TControl* C = ControlAtPos(P, false, false); C && C->PopupMenu()) {
          Message.Result = C->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
    case WM_PAINT: return PaintHandler(Message);
    case WM_PRINTCLIENT: return PrintClient(Message);
    case WM_ERASEBKGND: {
      RECT R;
      GetClientRect(FHandle, &R);
      TBrushHandle Brush(CreateSolidBrush(COLORREF(ColorToRGB(Color()))));
      FillRect(reinterpret_cast<HDC>(Message.WParam), &R, Brush.Get());
      Message.Result = 1;
      return;
    }
    case WM_SETFOCUS: {
      TForm* Form = GetParentForm();
      if (Form && Form != this && !Form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (TForm* Form = GetParentForm(); Form && Form->IsShortCut(uint16_t(Message.WParam), KeyboardShiftState()))
        return;
      if (DoKeyDown(Message)) return;
      const uint16_t Key = uint16_t(Message.WParam);
      if (IsDialogKey(Key))
        if (TForm* Form = GetParentForm(); Form && Form->Perform(CM_DIALOGKEY, Key, Message.LParam) != 0) return;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (DoKeyUp(Message)) return;
      break;
    case WM_CHAR:
      if (DoKeyPress(Message)) return;
      if (Message.WParam == '\t' && !WantsKey(VK_TAB)) return;  // the key already moved the focus
      break;
    case WM_SYSCHAR:
      if (TForm* Form = GetParentForm(); Form && Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
        return;
      break;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(Message);
      if (FHandle) UpdateBoundsFromWindow();
      return;
    case WM_SETTEXT:
      DefaultHandler(Message);
      if (Message.Result && Message.LParam) {
        TControl::SetText(reinterpret_cast<const char*>(Message.LParam));
      }
      return;
    case WM_SETCURSOR:
      if (Screen->Cursor() != crDefault && int16_t(LOWORD(Message.LParam)) != HTERROR) {
        ShowCursorShape(Screen->Cursor());
        Message.Result = 1;
        return;
      }
      // A child window's request passed up: the child's cursor, not ours.
      if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT) {
        POINT P;
        GetCursorPos(&P);
        ::ScreenToClient(FHandle, &P);
        TControl* Over = GetCaptureControl();
        if (!Over || Over->Parent() != this) Over = ControlAtPos({P.x, P.y}, false, false);
        if (!Over) Over = this;
        if (Over->Cursor() != crDefault) {
          ShowCursorShape(Over->Cursor());
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_CAPTURECHANGED: {
      TControl* Capture = GetCaptureControl();
      if (Capture && (Capture == this || Capture->Parent() == this) &&
          reinterpret_cast<HWND>(Message.LParam) != FHandle) {
        // The capture has already moved: releasing it now would take it from its new owner.
        ForgetCaptureControl();
        if (Capture != this) Capture->Perform(CM_CANCELMODE, 0, 0);
      }
      break;
    }
    case WM_NCDESTROY:
      DefaultHandler(Message);
      FTrackingLeave = false;
      FMouseControl = nullptr;
      return;
    case CM_ENTER: return DoEnter();
    case CM_EXIT: return DoExit();
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: return Broadcast(Message);
    case CM_FOCUSCHANGED:
      // Every descendant hears it: nobody answers, so the broadcast never stops early.
      Message.Result = 0;
      for (TControl* Child : std::vector<TControl*>(FControls)) Child->WindowProc(Message);
      return;
    case CM_FONTCHANGED:
      if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
      NotifyControls(CM_PARENTFONTCHANGED);
      Invalidate();
      return;
    case CM_COLORCHANGED:
      NotifyControls(CM_PARENTCOLORCHANGED);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled())
        if (TForm* Form = GetParentForm(); Form && Form != this) Form->ControlDisabled(this);
      if (FHandle) EnableWindow(FHandle, Enabled());
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      if (!Visible())
        if (TForm* Form = GetParentForm(); Form && Form != this) Form->ControlDisabled(this);
      break;
  }
  TControl::Dispatch(Message);
}

// [Painting]

void TWinControl::PaintHandler(TMessage& Message) {
  if (Message.WParam) {
    HDC DC = reinterpret_cast<HDC>(Message.WParam);
    TControlWatch Watch(this);
    PaintWindow(DC);
    if (!Watch.Freed()) PaintControls(DC, nullptr);
    return;
  }
  TPaintDC Paint(FHandle);
  if (FDoubleBuffered) {
    const RECT& R = Paint.Paint().rcPaint;
    PaintBuffered(Paint.Get(), Rect(R.left, R.top, R.right, R.bottom));
    return;
  }
  TControlWatch Watch(this);
  PaintWindow(Paint.Get());
  if (Watch.Freed()) return;
  PaintControls(Paint.Get(), nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
  // Plain windows have nothing of their own to paint; system classes paint into a given DC.
  if (FDefWndProc == reinterpret_cast<void*>(&DefWindowProcA)) return;
  TMessage Message{WM_PAINT, reinterpret_cast<uintptr_t>(DC), 0, 0};
  DefaultHandler(Message);
}

void TWinControl::PaintBuffered(HDC DC, const TRect& Area) {
  if (Area.Width() <= 0 || Area.Height() <= 0) return;
  TMemoryDC Memory(DC);
  TBitmapHandle Bitmap(CreateCompatibleBitmap(DC, Area.Width(), Area.Height()));
  if (!Memory.Get() || !Bitmap) {
    // Out of memory for the buffer: paint straight to the window rather than not at all.
    if (!ControlStyle().Contains(TControlStyleFlag::csOpaque)) {
      TScopedValue<HDC> Own(FBufferDC, DC);
      Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    }
    PaintWindow(DC);
    PaintControls(DC, nullptr);
    return;
  }
  TSelectGuard Select(Memory.Get(), Bitmap.Get());
  SetViewportOrgEx(Memory.Get(), -Area.Left, -Area.Top, nullptr);
  {
    TControlWatch Watch(this);
    TScopedValue<HDC> Own(FBufferDC, Memory.Get());
    if (!ControlStyle().Contains(TControlStyleFlag::csOpaque))
      Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Memory.Get()), 0);
    PaintWindow(Memory.Get());
    if (Watch.Freed()) {
      Own.Release();
      return;
    }
    PaintControls(Memory.Get(), nullptr);
  }
  SetViewportOrgEx(Memory.Get(), 0, 0, nullptr);
  BitBlt(DC, Area.Left, Area.Top, Area.Width(), Area.Height(), Memory.Get(), 0, 0, SRCCOPY);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  bool Started = First == nullptr;
  TControlWatch Watch(this);
  for (size_t I = 0; I < FControls.size() && !Watch.Freed(); ++I) {
    TControl* C = FControls[I];
    if (C == First) Started = true;
    if (!Started || dynamic_cast<TWinControl*>(C) || !C->Visible()) continue;
    RECT R{C->Left(), C->Top(), C->Left() + C->Width(), C->Top() + C->Height()};
    if (!RectVisible(DC, &R)) continue;
    const int Saved = SaveDC(DC);
    POINT Origin;
    GetViewportOrgEx(DC, &Origin);
    SetViewportOrgEx(DC, Origin.x + C->Left(), Origin.y + C->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, C->Width(), C->Height());
    C->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(DC), 0);
    RestoreDC(DC, Saved);
    // A child that freed itself while painting leaves its place to the next one.
    if (!Watch.Freed() && I < FControls.size() && FControls[I] != C) --I;
  }
}

void TWinControl::PrintClient(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  Message.Result = 0;
  TControlWatch Watch(this);
  TScopedValue<HDC> Own(FBufferDC, DC);
  if (Message.LParam & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, Message.WParam, 0);
  if (!Watch.Freed()) Perform(WM_PAINT, Message.WParam, 0);
  for (size_t I = 0; (Message.LParam & PRF_CHILDREN) && !Watch.Freed() && I < FControls.size(); ++I) {
    TControl* Child = FControls[I];
    auto* C = dynamic_cast<TWinControl*>(Child);
    if (!C || !C->Visible() || !C->HandleAllocated()) continue;
    const int Saved = SaveDC(DC);
    POINT Origin;
    GetViewportOrgEx(DC, &Origin);
    SetViewportOrgEx(DC, Origin.x + C->Left(), Origin.y + C->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, C->Width(), C->Height());
    C->Perform(WM_PRINTCLIENT, Message.WParam, Message.LParam);
    RestoreDC(DC, Saved);
    // A child that freed itself while printing leaves its place to the next one.
    if (!Watch.Freed() && I < FControls.size() && FControls[I] != Child) --I;
  }
  if (Watch.Freed()) Own.Release();
}
