// Effects without a window: the registry, the animation record and the frames of a transition.
// Expected pixels follow the blend rule of the engine: opacity 0 keeps the old pixel, 255 takes
// the new one, otherwise every channel is (256 * old + a * (new - old)) >> 8, alpha included
// (the new pixel's alpha being a).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

#include "bitmap_helpers.h"
#include "framework/core/component_stream.h"
#include "vexel/graphics/vx_effect_rows.h"
#include "vexel/graphics/vx_effect_transition.h"

namespace {

// Old: dark, half opaque; new: bright, opaque, every pixel different (so a wrong source shows,
// and so does a blend that is one short of the new pixel).
struct TImages {
  TvxBitmap Old, New;
  TImages(Integer W, Integer H) {
    Old.SetSize(W, H);
    New.SetSize(W, H);
    for (Integer Y = 0; Y < H; ++Y)
      for (Integer X = 0; X < W; ++X) {
        Old.SetPixel(X, Y, 0xC0102030 + TvxColor(X + 3 * Y));
        New.SetPixel(X, Y, 0xFF0000C0 | TvxColor(0xF0 - X) << 16 | TvxColor(0xE0 - Y) << 8);
      }
  }
};

std::unique_ptr<TvxAnimationRec> Settings(const std::string& Effect, Integer Resolution = 1, Integer TileCount = 1,
                                          TvxRotation Rotation = TvxRotation::krNone) {
  auto R = std::make_unique<TvxAnimationRec>();
  R->SetEffect(Effect);
  R->SetResolution(Resolution);
  R->SetTileCount(TileCount);
  R->SetRotation(Rotation);
  return R;
}

// Compares every pixel of the transition's frame with Expected(X, Y).
void ExpectFrame(const TvxTransition& T, const std::function<TvxColor(Integer, Integer)>& Expected,
                 const std::string& Context) {
  const TvxBitmap& Work = T.Work();
  for (Integer Y = 0; Y < Work.Height(); ++Y)
    for (Integer X = 0; X < Work.Width(); ++X)
      ASSERT_EQ(Work.GetPixel(X, Y), Expected(X, Y)) << Context << " at (" << X << ", " << Y << ")";
}

std::vector<Byte> PaintMask(const TvxProcItem& Item, Integer W, Integer H, Integer P) {
  std::vector<Byte> Mask(size_t(W) * size_t(H), 0);
  std::get<TvxFadeProc>(Item.Proc)(Mask.data(), W, H, P);
  return Mask;
}

}  // namespace

// [Registry] ------------------------------------------------------------------------------------

TEST(EffectRegistry, BuiltInEffectsAreRegisteredInOrderWithTheirKindPrefixes) {
  const std::vector<std::string> Fade = {"SmoothDiagonal",
                                         "SlideDiagonal",
                                         "FadeDiagonal",
                                         "SmoothDiagonalIn",
                                         "SlideDiagonalIn",
                                         "FadeDiagonalIn",
                                         "SmoothDiagonalOut",
                                         "SlideDiagonalOut",
                                         "FadeDiagonalOut",
                                         "SmoothDown",
                                         "SlideDown",
                                         "FadeDown",
                                         "SmoothIn",
                                         "SlideIn",
                                         "FadeIn",
                                         "SmoothOut",
                                         "SlideOut",
                                         "FadeOut",
                                         "SmoothCrossOut",
                                         "SlideCrossOut",
                                         "FadeCrossOut",
                                         "SmoothCrossIn",
                                         "SlideCrossIn",
                                         "FadeCrossIn",
                                         "SmoothRectOut",
                                         "SlideRectOut",
                                         "FadeRectOut",
                                         "SmoothRectIn",
                                         "SlideRectIn",
                                         "FadeRectIn",
                                         "Fade",
                                         "Pixel",
                                         "Pixel fade",
                                         "Pixel line",
                                         "CircleSlideOut",
                                         "CircleFadeOut",
                                         "CircleSmoothOut",
                                         "CircleSlideIn",
                                         "CircleFadeIn",
                                         "CircleSmoothIn",
                                         "CircleSlide",
                                         "CircleFade",
                                         "CircleSmooth",
                                         "DiamondSlideIn",
                                         "DiamondFadeIn",
                                         "DiamondSmoothIn",
                                         "DiamondSlideOut",
                                         "DiamondFadeOut",
                                         "DiamondSmoothOut",
                                         "RotateSlide",
                                         "RotateFade",
                                         "RotateSmooth",
                                         "Stream",
                                         "Plasma"};
  std::vector<std::string> Expected = {"[ RANDOM ] - Random selection", "[ BITMAP ] - Bitmap Animation"};
  for (const std::string& N : Fade) Expected.push_back("[ FADE ] - " + N);
  for (const char* N : {"Interlace", "Corner"}) Expected.push_back(std::string("[ SLIDE ] - ") + N);
  for (const char* N : {"Slide", "Push"}) Expected.push_back(std::string("[ MANUAL ] - ") + N);
  EXPECT_EQ(EffectNames(), Expected);
  const TvxProcList& List = EffectList();
  ASSERT_GE(List.Count(), Integer(Expected.size() - 2));
  for (size_t I = 2; I < Expected.size(); ++I) {
    const TvxProcItem* Item = List.Items(Integer(I - 2));
    EXPECT_EQ(Item->DisplayName, Expected[I]);
    EXPECT_EQ(Item->Kind, Item->Proc.index()) << Item->DisplayName;
  }
}

