// [SECTION] set-up and rows  [SECTION] painting  [SECTION] mouse and keys
// [SECTION] changing values  [SECTION] in-place editors
#include "editor/inspector/property_inspector.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "editor/inspector/inspector_editors.h"
#include "framework/core/sysutils.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/dialogs.h"

namespace {

constexpr Integer LevelIndent = 10;
constexpr Integer BoxSize = 9;
constexpr Integer MinColumn = 20;
constexpr Integer WheelRows = 3;

// Left of the expand box of a row at Level, and where its name starts.
Integer BoxLeft(int Level) { return Level * LevelIndent + 2; }
Integer NameLeft(int Level) { return BoxLeft(Level) + BoxSize + 4; }

// Sets a flag for a scope and puts back what it was.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag), FWas(Flag) { Flag = true; }
  ~TFlagScope() { FFlag = FWas; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FWas;
};

std::string WindowText(HWND Wnd) {
  std::string Text(size_t(GetWindowTextLengthA(Wnd)) + 1, '\0');
  Text.resize(size_t(GetWindowTextA(Wnd, Text.data(), int(Text.size()))));
  return Text;
}

}  // namespace

// [SECTION] set-up and rows -----------------------------------------------------------------------

const TClassInfo& TPropertyInspector::StaticClassInfo() {
  static const TClassInfo Info{"TPropertyInspector", &TCustomControl::StaticClassInfo(), {}};
  return Info;
}

TPropertyInspector::TPropertyInspector(TComponent* Owner) : TCustomControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetTabStop(true);
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 300);
  FEdit = new TInspectorEdit(this);
  FListCombo = new TInspectorCombo(this, TComboBoxStyle::csDropDownList);
  FTextCombo = new TInspectorCombo(this, TComboBoxStyle::csDropDown);
  FButton = new TInspectorButton(this);
  for (TWinControl* C : {static_cast<TWinControl*>(FEdit), static_cast<TWinControl*>(FListCombo),
                         static_cast<TWinControl*>(FTextCombo), static_cast<TWinControl*>(FButton)})
    C->SetParent(this);
}

// The editors go first, while the fields they report to still exist.
TPropertyInspector::~TPropertyInspector() {
  FEditorPath.clear();
  FEditor = nullptr;
  delete FButton;
  delete FTextCombo;
  delete FListCombo;
  delete FEdit;
}

void TPropertyInspector::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_VSCROLL;
}

void TPropertyInspector::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBar();
}

TRowOptions TPropertyInspector::Options() const {
  TRowOptions O;
  O.Hidden = FHidden;
  O.EditorCaption = [this](const TPersistent& Object) -> std::string {
    const TRegisteredEditor* E = FindClassEditor(Object);
    return E ? E->Caption : std::string();
  };
  return O;
}

const TPropertyInspector::TRegisteredEditor* TPropertyInspector::FindClassEditor(const TPersistent& Object) const {
  // The latest registration wins.
  for (auto It = FClassEditors.rbegin(); It != FClassEditors.rend(); ++It)
    if (Object.ClassInfo().InheritsFrom(*It->Class)) return &*It;
  return nullptr;
}

bool TPropertyInspector::HasDialog(const TInspectorRow& Row) const {
  if (Row.Member >= 0) return false;
  if (Row.Prop->Kind == TPropKind::pkColor) return Row.Prop->SetOrdinal != nullptr;
  const TPersistent* Object = RowObject(Row);
  return Object && (FindClassEditor(*Object) || dynamic_cast<const TFont*>(Object));
}

void TPropertyInspector::SetInspected(TPersistent* Value) {
  if (Value == FInspected) return;
  HideEditor(true);
  FInspected = Value;
  Rebuild();
  Invalidate();
}

void TPropertyInspector::RefreshValues() {
  Rebuild();
  if (EditorOpen()) {
    const std::string Now = ValueText(FEditorPath);
    // Text the user is typing stays; an untouched editor follows the value.
    if (EditorText() == FEditorOriginal && Now != FEditorOriginal) {
      FEditorOriginal = Now;
      SetEditorText(Now);
    }
  }
  Invalidate();
}

