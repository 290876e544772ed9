// The system menus of skinned forms and MDI children as trees of skinned menu items, shown by the
// menus' popup, and the MDI items of a skinned menu bar. Linked into every program that links the
// skinned menus, as an object file that hands the forms its presenters at start-up.
#include <windows.h>

#include "framework/graphics/imagelist.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"

namespace {

std::wstring Wide(const std::string& Text) { return std::wstring(Text.begin(), Text.end()); }

// Rebuilt before each showing: the entries depend on the state and the border icons.
void BuildAndShow(TVxDefaultForm& Form, TPoint At, bool Tray) {
  auto* Root = new TVxItem(&Form);
  Form.SetSystemMenu(Root);
  for (const TVxDefaultForm::TSystemMenuEntry& Entry : Form.SystemMenuEntries()) {
    auto* Item = new TVxItem(&Form);
    Item->SetCaption(Wide(Entry.Caption));
    if (!Entry.ShortCut.empty()) Item->SetShortCut(scAlt | VK_F4);
    Item->SetImages(&SystemMenuImages());
    Item->SetImageIndex(Entry.ImageIndex);
    // The item's caption says what it does, as the entries name it.
    Item->OnClick = [&Form, Caption = Entry.Caption](TObject*) {
      for (const TVxDefaultForm::TSystemMenuEntry& E : Form.SystemMenuEntries())
        if (E.Caption == Caption && E.Click) return E.Click();
    };
    Root->Add(Item);
  }
  Root->SetForeground(Tray);
  Root->SetPopupOptions(Form.SystemMenuOptions());
  Root->Popup(nullptr, At.X, At.Y, TRect{});
}

// The entries' actions are taken along: the items die with Owner, before the actions could.
TComponent* ShowEntries(TComponent& Owner, const std::vector<TVxDefaultForm::TSystemMenuEntry>& Entries, TPoint At) {
  auto* Root = new TVxItem(&Owner);
  for (const TVxDefaultForm::TSystemMenuEntry& Entry : Entries) {
    auto* Item = new TVxItem(&Owner);
    Item->SetCaption(Wide(Entry.Caption));
    if (Entry.ShortCut == "Ctrl+F4") Item->SetShortCut(scCtrl | VK_F4);
    if (Entry.ShortCut == "Ctrl+F6") Item->SetShortCut(scCtrl | VK_F6);
    Item->SetImages(&SystemMenuImages());
    Item->SetImageIndex(Entry.ImageIndex);
    Item->SetEnabled(Entry.Enabled);
    if (Entry.Click) Item->OnClick = [Click = Entry.Click](TObject*) { Click(); };
    Root->Add(Item);
  }
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
