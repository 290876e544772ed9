// TVxDefaultForm on an MDI parent form: the MDI client's replaced procedure (background from the
// form, no client edge, hit codes, the size box), the skinned bars over the client's scroll bars
// and the window menu's entry points.
#include "vexel/forms/vx_form_mdi.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

// The MDI client's own message to recompute its scroll bars after a child moved.
constexpr UINT WM_MDICALCCHILDSCROLL = 0x3F;

TVxWindowMenuSupport WindowMenuSupport;

TPoint LParamPoint(LPARAM LParam) { return {Integer(int16_t(LOWORD(LParam))), Integer(int16_t(HIWORD(LParam)))}; }

// Also recalculates the frame, which repaints it: the skinned bars then read the new range.
void RemoveClientEdge(HWND Client) {
  const LONG_PTR Ex = GetWindowLongPtrA(Client, GWL_EXSTYLE);
  if (Ex & WS_EX_CLIENTEDGE) SetWindowLongPtrA(Client, GWL_EXSTYLE, Ex & ~LONG_PTR(WS_EX_CLIENTEDGE));
  SetWindowPos(Client, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window that holds one skinned bar over the MDI client's: the bar fills it and paints every
// pixel.
class TVxMDIBarBox : public TWinControl {
 public:
  explicit TVxMDIBarBox(TComponent* Owner) : TWinControl(Owner) { IncludeStyle(TControlStyleFlag::csOpaque); }
  TVxScrollBar* Bar = nullptr;

 protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_ERASEBKGND) {
      Message.Result = 1;
      return;
    }
    TWinControl::Dispatch(Message);
  }
  void Notification(TComponent* Component, TOperation Operation) override {
    TWinControl::Notification(Component, Operation);
    if (Operation == TOperation::opRemove && Component == Bar) Bar = nullptr;
  }
};

TVxScrollBar* BarOf(TWinControl* Box) { return Box ? static_cast<TVxMDIBarBox*>(Box)->Bar : nullptr; }

}  // namespace

void SetWindowMenuSupport(const TVxWindowMenuSupport& Support) { WindowMenuSupport = Support; }


// [TVxMDIClientHook] ----------------------------------------------------------------------------

