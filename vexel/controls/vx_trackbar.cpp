#include "vexel/controls/vx_trackbar.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/ui/panel.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* TrackOrientationValueNames[] = {"ktoHorizontal", "ktoVertical"};
constexpr const char* TickMarkValueNames[] = {"ktbmBoth", "ktbmBottomRight", "ktbmTopLeft"};
constexpr const char* IntervalHighlightTypeValueNames[] = {"htLowInterval", "htHighInterval", "htNone"};

// The track's ends lie this far from the control's edges; the track starts this far across.
constexpr Integer TrackEnd = 9, CrossOffset = 7, TopTickRoom = 5;
// Thumb states the theme takes.
constexpr Byte StateNormal = 0, StateHot = 1, StateDragging = 2, StateFocused = 3, StateDisabled = 4;

Integer RoundEven(double X) { return Integer(std::nearbyint(X)); }

}  // namespace

const TEnumInfo& TrackOrientationNames() {
  static const TEnumInfo Info{TrackOrientationValueNames};
  return Info;
}

const TEnumInfo& TickMarkNames() {
  static const TEnumInfo Info{TickMarkValueNames};
  return Info;
}

const TEnumInfo& IntervalHighlightTypeNames() {
  static const TEnumInfo Info{IntervalHighlightTypeValueNames};
  return Info;
}

const TClassInfo& TVxTrackBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxTrackBar::Orientation, &TVxTrackBar::SetOrientation>(
          "Orientation", TrackOrientationNames(), int64_t(TVxTrackOrientation::ktoHorizontal)),
      IntegerProperty<&TVxTrackBar::Min, &TVxTrackBar::SetMin>("Min", 0),
      IntegerProperty<&TVxTrackBar::Max, &TVxTrackBar::SetMax>("Max", 10),
      IntegerProperty<&TVxTrackBar::Position, &TVxTrackBar::SetPosition>("Position", 3),
      BooleanProperty<&TVxTrackBar::ShowTicks, &TVxTrackBar::SetShowTicks>("ShowTicks", 1),
      IntegerProperty<&TVxTrackBar::ThumbHalfWidth, &TVxTrackBar::SetThumbHalfWidth>("ThumbHalfWidth", 4),
      EnumProperty<&TVxTrackBar::TickMarks, &TVxTrackBar::SetTickMarks>("TickMarks", TickMarkNames(),
                                                                        int64_t(TVxTickMark::ktbmBottomRight)),
      IntegerProperty<&TVxTrackBar::LineSize, &TVxTrackBar::SetLineSize>("LineSize", 1),
      IntegerProperty<&TVxTrackBar::PageSize, &TVxTrackBar::SetPageSize>("PageSize", 2),
      IntegerProperty<&TVxTrackBar::Frequency, &TVxTrackBar::SetFrequency>("Frequency", 1),
      BooleanProperty<&TVxTrackBar::ThumbVisible, &TVxTrackBar::SetThumbVisible>("ThumbVisible", 1),
      EnumProperty<&TVxTrackBar::IntervalHighlightType, &TVxTrackBar::SetIntervalHighlightType>(
          "IntervalHighlightType", IntervalHighlightTypeNames(), int64_t(TIntervalHighlightType::htNone)),
      StringProperty<&TVxTrackBar::ThemeObject, &TVxTrackBar::SetThemeObject>("ThemeObject"),
      BooleanProperty<&TVxTrackBar::Transparent, &TVxTrackBar::SetTransparent>("Transparent", 0),
  };
  static const TClassInfo Info{
      "TVxTrackBar", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxTrackBar>};
  return Info;
}

TVxTrackBar::TVxTrackBar(TComponent* Owner) : TVxControl(Owner) {
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 150, 45);
  SetTabStop(true);
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  FTransparent = true;
  RegisterThemeClient(this);
}

TVxTrackBar::~TVxTrackBar() { UnregisterThemeClient(this); }

