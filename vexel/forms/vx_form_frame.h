// The frame painters that the form-skinning components and the MDI child components share: what
// they need to know of a window, the default frame that imitates the platform's, its hit test,
// and the frame a theme draws. Windows only.
#pragma once

#include <functional>
#include <string>

#include "framework/graphics/canvas.h"
#include "vexel/forms/vx_form.h"
#include "vexel/theme/vx_theme.h"

// A window as its frame sees it.
struct TVxFrameView {
  Integer Width = 0;
  Integer Height = 0;
  // The client area in window coordinates.
  TRect Client;
  TVxBorderStyle BorderStyle = TVxBorderStyle::kbsStandard;
  TVxBorderIcons BorderIcons;
  TVxWindowState State = TVxWindowState::kwsNormal;
  bool Active = false;
  std::wstring Caption;
  HWND Wnd = nullptr;
  // Where a title button stands (empty when it is not shown).
  std::function<TRect(TVxBorderIcon)> ButtonRect;
  // How the button of a hit code looks: 0 normal, 1 hot, 2 pressed.
  std::function<Byte(TvxHitCode)> ButtonLook;
  std::function<HICON()> SmallIcon;
};

// The window kind a border style gives the theme.
TvxWindowKind BorderWindowKind(TVxBorderStyle Style);
// The platform's caption height for a border style (0 without a caption).
Integer BorderCaptionHeight(TVxBorderStyle Style);
// The default frame's client area in window coordinates for a window of Width x Height.
TRect DefaultClientBounds(TVxBorderStyle Style, Integer Width, Integer Height);
// The title-button bits of the theme's window info for a border style, its icons and a state.
uint16_t TitleButtonBits(TVxBorderStyle Style, TVxBorderIcons Icons, TVxWindowState State);

// Where the default frame puts a title button of a window with these client bounds (window
// coordinates), style, icons and state; empty when it has none.
TRect DefaultFrameButtonRect(const TRect& Client, TVxBorderStyle Style, TVxBorderIcons Icons, TVxWindowState State,
                             TVxBorderIcon Icon);
void PaintDefaultFrame(TCanvas& Canvas, const TVxFrameView& View);
// The frame part under (X, Y) in window coordinates: the caption and the title buttons, then,
// unless Final, the edges and corners (CaptionHeight being the border style's caption).
TvxHitCode FrameHitTest(const TVxFrameView& View, Integer X, Integer Y, Integer CaptionHeight, bool Final);

// The theme's title button for a border icon in a window state; Known false for icons without one.
TvxTitleButton ThemedTitleButton(TVxBorderIcon Icon, TVxWindowState State, bool& Known);
// The theme's frame: border, caption text and the title buttons of the view's icons. Unbuffered,
// the caption band is composed off-screen so that it does not flicker.
void PaintThemedFrame(TvxTheme& Theme, TvxWindowKind Kind, TCanvas& Canvas, const std::string& Object,
                      TvxWindowInfo Info, const TVxFrameView& View, bool Unbuffered);
