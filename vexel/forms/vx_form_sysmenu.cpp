// The system menus of skinned forms and MDI children as trees of skinned menu items, shown by the
// menus' popup, and the MDI items of a skinned menu bar. Linked into every program that links the
// skinned menus, as an object file that hands the forms its presenters at start-up.
#include <windows.h>

#include <functional>

#include "framework/graphics/imagelist.h"
#include "framework/ui/actions.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"

namespace {

std::wstring Wide(const std::string& Text) { return std::wstring(Text.begin(), Text.end()); }

// One item of Root per entry, owned by Owner; the caller gives each its click.
void AddEntryItems(TComponent& Owner, TVxItem& Root, const std::vector<TVxDefaultForm::TSystemMenuEntry>& Entries,
                   const std::function<void(TVxItem&, const TVxDefaultForm::TSystemMenuEntry&)>& Clicks) {
  for (const TVxDefaultForm::TSystemMenuEntry& Entry : Entries) {
    auto* Item = new TVxItem(&Owner);
    Item->SetCaption(Wide(Entry.Caption));
    if (!Entry.ShortCut.empty()) Item->SetShortCut(TextToShortCut(Entry.ShortCut));
    Item->SetImages(&SystemMenuImages());
    Item->SetImageIndex(Entry.ImageIndex);
    Item->SetEnabled(Entry.Enabled);
    Clicks(*Item, Entry);
    Root.Add(Item);
  }
}

// Rebuilt before each showing: the entries depend on the state and the border icons.
void BuildAndShow(TVxDefaultForm& Form, TPoint At, bool Tray) {
  auto* Root = new TVxItem(&Form);
  Form.SetSystemMenu(Root);
  AddEntryItems(Form, *Root, Form.SystemMenuEntries(), [&Form](TVxItem& Item, const auto& Entry) {
    // The item's caption says what it does, as the entries name it then.
    Item.OnClick = [&Form, Caption = Entry.Caption](TObject*) {
      for (const TVxDefaultForm::TSystemMenuEntry& E : Form.SystemMenuEntries())
        if (E.Caption == Caption && E.Click) return E.Click();
    };
  });
  Root->SetForeground(Tray);
  Root->SetPopupOptions(Form.SystemMenuOptions());
  Root->Popup(nullptr, At.X, At.Y, TRect{});
}

// The entries' actions are taken along: the items die with Owner, before the actions could.
TComponent* ShowEntries(TComponent& Owner, const std::vector<TVxDefaultForm::TSystemMenuEntry>& Entries, TPoint At) {
  auto* Root = new TVxItem(&Owner);
  AddEntryItems(Owner, *Root, Entries, [](TVxItem& Item, const auto& Entry) {
    if (Entry.Click) Item.OnClick = [Click = Entry.Click](TObject*) { Click(); };
  });
  Root->Popup(nullptr, At.X, At.Y, TRect{});
  return Root;
}

void ShowMDIItems(TWinControl& Bar, TForm* Child) {
  if (auto* MenuBar = dynamic_cast<TVxMenuBar*>(&Bar)) MenuBar->ShowMDIItems(Child);
}

const bool Registered = [] {
  SetSystemMenuPresenter(&BuildAndShow);
  SetEntryMenuPresenter(&ShowEntries);
  SetMDIItemsPresenter(&ShowMDIItems);
  return true;
}();

}  // namespace
