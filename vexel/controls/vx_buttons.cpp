#include "vexel/controls/vx_buttons.h"

#include <windows.h>

#include <algorithm>

#include "framework/ui/forms.h"
#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_button_art.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_resource.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* BitBtnKindValueNames[] = {"bkCustom", "bkOK",    "bkCancel", "bkHelp",   "bkYes", "bkNo",
                                                "bkClose",  "bkAbort", "bkRetry",  "bkIgnore", "bkAll"};
constexpr const char* ButtonLayoutValueNames[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
constexpr const char* CheckBoxStateValueNames[] = {"kcbsUnChecked", "kcbsChecked", "kcbsMixed"};
constexpr const char* LeftRightValueNames[] = {"kalLeftJustify", "kalRightJustify"};
constexpr const char* ButtonAlignmentValueNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

// Modal result of each kind, bkCustom first.
constexpr TModalResult KindResults[] = {0, 1, 2, 0, 6, 7, 0, 3, 4, 5, 8};
static_assert(std::size(KindResults) == std::size(BitBtnKindValueNames));

// Theme button states.
constexpr Byte BtnNormal = 0, BtnHot = 1, BtnPressed = 2, BtnDisabled = 3, BtnFocused = 4, BtnDefault = 6;
// First theme font of each group: normal, pressed, hot, focused, disabled follow.
constexpr Integer ButtonFonts = 10, CheckBoxFonts = 15, RadioFonts = 20;
// Visual-style parts of "Button".
constexpr int StylePushButton = 1, StyleRadio = 2, StyleCheck = 3;

const TEnumInfo& ButtonAlignmentNames() {
  static const TEnumInfo Info{ButtonAlignmentValueNames};
  return Info;
}

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

HWND StyleWindow(TWinControl* Control) { return Control->HandleAllocated() ? Control->Handle() : nullptr; }

// Offset of a state's font from its group's first font, and of the caption state.
Integer FontOffset(Byte CaptionState) {
  switch (CaptionState) {
    case BtnPressed: return 1;
    case BtnHot: return 2;
    case BtnFocused: return 3;
    case BtnDisabled: return 4;
    default: return 0;
  }
}

Byte CaptionStateOf(bool Disabled, bool Pressed, bool Hot, bool Focused) {
  return Disabled ? BtnDisabled : Pressed ? BtnPressed : Hot ? BtnHot : Focused ? BtnFocused : BtnNormal;
}

TRect CenteredIn(const TRect& Box, Integer W, Integer H) {
  const Integer X = Box.Left + (Box.Width() - W) / 2, Y = Box.Top + (Box.Height() - H) / 2;
  return Rect(X, Y, X + W, Y + H);
}

// [Check box and radio button layout and painting, shared]

struct TCheckLayout {
  TRect Box;
  TRect Caption;
};

TCheckLayout CheckLayout(TVxControl& C, TSize CheckSize, TVxLeftRight Alignment, Integer Spacing, bool WordWrap) {
  const Integer W = C.Width(), H = C.Height();
  TCheckLayout L;
  const bool Left = Alignment == TVxLeftRight::kalLeftJustify;
  const Integer StripLeft = Left ? 0 : W - 13;
  const Integer BoxTop = (H - CheckSize.cy) / 2;
  L.Box = Rect(StripLeft, BoxTop, StripLeft + CheckSize.cx, BoxTop + CheckSize.cy);
  HDC DC = C.Canvas()->Handle();
  const Integer TextHeight = TextHeightWide(DC, L"Wg");
  TRect Measure = Rect(0, 0, std::max<Integer>(W - 23, 0), TextHeight);
  const std::wstring Caption = Wide(C.Caption());
  DrawTextWide(DC, Caption, Measure, DT_CALCRECT | DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0));
  const Integer X = Left ? 13 + Spacing : 2;
  const Integer Y = (H - Measure.Height()) / 2;
  L.Caption = Rect(X, Y, X + Measure.Width(), Y + Measure.Height());
  return L;
}

// The value DrawCheckBox takes: checked 0, unchecked 5, mixed 10, plus the state's offset.
Byte CheckValue(TVxCheckBoxState State, bool Disabled, bool Pressed, bool Hot) {
  const Byte Base = State == TVxCheckBoxState::kcbsChecked ? 0 : State == TVxCheckBoxState::kcbsMixed ? 10 : 5;
  return Base + (Disabled ? 3 : Pressed ? 2 : Hot ? 1 : 0);
}

