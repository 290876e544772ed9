#include "editor/core/undo_stack.h"

#include "vexel/skin/theme_dv3source.h"

// No stored properties: the class record only names it.
const TClassInfo& TStateClass::StaticClassInfo() {
  static const TClassInfo Info{"TStateClass", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

TStateClass::TStateClass(const TDvSkinSource& Source, const std::string& RootName, const std::string& SelectedName)
    : FRootName(RootName), FSelectedName(SelectedName), FStream(std::make_unique<TMemoryStream>()) {
  Source.SaveToStream(*FStream);
}

std::unique_ptr<TDvSkinSource> TStateClass::Restore() const {
  auto Source = std::make_unique<TDvSkinSource>();
  FStream->SetPosition(0);
  Source->LoadFromStream(*FStream);
  return Source;
}

void TUndoStack::Push(std::unique_ptr<TStateClass> State) {
  FUndoList.push_back(std::move(State));
  if (Count() > MaxUndo) FUndoList.erase(FUndoList.begin());
}

std::unique_ptr<TStateClass> TUndoStack::Pop() {
  if (FUndoList.empty()) return nullptr;
  std::unique_ptr<TStateClass> Newest = std::move(FUndoList.back());
  FUndoList.pop_back();
  return Newest;
}