TEST(EffectRegistry, FindEffectTakesTheBareOrTheFullNameInAnyLetterCase) {
  const TvxProcItem* Fade = FindEffect("[ FADE ] - Fade");
  ASSERT_NE(Fade, nullptr);
  EXPECT_EQ(Fade->DisplayName, "[ FADE ] - Fade");
  for (const char* Name : {"Fade", "FADE", "fAdE", "[ fade ] - FADE", "[ FADE ] - fade"})
    EXPECT_EQ(FindEffect(Name), Fade) << Name;
  ASSERT_NE(FindEffect("pixel FADE"), nullptr);
  EXPECT_EQ(FindEffect("pixel FADE")->DisplayName, "[ FADE ] - Pixel fade");
  EXPECT_EQ(FindEffect("[ MANUAL ] - push")->DisplayName, "[ MANUAL ] - Push");
  for (const char* Name : {"Fad", "Fade ", "NoSuchEffect", "", "[ SLIDE ] - Fade"})
    EXPECT_EQ(FindEffect(Name), nullptr) << '"' << Name << '"';
}

namespace {
void CustomMask(Byte* Mask, Integer W, Integer H, Integer P) { std::fill(Mask, Mask + size_t(W) * size_t(H), Byte(P)); }
void OtherMask(Byte*, Integer, Integer, Integer) {}
}  // namespace

TEST(EffectRegistry, DuplicateNamesAndProceduresAreRefused) {
  const auto ExpectDuplicate = [](const std::string& Name, TvxEffectProc Proc) {
    const Integer Before = EffectList().Count();
    try {
      RegisterEffect(Name, Byte(Proc.index()), Proc);
      ADD_FAILURE() << Name << " was registered";
    } catch (const EProcItemError& E) {
      EXPECT_EQ(E.Message(), "Effect procedute " + Name + " already exists in list");
    }
    EXPECT_EQ(EffectList().Count(), Before);
  };
  ExpectDuplicate("Fade", TvxFadeProc(&OtherMask));
  ExpectDuplicate("[ FADE ] - plasma", TvxFadeProc(&OtherMask));
  ExpectDuplicate("Another fade", FindEffect("Fade")->Proc);

  RegisterEffect("Custom", ekFade, TvxFadeProc(&CustomMask));
  const TvxProcItem* Custom = FindEffect("custom");
  ASSERT_NE(Custom, nullptr);
  EXPECT_EQ(Custom->DisplayName, "[ FADE ] - Custom");
  EXPECT_EQ(EffectList().Items(EffectList().Count() - 1), Custom);
  ExpectDuplicate("Custom two", TvxFadeProc(&CustomMask));
}

// [Settings] ------------------------------------------------------------------------------------

TEST(AnimationRec, DefaultsAndLimits) {
  TvxAnimationRec R;
  EXPECT_EQ(R.Effect(), "[ RANDOM ] - Random selection");
  EXPECT_FALSE(R.Enabled());
  EXPECT_EQ(R.Resolution(), 1);
  EXPECT_EQ(R.Rotation(), TvxRotation::krNone);
  EXPECT_EQ(R.TileCount(), 1);
  EXPECT_EQ(R.Time(), 400);

  struct TCase {
    void (TvxAnimationRec::*Set)(Integer);
    Integer (TvxAnimationRec::*Get)() const;
    Integer Value, Stored;
  };
  const TCase Cases[] = {
      {&TvxAnimationRec::SetTime, &TvxAnimationRec::Time, 10, 50},
      {&TvxAnimationRec::SetTime, &TvxAnimationRec::Time, 51, 51},
      {&TvxAnimationRec::SetTime, &TvxAnimationRec::Time, 9001, 9000},
      {&TvxAnimationRec::SetTileCount, &TvxAnimationRec::TileCount, 0, 1},
      {&TvxAnimationRec::SetTileCount, &TvxAnimationRec::TileCount, 20, 20},
      {&TvxAnimationRec::SetTileCount, &TvxAnimationRec::TileCount, 21, 20},
      {&TvxAnimationRec::SetResolution, &TvxAnimationRec::Resolution, 11, 10},
      {&TvxAnimationRec::SetResolution, &TvxAnimationRec::Resolution, -4, 1},
      {&TvxAnimationRec::SetResolution, &TvxAnimationRec::Resolution, 7, 7},
  };
  for (const TCase& C : Cases) {
    (R.*C.Set)(C.Value);
    EXPECT_EQ((R.*C.Get)(), C.Stored) << "set " << C.Value;
  }
}

