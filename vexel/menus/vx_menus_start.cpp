// Linked into every program that links the menus, as an object file so that the linker keeps
// it: items can be read from form files, clicks chosen in a menu run after it has closed, and
// skinned forms open their menu bar.
#include "vexel/forms/vx_form.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_popup.h"
// Last: it takes back the platform's RegisterClass macro.
#include "framework/core/class_registry.h"

namespace {

bool StartMenus() {
  RegisterClass(TVxItem::StaticClassInfo());
  RegisterClass(TVxMenuBar::StaticClassInfo());
  RegisterClass(TVxPopupMenu::StaticClassInfo());
  StartClickHandler();
  // Alt and Alt + a character on a skinned form open its menu bar.
  SetMenuBarTracker([](TWinControl& Control, const std::function<void()>& Before) {
    auto* Bar = dynamic_cast<TVxMenuBar*>(&Control);
    if (!Bar || !Bar->CanTrack()) return false;
    Before();
    Bar->StartTracking();
    return true;
  });
  return true;
}

const bool MenusStarted = StartMenus();

}  // namespace