bool TVxTrackBar::Themed() const { return IsTrackBarThemed(0, ThemeObject(), nullptr); }

bool TVxTrackBar::TopTicks() const {
  return FShowTicks && (FTickMarks == TVxTickMark::ktbmTopLeft || FTickMarks == TVxTickMark::ktbmBoth);
}

Integer TVxTrackBar::Length() const {
  const Integer W = CachedWidth() > 0 ? CachedWidth() : Width();
  const Integer H = CachedHeight() > 0 ? CachedHeight() : Height();
  return Vertical() ? H : W;
}

Integer TVxTrackBar::ThumbDepth() const { return RoundEven(ThumbWidth() * 2.2); }

// [Properties]

void TVxTrackBar::SetOrientation(TVxTrackOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) &&
      (Vertical() ? Width() > Height() : Height() > Width()))
    SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TVxTrackBar::SetMin(Integer Value) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) {
    FMin = Value;
    return;
  }
  if (Value >= FMax || Value == FMin) return;
  FMin = Value;
  SetPosition(FPosition);
  Invalidate();
}

void TVxTrackBar::SetMax(Integer Value) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) {
    FMax = Value;
    return;
  }
  if (Value <= FMin || Value == FMax) return;
  FMax = Value;
  SetPosition(FPosition);
  Invalidate();
}

// A damaged file may hold a range out of order: the two ends swap, and an empty range gets one
// step, so the bar always has a track to draw.
void TVxTrackBar::Loaded() {
  TVxControl::Loaded();
  if (FMin > FMax) std::swap(FMin, FMax);
  if (FMin == FMax) {
    if (FMax < std::numeric_limits<Integer>::max())
      ++FMax;
    else
      --FMin;
  }
  SetPosition(FPosition);
}

void TVxTrackBar::SetPosition(Integer Value) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) {
    FPosition = Value;
    return;
  }
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Invalidate();
  if (OnChange) OnChange(this);
}

void TVxTrackBar::SetShowTicks(bool Value) {
  FShowTicks = Value;
  Invalidate();
}

void TVxTrackBar::SetThumbHalfWidth(Integer Value) {
  FThumbHalfWidth = std::clamp<Integer>(Value, 0, 32767);
  Invalidate();
}

void TVxTrackBar::SetTickMarks(TVxTickMark Value) {
  FTickMarks = Value;
  Invalidate();
}

// A frequency of 0 would divide by zero when the position snaps.
void TVxTrackBar::SetFrequency(Integer Value) {
  FFrequency = std::max<Integer>(Value, 1);
  Invalidate();
}

void TVxTrackBar::SetThumbVisible(bool Value) {
  FThumbVisible = Value;
  Invalidate();
}

void TVxTrackBar::SetIntervalHighlightType(TIntervalHighlightType Value) {
  FIntervalHighlightType = Value;
  Invalidate();
}

void TVxTrackBar::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

// [Geometry]

Integer TVxTrackBar::ValueToPixel(Integer V) {
  const Integer W = ThumbWidth();
  if (FMax == FMin) return 0;
  return RoundEven(double(Length() - 2 * TrackEnd - W) * (double(V) - FMin) / (double(FMax) - FMin)) + W / 2 + TrackEnd;
}

Integer TVxTrackBar::PixelToValue(Integer P) {
  const Integer W = ThumbWidth();
  const Integer Span = Length() - 2 * TrackEnd - W;
  if (Span <= 0) return FMin;
  int64_t V = int64_t(std::nearbyint(double(P - TrackEnd - W / 2) * (double(FMax) - FMin) / Span + FMin));
  const int64_t E = V % FFrequency;
  if (E > FFrequency / 2) V += FFrequency;
  V -= E;
  return Integer(std::clamp<int64_t>(V, FMin, FMax));
}

