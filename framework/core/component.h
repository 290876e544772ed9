// TComponent: the base of everything that has a name, an owner and owned components. An owner
// frees what it owns (last created first); the owned list, in creation order, is also how
// skin objects keep their children.
#pragma once

#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/set.h"

class EComponentError : public Exception {
  using Exception::Exception;
};

enum class TComponentStateFlag { csLoading, csReading, csDesigning, csDestroying };
using TComponentState = TSet<TComponentStateFlag>;
enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* Owner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TComponent* Owner() const { return FOwner; }
  Integer ComponentCount() const { return Integer(FComponents.size()); }
  TComponent* Components(Integer Index) const { return FComponents.at(size_t(Index)); }
  const std::vector<TComponent*>& ComponentList() const { return FComponents; }
  // Among the owned components, letter case ignored; nil when none has that name.
  TComponent* FindComponent(const std::string& Name) const;
  // Takes over (or gives up) ownership without freeing.
  void InsertComponent(TComponent* Component);
  void RemoveComponent(TComponent* Component);
  // Frees the owned components, last created first. The base destructor does this too, but by
  // then a derived class's overrides no longer run: a class that must hear of its children
  // going calls this first in its own destructor.
  void DestroyComponents();

  const std::string& Name() const { return FName; }
  // Empty, or an identifier no other component of the same owner uses.
  virtual void SetName(const std::string& NewName);
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }

  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool Value);
  // Reading from a stream brackets itself with these; Loaded runs once reading has ended.
  void BeginLoading() { FComponentState.Include(TComponentStateFlag::csLoading); }
  virtual void Loaded() { FComponentState.Exclude(TComponentStateFlag::csLoading); }

  // Objects that sit inside another one besides their owner (a control on its parent): in a
  // stream they are written inside that object, owned by the root, and given it back on reading.
  virtual bool HasParent() const { return false; }
  virtual void SetParentComponent(TComponent* Parent) { (void)Parent; }

  // Component asks to be told (Notification with opRemove) when this one is freed.
  void FreeNotification(TComponent* Component);
  void RemoveFreeNotification(TComponent* Component);

 protected:
  virtual void Notification(TComponent* Component, TOperation Operation);
  void ValidateRename(const std::string& NewName) const;

 private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  Integer FTag = 0;
  TComponentState FComponentState;
};

// Virtual construction for the class registry: CreateComponent<TFoo> builds a TFoo.
template <typename TClass>
TComponent* CreateComponent(TComponent* Owner) {
  return new TClass(Owner);
}
