// The window menu of a skinned MDI parent form as skinned menu items: one item per MDI child,
// made anew each time the menu drops down. Linked into every program that links the skinned
// menus, as an object file that hands the forms its routines at start-up.
#include <random>
#include <string>
#include <utility>

#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menus.h"

namespace {

// Every item the form adds carries this in its name; the rest of the menu is the application's.
constexpr const char* Marker = "zqmdiwi_rty";

bool IsWindowItem(const TVxItem* Item) { return Item->Name().find(Marker) != std::string::npos; }

std::string RandomNumber() {
  static std::mt19937 Generator{std::random_device{}()};
  return std::to_string(std::uniform_int_distribution<uint32_t>(0, 0xFFFFFE)(Generator));
}

// A name no other item of Menu uses: the two numbers may meet again.
std::string FreshName(const TVxItem& Menu, bool Separator) {
  for (;;) {
    const std::string A = RandomNumber(), B = RandomNumber();
    std::string Name = std::string(Marker) + "_" + A + (Separator ? "_sep" : "") + B;
    if (!Menu.FindComponent(Name)) return Name;
  }
}

// An item of Menu's own class (an application may use a descendant), owned by Menu.
TVxItem* NewItem(TVxItem& Menu) {
  const TClassInfo& Info = Menu.ClassInfo();
  if (Info.Create)
    if (auto* Item = dynamic_cast<TVxItem*>(Info.Create(&Menu))) return Item;
  return new TVxItem(&Menu);
}

// Makes Menu open as a submenu while there are children to list; Rebuild takes it away again.
void AddPlaceholder(TVxDefaultForm& Form, TVxItem& Menu) {
  TForm* F = Form.Form();
  if (!F || F->MDIChildCount() == 0) return;
  for (Integer I = 0; I < Menu.Count(); ++I)
    if (IsWindowItem(Menu.Items(I))) return;
  TVxItem* Item = NewItem(Menu);
  Item->SetName(FreshName(Menu, true));
  Menu.Add(Item);
}

void Rebuild(TVxDefaultForm& Form, TComponent& Component) {
  auto* Menu = dynamic_cast<TVxItem*>(&Component);
  TForm* F = Form.Form();
  if (!Menu || !F) return;
  // The form's items run from the first marked one to the last; the application's own stay.
  Integer First = -1, Last = -1;
  for (Integer I = 0; I < Menu->Count(); ++I)
    if (IsWindowItem(Menu->Items(I))) {
      if (First < 0) First = I;
      Last = I;
    }
  for (Integer I = Last; First >= 0 && I >= First; --I) Menu->Delete(I);

  TForm* Active = F->ActiveMDIChild();
  const std::weak_ptr<TVxDefaultForm*> Alive = Form.Alive();
  bool FirstChild = true;
  for (Integer I = F->MDIChildCount() - 1; I >= 0; --I) {
    TForm* Child = F->MDIChildren(I);
    if (!Child) continue;
    const bool Leading = std::exchange(FirstChild, false);
    if (Leading && Menu->Count() > 0) {
      TVxItem* Separator = NewItem(*Menu);
      Separator->SetName(FreshName(*Menu, true));
      Separator->SetCaption(L"-");
      Menu->Add(Separator);
    }
    TVxItem* Item = NewItem(*Menu);
    Item->SetName(FreshName(*Menu, false));
    Item->SetCaption(AnsiToWideCP(CP_ACP, Child->Caption()));
    Item->SetChecked(Child == Active && FindSkinnedMDIChild(Child));
    // The window, not the object: a child made later may reuse a freed child's address.
    Item->OnClick = [Alive, Wnd = Child->Handle()](TObject* Sender) {
      const auto Owner = Alive.lock();
      auto* Clicked = dynamic_cast<TVxItem*>(static_cast<TComponent*>(Sender));
      if (!Owner || !Clicked) return;
      if (TVxItem* Parent = Clicked->Parent())
        for (Integer J = 0; J < Parent->Count(); ++J)
          if (IsWindowItem(Parent->Items(J))) Parent->Items(J)->SetChecked(false);
      (*Owner)->ActivateMDIChild(dynamic_cast<TForm*>(TWinControl::FindControl(Wnd)));
      Clicked->SetChecked(true);
    };
    Menu->Add(Item);
  }
}

// Our before-drop-down handler in front of the one the application had there; Detach finds it
// and puts the application's back.
struct TChainedDropDown {
  std::weak_ptr<TVxDefaultForm*> Alive;
  // On the window menu's parent item (adds the placeholder), else on the menu (rebuilds it).
  bool OnParent = false;
  TNotifyEvent Previous;

  void operator()(TObject* Sender) const {
    if (const auto Owner = Alive.lock()) {
      if (!OnParent) {
        (*Owner)->RebuildWindowMenu();
      } else if (auto* Current = dynamic_cast<TVxItem*>((*Owner)->WindowMenu());
                 Current && Current->Parent() == Sender) {
        // The parent may outlive the menu and the form: it finds both again when it drops down,
        // and does nothing once the form's window menu is no longer its child.
        AddPlaceholder(**Owner, *Current);
      }
    }
    if (Previous) Previous(Sender);
  }
};

void Chain(TNotifyEvent& Event, const std::weak_ptr<TVxDefaultForm*>& Alive, bool OnParent) {
  TNotifyEvent Previous = Event;
  if (const auto* Ours = Event.target<TChainedDropDown>()) Previous = Ours->Previous;
  Event = TChainedDropDown{Alive, OnParent, std::move(Previous)};
}

void Unchain(TNotifyEvent& Event) {
  if (const auto* Ours = Event.target<TChainedDropDown>()) Event = TNotifyEvent(Ours->Previous);
}

void Attach(TVxDefaultForm& Form, TComponent& Component) {
  auto* Menu = dynamic_cast<TVxItem*>(&Component);
  if (!Menu) return;
  Chain(Menu->OnBeforeDropDown, Form.Alive(), false);
  if (TVxItem* Parent = Menu->Parent()) Chain(Parent->OnBeforeDropDown, Form.Alive(), true);
}

void Detach(TComponent& Component) {
  auto* Menu = dynamic_cast<TVxItem*>(&Component);
  if (!Menu) return;
  Unchain(Menu->OnBeforeDropDown);
  if (TVxItem* Parent = Menu->Parent()) Unchain(Parent->OnBeforeDropDown);
}

const bool Registered = [] {
  SetWindowMenuSupport({&Attach, &Detach, &Rebuild});
  return true;
}();

}  // namespace
