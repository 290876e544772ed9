// The MDI client of a skinned MDI parent form, with its window procedure replaced for as long as
// this object lives (internal to the form skinning). Windows only.
#pragma once

#include <windows.h>

class TVxDefaultForm;

class TVxMDIClientHook {
 public:
  // Replaces Client's procedure; Form answers its messages first.
  TVxMDIClientHook(TVxDefaultForm& Form, HWND Client);
  // Gives the procedure back (nothing when the window has gone).
  ~TVxMDIClientHook();
  TVxMDIClientHook(const TVxMDIClientHook&) = delete;
  TVxMDIClientHook& operator=(const TVxMDIClientHook&) = delete;

  HWND Client() const { return FClient; }
  // The replaced procedure.
  LRESULT PassOn(UINT Msg, WPARAM WParam, LPARAM LParam) const;

 private:
  static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id, DWORD_PTR Data);
  LRESULT Message(UINT Msg, WPARAM WParam, LPARAM LParam);

  TVxDefaultForm& FForm;
  HWND FClient;
};