void PaintCheckMark(TVxControl& C, Byte Kind, const TRect& Box, TVxCheckBoxState State, bool Pressed) {
  const bool Disabled = !C.Enabled(), Hot = C.MouseInControl();
  if (IsCheckBoxThemed(Kind, C.ThemeObject(), C.ThemeLink())) {
    if (TvxTheme* Theme = C.Theme()) {
      TvxCheckInfo Info;
      Info.Rect = Box;
      Info.State = CheckValue(State, Disabled, Pressed, Hot);
      Theme->DrawCheckBox(Kind, *C.Canvas(), "default", Info);
    }
    return;
  }
  HDC DC = C.Canvas()->Handle();
  TVisualStyle Style(StyleWindow(&C), L"Button");
  if (Style) {
    const int Run = State == TVxCheckBoxState::kcbsChecked ? 4 : State == TVxCheckBoxState::kcbsMixed ? 8 : 0;
    return Style.DrawBackground(DC, Kind == 0 ? StyleCheck : StyleRadio,
                                Run + 1 +
                                    (Disabled  ? 3
                                     : Pressed ? 2
                                     : Hot     ? 1
                                               : 0),
                                Box);
  }
  UINT Flags = Kind == 0 ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
  if (State == TVxCheckBoxState::kcbsChecked) Flags |= DFCS_CHECKED;
  if (State == TVxCheckBoxState::kcbsMixed) Flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
  if (Pressed) Flags |= DFCS_PUSHED;
  if (Disabled) Flags |= DFCS_INACTIVE;
  RECT Area{Box.Left, Box.Top, Box.Right, Box.Bottom};
  DrawFrameControl(DC, &Area, DFC_BUTTON, Flags);
}

void PaintCheckCaption(TVxControl& C, Byte Kind, const TRect& R, bool Pressed, bool WordWrap) {
  const bool Disabled = !C.Enabled();
  const Byte State = CaptionStateOf(Disabled, Pressed, C.MouseInControl(), C.HasFocus());
  TCanvas& Canvas = *C.Canvas();
  const std::wstring Caption = Wide(C.Caption());
  if (IsCheckBoxThemed(Kind, C.ThemeObject(), C.ThemeLink())) {
    if (TvxTheme* Theme = C.Theme()) {
      Theme->GetFont(Canvas.Font(), (Kind == 0 ? CheckBoxFonts : RadioFonts) + FontOffset(State), C.ThemeObject());
      TvxTextInfo Info;
      Info.Rect = R;
      Info.Text = Caption;
      Info.Alignment = 0;
      Info.Flags = WordWrap ? vxtfWordWrap : 0;
      Theme->DrawCheckBoxText(Kind, Canvas, "default", Info, State);
    }
    return;
  }
  HDC DC = Canvas.Handle();
  DrawCaptionText(DC, Caption, R, DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0), Disabled, C.PaintFont()->Color());
  if (C.HasFocus() && !Caption.empty())
    DrawFocusRectColor(DC, Rect(R.Left - 1, R.Top - 2, R.Right + 3, R.Bottom + 2), clBtnShadow);
}

void PaintCheckBackground(TVxControl& C, Byte Kind, bool Transparent) {
  HDC DC = C.Canvas()->Handle();
  const TRect Inner(0, 0, C.Width(), C.Height());
  if (IsCheckBoxThemed(Kind, C.ThemeObject(), C.ThemeLink())) {
    TvxTheme* Theme = C.Theme();
    if (Theme && Theme->IsCheckBoxTransparent(Kind, C.ThemeObject())) DrawParentImage(&C, DC);
    return;
  }
  if (Transparent)
    DrawParentImage(&C, DC);
  else
    FillRectColor(DC, Inner, C.Color());
}

// Measuring and drawing go through the DC directly: the font must be in it, not only in the canvas.
void SelectPaintFont(TVxControl& C) {
  C.Canvas()->Font().Assign(C.PaintFont());
  C.Canvas()->RequireObjects();
}

}  // namespace

const TEnumInfo& BitBtnKindNames() {
  static const TEnumInfo Info{BitBtnKindValueNames};
  return Info;
}

const TEnumInfo& ButtonLayoutNames() {
  static const TEnumInfo Info{ButtonLayoutValueNames};
  return Info;
}

const TEnumInfo& VxCheckBoxStateNames() {
  static const TEnumInfo Info{CheckBoxStateValueNames};
  return Info;
}

const TEnumInfo& LeftRightNames() {
  static const TEnumInfo Info{LeftRightValueNames};
  return Info;
}

// [TVxButton] ------------------------------------------------------------------------------------

