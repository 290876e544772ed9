// The menu bar control and the popup menu component.
#include "vexel/menus/vx_menubar.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// Form files hold the items the root owns under the bar or menu whose root item holds them.
template <typename T>
void ItemChildren(const TComponent& Holder, const TComponent& Root, std::vector<TComponent*>& Children) {
  const TVxItem* Items = static_cast<const T&>(Holder).Items();
  for (Integer I = 0; I < Items->Count(); ++I)
    if (Items->Items(I)->Owner() == &Root) Children.push_back(Items->Items(I));
}

}  // namespace

// [TVxMenuBarView] -------------------------------------------------------------------------------

TVxMenuBarView::TVxMenuBarView(TVxMenuBar* Bar, TVxItem* Root)
    : TVxItemView(nullptr, Root, TVxViewOrientation::voHorizontal), FBar(Bar) {}

TCanvas* TVxMenuBarView::Canvas() { return FBar->Canvas(); }
HWND TVxMenuBarView::MessageWindow() { return FBar->HandleAllocated() ? FBar->Handle() : nullptr; }
Integer TVxMenuBarView::LayoutWidth() const { return FBar->ContentRect().Width(); }

void TVxMenuBarView::RepaintAll() {
  if (FBar->HandleAllocated()) FBar->Repaint();
}

// The bar is double-buffered: an item repaints through the bar's own paint, clipped to it.
void TVxMenuBarView::RepaintItem(TVxItem* Item) {
  if (!FBar->HandleAllocated()) return;
  const TRect R = Item->ItemRect();
  RECT Box{R.Left, R.Top, R.Right, R.Bottom};
  InvalidateRect(FBar->Handle(), &Box, FALSE);
  UpdateWindow(FBar->Handle());
}

// [TVxMenuBar] -----------------------------------------------------------------------------------

const TClassInfo& TVxMenuBar::StaticClassInfo() {
  using C = TVxMenuBar;
  static const TPropInfo Properties[] = {
      BooleanProperty<&C::AutoSize, &C::SetAutoSize>("AutoSize", 1),
      ComponentProperty<&C::Images, &C::SetImages>("Images"),
      ClassProperty<&C::PopupMenuOptions>("PopupMenuOptions"),
      BooleanProperty<&C::ShowBevel, &C::SetShowBevel>("ShowBevel", 0),
      StringProperty<&C::ThemeObject, &C::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{"TVxMenuBar", &TCustomControl::StaticClassInfo(), Properties,
                               {},           &CreateComponent<TVxMenuBar>,       &ItemChildren<TVxMenuBar>};
  return Info;
}

TVxMenuBar::TVxMenuBar(TComponent* Owner)
    : TCustomControl(Owner),
      FItems(std::make_unique<TVxItem>()),
      FPopupMenuOptions(std::make_unique<TVxPopupMenuOptions>()) {
  FItems->SetParentComponentRef(this);
  FView = std::make_unique<TVxMenuBarView>(this, FItems.get());
  // The menu's loops hold the capture themselves: the framework's would let go of it as soon
  // as a popup takes it over.
  ExcludeStyle(TControlStyleFlag::csCaptureMouse);
  SetColor(clMenu);
  SetDoubleBuffered(true);
  SetBounds(0, 0, 100, GetSystemMetrics(SM_CYMENU));
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
  FItems->SetPopupOptions(FPopupMenuOptions.get());
  RegisterThemeClient(this);
}

TVxMenuBar::~TVxMenuBar() {
  UnregisterThemeClient(this);
  // The view forgets the items before they go.
  FView.reset();
  FItems->OnChange = nullptr;
  FItems.reset();
}

void TVxMenuBar::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  UpdateHeight();
}

void TVxMenuBar::SetPopupMenuOptions(const TVxPopupMenuOptions* Value) {
  FPopupMenuOptions->Assign(Value);
  FItems->SetPopupOptions(FPopupMenuOptions.get());
}

void TVxMenuBar::SetShowBevel(bool Value) {
  if (FShowBevel == Value) return;
  FShowBevel = Value;
  ItemsChanged();
}

