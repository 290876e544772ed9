// TControlBar: band records, row layout, moving bands with the mouse, classic painting.
//
// [Bands]     one record per child control, kept in row order (Break starts a row)
// [Layout]    rows from the saved places or from a move in progress; controls placed inside
// [Mouse]     a press on a band starts a move; the move's rows are those seen at the press
// [Painting]  background, OnPaint, then every band's frame and grabber
#include "framework/ui/control_bar.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "framework/ui/panel.h"

namespace {

Integer ClampToInteger(int64_t Value) {
  return Integer(std::clamp<int64_t>(Value, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

struct TReentryGuard {
  explicit TReentryGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TReentryGuard() { FFlag = false; }
  bool& FFlag;
};

}  // namespace

TRect TControlBand::BandRect() const {
  const TRect B = Control->BoundsRect();
  return Rect(B.Left - Insets.Left, B.Top - Insets.Top, B.Right + Insets.Right, B.Bottom + Insets.Bottom);
}

const TClassInfo& TControlBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TControlBar::AutoDock, &TControlBar::SetAutoDock>("AutoDock", 1),
      BooleanProperty<&TControlBar::AutoDrag, &TControlBar::SetAutoDrag>("AutoDrag", 1),
      // Always written: the constructor switches it on, so an unwritten False would come back True.
      BooleanProperty<&TControlBar::AutoSize, &TControlBar::SetAutoSize>("AutoSize"),
      IntegerProperty<&TControlBar::RowSize, &TControlBar::SetRowSize>("RowSize", 26),
      BooleanProperty<&TControlBar::RowSnap, &TControlBar::SetRowSnap>("RowSnap", 0),
  };
  static const TClassInfo Info{
      "TControlBar", &TCustomControl::StaticClassInfo(), Properties, {}, &CreateComponent<TControlBar>};
  return Info;
}

TControlBar::TControlBar(TComponent* Owner) : TCustomControl(Owner) {
  SetControlStyle({TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents, TControlStyleFlag::csOpaque, TControlStyleFlag::csDoubleClicks});
  SetBounds(0, 0, 100, 50);
  FAutoSize = true;
  SetParentColor(true);
}

TControlBar::~TControlBar() = default;

void TControlBar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  // The bands do not depend on the bar's size: a resize repaints only what it uncovers.
  Params.ClassStyle &= ~uint32_t(CS_HREDRAW | CS_VREDRAW);
}

void TControlBar::Loaded() {
  TCustomControl::Loaded();
  Realign();
}

void TControlBar::SetRowSize(TRowSize Value) {
  Value = std::max<TRowSize>(Value, 1);
  if (Value == FRowSize) return;
  FRowSize = Value;
  Realign();
}

void TControlBar::SetRowSnap(bool Value) {
  if (Value == FRowSnap) return;
  FRowSnap = Value;
  Realign();
}

void TControlBar::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  if (Value) Realign();
}

void TControlBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CONTROLCHANGE: {
      auto* Control = reinterpret_cast<TControl*>(Message.WParam);
      // A band event adding or removing children while the bar lays out asks for another pass.
      FRelayout = true;
      if (Message.LParam != 0) return Realign();
      // Sent while the leaving control is still a child: it must not come back as a new band.
      RemoveBand(Control);
      TControl* const Saved = FLeaving;
      FLeaving = Control;
      Realign();
      FLeaving = Saved;
      return;
    }
    case WM_ERASEBKGND:
      Message.Result = 1;  // Paint covers the whole bar
      return;
    case WM_CAPTURECHANGED:
      TCustomControl::Dispatch(Message);
      if (FMovingBand && !MouseCapture()) EndMove(true);
      return;
  }
  TCustomControl::Dispatch(Message);
}

// [Bands]

Integer TControlBar::BandCount() const { return Integer(FBands.size()); }

const TControlBand& TControlBar::Bands(Integer Index) const { return *FBands.at(size_t(Index)); }

const TControlBand* TControlBar::FindBand(const TControl* Control) const {
  for (const auto& B : FBands)
    if (B->Control == Control) return B.get();
  return nullptr;
}

