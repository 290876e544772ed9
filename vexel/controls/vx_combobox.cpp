#include "vexel/controls/vx_combobox.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <uxtheme.h>

#include <algorithm>

#include "framework/ui/timer.h"
#include "vexel/forms/vx_form.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme.h"

// [Sections] names · drop window · construction · properties · item index and style · layout ·
// painting · drop-down and close-up · input · completion

namespace {

constexpr const char* ComboStyleValueNames[] = {"kcsDropDown", "kcsDropDownList"};
constexpr const char* ComboButtonAlignValueNames[] = {"cbaLeft", "cbaRight"};

// Theme states of the combo's frame and button.
constexpr Byte CsNormal = 0, CsHot = 1, CsFocused = 2, CsDropped = 2, CsDisabled = 4;
// The non-client hit code the button area answers.
constexpr LRESULT ButtonHitCode = 8;
constexpr UINT CompletionDelay = 100;

bool ContentStyle(TVxListBoxStyle S) { return S >= TVxListBoxStyle::lbFonts; }

bool StartsWithNoCase(const std::wstring& Item, const std::wstring& Prefix) {
  if (Item.size() < Prefix.size()) return false;
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Item.data(), int(Prefix.size()), Prefix.data(),
                        int(Prefix.size())) == CSTR_EQUAL;
}

bool DropShadowAvailable() {
  OSVERSIONINFOA Info{};
  Info.dwOSVersionInfoSize = sizeof(Info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&Info)) return false;
#pragma GCC diagnostic pop
  return Info.dwMajorVersion > 5 || (Info.dwMajorVersion == 5 && Info.dwMinorVersion >= 1);
}

}  // namespace

const TEnumInfo& ComboStyleNames() {
  static const TEnumInfo Info{ComboStyleValueNames};
  return Info;
}
const TEnumInfo& ComboButtonAlignNames() {
  static const TEnumInfo Info{ComboButtonAlignValueNames};
  return Info;
}

// [Drop window]

TVxComboWindow::TVxComboWindow(TVxComboBox* Combo) : TForm(nullptr), FCombo(Combo) {
  SetDoubleBuffered(false);
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetBorderIcons({});
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetKeyPreview(true);
}

void TVxComboWindow::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WinClassName = "TVxComboWindow";
  Params.ClassStyle |= CS_SAVEBITS;
  if (DropShadowAvailable()) Params.ClassStyle |= CS_DROPSHADOW;
  // Owned by the combo's form: hiding the window hands the activation back to it.
  TForm* Host = FCombo ? FCombo->GetParentForm() : nullptr;
  Params.WndParent = Host && Host->HandleAllocated() ? Host->Handle() : nullptr;
}

void TVxComboWindow::ShowNoActivate(const TRect& R) {
  SetBoundsRect(R);
  TControl::SetVisible(true);
  SetWindowPos(Handle(), HWND_TOPMOST, R.Left, R.Top, R.Width(), R.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TVxComboWindow::HideNoActivate() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  TControl::SetVisible(false);
}

void TVxComboWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_ACTIVATE:
      if (!FCombo) break;
      if (LOWORD(Message.WParam) == WA_INACTIVE) {
        // The activation goes elsewhere: the combo does not take it back.
        FCombo->CloseWindow(false);
      } else if (TForm* Host = FCombo->GetParentForm(); Host && Host->HandleAllocated()) {
        SendMessageA(Host->Handle(), WM_NCACTIVATE, TRUE, 0);
      }
      break;
    default: break;
  }
  TForm::Dispatch(Message);
}

void TVxComboWindow::KeyDown(uint16_t& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (!FCombo) return;
  switch (Key) {
    case VK_ESCAPE:
      Key = 0;
      FCombo->CloseWindow(true);
      break;
    case VK_RETURN:
    case VK_SPACE:
      Key = 0;
      FCombo->ChooseListItem(false);
      break;
    default: break;
  }
}

// [Construction]