TEST(AnimationRec, AssignCopiesEverySettingAndRefusesOtherClasses) {
  TvxAnimationRec Source, Copy;
  Source.SetEffect("[ FADE ] - Plasma");
  Source.SetEnabled(true);
  Source.SetResolution(3);
  Source.SetRotation(TvxRotation::krRotate270);
  Source.SetTileCount(4);
  Source.SetTime(1200);
  Copy.Assign(&Source);
  EXPECT_EQ(Copy.Effect(), "[ FADE ] - Plasma");
  EXPECT_TRUE(Copy.Enabled());
  EXPECT_EQ(Copy.Resolution(), 3);
  EXPECT_EQ(Copy.Rotation(), TvxRotation::krRotate270);
  EXPECT_EQ(Copy.TileCount(), 4);
  EXPECT_EQ(Copy.Time(), 1200);

  TComponent Other;
  EXPECT_THROW(Copy.Assign(&Other), EConvertError);
}

TEST(AnimationRec, RoundTripsThroughTheComponentStreamAndIsRegistered) {
  TvxAnimationRec Source;
  Source.SetName("Show");
  Source.SetEffect("[ FADE ] - CircleSlideOut");
  Source.SetEnabled(true);
  Source.SetRotation(TvxRotation::krRotate180);
  Source.SetTime(800);
  TMemoryStream S;
  WriteComponent(S, Source);
  S.SetPosition(0);
  TvxAnimationRec Read;
  ReadComponent(S, Read);
  EXPECT_EQ(Read.Name(), "Show");
  EXPECT_EQ(Read.Effect(), "[ FADE ] - CircleSlideOut");
  EXPECT_TRUE(Read.Enabled());
  EXPECT_EQ(Read.Rotation(), TvxRotation::krRotate180);
  EXPECT_EQ(Read.Time(), 800);
  EXPECT_EQ(Read.Resolution(), 1);
}

// [Frames] --------------------------------------------------------------------------------------

// FadeDown: rows 0 .. H * p / 100 - 1 of the mask at p * 255 / 100. A key pixel of the new image
// shows the old one throughout.
TEST(TransitionFrames, FadeKindMaskAtSeveralProgressPoints) {
  TImages I(9, 7);
  I.New.SetPixel(2, 1, 0x007F007F);
  auto S = Settings("FadeDown");
  TvxTransition T;
  ASSERT_TRUE(T.Start(*S, I.New, I.Old));
  const Integer H = 7 / 1 / 1 + 1;
  EXPECT_EQ(T.MaskWidth(), 10);
  EXPECT_EQ(T.MaskHeight(), H);
  for (Integer P : {0, 13, 50, 87, 99}) {
    T.RenderFrame(P);
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          const int A = (X == 2 && Y == 1) ? 0 : Y < H * P / 100 ? P * 255 / 100 : 0;
          return Blended(I.New.GetPixel(X, Y), I.Old.GetPixel(X, Y), A);
        },
        "p " + std::to_string(P));
  }
}

// A quarter turn paints the mask H x W and turns it: rows from the top become columns from the
// left (90), rows from the bottom (180) and columns from the right (270).
TEST(TransitionFrames, RotationTurnsAFadeMask) {
  TImages I(9, 6);
  const Integer W = 10, H = 7, P = 40;
  struct TCase {
    TvxRotation Rotation;
    std::function<bool(Integer, Integer)> Covered;
  };
  const TCase Cases[] = {
      {TvxRotation::krNone, [&](Integer, Integer Y) { return Y < H * P / 100; }},
      {TvxRotation::krRotate90, [&](Integer X, Integer) { return X < W * P / 100; }},
      {TvxRotation::krRotate180, [&](Integer, Integer Y) { return H - 1 - Y < H * P / 100; }},
      {TvxRotation::krRotate270, [&](Integer X, Integer) { return W - 1 - X < W * P / 100; }},
  };
  for (const TCase& C : Cases) {
    auto S = Settings("SlideDown", 1, 1, C.Rotation);
    TvxTransition T;
    ASSERT_TRUE(T.Start(*S, I.New, I.Old));
    T.RenderFrame(P);
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          return Blended(I.New.GetPixel(X, Y), I.Old.GetPixel(X, Y), C.Covered(X, Y) ? 255 : 0);
        },
        "rotation " + std::to_string(int(C.Rotation)));
  }
}

// Cells of Resolution x Resolution pixels; the mask of W = 13 div 2 div 2 + 1 = 4 by
// H = 9 div 2 div 2 + 1 = 3 cells repeats over tiles of 8 x 6 pixels from the top-left corner.
TEST(TransitionFrames, ResolutionAndTilesStretchAndRepeatTheMask) {
  TImages I(13, 9);
  auto S = Settings("FadeDown", 2, 2);
  TvxTransition T;
  ASSERT_TRUE(T.Start(*S, I.New, I.Old));
  ASSERT_EQ(T.MaskWidth(), 4);
  ASSERT_EQ(T.MaskHeight(), 3);
  for (Integer P : {34, 67}) {
    T.RenderFrame(P);
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          const Integer CellRow = (Y % 6) / 2;
          return Blended(I.New.GetPixel(X, Y), I.Old.GetPixel(X, Y), CellRow < 3 * P / 100 ? P * 255 / 100 : 0);
        },
        "p " + std::to_string(P));
  }
}

