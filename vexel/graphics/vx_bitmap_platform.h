// The platform seam of TvxBitmap: where its pixel memory comes from. On Windows a DIB section in
// a memory DC, entered in the registry of bitmaps by DC; natively a plain zeroed buffer.
#pragma once

#include "framework/core/platform_handles.h"
#include "vexel/graphics/vx_pixel.h"

class TvxBitmap;

struct TvxSurface {
  TvxColor* Bits = nullptr;
  HBITMAP Section = nullptr;
  HDC DC = nullptr;
};

// A zeroed W x H surface owned by Owner, or an Exception with the engine's messages.
TvxSurface CreateSurface(Integer W, Integer H, TvxBitmap* Owner);
void DestroySurface(TvxSurface& Surface);
// Tells the registry that Surface now belongs to Owner.
void RebindSurface(const TvxSurface& Surface, TvxBitmap* Owner);