const TClassInfo& TVxComboBox::StaticClassInfo() {
  using C = TVxComboBox;
  static const TPropInfo Properties[] = {
      StringsProperty<&C::ItemList, &C::SetItems>("Items"),
      BooleanProperty<&C::Sorted, &C::SetSorted>("Sorted", 0),
      EnumProperty<&C::ListStyle, &C::SetListStyle>("ListStyle", VxListBoxStyleNames(),
                                                    int64_t(TVxListBoxStyle::lbStandard)),
      EnumProperty<&C::FontDevice, &C::SetFontDevice>("FontDevice", FontDeviceNames(),
                                                      int64_t(TVxFontDevice::fdScreen)),
      EnumProperty<&C::FontType, &C::SetFontType>("FontType", FontTypeNames(), int64_t(TVxFontType::ftAll)),
      BooleanProperty<&C::Flat, &C::SetFlat>("Flat", 1),
      BooleanProperty<&C::ShowCheckBoxes, &C::SetShowCheckBoxes>("ShowCheckBoxes", 0),
      BooleanProperty<&C::WordWrap, &C::SetWordWrap>("WordWrap", 0),
      BooleanProperty<&C::DefaultDrawing, &C::SetDefaultDrawing>("DefaultDrawing", 1),
      EnumProperty<&C::ButtonAlign, &C::SetButtonAlign>("ButtonAlign", ComboButtonAlignNames(),
                                                        int64_t(TVxComboButtonAlign::cbaRight)),
      IntegerProperty<&C::DropDownCount, &C::SetDropDownCount>("DropDownCount", 8),
      IntegerProperty<&C::ItemHeight, &C::SetItemHeight>("ItemHeight", 15),
      EnumProperty<&C::ComboStyle, &C::SetComboStyle>("ComboStyle", ComboStyleNames(),
                                                      int64_t(TVxComboStyle::kcsDropDown)),
      BooleanProperty<&C::AutoComplete, &C::SetAutoComplete>("AutoComplete", 0),
      // After the items and the style, so that reading it finds both.
      IntegerProperty<&C::ItemIndex, &C::SetItemIndex>("ItemIndex", -1),
  };
  static const TClassInfo Info{
      "TVxComboBox", &TVxEdit::StaticClassInfo(), Properties, {}, &CreateComponent<TVxComboBox>};
  return Info;
}

TVxComboBox::TVxComboBox(TComponent* Owner) : TVxEdit(Owner), FCompletionTimer(std::make_unique<TTimer>()) {
  FCompletionTimer->SetEnabled(false);
  FCompletionTimer->SetInterval(CompletionDelay);
  FCompletionTimer->SetOnTimer([this](TObject*) { CompletionTimer(); });
  FListBox = CreateListBox();
  FListBox->SetVisible(false);
  FListBox->SetTabStop(false);
  FListBox->SetClickOnKey(false);
  FListBox->SetAlign(TAlign::alClient);
  FListBox->SetItemHeight(FItemHeight);
  FListBox->OnClick = [this](TObject*) { ChooseListItem(true); };
  FListBox->SetParent(this);
  AdjustSize();
}

TVxComboBox::~TVxComboBox() {
  FCompletionTimer.reset();
  UnregisterDroppedDownCombo(this);
  if (FDropWindow) FDropWindow->FCombo = nullptr;
  // A list still in the drop window goes with this combo, not with the window.
  if (FListBox && FListBox->Parent() != this) {
    delete FListBox;
    FListBox = nullptr;
  }
  FDropWindow.reset();
}

// Without an owner the list stays out of form files; the combo, as its parent, frees it.
TVxListBox* TVxComboBox::CreateListBox() { return new TVxListBox(nullptr); }

void TVxComboBox::Loaded() {
  TVxEdit::Loaded();
  // The list is out of sight in the designer: it never fills the combo there.
  if (ComponentState().Contains(TComponentStateFlag::csDesigning)) {
    FListBox->SetAlign(TAlign::alNone);
    FListBox->SetBounds(-10000, -10000, FListBox->Width(), FListBox->Height());
  }
}

// [Properties]

void TVxComboBox::SetListStyle(TVxListBoxStyle Value) {
  FListBox->SetListStyle(Value);
  if (ContentStyle(Value))
    FItemHeight = FListBox->ItemHeight();
  else
    FListBox->SetItemHeight(FItemHeight);
  AdjustSize();
  Invalidate();
}

