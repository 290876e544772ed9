#include "editor/main/work_area.h"

#include <windows.h>

#include "editor/core/skin_document.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/skin/theme_dv3draw.h"

namespace {

TCursor CursorOf(TWorkAreaCursor Cursor) {
  switch (Cursor) {
    case TWorkAreaCursor::wcSizeAll: return crSizeAll;
    case TWorkAreaCursor::wcSizeNWSE: return crSizeNWSE;
    case TWorkAreaCursor::wcSizeNESW: return crSizeNESW;
    case TWorkAreaCursor::wcDefault: break;
  }
  return crDefault;
}

TWorkAreaButtons ButtonsOf(TShiftState Shift) {
  if (Shift == TShiftState{TShiftStateFlag::ssLeft}) return TWorkAreaButtons::wbLeftOnly;
  for (TShiftStateFlag F : {TShiftStateFlag::ssLeft, TShiftStateFlag::ssRight, TShiftStateFlag::ssMiddle,
                            TShiftStateFlag::ssShift, TShiftStateFlag::ssCtrl, TShiftStateFlag::ssAlt})
    if (Shift.Contains(F)) return TWorkAreaButtons::wbOther;
  return TWorkAreaButtons::wbNone;
}

}  // namespace

TWorkArea::TWorkArea(TComponent* Owner) : TCustomControl(Owner) {
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetColor(clBtnFace);
  // The arrow keys, Delete and the clipboard keys act on the selection here.
  SetTabStop(true);
}

TWorkArea::~TWorkArea() = default;

void TWorkArea::SetDocument(TSkinDocument* Value) {
  FDocument = Value;
  Invalidate();
}

void TWorkArea::Paint() {
  TCanvas& Out = *Canvas();
  const TWorkAreaPaint P = FDocument ? FDocument->PrepareWorkAreaPaint() : TWorkAreaPaint{};
  if (P.Fill) {
    Out.Brush().SetStyle(TBrushStyle::bsSolid);
    Out.Brush().SetColor(clBtnFace);
    Out.FillRect(ClientRect());
    return;
  }
  if (P.Empty) return;
  if (!FBuffer) FBuffer = std::make_unique<TvxBitmap>();
  TvxBitmap& Bitmap = *FBuffer;
  if (Bitmap.Width() != P.BitmapSize.cx || Bitmap.Height() != P.BitmapSize.cy)
    Bitmap.SetSize(P.BitmapSize.cx, P.BitmapSize.cy);
  else
    Bitmap.Fill(0);  // as a new bitmap starts
  if (P.Selection) {
    TCanvas Skin(Bitmap.DC());
    DrawObject(*FDocument->RootObject(), Skin, Rect(-1, -1, -1, -1));
    Skin.Brush().SetStyle(TBrushStyle::bsClear);
    Skin.Pen().SetStyle(TPenStyle::psDot);
    Skin.Pen().SetMode(TPenMode::pmXor);
    Skin.Pen().SetColor(RGB(192, 192, 192));
    Skin.Rectangle(P.SelectionRect);
    Skin.Pen().SetMode(TPenMode::pmCopy);
    Skin.Brush().SetStyle(TBrushStyle::bsSolid);
    for (const TRect& Handle : P.Handles) {
      Skin.Brush().SetColor(clRed);
      Skin.FillRect(Handle);
      Skin.Brush().SetColor(clYellow);
      Skin.FrameRect(Handle);
    }
  }
  GdiFlush();
  Bitmap.StretchDraw(Out, Rect(0, 0, P.TargetSize.cx, P.TargetSize.cy), Bitmap.BoundsRect());
}

void TWorkArea::PaintNow() {
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
  Paint();
  GdiFlush();
}

void TWorkArea::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!FDocument) return;
  if (CanFocus()) SetFocus();
  SetCursor(CursorOf(FDocument->WorkAreaMouseDown({X, Y}, Button == TMouseButton::mbLeft)));
}

void TWorkArea::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FDocument) return;
  const TWorkAreaMove Move = FDocument->WorkAreaMouseMove({X, Y}, ButtonsOf(Shift));
  if (Move.Cursor) SetCursor(CursorOf(*Move.Cursor));
  if (!Move.Dragged) return;
  if (OnDragged) OnDragged(this);
  PaintNow();
}

void TWorkArea::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FDocument) FDocument->WorkAreaMouseUp();
}
