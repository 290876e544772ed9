#include "framework/ui/timer.h"

#include <windows.h>

#include "framework/ui/object_windows.h"

namespace {
constexpr UINT_PTR TimerId = 1;
}

const TClassInfo& TTimer::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TTimer::Enabled, &TTimer::SetEnabled>("Enabled", 1),
      IntegerProperty<&TTimer::IntervalValue, &TTimer::SetIntervalValue>("Interval", 1000),
  };
  static const TClassInfo Info{"TTimer", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TTimer>};
  return Info;
}

TTimer::TTimer(TComponent* Owner) : TComponent(Owner) {
  FWindow = AllocateHWnd([this](HWND Wnd, TMessage& Message) {
    if (Message.Msg != WM_TIMER) return DefaultUtilityMessage(Wnd, Message);
    if (FRunning && FOnTimer) FOnTimer(this);
  });
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindow);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(FWindow, TimerId);
  FRunning = false;
  if (FEnabled && FInterval != 0 && FOnTimer) {
    if (!SetTimer(FWindow, TimerId, FInterval, nullptr)) throw EOutOfResources("Not enough timers available");
    FRunning = true;
  }
}