void TVxComboBox::SetItemHeight(Integer Value) {
  FItemHeight = std::max<Integer>(Value, 1);
  FListBox->SetItemHeight(FItemHeight);
  AdjustSize();
  Invalidate();
}

void TVxComboBox::SetButtonAlign(TVxComboButtonAlign Value) {
  FButtonAlign = Value;
  SetCaret(Caret());
  Invalidate();
}

bool TVxComboBox::DroppedDown() const {
  return FDropWindow && FListBox && FListBox->Parent() == FDropWindow.get() && FListBox->Visible();
}

// [Item index and style]

Integer TVxComboBox::ItemIndex() const {
  return FItemIndex >= 0 && FItemIndex < FListBox->Items().Count() ? FItemIndex : -1;
}

void TVxComboBox::SetItemIndex(Integer Value) {
  FItemIndex = Value;
  const bool Loading = ComponentState().Contains(TComponentStateFlag::csLoading);
  if (FComboStyle == TVxComboStyle::kcsDropDown && Loading) return;
  const Integer N = Items().Count();
  if (Value < -1) Value = 0;
  if (Value > N - 1) Value = N - 1;
  FItemIndex = Value;
  if (FComboStyle == TVxComboStyle::kcsDropDown) {
    SetWideText(AnsiToWideCP(CP_ACP, Items().Strings(Value)));
    // A chosen item is no typed prefix: completion must not turn it into another item.
    FCompletionTimer->SetEnabled(false);
    FLastTyped = WideText();
  } else if (!Loading) {
    Change();
  }
  Invalidate();
}

std::string TVxComboBox::Text() const {
  if (FComboStyle == TVxComboStyle::kcsDropDownList) return FListBox->Items().Strings(ItemIndex());
  return TVxEdit::Text();
}

void TVxComboBox::SetComboStyle(TVxComboStyle Value) {
  if (FComboStyle == Value) return;
  FComboStyle = Value;
  const bool Loading = ComponentState().Contains(TComponentStateFlag::csLoading);
  if (Value == TVxComboStyle::kcsDropDownList) {
    if (FItemIndex == -1) SetItemIndex(0);
    FSavedReadOnly = ReadOnly();
    SetReadOnly(true);
    SetWideText(L"");
    HideEditCaret();
  } else {
    if (!Loading) {
      SetReadOnly(FSavedReadOnly);
      // The chosen item shows as the text again.
      if (ItemIndex() >= 0) SetWideText(AnsiToWideCP(CP_ACP, Items().Strings(ItemIndex())));
    }
    if (HasFocus() && HandleAllocated() && GetFocus() == Handle()) ShowEditCaret();
  }
  AdjustSize();
  Invalidate();
}

void TVxComboBox::MoveItemIndex(Integer Value) {
  if (Value < 0) Value = 0;
  SetItemIndex(Value);
}

// [Layout]

bool TVxComboBox::ThemeDefinesCombo() const {
  TvxTheme* T = Theme();
  return T && (T->IsEditDefined(5, ThemeObject()) || T->IsEditDefined(6, ThemeObject()));
}

bool TVxComboBox::OwnerDrawList() const {
  const TVxListBoxStyle S = FListBox->ListStyle();
  return S == TVxListBoxStyle::lbOwnerDrawFixed || S == TVxListBoxStyle::lbOwnerDrawVariable;
}

Integer TVxComboBox::GetButtonWidth() {
  if (VisualStylesActive() && HandleAllocated()) {
    const TThemeFunctions& F = ThemeFunctions();
    if (HTHEME Data = F.OpenThemeData(Handle(), L"ComboBox")) {
      SIZE S{};
      const bool Got = F.GetThemePartSize(Data, nullptr, 1, 1, nullptr, TS_TRUE, &S) == S_OK && S.cx > 0;
      F.CloseThemeData(Data);
      if (Got) return S.cx;
    }
  }
  return 15;
}