TControl* TControlBar::MovingControl() const { return FMovingBand ? FMovingBand->Control : nullptr; }

std::unique_ptr<TControlBand> TControlBar::TakeBand(size_t Index) {
  std::unique_ptr<TControlBand> Band = std::move(FBands[Index]);
  FBands.erase(FBands.begin() + ptrdiff_t(Index));
  // The rest of its row stays a row of its own.
  if (Band->Break && Index < FBands.size()) FBands[Index]->Break = true;
  if (Band.get() == FMovingBand) {
    EndMove(false);
  } else {
    for (auto& Row : FMoveRows) std::erase_if(Row, [&Band](const TSlot& S) { return S.Band == Band.get(); });
  }
  FRelayout = true;
  return Band;
}

void TControlBar::RemoveBand(const TControl* Control) {
  for (size_t I = 0; I < FBands.size(); ++I)
    if (FBands[I]->Control == Control) {
      TakeBand(I);
      return;
    }
}

void TControlBar::UpdateBandInfo(TControlBand& Band) {
  TRect Insets = Rect(GetGrabberWidth(), 2, 2, 2);
  Integer Preferred = Band.Control->Width();
  const int64_t Height = int64_t(Band.Control->Height()) + Insets.Top + Insets.Bottom;
  // Enough rows for the whole band, so that a snapped row never cuts the control off.
  Integer Rows = ClampToInteger(std::max<int64_t>((Height + FRowSize - 1) / FRowSize, 1));
  QueryBandInfo(Band.Control, Insets, Preferred, Rows);
  Band.Insets = Insets;
  Band.PreferredSize = std::max<Integer>(Preferred, 0);
  Band.RowCount = std::max<Integer>(Rows, 1);
}

bool TControlBar::MovedByOthers(const TControlBand& Band) {
  const TRect Now = Band.Control->BoundsRect();
  return Band.Placed && (Now.Left != Band.PlacedRect.Left || Now.Top != Band.PlacedRect.Top);
}

bool TControlBar::Leaving(const TControlBand& Band) const {
  return Band.Control->Parent() != this || Band.Control == FLeaving;
}

void TControlBar::SyncBands() {
  // A band shown or hidden, or a control added or moved by someone else, ends a move: what is on
  // screen becomes the saved places before the bands change.
  if (FMovingBand) {
    bool Ends = std::any_of(ControlList().begin(), ControlList().end(),
                            [this](const TControl* C) { return C != FLeaving && !FindBand(C); });
    for (const auto& B : FBands)
      if (!Leaving(*B) && (B->Visible != B->Control->Visible() || MovedByOthers(*B))) Ends = true;
    if (Ends) EndMove(true);
  }
  std::vector<std::unique_ptr<TControlBand>> Fresh;
  for (size_t I = 0; I < FBands.size();) {
    TControlBand& B = *FBands[I];
    if (Leaving(B)) {
      TakeBand(I);
      continue;
    }
    B.Visible = B.Control->Visible();
    // Moved by someone else: the band goes where the control now is.
    if (MovedByOthers(B)) {
      Fresh.push_back(TakeBand(I));
      continue;
    }
    ++I;
  }
  for (TControl* C : ControlList())
    if (C != FLeaving && !FindBand(C) &&
        std::none_of(Fresh.begin(), Fresh.end(), [C](const auto& B) { return B->Control == C; })) {
      auto Band = std::make_unique<TControlBand>();
      Band->Control = C;
      Band->Visible = C->Visible();
      Fresh.push_back(std::move(Band));
    }
  for (auto& B : FBands) UpdateBandInfo(*B);
  std::stable_sort(Fresh.begin(), Fresh.end(), [](const auto& A, const auto& B) {
    const TControl* P = A->Control;
    const TControl* Q = B->Control;
    return P->Top() != Q->Top() ? P->Top() < Q->Top() : P->Left() < Q->Left();
  });
  for (auto& B : Fresh) {
    UpdateBandInfo(*B);
    InsertBand(std::move(B));
  }
}

