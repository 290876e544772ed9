// The sample style's images, drawn in code: frame strips of rounded faces, glyphs and bands in one
// calm palette. Each image is stored either with alpha (32 bits) or without, its empty pixels then
// magenta (24 bits).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vexel/graphics/vx_bitmap.h"

namespace msstylegen {

struct TPaintedImage {
  std::unique_ptr<TvxBitmap> Image;  // straight alpha; empty pixels alpha 0
  bool Alpha = false;                // stored as 32 bits with alpha, else 24 bits
  TvxColor Surface = 0;              // 24 bits: what partly covered pixels are laid over
};

// The image an ini value names (for example "Pellan\Button.bmp"), or an empty Image for a name the
// sample does not draw.
TPaintedImage PaintSampleImage(const std::string& IniValue);
// An image for the variants with many images: Base (an ini value the sample draws) in another hue.
TPaintedImage PaintExtraImage(const std::string& BaseIniValue, int Index);

}  // namespace msstylegen
