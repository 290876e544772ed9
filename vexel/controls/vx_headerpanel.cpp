#include "vexel/controls/vx_headerpanel.h"

#include <windows.h>

#include <algorithm>

#include "framework/ui/application.h"
#include "vexel/controls/vx_button_art.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* PanelButtonKindValueNames[] = {"kpbkClose", "kpbkRollUp"};
// Pause between two steps of an animated roll, in milliseconds.
constexpr DWORD RollStepPause = 3;

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

TRect Shrink(const TRect& R, Integer DX, Integer DY) {
  return Rect(R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY);
}

}  // namespace

const TEnumInfo& PanelButtonKindNames() {
  static const TEnumInfo Info{PanelButtonKindValueNames};
  return Info;
}

const TClassInfo& TVxHeaderPanel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TVxHeaderPanel::ShowCaption, &TVxHeaderPanel::SetShowCaption>("ShowCaption", 1),
      BooleanProperty<&TVxHeaderPanel::ShowButton, &TVxHeaderPanel::SetShowButton>("ShowButton", 1),
      EnumProperty<&TVxHeaderPanel::ButtonKind, &TVxHeaderPanel::SetButtonKind>(
          "ButtonKind", PanelButtonKindNames(), int64_t(TVxPanelButtonKind::kpbkRollUp)),
      BooleanProperty<&TVxHeaderPanel::Rolled, &TVxHeaderPanel::SetRolled>("Rolled", 0),
      BooleanProperty<&TVxHeaderPanel::AnimateRoll, &TVxHeaderPanel::SetAnimateRoll>("AnimateRoll", 0),
      BooleanProperty<&TVxHeaderPanel::ParentRoll, &TVxHeaderPanel::SetParentRoll>("ParentRoll", 0),
      BooleanProperty<&TVxHeaderPanel::ShowBevel, &TVxHeaderPanel::SetShowBevel>("ShowBevel", 1),
      IntegerProperty<&TVxHeaderPanel::BevelWidth, &TVxHeaderPanel::SetBevelWidth>("BevelWidth", 1),
      IntegerProperty<&TVxHeaderPanel::BorderWidth, &TVxHeaderPanel::SetBorderWidth>("BorderWidth", 3),
      StringProperty<&TVxHeaderPanel::CaptionHint, &TVxHeaderPanel::SetCaptionHint>("CaptionHint"),
      StringProperty<&TVxHeaderPanel::ButtonHint, &TVxHeaderPanel::SetButtonHint>("ButtonHint"),
      IntegerProperty<&TVxHeaderPanel::CaptionCursor, &TVxHeaderPanel::SetCaptionCursor>("CaptionCursor", crDefault),
      IntegerProperty<&TVxHeaderPanel::ButtonCursor, &TVxHeaderPanel::SetButtonCursor>("ButtonCursor", crDefault),
      StringProperty<&TVxHeaderPanel::ThemeObject, &TVxHeaderPanel::SetThemeObject>("ThemeObject"),
  };
  static const TDefinedProperty Defined[] = {
      DefinedBinaryProperty<&TVxHeaderPanel::ReadNormalHeight, &TVxHeaderPanel::WriteNormalHeight>("NormalHeight"),
  };
  static const TClassInfo Info{"TVxHeaderPanel", &TVxControl::StaticClassInfo(), Properties, Defined,
                               &CreateComponent<TVxHeaderPanel>};
  return Info;
}

TVxHeaderPanel::TVxHeaderPanel(TComponent* Owner) : TVxControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  // A press on the button is followed out of the panel, so that its release there is seen.
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 90, 100);
  FNormalHeight = Height();
  RegisterThemeClient(this);
}

TVxHeaderPanel::~TVxHeaderPanel() { UnregisterThemeClient(this); }

bool TVxHeaderPanel::Themed() const { return IsHeaderPanelThemed(1, ThemeObject(), nullptr); }

// [Properties]

void TVxHeaderPanel::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  Realign();
  Invalidate();
}

void TVxHeaderPanel::SetShowButton(bool Value) {
  if (Value == FShowButton) return;
  FShowButton = Value;
  Invalidate();
}