const TClassInfo& TVxButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TVxButton::Default, &TVxButton::SetDefault>("Default", 0),
      // Before Glyph: a glyph of the user's own replaces the kind's.
      EnumProperty<&TVxButton::Kind, &TVxButton::SetKind>("Kind", BitBtnKindNames(), int64_t(TBitBtnKind::bkCustom)),
      ClassProperty<&TVxButton::Glyph>("Glyph"),
      EnumProperty<&TVxButton::Layout, &TVxButton::SetLayout>("Layout", ButtonLayoutNames(),
                                                              int64_t(TButtonLayout::blGlyphLeft)),
      // Always written: reading Kind sets it from the kind's glyph first.
      IntegerProperty<&TVxButton::NumGlyphs, &TVxButton::SetNumGlyphs>("NumGlyphs"),
      IntegerProperty<&TVxButton::Spacing, &TVxButton::SetSpacing>("Spacing", 4),
      IntegerProperty<&TVxButton::ModalResult, &TVxButton::SetModalResult>("ModalResult", 0),
      BooleanProperty<&TVxButton::BlackAndWhiteGlyph, &TVxButton::SetBlackAndWhiteGlyph>("BlackAndWhiteGlyph", 0),
      BooleanProperty<&TVxButton::Cancel, &TVxButton::SetCancel>("Cancel", 0),
      BooleanProperty<&TVxButton::WordWrap, &TVxButton::SetWordWrap>("WordWrap", 0),
      StringProperty<&TVxButton::ThemeObject, &TVxButton::SetThemeObject>("ThemeObject"),
      BooleanProperty<&TVxButton::Transparent, &TVxButton::SetTransparent>("Transparent", 0),
      ComponentProperty<&TVxButton::Images, &TVxButton::SetImages>("Images"),
      IntegerProperty<&TVxButton::ImageIndex, &TVxButton::SetImageIndex>("ImageIndex", -1),
      ClassProperty<&TVxButton::FontOptions>("FontOptions"),
      EnumProperty<&TVxButton::Alignment, &TVxButton::SetAlignment>("Alignment", ButtonAlignmentNames(),
                                                                    int64_t(TAlignment::taCenter)),
  };
  static const TClassInfo Info{
      "TVxButton", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxButton>};
  return Info;
}

TVxButton::TVxButton(TComponent* Owner)
    : TVxControl(Owner),
      FGlyph(std::make_unique<TBitmap>()),
      FEffectiveGlyph(std::make_unique<TBitmap>()),
      FFontOptions(std::make_unique<TVxFontOptions>()) {
  FGlyph->OnChange = [this] { GlyphChanged(); };
  FFontOptions->SetOnChange([this](TObject*) { Invalidate(); });
  SetControlStyle({TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks, TControlStyleFlag::csActionClient});
  SetColor(clBtnFace);
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  SetTabStop(true);
  SetParentFont(true);
  SetBounds(Left(), Top(), 75, 25);
  RegisterThemeClient(this);
}

TVxButton::~TVxButton() { UnregisterThemeClient(this); }

bool TVxButton::Themed() const { return IsButtonThemed(0, ThemeObject(), ThemeLink()); }

void TVxButton::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  if (HandleAllocated())
    if (TForm* Form = GetParentForm()) UpdateActiveDefault(Form->ActiveControl());
  Invalidate();
}

void TVxButton::SetGlyph(const TBitmap* Value) {
  if (Value)
    FGlyph->Assign(Value);
  else
    FGlyph->SetSize(0, 0);
  GlyphChanged();
}

void TVxButton::GlyphChanged() {
  const Integer W = FGlyph->Width(), H = FGlyph->Height();
  if (H > 0 && W % H == 0) FNumGlyphs = W / H < 5 ? std::max<Integer>(W / H, 1) : 1;
  Invalidate();
}

void TVxButton::SetNumGlyphs(Integer Value) {
  FNumGlyphs = std::clamp<Integer>(Value, 1, 4);
  Invalidate();
}

void TVxButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TVxButton::SetBlackAndWhiteGlyph(bool Value) {
  FBlackAndWhiteGlyph = Value;
  Invalidate();
}

void TVxButton::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TVxButton::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Invalidate();
}

void TVxButton::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

TButtonGlyph TVxButton::EffectiveGlyph() {
  return ButtonGlyph(*FGlyph, FNumGlyphs, FImages, FImageIndex, *FEffectiveGlyph);
}

