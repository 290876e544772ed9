#include "vexel/graphics/vx_effect_rows.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VX_HAVE_X86 1
#endif

// Vector sets work on red/blue and green/alpha as the two 16-bit halves of each pixel's lane (a
// copy masked with 0x00FF00FF, and one shifted right by 8 within 16-bit lanes), so no unpacking.
// In a half, B + floor(W * (F - B) / 256) equals (256 * B + W * (F - B)) >> 8 for a weight W of
// 0..256, and it is the high half of the signed product (4 * (F - B)) * (64 * W): |4 (F - B)| is
// at most 1020 and 64 * W at most 16384. The weight is the opacity, with 256 standing for 255
// so that 255 gives F itself.

namespace {

TvxColor MaskedPixel(TvxColor F, TvxColor B, uint32_t A) {
  if (A == 0 || (F >> 24) == 0) return B;
  return BlendPixel((F & 0x00FFFFFF) | A << 24, B);
}

void MaskedRowScalar(const TvxColor* Old, const TvxColor* New, TvxColor* Out, const Byte* Alpha, Integer Count) {
  for (Integer X = 0; X < Count; ++X) Out[X] = MaskedPixel(New[X], Old[X], Alpha[X]);
}

void UniformRowScalar(const TvxColor* Old, const TvxColor* New, TvxColor* Out, Byte Alpha, Integer Count) {
  for (Integer X = 0; X < Count; ++X) Out[X] = MaskedPixel(New[X], Old[X], Alpha);
}

void CopyOld(const TvxColor* Old, TvxColor* Out, Integer Count) {
  if (Out != Old && Count > 0) std::memmove(Out, Old, size_t(Count) * sizeof(TvxColor));
}

uint32_t Weight64(uint32_t A) { return (A == 255 ? 256 : A) * 64; }

#if defined(__SSE2__)

// New over Old for four pixels: W holds the weight times 64 in both halves of each lane,
// AlphaLane the opacity in the upper half (New's alpha as the blend sees it).
[[gnu::always_inline]] inline __m128i Mix4(__m128i F, __m128i B, __m128i W, __m128i AlphaLane) {
  const __m128i Halves = _mm_set1_epi32(0x00FF00FF);
  const __m128i BRB = _mm_and_si128(B, Halves), FRB = _mm_and_si128(F, Halves);
  const __m128i RB = _mm_add_epi16(BRB, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(FRB, BRB), 2), W));
  const __m128i BGA = _mm_srli_epi16(B, 8);
  const __m128i FGA = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(F, 8), _mm_set1_epi32(0xFF)), AlphaLane);
  const __m128i GA = _mm_add_epi16(BGA, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(FGA, BGA), 2), W));
  return _mm_or_si128(RB, _mm_slli_epi16(GA, 8));
}

// Shown where New is visible (its alpha 255), else Old.
[[gnu::always_inline]] inline __m128i WhereVisible(__m128i F, __m128i Shown, __m128i B) {
  const __m128i Visible = _mm_srai_epi32(F, 31);
  return _mm_or_si128(_mm_and_si128(Visible, Shown), _mm_andnot_si128(Visible, B));
}

[[gnu::always_inline]] inline __m128i Load4(const TvxColor* P) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
}
[[gnu::always_inline]] inline void Store4(TvxColor* P, __m128i V) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(P), V);
}

void MaskedRowSse2(const TvxColor* Old, const TvxColor* New, TvxColor* Out, const Byte* Alpha, Integer Count) {
  const __m128i Zero = _mm_setzero_si128(), Full = _mm_set1_epi32(255);
  Integer X = 0;
  for (; X + 4 <= Count; X += 4) {
    uint32_t Four;
    std::memcpy(&Four, Alpha + X, 4);
    const __m128i B = Load4(Old + X);
    // Most masks have long runs of 0 and 255.
    if (Four == 0) {
      Store4(Out + X, B);
      continue;
    }
    const __m128i F = Load4(New + X);
    if (Four == 0xFFFFFFFF) {
      Store4(Out + X, WhereVisible(F, F, B));
      continue;
    }
    // Hidden new pixels weigh 0, which gives B exactly.
    const __m128i A = _mm_and_si128(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(Four)), Zero), Zero),
                                    _mm_srai_epi32(F, 31));
    const __m128i W = _mm_slli_epi32(_mm_sub_epi32(A, _mm_cmpeq_epi32(A, Full)), 6);
    Store4(Out + X, Mix4(F, B, _mm_or_si128(W, _mm_slli_epi32(W, 16)), _mm_slli_epi32(A, 16)));
  }
  MaskedRowScalar(Old + X, New + X, Out + X, Alpha + X, Count - X);
}

void UniformRowSse2(const TvxColor* Old, const TvxColor* New, TvxColor* Out, Byte Alpha, Integer Count) {
  if (Alpha == 0) return CopyOld(Old, Out, Count);
  Integer X = 0;
  if (Alpha == 255) {
    for (; X + 4 <= Count; X += 4) {
      const __m128i F = Load4(New + X);
      Store4(Out + X, WhereVisible(F, F, Load4(Old + X)));
    }
  } else {
    const __m128i W = _mm_set1_epi32(int(Weight64(Alpha) * 0x10001u));
    const __m128i AlphaLane = _mm_set1_epi32(int(uint32_t(Alpha) << 16));
    for (; X + 4 <= Count; X += 4) {
      const __m128i F = Load4(New + X), B = Load4(Old + X);
      Store4(Out + X, WhereVisible(F, Mix4(F, B, W, AlphaLane), B));
    }
  }
  UniformRowScalar(Old + X, New + X, Out + X, Alpha, Count - X);
}

#endif  // __SSE2__

#if defined(VX_HAVE_X86) && defined(__x86_64__)