void TVxHeaderPanel::SetButtonKind(TVxPanelButtonKind Value) {
  if (Value == FButtonKind) return;
  FButtonKind = Value;
  Invalidate();
}

void TVxHeaderPanel::SetShowBevel(bool Value) {
  if (Value == FShowBevel) return;
  FShowBevel = Value;
  Invalidate();
  Realign();
}

void TVxHeaderPanel::SetBevelWidth(Integer Value) {
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  Invalidate();
  Realign();
}

void TVxHeaderPanel::SetBorderWidth(Integer Value) {
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Invalidate();
  Realign();
}

void TVxHeaderPanel::ReadNormalHeight(TStream& Data) {
  int32_t Value = 0;
  // A short or negative record leaves the panel's own height to roll down to.
  if (Data.Read(&Value, sizeof Value) == sizeof Value && Value >= 0) FNormalHeight = Value;
}

void TVxHeaderPanel::WriteNormalHeight(TStream& Data) const {
  const int32_t Value = FRolled ? FNormalHeight : Height();
  Data.Write(&Value, sizeof Value);
}

// [Layout]

void TVxHeaderPanel::GetCaptionRect(TRect& R) {
  R = Rect(0, 0, CachedWidth(), CachedHeight());
  // The bevel is drawn wherever the explorer bar's style is not: also when visual styles are
  // active without that class.
  if (FShowBevel && !TVisualStyle(HandleAllocated() ? Handle() : nullptr, L"ExplorerBar"))
    R = Shrink(R, FBevelWidth, FBevelWidth);
  R.Bottom = R.Top + FCaptionHeight;
}

TRect TVxHeaderPanel::ButtonRect() {
  if (!FShowCaption || !FShowButton) return {};
  TRect R;
  GetCaptionRect(R);
  R.Left = R.Right - FCaptionHeight;
  return Shrink(R, 2, 2);
}

TRect TVxHeaderPanel::ClientRect() {
  TRect R = Shrink(Rect(0, 0, CachedWidth(), CachedHeight()), FBorderWidth, FBorderWidth);
  if (FShowBevel) R = Shrink(R, FBevelWidth, FBevelWidth);
  if (FShowCaption) R.Top += FCaptionHeight;
  return R;
}

std::string TVxHeaderPanel::HintAt(const TPoint& P) {
  TRect Caption;
  GetCaptionRect(Caption);
  if (!FShowCaption || !Caption.Contains(P.X, P.Y)) return Hint();
  return FShowButton && FButtonHot ? FButtonHint : FCaptionHint;
}

TCursor TVxHeaderPanel::CursorAt(const TPoint& P) {
  TRect Caption;
  GetCaptionRect(Caption);
  if (!FShowCaption || !Caption.Contains(P.X, P.Y)) return Cursor();
  return ButtonRect().Contains(P.X, P.Y) ? FButtonCursor : FCaptionCursor;
}

void TVxHeaderPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (FRolled) AHeight = Height();
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// [Painting]

Byte TVxHeaderPanel::ButtonState() const {
  if (!Enabled()) return 3;
  if (FButtonPressed) return 2;
  if (FButtonHot) return 1;
  return 0;
}

void TVxHeaderPanel::PaintClient() {
  TCanvas& C = *Canvas();
  TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr;
  if (Theme && Theme->IsHeaderPanelTransparent(1, ThemeObject())) DrawParentImage(this, C.Handle());
  if (!FShowCaption) return PaintBody();
  TRect Caption;
  GetCaptionRect(Caption);
  const int Saved = C.SaveState();
  ExcludeClipRect(C.Handle(), Caption.Left, Caption.Top, Caption.Right, Caption.Bottom);
  PaintBody();
  C.RestoreState(Saved);
  PaintCaption();
}

void TVxHeaderPanel::PaintBody() {
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  const Integer W = CachedWidth(), H = CachedHeight();
  if (TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr) {
    Theme->DrawHeaderPanel(1, C, ThemeObject(), Rect(0, 0, W, H));
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"ExplorerBar"); Style) {
    Style.DrawBackground(DC, 5, 0, Rect(0, FShowCaption ? FCaptionHeight : 0, W, H));
    return;
  }
  FillRectColor(DC, Rect(0, 0, W, H), Color());
  if (!FShowBevel) return;
  DrawBevel(DC, Rect(0, 0, W, H), clBtnShadow, clBtnHighlight);
  DrawBevel(DC, Rect(1, 1, W - 1, H - 1), clBtnHighlight, clBtnShadow);
}

