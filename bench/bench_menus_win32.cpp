// Opening a skinned popup menu of 40 items beside the platform's own popup menu of 40 items
// (Windows; under Wine on Linux), on the sample skin.
//
// Measured: the time from the call (TVxPopupMenu::Popup, TrackPopupMenu) to the moment the
// popup's window has finished its first WM_PAINT. A hook on the thread's sent messages
// (WH_CALLWNDPROCRET) sees that paint return, notes the time and posts Escape, which closes the
// menu; the close is not timed. Both menus paint their first picture through a sent WM_PAINT
// (UpdateWindow after showing), so both are measured at the same point. Rounds alternate
// between the plain skinned popup, the platform's and a skinned popup with blending and shadow,
// so that a change of machine load hits all alike; medians are compared. A closed skinned popup
// keeps its window for the next one with the same effects: "first" is the opening that creates
// it. The goal: the skinned menu opens within one 60 Hz frame (16.7 ms).
//
// bench_menus_win32 [SKIN] [ROUNDS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_popup.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int ItemCount = 40;

// The first paint of a window other than the main form, after the call.
struct TWatch {
  HWND MainForm = nullptr;
  bool Armed = false;
  Clock::time_point Start, Painted;
} Watch;

LRESULT CALLBACK AfterMessage(int Code, WPARAM WParam, LPARAM LParam) {
  const auto* Sent = reinterpret_cast<const CWPRETSTRUCT*>(LParam);
  if (Code == HC_ACTION && Watch.Armed && Sent->message == WM_PAINT && Sent->hwnd != Watch.MainForm) {
    Watch.Painted = Clock::now();
    Watch.Armed = false;
    PostMessageA(Watch.MainForm, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// A menu whose paint the hook never sees (a platform that posts it) is closed after 3 s.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostMessageA(Watch.MainForm, WM_KEYDOWN, VK_ESCAPE, 0); }

// Milliseconds from Open's start to the first paint; the menu has closed when it returns.
double Time(const std::function<void()>& Open) {
  Application->ProcessMessages();
  const UINT_PTR Guard = SetTimer(nullptr, 0, 3000, &GiveUp);
  Watch.Armed = true;
  Watch.Start = Clock::now();
  Open();
  const bool Seen = !Watch.Armed;
  Watch.Armed = false;
  KillTimer(nullptr, Guard);
  Application->ProcessMessages();
  if (!Seen) {
    std::fprintf(stderr, "bench_menus_win32: the menu never painted\n");
    std::exit(1);
  }
  return std::chrono::duration<double, std::milli>(Watch.Painted - Watch.Start).count();
}

std::string Caption(int I) { return "Item number " + std::to_string(I + 1); }

}  // namespace

int main(int argc, char** argv) {
  const std::string Skin = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;

  std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(Skin);
  if (!Theme) {
    std::fprintf(stderr, "bench_menus_win32: cannot load %s\n", Skin.c_str());
    return 1;
  }
  SetCurrentTheme(std::move(Theme));

  TForm Form;
  Form.SetBounds(0, 0, 400, 300);
  Form.Show();
  Watch.MainForm = Form.Handle();

  TVxPopupMenu Skinned(&Form);
  HMENU Platform = CreatePopupMenu();
  for (int I = 0; I < ItemCount; ++I) {
    auto* Item = new TVxItem(&Form);
    const std::string Text = Caption(I);
    Item->SetCaption(std::wstring(Text.begin(), Text.end()));
    if (I < 9) Item->SetShortCut(scCtrl | TShortCut('1' + I));
    Skinned.Items()->Add(Item);
    const std::string Entry = I < 9 ? Text + "\tCtrl+" + std::to_string(I + 1) : Text;
    AppendMenuA(Platform, MF_STRING, UINT_PTR(I + 1), Entry.c_str());
  }
  TVxPopupMenuOptions Effects;
  Effects.Blending()->SetEnabled(true);
  Effects.Blending()->SetValue(220);
  Effects.Shadow()->SetEnabled(true);

  HHOOK Hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &AfterMessage, nullptr, GetCurrentThreadId());
  const int X = 40, Y = 20;
  auto OpenSkinned = [&] { Skinned.Popup(X, Y); };
  auto OpenPlatform = [&] { TrackPopupMenu(Platform, TPM_LEFTALIGN | TPM_TOPALIGN, X, Y, 0, Form.Handle(), nullptr); };
  // The first opening of each, before anything is warm.
  const double FirstSkinned = Time(OpenSkinned), FirstPlatform = Time(OpenPlatform);
  std::vector<double> SkinnedTimes, PlatformTimes, EffectTimes;
  const TVxPopupMenuOptions Plain;
  for (int Round = 0; Round < Rounds; ++Round) {
    SkinnedTimes.push_back(Time(OpenSkinned));
    PlatformTimes.push_back(Time(OpenPlatform));
    Skinned.SetPopupMenuOptions(&Effects);
    EffectTimes.push_back(Time(OpenSkinned));
    Skinned.SetPopupMenuOptions(&Plain);
  }
  UnhookWindowsHookEx(Hook);
  DestroyMenu(Platform);

  const double Reference = Median(PlatformTimes);
  std::printf("open a popup menu of %d items: call to the end of the popup's first WM_PAINT; %d rounds, medians\n",
              ItemCount, Rounds);
  std::printf("theme: %s\n", Skin.c_str());
  std::printf("%-44s %10s %10s %8s\n", "", "median", "first", "ratio");
  std::printf("%-44s %7.2f ms %7.2f ms %8.2f\n", "skinned popup (TVxPopupMenu)", Median(SkinnedTimes), FirstSkinned,
              Median(SkinnedTimes) / Reference);
  std::printf("%-44s %7.2f ms %10s %8.2f\n", "skinned popup, blending 220 and shadow", Median(EffectTimes), "-",
              Median(EffectTimes) / Reference);
  std::printf("%-44s %7.2f ms %7.2f ms %8.2f\n", "platform popup (TrackPopupMenu)", Reference, FirstPlatform, 1.0);
  std::printf("goal: the skinned popup opens within one 60 Hz frame (16.7 ms): %s\n",
              Median(SkinnedTimes) <= 1000.0 / 60 ? "met" : "missed");
  return 0;
}