// Corner: the bottom-right p % of the new image's cells (in each direction) at the top-left.
TEST(TransitionFrames, SlideKindMovesCellsOfTheNewImage) {
  TImages I(8, 6);
  I.New.SetPixel(7, 5, 0x007F007F);
  const Integer W = 9, H = 7;
  for (Integer P : {30, 50, 90}) {
    auto S = Settings("Corner");
    TvxTransition T;
    ASSERT_TRUE(T.Start(*S, I.New, I.Old));
    T.RenderFrame(P);
    const Integer CW = W * P / 100, CH = H * P / 100;
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          if (X >= CW || Y >= CH) return I.Old.GetPixel(X, Y);
          const Integer SX = W - CW + X, SY = H - CH + Y;
          if (SX >= 8 || SY >= 6 || (SX == 7 && SY == 5)) return I.Old.GetPixel(X, Y);
          return I.New.GetPixel(SX, SY);
        },
        "p " + std::to_string(P));
  }
}

TEST(TransitionFrames, SlideKindCellsBlendAtTheirOpacityAndFollowTheRotation) {
  // Interlace at p: even rows show the new image (100 - p) % of W cells to the right, odd rows as
  // far to the left. A half turn mirrors both the cells and their sources.
  TImages I(10, 4);
  const Integer W = 11, P = 60, Offset = W * (100 - P) / 100;
  for (TvxRotation R : {TvxRotation::krNone, TvxRotation::krRotate180}) {
    auto S = Settings("Interlace", 1, 1, R);
    TvxTransition T;
    ASSERT_TRUE(T.Start(*S, I.New, I.Old));
    T.RenderFrame(P);
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          // In the unturned grid of 11 x 5 cells.
          const bool Half = R == TvxRotation::krRotate180;
          const Integer GX = Half ? W - 1 - X : X, GY = Half ? 5 - 1 - Y : Y;
          const Integer Source = GY % 2 == 0 ? GX + Offset : GX - Offset;
          if (Source < 0 || Source >= W) return I.Old.GetPixel(X, Y);
          const Integer SX = Half ? W - 1 - Source : Source;
          return SX < 10 ? I.New.GetPixel(SX, Y) : I.Old.GetPixel(X, Y);
        },
        "rotation " + std::to_string(int(R)));
  }
}

// Slide: the new image stands p % of its size in from the left, the bottom, the right or the top.
TEST(TransitionFrames, ManualKindSlidesTheNewImageIn) {
  TImages I(10, 8);
  const Integer P = 30, DX = 10 * P / 100, DY = 8 * P / 100;
  struct TCase {
    TvxRotation Rotation;
    Integer X, Y;  // where the new image's top-left corner stands
  };
  const TCase Cases[] = {{TvxRotation::krNone, DX - 10, 0},
                         {TvxRotation::krRotate90, 0, 8 - DY},
                         {TvxRotation::krRotate180, 10 - DX, 0},
                         {TvxRotation::krRotate270, 0, DY - 8}};
  for (const TCase& C : Cases) {
    auto S = Settings("Slide", 1, 1, C.Rotation);
    TvxTransition T;
    ASSERT_TRUE(T.Start(*S, I.New, I.Old));
    T.RenderFrame(P);
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          const Integer SX = X - C.X, SY = Y - C.Y;
          return SX >= 0 && SX < 10 && SY >= 0 && SY < 8 ? I.New.GetPixel(SX, SY) : I.Old.GetPixel(X, Y);
        },
        "rotation " + std::to_string(int(C.Rotation)));
  }
}

TEST(TransitionFrames, PushMovesTheOldImageAwayBeforeTheNewOneSlidesIn) {
  TImages I(10, 8);
  const Integer P = 40, DX = 10 * P / 100;
  auto S = Settings("Push");
  TvxTransition T;
  ASSERT_TRUE(T.Start(*S, I.New, I.Old));
  T.RenderFrame(P);
  ExpectFrame(
      T, [&](Integer X, Integer Y) { return X < DX ? I.New.GetPixel(X + 10 - DX, Y) : I.Old.GetPixel(X - DX, Y); },
      "push");
}

