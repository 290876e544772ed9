// The sixteen skin-object subclasses: their stored properties, copying, link re-binding, state
// fonts and colour transforms.
#include "vexel/skin/theme_dv3objects.h"

#include <algorithm>

namespace {

// Copies a link or font owned by Target from the same member of Source.
void CopyLink(TvxBitmapLink* Target, const TvxBitmapLink* Source) { Target->Assign(Source); }
void CopyFont(TFont* Target, const TFont* Source) { Target->Assign(Source); }

void ShiftFontHue(TFont& Font, Integer Delta, TColor (*Shift)(TColor, Integer)) {
  if (Font.Color() != clNone) Font.SetColor(Shift(Font.Color(), Delta));
}

bool OneOf(TDvObjectState S, std::initializer_list<TDvObjectState> States) {
  return std::find(States.begin(), States.end(), S) != States.end();
}

}  // namespace

// [TDvActiveObject] -----------------------------------------------------------------------------

TDvActiveObject::TDvActiveObject(TComponent* Owner) : TDvSkinObject(Owner) {}

const TClassInfo& TDvActiveObject::StaticClassInfo() {
  using O = TDvActiveObject;
  static const TPropInfo Properties[] = {
      ColorProperty<&O::ActiveColor, &O::SetActiveColor>("ActiveColor"),
      ClassProperty<&O::ActiveFont>("ActiveFont"),
      ClassProperty<&O::DisabledFont>("DisabledFont"),
  };
  static const TClassInfo Info{"TDvActiveObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvActiveObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvActiveObject*>(Source)) {
    FActiveColor = S->FActiveColor;
    CopyFont(FActiveFont.get(), S->FActiveFont.get());
    CopyFont(FDisabledFont.get(), S->FDisabledFont.get());
  }
}

TFont& TDvActiveObject::GetFont() const {
  using enum TDvObjectState;
  if (OneOf(State(), {osHot, osPressed, osFocused})) return *FActiveFont;
  return TDvSkinObject::GetFont();
}

void TDvActiveObject::ChangeHue(Integer Delta) {
  TDvSkinObject::ChangeHue(Delta);
  if (FActiveColor != clNone) FActiveColor = ColorHueShifted(FActiveColor, Delta);
  ShiftFontHue(*FActiveFont, Delta, ColorHueShifted);
  ShiftFontHue(*FDisabledFont, Delta, ColorHueShifted);
}

void TDvActiveObject::ChangeBrightness(Integer Delta) {
  TDvSkinObject::ChangeBrightness(Delta);
  if (FActiveColor != clNone) FActiveColor = ColorBrightnessShifted(FActiveColor, Delta);
  ShiftFontHue(*FActiveFont, Delta, ColorBrightnessShifted);
  ShiftFontHue(*FDisabledFont, Delta, ColorBrightnessShifted);
}

void TDvActiveObject::SetCharset(TFontCharset Charset) {
  TDvSkinObject::SetCharset(Charset);
  FActiveFont->SetCharset(Charset);
}

// [TDvBitmapObject family] ---------------------------------------------------------------------

const TClassInfo& TDvBitmapObject::StaticClassInfo() {
  using O = TDvBitmapObject;
  static const TPropInfo Properties[] = {
      ClassProperty<&O::Bitmap>("Bitmap"),
      EnumProperty<&O::BorderTileStyle, &O::SetBorderTileStyle>("BorderTileStyle", TileStyleNames()),
      BooleanProperty<&O::MaskedBorder, &O::SetMaskedBorder>("MaskedBorder"),
      BooleanProperty<&O::MaskedAngles, &O::SetMaskedAngles>("MaskedAngles"),
      EnumProperty<&O::TileStyle, &O::SetTileStyle>("TileStyle", TileStyleNames()),
  };
  static const TClassInfo Info{"TDvBitmapObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvBitmapObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvBitmapObject*>(Source)) {
    CopyLink(FBitmap.get(), S->FBitmap.get());
    FBorderTileStyle = S->FBorderTileStyle;
    FMaskedBorder = S->FMaskedBorder;
    FMaskedAngles = S->FMaskedAngles;
    FTileStyle = S->FTileStyle;
  }
}

void TDvBitmapObject::UpdateLinks() {
  TDvSkinObject::UpdateLinks();
  RebindLink(FBitmap, Margins());
}

