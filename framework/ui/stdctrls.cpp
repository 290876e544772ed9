// Buttons, check boxes, radio buttons, labels, edits, combo boxes and list boxes.
#include "framework/ui/stdctrls.h"

#include <windows.h>
#undef TextOut  // TCanvas::TextOut

#include <algorithm>

#include "framework/ui/forms.h"

namespace {

constexpr const char* CheckBoxStateValueNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};
constexpr const char* ComboBoxStyleValueNames[] = {"csDropDown", "csDropDownList"};

std::string WindowText(HWND Wnd) {
  const int Length = GetWindowTextLengthA(Wnd);
  std::string S(size_t(std::max(Length, 0)) + 1, '\0');
  const int Got = GetWindowTextA(Wnd, S.data(), Length + 1);
  S.resize(size_t(std::max(Got, 0)));
  return S;
}

}  // namespace

const TEnumInfo& CheckBoxStateNames() {
  static const TEnumInfo Info{CheckBoxStateValueNames};
  return Info;
}

const TEnumInfo& ComboBoxStyleNames() {
  static const TEnumInfo Info{ComboBoxStyleValueNames};
  return Info;
}

// [TSystemControl]

TSystemControl::TSystemControl(TComponent* Owner) : TWinControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csCaptureMouse);
  ExcludeStyle(TControlStyleFlag::csClickEvents);
  ExcludeStyle(TControlStyleFlag::csDoubleClicks);
}

// [TControlItems]

void TControlItems::CheckIndex(Integer Index, Integer Limit) const {
  if (Index < 0 || Index >= Limit) throw EListError(Format("List index out of bounds (%d)", int(Index)));
}

const std::string& TControlItems::Strings(Integer Index) const {
  CheckIndex(Index, Count());
  return FItems[size_t(Index)];
}

void TControlItems::SetStrings(Integer Index, const std::string& Value) {
  CheckIndex(Index, Count());
  FItems[size_t(Index)] = Value;
  Deleted(Index);
  Inserted(Index);
}

Integer TControlItems::Add(const std::string& S) {
  Insert(Count(), S);
  return Count() - 1;
}

void TControlItems::Insert(Integer Index, const std::string& S) {
  CheckIndex(Index, Count() + 1);
  FItems.insert(FItems.begin() + Index, S);
  Inserted(Index);
}

void TControlItems::Delete(Integer Index) {
  CheckIndex(Index, Count());
  FItems.erase(FItems.begin() + Index);
  Deleted(Index);
}

void TControlItems::Clear() {
  FItems.clear();
  Cleared();
}

Integer TControlItems::IndexOf(const std::string& S) const {
  auto It = std::find(FItems.begin(), FItems.end(), S);
  return It == FItems.end() ? -1 : Integer(It - FItems.begin());
}

void TControlItems::Assign(const std::vector<std::string>& Values) {
  Clear();
  for (const auto& S : Values) Add(S);
}

// [TButtonControl]

TButtonControl::TButtonControl(TComponent* Owner) : TSystemControl(Owner) {
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
}

void TButtonControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) Clicked();
    return;
  }
  // The button paints its own background.
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}

// [TButton]

const TClassInfo& TButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TButton::ModalResult, &TButton::SetModalResult>("ModalResult", mrNone),
      BooleanProperty<&TButton::Default, &TButton::SetDefault>("Default", 0),
      BooleanProperty<&TButton::Cancel, &TButton::SetCancel>("Cancel", 0),
  };
  static const TClassInfo Info{"TButton", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TButton>};
  return Info;
}

TButton::TButton(TComponent* Owner) : TButtonControl(Owner) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  // The result first: an OnClick handler may look at it or reset it.
  if (FModalResult != mrNone)
    if (TForm* Form = GetParentForm()) Form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY) {
    const bool Hit = (Message.WParam == VK_RETURN && FDefault) || (Message.WParam == VK_ESCAPE && FCancel);
    if (Hit && Visible() && Enabled() && KeyboardShiftState().Empty()) {
      Click();
      Message.Result = 1;
    }
    return;
  }
  TButtonControl::Dispatch(Message);
}

// [TCheckBox]

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed>("AllowGrayed", 0),
      EnumProperty<&TCheckBox::State, &TCheckBox::SetState>("State", CheckBoxStateNames(),
                                                            int64_t(TCheckBoxState::cbUnchecked)),
  };
  static const TClassInfo Info{
      "TCheckBox", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TCheckBox>};
  return Info;
}

