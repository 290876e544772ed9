// Menu items, main and popup menus over the platform's menus.
#include "framework/ui/menus.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <map>

#include "framework/ui/object_windows.h"

namespace {

// [Command ids] Live items by the id their platform entries report.
// Never freed: items owned by the application outlive every other static.
std::map<uint16_t, TMenuItem*>& Commands() {
  static auto* Items = new std::map<uint16_t, TMenuItem*>;
  return *Items;
}

// Ids run from 1 up and are reused once free; 0 means no command to the platform.
uint16_t AllocateCommand(TMenuItem* Item) {
  static uint16_t Next = 0;
  auto& Items = Commands();
  if (Items.size() >= 0xFFFF) throw EMenuError("Too many menu items");
  do {
    Next = Next == 0xFFFF ? 1 : Next + 1;
  } while (Items.contains(Next));
  Items[Next] = Item;
  return Next;
}

// Follows the action's properties into the item.
class TMenuActionLink : public TActionLink {
 public:
  explicit TMenuActionLink(TMenuItem* Client) : FClient(Client) {}

  bool IsCaptionLinked() const override { return Action() && FClient->Caption() == Action()->Caption(); }
  bool IsCheckedLinked() const override { return Action() && FClient->Checked() == Action()->Checked(); }
  bool IsEnabledLinked() const override { return Action() && FClient->Enabled() == Action()->Enabled(); }
  bool IsVisibleLinked() const override { return Action() && FClient->Visible() == Action()->Visible(); }
  bool IsHintLinked() const override { return Action() && FClient->Hint() == Action()->Hint(); }
  bool IsShortCutLinked() const override { return Action() && FClient->ShortCut() == Action()->ShortCut(); }
  bool IsImageIndexLinked() const override { return Action() && FClient->ImageIndex() == Action()->ImageIndex(); }
  bool IsHelpContextLinked() const override { return Action() && FClient->HelpContext() == Action()->HelpContext(); }

  void SetCaption(const std::string& Value) override { FClient->SetCaption(Value); }
  void SetChecked(bool Value) override { FClient->SetChecked(Value); }
  void SetEnabled(bool Value) override { FClient->SetEnabled(Value); }
  void SetVisible(bool Value) override { FClient->SetVisible(Value); }
  void SetHint(const std::string& Value) override { FClient->SetHint(Value); }
  void SetShortCut(TShortCut Value) override { FClient->SetShortCut(Value); }
  void SetImageIndex(Integer Value) override { FClient->SetImageIndex(Value); }
  void SetHelpContext(Integer Value) override { FClient->SetHelpContext(Value); }

 private:
  TMenuItem* FClient;
};

}  // namespace

// [TMenuHandle] ---------------------------------------------------------------------------------

void TMenuHandle::RemoveAll() {
  if (!FHandle) return;
  for (int I = GetMenuItemCount(FHandle) - 1; I >= 0; --I) RemoveMenu(FHandle, UINT(I), MF_BYPOSITION);
}

void TMenuHandle::Reset(HMENU Handle) {
  if (FHandle) {
    // DestroyMenu would free the sub-menus too, and those belong to their items.
    RemoveAll();
    DestroyMenu(FHandle);
  }
  FHandle = Handle;
}

// [TMenuItem] -----------------------------------------------------------------------------------

