#include "tools/skingen/skingen_paint.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

float Clamp01(float V) { return std::clamp(V, 0.0f, 1.0f); }
Integer Lerp(Integer A, Integer B, float T) { return Integer(std::lround(A + (B - A) * T)); }

// Signed distance to a rounded rectangle; negative inside.
float BoxDistance(float X, float Y, const TRect& R, float Radius) {
  const float HalfW = R.Width() / 2.0f, HalfH = R.Height() / 2.0f;
  Radius = std::min({Radius, HalfW, HalfH});
  const float QX = std::fabs(X - (R.Left + HalfW)) - (HalfW - Radius);
  const float QY = std::fabs(Y - (R.Top + HalfH)) - (HalfH - Radius);
  return std::hypot(std::max(QX, 0.0f), std::max(QY, 0.0f)) + std::min(std::max(QX, QY), 0.0f) - Radius;
}

float SegmentDistance(float X, float Y, float X0, float Y0, float X1, float Y1) {
  const float DX = X1 - X0, DY = Y1 - Y0, Len2 = DX * DX + DY * DY;
  const float T = Len2 > 0 ? Clamp01(((X - X0) * DX + (Y - Y0) * DY) / Len2) : 0.0f;
  return std::hypot(X - (X0 + T * DX), Y - (Y0 + T * DY));
}

TRect Inside(const TRect& R, const TvxBitmap& B) {
  return {std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, B.Width()), std::min(R.Bottom, B.Height())};
}

}  // namespace

TvxColor Rgb(Integer R, Integer G, Integer B) { return MakePixel(R, G, B, 255); }

TvxColor Mix(TvxColor A, TvxColor B, float T) {
  T = Clamp01(T);
  return MakePixel(Lerp(PixelRed(A), PixelRed(B), T), Lerp(PixelGreen(A), PixelGreen(B), T),
                   Lerp(PixelBlue(A), PixelBlue(B), T), Byte(Lerp(PixelAlpha(A), PixelAlpha(B), T)));
}

TvxColor WithAlpha(TvxColor P, float A) { return (P & 0x00FFFFFF) | TvxColor(std::lround(Clamp01(A) * 255.0f)) << 24; }

TvxColor Over(TvxColor Top, TvxColor Bottom) {
  const float TopA = PixelAlpha(Top) / 255.0f, BottomA = PixelAlpha(Bottom) / 255.0f;
  const float A = TopA + BottomA * (1.0f - TopA);
  if (A * 255.0f < 0.5f) return vxKeyColor;
  auto Channel = [&](Byte T, Byte B) { return Integer(std::lround((T * TopA + B * BottomA * (1.0f - TopA)) / A)); };
  return MakePixel(Channel(PixelRed(Top), PixelRed(Bottom)), Channel(PixelGreen(Top), PixelGreen(Bottom)),
                   Channel(PixelBlue(Top), PixelBlue(Bottom)), Byte(std::lround(A * 255.0f)));
}

std::unique_ptr<TvxBitmap> NewImage(Integer W, Integer H) {
  auto B = std::make_unique<TvxBitmap>();
  B->SetSize(W, H);
  B->Fill(vxKeyColor);
  return B;
}

void BlendPixel(TvxBitmap& B, Integer X, Integer Y, TvxColor P) {
  if (X < 0 || Y < 0 || X >= B.Width() || Y >= B.Height() || PixelAlpha(P) == 0) return;
  TvxColor& Target = *B.PixelPtr(X, Y);
  Target = Over(P, Target);
}

