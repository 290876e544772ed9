#include "vexel/controls/vx_spinbutton.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "framework/ui/timer.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/graphics/vx_resource.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* SpinAlignValueNames[] = {"saLeft", "saRight"};
constexpr Cardinal PollInterval = 400;
constexpr Integer SpinWidth = 15;

// The decimal number Text holds (spaces around it allowed), or nothing.
std::optional<Integer> ParseNumber(const std::string& Text) {
  const size_t First = Text.find_first_not_of(" \t");
  if (First == std::string::npos) return std::nullopt;
  const size_t Last = Text.find_last_not_of(" \t");
  const char* Begin = Text.data() + First;
  const char* End = Text.data() + Last + 1;
  if (*Begin == '+') ++Begin;
  Integer Value = 0;
  const auto [Stop, Error] = std::from_chars(Begin, End, Value);
  if (Error != std::errc() || Stop != End) return std::nullopt;
  return Value;
}

}  // namespace

const TEnumInfo& SpinAlignNames() {
  static const TEnumInfo Info{SpinAlignValueNames};
  return Info;
}

const TClassInfo& TVxSpinButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      ComponentProperty<&TVxSpinButton::Associate, &TVxSpinButton::SetAssociate>("Associate"),
      BooleanProperty<&TVxSpinButton::EnabledSlider, &TVxSpinButton::SetEnabledSlider>("EnabledSlider", 0),
      IntegerProperty<&TVxSpinButton::Increment, &TVxSpinButton::SetIncrement>("Increment", 1),
      IntegerProperty<&TVxSpinButton::Min, &TVxSpinButton::SetMin>("Min", 0),
      IntegerProperty<&TVxSpinButton::Max, &TVxSpinButton::SetMax>("Max", 100),
      IntegerProperty<&TVxSpinButton::Position, &TVxSpinButton::SetPosition>("Position", 0),
      EnumProperty<&TVxSpinButton::SpinAlign, &TVxSpinButton::SetSpinAlign>("SpinAlign", SpinAlignNames(),
                                                                            int64_t(TVxSpinAlign::saRight)),
      StringProperty<&TVxSpinButton::ThemeObject, &TVxSpinButton::SetThemeObject>("ThemeObject"),
      ClassProperty<&TVxSpinButton::UpGlyph>("UpGlyph"),
      ClassProperty<&TVxSpinButton::DownGlyph>("DownGlyph"),
      IntegerProperty<&TVxSpinButton::UpNumGlyphs, &TVxSpinButton::SetUpNumGlyphs>("UpNumGlyphs", 1),
      IntegerProperty<&TVxSpinButton::DownNumGlyphs, &TVxSpinButton::SetDownNumGlyphs>("DownNumGlyphs", 1),
  };
  static const TClassInfo Info{
      "TVxSpinButton", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxSpinButton>};
  return Info;
}

TVxSpinButton::TVxSpinButton(TComponent* Owner) : TVxControl(Owner) {
  // A slide goes on wherever the pointer moves.
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  FUpButton = CreateSpeedButton();
  FDownButton = CreateSpeedButton();
  const struct {
    TVxSpeedButton* Button;
    const char* Caption;
    const char* Resource;
  } Buttons[] = {{FUpButton, "up", "VX_SPIN_UP"}, {FDownButton, "down", "VX_SPIN_DOWN"}};
  for (const auto& B : Buttons) {
    B.Button->SetFlat(true);
    B.Button->SetShowCaption(false);
    B.Button->SetCaption(B.Caption);
    B.Button->SetAllowTimer(true);
    B.Button->SetEnabled(true);
    TBitmap Glyph;
    if (LoadBitmapResource(B.Resource, Glyph)) B.Button->SetGlyph(&Glyph);
    B.Button->OnClick = [this, Button = B.Button](TObject*) { ButtonClick(Button); };
    B.Button->OnMouseDown = [this, Button = B.Button](TObject*, TMouseButton MouseButton, TShiftState, Integer,
                                                      Integer) {
      if (MouseButton == TMouseButton::mbLeft) ButtonMouseDown(Button);
    };
    B.Button->SetParent(this);
  }
  FFocusedButton = FUpButton;
  SetBounds(Left(), Top(), SpinWidth, 21);
  SetTabStop(false);
  RegisterThemeClient(this);
}

