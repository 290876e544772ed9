#include "vexel/theme/vx_theme_links.h"

#include <windows.h>

#include "vexel/theme/vx_theme_manager.h"

namespace {

using TDefinedQuery = bool (TvxTheme::*)(Byte Kind, const std::string& Name);

bool IsThemed(TDefinedQuery Defined, Byte Kind, const std::string& Name, TvxCustomThemeLink* Link) {
  if (TvxTheme* Theme = Link ? Link->GetTheme() : nullptr) return (Theme->*Defined)(Kind, Name);
  TvxTheme* Theme = CurrentTheme();
  if (!Theme) return false;
  return (Theme->*Defined)(Kind, Name) || (Theme->*Defined)(Kind, "default");
}

}  // namespace

TvxTheme* GetLinkTheme(TvxCustomThemeLink* Link) {
  if (TvxTheme* Theme = Link ? Link->GetTheme() : nullptr) return Theme;
  return CurrentTheme();
}

#define VX_THEMED_QUERY(Group)                                                           \
  bool Is##Group##Themed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link) { \
    return IsThemed(&TvxTheme::Is##Group##Defined, Kind, Name, Link);                    \
  }
VX_THEMED_QUERY(Form)
VX_THEMED_QUERY(Label)
VX_THEMED_QUERY(Panel)
VX_THEMED_QUERY(Button)
VX_THEMED_QUERY(CheckBox)
VX_THEMED_QUERY(ScrollBar)
VX_THEMED_QUERY(ProgressBar)
VX_THEMED_QUERY(TrackBar)
VX_THEMED_QUERY(Header)
VX_THEMED_QUERY(StatusBar)
VX_THEMED_QUERY(Edit)
VX_THEMED_QUERY(GroupBox)
VX_THEMED_QUERY(Menu)
VX_THEMED_QUERY(ToolBar)
VX_THEMED_QUERY(ScrollBox)
VX_THEMED_QUERY(HeaderPanel)
VX_THEMED_QUERY(Tab)
VX_THEMED_QUERY(ListBox)
VX_THEMED_QUERY(Grid)
#undef VX_THEMED_QUERY

void MakeTextInfo(const TRect& Rect, const std::wstring& Text, uint32_t Format, TvxTextInfo& Info) {
  const Byte Row = (Format & DT_VCENTER) ? 1 : (Format & DT_BOTTOM) ? 2 : 0;
  const Byte Column = (Format & DT_CENTER) ? 1 : (Format & DT_RIGHT) ? 2 : 0;
  Info.Rect = Rect;
  Info.Text = Text;
  Info.Alignment = Byte(Column * 3 + Row);
  Info.Flags = 0;
  if (Format & DT_RTLREADING) Info.Flags |= vxtfRightToLeft;
  if (Format & DT_NOPREFIX) Info.Flags |= vxtfNoPrefix;
  if (Format & DT_WORDBREAK) Info.Flags |= vxtfWordWrap;
  if (Format & DT_SINGLELINE) Info.Flags |= vxtfSingleLine;
  Info.Effect = 0;
}
