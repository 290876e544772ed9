// TCollection: an owned, ordered list of items of one class, held by a property of its owner
// (header sections, status panels, stored themes). In component streams a collection is written
// as its items, each a property list of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* Collection) : FCollection(Collection) {}
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TCollection* Collection() const { return FCollection; }
  // Position in the collection; -1 when the item belongs to none.
  Integer Index() const;
  // What an inspector or editor lists for the item; the class name unless a class says better.
  virtual std::string DisplayName() const { return ClassName(); }

 protected:
  // Tells the collection (and through it the owner) that this item changed.
  void Changed();

 private:
  friend class TCollection;
  TCollection* FCollection;
};

class TCollection : public TPersistent {
 public:
  // Builds one item of the collection's item class.
  using TItemFactory = std::unique_ptr<TCollectionItem> (*)(TCollection& Collection);

  TCollection(TPersistent* Owner, TItemFactory CreateItem) : FOwner(Owner), FCreateItem(CreateItem) {}
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  // From another collection: its items one by one, through the items' own Assign.
  void Assign(const TPersistent* Source) override;

  TPersistent* Owner() const { return FOwner; }
  Integer Count() const { return Integer(FItems.size()); }
  // Nil outside the range.
  TCollectionItem* Items(Integer Index) const;
  TCollectionItem* Add();
  void Delete(Integer Index);
  void Clear();
  // Moves the item at CurIndex to NewIndex (clamped into range); nothing for a bad CurIndex.
  void Move(Integer CurIndex, Integer NewIndex);
  Integer IndexOf(const TCollectionItem* Item) const;

  // Changes between the two are reported once, at the end.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // An item changed (nil: the collection as a whole). Owners override it to repaint or lay out.
  virtual void Update(TCollectionItem* Item);

 private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* Item);

  TPersistent* FOwner;
  TItemFactory FCreateItem;
  std::vector<std::unique_ptr<TCollectionItem>> FItems;
  int FUpdateCount = 0;
};

// The factory of a collection whose items are TItem(TCollection*).
template <typename TItem>
std::unique_ptr<TCollectionItem> CreateCollectionItem(TCollection& Collection) {
  return std::make_unique<TItem>(&Collection);
}
