// One transition frame on an 800 x 600 image beside a plain copy of that image (Windows; under
// Wine on Linux). A frame is what a tick renders before drawing: the old image into the work
// image, the effect's mask (or cells, or drawing) for 50 %, the blend of the new image. One effect
// of each kind; fade kinds at the default cell size of 1 pixel and at 4 pixels. Frames and copies
// alternate so that a change of machine load hits both alike; the medians are compared.
//
// bench_effect_win32 [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "framework/graphics/bitmap.h"
#include "vexel/graphics/vx_effect_transition.h"

namespace {

constexpr Integer Width = 800, Height = 600;

struct TCase {
  const char* Label;
  const char* Effect;
  Integer Resolution;
};

}  // namespace

int main(int argc, char** argv) {
  const int Rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
  TvxBitmap Old, New, Copy;
  Old.SetSize(Width, Height);
  New.SetSize(Width, Height);
  Copy.SetSize(Width, Height);
  for (Integer Y = 0; Y < Height; ++Y)
    for (Integer X = 0; X < Width; ++X) {
      *Old.PixelPtr(X, Y) = 0xFF000000 | TvxColor(X * 7 ^ Y * 3);
      *New.PixelPtr(X, Y) = 0xFF000000 | TvxColor(X * 131 + Y * 17) << 4;
    }
  TBitmap Mask;
  Mask.SetPixelFormat(TPixelFormat::pf32bit);
  Mask.SetSize(256, 256);
  for (Integer Y = 0; Y < 256; ++Y)
    for (Integer X = 0; X < 256; ++X) static_cast<TvxColor*>(Mask.ScanLine(Y))[X] = TvxColor((X + Y) / 2);

  const TCase Cases[] = {
      {"fade: Fade", "[ FADE ] - Fade", 1},
      {"fade: CircleSmoothOut", "[ FADE ] - CircleSmoothOut", 1},
      {"fade: CircleSmoothOut r4", "[ FADE ] - CircleSmoothOut", 4},
      {"slide: Interlace", "[ SLIDE ] - Interlace", 1},
      {"slide: Interlace r4", "[ SLIDE ] - Interlace", 4},
      {"manual: Push", "[ MANUAL ] - Push", 1},
      {"bitmap", "[ BITMAP ] - Bitmap Animation", 1},
  };
  std::printf("one frame at 50 %% on %d x %d pixels beside a copy of the image (memcpy); median of %d rounds\n", Width,
              Height, Rounds);
  std::printf("%-26s %10s %10s %8s\n", "effect", "frame", "copy", "ratio");
  bool AllWithin = true;
  for (const TCase& C : Cases) {
    TvxAnimationRec Settings;
    Settings.SetEffect(C.Effect);
    Settings.SetResolution(C.Resolution);
    Settings.SetBitmap(&Mask);
    TvxTransition T;
    if (!T.Start(Settings, New, Old)) {
      std::printf("%-26s did not start\n", C.Label);
      AllWithin = false;
      continue;
    }
    std::vector<double> Frames, Copies;
    TvxTimer Timer;
    for (int R = 0; R < Rounds + 3; ++R) {
      Timer.Start();
      T.RenderFrame(50);
      Timer.Stop();
      const double Frame = Timer.Elapsed();
      Timer.Start();
      std::memcpy(Copy.Bits(), Old.Bits(), size_t(Width) * Height * sizeof(TvxColor));
      Timer.Stop();
      if (R < 3) continue;  // warm-up: first touches of the buffers and the shape's distance map
      Frames.push_back(Frame);
      Copies.push_back(Timer.Elapsed());
    }
    const double Frame = Median(Frames) * 1000, CopyTime = Median(Copies) * 1000;
    const double Ratio = Frame / CopyTime;
    AllWithin = AllWithin && Ratio <= 4;
    std::printf("%-26s %7.0f us %7.0f us %8.2f%s\n", C.Label, Frame, CopyTime, Ratio, Ratio <= 4 ? "" : "  over 4x");
  }
  std::printf("goal: a frame within 4x of the copy: %s\n", AllWithin ? "met by every case" : "not met by every case");
  return 0;
}