void TVxHeaderPanel::PaintCaption() {
  if (!FShowCaption) return;
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  TRect R;
  GetCaptionRect(R);
  const std::wstring Text = Wide(Caption());
  const Byte Part = FButtonKind == TVxPanelButtonKind::kpbkClose ? 3 : FRolled ? 2 : 1;
  if (TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr) {
    Theme->DrawHeaderPanelCaption(1, C, ThemeObject(), R);
    C.Font().Assign(Font());
    Theme->GetFont(C.Font(), vxfPanelTextNormal, ThemeObject());
    C.RequireObjects();
    TvxTextInfo Info;
    Info.Rect = Shrink(R, 5, 0);
    Info.Text = Text;
    Info.Alignment = 1;
    Info.Flags = vxtfSingleLine;
    Theme->DrawHeaderPanelText(1, C, "default", Info);
    if (FShowButton) {
      TvxStateInfo Button;
      Button.Rect = ButtonRect();
      Button.State = Part;
      Button.Part = ButtonState();
      Theme->DrawHeaderPanelButton(1, C, ThemeObject(), Button);
    }
    return;
  }
  C.Font().Assign(Font());
  C.RequireObjects();
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"ExplorerBar"); Style) {
    Style.DrawBackground(DC, 8, 1, R);
    const TRect T = Shrink(R, 5, 0);
    RECT Area{T.Left, T.Top, T.Right, T.Bottom};
    ThemeFunctions().DrawThemeText(Style.Handle(), DC, 8, 1, Text.c_str(), -1, DT_LEFT | DT_VCENTER | DT_SINGLELINE, 0,
                                   &Area);
    if (FShowButton) {
      const int StylePart = FButtonKind == TVxPanelButtonKind::kpbkClose ? 2 : FRolled ? 7 : 6;
      const int StyleState = FButtonPressed ? 3 : FButtonHot ? 2 : 1;
      Style.DrawBackground(DC, StylePart, StyleState, ButtonRect());
    }
    return;
  }
  FillRectColor(DC, R, clBtnFace);
  DrawBevel(DC, R, clBtnHighlight, clBtnShadow);
  DrawCaptionText(DC, Text, Shrink(R, 5, 0), DT_LEFT | DT_VCENTER | DT_SINGLELINE, false, Font()->Color());
  if (!FShowButton) return;
  TRect B = ButtonRect();
  RECT Area{B.Left, B.Top, B.Right, B.Bottom};
  const UINT Pushed = FButtonPressed ? DFCS_PUSHED : 0;
  if (FButtonKind == TVxPanelButtonKind::kpbkClose)
    DrawFrameControl(DC, &Area, DFC_CAPTION, DFCS_CAPTIONCLOSE | Pushed);
  else
    DrawFrameControl(DC, &Area, DFC_SCROLL, (FRolled ? DFCS_SCROLLDOWN : DFCS_SCROLLUP) | Pushed);
  // The platform's raised edge flattened: a thin frame that shows the state.
  if (FButtonPressed || FButtonHot) {
    DrawBevel(DC, B, FButtonPressed ? clBtnShadow : clBtnHighlight, FButtonPressed ? clBtnHighlight : clBtnShadow);
    FrameRectColor(DC, Shrink(B, 1, 1), clBtnFace);
  } else {
    FrameRectColor(DC, B, clBtnFace);
    FrameRectColor(DC, Shrink(B, 1, 1), clBtnFace);
  }
}

void TVxHeaderPanel::InvalidateButton() {
  if (!HandleAllocated()) return;
  const TRect B = ButtonRect();
  RECT Area{B.Left, B.Top, B.Right, B.Bottom};
  InvalidateRect(Handle(), &Area, FALSE);
}

// [Mouse]

void TVxHeaderPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !ButtonRect().Contains(X, Y)) return;
  FTracking = true;
  FButtonHot = true;
  FButtonPressed = true;
  InvalidateButton();
}

void TVxHeaderPanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  const bool Over = ButtonRect().Contains(X, Y);
  const bool Pressed = FTracking && Shift.Contains(TShiftStateFlag::ssLeft) && Over;
  const std::string Hint = HintAt({X, Y});
  if (Hint != FShownHint) {
    FShownHint = Hint;
    Application->HintPartChanged(this);
  }
  if (Over == FButtonHot && Pressed == FButtonPressed) return;
  FButtonHot = Over;
  FButtonPressed = Pressed;
  InvalidateButton();
}

void TVxHeaderPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FTracking) return;
  FTracking = false;
  FButtonPressed = false;
  InvalidateButton();
  if (ButtonRect().Contains(X, Y) && Enabled()) ButtonAction();
}

void TVxHeaderPanel::MouseLeave() {
  TVxControl::MouseLeave();
  if (!FButtonHot) return;
  FButtonHot = false;
  InvalidateButton();
}

void TVxHeaderPanel::ButtonAction() {
  // A click that arrives between the steps of a roll is dropped whole.
  if (FAnimating) return;
  TControlWatch Watch(this);
  if (FButtonKind == TVxPanelButtonKind::kpbkClose) {
    if (OnHide) OnHide(this);
    if (Watch.Freed()) return;
    Hide();
  } else {
    SetRolled(!FRolled);
    if (Watch.Freed()) return;
  }
  if (OnButtonClick) OnButtonClick(this);
}

// [Rolling]

void TVxHeaderPanel::SetRolled(bool Value) {
  if (Value == FRolled || FAnimating) return;
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) {
    // The stored height is the rolled one already; the normal height follows it in the stream.
    FRolled = Value;
    return;
  }
  if (Value)
    RollUp();
  else
    RollDown();
}

void TVxHeaderPanel::RollTo(Integer H) {
  const Integer Before = Height();
  TVxControl::SetBounds(Left(), Top(), Width(), H);
  if (FParentRoll && Parent()) Parent()->SetHeight(Parent()->Height() + Height() - Before);
}

bool TVxHeaderPanel::Animate(Integer Target) {
  TControlWatch Watch(this);
  FAnimating = true;
  const Integer Step = Target < Height() ? -1 : 1;
  for (Integer H = Height(); H != Target; H += Step) {
    if (H % 4 != 0) continue;
    RollTo(H);
    // Other events, a second click among them, are handled between the steps.
    Application->ProcessMessages();
    if (Watch.Freed()) return false;
    Sleep(RollStepPause);
  }
  FAnimating = false;
  return true;
}

void TVxHeaderPanel::RollUp() {
  TControlWatch Watch(this);
  if (OnBeforeRoll) OnBeforeRoll(this);
  if (Watch.Freed()) return;
  FNormalHeight = Height();
  const Integer Target = FCaptionHeight + 2 * FBevelWidth;
  if (FAnimateRoll && !Animate(Target)) return;
  RollTo(Target);
  FRolled = true;
  Invalidate();
  if (OnRollup) OnRollup(this);
}

void TVxHeaderPanel::RollDown() {
  TControlWatch Watch(this);
  if (OnBeforeRoll) OnBeforeRoll(this);
  if (Watch.Freed()) return;
  FRolled = false;
  // Without a known normal height the panel keeps the one it has.
  const Integer Target = std::max(FNormalHeight, Height());
  if (FAnimateRoll && !Animate(Target)) return;
  RollTo(Target);
  if (OnRollup) OnRollup(this);
}

void TVxHeaderPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETCURSOR:
      if (HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == Handle() &&
          LOWORD(Message.LParam) == HTCLIENT) {
        POINT P;
        GetCursorPos(&P);
        ::ScreenToClient(Handle(), &P);
        TRect Caption;
        GetCaptionRect(Caption);
        if (FShowCaption && Caption.Contains(P.x, P.y)) {
          ShowCursorShape(CursorAt({P.x, P.y}));
          Message.Result = 1;
          return;
        }
      }
      break;
    case CM_TEXTCHANGED: Invalidate(); break;
    case CM_HINTSHOW: {
      auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
      Info->HintStr = GetShortHint(HintAt(Info->CursorPos));
      return;
    }
  }
  TVxControl::Dispatch(Message);
}
