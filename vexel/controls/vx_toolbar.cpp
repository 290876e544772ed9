// TVxToolBar: orientation and client rectangle, alignment of the children, and painting in the
// three looks.
//
// [Properties]  setters that realign
// [Layout]      orientation, client rectangle, the children in a row or a column
// [Painting]    theme, visual style, classic; the background for a child
#include "vexel/controls/vx_toolbar.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "framework/ui/panel.h"
#include "vexel/controls/vx_controlbar.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

// The classic bar leaves room for its grip at the left.
constexpr TRect ClassicInsets{11, 2, 2, 2};
// How much lighter (top and left) and darker (bottom and right) than Color the bar's frame is.
constexpr Integer FrameShade = 30;

TColor Shaded(TColor Color, Integer Delta) { return PixelToColor(LightenPixel(ColorToPixel(Color, 255), Delta)); }

Integer ClampToInteger(int64_t Value) {
  return Integer(std::clamp<int64_t>(Value, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

// Sets a flag for a scope and puts back what it was.
class TFlagScope {
 public:
  TFlagScope(bool& Flag, bool Value) : FFlag(Flag), FSaved(Flag) { FFlag = Value; }
  ~TFlagScope() { FFlag = FSaved; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FSaved;
};

}  // namespace

const TClassInfo& TVxToolBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TVxToolBar::BorderWidth, &TVxToolBar::SetBorderWidth>("BorderWidth", 0),
      // Always written: the constructor takes it from the height.
      IntegerProperty<&TVxToolBar::ButtonWidth, &TVxToolBar::SetButtonWidth>("ButtonWidth"),
      BooleanProperty<&TVxToolBar::ButtonAutoSize, &TVxToolBar::SetButtonAutoSize>("ButtonAutoSize", 1),
      IntegerProperty<&TVxToolBar::DividerWidth, &TVxToolBar::SetDividerWidth>("DividerWidth", 8),
      // The setter is virtual: the bar's own one realigns.
      StringProperty<&TVxControl::ThemeObject, &TVxControl::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxToolBar", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxToolBar>};
  return Info;
}

TVxToolBar::TVxToolBar(TComponent* Owner) : TVxControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), Width(), 29);
  FButtonWidth = Height();
  RegisterThemeClient(this);
}

TVxToolBar::~TVxToolBar() { UnregisterThemeClient(this); }

// [Properties]

void TVxToolBar::SetBorderWidth(Integer Value) {
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  // Automatic buttons stay as thick as the room inside the border.
  if (FButtonAutoSize) AutoSizeButtons(Horizontal(), CachedWidth(), CachedHeight());
  Realign();
}

void TVxToolBar::SetButtonWidth(Integer Value) {
  if (Value == FButtonWidth) return;
  FButtonWidth = Value;
  Realign();
}

void TVxToolBar::SetButtonAutoSize(bool Value) {
  if (Value == FButtonAutoSize) return;
  FButtonAutoSize = Value;
  if (!Value) return;
  AutoSizeButtons(Horizontal(), CachedWidth(), CachedHeight());
  Realign();
}

void TVxToolBar::SetDividerWidth(Integer Value) {
  if (Value == FDividerWidth) return;
  FDividerWidth = Value;
  Realign();
}

// [Layout]

bool TVxToolBar::HorizontalAt(Integer Width, Integer Height) const {
  return Width >= Height || Align() == TAlign::alTop || Align() == TAlign::alBottom;
}

bool TVxToolBar::Horizontal() const { return HorizontalAt(CachedWidth(), CachedHeight()); }

bool TVxToolBar::InControlBar() const { return dynamic_cast<const TVxControlBar*>(Parent()) != nullptr; }

bool TVxToolBar::Themed() const { return IsToolBarThemed(1, ThemeObject(), nullptr); }

void TVxToolBar::AutoSizeButtons(bool Horz, Integer Width, Integer Height) {
  FButtonWidth = std::max<Integer>(ClampToInteger(int64_t(Horz ? Height : Width) - 2 * int64_t(FBorderWidth)), 0);
}

TRect TVxToolBar::GetClientRect() {
  const Integer W = CachedWidth(), H = CachedHeight();
  TRect R(0, 0, W, H);
  if (!InControlBar()) {
    TvxTheme* Theme = CurrentTheme();
    if (Theme && Themed())
      Theme->GetToolBarClientRect(1, Rect(0, 0, W, H), R, "default");
    else
      R = Rect(ClassicInsets.Left, ClassicInsets.Top, W - ClassicInsets.Right, H - ClassicInsets.Bottom);
  }
  return Rect(R.Left + FBorderWidth, R.Top + FBorderWidth, R.Right - FBorderWidth, R.Bottom - FBorderWidth);
}

TRect TVxToolBar::ClientRect() { return GetClientRect(); }

void TVxToolBar::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  // The thickness in the orientation of the new size: a bar stood on its end does not make its
  // buttons as long as itself.
  if (FButtonAutoSize) AutoSizeButtons(HorizontalAt(AWidth, AHeight), AWidth, AHeight);
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  Realign();
}

void TVxToolBar::SetThemeObject(const std::string& Value) {
  if (Value == ThemeObject()) return;
  TVxControl::SetThemeObject(Value);
  Realign();
}

void TVxToolBar::Loaded() {
  TVxControl::Loaded();
  Realign();
}

