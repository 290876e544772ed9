// TStringGrid and its in-place editor.
#include "framework/ui/grids.h"

#include <windows.h>

#include <algorithm>

namespace {

std::string WindowText(HWND Wnd) {
  const int Length = GetWindowTextLengthA(Wnd);
  std::string S(size_t(std::max(Length, 0)) + 1, '\0');
  const int Got = GetWindowTextA(Wnd, S.data(), Length + 1);
  S.resize(size_t(std::max(Got, 0)));
  return S;
}

}  // namespace

// [TInplaceEdit]

TInplaceEdit::TInplaceEdit(TStringGrid* Grid) : TEdit(Grid), FGrid(Grid) {
  SetTabStop(false);
  SetVisible(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TEdit::CreateParams(Params);
  Params.ExStyle &= ~uint32_t(WS_EX_CLIENTEDGE);
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  switch (Key) {
    case VK_RETURN:
      FGrid->HideEditor(true);
      Key = 0;
      break;
    case VK_ESCAPE:
      FGrid->HideEditor(false);
      Key = 0;
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      FGrid->HideEditor(true);
      uint16_t Move = Key;
      FGrid->KeyDown(Move, Shift);
      Key = 0;
      break;
    }
  }
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_KILLFOCUS && FGrid->EditorMode()) {
    TEdit::Dispatch(Message);
    FGrid->HideEditor(true);
    return;
  }
  TEdit::Dispatch(Message);
}

// [TStringGrid]

const TClassInfo& TStringGrid::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TStringGrid::ColCount, &TStringGrid::SetColCount>("ColCount", 5),
      IntegerProperty<&TStringGrid::RowCount, &TStringGrid::SetRowCount>("RowCount", 5),
      IntegerProperty<&TStringGrid::FixedCols, &TStringGrid::SetFixedCols>("FixedCols", 1),
      IntegerProperty<&TStringGrid::FixedRows, &TStringGrid::SetFixedRows>("FixedRows", 1),
      IntegerProperty<&TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth>("DefaultColWidth", 64),
      IntegerProperty<&TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight>("DefaultRowHeight", 24),
  };
  static const TClassInfo Info{
      "TStringGrid", &TCustomControl::StaticClassInfo(), Properties, {}, &CreateComponent<TStringGrid>};
  return Info;
}

TStringGrid::TStringGrid(TComponent* Owner) : TCustomControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetTabStop(true);
  FColWidths.assign(5, FDefaultColWidth);
  FRowHeights.assign(5, FDefaultRowHeight);
  SizeChanged();
  SetBounds(0, 0, 320, 120);
}

TStringGrid::~TStringGrid() { FEditorMode = false; }

void TStringGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL | WS_VSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

// [Size]

void TStringGrid::SizeChanged() {
  FCells.resize(FRowHeights.size());
  for (auto& Row : FCells) Row.resize(FColWidths.size());
  ClampCurrent();
  if (FEditorMode) PlaceEditor();
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::ClampCurrent() {
  FCol = std::clamp(FCol, FFixedCols, std::max(FFixedCols, ColCount() - 1));
  FRow = std::clamp(FRow, FFixedRows, std::max(FFixedRows, RowCount() - 1));
  FLeftCol = std::clamp(FLeftCol, FFixedCols, std::max(FFixedCols, ColCount() - 1));
  FTopRow = std::clamp(FTopRow, FFixedRows, std::max(FFixedRows, RowCount() - 1));
}

void TStringGrid::SetColCount(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == ColCount()) return;
  if (FFixedCols >= Value) FFixedCols = Value - 1;
  FColWidths.resize(size_t(Value), FDefaultColWidth);
  SizeChanged();
}

void TStringGrid::SetRowCount(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == RowCount()) return;
  if (FFixedRows >= Value) FFixedRows = Value - 1;
  FRowHeights.resize(size_t(Value), FDefaultRowHeight);
  SizeChanged();
}

void TStringGrid::SetFixedCols(Integer Value) {
  if (Value < 0 || Value >= ColCount()) throw EInvalidOperation("Fixed column count must be less than column count");
  FFixedCols = Value;
  SizeChanged();
}

void TStringGrid::SetFixedRows(Integer Value) {
  if (Value < 0 || Value >= RowCount()) throw EInvalidOperation("Fixed row count must be less than row count");
  FFixedRows = Value;
  SizeChanged();
}

void TStringGrid::SetDefaultColWidth(Integer Value) {
  FDefaultColWidth = std::max<Integer>(Value, 0);
  std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
  SizeChanged();
}

