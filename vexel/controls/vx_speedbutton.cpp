// [SECTION] Names and helpers
// [SECTION] TVxSpeedButtonActionLink
// [SECTION] TVxSpeedButton: properties, geometry, painting, input
// [SECTION] TVxSpeedDivider, TVxSpeedSpace, TVxSpeedContainer
#include "vexel/controls/vx_speedbutton.h"

#include <windows.h>

#include <algorithm>
#include <random>

#include "framework/graphics/imagelist.h"
#include "framework/ui/forms.h"
#include "framework/ui/menus.h"
#include "framework/ui/timer.h"
#include "vexel/controls/vx_button_art.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/controls/vx_spinbutton.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* ChevronPosValueNames[] = {"dmpBottom", "dmpRight"};

// Tool-item parts and states of DrawToolBarItem.
constexpr Byte PartButton = 0, PartDivider = 1, PartChevronButton = 3, PartChevron = 4;
constexpr Byte ItemNormal = 0, ItemHot = 1, ItemPressed = 2, ItemDisabled = 3, ItemLatched = 5, ItemLatchedHot = 6;
// Theme fonts of tool items: normal, pressed, hot; disabled.
constexpr Integer FontNormal = 10, FontPressed = 11, FontHot = 12, FontDisabled = 14;
// Visual-style parts and states.
constexpr int StyleToolButton = 1, StyleToolSeparator = 5, StyleSpinUp = 1, StyleSpinDown = 2;
constexpr int VsNormal = 1, VsHot = 2, VsPressed = 3, VsDisabled = 4, VsChecked = 5, VsHotChecked = 6;

constexpr Cardinal FirstRepeat = 400, NextRepeat = 100;

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

HWND ParentWindow(TControl* C) {
  TWinControl* P = C->Parent();
  return P && P->HandleAllocated() ? P->Handle() : nullptr;
}

bool IsDesigning(const TComponent* C) { return C->ComponentState().Contains(TComponentStateFlag::csDesigning); }

}  // namespace

const TEnumInfo& ChevronPosNames() {
  static const TEnumInfo Info{ChevronPosValueNames};
  return Info;
}

// [TVxSpeedButtonActionLink] ---------------------------------------------------------------------

// Besides what every control follows, a speed button follows the action's Checked as Down: a
// checked action latches its buttons in a group of their own, which a click can raise again.
class TVxSpeedButtonActionLink : public TControlActionLink {
 public:
  explicit TVxSpeedButtonActionLink(TVxSpeedButton* Client) : TControlActionLink(Client), FButton(Client) {}

  bool IsCheckedLinked() const override { return Action() && Action()->Checked() == FButton->Down(); }

  // The action tells only linked clients, before it takes the new value. A change that arrives
  // while the button is held makes that press's release only end it; at any other time (from
  // code, or from the button's own click inside the release) the next click stays whole.
  void SetChecked(bool Value) override {
    if (FAssigning) return FButton->SetDown(Value);
    if (FButton->FMouseDown) FButton->FSkipMouseUp = true;
    FButton->SetGroupIndex(RandomGroup());
    FButton->SetAllowAllUp(true);
    FButton->SetDown(Value);
  }

 protected:
  void AssignClient(const TAction& Action) override {
    FAssigning = true;
    TControlActionLink::AssignClient(Action);
    FAssigning = false;
  }

 private:
  // Group 0 is no group: a latched button needs one.
  static Integer RandomGroup() {
    static std::mt19937 Generator{std::random_device{}()};
    return std::uniform_int_distribution<Integer>(1, 2147483646)(Generator);
  }

  TVxSpeedButton* FButton;
  bool FAssigning = false;
};

// [TVxSpeedButton] -------------------------------------------------------------------------------

namespace {

TVxSpeedButton* AsButton(const TPersistent* O) {
  return const_cast<TVxSpeedButton*>(static_cast<const TVxSpeedButton*>(O));
}

// Down is the action's while the action follows it.
bool DownStored(const TPersistent* O) {
  const TVxSpeedButton* B = AsButton(O);
  return !(B->Action() && B->Action()->Checked() == B->Down());
}

}  // namespace

std::unique_ptr<TActionLink> TVxSpeedButton::CreateActionLink() {
  return std::make_unique<TVxSpeedButtonActionLink>(this);
}

