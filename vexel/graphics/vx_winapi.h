// What the running platform offers, looked up once at run time so that a missing optional
// function switches its caller to a plain path. Windows only.
//
// The unit starts on first use of any function here and ends at process exit; after its end
// every optional entry point reads as missing.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "framework/core/types.h"

// [Platform]
bool PlatformIsNT();
bool PlatformIsVersion4();

// [Optional "user32.dll" entry points] Each may be nil.
struct TUser32Functions {
  decltype(&::SetLayeredWindowAttributes) SetLayeredWindowAttributes = nullptr;
  decltype(&::UpdateLayeredWindow) UpdateLayeredWindow = nullptr;
  decltype(&::MonitorFromRect) MonitorFromRect = nullptr;
  decltype(&::MonitorFromPoint) MonitorFromPoint = nullptr;
  decltype(&::MonitorFromWindow) MonitorFromWindow = nullptr;
  decltype(&::GetMonitorInfoA) GetMonitorInfoA = nullptr;
  decltype(&::GetScrollBarInfo) GetScrollBarInfo = nullptr;
};
const TUser32Functions& User32Functions();
// SetLayeredWindowAttributes was found.
bool LayeredWindowsAvailable();

// [TransparentBlt] "msimg32.dll" TransparentBlt, or nil when the platform is left without it.
using TTransparentBltProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
TTransparentBltProc TransparentBltProc();
inline bool TransparentBltAvailable() { return TransparentBltProc() != nullptr; }

// [Visual styles] "uxtheme.dll", loaded while its reference count is above zero; the unit holds
// one reference for the life of the process. A name the library does not export stays nil.
// clang-format off
#define VX_THEME_FUNCTIONS(X)                                                                                      \
  X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText) X(GetThemeBackgroundContentRect)     \
  X(GetThemePartSize) X(GetThemeTextExtent) X(GetThemeTextMetrics) X(GetThemeBackgroundRegion)                    \
  X(HitTestThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon) X(IsThemePartDefined)                               \
  X(IsThemeBackgroundPartiallyTransparent) X(GetThemeColor) X(GetThemeMetric) X(GetThemeString) X(GetThemeBool)   \
  X(GetThemeInt) X(GetThemeEnumValue) X(GetThemePosition) X(GetThemeFont) X(GetThemeRect) X(GetThemeMargins)      \
  X(GetThemeIntList) X(GetThemePropertyOrigin) X(SetWindowTheme) X(GetThemeFilename) X(GetThemeSysColor)         \
  X(GetThemeSysColorBrush) X(GetThemeSysBool) X(GetThemeSysSize) X(GetThemeSysFont) X(GetThemeSysString)          \
  X(GetThemeSysInt) X(IsThemeActive) X(IsAppThemed) X(GetWindowTheme) X(EnableThemeDialogTexture)                 \
  X(IsThemeDialogTextureEnabled) X(GetThemeAppProperties) X(SetThemeAppProperties) X(GetCurrentThemeName)         \
  X(GetThemeDocumentationProperty) X(DrawThemeParentBackground) X(EnableTheming)
// clang-format on

struct TThemeFunctions {
#define VX_THEME_ENTRY(Name) decltype(&::Name) Name = nullptr;
  VX_THEME_FUNCTIONS(VX_THEME_ENTRY)
#undef VX_THEME_ENTRY
};

// The current entry points; all nil while the library is not loaded.
const TThemeFunctions& ThemeFunctions();
// The entry points were resolved at least once.
bool ThemeFunctionsLoaded();
// Thread-safe. Adds a reference, loading the library if needed; answers whether it is loaded.
bool AcquireThemeLibrary();
// Thread-safe. Drops a reference (never below zero); the last one unloads the library.
void ReleaseThemeLibrary();
Integer ThemeLibraryReferences();
// The library is loaded, both IsAppThemed and IsThemeActive say yes, and the program has not
// kept its controls out (SetThemeAppProperties without STAP_ALLOW_CONTROLS).
bool VisualStylesActive();

// [Monitors] Without several monitors, or when a query fails, the screen stands for every monitor.
bool MultiMonitorAvailable();
// The work area (screen minus task bars) when WorkArea is set and the platform reports one, else
// the whole primary screen.
TRect GetScreenArea(bool WorkArea);
TRect GetMonitorAreaFromPoint(const TPoint& P, bool WorkArea);
TRect GetMonitorAreaFromWindow(HWND Wnd, bool WorkArea);

// [Scroll bars] Without the platform call, Info reports an invisible bar and the answer is 0.
Integer GetScrollBarInfoSafe(HWND Wnd, LONG ObjectId, SCROLLBARINFO& Info);

// [Mouse capture] Nested captures for one window: the outermost Begin captures the mouse, the
// matching End releases it unless another window took it meanwhile. GUI thread only.
void BeginMouseCapture(HWND Wnd);
void EndMouseCapture();
