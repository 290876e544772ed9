// pellan_picture SKIN OBJECT OUT.png: Pellan's main window on a skin with one of its objects
// chosen in the tree: its client area as the screen shows it. The README's picture of the editor.
#include <windows.h>

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "editor/main/main_form.h"
#include "framework/core/exceptions.h"
#include "framework/ui/application.h"
#include "framework/ui/comctrls.h"
#include "tools/window_capture/window_capture.h"

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
    TTreeView& Tree = *Main.SkinTree();
    const std::vector<TTreeNode*> Nodes = Tree.Items().AllNodes();
    const auto Node = std::find_if(Nodes.begin(), Nodes.end(), [&](TTreeNode* N) { return N->Text() == argv[2]; });
    if (Node == Nodes.end()) throw EReadError(std::string("the skin has no object ") + argv[2]);
    // As a click on the item does: the tree selects it and tells the window.
    Tree.SetSelected(*Node);
    // Pellan's frame is the desktop's: without a window manager there is none to show.
    const TPoint Size = WriteWindowPicture(Main, argv[3], TCaptureArea::caClient);
    std::cout << "written: " << argv[3] << " (" << Size.X << "x" << Size.Y << ")\n";
  } catch (const std::exception& E) {
    std::cerr << "pellan_picture: " << E.what() << "\n";
    return 1;
  }
  return 0;
}
