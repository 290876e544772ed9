// TTreeViewState: which nodes of a tree view are expanded and which node is in its first row,
// kept by the captions from the root down, so that the layout the user made survives the tree
// being cleared and built again. The holder owns it; it points at no node.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/core/types.h"

class TTreeView;

class TTreeViewState {
 public:
  // Forgets what it held and reads Tree's layout.
  void Capture(TTreeView& Tree);
  // Expands the nodes of Tree whose paths were expanded and puts the node of the top path in the
  // first row; when that path is gone, the nearest node of the captured view that remains: the
  // rows below it first, then those above. Paths Tree does not have are passed over.
  void Restore(TTreeView& Tree) const;

  // A caption and which of the siblings with that caption the node is (0 for the first), for
  // each level from the top.
  using TPath = std::vector<std::pair<std::string, Integer>>;

 private:
  std::vector<TPath> FExpanded;
  std::vector<TPath> FRows;  // every row of the view, scrolled out of sight or not, in order
  size_t FTop = 0;           // the first row's place in FRows; FRows.size() for none
};
