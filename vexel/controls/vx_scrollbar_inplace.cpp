// TVxInplaceScrollBar and TVxSubScrollBar: skinned bars lying over another window's platform
// scroll bars.
#include <windows.h>

#include <algorithm>

#include "vexel/controls/vx_scrollbar.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

bool IsListView(HWND Wnd) {
  char Name[32] = {};
  return Wnd && GetClassNameA(Wnd, Name, sizeof Name) > 0 && lstrcmpiA(Name, WC_LISTVIEWA) == 0;
}

}  // namespace

// [TVxInplaceScrollBar] --------------------------------------------------------------------------

const TClassInfo& TVxInplaceScrollBar::StaticClassInfo() {
  static const TClassInfo Info{"TVxInplaceScrollBar", &TWinControl::StaticClassInfo(), {}};
  return Info;
}

TVxInplaceScrollBar::TVxInplaceScrollBar(TComponent* Owner, TWinControl* Host, const TVxScrollBarFactory& Factory)
    : TWinControl(Owner) {
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetVisible(false);
  FScrollBar = Factory ? Factory(this) : new TVxScrollBar(this);
  FScrollBar->SetBorderWidth(0);
  FScrollBar->SetPerformance(TVxPerformance::zqpDoubleBuffer);
  FScrollBar->SetOrientation(TVxScrollOrientation::ksoVertical);
  FScrollBar->SetAlign(TAlign::alClient);
  FScrollBar->SetParent(this);
  FScrollBar->OnScroll = [this](TObject*, int Code, Integer& Pos) { BarScroll(Code, Pos); };
  SetHost(Host);
}

TVxInplaceScrollBar::~TVxInplaceScrollBar() { SetHost(nullptr); }

void TVxInplaceScrollBar::SetHost(TWinControl* Value) {
  if (Value == FHost) return;
  if (FHost) FHost->RemoveFreeNotification(this);
  FHost = Value;
  if (FHost) FHost->FreeNotification(this);
}

void TVxInplaceScrollBar::SetOrientation(TVxScrollOrientation Value) { FScrollBar->SetOrientation(Value); }

void TVxInplaceScrollBar::Notification(TComponent* Component, TOperation Operation) {
  TWinControl::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FHost) FHost = nullptr;
  if (Component == FScrollBar) FScrollBar = nullptr;
}

void TVxInplaceScrollBar::Dispatch(TMessage& Message) {
  // The bar fills the window and paints every pixel.
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TWinControl::Dispatch(Message);
}

void TVxInplaceScrollBar::HostMessage(const TMessage& Message) {
  if (!FHost || !FScrollBar) return;
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_NCPAINT: Sync(); break;
    case CM_VISIBLECHANGED:
      if (!FHost->Visible())
        SetVisible(false);
      else
        Sync();
      break;
  }
}

