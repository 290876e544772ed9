#include "vexel/forms/vx_hook_thunk.h"

#include <windows.h>

#include <cstring>

#include "framework/core/exceptions.h"

namespace {

// Each stub has a page of its own, writable only while it is written: code pages never stay
// writable, and rebinding one stub cannot disturb another that is running.
constexpr SIZE_T PageSize = 4096;

#if defined(__x86_64__)
// mov rcx, Object; mov rax, Proc; jmp rax. The window handle arrives in rcx.
void Emit(uint8_t* Code, void* Proc, void* Object) {
  Code[0] = 0x48;
  Code[1] = 0xB9;
  std::memcpy(Code + 2, &Object, 8);
  Code[10] = 0x48;
  Code[11] = 0xB8;
  std::memcpy(Code + 12, &Proc, 8);
  Code[20] = 0xFF;
  Code[21] = 0xE0;
}
constexpr size_t CodeSize = 22;
#elif defined(__i386__)
// mov dword [esp+4], Object; jmp Proc. The window handle is the first argument on the stack;
// the jump keeps the caller's return address, so Proc's stdcall return pops the arguments.
void Emit(uint8_t* Code, void* Proc, void* Object) {
  Code[0] = 0xC7;
  Code[1] = 0x44;
  Code[2] = 0x24;
  Code[3] = 0x04;
  std::memcpy(Code + 4, &Object, 4);
  Code[8] = 0xE9;
  const int32_t Offset = int32_t(reinterpret_cast<uintptr_t>(Proc) - reinterpret_cast<uintptr_t>(Code + 13));
  std::memcpy(Code + 9, &Offset, 4);
}
constexpr size_t CodeSize = 13;
#else
#error "window procedure stubs are written for x86_64 and i686"
#endif

}  // namespace

TWndProcThunk::TWndProcThunk(TProc Proc, void* Object) {
  FCode = VirtualAlloc(nullptr, PageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!FCode || !Bind(Proc, Object)) {
    if (FCode) VirtualFree(FCode, 0, MEM_RELEASE);
    throw EOutOfResources("Cannot allocate a window procedure stub");
  }
}

TWndProcThunk::~TWndProcThunk() { VirtualFree(FCode, 0, MEM_RELEASE); }

bool TWndProcThunk::Bind(TProc Proc, void* Object) {
  DWORD Old = 0;
  if (!VirtualProtect(FCode, PageSize, PAGE_READWRITE, &Old)) return false;
  Emit(static_cast<uint8_t*>(FCode), reinterpret_cast<void*>(Proc), Object);
  if (!VirtualProtect(FCode, PageSize, PAGE_EXECUTE_READ, &Old)) return false;
  FlushInstructionCache(GetCurrentProcess(), FCode, CodeSize);
  return true;
}
