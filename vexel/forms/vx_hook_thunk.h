// An executable stub that turns a call of a window procedure into a call of one shared procedure
// with an object in place of the window handle, so that a message reaches its object without a
// look-up. The stub's address is what SetWindowLongPtr(GWLP_WNDPROC) stores.
//
// The stub can be pointed at another procedure and object while it stays installed (a window
// procedure chain may still hold its address). x86_64 and i686; Windows only.
#pragma once

#include <cstdint>

class TWndProcThunk {
 public:
  // Proc has the window procedure's signature; its first parameter receives Object. Raises
  // EOutOfResources when no code page can be had.
  using TProc = intptr_t(__stdcall*)(void* Object, uint32_t Msg, uintptr_t WParam, intptr_t LParam);

  TWndProcThunk(TProc Proc, void* Object);
  ~TWndProcThunk();
  TWndProcThunk(const TWndProcThunk&) = delete;
  TWndProcThunk& operator=(const TWndProcThunk&) = delete;

  // False when the page could not be made writable and executable again (the stub is unusable).
  bool Bind(TProc Proc, void* Object);
  // The address to install as a window procedure.
  void* Address() const { return FCode; }

 private:
  void* FCode = nullptr;
};