const TClassInfo& TVxSpeedButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TVxSpeedButton::ShowChevron, &TVxSpeedButton::SetShowChevron>("ShowChevron", 0),
      BooleanProperty<&TVxSpeedButton::Flat, &TVxSpeedButton::SetFlat>("Flat"),
      IntegerProperty<&TVxSpeedButton::GroupIndex, &TVxSpeedButton::SetGroupIndex>("GroupIndex", 0),
      StoredWhen(BooleanProperty<&TVxSpeedButton::Down, &TVxSpeedButton::SetDown>("Down", 0), &DownStored),
      BooleanProperty<&TVxSpeedButton::AllowAllUp, &TVxSpeedButton::SetAllowAllUp>("AllowAllUp", 0),
      EnumProperty<&TVxSpeedButton::MenuPosition, &TVxSpeedButton::SetMenuPosition>("MenuPosition", ChevronPosNames(),
                                                                                    int64_t(TVxChevronPos::dmpBottom)),
      ComponentProperty<&TVxSpeedButton::ChevronMenu, &TVxSpeedButton::SetChevronMenu>("ChevronMenu"),
      ClassProperty<&TVxSpeedButton::Glyph>("Glyph"),
      EnumProperty<&TVxSpeedButton::Layout, &TVxSpeedButton::SetLayout>("Layout", ButtonLayoutNames(),
                                                                        int64_t(TButtonLayout::blGlyphLeft)),
      IntegerProperty<&TVxSpeedButton::Margin, &TVxSpeedButton::SetMargin>("Margin", -1),
      IntegerProperty<&TVxSpeedButton::Spacing, &TVxSpeedButton::SetSpacing>("Spacing", 4),
      BooleanProperty<&TVxSpeedButton::ShowCaption, &TVxSpeedButton::SetShowCaption>("ShowCaption", 1),
      BooleanProperty<&TVxSpeedButton::ShowGlyph, &TVxSpeedButton::SetShowGlyph>("ShowGlyph", 1),
      IntegerProperty<&TVxSpeedButton::NumGlyphs, &TVxSpeedButton::SetNumGlyphs>("NumGlyphs", 1),
      BooleanProperty<&TVxSpeedButton::BlackAndWhiteGlyph, &TVxSpeedButton::SetBlackAndWhiteGlyph>("BlackAndWhiteGlyph",
                                                                                                   0),
      BooleanProperty<&TVxSpeedButton::AllowTimer, &TVxSpeedButton::SetAllowTimer>("AllowTimer", 0),
      StringProperty<&TVxSpeedButton::ThemeObject, &TVxSpeedButton::SetThemeObject>("ThemeObject"),
      BooleanProperty<&TVxSpeedButton::Transparent, &TVxSpeedButton::SetTransparent>("Transparent", 0),
      ComponentProperty<&TVxSpeedButton::Images, &TVxSpeedButton::SetImages>("Images"),
      IntegerProperty<&TVxSpeedButton::ImageIndex, &TVxSpeedButton::SetImageIndex>("ImageIndex", -1),
      ComponentProperty<&TVxSpeedButton::DropDownMenu, &TVxSpeedButton::SetDropDownMenu>("DropDownMenu"),
  };
  static const TClassInfo Info{
      "TVxSpeedButton", &TVxGraphicControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxSpeedButton>};
  return Info;
}

TVxSpeedButton::TVxSpeedButton(TComponent* Owner)
    : TVxGraphicControl(Owner), FGlyph(std::make_unique<TBitmap>()), FGlyphImage(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this] { GlyphChanged(); };
  SetControlStyle({TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csDoubleClicks});
  SetBounds(Left(), Top(), 29, 29);
  RegisterThemeClient(this);
}

TVxSpeedButton::~TVxSpeedButton() {
  UnregisterThemeClient(this);
  SetChevronMenu(nullptr);
  SetDropDownMenu(nullptr);
  SetImages(nullptr);
}

bool TVxSpeedButton::Designing() const { return IsDesigning(this); }

bool TVxSpeedButton::ToolBarThemed() const { return IsToolBarThemed(1, ThemeObject(), nullptr); }

bool TVxSpeedButton::InSpinButton() const { return dynamic_cast<TVxSpinButton*>(Parent()) != nullptr; }

// [Properties]

void TVxSpeedButton::SetShowChevron(bool Value) {
  if (Value == FShowChevron) return;
  FShowChevron = Value;
  if (!ComponentState().Contains(TComponentStateFlag::csLoading))
    SetWidth(Width() + (Value ? GetChevronWidth() : -GetChevronWidth()));
  Invalidate();
}

void TVxSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TVxSpeedButton::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  // Without a group nothing could raise the button again.
  if (Value == 0) FDown = false;
  BroadcastGroup();
  if (FDown) FState = FGroupIndex != 0 ? StateLatched : StateUp;
  if (!FDown && FState == StateLatched) FState = StateUp;
  Invalidate();
}

void TVxSpeedButton::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (!Value)
    FState = StateUp;
  else
    FState = FGroupIndex != 0 ? StateLatched : Hot() ? StatePressed : StateUp;
  if (Value) BroadcastGroup();
  Invalidate();
}

void TVxSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  BroadcastGroup();
  Invalidate();
}

// A menu let go keeps notifying: the pairing is shared by both ends, and the menu may still be
// this button's context menu or hold it as its popup component. A late notice clears nothing.
void TVxSpeedButton::SetChevronMenu(TPopupMenu* Value) {
  FChevronMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TVxSpeedButton::SetDropDownMenu(TPopupMenu* Value) {
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TVxSpeedButton::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TVxSpeedButton::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Invalidate();
}

void TVxSpeedButton::Notification(TComponent* Component, TOperation Operation) {
  TVxGraphicControl::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FChevronMenu) FChevronMenu = nullptr;
  if (Component == FDropDownMenu) FDropDownMenu = nullptr;
  if (Component == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

void TVxSpeedButton::SetGlyph(const TBitmap* Value) {
  if (Value)
    FGlyph->Assign(Value);
  else
    FGlyph->SetSize(0, 0);
  GlyphChanged();
}

void TVxSpeedButton::GlyphChanged() {
  const Integer W = FGlyph->Width(), H = FGlyph->Height();
  if (H > 0 && W % H == 0) FNumGlyphs = W / H < 5 ? std::max<Integer>(W / H, 1) : 1;
  Invalidate();
}

void TVxSpeedButton::SetNumGlyphs(Integer Value) {
  Value = std::clamp<Integer>(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TVxSpeedButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TVxSpeedButton::SetMargin(Integer Value) {
  if (Value == FMargin) return;
  FMargin = Value;
  Invalidate();
}

void TVxSpeedButton::SetSpacing(Integer Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TVxSpeedButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  Invalidate();
}

void TVxSpeedButton::SetShowGlyph(bool Value) {
  if (Value == FShowGlyph) return;
  FShowGlyph = Value;
  Invalidate();
}

void TVxSpeedButton::SetBlackAndWhiteGlyph(bool Value) {
  if (Value == FBlackAndWhiteGlyph) return;
  FBlackAndWhiteGlyph = Value;
  Invalidate();
}

void TVxSpeedButton::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TVxSpeedButton::Loaded() {
  TVxGraphicControl::Loaded();
  if (Designing()) return;
  if (TAction* A = Action()) {
    if (!FDown) SetDown(A->Checked());
    if (Caption().empty()) SetCaption(A->Caption());
  }
}

TButtonGlyph TVxSpeedButton::EffectiveGlyph() {
  return ButtonGlyph(*FGlyph, FNumGlyphs, FImages, FImageIndex, *FGlyphImage);
}

// [Geometry]

TRect TVxSpeedButton::GetButtonRect() {
  TRect R = Rect(0, 0, Width(), Height());
  if (FShowChevron) R.Right -= GetChevronWidth();
  return R;
}

TRect TVxSpeedButton::GetChevronRect() {
  TRect R = Rect(0, 0, Width(), Height());
  R.Left = FShowChevron ? R.Right - GetChevronWidth() : R.Right;
  return R;
}

TRect TVxSpeedButton::GetChevronArrowRect() {
  const TRect C = GetChevronRect();
  const TSize S = GetChevronArrowSize();
  const Integer X = C.Right - 10, Y = (C.Bottom - 3) / 2;
  return Rect(X, Y, X + S.cx, Y + S.cy);
}

TSize TVxSpeedButton::GetGlyphSize() { return ButtonGlyphSize(*FGlyph, FNumGlyphs, FImages, FImageIndex); }

void TVxSpeedButton::SelectCaptionFont() {
  TCanvas& C = *Canvas();
  if (ToolBarThemed())
    if (TvxTheme* Theme = this->Theme()) {
      const bool Disabled = !Enabled();
      const bool Pressed = FState == StatePressed, Latched = FState == StateLatched;
      Integer Font = FontNormal;
      if (Disabled)
        Font = FontDisabled;
      else if (Pressed)
        Font = FontPressed;
      else if (FFlat && Hot())
        Font = FontHot;
      else if (FFlat && Latched)
        Font = FontPressed;
      Theme->GetFont(C.Font(), Font, ThemeObject());
      return;
    }
  C.Font().Assign(PaintFont());
}

TSize TVxSpeedButton::GetCaptionSize() {
  const std::wstring Text = Wide(Caption());
  if (Text.empty()) return {0, 0};
  SelectCaptionFont();
  HDC DC = Canvas()->Handle();
  TRect Measure(0, 0, 0, 0);
  DrawTextWide(DC, Text, Measure, DT_CALCRECT | DT_SINGLELINE);
  return {Measure.Width(), TextHeightWide(DC, L"Pq")};
}

TRect TVxSpeedButton::GetGlyphRect() {
  const TSize G = FShowGlyph ? GetGlyphSize() : TSize{0, 0};
  const TSize T = FShowCaption ? GetCaptionSize() : TSize{0, 0};
  const TRect B = GetButtonRect();
  const bool Glyph = G.cx > 0 && G.cy > 0, Text = T.cx > 0;
  // The offset along the layout's axis: Length of the button, Size of the glyph and Caption of
  // the text along it.
  const auto Along = [&](Integer Start, Integer Length, Integer Size, Integer Caption) {
    if (!Glyph) return Start;
    if (FMargin != -1) return FMargin;
    if (!Text) return (Length - Size) / 2;
    return FSpacing == -1 ? (Length - Size - Caption) / 3 : (Length - Size - FSpacing - Caption) / 2;
  };
  Integer X = 0, Y = 0;
  if (FLayout == TButtonLayout::blGlyphLeft || FLayout == TButtonLayout::blGlyphRight) {
    Y = (B.Height() - G.cy) / 2;
    X = Along(B.Left, B.Width(), G.cx, T.cx);
  } else {
    X = (B.Width() - G.cx) / 2;
    Y = Along(B.Top, B.Height(), G.cy, T.cy);
  }
  if (FLayout == TButtonLayout::blGlyphRight) X = B.Right - X - G.cx - 1;
  if (FLayout == TButtonLayout::blGlyphBottom) Y = B.Bottom - Y - G.cy - 1;
  return Rect(X, Y, X + G.cx, Y + G.cy);
}

TRect TVxSpeedButton::GetCaptionRect() {
  const TSize T = GetCaptionSize();
  if (!EffectiveGlyph().Strip) {
    const Integer X = (Width() - T.cx) / 2, Y = (Height() - T.cy) / 2;
    return Rect(X, Y, X + T.cx, Y + T.cy);
  }
  const TRect Gr = GetGlyphRect(), B = GetButtonRect();
  const bool Auto = FSpacing == -1;
  Integer X = 0, Y = 0;
  switch (FLayout) {
    case TButtonLayout::blGlyphLeft:
      X = Auto ? Gr.Right + (B.Right - Gr.Right - T.cx) / 2 : Gr.Right + FSpacing;
      Y = (B.Height() - T.cy) / 2;
      break;
    case TButtonLayout::blGlyphRight:
      X = Auto ? (Gr.Left - B.Left - T.cx) / 2 : Gr.Left - FSpacing - T.cx;
      Y = (B.Height() - T.cy) / 2;
      break;
    case TButtonLayout::blGlyphTop:
      X = (B.Width() - T.cx) / 2;
      Y = Auto ? Gr.Bottom + (B.Bottom - Gr.Bottom - T.cy) / 2 : Gr.Bottom + FSpacing;
      break;
    case TButtonLayout::blGlyphBottom:
      X = (B.Width() - T.cx) / 2;
      Y = Auto ? (Gr.Top - B.Top - T.cy) / 2 : Gr.Top - FSpacing - T.cy;
      break;
  }
  return Rect(X, Y, X + T.cx, Y + T.cy);
}

// [Painting]

void TVxSpeedButton::PaintClient() {
  HDC DC = Canvas()->Handle();
  if (ToolBarThemed() || VisualStylesActive() || FTransparent)
    DrawParentImage(this, DC);
  else
    FillRectColor(DC, Rect(0, 0, Width(), Height()), Color());
  if (InSpinButton() && IsButtonThemed(4, ThemeObject(), nullptr) && IsButtonThemed(5, ThemeObject(), nullptr)) {
    if (TvxTheme* Theme = this->Theme()) {
      TvxStateInfo Info;
      Info.Rect = GetButtonRect();
      Info.State = !Enabled() ? 3 : FState == StatePressed ? 2 : Hot() ? 1 : 0;
      Theme->DrawButton(Caption() == "up" ? 4 : 5, *Canvas(), ThemeObject(), Info);
    }
    return;
  }
  if (ToolBarThemed() && Theme()) return PaintThemed();
  if (!Enabled()) FState = StateDisabled;
  TVisualStyle Style(ParentWindow(this), InSpinButton() ? L"Spin" : L"Toolbar");
  if (Style) return PaintStyled();
  PaintClassic();
}

void TVxSpeedButton::PaintThemed() {
  TvxTheme* Theme = this->Theme();
  const bool Latched = FState == StateLatched;
  Byte S = ItemNormal;
  if (!Enabled())
    S = ItemDisabled;
  else if (FState == StatePressed)
    S = ItemPressed;
  else if (Hot())
    S = Latched ? ItemLatchedHot : ItemHot;
  else
    S = Latched ? ItemLatched : ItemNormal;
  TvxToolItemInfo Info;
  Info.Rect = GetButtonRect();
  Info.State = S;
  Info.Part = FShowChevron ? PartChevronButton : PartButton;
  Theme->DrawToolBarItem(1, *Canvas(), ThemeObject(), Info);
  if (FShowGlyph) PaintGlyph({0, 0});
  if (FShowCaption) PaintCaption({0, 0});
  if (FShowChevron) {
    Info.Rect = GetChevronRect();
    Info.State = FState == StateChevron ? ItemPressed : S;
    Info.Part = PartChevron;
    Theme->DrawToolBarItem(1, *Canvas(), ThemeObject(), Info);
  }
}

void TVxSpeedButton::PaintStyled() {
  HDC DC = Canvas()->Handle();
  const bool Disabled = !Enabled(), Latched = FState == StateLatched, Pressed = FState == StatePressed;
  int V = VsNormal;
  if (Disabled)
    V = VsDisabled;
  else if (FFlat)
    V = Pressed ? VsPressed : Hot() ? (Latched ? VsHotChecked : VsHot) : Latched ? VsChecked : VsNormal;
  else
    V = Latched ? VsChecked : Pressed ? VsPressed : VsHot;
  const bool Spin = InSpinButton();
  if (Spin) {
    TVisualStyle Style(ParentWindow(this), L"Spin");
    Style.DrawBackground(DC, Caption() == "up" ? StyleSpinUp : StyleSpinDown, V, GetButtonRect());
  } else {
    TVisualStyle Style(ParentWindow(this), L"Toolbar");
    Style.DrawBackground(DC, StyleToolButton, V, GetButtonRect());
    if (FShowChevron)
      Style.DrawBackground(DC, StyleToolButton, FState == StateChevron ? VsPressed : V, GetChevronRect());
  }
  const TPoint GlyphOffset = Pressed || Latched ? TPoint{1, 1} : TPoint{0, 0};
  const TPoint ChevronOffset = Latched || FState == StateChevron || FDown ? TPoint{1, 1} : TPoint{0, 0};
  if (FShowGlyph && !Spin) PaintGlyph(GlyphOffset);
  if (FShowCaption) PaintCaption(GlyphOffset);
  if (FShowChevron) PaintChevron(ChevronOffset);
}

void TVxSpeedButton::PaintClassic() {
  HDC DC = Canvas()->Handle();
  // A spin button's arrows look raised at rest.
  const bool Flat = FFlat && !(InSpinButton() && FState == StateUp);
  const bool Latched = FState == StateLatched, Pressed = FState == StatePressed, Chevron = FState == StateChevron;
  const TRect Button = GetButtonRect(), ChevronRect = GetChevronRect();
  if (!Flat) {
    RECT Area{Button.Left, Button.Top, Button.Right, Button.Bottom};
    DrawFrameControl(DC, &Area, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed || Latched ? DFCS_PUSHED : 0));
    if (Latched) FillDither(DC, Rect(Area.left, Area.top, Area.right, Area.bottom), clBtnFace, clBtnHighlight);
    if (FShowChevron) {
      RECT Box{ChevronRect.Left, ChevronRect.Top, ChevronRect.Right, ChevronRect.Bottom};
      DrawFrameControl(DC, &Box, DFC_BUTTON,
                       DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Latched || Chevron ? DFCS_PUSHED : 0));
    }
  } else {
    const bool Framed = (Enabled() && (Pressed || Latched || Chevron || (Hot() && FState != StateDisabled) ||
                                       (FState == StateUp && FMouseDown))) ||
                        Designing();
    if (Framed) {
      if (Latched && !Hot())
        FillDither(DC, Rect(Button.Left + 1, Button.Top + 1, Button.Right - 1, Button.Bottom - 1), clBtnFace,
                   clBtnHighlight);
      if (Pressed || Latched)
        DrawBevel(DC, Button, clBtnShadow, clBtnHighlight);
      else
        DrawBevel(DC, Button, clBtnHighlight, clBtnShadow);
      if (FShowChevron) {
        if (Latched || Chevron || FDown)
          DrawBevel(DC, ChevronRect, clBtnShadow, clBtnHighlight);
        else
          DrawBevel(DC, ChevronRect, clBtnHighlight, clBtnShadow);
      }
    }
  }
  const TPoint GlyphOffset = Pressed || Latched ? TPoint{1, 1} : TPoint{0, 0};
  const TPoint ChevronOffset = Latched || Chevron || FDown ? TPoint{1, 1} : TPoint{0, 0};
  if (FShowGlyph) PaintGlyph(GlyphOffset);
  if (FShowCaption) PaintCaption(GlyphOffset);
  if (FShowChevron) PaintChevron(ChevronOffset);
}

void TVxSpeedButton::PaintGlyph(TPoint Offset) {
  const TSize G = GetGlyphSize();
  if (G.cx <= 0 || G.cy <= 0) return;
  const TRect Box = GetGlyphRect().Offset(Offset.X, Offset.Y);
  const bool Disabled = !Enabled();
  const TButtonGlyph Glyph = EffectiveGlyph();
  const Integer Cells = Glyph.Cells;
  Integer Cell = 0;
  if (Cells > 1 && Disabled) Cell = 1;
  if (Cells == 4 && FState == StateLatched) Cell = 3;
  if (Cells > 2 && FState == StatePressed) Cell = 2;
  const TGlyphLook Look = FBlackAndWhiteGlyph && !Hot() ? TGlyphLook::Grey
                          : Cells == 1 && Disabled      ? TGlyphLook::DisabledGrey
                                                        : TGlyphLook::Normal;
  TvxBitmap Bitmap;
  GlyphCellBitmap(*Glyph.Strip, Cell, G, Look, Bitmap, Glyph.Key);
  TvxTheme* Theme = ToolBarThemed() ? this->Theme() : nullptr;
  if (!Theme) return Bitmap.Draw(*Canvas(), Box.Left, Box.Top);
  Byte State = 0;
  if (Disabled)
    State = 3;
  else if (FFlat)
    State = FState == StatePressed ? 2 : Hot() ? 1 : FState == StateLatched ? 2 : 0;
  else
    State = FState == StatePressed ? 2 : 0;
  TvxGlyphInfo Info;
  Info.Rect = Box;
  Info.Bitmap = &Bitmap;
  Info.Alignment = 4;
  Info.Kind = 3;
  Theme->DrawToolBarItemGlyph(1, *Canvas(), ThemeObject(), Info, State);
}

void TVxSpeedButton::PaintCaption(TPoint Offset) {
  const std::wstring Text = Wide(Caption());
  if (Text.empty()) return;
  const TRect R = GetCaptionRect();
  SelectCaptionFont();
  TvxTheme* Theme = ToolBarThemed() ? this->Theme() : nullptr;
  if (!Theme)
    return DrawCaptionText(Canvas()->Handle(), Text, R.Offset(Offset.X, Offset.Y), 0, FState == StateDisabled,
                           PaintFont()->Color());
  Byte State = 0;
  if (!Enabled())
    State = 3;
  else if (FState == StatePressed)
    State = 2;
  else if (FFlat && Hot())
    State = 1;
  else if (FFlat && FState == StateLatched)
    State = 2;
  TvxTextInfo Info;
  Info.Rect = R;
  Info.Text = Text;
  Info.Alignment = 0;
  Theme->DrawToolBarItemText(1, *Canvas(), ThemeObject(), Info, State);
}

void TVxSpeedButton::PaintChevron(TPoint Offset) {
  HDC DC = Canvas()->Handle();
  const TRect A = GetChevronArrowRect().Offset(Offset.X, Offset.Y);
  const Integer Middle = A.Left + A.Width() / 2;
  if (FState == StateDisabled) {
    const auto Line = [DC](TPoint From, TPoint To, TColor Color) {
      HPEN Pen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(Color)));
      HGDIOBJ Old = SelectObject(DC, Pen);
      MoveToEx(DC, From.X, From.Y, nullptr);
      LineTo(DC, To.X, To.Y);
      SelectObject(DC, Old);
      DeleteObject(Pen);
    };
    Line({Middle, A.Bottom}, {A.Left, A.Top}, clBtnShadow);
    Line({Middle, A.Bottom}, {A.Right, A.Top}, clBtnShadow);
    Line({A.Right, A.Top}, {Middle, A.Bottom}, clBtnHighlight);
    return;
  }
  const POINT Points[] = {{A.Left, A.Top}, {A.Right - 1, A.Top}, {Middle, A.Bottom - 1}};
  HBRUSH Brush = CreateSolidBrush(COLORREF(ColorToRGB(clBtnText)));
  HPEN Pen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(clBtnText)));
  HGDIOBJ OldBrush = SelectObject(DC, Brush), OldPen = SelectObject(DC, Pen);
  Polygon(DC, Points, 3);
  SelectObject(DC, OldBrush);
  SelectObject(DC, OldPen);
  DeleteObject(Brush);
  DeleteObject(Pen);
}