// Opacity = mask + 510 p / 100 - 255, clamped: at 50 % the mask value itself.
TEST(TransitionFrames, BitmapAnimationUsesTheMaskValueAsOpacity) {
  TImages I(6, 5);
  const Integer W = 7, H = 6;
  std::vector<Byte> Source(size_t(W * H));
  for (size_t K = 0; K < Source.size(); ++K) Source[K] = Byte(K * 6);
  auto S = Settings("[ BITMAP ] - Bitmap Animation");
  TvxTransition T;
  ASSERT_TRUE(T.StartWithMask(*S, I.New, I.Old, Source));
  for (Integer P : {0, 25, 50, 80}) {
    T.RenderFrame(P);
    ExpectFrame(
        T,
        [&](Integer X, Integer Y) {
          const int A = std::clamp(Source[size_t(Y * W + X)] + 510 * P / 100 - 255, 0, 255);
          return Blended(I.New.GetPixel(X, Y), I.Old.GetPixel(X, Y), A);
        },
        "p " + std::to_string(P));
  }
  // A quarter turn reads the H x W source turned: cell (i, j) takes R(j, H - 1 - i)... that is
  // M(i, H - 1 - j) = R(j, i) with R H cells wide.
  S->SetRotation(TvxRotation::krRotate90);
  ASSERT_TRUE(T.StartWithMask(*S, I.New, I.Old, Source));
  T.RenderFrame(50);
  ExpectFrame(
      T,
      [&](Integer X, Integer Y) {
        const Integer J = H - 1 - Y, Ii = X;  // M(Ii, H - 1 - J) = R(J, Ii)
        return Blended(I.New.GetPixel(X, Y), I.Old.GetPixel(X, Y), Source[size_t(Ii * H + J)]);
      },
      "quarter turn");
}

// Interlace and Corner over tiles of cells of Resolution pixels: cell (i, j) of a tile shows the
// block of its source cell in the same tile, where that pixel lies inside the image and is not a
// key pixel. Falling progress shows that no cell of an earlier frame stays behind.
TEST(TransitionFrames, SlideKindCellsOverTilesAtFallingProgress) {
  TImages I(13, 9);
  I.New.SetPixel(3, 1, 0x007F007F);
  const Integer Resolution = 2, W = 13 / 2 / 2 + 1, H = 9 / 2 / 2 + 1, TileW = W * Resolution, TileH = H * Resolution;
  struct TCase {
    const char* Effect;
    // The source cell of cell (i, j) at P; false where the cell shows nothing.
    std::function<bool(Integer, Integer, Integer, Integer&, Integer&)> Source;
  };
  const TCase Cases[] = {
      {"Interlace",
       [&](Integer X, Integer Y, Integer P, Integer& SX, Integer& SY) {
         const Integer Offset = W * (100 - P) / 100;
         SX = Y % 2 == 0 ? X + Offset : X - Offset;
         SY = Y;
         return SX >= 0 && SX < W;
       }},
      {"Corner",
       [&](Integer X, Integer Y, Integer P, Integer& SX, Integer& SY) {
         const Integer CW = W * P / 100, CH = H * P / 100;
         SX = W - CW + X;
         SY = H - CH + Y;
         return X < CW && Y < CH;
       }},
  };
  for (const TCase& C : Cases) {
    auto S = Settings(C.Effect, Resolution, 2);
    TvxTransition T;
    ASSERT_TRUE(T.Start(*S, I.New, I.Old));
    for (Integer P : {90, 20, 100, 60, 0}) {
      T.RenderFrame(P);
      ExpectFrame(
          T,
          [&](Integer X, Integer Y) {
            const Integer OX = X / TileW * TileW, OY = Y / TileH * TileH;
            Integer SX = 0, SY = 0;
            if (!C.Source((X - OX) / Resolution, (Y - OY) / Resolution, P, SX, SY)) return I.Old.GetPixel(X, Y);
            const Integer PX = OX + SX * Resolution + (X - OX) % Resolution;
            const Integer PY = OY + SY * Resolution + (Y - OY) % Resolution;
            if (PX >= 13 || PY >= 9 || (PX == 3 && PY == 1)) return I.Old.GetPixel(X, Y);
            return I.New.GetPixel(PX, PY);
          },
          std::string(C.Effect) + " p " + std::to_string(P));
    }
  }
}

// [Frame pieces] The mask blend and the cell runs of a frame, in every set of row loops.

namespace {

std::vector<const TvxEffectRows*> RowSets() {
  std::vector<const TvxEffectRows*> S = {&ScalarEffectRows()};
  if (auto* Set = Sse2EffectRows()) S.push_back(Set);
  if (auto* Set = Avx2EffectRows()) S.push_back(Set);
  return S;
}

// Puts the active row loops back when a test that switches them ends.
struct TRowSetGuard {
  const TvxEffectRows& Previous = EffectRows();
  ~TRowSetGuard() { SetEffectRows(Previous); }
};

}  // namespace