Integer TVxToolBar::AutoSizeOf(const TControl* Control) const {
  if (const auto* Button = dynamic_cast<const TVxSpeedButton*>(Control))
    return ClampToInteger(int64_t(FButtonWidth) + (Button->ShowChevron() ? Button->GetChevronWidth() : 0));
  if (dynamic_cast<const TVxSpeedDivider*>(Control)) return FDividerWidth;
  return -1;
}

void TVxToolBar::AlignControls(TControl* AControl, TRect& Rect) {
  (void)Rect;
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  const bool Horz = Horizontal();
  const TRect Client = GetClientRect();
  const auto Lined = [this](const TControl* C) { return C != FLeaving && C->Visible(); };
  const auto Lead = [Horz](const TControl* C) { return Horz ? C->Left() : C->Top(); };
  // The child that asked first (it wins a tie: dropped onto a place, it takes it), then each
  // other one before the first listed child further along.
  std::vector<TControl*> Order;
  if (AControl && AControl->Parent() == this && Lined(AControl)) Order.push_back(AControl);
  for (TControl* C : ControlList()) {
    if (C == AControl || !Lined(C)) continue;
    const auto At = std::find_if(Order.begin(), Order.end(), [&](const TControl* L) { return Lead(L) > Lead(C); });
    Order.insert(At, C);
  }
  const Integer Across = std::max<Integer>(Horz ? Client.Height() : Client.Width(), 0);
  int64_t Edge = Horz ? Client.Left : Client.Top;
  for (TControl* C : Order) {
    // A child's resize handler may have taken a sibling away.
    if (std::find(ControlList().begin(), ControlList().end(), C) == ControlList().end()) continue;
    const Integer Along = FButtonAutoSize ? AutoSizeOf(C) : -1;
    if (Horz) {
      C->SetBounds(ClampToInteger(Edge), Client.Top, Along >= 0 ? Along : C->Width(), Across);
      Edge += C->Width();
    } else {
      C->SetBounds(Client.Left, ClampToInteger(Edge), Across, Along >= 0 ? Along : C->Height());
      Edge += C->Height();
    }
  }
}

// [Painting]

void TVxToolBar::PaintClient() {
  HDC DC = Canvas()->Handle();
  const bool InBar = InControlBar();
  if (TvxTheme* Theme = CurrentTheme(); Theme && Themed()) {
    if (InBar)
      DrawParentImage(this, DC);
    else
      PaintThemed();
  } else if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Rebar"); Style) {
    if (InBar) {
      DrawParentImage(this, DC);
    } else {
      const Integer H = CachedHeight();
      Style.DrawBackground(DC, 0, 0, Rect(0, 0, Width(), Height()));
      PaintShadedFrame();
      Style.DrawBackground(DC, 1, 1, Rect(2, 2, 8, H - 2));
    }
  } else {
    FillRectColor(DC, Rect(0, 0, CachedWidth(), CachedHeight()), Color());
    if (!InBar) PaintClassic();
  }
  // In a control bar the buttons go into the same picture; a child asking for its background
  // must not get its siblings (or itself) in it.
  if (InBar && !ComponentState().Contains(TComponentStateFlag::csDesigning) && !FPaintingForChild)
    PaintControls(DC, nullptr);
}

void TVxToolBar::PaintThemed() {
  TvxTheme* Theme = CurrentTheme();
  TCanvas& C = *Canvas();
  const TRect R(0, 0, CachedWidth(), CachedHeight());
  Theme->DrawControlBar(0, C, ThemeObject(), R);
  Theme->DrawToolBar(1, C, ThemeObject(), R);
  Theme->DrawToolBarItem(1, C, ThemeObject(), TvxToolItemInfo{Rect(2, 4, 8, R.Bottom - 4), ToolItemGrabber, 0});
}

void TVxToolBar::PaintClassic() {
  const Integer H = CachedHeight();
  for (TRect Line : {Rect(2, 3, 4, H - 4), Rect(5, 3, 7, H - 4)})
    Frame3D(*Canvas(), Line, clBtnHighlight, clBtnShadow, 1);
  PaintShadedFrame();
}

void TVxToolBar::PaintShadedFrame() {
  DrawBevel(Canvas()->Handle(), Rect(0, 0, CachedWidth(), CachedHeight()), Shaded(Color(), FrameShade),
            Shaded(Color(), -FrameShade));
}

void TVxToolBar::PaintForChild(TCanvas& Canvas, TControl* Child) {
  const bool Designing = Child && Child->ComponentState().Contains(TComponentStateFlag::csDesigning);
  TFlagScope ForChild(FPaintingForChild, !Designing);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas.Handle()), 1);
}

// [Messages]

void TVxToolBar::ThemeChanged(uintptr_t Code) {
  TVxControl::ThemeChanged(Code);
  // The client rectangle is the theme's.
  if (Code == TMC_THEMECHANGED || Code == TMC_THEMESET || Code == TMC_THEMEREMOVED) Realign();
}

void TVxToolBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_CONTROLCHANGE) {
    auto* Control = reinterpret_cast<TControl*>(Message.WParam);
    TVxControl::Dispatch(Message);
    if (Message.LParam != 0) return AlignControl(Control);
    // Announced while the child is still listed: the others close up without it.
    TControl* const Saved = FLeaving;
    FLeaving = Control;
    Realign();
    FLeaving = Saved;
    return;
  }
  TVxControl::Dispatch(Message);
}