// [Input]

void TVxSpeedButton::Click() {
  if (FState == StateChevron) return;
  if (OnClick) return OnClick(this);
  if (!Designing()) TVxGraphicControl::Click();
}

void TVxSpeedButton::ChevronClick() {
  if (OnChevronClick) OnChevronClick(this);
}

void TVxSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TControlWatch Watch(this);
  TVxGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Watch.Freed()) return;
  FMouseDown = true;
  FSkipMouseUp = false;
  if (Button == TMouseButton::mbLeft && Enabled()) {
    if (GetButtonRect().Contains(X, Y)) {
      FState = StatePressed;
      FButtonPressHeld = true;
      Invalidate();
    } else if (GetChevronRect().Contains(X, Y)) {
      if (FState != StatePressed && FState != StateLatched) Invalidate();
      FState = StateChevron;
      ChevronClick();
      if (Watch.Freed()) return;
      Invalidate();
      return;
    } else {
      Invalidate();
    }
  }
  if (!FAllowTimer) return;
  if (!FRepeatTimer) {
    FRepeatTimer = std::make_unique<TTimer>();
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
  }
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(FirstRepeat);
  FRepeatTimer->SetEnabled(true);
}

void TVxSpeedButton::RepeatTick() {
  FRepeatTimer->SetInterval(NextRepeat);
  if (FState != StatePressed || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    StopRepeat();
    throw;
  }
}

