// The built-in effects: mask procedures at cell resolution and the few that move the new image.
//
// Most fade-kind effects are a shape: a distance D(x, y) in [0, 1) of each cell from where the
// shape starts, the same for every frame and kept per size. A frame reveals the cells with
// D < t, t = Factor * p / 100, in one of three styles: Slide (255, a hard edge), Fade (p * 255 / 100)
// or Smooth (a gradient from min(255, 2p % of 255) where the shape starts down to 0 at the moving
// edge, 255 everywhere at p = 100). An In effect paints the Out shape for 100 - p and inverts it.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "vexel/graphics/vx_effect_cells.h"
#include "vexel/graphics/vx_effect_internal.h"
#include "vexel/graphics/vx_effect_rows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// [Values] --------------------------------------------------------------------------------------

Byte FadeValue(Integer P) { return Byte(P * 255 / 100); }
Byte SmoothPeak(Integer P) { return Byte(std::min(255, 2 * P * 255 / 100)); }

// Repeats for equal seeds on every platform.
class TSeededRandom {
 public:
  explicit TSeededRandom(uint32_t Seed) : FState(Seed) {}
  uint32_t Next(uint32_t Range) {
    FState = FState * 134775813u + 1;
    return uint32_t((uint64_t(FState) * Range) >> 32);
  }

 private:
  uint32_t FState;
};

// [Shapes] Distances from where each shape starts, for the cell whose centre is (X, Y).

float DiagonalDistance(float X, float Y, float W, float H) { return (X / W + Y / H) / 2; }
float DiagonalBandDistance(float X, float Y, float W, float H) { return std::fabs(X / W - Y / H); }
float MiddleRowsDistance(float, float Y, float, float H) { return std::fabs(Y - H / 2) / (H / 2); }
float CrossDistance(float X, float Y, float W, float H) {
  return std::min(std::fabs(X - W / 2) / (W / 2), std::fabs(Y - H / 2) / (H / 2));
}
float RectDistance(float X, float Y, float W, float H) {
  return std::max(std::fabs(X - W / 2) / (W / 2), std::fabs(Y - H / 2) / (H / 2));
}
float CentreDiscDistance(float X, float Y, float W, float H) {
  return std::hypot(X - W / 2, Y - H / 2) / (std::hypot(W, H) / 2);
}
float CornerDiscDistance(float X, float Y, float W, float H) { return std::hypot(X, H - Y) / std::hypot(W, H); }
float DiamondDistance(float X, float Y, float W, float H) {
  return std::fabs(X - W / 2) / W + std::fabs(Y - H / 2) / H;
}
// A line from the bottom-left corner to a point that runs up the right edge and then left along
// the top edge: the share of that path (W + H steps) at which the line passes the cell.
float SweepDistance(float X, float Y, float W, float H) {
  const float U = X, V = H - Y;
  const float Steps = V * W <= H * U ? V * W / U : W + H - H * U / V;
  return Steps / (W + H);
}

using TDistance = float (*)(float, float, float, float);

template <TDistance Distance>
const std::vector<float>& DistanceMap(Integer W, Integer H) {
  static Integer CachedW = -1, CachedH = -1;
  static std::vector<float> Map;
  if (W != CachedW || H != CachedH) {
    Map.resize(size_t(W) * size_t(H));
    for (Integer Y = 0; Y < H; ++Y)
      for (Integer X = 0; X < W; ++X)
        Map[size_t(Y) * size_t(W) + size_t(X)] = std::clamp(Distance(X + 0.5f, Y + 0.5f, float(W), float(H)), 0.f, 1.f);
    CachedW = W;
    CachedH = H;
  }
  return Map;
}

enum class TStyle { Smooth, Slide, Fade };

// Mask := Value where D < T, else 0; with a Slope, Value falls by Slope * D (the smooth edge).
void PaintBelow(Byte* Mask, const float* D, size_t Count, float T, float Value, float Slope) {
  EffectRows().Level(Mask, D, Count, T, Value, Slope);
}