TRect TVxTrackBar::Oriented(Integer AlongFrom, Integer AcrossFrom, Integer AlongTo, Integer AcrossTo) const {
  return Vertical() ? Rect(AcrossFrom, AlongFrom, AcrossTo, AlongTo) : Rect(AlongFrom, AcrossFrom, AlongTo, AcrossTo);
}

TRect TVxTrackBar::GetThumbRect() {
  const Integer W = ThumbWidth(), D = ThumbDepth();
  const Integer Along = ValueToPixel(FPosition) - W / 2;
  const Integer Across = CrossOffset + (TopTicks() ? TopTickRoom : 0);
  return Oriented(Along, Across, Along + W, Across + D);
}

TRect TVxTrackBar::GetTrackRect() {
  const Integer W = ThumbWidth(), D = ThumbDepth();
  Integer Across =
      CrossOffset + (FTickMarks == TVxTickMark::ktbmTopLeft ? W / 2 : W / 4) + (TopTicks() ? TopTickRoom : 0);
  Integer Depth = D - (W / 2 + W / 4);
  if (FTickMarks == TVxTickMark::ktbmBoth) {
    Depth = D - 2 * (W / 4) - 2;
    Across += 1;
  }
  return Oriented(TrackEnd, Across, Length() - TrackEnd, Across + std::max<Integer>(Depth, 0));
}

// The thumb ends in a point toward one-sided ticks.
std::vector<TPoint> TVxTrackBar::ThumbOutline() {
  const TRect R = GetThumbRect();
  const Integer Point = ThumbWidth() / 2;
  if (FTickMarks == TVxTickMark::ktbmBoth)
    return {{R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
  const bool Toward = FTickMarks == TVxTickMark::ktbmBottomRight;
  if (!Vertical()) {
    const Integer Mid = R.Left + Point;
    if (Toward)
      return {{R.Left, R.Top},     {R.Right, R.Top}, {R.Right, R.Bottom - Point},
              {Mid + 1, R.Bottom}, {Mid, R.Bottom},  {R.Left, R.Bottom - Point}};
    return {{R.Left, R.Top + Point},  {Mid, R.Top},        {Mid + 1, R.Top},
            {R.Right, R.Top + Point}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
  }
  const Integer Mid = R.Top + Point;
  if (Toward)
    return {{R.Left, R.Top},    {R.Right - Point, R.Top},    {R.Right, Mid},
            {R.Right, Mid + 1}, {R.Right - Point, R.Bottom}, {R.Left, R.Bottom}};
  return {{R.Left + Point, R.Top},    {R.Right, R.Top},  {R.Right, R.Bottom},
          {R.Left + Point, R.Bottom}, {R.Left, Mid + 1}, {R.Left, Mid}};
}

bool TVxTrackBar::HitThumb(Integer X, Integer Y) {
  const TRect R = GetThumbRect();
  if (X < R.Left || Y < R.Top || X >= R.Right || Y >= R.Bottom) return false;
  if (FTickMarks == TVxTickMark::ktbmBoth) return true;
  std::vector<POINT> Points;
  for (const TPoint& P : ThumbOutline()) Points.push_back({P.X, P.Y});
  HRGN Region = CreatePolygonRgn(Points.data(), int(Points.size()), WINDING);
  if (!Region) return true;
  const bool Inside = PtInRegion(Region, X, Y);
  DeleteObject(Region);
  return Inside;
}

// [Painting]

void TVxTrackBar::PaintClient() {
  HDC DC = Canvas()->Handle();
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme(); Theme && Theme->IsTrackBarTransparent(0, ThemeObject()))
      DrawParentImage(this, DC);
  } else if (FTransparent) {
    DrawParentImage(this, DC);
  } else {
    FillRectColor(DC, Rect(0, 0, CachedWidth(), CachedHeight()), Color());
  }
  PaintTrack();
  PaintTicks();
  if (FThumbVisible) PaintThumb();
  if (HasFocus()) DrawFocusRectColor(DC, Rect(0, 0, CachedWidth(), CachedHeight()), clBlack);
}

void TVxTrackBar::PaintTrack() {
  const TRect R = GetTrackRect();
  if (R.IsEmpty()) return;
  HDC DC = Canvas()->Handle();
  const bool Wide = R.Width() > R.Height();
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      TvxStateInfo Info;
      Info.Rect = R;
      Info.State = Wide ? 1 : 0;
      Info.Part = Enabled() ? 0 : 1;
      Theme->DrawTrackBarTrack(0, *Canvas(), "default", Info);
    }
    return;
  }
  TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"TrackBar");
  if (Style) {
    const Integer In = FThumbHalfWidth + 1;
    const TRect Groove = Wide ? Rect(R.Left, R.Top + In / 2, R.Right, R.Bottom - (In - In / 2))
                              : Rect(R.Left + In / 2, R.Top, R.Right - (In - In / 2), R.Bottom);
    if (!Groove.IsEmpty()) Style.DrawBackground(DC, Wide ? 1 : 2, 1, Groove);
    return;
  }
  FillRectColor(DC, R, Enabled() ? clBtnHighlight : clBtnFace);
  if (Enabled() && FIntervalHighlightType != TIntervalHighlightType::htNone) {
    const Integer Thumb = ValueToPixel(FPosition);
    const bool Low = FIntervalHighlightType == TIntervalHighlightType::htLowInterval;
    TRect Interval = R;
    if (Vertical()) {
      if (Low)
        Interval.Bottom = Thumb;
      else
        Interval.Top = Thumb;
    } else {
      if (Low)
        Interval.Right = Thumb;
      else
        Interval.Left = Thumb;
    }
    if (!Interval.IsEmpty()) FillRectColor(DC, Interval, clHighlight);
  }
  TRect Frame = R;
  Frame3D(*Canvas(), Frame, clBtnShadow, clBtnHighlight, 1);
  Frame3D(*Canvas(), Frame, cl3DDkShadow, cl3DLight, 1);
}

