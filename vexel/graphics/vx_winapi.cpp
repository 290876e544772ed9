#include "vexel/graphics/vx_winapi.h"

#include <optional>
#include <utility>

namespace {

// A library this unit loaded itself; freed with it.
class TLibrary {
 public:
  TLibrary() = default;
  explicit TLibrary(const char* Name) : FModule(LoadLibraryA(Name)) {}
  ~TLibrary() { Reset(); }
  TLibrary(TLibrary&& Other) noexcept : FModule(std::exchange(Other.FModule, nullptr)) {}
  TLibrary& operator=(TLibrary&& Other) noexcept {
    if (this != &Other) {
      Reset();
      FModule = std::exchange(Other.FModule, nullptr);
    }
    return *this;
  }
  TLibrary(const TLibrary&) = delete;
  TLibrary& operator=(const TLibrary&) = delete;

  explicit operator bool() const { return FModule != nullptr; }
  void Reset() {
    if (FModule) FreeLibrary(FModule);
    FModule = nullptr;
  }
  // Proc is nil when the library is not loaded or does not export Name.
  template <typename TProc>
  void Resolve(const char* Name, TProc& Proc) const {
    Proc = FModule ? reinterpret_cast<TProc>(reinterpret_cast<void*>(GetProcAddress(FModule, Name))) : nullptr;
  }