void TVxComboBox::GetTextRect(TRect& R) {
  const Integer W = CachedWidth() > 0 ? CachedWidth() : Width();
  const Integer H = CachedHeight() > 0 ? CachedHeight() : Height();
  if (ThemeDefinesCombo()) {
    Theme()->GetEditClientRect(6, TRect(0, 0, W, H), R, "default");
  } else {
    TVxEdit::GetTextRect(R);
    if (FComboStyle == TVxComboStyle::kcsDropDownList && OwnerDrawList()) R.Bottom = H - R.Top;
  }
  if (FButtonAlign == TVxComboButtonAlign::cbaRight)
    R.Right -= GetButtonWidth();
  else
    R.Left += GetButtonWidth();
}

TRect TVxComboBox::GetButtonRect() {
  TRect Text;
  GetTextRect(Text);
  TRect R = Text;
  if (!AutoSize()) R.Bottom = (CachedHeight() > 0 ? CachedHeight() : Height()) - R.Top;
  const Integer D = VisualStylesActive() ? 3 : 2;
  R = TRect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D);
  const Integer W = GetButtonWidth();
  if (FButtonAlign == TVxComboButtonAlign::cbaRight) {
    R.Left = Text.Right;
    R.Right = Text.Right + W;
  } else {
    R.Right = Text.Left;
    R.Left = Text.Left - W;
  }
  return R;
}

Integer TVxComboBox::CanAutoSize() {
  if (FComboStyle == TVxComboStyle::kcsDropDownList && OwnerDrawList()) {
    TRect R;
    GetTextRect(R);
    const Integer H = CachedHeight() > 0 ? CachedHeight() : Height();
    return FItemHeight + R.Top + (H - R.Bottom);
  }
  return TVxEdit::CanAutoSize();
}

// [Painting]

Byte TVxComboBox::ThemeFrameState() const {
  if (!Enabled()) return CsDisabled;
  if (MouseInControl()) return CsHot;
  if (HasFocus()) return CsFocused;
  return CsNormal;
}

void TVxComboBox::PaintBackground(const TRect& R, TCanvas& Canvas) {
  TRect Wide = R;
  const Integer Extra = BorderWidth() + 1;
  if (FButtonAlign == TVxComboButtonAlign::cbaRight)
    Wide.Right += Extra;
  else
    Wide.Left -= Extra;
  TVxEdit::PaintBackground(Wide, Canvas);
  DrawButton(Canvas);
  if (FComboStyle == TVxComboStyle::kcsDropDownList) DrawChosenItem(Canvas, R);
}

void TVxComboBox::DrawButton(TCanvas& Canvas) {
  const TRect B = GetButtonRect();
  const Byte State = !Enabled() ? CsDisabled : FDropped ? CsDropped : FButtonHot ? CsHot : CsNormal;
  HDC DC = Canvas.Handle();
  if (ThemeDefinesCombo()) {
    TvxStateInfo Info;
    Info.Rect = B;
    Info.State = State;
    const int Saved = SaveDC(DC);
    Theme()->DrawEditButton(FButtonAlign == TVxComboButtonAlign::cbaRight ? 6 : 5, Canvas, "default", Info);
    RestoreDC(DC, Saved);
    return;
  }
  RECT Area{B.Left, B.Top, B.Right, B.Bottom};
  if (VisualStylesActive() && HandleAllocated()) {
    const TThemeFunctions& F = ThemeFunctions();
    if (HTHEME Data = F.OpenThemeData(Handle(), L"ComboBox")) {
      const int Part = State == CsDisabled ? 4 : State == CsDropped ? 3 : State == CsHot ? 2 : 1;
      F.DrawThemeBackground(Data, DC, 1, Part, &Area, nullptr);
      F.CloseThemeData(Data);
      return;
    }
  }
  UINT Flags = DFCS_SCROLLCOMBOBOX;
  if (FDropped) Flags |= DFCS_PUSHED;
  if (!Enabled()) Flags |= DFCS_INACTIVE;
  DrawFrameControl(DC, &Area, DFC_SCROLL, Flags);
}

