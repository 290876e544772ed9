// The engine's bitmap draws timed beside a reference doing the same work in the same run. Every
// operation registers "op/vexel" and "op/pixman" (copy also "copy/memcpy"); bench/run reads the
// JSON output and prints the ratios. All targets are 1024 x 1024; throughput counts target bytes.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>

#include "vexel/graphics/vx_bitmap.h"

namespace {

constexpr Integer Side = 1024;
constexpr int64_t TargetBytes = int64_t(Side) * Side * int64_t(sizeof(TvxColor));

using TPixmanImage = std::unique_ptr<pixman_image_t, decltype(&pixman_image_unref)>;

// pixman's a8r8g8b8 has our memory layout, so it can work on a bitmap's own pixels.
TPixmanImage WrapBitmap(const TvxBitmap& B) {
  pixman_image_t* Image = pixman_image_create_bits(PIXMAN_a8r8g8b8, B.Width(), B.Height(),
                                                   reinterpret_cast<uint32_t*>(B.Bits()), B.Width() * 4);
  if (!Image) throw std::runtime_error("pixman_image_create_bits failed");
  return {Image, &pixman_image_unref};
}

void FillRandom(TvxBitmap& B, Integer W, Integer H, uint32_t Seed) {
  B.SetSize(W, H);
  std::mt19937 Rng(Seed);
  for (int64_t I = 0, N = int64_t(W) * H; I < N; ++I) B.Bits()[I] = TvxColor(Rng());
}

// Runs of 1..64 pixels, a quarter of them key, as in a skin image with holes.
void FillWithKeyRuns(TvxBitmap& B, uint32_t Seed) {
  FillRandom(B, Side, Side, Seed);
  std::mt19937 Rng(Seed + 1);
  std::uniform_int_distribution<int64_t> RunLength(1, 64);
  for (int64_t I = 0, N = int64_t(Side) * Side; I < N;) {
    const int64_t End = std::min(N, I + RunLength(Rng));
    const bool Key = Rng() % 4 == 0;
    for (; I < End; ++I)
      if (Key)
        B.Bits()[I] = vxKeyColor;
      else if (IsKeyPixel(B.Bits()[I]))
        B.Bits()[I] ^= 1;
  }
}

// Alphas uniform, except that 0 and 255 each get an eighth, so both shortcuts are exercised.
void FillWithRandomAlphas(TvxBitmap& B, uint32_t Seed) {
  FillRandom(B, Side, Side, Seed);
  std::mt19937 Rng(Seed + 1);
  for (int64_t I = 0, N = int64_t(Side) * Side; I < N; ++I) {
    const uint32_t Pick = Rng() % 8;
    const uint32_t Alpha = Pick == 0 ? 0 : Pick == 1 ? 255 : Rng() % 256;
    B.Bits()[I] = (B.Bits()[I] & 0x00FFFFFF) | (Alpha << 24);
  }
}

TvxColor Premultiplied(TvxColor P) {
  const uint32_t A = PixelAlpha(P);
  auto Channel = [A](uint32_t C) { return (C * A + 127) / 255; };
  return (A << 24) | (Channel(PixelRed(P)) << 16) | (Channel(PixelGreen(P)) << 8) | Channel(PixelBlue(P));
}

// One operation's inputs: our source, pixman's view of the same pixels (converted where the
// formats differ) and a separate target for each side.
struct TCase {
  TvxBitmap Source, PixmanSource, Target, PixmanTarget;
  TPixmanImage PixmanSourceImage{nullptr, &pixman_image_unref};
  TPixmanImage PixmanTargetImage{nullptr, &pixman_image_unref};

  void AddTargets() {
    FillRandom(Target, Side, Side, 7);
    PixmanTarget.Assign(&Target);
    PixmanSourceImage = WrapBitmap(PixmanSource.Empty() ? Source : PixmanSource);
    PixmanTargetImage = WrapBitmap(PixmanTarget);
  }