TVxSpinButton::~TVxSpinButton() {
  UnregisterThemeClient(this);
  SetAssociate(nullptr);
}

// Without an owner the buttons stay out of form files, and the spin button, as their parent,
// frees them.
TVxSpeedButton* TVxSpinButton::CreateSpeedButton() { return new TVxSpeedButton(nullptr); }

void TVxSpinButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutButtons();
}

void TVxSpinButton::LayoutButtons() {
  if (!FUpButton || !FDownButton) return;
  const Integer W = Width(), H = Height();
  const Integer Half = H / 2 - (FEnabledSlider ? 1 : 0);
  FUpButton->SetBounds(0, 0, W, Half);
  FDownButton->SetBounds(0, H - Half, W, Half);
}

void TVxSpinButton::SetEnabledSlider(bool Value) {
  if (Value == FEnabledSlider) return;
  FEnabledSlider = Value;
  LayoutButtons();
  Invalidate();
}

void TVxSpinButton::SetSpinAlign(TVxSpinAlign Value) {
  if (Value == FSpinAlign) return;
  FSpinAlign = Value;
  PlaceBesideAssociate();
}

TBitmap* TVxSpinButton::UpGlyph() const { return FUpButton->Glyph(); }
void TVxSpinButton::SetUpGlyph(const TBitmap* Value) { FUpButton->SetGlyph(Value); }
TBitmap* TVxSpinButton::DownGlyph() const { return FDownButton->Glyph(); }
void TVxSpinButton::SetDownGlyph(const TBitmap* Value) { FDownButton->SetGlyph(Value); }
Integer TVxSpinButton::UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
void TVxSpinButton::SetUpNumGlyphs(Integer Value) { FUpButton->SetNumGlyphs(Value); }
Integer TVxSpinButton::DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
void TVxSpinButton::SetDownNumGlyphs(Integer Value) { FDownButton->SetNumGlyphs(Value); }

void TVxSpinButton::SetFocusedButton(TVxSpeedButton* Value) {
  if (Value == FFocusedButton || (Value != FUpButton && Value != FDownButton)) return;
  FFocusedButton = Value;
  if (Focused()) Invalidate();
}

// [Position and associate]

void TVxSpinButton::SetPosition(Integer Value) {
  Value = std::max(FMin, std::min(Value, FMax));
  if (Value == FPosition) return;
  const Integer Old = FPosition;
  FPosition = Value;
  if (OnChanging) {
    bool Allow = true;
    OnChanging(this, Allow);
    if (!Allow) {
      FPosition = Old;
      return;
    }
  }
  WriteAssociate();
}

void TVxSpinButton::SetAssociate(TWinControl* Value) {
  if (Value == FAssociate || Value == this) return;
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
  FAssociate = Value;
  if (!Value) {
    FPollTimer.reset();
    return;
  }
  Value->FreeNotification(this);
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  PlaceBesideAssociate();
  WriteAssociate();
  if (!FPollTimer) {
    FPollTimer = std::make_unique<TTimer>();
    FPollTimer->SetInterval(PollInterval);
    FPollTimer->SetOnTimer([this](TObject*) { PollAssociate(); });
  }
  FPollTimer->SetEnabled(true);
}

