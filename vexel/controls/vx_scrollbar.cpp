#include "vexel/controls/vx_scrollbar.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "framework/ui/panel.h"
#include "framework/ui/timer.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* ScrollOrientationValueNames[] = {"ksoHorizontal", "ksoVertical"};

// Parts and states the theme's scroll-bar operations take (first byte part, second state).
constexpr Byte ThemePartUp = 0, ThemePartDown = 1, ThemePartLeft = 4, ThemePartRight = 5;
constexpr Byte ThemePartHorzThumb = 8, ThemePartVertThumb = 9;
constexpr Byte ThemeTrackVert = 0, ThemeTrackHorz = 1;
constexpr Byte ThemeStateNormal = 0, ThemeStatePressed = 1, ThemeStateHot = 2, ThemeStateDisabled = 3;

// The platform's visual style "ScrollBar": parts and the first state of each arrow's run of four
// (normal, hot, pressed, disabled).
constexpr int StyleArrowButton = 1, StyleThumbHorz = 2, StyleThumbVert = 3, StyleTrackHorz = 4, StyleTrackVert = 6;
constexpr int StyleArrowUp = 1, StyleArrowDown = 5, StyleArrowLeft = 9, StyleArrowRight = 13;

TvxScrollPartInfo ScrollPartInfo(const TRect& R, Byte Part, Byte State) {
  TvxScrollPartInfo Info;
  Info.Rect = R;
  Info.State = Part;
  Info.Part = State;
  return Info;
}

// Round with halves to the even neighbour (the default rounding mode).
Integer RoundEven(double X) { return Integer(std::nearbyint(X)); }

TRect Shrunk(const TRect& R, Integer N) { return Rect(R.Left + N, R.Top + N, R.Right - N, R.Bottom - N); }

}  // namespace

const TEnumInfo& ScrollOrientationNames() {
  static const TEnumInfo Info{ScrollOrientationValueNames};
  return Info;
}

// [TVxScrollBar] ---------------------------------------------------------------------------------

const TClassInfo& TVxScrollBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TVxScrollBar::Position, &TVxScrollBar::SetPosition>("Position", 0),
      IntegerProperty<&TVxScrollBar::Min, &TVxScrollBar::SetMin>("Min", 0),
      IntegerProperty<&TVxScrollBar::BorderWidth, &TVxScrollBar::SetBorderWidth>("BorderWidth", 1),
      IntegerProperty<&TVxScrollBar::Max, &TVxScrollBar::SetMax>("Max", 100),
      IntegerProperty<&TVxScrollBar::PageSize, &TVxScrollBar::SetPageSize>("PageSize", 0),
      EnumProperty<&TVxScrollBar::Orientation, &TVxScrollBar::SetOrientation>(
          "Orientation", ScrollOrientationNames(), int64_t(TVxScrollOrientation::ksoHorizontal)),
      BooleanProperty<&TVxScrollBar::ShowButtons, &TVxScrollBar::SetShowButtons>("ShowButtons", 1),
      IntegerProperty<&TVxScrollBar::LargeChange, &TVxScrollBar::SetLargeChange>("LargeChange", 1),
      IntegerProperty<&TVxScrollBar::SmallChange, &TVxScrollBar::SetSmallChange>("SmallChange", 1),
      StringProperty<&TVxScrollBar::ThemeObject, &TVxScrollBar::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxScrollBar", &TVxGraphicControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxScrollBar>};
  return Info;
}

TVxScrollBar::TVxScrollBar(TComponent* Owner) : TVxGraphicControl(Owner) {
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYVTHUMB));
  RegisterThemeClient(this);
}

TVxScrollBar::~TVxScrollBar() {
  UnregisterThemeClient(this);
  StopRepeat();
}

Integer TVxScrollBar::ArrowSize() const { return GetSystemMetrics(Vertical() ? SM_CYVSCROLL : SM_CXHSCROLL); }

