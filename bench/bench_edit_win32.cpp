// Typing into the skinned edit (through the skin theme) beside the platform's "EDIT" control:
// 10,000 characters are sent one WM_CHAR at a time, each followed by UpdateWindow, so a key's
// time includes its repaint. Reported per key over the first 100 keys (text of 0..100
// characters) and over the last 100 (9,900..10,000): the time per key must not grow with text
// that cannot show. Runs alternate between the two edits; medians are compared.
//
// bench_edit_win32 [SKIN] [ROUNDS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr int Keys = 10000, Window = 100;
using Clock = std::chrono::steady_clock;

struct TKeyTimes {
  double Early = 0, Late = 0;  // microseconds per key
};

// Types Keys characters into Wnd, timing the first and last Window keys.
TKeyTimes Type(HWND Wnd) {
  TKeyTimes T;
  for (int I = 0; I < Keys; ++I) {
    const auto Start = Clock::now();
    SendMessageA(Wnd, WM_CHAR, WPARAM('a' + I % 26), 0);
    UpdateWindow(Wnd);
    const double Us = std::chrono::duration<double, std::micro>(Clock::now() - Start).count();
    if (I < Window) T.Early += Us;
    if (I >= Keys - Window) T.Late += Us;
  }
  T.Early /= Window;
  T.Late /= Window;
  return T;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string Skin = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(Skin);
  if (!Theme) {
    std::fprintf(stderr, "bench_edit_win32: cannot load %s\n", Skin.c_str());
    return 1;
  }
  SetCurrentTheme(std::move(Theme));
  TForm Form;
  Form.SetBounds(0, 0, 400, 120);
  Form.Show();
  std::vector<double> Ours[2], Platform[2];
  for (int R = 0; R < Rounds; ++R) {
    {
      auto* E = new TVxEdit(&Form);
      E->SetBounds(10, 10, 300, 21);
      E->SetParent(&Form);
      E->HandleNeeded();
      const TKeyTimes T = Type(E->Handle());
      Ours[0].push_back(T.Early);
      Ours[1].push_back(T.Late);
      if (int(E->WideText().size()) != Keys) std::fprintf(stderr, "skinned edit holds %zu characters\n", E->WideText().size());
      delete E;
    }
    {
      HWND P = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 40, 300, 21,
                               Form.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
      SendMessageA(P, EM_LIMITTEXT, Keys + 10, 0);
      SendMessageA(P, WM_SETFONT, WPARAM(Form.Font()->Handle()), 0);
      const TKeyTimes T = Type(P);
      Platform[0].push_back(T.Early);
      Platform[1].push_back(T.Late);
      DestroyWindow(P);
    }
    Application->ProcessMessages();
  }
  std::printf("typing %d characters, time per key with its repaint (median of %d runs)\n", Keys, Rounds);
  std::printf("%-28s %12s %12s\n", "", "at 0..100", "at 9900..10000");
  std::printf("%-28s %9.1f us %9.1f us\n", "skinned edit (skin theme)", Median(Ours[0]), Median(Ours[1]));
  std::printf("%-28s %9.1f us %9.1f us\n", "platform EDIT", Median(Platform[0]), Median(Platform[1]));
  std::printf("%-28s %12.2f %12.2f\n", "ratio", Median(Ours[0]) / Median(Platform[0]), Median(Ours[1]) / Median(Platform[1]));
  std::printf("growth, skinned %.2fx, platform %.2fx\n", Median(Ours[1]) / Median(Ours[0]),
              Median(Platform[1]) / Median(Platform[0]));
  return 0;
}