// Mask rows of one opacity (0, 1, 127, 254, 255) take a loop of their own; rows that are of one
// opacity only as far as the image reaches, or that differ only in the last cell it reaches,
// must be told apart from them. Odd widths, cells of several pixels and tiles.
TEST(FramePieces, MaskRowsOfOneOpacityOrOfManyFollowTheBlendRule) {
  struct TCase {
    Integer IW, IH, Resolution, TileCount;
  };
  const TCase Cases[] = {{13, 7, 1, 1}, {1, 3, 1, 1}, {17, 6, 3, 1}, {13, 9, 2, 2}, {23, 41, 10, 1}, {11, 4, 1, 3}};
  const Byte Uniform[] = {0, 1, 127, 254, 255};
  std::mt19937 Rng(11);
  TRowSetGuard Guard;
  for (const TvxEffectRows* Set : RowSets()) {
    SetEffectRows(*Set);
    for (const TCase& C : Cases) {
      const Integer W = C.IW / C.Resolution / C.TileCount + 1, H = C.IH / C.Resolution / C.TileCount + 1;
      // The cells of a mask row that the image reaches.
      const Integer Reached = std::min(W, (C.IW + C.Resolution - 1) / C.Resolution);
      TImages I(C.IW, C.IH);
      // Prepared as a transition does: opaque, a key pixel with alpha 0.
      I.New.SetPixel(C.IW / 2, C.IH - 1, 0x007F007F);
      const TvxBitmap& New = I.New;
      for (Integer Round = 0; Round < 5; ++Round) {
        std::vector<Byte> Mask(size_t(W) * size_t(H));
        for (Integer J = 0; J < H; ++J) {
          Byte* Row = Mask.data() + size_t(J) * size_t(W);
          const Byte V = Uniform[size_t((J + Round) % 5)];
          std::fill(Row, Row + W, V);
          switch (J % 4) {
            case 1:
              for (Integer K = 0; K < W; ++K) Row[K] = Byte(Rng());
              break;
            case 2:
              for (Integer K = Reached; K < W; ++K) Row[K] = Byte(V + 1 + K);
              break;
            case 3: Row[Reached - 1] = Byte(V ^ 0x40); break;
            default: break;
          }
        }
        TvxBitmap Work;
        Paint(Work, C.IW, C.IH, 0xDEADBEEF);
        BlendMasked(I.Old, New, Work, Mask.data(), W, H, C.Resolution, C.TileCount);
        for (Integer Y = 0; Y < C.IH; ++Y)
          for (Integer X = 0; X < C.IW; ++X) {
            const Integer Column = X % (W * C.Resolution) / C.Resolution, Row = Y % (H * C.Resolution) / C.Resolution;
            const int A = New.GetPixel(X, Y) >> 24 ? Mask[size_t(Row) * size_t(W) + size_t(Column)] : 0;
            ASSERT_EQ(Work.GetPixel(X, Y), Blended(New.GetPixel(X, Y), I.Old.GetPixel(X, Y), A))
                << Set->Name << " " << C.IW << "x" << C.IH << " r" << C.Resolution << " t" << C.TileCount << " round "
                << Round << " at (" << X << ", " << Y << ")";
          }
      }
    }
  }
}

// Runs of cells of every length broken by opacity, source row or source column, empty cells with
// leftovers in their other fields and in the high byte of the opacity, sources past the tile or
// the image; the cells come back empty.
TEST(FramePieces, CellRunsOfEveryKindAndTheCellsComeBackEmpty) {
  struct TCase {
    Integer IW, IH, Resolution, TileCount;
  };
  const TCase Cases[] = {{40, 6, 1, 1}, {41, 7, 2, 2}, {29, 5, 3, 1}, {60, 3, 1, 1}};
  const Byte Opacities[] = {1, 127, 254, 255, 255};
  std::mt19937 Rng(12);
  TRowSetGuard Guard;
  for (const TvxEffectRows* Set : RowSets()) {
    SetEffectRows(*Set);
    for (const TCase& C : Cases) {
      const Integer W = C.IW / C.Resolution / C.TileCount + 1, H = C.IH / C.Resolution / C.TileCount + 1;
      const Integer TileW = W * C.Resolution, TileH = H * C.Resolution;
      TImages I(C.IW, C.IH);
      I.New.SetPixel(1, 1, 0x007F007F);
      const TvxBitmap& New = I.New;
      for (Integer Round = 0; Round < 6; ++Round) {
        std::vector<TvxEffectCell> Cells(size_t(W) * size_t(H));
        for (Integer J = 0; J < H; ++J) {
          TvxEffectCell* Row = Cells.data() + size_t(J) * size_t(W);
          for (Integer K = 0; K < W;) {
            const Integer Length = std::min<Integer>(W - K, 1 + Integer(Rng() % 20));
            const bool Empty = Rng() % 4 == 0;
            const uint16_t Alpha = uint16_t((Rng() % 3 ? 0 : Rng() % 256) << 8 | (Empty ? 0 : Opacities[Rng() % 5]));
            const uint16_t SX = uint16_t(Rng() % uint32_t(W + 3)), SY = uint16_t(Rng() % uint32_t(H + 1));
            for (Integer N = 0; N < Length; ++N, ++K) Row[K] = {Alpha, uint16_t(Empty ? Rng() : SX + N), SY};
          }
        }
        // Source columns that would wrap in 16 bits: the run breaks after 65535.
        if (Round == 0) {
          Cells[0] = {255, 65535, 0};
          for (Integer K = 1; K < W; ++K) Cells[size_t(K)] = {255, uint16_t(K - 1), 0};
        }
        const std::vector<TvxEffectCell> Given = Cells;
        TvxBitmap Work;
        Paint(Work, C.IW, C.IH, 0xDEADBEEF);
        ApplyCells(I.Old, New, Work, Cells.data(), W, H, C.Resolution, C.TileCount);
        for (size_t K = 0; K < Cells.size(); ++K)
          ASSERT_TRUE(Cells[K].Alpha == 0 && Cells[K].X == 0 && Cells[K].Y == 0) << "cell " << K << " left behind";
        for (Integer Y = 0; Y < C.IH; ++Y)
          for (Integer X = 0; X < C.IW; ++X) {
            const Integer OX = X / TileW * TileW, OY = Y / TileH * TileH;
            const Integer DX = (X - OX) % C.Resolution, DY = (Y - OY) % C.Resolution;
            const TvxEffectCell& Cell =
                Given[size_t((Y - OY) / C.Resolution) * size_t(W) + size_t((X - OX) / C.Resolution)];
            const Integer LX = Cell.X * C.Resolution + DX, LY = Cell.Y * C.Resolution + DY;
            TvxColor E = I.Old.GetPixel(X, Y);
            if ((Cell.Alpha & 0xFF) && LX < TileW && LY < TileH && OX + LX < C.IW && OY + LY < C.IH &&
                New.GetPixel(OX + LX, OY + LY) >> 24)
              E = Blended(New.GetPixel(OX + LX, OY + LY), E, Cell.Alpha & 0xFF);
            ASSERT_EQ(Work.GetPixel(X, Y), E) << Set->Name << " " << C.IW << "x" << C.IH << " r" << C.Resolution << " t"
                                              << C.TileCount << " round " << Round << " at (" << X << ", " << Y << ")";
          }
      }
    }
  }
}

