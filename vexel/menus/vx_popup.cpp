// Popup windows, their view and placement, showing an item's children, and deferred clicks.
#include "vexel/menus/vx_popup.h"

#include <windows.h>

#include <algorithm>

#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "framework/ui/object_windows.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// Windows of closed popups, hidden but hooked, for the next ones: creating and hooking a window
// costs more than all the rest of an opening. Two cover a menu with one open submenu, or menus
// of two kinds of effects. The most recently closed comes first; a plain array, as the
// application frees the spares at exit, after other statics of this unit may be gone.
TVxPopupWindow* Spares[2] = {};

// Removes the spare at Index, closing the gap.
TVxPopupWindow* TakeSpare(size_t Index) {
  TVxPopupWindow* Window = Spares[Index];
  std::copy(std::begin(Spares) + Index + 1, std::end(Spares), std::begin(Spares) + Index);
  std::end(Spares)[-1] = nullptr;
  return Window;
}

void ForgetSpare(TVxPopupWindow* Window) {
  for (size_t I = 0; I < std::size(Spares); ++I)
    if (Spares[I] == Window) TakeSpare(I);
}

// Keeps Window first; returns the spare it pushes out (nil: none).
TVxPopupWindow* KeepSpare(TVxPopupWindow* Window) {
  TVxPopupWindow* Oldest = std::end(Spares)[-1];
  std::copy_backward(std::begin(Spares), std::end(Spares) - 1, std::end(Spares));
  Spares[0] = Window;
  return Oldest;
}

bool SameBlending(const TVxBlending& A, const TVxBlending& B) {
  return A.Enabled() == B.Enabled() && A.Value() == B.Value();
}
bool SameShadow(const TVxShadow& A, const TVxShadow& B) { return A.Enabled() == B.Enabled() && A.Size() == B.Size(); }

// A window for a popup with these effects: a spare that has them, else a new one (changing a
// hooked window's effects costs more than a new window).
TVxPopupWindow* TakePopupWindow(TVxItem* Item, TVxItemView* Opener, const TVxBlending& Blending,
                                const TVxShadow& Shadow) {
  for (size_t I = 0; I < std::size(Spares); ++I) {
    TVxPopupWindow* Spare = Spares[I];
    if (!Spare || !Spare->Form() || !SameBlending(*Spare->Form()->Blending(), Blending) ||
        !SameShadow(*Spare->Form()->Shadow(), Shadow))
      continue;
    TakeSpare(I)->Reopen(Item, Opener);
    return Spare;
  }
  return new TVxPopupWindow(Application, Item, Opener);
}

struct TGiveBackPopupWindow {
  void operator()(TVxPopupWindow* Window) const {
    if (Window->Owner() && Window->HandleAllocated()) {
      try {
        Window->Park();
        Window = KeepSpare(Window);
      } catch (...) {
      }
    }
    delete Window;
  }
};

void Ring(HDC DC, TRect& R, TColor TopLeft, TColor BottomRight) {
  DrawBevel(DC, R, TopLeft, BottomRight);
  R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
}

}  // namespace

// [TVxPopupView] ---------------------------------------------------------------------------------

TVxPopupView::TVxPopupView(TVxPopupWindow* Window, TVxItem* RootItem)
    : TVxItemView(nullptr, RootItem, TVxViewOrientation::voVertical), FWindow(Window) {}

TVxPopupView::~TVxPopupView() {
  FMeasureCanvas.reset();
  if (FMeasureDC) DeleteDC(FMeasureDC);
}

TCanvas* TVxPopupView::Canvas() {
  if (!FMeasureCanvas) {
    FMeasureDC = CreateCompatibleDC(nullptr);
    FMeasureCanvas = std::make_unique<TCanvas>(FMeasureDC);
  }
  return FMeasureCanvas.get();
}

HWND TVxPopupView::MessageWindow() { return FWindow->HandleAllocated() ? FWindow->Handle() : nullptr; }

