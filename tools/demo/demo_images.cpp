#include "tools/demo/demo_images.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

float Clamp01(float V) { return std::clamp(V, 0.0f, 1.0f); }

float SmoothStep(float Edge0, float Edge1, float X) {
  const float T = Clamp01((X - Edge0) / (Edge1 - Edge0));
  return T * T * (3.0f - 2.0f * T);
}

TvxColor Rgb(Integer R, Integer G, Integer B) { return MakePixel(R, G, B, 255); }

Integer Lerp(Integer A, Integer B, float T) { return Integer(std::lround(A + (B - A) * T)); }

// Every channel, alpha included, moved from A towards B by T.
TvxColor Mix(TvxColor A, TvxColor B, float T) {
  T = Clamp01(T);
  return MakePixel(Lerp(PixelRed(A), PixelRed(B), T), Lerp(PixelGreen(A), PixelGreen(B), T),
                   Lerp(PixelBlue(A), PixelBlue(B), T), Byte(Lerp(PixelAlpha(A), PixelAlpha(B), T)));
}

TvxColor WithAlpha(TvxColor P, float A) { return (P & 0x00FFFFFF) | TvxColor(std::lround(Clamp01(A) * 255.0f)) << 24; }

// Top over Bottom, both with straight (not premultiplied) alpha.
TvxColor Over(TvxColor Top, TvxColor Bottom) {
  const float TopA = PixelAlpha(Top) / 255.0f, BottomA = PixelAlpha(Bottom) / 255.0f;
  const float A = TopA + BottomA * (1.0f - TopA);
  if (A <= 0.0f) return 0;
  auto Channel = [&](Byte T, Byte B) { return Integer(std::lround((T * TopA + B * BottomA * (1.0f - TopA)) / A)); };
  return MakePixel(Channel(PixelRed(Top), PixelRed(Bottom)), Channel(PixelGreen(Top), PixelGreen(Bottom)),
                   Channel(PixelBlue(Top), PixelBlue(Bottom)), Byte(std::lround(A * 255.0f)));
}

// Signed distance from (X, Y) to a rounded rectangle centred on (CX, CY); negative inside.
float RoundRectDistance(float X, float Y, float CX, float CY, float HalfW, float HalfH, float Radius) {
  const float QX = std::fabs(X - CX) - (HalfW - Radius);
  const float QY = std::fabs(Y - CY) - (HalfH - Radius);
  return std::hypot(std::max(QX, 0.0f), std::max(QY, 0.0f)) + std::min(std::max(QX, QY), 0.0f) - Radius;
}

// A hard-edged shape for key-colour images, tested at pixel centres, with each pixel's depth:
// 0 outside, 1 on the outline, 2 just inside it, 3 deeper.
class TMask {
 public:
  template <typename TInside>
  TMask(Integer W, Integer H, TInside Inside) : FWidth(W), FHeight(H), FDepth(size_t(W) * size_t(H)) {
    for (Integer Y = 0; Y < H; ++Y)
      for (Integer X = 0; X < W; ++X) At(X, Y) = Inside(X + 0.5f, Y + 0.5f) ? 3 : 0;
    Erode(1, [](Byte D) { return D == 0; });
    Erode(2, [](Byte D) { return D == 1; });
  }
  Byte Depth(Integer X, Integer Y) const {
    return X < 0 || Y < 0 || X >= FWidth || Y >= FHeight ? 0 : FDepth[size_t(Y) * FWidth + X];
  }

 private:
  Byte& At(Integer X, Integer Y) { return FDepth[size_t(Y) * FWidth + X]; }
  // Inner pixels with a 4-neighbour matching Next become Level.
  template <typename TNext>
  void Erode(Byte Level, TNext Next) {
    std::vector<Byte> Result = FDepth;
    for (Integer Y = 0; Y < FHeight; ++Y)
      for (Integer X = 0; X < FWidth; ++X)
        if (Depth(X, Y) == 3 &&
            (Next(Depth(X - 1, Y)) || Next(Depth(X + 1, Y)) || Next(Depth(X, Y - 1)) || Next(Depth(X, Y + 1))))
          Result[size_t(Y) * FWidth + X] = Level;
    FDepth = std::move(Result);
  }

  Integer FWidth, FHeight;
  std::vector<Byte> FDepth;
};

// Light from the upper left: the inner ring is lit where the outline lies above or to the left.
bool LitFromUpperLeft(const TMask& M, Integer X, Integer Y) { return M.Depth(X, Y - 1) == 1 || M.Depth(X - 1, Y) == 1; }

