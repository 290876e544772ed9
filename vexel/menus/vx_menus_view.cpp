// TVxItemView: layout, hot item, scrolling and the modal tracking loop.
//
// [SECTION] Live views   [SECTION] Layout and painting   [SECTION] Hot item and scrolling
// [SECTION] Tracking loop
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/ui/application.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_menus_internal.h"
#include "vexel/theme/vx_theme_manager.h"

// [SECTION] Live views ---------------------------------------------------------------------------

namespace {

std::vector<TVxItemView*>& Views() {
  static auto* List = new std::vector<TVxItemView*>;
  return *List;
}

bool IsLive(TVxItemView* View) { return std::find(Views().begin(), Views().end(), View) != Views().end(); }

constexpr Integer ScrollButtonHeight = 10;

}  // namespace

void RegisterItemView(TVxItemView* View) { Views().push_back(View); }

void UnregisterItemView(TVxItemView* View) { std::erase(Views(), View); }

// A handler run by one view may free another: each is looked up again before it is told.
void NotifyViewsChanged(TVxItem* Item) {
  const std::vector<TVxItemView*> Copy = Views();
  for (TVxItemView* View : Copy)
    if (IsLive(View)) View->ItemChanged(Item);
}

void NotifyViewsGone(TVxItem* Item) {
  const std::vector<TVxItemView*> Copy = Views();
  for (TVxItemView* View : Copy)
    if (IsLive(View)) View->ItemGone(Item);
}

TVxItemView::TVxItemView(TComponent* Owner, TVxItem* RootItem, TVxViewOrientation Orientation)
    : TComponent(Owner), FRootItem(RootItem), FOrientation(Orientation) {
  RegisterItemView(this);
}

TVxItemView::~TVxItemView() {
  UnregisterItemView(this);
  StopAutoScroll();
  if (FParentView && FParentView->FChildView == this) FParentView->FChildView = nullptr;
  if (FChildView && FChildView->FParentView == this) FChildView->FParentView = nullptr;
}

TvxTheme* TVxItemView::Theme() const { return CurrentTheme(); }

void TVxItemView::ItemChanged(TVxItem* Item) {
  if (!FRootItem || (Item != FRootItem && Item->Parent() != FRootItem)) return;
  if (FHotItem && (FHotItem->Parent() != FRootItem || !FHotItem->Visible())) FHotItem = nullptr;
  Layout();
  RepaintAll();
}

void TVxItemView::ItemGone(TVxItem* Item) {
  if (Item == FHotItem) FHotItem = nullptr;
  if (Item == FRootItem) {
    FRootItem = nullptr;
    FTracking = false;
    FSubmenuOpen = false;
  }
}

TPoint TVxItemView::ScreenToView(const TPoint& P) {
  POINT Q{P.X, P.Y};
  if (HWND Wnd = MessageWindow()) ScreenToClient(Wnd, &Q);
  return {Q.x, Q.y};
}

TPoint TVxItemView::ViewToScreen(const TPoint& P) {
  POINT Q{P.X, P.Y};
  if (HWND Wnd = MessageWindow()) ClientToScreen(Wnd, &Q);
  return {Q.x, Q.y};
}

void TVxItemView::UpdateActions() {
  if (FRootItem) FRootItem->UpdateActions();
}

// [SECTION] Layout and painting ------------------------------------------------------------------

std::vector<TVxItem*> TVxItemView::VisibleChildren() const {
  std::vector<TVxItem*> Result;
  if (!FRootItem) return Result;
  for (Integer I = 0; I < FRootItem->Count(); ++I)
    if (FRootItem->Items(I)->Visible()) Result.push_back(FRootItem->Items(I));
  return Result;
}

bool TVxItemView::IsScrolled() const {
  if (!FRootItem || !Vertical() || !FRootItem->Scrolled() || FRootItem->ScrollCount() <= 0) return false;
  return Integer(VisibleChildren().size()) > FRootItem->ScrollCount();
}

