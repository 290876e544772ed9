// The row loops of transition frames against the blend rule, in every set the processor has:
// opacity 0 (or a hidden new pixel) keeps the old pixel, 255 takes the new one, otherwise every
// channel is (256 * old + a * (new - old)) >> 8, alpha included with the new pixel's alpha as a.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "vexel/graphics/vx_effect_rows.h"

namespace {

TvxColor Expected(TvxColor New, TvxColor Old, int A) {
  if (A == 0 || (New >> 24) == 0) return Old;
  New = (New & 0x00FFFFFF) | TvxColor(A) << 24;
  if (A == 255) return New;
  TvxColor R = 0;
  for (int S = 0; S < 32; S += 8) {
    const int F = (New >> S) & 0xFF, B = (Old >> S) & 0xFF;
    R |= TvxColor((256 * B + A * (F - B)) >> 8) << S;
  }
  return R;
}

std::vector<const TvxEffectRows*> Sets() {
  std::vector<const TvxEffectRows*> S = {&ScalarEffectRows()};
  if (auto* Set = Sse2EffectRows()) S.push_back(Set);
  if (auto* Set = Avx2EffectRows()) S.push_back(Set);
  return S;
}

// Old pixels of any value; new pixels as a transition prepares them: opaque, or key with alpha 0.
struct TRow {
  std::vector<TvxColor> Old, New;
  TRow(std::mt19937& Rng, size_t N) : Old(N), New(N) {
    // Channel extremes are where 16-bit lanes overflow or a rounding goes wrong.
    static const Byte Edges[] = {0, 1, 127, 128, 254, 255};
    auto Channel = [&] { return Rng() % 2 ? Edges[Rng() % 6] : Byte(Rng()); };
    auto Pixel = [&] {
      return TvxColor(Channel()) << 24 | TvxColor(Channel()) << 16 | TvxColor(Channel()) << 8 | Channel();
    };
    for (size_t I = 0; I < N; ++I) {
      Old[I] = Pixel();
      New[I] = Rng() % 7 == 0 ? vxKeyColor : Pixel() | 0xFF000000;
    }
  }
};

const Byte Opacities[] = {0, 1, 2, 127, 128, 254, 255};

}  // namespace

// Odd lengths leave tails after every vector width; writing into Old itself is how slide-kind
// frames use the uniform loop.
TEST(EffectRows, UniformOpacityFollowsTheBlendRuleAtEveryLength) {
  std::mt19937 Rng(71);
  for (const TvxEffectRows* Set : Sets())
    for (Integer Length = 0; Length <= 37; ++Length)
      for (const Byte A : Opacities) {
        const TRow R(Rng, size_t(Length));
        std::vector<TvxColor> Out(size_t(Length), 0xDEADBEEF), InPlace = R.Old;
        Set->Uniform(R.Old.data(), R.New.data(), Out.data(), A, Length);
        Set->Uniform(InPlace.data(), R.New.data(), InPlace.data(), A, Length);
        for (Integer X = 0; X < Length; ++X) {
          const TvxColor E = Expected(R.New[size_t(X)], R.Old[size_t(X)], A);
          ASSERT_EQ(Out[size_t(X)], E) << Set->Name << " opacity " << int(A) << " length " << Length << " at " << X;
          ASSERT_EQ(InPlace[size_t(X)], E) << Set->Name << " in place, opacity " << int(A) << " at " << X;
        }
      }
}

// Opacity rows with runs of 0 and 255 (the loops skip whole blocks of those) broken at every
// position, and single odd values.
TEST(EffectRows, PerPixelOpacityFollowsTheBlendRuleAtEveryLength) {
  std::mt19937 Rng(72);
  for (const TvxEffectRows* Set : Sets())
    for (Integer Length = 0; Length <= 37; ++Length)
      for (int Round = 0; Round < 12; ++Round) {
        const TRow R(Rng, size_t(Length));
        std::vector<Byte> Alpha(static_cast<size_t>(Length));
        const Byte Base = Round % 3 == 0 ? 0 : Round % 3 == 1 ? 255 : Opacities[Rng() % 7];
        for (Byte& A : Alpha) A = Rng() % 4 ? Base : Opacities[Rng() % 7];
        std::vector<TvxColor> Out(size_t(Length), 0xDEADBEEF);
        Set->Masked(R.Old.data(), R.New.data(), Out.data(), Alpha.data(), Length);
        for (Integer X = 0; X < Length; ++X)
          ASSERT_EQ(Out[size_t(X)], Expected(R.New[size_t(X)], R.Old[size_t(X)], Alpha[size_t(X)]))
              << Set->Name << " length " << Length << " opacity " << int(Alpha[size_t(X)]) << " at " << X;
      }
}

