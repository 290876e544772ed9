#include "vexel/controls/vx_progress.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "framework/ui/panel.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* ProgressOrientationValueNames[] = {"kpoHorizontal", "kpoVertical"};

// Parts DrawProgressBar takes.
constexpr Byte FrameVert = 0, FrameHorz = 1, BlocksVert = 2, BlocksHorz = 3, SmoothVert = 4, SmoothHorz = 5;
// The platform's visual style "Progress".
constexpr int StyleBarHorz = 1, StyleBarVert = 2, StyleChunkHorz = 3, StyleChunkVert = 4;

Integer RoundEven(double X) { return Integer(std::nearbyint(X)); }

TRect Shrunk(const TRect& R, Integer N) { return Rect(R.Left + N, R.Top + N, R.Right - N, R.Bottom - N); }

TRect Intersection(const TRect& A, const TRect& B) {
  TRect R =
      Rect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom));
  return R.IsEmpty() ? TRect() : R;
}

}  // namespace

const TEnumInfo& ProgressOrientationNames() {
  static const TEnumInfo Info{ProgressOrientationValueNames};
  return Info;
}

const TClassInfo& TVxProgressBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TVxProgressBar::Max, &TVxProgressBar::SetMax>("Max", 100),
      IntegerProperty<&TVxProgressBar::Min, &TVxProgressBar::SetMin>("Min", 0),
      IntegerProperty<&TVxProgressBar::Position, &TVxProgressBar::SetPosition>("Position", 0),
      EnumProperty<&TVxProgressBar::Orientation, &TVxProgressBar::SetOrientation>(
          "Orientation", ProgressOrientationNames(), int64_t(TVxProgressOrientation::kpoHorizontal)),
      IntegerProperty<&TVxProgressBar::BorderWidth, &TVxProgressBar::SetBorderWidth>("BorderWidth", 0),
      BooleanProperty<&TVxProgressBar::ShowBorder, &TVxProgressBar::SetShowBorder>("ShowBorder", 1),
      BooleanProperty<&TVxProgressBar::Smooth, &TVxProgressBar::SetSmooth>("Smooth", 0),
      StringProperty<&TVxProgressBar::ThemeObject, &TVxProgressBar::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxProgressBar", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxProgressBar>};
  return Info;
}

TVxProgressBar::TVxProgressBar(TComponent* Owner) : TVxControl(Owner) {
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 140, 16);
  RegisterThemeClient(this);
}

TVxProgressBar::~TVxProgressBar() { UnregisterThemeClient(this); }

bool TVxProgressBar::Themed() const { return IsProgressBarThemed(0, ThemeObject(), nullptr); }

void TVxProgressBar::SetMax(Integer Value) {
  FMax = Value;
  Invalidate();
}

void TVxProgressBar::SetMin(Integer Value) {
  FMin = Value;
  Invalidate();
}

void TVxProgressBar::SetPosition(Integer Value) {
  if (Value == FPosition) return;
  const float Before = Fraction();
  FPosition = Value;
  if (Fraction() == Before) return;
  Invalidate();
  Update();
}

void TVxProgressBar::SetOrientation(TVxProgressOrientation Value) {
  FOrientation = Value;
  Invalidate();
}

void TVxProgressBar::SetBorderWidth(Integer Value) {
  FBorderWidth = std::max<Integer>(Value, 0);
  Invalidate();
}

void TVxProgressBar::SetShowBorder(bool Value) {
  FShowBorder = Value;
  Invalidate();
}

void TVxProgressBar::SetSmooth(bool Value) {
  FSmooth = Value;
  Invalidate();
}

// A negative Min is a range like any other: -50 .. 50 at 0 is half full.
float TVxProgressBar::Fraction() const {
  if (FMax <= FMin || FPosition < FMin || FPosition > FMax) return 0;
  return float((double(FPosition) - FMin) / (double(FMax) - FMin));
}

