// Shallow undo: whole-skin snapshots, newest last, at most two kept. A snapshot is the skin
// saved with the default skin filter plus the names of the top-level object on the work area
// and of the selection, by which they are found again after restoring.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"

class TDvSkinSource;

// One snapshot; it owns its stream.
class TStateClass : public TPersistent {
 public:
  TStateClass(const TDvSkinSource& Source, const std::string& RootName, const std::string& SelectedName);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  const std::string& RootName() const { return FRootName; }
  const std::string& SelectedName() const { return FSelectedName; }
  // A new source read back from the snapshot.
  std::unique_ptr<TDvSkinSource> Restore() const;

 private:
  std::string FRootName;
  std::string FSelectedName;
  std::unique_ptr<TMemoryStream> FStream;
};

class TUndoStack {
 public:
  static constexpr Integer MaxUndo = 2;
  // Adds a snapshot; the oldest goes when there are more than MaxUndo.
  void Push(std::unique_ptr<TStateClass> State);
  // The newest snapshot, nil when there is none; Pop takes it out.
  const TStateClass* Newest() const { return FUndoList.empty() ? nullptr : FUndoList.back().get(); }
  std::unique_ptr<TStateClass> Pop();
  Integer Count() const { return Integer(FUndoList.size()); }
  void Clear() { FUndoList.clear(); }

 private:
  std::vector<std::unique_ptr<TStateClass>> FUndoList;
};
