#include "editor/core/object_tree.h"

#include "vexel/skin/theme_dv3source.h"

namespace {

void AddObjectNodes(TTreeModel& Tree, TDvSkinObject& Object, Integer Level, const TDvSkinObject* Selected) {
  if (&Object == Selected) Tree.SelectedIndex = Integer(Tree.Nodes.size());
  Tree.Nodes.push_back({Level, Object.Name(), TTreeNodeKind::nkObject, &Object, nullptr});
  for (Integer I = 0; I < Object.ChildCount(); ++I) AddObjectNodes(Tree, *Object.Child(I), Level + 1, Selected);
}

}  // namespace

TTreeModel BuildTree(const TDvSkinSource& Source, const TDvSkinObject* Selected, const TvxBitmap* SelectedImage) {
  TTreeModel Tree;
  Tree.Nodes.push_back({0, "Objects", TTreeNodeKind::nkSource});
  if (!Selected) Tree.SelectedIndex = 0;
  for (Integer I = 0; I < Source.ObjectCount(); ++I) AddObjectNodes(Tree, *Source.Objects(I), 1, Selected);
  Tree.Nodes.push_back({0, "Images", TTreeNodeKind::nkImagesPage});
  const TvxBitmapList& Images = Source.Images();
  for (Integer I = 0; I < Images.Count(); ++I) {
    TvxBitmap* Image = Images.Items(I);
    if (Image == SelectedImage) Tree.SelectedIndex = Integer(Tree.Nodes.size());
    Tree.Nodes.push_back({1, Image->Name(), TTreeNodeKind::nkImage, nullptr, Image});
  }
  Tree.Nodes.push_back({0, "Fonts", TTreeNodeKind::nkFontsPage});
  Tree.Nodes.push_back({0, "Colors", TTreeNodeKind::nkColorsPage});
  Tree.Nodes.push_back({0, "SysColors", TTreeNodeKind::nkSysColorsPage});
  return Tree;
}
