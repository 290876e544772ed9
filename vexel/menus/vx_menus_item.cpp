// TVxItem: properties, the child list with its change notification, the action link, click,
// accelerator and shortcut lookup.
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "framework/core/reflection.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_menus_internal.h"

namespace {

// Never freed: items owned by the application outlive every other static.
std::unordered_map<uint32_t, TVxItem*>& LiveItems() {
  static auto* Items = new std::unordered_map<uint32_t, TVxItem*>;
  return *Items;
}

uint32_t NextSerial() {
  static uint32_t Serial = 0;
  do ++Serial;
  while (Serial == 0 || LiveItems().contains(Serial));
  return Serial;
}

uint64_t Generation = 0;

std::string ToAnsi(const std::wstring& Text) {
  if (Text.empty()) return {};
  const int Size = WideCharToMultiByte(CP_ACP, 0, Text.data(), int(Text.size()), nullptr, 0, nullptr, nullptr);
  if (Size <= 0) return {};
  std::string Result(size_t(Size), '\0');
  WideCharToMultiByte(CP_ACP, 0, Text.data(), int(Text.size()), Result.data(), Size, nullptr, nullptr);
  return Result;
}

void StreamedChildren(const TComponent& Item, const TComponent& Root, std::vector<TComponent*>& Children) {
  const auto& Self = static_cast<const TVxItem&>(Item);
  for (Integer I = 0; I < Self.Count(); ++I)
    if (Self.Items(I)->Owner() == &Root) Children.push_back(Self.Items(I));
}

}  // namespace

uint64_t MenuGeneration() { return Generation; }
void BumpMenuGeneration() { ++Generation; }

std::wstring StripAccelerator(const std::wstring& Caption) {
  std::wstring Result;
  Result.reserve(Caption.size());
  for (size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] != L'&') {
      Result += Caption[I];
    } else if (I + 1 < Caption.size() && Caption[I + 1] == L'&') {
      Result += L'&';
      ++I;
    }
  }
  return Result;
}

std::wstring ShortCutText(uint16_t ShortCut) { return AnsiToWideCP(CP_ACP, ShortCutToText(ShortCut)); }

// [Action link] The item follows the action's caption, state, hint, image, shortcut and help.
class TVxItemActionLink : public TActionLink {
 public:
  explicit TVxItemActionLink(TVxItem* Client) : FClient(Client) {}

  bool IsCaptionLinked() const override {
    return Action() && FClient->Caption() == AnsiToWideCP(CP_ACP, Action()->Caption());
  }
  bool IsCheckedLinked() const override { return Action() && FClient->Checked() == Action()->Checked(); }
  bool IsEnabledLinked() const override { return Action() && FClient->Enabled() == Action()->Enabled(); }
  bool IsVisibleLinked() const override { return Action() && FClient->Visible() == Action()->Visible(); }
  bool IsHintLinked() const override { return Action() && FClient->Hint() == Action()->Hint(); }
  bool IsShortCutLinked() const override { return Action() && FClient->ShortCut() == Action()->ShortCut(); }
  bool IsImageIndexLinked() const override { return Action() && FClient->ImageIndex() == Action()->ImageIndex(); }
  bool IsHelpContextLinked() const override { return Action() && FClient->HelpContext() == Action()->HelpContext(); }

  void SetCaption(const std::string& Value) override { FClient->SetCaption(AnsiToWideCP(CP_ACP, Value)); }
  void SetChecked(bool Value) override { FClient->SetChecked(Value); }
  void SetEnabled(bool Value) override { FClient->SetEnabled(Value); }
  void SetVisible(bool Value) override { FClient->SetVisible(Value); }
  void SetHint(const std::string& Value) override { FClient->SetHint(Value); }
  void SetShortCut(TShortCut Value) override { FClient->SetShortCut(Value); }
  void SetImageIndex(Integer Value) override { FClient->SetImageIndex(Value); }
  void SetHelpContext(Integer Value) override { FClient->SetHelpContext(Value); }

