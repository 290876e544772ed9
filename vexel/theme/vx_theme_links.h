// Theme links and the questions every control asks before it paints: which theme applies to
// it (its link's, else the current one) and whether that theme paints its kind of control.
// Windows only.
#pragma once

#include <string>

#include "framework/core/component.h"
#include "vexel/theme/vx_theme.h"

// A component a control can point its ThemeLink to, to paint with a theme other than the
// current one. The link owns or borrows its theme as the concrete class decides.
class TvxCustomThemeLink : public TComponent {
 public:
  using TComponent::TComponent;
  // Nil: the link has no theme, and the current theme applies.
  virtual TvxTheme* GetTheme() = 0;
};

// The link's theme when it has one, else the current theme (possibly nil).
TvxTheme* GetLinkTheme(TvxCustomThemeLink* Link);

// Whether the theme that applies paints the control kind. A link's theme answers for Name
// alone; the current theme is asked for Name and, if it says no, for "default".
bool IsFormThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsLabelThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsPanelThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsButtonThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsCheckBoxThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsScrollBarThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsProgressBarThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsTrackBarThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsHeaderThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsStatusBarThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsEditThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsGroupBoxThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsMenuThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsToolBarThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsScrollBoxThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsHeaderPanelThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsTabThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsListBoxThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);
bool IsGridThemed(Byte Kind, const std::string& Name, TvxCustomThemeLink* Link);

// A text record from the platform's text-drawing format (DT_...): alignment from DT_VCENTER /
// DT_BOTTOM and DT_CENTER / DT_RIGHT, flags from DT_RTLREADING, DT_NOPREFIX, DT_WORDBREAK and
// DT_SINGLELINE, horizontal text.
void MakeTextInfo(const TRect& Rect, const std::wstring& Text, uint32_t Format, TvxTextInfo& Info);