void DrawLandscape(TvxBitmap& B, Integer W, Integer H) {
  B.SetSize(W, H);
  const float SunX = 0.7f * W, SunY = 0.5f * H, SunR = 0.13f * H + 0.5f;
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) {
      const float PX = X + 0.5f, PY = Y + 0.5f, FX = PX / W, FY = PY / H;
      TvxColor P = Mix(Rgb(34, 58, 138), Rgb(252, 184, 128), SmoothStep(0.0f, 0.7f, FY));
      const float SunD = std::hypot(PX - SunX, PY - SunY);
      P = Mix(P, Rgb(255, 226, 160), 0.6f * std::exp(-std::max(SunD - SunR, 0.0f) / (0.16f * H)));
      P = Mix(P, Rgb(255, 248, 220), SunR - SunD + 0.5f);
      const float Far = H * (0.6f + 0.07f * std::sin(FX * 7.0f + 0.6f) + 0.025f * std::sin(FX * 19.0f + 1.3f));
      P = Mix(P, Mix(Rgb(104, 92, 150), Rgb(74, 78, 124), FY), PY - Far + 0.5f);
      const float Near = H * (0.77f + 0.08f * std::sin(FX * 4.3f + 2.2f));
      P = Mix(P, Mix(Rgb(78, 154, 84), Rgb(28, 88, 50), SmoothStep(0.7f, 1.0f, FY)), PY - Near + 0.5f);
      B.SetPixel(X, Y, P);
    }
}

void DrawSprite(TvxBitmap& B) {
  // clang-format off
  static const char* const Rows[] = {
      "...............*",
      ".*..............",
      "....X.....X.....",
      ".....X...X......",
      "....XXXXXXX.....",
      "...XXoXXXoXX....",
      "..XXXXXXXXXXX...",
      "..X.XXXXXXX.X...",
      "..X.X.....X.X...",
      ".....XX.XX....*.",
      "................",
      "......*.........",
  };
  // clang-format on
  constexpr Integer W = 16, H = sizeof Rows / sizeof Rows[0];
  B.SetSize(W, H);
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) {
      TvxColor P = Rgb(26, 30, 60);
      switch (Rows[Y][X]) {
        case 'X':
          P = Mix(Rgb(170, 255, 150), Rgb(40, 176, 120), Y / float(H - 1));
          break;
        case 'o':
          P = Rgb(255, 84, 112);
          break;
        case '*':
          P = Rgb(196, 200, 255);
          break;
      }
      B.SetPixel(X, Y, P);
    }
}

struct TBevel {
  TvxColor Outline;
  Integer Light, Dark;  // LightenPixel deltas of the lit and the shaded inner ring
};

// A masked shape on the key colour: outline ring, a one-pixel bevel lit from the upper left, and
// a vertical gradient from Top to Bottom inside.
void PaintBevelled(TvxBitmap& B, const TMask& M, TvxColor Top, TvxColor Bottom, const TBevel& Bevel) {
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) {
      const TvxColor Fill = Mix(Top, Bottom, (Y + 0.5f) / B.Height());
      TvxColor P = Fill;
      switch (M.Depth(X, Y)) {
        case 0: P = vxKeyColor; break;
        case 1: P = Bevel.Outline; break;
        case 2: P = LightenPixel(Fill, LitFromUpperLeft(M, X, Y) ? Bevel.Light : Bevel.Dark); break;
      }
      B.SetPixel(X, Y, P);
    }
  B.SetTransparent(true);
}

void DrawButton(TvxBitmap& B, Integer W, Integer H, float Radius, TvxColor Face) {
  B.SetSize(W, H);
  const TMask M(W, H, [&](float X, float Y) {
    return RoundRectDistance(X, Y, W / 2.0f, H / 2.0f, W / 2.0f, H / 2.0f, Radius) < 0;
  });
  PaintBevelled(B, M, LightenPixel(Face, 56), LightenPixel(Face, -28), {LightenPixel(Face, -84), 72, -44});
}

// Even-odd test against a closed polygon.
bool InsidePolygon(const std::vector<std::pair<float, float>>& Points, float X, float Y) {
  bool Inside = false;
  for (size_t I = 0, J = Points.size() - 1; I < Points.size(); J = I++) {
    const auto [XI, YI] = Points[I];
    const auto [XJ, YJ] = Points[J];
    if ((YI > Y) != (YJ > Y) && X < (XJ - XI) * (Y - YI) / (YJ - YI) + XI) Inside = !Inside;
  }
  return Inside;
}

void DrawStar(TvxBitmap& B, Integer Size) {
  B.SetSize(Size, Size);
  std::vector<std::pair<float, float>> Points;
  const float CX = Size / 2.0f, CY = Size * 0.53f, Outer = Size * 0.49f, Inner = Size * 0.2f;
  for (int I = 0; I < 10; ++I) {
    const float Angle = -1.5707963f + I * 0.62831853f, R = I % 2 ? Inner : Outer;
    Points.emplace_back(CX + R * std::cos(Angle), CY + R * std::sin(Angle));
  }
  const TMask M(Size, Size, [&](float X, float Y) { return InsidePolygon(Points, X, Y); });
  PaintBevelled(B, M, Rgb(255, 228, 96), Rgb(238, 132, 26), {Rgb(150, 74, 14), 64, -36});
}

