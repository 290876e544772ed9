// TControl: what every control has, windowed or not.
#include <windows.h>

#include "framework/ui/actions.h"
#include "framework/ui/application.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"
#include "framework/ui/menus.h"

namespace {

TControl* CaptureControl = nullptr;

constexpr const char* AlignValueNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};

TPoint MousePoint(intptr_t LParam) { return {Integer(int16_t(LOWORD(LParam))), Integer(int16_t(HIWORD(LParam)))}; }

}  // namespace

const TEnumInfo& AlignNames() {
  static const TEnumInfo Info{AlignValueNames};
  return Info;
}

std::optional<Integer> ScrollRequestPosition(HWND Wnd, int Bar, int Code, Integer Pos, Integer Line, Integer Page,
                                             Integer Last) {
  switch (Code) {
    case SB_LINEUP: return Pos - Line;
    case SB_LINEDOWN: return Pos + Line;
    case SB_PAGEUP: return Pos - Page;
    case SB_PAGEDOWN: return Pos + Page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return Last;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO Info{sizeof(Info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(Wnd, Bar, &Info);
      return Info.nTrackPos;
    }
  }
  return std::nullopt;
}

TShiftState MouseShiftState(uintptr_t WParam) {
  TShiftState S;
  if (WParam & MK_SHIFT) S.Include(TShiftStateFlag::ssShift);
  if (WParam & MK_CONTROL) S.Include(TShiftStateFlag::ssCtrl);
  if (WParam & MK_LBUTTON) S.Include(TShiftStateFlag::ssLeft);
  if (WParam & MK_RBUTTON) S.Include(TShiftStateFlag::ssRight);
  if (WParam & MK_MBUTTON) S.Include(TShiftStateFlag::ssMiddle);
  if (GetKeyState(VK_MENU) < 0) S.Include(TShiftStateFlag::ssAlt);
  return S;
}

TShiftState KeyboardShiftState() {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(TShiftStateFlag::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(TShiftStateFlag::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) S.Include(TShiftStateFlag::ssAlt);
  return S;
}

TControl* GetCaptureControl() { return CaptureControl; }

void ForgetCaptureControl() { CaptureControl = nullptr; }

void SetCaptureControl(TControl* Control) {
  CaptureControl = Control;
  if (!Control) {
    ReleaseCapture();
    return;
  }
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (!Win) Win = Control->Parent();
  if (Win) SetCapture(Win->Handle());
}

// [TControl]

const TClassInfo& TControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TControl::Left, &TControl::SetLeft>("Left"),
      IntegerProperty<&TControl::Top, &TControl::SetTop>("Top"),
      IntegerProperty<&TControl::Width, &TControl::SetWidth>("Width"),
      IntegerProperty<&TControl::Height, &TControl::SetHeight>("Height"),
      EnumProperty<&TControl::Align, &TControl::SetAlign>("Align", AlignNames(), int64_t(TAlign::alNone)),
      BooleanProperty<&TControl::Visible, &TControl::SetVisible>("Visible", 1),
      BooleanProperty<&TControl::Enabled, &TControl::SetEnabled>("Enabled", 1),
      StringProperty<&TControl::Caption, &TControl::SetCaption>("Caption"),
      ColorProperty<&TControl::Color, &TControl::SetColor>("Color"),
      ClassProperty<&TControl::Font>("Font"),
      // After Font: a font read from the stream must not switch a stored True off again.
      BooleanProperty<&TControl::ParentFont, &TControl::SetParentFont>("ParentFont"),
      BooleanProperty<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor", 0),
      IntegerProperty<&TControl::Cursor, &TControl::SetCursor>("Cursor", crDefault),
      StringProperty<&TControl::Hint, &TControl::SetHint>("Hint"),
      BooleanProperty<&TControl::ShowHint, &TControl::SetShowHint>("ShowHint", 0),
      // After ShowHint, and always written: a ShowHint read from the stream switches it off.
      BooleanProperty<&TControl::ParentShowHint, &TControl::SetParentShowHint>("ParentShowHint"),
      ComponentProperty<&TControl::PopupMenu, &TControl::SetPopupMenu>("PopupMenu"),
      ComponentProperty<&TControl::Action, &TControl::SetAction>("Action"),
  };
  static const TClassInfo Info{"TControl", &TComponent::StaticClassInfo(), Properties};
  return Info;
}

TControl::TControl(TComponent* Owner) : TComponent(Owner), FFont(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& Message) { WndProc(Message); };
  FFont->OnChange = [this] { FontChanged(); };
  FControlStyle = {TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks};
}

TControlWatch::TControlWatch(TControl* Control) : FControl(Control), FOuter(Control ? Control->FWatches : nullptr) {
  if (FControl) FControl->FWatches = this;
}

TControlWatch::~TControlWatch() {
  if (FControl) FControl->FWatches = FOuter;
}