void TVxItemView::Layout() {
  if (!FRootItem) {
    SetContentSize({0, 0});
    return;
  }
  TCanvas& C = *Canvas();
  for (Integer I = 0; I < FRootItem->Count(); ++I) FRootItem->Items(I)->SetItemRect({});
  const std::vector<TVxItem*> Shown = VisibleChildren();
  const Integer N = Integer(Shown.size());

  if (Vertical()) {
    const bool Scrolls = IsScrolled();
    const Integer Count = Scrolls ? FRootItem->ScrollCount() : N;
    const Integer First = Scrolls ? std::clamp<Integer>(FRootItem->FirstVisible(), 0, N - Count) : 0;
    if (Scrolls) FRootItem->SetFirstVisible(First);
    std::vector<TSize> Sizes;
    Integer Width = 0;
    for (TVxItem* Item : Shown) {
      Sizes.push_back(Item->Measure(C, *this));
      Width = std::max(Width, Sizes.back().cx);
    }
    Integer Y = FOrigin.Y + (Scrolls ? ScrollButtonHeight : 0), Height = 0;
    for (Integer I = 0; I < N; ++I) {
      const bool Inside = I >= First && I < First + Count;
      const Integer H = Inside ? Sizes[size_t(I)].cy : 0;
      Shown[size_t(I)]->SetItemRect({FOrigin.X, Y, FOrigin.X + Width, Y + H});
      Y += H;
      Height += H;
    }
    SetContentSize({Width, Height + (Scrolls ? 2 * ScrollButtonHeight : 0)});
    return;
  }

  // Horizontal: normal items side by side, caption buttons at the ends.
  Integer X = FOrigin.X, Width = 0, Height = 0;
  std::vector<std::pair<TVxItem*, TSize>> Normal;
  for (TVxItem* Item : Shown) {
    const TSize S = Item->Measure(C, *this);
    Height = std::max(Height, S.cy);
    if (Item->ItemKind() == ikNormal) Normal.emplace_back(Item, S);
  }
  const Integer BarWidth = LayoutWidth();
  for (TVxItem* Item : Shown) {
    const Byte Kind = Item->ItemKind();
    if (Kind == ikNormal) continue;
    const Integer W = Item->Measure(C, *this).cx;
    const Integer Left = Kind == ikWindowIcon ? 0 : BarWidth - Integer(Kind) * W;
    Item->SetItemRect({FOrigin.X + Left, FOrigin.Y, FOrigin.X + Left + W, FOrigin.Y + Height});
    if (Kind == ikWindowIcon) X += W;
  }
  for (const auto& [Item, S] : Normal) {
    Item->SetItemRect({X, FOrigin.Y, X + S.cx, FOrigin.Y + Height});
    X += S.cx;
    Width += S.cx;
  }
  SetContentSize({Width, Height});
}

TRect TVxItemView::GetItemRect(TVxItem* Item) const { return Item ? Item->ItemRect() : TRect{}; }

TRect TVxItemView::ScrollButtonRect(bool Up) const {
  if (Up) return {FOrigin.X, FOrigin.Y, FOrigin.X + FContentSize.cx, FOrigin.Y + ScrollButtonHeight};
  const Integer Bottom = FOrigin.Y + FContentSize.cy;
  return {FOrigin.X, Bottom - ScrollButtonHeight, FOrigin.X + FContentSize.cx, Bottom};
}

TVxItem* TVxItemView::ItemAt(const TPoint& P) const {
  for (TVxItem* Item : VisibleChildren()) {
    const TRect& R = Item->ItemRect();
    if (!R.IsEmpty() && R.Contains(P.X, P.Y)) return Item;
  }
  return nullptr;
}

