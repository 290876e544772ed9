// A skinned window resized step by step beside the same window with the platform's own frame,
// and the show animation's frames (Windows; under Wine on Linux).
//
// Resize: an 800 x 600 window grows in 40 steps to 1200 x 900 and shrinks back in 40; each step
// sets the size and lets the paint messages run (frame and client), so a step is one frame the
// user sees. Rounds alternate between the skinned and the platform window so that a change of
// machine load hits both alike; medians are compared.
//
// Show animation: one frame is one tick of the transition timer; its cost is measured by calling
// the tick directly on an 800 x 600 window (the timer is not waited for), and the show itself is
// timed with a 1000 ms effect: 50 ticks on the clock, so the frame rate is 50 over the seconds
// it took.
//
// bench_form_win32 [SKIN] [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/graphics/canvas.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr int Steps = 40;
constexpr int AnimationTime = 1000;

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point Start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

// One size step: the size changes and every paint it causes runs.
void SizeTo(HWND Window, int W, int H) {
  SetWindowPos(Window, nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(Window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
}

// Milliseconds per step, growing and shrinking.
double ResizeRound(HWND Window) {
  SizeTo(Window, 800, 600);
  const auto Start = Clock::now();
  for (int I = 1; I <= Steps; ++I) SizeTo(Window, 800 + 400 * I / Steps, 600 + 300 * I / Steps);
  for (int I = Steps - 1; I >= 0; --I) SizeTo(Window, 800 + 400 * I / Steps, 600 + 300 * I / Steps);
  return MsSince(Start) / (2 * Steps);
}

std::unique_ptr<TForm> MakeWindow(bool Skinned, int Left) {
  auto Form = std::make_unique<TForm>();
  Form->SetBounds(Left, 0, 800, 600);
  if (Skinned) new TVxForm(Form.get());
  return Form;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Skin = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

  std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(Skin);
  if (!Theme) {
    std::fprintf(stderr, "bench_form_win32: cannot load %s\n", Skin.c_str());
    return 1;
  }
  SetCurrentTheme(std::move(Theme));
  const bool Themed = IsFormThemed(0, "default", nullptr);

  // [Resize]
  std::unique_ptr<TForm> Skinned = MakeWindow(true, 0), Platform = MakeWindow(false, 0);
  std::vector<double> SkinnedTimes, PlatformTimes;
  for (int Round = 0; Round < Rounds; ++Round) {
    Skinned->Show();
    Application->ProcessMessages();
    SkinnedTimes.push_back(ResizeRound(Skinned->Handle()));
    Skinned->Hide();
    Platform->Show();
    Application->ProcessMessages();
    PlatformTimes.push_back(ResizeRound(Platform->Handle()));
    Platform->Hide();
  }
  std::printf("resize 800 x 600 to 1200 x 900 and back in %d steps each way; %d rounds, medians\n", Steps, Rounds);
  std::printf("theme: %s (%s the window)\n", Skin.c_str(), Themed ? "defines" : "does not define");
  std::printf("%-26s %10s %8s\n", "", "per frame", "ratio");
  const double Reference = Median(PlatformTimes);
  std::printf("%-26s %7.2f ms %8.2f\n", "skinned frame (TVxForm)", Median(SkinnedTimes),
              Median(SkinnedTimes) / Reference);
  std::printf("%-26s %7.2f ms %8.2f\n", "platform frame", Reference, 1.0);
  std::printf("ratio = skinned / platform. Goal: within 2x.\n\n");

  // [Show animation: one frame]
  Skinned->Show();
  Application->ProcessMessages();
  {
    TvxBitmap Old, New;
    Old.SetSize(800, 600);
    New.SetSize(800, 600);
    Old.Fill(0xFF203040);
    New.Fill(0xFFC0A080);
    TvxAnimationRec Settings;
    Settings.SetEnabled(true);
    Settings.SetEffect("Fade");
    Settings.SetTime(9000);
    TCanvas Canvas;
    HDC DC = GetDC(Skinned->Handle());
    Canvas.SetHandle(DC);
    const Integer Slot = AnimateAsync(Canvas, 0, 0, -1, Settings, New, Old);
    std::vector<double> Ticks;
    for (int I = 0; I < 100 && IsAnimating(Slot); ++I) {
      const auto Start = Clock::now();
      AnimationTick();
      GdiFlush();
      Ticks.push_back(MsSince(Start));
    }
    StopAnimation(Slot, false);
    Canvas.SetHandle(nullptr);
    ReleaseDC(Skinned->Handle(), DC);
    std::printf("show animation, one frame (Fade) on an 800 x 600 window: %.2f ms median of %zu frames\n",
                Median(Ticks), Ticks.size());
  }
  Skinned->Hide();
  Application->ProcessMessages();

  // [Show animation: the show itself]
  std::vector<double> Shows;
  for (int Round = 0; Round < std::max(3, Rounds / 2); ++Round) {
    std::unique_ptr<TForm> Animated = MakeWindow(true, 0);
    auto* Frame = static_cast<TVxForm*>(Animated->Components(0));
    Frame->Animation()->SetEffectKind("Fade");
    Frame->Animation()->SetTime(AnimationTime);
    Frame->Animation()->SetEnabled(true);
    const auto Start = Clock::now();
    Animated->Show();
    while (AnyAnimating()) {
      Application->ProcessMessages();
      Sleep(1);
    }
    Shows.push_back(MsSince(Start));
  }
  const double Show = Median(Shows);
  const double Frames = AnimationTime / double(vxAnimationTick);
  std::printf("show animation (Fade, %d ms = %.0f ticks): %.0f ms to show, %.1f frames per second, %.2f ms per frame\n",
              AnimationTime, Frames, Show, Frames * 1000 / Show, Show / Frames);
  std::printf("Goal: a frame within the %d ms tick (the show's pace beyond the frames' cost is the timer's).\n",
              vxAnimationTick);
  RemoveCurrentTheme();
  return 0;
}
