#include "vexel/controls/vx_panels.h"

#include <windows.h>

#include <vector>

#include "framework/graphics/gdi_handles.h"
#include "vexel/controls/vx_button_art.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

// [SECTION] shared helpers
// [SECTION] group box
// [SECTION] panel
// [SECTION] label

namespace {

constexpr const char* TextLayoutValueNames[] = {"tlTop", "tlCenter", "tlBottom"};

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

// Text in Font on the screen's context: its one-line width (accelerators hidden) and the font's
// line height.
TSize MeasureLine(const TFont& Font, const std::wstring& Text) {
  TWindowDC Screen(nullptr);
  TSelectGuard Select(Screen.Get(), Font.Handle());
  return {Text.empty() ? 0 : TextWidthWide(Screen.Get(), Text, DT_SINGLELINE), TextHeightWide(Screen.Get(), L"W")};
}

// A one-pixel rectangle outline with the top line left open between GapLeft and GapRight.
void GapFrame(HDC DC, const TRect& R, Integer GapLeft, Integer GapRight, TColor Color) {
  FillRectXY(DC, R.Left, R.Top, R.Left + 1, R.Bottom, Color);
  FillRectXY(DC, R.Right - 1, R.Top, R.Right, R.Bottom, Color);
  FillRectXY(DC, R.Left, R.Bottom - 1, R.Right, R.Bottom, Color);
  if (GapRight <= GapLeft) return FillRectXY(DC, R.Left, R.Top, R.Right, R.Top + 1, Color);
  if (GapLeft > R.Left) FillRectXY(DC, R.Left, R.Top, GapLeft, R.Top + 1, Color);
  if (GapRight < R.Right) FillRectXY(DC, GapRight, R.Top, R.Right, R.Top + 1, Color);
}

UINT AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

bool Loading(const TComponent& C) { return C.ComponentState().Contains(TComponentStateFlag::csLoading); }
bool Designing(const TComponent& C) { return C.ComponentState().Contains(TComponentStateFlag::csDesigning); }

// Theme change codes on which a layout taken from the theme is computed again.
bool ThemeChangeRelayouts(uintptr_t Code) { return Code == 0 || Code == 3 || Code == 4; }

}  // namespace

const TEnumInfo& TextLayoutNames() {
  static const TEnumInfo Info{TextLayoutValueNames};
  return Info;
}

// [SECTION] group box ----------------------------------------------------------------------------

const TClassInfo& TVxGroupBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TVxGroupBox::CaptionMargin, &TVxGroupBox::SetCaptionMargin>("CaptionMargin", 12),
      BooleanProperty<&TVxGroupBox::UseCheckBox, &TVxGroupBox::SetUseCheckBox>("UseCheckBox", 0),
      BooleanProperty<&TVxGroupBox::Checked, &TVxGroupBox::SetChecked>("Checked", 1),
      EnumProperty<&TVxGroupBox::CheckBoxAlignment, &TVxGroupBox::SetCheckBoxAlignment>(
          "CheckBoxAlignment", LeftRightNames(), int64_t(TVxLeftRight::kalLeftJustify)),
      BooleanProperty<&TVxGroupBox::Transparent, &TVxGroupBox::SetTransparent>("Transparent", 0),
      StringProperty<&TVxGroupBox::ThemeObject, &TVxGroupBox::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxGroupBox", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxGroupBox>};
  return Info;
}

TVxGroupBox::TVxGroupBox(TComponent* Owner) : TVxControl(Owner) {
  for (TControlStyleFlag F :
       {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csClickEvents,
        TControlStyleFlag::csSetCaption, TControlStyleFlag::csOpaque, TControlStyleFlag::csDoubleClicks})
    IncludeStyle(F);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 90, 100);
  RegisterThemeClient(this);
}

TVxGroupBox::~TVxGroupBox() { UnregisterThemeClient(this); }

bool TVxGroupBox::Themed() const { return IsGroupBoxThemed(0, ThemeObject(), nullptr); }

void TVxGroupBox::SelectCaptionFont(TFont& Into, bool Disabled) const {
  Into.Assign(Font());
  if (!Themed()) return;
  if (TvxTheme* Theme = CurrentTheme())
    Theme->GetFont(Into, Disabled ? vxfGroupBoxTextDisabled : vxfGroupBoxTextNormal, ThemeObject());
}