void TVxPopupView::SetContentSize(const TSize& Value) {
  TVxItemView::SetContentSize(Value);
  if (!FWindow->HandleAllocated()) return;
  const TSize S = FWindow->SizeForContent();
  if (S.cx != FWindow->Width() || S.cy != FWindow->Height())
    FWindow->SetBounds(FWindow->Left(), FWindow->Top(), S.cx, S.cy);
}

void TVxPopupView::RepaintRect(const TRect& R) {
  HWND Wnd = MessageWindow();
  if (!Wnd || !IsWindowVisible(Wnd) || R.IsEmpty()) return;
  if (FWindow->Composed()) {
    FWindow->Form()->RepaintRect(R);
    return;
  }
  // The form paints the popup while it erases.
  RECT Box{R.Left, R.Top, R.Right, R.Bottom};
  InvalidateRect(Wnd, &Box, TRUE);
  UpdateWindow(Wnd);
}

void TVxPopupView::RepaintAll() {
  if (HWND Wnd = MessageWindow(); Wnd && IsWindowVisible(Wnd)) {
    InvalidateRect(Wnd, nullptr, TRUE);
    UpdateWindow(Wnd);
  }
}

// A composed popup paints the whole list for any piece: the other items are hidden meanwhile.
void TVxPopupView::RepaintAlone(TVxItem* Item, const TRect& R) {
  if (!FWindow->Composed() || !RootItem()) return RepaintRect(R);
  std::vector<TVxItem*> Hid;
  for (Integer I = 0; I < RootItem()->Count(); ++I)
    if (TVxItem* Child = RootItem()->Items(I); Child != Item && !Child->Hidden()) {
      Child->SetHidden(true);
      Hid.push_back(Child);
    }
  struct TUnhide {
    std::vector<TVxItem*>& Items;
    ~TUnhide() {
      for (TVxItem* I : Items) I->SetHidden(false);
    }
  } Unhide{Hid};
  RepaintRect(R);
}

void TVxPopupView::RepaintItem(TVxItem* Item) { RepaintAlone(Item, Item->ItemRect()); }
void TVxPopupView::RepaintScrollButton(bool Up) { RepaintAlone(nullptr, ScrollButtonRect(Up)); }

// [TVxPopupWindow] -------------------------------------------------------------------------------

TVxPopupWindow::TVxPopupWindow(TComponent* Owner, TVxItem* Item, TVxItemView* ParentView) : TForm(Owner) {
  FForm = new TVxPopupForm(this);
  // The skinning component paints through the window's own erase: no framework buffer.
  SetDoubleBuffered(false);
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetBorderIcons({});
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetColor(clMenu);
  Reopen(Item, ParentView);
  RegisterThemeClient(this);
}

void TVxPopupWindow::Reopen(TVxItem* Item, TVxItemView* ParentView) {
  FItem = Item;
  FView = std::make_unique<TVxPopupView>(this, Item);
  FView->SetParentView(ParentView);
  FView->SetOrigin(ClientOffset());
}

void TVxPopupWindow::Park() {
  if (HandleAllocated()) {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    MSG Msg;
    while (PeekMessageA(&Msg, Handle(), 0, 0, PM_REMOVE))
      if (Msg.message == WM_QUIT) {
        PostQuitMessage(int(Msg.wParam));
        break;
      }
  }
  TControl::SetVisible(false);
  SetCaptionControl(nullptr);
  // The options belong to the item: the next popup hands over its own.
  FBlending = nullptr;
  FShadow = nullptr;
  FAnimation = nullptr;
  FView.reset();
  FItem = nullptr;
}

TVxPopupWindow::~TVxPopupWindow() {
  ForgetSpare(this);
  UnregisterThemeClient(this);
  // The form paints the view: it goes first.
  delete FForm;
  FForm = nullptr;
  SetCaptionControl(nullptr);
  FView.reset();
}

void TVxPopupWindow::SetCaptionControl(TWinControl* Value) {
  if (FCaptionControl) FCaptionControl->RemoveFreeNotification(this);
  FCaptionControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TVxPopupWindow::Notification(TComponent* Component, TOperation Operation) {
  TForm::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FCaptionControl) FCaptionControl = nullptr;
  if (Component == FForm) FForm = nullptr;
}