void TVxMenuBar::SetThemeObject(const std::string& Value) {
  FThemeObject = Value;
  ItemsChanged();
}

TRect TVxMenuBar::ContentRect() {
  const TRect Whole = Bounds(0, 0, Width(), Height());
  TvxTheme* Theme = CurrentTheme();
  if (Theme && Theme->IsMenuDefined(0, FThemeObject)) {
    TRect Client;
    Theme->GetMenuClientRect(0, Whole, Client, FThemeObject);
    return Client;
  }
  TRect R = Whole;
  if (Align() == TAlign::alBottom)
    R.Top += 2;
  else
    R.Bottom -= 2;
  return R;
}

TPoint TVxMenuBar::ContentOrigin() {
  const TRect R = ContentRect();
  return {R.Left, R.Top};
}

void TVxMenuBar::UpdateHeight() {
  if (!FAutoSize) return;
  const TRect Content = ContentRect();
  const Integer Frame = Content.Top + (Height() - Content.Bottom);
  const Integer H = std::max<Integer>(FView->ContentSize().cy, MenuItemHeight()) + Frame;
  if (H != Height()) SetBounds(Left(), Top(), Width(), H);
}

void TVxMenuBar::ItemsChanged() {
  if (ComponentState().Contains(TComponentStateFlag::csLoading) ||
      ComponentState().Contains(TComponentStateFlag::csDestroying) || !FItems)
    return;
  FItems->SetPopupOptions(FPopupMenuOptions.get());
  FItems->SetOwnerControl(this);
  FView->SetOrigin(ContentOrigin());
  FView->Layout();
  UpdateHeight();
  FView->SetOrigin(ContentOrigin());
  FView->Layout();
  Invalidate();
}

void TVxMenuBar::Loaded() {
  TCustomControl::Loaded();
  ItemsChanged();
}

void TVxMenuBar::StartTracking() {
  if (!HandleAllocated() || FView->Tracking()) return;
  FItems->SetFromMenu(true);
  FItems->SetAnimateNext(true);
  Repaint();
  FView->Track();
  Repaint();
}

bool TVxMenuBar::FormShortCut(uint16_t Key, TShiftState Shift) {
  if (!HandleAllocated() || !IsWindowVisible(Handle()) || !IsWindowEnabled(Handle()) || FView->Tracking()) return false;
  const bool Alt = Shift.Contains(TShiftStateFlag::ssAlt);
  if (FItems->HandleShortCut(Key, Alt ? intptr_t(1) << 29 : 0)) return true;
  if (!Alt || Shift.Contains(TShiftStateFlag::ssCtrl)) return false;
  const auto Char = wchar_t(MapVirtualKeyW(Key, MAPVK_VK_TO_CHAR) & 0xFFFF);
  TVxItem* Item = Char ? FItems->FindAccelerator(Char) : nullptr;
  if (!Item || !Item->Visible()) return false;
  // The key's own character is already queued: the loop reads the one posted here instead.
  MSG Pending;
  PeekMessageW(&Pending, nullptr, WM_SYSCHAR, WM_SYSCHAR, PM_REMOVE);
  PostMessageW(Handle(), WM_CHAR, WPARAM(Char), 0);
  StartTracking();
  return true;
}

void TVxMenuBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
      const TPoint P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      if (!FView->ItemAt(P)) break;
      // The loop makes the item under the press hot, then opens it.
      PostMessageA(Handle(), WM_MOUSEMOVE, 0, Message.LParam);
      PostMessageA(Handle(), VXM_OPENSUBMENU, 0, 0);
      StartTracking();
      return;
    }
    case WM_MOUSEMOVE: {
      if (FView->Tracking()) break;
      if (!FMouseTracked) {
        TRACKMOUSEEVENT Event{sizeof(Event), TME_LEAVE, Handle(), 0};
        FMouseTracked = TrackMouseEvent(&Event);
      }
      POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      ::ClientToScreen(Handle(), &P);
      FView->Hover({P.x, P.y});
      break;
    }
    case WM_MOUSELEAVE:
      FMouseTracked = false;
      if (!FView->Tracking()) FView->Hover({-1, -1});
      break;
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      FView->SetOrigin(ContentOrigin());
      FView->Layout();
      return;
    case TM_THEMECHANGE: ItemsChanged(); return;
  }
  TCustomControl::Dispatch(Message);
}

