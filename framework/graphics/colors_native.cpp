#include <iterator>

#include "framework/graphics/colors.h"

// Without a window system the classic scheme stands in for the user's colours.
uint32_t SystemColorRGB(int Index) {
  static constexpr uint32_t Classic[] = {
      0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
      0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
      0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC56A31, 0xC8D0D4,
  };
  if (Index < 0 || Index >= static_cast<int>(std::size(Classic))) return 0;
  return Classic[Index];
}