void TPropertyInspector::Rebuild() {
  FRows = BuildInspectorRows(FInspected, Options(), FExpanded);
  // A selected row inside a collapsed one passes the selection up to it.
  std::string Path = FSelectedPath;
  while (!Path.empty() && IndexOf(Path) < 0) {
    const size_t Dot = Path.rfind('.');
    Path = Dot == std::string::npos ? std::string() : Path.substr(0, Dot);
  }
  // Without rows (nothing shown for a moment) the selection and scroll wait for the next object.
  if (Integer I = IndexOf(Path); I >= 0) FSelectedPath = FRows[size_t(I)].Path;
  UpdateScrollBar();
  if (EditorOpen() && IndexOf(FEditorPath) < 0) HideEditor(true);
  PlaceEditor();
}

std::string TPropertyInspector::ValueText(const std::string& Path) const {
  TInspectorRow Row;
  const TRowOptions O = Options();
  return FindInspectorRow(FInspected, O, Path, Row) ? RowValueText(Row, O) : std::string();
}

void TPropertyInspector::SetHiddenProperties(std::vector<std::string> Names) {
  FHidden = std::move(Names);
  Rebuild();
  Invalidate();
}

void TPropertyInspector::RegisterClassEditor(const TClassInfo& Class, std::string Caption, TClassEditor Edit) {
  FClassEditors.push_back({&Class, std::move(Caption), std::move(Edit)});
  Rebuild();
  Invalidate();
}

std::string TPropertyInspector::RowPath(Integer Index) const {
  return Index >= 0 && Index < RowCount() ? FRows[size_t(Index)].Path : std::string();
}

Integer TPropertyInspector::IndexOf(const std::string& Path) const {
  if (Path.empty()) return -1;
  for (size_t I = 0; I < FRows.size(); ++I)
    if (SameText(FRows[I].Path, Path)) return Integer(I);
  return -1;
}

Integer TPropertyInspector::RowHeight() const { return std::max<Integer>(16, std::abs(Font()->Height()) + 7); }

Integer TPropertyInspector::VisibleRows() { return std::max<Integer>(1, ClientHeight() / RowHeight()); }

Integer TPropertyInspector::RowAt(Integer Y) const {
  if (Y < 0) return -1;
  const Integer I = FTopRow + Y / RowHeight();
  return I < RowCount() ? I : -1;
}

TRect TPropertyInspector::RowRect(const std::string& Path) {
  const Integer I = IndexOf(Path);
  if (I < FTopRow || I >= FTopRow + VisibleRows()) return {};
  const Integer Top = (I - FTopRow) * RowHeight();
  return {0, Top, ClientWidth(), Top + RowHeight()};
}

TRect TPropertyInspector::ValueRect(const std::string& Path) {
  TRect R = RowRect(Path);
  if (R.IsEmpty()) return {};
  R.Left = FSplit + 1;
  R.Bottom -= 1;  // the grid line
  return R;
}

bool TPropertyInspector::Expanded(const std::string& Path) const {
  const Integer I = IndexOf(Path);
  return I >= 0 && FRows[size_t(I)].Expanded;
}

void TPropertyInspector::SetExpanded(const std::string& Path, bool Value) {
  const Integer I = IndexOf(Path);
  if (I >= 0 && FRows[size_t(I)].Expandable && FRows[size_t(I)].Expanded != Value) ToggleExpanded(I);
}

void TPropertyInspector::ToggleExpanded(Integer Index) {
  const TInspectorRow& Row = FRows[size_t(Index)];
  if (!Row.Expandable) return;
  const std::string Key = PathKey(Row.Path);
  if (Row.Expanded)
    FExpanded.erase(Key);
  else
    FExpanded.insert(Key);
  Rebuild();
  Invalidate();
}

void TPropertyInspector::SelectPath(const std::string& Path) { SelectIndex(IndexOf(Path)); }