 protected:
  // While the item is being read, what the file set on it wins: only defaults are replaced.
  void AssignClient(const TAction& A) override {
    if (!FClient->ComponentState().Contains(TComponentStateFlag::csLoading)) {
      TActionLink::AssignClient(A);
      return;
    }
    if (FClient->Caption().empty()) SetCaption(A.Caption());
    if (!FClient->Checked()) SetChecked(A.Checked());
    if (FClient->Enabled()) SetEnabled(A.Enabled());
    if (FClient->Visible()) SetVisible(A.Visible());
    if (FClient->Hint().empty()) SetHint(A.Hint());
    if (FClient->ShortCut() == scNone) SetShortCut(A.ShortCut());
    if (FClient->ImageIndex() == -1) SetImageIndex(A.ImageIndex());
    if (FClient->HelpContext() == 0) SetHelpContext(A.HelpContext());
  }

 private:
  TVxItem* FClient;
};

// [TVxItem] ---------------------------------------------------------------------------------------

// A value the linked action supplies is not stored with the item.
const TClassInfo& TVxItem::StaticClassInfo() {
  using TLinked = bool (TActionLink::*)() const;
  static constexpr auto Own = [](const TPersistent* O, TLinked Linked) {
    const auto* Item = static_cast<const TVxItem*>(O);
    return !Item->FActionLink || !(Item->FActionLink.get()->*Linked)();
  };
  static const TPropInfo Properties[] = {
      ComponentProperty<&TVxItem::Action, &TVxItem::SetAction>("Action"),
      StoredWhen(StringProperty<&TVxItem::AnsiCaption, &TVxItem::SetAnsiCaption>("Caption"),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsCaptionLinked); }),
      StoredWhen(BooleanProperty<&TVxItem::Checked, &TVxItem::SetChecked>("Checked", 0),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsCheckedLinked); }),
      StoredWhen(BooleanProperty<&TVxItem::Enabled, &TVxItem::SetEnabled>("Enabled", 1),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsEnabledLinked); }),
      StoredWhen(IntegerProperty<&TVxItem::HelpContext, &TVxItem::SetHelpContext>("HelpContext", 0),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsHelpContextLinked); }),
      StoredWhen(StringProperty<&TVxItem::Hint, &TVxItem::SetHint>("Hint"),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsHintLinked); }),
      StoredWhen(IntegerProperty<&TVxItem::ImageIndex, &TVxItem::SetImageIndex>("ImageIndex", -1),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsImageIndexLinked); }),
      ComponentProperty<&TVxItem::Images, &TVxItem::SetImages>("Images"),
      BooleanProperty<&TVxItem::Scrolled, &TVxItem::SetScrolled>("Scrolled", 0),
      IntegerProperty<&TVxItem::ScrollCount, &TVxItem::SetScrollCount>("ScrollCount", 0),
      StoredWhen(IntegerProperty<&TVxItem::ShortCut, &TVxItem::SetShortCut>("ShortCut", 0),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsShortCutLinked); }),
      StoredWhen(BooleanProperty<&TVxItem::Visible, &TVxItem::SetVisible>("Visible", 1),
                 [](const TPersistent* O) { return Own(O, &TActionLink::IsVisibleLinked); }),
  };
  static const TClassInfo Info{"TVxItem", &TComponent::StaticClassInfo(), Properties,
                               {},        &CreateComponent<TVxItem>,      &StreamedChildren};
  return Info;
}

TVxItem::TVxItem(TComponent* Owner) : TComponent(Owner), FSerial(NextSerial()) { LiveItems()[FSerial] = this; }

TVxItem::~TVxItem() {
  // Views forget the item first: nothing may paint or track it from here on.
  NotifyViewsGone(this);
  LiveItems().erase(FSerial);
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) {
    TVxItem* Child = FItems.back();
    FItems.pop_back();
    Child->FParent = nullptr;
    delete Child;
  }
  if (FImages) FImages->RemoveFreeNotification(this);
  if (TAction* A = Action()) A->RemoveFreeNotification(this);
  FActionLink.reset();
  BumpMenuGeneration();
}

TVxItem* TVxItem::FindBySerial(uint32_t Serial) {
  const auto It = LiveItems().find(Serial);
  return It == LiveItems().end() ? nullptr : It->second;
}

std::string TVxItem::AnsiCaption() const { return ToAnsi(FCaption); }
void TVxItem::SetAnsiCaption(const std::string& Value) { SetCaption(AnsiToWideCP(CP_ACP, Value)); }

void TVxItem::Changed() {
  BumpMenuGeneration();
  const TComponentState State = ComponentState();
  if (State.Contains(TComponentStateFlag::csLoading) || State.Contains(TComponentStateFlag::csDestroying)) return;
  if (OnChange) OnChange(this);
  TVxItem* R = Root();
  if (R != this && R->OnChange) R->OnChange(this);
  NotifyViewsChanged(this);
}

