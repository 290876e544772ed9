// Opaque Win32 handle types, so that portable headers can name them without <windows.h>.
// The declarations match the ones <windows.h> makes with STRICT, so both can be seen together.
#pragma once

struct HDC__;
struct HBITMAP__;
struct HRGN__;
struct HINSTANCE__;
typedef HDC__* HDC;
typedef HBITMAP__* HBITMAP;
typedef HRGN__* HRGN;
typedef HINSTANCE__* HMODULE;
struct HFONT__;
typedef HFONT__* HFONT;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
struct HPEN__;
typedef HPEN__* HPEN;
struct HWND__;
typedef HWND__* HWND;
struct HICON__;
typedef HICON__* HICON;
