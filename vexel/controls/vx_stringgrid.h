// TVxStringGrid: the framework's string grid with skinned scroll bars lying over its own, and
// its frame, background and cells painted through the theme's grid group (else the platform's
// "Edit" visual style, else the classic look). The grid owns its pair of in-place bars; they lie
// on the grid's parent and move with it. Windows only.
#pragma once

#include <string>

#include "framework/ui/grids.h"
#include "vexel/controls/vx_scrollbar.h"

class TVxStringGrid : public TStringGrid {
 public:
  explicit TVxStringGrid(TComponent* Owner = nullptr);
  ~TVxStringGrid() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);
  TVxSubScrollBar* SubScrollBar() const { return FScrollBars; }
  // False while the current theme draws the cells; the framework's own cell drawing otherwise.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  bool MouseInControl() const { return FMouseInControl; }
  void SetParent(TWinControl* Value) override;
  void Loaded() override;

 protected:
  // Makes each of the two bars, owned by Owner; descendants may return their own kind.
  virtual TVxScrollBar* CreateScrollBar(TComponent* Owner);
  // The area under the cells (R: the window grown by 2).
  virtual void PaintBackground(TCanvas& Canvas, const TRect& R);
  // The frame around the client area, R in window coordinates.
  virtual void PaintFrame(TCanvas& Canvas, const TRect& R);
  void DrawCell(Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  bool Themed() const;
  // The "Edit" style state: 4 disabled, 3 focused, 2 hot, 1 normal.
  int StyleState() const;
  // Colour and cell drawing from the current theme (or the framework's without one).
  void ApplyThemeSettings();
  void RedrawFrame();
  void NcPaint();

  std::string FThemeObject = "default";
  TVxSubScrollBar* FScrollBars = nullptr;
  bool FDefaultDrawing = true;
  bool FMouseInControl = false;
};