// Factor10: the reach at p = 100 in tenths (Smooth circles reach 90 %, 150 %, diamonds 250 %).
template <TStyle Style>
void PaintShape(Byte* Mask, const std::vector<float>& D, Integer P, Integer Factor10) {
  const size_t Count = D.size();
  const float T = float(Factor10) * float(P) / 1000.f;
  if (Style != TStyle::Smooth)
    return PaintBelow(Mask, D.data(), Count, T, Style == TStyle::Slide ? 255 : FadeValue(P), 0);
  if (P >= 100) {
    std::memset(Mask, 255, Count);
    return;
  }
  if (P <= 0) return;
  const float Peak = SmoothPeak(P);
  PaintBelow(Mask, D.data(), Count, T, Peak, Peak / T);
}

template <TDistance Distance, TStyle Style, Integer Factor10, bool Inverse>
void ShapeEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  const std::vector<float>& D = DistanceMap<Distance>(W, H);
  if (!Inverse) return PaintShape<Style>(Mask, D, P, Factor10);
  PaintShape<Style>(Mask, D, 100 - P, Factor10);
  const Byte Value = Style == TStyle::Fade ? FadeValue(P) : Byte(255);
  const size_t Count = D.size();
  if (Style == TStyle::Smooth)
    for (size_t I = 0; I < Count; ++I) Mask[I] = Byte(255 - Mask[I]);
  else
    for (size_t I = 0; I < Count; ++I) Mask[I] = Mask[I] ? 0 : Value;
}

// Rows from the top down to row H * p / 100.
template <TStyle Style>
void DownEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  const Integer Rows = H * P / 100;
  for (Integer Y = 0; Y < Rows; ++Y) {
    Byte Value = Style == TStyle::Slide ? 255 : FadeValue(P);
    if (Style == TStyle::Smooth) Value = P >= 100 ? 255 : Byte(SmoothPeak(P) * (Rows - Y) / Rows);
    std::memset(Mask + size_t(Y) * size_t(W), Value, size_t(W));
  }
}

// [Random cells] A permutation of the cells seeded with W * H: the first W * H * p / 100 of it
// are chosen, so every cell is chosen at p = 100.
const std::vector<uint32_t>& CellOrder(Integer W, Integer H) {
  static Integer CachedW = -1, CachedH = -1;
  static std::vector<uint32_t> Order;
  if (W != CachedW || H != CachedH) {
    Order.resize(size_t(W) * size_t(H));
    std::iota(Order.begin(), Order.end(), 0u);
    TSeededRandom Random(uint32_t(W) * uint32_t(H));
    for (size_t I = Order.size(); I > 1; --I) std::swap(Order[I - 1], Order[Random.Next(uint32_t(I))]);
    CachedW = W;
    CachedH = H;
  }
  return Order;
}

size_t ChosenCells(Integer W, Integer H, Integer P) { return size_t(int64_t(W) * H * P / 100); }

void PixelEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  const std::vector<uint32_t>& Order = CellOrder(W, H);
  for (size_t I = 0, N = ChosenCells(W, H, P); I < N; ++I) Mask[Order[I]] = 255;
}

void PixelFadeEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  const std::vector<uint32_t>& Order = CellOrder(W, H);
  const Byte Value = FadeValue(P);
  for (size_t I = 0, N = ChosenCells(W, H, P); I < N; ++I) Mask[Order[I]] = Value;
}

// Chosen cells of column i get Round(2p - i * (W * 0.1 / p)) % of 255 for the columns up to
// p * (2W - 1) / 100. That leaves the right of a wide image short of opaque at p = 100, which then
// shows the new image whole.
void PixelLineEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  if (P <= 0) return;
  if (P >= 100) return (void)std::memset(Mask, 255, size_t(W) * size_t(H));
  const Integer LastColumn = P * (2 * W - 1) / 100;
  const std::vector<uint32_t>& Order = CellOrder(W, H);
  for (size_t I = 0, N = ChosenCells(W, H, P); I < N; ++I) {
    const Integer Column = Integer(Order[I] % uint32_t(W));
    if (Column > LastColumn) continue;
    const double Percent = std::nearbyint(2.0 * P - Column * (W * 0.1 / P));
    Mask[Order[I]] = Byte(std::clamp(Percent, 0.0, 100.0) * 255 / 100);
  }
}