const TClassInfo& TDvActiveBitmap::StaticClassInfo() {
  using O = TDvActiveBitmap;
  static const TPropInfo Properties[] = {
      ClassProperty<&O::ActiveBitmap>("ActiveBitmap"),
      ClassProperty<&O::ActiveFont>("ActiveFont"),
  };
  static const TClassInfo Info{"TDvActiveBitmap", &TDvBitmapObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvActiveBitmap::Assign(const TPersistent* Source) {
  TDvBitmapObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvActiveBitmap*>(Source)) {
    CopyLink(FActiveBitmap.get(), S->FActiveBitmap.get());
    CopyFont(FActiveFont.get(), S->FActiveFont.get());
  }
}

void TDvActiveBitmap::UpdateLinks() {
  TDvBitmapObject::UpdateLinks();
  RebindLink(FActiveBitmap, Margins());
}

TFont& TDvActiveBitmap::GetFont() const {
  using enum TDvObjectState;
  if (OneOf(State(), {osHot, osFocused})) return *FActiveFont;
  return TDvBitmapObject::GetFont();
}

void TDvActiveBitmap::SetCharset(TFontCharset Charset) {
  TDvBitmapObject::SetCharset(Charset);
  FActiveFont->SetCharset(Charset);
}

// [Title buttons] ------------------------------------------------------------------------------

void TDvButtonVisibility::ApplyState(TDvSkinObject& Button, TDvAction Action, TDvObjectState State) {
  using enum TDvAction;
  const auto Is = [Action](std::initializer_list<TDvAction> Actions) {
    return std::find(Actions.begin(), Actions.end(), Action) != Actions.end();
  };
  switch (State) {
    case TDvObjectState::osNormal: Button.SetVisible(!Is({sbaRestore, sbaRollDown})); break;
    case TDvObjectState::osMaximized: Button.SetVisible(!Is({sbaMaximize, sbaRollDown})); break;
    case TDvObjectState::osMinimized: Button.SetVisible(!Is({sbaMinimize, sbaMaximize, sbaRollUp, sbaRollDown})); break;
    case TDvObjectState::osRolledUp: Button.SetVisible(!Is({sbaRestore, sbaRollUp})); break;
    default: break;
  }
}

void TDvButtonVisibility::ApplyTitleButtons(TDvSkinObject& Button, TDvAction Action, TDvTitleButtons Buttons) {
  int Bit;
  switch (Action) {
    case TDvAction::sbaSysMenu: Bit = 0; break;
    case TDvAction::sbaClose: Bit = 1; break;
    case TDvAction::sbaHelp: Bit = 2; break;
    case TDvAction::sbaMinimize: Bit = 3; break;
    case TDvAction::sbaMaximize: Bit = 5; break;
    case TDvAction::sbaRestore: Bit = Button.State() == TDvObjectState::osMaximized ? 6 : 4; break;
    case TDvAction::sbaRollUp: Bit = 7; break;
    case TDvAction::sbaRollDown: Bit = 8; break;
    case TDvAction::sbaTray: Bit = 9; break;
    default: return;
  }
  Button.SetVisible((Buttons >> Bit) & 1);
}

TDvSystemButton::TDvSystemButton(TComponent* Owner) : TDvActiveBitmap(Owner) { SetKind(TDvKind::skSysButton); }

const TClassInfo& TDvSystemButton::StaticClassInfo() {
  using O = TDvSystemButton;
  static const TPropInfo Properties[] = {
      EnumProperty<&O::Action, &O::SetAction>("Action", DvActionNames()),
      ClassProperty<&O::BitmapHot>("BitmapHot"),
      ClassProperty<&O::BitmapPressed>("BitmapPressed"),
  };
  static const TClassInfo Info{"TDvSystemButton", &TDvActiveBitmap::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvSystemButton::Assign(const TPersistent* Source) {
  TDvActiveBitmap::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvSystemButton*>(Source)) {
    FAction = S->FAction;
    CopyLink(FBitmapHot.get(), S->FBitmapHot.get());
    CopyLink(FBitmapPressed.get(), S->FBitmapPressed.get());
  }
}

void TDvSystemButton::UpdateLinks() {
  TDvActiveBitmap::UpdateLinks();
  RebindLink(FBitmapHot, Margins());
  RebindLink(FBitmapPressed, Margins());
}

void TDvSystemButton::SetState(TDvObjectState Value) {
  TDvActiveBitmap::SetState(Value);
  TDvButtonVisibility::ApplyState(*this, FAction, Value);
}

void TDvSystemButton::SetTitleButtons(TDvTitleButtons Buttons) {
  TDvActiveBitmap::SetTitleButtons(Buttons);
  TDvButtonVisibility::ApplyTitleButtons(*this, FAction, Buttons);
}

const TClassInfo& TDvButtonObject::StaticClassInfo() {
  using O = TDvButtonObject;
  static const TPropInfo Properties[] = {
      ClassProperty<&O::BitmapHot>("BitmapHot"),
      ClassProperty<&O::BitmapFocused>("BitmapFocused"),
      ClassProperty<&O::BitmapPressed>("BitmapPressed"),
      ClassProperty<&O::BitmapDisabled>("BitmapDisabled"),
  };
  static const TClassInfo Info{"TDvButtonObject", &TDvBitmapObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvButtonObject::Assign(const TPersistent* Source) {
  TDvBitmapObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvButtonObject*>(Source)) {
    CopyLink(FBitmapHot.get(), S->FBitmapHot.get());
    CopyLink(FBitmapFocused.get(), S->FBitmapFocused.get());
    CopyLink(FBitmapPressed.get(), S->FBitmapPressed.get());
    CopyLink(FBitmapDisabled.get(), S->FBitmapDisabled.get());
  }
}

void TDvButtonObject::UpdateLinks() {
  TDvBitmapObject::UpdateLinks();
  for (TLinkPtr* L : {&FBitmapHot, &FBitmapFocused, &FBitmapPressed, &FBitmapDisabled}) RebindLink(*L, Margins());
}

// [Text, link and active objects] --------------------------------------------------------------

const TClassInfo& TDvTextObject::StaticClassInfo() {
  using O = TDvTextObject;
  static const TPropInfo Properties[] = {
      ClassProperty<&O::FontHot>("FontHot"),
      ClassProperty<&O::FontFocused>("FontFocused"),
      ClassProperty<&O::FontPressed>("FontPressed"),
      ClassProperty<&O::FontDisabled>("FontDisabled"),
  };
  static const TClassInfo Info{"TDvTextObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvTextObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvTextObject*>(Source)) {
    CopyFont(FFontHot.get(), S->FFontHot.get());
    CopyFont(FFontFocused.get(), S->FFontFocused.get());
    CopyFont(FFontPressed.get(), S->FFontPressed.get());
    CopyFont(FFontDisabled.get(), S->FFontDisabled.get());
  }
}

TFont& TDvTextObject::GetFont() const {
  switch (State()) {
    case TDvObjectState::osHot: return *FFontHot;
    case TDvObjectState::osPressed: return *FFontPressed;
    case TDvObjectState::osFocused: return *FFontFocused;
    case TDvObjectState::osDisabled: return *FFontDisabled;
    default: return TDvSkinObject::GetFont();
  }
}

void TDvTextObject::ChangeHue(Integer Delta) {
  TDvSkinObject::ChangeHue(Delta);
  for (TFontPtr* F : {&FFontHot, &FFontFocused, &FFontPressed, &FFontDisabled}) ShiftFontHue(**F, Delta, ColorHueShifted);
}

void TDvTextObject::ChangeBrightness(Integer Delta) {
  TDvSkinObject::ChangeBrightness(Delta);
  for (TFontPtr* F : {&FFontHot, &FFontFocused, &FFontPressed, &FFontDisabled})
    ShiftFontHue(**F, Delta, ColorBrightnessShifted);
}

void TDvTextObject::SetCharset(TFontCharset Charset) {
  TDvSkinObject::SetCharset(Charset);
  for (TFontPtr* F : {&FFontHot, &FFontFocused, &FFontPressed, &FFontDisabled}) (*F)->SetCharset(Charset);
}

const TClassInfo& TDvLinkSkinObject::StaticClassInfo() {
  using O = TDvLinkSkinObject;
  static const TPropInfo Properties[] = {StringProperty<&O::LinkControl, &O::SetLinkControl>("LinkControl")};
  static const TClassInfo Info{"TDvLinkSkinObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvLinkSkinObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvLinkSkinObject*>(Source)) FLinkControl = S->FLinkControl;
}

const TClassInfo& TDvActiveSkinObject::StaticClassInfo() {
  using O = TDvActiveSkinObject;
  static const TPropInfo Properties[] = {
      ColorProperty<&O::ActiveColor, &O::SetActiveColor>("ActiveColor"),
      ClassProperty<&O::ActiveFont>("ActiveFont"),
  };
  static const TClassInfo Info{"TDvActiveSkinObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvActiveSkinObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvActiveSkinObject*>(Source)) {
    FActiveColor = S->FActiveColor;
    CopyFont(FActiveFont.get(), S->FActiveFont.get());
  }
}

// These two are shifted whatever they hold, clNone included.
void TDvActiveSkinObject::ChangeHue(Integer Delta) {
  TDvSkinObject::ChangeHue(Delta);
  FActiveColor = ColorHueShifted(FActiveColor, Delta);
  FActiveFont->SetColor(ColorHueShifted(FActiveFont->Color(), Delta));
}

void TDvActiveSkinObject::ChangeBrightness(Integer Delta) {
  TDvSkinObject::ChangeBrightness(Delta);
  FActiveColor = ColorBrightnessShifted(FActiveColor, Delta);
  FActiveFont->SetColor(ColorBrightnessShifted(FActiveFont->Color(), Delta));
}

// [Bitmap-skin-object family] ------------------------------------------------------------------

const TClassInfo& TDvBitmapSkinObject::StaticClassInfo() {
  using O = TDvBitmapSkinObject;
  static const TPropInfo Properties[] = {
      ClassProperty<&O::Bitmap>("Bitmap"),
      EnumProperty<&O::TileStyle, &O::SetTileStyle>("TileStyle", TileStyleNames()),
  };
  static const TClassInfo Info{"TDvBitmapSkinObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvBitmapSkinObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvBitmapSkinObject*>(Source)) {
    CopyLink(FBitmap.get(), S->FBitmap.get());
    FTileStyle = S->FTileStyle;
  }
}

void TDvBitmapSkinObject::UpdateLinks() {
  TDvSkinObject::UpdateLinks();
  RebindLink(FBitmap, {});
}

const TClassInfo& TDvFormBitmapSkinObject::StaticClassInfo() {
  using O = TDvFormBitmapSkinObject;
  static const TPropInfo Properties[] = {ClassProperty<&O::InactiveBitmap>("InactiveBitmap")};
  static const TClassInfo Info{"TDvFormBitmapSkinObject", &TDvBitmapSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvFormBitmapSkinObject::Assign(const TPersistent* Source) {
  TDvBitmapSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvFormBitmapSkinObject*>(Source))
    CopyLink(FInactiveBitmap.get(), S->FInactiveBitmap.get());
}

void TDvFormBitmapSkinObject::UpdateLinks() {
  TDvBitmapSkinObject::UpdateLinks();
  RebindLink(FInactiveBitmap, {});
}

TDvSysButtonSkinObject::TDvSysButtonSkinObject(TComponent* Owner) : TDvBitmapSkinObject(Owner) {
  SetKind(TDvKind::skSysButton);
}

const TClassInfo& TDvSysButtonSkinObject::StaticClassInfo() {
  using O = TDvSysButtonSkinObject;
  static const TPropInfo Properties[] = {
      EnumProperty<&O::Action, &O::SetAction>("Action", DvActionNames()),
      ClassProperty<&O::BitmapHover>("BitmapHover"),
      ClassProperty<&O::BitmapDown>("BitmapDown"),
      StringProperty<&O::RollPanel, &O::SetRollPanel>("RollPanel"),
  };
  static const TClassInfo Info{"TDvSysButtonSkinObject", &TDvBitmapSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvSysButtonSkinObject::Assign(const TPersistent* Source) {
  TDvBitmapSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvSysButtonSkinObject*>(Source)) {
    FAction = S->FAction;
    CopyLink(FBitmapHover.get(), S->FBitmapHover.get());
    CopyLink(FBitmapDown.get(), S->FBitmapDown.get());
    FRollPanel = S->FRollPanel;
  }
}

void TDvSysButtonSkinObject::UpdateLinks() {
  TDvBitmapSkinObject::UpdateLinks();
  RebindLink(FBitmapHover, {});
  RebindLink(FBitmapDown, {});
}

void TDvSysButtonSkinObject::SetState(TDvObjectState Value) {
  TDvBitmapSkinObject::SetState(Value);
  TDvButtonVisibility::ApplyState(*this, FAction, Value);
}

void TDvSysButtonSkinObject::SetTitleButtons(TDvTitleButtons Buttons) {
  TDvBitmapSkinObject::SetTitleButtons(Buttons);
  TDvButtonVisibility::ApplyTitleButtons(*this, FAction, Buttons);
}

const TClassInfo& TDvBitmapBoxObject::StaticClassInfo() {
  using O = TDvBitmapBoxObject;
  static const TPropInfo Properties[] = {
      EnumProperty<&O::BorderTileStyle, &O::SetBorderTileStyle>("BorderTileStyle", TileStyleNames()),
  };
  static const TClassInfo Info{"TDvBitmapBoxObject", &TDvBitmapSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvBitmapBoxObject::Assign(const TPersistent* Source) {
  TDvBitmapSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvBitmapBoxObject*>(Source)) FBorderTileStyle = S->FBorderTileStyle;
}

const TClassInfo& TDvActiveBitmapBoxObject::StaticClassInfo() {
  using O = TDvActiveBitmapBoxObject;
  static const TPropInfo Properties[] = {ClassProperty<&O::FocusedBitmap>("FocusedBitmap")};
  static const TClassInfo Info{"TDvActiveBitmapBoxObject", &TDvBitmapBoxObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvActiveBitmapBoxObject::Assign(const TPersistent* Source) {
  TDvBitmapBoxObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvActiveBitmapBoxObject*>(Source))
    CopyLink(FFocusedBitmap.get(), S->FFocusedBitmap.get());
}

void TDvActiveBitmapBoxObject::UpdateLinks() {
  TDvBitmapBoxObject::UpdateLinks();
  RebindLink(FFocusedBitmap, {});
}

const TClassInfo& TDvButtonBitmapBoxObject::StaticClassInfo() {
  using O = TDvButtonBitmapBoxObject;
  static const TPropInfo Properties[] = {
      ClassProperty<&O::HotBitmap>("HotBitmap"),
      ClassProperty<&O::FocusedBitmap>("FocusedBitmap"),
      ClassProperty<&O::PressedBitmap>("PressedBitmap"),
      ClassProperty<&O::DisabledBitmap>("DisabledBitmap"),
  };
  static const TClassInfo Info{"TDvButtonBitmapBoxObject", &TDvBitmapBoxObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvButtonBitmapBoxObject::Assign(const TPersistent* Source) {
  TDvBitmapBoxObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvButtonBitmapBoxObject*>(Source)) {
    CopyLink(FHotBitmap.get(), S->FHotBitmap.get());
    CopyLink(FFocusedBitmap.get(), S->FFocusedBitmap.get());
    CopyLink(FPressedBitmap.get(), S->FPressedBitmap.get());
    CopyLink(FDisabledBitmap.get(), S->FDisabledBitmap.get());
  }
}

void TDvButtonBitmapBoxObject::UpdateLinks() {
  TDvBitmapBoxObject::UpdateLinks();
  for (TLinkPtr* L : {&FHotBitmap, &FFocusedBitmap, &FPressedBitmap, &FDisabledBitmap}) RebindLink(*L, {});
}

// [Colour buttons and roll panels] -------------------------------------------------------------

const TClassInfo& TDvColorButtonObject::StaticClassInfo() {
  using O = TDvColorButtonObject;
  static const TPropInfo Properties[] = {
      ColorProperty<&O::HotColor, &O::SetHotColor>("HotColor"),
      ClassProperty<&O::HotFont>("HotFont"),
      ColorProperty<&O::PressedColor, &O::SetPressedColor>("PressedColor"),
      ClassProperty<&O::PressedFont>("PressedFont"),
      ColorProperty<&O::FocusedColor, &O::SetFocusedColor>("FocusedColor"),
      ClassProperty<&O::FocusedFont>("FocusedFont"),
      ColorProperty<&O::DisabledColor, &O::SetDisabledColor>("DisabledColor"),
      ClassProperty<&O::DisabledFont>("DisabledFont"),
  };
  static const TClassInfo Info{"TDvColorButtonObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvColorButtonObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvColorButtonObject*>(Source)) {
    FHotColor = S->FHotColor;
    FPressedColor = S->FPressedColor;
    FFocusedColor = S->FFocusedColor;
    FDisabledColor = S->FDisabledColor;
    CopyFont(FHotFont.get(), S->FHotFont.get());
    CopyFont(FPressedFont.get(), S->FPressedFont.get());
    CopyFont(FFocusedFont.get(), S->FFocusedFont.get());
    CopyFont(FDisabledFont.get(), S->FDisabledFont.get());
  }
}

const TClassInfo& TDvRollPanelObject::StaticClassInfo() {
  using O = TDvRollPanelObject;
  static const TPropInfo Properties[] = {
      EnumProperty<&O::RollKind, &O::SetRollKind>("RollKind", DvRollKindNames()),
      IntegerProperty<&O::RollValue, &O::SetRollValue>("RollValue"),
  };
  static const TClassInfo Info{"TDvRollPanelObject", &TDvSkinObject::StaticClassInfo(), Properties, {},
                               &CreateComponent<O>};
  return Info;
}

void TDvRollPanelObject::Assign(const TPersistent* Source) {
  TDvSkinObject::Assign(Source);
  if (const auto* S = dynamic_cast<const TDvRollPanelObject*>(Source)) {
    FRollKind = S->FRollKind;
    FRollValue = S->FRollValue;
  }
}