void TControlBar::InsertBand(std::unique_ptr<TControlBand> Band) {
  const TControl* C = Band->Control;
  Band->X = C->Left() - Band->Insets.Left;
  Band->Y = C->Top() - Band->Insets.Top;
  Band->Width = ClampToInteger(int64_t(Band->PreferredSize) + Band->Insets.Left + Band->Insets.Right);
  Band->Break = false;
  Band->Placed = false;
  Arrange(SavedArrangement());
  // The row the control's top edge falls in (the first for anything above it); below every row,
  // a new last row.
  size_t Row = FRows.size();
  for (size_t R = 0; R < FRows.size(); ++R)
    if (C->Top() < FRows[R].Bottom) {
      Row = R;
      break;
    }
  if (Row == FRows.size()) {
    Band->Break = true;
    FBands.push_back(std::move(Band));
    return;
  }
  // Before the first band of the row further right; else after the row's last band.
  size_t At = FBands.size();
  size_t Last = FBands.size();
  for (size_t I = 0; I < FBands.size(); ++I) {
    const TControlBand& B = *FBands[I];
    if (B.Row != Integer(Row)) continue;
    if (B.X > Band->X) {
      At = I;
      break;
    }
    Last = I;
  }
  if (At == FBands.size()) {
    At = Last + 1;
  } else {
    // Taking the row's first place takes over its break.
    std::swap(Band->Break, FBands[At]->Break);
  }
  FBands.insert(FBands.begin() + ptrdiff_t(At), std::move(Band));
}

// [Layout]

int64_t TControlBar::BandHeight(const TControlBand& Band) const {
  if (FRowSnap) return int64_t(Band.RowCount) * FRowSize;
  return std::max<int64_t>(int64_t(Band.Control->Height()) + Band.Insets.Top + Band.Insets.Bottom, 0);
}

TControlBar::TArrangement TControlBar::SavedArrangement() const {
  TArrangement Rows;
  // A hidden band's break still ends the row before it.
  bool Break = false;
  for (const auto& B : FBands) {
    Break = Break || B->Break;
    if (!B->Visible) continue;
    if (Rows.empty() || Break) Rows.emplace_back();
    Break = false;
    Rows.back().push_back({B.get(), B->X});
  }
  return Rows;
}

TControlBar::TArrangement TControlBar::MoveArrangement() const {
  TArrangement Rows = FMoveRows;
  const TSlot Moving{FMovingBand, FMoveX};
  if (FMoveRow < 0)
    Rows.insert(Rows.begin(), {Moving});
  else if (size_t(FMoveRow) >= Rows.size())
    Rows.push_back({Moving});
  else  // first, so that it wins a tie and pushes the band it meets
    Rows[size_t(FMoveRow)].insert(Rows[size_t(FMoveRow)].begin(), Moving);
  return Rows;
}

void TControlBar::Arrange(TArrangement Rows) {
  FRows.clear();
  for (auto& B : FBands) B->Row = -1;
  int64_t Top = 0;
  for (auto& Row : Rows) {
    if (Row.empty()) continue;
    std::stable_sort(Row.begin(), Row.end(), [](const TSlot& A, const TSlot& B) { return A.X < B.X; });
    int64_t Right = 0, Height = 0;
    for (const TSlot& S : Row) {
      TControlBand& B = *S.Band;
      const int64_t Width = std::max<int64_t>(int64_t(B.PreferredSize) + B.Insets.Left + B.Insets.Right, 0);
      // A band that would overlap the one before it is pushed right.
      const int64_t X = std::max<int64_t>(S.X, Right);
      B.TempX = ClampToInteger(X);
      B.TempY = ClampToInteger(Top);
      B.TempWidth = ClampToInteger(Width);
      B.TempBreak = &S == &Row.front() && !FRows.empty();
      B.Row = Integer(FRows.size());
      Right = X + Width;
      Height = std::max(Height, BandHeight(B));
    }
    FRows.push_back({ClampToInteger(Top), ClampToInteger(Top + Height)});
    Top += Height;
  }
}