void FadeEffect(Byte* Mask, Integer W, Integer H, Integer P) { std::memset(Mask, FadeValue(P), size_t(W) * size_t(H)); }

// Columns fall from the top after a delay of 0..79 steps each, smoothed with their neighbours.
void StreamEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  std::vector<Integer> Delay(static_cast<size_t>(W)), Next(static_cast<size_t>(W));
  TSeededRandom Random(uint32_t(W) * uint32_t(H));
  for (Integer& D : Delay) D = Integer(Random.Next(80));
  for (int Pass = 0; Pass < 8; ++Pass) {
    for (Integer X = 0; X < W; ++X)
      Next[size_t(X)] =
          (Delay[size_t(std::max(X - 1, 0))] + Delay[size_t(X)] + Delay[size_t(std::min(X + 1, W - 1))]) / 3;
    Delay.swap(Next);
  }
  const Integer Steps = P * (H + 79) / 100 + 1;
  for (Integer X = 0; X < W; ++X) {
    const Integer Length = std::clamp(Steps - Delay[size_t(X)], 0, H);
    for (Integer Y = 0; Y < Length; ++Y) Mask[size_t(Y) * size_t(W) + size_t(X)] = 255;
  }
}

struct TPlasmaTables {
  Integer Sine[512], Cosine[512], Palette[512];
  TPlasmaTables() {
    const double Pi = 3.14159265358979323846;
    for (int I = 0; I < 512; ++I) {
      Sine[I] = Integer(std::lround(256 + 256 * std::sin(2 * Pi * I / 512)));
      Cosine[I] = Integer(std::lround(256 + 256 * std::cos(2 * Pi * I / 512)));
    }
    static const Integer Control[13] = {255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    for (int I = 0; I < 512; ++I) {
      const double At = I * 12.0 / 511;
      const int Segment = std::min(int(At), 11);
      const double F = At - Segment;
      Palette[I] = Integer(std::lround(Control[Segment] + (Control[Segment + 1] - Control[Segment]) * F));
    }
  }
};

void PlasmaEffect(Byte* Mask, Integer W, Integer H, Integer P) {
  static const TPlasmaTables T;
  const Integer Level = 2 * P * 255 / 100;
  for (Integer Y = 0; Y < H; ++Y) {
    Byte* Row = Mask + size_t(Y) * size_t(W);
    const Integer Shift = T.Sine[Y & 511], Base = T.Cosine[Y & 511];
    for (Integer X = 0; X < W; ++X)
      Row[X] = Byte(std::clamp(Level - T.Palette[(T.Cosine[(X + Shift) & 511] + Base) & 511], 0, 255));
  }
}

// [Slide kind] ----------------------------------------------------------------------------------

// Even rows show the new image (100 - p) % of W to the right, odd rows as far to the left.
void InterlaceEffect(TvxEffectCell* Cells, Integer W, Integer H, Integer P) {
  const Integer Offset = W * (100 - P) / 100;
  for (Integer Y = 0; Y < H; ++Y) {
    // Cell X shows source X + Shift where that lies in the grid; the others have nothing yet.
    const Integer Shift = Y % 2 == 0 ? Offset : -Offset;
    const Integer First = std::max(0, -Shift), Last = std::min(W, W - Shift);
    if (First < Last) FillCellRun(Cells + size_t(Y) * size_t(W) + size_t(First), Last - First, 255, First + Shift, Y);
  }
}

// The bottom-right p % of the new image's cells, shown from the top-left corner.
void CornerEffect(TvxEffectCell* Cells, Integer W, Integer H, Integer P) {
  const Integer CW = W * P / 100, CH = H * P / 100;
  for (Integer Y = 0; Y < CH; ++Y) FillCellRun(Cells + size_t(Y) * size_t(W), CW, 255, W - CW, H - CH + Y);
}

// [Manual kind] ---------------------------------------------------------------------------------

struct TOffset {
  Integer X, Y;
};

// Where the new image stands at P: coming from the left, the bottom, the right or the top.
TOffset SlideOffset(const TvxBitmap& Image, TvxRotation Rotation, Integer P) {
  const Integer DX = Image.Width() * P / 100, DY = Image.Height() * P / 100;
  switch (Rotation) {
    case TvxRotation::krRotate90: return {0, Image.Height() - DY};
    case TvxRotation::krRotate180: return {Image.Width() - DX, 0};
    case TvxRotation::krRotate270: return {0, DY - Image.Height()};
    default: return {DX - Image.Width(), 0};
  }
}

// Moves every pixel of Image by (DX, DY); the pixels left behind keep their values.
void ShiftPixels(TvxBitmap& Image, Integer DX, Integer DY) {
  const Integer W = Image.Width(), H = Image.Height();
  if (std::abs(DX) >= W || std::abs(DY) >= H) return;
  const Integer Count = W - std::abs(DX);
  const Integer From = std::max(0, -DX), To = std::max(0, DX);
  auto MoveRow = [&](Integer Source, Integer Dest) {
    std::memmove(Image.PixelPtr(To, Dest), Image.PixelPtr(From, Source), size_t(Count) * sizeof(TvxColor));
  };
  if (DY > 0)
    for (Integer Y = H - 1; Y >= DY; --Y) MoveRow(Y - DY, Y);
  else
    for (Integer Y = 0; Y < H + DY; ++Y) MoveRow(Y - DY, Y);
}

void SlideManual(TvxBitmap& Work, TvxBitmap& NewImage, const TvxAnimationRec& Settings, Integer P) {
  const TOffset At = SlideOffset(NewImage, Settings.Rotation(), P);
  NewImage.SetAlphaBlend(true);
  NewImage.DrawTo(Work, At.X, At.Y);
}

void PushManual(TvxBitmap& Work, TvxBitmap& NewImage, const TvxAnimationRec& Settings, Integer P) {
  const TOffset At = SlideOffset(NewImage, Settings.Rotation(), P);
  const TOffset Start = SlideOffset(NewImage, Settings.Rotation(), 0);
  ShiftPixels(Work, At.X - Start.X, At.Y - Start.Y);
  NewImage.SetAlphaBlend(true);
  NewImage.DrawTo(Work, At.X, At.Y);
}

// [The list] ------------------------------------------------------------------------------------

constexpr TStyle Sm = TStyle::Smooth, Sl = TStyle::Slide, Fd = TStyle::Fade;

struct TBuiltin {
  const char* Name;
  TvxEffectProc Proc;
};

template <TDistance D, Integer F, bool In>
constexpr TBuiltin Shape(const char* Name, TStyle Style) {
  switch (Style) {
    case TStyle::Smooth: return {Name, TvxFadeProc(&ShapeEffect<D, TStyle::Smooth, F, In>)};
    case TStyle::Slide: return {Name, TvxFadeProc(&ShapeEffect<D, TStyle::Slide, F, In>)};
    default: return {Name, TvxFadeProc(&ShapeEffect<D, TStyle::Fade, F, In>)};
  }
}

}  // namespace

