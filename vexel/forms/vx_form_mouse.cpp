// The mouse on a skinned frame: title buttons, moving by the caption, sizing by edges and corners,
// outline and full dragging, snapping to the work area's edges.
#include <windows.h>

#include "framework/graphics/gdi_handles.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_winapi.h"

namespace {
TControl* DroppedCombo = nullptr;
std::function<void()> DroppedComboClose;
}  // namespace

void RegisterDroppedDownCombo(TControl* Combo, std::function<void()> Close) {
  DroppedCombo = Combo;
  DroppedComboClose = Combo ? std::move(Close) : nullptr;
}

void UnregisterDroppedDownCombo(TControl* Combo) {
  if (Combo != DroppedCombo) return;
  DroppedCombo = nullptr;
  DroppedComboClose = nullptr;
}

TControl* DroppedDownCombo() { return DroppedCombo; }

void CloseDroppedDownCombo() {
  std::function<void()> Close = std::move(DroppedComboClose);
  DroppedCombo = nullptr;
  DroppedComboClose = nullptr;
  if (Close) Close();
}

void TVxDefaultForm::NCButtonDown(TMouseButton Button, TPoint P) {
  TForm* F = Form();
  if (!F) return;
  if (!FCaptionActive && F->HandleAllocated()) SetForegroundWindow(F->Handle());
  CloseDroppedDownCombo();
  FNCButtons = Button == TMouseButton::mbLeft ? 8 : 16;
  MouseDown(
      Button,
      Button == TMouseButton::mbLeft ? TShiftState{TShiftStateFlag::ssLeft} : TShiftState{TShiftStateFlag::ssRight},
      P.X, P.Y);
}

void TVxDefaultForm::MouseDown(TMouseButton Button, TShiftState, Integer X, Integer Y) {
  TForm* F = Form();
  if (Button != TMouseButton::mbLeft || !F) return;
  FPressedPart = FHotPart = HitTest(X, Y);
  FDragStart = FLastPos = {X, Y};
  PaintNonClient();
  if (FPressedPart >= vxhtCaption && FPressedPart <= vxhtBottomRight) {
    FTracking = true;
    FDragFrame = TRect{};
    PostMessageA(F->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    if (FDragging->DragMode() == TVxFormDragMode::kfdmBorder) {
      FPaintEnabled = false;
      FOutlineMode = true;
    }
  }
  SetCapture(F->Handle());
}

void TVxDefaultForm::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TForm* F = Form();
  if (!F) return;
  if (!Shift.Contains(TShiftStateFlag::ssLeft) || !FTracking) {
    const TvxHitCode Hot = HitTest(X, Y);
    if (Hot != FHotPart) {
      FHotPart = Hot;
      PaintNonClient();
    }
    return;
  }
  TRect R = FormBounds();
  const bool Outline = FOutlineMode;
  const TPoint Base = Outline ? FDragStart : FLastPos;
  const TSize Min = GetMinTrackSize();
  const bool CanSize = FDragging->Sizeable() && FWindowState == TVxWindowState::kwsNormal;
  const bool CanMove = FDragging->Moveable() && FWindowState != TVxWindowState::kwsMaximized;
  auto Left = [&] {
    R.Left += X - FDragStart.X;
    if (R.Right - Min.cx < R.Left) R.Left = R.Right - Min.cx;
  };
  auto Top = [&] {
    R.Top += Y - FDragStart.Y;
    if (R.Bottom - Min.cy < R.Top) R.Top = R.Bottom - Min.cy;
  };
  auto Right = [&] { R.Right += X - Base.X; };
  auto Bottom = [&] { R.Bottom += Y - Base.Y; };
  bool Changed = true;
  switch (FPressedPart) {
    case vxhtCaption:
      if (!CanMove) {
        Changed = false;
        break;
      }
      R = R.Offset(X - FDragStart.X, Y - FDragStart.Y);
      SnapToEdges(R);
      break;
    case vxhtLeft: CanSize ? Left() : void(Changed = false); break;
    case vxhtTop: CanSize ? Top() : void(Changed = false); break;
    case vxhtRight: CanSize ? Right() : void(Changed = false); break;
    case vxhtBottom: CanSize ? Bottom() : void(Changed = false); break;
    case vxhtTopLeft:
      if (!CanSize) {
        Changed = false;
        break;
      }
      Top();
      Left();
      break;
    case vxhtTopRight:
      if (!CanSize) {
        Changed = false;
        break;
      }
      Top();
      Right();
      break;
    case vxhtBottomLeft:
      if (!CanSize) {
        Changed = false;
        break;
      }
      Bottom();
      Left();
      break;
    case vxhtBottomRight:
      if (!CanSize) {
        Changed = false;
        break;
      }
      Bottom();
      Right();
      break;
    default: Changed = false; break;
  }
  if (Changed) {
    if (FDragging->DragMode() == TVxFormDragMode::kfdmFullDrag) {
      SetBoundsNow(R);
      FHotPart = HitTest(X, Y);
      PaintNonClient();
    } else {
      DrawDragFrame(R);
    }
  }
  FLastPos = {X, Y};
}

TRect TVxDefaultForm::GetWorkArea() {
  TForm* F = Form();
  if (!F || !F->HandleAllocated()) return GetMonitorAreaFromWindow(nullptr, true);
  if (HWND Parent = GetParent(F->Handle()); Parent && (GetWindowLongPtrA(F->Handle(), GWL_STYLE) & WS_CHILD)) {
    RECT R;
    GetClientRect(Parent, &R);
    return Rect(R.left, R.top, R.right, R.bottom);
  }
  return GetMonitorAreaFromWindow(F->Handle(), !FStayOnTop);
}