// [Progress] ------------------------------------------------------------------------------------

TEST(TransitionProgress, FourHundredMillisecondsTakeTwentyTicksEndingOnTheNewImage) {
  TImages I(6, 4);
  I.New.SetPixel(1, 1, 0x007F007F);
  auto S = Settings("Fade");
  TvxTransition T;
  ASSERT_TRUE(T.Start(*S, I.New, I.Old));
  std::vector<Integer> Seen;
  for (Integer Tick = 0; Tick < 40; ++Tick) {
    const Integer P = T.Step();
    Seen.push_back(P);
    if (P < 100)
      ExpectFrame(
          T,
          [&](Integer X, Integer Y) {
            const int A = X == 1 && Y == 1 ? 0 : P * 255 / 100;
            return Blended(I.New.GetPixel(X, Y), I.Old.GetPixel(X, Y), A);
          },
          "tick " + std::to_string(Tick));
    if (P >= 100) break;
  }
  std::vector<Integer> Expected;
  for (Integer P = 5; P <= 100; P += 5) Expected.push_back(P);
  EXPECT_EQ(Seen, Expected);
  ExpectFrame(
      T, [&](Integer X, Integer Y) { return X == 1 && Y == 1 ? I.Old.GetPixel(X, Y) : I.New.GetPixel(X, Y); },
      "last frame");
}

TEST(TransitionProgress, TheShortestTimeTakesThreeTicks) {
  TImages I(3, 3);
  auto S = Settings("Fade");
  S->SetTime(10);
  TvxTransition T;
  ASSERT_TRUE(T.Start(*S, I.New, I.Old));
  // Elapsed 20.01, 40.01, 60.01 of 50 ms: 40, 80, then above 99.
  EXPECT_EQ(T.Step(), 40);
  EXPECT_EQ(T.Step(), 80);
  EXPECT_EQ(T.Step(), 100);
}

TEST(TransitionProgress, NothingStartsWithoutBothImagesOrAKnownEffect) {
  TImages I(4, 4);
  TvxBitmap Empty;
  struct TCase {
    const char* Effect;
    const TvxBitmap &New, &Old;
  };
  const TCase Cases[] = {
      {"Fade", Empty, I.Old},
      {"Fade", I.New, Empty},
      {"NoSuchEffect", I.New, I.Old},
      // The native build has no mask bitmap; on Windows an empty Bitmap is the same case.
      {"[ BITMAP ] - Bitmap Animation", I.New, I.Old},
  };
  for (const TCase& C : Cases) {
    auto S = Settings(C.Effect);
    TvxTransition T;
    EXPECT_FALSE(T.Start(*S, C.New, C.Old)) << C.Effect;
    EXPECT_FALSE(T.Active()) << C.Effect;
  }
  auto Random = Settings("[ random ] - random selection");
  TvxTransition T;
  EXPECT_TRUE(T.Start(*Random, I.New, I.Old));
}

