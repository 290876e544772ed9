#include "framework/ui/tree_view_state.h"

#include <algorithm>
#include <map>

#include "framework/ui/comctrls.h"

namespace {

TTreeViewState::TPath PathOf(const TTreeNode* Node) {
  TTreeViewState::TPath Path;
  for (; Node; Node = Node->Parent()) {
    Integer Same = 0;
    const TTreeNode* Parent = Node->Parent();
    const Integer Index = Node->Index();
    for (Integer I = 0; I < Index; ++I) {
      const TTreeNode* Sibling = Parent ? Parent->Item(I) : Node->Owner()->Root(I);
      if (Sibling->Text() == Node->Text()) ++Same;
    }
    Path.emplace_back(Node->Text(), Same);
  }
  return {Path.rbegin(), Path.rend()};
}

// The rows a tree would show if it were tall enough.
void AddRows(TTreeNode* Node, std::vector<TTreeNode*>& Rows) {
  Rows.push_back(Node);
  if (Node->HasChildren() && Node->Expanded())
    for (Integer I = 0; I < Node->Count(); ++I) AddRows(Node->Item(I), Rows);
}

std::vector<TTreeNode*> RowsOf(TTreeView& Tree) {
  std::vector<TTreeNode*> Rows;
  TTreeNodes& Items = Tree.Items();
  for (Integer I = 0; I < Items.RootCount(); ++I) AddRows(Items.Root(I), Rows);
  return Rows;
}

}  // namespace

void TTreeViewState::Capture(TTreeView& Tree) {
  FExpanded.clear();
  FRows.clear();
  for (TTreeNode* Node : Tree.Items().AllNodes())
    if (Node->HasChildren() && Node->Expanded()) FExpanded.push_back(PathOf(Node));
  const std::vector<TTreeNode*> Rows = RowsOf(Tree);
  FTop = size_t(std::find(Rows.begin(), Rows.end(), Tree.TopItem()) - Rows.begin());
  for (TTreeNode* Row : Rows) FRows.push_back(PathOf(Row));
}

void TTreeViewState::Restore(TTreeView& Tree) const {
  std::map<TPath, TTreeNode*> Nodes;
  for (TTreeNode* Node : Tree.Items().AllNodes()) Nodes.emplace(PathOf(Node), Node);
  auto Find = [&](const TPath& Path) -> TTreeNode* {
    auto It = Nodes.find(Path);
    return It == Nodes.end() ? nullptr : It->second;
  };
  for (const TPath& Path : FExpanded)
    if (TTreeNode* Node = Find(Path)) Node->Expand();
  if (FTop >= FRows.size()) return;
  for (size_t I = FTop; I < FRows.size(); ++I)
    if (TTreeNode* Node = Find(FRows[I])) return Tree.SetTopItem(Node);
  for (size_t I = FTop; I-- > 0;)
    if (TTreeNode* Node = Find(FRows[I])) return Tree.SetTopItem(Node);
}