TSize TVxGroupBox::CaptionExtent() {
  TFont Measure;
  SelectCaptionFont(Measure, false);
  return MeasureLine(Measure, Wide(Caption()));
}

// The mark, its spacing and the caption, with a little room so the caption never clips.
Integer TVxGroupBox::CheckBoxWidth() {
  const Integer Spacing = FCheckBox ? FCheckBox->Spacing() : 5;
  return 13 + Spacing + CaptionExtent().cx + 4;
}

TRect TVxGroupBox::CaptionRect() {
  const TSize Text = CaptionExtent();
  if (FCheckBox) return Rect(FCaptionMargin, 0, FCaptionMargin + CheckBoxWidth(), Text.cy + 6);
  return Rect(FCaptionMargin, 0, FCaptionMargin + Text.cx, Text.cy);
}

void TVxGroupBox::GetFrameRect(TRect& R) {
  const Integer H = FCheckBox ? FCheckBox->Height() : CaptionExtent().cy;
  R = Rect(3, H / 2 + 1, CachedWidth() - 2, CachedHeight() - 2);
}

TRect TVxGroupBox::ClientRect() {
  const Integer Top = FCheckBox ? FCheckBox->Height() : CaptionExtent().cy;
  return Rect(12, Top, CachedWidth() - 12, CachedHeight() - 8);
}

void TVxGroupBox::SetCaptionMargin(Integer Value) {
  if (Value == FCaptionMargin) return;
  FCaptionMargin = Value;
  PlaceCheckBox();
  Invalidate();
}

void TVxGroupBox::SetUseCheckBox(bool Value) {
  if (Value == FUseCheckBox) return;
  FUseCheckBox = Value;
  if (Loading(*this)) return;
  ApplyCheckBox();
  Realign();
  Invalidate();
}

void TVxGroupBox::SetChecked(bool Value) {
  FChecked = Value;
  if (FCheckBox) {
    FSettingChecked = true;
    FCheckBox->SetChecked(Value);
    FSettingChecked = false;
    SetEnabled(Value);
  }
  Invalidate();
}

void TVxGroupBox::SetCheckBoxAlignment(TVxLeftRight Value) {
  FCheckBoxAlignment = Value;
  if (FCheckBox) FCheckBox->SetAlignment(Value);
}

void TVxGroupBox::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

TVxCheckBox* TVxGroupBox::CreateCheckBox() { return new TVxCheckBox(this); }

void TVxGroupBox::ApplyCheckBox() {
  if (FUseCheckBox && !FCheckBox) {
    FCheckBox = CreateCheckBox();
    FCheckBox->SetTransparent(true);
    FCheckBox->SetAlignment(FCheckBoxAlignment);
    FCheckBox->SetChecked(FChecked);
    FCheckBox->SetCaption(Caption());
    FCheckBox->SetParent(this);
    // Hooked last: setting it up is no click.
    FCheckBox->OnClick = [this](TObject*) { CheckBoxClick(); };
    PlaceCheckBox();
    SetEnabled(FOwnEnabled);
  } else if (!FUseCheckBox && FCheckBox) {
    TVxCheckBox* Box = FCheckBox;
    FCheckBox = nullptr;
    delete Box;
    SetEnabled(FOwnEnabled);
  }
}

void TVxGroupBox::PlaceCheckBox() {
  if (!FCheckBox) return;
  FCheckBox->SetBoundsRect(CaptionRect());
}

void TVxGroupBox::CheckBoxClick() {
  // Checked set from code moves the box too; that is no click of the user's.
  if (FSettingChecked || !FCheckBox) return;
  TControlWatch Watch(this);
  Click();
  if (Watch.Freed() || !FCheckBox) return;
  SetChecked(FCheckBox->Checked());
  if (OnCheckBoxClick) OnCheckBoxClick(this);
}

void TVxGroupBox::SetEnabled(bool Value) {
  FOwnEnabled = FUseCheckBox ? true : Value;
  if (Enabled() != FOwnEnabled)
    TVxControl::SetEnabled(FOwnEnabled);
  else
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TVxGroupBox::EnabledChanged() {
  const std::vector<TControl*> Children = ControlList();
  for (TControl* Child : Children) {
    if (FCheckBox) {
      if (Child != FCheckBox) Child->SetEnabled(FChecked);
    } else {
      Child->SetEnabled(Enabled());
    }
  }
  Invalidate();
}

void TVxGroupBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceCheckBox();
}

