#include "tools/skingen/skingen_preview.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tools/skingen/skingen_paint.h"
#include "tools/skingen/skingen_palette.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace skingen {

namespace {

// Source rectangle S of Atlas composed over Target in D, each target pixel taking the nearest
// source pixel (a stretch; equal sizes copy).
void Compose(TvxBitmap& Target, const TvxBitmap& Atlas, const TRect& S, const TRect& D) {
  if (S.Width() <= 0 || S.Height() <= 0 || D.Width() <= 0 || D.Height() <= 0) return;
  for (Integer Y = D.Top; Y < D.Bottom; ++Y)
    for (Integer X = D.Left; X < D.Right; ++X) {
      const TvxColor P =
          Atlas.GetPixel(S.Left + (X - D.Left) * S.Width() / D.Width(), S.Top + (Y - D.Top) * S.Height() / D.Height());
      if (!IsKeyPixel(P)) BlendPixel(Target, X, Y, P);
    }
}

// Nine pieces with margins L, T, R, B, edges and centre stretched.
void Nine(TvxBitmap& Target, const TvxBitmap& Atlas, const TRect& S, const TRect& D, Integer L, Integer T, Integer R,
          Integer B) {
  const Integer SX[] = {S.Left, S.Left + L, S.Right - R, S.Right}, SY[] = {S.Top, S.Top + T, S.Bottom - B, S.Bottom};
  const Integer DX[] = {D.Left, D.Left + L, D.Right - R, D.Right}, DY[] = {D.Top, D.Top + T, D.Bottom - B, D.Bottom};
  for (int J = 0; J < 3; ++J)
    for (int I = 0; I < 3; ++I)
      Compose(Target, Atlas, {SX[I], SY[J], SX[I + 1], SY[J + 1]}, {DX[I], DY[J], DX[I + 1], DY[J + 1]});
}

void Checkerboard(TvxBitmap& B) {
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) B.SetPixel(X, Y, ((X / 8 + Y / 8) & 1) ? 0xFFD0D0D0 : 0xFFF8F8F8);
}

void Scale(const TvxBitmap& Source, TvxBitmap& Target, Integer X0, Integer Y0, Integer Factor) {
  for (Integer Y = 0; Y < Source.Height() * Factor; ++Y)
    for (Integer X = 0; X < Source.Width() * Factor; ++X) {
      const TvxColor P = Source.GetPixel(X / Factor, Y / Factor);
      if (!IsKeyPixel(P)) BlendPixel(Target, X0 + X, Y0 + Y, P);
    }
}

// A window with a few controls, as the theme would place the pieces.
void MockWindow(TvxBitmap& Mock, const TSkinImages& Pieces, const std::vector<TvxBitmap*>& Atlases) {
  auto Put = [&](const std::string& Piece, const TRect& D, Integer L = 0, Integer T = 0, Integer R = 0, Integer B = 0) {
    const TPiece& P = Pieces[Piece];
    Nine(Mock, *FindAtlas(Atlases, P.Image), P.Rect, D, L, T, R, B);
  };
  auto At = [&](const std::string& Piece, Integer X, Integer Y) {
    const TRect& R = Pieces[Piece].Rect;
    Put(Piece, Bounds(X, Y, R.Width(), R.Height()));
  };
  const Integer W = 330, H = 250;
  Mock.FillRect({0, 0, W, H}, TPalette::Window);
  Put("caption", {0, 0, W, 30}, 9, 0, 9, 0);
  Put("left", {0, 30, 6, H - 6});
  Put("right", {W - 6, 30, W, H - 6});
  Put("bottom", {0, H - 6, W, H}, 9, 0, 9, 0);
  At("title.close.hot", W - 8 - 23, 6);
  At("title.maximize.normal", W - 8 - 47, 6);
  At("title.minimize.normal", W - 8 - 71, 6);
  Put("menubar.frame", {6, 30, W - 6, 50}, 0, 0, 0, 1);
  Put("menubar.item.hot", {40, 30, 80, 50}, 4, 4, 4, 4);
  Put("button.normal", {20, 64, 100, 87}, 4, 4, 4, 5);
  Put("button.hot", {110, 64, 190, 87}, 4, 4, 4, 5);
  Put("button.focused", {200, 64, 280, 87}, 4, 4, 4, 5);
  At("check.on.normal", 20, 100);
  At("check.off.hot", 40, 100);
  At("check.mixed.normal", 60, 100);
  At("radio.on.normal", 90, 100);
  At("radio.off.normal", 110, 100);
  Put("edit.focused", {140, 96, 290, 117}, 3, 3, 3, 3);
  Put("field.button.normal", {272, 98, 288, 115}, 3, 3, 3, 3);
  At("arrow.down.normal", 277, 103);
  Put("progress.frame", {20, 128, 200, 142}, 4, 4, 4, 4);
  Put("progress.bar", {21, 128, 130, 142}, 4, 4, 4, 4);
  Put("track.grooveh.normal", {20, 158, 200, 163}, 2, 2, 2, 2);
  At("track.thumb.hot", 90, 152);
  Put("scroll.trackv.normal", {W - 23, 50, W - 6, H - 28});
  Put("scroll.button.normal", {W - 23, 50, W - 6, 67}, 3, 3, 3, 3);
  At("arrow.up.normal", W - 18, 55);
  Put("scroll.thumbv.hot", {W - 23, 80, W - 6, 130}, 5, 5, 5, 5);
  Put("tab.normal", {20, 180, 80, 202}, 4, 4, 4, 0);
  Put("tabs.frame", {20, 202, 200, H - 34}, 3, 3, 3, 3);
  Put("tab.focused", {78, 178, 140, 203}, 4, 4, 4, 0);
  Put("status.frame", {6, H - 28, W - 6, H - 6}, 0, 2, 0, 0);
  Put("status.panel", {6, H - 28, 120, H - 6}, 2, 3, 3, 3);
  At("status.gripper", W - 20, H - 20);
}

}  // namespace

TvxBitmap* FindAtlas(const std::vector<TvxBitmap*>& Atlases, const std::string& Name) {
  for (TvxBitmap* A : Atlases)
    if (A->Name() == Name) return A;
  throw std::out_of_range("no atlas " + Name);
}

void WriteContactSheet(const TSkinImages& Pieces, const std::vector<TvxBitmap*>& Atlases, const std::string& FileName) {
  constexpr Integer Factor = 2, Gap = 12;
  TvxBitmap Mock;
  Mock.SetSize(330, 250);
  MockWindow(Mock, Pieces, Atlases);
  Integer Width = Mock.Width() * Factor, Height = Mock.Height() * Factor + Gap;
  for (const TvxBitmap* A : Atlases) Width = std::max(Width, A->Width() * Factor), Height += A->Height() * Factor + Gap;
  TvxBitmap Sheet;
  Sheet.SetSize(Width + 2 * Gap, Height + Gap);
  Checkerboard(Sheet);
  Integer Y = Gap;
  Scale(Mock, Sheet, Gap, Y, Factor);
  Y += Mock.Height() * Factor + Gap;
  for (const TvxBitmap* A : Atlases) Scale(*A, Sheet, Gap, Y, Factor), Y += A->Height() * Factor + Gap;
  SaveOpaqueBmpFile(Sheet, FileName);
}

}  // namespace skingen
