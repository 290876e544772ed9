// TVxControlBar: the framework's control bar (bands in rows, moved with the mouse) painted through
// the current theme's control-bar and tool-bar drawing, the platform's "Rebar" visual style or
// the classic look. With a theme that paints tool bars, the grabber width and the band insets
// come from the theme's tool-bar client rectangle.
//
// It derives from TControlBar, not TVxControl: the band records, rows and moves live there. It
// binds to the theme as the skinned controls do (ThemeObject, registration with the theme
// manager, the change codes). Windows only.
#pragma once

#include <string>

#include "framework/ui/control_bar.h"

class TvxTheme;

// The tool-item part of a grabber (a tool bar's or a band's) as the theme's tool-item drawing
// takes it: the first byte of the record, the state second.
constexpr Byte ToolItemGrabber = 13;

class TVxControlBar : public TControlBar {
 public:
  explicit TVxControlBar(TComponent* Owner = nullptr);
  ~TVxControlBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);
  // Whether the current theme paints tool bars for ThemeObject (or "default").
  bool Themed() const;

  // Also what the bar paints under a child that shows its parent through itself.
  void PaintBackground(TCanvas& Canvas) override;

 protected:
  void Dispatch(TMessage& Message) override;
  Integer GetGrabberWidth() const override;
  void QueryBandInfo(TControl* Control, TRect& Insets, Integer& PreferredSize, Integer& RowCount) override;
  void PaintBand(TCanvas& Canvas, TControl* Control, TRect R) override;
  // Codes that replace, set or remove the theme make the bands again (their insets follow the
  // theme) and repaint at once; a colour change repaints.
  virtual void ThemeChanged(uintptr_t Code);

 private:
  // The theme's tool-bar client rectangle of a 100 x 30 bar; nothing without a theme that
  // paints tool bars.
  bool ProbeInsets(TRect& Insets) const;

  std::string FThemeObject = "default";
};
