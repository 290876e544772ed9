#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>

#include "framework/core/large_blocks.h"
#include "framework/core/sysutils.h"

std::string ExecutableFolder() {
  char Path[PATH_MAX];
  const ssize_t Length = readlink("/proc/self/exe", Path, sizeof Path - 1);
  if (Length <= 0) return "./";
  const std::string Full(Path, size_t(Length));
  return Full.substr(0, Full.rfind('/') + 1);
}

namespace {
// Large pages cover whole aligned 2 MiB ranges inside a block.
constexpr uintptr_t HugePage = uintptr_t(2) << 20;

template <typename TRange>
void ForWholeHugePages(void* Data, size_t Size, TRange Range) {
  const uintptr_t Begin = (reinterpret_cast<uintptr_t>(Data) + HugePage - 1) & ~(HugePage - 1);
  const uintptr_t End = (reinterpret_cast<uintptr_t>(Data) + Size) & ~(HugePage - 1);
  if (End > Begin) Range(reinterpret_cast<void*>(Begin), size_t(End - Begin));
}
}  // namespace

void AdviseLargeBlock(void* Data, size_t Size) {
#ifdef MADV_HUGEPAGE
  ForWholeHugePages(Data, Size, [](void* Begin, size_t Length) { madvise(Begin, Length, MADV_HUGEPAGE); });
#endif
}

void ReleaseLargeBlockPages(void* Data, size_t Size) {
  ForWholeHugePages(Data, Size, [](void* Begin, size_t Length) { madvise(Begin, Length, MADV_DONTNEED); });
}
