#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include <climits>

#include "framework/core/sysutils.h"

std::string ExecutableFolder() {
  char Path[PATH_MAX];
  const ssize_t Length = readlink("/proc/self/exe", Path, sizeof Path - 1);
  if (Length <= 0) return "./";
  const std::string Full(Path, size_t(Length));
  return Full.substr(0, Full.rfind('/') + 1);
}

void AdviseLargeBlock(void* Data, size_t Size) {
  // Large pages cover whole aligned 2 MiB ranges inside the block.
  constexpr uintptr_t Huge = uintptr_t(2) << 20;
  const uintptr_t Begin = (reinterpret_cast<uintptr_t>(Data) + Huge - 1) & ~(Huge - 1);
  const uintptr_t End = (reinterpret_cast<uintptr_t>(Data) + Size) & ~(Huge - 1);
#ifdef MADV_HUGEPAGE
  if (End > Begin) madvise(reinterpret_cast<void*>(Begin), End - Begin, MADV_HUGEPAGE);
#endif
}