void TVxItemView::Paint(TCanvas& Canvas) {
  if (!FRootItem) return;
  const TRect Clip = Canvas.ClipRect();
  for (TVxItem* Item : VisibleChildren()) {
    const TRect& R = Item->ItemRect();
    if (Item->Hidden() || R.IsEmpty() || Intersect(R, Clip).IsEmpty()) continue;
    Item->Draw(Canvas, *this, R);
  }
  if (IsScrolled()) {
    FRootItem->DrawScrollButton(Canvas, *this, ScrollButtonRect(true), true, FScrollButton == 1);
    FRootItem->DrawScrollButton(Canvas, *this, ScrollButtonRect(false), false, FScrollButton == 2);
  }
}

// [SECTION] Hot item and scrolling ---------------------------------------------------------------

void TVxItemView::SetHotItem(TVxItem* Value) {
  if (Value == FHotItem) return;
  TVxItem* Old = FHotItem;
  FHotItem = Value;
  if (Old) RepaintItem(Old);
  if (Value) RepaintItem(Value);
}

void TVxItemView::Hover(const TPoint& Screen) {
  if (!FRootItem) return;
  const TPoint P = ScreenToView(Screen);
  TVxItem* Old = FHotItem;
  if (!FTracking) {
    FHotItem = nullptr;
    if (Application) Application->SetHint("");
  }
  if (IsScrolled()) {
    const bool OnUp = ScrollButtonRect(true).Contains(P.X, P.Y), OnDown = ScrollButtonRect(false).Contains(P.X, P.Y);
    if (OnUp || OnDown) {
      if (FChildView) PostMessageA(FChildView->MessageWindow(), VXM_CLOSEVIEW, 0, 0);
      FSubmenuOpen = false;
      const Byte Button = OnUp ? 1 : 2;
      if (FScrollButton != Button) {
        FScrollButton = Button;
        RepaintScrollButton(true);
        RepaintScrollButton(false);
      }
      StartAutoScroll();
      if (Old != FHotItem) {
        if (Old) RepaintItem(Old);
      }
      return;
    }
    if (FScrollButton) {
      FScrollButton = 0;
      StopAutoScroll();
      RepaintScrollButton(true);
      RepaintScrollButton(false);
    }
  }
  if (TVxItem* At = ItemAt(P)) {
    FHotItem = At;
    if (Application && At != Old) Application->SetHint(At->Hint());
  }
  if (Old != FHotItem) {
    if (Old) RepaintItem(Old);
    if (FHotItem) RepaintItem(FHotItem);
  }
}

void TVxItemView::Step(bool Forward) {
  const std::vector<TVxItem*> Shown = VisibleChildren();
  const Integer N = Integer(Shown.size());
  if (N == 0) return;
  const auto Current = std::find(Shown.begin(), Shown.end(), FHotItem);
  const Integer From = Current == Shown.end() ? (Forward ? -1 : N) : Integer(Current - Shown.begin());
  Integer Index = -1;
  for (Integer K = 1; K <= N; ++K) {
    const Integer I = ((From + (Forward ? K : -K)) % N + N) % N;
    if (!Shown[size_t(I)]->IsSeparator()) {
      Index = I;
      break;
    }
  }
  if (Index < 0) return;
  TVxItem* Next = Shown[size_t(Index)];
  bool Scrolled = false;
  if (IsScrolled()) {
    const Integer Count = FRootItem->ScrollCount();
    Integer First = FRootItem->FirstVisible();
    if (Index < First)
      First = Index;
    else if (Index >= First + Count)
      First = Index - Count + 1;
    if (First != FRootItem->FirstVisible()) {
      FRootItem->SetFirstVisible(First);
      Layout();
      Scrolled = true;
    }
  }
  if (Scrolled) {
    FHotItem = Next;
    RepaintAll();
  } else {
    SetHotItem(Next);
  }
  if (Application) Application->SetHint(Next->Hint());
  if (FSubmenuOpen) OpenSubmenu();
}

void TVxItemView::NextItem() { Step(true); }
void TVxItemView::PreviousItem() { Step(false); }

void TVxItemView::StartAutoScroll() {
  if (FAutoScroll || !MessageWindow()) return;
  SetTimer(MessageWindow(), VXT_AUTOSCROLL, 100, nullptr);
  FAutoScroll = true;
}