void TVxPopupWindow::SetOptions(TVxBlending* Blending, TVxShadow* Shadow, TVxAnimation* Animation) {
  FBlending = Blending;
  FShadow = Shadow;
  FAnimation = Animation;
  if (!FForm) return;
  const TVxBlending NoBlending;
  const TVxShadow NoShadow;
  const TVxAnimation NoAnimation;
  // A hooked window redoes its frame at each change: equal values are left alone.
  if (!SameBlending(*FForm->Blending(), Blending ? *Blending : NoBlending))
    FForm->SetBlending(Blending ? Blending : &NoBlending);
  if (!SameShadow(*FForm->Shadow(), Shadow ? *Shadow : NoShadow)) FForm->SetShadow(Shadow ? Shadow : &NoShadow);
  FForm->SetAnimation(Animation ? Animation : &NoAnimation);
}

bool TVxPopupWindow::Composed() const {
  return FForm && FForm->Attached() &&
         (FForm->Blending()->Enabled() || FForm->Performance() != TVxFormPerformance::zqfpNoBuffer);
}

TRect TVxPopupWindow::PopupClientRect(const TRect& R) {
  TvxTheme* Theme = CurrentTheme();
  const std::string& Name = FItem ? FItem->ThemeObject() : "default";
  if (Theme && Theme->IsMenuDefined(1, Name)) {
    TRect Client;
    Theme->GetMenuClientRect(1, R, Client, Name);
    return Client;
  }
  return {R.Left + 3, R.Top + 3, R.Right - 3, R.Bottom - 3};
}

TPoint TVxPopupWindow::ClientOffset() {
  const TRect Client = PopupClientRect(Bounds(0, 0, 1000, 1000));
  return {Client.Left, Client.Top};
}

TSize TVxPopupWindow::SizeForContent() {
  const TRect Client = PopupClientRect(Bounds(0, 0, 1000, 1000));
  const TSize Content = FView ? FView->ContentSize() : TSize{0, 0};
  const Integer S = FForm && FForm->Shadow()->Enabled() ? std::max<Integer>(FForm->Shadow()->Size(), 0) : 0;
  return {Content.cx + 1000 - Client.Width() + S, Content.cy + 1000 - Client.Height() + S};
}

TRect TVxPopupWindow::FrameRect() {
  if (FForm && FForm->Attached()) return Bounds(0, 0, FForm->WindowWidth(), FForm->WindowHeight());
  const Integer S = FForm && FForm->ShadowVisible() ? FForm->Shadow()->Size() : 0;
  return Bounds(0, 0, Width() - S, Height() - S);
}

void TVxPopupWindow::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void TVxPopupWindow::ShowNoActivate() {
  // Hooking keeps the client size, which until then took in the shadow: the placed size wins.
  const TRect Placed = BoundsRect();
  if (FForm && !FForm->Attached()) FForm->Attach();
  TControl::SetVisible(true);
  SetWindowPos(Handle(), HWND_TOPMOST, Placed.Left, Placed.Top, Placed.Width(), Placed.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(Handle());
}

void TVxPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_ACTIVATE:
      if (LOWORD(Message.WParam) != WA_INACTIVE && FCaptionControl && FCaptionControl->HandleAllocated())
        SendMessageA(FCaptionControl->Handle(), WM_NCACTIVATE, TRUE, 0);
      break;
    case WM_CAPTURECHANGED:
      // Wakes a tracking loop that waits for messages: it checks the capture on every turn.
      PostMessageA(Handle(), WM_NULL, 0, 0);
      break;
    case WM_ERASEBKGND:
      // The window's own erase goes to the form through its hook; this one is a picture asked
      // for (WM_PRINT) or comes before the form is attached.
      if (FForm && FForm->Attached() && Message.WParam)
        FForm->EraseBackground(reinterpret_cast<HDC>(Message.WParam), nullptr);
      Message.Result = 1;
      return;
    case TM_THEMECHANGE:
      if (FView) {
        FView->SetOrigin(ClientOffset());
        FView->Layout();
        Invalidate();
      }
      return;
  }
  TForm::Dispatch(Message);
}