void RegisterBuiltinEffects(TvxProcList& List) {
  const TBuiltin Effects[] = {
      Shape<DiagonalDistance, 10, false>("SmoothDiagonal", Sm),
      Shape<DiagonalDistance, 10, false>("SlideDiagonal", Sl),
      Shape<DiagonalDistance, 10, false>("FadeDiagonal", Fd),
      Shape<DiagonalBandDistance, 10, true>("SmoothDiagonalIn", Sm),
      Shape<DiagonalBandDistance, 10, true>("SlideDiagonalIn", Sl),
      Shape<DiagonalBandDistance, 10, true>("FadeDiagonalIn", Fd),
      Shape<DiagonalBandDistance, 10, false>("SmoothDiagonalOut", Sm),
      Shape<DiagonalBandDistance, 10, false>("SlideDiagonalOut", Sl),
      Shape<DiagonalBandDistance, 10, false>("FadeDiagonalOut", Fd),
      {"SmoothDown", TvxFadeProc(&DownEffect<Sm>)},
      {"SlideDown", TvxFadeProc(&DownEffect<Sl>)},
      {"FadeDown", TvxFadeProc(&DownEffect<Fd>)},
      Shape<MiddleRowsDistance, 10, true>("SmoothIn", Sm),
      Shape<MiddleRowsDistance, 10, true>("SlideIn", Sl),
      Shape<MiddleRowsDistance, 10, true>("FadeIn", Fd),
      Shape<MiddleRowsDistance, 10, false>("SmoothOut", Sm),
      Shape<MiddleRowsDistance, 10, false>("SlideOut", Sl),
      Shape<MiddleRowsDistance, 10, false>("FadeOut", Fd),
      Shape<CrossDistance, 10, false>("SmoothCrossOut", Sm),
      Shape<CrossDistance, 10, false>("SlideCrossOut", Sl),
      Shape<CrossDistance, 10, false>("FadeCrossOut", Fd),
      Shape<CrossDistance, 10, true>("SmoothCrossIn", Sm),
      Shape<CrossDistance, 10, true>("SlideCrossIn", Sl),
      Shape<CrossDistance, 10, true>("FadeCrossIn", Fd),
      Shape<RectDistance, 10, false>("SmoothRectOut", Sm),
      Shape<RectDistance, 10, false>("SlideRectOut", Sl),
      Shape<RectDistance, 10, false>("FadeRectOut", Fd),
      Shape<RectDistance, 10, true>("SmoothRectIn", Sm),
      Shape<RectDistance, 10, true>("SlideRectIn", Sl),
      Shape<RectDistance, 10, true>("FadeRectIn", Fd),
      {"Fade", TvxFadeProc(&FadeEffect)},
      {"Pixel", TvxFadeProc(&PixelEffect)},
      {"Pixel fade", TvxFadeProc(&PixelFadeEffect)},
      {"Pixel line", TvxFadeProc(&PixelLineEffect)},
      Shape<CentreDiscDistance, 10, false>("CircleSlideOut", Sl),
      Shape<CentreDiscDistance, 10, false>("CircleFadeOut", Fd),
      Shape<CentreDiscDistance, 9, false>("CircleSmoothOut", Sm),
      Shape<CentreDiscDistance, 10, true>("CircleSlideIn", Sl),
      Shape<CentreDiscDistance, 10, true>("CircleFadeIn", Fd),
      Shape<CentreDiscDistance, 9, true>("CircleSmoothIn", Sm),
      Shape<CornerDiscDistance, 10, false>("CircleSlide", Sl),
      Shape<CornerDiscDistance, 10, false>("CircleFade", Fd),
      Shape<CornerDiscDistance, 15, false>("CircleSmooth", Sm),
      Shape<DiamondDistance, 10, true>("DiamondSlideIn", Sl),
      Shape<DiamondDistance, 10, true>("DiamondFadeIn", Fd),
      Shape<DiamondDistance, 25, true>("DiamondSmoothIn", Sm),
      Shape<DiamondDistance, 10, false>("DiamondSlideOut", Sl),
      Shape<DiamondDistance, 10, false>("DiamondFadeOut", Fd),
      Shape<DiamondDistance, 25, false>("DiamondSmoothOut", Sm),
      Shape<SweepDistance, 10, false>("RotateSlide", Sl),
      Shape<SweepDistance, 10, false>("RotateFade", Fd),
      Shape<SweepDistance, 20, false>("RotateSmooth", Sm),
      {"Stream", TvxFadeProc(&StreamEffect)},
      {"Plasma", TvxFadeProc(&PlasmaEffect)},
      {"Interlace", TvxSlideProc(&InterlaceEffect)},
      {"Corner", TvxSlideProc(&CornerEffect)},
      {"Slide", TvxManualProc(&SlideManual)},
      {"Push", TvxManualProc(&PushManual)},
  };
  for (const TBuiltin& E : Effects) AddEffect(List, E.Name, Byte(E.Proc.index()), E.Proc);
}