void TVxGroupBox::Loaded() {
  TVxControl::Loaded();
  ApplyCheckBox();
  Realign();
}

void TVxGroupBox::ThemeChanged(uintptr_t Code) {
  if (ThemeChangeRelayouts(Code)) {
    PlaceCheckBox();
    Realign();
  }
  TVxControl::ThemeChanged(Code);
}

void TVxGroupBox::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FCheckBox) FCheckBox = nullptr;
}

void TVxGroupBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      TVxControl::Dispatch(Message);
      if (!Designing(*this)) EnabledChanged();
      return;
    case CM_DIALOGCHAR:
      if (IsAccelerator(Caption(), Message.WParam) && CanFocus()) {
        if (TWinControl* First = FindNextControl(nullptr, TTabDirection::Forward, true, false)) {
          First->SetFocus();
          Message.Result = 1;
          return;
        }
      }
      break;
    case CM_CONTROLCHANGE: {
      // A child put on an unchecked box later is disabled like those already there.
      auto* Child = reinterpret_cast<TControl*>(Message.WParam);
      if (Message.LParam && FCheckBox && Child && Child != FCheckBox && !Loading(*this)) Child->SetEnabled(FChecked);
      break;
    }
    case CM_TEXTCHANGED:
      if (FCheckBox) FCheckBox->SetCaption(Caption());
      PlaceCheckBox();
      Invalidate();
      break;
    case CM_FONTCHANGED:
      PlaceCheckBox();
      Invalidate();
      break;
  }
  TVxControl::Dispatch(Message);
}

void TVxGroupBox::PaintClient() {
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  const TRect Whole(0, 0, CachedWidth(), CachedHeight());
  const bool Disabled = !Enabled();
  TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr;
  // A theme whose frame is opaque still leaves the caption row unpainted: it gets Color.
  const bool ShowParent = Theme ? Theme->IsGroupBoxTransparent(0, ThemeObject()) : FTransparent;
  if (ShowParent)
    DrawParentImage(this, DC);
  else
    FillRectColor(DC, Whole, Color());

  TRect Frame;
  GetFrameRect(Frame);
  const TRect Cap = CaptionRect();
  SelectCaptionFont(C.Font(), Disabled);
  C.RequireObjects();
  const std::wstring Text = Wide(Caption());
  if (Theme) {
    TvxGroupBoxInfo Info;
    Info.Rect = Frame;
    Info.CaptionRect = Cap;
    Info.State = Disabled ? 1 : 0;
    Theme->DrawGroupBox(0, C, "default", Info);
    if (!FCheckBox) {
      TvxTextInfo TextInfo;
      TextInfo.Rect = Cap;
      TextInfo.Text = Text;
      TextInfo.Alignment = 4;
      TextInfo.Flags = vxtfSingleLine;
      Theme->DrawGroupBoxText(0, C, "default", TextInfo, Info.State);
    }
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Button"); Style) {
    const int Saved = SaveDC(DC);
    ExcludeClipRect(DC, Cap.Left, Cap.Top, Cap.Right, Cap.Bottom);
    Style.DrawBackground(DC, 4, 1, Frame);
    RestoreDC(DC, Saved);
    if (!FCheckBox && !Text.empty()) {
      RECT Area{Cap.Left, Cap.Top, Cap.Right, Cap.Bottom};
      ThemeFunctions().DrawThemeText(Style.Handle(), DC, 4, 1, Text.c_str(), -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                     0, &Area);
    }
    return;
  }
  GapFrame(DC, Frame, Cap.Left, Cap.Right, clBtnHighlight);
  GapFrame(DC, Rect(Frame.Left - 1, Frame.Top - 1, Frame.Right - 1, Frame.Bottom - 1), Cap.Left, Cap.Right,
           clBtnShadow);
  if (!FCheckBox) DrawCaptionText(DC, Text, Cap, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Disabled, C.Font().Color());
}

// [SECTION] panel --------------------------------------------------------------------------------