namespace {

// Form files hold menu trees: each item inside the item (or menu) it belongs to.
void StreamedItems(const TMenuItem& Item, const TComponent& Root, std::vector<TComponent*>& Children) {
  for (Integer I = 0; I < Item.Count(); ++I)
    if (Item.Items(I)->Owner() == &Root) Children.push_back(Item.Items(I));
}

void StreamedSubItems(const TComponent& Item, const TComponent& Root, std::vector<TComponent*>& Children) {
  StreamedItems(static_cast<const TMenuItem&>(Item), Root, Children);
}

void StreamedMenuItems(const TComponent& Menu, const TComponent& Root, std::vector<TComponent*>& Children) {
  StreamedItems(*static_cast<const TMenu&>(Menu).Items(), Root, Children);
}

}  // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TMenuItem::Caption, &TMenuItem::SetCaption>("Caption"),
      BooleanProperty<&TMenuItem::Checked, &TMenuItem::SetChecked>("Checked", 0),
      BooleanProperty<&TMenuItem::Default, &TMenuItem::SetDefault>("Default", 0),
      BooleanProperty<&TMenuItem::Enabled, &TMenuItem::SetEnabled>("Enabled", 1),
      IntegerProperty<&TMenuItem::HelpContext, &TMenuItem::SetHelpContext>("HelpContext", 0),
      StringProperty<&TMenuItem::Hint, &TMenuItem::SetHint>("Hint"),
      IntegerProperty<&TMenuItem::ImageIndex, &TMenuItem::SetImageIndex>("ImageIndex", -1),
      BooleanProperty<&TMenuItem::RadioItem, &TMenuItem::SetRadioItem>("RadioItem", 0),
      IntegerProperty<&TMenuItem::ShortCut, &TMenuItem::SetShortCut>("ShortCut", 0),
      BooleanProperty<&TMenuItem::Visible, &TMenuItem::SetVisible>("Visible", 1),
  };
  static const TClassInfo Info{"TMenuItem", &TComponent::StaticClassInfo(), Properties,
                               {},          &CreateComponent<TMenuItem>,    &StreamedSubItems};
  return Info;
}

TMenuItem::TMenuItem(TComponent* Owner) : TComponent(Owner) { FCommand = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  FMenu = nullptr;
  // Children first (last first); each takes itself out of this list.
  FHandle.RemoveAll();
  while (!FItems.empty()) {
    TMenuItem* Child = FItems.back();
    FItems.pop_back();
    Child->FParent = nullptr;
    delete Child;
  }
  FActionLink.reset();
  Commands().erase(FCommand);
}

template <typename T>
void TMenuItem::Set(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TMenuItem::SetCaption(const std::string& Value) { Set(FCaption, Value); }
void TMenuItem::SetShortCut(TShortCut Value) { Set(FShortCut, Value); }
void TMenuItem::SetChecked(bool Value) { Set(FChecked, Value); }
void TMenuItem::SetRadioItem(bool Value) { Set(FRadioItem, Value); }
void TMenuItem::SetEnabled(bool Value) { Set(FEnabled, Value); }
void TMenuItem::SetVisible(bool Value) { Set(FVisible, Value); }
void TMenuItem::SetDefault(bool Value) { Set(FDefault, Value); }

TAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TAction* Value) {
  if (Value == Action()) return;
  if (TAction* Old = Action()) Old->RemoveFreeNotification(this);
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
}

void TMenuItem::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && FActionLink && Component == FActionLink->Action()) FActionLink.reset();
}

// [Tree]

Integer TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : Integer(It - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::SetParentComponent(TComponent* AParent) {
  if (auto* Item = dynamic_cast<TMenuItem*>(AParent))
    Item->Add(this);
  else if (auto* Menu = dynamic_cast<TMenu*>(AParent))
    Menu->Items()->Add(this);
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent || Item->FMenu) throw EMenuError("Menu item already inserted");
  for (const TMenuItem* P = this; P; P = P->FParent)
    if (P == Item) throw EMenuError("A menu item cannot contain itself");
  if (Index < 0 || Index > Count()) throw EMenuError(Format("Menu index out of bounds (%d)", int(Index)));
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  RebuildHandle();
  Changed();
}

void TMenuItem::Remove(TMenuItem* Item) {
  const Integer Index = IndexOf(Item);
  if (Index < 0) return;
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
  RebuildHandle();
  Changed();
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* Root = this;
  while (Root->FParent) Root = Root->FParent;
  return Root->FMenu;
}

// [Platform menu]

HMENU TMenuItem::Handle() {
  if (!FHandle.Get()) {
    HMENU Menu = FMenu ? FMenu->CreateMenuHandle() : CreatePopupMenu();
    if (!Menu) throw EOutOfResources("Cannot create a menu");
    FHandle.Reset(Menu);
    RebuildHandle();
  }
  return FHandle.Get();
}

void TMenuItem::Changed() {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  if (FParent) FParent->RebuildHandle();
}