TCheckBox::TCheckBox(TComponent* Owner) : TButtonControl(Owner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  // Not an automatic box: the control decides the next state, the window only shows it.
  Params.Style |= BS_3STATE;
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, WPARAM(FState), 0);
}

void TCheckBox::SetAllowGrayed(bool Value) {
  FAllowGrayed = Value;
  if (!Value && FState == TCheckBoxState::cbGrayed) SetState(TCheckBoxState::cbUnchecked);
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, WPARAM(Value), 0);
  Click();
}

void TCheckBox::Clicked() {
  switch (FState) {
    case TCheckBoxState::cbUnchecked: SetState(TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked:
      SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
      break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbUnchecked); break;
  }
}

// [TRadioButton]

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TRadioButton::Checked, &TRadioButton::SetChecked>("Checked", 0),
  };
  static const TClassInfo Info{
      "TRadioButton", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TRadioButton>};
  return Info;
}

TRadioButton::TRadioButton(TComponent* Owner) : TButtonControl(Owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (Value && Parent())
    for (TControl* C : Parent()->ControlList())
      if (auto* Other = dynamic_cast<TRadioButton*>(C); Other && Other != this) Other->SetChecked(false);
  if (Value) Click();
}

// [TLabel]

const TClassInfo& TLabel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TLabel::AutoSize, &TLabel::SetAutoSize>("AutoSize", 1),
      BooleanProperty<&TLabel::Transparent, &TLabel::SetTransparent>("Transparent", 0),
      BooleanProperty<&TLabel::WordWrap, &TLabel::SetWordWrap>("WordWrap", 0),
      EnumProperty<&TLabel::Alignment, &TLabel::SetAlignment>("Alignment", AlignmentNames(),
                                                              int64_t(TAlignment::taLeftJustify)),
  };
  static const TClassInfo Info{"TLabel", &TGraphicControl::StaticClassInfo(), Properties, {}, &CreateComponent<TLabel>};
  return Info;
}

TLabel::TLabel(TComponent* Owner) : TGraphicControl(Owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

unsigned TLabel::TextFlags() const {
  unsigned Flags = DT_NOPREFIX | DT_EXPANDTABS;
  Flags |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (FAlignment == TAlignment::taRightJustify) Flags |= DT_RIGHT;
  if (FAlignment == TAlignment::taCenter) Flags |= DT_CENTER;
  return Flags;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, Font()->Handle());
  RECT R{0, 0, FWordWrap ? Width() : 0, 0};
  // An empty caption still takes a line's height.
  const std::string S = Caption().empty() ? std::string(" ") : Caption();
  DrawTextA(DC, S.c_str(), int(S.size()), &R, TextFlags() | DT_CALCRECT);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  Integer W = FWordWrap ? Width() : R.right, L = Left();
  if (!FWordWrap && FAlignment == TAlignment::taRightJustify) L = Left() + Width() - W;
  SetBounds(L, Top(), W, R.bottom);
}

void TLabel::Paint() {
  TCanvas& C = *Canvas();
  const TRect Area = ClientRect();
  if (!FTransparent) {
    C.Brush().SetStyle(TBrushStyle::bsSolid);
    C.Brush().SetColor(Color());
    C.FillRect(Area);
  }
  C.Brush().SetStyle(TBrushStyle::bsClear);
  C.Font().Assign(Font());
  if (!Enabled()) C.Font().SetColor(clGrayText);
  C.RequireObjects();
  RECT R{Area.Left, Area.Top, Area.Right, Area.Bottom};
  if (FLayout != TTextLayout::tlTop) {
    RECT M = R;
    DrawTextA(C.Handle(), Caption().c_str(), int(Caption().size()), &M, TextFlags() | DT_CALCRECT);
    const int Free = (R.bottom - R.top) - (M.bottom - M.top);
    R.top += FLayout == TTextLayout::tlCenter ? Free / 2 : Free;
  }
  DrawTextA(C.Handle(), Caption().c_str(), int(Caption().size()), &R, TextFlags());
}

void TLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
  }
  TGraphicControl::Dispatch(Message);
}

// [TEdit]

const TClassInfo& TEdit::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TEdit::ReadOnly, &TEdit::SetReadOnly>("ReadOnly", 0),
      IntegerProperty<&TEdit::MaxLength, &TEdit::SetMaxLength>("MaxLength", 0),
  };
  static const TClassInfo Info{"TEdit", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TEdit>};
  return Info;
}

