// Skinned scroll bars beside the platform's own, in one run (Windows; under Wine on Linux).
// 200 horizontal bars of 180 x 17 on a shown 800 x 600 window are repainted through the paint
// message (invalidate, then update): TVxScrollBar through the skin theme in each buffering mode,
// and the platform's "SCROLLBAR" window class with the same ranges and positions. Rounds
// alternate between all four so that a change of machine load hits them alike; medians are
// compared.
//
// bench_controls_win32 [SKIN] [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr int BarCount = 200, Columns = 4, BarWidth = 180, BarHeight = 17;

using Clock = std::chrono::steady_clock;

// Invalidates the whole host (children included) and lets the paint messages run; milliseconds.
double Repaint(HWND Host) {
  const auto Start = Clock::now();
  RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

TRect Slot(int I) {
  return Bounds(10 + (I % Columns) * (BarWidth + 10), 10 + (I / Columns) * (BarHeight + 1), BarWidth, BarHeight);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Skin = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;

  std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(Skin);
  if (!Theme) {
    std::fprintf(stderr, "bench_controls_win32: cannot load %s\n", Skin.c_str());
    return 1;
  }
  SetCurrentTheme(std::move(Theme));

  TForm Form;
  Form.SetBounds(0, 0, 800, 1000);
  Form.Show();
  auto* Skinned = new TCustomControl(&Form);
  Skinned->SetBounds(0, 0, 800, 950);
  Skinned->SetParent(&Form);
  std::vector<TVxScrollBar*> Bars;
  for (int I = 0; I < BarCount; ++I) {
    auto* Bar = new TVxScrollBar(&Form);
    Bar->SetBoundsRect(Slot(I));
    Bar->SetMax(100 + I);
    Bar->SetPageSize(10 + I % 30);
    Bar->SetPosition(I % 90);
    Bar->SetParent(Skinned);
    Bars.push_back(Bar);
  }
  const bool Themed = IsScrollBarThemed(0, "default", nullptr);

  // The platform's bars on a second host of the same size, shown in the same place in turn.
  auto* Platform = new TCustomControl(&Form);
  Platform->SetBounds(0, 0, 800, 950);
  Platform->SetParent(&Form);
  Platform->Hide();
  HWND PlatformHost = Platform->Handle();
  for (int I = 0; I < BarCount; ++I) {
    const TRect R = Slot(I);
    HWND Bar = CreateWindowA("SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, R.Left, R.Top, R.Width(), R.Height(),
                             PlatformHost, nullptr, GetModuleHandleA(nullptr), nullptr);
    SCROLLINFO Info{sizeof Info, SIF_ALL, 0, 100 + I, UINT(10 + I % 30), I % 90, 0};
    SetScrollInfo(Bar, SB_CTL, &Info, FALSE);
  }
  Application->ProcessMessages();

  const TVxPerformance Modes[] = {TVxPerformance::zqpNoBuffer, TVxPerformance::zqpSharedBuffer,
                                  TVxPerformance::zqpDoubleBuffer};
  const char* ModeNames[] = {"no buffer", "shared buffer", "double buffer"};
  std::vector<double> Times[4];
  for (int Round = 0; Round < Rounds; ++Round) {
    for (int M = 0; M < 3; ++M) {
      for (TVxScrollBar* Bar : Bars) Bar->SetPerformance(Modes[M]);
      Skinned->Show();
      Application->ProcessMessages();
      Times[M].push_back(Repaint(Skinned->Handle()));
    }
    Skinned->Hide();
    Platform->Show();
    Application->ProcessMessages();
    Times[3].push_back(Repaint(PlatformHost));
    Platform->Hide();
  }

  const double Reference = Median(Times[3]);
  std::printf("200 scroll bars of %d x %d repainted through the paint message; %d rounds, medians\n", BarWidth,
              BarHeight, Rounds);
  std::printf("theme: %s (%s the scroll bar)\n", Skin.c_str(), Themed ? "defines" : "does not define");
  std::printf("%-26s %10s %8s\n", "", "time", "ratio");
  for (int M = 0; M < 3; ++M)
    std::printf("skinned, %-17s %7.2f ms %8.2f\n", ModeNames[M], Median(Times[M]), Median(Times[M]) / Reference);
  std::printf("%-26s %7.2f ms %8.2f\n", "platform SCROLLBAR", Reference, 1.0);
  std::printf("ratio = skinned / platform (< 1 means ours is faster). Goal: within 2x.\n");
  RemoveCurrentTheme();
  return 0;
}
