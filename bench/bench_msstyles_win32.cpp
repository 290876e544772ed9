// Loading a visual-style file as a theme beside what it cannot avoid: reading the same bytes
// from disk and decoding its images alone (Windows; under Wine on Linux).
//
// Load: a new TVxThemeMsStyles, LoadFromFile: the module read and checked, the lists, the ini
// text, every image decoded and masked, the 98 objects built, the pristine copy kept, the tables.
// Decode alone: the file read and its resources found, then every bitmap resource decoded into an
// engine bitmap, nothing else. Rounds alternate so that machine load hits both alike; medians.
//
// bench_msstyles_win32 [STYLE] [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/msstyles/msux_parse.h"
#include "vexel/msstyles/theme_msux.h"

namespace {

// Every bitmap resource decoded; the number of images.
size_t DecodeAlone(const std::string& FileName) {
  const TmsuxModule Module(FileName);
  const std::vector<std::string> Names = Module.Names(TmsuxResId::Id(msuxRtBitmap));
  for (const std::string& Name : Names) {
    const auto Data = Module.Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named(Name));
    TvxBitmap Image;
    if (Data) LoadPackedDib(Image, *Data);
  }
  return Names.size();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string File = argc > 1 ? argv[1] : std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample100.msstyles";
  const int Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
  size_t Images = 0, Loaded = 0;
  try {
    Images = DecodeAlone(File);
    TVxThemeMsStyles Probe;
    if (!Probe.LoadFromFile(File)) throw Exception("its lists name no ini text");
    Loaded = size_t(Probe.StyleImages().Count());
  } catch (const std::exception& E) {
    std::fprintf(stderr, "bench_msstyles_win32: cannot load %s: %s\n", File.c_str(), E.what());
    return 1;
  }
  std::vector<double> Load, Decode;
  for (int Round = 0; Round < Rounds; ++Round) {
    Load.push_back(Milliseconds([&] {
      TVxThemeMsStyles Theme;
      Theme.LoadFromFile(File);
    }));
    Decode.push_back(Milliseconds([&] { DecodeAlone(File); }));
  }
  std::printf("visual style: %s, %zu bitmap resources, %zu images in the theme, %d rounds, medians\n", File.c_str(),
              Images, Loaded, Rounds);
  std::printf("%-44s %10s %10s %7s\n", "", "theme", "decode", "ratio");
  std::printf("%-44s %7.2f ms %7.2f ms %7.2f\n", "LoadFromFile beside read + decode images", Median(Load),
              Median(Decode), Median(Load) / Median(Decode));
  std::printf("ratio = theme load / decoding alone. Goal: within 2x.\n");
  return 0;
}