Integer TVxScrollBar::ScrollRange() const { return FMax - FMin - FPageSize + (FPageSize != 0 ? 1 : 0); }

bool TVxScrollBar::Themed() const { return IsScrollBarThemed(0, ThemeObject(), nullptr); }

// [Range]

void TVxScrollBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Repaint();
  Change();
}

void TVxScrollBar::SetMin(Integer Value) {
  Value = std::min(Value, FMax);
  if (Value == FMin) return;
  FMin = Value;
  FPageSize = std::min(FPageSize, FMax - FMin + 1);
  SetPosition(FPosition);
  Repaint();
}

void TVxScrollBar::SetMax(Integer Value) {
  Value = std::max(Value, FMin);
  if (Value == FMax) return;
  FMax = Value;
  FPageSize = std::min(FPageSize, FMax - FMin + 1);
  SetPosition(FPosition);
  Repaint();
}

void TVxScrollBar::SetPageSize(Integer Value) {
  if (Value < 0) return;
  Value = std::min(Value, FMax - FMin + 1);
  if (Value == FPageSize) return;
  FPageSize = Value;
  Repaint();
}

void TVxScrollBar::SetBorderWidth(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Repaint();
}

void TVxScrollBar::SetOrientation(TVxScrollOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  // A bar turned on a form in the designer keeps its shape along the new axis.
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) &&
      (Vertical() ? Width() > Height() : Height() > Width()))
    SetBounds(Left(), Top(), Height(), Width());
  Repaint();
}

void TVxScrollBar::SetShowButtons(bool Value) {
  if (Value == FShowButtons) return;
  FShowButtons = Value;
  Repaint();
}

void TVxScrollBar::SetLargeChange(Integer Value) { FLargeChange = std::clamp<Integer>(Value, 1, 32767); }

void TVxScrollBar::SetSmallChange(Integer Value) { FSmallChange = std::clamp<Integer>(Value, 1, 32767); }

void TVxScrollBar::AdjustThickness() {
  const Integer Thickness = ArrowSize() + 2 * FBorderWidth;
  if (Vertical())
    SetWidth(Thickness);
  else
    SetHeight(Thickness);
}

// [Geometry]

Integer TVxScrollBar::GetButtonSize() {
  const Integer Inside = Length() - 2 * FBorderWidth;
  const Integer Arrow = ArrowSize();
  return Inside < 2 * Arrow ? std::max<Integer>(Inside / 2, 0) : Arrow;
}

TRect TVxScrollBar::GetTrackRect() {
  TRect R = Shrunk(Rect(0, 0, Width(), Height()), FBorderWidth);
  if (FShowButtons) {
    const Integer Button = GetButtonSize();
    if (Vertical()) {
      R.Top += Button;
      R.Bottom -= Button;
    } else {
      R.Left += Button;
      R.Right -= Button;
    }
  }
  return R;
}

Integer TVxScrollBar::GetThumbSize() {
  const TRect Track = GetTrackRect();
  const Integer L = Vertical() ? Track.Height() : Track.Width();
  const Integer Arrow = ArrowSize();
  Integer Size = Arrow;
  if (FPageSize > 0) {
    const double Span = double(FMax) - FMin + 1;
    Size = std::max<Integer>(RoundEven(double(L) * FPageSize / Span), Arrow / 3 * 2);
  }
  return Size < L ? Size : 0;
}

TRect TVxScrollBar::GetFirstButtonRect() {
  const TRect Inner = Shrunk(Rect(0, 0, Width(), Height()), FBorderWidth);
  const Integer Button = GetButtonSize();
  return Vertical() ? Rect(Inner.Left, Inner.Top, Inner.Right, Inner.Top + Button)
                    : Rect(Inner.Left, Inner.Top, Inner.Left + Button, Inner.Bottom);
}