void TMenuItem::RebuildHandle() {
  if (!FHandle.Get() || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  FHandle.RemoveAll();
  for (TMenuItem* Child : FItems)
    if (Child->FVisible) Child->AppendTo(FHandle.Get());
  if (FMenu) FMenu->MenuChanged();
}

void TMenuItem::AppendTo(HMENU Menu) {
  MENUITEMINFOA Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  Info.wID = FCommand;
  std::string Text;
  if (IsLine()) {
    Info.fType = MFT_SEPARATOR;
  } else {
    Info.fMask |= MIIM_STRING;
    Info.fType = MFT_STRING | (FRadioItem ? MFT_RADIOCHECK : 0);
    Text = FCaption;
    if (FShortCut != scNone) Text += "\t" + ShortCutToText(FShortCut);
    Info.dwTypeData = Text.data();
    Info.cch = UINT(Text.size());
    Info.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_DISABLED) | (FDefault ? MFS_DEFAULT : 0);
    if (!FItems.empty()) Info.hSubMenu = Handle();
  }
  InsertMenuItemA(Menu, UINT(GetMenuItemCount(Menu)), TRUE, &Info);
}

// [Commands]

void TMenuItem::Click() {
  if (IsLine() || !FItems.empty() || !FEnabled) return;
  // An OnClick of the item's own replaces the action's handler.
  if (OnClick)
    OnClick(this);
  else if (FActionLink && !ComponentState().Contains(TComponentStateFlag::csDesigning))
    FActionLink->Execute();
}

void TMenuItem::InitiateActions() {
  for (TMenuItem* Child : std::vector<TMenuItem*>(FItems))
    if (Child->FActionLink) Child->FActionLink->Update();
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) {
  if (Value == scNone) return nullptr;
  if (FShortCut == Value) return this;
  for (TMenuItem* Child : FItems)
    if (TMenuItem* Found = Child->FindShortCut(Value)) return Found;
  return nullptr;
}

TMenuItem* TMenuItem::FindCommand(uint16_t Id) {
  if (FCommand == Id) return this;
  for (TMenuItem* Child : FItems)
    if (TMenuItem* Found = Child->FindCommand(Id)) return Found;
  return nullptr;
}

TMenuItem* TMenuItem::FindHandle(HMENU Menu) {
  if (!Menu) return nullptr;
  if (FHandle.Get() == Menu) return this;
  for (TMenuItem* Child : FItems)
    if (TMenuItem* Found = Child->FindHandle(Menu)) return Found;
  return nullptr;
}

// [TMenu] ---------------------------------------------------------------------------------------

const TClassInfo& TMenu::StaticClassInfo() {
  static const TClassInfo Info{"TMenu", &TComponent::StaticClassInfo(), {}, {}, nullptr, &StreamedMenuItems};
  return Info;
}

TMenu::TMenu(TComponent* Owner) : TComponent(Owner), FItems(std::make_unique<TMenuItem>()) { FItems->FMenu = this; }

TMenu::~TMenu() = default;

bool TMenu::DispatchCommand(uint16_t Id) {
  TMenuItem* Item = FItems->FindCommand(Id);
  if (!Item || Item == FItems.get()) return false;
  Item->Click();
  return true;
}

bool TMenu::IsShortCut(TShortCut Value) {
  TMenuItem* Item = FItems->FindShortCut(Value);
  if (!Item) return false;
  if (Item->FActionLink) Item->FActionLink->Update();
  for (const TMenuItem* P = Item; P; P = P->Parent())
    if (!P->Enabled() || !P->Visible()) return false;
  Item->Click();
  return true;
}

// [TMainMenu] -----------------------------------------------------------------------------------

// Sees the menu's messages to the window it is attached to, before the window's own procedure.
struct TMainMenuHook {
  static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data) {
    auto* Menu = reinterpret_cast<TMainMenu*>(Data);
    switch (Msg) {
      case WM_COMMAND:
        // From a menu: notification code 0 and no control window.
        if (HIWORD(WParam) == 0 && LParam == 0 && Menu->Items()->FindCommand(LOWORD(WParam))) {
          try {
            Menu->DispatchCommand(LOWORD(WParam));
          } catch (...) {
            HandleCallbackException(Menu);
          }
          return 0;
        }
        break;
      case WM_INITMENUPOPUP:
        if (TMenuItem* Item = Menu->Items()->FindHandle(reinterpret_cast<HMENU>(WParam))) {
          try {
            Item->InitiateActions();
          } catch (...) {
            HandleCallbackException(Menu);
          }
        }
        break;
      case WM_DESTROY: {
        // The window would free the menu with itself.
        const LRESULT Result = DefSubclassProc(Wnd, Msg, WParam, LParam);
        Menu->SetWindow(nullptr);
        return Result;
      }
    }
    return DefSubclassProc(Wnd, Msg, WParam, LParam);
  }
};

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo Info{"TMainMenu", &TMenu::StaticClassInfo(), {}, {}, &CreateComponent<TMainMenu>};
  return Info;
}

