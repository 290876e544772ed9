#include "vexel/theme/theme_officexp.h"

const TvxThemeClass& TVxOfficeXPTheme::StaticThemeClass() {
  return MakeThemeClass<TVxOfficeXPTheme>("TVxOfficeXPTheme");
}

TVxOfficeXPTheme::TVxOfficeXPTheme() {
  // The flat construction reset the tables with the flat defaults.
  ResetDefaults();
  SetMenuGutter(21);
}

void TVxOfficeXPTheme::SetDefaultColors() {
  static const std::pair<TvxThemeColorIndex, TColor> Table[] = {
      {vxcCaptionNormal, 0xFF0000},  {vxcCaptionInactive, clBtnFace},
      {vxcWindowBorder, 0x808080},   {vxcWindow, clBtnFace},
      {vxcBorder, clHighlight},      {vxcPanelNormal, clBtnFace},
      {vxcPanelDisabled, clBtnFace}, {vxcButtonNormal, clBtnFace},
      {vxcButtonHot, 0xD2BDB6},      {vxcButtonPressed, 0xB59285},
      {vxcButtonFocused, 0xB59285},  {vxcButtonDisabled, clBtnFace},
      {vxcEditNormal, 0xFFFFFF},     {vxcEditHot, 0xFFFFFF},
      {vxcEditFocused, 0xFFFFFF},    {vxcEditDisabled, 0xFFFFFF},
      {vxcEditSelection, 0xB59285},  {vxcList, 0xFFFFFF},
      {vxcTree, 0xFFFFFF},           {vxcGrid, 0xFFFFFF},
  };
  SetFlatColors(Table);
}

void TVxOfficeXPTheme::SetDefaultFonts() { SetFlatFonts(clWhite, clSilver, false); }

bool TVxOfficeXPTheme::IsFormDefined(TvxWindowKind Kind, const std::string& Name) { return false; }
