// The default system menu of a skinned form as a tree of skinned menu items, shown by the
// menus' popup. Linked into every program that links the skinned menus, as an object file that
// hands the forms its presenter at start-up.
#include <windows.h>

#include "framework/graphics/imagelist.h"
#include "vexel/forms/vx_form.h"
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

const bool Registered = [] {
  SetSystemMenuPresenter(&BuildAndShow);
  return true;
}();

}  // namespace