void TPropertyInspector::SelectIndex(Integer Index) {
  if (Index < 0 || Index >= RowCount()) return;
  const std::string Path = FRows[size_t(Index)].Path;
  if (EditorOpen() && !SameText(FEditorPath, Path)) {
    CommitEditor();
    HideEditor(true);
  }
  FSelectedPath = Path;
  const Integer I = IndexOf(Path);  // the commit may have changed the rows
  if (I >= 0) MakeVisible(I);
  Invalidate();
}

void TPropertyInspector::MakeVisible(Integer Index) {
  if (Index < FTopRow)
    SetTopRow(Index);
  else if (Index >= FTopRow + VisibleRows())
    SetTopRow(Index - VisibleRows() + 1);
}

void TPropertyInspector::SetTopRow(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, std::max<Integer>(0, RowCount() - VisibleRows()));
  if (Value == FTopRow) return;
  FTopRow = Value;
  UpdateScrollBar();
  PlaceEditor();
  Invalidate();
}

void TPropertyInspector::UpdateScrollBar() {
  if (RowCount() > 0) FTopRow = std::clamp<Integer>(FTopRow, 0, std::max<Integer>(0, RowCount() - VisibleRows()));
  if (!HandleAllocated()) return;
  SCROLLINFO Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Info.nMin = 0;
  Info.nMax = std::max<Integer>(0, RowCount() - 1);
  Info.nPage = UINT(VisibleRows());
  Info.nPos = FTopRow;
  SetScrollInfo(Handle(), SB_VERT, &Info, TRUE);
}

void TPropertyInspector::SetSplitPos(Integer Value) {
  Value = std::max<Integer>(MinColumn, Value);
  if (Value == FSplit) return;
  FSplit = Value;
  PlaceEditor();
  Invalidate();
}

void TPropertyInspector::Resize() {
  TCustomControl::Resize();
  UpdateScrollBar();
  PlaceEditor();
}

// [SECTION] painting -------------------------------------------------------------------------------

void TPropertyInspector::Paint() {
  TCanvas& C = *Canvas();
  const TRect Client = ClientRect();
  const Integer H = RowHeight();
  const TRowOptions O = Options();
  C.Brush().SetStyle(TBrushStyle::bsSolid);
  C.Brush().SetColor(Color());
  C.FillRect(Client);
  C.Pen().SetColor(clBtnShadow);
  Integer Bottom = 0;
  for (Integer I = FTopRow; I < RowCount() && (I - FTopRow) * H < Client.Bottom; ++I) {
    const TInspectorRow& Row = FRows[size_t(I)];
    const Integer Top = (I - FTopRow) * H;
    Bottom = Top + H;
    const bool Selected = SameText(Row.Path, FSelectedPath);
    const TRect NameCell{0, Top, FSplit, Bottom - 1};
    const TRect ValueCell{FSplit + 1, Top, Client.Right, Bottom - 1};
    if (Selected) {
      C.Brush().SetStyle(TBrushStyle::bsSolid);
      C.Brush().SetColor(clHighlight);
      C.FillRect(NameCell);
    }
    if (Row.Expandable) {
      const Integer X = BoxLeft(Row.Level), Y = Top + (H - 1 - BoxSize) / 2;
      C.Brush().SetStyle(TBrushStyle::bsSolid);
      C.Brush().SetColor(clWindow);
      C.FillRect(Bounds(X, Y, BoxSize, BoxSize));
      C.Brush().SetColor(clBtnShadow);
      C.FrameRect(Bounds(X, Y, BoxSize, BoxSize));
      C.Pen().SetColor(clWindowText);
      C.MoveTo(X + 2, Y + BoxSize / 2);
      C.LineTo(X + BoxSize - 2, Y + BoxSize / 2);
      if (!Row.Expanded) {
        C.MoveTo(X + BoxSize / 2, Y + 2);
        C.LineTo(X + BoxSize / 2, Y + BoxSize - 2);
      }
      C.Pen().SetColor(clBtnShadow);
    }
    C.Brush().SetStyle(TBrushStyle::bsClear);
    const Integer TextTop = Top + (H - 1 - C.TextHeight("Ag")) / 2;
    C.Font().SetColor(Selected ? clHighlightText : clBtnText);
    C.TextRect(NameCell, NameLeft(Row.Level), TextTop, Row.Name);
    C.Font().SetColor(clNavy);
    C.TextRect(ValueCell, ValueCell.Left + 2, TextTop, RowValueText(Row, O));
    C.MoveTo(0, Bottom - 1);
    C.LineTo(Client.Right, Bottom - 1);
  }
  C.MoveTo(FSplit, 0);
  C.LineTo(FSplit, std::max(Bottom, Client.Bottom));
}

