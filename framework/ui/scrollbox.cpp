// TScrollBox.
#include "framework/ui/scrollbox.h"

#include <windows.h>

#include <algorithm>

const TClassInfo& TScrollBox::StaticClassInfo() {
  static const TClassInfo Info{"TScrollBox", &TWinControl::StaticClassInfo(), {}, {}, &CreateComponent<TScrollBox>};
  return Info;
}

TScrollBox::TScrollBox(TComponent* Owner) : TWinControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

TSize TScrollBox::ContentSize() const {
  TSize Size{0, 0};
  for (TControl* C : ControlList()) {
    if (!C->Visible() || C->Align() != TAlign::alNone) continue;
    Size.cx = std::max<Integer>(Size.cx, C->Left() + C->Width() + FPos.X);
    Size.cy = std::max<Integer>(Size.cy, C->Top() + C->Height() + FPos.Y);
  }
  return Size;
}

TPoint TScrollBox::MaxPosition() {
  const TSize Content = ContentSize();
  const TRect Client = ClientRect();
  return {std::max<Integer>(0, Content.cx - Client.Width()), std::max<Integer>(0, Content.cy - Client.Height())};
}

void TScrollBox::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdating) return;
  FUpdating = true;
  const TSize Content = ContentSize();
  // Showing one bar narrows the client area, which may call for the other: settle in two passes.
  for (int Pass = 0; Pass < 2; ++Pass) {
    const TRect Client = ClientRect();
    SCROLLINFO Info{sizeof(Info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    Info.nMax = std::max<Integer>(Content.cx - 1, 0);
    Info.nPage = UINT(std::max<Integer>(Client.Width(), 0));
    Info.nPos = FPos.X;
    SetScrollInfo(Handle(), SB_HORZ, &Info, TRUE);
    Info.nMax = std::max<Integer>(Content.cy - 1, 0);
    Info.nPage = UINT(std::max<Integer>(Client.Height(), 0));
    Info.nPos = FPos.Y;
    SetScrollInfo(Handle(), SB_VERT, &Info, TRUE);
  }
  FUpdating = false;
  // Content that shrank or a box that grew may leave the position past the end.
  const TPoint Max = MaxPosition();
  if (FPos.X > Max.X || FPos.Y > Max.Y) ScrollTo(std::min(FPos.X, Max.X), std::min(FPos.Y, Max.Y));
}

void TScrollBox::ScrollTo(Integer X, Integer Y) {
  const TPoint Max = HandleAllocated() ? MaxPosition() : TPoint{X, Y};
  X = std::clamp<Integer>(X, 0, std::max<Integer>(Max.X, 0));
  Y = std::clamp<Integer>(Y, 0, std::max<Integer>(Max.Y, 0));
  const Integer DX = FPos.X - X, DY = FPos.Y - Y;
  if (DX == 0 && DY == 0) return;
  FPos = {X, Y};
  DisableAlign();
  for (TControl* C : ControlList())
    if (C->Align() == TAlign::alNone) C->SetBounds(C->Left() + DX, C->Top() + DY, C->Width(), C->Height());
  EnableAlign();
  Invalidate();
  UpdateScrollBars();
}

void TScrollBox::ScrollInView(TControl* Control) {
  if (!Control || !ContainsControl(Control) || Control == this) return;
  // The control's rectangle in this box's client coordinates.
  TRect R = Control->BoundsRect();
  for (TControl* P = Control->Parent(); P && P != this; P = P->Parent()) {
    R = Bounds(R.Left + P->Left(), R.Top + P->Top(), R.Width(), R.Height());
  }
  const TRect Client = ClientRect();
  Integer X = FPos.X, Y = FPos.Y;
  if (R.Right > Client.Right) X += R.Right - Client.Right;
  if (R.Left - (X - FPos.X) < 0) X += R.Left - (X - FPos.X);
  if (R.Bottom > Client.Bottom) Y += R.Bottom - Client.Bottom;
  if (R.Top - (Y - FPos.Y) < 0) Y += R.Top - (Y - FPos.Y);
  ScrollTo(X, Y);
}

void TScrollBox::Scroll(int Bar, int Code) {
  const bool Vert = Bar == SB_VERT;
  const std::optional<Integer> New = ScrollRequestPosition(Handle(), Bar, Code, Vert ? FPos.Y : FPos.X, 8,
                                                           Vert ? ClientHeight() : ClientWidth(), INT32_MAX / 2);
  if (!New) return;
  if (Vert)
    ScrollTo(FPos.X, *New);
  else
    ScrollTo(*New, FPos.Y);
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

void TScrollBox::Resize() {
  UpdateScrollBars();
  TWinControl::Resize();
}

void TScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: Scroll(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(Message.WParam)); return;
    case WM_MOUSEWHEEL: ScrollTo(FPos.X, FPos.Y - int16_t(HIWORD(Message.WParam)) / WHEEL_DELTA * 24); return;
    case CM_CONTROLCHANGE:
      TWinControl::Dispatch(Message);
      UpdateScrollBars();
      return;
  }
  TWinControl::Dispatch(Message);
}
