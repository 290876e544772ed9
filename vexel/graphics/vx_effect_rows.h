// The inner loops of transition frames: the prepared new image over the old one, one row at a
// time, at one opacity per pixel or at one opacity for the whole row; the scans of a row of
// slide-kind cells; the levels of a shape's mask.
//
// New pixels have alpha 0 (they show the old pixel) or 255. Opacity 0 keeps the old pixel, 255
// takes the new one, anything between gives every channel (256 * old + a * (new - old)) >> 8,
// alpha included with the new pixel's alpha taken as a. A scalar set is the reference; the vector
// sets give its pixels bit for bit. Out may be Old itself.
#pragma once

#include <cstddef>

#include "vexel/graphics/vx_effect.h"
#include "vexel/graphics/vx_pixel.h"

using TvxMaskedRow = void (*)(const TvxColor* Old, const TvxColor* New, TvxColor* Out, const Byte* Alpha,
                              Integer Count);
using TvxUniformRow = void (*)(const TvxColor* Old, const TvxColor* New, TvxColor* Out, Byte Alpha, Integer Count);
// Rows of slide-kind cells, a whole block of cells at a time (none in the scalar set); the caller
// finishes cell by cell. SkipEmptyCells: how far from I the cells are all zero. ContinueRun: how
// far from K the cells continue the run that First starts at Start (same opacity byte and source
// row, source columns counting up; the caller sees that they stay below 65536), clearing the
// cells it passes.
using TvxSkipEmptyCells = Integer (*)(const TvxEffectCell* Row, Integer I, Integer Count);
using TvxContinueRun = Integer (*)(TvxEffectCell* Row, Integer K, Integer Count, TvxEffectCell First, Integer Start);
// A shape's mask at one progress: Mask := Value - D * Slope (single precision, truncated toward
// zero) where D < T, else 0. The caller keeps the result within 0..255.
using TvxLevelRow = void (*)(Byte* Mask, const float* D, size_t Count, float T, float Value, float Slope);

struct TvxEffectRows {
  const char* Name;
  TvxMaskedRow Masked;    // one opacity byte per pixel
  TvxUniformRow Uniform;  // one opacity for the row
  TvxSkipEmptyCells SkipEmptyCells;
  TvxContinueRun ContinueRun;
  TvxLevelRow Level;
};

const TvxEffectRows& ScalarEffectRows();
// Nil when the processor lacks the instructions (or the build has no such set).
const TvxEffectRows* Sse2EffectRows();
const TvxEffectRows* Avx2EffectRows();

// The set frames use: the widest the processor supports, chosen on first use.
const TvxEffectRows& EffectRows();
// Lets benchmarks and tests compare sets; returns the previous one.
const TvxEffectRows& SetEffectRows(const TvxEffectRows& Rows);

// True when the Count bytes at P are all equal (and for Count 0).
bool SameBytes(const Byte* P, Integer Count);