TSize TVxButton::GlyphSize() { return ButtonGlyphSize(*FGlyph, FNumGlyphs, FImages, FImageIndex); }

namespace {

// The kinds' glyphs, loaded from the program's resources on first use; nil where a program lacks
// one. They live as long as the process: a bitmap freed among the static destructors could
// outlive the graphics state it needs.
const TBitmap* KindGlyph(TBitBtnKind Kind) {
  static constexpr const char* Names[] = {nullptr,       "VX_BTN_OK",    "VX_BTN_CANCEL", "VX_BTN_HELP",
                                          "VX_BTN_YES",  "VX_BTN_NO",    "VX_BTN_CLOSE",  "VX_BTN_ABORT",
                                          "VX_BTN_RETRY", "VX_BTN_IGNORE", "VX_BTN_ALL"};
  static_assert(std::size(Names) == std::size(BitBtnKindValueNames));
  static const TBitmap* Cache[std::size(Names)] = {};
  static bool Tried[std::size(Names)] = {};
  const size_t I = size_t(Kind);
  if (!Names[I]) return nullptr;
  if (!Tried[I]) {
    Tried[I] = true;
    auto Glyph = std::make_unique<TBitmap>();
    if (LoadBitmapResource(Names[I], *Glyph)) Cache[I] = Glyph.release();
  }
  return Cache[I];
}

}  // namespace

void TVxButton::SetKind(TBitBtnKind Value) {
  if (Value == FKind) return;
  if (Value != TBitBtnKind::bkCustom) {
    SetDefault(Value == TBitBtnKind::bkOK || Value == TBitBtnKind::bkYes);
    FModalResult = KindResults[size_t(Value)];
    // The glyph's shape (two images) sets NumGlyphs; a missing resource leaves the glyph alone.
    if (const TBitmap* Glyph = KindGlyph(Value)) SetGlyph(Glyph);
  }
  FKind = Value;
  Invalidate();
}

void TVxButton::SetSpacing(Integer Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TVxButton::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  Invalidate();
}

void TVxButton::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TVxButton::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TVxButton::Click() {
  if (TForm* Form = GetParentForm()) Form->SetModalResult(FModalResult);
  TVxControl::Click();
}

void TVxButton::UpdateActiveDefault(TWinControl* Focused) {
  const bool PushButton = dynamic_cast<TVxButton*>(Focused) || dynamic_cast<TButton*>(Focused);
  const bool Value = PushButton ? false : FDefault;
  if (Value == FActiveDefault) return;
  FActiveDefault = Value;
  Invalidate();
}

bool TVxButton::TakesKeys() const { return const_cast<TVxButton*>(this)->CanFocus(); }

// [Layout]

Byte TVxButton::ButtonState(bool Face) const {
  if (!Enabled()) return BtnDisabled;
  if (FPressed) return BtnPressed;
  if (MouseInControl()) return BtnHot;
  if (HasFocus()) return BtnFocused;
  if (Face && FActiveDefault) return BtnDefault;
  return BtnNormal;
}

void TVxButton::SelectCaptionFont() {
  TCanvas& C = *Canvas();
  TvxTheme* Theme = Themed() ? this->Theme() : nullptr;
  if (Theme)
    Theme->GetFont(C.Font(), ButtonFonts + FontOffset(ButtonState(false)), ThemeObject());
  else
    SelectPaintFont(*this);
  FFontOptions->ApplyTo(&C.Font());
  C.RequireObjects();
}

TRect TVxButton::GetContentRect() {
  const Integer W = CachedWidth() > 0 ? CachedWidth() : Width();
  const Integer H = CachedHeight() > 0 ? CachedHeight() : Height();
  const TSize G = GlyphSize();
  TSize Block{0, 0};
  if (FWordWrap) {
    Block = {std::max<Integer>(W - FSpacing - G.cx - 10, 0), std::max<Integer>(H - FSpacing - G.cy - 10, 0)};
  } else {
    SelectCaptionFont();
    HDC DC = Canvas()->Handle();
    const std::wstring Text = Wide(Caption());
    TRect Measure(0, 0, 0, 0);
    if (!Text.empty()) DrawTextWide(DC, Text, Measure, DT_CALCRECT | DT_SINGLELINE);
    Block = {Measure.Width(), Measure.Height()};
  }
  if (G.cx > 0) {
    if (FLayout == TButtonLayout::blGlyphTop || FLayout == TButtonLayout::blGlyphBottom)
      Block.cy += G.cy + FSpacing;
    else
      Block.cx += G.cx + FSpacing;
    Block = {std::max(Block.cx, G.cx), std::max(Block.cy, G.cy)};
  }
  Integer X = 0, Y = (H - Block.cy) / 2;
  switch (FAlignment) {
    case TAlignment::taLeftJustify: X = 4; break;
    case TAlignment::taRightJustify: X = W - Block.cx - 4; break;
    case TAlignment::taCenter: X = (W - Block.cx) / 2; break;
  }
  TRect R = Rect(X, Y, X + Block.cx, Y + Block.cy);
  if (FPressed) R = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  return R;
}