TControl::~TControl() {
  for (TControlWatch* Watch = FWatches; Watch; Watch = Watch->FOuter) Watch->FControl = nullptr;
  if (CaptureControl == this) SetCaptureControl(nullptr);
  if (Application) Application->HintControlGone(this);
  if (FParent) FParent->RemoveControl(this);
  FFont->OnChange = nullptr;
}

intptr_t TControl::Perform(TMsgNum Msg, uintptr_t WParam, intptr_t LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WindowProc(Message);
  return Message.Result;
}

void TControl::DefaultHandler(TMessage& Message) { (void)Message; }

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TControl::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FPopupMenu) FPopupMenu = nullptr;
  if (Operation == TOperation::opRemove && FActionLink && Component == FActionLink->Action()) FActionLink.reset();
}

// [TControlActionLink]

bool TControlActionLink::IsCaptionLinked() const { return Action() && FClient->Caption() == Action()->Caption(); }
bool TControlActionLink::IsEnabledLinked() const { return Action() && FClient->Enabled() == Action()->Enabled(); }
bool TControlActionLink::IsVisibleLinked() const { return Action() && FClient->Visible() == Action()->Visible(); }
bool TControlActionLink::IsHintLinked() const { return Action() && FClient->Hint() == Action()->Hint(); }
void TControlActionLink::SetCaption(const std::string& Value) { FClient->SetCaption(Value); }
void TControlActionLink::SetEnabled(bool Value) { FClient->SetEnabled(Value); }
void TControlActionLink::SetVisible(bool Value) { FClient->SetVisible(Value); }
void TControlActionLink::SetHint(const std::string& Value) { FClient->SetHint(Value); }

std::unique_ptr<TActionLink> TControl::CreateActionLink() { return std::make_unique<TControlActionLink>(this); }

TAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TAction* Value) {
  if (Value == Action()) return;
  if (TAction* Old = Action()) Old->RemoveFreeNotification(this);
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = CreateActionLink();
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FControlStyle.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
      if (FControlStyle.Contains(TControlStyleFlag::csClickEvents)) FControlState.Include(TControlStateFlag::csClicked);
      break;
    case WM_LBUTTONUP:
      if (FControlStyle.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(false);
      break;
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CONTEXTMENU:
      if (FPopupMenu) {
        TPoint At{Integer(int16_t(LOWORD(Message.LParam))), Integer(int16_t(HIWORD(Message.LParam)))};
        if (Message.LParam == -1) At = ClientToScreen({Width() / 2, Height() / 2});  // from the keyboard
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(At.X, At.Y);
        Message.Result = 1;
        return;
      }
      break;
    case WM_LBUTTONDOWN: return DoMouseDown(Message, TMouseButton::mbLeft, {});
    case WM_RBUTTONDOWN: return DoMouseDown(Message, TMouseButton::mbRight, {});
    case WM_MBUTTONDOWN: return DoMouseDown(Message, TMouseButton::mbMiddle, {});
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const TMouseButton Button = Message.Msg == WM_LBUTTONDBLCLK   ? TMouseButton::mbLeft
                                  : Message.Msg == WM_RBUTTONDBLCLK ? TMouseButton::mbRight
                                                                    : TMouseButton::mbMiddle;
      if (FControlStyle.Contains(TControlStyleFlag::csDoubleClicks)) {
        if (Button == TMouseButton::mbLeft) DblClick();
        return DoMouseDown(Message, Button, {TShiftStateFlag::ssDouble});
      }
      return DoMouseDown(Message, Button, {});
    }
    case WM_LBUTTONUP: return DoMouseUp(Message, TMouseButton::mbLeft);
    case WM_RBUTTONUP: return DoMouseUp(Message, TMouseButton::mbRight);
    case WM_MBUTTONUP: return DoMouseUp(Message, TMouseButton::mbMiddle);
    case WM_MOUSEMOVE: {
      const TPoint P = MousePoint(Message.LParam);
      MouseMove(MouseShiftState(Message.WParam), P.X, P.Y);
      return;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // Parents hear of it too, with the child in LParam (the pointer is still over them).
      if (FParent) FParent->Perform(Message.Msg, 0, reinterpret_cast<intptr_t>(this));
      if (!Message.LParam) Message.Msg == CM_MOUSEENTER ? MouseEnter() : MouseLeave();
      return;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        FUpdatingFont = true;
        FFont->Assign(FParent->Font());
        FUpdatingFont = false;
        Perform(CM_FONTCHANGED, 0, 0);
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent) {
        SetColor(FParent->Color());
        FParentColor = true;
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (FParentShowHint && FParent) {
        SetShowHint(FParent->ShowHint());
        FParentShowHint = true;
      }
      return;
    case CM_CURSORCHANGED: return ShowCursorIfOver();
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
    case CM_VISIBLECHANGED: return;
  }
  TComponent::Dispatch(Message);
}

