#include "framework/ui/splitter.h"

#include <windows.h>

const TClassInfo& TSplitter::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TSplitter::MinSize, &TSplitter::SetMinSize>("MinSize", 30),
  };
  static const TClassInfo Info{
      "TSplitter", &TGraphicControl::StaticClassInfo(), Properties, {}, &CreateComponent<TSplitter>};
  return Info;
}

TSplitter::TSplitter(TComponent* Owner) : TGraphicControl(Owner) {
  SetParentColor(true);
  SetAlign(TAlign::alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

TControl* TSplitter::FindNeighbour() const {
  if (!Parent()) return nullptr;
  for (TControl* C : Parent()->ControlList()) {
    if (C == this || !C->Visible() || C->Align() != Align()) continue;
    switch (Align()) {
      case TAlign::alLeft:
        if (C->Left() + C->Width() == Left()) return C;
        break;
      case TAlign::alRight:
        if (C->Left() == Left() + Width()) return C;
        break;
      case TAlign::alTop:
        if (C->Top() + C->Height() == Top()) return C;
        break;
      case TAlign::alBottom:
        if (C->Top() == Top() + Height()) return C;
        break;
      default: break;
    }
  }
  return nullptr;
}

void TSplitter::Paint() {
  Canvas()->Brush().SetColor(Color());
  Canvas()->FillRect(ClientRect());
  TGraphicControl::Paint();
}

void TSplitter::RequestAlign() {
  // The pointer shows the direction the bar moves in.
  if (Cursor() == crHSplit || Cursor() == crVSplit) SetCursor(Horizontal() ? crHSplit : crVSplit);
  TGraphicControl::RequestAlign();
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Parent()) return;
  FNeighbour = FindNeighbour();
  if (!FNeighbour) return;
  FDownPos = Horizontal() ? Left() + X : Top() + Y;
  FStartSize = NeighbourSize(FNeighbour);
  // What the other aligned controls of this axis leave over, less the room the rest keeps.
  const TRect Client = Parent()->ClientRect();
  Integer Used = 0;
  for (TControl* C : Parent()->ControlList()) {
    if (!C->Visible()) continue;
    const TAlign A = C->Align();
    if (Horizontal() ? (A == TAlign::alLeft || A == TAlign::alRight) : (A == TAlign::alTop || A == TAlign::alBottom))
      Used += Horizontal() ? C->Width() : C->Height();
  }
  const Integer Free = (Horizontal() ? Client.Width() : Client.Height()) - Used;
  FMaxSize = std::max<Integer>(FStartSize + Free - FMinSize, FMinSize);
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FNeighbour || !MouseCapture()) return;
  const Integer Pos = Horizontal() ? Left() + X : Top() + Y;
  const bool Grows = Align() == TAlign::alLeft || Align() == TAlign::alTop;
  const Integer Delta = Grows ? Pos - FDownPos : FDownPos - Pos;
  const Integer Size = std::clamp<Integer>(FStartSize + Delta, std::min(FMinSize, FStartSize), FMaxSize);
  if (Size == NeighbourSize(FNeighbour)) return;
  TWinControl* P = Parent();
  P->DisableAlign();
  switch (Align()) {
    case TAlign::alLeft: FNeighbour->SetWidth(Size); break;
    case TAlign::alTop: FNeighbour->SetHeight(Size); break;
    case TAlign::alRight:
      FNeighbour->SetBounds(FNeighbour->Left() + FNeighbour->Width() - Size, FNeighbour->Top(), Size,
                            FNeighbour->Height());
      break;
    case TAlign::alBottom:
      FNeighbour->SetBounds(FNeighbour->Left(), FNeighbour->Top() + FNeighbour->Height() - Size, FNeighbour->Width(),
                            Size);
      break;
    default: break;
  }
  P->EnableAlign();
  P->Update();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FNeighbour) return;
  FNeighbour = nullptr;
  if (OnMoved) OnMoved(this);
}
