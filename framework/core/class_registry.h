// The process-wide registry of classes that can be constructed by name (virtual construction
// for stream readers and the clipboard).
#pragma once

#include <string_view>

#include "framework/core/reflection.h"

class EClassNotFound;

// <windows.h> maps RegisterClass to RegisterClassA; here it is the registry's own name, the same
// in every unit. Window classes are registered with RegisterClassW/RegisterClassExW by name.
#ifdef RegisterClass
#undef RegisterClass
#endif

// Registering a name twice keeps the first registration.
void RegisterClass(const TClassInfo& Info);
void UnregisterClass(const TClassInfo& Info);
// Letter case ignored; nil when no class of that name is registered.
const TClassInfo* FindClass(std::string_view Name);
// As FindClass, but raises "Class %s not found".
const TClassInfo& GetClass(std::string_view Name);