void TVxPopupWindow::PaintFrame(TCanvas& Canvas) {
  const TRect Whole = FrameRect();
  TvxTheme* Theme = CurrentTheme();
  const std::string& Name = FItem ? FItem->ThemeObject() : "default";
  if (Theme && Theme->IsMenuDefined(1, Name)) {
    Theme->DrawMenu(1, Canvas, Name, Whole);
    return;
  }
  HDC DC = Canvas.Handle();
  TRect R = Whole;
  if (VisualStylesActive()) {
    Ring(DC, R, clBtnShadow, clBtnShadow);
  } else {
    Ring(DC, R, clBtnFace, clBlack);
    Ring(DC, R, clBtnHighlight, clBtnShadow);
  }
  Ring(DC, R, clMenu, clMenu);
  Ring(DC, R, clMenu, clMenu);
  // Whatever lies between the rings and the items (a theme's wider client margin, a shorter item).
  FillRectColor(DC, R, clMenu);
}

void TVxPopupWindow::PaintPopup(TCanvas& Canvas) {
  if (!FView) return;
  PaintFrame(Canvas);
  FView->Paint(Canvas);
}

// The form has painted everything while erasing; before it is attached the window paints itself.
void TVxPopupWindow::Paint() {
  if (!FForm || !FForm->Attached()) PaintPopup(*Canvas());
}

// [TVxPopupForm] ---------------------------------------------------------------------------------

TVxPopupForm::TVxPopupForm(TVxPopupWindow* Window) : TVxForm(Window, TDeferLoad{}), FPopupWindow(Window) {
  SetBorderIcons({});
  SetBorderStyle(TVxBorderStyle::kbsNone);
  Dragging()->SetSizeable(false);
  Dragging()->SetMoveable(false);
  SetPerformance(TVxFormPerformance::zqfpNoBuffer);
  SetThemeObject("default");
  SetStayOnTop(true);
  // A menu's window never takes over the application's minimize and restore.
  SetMinimizeApplication(false);
}

TWinControl* TVxPopupForm::CaptionControl() const { return FPopupWindow ? FPopupWindow->CaptionControl() : nullptr; }

void TVxPopupForm::Attach() {
  if (FAttached) return;
  FAttached = true;
  LoadedInCode();
}

HRGN TVxPopupForm::GetRegion() { return CreateRectRgn(0, 0, WindowWidth(), WindowHeight()); }

TRect TVxPopupForm::GetClientBounds() { return TVxDefaultForm::GetClientBounds(); }

TRect TVxPopupForm::GetMaximizedBounds() {
  HWND Wnd = Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr;
  return GetMonitorAreaFromWindow(Wnd, false);
}

// Sized to the content, however small.
TSize TVxPopupForm::GetMinTrackSize() { return {0, 0}; }

void TVxPopupForm::PaintFrame(TCanvas&) {}

void TVxPopupForm::PaintBackground() {
  if (!FPopupWindow || !FormCanvas() || !FormCanvas()->HandleAllocated()) return;
  TCanvas& Target = *FormCanvas();
  if (FPopupWindow->Composed()) return FPopupWindow->PaintPopup(Target);
  // The skin draws much faster into memory of its own than onto a window, and the items then
  // show at once: the popup is drawn off screen.
  const TRect R = FPopupWindow->FrameRect();
  if (!FBuffer) FBuffer = std::make_unique<TvxBitmap>();
  TvxBitmap& Buffer = *FBuffer;
  if (Buffer.Width() != R.Width() || Buffer.Height() != R.Height())
    Buffer.SetSize(std::max<Integer>(R.Width(), 1), std::max<Integer>(R.Height(), 1));
  if (!Buffer.DC()) return FPopupWindow->PaintPopup(Target);
  TDCState State(Buffer.DC());
  // Only what the target shows is drawn: a hot item repaints itself alone. A whole paint goes
  // unclipped, which the skin draws much faster.
  RECT Clip;
  if (GetClipBox(Target.Handle(), &Clip) == NULLREGION) return;
  if (Clip.left > R.Left || Clip.top > R.Top || Clip.right < R.Right || Clip.bottom < R.Bottom)
    IntersectClipRect(Buffer.DC(), Clip.left, Clip.top, Clip.right, Clip.bottom);
  {
    TCanvas Canvas(Buffer.DC());
    FPopupWindow->PaintPopup(Canvas);
    Canvas.SetHandle(nullptr);
  }
  BitBlt(Target.Handle(), R.Left, R.Top, R.Width(), R.Height(), Buffer.DC(), 0, 0, SRCCOPY);
}