void TVxTrackBar::PaintTicks() {
  if (!FShowTicks) return;
  HDC DC = Canvas()->Handle();
  const Integer D = ThumbDepth();
  const bool Top = FTickMarks != TVxTickMark::ktbmBottomRight;
  const bool Bottom = FTickMarks != TVxTickMark::ktbmTopLeft;
  const Integer BottomStart = CrossOffset + D + (FTickMarks == TVxTickMark::ktbmBoth ? 6 : 2);
  const auto Tick = [&](Integer V) {
    const Integer At = ValueToPixel(V);
    const bool End = V == FMin || V == FMax;
    if (Top) FillRectColor(DC, Oriented(At, End ? 7 : 8, At + 1, 11), clBlack);
    if (Bottom) FillRectColor(DC, Oriented(At, BottomStart, At + 1, BottomStart + (End ? 4 : 3)), clBlack);
  };
  Tick(FMin);
  // From the first multiple of the frequency above Min.
  int64_t V = int64_t(FMin) - (int64_t(FMin) % FFrequency);
  if (V <= FMin) V += FFrequency;
  // A range far denser than the pixels skips ticks that would land on one another: painting
  // stays bounded by the control's length.
  const int64_t Count = (int64_t(FMax) - FMin) / FFrequency;
  const int64_t Step = int64_t(FFrequency) * std::max<int64_t>(1, Count / std::max<Integer>(Length(), 1));
  for (; V < FMax; V += Step) Tick(Integer(V));
  Tick(FMax);
}