void TVxInplaceScrollBar::Sync() {
  if (!FHost || !FScrollBar || !FHost->HandleAllocated() || !Parent()) return;
  HWND HostWnd = FHost->Handle();
  const bool Vert = Orientation() == TVxScrollOrientation::ksoVertical;
  SCROLLBARINFO Info{};
  Info.cbSize = sizeof(Info);
  GetScrollBarInfoSafe(HostWnd, Vert ? OBJID_VSCROLL : OBJID_HSCROLL, Info);
  const RECT& Area = Info.rcScrollBar;
  if (!FHost->Visible() || (Info.rgstate[0] & STATE_SYSTEM_INVISIBLE) || (Info.rgstate[0] & STATE_SYSTEM_OFFSCREEN) ||
      Area.right <= Area.left || Area.bottom <= Area.top) {
    SetVisible(false);
    return;
  }
  const TPoint TopLeft = Parent()->ScreenToClient({Area.left, Area.top});
  SetBounds(TopLeft.X, TopLeft.Y, Area.right - Area.left, Area.bottom - Area.top);
  SCROLLINFO Range{sizeof(Range), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(HostWnd, Vert ? SB_VERT : SB_HORZ, &Range);
  FScrollBar->SetEnabled(!(Info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
  // Min before Max so that neither is cut by the other's old value.
  if (Range.nMin > FScrollBar->Max()) {
    FScrollBar->SetMax(Range.nMax);
    FScrollBar->SetMin(Range.nMin);
  } else {
    FScrollBar->SetMin(Range.nMin);
    FScrollBar->SetMax(Range.nMax);
  }
  FScrollBar->SetPageSize(Integer(Range.nPage));
  if (!FScrolling) FScrollBar->SetPosition(Range.nPos);
  SetVisible(true);
  BringToFront();
}

void TVxInplaceScrollBar::BarScroll(int ScrollCode, Integer& ScrollPos) {
  if (!FHost || !FHost->HandleAllocated()) return;
  HWND HostWnd = FHost->Handle();
  const bool Vert = Orientation() == TVxScrollOrientation::ksoVertical;
  const int Bar = Vert ? SB_VERT : SB_HORZ;
  const UINT ScrollMessage = Vert ? WM_VSCROLL : WM_HSCROLL;
  const bool Moves = ScrollCode != kscLineUp && ScrollCode != kscLineDown;
  FScrolling = true;
  struct TEndScrolling {
    bool& Flag;
    ~TEndScrolling() { Flag = false; }
  } End{FScrolling};

  if (IsListView(HostWnd)) {
    if (!Moves) {
      // Icon views scroll by pixels: 16 down the page, a page across.
      const bool Report = (GetWindowLongPtrA(HostWnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
      if (!Report && Vert) {
        SendMessageA(HostWnd, LVM_SCROLL, 0, ScrollCode == kscLineUp ? -16 : 16);
        return;
      }
      SendMessageA(HostWnd, ScrollMessage, MAKEWPARAM(ScrollCode, 0), 0);
      return;
    }
    SCROLLINFO Info{sizeof(Info), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(HostWnd, Bar, &Info);
    Integer Delta = ScrollPos - Info.nPos;
    if (Delta == 0) return;
    const bool Report = (GetWindowLongPtrA(HostWnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
    if (Vert && Report) {
      RECT Item{};
      Item.left = LVIR_BOUNDS;
      if (SendMessageA(HostWnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&Item)))
        Delta *= std::max<Integer>(Item.bottom - Item.top, 1);
    }
    SendMessageA(HostWnd, LVM_SCROLL, Vert ? 0 : Delta, Vert ? Delta : 0);
    return;
  }
  // Other hosts hear the platform's request. They may read the thumb's place from their own
  // scroll bar, which nobody drags: it is put there first.
  if (ScrollCode == kscTrack || ScrollCode == kscPosition) {
    SCROLLINFO Info{sizeof(Info), SIF_POS, 0, 0, 0, ScrollPos, 0};
    SetScrollInfo(HostWnd, Bar, &Info, FALSE);
  }
  SendMessageA(HostWnd, ScrollMessage, MAKEWPARAM(ScrollCode, uint16_t(std::clamp<Integer>(ScrollPos, 0, 0xFFFF))), 0);
  // The thumb shows where the host went (a line or page of its own size, the end it stopped at);
  // while dragging it stays under the pointer, as the platform's does.
  if (ScrollCode != kscTrack) {
    SCROLLINFO Info{sizeof(Info), SIF_POS, 0, 0, 0, 0, 0};
    if (GetScrollInfo(HostWnd, Bar, &Info)) ScrollPos = Info.nPos;
  }
}

// [TVxSubScrollBar] ------------------------------------------------------------------------------

TVxSubScrollBar::TVxSubScrollBar(TComponent* Owner, TWinControl* Host, const TVxScrollBarFactory& Factory)
    : TComponent(Owner) {
  FVertical = new TVxInplaceScrollBar(this, nullptr, Factory);
  FHorizontal = new TVxInplaceScrollBar(this, nullptr, Factory);
  FHorizontal->SetOrientation(TVxScrollOrientation::ksoHorizontal);
  SetHost(Host);
}

TVxSubScrollBar::~TVxSubScrollBar() { SetHost(nullptr); }

void TVxSubScrollBar::SetHost(TWinControl* Value) {
  if (Value == FHost) return;
  if (FHost) FHost->RemoveFreeNotification(this);
  FHost = Value;
  if (FHost) FHost->FreeNotification(this);
  for (TVxInplaceScrollBar* Bar : {FVertical, FHorizontal}) {
    if (!Bar) continue;
    Bar->SetHost(FHost);
    if (!FHost) {
      Bar->SetVisible(false);
      Bar->SetParent(nullptr);
    }
  }
  UpdateParent();
}

void TVxSubScrollBar::UpdateParent() {
  if (!FHost) return;
  for (TVxInplaceScrollBar* Bar : {FVertical, FHorizontal})
    if (Bar) Bar->SetParent(FHost->Parent());
  Sync();
}

void TVxSubScrollBar::Sync() {
  for (TVxInplaceScrollBar* Bar : {FVertical, FHorizontal})
    if (Bar) Bar->Sync();
}

void TVxSubScrollBar::HostMessage(const TMessage& Message) {
  if (!FHost || ComponentState().Contains(TComponentStateFlag::csDesigning) ||
      FHost->ComponentState().Contains(TComponentStateFlag::csDestroying))
    return;
  for (TVxInplaceScrollBar* Bar : {FVertical, FHorizontal})
    if (Bar) Bar->HostMessage(Message);
  if (Message.Msg == WM_WINDOWPOSCHANGED) {
    const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (Pos && !(Pos->flags & SWP_NOZORDER))
      for (TVxInplaceScrollBar* Bar : {FVertical, FHorizontal})
        if (Bar && Bar->Visible()) Bar->BringToFront();
    if (Pos && (Pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) Sync();
  }
}

void TVxSubScrollBar::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FHost) SetHost(nullptr);
  if (Component == FVertical) FVertical = nullptr;
  if (Component == FHorizontal) FHorizontal = nullptr;
}
