// The menu bar control and the popup menu component.
#include "vexel/menus/vx_menubar.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/graphics/vx_resource.h"
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
  if (FBar->HandleAllocated() && !FBar->Locked()) FBar->Repaint();
}

// The bar is double-buffered: an item repaints through the bar's own paint, clipped to it.
void TVxMenuBarView::RepaintItem(TVxItem* Item) {
  if (!FBar->HandleAllocated() || FBar->Locked()) return;
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
  if (FActiveMDIChild) FActiveMDIChild->RemoveFreeNotification(this);
  FActiveMDIChild = nullptr;
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
      ComponentState().Contains(TComponentStateFlag::csDestroying) || !FItems || FLocked)
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

bool TVxMenuBar::CanTrack() {
  if (!HandleAllocated() || !IsWindowVisible(Handle()) || !IsWindowEnabled(Handle()) || FView->Tracking()) return false;
  for (Integer I = 0; I < FItems->Count(); ++I)
    if (FItems->Items(I)->Visible()) return true;
  return false;
}

void TVxMenuBar::StartTracking() {
  if (!CanTrack()) return;
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

// [MDI items] ------------------------------------------------------------------------------------

// The skinned forms' system-menu glyphs serve the MDI buttons too (the same resources).
TImageList& MDIItemImages() {
  static TImageList* Images = [] {
    const TColor Mask = TColor(0xFF00FF);
    auto* List = new TImageList();
    List->SetWidth(16);
    List->SetHeight(16);
    List->SetMasked(true);
    for (const char* Name : {"VX_FORM_CLOSE", "VX_FORM_MINIMIZE", "VX_FORM_MAXIMIZE", "VX_FORM_RESTORE"}) {
      TBitmap Glyph;
      // A program without the resources keeps the indices with blank glyphs.
      if (!LoadBitmapResource(Name, Glyph)) {
        Glyph.SetSize(16, 16);
        Glyph.Canvas().Brush().SetColor(Mask);
        Glyph.Canvas().FillRect(Rect(0, 0, 16, 16));
      }
      List->AddMasked(Glyph, Mask);
    }
    return List;
  }();
  return *Images;
}

void TVxMenuBar::CreateMDIItems() {
  if (!FMDIItems.empty()) return;
  struct TMDIItem {
    Byte Kind;
    const wchar_t* Caption;
    TShortCut ShortCut;
    Integer Image;
    void (TVxMenuBar::*Command)();
  };
  static const TMDIItem Table[] = {
      {ikWindowIcon, L"", scNone, -1, nullptr},
      {ikNormal, L"&Restore", scNone, 3, &TVxMenuBar::RestoreMDIChild},
      {ikNormal, L"Mi&nimize", scNone, 1, &TVxMenuBar::MinimizeMDIChild},
      {ikNormal, L"Ma&ximize", scNone, 2, nullptr},
      {ikNormal, L"-", scNone, -1, nullptr},
      {ikNormal, L"&Close", scCtrl | VK_F4, 0, &TVxMenuBar::CloseMDIChild},
      {ikNormal, L"-", scNone, -1, nullptr},
      {ikNormal, L"&Next", scCtrl | VK_F6, -1, &TVxMenuBar::NextMDIChild},
      {ikMinimize, L"", scNone, -1, &TVxMenuBar::MinimizeMDIChild},
      {ikRestore, L"", scNone, -1, &TVxMenuBar::RestoreMDIChild},
      {ikClose, L"", scNone, -1, &TVxMenuBar::CloseMDIChild},
  };
  const bool WasLocked = FLocked;
  FLocked = true;
  TVxItem* Icon = nullptr;
  for (const TMDIItem& Entry : Table) {
    auto* Item = new TVxItem(this);
    Item->SetItemKind(Entry.Kind);
    Item->SetCaption(Entry.Caption);
    Item->SetShortCut(Entry.ShortCut);
    Item->SetImages(&MDIItemImages());
    Item->SetImageIndex(Entry.Image);
    if (Entry.Kind == ikNormal && !Entry.Command && Entry.Caption[0] != L'-') Item->SetEnabled(false);
    if (Entry.Command) Item->OnClick = [this, Command = Entry.Command](TObject*) { (this->*Command)(); };
    if (Entry.Kind == ikWindowIcon) {
      Icon = Item;
      Item->SetVisible(false);
      FItems->Insert(0, Item);
    } else if (Entry.Kind == ikNormal) {
      Icon->Add(Item);
    } else {
      Item->SetVisible(false);
      FItems->Add(Item);
    }
    FMDIItems.push_back(Item);
  }
  FLocked = WasLocked;
}

void TVxMenuBar::Notification(TComponent* Component, TOperation Operation) {
  TCustomControl::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FActiveMDIChild) {
    // A maximised child that goes takes its caption buttons with it.
    FActiveMDIChild = nullptr;
    if (!ComponentState().Contains(TComponentStateFlag::csDestroying)) HideMDIItems();
  }
  for (TVxItem*& Item : FMDIItems)
    if (Item == Component) Item = nullptr;
}

