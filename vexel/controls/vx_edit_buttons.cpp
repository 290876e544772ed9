#include "vexel/controls/vx_edit_buttons.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

#include "framework/ui/forms.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* ButtonAlignValueNames[] = {"baLeft", "baRight"};
constexpr const char* GlyphKindValueNames[] = {"gkCustom", "gkDefault", "gkEllipsis"};
constexpr const char* SpinValueTypeValueNames[] = {"vtInteger", "vtFloat", "vtHex"};
constexpr Integer DefaultButtonWidth = 19;

// The whole text as a number of the type; false when it is none.
bool ParseNumber(const std::string& Text, TVxSpinValueType Type, double& Out) {
  if (Text.empty()) return false;
  char* End = nullptr;
  if (Type == TVxSpinValueType::vtFloat) {
    Out = std::strtod(Text.c_str(), &End);
  } else {
    const long long V = std::strtoll(Text.c_str(), &End, Type == TVxSpinValueType::vtHex ? 16 : 10);
    Out = double(V);
  }
  return End && *End == '\0' && !std::isspace(uint8_t(Text[0]));
}

}  // namespace

const TEnumInfo& ButtonAlignNames() {
  static const TEnumInfo Info{ButtonAlignValueNames};
  return Info;
}
const TEnumInfo& GlyphKindNames() {
  static const TEnumInfo Info{GlyphKindValueNames};
  return Info;
}
const TEnumInfo& SpinValueTypeNames() {
  static const TEnumInfo Info{SpinValueTypeValueNames};
  return Info;
}

// [TVxInplaceControlEdit]

const TClassInfo& TVxInplaceControlEdit::StaticClassInfo() {
  using C = TVxInplaceControlEdit;
  static const TPropInfo Properties[] = {
      EnumProperty<&C::ButtonAlign, &C::SetButtonAlign>("ButtonAlign", ButtonAlignNames(),
                                                        int64_t(TVxButtonAlign::baRight)),
      StoredWhen(IntegerProperty<&C::ButtonWidthValue, &C::SetButtonWidthValue>("ButtonWidth"),
                 [](const TPersistent* O) { return const_cast<C*>(static_cast<const C*>(O))->IsButtonWidthStored(); }),
      StringProperty<&C::ButtonHint, &C::SetButtonHint>("ButtonHint"),
      BooleanProperty<&C::ButtonShowHint, &C::SetButtonShowHint>("ButtonShowHint", 0),
      BooleanProperty<&C::ButtonTransparent, &C::SetButtonTransparent>("ButtonTransparent", 0),
  };
  static const TDefinedProperty Defined[] = {
      DefinedListProperty<&C::ReadButtonData, &C::WriteButtonData>("ButtonData")};
  static const TClassInfo Info{"TVxInplaceControlEdit", &TVxEdit::StaticClassInfo(), Properties, Defined,
                               &CreateComponent<TVxInplaceControlEdit>};
  return Info;
}

// The button's settings again, in the order older form files keep them: two unused values, the
// caption, the hint, the transparent flag, the show-hint flag and the width.
std::vector<TListValue> TVxInplaceControlEdit::WriteButtonData() const {
  TVxControl* B = Self()->Button();
  return {false, int64_t(0), B->Text(), B->Hint(), FButtonTransparent, B->ShowHint(), int64_t(ButtonWidthValue())};
}

// A shorter list sets what it holds; a value of another kind refuses the list.
bool TVxInplaceControlEdit::ReadButtonData(const std::vector<TListValue>& Values) {
  enum TKind : size_t { kBoolean, kInteger, kString };  // the alternatives of TListValue
  static constexpr TKind Kinds[] = {kBoolean, kInteger, kString, kString, kBoolean, kBoolean, kInteger};
  for (size_t I = 0; I < Values.size() && I < std::size(Kinds); ++I)
    if (Values[I].index() != Kinds[I]) return false;
  const auto Has = [&Values](size_t I) { return I < Values.size(); };
  if (Has(2)) Button()->SetText(std::get<std::string>(Values[2]));
  if (Has(3)) SetButtonHint(std::get<std::string>(Values[3]));
  if (Has(4)) SetButtonTransparent(std::get<bool>(Values[4]));
  if (Has(5)) SetButtonShowHint(std::get<bool>(Values[5]));
  if (Has(6)) SetButtonWidth(Integer(std::get<int64_t>(Values[6])));
  return true;
}