void TVxSpinButton::PlaceBesideAssociate() {
  if (!FAssociate || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  const TRect A = FAssociate->BoundsRect();
  const Integer X = FSpinAlign == TVxSpinAlign::saRight ? A.Right : A.Left - SpinWidth;
  SetBounds(X, A.Top, SpinWidth, A.Height());
}

void TVxSpinButton::WriteAssociate() {
  if (!FAssociate) return;
  if (ParseNumber(FAssociate->Text()) != FPosition) {
    FSyncing = true;
    FAssociate->SetText(std::to_string(FPosition));
    FSyncing = false;
  }
  FAssociate->Invalidate();
}

void TVxSpinButton::PollAssociate() {
  if (FSyncing || !FAssociate) return;
  const Integer Value = ParseNumber(FAssociate->Text()).value_or(FPosition);
  if (Value != FPosition) SetPosition(Value);
}

void TVxSpinButton::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FAssociate) {
    FAssociate = nullptr;
    FPollTimer.reset();
  }
}

void TVxSpinButton::Loaded() {
  TVxControl::Loaded();
  if (!FAssociate) return;
  TWinControl* Associate = FAssociate;
  FAssociate = nullptr;
  SetAssociate(Associate);
  LayoutButtons();
}

// [Buttons, keys and slider]

// The position moved by Delta, kept inside the integer range: a range at the integer's ends and a
// large increment from a form file must not wrap round.
Integer TVxSpinButton::Stepped(int64_t Delta) const {
  const int64_t Value = int64_t(FPosition) + Delta;
  return Integer(std::clamp<int64_t>(Value, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

void TVxSpinButton::ButtonClick(TVxSpeedButton* Button) {
  if (Button == FUpButton) {
    SetPosition(Stepped(int64_t(FIncrement)));
    if (OnUpClick) OnUpClick(this);
  } else {
    SetPosition(Stepped(-int64_t(FIncrement)));
    if (OnDownClick) OnDownClick(this);
  }
}

void TVxSpinButton::ButtonMouseDown(TVxSpeedButton* Button) {
  SetFocusedButton(Button);
  if (FAssociate && FAssociate->TabStop() && FAssociate->CanFocus() && !FAssociate->Focused())
    FAssociate->SetFocus();
  else if (TabStop() && CanFocus() && !Focused())
    SetFocus();
}

bool TVxSpinButton::WantsKey(uint16_t Key) const { return Key == VK_UP || Key == VK_DOWN || TVxControl::WantsKey(Key); }

void TVxSpinButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  TVxSpeedButton* Target = nullptr;
  if (Key == VK_SPACE) Target = FFocusedButton;
  if (Key == VK_UP) Target = FUpButton;
  if (Key == VK_DOWN) Target = FDownButton;
  if (!Target) return;
  SetFocusedButton(Target);
  Key = 0;
  Target->Click();
}

bool TVxSpinButton::InSliderBand(Integer Y) const {
  const Integer Middle = Height() / 2;
  return FEnabledSlider && Y >= Middle - 1 && Y <= Middle;
}

void TVxSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !InSliderBand(Y)) return;
  FSliding = true;
  FSlideX = X;
  FSlideY = Y;
}

void TVxSpinButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  if (FSliding) {
    // The position follows the distance dragged, not how often the pointer reported it.
    const Integer Moved = FSlideY - Y;
    FSlideX = X;
    FSlideY = Y;
    if (Moved != 0) SetPosition(Stepped(int64_t(FIncrement) * Moved));
    return;
  }
  SetCursor(InSliderBand(Y) ? crSizeNS : crDefault);
}

void TVxSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  FSliding = false;
}

void TVxSpinButton::PaintClient() {
  HDC DC = Canvas()->Handle();
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) && !CurrentTheme() && Parent())
    FillRectColor(DC, Rect(0, 0, Width(), Height()), Parent()->Color());
  DrawParentImage(this, DC);
}

void TVxSpinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      TVxControl::Dispatch(Message);
      LayoutButtons();
      return;
    case CM_MOUSELEAVE:
      if (!FSliding && !Message.LParam) SetCursor(crDefault);
      break;
    case WM_CAPTURECHANGED:
      // A slide whose release went elsewhere (a box shown meanwhile) has ended.
      if (reinterpret_cast<HWND>(Message.LParam) != Handle()) FSliding = false;
      break;
  }
  TVxControl::Dispatch(Message);
}