TRect TVxScrollBar::GetSecondButtonRect() {
  const TRect Inner = Shrunk(Rect(0, 0, Width(), Height()), FBorderWidth);
  const Integer Button = GetButtonSize();
  return Vertical() ? Rect(Inner.Left, Inner.Bottom - Button, Inner.Right, Inner.Bottom)
                    : Rect(Inner.Right - Button, Inner.Top, Inner.Right, Inner.Bottom);
}

Integer TVxScrollBar::PositionToPixel(Integer P) {
  const TRect Track = GetTrackRect();
  const Integer Start = Vertical() ? Track.Top : Track.Left;
  const Integer End = Vertical() ? Track.Bottom : Track.Right;
  const Integer T = GetThumbSize();
  const Integer Range = ScrollRange();
  if (FMax - FMin - FPageSize < 0 || Range < 1) return Start;
  if (int64_t(P) > int64_t(FMax) - FPageSize + 1) return End - T;
  return Start + RoundEven(double(P - FMin) * double(End - Start - T) / Range);
}

Integer TVxScrollBar::PixelToPosition(Integer X) {
  const TRect Track = GetTrackRect();
  const Integer Start = Vertical() ? Track.Top : Track.Left;
  const Integer L = Vertical() ? Track.Height() : Track.Width();
  const Integer T = GetThumbSize();
  const Integer Range = ScrollRange();
  if (L == T || Range < 1) return 0;
  const Integer P = RoundEven(double(Range) * (X - Start) / (L - T) + FMin);
  return std::clamp<Integer>(P, FMin, std::max<Integer>(FMin, FMax - FPageSize + 1));
}

TRect TVxScrollBar::GetThumbRect() {
  const TRect Track = GetTrackRect();
  const Integer Size = GetThumbSize();
  const Integer At = PositionToPixel(FPosition);
  return Vertical() ? Rect(Track.Left, At, Track.Right, At + Size) : Rect(At, Track.Top, At + Size, Track.Bottom);
}

TRect TVxScrollBar::GetTrackBeforeRect() {
  const TRect Track = GetTrackRect();
  const TRect Thumb = GetThumbRect();
  return Vertical() ? Rect(Track.Left, Track.Top, Track.Right, Thumb.Top)
                    : Rect(Track.Left, Track.Top, Thumb.Left, Track.Bottom);
}

TRect TVxScrollBar::GetTrackAfterRect() {
  const TRect Track = GetTrackRect();
  const TRect Thumb = GetThumbRect();
  return Vertical() ? Rect(Track.Left, Thumb.Bottom, Track.Right, Track.Bottom)
                    : Rect(Thumb.Right, Track.Top, Track.Right, Track.Bottom);
}

bool TVxScrollBar::HitFirstButton(Integer X, Integer Y) { return GetFirstButtonRect().Contains(X, Y); }
bool TVxScrollBar::HitSecondButton(Integer X, Integer Y) { return GetSecondButtonRect().Contains(X, Y); }
bool TVxScrollBar::HitThumb(Integer X, Integer Y) { return GetThumbRect().Contains(X, Y); }
bool TVxScrollBar::HitTrackBefore(Integer X, Integer Y) { return GetTrackBeforeRect().Contains(X, Y); }
bool TVxScrollBar::HitTrackAfter(Integer X, Integer Y) { return GetTrackAfterRect().Contains(X, Y); }

// [Steps]

void TVxScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TVxScrollBar::Scroll(int ScrollCode, Integer& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TVxScrollBar::ScrollTo(int Code, Integer Value) {
  Scroll(Code, Value);
  SetPosition(Value);
}

void TVxScrollBar::Step(uint16_t Key) {
  const int64_t Page = FPageSize < 1 ? FLargeChange : FPageSize;
  int64_t Value;
  int Code;
  switch (Key) {
    case VK_PRIOR: Value = int64_t(FPosition) - Page, Code = kscPageUp; break;
    case VK_NEXT: Value = int64_t(FPosition) + Page, Code = kscPageDown; break;
    case VK_END: Value = FMax, Code = kscBottom; break;
    case VK_HOME: Value = FMin, Code = kscTop; break;
    case VK_RIGHT:
    case VK_DOWN:
      Value = int64_t(FPosition) + FSmallChange, Code = kscLineDown;
      if (Value >= FMax) FAutoForward = false;
      break;
    default:
      Value = int64_t(FPosition) - FSmallChange, Code = kscLineUp;
      if (Value <= FMin) FAutoBackward = false;
      break;
  }
  ScrollTo(Code, Integer(std::clamp<int64_t>(Value, FMin, FMax)));
}

void TVxScrollBar::StartRepeat(bool First) {
  if (!FRepeatTimer) {
    FRepeatTimer = std::make_unique<TTimer>();
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetOnTimer([this](TObject*) { RepeatStep(); });
  }
  FRepeatTimer->SetEnabled(false);
  if (First) {
    RepeatStep();
    FRepeatTimer->SetInterval(Cardinal(KeyboardDelay()));
  } else {
    FRepeatTimer->SetInterval(Cardinal(KeyboardRepeatInterval()));
  }
  FRepeatTimer->SetEnabled(true);
}

void TVxScrollBar::StopRepeat() {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TVxScrollBar::RepeatStep() {
  if (FRepeatTimer) FRepeatTimer->SetInterval(Cardinal(KeyboardRepeatInterval()));
  try {
    if ((FFirstButtonDown && FFirstButtonHot) || FAutoBackward) return Step(VK_LEFT);
    if ((FSecondButtonDown && FSecondButtonHot) || FAutoForward) return Step(VK_RIGHT);
    // The thumb moves under a held pointer: a track counts only while the pointer is on it.
    const bool BeforeHot = HitTrackBefore(FMouseX, FMouseY);
    const bool BeforeChanged = BeforeHot != FTrackBeforeHot;
    FTrackBeforeHot = BeforeHot;
    if (FTrackBeforeDown && FTrackBeforeHot) {
      if (BeforeChanged) Repaint();
      return Step(VK_PRIOR);
    }
    const bool AfterHot = HitTrackAfter(FMouseX, FMouseY);
    const bool AfterChanged = AfterHot != FTrackAfterHot;
    FTrackAfterHot = AfterHot;
    if (FTrackAfterDown && FTrackAfterHot) {
      if (AfterChanged || BeforeChanged) Repaint();
      return Step(VK_NEXT);
    }
    if (BeforeChanged || AfterChanged) Repaint();
    // Nothing held and nobody stepping: no reason to keep ticking.
    if (!FFirstButtonDown && !FSecondButtonDown && !FTrackBeforeDown && !FTrackAfterDown) StopRepeat();
  } catch (...) {
    StopRepeat();
    throw;
  }
}

void TVxScrollBar::SetAutoBackward(bool On) {
  FAutoBackward = On;
  if (On) {
    FAutoForward = false;
    StartRepeat(false);
  } else {
    StopRepeat();
  }
}

void TVxScrollBar::SetAutoForward(bool On) {
  FAutoForward = On;
  if (On) {
    FAutoBackward = false;
    StartRepeat(false);
  } else {
    StopRepeat();
  }
}

// [Mouse]

bool TVxScrollBar::UpdateHot(Integer X, Integer Y) {
  const bool Thumb = HitThumb(X, Y);
  const bool First = FShowButtons && HitFirstButton(X, Y);
  const bool Second = FShowButtons && HitSecondButton(X, Y);
  const bool Before = HitTrackBefore(X, Y);
  const bool After = HitTrackAfter(X, Y);
  const bool Changed = Thumb != FThumbHot || First != FFirstButtonHot || Second != FSecondButtonHot ||
                       Before != FTrackBeforeHot || After != FTrackAfterHot;
  FThumbHot = Thumb;
  FFirstButtonHot = First;
  FSecondButtonHot = Second;
  FTrackBeforeHot = Before;
  FTrackAfterHot = After;
  return Changed;
}

void TVxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FMouseX = X;
  FMouseY = Y;
  // A press without a move before it (a click from the keyboard's mouse keys, a test) still
  // knows what is under the pointer.
  UpdateHot(X, Y);
  if (HitThumb(X, Y)) {
    const TRect Thumb = GetThumbRect();
    FGrabOffset = Along(X, Y) - (Vertical() ? Thumb.Top : Thumb.Left);
    ScrollTo(kscTrack, FPosition);
    Repaint();
    return;
  }
  FFirstButtonDown = FShowButtons && HitFirstButton(X, Y);
  FSecondButtonDown = FShowButtons && HitSecondButton(X, Y);
  FTrackBeforeDown = HitTrackBefore(X, Y);
  FTrackAfterDown = HitTrackAfter(X, Y);
  if ((FFirstButtonDown && FFirstButtonHot) || (FSecondButtonDown && FSecondButtonHot) ||
      (FTrackBeforeDown && FTrackBeforeHot) || (FTrackAfterDown && FTrackAfterHot)) {
    Repaint();
    StartRepeat(true);
  }
}

void TVxScrollBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxGraphicControl::MouseMove(Shift, X, Y);
  FMouseX = X;
  FMouseY = Y;
  if (Dragging()) {
    const TRect Track = GetTrackRect();
    const Integer Start = Vertical() ? Track.Top : Track.Left;
    const Integer End = (Vertical() ? Track.Bottom : Track.Right) - GetThumbSize();
    const Integer At = std::clamp<Integer>(Along(X, Y) - FGrabOffset, Start, std::max(Start, End));
    ScrollTo(kscTrack, PixelToPosition(At));
  }
  if (UpdateHot(X, Y)) Repaint();
}

void TVxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (Dragging()) ScrollTo(kscPosition, FPosition);
  FGrabOffset = -1;
  FFirstButtonDown = FSecondButtonDown = FTrackBeforeDown = FTrackAfterDown = false;
  StopRepeat();
  ScrollTo(kscEndScroll, FPosition);
  Repaint();
}

void TVxScrollBar::MouseLeave() {
  TVxGraphicControl::MouseLeave();
  const bool WasHot = FThumbHot || FFirstButtonHot || FSecondButtonHot || FTrackBeforeHot || FTrackAfterHot;
  FThumbHot = FFirstButtonHot = FSecondButtonHot = FTrackBeforeHot = FTrackAfterHot = false;
  if (WasHot) Repaint();
}

void TVxScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case CM_ENABLEDCHANGED: Repaint(); return;
  }
  TVxGraphicControl::Dispatch(Message);
}

// [Painting]

void TVxScrollBar::PaintClient() {
  const bool WithTheme = Themed();
  TvxTheme* Theme = CurrentTheme();
  // The theme paints buttons, thumb and track only: what it leaves (a transparent skin, the
  // border ring) shows the parent.
  if (WithTheme && Theme && (Theme->IsScrollBarTransparent(0, ThemeObject()) || FBorderWidth > 0))
    DrawParentImage(this, Canvas()->Handle());
  PaintFrame();
  PaintTrack();
  if (FShowButtons) {
    PaintFirstButton();
    PaintSecondButton();
  }
  const bool Designing = ComponentState().Contains(TComponentStateFlag::csDesigning);
  const bool ThumbVisible = (Enabled() || Designing) && !GetThumbRect().IsEmpty();
  if (WithTheme) PaintThemedTrack();
  if (ThumbVisible) PaintThumb();
}

void TVxScrollBar::PaintFrame() {
  if (Themed() || FBorderWidth <= 0) return;
  TRect R(0, 0, Width(), Height());
  Frame3D(*Canvas(), R, clBtnShadow, clBtnHighlight, FBorderWidth);
}