void TVxTrackBar::PaintThumb() {
  const TRect R = GetThumbRect();
  HDC DC = Canvas()->Handle();
  const Byte State = !Enabled()   ? StateDisabled
                     : FDragging  ? StateDragging
                     : FThumbHot  ? StateHot
                     : HasFocus() ? StateFocused
                                  : StateNormal;
  const Byte Side = FTickMarks == TVxTickMark::ktbmBoth ? 0 : FTickMarks == TVxTickMark::ktbmBottomRight ? 1 : 2;
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      TvxStateInfo Info;
      Info.Rect = R;
      Info.State = Byte((Vertical() ? 0 : 3) + Side);
      Info.Part = State;
      Theme->DrawTrackBarThumb(0, *Canvas(), "default", Info);
    }
    return;
  }
  TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"TrackBar");
  if (Style) {
    static constexpr int HorzParts[] = {3, 4, 5}, VertParts[] = {6, 8, 7};
    const int StyleState = State == StateDisabled ? 5 : State == StateDragging ? 3 : State == StateHot ? 2 : 1;
    return Style.DrawBackground(DC, Vertical() ? VertParts[Side] : HorzParts[Side], StyleState,
                                Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1));
  }
  const std::vector<TPoint> Outline = ThumbOutline();
  if (FDragging)
    FillPolygonDither(DC, Outline, clBtnFace, clBtnHighlight);
  else
    FillPolygon(DC, Outline, clBtnFace);
  // Raised: light on the edges facing up and left, dark on the others.
  const size_t N = Outline.size();
  for (size_t I = 0; I < N; ++I) {
    TPoint A = Outline[I], B = Outline[(I + 1) % N];
    const bool Lit = B.X > A.X ? B.Y <= A.Y : B.Y < A.Y;
    // Edges run on the last pixel row or column inside the rectangle.
    if (A.X == R.Right) A.X = R.Right - 1;
    if (B.X == R.Right) B.X = R.Right - 1;
    if (A.Y == R.Bottom) A.Y = R.Bottom - 1;
    if (B.Y == R.Bottom) B.Y = R.Bottom - 1;
    MoveToEx(DC, A.X, A.Y, nullptr);
    LineToColor(DC, B.X, B.Y, Lit ? clBtnHighlight : cl3DDkShadow);
    if (Lit) continue;
    // The shadow one pixel inside the dark edges.
    MoveToEx(DC, A.X - 1, A.Y - 1, nullptr);
    LineToColor(DC, B.X - 1, B.Y - 1, clBtnShadow);
  }
}

// [Input]

void TVxTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (CanFocus() && !ComponentState().Contains(TComponentStateFlag::csDesigning)) SetFocus();
  if (Button != TMouseButton::mbLeft || !Enabled()) return;
  if (FThumbVisible && HitThumb(X, Y)) {
    FDragging = true;
    Invalidate();
    return;
  }
  const Integer Under = PixelToValue(Vertical() ? Y : X);
  if (Under > FPosition)
    SetPosition(FPosition + FPageSize);
  else if (Under < FPosition)
    SetPosition(FPosition - FPageSize);
}

void TVxTrackBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  if (FDragging) SetPosition(PixelToValue(std::clamp<Integer>(Vertical() ? Y : X, 0, Length())));
  const bool Hot = HitThumb(X, Y);
  if (Hot == FThumbHot) return;
  FThumbHot = Hot;
  Invalidate();
}

void TVxTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FDragging = false;
  Invalidate();
}

void TVxTrackBar::MouseLeave() {
  TVxControl::MouseLeave();
  if (!FThumbHot) return;
  FThumbHot = false;
  Invalidate();
}

bool TVxTrackBar::WantsKey(uint16_t Key) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || TVxControl::WantsKey(Key);
}

void TVxTrackBar::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    case VK_LEFT:
    case VK_UP: SetPosition(FPosition - FLineSize); break;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(FPosition + FLineSize); break;
    default: return;
  }
  Key = 0;
}

void TVxTrackBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case WM_CANCELMODE:
    case WM_KILLFOCUS:
      // Losing the capture mid-drag ends the drag.
      if (FDragging) {
        FDragging = false;
        Invalidate();
      }
      break;
  }
  TVxControl::Dispatch(Message);
}
