// The inner loops of the drawing engine: one routine per drawing mode, over one row of pixels.
// A scalar set is kept as the reference; vector sets must give the same pixels bit for bit.
#pragma once

#include "vexel/graphics/vx_pixel.h"

using TvxLineRoutine = void (*)(const TvxColor* Src, TvxColor* Dst, Integer Count);

// Decided by the source bitmap's flags: AlphaBlend first, else Transparent, else Copy.
enum class TvxDrawMode { dmCopy, dmKey, dmBlend };

struct TvxLineRoutines {
  const char* Name;
  TvxLineRoutine Copy;   // pixels moved as they are, alpha included
  TvxLineRoutine Key;    // non-key pixels written with alpha 255; key pixels skipped
  TvxLineRoutine Blend;  // BlendPixel for every pixel

  TvxLineRoutine For(TvxDrawMode Mode) const {
    return Mode == TvxDrawMode::dmBlend ? Blend : Mode == TvxDrawMode::dmKey ? Key : Copy;
  }
};

const TvxLineRoutines& ScalarLineRoutines();
// Nil when the processor lacks the instructions.
const TvxLineRoutines* Sse2LineRoutines();
const TvxLineRoutines* Avx2LineRoutines();

// The set the engine uses: the widest the processor supports, chosen once at start-up.
const TvxLineRoutines& LineRoutines();
// Lets benchmarks and tests compare sets; returns the previous one.
const TvxLineRoutines& SetLineRoutines(const TvxLineRoutines& Routines);