TEdit::TEdit(TComponent* Owner) : TSystemControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& Params) {
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), EM_SETREADONLY, FReadOnly, 0);
  SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TEdit::SetText(const std::string& Value) {
  if (HandleAllocated()) {
    // The window reports every WM_SETTEXT as a change, even to the same text.
    if (Value != WindowText(Handle())) TSystemControl::SetText(Value);  // EN_CHANGE follows
    return;
  }
  if (Value == Text()) return;
  TControl::SetText(Value);
  Change();
}

void TEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, Value, 0);
}

void TEdit::SetMaxLength(Integer Value) {
  FMaxLength = std::max<Integer>(Value, 0);
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == EN_CHANGE) {
      TControl::SetText(WindowText(Handle()));
      Change();
    }
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}

// [TComboBox]

void TComboBoxItems::Inserted(Integer Index) {
  if (FOwner->HandleAllocated())
    SendMessageA(FOwner->Handle(), CB_INSERTSTRING, WPARAM(Index), reinterpret_cast<LPARAM>(FItems[Index].c_str()));
  else if (FOwner->FItemIndex >= Index)
    ++FOwner->FItemIndex;
}

void TComboBoxItems::Deleted(Integer Index) {
  if (FOwner->HandleAllocated())
    SendMessageA(FOwner->Handle(), CB_DELETESTRING, WPARAM(Index), 0);
  else if (FOwner->FItemIndex == Index)
    FOwner->FItemIndex = -1;
  else if (FOwner->FItemIndex > Index)
    --FOwner->FItemIndex;
}

void TComboBoxItems::Cleared() {
  FOwner->FItemIndex = -1;
  if (FOwner->HandleAllocated()) SendMessageA(FOwner->Handle(), CB_RESETCONTENT, 0, 0);
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TComboBox::Style, &TComboBox::SetStyle>("Style", ComboBoxStyleNames(),
                                                            int64_t(TComboBoxStyle::csDropDown)),
      StringsProperty<static_cast<const TControlItems& (TComboBox::*)() const>(&TComboBox::Items),
                      &TComboBox::SetItems>("Items"),
      IntegerProperty<&TComboBox::ItemIndex, &TComboBox::SetItemIndex>("ItemIndex", -1),
  };
  static const TClassInfo Info{
      "TComboBox", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TComboBox>};
  return Info;
}

TComboBox::TComboBox(TComponent* Owner) : TSystemControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
}

void TComboBox::CreateParams(TCreateParams& Params) {
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  Params.Style |= FStyle == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  // The window's height includes the dropped-down list; the closed box sizes itself.
  Params.Height = std::max(Params.Height, FDropDownHeight);
}

void TComboBox::CreateWnd() {
  const std::string Saved = Text();
  TSystemControl::CreateWnd();
  for (const auto& S : FItems.List()) SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
  if (FItemIndex >= 0)
    SendMessageA(Handle(), CB_SETCURSEL, WPARAM(FItemIndex), 0);
  else if (FStyle == TComboBoxStyle::csDropDown)
    SetWindowTextA(Handle(), Saved.c_str());
  SyncText();
}

void TComboBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TSystemControl::SetBounds(ALeft, ATop, AWidth, HandleAllocated() ? std::max(AHeight, FDropDownHeight) : AHeight);
}

void TComboBox::DestroyWnd() {
  FItemIndex = ItemIndex();
  TSystemControl::DestroyWnd();
}

