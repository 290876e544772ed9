#include <unistd.h>

#include <climits>

#include "framework/core/sysutils.h"

std::string ExecutableFolder() {
  char Path[PATH_MAX];
  const ssize_t Length = readlink("/proc/self/exe", Path, sizeof Path - 1);
  if (Length <= 0) return "./";
  const std::string Full(Path, size_t(Length));
  return Full.substr(0, Full.rfind('/') + 1);
}