void DrawGlow(TvxBitmap& B, Integer W, Integer H) {
  B.SetSize(W, H);
  const float CX = W / 2.0f, CY = H * 0.45f, HalfW = W / 2.0f - 12.0f, HalfH = H / 2.0f - 13.0f, Radius = 10.0f;
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) {
      const float PX = X + 0.5f, PY = Y + 0.5f;
      const float D = RoundRectDistance(PX, PY, CX, CY, HalfW, HalfH, Radius);
      const float ShadowD = RoundRectDistance(PX - 3.0f, PY - 5.0f, CX, CY, HalfW, HalfH, Radius);
      const TvxColor Shadow = WithAlpha(Rgb(8, 12, 32), 0.62f * (1.0f - SmoothStep(-3.0f, 8.0f, ShadowD)));
      const TvxColor Halo = WithAlpha(Rgb(110, 214, 255), 0.42f * std::exp(-std::max(D, 0.0f) / 3.0f));
      TvxColor Fill = Mix(Rgb(132, 184, 255), Rgb(72, 78, 214), (PY - (CY - HalfH)) / (2.0f * HalfH));
      Fill = Mix(Fill, Rgb(255, 255, 255), 0.28f * (1.0f - SmoothStep(CY - 3.0f, CY + 1.0f, PY)));
      if (D > -1.6f) Fill = Mix(Fill, Rgb(230, 244, 255), 0.45f);
      const TvxColor Badge = WithAlpha(Fill, 0.84f * Clamp01(0.5f - D));
      B.SetPixel(X, Y, Over(Badge, Over(Halo, Shadow)));
    }
  B.SetAlphaBlend(true);
}

void DrawTile(TvxBitmap& B, Integer W, Integer H) {
  B.SetSize(W, H);
  const float CX = (W - 1) / 2.0f, CY = (H - 1) / 2.0f;
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) {
      const float Diamond = std::fabs(X - CX) / CX + std::fabs(Y - CY) / CY;
      TvxColor P = Rgb(238, 226, 204);
      if (Diamond <= 0.45f)
        P = Rgb(236, 150, 96);
      else if (Diamond <= 0.85f)
        P = Rgb(196, 86, 60);
      if (X == 0 || Y == 0) P = LightenPixel(P, 18);
      if (X == W - 1 || Y == H - 1) P = LightenPixel(P, -40);
      B.SetPixel(X, Y, P);
    }
}

void DrawShape(TvxBitmap& B, Integer W, Integer H) {
  B.SetSize(W, H);
  const float HoleX = W - 8.0f, HoleY = H / 2.0f + 2.0f, HoleR = 3.6f;
  const TMask M(W, H, [&](float X, float Y) {
    return RoundRectDistance(X, Y, W / 2.0f, H / 2.0f, W / 2.0f, H / 2.0f, 5.5f) < 0 &&
           std::hypot(X - HoleX, Y - HoleY) > HoleR;
  });
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) {
      TvxColor P = Y < 5 ? Mix(Rgb(92, 124, 204), Rgb(60, 88, 164), Y / 4.0f)
                         : Mix(Rgb(236, 240, 248), Rgb(206, 214, 230), (Y - 5) / float(H - 6));
      if (M.Depth(X, Y) == 0) P = vxKeyColor;
      if (M.Depth(X, Y) == 1) P = Rgb(36, 44, 80);
      B.SetPixel(X, Y, P);
    }
  B.SetTransparent(true);
}

}  // namespace

TDemoImages::TDemoImages() {
  DrawLandscape(Landscape, 72, 56);
  DrawLandscape(SmallLandscape, 48, 40);
  DrawSprite(Sprite);
  DrawButton(Button, 48, 24, 6.0f, Rgb(56, 120, 208));
  DrawStar(Star, 40);
  DrawGlow(Glow, 72, 56);
  DrawTile(Tile, 13, 11);
  DrawShape(Shape, 30, 16);
}

void FillChecker(TvxBitmap& Target, const TRect& R, Integer Cell) {
  const TRect Area = Intersect(R, Target.BoundsRect());
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
    for (Integer X = Area.Left; X < Area.Right; ++X)
      *Target.PixelPtr(X, Y) = ((X - R.Left) / Cell + (Y - R.Top) / Cell) % 2 ? 0xFFD3D7DE : 0xFFFFFFFF;
}

void FrameRect(TvxBitmap& Target, const TRect& R, TvxColor Color) {
  Target.FillRect(Rect(R.Left, R.Top, R.Right, R.Top + 1), Color);
  Target.FillRect(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Color);
  Target.FillRect(Rect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), Color);
  Target.FillRect(Rect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), Color);
}