void TVxSpeedButton::StopRepeat() {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TVxSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TControlWatch Watch(this);
  TVxGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Watch.Freed()) return;
  FMouseDown = false;
  FButtonPressHeld = false;
  if (FSkipMouseUp) {
    FSkipMouseUp = false;
    SettleAfterRelease();
    return StopRepeat();
  }
  const bool Inside =
      X >= 0 && X < Width() && Y >= 0 && Y <= Height() && (FState == StatePressed || FState == StateLatched);
  if (FState == StateChevron) {
    // The menu runs modally: the state it returns to is set first.
    FState = StateUp;
    Invalidate();
    if (FChevronMenu) OpenMenu(FChevronMenu, ChevronMenuPoint());
    if (Watch.Freed()) return;
  } else if (!FDown) {
    FState = StateUp;
  }
  if (Inside) {
    if (!FDown && FGroupIndex != 0)
      SetDown(true);
    else if (FAllowAllUp)
      SetDown(false);
    else if (FGroupIndex != 0)
      FState = StateLatched;
    Click();
    if (Watch.Freed()) return;
    if (FDropDownMenu) OpenMenu(FDropDownMenu, {0, Height()});
    if (Watch.Freed()) return;
  }
  SettleAfterRelease();
  StopRepeat();
}

// A release never leaves the button looking pressed, also when it is Down without a group.
void TVxSpeedButton::SettleAfterRelease() {
  if (FState == StatePressed) FState = FDown && FGroupIndex != 0 ? StateLatched : StateUp;
  Invalidate();
}

