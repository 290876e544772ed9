// Pellan's "Control" test window on the sample skin, in the built-in Flat theme and through the
// generated visual style, beside the same window with no skin loaded (the platform's controls;
// Windows; under Wine on Linux).
//
// Open: what the command does before the user sees the window — the skin saved to the temporary
// file, the window made, the skin loaded back through its theme engine — up to the end of the
// first full paint (every pending paint of the window and all its children has run). The flat
// window is made and its engine chooses the theme "Flat" by name; the window without a skin is
// made and painted the same way, without choosing a theme.
// Repaint: the whole shown window, frame and every child, invalidated and painted again at once
// (RedrawWindow with all children, then the messages it leaves behind), 10 times a round.
// Rounds alternate between the skinned and the plain window so that machine load hits both
// alike; medians are compared.
//
// bench_test_window_win32 [SKIN] [ROUNDS] [STYLE]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "editor/preview/skin_controls_window.h"
#include "framework/ui/application.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_engine.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr int Repaints = 10;

// Every pending paint of Window and its children runs now, and what they post after them.
void PaintPending(HWND Window) {
  RedrawWindow(Window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
}

void RepaintAll(HWND Window) {
  RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  UpdateWindow(Window);
  Application->ProcessMessages();
}

struct TRound {
  double Open = 0, Repaint = 0;
};

// What a round's window is themed with; StyleFile is only read for Style.
enum class TLook { Skin, Flat, Style, Plain };

// One showing: open (skinned: save, make, load; flat: make, choose the theme; style: make, load
// the style file; plain: make) to the first full paint, then the mean of Repaints full repaints;
// the window is freed and no theme is left current.
TRound RunRound(TLook Look, const TDvSkinSource& Skin, const std::string& TempFile, const std::string& StyleFile) {
  TRound Result;
  std::unique_ptr<TfrmTest> Window;
  Result.Open = Milliseconds([&] {
    if (Look == TLook::Skin) Skin.SaveToFile(TempFile);
    Window = std::make_unique<TfrmTest>(nullptr);
    if (Look == TLook::Skin) Window->LoadSkin(TempFile, Skin);
    if (Look == TLook::Flat) Window->VX->SetThemeBuilding("Flat");
    if (Look == TLook::Style) Window->VX->SetThemeFile(StyleFile);
    Window->Show();
    PaintPending(Window->Handle());
  });
  Result.Repaint = Milliseconds([&] {
                     for (int I = 0; I < Repaints; ++I) RepaintAll(Window->Handle());
                   }) /
                   Repaints;
  Window.reset();
  RemoveCurrentTheme();
  Application->ProcessMessages();
  return Result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string SkinFile = argc > 1 ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.kskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::string StyleFile = argc > 3 ? argv[3] : std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample.msstyles";
  RegisterSkinTheme();
  TDvSkinSource Skin;
  try {
    Skin.LoadFromFile(SkinFile);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "bench_test_window_win32: cannot load %s: %s\n", SkinFile.c_str(), E.what());
    return 1;
  }
  const std::string TempFile = (std::filesystem::temp_directory_path() / "bench_temp_skin.mskn").string();

  // One round of each first: the fonts, classes and images the first window loads.
  constexpr TLook Looks[] = {TLook::Skin, TLook::Flat, TLook::Style, TLook::Plain};
  for (const TLook Look : Looks) RunRound(Look, Skin, TempFile, StyleFile);
  std::vector<double> Open[4], Repaint[4];
  for (int Round = 0; Round < Rounds; ++Round)
    for (const TLook Look : Looks) {
      const TRound Result = RunRound(Look, Skin, TempFile, StyleFile);
      Open[int(Look)].push_back(Result.Open);
      Repaint[int(Look)].push_back(Result.Repaint);
    }
  const auto& SkinnedOpen = Open[int(TLook::Skin)];
  const auto& FlatOpen = Open[int(TLook::Flat)];
  const auto& StyleOpen = Open[int(TLook::Style)];
  const auto& PlainOpen = Open[int(TLook::Plain)];
  const auto& SkinnedRepaint = Repaint[int(TLook::Skin)];
  const auto& FlatRepaint = Repaint[int(TLook::Flat)];
  const auto& StyleRepaint = Repaint[int(TLook::Style)];
  const auto& PlainRepaint = Repaint[int(TLook::Plain)];
  bool Themed = false, FlatThemed = false, StyleThemed = false;
  {
    // Whether the skin really framed the window (else the comparison means nothing).
    TfrmTest Probe(nullptr);
    Skin.SaveToFile(TempFile);
    Probe.LoadSkin(TempFile, Skin);
    Themed = IsFormThemed(0, "default", nullptr);
    Probe.VX->SetThemeBuilding("Flat");
    FlatThemed = IsFormThemed(0, "default", nullptr);
    Probe.VX->SetThemeFile(StyleFile);
    StyleThemed = IsFormThemed(0, "default", nullptr);
  }
  RemoveCurrentTheme();
  std::filesystem::remove(TempFile);

  std::printf("controls test window (561 x 516 client), %d rounds, medians\n", Rounds);
  std::printf("skin: %s (%s the window)\n", SkinFile.c_str(), Themed ? "defines" : "does not define");
  std::printf("%-44s %10s %10s %7s\n", "", "skinned", "no skin", "ratio");
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "Control: save, make, load, first full paint", Median(SkinnedOpen),
              Median(PlainOpen), Median(SkinnedOpen) / Median(PlainOpen));
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "full repaint (all children)", Median(SkinnedRepaint),
              Median(PlainRepaint), Median(SkinnedRepaint) / Median(PlainRepaint));
  std::printf("\nFlat theme (%s the window)\n", FlatThemed ? "frames" : "does not frame");
  std::printf("%-44s %10s %10s %7s\n", "", "flat", "no theme", "ratio");
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "Control: make, choose Flat, first full paint", Median(FlatOpen),
              Median(PlainOpen), Median(FlatOpen) / Median(PlainOpen));
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "full repaint (all children)", Median(FlatRepaint),
              Median(PlainRepaint), Median(FlatRepaint) / Median(PlainRepaint));
  std::printf("ratio = themed / no skin or theme. Goal: within 2x.\n");
  std::printf("\nvisual style: %s (%s the window)\n", StyleFile.c_str(), StyleThemed ? "frames" : "does not frame");
  std::printf("%-44s %10s %10s %7s\n", "", "style", "skin", "ratio");
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "Control: make, load the style, first paint", Median(StyleOpen),
              Median(SkinnedOpen), Median(StyleOpen) / Median(SkinnedOpen));
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "full repaint (all children)", Median(StyleRepaint),
              Median(SkinnedRepaint), Median(StyleRepaint) / Median(SkinnedRepaint));
  std::printf("ratio = visual style / sample skin. Goal: repaint within 1.5x.\n");
  return 0;
}
