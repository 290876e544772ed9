// The objects tree as data: the window's tree view mirrors this list node for node.
//   "Objects" (the skin source) with every object below it, nested as the objects are,
//   "Images" with one node per image, then "Fonts", "Colors" and "SysColors".
#pragma once

#include <string>
#include <vector>

#include "framework/core/types.h"

class TDvSkinSource;
class TDvSkinObject;
class TvxBitmap;

enum class TTreeNodeKind { nkSource, nkObject, nkImagesPage, nkImage, nkFontsPage, nkColorsPage, nkSysColorsPage };

struct TObjectTreeNode {
  Integer Level = 0;  // 0 for the five roots
  std::string Caption;
  TTreeNodeKind Kind = TTreeNodeKind::nkSource;
  TDvSkinObject* Object = nullptr;  // nkObject
  TvxBitmap* Image = nullptr;       // nkImage
};

struct TTreeModel {
  std::vector<TObjectTreeNode> Nodes;  // in display order, each node after its parent
  Integer SelectedIndex = -1;          // the node to select, -1 for none
};

// The tree of Source. The selected node is the one of Selected, else "Objects"; the node of
// SelectedImage, when there is one, takes the selection last.
TTreeModel BuildTree(const TDvSkinSource& Source, const TDvSkinObject* Selected, const TvxBitmap* SelectedImage);