void TVxSpeedButton::MouseEnter() {
  FHotCleared = false;
  TVxGraphicControl::MouseEnter();
  // Only a press that began on the button face presses it again; one on the chevron never clicks.
  if (FMouseDown && FButtonPressHeld) FState = StatePressed;
  Invalidate();
}

void TVxSpeedButton::MouseLeave() {
  TVxGraphicControl::MouseLeave();
  if (FDown && FGroupIndex != 0)
    FState = StateLatched;
  else if (FState != StateChevron)
    FState = StateUp;
  Invalidate();
}

TPoint TVxSpeedButton::ChevronMenuPoint() {
  if (!FChevronMenu) return {0, 0};
  const TPopupAlignment Align = FChevronMenu->Alignment();
  if (Align == TPopupAlignment::paCenter) return {Width() / 2, Height()};
  const bool Left = Align == TPopupAlignment::paLeft;
  if (FMenuPosition == TVxChevronPos::dmpBottom)
    return Left ? TPoint{GetChevronRect().Left - 1, Height()} : TPoint{Width() + 1, Height()};
  return Left ? TPoint{Width(), -1} : TPoint{-1, -1};
}

void TVxSpeedButton::OpenMenu(TPopupMenu* Menu, TPoint At) {
  if (Designing()) return;
  if (TForm* Form = GetParentForm(); Form && Form->HandleAllocated()) SendMessageA(Form->Handle(), WM_CANCELMODE, 0, 0);
  Menu->SetPopupComponent(this);
  FHotCleared = true;
  const TPoint Screen = ClientToScreen(At);
  Menu->Popup(Screen.X, Screen.Y);
}