TVxInplaceControlEdit::TVxInplaceControlEdit(TComponent* Owner) : TVxEdit(Owner) {}

TVxControl* TVxInplaceControlEdit::Button() {
  if (!FButton) {
    FButton = CreateButton();
    FButton->SetBounds(0, 0, DefaultButtonWidth, Height());
    FButton->SetTabStop(false);
    FButton->OnClick = [this](TObject*) { ButtonClick(); };
    FButton->SetEnabled(Enabled());
    FButton->SetParent(this);
    UpdateButtonBounds();
  }
  return FButton;
}

// Without an owner the button stays out of form files; the edit, as its parent, frees it.
TVxControl* TVxInplaceControlEdit::CreateButton() { return new TVxControl(nullptr); }

void TVxInplaceControlEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

bool TVxInplaceControlEdit::ThemeDefinesButtonEdit() {
  TvxTheme* T = CurrentTheme();
  return T && (T->IsEditDefined(1, ThemeObject()) || T->IsEditDefined(2, ThemeObject()));
}

Integer TVxInplaceControlEdit::GetButtonHeight() {
  TRect R;
  GetTextRect(R);
  return R.Height();
}

Integer TVxInplaceControlEdit::GetButtonWidth() {
  if (!FButton) return DefaultButtonWidth;
  return FButton->Visible() ? FButton->Width() : 0;
}

void TVxInplaceControlEdit::SetButtonWidth(Integer Value) {
  TVxControl* B = Button();
  B->SetVisible(Value > 1);
  B->SetWidth(std::max<Integer>(Value, 0));
  UpdateButtonBounds();
  Invalidate();
}

bool TVxInplaceControlEdit::IsButtonWidthStored() { return GetButtonWidth() != DefaultButtonWidth; }

void TVxInplaceControlEdit::GetTextRect(TRect& R) {
  const Integer W = CachedWidth() > 0 ? CachedWidth() : Width();
  const Integer H = CachedHeight() > 0 ? CachedHeight() : Height();
  if (ThemeDefinesButtonEdit())
    CurrentTheme()->GetEditClientRect(FButtonAlign == TVxButtonAlign::baRight ? 2 : 1, TRect(0, 0, W, H), R,
                                      ThemeObject());
  else
    TVxEdit::GetTextRect(R);
  if (FButtonAlign == TVxButtonAlign::baRight)
    R.Right -= GetButtonWidth();
  else
    R.Left += GetButtonWidth();
}

void TVxInplaceControlEdit::PaintBackground(const TRect& R, TCanvas& Canvas) {
  TRect Wide = R;
  if (FButtonAlign == TVxButtonAlign::baRight)
    Wide.Right += GetButtonWidth();
  else
    Wide.Left -= GetButtonWidth();
  TVxEdit::PaintBackground(Wide, Canvas);
}

void TVxInplaceControlEdit::UpdateButtonBounds() {
  if (!FButton || !HandleAllocated()) return;
  TRect R;
  GetTextRect(R);
  const Integer D = ThemeDefinesButtonEdit() || !VisualStylesActive() ? 2 : 1;
  const Integer W = FButton->Width();
  const Integer X = FButtonAlign == TVxButtonAlign::baRight ? R.Right + D : R.Left - W - D;
  FButton->SetBounds(X, R.Top - D, W, R.Height() + 2 * D);
  Realign();
}

void TVxInplaceControlEdit::SetButtonAlign(TVxButtonAlign Value) {
  FButtonAlign = Value;
  UpdateButtonBounds();
  Invalidate();
}

void TVxInplaceControlEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TVxEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateButtonBounds();
}

void TVxInplaceControlEdit::CreateParams(TCreateParams& Params) {
  TVxEdit::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TVxInplaceControlEdit::CreateWnd() {
  TVxEdit::CreateWnd();
  Button();
  UpdateButtonBounds();
}

void TVxInplaceControlEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_ENABLEDCHANGED && FButton) FButton->SetEnabled(Enabled());
  TVxEdit::Dispatch(Message);
}

// [TVxEditButton]

std::unique_ptr<TBitmap> EllipsisGlyph(Integer ButtonWidth) {
  const Integer W = std::max<Integer>(1, ButtonWidth - 6);
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(TPixelFormat::pf1bit);
  B->SetSize(W, 4);
  TCanvas& C = B->Canvas();
  C.Brush().SetColor(clWhite);
  C.FillRect(TRect(0, 0, W, 4));
  const Integer G = std::clamp<Integer>((W - 6) / 2, 1, 3);
  const Integer X0 = (W - 6 - 2 * G) / 2;
  C.Brush().SetColor(clBlack);
  for (Integer I = 0; I < 3; ++I) {
    const Integer X = X0 + I * (2 + G);
    C.FillRect(TRect(X, 1, X + 2, 3));
  }
  return B;
}

const TClassInfo& TVxEditButton::StaticClassInfo() {
  using C = TVxEditButton;
  static const TPropInfo Properties[] = {
      StringProperty<&C::ButtonCaption, &C::SetButtonCaption>("ButtonCaption"),
      BooleanProperty<&C::ButtonTabStop, &C::SetButtonTabStop>("ButtonTabStop", 0),
      EnumProperty<&C::GlyphKind, &C::SetGlyphKind>("GlyphKind", GlyphKindNames(), int64_t(TGlyphKind::gkCustom)),
      IntegerProperty<&C::NumGlyphs, &C::SetNumGlyphs>("NumGlyphs", 1),
  };
  static const TClassInfo Info{"TVxEditButton", &TVxInplaceControlEdit::StaticClassInfo(), Properties, {},
                               &CreateComponent<TVxEditButton>};
  return Info;
}

TVxEditButton::TVxEditButton(TComponent* Owner) : TVxInplaceControlEdit(Owner) {}

TVxControl* TVxEditButton::CreateButton() { return new TVxButton(nullptr); }

TVxButton* TVxEditButton::PushButton() { return static_cast<TVxButton*>(Button()); }
TBitmap* TVxEditButton::Glyph() { return PushButton()->Glyph(); }
void TVxEditButton::SetGlyph(const TBitmap* Value) { PushButton()->SetGlyph(Value); }
Integer TVxEditButton::NumGlyphs() const { return const_cast<TVxEditButton*>(this)->PushButton()->NumGlyphs(); }
void TVxEditButton::SetNumGlyphs(Integer Value) { PushButton()->SetNumGlyphs(Value); }

void TVxEditButton::SetButtonTabStop(bool Value) {
  FButtonTabStop = Value;
  Button()->SetTabStop(Value);
}

void TVxEditButton::SetGlyphKind(TGlyphKind Value) {
  FGlyphKind = Value;
  ApplyGlyphKind();
}

void TVxEditButton::ApplyGlyphKind() {
  switch (FGlyphKind) {
    case TGlyphKind::gkEllipsis: {
      const auto G = EllipsisGlyph(Button()->Width());
      PushButton()->SetGlyph(G.get());
      PushButton()->SetNumGlyphs(1);
      break;
    }
    case TGlyphKind::gkDefault:
      if (TBitmap* G = GetDefaultGlyph()) {
        PushButton()->SetGlyph(G);
        const Integer N = std::max<Integer>(PushButton()->NumGlyphs(), 1);
        SetButtonWidth(std::max<Integer>(G->Width() / N + 6, Button()->Width()));
      }
      break;
    case TGlyphKind::gkCustom: break;
  }
}

