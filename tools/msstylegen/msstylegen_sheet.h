// A picture of a style's images as they are stored (decoded back from their DIBs), twice their
// size on the button face, magenta keys left visible; for looking at the drawing.
#pragma once

#include <string>

#include "tools/msstylegen/msstylegen_style.h"

namespace msstylegen {

// The image decoded as a bitmap file would be; EReadError when the DIB is damaged.
void DecodeStyleImage(const TStyleImage& Image, TvxBitmap& Into);
void WriteImageSheet(const TStyleContent& Content, const std::string& FileName);

}  // namespace msstylegen
