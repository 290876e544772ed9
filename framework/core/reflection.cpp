#include "framework/core/reflection.h"

#include <algorithm>

#include "framework/core/sysutils.h"

namespace {
// The class chain from the root down to Info.
std::vector<const TClassInfo*> Lineage(const TClassInfo& Info) {
  std::vector<const TClassInfo*> Chain;
  for (const TClassInfo* C = &Info; C; C = C->Parent) Chain.push_back(C);
  std::reverse(Chain.begin(), Chain.end());
  return Chain;
}
}  // namespace

const char* TIdentMap::ToIdent(int64_t Value) const {
  for (const TIdentMapEntry& E : Entries)
    if (E.Value == Value) return E.Name;
  return nullptr;
}

std::optional<int64_t> TIdentMap::ToValue(std::string_view Name) const {
  for (const TIdentMapEntry& E : Entries)
    if (SameText(E.Name, Name)) return E.Value;
  return std::nullopt;
}

int TEnumInfo::IndexOf(std::string_view Name) const {
  for (size_t I = 0; I < Names.size(); ++I)
    if (SameText(Names[I], Name)) return int(I);
  return -1;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const {
  for (const TClassInfo* C = this; C; C = C->Parent)
    if (C == &Other) return true;
  return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TPropInfo*> Result;
  for (const TClassInfo* C : Lineage(*this))
    for (const TPropInfo& P : C->Properties) Result.push_back(&P);
  return Result;
}

std::vector<const TDefinedProperty*> TClassInfo::AllDefined() const {
  std::vector<const TDefinedProperty*> Result;
  for (const TClassInfo* C : Lineage(*this))
    for (const TDefinedProperty& D : C->Defined) Result.push_back(&D);
  return Result;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view Name) const {
  for (const TClassInfo* C = this; C; C = C->Parent)
    for (const TPropInfo& P : C->Properties)
      if (SameText(P.Name, Name)) return &P;
  return nullptr;
}

std::vector<TComponent*> TClassInfo::Children(const TComponent& Instance, const TComponent& Root) const {
  std::vector<TComponent*> Result;
  for (const TClassInfo* C = this; C; C = C->Parent)
    if (C->GetChildren) {
      C->GetChildren(Instance, Root, Result);
      break;
    }
  return Result;
}

const TDefinedProperty* TClassInfo::FindDefined(std::string_view Name) const {
  for (const TClassInfo* C = this; C; C = C->Parent)
    for (const TDefinedProperty& D : C->Defined)
      if (SameText(D.Name, Name)) return &D;
  return nullptr;
}
