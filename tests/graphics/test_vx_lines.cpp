#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "vexel/graphics/vx_lines.h"

namespace {

std::vector<const TvxLineRoutines*> VectorSets() {
  std::vector<const TvxLineRoutines*> Sets;
  if (auto* S = Sse2LineRoutines()) Sets.push_back(S);
  if (auto* S = Avx2LineRoutines()) Sets.push_back(S);
  return Sets;
}

// Random pixels biased towards the values that take special paths: alpha 0 and 255, key
// pixels with any alpha.
std::vector<TvxColor> RandomPixels(std::mt19937& Rng, size_t N) {
  std::vector<TvxColor> P(N);
  for (auto& V : P) {
    V = Rng();
    switch (Rng() % 5) {
      case 0: V &= 0x00FFFFFF; break;
      case 1: V |= 0xFF000000; break;
      case 2: V = (V & 0xFF000000) | vxKeyColor; break;
      default: break;
    }
  }
  return P;
}

}  // namespace

TEST(LineRoutines, VectorSetsMatchTheScalarReferenceOnRandomData) {
  std::mt19937 Rng(20261210);
  const TvxLineRoutines& Scalar = ScalarLineRoutines();
  for (const TvxLineRoutines* Set : VectorSets()) {
    for (Integer Length = 0; Length <= 70; ++Length) {
      for (int Round = 0; Round < 20; ++Round) {
        const auto Src = RandomPixels(Rng, size_t(Length));
        const auto Dst = RandomPixels(Rng, size_t(Length));
        for (TvxDrawMode Mode : {TvxDrawMode::dmCopy, TvxDrawMode::dmKey, TvxDrawMode::dmBlend}) {
          auto Expected = Dst, Actual = Dst;
          Scalar.For(Mode)(Src.data(), Expected.data(), Length);
          Set->For(Mode)(Src.data(), Actual.data(), Length);
          ASSERT_EQ(Actual, Expected) << Set->Name << " mode " << int(Mode) << " length " << Length;
        }
      }
    }
  }
}

TEST(LineRoutines, BlendGivesTheDocumentedValuesInEveryLane) {
  // 11 pixels: covers a full AVX2 block, an SSE2 block and a scalar tail.
  std::vector<TvxColor> Src(11, 0x80C80000), Expected(11, 0xBF960000);
  Src[3] = 0x00ABCDEF;  // alpha 0: target kept
  Src[9] = 0xFF0A0B0C;  // alpha 255: source taken
  Expected[3] = 0xFF640000;
  Expected[9] = 0xFF0A0B0C;
  for (const TvxLineRoutines* Set : {&ScalarLineRoutines(), Sse2LineRoutines(), Avx2LineRoutines()}) {
    if (!Set) continue;
    std::vector<TvxColor> Dst(11, 0xFF640000);
    Set->Blend(Src.data(), Dst.data(), 11);
    EXPECT_EQ(Dst, Expected) << Set->Name;
  }
}

TEST(LineRoutines, KeySkipsKeyPixelsWhateverTheirAlphaAndMakesOthersOpaque) {
  const std::vector<TvxColor> Src = {0x007F007F, 0xFF7F007F, 0x10203040, 0x007F0080, 0x12345678};
  const std::vector<TvxColor> Expected = {0xAAAAAAAA, 0xAAAAAAAA, 0xFF203040, 0xFF7F0080, 0xFF345678};
  for (const TvxLineRoutines* Set : {&ScalarLineRoutines(), Sse2LineRoutines(), Avx2LineRoutines()}) {
    if (!Set) continue;
    std::vector<TvxColor> Dst(Src.size(), 0xAAAAAAAA);
    Set->Key(Src.data(), Dst.data(), Integer(Src.size()));
    EXPECT_EQ(Dst, Expected) << Set->Name;
  }
}

TEST(LineRoutines, TheWidestAvailableSetIsActive) {
  const TvxLineRoutines* Widest = Avx2LineRoutines() ? Avx2LineRoutines() : Sse2LineRoutines();
  if (!Widest) Widest = &ScalarLineRoutines();
  EXPECT_STREQ(LineRoutines().Name, Widest->Name);
}
