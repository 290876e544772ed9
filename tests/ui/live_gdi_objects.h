// Counting GDI objects, for tests that a loop leaves none behind.
#pragma once

#include <windows.h>

#include <cstdint>

// The process's GDI objects. Wine answers 0 to the count query; there every handle value of the
// table is asked for its type instead (Wine accepts a handle without its generation bits).
inline int LiveGdiObjects() {
  if (const DWORD N = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(N);
  int N = 0;
  for (uintptr_t H = 1; H < 0x4000; ++H) N += GetObjectType(reinterpret_cast<HGDIOBJ>(H)) != 0;
  return N;
}
