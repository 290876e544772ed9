// The window menu of a skinned MDI parent form as skinned menu items: one item per MDI child,
// made anew each time the menu drops down. Linked into every program that links the skinned
// menus, as an object file that hands the forms its routines at start-up.
#include <random>
#include <string>
#include <utility>

#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
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

std::wstring Wide(const std::string& Text) {
  const int Size = MultiByteToWideChar(CP_ACP, 0, Text.data(), int(Text.size()), nullptr, 0);
  std::wstring Result(size_t(Size > 0 ? Size : 0), L'\0');
  if (Size > 0) MultiByteToWideChar(CP_ACP, 0, Text.data(), int(Text.size()), Result.data(), Size);
  return Result;
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
    Item->SetCaption(Wide(Child->Caption()));
    Item->SetChecked(Child == Active && FindSkinnedMDIChild(Child));
    Item->OnClick = [Alive, Child](TObject* Sender) {
      const auto Owner = Alive.lock();
      auto* Clicked = dynamic_cast<TVxItem*>(static_cast<TComponent*>(Sender));
      if (!Owner || !Clicked) return;
      if (TVxItem* Parent = Clicked->Parent())
        for (Integer J = 0; J < Parent->Count(); ++J)
          if (IsWindowItem(Parent->Items(J))) Parent->Items(J)->SetChecked(false);
      (*Owner)->ActivateMDIChild(Child);
      Clicked->SetChecked(true);
    };
    Menu->Add(Item);
  }
}

void Attach(TVxDefaultForm& Form, TComponent& Component) {
  auto* Menu = dynamic_cast<TVxItem*>(&Component);
  if (!Menu) return;
  const std::weak_ptr<TVxDefaultForm*> Alive = Form.Alive();
  Menu->OnBeforeDropDown = [Alive](TObject*) {
    if (const auto Owner = Alive.lock()) (*Owner)->RebuildWindowMenu();
  };
  // The parent may outlive the menu and the form: it finds both again when it drops down, and
  // does nothing once the form's window menu is no longer its child.
  if (TVxItem* Parent = Menu->Parent())
    Parent->OnBeforeDropDown = [Alive](TObject* Sender) {
      const auto Owner = Alive.lock();
      if (!Owner) return;
      auto* Current = dynamic_cast<TVxItem*>((*Owner)->WindowMenu());
      if (Current && Current->Parent() == Sender) AddPlaceholder(**Owner, *Current);
    };
}

void Detach(TComponent& Component) {
  auto* Menu = dynamic_cast<TVxItem*>(&Component);
  if (!Menu) return;
  Menu->OnBeforeDropDown = nullptr;
  if (TVxItem* Parent = Menu->Parent()) Parent->OnBeforeDropDown = nullptr;
}

const bool Registered = [] {
  SetWindowMenuSupport({&Attach, &Detach, &Rebuild});
  return true;
}();

}  // namespace
