// Owning wrappers for GDI handles and a guard that restores what it selected into a DC.
// Windows only.
#pragma once

#include <windows.h>

#include <utility>

template <typename THandle>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(THandle Handle) : FHandle(Handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& Other) noexcept : FHandle(Other.Release()) {}
  TGdiObject& operator=(TGdiObject&& Other) noexcept {
    Reset(Other.Release());
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  THandle Release() { return std::exchange(FHandle, nullptr); }
  void Reset(THandle Handle = nullptr) {
    if (FHandle) DeleteObject(FHandle);
    FHandle = Handle;
  }

 private:
  THandle FHandle = nullptr;
};

using TBitmapHandle = TGdiObject<HBITMAP>;
using TRegionHandle = TGdiObject<HRGN>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TFontHandle = TGdiObject<HFONT>;
using TPenHandle = TGdiObject<HPEN>;

// Icons and cursors are freed with DestroyIcon, not DeleteObject.
class TIconHandle {
 public:
  TIconHandle() = default;
  explicit TIconHandle(HICON Handle) : FHandle(Handle) {}
  ~TIconHandle() { Reset(); }
  TIconHandle(TIconHandle&& Other) noexcept : FHandle(Other.Release()) {}
  TIconHandle& operator=(TIconHandle&& Other) noexcept {
    Reset(Other.Release());
    return *this;
  }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;

  HICON Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  HICON Release() { return std::exchange(FHandle, nullptr); }
  void Reset(HICON Handle = nullptr) {
    if (FHandle) DestroyIcon(FHandle);
    FHandle = Handle;
  }

 private:
  HICON FHandle = nullptr;
};

// A memory DC compatible with another (or with the screen).
class TMemoryDC {
 public:
  explicit TMemoryDC(HDC Compatible = nullptr) : FDC(CreateCompatibleDC(Compatible)) {}
  ~TMemoryDC() {
    if (FDC) DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return FDC; }
  HDC Release() { return std::exchange(FDC, nullptr); }

 private:
  HDC FDC;
};

class TSelectGuard {
 public:
  TSelectGuard(HDC DC, HGDIOBJ Object) : FDC(DC), FOld(SelectObject(DC, Object)) {}
  ~TSelectGuard() {
    if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
  }
  TSelectGuard(const TSelectGuard&) = delete;
  TSelectGuard& operator=(const TSelectGuard&) = delete;
  bool Selected() const { return FOld && FOld != HGDI_ERROR; }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// Sets a DC's background mode and puts the old one back on scope exit.
class TBkModeGuard {
 public:
  TBkModeGuard(HDC DC, int Mode) : FDC(DC), FOld(SetBkMode(DC, Mode)) {}
  ~TBkModeGuard() {
    if (FOld) SetBkMode(FDC, FOld);
  }
  TBkModeGuard(const TBkModeGuard&) = delete;
  TBkModeGuard& operator=(const TBkModeGuard&) = delete;

 private:
  HDC FDC;
  int FOld;
};

// SaveDC on construction, RestoreDC on scope exit: clips, origins and selections made in
// between go back.
class TDCState {
 public:
  explicit TDCState(HDC DC) : FDC(DC), FSaved(DC ? SaveDC(DC) : 0) {}
  ~TDCState() {
    if (FSaved) RestoreDC(FDC, FSaved);
  }
  TDCState(const TDCState&) = delete;
  TDCState& operator=(const TDCState&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// The DC of a window's whole area, frame included (the window's own non-client painting),
// released on scope exit.
class TNonClientDC {
 public:
  explicit TNonClientDC(HWND Window) : FWindow(Window), FDC(GetWindowDC(Window)) {}
  ~TNonClientDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TNonClientDC(const TNonClientDC&) = delete;
  TNonClientDC& operator=(const TNonClientDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// The DC of a window's client area (or of the screen for nil), released on scope exit.
class TWindowDC {
 public:
  explicit TWindowDC(HWND Window) : FWindow(Window), FDC(GetDC(Window)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// BeginPaint on construction, EndPaint on scope exit: the DC of one WM_PAINT.
class TPaintDC {
 public:
  explicit TPaintDC(HWND Window) : FWindow(Window) { FDC = BeginPaint(Window, &FPaint); }
  ~TPaintDC() {
    if (FDC) EndPaint(FWindow, &FPaint);
  }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FDC; }
  const PAINTSTRUCT& Paint() const { return FPaint; }

 private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC = nullptr;
};
