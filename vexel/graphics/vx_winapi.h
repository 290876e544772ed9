// What the running platform offers, looked up once at run time so that a missing optional
// function switches its caller to a plain path. Windows only.
#pragma once

#include <windows.h>

using TTransparentBltProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// "msimg32.dll" TransparentBlt, or nil.
TTransparentBltProc TransparentBltProc();
inline bool TransparentBltAvailable() { return TransparentBltProc() != nullptr; }