Integer TComboBox::ItemIndex() const {
  auto* Self = const_cast<TComboBox*>(this);
  if (!Self->HandleAllocated()) return FItemIndex;
  return Integer(SendMessageA(Self->Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(Integer Value) {
  if (Value < 0 || Value >= FItems.Count()) Value = -1;
  if (Value == ItemIndex()) return;
  FItemIndex = Value;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, WPARAM(Value), 0);
  SyncText();
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  RecreateWnd();
}

void TComboBox::SetText(const std::string& Value) {
  const Integer Index = FItems.IndexOf(Value);
  if (FStyle == TComboBoxStyle::csDropDownList || Index >= 0) {
    SetItemIndex(Index);
    return;
  }
  SetItemIndex(-1);
  TSystemControl::SetText(Value);
}

void TComboBox::SyncText() {
  const Integer I = ItemIndex();
  if (I >= 0)
    TControl::SetText(FItems[I]);
  else if (HandleAllocated())
    TControl::SetText(WindowText(Handle()));
  else if (FStyle == TComboBoxStyle::csDropDownList)
    TControl::SetText("");
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case CBN_SELCHANGE:
        FItemIndex = ItemIndex();
        SyncText();
        Change();
        break;
      case CBN_EDITCHANGE:
        TControl::SetText(WindowText(Handle()));
        Change();
        break;
    }
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}

// [TListBox]

void TListBoxItems::Inserted(Integer Index) {
  if (FOwner->HandleAllocated()) {
    SendMessageA(FOwner->Handle(), LB_INSERTSTRING, WPARAM(Index), reinterpret_cast<LPARAM>(FItems[Index].c_str()));
    return;
  }
  FOwner->FSelected.insert(FOwner->FSelected.begin() + std::min<size_t>(Index, FOwner->FSelected.size()), false);
  if (FOwner->FItemIndex >= Index) ++FOwner->FItemIndex;
}

void TListBoxItems::Deleted(Integer Index) {
  if (FOwner->HandleAllocated()) {
    SendMessageA(FOwner->Handle(), LB_DELETESTRING, WPARAM(Index), 0);
    return;
  }
  if (size_t(Index) < FOwner->FSelected.size()) FOwner->FSelected.erase(FOwner->FSelected.begin() + Index);
  if (FOwner->FItemIndex == Index)
    FOwner->FItemIndex = -1;
  else if (FOwner->FItemIndex > Index)
    --FOwner->FItemIndex;
}

void TListBoxItems::Cleared() {
  FOwner->FItemIndex = -1;
  FOwner->FSelected.clear();
  if (FOwner->HandleAllocated()) SendMessageA(FOwner->Handle(), LB_RESETCONTENT, 0, 0);
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TListBox::MultiSelect, &TListBox::SetMultiSelect>("MultiSelect", 0),
      EnumProperty<&TListBox::Style, &TListBox::SetStyle>("Style", ListBoxStyleNames(),
                                                          int64_t(TListBoxStyle::lbStandard)),
      IntegerProperty<&TListBox::ItemHeight, &TListBox::SetItemHeight>("ItemHeight", 16),
      StringsProperty<static_cast<const TControlItems& (TListBox::*)() const>(&TListBox::Items), &TListBox::SetItems>(
          "Items"),
  };
  static const TClassInfo Info{"TListBox", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TListBox>};
  return Info;
}

const TEnumInfo& ListBoxStyleNames() {
  static constexpr const char* Names[] = {"lbStandard", "lbOwnerDrawFixed"};
  static const TEnumInfo Info{Names};
  return Info;
}

TListBox::TListBox(TComponent* Owner) : TSystemControl(Owner), FCanvas(std::make_unique<TCanvas>()) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() = default;

void TListBox::SetStyle(TListBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  RecreateWnd();
}

void TListBox::SetItemHeight(Integer Value) {
  Value = std::clamp<Integer>(Value, 1, 255);  // the list keeps item heights in a byte
  if (Value == FItemHeight) return;
  FItemHeight = Value;
  if (HandleAllocated() && FStyle == TListBoxStyle::lbOwnerDrawFixed) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, FItemHeight);
    Invalidate();
  }
}

void TListBox::DrawItem(const DRAWITEMSTRUCT& Item) {
  TOwnerDrawState State;
  if (Item.itemState & ODS_SELECTED) State.Include(TOwnerDrawStateFlag::odSelected);
  if (Item.itemState & ODS_GRAYED) State.Include(TOwnerDrawStateFlag::odGrayed);
  if (Item.itemState & ODS_DISABLED) State.Include(TOwnerDrawStateFlag::odDisabled);
  if (Item.itemState & ODS_CHECKED) State.Include(TOwnerDrawStateFlag::odChecked);
  if (Item.itemState & ODS_FOCUS) State.Include(TOwnerDrawStateFlag::odFocused);
  const TRect R{Item.rcItem.left, Item.rcItem.top, Item.rcItem.right, Item.rcItem.bottom};
  const Integer Index = Integer(int(Item.itemID));  // -1: an empty list drawing its focus
  FCanvas->SetHandle(Item.hDC);
  struct TRelease {
    TCanvas& Canvas;
    ~TRelease() { Canvas.SetHandle(nullptr); }
  } Release{*FCanvas};
  FCanvas->Font().Assign(Font());
  const bool Selected = State.Contains(TOwnerDrawStateFlag::odSelected);
  FCanvas->Brush().SetColor(Selected ? clHighlight : Color());
  if (Index >= 0 && Index < FItems.Count()) {
    if (OnDrawItem) {
      OnDrawItem(this, Index, R, State);
    } else {
      FCanvas->FillRect(R);
      FCanvas->Font().SetColor(Selected ? clHighlightText : Font()->Color());
      FCanvas->TextOut(R.Left + 2, R.Top, FItems.Strings(Index));
    }
  }
  if (State.Contains(TOwnerDrawStateFlag::odFocused)) DrawFocusRect(Item.hDC, &Item.rcItem);
}

