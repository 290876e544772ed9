#include "vexel/graphics/vx_visual_style.h"

#include "vexel/graphics/vx_winapi.h"

TVisualStyle::TVisualStyle(HWND Wnd, const wchar_t* ClassList) {
  if (!VisualStylesActive()) return;
  const TThemeFunctions& F = ThemeFunctions();
  if (F.OpenThemeData) FTheme = F.OpenThemeData(Wnd, ClassList);
}

TVisualStyle::~TVisualStyle() {
  if (FTheme && ThemeFunctions().CloseThemeData) ThemeFunctions().CloseThemeData(FTheme);
}

void TVisualStyle::DrawBackground(HDC DC, int Part, int State, const TRect& R) const {
  const TThemeFunctions& F = ThemeFunctions();
  if (!FTheme || !F.DrawThemeBackground) return;
  const RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  F.DrawThemeBackground(FTheme, DC, Part, State, &Area, nullptr);
}