TRect TVxProgressBar::GetBarArea() {
  TRect R(0, 0, CachedWidth() > 0 ? CachedWidth() : Width(), CachedHeight() > 0 ? CachedHeight() : Height());
  if (FShowBorder) R = Shrunk(R, 2);
  return Shrunk(R, FBorderWidth);
}

TRect TVxProgressBar::GetBarRect() {
  TRect R = GetBarArea();
  const float F = Fraction();
  if (Vertical())
    R.Top = R.Bottom - RoundEven(F * R.Height());
  else
    R.Right = R.Left + RoundEven(F * R.Width());
  return R;
}

std::vector<TRect> TVxProgressBar::GetBlocks() {
  std::vector<TRect> Blocks;
  const TRect Area = GetBarArea();
  const float F = Fraction();
  if (Area.IsEmpty() || F < 0.01f) return Blocks;
  const Integer Thickness = Vertical() ? Area.Width() : Area.Height();
  const Integer Length = Vertical() ? Area.Height() : Area.Width();
  const Integer S = std::max<Integer>(RoundEven(Thickness * 0.64), 1);
  const Integer Count = Length / (S + 2);
  const Integer Shown = RoundEven(F * Count) + 1;
  for (Integer I = 0; I < Shown; ++I) {
    const Integer Start = I * (S + 2);
    const TRect Block = Vertical() ? Rect(Area.Left, Area.Bottom - Start - S, Area.Right, Area.Bottom - Start)
                                   : Rect(Area.Left + Start, Area.Top, Area.Left + Start + S, Area.Bottom);
    const TRect Cut = Intersection(Block, Area);
    if (!Cut.IsEmpty()) Blocks.push_back(Cut);
  }
  return Blocks;
}

void TVxProgressBar::PaintClient() {
  if (Themed())
    if (TvxTheme* Theme = CurrentTheme(); Theme && Theme->IsProgressBarTransparent(0, ThemeObject()))
      DrawParentImage(this, Canvas()->Handle());
  PaintFrame();
  PaintBar();
}

void TVxProgressBar::PaintFrame() {
  TRect R(0, 0, CachedWidth(), CachedHeight());
  HDC DC = Canvas()->Handle();
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      TvxStateInfo Info;
      Info.Rect = R;
      Info.State = Vertical() ? FrameVert : FrameHorz;
      Theme->DrawProgressBar(0, *Canvas(), "default", Info);
    }
    return;
  }
  TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Progress");
  if (Style) {
    if (FShowBorder)
      Style.DrawBackground(DC, Vertical() ? StyleBarVert : StyleBarHorz, 1, R);
    else
      FillRectColor(DC, R, Color());
    return;
  }
  if (FShowBorder) {
    Frame3D(*Canvas(), R, clBtnShadow, clBtnHighlight, 1);
  }
  FillRectColor(DC, R, Color());
}

void TVxProgressBar::PaintBar() {
  const TRect Bar = GetBarRect();
  HDC DC = Canvas()->Handle();
  if (Themed()) {
    TvxTheme* Theme = CurrentTheme();
    if (!Theme || Bar.IsEmpty()) return;
    TvxStateInfo Info;
    Info.Rect = Bar;
    Info.State = Vertical() ? (FSmooth ? SmoothVert : BlocksVert) : (FSmooth ? SmoothHorz : BlocksHorz);
    Theme->DrawProgressBar(0, *Canvas(), "default", Info);
    return;
  }
  TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Progress");
  if (Style) {
    if (!Bar.IsEmpty()) Style.DrawBackground(DC, Vertical() ? StyleChunkVert : StyleChunkHorz, 1, Bar);
    return;
  }
  if (FSmooth) {
    if (!Bar.IsEmpty()) FillRectColor(DC, Bar, clHighlight);
    return;
  }
  for (const TRect& Block : GetBlocks()) FillRectColor(DC, Block, clHighlight);
}
