// pellan_picture SKIN OBJECT OUT.png: Pellan's main window on a skin with one of its objects
// chosen in the tree: its client area as the screen shows it. The README's picture of the editor.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <exception>
#include <iostream>
#include <string>

#include "editor/main/main_form.h"
#include "framework/core/exceptions.h"
#include "framework/ui/application.h"
#include "framework/ui/comctrls.h"
#include "tools/window_capture/window_capture.h"

namespace {

std::string ItemText(HWND Tree, HTREEITEM Item) {
  char Text[256] = {};
  TVITEMA I{};
  I.mask = TVIF_TEXT;
  I.hItem = Item;
  I.pszText = Text;
  I.cchTextMax = sizeof Text;
  SendMessageA(Tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&I));
  return Text;
}

// The first item named Text, depth first below From (the whole tree without From).
HTREEITEM FindItem(HWND Tree, const std::string& Text, HTREEITEM From = nullptr) {
  for (HTREEITEM Item = From ? TreeView_GetChild(Tree, From) : TreeView_GetRoot(Tree); Item;
       Item = TreeView_GetNextSibling(Tree, Item)) {
    if (ItemText(Tree, Item) == Text) return Item;
    if (HTREEITEM Below = FindItem(Tree, Text, Item)) return Below;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: pellan_picture SKIN OBJECT OUT.png\n";
    return 1;
  }
  try {
    Application->Initialize();
    TfrmMain Main(nullptr, {argv[1]});
    Main.SetBounds(16, 16, 1000, 600);
    Main.Show();
    const HWND Tree = Main.SkinTree()->Handle();
    HTREEITEM Item = FindItem(Tree, argv[2]);
    if (!Item) throw EReadError(std::string("the skin has no object ") + argv[2]);
    // As a click on the item does: the tree selects it and tells the window.
    SendMessageA(Tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item));
    // Pellan's frame is the desktop's: without a window manager there is none to show.
    const TPoint Size = WriteWindowPicture(Main, argv[3], TCaptureArea::caClient);
    std::cout << "written: " << argv[3] << " (" << Size.X << "x" << Size.Y << ")\n";
  } catch (const std::exception& E) {
    std::cerr << "pellan_picture: " << E.what() << "\n";
    return 1;
  }
  return 0;
}
