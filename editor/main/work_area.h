// TWorkArea: the centre's drawing surface. It paints the document's top-level object at the zoom
// with the selection outline and its five handles, and turns the mouse into the document's
// work-area commands (select, drag a handle) with the cursor of the handle under the pointer. It
// takes the focus when clicked, so that the window's keys for the selection reach it.
#pragma once

#include <memory>

#include "framework/ui/controls.h"

class TSkinDocument;
class TvxBitmap;

class TWorkArea : public TCustomControl {
 public:
  explicit TWorkArea(TComponent* Owner = nullptr);
  ~TWorkArea() override;

  // The document shown; nil shows nothing (the window sets nil before the document goes).
  TSkinDocument* Document() const { return FDocument; }
  void SetDocument(TSkinDocument* Value);

  // Paints at once on the window, without waiting for the system's paint message (a drag and
  // every refresh paint this way).
  void PaintNow();

  // A handle drag moved or resized the selection.
  TNotifyEvent OnDragged;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

 private:
  TSkinDocument* FDocument = nullptr;
  // The root's picture, kept between paints: a drag repaints many times a second.
  std::unique_ptr<TvxBitmap> FBuffer;
};