void TControlBar::PlaceControls() {
  for (size_t I = 0; I < FBands.size(); ++I) {
    if (FBands[I]->Row < 0) continue;
    TControl* C = FBands[I]->Control;
    const TControlBand& B = *FBands[I];
    TRect R = Bounds(B.TempX + B.Insets.Left, B.TempY + B.Insets.Top, B.PreferredSize, C->Height());
    if (R != C->BoundsRect()) {
      BandMoved(C, R);
      // The handler may have changed the bar's children: lay out again.
      if (FRelayout) return;
      C->SetBoundsRect(R);
    }
    FBands[I]->Placed = true;
    FBands[I]->PlacedRect = C->BoundsRect();
  }
}

void TControlBar::ApplyAutoSize() {
  if (!FAutoSize || FRows.empty()) return;
  if (Align() == TAlign::alLeft || Align() == TAlign::alRight) {
    Integer Right = 0;
    for (const auto& B : FBands)
      if (B->Row >= 0) Right = std::max(Right, ClampToInteger(int64_t(B->TempX) + B->TempWidth));
    const Integer W = ClampToInteger(int64_t(Right) + Width() - ClientWidth());
    if (W != Width()) SetBounds(Left(), Top(), W, Height());
  } else {
    const Integer H = ClampToInteger(int64_t(FRows.back().Bottom) + Height() - ClientHeight());
    if (H != Height()) SetBounds(Left(), Top(), Width(), H);
  }
}

void TControlBar::AlignControls(TControl* AControl, TRect& Rect) {
  (void)AControl;
  (void)Rect;
  if (FAligning || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  TReentryGuard Guard(FAligning);
  // Band events may add or remove children; a few passes settle what any sane handler does.
  for (int Pass = 0; Pass < 4; ++Pass) {
    SyncBands();
    FRelayout = false;
    Arrange(FMovingBand ? MoveArrangement() : SavedArrangement());
    PlaceControls();
    if (!FRelayout) break;
  }
  ApplyAutoSize();
  Invalidate();
}

void TControlBar::RebuildBands() {
  EndMove(true);
  FBands.clear();
  FRows.clear();
  Realign();
}

void TControlBar::SaveBandPositions() {
  // Bands in row order. A hidden band stays just before the band that followed it; it keeps a
  // row break only where that band now starts a row, so that the rows stay as they are shown and
  // the hidden band comes back at the start of that row.
  std::vector<std::unique_ptr<TControlBand>> Shown, Tail;
  std::vector<std::vector<std::unique_ptr<TControlBand>>> Before;
  for (auto& B : FBands) {
    if (B->Row >= 0) {
      Shown.push_back(std::move(B));
      Before.push_back(std::move(Tail));
      Tail.clear();
    } else {
      Tail.push_back(std::move(B));
    }
  }
  std::vector<size_t> Order(Shown.size());
  for (size_t I = 0; I < Order.size(); ++I) Order[I] = I;
  std::stable_sort(Order.begin(), Order.end(), [&Shown](size_t A, size_t B) {
    const TControlBand& P = *Shown[A];
    const TControlBand& Q = *Shown[B];
    return P.Row != Q.Row ? P.Row < Q.Row : P.TempX < Q.TempX;
  });
  FBands.clear();
  for (size_t I : Order) {
    TControlBand& B = *Shown[I];
    B.X = B.TempX;
    B.Y = B.TempY;
    B.Width = B.TempWidth;
    B.Break = B.TempBreak;
    for (auto& H : Before[I]) {
      if (!B.TempBreak) H->Break = false;
      if (H->Break) B.Break = false;
      FBands.push_back(std::move(H));
    }
    FBands.push_back(std::move(Shown[I]));
  }
  for (auto& H : Tail) FBands.push_back(std::move(H));
}

// [Mouse]

TControlBand* TControlBar::BandAt(Integer X, Integer Y) const {
  for (const auto& B : FBands)
    if (B->Row >= 0 && B->BandRect().Contains(X, Y)) return B.get();
  return nullptr;
}

void TControlBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !MouseCapture()) return;
  if (!FMovingBand) Realign();
  TControlBand* Band = FMovingBand ? FMovingBand : BandAt(X, Y);
  if (!Band) return;
  if (Shift.Contains(TShiftStateFlag::ssDouble)) {
    if (!ComponentState().Contains(TComponentStateFlag::csDesigning)) {
      EndMove(true);
      StartBandDrag(Band->Control);
    }
    return;
  }
  if (FMovingBand) return;
  FMovingBand = Band;
  FMoveOffsetX = X - Band->TempX;
  FMoveOffsetY = Y - Band->TempY;
  FMoveX = Band->TempX;
  FMoveRow = Band->Row;
  FMoveSpans = FRows;
  FMoveRows.assign(FRows.size(), {});
  for (const auto& B : FBands)
    if (B->Row >= 0 && B.get() != Band) FMoveRows[size_t(B->Row)].push_back({B.get(), B->TempX});
}

void TControlBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FMovingBand || !MouseCapture()) return;
  FMoveX = X - FMoveOffsetX;
  // The row under the pointer as the rows stood at the press: a band leaving a row of its own
  // must not make the rows shift under the pointer while it moves.
  Integer Row = Integer(FMoveSpans.size());
  if (Y < 0) {
    Row = -1;
  } else {
    for (size_t R = 0; R < FMoveSpans.size(); ++R)
      if (Y < FMoveSpans[R].Bottom) {
        Row = Integer(R);
        break;
      }
  }
  FMoveRow = Row;
  Realign();
}

void TControlBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) EndMove(true);
}

void TControlBar::EndMove(bool Save) {
  if (!FMovingBand) return;
  if (Save) SaveBandPositions();
  FMovingBand = nullptr;
  FMoveRows.clear();
  FMoveSpans.clear();
  if (FAligning)
    FRelayout = true;
  else
    Realign();
}

bool TControlBar::StartBandDrag(TControl* Control) {
  bool Drag = true;
  if (OnBandDrag) OnBandDrag(this, Control, Drag);
  return Drag;
}

void TControlBar::QueryBandInfo(TControl* Control, TRect& Insets, Integer& PreferredSize, Integer& RowCount) {
  if (OnBandInfo) OnBandInfo(this, Control, Insets, PreferredSize, RowCount);
}

void TControlBar::BandMoved(TControl* Control, TRect& ARect) {
  if (OnBandMove) OnBandMove(this, Control, ARect);
}

// [Painting]

void TControlBar::BandPainting(TControl* Control, TCanvas& Canvas, TRect& ARect, TBandPaintOptions& Options) {
  if (OnBandPaint) OnBandPaint(this, Control, Canvas, ARect, Options);
}

void TControlBar::PaintBackground(TCanvas& Canvas) {
  Canvas.Brush().SetColor(Color());
  Canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  Canvas.FillRect(Rect(0, 0, Width(), Height()));
}

void TControlBar::PaintBand(TCanvas& Canvas, TControl* Control, TRect R) {
  TBandPaintOptions Options{TBandPaintOption::bpoGrabber, TBandPaintOption::bpoFrame};
  BandPainting(Control, Canvas, R, Options);
  PaintClassicBand(Canvas, R, Options);
}

void TControlBar::PaintClassicBand(TCanvas& Canvas, const TRect& R, TBandPaintOptions Options) {
  if (Options.Contains(TBandPaintOption::bpoFrame)) {
    RECT Edge{R.Left, R.Top, R.Right, R.Bottom};
    DrawEdge(Canvas.Handle(), &Edge, BDR_RAISEDINNER, BF_RECT);
  }
  if (Options.Contains(TBandPaintOption::bpoGrabber))
    for (Integer Shift : {0, 3}) {
      TRect Line = Rect(R.Left + 3 + Shift, R.Top + 2, R.Left + 5 + Shift, R.Bottom - 3);
      Frame3D(Canvas, Line, clBtnHighlight, clBtnShadow, 1);
    }
}

void TControlBar::Paint() {
  TCanvas& C = *Canvas();
  PaintBackground(C);
  TCustomControl::Paint();
  for (const auto& B : FBands)
    if (B->Row >= 0) PaintBand(C, B->Control, B->BandRect());
}