// [Groups and messages]

void TVxSpeedButton::BroadcastGroup() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage Message{CM_BUTTONPRESSED, uintptr_t(FGroupIndex), reinterpret_cast<intptr_t>(this), 0};
  Parent()->Broadcast(Message);
}

void TVxSpeedButton::ButtonPressed(Integer Group, TVxSpeedButton* Sender) {
  if (Group != FGroupIndex || !Parent() || !Parent()->HandleAllocated() || !Sender || Sender == this) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    FState = StateUp;
    Invalidate();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

void TVxSpeedButton::ThemeChanged(uintptr_t Code) {
  if (Code == 0 || Code == 3 || Code == 4 || Code == 5) Invalidate();
}

void TVxSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CANCELMODE:
      // The press ended without a release (the capture went elsewhere): nothing stays held.
      FMouseDown = false;
      FButtonPressHeld = false;
      FSkipMouseUp = false;
      if (FState == StateChevron) FState = StateUp;
      SettleAfterRelease();
      StopRepeat();
      return;
    case CM_BUTTONPRESSED:
      return ButtonPressed(Integer(Message.WParam),
                           dynamic_cast<TVxSpeedButton*>(reinterpret_cast<TControl*>(Message.LParam)));
    case CM_DIALOGCHAR:
      if (IsAccelerator(Caption(), Message.WParam) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_ENABLEDCHANGED:
      if (Enabled()) FState = FDown && FGroupIndex != 0 ? StateLatched : StateUp;
      Invalidate();
      return;
    case CM_FONTCHANGED:
    case WM_SYSCOLORCHANGE:
    case CM_TEXTCHANGED: Invalidate(); break;
  }
  TVxGraphicControl::Dispatch(Message);
}

