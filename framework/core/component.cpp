#include "framework/core/component.h"

#include <algorithm>

#include "framework/core/sysutils.h"

const TClassInfo& TComponent::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TComponent::Tag, &TComponent::SetTag>("Tag", 0),
  };
  static const TClassInfo Info{"TComponent", &TPersistent::StaticClassInfo(), Properties, {}};
  return Info;
}

TComponent::TComponent(TComponent* Owner) {
  if (Owner) Owner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState.Include(TComponentStateFlag::csDestroying);
  // Subscribers may unsubscribe while told, so work on a copy.
  for (TComponent* C : std::vector<TComponent*>(FFreeNotifies)) C->Notification(this, TOperation::opRemove);
  for (TComponent* C : FFreeNotifies) C->RemoveFreeNotification(this);
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Last = FComponents.back();
    RemoveComponent(Last);
    delete Last;
  }
}

TComponent* TComponent::FindComponent(const std::string& Name) const {
  if (Name.empty()) return nullptr;
  for (TComponent* C : FComponents)
    if (SameText(C->FName, Name)) return C;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* Component) {
  if (!Component->FName.empty() && FindComponent(Component->FName))
    throw EComponentError(Format("A component named %s already exists", Component->FName.c_str()));
  if (Component->FOwner) Component->FOwner->RemoveComponent(Component);
  FComponents.push_back(Component);
  Component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* Component) {
  const auto It = std::find(FComponents.begin(), FComponents.end(), Component);
  if (It == FComponents.end()) return;
  FComponents.erase(It);
  Component->FOwner = nullptr;
  Notification(Component, TOperation::opRemove);
}

void TComponent::ValidateRename(const std::string& NewName) const {
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(Format("''%s'' is not a valid component name", NewName.c_str()));
  if (FOwner && !NewName.empty() && !SameText(NewName, FName)) {
    const TComponent* Other = FOwner->FindComponent(NewName);
    if (Other && Other != this) throw EComponentError(Format("A component named %s already exists", NewName.c_str()));
  }
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == FName) return;
  ValidateRename(NewName);
  FName = NewName;
}

void TComponent::SetDesigning(bool Value) {
  if (Value)
    FComponentState.Include(TComponentStateFlag::csDesigning);
  else
    FComponentState.Exclude(TComponentStateFlag::csDesigning);
  for (TComponent* C : FComponents) C->SetDesigning(Value);
}

void TComponent::FreeNotification(TComponent* Component) {
  if (Component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), Component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(Component);
    Component->FreeNotification(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* Component) {
  const auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), Component);
  if (It == FFreeNotifies.end()) return;
  FFreeNotifies.erase(It);
  Component->RemoveFreeNotification(this);
}

void TComponent::Notification(TComponent* Component, TOperation Operation) {
  if (Operation == TOperation::opRemove) RemoveFreeNotification(Component);
}