void TVxComboBox::DrawChosenItem(TCanvas& Canvas, const TRect& R) {
  const Integer I = ItemIndex();
  if (I >= 0) {
    const bool Was = FListBox->Selected(I);
    FListBox->SetSelected(I, HasFocus());
    Canvas.Font().Assign(PaintFont());
    const int Saved = SaveDC(Canvas.Handle());
    IntersectClipRect(Canvas.Handle(), R.Left, R.Top, R.Right, R.Bottom);
    FListBox->DrawItem(Canvas, I, R);
    RestoreDC(Canvas.Handle(), Saved);
    FListBox->SetSelected(I, Was);
  }
  if (!ThemeDefinesEdit() && HasFocus() && !OwnerDrawList()) {
    HDC DC = Canvas.Handle();
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    SetTextColor(DC, RGB(0, 0, 0));
    SetBkColor(DC, RGB(255, 255, 255));
    DrawFocusRect(DC, &Area);
  }
}

// [Drop-down and close-up]

bool TVxComboBox::ListShownInWindow() const { return FListBox && (FListBox->Visible() || FListBox->Parent() != this); }

void TVxComboBox::DropDown() {
  if (!HandleAllocated() || !Showing() || !FListBox) return;
  FreeDropWindow();
  if (OnDropDown) OnDropDown(this);
  FDropWindow = std::make_unique<TVxComboWindow>(this);
  const Integer Count = Items().Count();
  Integer Rows = Count >= 1 && Count < FDropDownCount ? Count : FDropDownCount;
  // An empty list still drops one blank row; a count below 1 would drop nothing to close.
  if (Count == 0 || Rows < 1) Rows = 1;
  FListBox->SetItemHeight(FItemHeight);
  FListBox->SetColor(Color());
  const TRect Inner = FListBox->GetInnerRect();
  const Integer Frame = Inner.Top + (FListBox->CachedHeight() - Inner.Bottom);
  const Integer H = Rows * FItemHeight + Frame, W = Width();
  POINT Corner{0, Height()};
  ::ClientToScreen(Handle(), &Corner);
  POINT Top{0, 0};
  ::ClientToScreen(Handle(), &Top);
  TRect R(Corner.x, Corner.y, Corner.x + W, Corner.y + H);
  const TRect Work = GetMonitorAreaFromPoint(TPoint{Corner.x, Corner.y}, true);
  if (R.Bottom > Work.Bottom) R = TRect(R.Left, Top.y - H, R.Right, Top.y);
  if (R.Right > Work.Right) R = TRect(Work.Right - W, R.Top, Work.Right, R.Bottom);

  for (Integer I = 0; I < Count; ++I) FListBox->SetSelected(I, false);
  if (Count > 0) {
    const Integer I = std::clamp<Integer>(ItemIndex() < 0 ? 0 : ItemIndex(), 0, Count - 1);
    FListBox->SetItemIndex(I);
    FListBox->SetSelected(I, true);
  }

  TVxDefaultForm* Skinned = FindSkinnedForm(this);
  const bool Hold = Skinned && Skinned->PaintEnabled();
  if (Hold) Skinned->SuspendPaint();
  FDropWindow->ShowNoActivate(R);
  if (Hold) Skinned->ResumePaint();
  FDropped = true;
  Invalidate();
  ShowList();
}

void TVxComboBox::FreeDropWindow() {
  if (!FDropWindow) return;
  CloseUpList(false);
  FDropWindow->HideNoActivate();
  // Its activation changes while it goes concern nobody.
  FDropWindow->FCombo = nullptr;
  FDropWindow.reset();
}

// A list dropped down from a window that goes would hang in the air.
void TVxComboBox::DestroyWnd() {
  FreeDropWindow();
  TVxEdit::DestroyWnd();
}

void TVxComboBox::ShowList() {
  if (!FDropWindow) return;
  FListBox->SetParent(FDropWindow.get());
  FListBox->Font()->Assign(Font());
  FListBox->SetVisible(true);
  RegisterDroppedDownCombo(this, [this] { CloseWindow(true); });
  if (FListBox->CanFocus()) FListBox->SetFocus();
}

void TVxComboBox::CloseUp() { CloseUpList(true); }

