#include "vexel/graphics/vx_effect_rows.h"

#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
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

// Cells in vectors: eight cells are three 16-bit-lane vectors of 128 bits, sixteen three of 256;
// lane I of them all is field I % 3 (opacity, source column, source row) of cell I / 3. The value
// of lane I when cell K holds Alpha, X + Step * K and Y.
constexpr uint16_t CellLane(int I, uint16_t Alpha, uint16_t X, uint16_t Y, uint16_t Step) {
  return I % 3 == 0 ? Alpha : I % 3 == 1 ? uint16_t(X + Step * (I / 3)) : Y;
}

void LevelRowScalar(Byte* Mask, const float* D, size_t Count, float T, float Value, float Slope) {
  for (size_t I = 0; I < Count; ++I) Mask[I] = D[I] < T ? Byte(Value - D[I] * Slope) : 0;
}

// The scalar set leaves whole rows of cells to the caller's cell-by-cell loops.
Integer SkipEmptyCellsScalar(const TvxEffectCell*, Integer I, Integer) { return I; }
Integer ContinueRunScalar(TvxEffectCell*, Integer K, Integer, TvxEffectCell, Integer) { return K; }

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

[[gnu::always_inline]] inline __m128i Lanes8(int Vector, uint16_t Alpha, uint16_t X, uint16_t Y, uint16_t Step) {
  const int B = 8 * Vector;
  auto L = [&](int I) { return short(CellLane(B + I, Alpha, X, Y, Step)); };
  return _mm_setr_epi16(L(0), L(1), L(2), L(3), L(4), L(5), L(6), L(7));
}

[[gnu::always_inline]] inline __m128i Load8(const TvxEffectCell* C, int Vector) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(C) + Vector);
}

Integer SkipEmptyCellsSse2(const TvxEffectCell* Row, Integer I, Integer Count) {
  for (; I + 8 <= Count; I += 8) {
    const TvxEffectCell* C = Row + I;
    const __m128i Any = _mm_or_si128(_mm_or_si128(Load8(C, 0), Load8(C, 1)), Load8(C, 2));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(Any, _mm_setzero_si128())) != 0xFFFF) break;
  }
  return I;
}

// Cells from K on that continue the run of First, which stands K - Start cells before K.
Integer ContinueRunSse2(TvxEffectCell* Row, Integer K, Integer Count, TvxEffectCell First, Integer Start) {
  const uint16_t Alpha = First.Alpha & 0xFF, X = uint16_t(First.X + (K - Start));
  const __m128i K0 = Lanes8(0, 0xFF, 0xFFFF, 0xFFFF, 0), K1 = Lanes8(1, 0xFF, 0xFFFF, 0xFFFF, 0),
                K2 = Lanes8(2, 0xFF, 0xFFFF, 0xFFFF, 0);
  const __m128i S0 = Lanes8(0, 0, 8, 0, 0), S1 = Lanes8(1, 0, 8, 0, 0), S2 = Lanes8(2, 0, 8, 0, 0);
  __m128i E0 = Lanes8(0, Alpha, X, First.Y, 1), E1 = Lanes8(1, Alpha, X, First.Y, 1),
          E2 = Lanes8(2, Alpha, X, First.Y, 1);
  for (; K + 8 <= Count; K += 8) {
    const TvxEffectCell* C = Row + K;
    const __m128i Same = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi16(_mm_and_si128(Load8(C, 0), K0), E0),
                                                     _mm_cmpeq_epi16(_mm_and_si128(Load8(C, 1), K1), E1)),
                                       _mm_cmpeq_epi16(_mm_and_si128(Load8(C, 2), K2), E2));
    if (_mm_movemask_epi8(Same) != 0xFFFF) break;
    // Cleared while they are at hand: a separate pass costs as much again.
    __m128i* Clear = reinterpret_cast<__m128i*>(Row + K);
    _mm_storeu_si128(Clear, _mm_setzero_si128());
    _mm_storeu_si128(Clear + 1, _mm_setzero_si128());
    _mm_storeu_si128(Clear + 2, _mm_setzero_si128());
    E0 = _mm_add_epi16(E0, S0);
    E1 = _mm_add_epi16(E1, S1);
    E2 = _mm_add_epi16(E2, S2);
  }
  return K;
}

void LevelRowSse2(Byte* Mask, const float* D, size_t Count, float T, float Value, float Slope) {
  const __m128 T4 = _mm_set1_ps(T), V4 = _mm_set1_ps(Value), S4 = _mm_set1_ps(Slope);
  auto Four = [&](size_t At) {
    const __m128 Dist = _mm_loadu_ps(D + At);
    return _mm_cvttps_epi32(_mm_and_ps(_mm_cmplt_ps(Dist, T4), _mm_sub_ps(V4, _mm_mul_ps(Dist, S4))));
  };
  size_t I = 0;
  for (; I + 16 <= Count; I += 16) {
    const __m128i Lo = _mm_packs_epi32(Four(I), Four(I + 4)), Hi = _mm_packs_epi32(Four(I + 8), Four(I + 12));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Mask + I), _mm_packus_epi16(Lo, Hi));
  }
  LevelRowScalar(Mask + I, D + I, Count - I, T, Value, Slope);
}

#endif  // __SSE2__

// AVX2 only in the x86_64 build; the i686 build keeps SSE2.
#if defined(__x86_64__)

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

[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Lanes16(int Vector, uint16_t Alpha, uint16_t X, uint16_t Y,
                                                                   uint16_t Step) {
  const int B = 16 * Vector;
  auto L = [&](int I) { return short(CellLane(B + I, Alpha, X, Y, Step)); };
  return _mm256_setr_epi16(L(0), L(1), L(2), L(3), L(4), L(5), L(6), L(7), L(8), L(9), L(10), L(11), L(12), L(13),
                           L(14), L(15));
}

[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Load16(const TvxEffectCell* C, int Vector) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(C) + Vector);
}

