// An MDI parent with 20 children, cascaded and tiled, skinned (the parent's frame and every
// child's frame on the sample skin) beside the same parent and children without skinning
// (Windows; under Wine on Linux).
//
// One arrangement: the MDI client's cascade (or tile), then every paint it leaves behind (frames,
// backgrounds, children) run at once. Each round arranges 5 times and keeps the mean; rounds
// alternate between the skinned and the plain parent so that machine load hits both alike;
// medians are compared.
//
// bench_mdi_win32 [SKIN] [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr int Children = 20;
constexpr int Arrangements = 5;

void PaintPending(HWND Window) {
  RedrawWindow(Window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
}

struct TRound {
  double Cascade = 0, Tile = 0;
};

TRound RunRound(bool Skinned) {
  auto Parent = std::make_unique<TForm>();
  Parent->SetFormStyle(TFormStyle::fsMDIForm);
  Parent->SetBounds(20, 20, 900, 700);
  Parent->SetText("MDI parent");
  if (Skinned) new TVxForm(Parent.get());
  Application->SetMainForm(Parent.get());
  Parent->Show();
  for (int I = 0; I < Children; ++I) {
    auto* Child = new TForm(Parent.get());
    Child->SetFormStyle(TFormStyle::fsMDIChild);
    Child->SetText("Document " + std::to_string(I + 1));
    Child->SetBounds(10 * I, 10 * I, 300, 200);
    if (Skinned) new TVxMDIChild(Child);
    Child->Show();
  }
  PaintPending(Parent->Handle());
  TRound Result;
  Result.Cascade = Milliseconds([&] {
                     for (int I = 0; I < Arrangements; ++I) {
                       Parent->Cascade();
                       PaintPending(Parent->Handle());
                     }
                   }) /
                   Arrangements;
  Result.Tile = Milliseconds([&] {
                  for (int I = 0; I < Arrangements; ++I) {
                    Parent->SetTileMode(I % 2 ? TTileMode::tbVertical : TTileMode::tbHorizontal);
                    Parent->Tile();
                    PaintPending(Parent->Handle());
                  }
                }) /
                Arrangements;
  Application->SetMainForm(nullptr);
  Parent.reset();
  Application->ProcessMessages();
  return Result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string SkinFile = argc > 1 && *argv[1] ? argv[1] : std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.mskn";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  RegisterSkinTheme();
  auto Theme = ThemeManager().LoadThemeFromFile(SkinFile);
  if (!Theme) {
    std::fprintf(stderr, "bench_mdi_win32: cannot load %s\n", SkinFile.c_str());
    return 1;
  }
  SetCurrentTheme(std::move(Theme));
  const bool Themed = IsFormThemed(0, "default", nullptr);

  RunRound(true);
  RunRound(false);
  std::vector<double> SkinnedCascade, PlainCascade, SkinnedTile, PlainTile;
  for (int Round = 0; Round < Rounds; ++Round) {
    const TRound S = RunRound(true);
    SkinnedCascade.push_back(S.Cascade);
    SkinnedTile.push_back(S.Tile);
    const TRound P = RunRound(false);
    PlainCascade.push_back(P.Cascade);
    PlainTile.push_back(P.Tile);
  }
  RemoveCurrentTheme();

  std::printf("MDI parent (900 x 700) with %d children, %d rounds of %d arrangements, medians\n", Children, Rounds,
              Arrangements);
  std::printf("skin: %s (%s forms)\n", SkinFile.c_str(), Themed ? "defines" : "does not define");
  std::printf("%-44s %10s %10s %7s\n", "", "skinned", "plain", "ratio");
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "cascade and paint", Median(SkinnedCascade), Median(PlainCascade),
              Median(SkinnedCascade) / Median(PlainCascade));
  std::printf("%-44s %7.1f ms %7.1f ms %7.2f\n", "tile and paint", Median(SkinnedTile), Median(PlainTile),
              Median(SkinnedTile) / Median(PlainTile));
  std::printf("ratio = skinned / plain. Goal: within 2x.\n");
  return 0;
}