// A button as wide as the edit would leave no room for text.
void TVxEditButton::SetButtonWidth(Integer Value) {
  if (HandleAllocated() && Value >= ClientWidth()) return;
  TVxInplaceControlEdit::SetButtonWidth(Value);
  if (FGlyphKind == TGlyphKind::gkEllipsis && Value > 1) ApplyGlyphKind();
}

// [TVxSpinEdit]

const TClassInfo& TVxSpinEdit::StaticClassInfo() {
  using C = TVxSpinEdit;
  static const TPropInfo Properties[] = {
      EnumProperty<&C::ValueType, &C::SetValueType>("ValueType", SpinValueTypeNames(),
                                                    int64_t(TVxSpinValueType::vtInteger)),
      StringProperty<&C::MinValueText, &C::SetMinValueText>("MinValue"),
      StringProperty<&C::MaxValueText, &C::SetMaxValueText>("MaxValue"),
      StringProperty<&C::IncrementText, &C::SetIncrementText>("Increment"),
      StringProperty<&C::LargeStepText, &C::SetLargeStepText>("LargeStep"),
      IntegerProperty<&C::Decimal, &C::SetDecimal>("Decimal", 2),
      BooleanProperty<&C::EditorEnabled, &C::SetEditorEnabled>("EditorEnabled", 1),
      BooleanProperty<&C::ArrowKeys, &C::SetArrowKeys>("ArrowKeys", 1),
      StringProperty<&C::ValueText, &C::SetValueText>("Value"),
      BooleanProperty<&C::EnabledSlider, &C::SetEnabledSlider>("EnabledSlider", 1),
      ClassProperty<&C::UpGlyph>("UpGlyph"),
      ClassProperty<&C::DownGlyph>("DownGlyph"),
      IntegerProperty<&C::UpNumGlyphs, &C::SetUpNumGlyphs>("UpNumGlyphs", 1),
      IntegerProperty<&C::DownNumGlyphs, &C::SetDownNumGlyphs>("DownNumGlyphs", 1),
  };
  static const TClassInfo Info{"TVxSpinEdit", &TVxInplaceControlEdit::StaticClassInfo(), Properties, {},
                               &CreateComponent<TVxSpinEdit>};
  return Info;
}

TVxSpinEdit::TVxSpinEdit(TComponent* Owner) : TVxInplaceControlEdit(Owner) {
  SetWideText(L"0");
  UpdateSliderRange();
}

bool TVxSpinEdit::EnabledSlider() const { return Spin()->EnabledSlider(); }
void TVxSpinEdit::SetEnabledSlider(bool Value) { SpinButton()->SetEnabledSlider(Value); }
TBitmap* TVxSpinEdit::UpGlyph() const { return Spin()->UpGlyph(); }
void TVxSpinEdit::SetUpGlyph(const TBitmap* Value) { SpinButton()->SetUpGlyph(Value); }
TBitmap* TVxSpinEdit::DownGlyph() const { return Spin()->DownGlyph(); }
void TVxSpinEdit::SetDownGlyph(const TBitmap* Value) { SpinButton()->SetDownGlyph(Value); }
Integer TVxSpinEdit::UpNumGlyphs() const { return Spin()->UpNumGlyphs(); }
void TVxSpinEdit::SetUpNumGlyphs(Integer Value) { SpinButton()->SetUpNumGlyphs(Value); }
Integer TVxSpinEdit::DownNumGlyphs() const { return Spin()->DownNumGlyphs(); }
void TVxSpinEdit::SetDownNumGlyphs(Integer Value) { SpinButton()->SetDownNumGlyphs(Value); }

TVxControl* TVxSpinEdit::CreateButton() {
  auto* S = new TVxSpinButton(nullptr);
  S->SetEnabledSlider(true);
  S->OnUpClick = [this](TObject*) { Step(FIncrement, true, true); };
  S->OnDownClick = [this](TObject*) { Step(FIncrement, false, true); };
  S->OnChanging = [this](TObject*, bool& Allow) { SliderMoved(Allow); };
  return S;
}

