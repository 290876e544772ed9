// TVisualStyle: one class of the platform's visual styles ("Edit", "ScrollBar", ...) opened for
// drawing, closed again when the object goes. Controls that fall back to the platform's look
// open one for the length of a paint. Windows only.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <uxtheme.h>

#include "framework/core/types.h"

class TVisualStyle {
 public:
  // Opens ClassList only while visual styles are active; otherwise the style stays closed.
  TVisualStyle(HWND Wnd, const wchar_t* ClassList);
  ~TVisualStyle();
  TVisualStyle(const TVisualStyle&) = delete;
  TVisualStyle& operator=(const TVisualStyle&) = delete;

  explicit operator bool() const { return FTheme != nullptr; }
  HTHEME Handle() const { return FTheme; }
  // Nothing while closed.
  void DrawBackground(HDC DC, int Part, int State, const TRect& R) const;

 private:
  HTHEME FTheme = nullptr;
};
