#include <windows.h>

#include "framework/graphics/gdi_handles.h"
#include "vexel/skin/theme_dv3objects.h"

Integer MeasureTextWidth(const TFont& Font, const std::wstring& Text) {
  TWindowDC Screen(nullptr);
  if (!Screen.Get()) return 0;
  TSelectGuard Select(Screen.Get(), Font.Handle());
  SIZE Extent{};
  GetTextExtentPoint32W(Screen.Get(), Text.c_str(), int(Text.size()), &Extent);
  return Extent.cx;
}