// The slider drags the value; a veto of the value holds the slider where it was.
void TVxSpinEdit::SliderMoved(bool& Allow) {
  TVxSpinButton* S = SpinButton();
  if (FFollowingValue || !S->Sliding()) return;
  const std::wstring Wanted = TextOf(Clamped(S->Position()));
  SetValue(S->Position());
  Allow = WideText() == Wanted;
}

// The slider starts from the value shown, so a slide moves it from there.
void TVxSpinEdit::FollowValue() {
  TVxSpinButton* S = SpinButton();
  if (!S || S->Sliding()) return;
  const double V = std::clamp(std::round(Value()), double(S->Min()), double(S->Max()));
  FFollowingValue = true;
  S->SetPosition(Integer(V));
  FFollowingValue = false;
}

// Without a range of its own the edit lets the slider go as far as a position reaches.
void TVxSpinEdit::UpdateSliderRange() {
  constexpr double Lowest = std::numeric_limits<Integer>::min(), Highest = std::numeric_limits<Integer>::max();
  const bool Ranged = FMinValue != FMaxValue;
  const auto Bound = [&](double V) { return Integer(std::clamp(std::trunc(V), Lowest, Highest)); };
  SpinButton()->SetMin(Ranged ? Bound(std::min(FMinValue, FMaxValue)) : Integer(Lowest));
  SpinButton()->SetMax(Ranged ? Bound(std::max(FMinValue, FMaxValue)) : Integer(Highest));
  FollowValue();
}

TVxSpinButton* TVxSpinEdit::SpinButton() { return static_cast<TVxSpinButton*>(Button()); }
TVxSpinButton* TVxSpinEdit::Spin() const { return const_cast<TVxSpinEdit*>(this)->SpinButton(); }

std::string TVxSpinEdit::Format(double V, bool) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.15g", V);
  return Buffer;
}

