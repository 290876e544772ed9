// TVxOfficeXPTheme: the built-in theme "OfficeXP". The flat theme's drawing with a blue and
// highlight colour scheme, white caption fonts and a 21-pixel image column in popup menus; window
// frames are left to the platform. Windows only.
#pragma once

#include <string>

#include "vexel/theme/theme_flat.h"

class TVxOfficeXPTheme : public TVxFlatTheme {
 public:
  TVxOfficeXPTheme();

  static const TvxThemeClass& StaticThemeClass();
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static std::string GetThemeName() { return "OfficeXP"; }

  void SetDefaultColors() override;
  void SetDefaultFonts() override;

  // Forms keep the platform's frame and caption.
  bool IsFormDefined(TvxWindowKind Kind, const std::string& Name) override;
};