// [SECTION] mouse and keys -------------------------------------------------------------------------

void TPropertyInspector::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_VSCROLL:
      if (const std::optional<Integer> New =
              ScrollRequestPosition(Handle(), SB_VERT, LOWORD(Message.WParam), FTopRow, 1, VisibleRows(), RowCount()))
        SetTopRow(*New);
      Message.Result = 0;
      return;
  }
  TCustomControl::Dispatch(Message);
}

bool TPropertyInspector::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  SetTopRow(FTopRow - WheelDelta * WheelRows / WHEEL_DELTA);
  return true;
}

void TPropertyInspector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (EditorOpen()) {
    CommitEditor();
    HideEditor(false);
  }
  if (CanFocus() && !Focused()) SetFocus();
  if (std::abs(X - FSplit) <= 2) {
    FSplitDragging = true;
    return;
  }
  const Integer I = RowAt(Y);
  if (I < 0) return;
  const std::string Path = FRows[size_t(I)].Path;
  const bool OnBox = FRows[size_t(I)].Expandable && X < NameLeft(FRows[size_t(I)].Level);
  const bool OnValue = X > FSplit;
  SelectIndex(I);
  const Integer Now = IndexOf(Path);
  if (Now < 0) return;
  if (Shift.Contains(TShiftStateFlag::ssDouble)) {
    const TInspectorRow& Row = FRows[size_t(Now)];
    if (OnValue && RowEditor(Row) == TRowEditor::rePickList) {
      CycleValue(Path);
    } else if (OnValue && RowEditor(Row) == TRowEditor::reNone && HasDialog(Row)) {
      if (ShowEditor()) EditorButtonClicked();
    } else if (!OnValue && !OnBox) {
      ToggleExpanded(Now);
    }
    return;
  }
  if (OnBox) {
    ToggleExpanded(Now);
  } else if (OnValue && ShowEditor()) {
    FOpenedByClick = true;
    FOpenClickTime = GetMessageTime();
    const DWORD Pos = GetMessagePos();
    FOpenClickPos = {int16_t(LOWORD(Pos)), int16_t(HIWORD(Pos))};
  }
}

void TPropertyInspector::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FSplitDragging) {
    SetSplitPos(std::min<Integer>(X, ClientWidth() - MinColumn));
    return;
  }
  SetCursor(std::abs(X - FSplit) <= 2 ? crHSplit : crDefault);
}

void TPropertyInspector::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FSplitDragging = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TPropertyInspector::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const Integer I = IndexOf(FSelectedPath);
  const TInspectorRow* Row = I >= 0 ? &FRows[size_t(I)] : nullptr;
  switch (Key) {
    case VK_UP: SelectIndex(std::max<Integer>(0, I - 1)); break;
    case VK_DOWN: SelectIndex(I + 1); break;
    case VK_PRIOR: SelectIndex(std::max<Integer>(0, I - VisibleRows())); break;
    case VK_NEXT: SelectIndex(std::min<Integer>(RowCount() - 1, std::max<Integer>(0, I) + VisibleRows())); break;
    case VK_HOME: SelectIndex(0); break;
    case VK_END: SelectIndex(RowCount() - 1); break;
    case VK_RIGHT:
      if (Row && Row->Expandable && !Row->Expanded) ToggleExpanded(I);
      break;
    case VK_LEFT:
      if (Row && Row->Expanded) {
        ToggleExpanded(I);
      } else if (Row && Row->Level > 0) {
        SelectPath(Row->Path.substr(0, Row->Path.rfind('.')));
      }
      break;
    case VK_RETURN:
      if (Row && Row->Expandable && Row->Prop->Kind == TPropKind::pkClass)
        ToggleExpanded(I);
      else
        ShowEditor();
      break;
    case VK_F2: ShowEditor(); break;
    default: return;
  }
  Key = 0;
}

