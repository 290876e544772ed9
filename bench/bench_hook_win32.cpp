// The cost of window hooks per message (Windows; under Wine on Linux): a framework panel on a
// form answers SendMessage(WM_NULL) many thousand times while two hooks hook it, and the same
// panel answers the same messages unhooked. Rounds alternate between the two, so that a change
// of machine load hits both alike; the medians are compared. For scale it also times one
// window-property look-up, the price of finding a hook through its window on every message.
//
// bench_hook_win32 [ROUNDS] [MESSAGES-PER-ROUND]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "framework/ui/panel.h"
#include "vexel/forms/vx_hook.h"

namespace {

// A hook with nothing of its own to do: what every message pays is the hooking itself.
class TPlainHook : public TVxHook {
 public:
  using TVxHook::SetHookedControl;
};

double Seconds() {
  static LARGE_INTEGER Frequency = [] {
    LARGE_INTEGER F;
    QueryPerformanceFrequency(&F);
    return F;
  }();
  LARGE_INTEGER Now;
  QueryPerformanceCounter(&Now);
  return double(Now.QuadPart) / double(Frequency.QuadPart);
}

// This thread's processor time (user and kernel): unlike the clock it leaves out the time spent
// waiting for other processes (under Wine, the server that answers window-property look-ups).
double ThreadSeconds() {
  FILETIME Created, Exited, Kernel, User;
  GetThreadTimes(GetCurrentThread(), &Created, &Exited, &Kernel, &User);
  auto Ticks = [](const FILETIME& T) { return (uint64_t(T.dwHighDateTime) << 32) | T.dwLowDateTime; };
  return double(Ticks(Kernel) + Ticks(User)) * 100e-9;
}

// Nanoseconds per message, one round of Count messages; adds the round's processor time to Cpu.
double Round(HWND Wnd, int Count, double& Cpu) {
  const double Start = Seconds(), StartCpu = ThreadSeconds();
  for (int I = 0; I < Count; ++I) SendMessageA(Wnd, WM_NULL, 0, 0);
  Cpu += ThreadSeconds() - StartCpu;
  return (Seconds() - Start) / Count * 1e9;
}

// Nanoseconds per window-property look-up: what finding a hook through the window would cost
// each message on top.
double PropertyRound(HWND Wnd, int Count) {
  volatile HANDLE Sink = nullptr;
  const double Start = Seconds();
  for (int I = 0; I < Count; ++I) Sink = GetPropA(Wnd, "BenchProbe");
  (void)Sink;
  return (Seconds() - Start) / Count * 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  const int Rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const int Count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5000;

  TForm Form;
  Form.SetBounds(0, 0, 320, 240);
  auto* Panel = new TPanel(&Form);
  Panel->SetBounds(8, 8, 200, 100);
  Panel->SetParent(&Form);
  const HWND Wnd = Panel->Handle();
  const void* FrameworkProc = reinterpret_cast<void*>(GetWindowLongPtrA(Wnd, GWLP_WNDPROC));

  TPlainHook First, Second;
  First.SetActive(false);
  Second.SetActive(false);
  First.SetHookedControl(Panel);
  Second.SetHookedControl(Panel);

  SetPropA(Wnd, "BenchProbe", reinterpret_cast<HANDLE>(1));
  double PlainCpu = 0, HookedCpu = 0;
  Round(Wnd, Count, PlainCpu);  // warm-up
  PlainCpu = 0;
  std::vector<double> Plain, Hooked, Property;
  for (int R = 0; R < Rounds; ++R) {
    Plain.push_back(Round(Wnd, Count, PlainCpu));
    First.SetActive(true);
    Second.SetActive(true);
    if (!First.ControlHook() || GetWindowLongPtrA(Wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FrameworkProc)) {
      std::fprintf(stderr, "the hooks did not install\n");
      return 1;
    }
    Hooked.push_back(Round(Wnd, Count, HookedCpu));
    Second.SetActive(false);
    First.SetActive(false);
    Application->ProcessMessages();  // frees the empty control hook
    Property.push_back(PropertyRound(Wnd, Count));
  }
  RemovePropA(Wnd, "BenchProbe");

  const double P = Median(Plain), H = Median(Hooked);
  std::printf("window hooks: SendMessage(WM_NULL) to a framework panel, %d rounds of %d messages, median\n", Rounds,
              Count);
  std::printf("%-28s %9.1f ns/message\n", "unhooked", P);
  std::printf("%-28s %9.1f ns/message\n", "hooked by two TVxHooks", H);
  std::printf("%-28s %9.1f ns/message\n", "difference", H - P);
  std::printf("%-28s %9.2f   (goal: within 1.20)\n", "hooked / unhooked", H / P);
  const double Messages = double(Rounds) * Count;
  const double PC = PlainCpu / Messages * 1e9, HC = HookedCpu / Messages * 1e9;
  std::printf("processor time of this thread, all rounds (resolution of the system's clock):\n");
  std::printf("%-28s %9.1f ns/message\n", "unhooked", PC);
  std::printf("%-28s %9.1f ns/message\n", "hooked by two TVxHooks", HC);
  std::printf("%-28s %9.2f\n", "hooked / unhooked", PC > 0 ? HC / PC : 0.0);
  std::printf("for scale: one window-property look-up (GetPropA) %.1f ns\n", Median(Property));
  return 0;
}