void TListBox::CreateParams(TCreateParams& Params) {
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
  if (FMultiSelect) Params.Style |= LBS_EXTENDEDSEL;
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
  TSystemControl::CreateWnd();
  HWND Wnd = Handle();
  // The list asks its parent for the height at creation, before it is ours to answer.
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) SendMessageA(Wnd, LB_SETITEMHEIGHT, 0, FItemHeight);
  for (const auto& S : FItems.List()) SendMessageA(Wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
  if (FMultiSelect) {
    for (size_t I = 0; I < FSelected.size(); ++I)
      if (FSelected[I]) SendMessageA(Wnd, LB_SETSEL, TRUE, LPARAM(I));
    if (FItemIndex >= 0) SendMessageA(Wnd, LB_SETCARETINDEX, WPARAM(FItemIndex), FALSE);
  } else if (FItemIndex >= 0) {
    SendMessageA(Wnd, LB_SETCURSEL, WPARAM(FItemIndex), 0);
  }
}

void TListBox::DestroyWnd() {
  FItemIndex = ItemIndex();
  FSelected.assign(size_t(FItems.Count()), false);
  for (Integer I = 0; I < FItems.Count(); ++I) FSelected[size_t(I)] = Selected(I);
  TSystemControl::DestroyWnd();
}

Integer TListBox::ItemIndex() const {
  auto* Self = const_cast<TListBox*>(this);
  if (!Self->HandleAllocated()) return FItemIndex;
  if (FMultiSelect) {
    if (FItems.Count() == 0) return -1;
    return Integer(SendMessageA(Self->Handle(), LB_GETCARETINDEX, 0, 0));
  }
  return Integer(SendMessageA(Self->Handle(), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(Integer Value) {
  if (Value < 0 || Value >= FItems.Count()) Value = -1;
  FItemIndex = Value;
  if (!HandleAllocated()) return;
  if (FMultiSelect) {
    if (Value >= 0) SendMessageA(Handle(), LB_SETCARETINDEX, WPARAM(Value), FALSE);
  } else {
    SendMessageA(Handle(), LB_SETCURSEL, WPARAM(Value), 0);
  }
}

void TListBox::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  const Integer Index = ItemIndex();
  FMultiSelect = Value;
  if (HandleAllocated()) {
    RecreateWnd();
    SetItemIndex(Index);
  }
}

bool TListBox::Selected(Integer Index) const {
  FItems.Strings(Index);  // range check
  auto* Self = const_cast<TListBox*>(this);
  if (Self->HandleAllocated()) return SendMessageA(Self->Handle(), LB_GETSEL, WPARAM(Index), 0) > 0;
  if (!FMultiSelect) return Index == FItemIndex;
  return size_t(Index) < FSelected.size() && FSelected[size_t(Index)];
}

void TListBox::SetSelected(Integer Index, bool Value) {
  FItems.Strings(Index);
  if (!FMultiSelect) {
    if (Value)
      SetItemIndex(Index);
    else if (ItemIndex() == Index)
      SetItemIndex(-1);
    return;
  }
  if (HandleAllocated()) {
    SendMessageA(Handle(), LB_SETSEL, Value, Index);
    return;
  }
  FSelected.resize(size_t(FItems.Count()), false);
  FSelected[size_t(Index)] = Value;
}

Integer TListBox::SelCount() const {
  Integer N = 0;
  for (Integer I = 0; I < FItems.Count(); ++I)
    if (Selected(I)) ++N;
  return N;
}

void TListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == LBN_SELCHANGE) Click();
    return;
  }
  if (Message.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = TRUE;
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}