void TVxScrollBar::PaintTrack() {
  if (Themed()) return;
  const TRect Track = GetTrackRect();
  if (Track.IsEmpty()) return;
  HDC DC = Canvas()->Handle();
  TVisualStyle Style(Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr, L"ScrollBar");
  if (Style) return Style.DrawBackground(DC, Vertical() ? StyleTrackVert : StyleTrackHorz, 1, Track);
  FillDither(DC, Track, clScrollBar, clBtnHighlight);
}

void TVxScrollBar::PaintThemedTrack() {
  TvxTheme* Theme = CurrentTheme();
  if (!Theme) return;
  Theme->DrawScrollBarTrack(0, *Canvas(), ThemeObject(),
                            ScrollPartInfo(GetTrackRect(), Vertical() ? ThemeTrackVert : ThemeTrackHorz, 0));
}

void TVxScrollBar::PaintFirstButton() { PaintButton(true); }
void TVxScrollBar::PaintSecondButton() { PaintButton(false); }

void TVxScrollBar::PaintButton(bool First) {
  const TRect R = First ? GetFirstButtonRect() : GetSecondButtonRect();
  if (R.IsEmpty()) return;
  const bool Pressed = First ? FFirstButtonDown && FFirstButtonHot : FSecondButtonDown && FSecondButtonHot;
  const bool Hot = First ? FFirstButtonHot : FSecondButtonHot;
  const bool Disabled = !Enabled();
  HDC DC = Canvas()->Handle();
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      const Byte Part = Vertical() ? (First ? ThemePartUp : ThemePartDown) : (First ? ThemePartLeft : ThemePartRight);
      const Byte State = Disabled  ? ThemeStateDisabled
                         : Pressed ? ThemeStatePressed
                         : Hot     ? ThemeStateHot
                                   : ThemeStateNormal;
      Theme->DrawScrollBarPart(0, *Canvas(), ThemeObject(), ScrollPartInfo(R, Part, State));
    }
    return;
  }
  TVisualStyle Style(Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr, L"ScrollBar");
  if (Style) {
    const int Base = Vertical() ? (First ? StyleArrowUp : StyleArrowDown) : (First ? StyleArrowLeft : StyleArrowRight);
    const int Offset = Disabled ? 3 : Pressed ? 2 : Hot ? 1 : 0;
    return Style.DrawBackground(DC, StyleArrowButton, Base + Offset, R);
  }
  UINT State = Vertical() ? (First ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) : (First ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
  if (Pressed) State |= DFCS_PUSHED | DFCS_FLAT;
  if (Disabled && !ComponentState().Contains(TComponentStateFlag::csDesigning)) State |= DFCS_INACTIVE;
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  DrawFrameControl(DC, &Area, DFC_SCROLL, State);
}

void TVxScrollBar::PaintThumb() {
  TRect R = GetThumbRect();
  if (R.IsEmpty()) return;
  const bool Disabled = !Enabled();
  HDC DC = Canvas()->Handle();
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      const Byte State = Disabled     ? ThemeStateDisabled
                         : Dragging() ? ThemeStatePressed
                         : FThumbHot  ? ThemeStateHot
                                      : ThemeStateNormal;
      Theme->DrawScrollBarPart(0, *Canvas(), ThemeObject(),
                               ScrollPartInfo(R, Vertical() ? ThemePartVertThumb : ThemePartHorzThumb, State));
    }
    return;
  }
  TVisualStyle Style(Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr, L"ScrollBar");
  if (Style) {
    const int State = Disabled ? 4 : Dragging() ? 3 : FThumbHot ? 2 : 1;
    return Style.DrawBackground(DC, Vertical() ? StyleThumbVert : StyleThumbHorz, State, R);
  }
  if (Dragging()) {
    FillRectColor(DC, R, clBtnFace);
    FrameRectColor(DC, R, clBtnShadow);
    return;
  }
  Frame3D(*Canvas(), R, cl3DLight, cl3DDkShadow, 1);
  Frame3D(*Canvas(), R, clBtnHighlight, clBtnShadow, 1);
  FillRectColor(DC, R, clBtnFace);
}