template <typename T>
void TVxItem::SetAndNotify(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TVxItem::SetCaption(const std::wstring& Value) { SetAndNotify(FCaption, Value); }
void TVxItem::SetChecked(bool Value) { SetAndNotify(FChecked, Value); }
void TVxItem::SetEnabled(bool Value) { SetAndNotify(FEnabled, Value); }
void TVxItem::SetVisible(bool Value) { SetAndNotify(FVisible, Value); }

// Not in the list that notifies, but a shown popup must still measure them anew.
void TVxItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  NotifyViewsChanged(this);
}

void TVxItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  NotifyViewsChanged(this);
}

void TVxItem::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  NotifyViewsChanged(this);
}

void TVxItem::SetScrolled(bool Value) { FScrolled = Value; }
void TVxItem::SetScrollCount(Integer Value) { FScrollCount = Value; }

TAction* TVxItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TVxItem::SetAction(TAction* Value) {
  if (Value == Action()) return;
  if (TAction* Old = Action()) Old->RemoveFreeNotification(this);
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TVxItemActionLink>(this);
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
}

void TVxItem::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FImages) FImages = nullptr;
  if (FActionLink && Component == FActionLink->Action()) FActionLink.reset();
  if (Component == FParentComponent) FParentComponent = nullptr;
  if (Component == FOwnerControl) FOwnerControl = nullptr;
  if (Component == FMDIForm) FMDIForm = nullptr;
}

// [Tree]

TVxItem* TVxItem::Root() {
  TVxItem* R = this;
  while (R->FParent) R = R->FParent;
  return R;
}

Integer TVxItem::IndexOf(const TVxItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : Integer(It - FItems.begin());
}

void TVxItem::Insert(Integer Index, TVxItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EZqItemError("Toolbar item already inserted");
  for (const TVxItem* P = this; P; P = P->FParent)
    if (P == Item) throw EZqItemError("A menu item cannot contain itself");
  Index = std::clamp<Integer>(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed();
}

void TVxItem::Remove(TVxItem* Item) {
  const Integer Index = IndexOf(Item);
  if (Index < 0) return;
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
  Item->FItemRect = {};
  Changed();
}

void TVxItem::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  delete FItems[size_t(Index)];
}

void TVxItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

void TVxItem::SetParentComponent(TComponent* AParent) {
  if (auto* Item = dynamic_cast<TVxItem*>(AParent))
    Item->Add(this);
  else if (auto* Bar = dynamic_cast<TVxMenuBar*>(AParent))
    Bar->Items()->Add(this);
  else if (auto* Menu = dynamic_cast<TVxPopupMenu*>(AParent))
    Menu->Items()->Add(this);
  else
    FParentComponent = AParent;
}

void TVxItem::Loaded() {
  TComponent::Loaded();
  Changed();
}

bool TVxItem::HasVisibleChildren() const {
  return std::any_of(FItems.begin(), FItems.end(), [](const TVxItem* I) { return I->Visible(); });
}

TCustomImageList* TVxItem::GetImages() const {
  if (FImages) return FImages;
  const TVxItem* R = this;
  while (R->FParent) R = R->FParent;
  return R->FImages;
}

// [Run-time flags for the whole tree]

template <typename F>
void TVxItem::ForTree(F Fn) {
  Fn(*this);
  for (TVxItem* Child : FItems) Child->ForTree(Fn);
}

void TVxItem::SetRightToLeft(bool Value) {
  ForTree([Value](TVxItem& I) { I.FRightToLeft = Value; });
}
void TVxItem::SetInControlBar(bool Value) {
  ForTree([Value](TVxItem& I) { I.FInControlBar = Value; });
}
void TVxItem::SetPopupOptions(TVxPopupMenuOptions* Value) {
  ForTree([Value](TVxItem& I) { I.FPopupOptions = Value; });
}
void TVxItem::SetOwnerControl(TWinControl* Value) {
  ForTree([this, Value](TVxItem& I) {
    if (I.FOwnerControl) I.FOwnerControl->RemoveFreeNotification(&I);
    I.FOwnerControl = Value;
    if (Value) Value->FreeNotification(&I);
  });
}
void TVxItem::SetMDIForm(TComponent* Value) {
  ForTree([Value](TVxItem& I) {
    if (I.FMDIForm) I.FMDIForm->RemoveFreeNotification(&I);
    I.FMDIForm = Value;
    if (Value) Value->FreeNotification(&I);
  });
}
void TVxItem::SetForeground(bool Value) {
  ForTree([Value](TVxItem& I) { I.FForeground = Value; });
}
void TVxItem::SetFromMenu(bool Value) {
  ForTree([Value](TVxItem& I) { I.FFromMenu = Value; });
}
void TVxItem::SetAnimateNext(bool Value) {
  ForTree([Value](TVxItem& I) { I.FAnimateNext = Value; });
}
void TVxItem::SetThemeObject(const std::string& Value) {
  ForTree([&Value](TVxItem& I) { I.FThemeObject = Value; });
}