void TVxComboBox::CloseUpList(bool Refocus) {
  if (ListShownInWindow()) {
    FListBox->SetVisible(false);
    FListBox->SetParent(this);
    FDropped = false;
    Invalidate();
    if (Refocus && Enabled() && CanFocus()) SetFocus();
    if (OnCloseUp) OnCloseUp(this);
  }
  UnregisterDroppedDownCombo(this);
}

void TVxComboBox::CloseWindow(bool Refocus) {
  if (FClosing) return;
  FClosing = true;
  CloseUpList(Refocus);
  if (FDropWindow) FDropWindow->HideNoActivate();
  FClosing = false;
}

void TVxComboBox::ChooseListItem(bool Clicked) {
  if (!DroppedDown()) return;
  const Integer I = FListBox->ItemIndex();
  if (Clicked && OnListBoxClick) OnListBoxClick(this);
  bool Allow = true;
  if (I >= 0 && OnAllowChange) OnAllowChange(this, I, Allow, FListBox->Items().Strings(I));
  if (Allow && I >= 0) SetItemIndex(I);
  CloseWindow(true);
}

// [Input]

void TVxComboBox::ShowEditCaret() {
  if (FComboStyle == TVxComboStyle::kcsDropDownList) return;
  TVxEdit::ShowEditCaret();
}

void TVxComboBox::FocusEnter() {
  TVxEdit::FocusEnter();
  Invalidate();
}

void TVxComboBox::FocusExit() {
  TVxEdit::FocusExit();
  Invalidate();
}

void TVxComboBox::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxEdit::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool List = FComboStyle == TVxComboStyle::kcsDropDownList;
  Integer I = ItemIndex();
  switch (Key) {
    case VK_DOWN:
      if (Shift.Contains(TShiftStateFlag::ssAlt)) {
        Key = 0;
        DropDown();
        return;
      }
      ++I;
      break;
    case VK_UP:
      if (I > 0) --I;
      break;
    case VK_PRIOR:
      if (!List) return;
      I -= 3;
      break;
    case VK_NEXT:
      if (!List) return;
      I += 3;
      break;
    case VK_HOME:
      if (!List) return;
      I = 0;
      break;
    case VK_END:
      if (!List) return;
      I = Items().Count() - 1;
      break;
    default: return;
  }
  MoveItemIndex(I);
}

void TVxComboBox::KeyUp(uint16_t& Key, TShiftState Shift) {
  TVxEdit::KeyUp(Key, Shift);
  // In the list style the text is the item's: a duplicate must not move the choice.
  if (FComboStyle != TVxComboStyle::kcsDropDown) return;
  const std::string Current = TVxEdit::Text();
  for (Integer I = Items().Count() - 1; I >= 0; --I)
    if (Items().Strings(I) == Current) {
      FItemIndex = I;
      return;
    }
}

void TVxComboBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxEdit::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && FComboStyle == TVxComboStyle::kcsDropDownList &&
      !Shift.Contains(TShiftStateFlag::ssDouble))
    DropDown();
}

void TVxComboBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxEdit::MouseMove(Shift, X, Y);
  SetButtonHot(false);
}

void TVxComboBox::MouseLeave() {
  TVxEdit::MouseLeave();
  SetButtonHot(false);
}

void TVxComboBox::SetButtonHot(bool Value) {
  if (FButtonHot == Value) return;
  FButtonHot = Value;
  Invalidate();
}