void TVxMenuBar::Paint() {
  TCanvas& C = *Canvas();
  const TRect Whole = Bounds(0, 0, Width(), Height());
  TvxTheme* Theme = CurrentTheme();
  if (Theme && Theme->IsMenuDefined(0, FThemeObject)) {
    Theme->DrawMenu(0, C, FThemeObject, Whole);
  } else {
    FillRectColor(C.Handle(), Whole, Color());
    if (FShowBevel) {
      HDC DC = C.Handle();
      const bool Bottom = Align() == TAlign::alBottom;
      if (VisualStylesActive()) {
        const Integer Y = Bottom ? 0 : Height() - 1;
        FillRectColor(DC, Rect(0, Y, Width(), Y + 1), clBtnHighlight);
      } else {
        const Integer Y = Bottom ? 0 : Height() - 2;
        FillRectColor(DC, Rect(0, Y, Width(), Y + 1), clBtnShadow);
        FillRectColor(DC, Rect(0, Y + 1, Width(), Y + 2), clBtnHighlight);
      }
    }
  }
  FView->SetOrigin(ContentOrigin());
  FView->Layout();
  FView->Paint(C);
}

// [TVxPopupMenu] ---------------------------------------------------------------------------------

namespace {
TVxPopupMenu* ShowingMenu = nullptr;
}

const TClassInfo& TVxPopupMenu::StaticClassInfo() {
  using C = TVxPopupMenu;
  static const TPropInfo Properties[] = {
      ComponentProperty<&C::Images, &C::SetImages>("Images"),
      ClassProperty<&C::PopupMenuOptions>("PopupMenuOptions"),
  };
  static const TClassInfo Info{"TVxPopupMenu",
                               &TComponent::StaticClassInfo(),
                               Properties,
                               {},
                               &CreateComponent<TVxPopupMenu>,
                               &ItemChildren<TVxPopupMenu>};
  return Info;
}

TVxPopupMenu::TVxPopupMenu(TComponent* Owner)
    : TComponent(Owner),
      FItems(std::make_unique<TVxItem>()),
      FPopupMenuOptions(std::make_unique<TVxPopupMenuOptions>()) {
  FItems->SetParentComponentRef(this);
  FItems->SetPopupOptions(FPopupMenuOptions.get());
}

TVxPopupMenu::~TVxPopupMenu() {
  if (ShowingMenu == this) ShowingMenu = nullptr;
}

TVxPopupMenu* TVxPopupMenu::Showing() { return ShowingMenu; }

void TVxPopupMenu::SetPopupMenuOptions(const TVxPopupMenuOptions* Value) {
  FPopupMenuOptions->Assign(Value);
  FItems->SetPopupOptions(FPopupMenuOptions.get());
}

void TVxPopupMenu::Popup(Integer X, Integer Y) {
  // One popup menu at a time: the one showing closes first.
  if (ShowingMenu && ShowingMenu != this) {
    if (HWND Capture = GetCapture()) PostMessageA(Capture, WM_NCMBUTTONDBLCLK, 0, 0);
    if (Application) Application->ProcessMessages();
  }
  if (ShowingMenu == this) return;
  ShowingMenu = this;
  if (UseGlobalPopupOptions) {
    FPopupMenuOptions->SetShadow(&GlobalShadow());
    FPopupMenuOptions->SetAnimation(&GlobalAnimation());
    FPopupMenuOptions->SetBlending(&GlobalBlending());
  }
  FItems->SetPopupOptions(FPopupMenuOptions.get());
  if (auto* Control = dynamic_cast<TWinControl*>(Owner())) FItems->SetOwnerControl(Control);
  FItems->SetFromMenu(true);
  FItems->SetAnimateNext(true);
  try {
    if (OnPopup) OnPopup(this);
    FItems->Popup(nullptr, X, Y, TRect{});
  } catch (...) {
    ShowingMenu = nullptr;
    throw;
  }
  ShowingMenu = nullptr;
}