// Kept to leaf loops with few live values: GCC cannot align a Windows x64 stack to 32 bytes, so
// a spilled ymm register would fault there.

[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Mix8(__m256i F, __m256i B, __m256i W, __m256i AlphaLane) {
  const __m256i Halves = _mm256_set1_epi32(0x00FF00FF);
  const __m256i BRB = _mm256_and_si256(B, Halves), FRB = _mm256_and_si256(F, Halves);
  const __m256i RB = _mm256_add_epi16(BRB, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(FRB, BRB), 2), W));
  const __m256i BGA = _mm256_srli_epi16(B, 8);
  const __m256i FGA = _mm256_blend_epi16(_mm256_srli_epi16(F, 8), AlphaLane, 0xAA);
  const __m256i GA = _mm256_add_epi16(BGA, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(FGA, BGA), 2), W));
  return _mm256_or_si256(RB, _mm256_slli_epi16(GA, 8));
}

// Shown where New is visible (the sign bit of its lane), else Old.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i WhereVisible8(__m256i F, __m256i Shown, __m256i B) {
  return _mm256_castps_si256(
      _mm256_blendv_ps(_mm256_castsi256_ps(B), _mm256_castsi256_ps(Shown), _mm256_castsi256_ps(F)));
}

[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Load8(const TvxColor* P) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(P));
}
[[gnu::target("avx2"), gnu::always_inline]] inline void Store8(TvxColor* P, __m256i V) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(P), V);
}

[[gnu::target("avx2")]] void MaskedRowAvx2(const TvxColor* Old, const TvxColor* New, TvxColor* Out, const Byte* Alpha,
                                           Integer Count) {
  const __m256i Full = _mm256_set1_epi32(255);
  Integer X = 0;
  for (; X + 8 <= Count; X += 8) {
    uint64_t Eight;
    std::memcpy(&Eight, Alpha + X, 8);
    const __m256i B = Load8(Old + X);
    if (Eight == 0) {
      Store8(Out + X, B);
      continue;
    }
    const __m256i F = Load8(New + X);
    if (Eight == ~uint64_t(0)) {
      Store8(Out + X, WhereVisible8(F, F, B));
      continue;
    }
    const __m256i A = _mm256_and_si256(
        _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(Alpha + X))), _mm256_srai_epi32(F, 31));
    const __m256i W = _mm256_slli_epi32(_mm256_sub_epi32(A, _mm256_cmpeq_epi32(A, Full)), 6);
    Store8(Out + X, Mix8(F, B, _mm256_or_si256(W, _mm256_slli_epi32(W, 16)), _mm256_slli_epi32(A, 16)));
  }
  // Dirty upper halves slow every later legacy-SSE instruction, the tail's and the caller's.
  _mm256_zeroupper();
  MaskedRowSse2(Old + X, New + X, Out + X, Alpha + X, Count - X);
}

[[gnu::target("avx2")]] void UniformRowAvx2(const TvxColor* Old, const TvxColor* New, TvxColor* Out, Byte Alpha,
                                            Integer Count) {
  if (Alpha == 0) return CopyOld(Old, Out, Count);
  Integer X = 0;
  if (Alpha == 255) {
    for (; X + 8 <= Count; X += 8) {
      const __m256i F = Load8(New + X);
      Store8(Out + X, WhereVisible8(F, F, Load8(Old + X)));
    }
  } else {
    const __m256i W = _mm256_set1_epi32(int(Weight64(Alpha) * 0x10001u));
    const __m256i AlphaLane = _mm256_set1_epi32(int(uint32_t(Alpha) << 16));
    for (; X + 8 <= Count; X += 8) {
      const __m256i F = Load8(New + X), B = Load8(Old + X);
      Store8(Out + X, WhereVisible8(F, Mix8(F, B, W, AlphaLane), B));
    }
  }
  _mm256_zeroupper();
  UniformRowSse2(Old + X, New + X, Out + X, Alpha, Count - X);
}

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

#endif

const TvxEffectRows* Best() {
  if (auto* Rows = Avx2EffectRows()) return Rows;
  if (auto* Rows = Sse2EffectRows()) return Rows;
  return &ScalarEffectRows();
}

const TvxEffectRows* Active = nullptr;

}  // namespace

const TvxEffectRows& ScalarEffectRows() {
  static const TvxEffectRows Rows{"scalar", MaskedRowScalar, UniformRowScalar};
  return Rows;
}

const TvxEffectRows* Sse2EffectRows() {
#if defined(__SSE2__)
  // The build requires SSE2 wherever it enables it.
  static const TvxEffectRows Rows{"sse2", MaskedRowSse2, UniformRowSse2};
  return &Rows;
#else
  return nullptr;
#endif
}

const TvxEffectRows* Avx2EffectRows() {
#if defined(VX_HAVE_X86) && defined(__x86_64__)
  static const TvxEffectRows Rows{"avx2", MaskedRowAvx2, UniformRowAvx2};
  if (CpuHasAvx2()) return &Rows;
#endif
  return nullptr;
}

const TvxEffectRows& EffectRows() {
  if (!Active) Active = Best();
  return *Active;
}

const TvxEffectRows& SetEffectRows(const TvxEffectRows& Rows) {
  const TvxEffectRows& Previous = EffectRows();
  Active = &Rows;
  return Previous;
}

bool SameBytes(const Byte* P, Integer Count) {
  if (Count <= 1) return true;
  Integer I = 1;
#if defined(__SSE2__)
  const __m128i First = _mm_set1_epi8(char(P[0]));
  for (; I + 16 <= Count; I += 16)
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P + I)), First)) != 0xFFFF)
      return false;
#endif
  for (; I < Count; ++I)
    if (P[I] != P[0]) return false;
  return true;
}