TRect TVxButton::GetCaptionRect() {
  TRect R = GetContentRect();
  const TSize G = GlyphSize();
  if (G.cx <= 0) return R;
  switch (FLayout) {
    case TButtonLayout::blGlyphLeft: R.Left += G.cx + FSpacing; break;
    case TButtonLayout::blGlyphRight: R.Right -= G.cx + FSpacing; break;
    case TButtonLayout::blGlyphTop: R.Top += G.cy + FSpacing; break;
    case TButtonLayout::blGlyphBottom: R.Bottom -= G.cy + FSpacing; break;
  }
  return R;
}

TRect TVxButton::GetGlyphRect() {
  TRect R = GetContentRect();
  const TSize G = GlyphSize();
  const Integer Across = G.cx > 0 ? G.cx + FSpacing : 0, Down = G.cx > 0 ? G.cy + FSpacing : 0;
  switch (FLayout) {
    case TButtonLayout::blGlyphLeft: R.Right = R.Left + Across; break;
    case TButtonLayout::blGlyphRight: R.Left = R.Right - Across; break;
    case TButtonLayout::blGlyphTop: R.Bottom = R.Top + Down; break;
    case TButtonLayout::blGlyphBottom: R.Top = R.Bottom - Down; break;
  }
  return R;
}

// [Painting]

void TVxButton::PaintClient() {
  HDC DC = Canvas()->Handle();
  if (Themed()) {
    TvxTheme* Theme = this->Theme();
    if (Theme && Theme->IsButtonTransparent(0, ThemeObject())) DrawParentImage(this, DC);
  } else if (FTransparent) {
    DrawParentImage(this, DC);
  } else {
    FillRectColor(DC, GetInnerRect(), Color());
  }
  PaintFace();
  PaintCaption();
  PaintGlyph();
}

void TVxButton::PaintFace() {
  const TRect All(0, 0, CachedWidth(), CachedHeight());
  const Byte State = ButtonState(true);
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme()) {
      TvxStateInfo Info;
      Info.Rect = All;
      Info.State = State;
      Theme->DrawButton(0, *Canvas(), ThemeObject(), Info);
    }
    return;
  }
  HDC DC = Canvas()->Handle();
  TRect R = GetInnerRect();
  TVisualStyle Style(StyleWindow(this), L"Button");
  if (Style) {
    const int StyleState = State == BtnDisabled             ? 4
                           : State == BtnPressed            ? 3
                           : State == BtnHot                ? 2
                           : (HasFocus() || FActiveDefault) ? 5
                                                            : 1;
    return Style.DrawBackground(DC, StylePushButton, StyleState, R);
  }
  if (HasFocus() || FActiveDefault) {
    FrameRectColor(DC, R, clBlack);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
  FillRectColor(DC, R, Color());
  if (FPressed) {
    FrameRectColor(DC, R, clBtnShadow);
  } else {
    DrawBevel(DC, R, clBtnHighlight, clBlack);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    DrawBevel(DC, R, Color(), clBtnShadow);
  }
  if (HasFocus()) {
    const TRect Inner = GetInnerRect();
    DrawFocusRectColor(DC, Rect(Inner.Left + 4, Inner.Top + 4, Inner.Right - 4, Inner.Bottom - 4), clBtnShadow);
  }
}

void TVxButton::PaintGlyph() {
  const TSize G = GlyphSize();
  if (G.cx <= 0 || G.cy <= 0) return;
  const TRect Box = CenteredIn(GetGlyphRect(), G.cx, G.cy);
  const bool Disabled = !Enabled();
  const TButtonGlyph Glyph = EffectiveGlyph();
  const Integer Cells = Glyph.Cells;
  Integer Image = 0;
  if (Cells > 1 && Disabled) Image = 1;
  if (Cells > 2 && FPressed) Image = 2;
  const bool Grey = FBlackAndWhiteGlyph && !MouseInControl();
  const TGlyphLook Look = Grey                        ? TGlyphLook::Grey
                          : Cells == 1 && Disabled ? TGlyphLook::DisabledGrey
                                                   : TGlyphLook::Normal;
  TvxBitmap Bitmap;
  GlyphCellBitmap(*Glyph.Strip, Image, G, Look, Bitmap, Glyph.Key);
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme()) {
      TvxGlyphInfo Info;
      Info.Rect = Box;
      Info.Bitmap = &Bitmap;
      Info.Alignment = 4;
      Theme->DrawButtonGlyph(0, *Canvas(), ThemeObject(), Info, ButtonState(true));
    }
    return;
  }
  Bitmap.Draw(*Canvas(), Box.Left, Box.Top);
}

