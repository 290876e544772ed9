// TTimer: OnTimer every Interval milliseconds while Enabled, through a utility window's
// WM_TIMER (so it fires from the message loop, never inside other code).
#pragma once

#include "framework/core/component.h"
#include "framework/ui/controls.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* Owner = nullptr);
  ~TTimer() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  // Assigning the handler through SetOnTimer starts the timer when it is otherwise ready.
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

 private:
  void UpdateTimer();
  Integer IntervalValue() const { return Integer(FInterval); }
  void SetIntervalValue(Integer Value) { SetInterval(Cardinal(std::max<Integer>(Value, 0))); }

  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
  HWND FWindow = nullptr;
  bool FRunning = false;
};