// Every opacity over pixels that put each channel at its extremes against each other.
TEST(EffectRows, EveryOpacityOverChannelExtremes) {
  const std::vector<TvxColor> Old = {0x00000000, 0xFFFFFFFF, 0x00FF00FF, 0xFF00FF00, 0x80808080, 0x01FE01FE,
                                     0x7F7F7F7F, 0xFF000000, 0x00FFFFFF, 0x12345678, 0xFEFEFEFE};
  const std::vector<TvxColor> New = {0xFFFFFFFF, 0xFF000000, 0xFFFF00FF, 0xFF00FF00, 0xFF7F7F7F, 0xFFFE01FE,
                                     0xFF808080, 0xFFFFFFFF, 0xFF000000, 0xFF876543, 0xFF010101};
  const Integer N = Integer(Old.size());
  for (const TvxEffectRows* Set : Sets())
    for (int A = 0; A < 256; ++A) {
      std::vector<TvxColor> Uniform(Old.size()), Masked(Old.size());
      const std::vector<Byte> Alpha(Old.size(), Byte(A));
      Set->Uniform(Old.data(), New.data(), Uniform.data(), Byte(A), N);
      Set->Masked(Old.data(), New.data(), Masked.data(), Alpha.data(), N);
      for (size_t X = 0; X < Old.size(); ++X) {
        ASSERT_EQ(Uniform[X], Expected(New[X], Old[X], A)) << Set->Name << " uniform, opacity " << A << " at " << X;
        ASSERT_EQ(Masked[X], Expected(New[X], Old[X], A)) << Set->Name << " masked, opacity " << A << " at " << X;
      }
    }
}

TEST(EffectRows, TheWidestAvailableSetIsActiveAndSameBytesComparesEveryByte) {
  const TvxEffectRows* Widest = Avx2EffectRows() ? Avx2EffectRows() : Sse2EffectRows();
  EXPECT_STREQ(EffectRows().Name, (Widest ? Widest : &ScalarEffectRows())->Name);

  for (Integer Length = 0; Length <= 40; ++Length) {
    const std::vector<Byte> Same(size_t(Length), 9);
    EXPECT_TRUE(SameBytes(Same.data(), Length)) << Length;
    for (Integer At = 0; At < Length && Length > 1; ++At) {
      std::vector<Byte> Other = Same;
      Other[size_t(At)] = 8;
      EXPECT_FALSE(SameBytes(Other.data(), Length)) << Length << " differing at " << At;
    }
  }
}

// A shape's mask at one progress: where the distance is below the threshold, Value falling by
// Slope * distance in single precision, truncated; 0 elsewhere. Distances at the threshold and one
// step either side of it, at every length.
TEST(EffectRows, ShapeLevelsBelowTheThresholdAtEveryLength) {
  struct TCase {
    float T, Value, Slope;
  };
  // A smooth edge at 50 % reaching 0.45 with peak 255 * 100 / 100, a hard edge, a faded one.
  const TCase Cases[] = {{0.45f, 255, 255 / 0.45f}, {0.9f, 229, 229 / 0.9f}, {1, 255, 0}, {0.5f, 127, 0}, {0, 255, 0}};
  std::mt19937 Rng(73);
  for (const TvxEffectRows* Set : Sets())
    for (const TCase& C : Cases)
      for (size_t Length = 0; Length <= 70; ++Length) {
        std::vector<float> D(Length);
        for (float& V : D) {
          switch (Rng() % 5) {
            case 0: V = C.T; break;
            case 1: V = std::nextafter(C.T, 0.f); break;
            case 2: V = std::nextafter(C.T, 2.f); break;
            default: V = float(Rng() % 10001) / 10000; break;
          }
        }
        std::vector<Byte> Mask(Length, 0xAA);
        Set->Level(Mask.data(), D.data(), Length, C.T, C.Value, C.Slope);
        for (size_t I = 0; I < Length; ++I) {
          const float Level = C.Value - D[I] * C.Slope;
          ASSERT_EQ(Mask[I], D[I] < C.T ? Byte(Level) : 0)
              << Set->Name << " threshold " << C.T << " length " << Length << " distance " << D[I] << " at " << I;
        }
      }
}