void TVxSpeedButton::DblClick() {
  if (FDown) TVxGraphicControl::DblClick();
}

// [TVxSpeedDivider, TVxSpeedSpace, TVxSpeedContainer] --------------------------------------------

const TClassInfo& TVxSpeedDivider::StaticClassInfo() {
  static const TClassInfo Info{
      "TVxSpeedDivider", &TVxGraphicControl::StaticClassInfo(), {}, {}, &CreateComponent<TVxSpeedDivider>};
  return Info;
}

TVxSpeedDivider::TVxSpeedDivider(TComponent* Owner) : TVxGraphicControl(Owner) {
  SetWidth(8);
  RegisterThemeClient(this);
}

TVxSpeedDivider::~TVxSpeedDivider() { UnregisterThemeClient(this); }

void TVxSpeedDivider::PaintClient() {
  HDC DC = Canvas()->Handle();
  const TRect R = Rect(0, 0, Width(), Height());
  DrawParentImage(this, DC);
  if (IsToolBarThemed(1, ThemeObject(), nullptr))
    if (TvxTheme* Theme = this->Theme()) {
      TvxToolItemInfo Info;
      Info.Rect = R;
      Info.State = ItemNormal;
      Info.Part = PartDivider;
      return Theme->DrawToolBarItem(1, *Canvas(), "default", Info);
    }
  if (TVisualStyle Style(ParentWindow(this), L"Toolbar"); Style)
    return Style.DrawBackground(DC, StyleToolSeparator, VsNormal, R);
  DrawBevel(DC, CenterRect(Rect(0, 0, 2, R.Height()), R), clBtnShadow, clBtnHighlight);
}

const TClassInfo& TVxSpeedSpace::StaticClassInfo() {
  static const TClassInfo Info{
      "TVxSpeedSpace", &TVxGraphicControl::StaticClassInfo(), {}, {}, &CreateComponent<TVxSpeedSpace>};
  return Info;
}

TVxSpeedSpace::TVxSpeedSpace(TComponent* Owner) : TVxGraphicControl(Owner) {
  SetWidth(8);
  RegisterThemeClient(this);
}

TVxSpeedSpace::~TVxSpeedSpace() { UnregisterThemeClient(this); }

void TVxSpeedSpace::PaintClient() {
  HDC DC = Canvas()->Handle();
  DrawParentImage(this, DC);
  if (IsDesigning(this)) FrameRectColor(DC, Rect(0, 0, Width(), Height()), TColor(0x808080));
}

const TClassInfo& TVxSpeedContainer::StaticClassInfo() {
  static const TClassInfo Info{
      "TVxSpeedContainer", &TVxControl::StaticClassInfo(), {}, {}, &CreateComponent<TVxSpeedContainer>};
  return Info;
}

TVxSpeedContainer::TVxSpeedContainer(TComponent* Owner) : TVxControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  RegisterThemeClient(this);
}

TVxSpeedContainer::~TVxSpeedContainer() { UnregisterThemeClient(this); }

void TVxSpeedContainer::PaintClient() {
  HDC DC = Canvas()->Handle();
  DrawParentImage(this, DC);
  if (IsDesigning(this)) DrawFocusRectColor(DC, Rect(0, 0, Width(), Height()), TColor(0x808080));
}
