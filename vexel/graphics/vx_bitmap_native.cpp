// Native storage: no DC exists, so nothing needs registering.
#include <cstdlib>

#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_bitmap_platform.h"
#include "framework/core/exceptions.h"

TvxSurface CreateSurface(Integer W, Integer H, TvxBitmap*) {
  TvxSurface Surface;
  Surface.Bits = static_cast<TvxColor*>(std::calloc(size_t(W) * size_t(H), sizeof(TvxColor)));
  if (!Surface.Bits) throw Exception("Can't allocate the DIB handle");
  return Surface;
}

void DestroySurface(TvxSurface& Surface) {
  std::free(Surface.Bits);
  Surface = {};
}

void RebindSurface(const TvxSurface&, TvxBitmap*) {}

// Framework graphics exist only on Windows.
bool TvxBitmap::AssignFromPlatform(const TPersistent*) { return false; }

void TvxBitmap::AssignTo(TPersistent* Dest) const { TPersistent::AssignTo(Dest); }