void TStringGrid::SetDefaultRowHeight(Integer Value) {
  FDefaultRowHeight = std::max<Integer>(Value, 0);
  std::fill(FRowHeights.begin(), FRowHeights.end(), FDefaultRowHeight);
  SizeChanged();
}

Integer TStringGrid::ColWidths(Integer Index) const {
  if (Index < 0 || Index >= ColCount()) throw EListError(Format("Grid index out of range (%d)", int(Index)));
  return FColWidths[size_t(Index)];
}

void TStringGrid::SetColWidths(Integer Index, Integer Value) {
  ColWidths(Index);
  FColWidths[size_t(Index)] = std::max<Integer>(Value, 0);
  SizeChanged();
}

Integer TStringGrid::RowHeights(Integer Index) const {
  if (Index < 0 || Index >= RowCount()) throw EListError(Format("Grid index out of range (%d)", int(Index)));
  return FRowHeights[size_t(Index)];
}

void TStringGrid::SetRowHeights(Integer Index, Integer Value) {
  RowHeights(Index);
  FRowHeights[size_t(Index)] = std::max<Integer>(Value, 0);
  SizeChanged();
}

void TStringGrid::SetGridLineWidth(Integer Value) {
  FGridLineWidth = std::max<Integer>(Value, 0);
  SizeChanged();
}

void TStringGrid::SetOptions(TGridOptions Value) {
  FOptions = Value;
  if (FEditorMode && !FOptions.Contains(TGridOption::goEditing)) HideEditor(true);
  Invalidate();
}

// [Content]

std::string TStringGrid::Cells(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return {};
  return FCells[size_t(ARow)][size_t(ACol)];
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const std::string& Value) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EListError(Format("Grid index out of range (%d, %d)", int(ACol), int(ARow)));
  FCells[size_t(ARow)][size_t(ACol)] = Value;
  if (HandleAllocated()) {
    const TRect R = CellRect(ACol, ARow);
    if (!R.IsEmpty()) {
      RECT W{R.Left, R.Top, R.Right, R.Bottom};
      InvalidateRect(Handle(), &W, FALSE);
    }
  }
}

// [Geometry]

Integer TStringGrid::FixedWidth() const {
  Integer W = 0;
  for (Integer C = 0; C < FFixedCols; ++C) W += FColWidths[size_t(C)] + FGridLineWidth;
  return W;
}

Integer TStringGrid::FixedHeight() const {
  Integer H = 0;
  for (Integer R = 0; R < FFixedRows; ++R) H += FRowHeights[size_t(R)] + FGridLineWidth;
  return H;
}

TRect TStringGrid::CellRect(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return {};
  if ((ACol >= FFixedCols && ACol < FLeftCol) || (ARow >= FFixedRows && ARow < FTopRow)) return {};
  const TRect Client = ClientRect();
  Integer X = 0;
  for (Integer C = 0; C < ACol; ++C) {
    if (C >= FFixedCols && C < FLeftCol) continue;
    X += FColWidths[size_t(C)] + FGridLineWidth;
  }
  Integer Y = 0;
  for (Integer R = 0; R < ARow; ++R) {
    if (R >= FFixedRows && R < FTopRow) continue;
    Y += FRowHeights[size_t(R)] + FGridLineWidth;
  }
  if (X >= Client.Right || Y >= Client.Bottom) return {};
  return Rect(X, Y, X + FColWidths[size_t(ACol)], Y + FRowHeights[size_t(ARow)]);
}

bool TStringGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) {
  ACol = ARow = -1;
  if (X < 0 || Y < 0) return false;
  Integer Edge = 0;
  for (Integer C = 0; C < ColCount(); ++C) {
    if (C >= FFixedCols && C < FLeftCol) continue;
    Edge += FColWidths[size_t(C)] + FGridLineWidth;
    if (X < Edge) {
      ACol = C;
      break;
    }
  }
  Edge = 0;
  for (Integer R = 0; R < RowCount(); ++R) {
    if (R >= FFixedRows && R < FTopRow) continue;
    Edge += FRowHeights[size_t(R)] + FGridLineWidth;
    if (Y < Edge) {
      ARow = R;
      break;
    }
  }
  return ACol >= 0 && ARow >= 0;
}

Integer TStringGrid::VisibleRowCount() {
  Integer Space = ClientHeight() - FixedHeight(), N = 0;
  for (Integer R = FTopRow; R < RowCount(); ++R) {
    Space -= FRowHeights[size_t(R)] + FGridLineWidth;
    if (Space < 0) break;
    ++N;
  }
  return std::max<Integer>(N, 1);
}

