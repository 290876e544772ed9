// TVxToolBar: a windowed container that lines its children up in one row (one column when it is
// taller than wide and not aligned to the top or bottom), from its client rectangle's leading
// edge in the order of their positions. With ButtonAutoSize its speed buttons and dividers take
// ButtonWidth and DividerWidth along the bar, and ButtonWidth follows the bar's thickness.
//
// Paints through the current theme's tool-bar drawing, the platform's "Rebar" visual style or
// the classic look; inside a TVxControlBar the bar shows the control bar's background (or, in the
// classic look, its own colour) and the band around it supplies the grabber. Windows only.
#pragma once

#include "vexel/controls/vx_controls.h"

class TVxToolBar : public TVxControl {
 public:
  explicit TVxToolBar(TComponent* Owner = nullptr);
  ~TVxToolBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Insets the children on every side (not a frame: nothing is drawn there).
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  // The size of a speed button along the bar (a chevron adds its own width).
  Integer ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  bool ButtonAutoSize() const { return FButtonAutoSize; }
  void SetButtonAutoSize(bool Value);
  Integer DividerWidth() const { return FDividerWidth; }
  void SetDividerWidth(Integer Value);

  // Children run left to right (else top to bottom).
  bool Horizontal() const;
  // Where the children go: the theme's tool-bar client rectangle, the classic one leaving room
  // for the grip, or the whole bar inside a control bar; less BorderWidth on every side.
  TRect GetClientRect();
  TRect ClientRect() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Loaded() override;
  // Whether the theme paints the bar, and so where its children go, may change with it.
  void SetThemeObject(const std::string& Value) override;

  // Paints the bar as the background of Child (the painter registered for tool bars), without
  // the bar's own windowless children.
  void PaintForChild(TCanvas& Canvas, TControl* Child);

 protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void ThemeChanged(uintptr_t Code) override;

 private:
  bool HorizontalAt(Integer Width, Integer Height) const;
  bool Themed() const;
  bool InControlBar() const;
  // ButtonWidth from the thickness of a bar of the given size and orientation.
  void AutoSizeButtons(bool Horz, Integer Width, Integer Height);
  // The size along the bar that ButtonAutoSize gives Control; -1 when it keeps its own.
  Integer AutoSizeOf(const TControl* Control) const;
  // The bar outside a control bar: through the theme; the classic grip and frame.
  void PaintThemed();
  void PaintClassic();
  // One pixel around the bar, lighter than Color at the top and left, darker at the others.
  void PaintShadedFrame();

  Integer FBorderWidth = 0;
  Integer FButtonWidth = 0;
  bool FButtonAutoSize = true;
  Integer FDividerWidth = 8;
  bool FPaintingForChild = false;
  // A child on its way out: still listed while its removal is announced.
  TControl* FLeaving = nullptr;
};
