#include "framework/core/collection.h"

#include <algorithm>

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo Info{"TCollectionItem", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

Integer TCollectionItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCollectionItem::Changed() {
  if (FCollection) FCollection->Changed(this);
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo Info{"TCollection", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

TCollection::~TCollection() {
  ++FUpdateCount;  // nobody is told about items going with the collection
  FItems.clear();
}

void TCollection::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TCollection*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  if (Other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (const auto& Item : Other->FItems) Add()->Assign(Item.get());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::Items(Integer Index) const {
  return Index >= 0 && Index < Count() ? FItems[size_t(Index)].get() : nullptr;
}

TCollectionItem* TCollection::Add() {
  FItems.push_back(FCreateItem(*this));
  TCollectionItem* Item = FItems.back().get();
  Item->FCollection = this;
  Changed(nullptr);
  return Item;
}

void TCollection::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  FItems.erase(FItems.begin() + Index);
  Changed(nullptr);
}

void TCollection::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex < 0 || CurIndex >= Count()) return;
  NewIndex = std::clamp<Integer>(NewIndex, 0, Count() - 1);
  if (NewIndex == CurIndex) return;
  auto Item = std::move(FItems[size_t(CurIndex)]);
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, std::move(Item));
  Changed(nullptr);
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed(nullptr);
}

Integer TCollection::IndexOf(const TCollectionItem* Item) const {
  const auto It = std::find_if(FItems.begin(), FItems.end(), [&](const auto& P) { return P.get() == Item; });
  return It == FItems.end() ? -1 : Integer(It - FItems.begin());
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed(TCollectionItem* Item) {
  if (FUpdateCount == 0) Update(Item);
}