void PaintBox(TvxBitmap& B, const TRect& Shape, const TRect& Clip, const TBoxStyle& S) {
  const bool Hard = S.Edge == TEdge::Hard;
  const TRect Area =
      Inside(S.Shadow > 0 ? TRect{Clip.Left - 3, Clip.Top - 3, Clip.Right + 3, Clip.Bottom + 4} : Clip, B);
  const float H = float(std::max(Shape.Height(), 1));
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
    for (Integer X = Area.Left; X < Area.Right; ++X) {
      const float PX = X + 0.5f, PY = Y + 0.5f;
      const float D = BoxDistance(PX, PY, Shape, S.Radius);
      if (S.Shadow > 0 && D > -1.0f) {
        const float DS = BoxDistance(PX, PY - 1.0f, Shape, S.Radius + 1.0f);
        const float Fall = Clamp01(1.0f - (DS + 0.5f) / 3.0f);
        BlendPixel(B, X, Y, WithAlpha(0xFF1A2530, S.Shadow * Fall * Fall));
      }
      const bool InClip = X >= Clip.Left && X < Clip.Right && Y >= Clip.Top && Y < Clip.Bottom;
      const float Cover = Hard ? (D < 0 ? 1.0f : 0.0f) : Clamp01(0.5f - D);
      if (!InClip || Cover <= 0) continue;
      const float T = (PY - Shape.Top) / H;
      TvxColor Color = Mix(S.Top, S.Bottom, T);
      if (S.Highlight > 0 && D > -2.0f && D <= -1.0f + (Hard ? 0.0f : 0.5f))
        Color = Mix(Color, 0xFFFFFFFF, S.Highlight * Clamp01(1.2f - 1.4f * T));
      if (PixelAlpha(S.Border) != 0) {
        const float Ring = Hard ? (D > -1.0f ? 1.0f : 0.0f) : Clamp01(D + 1.5f);
        Color = Over(WithAlpha(S.Border, Ring * PixelAlpha(S.Border) / 255.0f), Color);
      }
      BlendPixel(B, X, Y, WithAlpha(Color, Cover * PixelAlpha(Color) / 255.0f));
    }
}

void PaintSegment(TvxBitmap& B, float X0, float Y0, float X1, float Y1, float Width, TvxColor C) {
  const TRect Area = Inside({Integer(std::min(X0, X1) - Width - 1), Integer(std::min(Y0, Y1) - Width - 1),
                             Integer(std::max(X0, X1) + Width + 2), Integer(std::max(Y0, Y1) + Width + 2)},
                            B);
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
    for (Integer X = Area.Left; X < Area.Right; ++X) {
      const float Cover = Clamp01(Width / 2.0f + 0.5f - SegmentDistance(X + 0.5f, Y + 0.5f, X0, Y0, X1, Y1));
      if (Cover > 0) BlendPixel(B, X, Y, WithAlpha(C, Cover * PixelAlpha(C) / 255.0f));
    }
}

void PaintDisc(TvxBitmap& B, float CX, float CY, float Radius, TvxColor C) {
  PaintSegment(B, CX, CY, CX, CY, 2 * Radius, C);
}

void PaintTriangle(TvxBitmap& B, float X0, float Y0, float X1, float Y1, float X2, float Y2, TvxColor C) {
  const TRect Area = Inside({Integer(std::min({X0, X1, X2})) - 1, Integer(std::min({Y0, Y1, Y2})) - 1,
                             Integer(std::max({X0, X1, X2})) + 2, Integer(std::max({Y0, Y1, Y2})) + 2},
                            B);
  const float Sign = (X1 - X0) * (Y2 - Y0) - (Y1 - Y0) * (X2 - X0) > 0 ? 1.0f : -1.0f;
  auto Edge = [Sign](float PX, float PY, float AX, float AY, float BX, float BY) {
    const float Len = std::hypot(BX - AX, BY - AY);
    return Sign * ((BX - AX) * (PY - AY) - (BY - AY) * (PX - AX)) / Len;
  };
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
    for (Integer X = Area.Left; X < Area.Right; ++X) {
      const float PX = X + 0.5f, PY = Y + 0.5f;
      const float Depth =
          std::min({Edge(PX, PY, X0, Y0, X1, Y1), Edge(PX, PY, X1, Y1, X2, Y2), Edge(PX, PY, X2, Y2, X0, Y0)});
      const float Cover = Clamp01(Depth + 0.5f);
      if (Cover > 0) BlendPixel(B, X, Y, WithAlpha(C, Cover * PixelAlpha(C) / 255.0f));
    }
}

void FillGradient(TvxBitmap& B, const TRect& R, TvxColor Top, TvxColor Bottom) {
  const TRect Area = Inside(R, B);
  for (Integer Y = Area.Top; Y < Area.Bottom; ++Y) {
    const TvxColor C = Mix(Top, Bottom, R.Height() > 1 ? float(Y - R.Top) / float(R.Height() - 1) : 0.0f);
    for (Integer X = Area.Left; X < Area.Right; ++X) B.SetPixel(X, Y, C);
  }
}

}  // namespace skingen
