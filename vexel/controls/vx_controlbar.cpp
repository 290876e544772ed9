#include "vexel/controls/vx_controlbar.h"

#include <windows.h>

#include <algorithm>

#include "vexel/controls/vx_controls.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// The bar the theme is asked about to learn its insets.
constexpr TRect ProbeBar{0, 0, 100, 30};
constexpr Integer ClassicGrabberWidth = 11;

}  // namespace

const TClassInfo& TVxControlBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TVxControlBar::ThemeObject, &TVxControlBar::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxControlBar", &TControlBar::StaticClassInfo(), Properties, {}, &CreateComponent<TVxControlBar>};
  return Info;
}

TVxControlBar::TVxControlBar(TComponent* Owner) : TControlBar(Owner) { RegisterThemeClient(this); }

TVxControlBar::~TVxControlBar() { UnregisterThemeClient(this); }

void TVxControlBar::SetThemeObject(const std::string& Value) {
  if (Value == FThemeObject) return;
  FThemeObject = Value;
  // Whether the theme paints the bar, and so the insets, may have changed.
  Realign();
  Invalidate();
}

bool TVxControlBar::Themed() const { return IsToolBarThemed(1, FThemeObject, nullptr); }

bool TVxControlBar::ProbeInsets(TRect& Insets) const {
  TvxTheme* Theme = CurrentTheme();
  if (!Theme || !Themed()) return false;
  TRect Client = ProbeBar;
  Theme->GetToolBarClientRect(1, ProbeBar, Client, "default");
  // A client rectangle reaching outside the probe would make bands smaller than their controls.
  Insets =
      Rect(std::max<Integer>(Client.Left, 0), std::max<Integer>(Client.Top, 0),
           std::max<Integer>(ProbeBar.Right - Client.Right, 0), std::max<Integer>(ProbeBar.Bottom - Client.Bottom, 0));
  return true;
}

Integer TVxControlBar::GetGrabberWidth() const {
  TRect Insets;
  return ProbeInsets(Insets) ? Insets.Left : ClassicGrabberWidth;
}

void TVxControlBar::QueryBandInfo(TControl* Control, TRect& Insets, Integer& PreferredSize, Integer& RowCount) {
  TRect Probed;
  if (ProbeInsets(Probed)) Insets = Probed;
  TControlBar::QueryBandInfo(Control, Insets, PreferredSize, RowCount);
}

// [Painting]

void TVxControlBar::PaintBackground(TCanvas& Canvas) {
  const TRect R(0, 0, Width(), Height());
  if (TvxTheme* Theme = CurrentTheme(); Theme && Themed()) return Theme->DrawControlBar(0, Canvas, "default", R);
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Rebar"); Style)
    return Style.DrawBackground(Canvas.Handle(), 0, 0, R);
  TControlBar::PaintBackground(Canvas);
}

void TVxControlBar::PaintBand(TCanvas& Canvas, TControl* Control, TRect R) {
  TBandPaintOptions Options{TBandPaintOption::bpoGrabber, TBandPaintOption::bpoFrame};
  BandPainting(Control, Canvas, R, Options);
  const bool Grabber = Options.Contains(TBandPaintOption::bpoGrabber);
  if (TvxTheme* Theme = CurrentTheme(); Theme && Themed()) {
    Theme->DrawToolBar(1, Canvas, "default", R);
    if (Grabber)
      Theme->DrawToolBarItem(
          1, Canvas, "default",
          TvxToolItemInfo{Rect(R.Left + 3, R.Top + 2, R.Left + 9, R.Bottom - 2), ToolItemGrabber, 0});
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Rebar"); Style) {
    TBandPaintOptions Frame = Options;
    Frame.Exclude(TBandPaintOption::bpoGrabber);
    PaintClassicBand(Canvas, R, Frame);
    if (Grabber) Style.DrawBackground(Canvas.Handle(), 1, 1, Rect(R.Left + 2, R.Top + 2, R.Left + 8, R.Bottom - 2));
    return;
  }
  PaintClassicBand(Canvas, R, Options);
}

// [Theme changes]

void TVxControlBar::ThemeChanged(uintptr_t Code) {
  if (Code == TMC_THEMECHANGED || Code == TMC_THEMESET || Code == TMC_THEMEREMOVED) {
    RebuildBands();
    Repaint();
  } else if (Code == TMC_COLORSCHANGED) {
    Invalidate();
  }
}

void TVxControlBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case TM_THEMECHANGE: return ThemeChanged(Message.WParam);
    case WM_THEMECHANGED: Invalidate(); break;
  }
  TControlBar::Dispatch(Message);
}
