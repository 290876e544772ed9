#include "vexel/graphics/vx_lines.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VX_HAVE_X86 1
#endif

namespace {

void CopyLineScalar(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  if (Count > 0) std::memmove(Dst, Src, size_t(Count) * sizeof(TvxColor));
}

void KeyLineScalar(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  for (Integer I = 0; I < Count; ++I)
    if (!IsKeyPixel(Src[I])) Dst[I] = Src[I] | 0xFF000000;
}

void BlendLineScalar(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  for (Integer I = 0; I < Count; ++I) Dst[I] = BlendPixel(Src[I], Dst[I]);
}

#ifdef VX_HAVE_X86

// Two pixels unpacked to 16-bit lanes: every channel becomes (256*B + a*(F - B)) >> 8. The sum is
// taken modulo 2^16, which is exact because the true value lies in 0..65280.
__attribute__((target("sse2"))) inline __m128i BlendHalf128(__m128i F, __m128i B, __m128i A) {
  const __m128i Product = _mm_mullo_epi16(_mm_sub_epi16(F, B), A);
  return _mm_srli_epi16(_mm_add_epi16(_mm_slli_epi16(B, 8), Product), 8);
}

__attribute__((target("sse2"))) inline __m128i Blend4(__m128i F, __m128i B) {
  const __m128i Zero = _mm_setzero_si128();
  const __m128i Alpha32 = _mm_srli_epi32(F, 24);
  const __m128i Alpha16 = _mm_or_si128(Alpha32, _mm_slli_epi32(Alpha32, 16));
  const __m128i Low = BlendHalf128(_mm_unpacklo_epi8(F, Zero), _mm_unpacklo_epi8(B, Zero),
                                   _mm_unpacklo_epi32(Alpha16, Alpha16));
  const __m128i High = BlendHalf128(_mm_unpackhi_epi8(F, Zero), _mm_unpackhi_epi8(B, Zero),
                                    _mm_unpackhi_epi32(Alpha16, Alpha16));
  const __m128i Opaque = _mm_cmpeq_epi32(Alpha32, _mm_set1_epi32(255));
  return _mm_or_si128(_mm_and_si128(Opaque, F), _mm_andnot_si128(Opaque, _mm_packus_epi16(Low, High)));
}

__attribute__((target("sse2"))) void BlendLineSse2(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  Integer I = 0;
  for (; I + 4 <= Count; I += 4) {
    const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + I));
    const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + I));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + I), Blend4(F, B));
  }
  BlendLineScalar(Src + I, Dst + I, Count - I);
}

__attribute__((target("sse2"))) void KeyLineSse2(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  const __m128i RgbMask = _mm_set1_epi32(0x00FFFFFF);
  const __m128i Key = _mm_set1_epi32(vxKeyColor);
  const __m128i Opaque = _mm_set1_epi32(int(0xFF000000));
  Integer I = 0;
  for (; I + 4 <= Count; I += 4) {
    const __m128i S = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + I));
    const __m128i D = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + I));
    const __m128i IsKey = _mm_cmpeq_epi32(_mm_and_si128(S, RgbMask), Key);
    const __m128i Out = _mm_or_si128(_mm_and_si128(IsKey, D), _mm_andnot_si128(IsKey, _mm_or_si128(S, Opaque)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + I), Out);
  }
  KeyLineScalar(Src + I, Dst + I, Count - I);
}

__attribute__((target("avx2"))) inline __m256i BlendHalf256(__m256i F, __m256i B, __m256i A) {
  const __m256i Product = _mm256_mullo_epi16(_mm256_sub_epi16(F, B), A);
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_slli_epi16(B, 8), Product), 8);
}

// Unpack and pack work inside 128-bit lanes, so pixel order survives the round trip.
__attribute__((target("avx2"))) void BlendLineAvx2(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  const __m256i Zero = _mm256_setzero_si256();
  const __m256i Full = _mm256_set1_epi32(255);
  Integer I = 0;
  for (; I + 8 <= Count; I += 8) {
    const __m256i F = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Src + I));
    const __m256i B = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Dst + I));
    const __m256i Alpha32 = _mm256_srli_epi32(F, 24);
    const __m256i Alpha16 = _mm256_or_si256(Alpha32, _mm256_slli_epi32(Alpha32, 16));
    const __m256i Low = BlendHalf256(_mm256_unpacklo_epi8(F, Zero), _mm256_unpacklo_epi8(B, Zero),
                                     _mm256_unpacklo_epi32(Alpha16, Alpha16));
    const __m256i High = BlendHalf256(_mm256_unpackhi_epi8(F, Zero), _mm256_unpackhi_epi8(B, Zero),
                                      _mm256_unpackhi_epi32(Alpha16, Alpha16));
    const __m256i Blended = _mm256_packus_epi16(Low, High);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Dst + I),
                        _mm256_blendv_epi8(Blended, F, _mm256_cmpeq_epi32(Alpha32, Full)));
  }
  // Dirty upper ymm halves slow every later legacy-SSE instruction, in the tail and in the
  // caller's code alike (pixman's OVER ran 4x slower after this routine without it).
  _mm256_zeroupper();
  BlendLineSse2(Src + I, Dst + I, Count - I);
}

__attribute__((target("avx2"))) void KeyLineAvx2(const TvxColor* Src, TvxColor* Dst, Integer Count) {
  const __m256i RgbMask = _mm256_set1_epi32(0x00FFFFFF);
  const __m256i Key = _mm256_set1_epi32(vxKeyColor);
  const __m256i Opaque = _mm256_set1_epi32(int(0xFF000000));
  Integer I = 0;
  for (; I + 8 <= Count; I += 8) {
    const __m256i S = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Src + I));
    const __m256i D = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Dst + I));
    const __m256i IsKey = _mm256_cmpeq_epi32(_mm256_and_si256(S, RgbMask), Key);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Dst + I), _mm256_blendv_epi8(_mm256_or_si256(S, Opaque), D, IsKey));
  }
  // As in BlendLineAvx2.
  _mm256_zeroupper();
  KeyLineSse2(Src + I, Dst + I, Count - I);
}

bool CpuHasSse2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("sse2");
}

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

#endif  // VX_HAVE_X86

const TvxLineRoutines* Best() {
  if (auto* Routines = Avx2LineRoutines()) return Routines;
  if (auto* Routines = Sse2LineRoutines()) return Routines;
  return &ScalarLineRoutines();
}

// Chosen on first use, so that other units may draw while they start up.
const TvxLineRoutines* Active = nullptr;

}  // namespace

const TvxLineRoutines& ScalarLineRoutines() {
  static const TvxLineRoutines Routines{"scalar", CopyLineScalar, KeyLineScalar, BlendLineScalar};
  return Routines;
}

const TvxLineRoutines* Sse2LineRoutines() {
#ifdef VX_HAVE_X86
  static const TvxLineRoutines Routines{"sse2", CopyLineScalar, KeyLineSse2, BlendLineSse2};
  if (CpuHasSse2()) return &Routines;
#endif
  return nullptr;
}

const TvxLineRoutines* Avx2LineRoutines() {
#ifdef VX_HAVE_X86
  static const TvxLineRoutines Routines{"avx2", CopyLineScalar, KeyLineAvx2, BlendLineAvx2};
  if (CpuHasAvx2()) return &Routines;
#endif
  return nullptr;
}

const TvxLineRoutines& LineRoutines() {
  if (!Active) Active = Best();
  return *Active;
}

const TvxLineRoutines& SetLineRoutines(const TvxLineRoutines& Routines) {
  const TvxLineRoutines& Previous = LineRoutines();
  Active = &Routines;
  return Previous;
}