void TControl::ShowCursorIfOver() {
  auto* Host = dynamic_cast<TWinControl*>(this);
  if (!Host) Host = FParent;
  if (!Host || !Host->HandleAllocated()) return;
  POINT P;
  GetCursorPos(&P);
  HWND Wnd = Host->Handle();
  if (GetCapture() != Wnd && WindowFromPoint(P) != Wnd) return;
  if (Host != this && GetCaptureControl() != this &&
      Host->ControlAtPos(Host->ScreenToClient({P.x, P.y}), false, false) != this)
    return;
  // The window picks the cursor of what is under the pointer, as it does when the pointer moves.
  SendMessageA(Wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(Wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra) {
  const TPoint P = MousePoint(Message.LParam);
  TShiftState Shift = MouseShiftState(Message.WParam);
  if (Extra.Contains(TShiftStateFlag::ssDouble)) Shift.Include(TShiftStateFlag::ssDouble);
  if (Button == TMouseButton::mbLeft) FControlState.Include(TControlStateFlag::csLButtonDown);
  MouseDown(Button, Shift, P.X, P.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  const TPoint P = MousePoint(Message.LParam);
  if (Button == TMouseButton::mbLeft) {
    const bool Clicked = FControlState.Contains(TControlStateFlag::csClicked);
    FControlState.Exclude(TControlStateFlag::csClicked);
    FControlState.Exclude(TControlStateFlag::csLButtonDown);
    if (Clicked && ClientRect().Contains(P.X, P.Y)) Click();
  }
  MouseUp(Button, MouseShiftState(Message.WParam), P.X, P.Y);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else if (FActionLink)
    FActionLink->Execute();
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) {
  bool Handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  return Handled;
}

// [Parent and geometry]

void TControl::SetParent(TWinControl* Value) {
  if (Value == FParent) return;
  for (TWinControl* P = Value; P; P = P->Parent())
    if (P == this) throw EComponentError("A control cannot have itself or a child as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (Value) Value->InsertControl(this);
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  AWidth = std::max<Integer>(AWidth, 0);
  AHeight = std::max<Integer>(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  InvalidateControl(FVisible, false);
  const bool Resized = AWidth != FWidth || AHeight != FHeight;
  UpdateBoundsRect(Bounds(ALeft, ATop, AWidth, AHeight));
  InvalidateControl(FVisible, false);
  RequestAlign();
  if (Resized) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R) {
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(Integer Value) { SetWidth(FWidth - ClientWidth() + Value); }
void TControl::SetClientHeight(Integer Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientToScreen(const TPoint& P) {
  if (auto* Win = dynamic_cast<TWinControl*>(this)) {
    POINT Q{P.X, P.Y};
    ::ClientToScreen(Win->Handle(), &Q);
    return {Q.x, Q.y};
  }
  if (!FParent) return {P.X + FLeft, P.Y + FTop};
  return FParent->ClientToScreen({P.X + FLeft, P.Y + FTop});
}

TPoint TControl::ScreenToClient(const TPoint& P) {
  const TPoint Origin = ClientToScreen({0, 0});
  return {P.X - Origin.X, P.Y - Origin.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& List = FParent->FControls;
  std::erase(List, this);
  List.push_back(this);
  if (auto* Win = dynamic_cast<TWinControl*>(this); Win && Win->HandleAllocated())
    SetWindowPos(Win->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  InvalidateControl(FVisible, true);
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& List = FParent->FControls;
  std::erase(List, this);
  List.insert(List.begin(), this);
  if (auto* Win = dynamic_cast<TWinControl*>(this); Win && Win->HandleAllocated())
    SetWindowPos(Win->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  InvalidateControl(FVisible, true);
}

// [State and appearance]

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  InvalidateControl(true, false);
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value, 0);
  RequestAlign();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  if (Value) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged() {
  if (FUpdatingFont) return;
  if (!ComponentState().Contains(TComponentStateFlag::csLoading)) FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  if (Value) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetText(const std::string& Value) {
  if (Value == FText) return;
  FText = Value;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetParentComponent(TComponent* AParent) {
  if (auto* Window = dynamic_cast<TWinControl*>(AParent)) SetParent(Window);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (Value == FShowHint) return;
  FShowHint = Value;
  if (auto* Win = dynamic_cast<TWinControl*>(this)) Win->NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == FParentShowHint) return;
  FParentShowHint = Value;
  if (Value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParentFont && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
  if (FParentColor && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (FParentShowHint && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

// [Painting]

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  RECT R{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  InvalidateRect(FParent->Handle(), &R, !IsOpaque);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(TControlStyleFlag::csOpaque)); }

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

// [Mouse]

bool TControl::MouseCapture() const { return CaptureControl == this; }

void TControl::SetMouseCapture(bool Value) {
  if (Value == MouseCapture()) return;
  SetCaptureControl(Value ? this : nullptr);
}

TForm* TControl::GetParentForm() const {
  const TControl* C = this;
  while (C->FParent) C = C->FParent;
  return dynamic_cast<TForm*>(const_cast<TControl*>(C));
}

void TControl::SetName(const std::string& NewName) {
  const bool ShowsName = FControlStyle.Contains(TControlStyleFlag::csSetCaption) && FText == Name();
  TComponent::SetName(NewName);
  if (ShowsName) SetText(NewName);
}
