// TSplitter: a windowless bar between an aligned control and the rest of its parent; dragging it
// resizes that control (its neighbour: the visible control aligned to the same side, touching
// the splitter on the side it is aligned to). The size follows the mouse while dragging.
#pragma once

#include "framework/ui/controls.h"

class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The smallest size the neighbour and the space left over may get.
  Integer MinSize() const { return FMinSize; }
  void SetMinSize(Integer Value) { FMinSize = std::max<Integer>(Value, 1); }
  // The control the splitter resizes now, or nil.
  TControl* FindNeighbour() const;

  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void RequestAlign() override;

 private:
  bool Horizontal() const { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }
  Integer NeighbourSize(const TControl* C) const { return Horizontal() ? C->Width() : C->Height(); }

  Integer FMinSize = 30;
  TControl* FNeighbour = nullptr;
  Integer FDownPos = 0;    // the pointer in the parent's coordinates when the drag began
  Integer FStartSize = 0;  // the neighbour's size then
  Integer FMaxSize = 0;
};