void TVxItemView::StopAutoScroll() {
  if (!FAutoScroll) return;
  FAutoScroll = false;
  // The window may already be gone; the timer went with it then.
  if (HWND Wnd = MessageWindow(); Wnd && IsWindow(Wnd)) KillTimer(Wnd, VXT_AUTOSCROLL);
}

void TVxItemView::ScrollStep() {
  if (!FScrollButton || !IsScrolled()) {
    StopAutoScroll();
    return;
  }
  const Integer First = FRootItem->FirstVisible();
  const Integer N = Integer(VisibleChildren().size());
  const bool CanMove = FScrollButton == 1 ? First > 0 : First + FRootItem->ScrollCount() < N;
  if (!CanMove) return;
  if (!FHotItem) FHotItem = VisibleChildren()[size_t(First)];
  FSubmenuOpen = false;
  Step(FScrollButton == 2);
}

void TVxItemView::OpenSubmenu() {
  TVxItem* Hot = FHotItem;
  if (!Hot || !Hot->Enabled() || Hot->Count() == 0 || FScrollButton) {
    // A bar stays in its dropped-down mode over an item without children; a popup does not.
    if (Vertical()) FSubmenuOpen = false;
    return;
  }
  const TRect R = Hot->ItemRect();
  const TPoint TopLeft = ViewToScreen({R.Left, R.Top});
  const TRect Screen{TopLeft.X, TopLeft.Y, TopLeft.X + R.Width(), TopLeft.Y + R.Height()};
  const TPoint At = Vertical() ? TPoint{Screen.Right, Screen.Top} : TPoint{Screen.Left, Screen.Bottom};
  FSubmenuOpen = true;
  UpdateActions();
  const bool Shown = Hot->Popup(this, At.X, At.Y, Screen);
  // Arrow keys in a popup move between items again; a bar keeps dropping down.
  if (!Shown || Vertical()) FSubmenuOpen = false;
  // The submenu's loop had the capture; this loop goes on with it.
  if (FTracking && MessageWindow() && GetCapture() != MessageWindow()) SetCapture(MessageWindow());
}

// [SECTION] Tracking loop ------------------------------------------------------------------------

TVxItemView* TVxItemView::Outermost() {
  TVxItemView* View = this;
  while (View->FParentView) View = View->FParentView;
  return View;
}

bool TVxItemView::AnyHorizontalAncestor() const {
  for (const TVxItemView* V = FParentView; V; V = V->FParentView)
    if (!V->Vertical()) return true;
  return false;
}

void TVxItemView::EndTrackingAll() {
  for (TVxItemView* View = Outermost(); View; View = View->FChildView) {
    View->FTracking = false;
    View->FHotItem = nullptr;
    View->FSubmenuOpen = false;
    View->FScrollButton = 0;
    View->StopAutoScroll();
    View->RepaintAll();
  }
}

void TVxItemView::MakeFirstHot() {
  const std::vector<TVxItem*> Shown = VisibleChildren();
  if (Shown.empty()) return;
  const Integer N = Integer(Shown.size());
  const Integer First = IsScrolled() ? FRootItem->FirstVisible() : 0;
  if (First >= N) {
    FHotItem = Shown.back();
  } else {
    // Neither a caption button nor a separator: the keyboard could never reach one.
    Integer I = First;
    while (I < N && (Shown[size_t(I)]->ItemKind() != ikNormal || Shown[size_t(I)]->IsSeparator())) ++I;
    FHotItem = I < N ? Shown[size_t(I)] : nullptr;
  }
  if (FHotItem) RepaintItem(FHotItem);
}

void TVxItemView::LeaveLoop() { FLeave = true; }

void TVxItemView::Escape() {
  TVxItem* Old = FHotItem;
  FHotItem = nullptr;
  if (Old) RepaintItem(Old);
  if (FParentView) FParentView->FSubmenuOpen = false;
  LeaveLoop();
}

TPoint TVxItemView::ScreenOrigin(HWND Wnd) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  return {R.left, R.top};
}