Integer TStringGrid::VisibleColCount() {
  Integer Space = ClientWidth() - FixedWidth(), N = 0;
  for (Integer C = FLeftCol; C < ColCount(); ++C) {
    Space -= FColWidths[size_t(C)] + FGridLineWidth;
    if (Space < 0) break;
    ++N;
  }
  return std::max<Integer>(N, 1);
}

// The last top row that still fills the client area.
Integer TStringGrid::MaxTopRow() {
  Integer Space = ClientHeight() - FixedHeight(), Top = RowCount() - 1;
  while (Top > FFixedRows && Space - (FRowHeights[size_t(Top)] + FGridLineWidth) >= 0) {
    Space -= FRowHeights[size_t(Top)] + FGridLineWidth;
    if (Space - (FRowHeights[size_t(Top - 1)] + FGridLineWidth) < 0) break;
    --Top;
  }
  return std::max(Top, FFixedRows);
}

Integer TStringGrid::MaxLeftCol() {
  Integer Space = ClientWidth() - FixedWidth(), Left = ColCount() - 1;
  while (Left > FFixedCols && Space - (FColWidths[size_t(Left)] + FGridLineWidth) >= 0) {
    Space -= FColWidths[size_t(Left)] + FGridLineWidth;
    if (Space - (FColWidths[size_t(Left - 1)] + FGridLineWidth) < 0) break;
    --Left;
  }
  return std::max(Left, FFixedCols);
}

// [Scrolling]

void TStringGrid::SetTopRow(Integer Value) {
  Value = std::clamp(Value, FFixedRows, std::max(FFixedRows, HandleAllocated() ? MaxTopRow() : RowCount() - 1));
  if (Value == FTopRow) return;
  FTopRow = Value;
  if (FEditorMode) PlaceEditor();
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetLeftCol(Integer Value) {
  Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, HandleAllocated() ? MaxLeftCol() : ColCount() - 1));
  if (Value == FLeftCol) return;
  FLeftCol = Value;
  if (FEditorMode) PlaceEditor();
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::ScrollInView(Integer ACol, Integer ARow) {
  if (ARow >= FFixedRows) {
    if (ARow < FTopRow)
      SetTopRow(ARow);
    else
      while (FTopRow < ARow && ARow >= FTopRow + VisibleRowCount()) SetTopRow(FTopRow + 1);
  }
  if (ACol >= FFixedCols && !FOptions.Contains(TGridOption::goRowSelect)) {
    if (ACol < FLeftCol)
      SetLeftCol(ACol);
    else
      while (FLeftCol < ACol && ACol >= FLeftCol + VisibleColCount()) SetLeftCol(FLeftCol + 1);
  }
}

