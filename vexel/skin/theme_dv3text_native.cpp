// Without a window system there is no font to measure with; an even estimate from the font
// height keeps saText layout deterministic for the portable build.
#include <cstdlib>

#include "vexel/skin/theme_dv3objects.h"

Integer MeasureTextWidth(const TFont& Font, const std::wstring& Text) {
  return Integer(Text.size()) * std::max(1, std::abs(Font.Height()) / 2);
}