bool TVxComboBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) {
  if (TVxEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT Lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  if (Lines == 0) Lines = 1;
  // Many lines (or a page per notch) would divide by zero: one item per notch's part then.
  const Integer Step = std::max<Integer>(Integer(120 / std::min<UINT>(Lines, 120)), 1);
  // Turning the wheel away from the user goes up the list.
  MoveItemIndex(ItemIndex() - WheelDelta / Step);
  return true;
}

void TVxComboBox::Dispatch(TMessage& Message) {
  const bool List = FComboStyle == TVxComboStyle::kcsDropDownList;
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      if (ComponentState().Contains(TComponentStateFlag::csDesigning)) break;
      POINT P{int16_t(LOWORD(Message.LParam)), int16_t(HIWORD(Message.LParam))};
      ::ScreenToClient(Handle(), &P);
      TRect Text;
      GetTextRect(Text);
      RECT Client{};
      GetClientRect(Handle(), &Client);
      const bool InClient = P.x >= Client.left && P.x < Client.right && P.y >= Client.top && P.y < Client.bottom;
      const bool InText = P.x >= Text.Left && P.x < Text.Right && P.y >= Text.Top && P.y < Text.Bottom;
      Message.Result = InClient && !InText ? ButtonHitCode : HTCLIENT;
      return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (Message.WParam != WPARAM(ButtonHitCode)) break;
      // A second press on the button closes the list (whether or not the activation moved first).
      if (DroppedDown() || (FPressClosedAt != 0 && uint32_t(GetTickCount()) - FPressClosedAt < 500)) {
        FPressClosedAt = 0;
        CloseWindow(true);
        Message.Result = 0;
        return;
      }
      FPressClosedAt = 0;
      if (CanFocus() && !Focused()) SetFocus();
      FDropped = true;
      Invalidate();
      DropDown();
      Message.Result = 0;
      return;
    case WM_MOUSEACTIVATE:
      // A press on the button of the dropped-down combo moves the activation away from the drop
      // window, which closes it, before the press itself arrives: that press must not drop the
      // list down again.
      if (DroppedDown() && LOWORD(Message.LParam) == ButtonHitCode) FPressClosedAt = uint32_t(GetTickCount()) | 1;
      break;
    case WM_NCLBUTTONUP:
      // The platform would track its minimize box for this hit code.
      if (Message.WParam == WPARAM(ButtonHitCode)) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCMOUSEMOVE: {
      if (!FTrackingNonClient) {
        TRACKMOUSEEVENT Track{sizeof(Track), TME_LEAVE | TME_NONCLIENT, Handle(), 0};
        FTrackingNonClient = TrackMouseEvent(&Track) != FALSE;
      }
      POINT P{int16_t(LOWORD(Message.LParam)), int16_t(HIWORD(Message.LParam))};
      ::ScreenToClient(Handle(), &P);
      const TRect B = GetButtonRect();
      SetButtonHot(P.x >= B.Left && P.x < B.Right && P.y >= B.Top && P.y < B.Bottom);
      Message.Result = 0;
      return;
    }
    case WM_NCMOUSELEAVE:
      FTrackingNonClient = false;
      SetButtonHot(false);
      return;
    case WM_SETCURSOR:
      if (List && LOWORD(Message.LParam) == HTCLIENT) {
        ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
        Message.Result = 1;
        return;
      }
      break;
    case WM_CONTEXTMENU:
      if (List && !PopupMenu()) return;
      break;
    default: break;
  }
  TVxEdit::Dispatch(Message);
}

// [Completion]

void TVxComboBox::Change() {
  TVxEdit::Change();
  const TComponentState State = ComponentState();
  if (!FAutoComplete || FCompleting || State.Contains(TComponentStateFlag::csLoading) ||
      State.Contains(TComponentStateFlag::csDesigning) || !FCompletionTimer)
    return;
  FCompletionTimer->SetEnabled(false);
  FCompletionTimer->SetEnabled(true);
}

void TVxComboBox::CompletionTimer() {
  FCompletionTimer->SetEnabled(false);
  const std::wstring Typed = WideText();
  if (Typed.size() < FLastTyped.size()) {
    FLastTyped = Typed;
    return;
  }
  if (Typed == FLastTyped) return;
  FLastTyped = Typed;
  // An empty text starts every item: nothing to complete.
  if (Typed.empty() || FComboStyle != TVxComboStyle::kcsDropDown) return;
  for (Integer I = 0; I < Items().Count(); ++I) {
    const std::wstring Item = AnsiToWideCP(CP_ACP, Items().Strings(I));
    if (!StartsWithNoCase(Item, Typed)) continue;
    FCompleting = true;
    SetWideText(Item);
    SetSelStart(Integer(Typed.size()));
    SetSelLength(Integer(Item.size() - Typed.size()));
    FItemIndex = I;
    FCompleting = false;
    Invalidate();
    return;
  }
}
