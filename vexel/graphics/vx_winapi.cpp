#include "vexel/graphics/vx_winapi.h"

namespace {
// Stays loaded for the life of the process, like the system libraries it comes from.
FARPROC LookUp(const char* Library, const char* Function) {
  HMODULE Module = GetModuleHandleA(Library);
  if (!Module) Module = LoadLibraryA(Library);
  return Module ? GetProcAddress(Module, Function) : nullptr;
}
}  // namespace

TTransparentBltProc TransparentBltProc() {
  static const auto Proc = reinterpret_cast<TTransparentBltProc>(
      reinterpret_cast<void*>(LookUp("msimg32.dll", "TransparentBlt")));
  return Proc;
}
