#include "framework/core/class_registry.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/sysutils.h"

namespace {
std::vector<const TClassInfo*>& Registry() {
  static std::vector<const TClassInfo*> Classes;
  return Classes;
}
}  // namespace

void RegisterClass(const TClassInfo& Info) {
  if (!FindClass(Info.Name)) Registry().push_back(&Info);
}

void UnregisterClass(const TClassInfo& Info) { std::erase(Registry(), &Info); }

const TClassInfo* FindClass(std::string_view Name) {
  for (const TClassInfo* Info : Registry())
    if (SameText(Info->Name, Name)) return Info;
  return nullptr;
}

const TClassInfo& GetClass(std::string_view Name) {
  if (const TClassInfo* Info = FindClass(Name)) return *Info;
  throw EClassNotFound(Format("Class %s not found", std::string(Name).c_str()));
}