TMainMenu::TMainMenu(TComponent* Owner) : TMenu(Owner) {}

TMainMenu::~TMainMenu() { SetWindow(nullptr); }

HMENU TMainMenu::CreateMenuHandle() { return CreateMenu(); }

void TMainMenu::SetWindow(HWND Wnd) {
  if (Wnd == FWindow) return;
  if (FWindow) {
    RemoveWindowSubclass(FWindow, &TMainMenuHook::Proc, reinterpret_cast<UINT_PTR>(this));
    if (GetMenu(FWindow) == Handle()) {
      ::SetMenu(FWindow, nullptr);
      DrawMenuBar(FWindow);
    }
    FWindow = nullptr;
  }
  if (!Wnd) return;
  if (!::SetMenu(Wnd, Handle())) throw EMenuError("Cannot put a menu on this window");
  // Keyed by the menu: another menu that was on the window keeps its own hook until it goes.
  if (!SetWindowSubclass(Wnd, &TMainMenuHook::Proc, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<DWORD_PTR>(this))) {
    ::SetMenu(Wnd, nullptr);
    throw EMenuError("Cannot put a menu on this window");
  }
  FWindow = Wnd;
  DrawMenuBar(Wnd);
}

void TMainMenu::MenuChanged() {
  if (FWindow) DrawMenuBar(FWindow);
}

// [TPopupMenu] ----------------------------------------------------------------------------------

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo Info{"TPopupMenu", &TMenu::StaticClassInfo(), {}, {}, &CreateComponent<TPopupMenu>};
  return Info;
}

TPopupMenu::TPopupMenu(TComponent* Owner) : TMenu(Owner) {}

TPopupMenu::~TPopupMenu() = default;

HMENU TPopupMenu::CreateMenuHandle() { return CreatePopupMenu(); }

// The old component is not asked to stop notifying: the pairing is shared by both ends, and the
// old one may still hold this menu (as its PopupMenu) and must hear when the menu goes.
void TPopupMenu::SetPopupComponent(TComponent* Value) {
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* Component, TOperation Operation) {
  TMenu::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FPopupComponent) FPopupComponent = nullptr;
}

TMenuItem* TPopupMenu::Popup(Integer X, Integer Y) {
  if (OnPopup) OnPopup(this);
  Items()->InitiateActions();
  // The menu's notifications go to a window of its own: sub-menus update their actions as they
  // open, whatever window had the focus.
  HWND Owner = AllocateHWnd([this](HWND Wnd, TMessage& Message) {
    if (Message.Msg == WM_INITMENUPOPUP)
      if (TMenuItem* Item = Items()->FindHandle(reinterpret_cast<HMENU>(Message.WParam))) Item->InitiateActions();
    DefaultUtilityMessage(Wnd, Message);
  });
  struct TOwnerWindow {
    HWND Wnd;
    ~TOwnerWindow() { DeallocateHWnd(Wnd); }
  } OwnerGuard{Owner};
  static constexpr UINT AlignFlags[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  const UINT Flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | AlignFlags[int(FAlignment)];
  const int Id = TrackPopupMenu(Handle(), Flags, X, Y, 0, Owner, nullptr);
  if (Id <= 0) return nullptr;
  TMenuItem* Item = Items()->FindCommand(uint16_t(Id));
  if (Item) Item->Click();
  return Item;
}

// [Dispatch] ------------------------------------------------------------------------------------

bool DispatchMenuCommand(uint16_t Id) {
  const auto It = Commands().find(Id);
  if (It == Commands().end()) return false;
  It->second->Click();
  return true;
}