 private:
  HMODULE FModule = nullptr;
};

class TCriticalSection {
 public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() { DeleteCriticalSection(&FSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;
  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }

 private:
  CRITICAL_SECTION FSection;
};

class TLockGuard {
 public:
  explicit TLockGuard(TCriticalSection& Lock) : FLock(Lock) { FLock.Enter(); }
  ~TLockGuard() { FLock.Leave(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

 private:
  TCriticalSection& FLock;
};

class TWinApiUnit {
 public:
  TWinApiUnit();
  void Finalise();
  bool AcquireTheme();
  void ReleaseTheme();

  bool IsNT = false;
  bool IsVersion4 = false;
  bool LayeredAvailable = false;
  TUser32Functions User32Procs;
  TTransparentBltProc TransparentBlt = nullptr;
  // Guards ThemeLibrary and ThemeReferences; gone after Finalise.
  std::optional<TCriticalSection> ThemeLock;
  TLibrary ThemeLibrary;
  Integer ThemeReferences = 0;
  TThemeFunctions Theme;
  bool ThemeLoaded = false;

 private:
  TLibrary FUser32;
  TLibrary FMsImg32;
};

// The order matters: whether TransparentBlt is trusted depends on what was found before it.
TWinApiUnit::TWinApiUnit() {
  OSVERSIONINFOA Version{};
  Version.dwOSVersionInfoSize = sizeof Version;
  if (GetVersionExA(&Version)) {
    IsNT = Version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    IsVersion4 = Version.dwMajorVersion == 4;
  }

  FUser32 = TLibrary("user32.dll");
  FUser32.Resolve("SetLayeredWindowAttributes", User32Procs.SetLayeredWindowAttributes);
  FUser32.Resolve("UpdateLayeredWindow", User32Procs.UpdateLayeredWindow);
  LayeredAvailable = User32Procs.SetLayeredWindowAttributes != nullptr;

  ThemeLock.emplace();
  AcquireTheme();

  FUser32.Resolve("MonitorFromRect", User32Procs.MonitorFromRect);
  FUser32.Resolve("MonitorFromPoint", User32Procs.MonitorFromPoint);
  FUser32.Resolve("MonitorFromWindow", User32Procs.MonitorFromWindow);
  FUser32.Resolve("GetMonitorInfoA", User32Procs.GetMonitorInfoA);

  // Version 4 systems (Windows 98 among them) have a TransparentBlt that leaks resources.
  if (!IsVersion4 && (IsNT || LayeredAvailable || ThemeLoaded)) {
    FMsImg32 = TLibrary("msimg32.dll");
    FMsImg32.Resolve("TransparentBlt", TransparentBlt);
  }

  FUser32.Resolve("GetScrollBarInfo", User32Procs.GetScrollBarInfo);
}

void TWinApiUnit::Finalise() {
  TransparentBlt = nullptr;
  FMsImg32.Reset();
  User32Procs = {};
  LayeredAvailable = false;
  FUser32.Reset();
  if (ThemeLock) {
    while (ThemeReferences > 0) ReleaseTheme();
    ThemeLock.reset();
  }
}

bool TWinApiUnit::AcquireTheme() {
  if (!ThemeLock) return false;
  TLockGuard Guard(*ThemeLock);
  ++ThemeReferences;
  if (!ThemeLibrary) {
    ThemeLibrary = TLibrary("uxtheme.dll");
    if (ThemeLibrary) {
#define VX_RESOLVE(Name) ThemeLibrary.Resolve(#Name, Theme.Name);
      VX_THEME_FUNCTIONS(VX_RESOLVE)
#undef VX_RESOLVE
      ThemeLoaded = true;
    }
  }
  return bool(ThemeLibrary);
}

void TWinApiUnit::ReleaseTheme() {
  if (!ThemeLock) return;
  TLockGuard Guard(*ThemeLock);
  if (ThemeReferences > 0) --ThemeReferences;
  if (ThemeLibrary && ThemeReferences == 0) {
    Theme = {};
    ThemeLibrary.Reset();
  }
}

class TUnitEnd {
 public:
  explicit TUnitEnd(TWinApiUnit& Unit) : FUnit(Unit) {}
  ~TUnitEnd() { FUnit.Finalise(); }
  TUnitEnd(const TUnitEnd&) = delete;
  TUnitEnd& operator=(const TUnitEnd&) = delete;

 private:
  TWinApiUnit& FUnit;
};

TWinApiUnit& Unit() {
  // Never destroyed: a caller during static destruction finds cleared entry points, not a dead
  // object. The unit end itself runs with the other static destructors.
  static TWinApiUnit& Instance = *new TWinApiUnit;
  static TUnitEnd End(Instance);
  return Instance;
}

TRect FromRECT(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }

std::optional<TRect> MonitorArea(HMONITOR Monitor, bool WorkArea) {
  const auto GetInfo = Unit().User32Procs.GetMonitorInfoA;
  static_assert(sizeof(MONITORINFO) == 40);
  MONITORINFO Info{};
  Info.cbSize = sizeof Info;
  if (!Monitor || !GetInfo || !GetInfo(Monitor, &Info)) return std::nullopt;
  return FromRECT(WorkArea ? Info.rcWork : Info.rcMonitor);
}

struct TMouseCapture {
  HWND Window = nullptr;
  Integer Count = 0;
};
constinit TMouseCapture MouseCapture;

}  // namespace

bool PlatformIsNT() { return Unit().IsNT; }
bool PlatformIsVersion4() { return Unit().IsVersion4; }
const TUser32Functions& User32Functions() { return Unit().User32Procs; }
bool LayeredWindowsAvailable() { return Unit().LayeredAvailable; }
TTransparentBltProc TransparentBltProc() { return Unit().TransparentBlt; }

const TThemeFunctions& ThemeFunctions() { return Unit().Theme; }
bool ThemeFunctionsLoaded() { return Unit().ThemeLoaded; }
bool AcquireThemeLibrary() { return Unit().AcquireTheme(); }
void ReleaseThemeLibrary() { Unit().ReleaseTheme(); }

Integer ThemeLibraryReferences() {
  TWinApiUnit& U = Unit();
  if (!U.ThemeLock) return 0;
  TLockGuard Guard(*U.ThemeLock);
  return U.ThemeReferences;
}

bool VisualStylesActive() {
  const TThemeFunctions& F = Unit().Theme;
  if (!F.IsAppThemed || !F.IsThemeActive || !F.IsAppThemed() || !F.IsThemeActive()) return false;
  // A program that keeps its controls out of the visual styles gets the classic look.
  return !F.GetThemeAppProperties || (F.GetThemeAppProperties() & STAP_ALLOW_CONTROLS);
}

bool MultiMonitorAvailable() {
  const TUser32Functions& F = Unit().User32Procs;
  const int Count = GetSystemMetrics(SM_CMONITORS);
  return Count != 0 && Count != 1 && F.MonitorFromRect && F.MonitorFromPoint && F.GetMonitorInfoA;
}

TRect GetScreenArea(bool WorkArea) {
  RECT Work{};
  if (WorkArea && SystemParametersInfoA(SPI_GETWORKAREA, 0, &Work, 0)) return FromRECT(Work);
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TRect GetMonitorAreaFromPoint(const TPoint& P, bool WorkArea) {
  if (MultiMonitorAvailable()) {
    const HMONITOR Monitor = Unit().User32Procs.MonitorFromPoint(POINT{P.X, P.Y}, MONITOR_DEFAULTTONEAREST);
    if (const auto Area = MonitorArea(Monitor, WorkArea)) return *Area;
  }
  return GetScreenArea(WorkArea);
}

TRect GetMonitorAreaFromWindow(HWND Wnd, bool WorkArea) {
  const auto FromWindow = Unit().User32Procs.MonitorFromWindow;
  if (MultiMonitorAvailable() && FromWindow) {
    if (const auto Area = MonitorArea(FromWindow(Wnd, MONITOR_DEFAULTTONEAREST), WorkArea)) return *Area;
  }
  return GetScreenArea(WorkArea);
}

Integer GetScrollBarInfoSafe(HWND Wnd, LONG ObjectId, SCROLLBARINFO& Info) {
  if (const auto Proc = Unit().User32Procs.GetScrollBarInfo) {
    Info.cbSize = sizeof Info;
    return Proc(Wnd, ObjectId, &Info);
  }
  Info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
  return 0;
}

void BeginMouseCapture(HWND Wnd) {
  if (MouseCapture.Count == 0) {
    MouseCapture.Window = Wnd;
    SetCapture(Wnd);
  }
  ++MouseCapture.Count;
}

void EndMouseCapture() {
  if (MouseCapture.Count == 0) return;
  if (--MouseCapture.Count == 0) {
    if (MouseCapture.Window && GetCapture() == MouseCapture.Window) ReleaseCapture();
    MouseCapture.Window = nullptr;
  }
}
