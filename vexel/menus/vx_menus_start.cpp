// Linked into every program that links the menus, as an object file so that the linker keeps
// it: items can be read from form files, and clicks chosen in a menu run after it has closed.
#include "framework/core/class_registry.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_popup.h"

namespace {

bool StartMenus() {
  RegisterClass(TVxItem::StaticClassInfo());
  RegisterClass(TVxMenuBar::StaticClassInfo());
  RegisterClass(TVxPopupMenu::StaticClassInfo());
  StartClickHandler();
  return true;
}

const bool MenusStarted = StartMenus();

}  // namespace
