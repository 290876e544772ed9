#include "vexel/graphics/vx_effect_cells.h"

#include <cstring>

#include "vexel/graphics/vx_effect_rows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A row of cells at one cell per pixel is half again the size of an image row, and a frame both
// writes and reads all of it: whole blocks of cells go through the vector loops of the frame's
// row set, the rest cell by cell.

static_assert(sizeof(TvxEffectCell) == 6, "cells are three 16-bit values");

namespace {

bool EmptyCell(const TvxEffectCell& C) { return C.Alpha == 0 && C.X == 0 && C.Y == 0; }

Integer SkipEmpty(const TvxEffectCell* Row, Integer I, Integer Count) {
  I = EffectRows().SkipEmptyCells(Row, I, Count);
  while (I < Count && EmptyCell(Row[I])) ++I;
  return I;
}

// The end of the run that starts at I; the run's cells are cleared.
Integer TakeRun(TvxEffectCell* Row, Integer I, Integer Count) {
  const TvxEffectCell First = Row[I];
  const uint16_t Alpha = First.Alpha & 0xFF;
  Row[I] = {};
  Integer K = I + 1;
  // The lanes hold source columns in 16 bits: a run that could pass 65535 goes cell by cell.
  if (First.X + (Count - I) <= 0xFFFF) K = EffectRows().ContinueRun(Row, K, Count, First, I);
  for (; K < Count && (Row[K].Alpha & 0xFF) == Alpha && Row[K].Y == First.Y && Row[K].X == First.X + (K - I); ++K)
    Row[K] = {};
  return K;
}

}  // namespace

void FillCellRun(TvxEffectCell* Cells, Integer Count, uint16_t Alpha, Integer X, Integer Y) {
  Integer K = 0;
#if defined(__SSE2__)
  // Eight cells are three vectors of 16-bit lanes; the next eight differ by 8 in every source
  // column.
  alignas(16) uint16_t Lanes[24], Steps[24];
  for (int I = 0; I < 24; ++I) {
    Lanes[I] = I % 3 == 0 ? Alpha : I % 3 == 1 ? uint16_t(X + I / 3) : uint16_t(Y);
    Steps[I] = I % 3 == 1 ? 8 : 0;
  }
  const __m128i *L = reinterpret_cast<const __m128i*>(Lanes), *S = reinterpret_cast<const __m128i*>(Steps);
  __m128i V0 = _mm_load_si128(L), V1 = _mm_load_si128(L + 1), V2 = _mm_load_si128(L + 2);
  const __m128i S0 = _mm_load_si128(S), S1 = _mm_load_si128(S + 1), S2 = _mm_load_si128(S + 2);
  for (; K + 8 <= Count; K += 8) {
    __m128i* Into = reinterpret_cast<__m128i*>(Cells + K);
    _mm_storeu_si128(Into, V0);
    _mm_storeu_si128(Into + 1, V1);
    _mm_storeu_si128(Into + 2, V2);
    V0 = _mm_add_epi16(V0, S0);
    V1 = _mm_add_epi16(V1, S1);
    V2 = _mm_add_epi16(V2, S2);
  }
#endif
  for (; K < Count; ++K) Cells[K] = {Alpha, uint16_t(X + K), uint16_t(Y)};
}

void TakeCellRuns(TvxEffectCell* Row, Integer Count, std::vector<TvxCellRun>& Runs) {
  Runs.clear();
  for (Integer I = SkipEmpty(Row, 0, Count); I < Count; I = SkipEmpty(Row, I, Count)) {
    const TvxEffectCell First = Row[I];
    const Integer K = TakeRun(Row, I, Count);
    // Cells of opacity 0 that hold something else form runs too, only to be cleared.
    if (First.Alpha & 0xFF) Runs.push_back({I, K - I, First.X, First.Y, Byte(First.Alpha)});
    I = K;
  }
}
