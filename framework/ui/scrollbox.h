// TScrollBox: a container whose children may reach past its client area; scroll bars appear
// when they do and move the children.
#pragma once

#include "framework/ui/controls.h"

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // How far the content is scrolled (0 at the start).
  Integer HorzPosition() const { return FPos.X; }
  Integer VertPosition() const { return FPos.Y; }
  // Scrolls to a position, clamped into the range.
  void ScrollTo(Integer X, Integer Y);
  // Scrolls so that Control (a descendant) is fully in view where it can be.
  void ScrollInView(TControl* Control);
  // The size of the content: the extent of the unaligned children at position 0.
  TSize ContentSize() const;
  // Recomputes the ranges after children moved or resized.
  void UpdateScrollBars();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  // Children moved or resized change the ranges.
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  void Scroll(int Bar, int Code);
  TPoint MaxPosition();
  TPoint FPos{0, 0};
  bool FUpdating = false;
};