[[gnu::target("avx2")]] Integer SkipEmptyCellsAvx2(const TvxEffectCell* Row, Integer I, Integer Count) {
  for (; I + 16 <= Count; I += 16) {
    const TvxEffectCell* C = Row + I;
    const __m256i Any = _mm256_or_si256(_mm256_or_si256(Load16(C, 0), Load16(C, 1)), Load16(C, 2));
    if (!_mm256_testz_si256(Any, Any)) break;
  }
  _mm256_zeroupper();
  return I;
}

[[gnu::target("avx2")]] Integer ContinueRunAvx2(TvxEffectCell* Row, Integer K, Integer Count, TvxEffectCell First,
                                                Integer Start) {
  const uint16_t Alpha = First.Alpha & 0xFF, X = uint16_t(First.X + (K - Start));
  const __m256i K0 = Lanes16(0, 0xFF, 0xFFFF, 0xFFFF, 0), K1 = Lanes16(1, 0xFF, 0xFFFF, 0xFFFF, 0),
                K2 = Lanes16(2, 0xFF, 0xFFFF, 0xFFFF, 0);
  const __m256i S0 = Lanes16(0, 0, 16, 0, 0), S1 = Lanes16(1, 0, 16, 0, 0), S2 = Lanes16(2, 0, 16, 0, 0);
  __m256i E0 = Lanes16(0, Alpha, X, First.Y, 1), E1 = Lanes16(1, Alpha, X, First.Y, 1),
          E2 = Lanes16(2, Alpha, X, First.Y, 1);
  for (; K + 16 <= Count; K += 16) {
    const TvxEffectCell* C = Row + K;
    // Bits that differ from the expected cells, where they count.
    const __m256i Differ = _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(_mm256_xor_si256(Load16(C, 0), E0), K0),
                                                           _mm256_and_si256(_mm256_xor_si256(Load16(C, 1), E1), K1)),
                                           _mm256_and_si256(_mm256_xor_si256(Load16(C, 2), E2), K2));
    if (!_mm256_testz_si256(Differ, Differ)) break;
    __m256i* Clear = reinterpret_cast<__m256i*>(Row + K);
    _mm256_storeu_si256(Clear, _mm256_setzero_si256());
    _mm256_storeu_si256(Clear + 1, _mm256_setzero_si256());
    _mm256_storeu_si256(Clear + 2, _mm256_setzero_si256());
    E0 = _mm256_add_epi16(E0, S0);
    E1 = _mm256_add_epi16(E1, S1);
    E2 = _mm256_add_epi16(E2, S2);
  }
  _mm256_zeroupper();
  return K;
}

// The same single-precision operations as the other sets, eight at a time (no fused multiply-add:
// that would round differently). Packing works within 128-bit halves; the permute puts the
// bytes back in order.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Level8(const float* D, __m256 T, __m256 Value,
                                                                  __m256 Slope) {
  const __m256 Dist = _mm256_loadu_ps(D);
  return _mm256_cvttps_epi32(
      _mm256_and_ps(_mm256_cmp_ps(Dist, T, _CMP_LT_OQ), _mm256_sub_ps(Value, _mm256_mul_ps(Dist, Slope))));
}

[[gnu::target("avx2")]] void LevelRowAvx2(Byte* Mask, const float* D, size_t Count, float T, float Value, float Slope) {
  const __m256 T8 = _mm256_set1_ps(T), V8 = _mm256_set1_ps(Value), S8 = _mm256_set1_ps(Slope);
  const __m256i Order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  size_t I = 0;
  for (; I + 32 <= Count; I += 32) {
    const __m256i Lo = _mm256_packs_epi32(Level8(D + I, T8, V8, S8), Level8(D + I + 8, T8, V8, S8));
    const __m256i Hi = _mm256_packs_epi32(Level8(D + I + 16, T8, V8, S8), Level8(D + I + 24, T8, V8, S8));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Mask + I),
                        _mm256_permutevar8x32_epi32(_mm256_packus_epi16(Lo, Hi), Order));
  }
  _mm256_zeroupper();
  LevelRowSse2(Mask + I, D + I, Count - I, T, Value, Slope);
}

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

#endif  // __x86_64__

const TvxEffectRows* Best() {
  if (auto* Rows = Avx2EffectRows()) return Rows;
  if (auto* Rows = Sse2EffectRows()) return Rows;
  return &ScalarEffectRows();
}

const TvxEffectRows* Active = nullptr;

}  // namespace

const TvxEffectRows& ScalarEffectRows() {
  static const TvxEffectRows Rows{"scalar",          MaskedRowScalar, UniformRowScalar, SkipEmptyCellsScalar,
                                  ContinueRunScalar, LevelRowScalar};
  return Rows;
}

const TvxEffectRows* Sse2EffectRows() {
#if defined(__SSE2__)
  // The build requires SSE2 wherever it enables it.
  static const TvxEffectRows Rows{"sse2",          MaskedRowSse2, UniformRowSse2, SkipEmptyCellsSse2,
                                  ContinueRunSse2, LevelRowSse2};
  return &Rows;
#else
  return nullptr;
#endif
}

const TvxEffectRows* Avx2EffectRows() {
#if defined(__x86_64__)
  static const TvxEffectRows Rows{"avx2",          MaskedRowAvx2, UniformRowAvx2, SkipEmptyCellsAvx2,
                                  ContinueRunAvx2, LevelRowAvx2};
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