  // pixman maps target to source coordinates, so the matrix holds source / target.
  void ScaleTo(Integer TargetSide) {
    pixman_transform_t Scale;
    const double Factor = double(Source.Width()) / TargetSide;
    pixman_transform_init_scale(&Scale, pixman_double_to_fixed(Factor), pixman_double_to_fixed(Factor));
    pixman_image_set_transform(PixmanSourceImage.get(), &Scale);
    pixman_image_set_filter(PixmanSourceImage.get(), PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
};

std::unique_ptr<TCase> MakeCopyCase() {
  auto C = std::make_unique<TCase>();
  FillRandom(C->Source, Side, Side, 1);
  C->AddTargets();
  return C;
}

// pixman has no colour key; OVER with key pixels as alpha 0 and the rest opaque is the nearest
// equivalent (its fast path also skips or stores whole groups).
std::unique_ptr<TCase> MakeKeyCase() {
  auto C = std::make_unique<TCase>();
  FillWithKeyRuns(C->Source, 2);
  C->Source.SetTransparent(true);
  C->PixmanSource.Assign(&C->Source);
  for (int64_t I = 0, N = int64_t(Side) * Side; I < N; ++I) {
    TvxColor& P = C->PixmanSource.Bits()[I];
    P = IsKeyPixel(P) ? 0 : P | 0xFF000000;
  }
  C->AddTargets();
  return C;
}

// pixman's OVER works on premultiplied pixels, ours on straight alpha: the comparison is of the
// work done per pixel, not of identical arithmetic.
std::unique_ptr<TCase> MakeBlendCase() {
  auto C = std::make_unique<TCase>();
  FillWithRandomAlphas(C->Source, 3);
  C->Source.SetAlphaBlend(true);
  C->PixmanSource.Assign(&C->Source);
  for (int64_t I = 0, N = int64_t(Side) * Side; I < N; ++I)
    C->PixmanSource.Bits()[I] = Premultiplied(C->PixmanSource.Bits()[I]);
  C->AddTargets();
  return C;
}

template <Integer SourceSide>
std::unique_ptr<TCase> MakeStretchCase() {
  auto C = std::make_unique<TCase>();
  FillRandom(C->Source, SourceSide, SourceSide, 4);
  C->AddTargets();
  C->ScaleTo(Side);
  return C;
}

constexpr Integer TileW = 37, TileH = 29;

std::unique_ptr<TCase> MakeTileCase() {
  auto C = std::make_unique<TCase>();
  FillRandom(C->Source, TileW, TileH, 5);
  C->AddTargets();
  pixman_image_set_repeat(C->PixmanSourceImage.get(), PIXMAN_REPEAT_NORMAL);
  return C;
}

// Built on first use and kept, so that the repeated calls of a benchmark do not regenerate data.
template <std::unique_ptr<TCase> (*Make)()>
TCase& Cached() {
  static const std::unique_ptr<TCase> Case = Make();
  return *Case;
}

void Keep(const TvxBitmap& Target) {
  benchmark::DoNotOptimize(Target.Bits());
  benchmark::ClobberMemory();
}

void SetThroughput(benchmark::State& State) {
  State.SetBytesProcessed(State.iterations() * TargetBytes);
  State.SetItemsProcessed(State.iterations() * int64_t(Side) * Side);
}

// Ours and pixman's side of a same-size draw of the whole source at (0, 0).
void DrawVexel(benchmark::State& State, TCase& C) {
  for (auto _ : State) {
    C.Source.DrawTo(C.Target, 0, 0);
    Keep(C.Target);
  }
  SetThroughput(State);
}

void ComposePixman(benchmark::State& State, TCase& C, pixman_op_t Op) {
  for (auto _ : State) {
    pixman_image_composite32(Op, C.PixmanSourceImage.get(), nullptr, C.PixmanTargetImage.get(), 0, 0, 0, 0, 0, 0, Side,
                             Side);
    Keep(C.PixmanTarget);
  }
  SetThroughput(State);
}

void CopyVexel(benchmark::State& State) { DrawVexel(State, Cached<MakeCopyCase>()); }
void CopyPixman(benchmark::State& State) { ComposePixman(State, Cached<MakeCopyCase>(), PIXMAN_OP_SRC); }

void CopyMemcpy(benchmark::State& State) {
  TCase& C = Cached<MakeCopyCase>();
  for (auto _ : State) {
    std::memcpy(C.PixmanTarget.Bits(), C.Source.Bits(), size_t(TargetBytes));
    Keep(C.PixmanTarget);
  }
  SetThroughput(State);
}

void KeyVexel(benchmark::State& State) { DrawVexel(State, Cached<MakeKeyCase>()); }
void KeyPixman(benchmark::State& State) { ComposePixman(State, Cached<MakeKeyCase>(), PIXMAN_OP_OVER); }

void BlendVexel(benchmark::State& State) { DrawVexel(State, Cached<MakeBlendCase>()); }
void BlendPixman(benchmark::State& State) { ComposePixman(State, Cached<MakeBlendCase>(), PIXMAN_OP_OVER); }

void StretchVexel(benchmark::State& State, TCase& C) {
  for (auto _ : State) {
    C.Source.StretchDrawTo(C.Target, Rect(0, 0, Side, Side), C.Source.BoundsRect());
    Keep(C.Target);
  }
  SetThroughput(State);
}

constexpr auto MakeUpCase = MakeStretchCase<Side / 2>;
constexpr auto MakeDownCase = MakeStretchCase<Side * 2>;
void StretchUpVexel(benchmark::State& State) { StretchVexel(State, Cached<MakeUpCase>()); }
void StretchUpPixman(benchmark::State& State) { ComposePixman(State, Cached<MakeUpCase>(), PIXMAN_OP_SRC); }
void StretchDownVexel(benchmark::State& State) { StretchVexel(State, Cached<MakeDownCase>()); }
void StretchDownPixman(benchmark::State& State) { ComposePixman(State, Cached<MakeDownCase>(), PIXMAN_OP_SRC); }

void TileVexel(benchmark::State& State) {
  TCase& C = Cached<MakeTileCase>();
  for (auto _ : State) {
    C.Source.TileTo(C.Target, Rect(0, 0, Side, Side), Rect(0, 0, TileW, TileH));
    Keep(C.Target);
  }
  SetThroughput(State);
}

void TilePixman(benchmark::State& State) { ComposePixman(State, Cached<MakeTileCase>(), PIXMAN_OP_SRC); }

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("vexel_line_routines", LineRoutines().Name);

  // Each pair is registered together so that both sides run under the same machine load.
  const struct {
    const char* Name;
    void (*Run)(benchmark::State&);
  } Benchmarks[] = {
      {"copy/vexel", CopyVexel},
      {"copy/pixman", CopyPixman},
      {"copy/memcpy", CopyMemcpy},
      {"key/vexel", KeyVexel},
      {"key/pixman", KeyPixman},
      {"blend/vexel", BlendVexel},
      {"blend/pixman", BlendPixman},
      {"stretch_up_x2/vexel", StretchUpVexel},
      {"stretch_up_x2/pixman", StretchUpPixman},
      {"stretch_down_x2/vexel", StretchDownVexel},
      {"stretch_down_x2/pixman", StretchDownPixman},
      {"tile_37x29/vexel", TileVexel},
      {"tile_37x29/pixman", TilePixman},
  };
  for (const auto& B : Benchmarks) benchmark::RegisterBenchmark(B.Name, B.Run)->Unit(benchmark::kMicrosecond);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