double TVxSpinEdit::Clamped(double V) const {
  if (FMinValue == FMaxValue) return V;
  return std::clamp(V, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

std::wstring TVxSpinEdit::TextOf(double V) const {
  char Buffer[96];
  switch (FValueType) {
    case TVxSpinValueType::vtFloat: std::snprintf(Buffer, sizeof Buffer, "%.*f", int(FDecimal), V); break;
    case TVxSpinValueType::vtHex: {
      const long long N = std::llround(V);
      std::snprintf(Buffer, sizeof Buffer, N < 0 ? "-%llX" : "%llX", N < 0 ? -N : N);
      break;
    }
    case TVxSpinValueType::vtInteger: std::snprintf(Buffer, sizeof Buffer, "%lld", std::llround(V)); break;
  }
  return AnsiToWideCP(CP_ACP, Buffer);
}

double TVxSpinEdit::Value() {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return 0;
  double V = 0;
  if (ParseNumber(Text(), FValueType, V)) return V;
  return FValueType == TVxSpinValueType::vtFloat ? FMinValue : std::trunc(FMinValue);
}

void TVxSpinEdit::SetValue(double V) {
  const std::wstring Old = WideText();
  const std::wstring New = TextOf(Clamped(V));
  if (New == Old) return;
  SetWideText(New);
  bool Allow = true;
  if (OnChanging) OnChanging(this, Allow);
  if (Allow) return;
  FSilent = true;
  SetWideText(Old);
  FSilent = false;
}

void TVxSpinEdit::Change() {
  FollowValue();
  if (FSilent) return;
  TVxInplaceControlEdit::Change();
}

void TVxSpinEdit::Step(double S, bool Up, bool ByIncrement) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(Value() + (Up ? S : -S));
  if (!ByIncrement) return;
  if (Up && OnUpClick) OnUpClick(this);
  if (!Up && OnDownClick) OnDownClick(this);
}

void TVxSpinEdit::StepUp(double S) { Step(S, true, S == FIncrement); }
void TVxSpinEdit::StepDown(double S) { Step(S, false, S == FIncrement); }

void TVxSpinEdit::SetValueType(TVxSpinValueType Value) {
  if (Value == FValueType) return;
  const double V = this->Value();
  FValueType = Value;
  if (Value != TVxSpinValueType::vtFloat) {
    FIncrement = std::round(FIncrement);
    if (FIncrement == 0) FIncrement = 1;
  }
  SetWideText(TextOf(Value == TVxSpinValueType::vtFloat ? V : std::round(V)));
  SpinButton()->SetIncrement(Integer(FIncrement));
}

void TVxSpinEdit::SetMinValue(double Value) {
  FMinValue = Value;
  UpdateSliderRange();
}

void TVxSpinEdit::SetMaxValue(double Value) {
  FMaxValue = Value;
  UpdateSliderRange();
}

void TVxSpinEdit::SetIncrement(double Value) {
  FIncrement = Value;
  SpinButton()->SetIncrement(Integer(Value));
}

void TVxSpinEdit::SetDecimal(Byte Value) {
  const double V = this->Value();
  FDecimal = Value;
  SetValue(V);
  if (FValueType == TVxSpinValueType::vtFloat) SetWideText(TextOf(Clamped(V)));
}

void TVxSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  using S = TShiftStateFlag;
  if (FArrowKeys) switch (Key) {
      case VK_UP: Step(FIncrement, true, true); Key = 0; return;
      case VK_DOWN: Step(FIncrement, false, true); Key = 0; return;
      case VK_PRIOR: Step(FLargeStep, true, FLargeStep == FIncrement); Key = 0; return;
      case VK_NEXT: Step(FLargeStep, false, FLargeStep == FIncrement); Key = 0; return;
      default: break;
    }
  if (!FEditorEnabled) {
    const bool Ctrl = Shift == TShiftState{S::ssCtrl}, ShiftOnly = Shift == TShiftState{S::ssShift};
    const uint16_t Upper = uint16_t(std::toupper(Key));
    if (Key == VK_BACK || Key == VK_DELETE || (Key == VK_INSERT && (Ctrl || ShiftOnly)) ||
        (Ctrl && (Upper == 'V' || Upper == 'X' || Upper == 'Z'))) {
      Key = 0;
      return;
    }
  }
  TVxInplaceControlEdit::KeyDown(Key, Shift);
}

bool TVxSpinEdit::Refused(char Key) const {
  const uint8_t C = uint8_t(Key);
  if (!FEditorEnabled) return C == VK_BACK || C >= 32;
  if (C < 32) return false;
  if (Key == '+' || Key == '-' || (Key >= '0' && Key <= '9')) return false;
  const std::string& T = Text();
  if (FValueType == TVxSpinValueType::vtFloat) {
    if (Key == '.' && T.find('.') == std::string::npos) return false;
    if ((Key == 'E' || Key == 'e') && T.find_first_of("Ee") == std::string::npos) return false;
  }
  if (FValueType == TVxSpinValueType::vtHex && ((Key >= 'A' && Key <= 'F') || (Key >= 'a' && Key <= 'f'))) return false;
  return true;
}

// Numbers are written in the code page's digits and signs only.
bool TVxSpinEdit::TakesWideChar(wchar_t) {
  MessageBeep(0);
  return false;
}

void TVxSpinEdit::KeyPress(char& Key) {
  if (Key == '\r' || Key == 27) {
    if (TForm* Form = GetParentForm()) Form->Perform(CM_DIALOGKEY, Key == '\r' ? VK_RETURN : VK_ESCAPE, 0);
    if (Key == '\r') Key = 0;
    return;
  }
  if (Refused(Key)) {
    MessageBeep(0);
    Key = 0;
    return;
  }
  TVxInplaceControlEdit::KeyPress(Key);
}

void TVxSpinEdit::FocusExit() {
  TVxInplaceControlEdit::FocusExit();
  const double V = Value();
  if (Clamped(V) != V) SetValue(V);
}
