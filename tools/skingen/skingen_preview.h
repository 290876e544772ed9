// A look at the generated images for whoever tunes them: every atlas over a checkerboard and a
// small mock window composed from the pieces, written as a 32-bit BMP.
#pragma once

#include <string>
#include <vector>

#include "tools/skingen/skingen_images.h"

namespace skingen {

TvxBitmap* FindAtlas(const std::vector<TvxBitmap*>& Atlases, const std::string& Name);
void WriteContactSheet(const TSkinImages& Pieces, const std::vector<TvxBitmap*>& Atlases, const std::string& FileName);

}  // namespace skingen
