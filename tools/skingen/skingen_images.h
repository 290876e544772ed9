// The images of the generated skin: every piece is drawn on its own, then packed into a few
// named atlases that become the skin's images. Objects link to a piece by its name.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vexel/graphics/vx_bitmap.h"

namespace skingen {

// Where a piece landed: the atlas image's name and the rectangle inside it.
struct TPiece {
  std::string Image;
  TRect Rect;
};

class TSkinImages {
 public:
  // Draws every piece and packs the atlases.
  TSkinImages();
  // Raises std::out_of_range naming the piece when it does not exist.
  const TPiece& operator[](const std::string& Piece) const;
  // The atlases, handed over once (to the skin source).
  std::vector<std::unique_ptr<TvxBitmap>> TakeAtlases() { return std::move(FAtlases); }

 private:
  std::map<std::string, TPiece> FPieces;
  std::vector<std::unique_ptr<TvxBitmap>> FAtlases;
};

}  // namespace skingen