bool TVxItemView::PointInWindow(const TPoint& Screen) {
  HWND Wnd = MessageWindow();
  RECT R;
  if (!Wnd || !GetWindowRect(Wnd, &R)) return false;
  return Screen.X >= R.left && Screen.X < R.right && Screen.Y >= R.top && Screen.Y < R.bottom;
}

// The views from this one outward up to Outer (not included) close, in that order.
void TVxItemView::CloseViewsUpTo(TVxItemView* Outer) {
  for (TVxItemView* V = FParentView; V && V != Outer; V = V->FParentView)
    PostMessageA(V->MessageWindow(), VXM_CLOSEVIEW, 0, 0);
  LeaveLoop();
}

void TVxItemView::PressEnter() {
  TVxItem* Hot = FHotItem;
  if (!Hot) return;
  if (Hot->Count() > 0 && Hot->Enabled() && Hot->HasVisibleChildren()) {
    OpenSubmenu();
    return;
  }
  if (Hot->IsSeparator() || !Hot->Enabled()) return;
  Hot->Click();
  EndTrackingAll();
}

void TVxItemView::HandleButton(const TPoint& Screen) {
  if (PointInWindow(Screen)) {
    Hover(Screen);
    if (FScrollButton) return;
    TVxItem* At = ItemAt(ScreenToView(Screen));
    if (At && At == FHotItem) PressEnter();
    return;
  }
  for (TVxItemView* V = FParentView; V; V = V->FParentView) {
    if (!V->PointInWindow(Screen)) continue;
    TVxItem* At = V->ItemAt(V->ScreenToView(Screen));
    // The item whose submenu this is: pressing it again keeps the menu as it is.
    if (At && At == V->FHotItem) return;
    CloseViewsUpTo(V);
    if (At) {
      V->Hover(Screen);
      PostMessageA(V->MessageWindow(), VXM_OPENSUBMENU, 0, 0);
    }
    return;
  }
  EndTrackingAll();
}

bool TVxItemView::HandleMouseMove(const TPoint& Screen) {
  if (PointInWindow(Screen)) {
    TVxItem* Old = FHotItem;
    Hover(Screen);
    if (Vertical() && FHotItem && FHotItem != Old && FHotItem->Enabled() && FHotItem->HasVisibleChildren())
      PostMessageA(MessageWindow(), VXM_OPENSUBMENU, 0, 0);
    return false;
  }
  for (TVxItemView* V = FParentView; V; V = V->FParentView) {
    if (!V->PointInWindow(Screen)) continue;
    TVxItem* At = V->ItemAt(V->ScreenToView(Screen));
    if (!At || At == V->FHotItem) return false;
    CloseViewsUpTo(V);
    V->Hover(Screen);
    PostMessageA(V->MessageWindow(), VXM_OPENSUBMENU, 0, 0);
    return true;
  }
  return false;
}

bool TVxItemView::HandleKey(uint16_t Key) {
  const TVxItemView* Parent = FParentView;
  switch (Key) {
    case VK_TAB:
    case VK_SPACE: return true;
    case VK_RETURN: PressEnter(); return true;
    case VK_MENU:
    case VK_F10: EndTrackingAll(); return true;
    case VK_ESCAPE: Escape(); return true;
    case VK_LEFT:
      if (!Vertical()) {
        PreviousItem();
      } else if (Parent && !Parent->Vertical()) {
        PostMessageA(FParentView->MessageWindow(), WM_KEYDOWN, VK_LEFT, 0);
        LeaveLoop();
      } else if (Parent) {
        Escape();
      }
      return true;
    case VK_UP:
      if (Vertical()) PreviousItem();
      return true;
    case VK_RIGHT:
      if (!Vertical()) {
        NextItem();
      } else if (FHotItem && FHotItem->Enabled() && FHotItem->HasVisibleChildren()) {
        OpenSubmenu();
      } else if (Parent && !Parent->Vertical()) {
        PostMessageA(FParentView->MessageWindow(), WM_KEYDOWN, VK_RIGHT, 0);
        LeaveLoop();
      } else if (AnyHorizontalAncestor()) {
        Escape();
      }
      return true;
    case VK_DOWN:
      if (Vertical())
        NextItem();
      else
        OpenSubmenu();
      return true;
    default: return false;
  }
}