TvxHitCode TVxPopupForm::HitTest(Integer, Integer) { return vxhtNone; }

void TVxPopupForm::MessageBefore(TMessage& Message, bool& Handled) {
  if (Message.Msg == WM_NCACTIVATE) {
    // Drawn active whatever the activation; the activation itself is never refused.
    const uintptr_t Active = Message.WParam;
    Message.WParam = TRUE;
    TVxForm::MessageBefore(Message, Handled);
    Message.WParam = Active;
    Message.Result = 1;
    return;
  }
  TVxForm::MessageBefore(Message, Handled);
}

// [Placement] ------------------------------------------------------------------------------------

TRect PlacePopup(const TRect& Monitor, const TPoint& At, const TPoint& ClientOffset, const TSize& Size,
                 const TRect& Anchor, TVxPopupAnchor Kind) {
  const Integer W = Size.cx, H = Size.cy;
  Integer L = At.X - ClientOffset.X, T = At.Y - ClientOffset.Y;
  switch (Kind) {
    case TVxPopupAnchor::paPoint:
      if (L + W > Monitor.Right) L = At.X - W;
      if (T + H > Monitor.Bottom) T = At.Y - H;
      break;
    case TVxPopupAnchor::paBelow:
      L = Anchor.Left - ClientOffset.X;
      T = Anchor.Bottom - ClientOffset.Y;
      if (L + W > Monitor.Right) L = Anchor.Right - W;
      if (T + H > Monitor.Bottom) {
        T = Anchor.Top - H;
        if (T < Monitor.Top) T = Monitor.Top;
      }
      break;
    case TVxPopupAnchor::paBeside:
      L = Anchor.Right - ClientOffset.X;
      T = Anchor.Top - ClientOffset.Y;
      if (L + W > Monitor.Right) L = Anchor.Left - W;
      if (T + H > Monitor.Bottom) T = Anchor.Bottom - H;
      break;
  }
  if (Kind != TVxPopupAnchor::paPoint) {
    L = std::min(L, Monitor.Right - W);
    T = std::min(T, Monitor.Bottom - H);
  }
  // Never off the left or top edge, where nothing could reach the items.
  L = std::max(L, Monitor.Left);
  T = std::max(T, Monitor.Top);
  return Bounds(L, T, W, H);
}

// [TVxItem::Popup] -------------------------------------------------------------------------------