// Typing on a row with a text editor starts the editor with what was typed.
void TPropertyInspector::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (uint8_t(Key) < 32 || EditorOpen()) return;
  const Integer I = IndexOf(FSelectedPath);
  if (I < 0 || RowEditor(FRows[size_t(I)]) != TRowEditor::reText) return;
  if (!ShowEditor()) return;
  FEdit->SetText(std::string(1, Key));
  if (FEdit->HandleAllocated()) SendMessageA(FEdit->Handle(), EM_SETSEL, 1, 1);
  Key = 0;
}

// [SECTION] changing values ------------------------------------------------------------------------

void TPropertyInspector::ShowError(const std::string& Text) {
  TFlagScope Modal(FModal);
  ShowMessageBox(Text, "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

bool TPropertyInspector::Change(const std::string& Path, const std::function<bool(const TInspectorRow& Row)>& Apply) {
  if (FCommitting) return false;
  TFlagScope Committing(FCommitting);
  FChangingPath = Path;
  bool Allow = true;
  if (OnBeforeChange) OnBeforeChange(this, Allow);
  if (!Allow) return false;
  // The handler may have replaced what is shown: find the row again.
  TInspectorRow Row;
  if (!FindInspectorRow(FInspected, Options(), Path, Row)) return false;
  bool Changed = false;
  try {
    Changed = Apply(Row);
  } catch (const std::exception& E) {
    ShowError(E.what());
    RefreshValues();
    return false;
  }
  if (Changed && OnAfterChange) OnAfterChange(this);
  RefreshValues();
  return Changed;
}

bool TPropertyInspector::Commit(const std::string& Path, const std::string& Text) {
  if (FCommitting) return false;
  TInspectorRow Row;
  if (!FindInspectorRow(FInspected, Options(), Path, Row) || RowEditor(Row) == TRowEditor::reNone) return false;
  const TRowValue Value = ParseRowValue(Row, Text);
  if (!Value.Ok) {
    ShowError(Value.Error);
    return false;
  }
  return Change(Path, [&](const TInspectorRow& Target) {
    ApplyRowValue(Target, Value);
    return true;
  });
}

bool TPropertyInspector::CommitText(const std::string& Path, const std::string& Text) {
  const bool Done = Commit(Path, Text);
  if (Done && EditorOpen() && SameText(Path, FEditorPath)) {
    FEditorOriginal = ValueText(FEditorPath);
    SetEditorText(FEditorOriginal);
  }
  return Done;
}

void TPropertyInspector::CycleValue(const std::string& Path) {
  TInspectorRow Row;
  if (!FindInspectorRow(FInspected, Options(), Path, Row)) return;
  const std::vector<std::string> List = RowPickList(Row);
  if (List.empty()) return;
  const std::string Now = RowValueText(Row, Options());
  size_t Next = 0;
  for (size_t I = 0; I < List.size(); ++I)
    if (SameText(List[I], Now)) Next = (I + 1) % List.size();
  CommitText(Path, List[Next]);
}

void TPropertyInspector::RunDialog(const std::string& Path) {
  TInspectorRow Row;
  if (!FindInspectorRow(FInspected, Options(), Path, Row) || !HasDialog(Row)) return;
  if (Row.Prop->Kind == TPropKind::pkColor) {
    TColorDialog Dialog;
    Dialog.SetColor(TColor(Row.Prop->GetOrdinal(Row.Instance)));
    if (!Dialog.Execute()) return;
    const TColor Chosen = Dialog.Color();
    Change(Path, [&](const TInspectorRow& Target) {
      Target.Prop->SetOrdinal(Target.Instance, Chosen);
      return true;
    });
    return;
  }
  TPersistent* Object = RowObject(Row);
  if (const TRegisteredEditor* E = FindClassEditor(*Object)) {
    const TClassEditor Edit = E->Edit;  // the handlers may register more editors meanwhile
    Change(Path, [&](const TInspectorRow& Target) {
      TPersistent* Current = RowObject(Target);
      return Current && Edit(Current);
    });
    return;
  }
  TFontDialog Dialog;
  Dialog.SetFont(static_cast<TFont*>(Object));
  if (!Dialog.Execute()) return;
  Change(Path, [&](const TInspectorRow& Target) {
    TPersistent* Current = RowObject(Target);
    if (!Current) return false;
    Current->Assign(Dialog.Font());
    return true;
  });
}

// [SECTION] in-place editors -----------------------------------------------------------------------

TWinControl* TPropertyInspector::Editor() const { return EditorOpen() && FEditor != FButton ? FEditor : nullptr; }

TButton* TPropertyInspector::EditorButton() const { return EditorOpen() && FButton->Visible() ? FButton : nullptr; }

bool TPropertyInspector::ShowEditor() {
  const Integer I = IndexOf(FSelectedPath);
  if (I < 0) return false;
  const TInspectorRow& Row = FRows[size_t(I)];
  if (EditorOpen()) {
    if (SameText(FEditorPath, Row.Path)) return true;
    CommitEditor();
    HideEditor(false);
  }
  const TRowEditor Kind = RowEditor(Row);
  const bool Dialog = HasDialog(Row);
  if (Kind == TRowEditor::reNone && !Dialog) return false;
  FOpenedByClick = false;
  FEditorPath = Row.Path;
  FEditorOriginal = RowValueText(Row, Options());
  switch (Kind) {
    case TRowEditor::reText: FEditor = FEdit; break;
    case TRowEditor::rePickList: FEditor = FListCombo; break;
    case TRowEditor::reTextList: FEditor = FTextCombo; break;
    case TRowEditor::reNone: FEditor = FButton; break;
  }
  if (auto* Combo = dynamic_cast<TComboBox*>(FEditor)) Combo->SetItems(RowPickList(Row));
  SetEditorText(FEditorOriginal);
  FButton->SetVisible(Dialog);
  PlaceEditor();
  FEditor->SetVisible(true);
  if (HandleAllocated() && FEditor != FButton) {
    ::SetFocus(FEditor->Handle());
    if (FEditor == FEdit) FEdit->SelectAll();
    if (FEditor == FTextCombo) SendMessageA(FTextCombo->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  }
  return true;
}

std::string TPropertyInspector::EditorText() const {
  if (!EditorOpen() || FEditor == FButton) return FEditorOriginal;
  if (FEditor->HandleAllocated()) return WindowText(FEditor->Handle());
  return FEditor->Text();
}

void TPropertyInspector::SetEditorText(const std::string& Text) {
  if (FEditor == FEdit) {
    FEdit->SetText(Text);
  } else if (auto* Combo = dynamic_cast<TComboBox*>(FEditor)) {
    Integer Index = -1;
    for (Integer I = 0; I < Combo->Items().Count(); ++I)
      if (SameText(Combo->Items()[I], Text)) Index = I;
    if (Index >= 0)
      Combo->SetItemIndex(Index);
    else
      Combo->SetText(Text);
  }
}

void TPropertyInspector::PlaceEditor() {
  if (!EditorOpen() || !FEditor) return;
  const TRect Cell = ValueRect(FEditorPath);
  const Integer H = RowHeight();
  if (Cell.IsEmpty()) {
    // Scrolled out of view: kept open, out of sight.
    FEditor->SetBounds(-1000, -1000, 50, H);
    FButton->SetBounds(-1000, -1000, H, H);
    return;
  }
  TRect Text = Cell;
  if (FButton->Visible()) {
    Text.Right -= H;
    FButton->SetBounds(Text.Right, Cell.Top, H, Cell.Height());
  }
  if (FEditor == FButton) return;
  FEditor->SetBounds(Text.Left, Text.Top, Text.Width(), Text.Height());
  // A closed combo box is as high as its selection field: fit that to the row.
  if (auto* Combo = dynamic_cast<TInspectorCombo*>(FEditor); Combo && Combo->HandleAllocated())
    SendMessageA(Combo->Handle(), CB_SETITEMHEIGHT, WPARAM(-1), std::max<Integer>(8, Cell.Height() - 4));
}

bool TPropertyInspector::CommitEditor() {
  if (!EditorOpen() || FEditor == FButton) return true;
  const std::string Text = EditorText();
  if (Text == FEditorOriginal) return true;
  const std::string Path = FEditorPath;
  if (!Commit(Path, Text)) return false;
  if (EditorOpen() && SameText(Path, FEditorPath)) {
    FEditorOriginal = ValueText(Path);
    SetEditorText(FEditorOriginal);
  }
  return true;
}

void TPropertyInspector::HideEditor(bool RestoreFocus) {
  if (!EditorOpen()) return;
  const bool HadFocus = IsEditorWindow(GetFocus());
  FEditorPath.clear();  // first: the focus moving away must not commit again
  FOpenedByClick = false;
  if (RestoreFocus && HadFocus && HandleAllocated()) ::SetFocus(Handle());
  FEditor->SetVisible(false);
  FButton->SetVisible(false);
  FEditor = nullptr;
}

bool TPropertyInspector::IsEditorWindow(HWND Wnd) const {
  if (!Wnd) return false;
  for (TWinControl* C : {static_cast<TWinControl*>(FEdit), static_cast<TWinControl*>(FListCombo),
                         static_cast<TWinControl*>(FTextCombo), static_cast<TWinControl*>(FButton)})
    if (C->HandleAllocated() && (Wnd == C->Handle() || IsChild(C->Handle(), Wnd))) return true;
  return false;
}

void TPropertyInspector::EditorKey(uint16_t& Key) {
  if (!EditorOpen()) return;
  switch (Key) {
    case VK_RETURN:
      // Refused text stays in the editor to be put right.
      if (CommitEditor()) {
        HideEditor(true);
      } else if (FEditor && FEditor->HandleAllocated()) {
        ::SetFocus(FEditor->Handle());
        if (FEditor == FEdit) FEdit->SelectAll();
      }
      break;
    case VK_ESCAPE: HideEditor(true); break;
    case VK_UP:
    case VK_DOWN: {
      if (!CommitEditor()) break;
      HideEditor(true);
      uint16_t Move = Key;
      KeyDown(Move, {});
      break;
    }
    default: return;
  }
  Key = 0;
}

void TPropertyInspector::EditorFocusLost(HWND NewFocus) {
  if (!EditorOpen() || FCommitting || FModal || IsEditorWindow(NewFocus)) return;
  CommitEditor();
  HideEditor(false);
}

void TPropertyInspector::EditorListChanged(bool Dropped) {
  if (!EditorOpen() || Dropped || FCommitting) return;
  CommitEditor();
}

bool TPropertyInspector::EditorPressed() {
  if (!EditorOpen() || !FOpenedByClick || FEditor != FListCombo) return false;
  FOpenedByClick = false;
  const DWORD Pos = GetMessagePos();
  const bool Soon = DWORD(GetMessageTime() - FOpenClickTime) <= GetDoubleClickTime();
  const bool Near = std::abs(int16_t(LOWORD(Pos)) - FOpenClickPos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                    std::abs(int16_t(HIWORD(Pos)) - FOpenClickPos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (!Soon || !Near) return false;
  CycleValue(FEditorPath);
  return true;
}

void TPropertyInspector::EditorButtonClicked() {
  if (!EditorOpen()) return;
  if (!CommitEditor()) return;
  const std::string Path = FEditorPath;
  {
    TFlagScope Modal(FModal);
    RunDialog(Path);
  }
  if (EditorOpen() && SameText(Path, FEditorPath)) {
    FEditorOriginal = ValueText(Path);
    SetEditorText(FEditorOriginal);
  }
}