const TClassInfo& TVxPanel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TVxPanel::ThemeObject, &TVxPanel::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{"TVxPanel", &TPanel::StaticClassInfo(), Properties, {}, &CreateComponent<TVxPanel>};
  return Info;
}

TVxPanel::TVxPanel(TComponent* Owner) : TPanel(Owner) {
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 90, 100);
  RegisterThemeClient(this);
}

TVxPanel::~TVxPanel() { UnregisterThemeClient(this); }

bool TVxPanel::Themed() const { return IsPanelThemed(0, FThemeObject, nullptr); }

void TVxPanel::AdjustClientRect(TRect& R) {
  TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr;
  if (!Theme) return TPanel::AdjustClientRect(R);
  Theme->GetPanelClientRect(0, Rect(0, 0, Width(), Height()), R, FThemeObject);
}

void TVxPanel::Paint() {
  TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr;
  if (!Theme) return TPanel::Paint();
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  const Integer W = Width(), H = Height();
  if (Theme->IsPanelTransparent(0, FThemeObject)) DrawParentImage(this, DC);
  Theme->DrawPanel(0, C, FThemeObject, Rect(0, 0, W, H));
  C.Font().Assign(Font());
  Theme->GetFont(C.Font(), Enabled() ? vxfPanelTextNormal : vxfPanelTextDisabled, FThemeObject);
  C.RequireObjects();
  const Integer LineHeight = TextHeightWide(DC, L"W");
  const Integer Top = (H - LineHeight) / 2;
  TvxTextInfo Text;
  MakeTextInfo(Rect(0, Top, W, Top + LineHeight), Wide(Caption()),
               AlignmentFlag(Alignment()) | DT_VCENTER | DT_EXPANDTABS, Text);
  TvxStateInfo State;
  State.Rect = Rect(0, 0, W, H);
  AdjustClientRect(State.Rect);
  Theme->DrawPanelText(0, C, FThemeObject, Text, State);
}

void TVxPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == TM_THEMECHANGE) {
    if (ThemeChangeRepaints(Message.WParam)) {
      // The theme's client area may differ from the framework's.
      Realign();
      Invalidate();
    }
    return;
  }
  TPanel::Dispatch(Message);
}

// [SECTION] label --------------------------------------------------------------------------------

const TClassInfo& TVxLabel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxLabel::Alignment, &TVxLabel::SetAlignment>("Alignment", AlignmentNames(),
                                                                  int64_t(TAlignment::taLeftJustify)),
      BooleanProperty<&TVxLabel::AutoSize, &TVxLabel::SetAutoSize>("AutoSize", 1),
      EnumProperty<&TVxLabel::Layout, &TVxLabel::SetLayout>("Layout", TextLayoutNames(), int64_t(TTextLayout::tlTop)),
      BooleanProperty<&TVxLabel::WordWrap, &TVxLabel::SetWordWrap>("WordWrap", 0),
      BooleanProperty<&TVxLabel::ShowAccelChar, &TVxLabel::SetShowAccelChar>("ShowAccelChar", 1),
      BooleanProperty<&TVxLabel::Transparent, &TVxLabel::SetTransparent>("Transparent", 1),
      ComponentProperty<&TVxLabel::FocusControl, &TVxLabel::SetFocusControl>("FocusControl"),
      StringProperty<&TVxLabel::ThemeObject, &TVxLabel::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxLabel", &TVxGraphicControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxLabel>};
  return Info;
}

TVxLabel::TVxLabel(TComponent* Owner) : TVxGraphicControl(Owner) {
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetBounds(Left(), Top(), 65, 17);
  RegisterThemeClient(this);
}

TVxLabel::~TVxLabel() {
  UnregisterThemeClient(this);
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
}

bool TVxLabel::Themed() const { return IsLabelThemed(0, ThemeObject(), nullptr); }

void TVxLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TVxLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  if (Value) AdjustBounds();
}

void TVxLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TVxLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TVxLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TVxLabel::SetTransparent(bool Value) {
  FTransparent = Value;
  if (Value)
    ExcludeStyle(TControlStyleFlag::csOpaque);
  else
    IncludeStyle(TControlStyleFlag::csOpaque);
  Invalidate();
}

void TVxLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TVxLabel::SetText(const std::string& Value) {
  TVxGraphicControl::SetText(Value);
  if (Parent() && Parent()->HandleAllocated()) Repaint();
}

