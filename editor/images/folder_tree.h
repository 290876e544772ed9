// TFolderTree: the folders of one drive in a tree view, read from the disk as the user opens
// them. Windows only. Kept apart from the export window's header: the framework's tree classes
// share their names with the editor core's object tree.
#pragma once

#include <string>

#include "framework/ui/comctrls.h"

class TFolderTree : public TTreeView {
 public:
  explicit TFolderTree(TComponent* Owner = nullptr) : TTreeView(Owner) {}

  // Shows Root ("C:\") as the only top node, closed.
  void SetRoot(const std::string& Root);
  // Opens the nodes down to Folder (below the root) and selects the deepest one found.
  TTreeNode* OpenPath(const std::string& Folder);
  // The folder a node stands for, with its trailing separator.
  std::string PathOf(const TTreeNode* Node) const;
  // Reads Node's subfolders when they have not been read yet.
  void FillNode(TTreeNode* Node);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

 private:
  void AddFolder(TTreeNode* Parent, const std::string& Name);
};
