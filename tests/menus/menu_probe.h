// Driving a menu's tracking loop from a test: steps queued before the loop starts run inside it,
// one message at a time, in order with the keys they post; and the popup windows shown now.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "framework/ui/object_windows.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_popup.h"

// Runs queued steps one message at a time: a step's own posted messages (a key, a click) come
// before the next step, so inside a tracking loop every step sees the effect of the one before.
// A waiting step is tried again from a timer, so the loop's own timers get their turn meanwhile.
class TProbe {
 public:
  TProbe() {
    FWnd = AllocateHWnd([this](HWND Wnd, TMessage& M) {
      if (M.Msg == WM_TIMER) {
        KillTimer(FWnd, 1);
        PostMessageA(FWnd, WM_APP, 0, 0);
        return;
      }
      if (M.Msg != WM_APP) return DefaultUtilityMessage(Wnd, M);
      if (!FQueue.front()()) {
        SetTimer(FWnd, 1, 15, nullptr);
        return;
      }
      FQueue.pop_front();
      if (!FQueue.empty()) PostMessageA(FWnd, WM_APP, 0, 0);
    });
  }
  ~TProbe() { DeallocateHWnd(FWnd); }
  void Post(std::function<void()> Fn) {
    Queue([Fn] {
      Fn();
      return true;
    });
  }
  // Waits until Done answers true, at most Ms milliseconds (then fails the test and goes on).
  void Wait(std::function<bool()> Done, int Ms = 2000) {
    auto Deadline = std::make_shared<DWORD>(0);
    Queue([Done, Deadline, Ms] {
      if (!*Deadline) *Deadline = GetTickCount() + DWORD(Ms);
      if (Done()) return true;
      if (int(GetTickCount() - *Deadline) < 0) return false;
      ADD_FAILURE() << "waited in vain";
      return true;
    });
  }
  bool Empty() const { return FQueue.empty(); }

 private:
  void Queue(std::function<bool()> Step) {
    FQueue.push_back(std::move(Step));
    if (FQueue.size() == 1) PostMessageA(FWnd, WM_APP, 0, 0);
  }

  HWND FWnd;
  std::deque<std::function<bool()>> FQueue;
};

inline BOOL CALLBACK CollectPopup(HWND Wnd, LPARAM Out) {
  if (auto* W = dynamic_cast<TVxPopupWindow*>(TWinControl::FindControl(Wnd)); W && IsWindowVisible(Wnd))
    reinterpret_cast<std::vector<TVxPopupWindow*>*>(Out)->push_back(W);
  return TRUE;
}

// Every popup window shown now, outermost first.
inline std::vector<TVxPopupWindow*> ShownPopups() {
  std::vector<TVxPopupWindow*> All;
  EnumThreadWindows(GetCurrentThreadId(), &CollectPopup, reinterpret_cast<LPARAM>(&All));
  std::vector<TVxPopupWindow*> Chain;
  // The outermost popup was opened by no popup (by nothing, or by a bar).
  for (TVxPopupWindow* W : All)
    if (std::none_of(All.begin(), All.end(), [W](TVxPopupWindow* O) { return O->View() == W->View()->ParentView(); }))
      Chain.push_back(W);
  while (!Chain.empty() && Chain.back()->View()->ChildView())
    for (TVxPopupWindow* W : All)
      if (W->View() == Chain.back()->View()->ChildView()) {
        Chain.push_back(W);
        break;
      }
  return Chain;
}

inline TVxPopupView* Innermost() {
  const auto Chain = ShownPopups();
  return Chain.empty() ? nullptr : Chain.back()->View();
}