TVxMDIClientHook::TVxMDIClientHook(TVxDefaultForm& Form, HWND Client) : FForm(Form), FClient(Client) {
  if (!SetWindowSubclass(Client, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
    FClient = nullptr;
}

TVxMDIClientHook::~TVxMDIClientHook() {
  if (FClient && IsWindow(FClient)) RemoveWindowSubclass(FClient, &Proc, reinterpret_cast<UINT_PTR>(this));
}

LRESULT TVxMDIClientHook::PassOn(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return DefSubclassProc(FClient, Msg, WParam, LParam);
}

LRESULT CALLBACK TVxMDIClientHook::Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data) {
  auto* Self = reinterpret_cast<TVxMDIClientHook*>(Data);
  if (Msg == WM_NCDESTROY) {
    // The window takes the subclass with it.
    RemoveWindowSubclass(Wnd, &Proc, reinterpret_cast<UINT_PTR>(Self));
    Self->FClient = nullptr;
    return DefSubclassProc(Wnd, Msg, WParam, LParam);
  }
  try {
    // A component switched off leaves the client to the platform (and takes its bars away).
    if (!Self->FForm.Active()) {
      if (Self->FForm.MDIVertBar() || Self->FForm.MDIHorzBar()) Self->FForm.UpdateMDIScrollBars();
      return DefSubclassProc(Wnd, Msg, WParam, LParam);
    }
    return Self->Message(Msg, WParam, LParam);
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

LRESULT TVxMDIClientHook::Message(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TForm* Form = FForm.Form();
  switch (Msg) {
    case WM_PAINT:
      if (WParam) break;
      { TPaintDC Validate(FClient); }
      return 0;
    case WM_ERASEBKGND:
      if (Form && Form->HandleAllocated() && !FForm.MDIChildMaximized())
        SendMessageA(Form->Handle(), WM_ERASEBKGND, WParam, LParam);
      return 1;
    case WM_MDICALCCHILDSCROLL: {
      const LRESULT Result = PassOn(Msg, WParam, LParam);
      RemoveClientEdge(FClient);
      return Result;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT Result = PassOn(Msg, WParam, LParam);
      FForm.UpdateMDIScrollBars();
      const auto* Pos = reinterpret_cast<const WINDOWPOS*>(LParam);
      if (Pos && !(Pos->flags & SWP_NOZORDER))
        for (TWinControl* Box : {FForm.MDIVertBar(), FForm.MDIHorzBar()})
          if (Box && Box->Visible()) Box->BringToFront();
      return Result;
    }
    case WM_STYLECHANGING:
      if (WParam == WPARAM(GWL_EXSTYLE) && LParam)
        reinterpret_cast<STYLESTRUCT*>(LParam)->styleNew &= ~DWORD(WS_EX_CLIENTEDGE);
      break;
    case WM_NCHITTEST: {
      const LRESULT Result = PassOn(Msg, WParam, LParam);
      // The size box answers as the client, whatever code the platform gives the corner between
      // the bars, so that a press there reaches WM_LBUTTONDOWN below.
      POINT P{LParamPoint(LParam).X, LParamPoint(LParam).Y};
      ScreenToClient(FClient, &P);
      if (FForm.GetGripperRect().Contains(P.x, P.y)) return HTCLIENT;
      if (Result == HTCLIENT) return HTTRANSPARENT;
      if (Result == HTBOTTOMRIGHT) return HTCLIENT;
      return Result;
    }
    case WM_NCPAINT: {
      if (!FForm.GetGripperRect().IsEmpty()) {
        TNonClientDC DC(FClient);
        if (DC.Get()) {
          RECT Client{};
          GetClientRect(FClient, &Client);
          POINT Origin{0, 0};
          ClientToScreen(FClient, &Origin);
          RECT Window{};
          GetWindowRect(FClient, &Window);
          OffsetRect(&Client, Origin.x - Window.left, Origin.y - Window.top);
          ExcludeClipRect(DC.Get(), Client.left, Client.top, Client.right, Client.bottom);
          TCanvas Canvas(DC.Get());
          FForm.PaintGripper(Canvas);
          Canvas.SetHandle(nullptr);
        }
      }
      FForm.UpdateMDIScrollBars();
      return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const LRESULT Result = PassOn(Msg, WParam, LParam);
      FForm.UpdateMDIScrollBars();
      return Result;
    }
    case WM_MOUSEMOVE:
      if (FForm.Dragging()->Sizeable()) {
        const TPoint P = LParamPoint(LParam);
        SetCursor(LoadCursorA(nullptr, FForm.GetGripperRect().Contains(P.X, P.Y) ? IDC_SIZENWSE : IDC_ARROW));
      }
      break;
    case WM_LBUTTONDOWN: {
      const TPoint P = LParamPoint(LParam);
      if (Form && Form->HandleAllocated() && FForm.GetGripperRect().Contains(P.X, P.Y)) {
        POINT S{P.X, P.Y};
        ClientToScreen(FClient, &S);
        SendMessageA(Form->Handle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(S.x, S.y));
      }
      return 0;
    }
    default: break;
  }
  return PassOn(Msg, WParam, LParam);
}

// [TVxDefaultForm: MDI client] ------------------------------------------------------------------

HWND TVxDefaultForm::MDIClient() const { return FMDIClientHook && Active() ? FMDIClientHook->Client() : nullptr; }

bool TVxDefaultForm::MDIChildMaximized() const {
  const TForm* F = Form();
  if (!F || !F->ClientHandle()) return false;
  const TForm* Child = F->ActiveMDIChild();
  return Child && const_cast<TForm*>(Child)->HandleAllocated() && IsZoomed(const_cast<TForm*>(Child)->Handle());
}

// Follows the owner form's MDI client: a new one (the form's window was made again) is taken
// over, a gone one let go.
void TVxDefaultForm::AttachMDIClient() {
  TForm* F = Form();
  HWND Client = F && !Designing() ? F->ClientHandle() : nullptr;
  if (Client && !IsWindow(Client)) Client = nullptr;
  if (FMDIClientHook && Client == FMDIClientHook->Client()) return;
  if (!FMDIClientHook && !Client) return;
  DetachMDIClient();
  if (!Client) return;
  auto Hook = std::make_unique<TVxMDIClientHook>(*this, Client);
  if (!Hook->Client()) return;
  FMDIClientHook = std::move(Hook);
  // The skinned frame and background border the client themselves.
  RemoveClientEdge(Client);
  UpdateMDIScrollBars();
}

void TVxDefaultForm::DetachMDIClient() {
  FMDIClientHook.reset();
  if (!ComponentState().Contains(TComponentStateFlag::csDestroying))
    for (TWinControl* Box : {FMDIVertBar, FMDIHorzBar})
      if (Box) Box->SetVisible(false);
  FMDISizeBox = TRect{};
}

// [Scroll bars] ---------------------------------------------------------------------------------

TVxScrollBar* TVxDefaultForm::CreateScrollBar(TComponent* Owner) { return new TVxScrollBar(Owner); }

TWinControl* TVxDefaultForm::MakeMDIBar(bool Vertical) {
  auto* Box = new TVxMDIBarBox(this);
  Box->SetVisible(false);
  Box->SetParent(Form());
  TVxScrollBar* Bar = CreateScrollBar(Box);
  Box->Bar = Bar;
  Bar->FreeNotification(Box);
  Bar->SetAlign(TAlign::alClient);
  Bar->SetBorderWidth(0);
  Bar->SetOrientation(Vertical ? TVxScrollOrientation::ksoVertical : TVxScrollOrientation::ksoHorizontal);
  Bar->SetParent(Box);
  Bar->OnScroll = [this, Vertical](TObject*, int Code, Integer& Pos) { MDIBarScroll(Vertical, Code, Pos); };
  Box->FreeNotification(this);
  return Box;
}

void TVxDefaultForm::UpdateMDIScrollBars() {
  TForm* F = Form();
  HWND Client = MDIClient();
  if (!F || !Client || !F->HandleAllocated()) {
    for (TWinControl* Box : {FMDIVertBar, FMDIHorzBar})
      if (Box && Box->Visible()) Box->SetVisible(false);
    FMDISizeBox = TRect{};
    return;
  }
  for (const bool Vertical : {true, false}) {
    TWinControl*& Box = Vertical ? FMDIVertBar : FMDIHorzBar;
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof(Info);
    GetScrollBarInfoSafe(Client, Vertical ? OBJID_VSCROLL : OBJID_HSCROLL, Info);
    if (Info.rgstate[0] & STATE_SYSTEM_INVISIBLE) {
      if (Box) Box->SetVisible(false);
      continue;
    }
    if (!Box) Box = MakeMDIBar(Vertical);
    const RECT& Area = Info.rcScrollBar;
    const TPoint TopLeft = F->ScreenToClient({Area.left, Area.top});
    const TRect R =
        Intersect(Bounds(TopLeft.X, TopLeft.Y, Area.right - Area.left, Area.bottom - Area.top), F->ClientRect());
    Box->SetBounds(R.Left, R.Top, std::max<Integer>(R.Width(), 0), std::max<Integer>(R.Height(), 0));
    Box->SetVisible(true);
    TVxScrollBar* Bar = BarOf(Box);
    if (!Bar) continue;
    Bar->SetEnabled(F->Enabled());
    SCROLLINFO Range{sizeof(Range), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Client, Vertical ? SB_VERT : SB_HORZ, &Range);
    // Min before Max so that neither is cut by the other's old value.
    if (Range.nMin > Bar->Max()) {
      Bar->SetMax(Range.nMax);
      Bar->SetMin(Range.nMin);
    } else {
      Bar->SetMin(Range.nMin);
      Bar->SetMax(Range.nMax);
    }
    Bar->SetPageSize(Integer(Range.nPage));
    // A dragged thumb stays under the pointer; the client follows it.
    if (!FMDIScrolling) Bar->SetPosition(Range.nPos);
  }
  const bool Both = FMDIVertBar && FMDIVertBar->Visible() && FMDIHorzBar && FMDIHorzBar->Visible();
  FMDISizeBox = TRect{};
  if (Both) {
    POINT Origin{0, 0};
    ClientToScreen(Client, &Origin);
    const TPoint At = F->ScreenToClient({Origin.x, Origin.y});
    FMDISizeBox =
        Bounds(FMDIHorzBar->Left() + FMDIHorzBar->Width() - At.X, FMDIVertBar->Top() + FMDIVertBar->Height() - At.Y,
               FMDIVertBar->Width(), FMDIHorzBar->Height());
  }
}

void TVxDefaultForm::MDIBarScroll(bool Vertical, int Code, Integer& Pos) {
  HWND Client = MDIClient();
  if (!Client) return;
  const UINT Msg = Vertical ? WM_VSCROLL : WM_HSCROLL;
  FMDIScrolling = true;
  struct TEnd {
    bool& Flag;
    ~TEnd() { Flag = false; }
  } End{FMDIScrolling};
  const int Kind = Vertical ? SB_VERT : SB_HORZ;
  SCROLLINFO Info{sizeof(Info), SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(Client, Kind, &Info);
  const Integer Before = Info.nPos;
  // The position rides along only with the thumb's codes, where the platform reads it: with the
  // other codes Wine's MDI client takes the whole word for the code and scrolls to its start.
  const bool Thumb = Code == kscPosition || Code == kscTrack;
  const uint16_t High = Thumb ? uint16_t(std::clamp<Integer>(Pos, 0, 0xFFFF)) : 0;
  SendMessageA(Client, Msg, MAKEWPARAM(Code, High), 0);
  if (Code >= kscPageUp && Code <= kscEndScroll) InvalidateRect(Client, nullptr, FALSE);
  if (Thumb) {
    // Wine's client reads the thumb's place from LParam instead and went elsewhere: asked its
    // way, it goes where the thumb is (the platform's own client ignores a dragged thumb).
    Info.fMask = SIF_POS | SIF_RANGE;
    GetScrollInfo(Client, Kind, &Info);
    const bool Went = Info.nPos == std::clamp<Integer>(Pos, Info.nMin, Info.nMax);
    if (!Went && !(Code == kscTrack && Info.nPos == Before))
      SendMessageA(Client, Msg, MAKEWPARAM(kscPosition, 0), LPARAM(Pos));
  }
  // The bar shows where the client went (its own line and page sizes, the end it stopped at);
  // only a dragged thumb stays under the pointer.
  if (Code != kscTrack) {
    Info.fMask = SIF_POS;
    if (GetScrollInfo(Client, Kind, &Info)) Pos = Info.nPos;
  }
}

// [Window menu] ---------------------------------------------------------------------------------

void TVxDefaultForm::SetWindowMenu(TComponent* Value) {
  if (Value == FWindowMenu) return;
  if (FWindowMenu) {
    if (WindowMenuSupport.Detach && !Designing()) WindowMenuSupport.Detach(*FWindowMenu);
    FWindowMenu->RemoveFreeNotification(this);
  }
  FWindowMenu = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  // Read from a form file, the handlers go on once loading has ended.
  if (FHooked && WindowMenuSupport.Attach && !Designing()) WindowMenuSupport.Attach(*this, *Value);
}

void TVxDefaultForm::RebuildWindowMenu() {
  TForm* F = Form();
  if (FWindowMenuBusy || !FWindowMenu || !F || !F->ClientHandle() || !WindowMenuSupport.Rebuild) return;
  WindowMenuSupport.Rebuild(*this, *FWindowMenu);
}

void TVxDefaultForm::ActivateMDIChild(TForm* Child) {
  TForm* F = Form();
  if (!F || !Child || !F->ClientHandle()) return;
  bool Listed = false;
  for (Integer I = 0; I < F->MDIChildCount(); ++I) Listed = Listed || F->MDIChildren(I) == Child;
  // A child closed since the menu was built has nothing to activate.
  if (!Listed) return;
  FWindowMenuBusy = true;
  struct TEnd {
    bool& Flag;
    ~TEnd() { Flag = false; }
  } End{FWindowMenuBusy};
  Child->Show();
  Child->BringToFront();
}