bool TVxItem::Popup(TVxItemView* Opener, Integer X, Integer Y, const TRect& Anchor) {
  if (!HasVisibleChildren()) return false;
  const uint32_t Self = FSerial;
  if (!ComponentState().Contains(TComponentStateFlag::csDesigning)) {
    UpdateActions();
    if (OnBeforeDropDown) OnBeforeDropDown(this);
    // The handler may have freed or emptied the item.
    if (FindBySerial(Self) != this || !HasVisibleChildren()) return false;
    ProcessPendingPaints();
    if (FindBySerial(Self) != this || !HasVisibleChildren()) return false;
  }

  const TVxBlending NoBlending;
  const TVxShadow NoShadow;
  std::unique_ptr<TVxPopupWindow, TGiveBackPopupWindow> Window(
      TakePopupWindow(this, Opener, FPopupOptions ? *FPopupOptions->Blending() : NoBlending,
                      FPopupOptions ? *FPopupOptions->Shadow() : NoShadow));
  // Handed over even when there are none: a reused window still has those of its last popup.
  if (FPopupOptions)
    Window->SetOptions(FPopupOptions->Blending(), FPopupOptions->Shadow(),
                       (!FFromMenu || FAnimateNext) ? FPopupOptions->Animation() : nullptr);
  else
    Window->SetOptions(nullptr, nullptr, nullptr);
  // Only the first popup opened from a menu animates until the menu closes.
  (FParent ? FParent : this)->SetAnimateNext(false);
  TWinControl* Caption = nullptr;
  if (TComponent* O = Owner()) {
    Caption = dynamic_cast<TWinControl*>(O->Owner());
    if (!Caption) Caption = dynamic_cast<TWinControl*>(O);
  }
  Window->SetCaptionControl(Caption ? Caption : FOwnerControl);

  TVxPopupView* View = Window->View();
  View->Layout();
  const TRect Monitor = GetMonitorAreaFromPoint({X, Y}, false);
  const TVxPopupAnchor Kind = Anchor.IsEmpty()                  ? TVxPopupAnchor::paPoint
                              : (Opener && !Opener->Vertical()) ? TVxPopupAnchor::paBelow
                                                                : TVxPopupAnchor::paBeside;
  const TSize Size = Window->SizeForContent();
  TPoint At{X, Y};
  if (Kind == TVxPopupAnchor::paPoint && FPopupAlignment != TPopupAlignment::paLeft) {
    // The window's right edge (or its middle) goes to the point; the monitor rules still apply.
    const Integer Shift = FPopupAlignment == TPopupAlignment::paRight ? Size.cx : Size.cx / 2;
    At.X += Window->ClientOffset().X - Shift;
  }
  const TRect Place = PlacePopup(Monitor, At, Window->ClientOffset(), Size, Anchor, Kind);
  Window->SetBounds(Place.Left, Place.Top, Place.Width(), Place.Height());
  {
    // The application's skinned form holds its own painting while the popup takes the screen.
    TVxDefaultForm* Skinned = FindSkinnedForm(FOwnerControl ? FOwnerControl : Caption);
    const bool WasEnabled = Skinned && Skinned->PaintEnabled();
    if (WasEnabled) Skinned->SuspendPaint();
    struct TResume {
      TVxDefaultForm* Form;
      ~TResume() {
        if (Form) Form->ResumePaint();
      }
    } Resume{WasEnabled ? Skinned : nullptr};
    Window->ShowNoActivate();
    if (FForeground) SetForegroundWindow(Window->Handle());
  }
  if (FindBySerial(Self) != this) return true;

  if (Opener) Opener->SetChildView(View);
  View->Track();
  if (Opener && Opener->ChildView() == View) Opener->SetChildView(nullptr);
  Window.reset();
  return true;
}

// [TVxClickHandler] ------------------------------------------------------------------------------

namespace {

TVxClickHandler* TheClickHandler = nullptr;

void DeferredClick(HWND Wnd, TMessage& Message) {
  if (Message.Msg != VXM_DEFERREDCLICK) {
    DefaultUtilityMessage(Wnd, Message);
    return;
  }
  const uint32_t Serial = uint32_t(Message.WParam);
  auto Matches = [&] {
    TVxItem* Item = TVxItem::FindBySerial(Serial);
    return Item && Item == reinterpret_cast<TVxItem*>(Message.LParam) ? Item : nullptr;
  };
  if (!Matches()) return;
  // The closed menus disappear before the command runs.
  ProcessPendingPaints();
  TVxItem* Item = Matches();
  if (!Item) return;
  try {
    Item->UpdateAction();
    if (Matches()) Item->ClickNow();
  } catch (...) {
    HandleCallbackException(Item);
  }
}

}  // namespace

TVxClickHandler::TVxClickHandler() : FHandle(AllocateHWnd(&DeferredClick)) {
  SetWindowPos(FHandle, nullptr, 10000, 10000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TVxClickHandler::~TVxClickHandler() { DeallocateHWnd(FHandle); }

void StartClickHandler() {
  if (!TheClickHandler) TheClickHandler = new TVxClickHandler;
}

HWND ClickHandlerWindow() { return TheClickHandler ? TheClickHandler->Handle() : nullptr; }