void TVxButton::PaintCaption() {
  const std::wstring Text = Wide(Caption());
  if (Text.empty()) return;
  const TRect Box = GetCaptionRect();
  SelectCaptionFont();
  HDC DC = Canvas()->Handle();
  const UINT Wrap = FWordWrap ? DT_WORDBREAK : 0;
  TRect Measure = Rect(0, 0, FWordWrap ? Box.Width() : 0, 0);
  DrawTextWide(DC, Text, Measure, DT_CALCRECT | Wrap);
  const Integer W = Measure.Width(), H = Measure.Height();
  if (Themed()) {
    TvxTheme* Theme = this->Theme();
    if (!Theme) return;
    TRect Place = CenteredIn(Box, W, H);
    if (FAlignment == TAlignment::taLeftJustify) Place = Rect(Box.Left, Box.Top, Box.Left + W, Box.Top + H);
    if (FAlignment == TAlignment::taRightJustify) Place = Rect(Box.Right - W, Place.Top, Box.Right, Place.Bottom);
    TvxTextInfo Info;
    Info.Rect = Place;
    Info.Text = Text;
    Info.Alignment = 3;
    Info.Flags = FWordWrap ? vxtfWordWrap : 0;
    Theme->DrawButtonText(0, *Canvas(), ThemeObject(), Info, ButtonState(false));
    return;
  }
  DrawCaptionText(DC, Text, CenteredIn(Box, W, H), DT_CENTER | Wrap, !Enabled(), Canvas()->Font().Color());
}

// [Behaviour]

void TVxButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Enabled()) return;
  if (!ComponentState().Contains(TComponentStateFlag::csDesigning) && CanFocus()) SetFocus();
  FPressed = true;
  FMouseCaptured = true;
  Invalidate();
}

void TVxButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  if (!FMouseCaptured) return;
  const bool Inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (Inside == FPressed) return;
  FPressed = Inside;
  Invalidate();
}

void TVxButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (!FMouseCaptured) return;
  FMouseCaptured = false;
  FPressed = false;
  Invalidate();
  if (X >= 0 && Y >= 0 && X < Width() && Y < Height()) Click();
}

void TVxButton::MouseEnter() {
  TVxControl::MouseEnter();
  Invalidate();
}

void TVxButton::MouseLeave() {
  TVxControl::MouseLeave();
  Invalidate();
}

void TVxButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE && !Shift.Contains(TShiftStateFlag::ssAlt) && !FPressed && Enabled()) {
    FPressed = true;
    Invalidate();
  }
}

void TVxButton::KeyUp(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyUp(Key, Shift);
  // Only a press that began here clicks: a Space held down while the focus arrived does not.
  if (Key == VK_SPACE && FPressed && !FMouseCaptured) {
    FPressed = false;
    Invalidate();
    Key = 0;
    Click();
  }
}

void TVxButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: {
      const bool NoModifier = KeyboardShiftState().Empty();
      const bool Enter = Message.WParam == VK_RETURN && (FActiveDefault || Focused());
      const bool Escape = Message.WParam == VK_ESCAPE && FCancel;
      if (NoModifier && (Enter || Escape) && TakesKeys()) {
        Click();
        Message.Result = 1;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (IsAccelerator(Caption(), Message.WParam) && TakesKeys()) {
        SetFocus();
        Click();
        Message.Result = 1;
      }
      return;
    case CM_FOCUSCHANGED: UpdateActiveDefault(reinterpret_cast<TWinControl*>(Message.LParam)); break;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) FPressed = FMouseCaptured = false;
      TVxControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_TEXTCHANGED: Invalidate(); break;
    case WM_CANCELMODE:
    case WM_KILLFOCUS:
      // Losing the capture or the focus mid-press leaves the button up, not stuck down.
      if (FPressed || FMouseCaptured) {
        FPressed = FMouseCaptured = false;
        Invalidate();
      }
      break;
  }
  TVxControl::Dispatch(Message);
}

