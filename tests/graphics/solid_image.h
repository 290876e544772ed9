// A named image of one colour, for tests that build skins and styles.
#pragma once

#include <memory>
#include <string>

#include "vexel/graphics/vx_bitmap.h"

inline std::unique_ptr<TvxBitmap> SolidImage(const std::string& Name, Integer W, Integer H, TvxColor Color) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(W, H);
  Image->Fill(Color);
  Image->SetName(Name);
  return Image;
}