namespace {

TPoint MessageScreenPoint(const MSG& Msg) {
  POINT P{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
  if (Msg.hwnd) ClientToScreen(Msg.hwnd, &P);
  return {P.x, P.y};
}

wchar_t MessageChar(const MSG& Msg) {
  if (IsWindowUnicode(Msg.hwnd) || Msg.wParam < 0x80) return wchar_t(Msg.wParam);
  const char Byte = char(Msg.wParam);
  wchar_t Wide = 0;
  MultiByteToWideChar(CP_ACP, 0, &Byte, 1, &Wide, 1);
  return Wide;
}

}  // namespace

void TVxItemView::Track() {
  HWND Wnd = MessageWindow();
  if (!FRootItem || !Wnd) return;
  FTracking = true;
  FLeave = false;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  MakeFirstHot();
  POINT Cursor{};
  GetCursorPos(&Cursor);
  FLastMouse = {Cursor.x, Cursor.y};
  if (PointInWindow(FLastMouse)) Hover(FLastMouse);
  SetCapture(Wnd);
  // A view never moves its own window while it tracks: a move means the menu no longer sits
  // where it was opened (the form under a bar moved, an owner re-placed the popup).
  const TPoint Origin = ScreenOrigin(Wnd);

  MSG Msg;
  while (FTracking && !FLeave) {
    // Whoever took the capture away ends the whole menu: no loop waits for input it cannot get.
    if (GetCapture() != Wnd) {
      EndTrackingAll();
      break;
    }
    if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    // A handler that raises goes to the application, and the menu closes: nothing is left
    // tracking or holding the capture.
    try {
      switch (Msg.message) {
        case WM_QUIT:
          EndTrackingAll();
          // The loops outside need to see it too.
          PostQuitMessage(int(Msg.wParam));
          break;
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDBLCLK: EndTrackingAll(); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONUP: HandleButton(MessageScreenPoint(Msg)); break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: break;
        case WM_MOUSEMOVE: {
          const TPoint P = MessageScreenPoint(Msg);
          if (P == FLastMouse) break;
          FLastMouse = P;
          HandleMouseMove(P);
          break;
        }
        case WM_TIMER:
          if (Msg.hwnd == Wnd && Msg.wParam == VXT_AUTOSCROLL)
            ScrollStep();
          else
            DispatchMessageA(&Msg);
          break;
        case VXM_OPENSUBMENU:
          if (Msg.hwnd == Wnd) OpenSubmenu();
          break;
        case VXM_CLOSEVIEW: Escape(); break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
          if (GetKeyState(VK_LBUTTON) < 0) break;
          if (!HandleKey(uint16_t(Msg.wParam))) TranslateMessage(&Msg);
          break;
        case WM_KEYUP:
        case WM_SYSKEYUP: break;
        case WM_CHAR:
        case WM_SYSCHAR:
          if (TVxItem* Item = FRootItem->FindAccelerator(MessageChar(Msg)); Item && Item->Visible()) {
            SetHotItem(Item);
            PressEnter();
          }
          break;
        default: TranslateMessage(&Msg); DispatchMessageA(&Msg);
      }
    } catch (...) {
      EndTrackingAll();
      if (Application) Application->HandleException(this);
    }
    if (!FRootItem) break;
    if (FTracking && !FLeave && IsWindow(Wnd) && ScreenOrigin(Wnd) != Origin) {
      FTracking = false;
      Escape();
    }
  }

  StopAutoScroll();
  if (FParentView) FParentView->RepaintAll();
  FTracking = false;
  if (IsWindow(Wnd) && GetCapture() == Wnd) ReleaseCapture();
}