// [Lookups]

TVxItem* TVxItem::FindAccelerator(wchar_t Key) const {
  const wchar_t Upper = wchar_t(std::towupper(Key));
  for (TVxItem* Child : FItems) {
    const std::wstring& C = Child->FCaption;
    for (size_t I = 0; I + 1 < C.size(); ++I) {
      if (C[I] != L'&') continue;
      // "&&" is a literal ampersand, not a marker.
      if (C[I + 1] == L'&') {
        ++I;
        continue;
      }
      if (wchar_t(std::towupper(C[I + 1])) == Upper) return Child;
    }
  }
  return nullptr;
}

TVxItem* TVxItem::FindShortCutPath(TShortCut Value, std::vector<TVxItem*>& Path) {
  Path.push_back(this);
  for (TVxItem* Child : FItems) {
    if (Child->FShortCut == Value) {
      Path.push_back(Child);
      return Child;
    }
    if (TVxItem* Found = Child->FindShortCutPath(Value, Path)) return Found;
  }
  Path.pop_back();
  return nullptr;
}

TVxItem* TVxItem::FindShortCut(TShortCut Value) {
  if (Value == scNone) return nullptr;
  std::vector<TVxItem*> Path;
  return FindShortCutPath(Value, Path);
}

// [Commands]

void TVxItem::UpdateActions() {
  for (TVxItem* Child : FItems)
    if (Child->FActionLink) Child->FActionLink->Update();
}

bool TVxItem::UpdateAction() { return FActionLink && FActionLink->Update(); }

void TVxItem::Click() {
  if (IsSeparator() || !FItems.empty() || !FEnabled) return;
  if (HWND Handler = ClickHandlerWindow()) {
    PostMessageA(Handler, VXM_DEFERREDCLICK, WPARAM(FSerial), reinterpret_cast<LPARAM>(this));
    return;
  }
  ClickNow();
}

// OnClick wins over the action: a handler set on the item is never the action's own here.
void TVxItem::ClickNow() {
  if (OnClick) {
    OnClick(this);
    return;
  }
  if (FActionLink && !ComponentState().Contains(TComponentStateFlag::csDesigning)) FActionLink->Execute();
}

bool TVxItem::HandleShortCut(uint16_t Key, intptr_t KeyData) {
  TShortCut Value = TShortCut(Key & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) Value |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) Value |= scCtrl;
  if (KeyData & 0x20000000) Value |= scAlt;
  std::vector<TVxItem*> Path;
  if (!FindShortCutPath(Value, Path)) return false;
  const uint32_t Self = FSerial;
  try {
    // A handler may rebuild the menu: look the item up again and start over, a bounded number
    // of times, so a handler that always rebuilds cannot hold the key forever.
    for (int Round = 0; Round < 8; ++Round) {
      bool Restart = false;
      for (TVxItem* Item : Path) {
        if (!Item->FEnabled) return true;
        const uint64_t Before = MenuGeneration();
        // A parent on the way prepares its children as if they dropped down.
        if (Item != this && !Item->FItems.empty()) {
          if (Item->OnBeforeDropDown) Item->OnBeforeDropDown(Item);
          if (MenuGeneration() == Before) Item->UpdateActions();
        } else if (Item != this) {
          Item->Click();
        }
        if (MenuGeneration() == Before) continue;
        TVxItem* SelfNow = FindBySerial(Self);
        if (!SelfNow) return true;
        std::vector<TVxItem*> Again;
        if (!SelfNow->FindShortCutPath(Value, Again)) return true;
        if (Again != Path) {
          Path = std::move(Again);
          Restart = true;
          break;
        }
      }
      if (!Restart) break;
    }
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  return true;
}
