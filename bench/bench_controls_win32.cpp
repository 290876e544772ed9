// Skinned controls beside the platform's own, in one run (Windows; under Wine on Linux). Each
// set is repainted through the paint message (invalidate, then update) on a shown window:
// - 200 horizontal scroll bars of 180 x 17: TVxScrollBar through the skin theme in each
//   buffering mode, and the platform's "SCROLLBAR" class with the same ranges and positions;
// - a form of 100 push buttons of 75 x 25 and 20 track bars of 150 x 45: TVxButton and
//   TVxTrackBar through the skin theme, and the platform's "BUTTON" and "msctls_trackbar32".
// Rounds alternate between the variants so that a change of machine load hits them alike;
// medians are compared.
//
// bench_controls_win32 [SKIN] [ROUNDS]
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/controls/vx_trackbar.h"
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

void ScrollBars(const std::string& Skin, int Rounds) {
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
  std::printf("ratio = skinned / platform (< 1 means ours is faster). Goal: within 2x.\n\n");
}

constexpr int ButtonCount = 100, ButtonColumns = 10, TrackCount = 20, TrackColumns = 5;

TRect ButtonSlot(int I) { return Bounds(10 + (I % ButtonColumns) * 80, 10 + (I / ButtonColumns) * 30, 75, 25); }
TRect TrackSlot(int I) { return Bounds(10 + (I % TrackColumns) * 155, 320 + (I / TrackColumns) * 50, 150, 45); }

void ButtonsAndTrackBars(const std::string& Skin, int Rounds) {
  TForm Form;
  Form.SetBounds(0, 0, 820, 560);
  Form.Show();
  auto* Skinned = new TCustomControl(&Form);
  Skinned->SetBounds(0, 0, 820, 530);
  Skinned->SetParent(&Form);
  for (int I = 0; I < ButtonCount; ++I) {
    auto* B = new TVxButton(&Form);
    B->SetBoundsRect(ButtonSlot(I));
    B->SetCaption("Button " + std::to_string(I + 1));
    B->SetParent(Skinned);
  }
  for (int I = 0; I < TrackCount; ++I) {
    auto* T = new TVxTrackBar(&Form);
    T->SetBoundsRect(TrackSlot(I));
    T->SetPosition(I % 11);
    T->SetParent(Skinned);
  }
  const bool Themed = IsButtonThemed(0, "default", nullptr) && IsTrackBarThemed(0, "default", nullptr);

  INITCOMMONCONTROLSEX Init{sizeof Init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&Init);
  auto* Platform = new TCustomControl(&Form);
  Platform->SetBounds(0, 0, 820, 530);
  Platform->SetParent(&Form);
  Platform->Hide();
  HWND PlatformHost = Platform->Handle();
  for (int I = 0; I < ButtonCount; ++I) {
    const TRect R = ButtonSlot(I);
    const std::string Caption = "Button " + std::to_string(I + 1);
    CreateWindowA("BUTTON", Caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, R.Left, R.Top, R.Width(),
                  R.Height(), PlatformHost, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  for (int I = 0; I < TrackCount; ++I) {
    const TRect R = TrackSlot(I);
    HWND Track = CreateWindowA(TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, R.Left, R.Top, R.Width(),
                               R.Height(), PlatformHost, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(Track, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    SendMessageA(Track, TBM_SETPOS, TRUE, I % 11);
  }
  Application->ProcessMessages();

  std::vector<double> Times[2];
  for (int Round = 0; Round < Rounds; ++Round) {
    Skinned->Show();
    Application->ProcessMessages();
    Times[0].push_back(Repaint(Skinned->Handle()));
    Skinned->Hide();
    Platform->Show();
    Application->ProcessMessages();
    Times[1].push_back(Repaint(PlatformHost));
    Platform->Hide();
  }
  const double Ours = Median(Times[0]), Reference = Median(Times[1]);
  std::printf("%d push buttons of 75 x 25 and %d track bars of 150 x 45 repainted through the paint message; %d rounds, "
              "medians\n",
              ButtonCount, TrackCount, Rounds);
  std::printf("theme: %s (%s the button and the track bar)\n", Skin.c_str(), Themed ? "defines" : "does not define");
  std::printf("%-26s %7.2f ms %8.2f\n", "skinned, double buffer", Ours, Ours / Reference);
  std::printf("%-26s %7.2f ms %8.2f\n", "platform BUTTON, trackbar", Reference, 1.0);
  std::printf("ratio = skinned / platform (< 1 means ours is faster). Goal: within 2x.\n");
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
  ScrollBars(Skin, Rounds);
  ButtonsAndTrackBars(Skin, Rounds);
  RemoveCurrentTheme();
  return 0;
}