void TVxDefaultForm::SnapToEdges(TRect& R) {
  if (!FGravitation->Enabled()) return;
  const Integer S = ShadowVisible() ? FShadow->Size() : 0;
  const TRect W{R.Left, R.Top, R.Right - S, R.Bottom - S};
  const TRect A = GetWorkArea();
  const Integer G = FGravitation->Size();
  if (std::abs(W.Left - A.Left) < G)
    R = R.Offset(A.Left - W.Left, 0);
  else if (std::abs(W.Right - A.Right) < G)
    R = R.Offset(A.Right - W.Right, 0);
  if (std::abs(W.Top - A.Top) < G)
    R = R.Offset(0, A.Top - W.Top);
  else if (std::abs(W.Bottom - A.Bottom) < G)
    R = R.Offset(0, A.Bottom - W.Bottom);
}

void TVxDefaultForm::DrawDragFrame(const TRect& R) {
  if (FWindowState == TVxWindowState::kwsMaximized) return;
  TWindowDC Screen(nullptr);
  HDC DC = Screen.Get();
  if (!DC) return;
  TPenHandle Pen(CreatePen(PS_INSIDEFRAME, 2, RGB(255, 255, 255)));
  TSelectGuard SelectPen(DC, Pen.Get());
  TSelectGuard SelectBrush(DC, GetStockObject(NULL_BRUSH));
  const int OldRop = SetROP2(DC, R2_XORPEN);
  if (!FDragFrame.IsEmpty()) Rectangle(DC, FDragFrame.Left, FDragFrame.Top, FDragFrame.Right, FDragFrame.Bottom);
  if (!R.IsEmpty()) Rectangle(DC, R.Left, R.Top, R.Right, R.Bottom);
  SetROP2(DC, OldRop);
  FDragFrame = R;
}

void TVxDefaultForm::SetBoundsNow(const TRect& R) {
  TForm* F = Form();
  if (!F) return;
  F->SetBoundsRect(R);
  if (FSavedDragMode == 0) return;
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(int(Msg.wParam));
      break;
    }
    DispatchMessageA(&Msg);
  }
}

void TVxDefaultForm::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TForm* F = Form();
  if (F && F->HandleAllocated()) PostMessageA(F->Handle(), WM_EXITSIZEMOVE, 0, 0);
  if (!F) return;
  const TvxHitCode H = HitTest(X, Y);
  if (Button == TMouseButton::mbLeft) {
    if (GetCapture() == F->Handle()) {
      // Our own release, not another window taking the mouse: the drag ends below.
      FEndingDrag = true;
      ReleaseCapture();
      FEndingDrag = false;
    }
    const TvxHitCode Pressed = FPressedPart;
    if (Shift.Contains(TShiftStateFlag::ssDouble)) {
      if (FBorderIcons.Contains(TVxBorderIcon::kbiMaximize) && Pressed == vxhtCaption) {
        ReleaseDrag();
        if (FWindowState == TVxWindowState::kwsMinimized || FWindowState == TVxWindowState::kwsMaximized)
          Restore();
        else
          Maximize();
        return;
      }
      if (Pressed == vxhtSysMenu) {
        ReleaseDrag();
        Close();
        return;
      }
    }
    const bool WasOutline = FOutlineMode;
    if (FTracking) {
      if (WasOutline) {
        // The outline goes, then the window takes the bounds the pointer asks for.
        DrawDragFrame(TRect{});
        FSavedDragMode = Byte(FDragging->DragMode());
        FDragging->SetDragMode(TVxFormDragMode::kfdmFullDrag);
        FOutlineMode = false;
        FPaintEnabled = true;
        try {
          MouseMove({TShiftStateFlag::ssLeft}, X, Y);
        } catch (...) {
          FDragging->SetDragMode(TVxFormDragMode(FSavedDragMode));
          throw;
        }
        FDragging->SetDragMode(TVxFormDragMode(FSavedDragMode));
        F->Invalidate();
      }
      FTracking = false;
    }
    FPressedPart = vxhtNone;
    PaintNonClient();
    if (Pressed == H) {
      switch (H) {
        case vxhtClose: Close(); break;
        case vxhtHelp: ShowHelp(); break;
        case vxhtMinimize: Minimize(); break;
        case vxhtMaximize: Maximize(); break;
        case vxhtRollup: Rollup(); break;
        case vxhtTray: MinimizeToTray(); break;
        case vxhtSysMenu: {
          const TRect B = GetButtonRect(TVxBorderIcon::kbiSystemMenu);
          if (B.IsEmpty()) {
            FPopupPoint = {0, 0};
          } else {
            const TRect C = GetClientBounds();
            FPopupPoint = F->ClientToScreen({B.Left - C.Left, B.Bottom - C.Top});
          }
          ShowSystemMenu();
          break;
        }
        default: break;
      }
    }
  } else if (Button == TMouseButton::mbRight && H == vxhtCaption) {
    const TRect C = GetClientBounds();
    FPopupPoint = F->ClientToScreen({X - C.Left, Y - C.Top});
    ShowSystemMenu();
    FPopupPoint = {0, 0};
  }
  FPressedPart = vxhtNone;
}

// Ends a drag without applying it: the outline goes, painting comes back, the capture is freed.
void TVxDefaultForm::ReleaseDrag() {
  if (FOutlineMode) DrawDragFrame(TRect{});
  FOutlineMode = false;
  FPaintEnabled = true;
  FTracking = false;
  FPressedPart = vxhtNone;
  TForm* F = Form();
  if (F && F->HandleAllocated() && GetCapture() == F->Handle()) ReleaseCapture();
}