void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  SCROLLINFO Info{sizeof(Info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  Info.nMin = FFixedRows;
  Info.nMax = RowCount() - 1;
  Info.nPage = UINT(VisibleRowCount());
  Info.nPos = FTopRow;
  SetScrollInfo(Handle(), SB_VERT, &Info, TRUE);
  Info.nMin = FFixedCols;
  Info.nMax = ColCount() - 1;
  Info.nPage = UINT(VisibleColCount());
  Info.nPos = FLeftCol;
  SetScrollInfo(Handle(), SB_HORZ, &Info, TRUE);
}

void TStringGrid::Scroll(int Bar, int Code) {
  const bool Vert = Bar == SB_VERT;
  const std::optional<Integer> New =
      ScrollRequestPosition(Handle(), Bar, Code, Vert ? FTopRow : FLeftCol, 1,
                            Vert ? VisibleRowCount() : VisibleColCount(), Vert ? RowCount() : ColCount());
  if (!New) return;
  if (Vert)
    SetTopRow(*New);
  else
    SetLeftCol(*New);
}

void TStringGrid::Resize() {
  ClampCurrent();
  UpdateScrollBars();
  if (FEditorMode) PlaceEditor();
  TCustomControl::Resize();
}

// [Current cell]

bool TStringGrid::FocusCell(Integer ACol, Integer ARow) {
  ACol = std::clamp(ACol, FFixedCols, std::max(FFixedCols, ColCount() - 1));
  ARow = std::clamp(ARow, FFixedRows, std::max(FFixedRows, RowCount() - 1));
  if (ACol == FCol && ARow == FRow) return true;
  bool CanSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
  if (!CanSelect) return false;
  if (FEditorMode) HideEditor(true);
  const TRect Old = FOptions.Contains(TGridOption::goRowSelect) ? TRect{} : CellRect(FCol, FRow);
  FCol = ACol;
  FRow = ARow;
  ScrollInView(ACol, ARow);
  if (FOptions.Contains(TGridOption::goRowSelect) || Old.IsEmpty()) {
    Invalidate();
  } else if (HandleAllocated()) {
    const TRect New = CellRect(FCol, FRow);
    RECT A{Old.Left, Old.Top, Old.Right, Old.Bottom}, B{New.Left, New.Top, New.Right, New.Bottom};
    InvalidateRect(Handle(), &A, FALSE);
    InvalidateRect(Handle(), &B, FALSE);
  }
  if (FOptions.Contains(TGridOption::goAlwaysShowEditor)) ShowEditor();
  return true;
}

void TStringGrid::MoveBy(Integer DCol, Integer DRow) { FocusCell(FCol + DCol, FRow + DRow); }

// [Editing]

void TStringGrid::PlaceEditor() {
  if (!FEditor) return;
  const TRect R = CellRect(FCol, FRow);
  if (R.IsEmpty()) {
    FEditor->SetBounds(-1000, -1000, 0, 0);
    return;
  }
  FEditor->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TStringGrid::ShowEditor() {
  if (!FOptions.Contains(TGridOption::goEditing) || FEditorMode) return;
  if (!FEditor) {
    FEditor = new TInplaceEdit(this);
    FEditor->SetParent(this);
  }
  std::string Value = Cells(FCol, FRow);
  if (OnGetEditText) OnGetEditText(this, FCol, FRow, Value);
  PlaceEditor();
  FEditor->SetText(Value);
  FEditorMode = true;
  FEditor->SetVisible(true);
  if (HandleAllocated()) {
    ::SetFocus(FEditor->Handle());
    FEditor->SelectAll();
  }
}

void TStringGrid::HideEditor(bool Accept) {
  if (!FEditorMode) return;
  FEditorMode = false;  // before the focus moves: the editor's focus loss must not commit again
  const std::string Value = FEditor->HandleAllocated() ? WindowText(FEditor->Handle()) : FEditor->Text();
  const bool HadFocus = FEditor->Focused();
  FEditor->SetVisible(false);
  if (HadFocus && HandleAllocated()) ::SetFocus(Handle());
  if (Accept && Value != Cells(FCol, FRow)) {
    SetCells(FCol, FRow, Value);
    if (OnSetEditText) OnSetEditText(this, FCol, FRow, Value);
  }
}

// [Input]

bool TStringGrid::WantsKey(uint16_t Key) const {
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return true;
    case VK_TAB: return FOptions.Contains(TGridOption::goTabs);
    default: return false;
  }
}

void TStringGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const bool RowSelect = FOptions.Contains(TGridOption::goRowSelect);
  const bool Ctrl = Shift.Contains(TShiftStateFlag::ssCtrl);
  switch (Key) {
    case VK_UP: MoveBy(0, -1); break;
    case VK_DOWN: MoveBy(0, 1); break;
    case VK_LEFT:
      if (RowSelect)
        SetLeftCol(FLeftCol - 1);
      else
        MoveBy(-1, 0);
      break;
    case VK_RIGHT:
      if (RowSelect)
        SetLeftCol(FLeftCol + 1);
      else
        MoveBy(1, 0);
      break;
    case VK_PRIOR: MoveBy(0, -VisibleRowCount()); break;
    case VK_NEXT: MoveBy(0, VisibleRowCount()); break;
    case VK_HOME:
      if (Ctrl)
        FocusCell(FCol, FFixedRows);
      else
        FocusCell(FFixedCols, FRow);
      break;
    case VK_END:
      if (Ctrl)
        FocusCell(FCol, RowCount() - 1);
      else
        FocusCell(ColCount() - 1, FRow);
      break;
    case VK_TAB:
      if (!FOptions.Contains(TGridOption::goTabs)) return;
      if (Shift.Contains(TShiftStateFlag::ssShift)) {
        if (FCol > FFixedCols)
          MoveBy(-1, 0);
        else
          FocusCell(ColCount() - 1, FRow - 1);
      } else if (FCol < ColCount() - 1) {
        MoveBy(1, 0);
      } else {
        FocusCell(FFixedCols, FRow + 1);
      }
      break;
    case VK_RETURN:
    case VK_F2:
      if (!FOptions.Contains(TGridOption::goEditing)) return;
      ShowEditor();
      break;
    default: return;
  }
  Key = 0;
}

void TStringGrid::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (!FOptions.Contains(TGridOption::goEditing) || uint8_t(Key) < 32 || FEditorMode) return;
  // Typing starts the editor with what was typed in place of the cell's text.
  ShowEditor();
  if (!FEditorMode) return;
  const std::string Typed(1, Key);
  FEditor->SetText(Typed);
  if (FEditor->HandleAllocated()) SendMessageA(FEditor->Handle(), EM_SETSEL, 1, 1);
  Key = 0;
}

void TStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == TMouseButton::mbLeft) {
    if (CanFocus() && HandleAllocated() && !Focused()) SetFocus();
    Integer C, R;
    if (MouseToCell(X, Y, C, R) && C >= FFixedCols && R >= FFixedRows) FocusCell(C, R);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TStringGrid::DblClick() {
  TCustomControl::DblClick();
  ShowEditor();
}

void TStringGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (FOptions.Contains(TGridOption::goTabs)) Message.Result |= DLGC_WANTTAB;
      return;
    case WM_VSCROLL:
    case WM_HSCROLL: Scroll(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(Message.WParam)); return;
    case WM_MOUSEWHEEL: SetTopRow(FTopRow - int16_t(HIWORD(Message.WParam)) / WHEEL_DELTA * 3); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); break;
  }
  TCustomControl::Dispatch(Message);
}

// [Painting]

void TStringGrid::Paint() {
  TCanvas& C = *Canvas();
  const TRect Client = ClientRect();
  const bool RowSelect = FOptions.Contains(TGridOption::goRowSelect);
  const bool HasFocus = Focused() || (FEditor && FEditor->Focused());
  Integer Y = 0;
  for (Integer Row = 0; Row < RowCount() && Y < Client.Bottom; ++Row) {
    if (Row >= FFixedRows && Row < FTopRow) continue;
    const Integer H = FRowHeights[size_t(Row)];
    Integer X = 0;
    for (Integer Col = 0; Col < ColCount() && X < Client.Right; ++Col) {
      if (Col >= FFixedCols && Col < FLeftCol) continue;
      const Integer W = FColWidths[size_t(Col)];
      const bool Fixed = Col < FFixedCols || Row < FFixedRows;
      TGridDrawState State;
      if (Fixed) State.Include(TGridDrawStateFlag::gdFixed);
      if (!Fixed && Row == FRow && (RowSelect || Col == FCol)) State.Include(TGridDrawStateFlag::gdSelected);
      if (!Fixed && Row == FRow && Col == FCol && HasFocus) State.Include(TGridDrawStateFlag::gdFocused);
      DrawCell(Col, Row, Rect(X, Y, X + W, Y + H), State);
      // Grid lines right of and below the cell.
      const bool Vert = FOptions.Contains(Fixed ? TGridOption::goFixedVertLine : TGridOption::goVertLine);
      const bool Horz = FOptions.Contains(Fixed ? TGridOption::goFixedHorzLine : TGridOption::goHorzLine);
      C.Brush().SetStyle(TBrushStyle::bsSolid);
      C.Brush().SetColor(Vert ? (Fixed ? clBlack : clSilver) : (Fixed ? clBtnFace : Color()));
      C.FillRect(Rect(X + W, Y, X + W + FGridLineWidth, Y + H + FGridLineWidth));
      C.Brush().SetColor(Horz ? (Fixed ? clBlack : clSilver) : (Fixed ? clBtnFace : Color()));
      C.FillRect(Rect(X, Y + H, X + W, Y + H + FGridLineWidth));
      X += W + FGridLineWidth;
    }
    if (X < Client.Right) {
      C.Brush().SetColor(Color());
      C.FillRect(Rect(X, Y, Client.Right, Y + H + FGridLineWidth));
    }
    Y += H + FGridLineWidth;
  }
  if (Y < Client.Bottom) {
    C.Brush().SetStyle(TBrushStyle::bsSolid);
    C.Brush().SetColor(Color());
    C.FillRect(Rect(0, Y, Client.Right, Client.Bottom));
  }
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& R, TGridDrawState State) {
  TCanvas& C = *Canvas();
  const bool Selected = State.Contains(TGridDrawStateFlag::gdSelected);
  C.Brush().SetStyle(TBrushStyle::bsSolid);
  C.Brush().SetColor(State.Contains(TGridDrawStateFlag::gdFixed) ? clBtnFace : Selected ? clHighlight : Color());
  C.Font().Assign(Font());
  if (Selected) C.Font().SetColor(clHighlightText);
  C.FillRect(R);
  if (OnDrawCell) {
    OnDrawCell(this, ACol, ARow, R, State);
    return;
  }
  const std::string Text = Cells(ACol, ARow);
  if (!Text.empty()) {
    C.Brush().SetStyle(TBrushStyle::bsClear);
    C.TextRect(R, R.Left + 2, R.Top + 2, Text);
  }
  if (State.Contains(TGridDrawStateFlag::gdFocused) && !FOptions.Contains(TGridOption::goRowSelect)) C.DrawFocusRect(R);
}