// [TVxCustomCheckControl] ------------------------------------------------------------------------

TVxCustomCheckControl::TVxCustomCheckControl(TComponent* Owner, Byte Kind, bool Transparent)
    : TVxControl(Owner), FKind(Kind), FTransparent(Transparent) {
  // A click is a change of state, not a press and release.
  ExcludeStyle(TControlStyleFlag::csClickEvents);
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  IncludeStyle(TControlStyleFlag::csSetCaption);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 98, 20);
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  RegisterThemeClient(this);
}

TVxCustomCheckControl::~TVxCustomCheckControl() { UnregisterThemeClient(this); }

void TVxCustomCheckControl::SetSpacing(Integer Value) {
  FSpacing = Value;
  Invalidate();
}

void TVxCustomCheckControl::SetAlignment(TVxLeftRight Value) {
  FAlignment = Value;
  Invalidate();
}

void TVxCustomCheckControl::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Invalidate();
}

void TVxCustomCheckControl::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TVxCustomCheckControl::Click() {
  if (!ComponentState().Contains(TComponentStateFlag::csLoading) && OnClick) OnClick(this);
}

TRect TVxCustomCheckControl::GetCheckRect() {
  SelectPaintFont(*this);
  return CheckLayout(*this, GetCheckSize(), FAlignment, FSpacing, FWordWrap).Box;
}

TRect TVxCustomCheckControl::GetCaptionRect() {
  SelectPaintFont(*this);
  return CheckLayout(*this, GetCheckSize(), FAlignment, FSpacing, FWordWrap).Caption;
}

void TVxCustomCheckControl::PaintClient() {
  PaintCheckBackground(*this, FKind, FTransparent);
  PaintCheck();
  PaintCaption();
}

void TVxCustomCheckControl::PaintCheck() { PaintCheckMark(*this, FKind, GetCheckRect(), MarkState(), FPressed); }

void TVxCustomCheckControl::PaintCaption() {
  const TRect R = GetCaptionRect();
  PaintCheckCaption(*this, FKind, R, FPressed, FWordWrap);
}

void TVxCustomCheckControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Enabled()) return;
  if (!Focused() && CanFocus() && !ComponentState().Contains(TComponentStateFlag::csDesigning)) SetFocus();
  FPressed = true;
  Invalidate();
}

void TVxCustomCheckControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FPressed) return;
  FPressed = false;
  if (X >= 0 && Y >= 0 && X < Width() && Y < Height()) Activate();
  Invalidate();
}

void TVxCustomCheckControl::MouseEnter() {
  TVxControl::MouseEnter();
  Invalidate();
}

void TVxCustomCheckControl::MouseLeave() {
  TVxControl::MouseLeave();
  Invalidate();
}

void TVxCustomCheckControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE && !Shift.Contains(TShiftStateFlag::ssAlt) && !FPressed && Enabled()) {
    FPressed = true;
    Invalidate();
  }
}

void TVxCustomCheckControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyUp(Key, Shift);
  if (Key == VK_SPACE && FPressed) {
    FPressed = false;
    Key = 0;
    Activate();
    Invalidate();
  }
}

void TVxCustomCheckControl::Release() {
  if (!FPressed) return;
  FPressed = false;
  Invalidate();
}

void TVxCustomCheckControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR:
      if (IsAccelerator(Caption(), Message.WParam) && CanFocus()) {
        SetFocus();
        if (Focused()) Activate();
        Message.Result = 1;
      }
      return;
    case WM_SYSCOLORCHANGE:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case WM_KILLFOCUS:
    case WM_CANCELMODE: Release(); break;
  }
  TVxControl::Dispatch(Message);
}

// [TVxCheckBox] ----------------------------------------------------------------------------------

const TClassInfo& TVxCheckBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxCheckBox::State, &TVxCheckBox::SetState>("State", VxCheckBoxStateNames(),
                                                                int64_t(TVxCheckBoxState::kcbsUnChecked)),
      IntegerProperty<&TVxCheckBox::Spacing, &TVxCheckBox::SetSpacing>("Spacing", 5),
      EnumProperty<&TVxCheckBox::Alignment, &TVxCheckBox::SetAlignment>("Alignment", LeftRightNames(),
                                                                        int64_t(TVxLeftRight::kalLeftJustify)),
      BooleanProperty<&TVxCheckBox::AllowGrayed, &TVxCheckBox::SetAllowGrayed>("AllowGrayed", 0),
      BooleanProperty<&TVxCheckBox::WordWrap, &TVxCheckBox::SetWordWrap>("WordWrap", 0),
      StringProperty<&TVxCheckBox::ThemeObject, &TVxCheckBox::SetThemeObject>("ThemeObject"),
      BooleanProperty<&TVxCheckBox::Transparent, &TVxCheckBox::SetTransparent>("Transparent", 1),
  };
  static const TClassInfo Info{
      "TVxCheckBox", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxCheckBox>};
  return Info;
}

