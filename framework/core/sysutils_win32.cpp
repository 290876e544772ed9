#include <windows.h>

#include "framework/core/large_blocks.h"
#include "framework/core/sysutils.h"

std::string ExecutableFolder() {
  char Path[MAX_PATH];
  const DWORD Length = GetModuleFileNameA(nullptr, Path, MAX_PATH);
  if (Length == 0 || Length >= MAX_PATH) return ".\\";
  const std::string Full(Path, Length);
  return Full.substr(0, Full.find_last_of("\\/") + 1);
}

// Large pages need a privilege applications rarely hold; committed pages are cheap enough here.
void AdviseLargeBlock(void*, size_t) {}

// Heap blocks cannot safely have pages decommitted under the heap; they stay until freed.
void ReleaseLargeBlockPages(void*, size_t) {}