// The transition works on its own copies: the caller may change or free images and settings.
TEST(TransitionProgress, ImagesAndSettingsMayGoAwayWhileATransitionRuns) {
  auto Old = std::make_unique<TvxBitmap>();
  auto New = std::make_unique<TvxBitmap>();
  Paint(*Old, 5, 4, 0xFF000000);
  Paint(*New, 5, 4, 0xFFFFFFFF);
  auto S = Settings("Fade");
  TvxTransition T;
  ASSERT_TRUE(T.Start(*S, *New, *Old));
  T.Step();
  New->Fill(0xFF00FF00);
  New.reset();
  Old.reset();
  S.reset();
  Integer P = 0;
  while ((P = T.Step()) < 100) EXPECT_EQ(T.Work().GetPixel(2, 2), Blended(0xFFFFFFFF, 0xFF000000, P * 255 / 100));
  EXPECT_EQ(T.Work().GetPixel(4, 3), 0xFFFFFFFFu);
  T.Stop();
  EXPECT_FALSE(T.Active());
}

// [Built-in effects] ----------------------------------------------------------------------------

// At p = 100 every effect shows the whole new image: fade-kind masks are 255 everywhere and
// slide-kind cells show their own cell, opaque. Every percentage runs on odd and tiny sizes.
TEST(BuiltInEffects, EveryEffectCoversTheWholeImageAtOneHundredPercent) {
  const TvxProcList& List = EffectList();
  for (Integer K = 0; K < List.Count(); ++K) {
    const TvxProcItem& Item = *List.Items(K);
    if (Item.Kind == ekManual || Item.DisplayName == "[ FADE ] - Custom") continue;
    for (auto [W, H] : {std::pair{1, 1}, std::pair{2, 7}, std::pair{13, 5}, std::pair{40, 31}}) {
      const size_t Count = size_t(W) * size_t(H);
      for (Integer P = 0; P <= 100; ++P) {
        if (Item.Kind == ekFade) {
          const std::vector<Byte> Mask = PaintMask(Item, W, H, P);
          if (P == 100) {
            EXPECT_EQ(Mask, std::vector<Byte>(Count, 255)) << Item.DisplayName << " " << W << "x" << H;
          }
        } else {
          std::vector<TvxEffectCell> Cells(Count, TvxEffectCell{});
          std::get<TvxSlideProc>(Item.Proc)(Cells.data(), W, H, P);
          for (size_t C = 0; P == 100 && C < Count; ++C) {
            EXPECT_EQ(Cells[C].Alpha & 0xFF, 255) << Item.DisplayName;
            EXPECT_EQ(Cells[C].X, C % size_t(W)) << Item.DisplayName;
            EXPECT_EQ(Cells[C].Y, C / size_t(W)) << Item.DisplayName;
          }
        }
      }
    }
  }
}

// An In effect paints its Out effect for 100 - p and inverts it: painted cells 0, the rest the
// In effect's value (255 for Slide, p * 255 / 100 for Fade).
TEST(BuiltInEffects, InEffectsInvertTheirOutEffects) {
  const struct {
    const char *In, *Out;
    bool Fade;
  } Pairs[] = {{"SlideIn", "SlideOut", false},          {"FadeCrossIn", "FadeCrossOut", true},
               {"SlideRectIn", "SlideRectOut", false},  {"SlideDiagonalIn", "SlideDiagonalOut", false},
               {"CircleFadeIn", "CircleFadeOut", true}, {"DiamondSlideIn", "DiamondSlideOut", false}};
  for (const auto& Pair : Pairs)
    for (Integer P : {10, 45, 80}) {
      const std::vector<Byte> In = PaintMask(*FindEffect(Pair.In), 23, 17, P);
      const std::vector<Byte> Out = PaintMask(*FindEffect(Pair.Out), 23, 17, 100 - P);
      for (size_t C = 0; C < In.size(); ++C)
        ASSERT_EQ(In[C], Out[C] ? 0 : Pair.Fade ? P * 255 / 100 : 255) << Pair.In << " p " << P << " cell " << C;
    }
}

TEST(BuiltInEffects, PixelChoosesItsShareOfCellsTheSameWayForEqualSizes) {
  const TvxProcItem& Pixel = *FindEffect("Pixel");
  for (Integer P : {1, 37, 50}) {
    const std::vector<Byte> Mask = PaintMask(Pixel, 31, 9, P);
    EXPECT_EQ(std::count(Mask.begin(), Mask.end(), Byte(255)), 31 * 9 * P / 100) << P;
    EXPECT_EQ(std::count(Mask.begin(), Mask.end(), Byte(0)), 31 * 9 - 31 * 9 * P / 100) << P;
    EXPECT_EQ(PaintMask(Pixel, 31, 9, P), Mask) << "seeded with the size";
  }
  // A larger share keeps the cells of a smaller one.
  const std::vector<Byte> Less = PaintMask(Pixel, 31, 9, 20), More = PaintMask(Pixel, 31, 9, 60);
  for (size_t C = 0; C < Less.size(); ++C)
    if (Less[C]) {
      EXPECT_EQ(More[C], 255) << C;
    }
}