void TVxMenuBar::ShowMDIItems(TForm* Child) {
  if (!Child) return HideMDIItems();
  CreateMDIItems();
  if (FActiveMDIChild != Child) {
    if (FActiveMDIChild) FActiveMDIChild->RemoveFreeNotification(this);
    FActiveMDIChild = Child;
    Child->FreeNotification(this);
  }
  TComponent* Skinned = FindSkinnedForm(Child);
  FLocked = true;
  try {
    for (TVxItem* Item : FMDIItems)
      if (Item && Item->ItemKind() != ikNormal) Item->SetVisible(true);
    FItems->SetMDIForm(Skinned ? Skinned : Child);
  } catch (...) {
    FLocked = false;
    throw;
  }
  FLocked = false;
  ItemsChanged();
}

void TVxMenuBar::HideMDIItems() {
  if (FActiveMDIChild) FActiveMDIChild->RemoveFreeNotification(this);
  FActiveMDIChild = nullptr;
  if (FMDIItems.empty()) return;
  FLocked = true;
  for (TVxItem* Item : FMDIItems)
    if (Item && Item->ItemKind() != ikNormal) Item->SetVisible(false);
  FItems->SetMDIForm(nullptr);
  FLocked = false;
  ItemsChanged();
}

namespace {

TVxDefaultForm* ChildSkin(TForm* Child) { return Child ? FindSkinnedForm(Child) : nullptr; }

// The child the commands act on: the active child of the application's main form when that is an
// MDI form, else the child the items were shown for.
TForm* CommandTarget(TForm* Shown) {
  if (TForm* Main = TForm::MDIParentForm(); Main && Main->ClientHandle()) return Main->ActiveMDIChild();
  return Shown;
}

bool IsMDIChildForm(const TForm* Child) { return Child->FormStyle() == TFormStyle::fsMDIChild; }

}  // namespace

void TVxMenuBar::RestoreMDIChild() {
  TForm* Child = CommandTarget(FActiveMDIChild);
  if (!Child) return;
  if (TVxDefaultForm* Skin = ChildSkin(Child))
    Skin->Restore();
  else if (IsMDIChildForm(Child))
    Child->SetWindowState(TWindowState::wsNormal);  // through the MDI client
  else if (Child->HandleAllocated())
    ShowWindow(Child->Handle(), SW_RESTORE);
  if (FActiveMDIChild == Child) HideMDIItems();
}

void TVxMenuBar::MinimizeMDIChild() {
  TForm* Child = CommandTarget(FActiveMDIChild);
  if (!Child) return;
  if (TVxDefaultForm* Skin = ChildSkin(Child))
    Skin->Minimize();
  else if (IsMDIChildForm(Child))
    Child->SetWindowState(TWindowState::wsMinimized);
  else if (Child->HandleAllocated())
    ShowWindow(Child->Handle(), SW_MINIMIZE);
  if (FActiveMDIChild == Child) HideMDIItems();
}

void TVxMenuBar::CloseMDIChild() {
  TForm* Child = CommandTarget(FActiveMDIChild);
  if (!Child) return;
  if (TVxDefaultForm* Skin = ChildSkin(Child))
    Skin->Close();
  else
    Child->Close();
}

// The MDI client (the child's parent window) activates the next child.
void TVxMenuBar::NextMDIChild() {
  if (TForm* Main = TForm::MDIParentForm(); Main && Main->ClientHandle()) {
    if (Main->ActiveMDIChild()) Main->Next();
    return;
  }
  TForm* Child = FActiveMDIChild;
  if (!Child || !Child->HandleAllocated()) return;
  HWND Client = GetParent(Child->Handle());
  char Class[16] = {};
  if (Client && GetClassNameA(Client, Class, sizeof(Class)) && lstrcmpiA(Class, "MDIClient") == 0)
    SendMessageA(Client, WM_MDINEXT, WPARAM(Child->Handle()), 0);
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
                               &TPopupMenu::StaticClassInfo(),
                               Properties,
                               {},
                               &CreateComponent<TVxPopupMenu>,
                               &ItemChildren<TVxPopupMenu>};
  return Info;
}

TVxPopupMenu::TVxPopupMenu(TComponent* Owner)
    : TPopupMenu(Owner),
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

TMenuItem* TVxPopupMenu::Popup(Integer X, Integer Y) {
  // One popup menu at a time: the one showing closes first.
  if (ShowingMenu && ShowingMenu != this) {
    if (HWND Capture = GetCapture()) PostMessageA(Capture, WM_NCMBUTTONDBLCLK, 0, 0);
    if (Application) Application->ProcessMessages();
  }
  if (ShowingMenu == this) return nullptr;
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
  FItems->SetPopupAlignment(Alignment());
  try {
    if (OnPopup) OnPopup(this);
    FItems->Popup(nullptr, X, Y, TRect{});
  } catch (...) {
    ShowingMenu = nullptr;
    throw;
  }
  ShowingMenu = nullptr;
  return nullptr;
}