TVxCheckBox::TVxCheckBox(TComponent* Owner) : TVxCustomCheckControl(Owner, 0, true) { SetTabStop(true); }

void TVxCheckBox::SetState(TVxCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  Click();
  Invalidate();
}

void TVxCheckBox::Toggle() {
  switch (FState) {
    case TVxCheckBoxState::kcbsUnChecked:
      SetState(FAllowGrayed ? TVxCheckBoxState::kcbsMixed : TVxCheckBoxState::kcbsChecked);
      break;
    case TVxCheckBoxState::kcbsChecked: SetState(TVxCheckBoxState::kcbsUnChecked); break;
    case TVxCheckBoxState::kcbsMixed: SetState(TVxCheckBoxState::kcbsChecked); break;
  }
}

// [TVxRadioButton] -------------------------------------------------------------------------------

const TClassInfo& TVxRadioButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TVxRadioButton::Checked, &TVxRadioButton::SetChecked>("Checked", 0),
      IntegerProperty<&TVxRadioButton::GroupIndex, &TVxRadioButton::SetGroupIndex>("GroupIndex", 0),
      IntegerProperty<&TVxRadioButton::Spacing, &TVxRadioButton::SetSpacing>("Spacing", 5),
      BooleanProperty<&TVxRadioButton::ItemTabStop, &TVxRadioButton::SetItemTabStop>("ItemTabStop", 1),
      BooleanProperty<&TVxRadioButton::WordWrap, &TVxRadioButton::SetWordWrap>("WordWrap", 0),
      EnumProperty<&TVxRadioButton::Alignment, &TVxRadioButton::SetAlignment>("Alignment", LeftRightNames(),
                                                                              int64_t(TVxLeftRight::kalLeftJustify)),
      StringProperty<&TVxRadioButton::ThemeObject, &TVxRadioButton::SetThemeObject>("ThemeObject"),
      BooleanProperty<&TVxRadioButton::Transparent, &TVxRadioButton::SetTransparent>("Transparent", 0),
  };
  static const TClassInfo Info{
      "TVxRadioButton", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxRadioButton>};
  return Info;
}

TVxRadioButton::TVxRadioButton(TComponent* Owner) : TVxCustomCheckControl(Owner, 1, false) { SetTabStop(false); }

void TVxRadioButton::SetChecked(bool Value) {
  if (Value != FChecked) {
    SetTabStop(Value);
    FChecked = Value;
    if (Value) {
      if (TWinControl* P = Parent())
        for (TControl* C : P->ControlList())
          if (auto* Other = dynamic_cast<TVxRadioButton*>(C);
              Other && Other != this && Other->FGroupIndex == FGroupIndex)
            Other->SetChecked(false);
      Click();
    }
  }
  Invalidate();
}

void TVxRadioButton::FocusEnter() {
  TVxCustomCheckControl::FocusEnter();
  SetChecked(true);
}

bool TVxRadioButton::WantsKey(uint16_t Key) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || TVxCustomCheckControl::WantsKey(Key);
}

TVxRadioButton* TVxRadioButton::Neighbour(bool Forward) const {
  TWinControl* P = Parent();
  if (!P) return nullptr;
  std::vector<TVxRadioButton*> Group;
  for (TWinControl* C : P->TabList())
    if (auto* R = dynamic_cast<TVxRadioButton*>(C); R && R->FGroupIndex == FGroupIndex && (R == this || R->CanFocus()))
      Group.push_back(R);
  const auto It = std::find(Group.begin(), Group.end(), this);
  if (Group.size() < 2 || It == Group.end()) return nullptr;
  const size_t I = size_t(It - Group.begin()), N = Group.size();
  return Group[Forward ? (I + 1) % N : (I + N - 1) % N];
}

void TVxRadioButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxCustomCheckControl::KeyDown(Key, Shift);
  if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
    // Focusing the neighbour checks it.
    if (TVxRadioButton* Next = Neighbour(Key == VK_RIGHT || Key == VK_DOWN)) Next->SetFocus();
    Key = 0;
  }
}