void TVxLabel::Loaded() {
  TVxGraphicControl::Loaded();
  AdjustBounds();
}

std::wstring TVxLabel::GetLabelText() { return Wide(Caption()); }

void TVxLabel::SelectTextFont(TFont& Into) const {
  Into.Assign(Font());
  if (!Themed()) return;
  if (TvxTheme* Theme = CurrentTheme())
    Theme->GetFont(Into, Enabled() ? vxfStaticTextNormal : vxfStaticTextDisabled, ThemeObject());
}

UINT TVxLabel::DrawFlags() const {
  UINT Flags = DT_EXPANDTABS | AlignmentFlag(FAlignment);
  if (FWordWrap) Flags |= DT_WORDBREAK;
  if (FLayout == TTextLayout::tlCenter) Flags |= DT_VCENTER;
  if (FLayout == TTextLayout::tlBottom) Flags |= DT_BOTTOM;
  return Flags;
}

void TVxLabel::DoDrawText(TRect& R, UINT Flags) {
  if (!Parent()) return;
  std::wstring Text = GetLabelText();
  const bool Measuring = (Flags & DT_CALCRECT) != 0;
  // An empty caption, or one that would show nothing but an underline, still measures a line.
  if (Measuring && (Text.empty() || (FShowAccelChar && Text == L"&"))) Text += L' ';
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  TFont Font;
  SelectTextFont(Font);
  if (Measuring) {
    TWindowDC Screen(nullptr);
    TSelectGuard Select(Screen.Get(), Font.Handle());
    DrawTextWide(Screen.Get(), Text, R, Flags);
    return;
  }
  TCanvas& C = *Canvas();
  C.Font().Assign(&Font);
  C.RequireObjects();
  HDC DC = C.Handle();
  if (TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr) {
    TvxTextInfo Info;
    MakeTextInfo(R, Text, Flags, Info);
    Theme->DrawLabelText(0, C, ThemeObject(), Info);
    return;
  }
  // The platform centres and bottom-aligns single lines only: several lines are placed here.
  TRect Place = R;
  if (!(Flags & DT_SINGLELINE) && (Flags & (DT_VCENTER | DT_BOTTOM))) {
    TRect Measured = R;
    DrawTextWide(DC, Text, Measured, (Flags | DT_CALCRECT) & ~UINT(DT_VCENTER | DT_BOTTOM));
    const Integer Free = R.Height() - Measured.Height();
    Place.Top += (Flags & DT_VCENTER) ? Free / 2 : Free;
    Flags &= ~UINT(DT_VCENTER | DT_BOTTOM);
  }
  DrawCaptionText(DC, Text, Place, Flags, !Enabled(), Font.Color());
}

void TVxLabel::PaintClient() {
  HDC DC = Canvas()->Handle();
  const TRect Whole(0, 0, Width(), Height());
  TvxTheme* Theme = Themed() ? CurrentTheme() : nullptr;
  const bool ShowParent = Theme ? Theme->IsLabelTransparent(0, ThemeObject()) : FTransparent;
  if (ShowParent)
    DrawParentImage(this, DC);
  else
    FillRectColor(DC, Whole, Color());
  TRect R = Whole;
  DoDrawText(R, DrawFlags());
}

void TVxLabel::AdjustBounds() {
  if (Loading(*this) || !FAutoSize || !Parent()) return;
  TRect R(0, 0, Width(), Height());
  DoDrawText(R, DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0));
  Integer X = Left();
  if (FAlignment == TAlignment::taRightJustify) X += Width() - R.Right;
  SetBounds(X, Top(), R.Right, R.Bottom);
}

void TVxLabel::ThemeChanged(uintptr_t Code) {
  if (ThemeChangeRelayouts(Code)) AdjustBounds();
  TVxGraphicControl::ThemeChanged(Code);
}

void TVxLabel::Notification(TComponent* Component, TOperation Operation) {
  TVxGraphicControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FFocusControl) FFocusControl = nullptr;
}

void TVxLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR:
      if (FFocusControl && Enabled() && FShowAccelChar && IsAccelerator(Caption(), Message.WParam) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TVxGraphicControl::Dispatch(Message);
      AdjustBounds();
      Invalidate();
      return;
  }
  TVxGraphicControl::Dispatch(Message);
}
