#include "vexel/forms/vx_form_options.h"

#include <algorithm>

#include "framework/graphics/font.h"

bool UseGlobalPopupOptions = false;

// [TVxBlending] ---------------------------------------------------------------------------------

TVxBlending::TVxBlending() = default;

const TClassInfo& TVxBlending::StaticClassInfo() {
  using C = TVxBlending;
  static const TPropInfo Properties[] = {
      BooleanProperty<&C::Enabled, &C::SetEnabled>("Enabled", false),
      IntegerProperty<&C::Value, &C::SetValue>("Value", 150),
  };
  static const TClassInfo Info{"TVxBlending", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxBlending::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxBlending*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FEnabled = Other->FEnabled;
  FValue = Other->FValue;
  Changed();
}

void TVxBlending::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed();
}

void TVxBlending::SetValue(Integer Value) {
  Value = std::clamp(Value, 0, 255);
  if (Value == FValue) return;
  FValue = Value;
  Changed();
}

// [TVxShadow] -----------------------------------------------------------------------------------

TVxShadow::TVxShadow() = default;

const TClassInfo& TVxShadow::StaticClassInfo() {
  using C = TVxShadow;
  static const TPropInfo Properties[] = {
      BooleanProperty<&C::Enabled, &C::SetEnabled>("Enabled", false),
      IntegerProperty<&C::Size, &C::SetSize>("Size", 4),
  };
  static const TClassInfo Info{"TVxShadow", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxShadow::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxShadow*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FEnabled = Other->FEnabled;
  FSize = Other->FSize;
  Changed();
}

void TVxShadow::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed();
}

void TVxShadow::SetSize(Integer Value) {
  Value = std::min(Value, 20);
  const bool Enabled = Value > 0 && FEnabled;
  if (Value == FSize && Enabled == FEnabled) return;
  FSize = Value;
  FEnabled = Enabled;
  Changed();
}

// [TVxGravitation] ------------------------------------------------------------------------------

TVxGravitation::TVxGravitation() = default;

const TClassInfo& TVxGravitation::StaticClassInfo() {
  using C = TVxGravitation;
  static const TPropInfo Properties[] = {
      BooleanProperty<&C::Enabled, &C::SetEnabled>("Enabled", true),
      IntegerProperty<&C::Size, &C::SetSize>("Size", 20),
  };
  static const TClassInfo Info{"TVxGravitation", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxGravitation::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxGravitation*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FEnabled = Other->FEnabled;
  FSize = Other->FSize;
}

void TVxGravitation::SetSize(Integer Value) { FSize = std::clamp(Value, 1, 50); }

// [TVxDragging] ---------------------------------------------------------------------------------

const TEnumInfo& FormDragModeNames() {
  static const char* const Names[] = {"kfdmBorder", "kfdmFullDrag"};
  static const TEnumInfo Info{Names};
  return Info;
}

TVxDragging::TVxDragging() = default;

const TClassInfo& TVxDragging::StaticClassInfo() {
  using C = TVxDragging;
  static const TPropInfo Properties[] = {
      BooleanProperty<&C::Moveable, &C::SetMoveable>("Moveable", true),
      BooleanProperty<&C::Sizeable, &C::SetSizeable>("Sizeable", true),
      EnumProperty<&C::DragMode, &C::SetDragMode>("DragMode", FormDragModeNames(),
                                                  int64_t(TVxFormDragMode::kfdmFullDrag)),
  };
  static const TClassInfo Info{"TVxDragging", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxDragging::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxDragging*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FMoveable = Other->FMoveable;
  FSizeable = Other->FSizeable;
  FDragMode = Other->FDragMode;
}

// [TVxAnimation] --------------------------------------------------------------------------------

const TEnumInfo& DirectionNames() {
  static const char* const Names[] = {"kdNone", "kdNoRotate", "kdRotate90", "kdRotate180", "kdRotate270"};
  static const TEnumInfo Info{Names};
  return Info;
}

TVxAnimation::TVxAnimation() : FAnimationRec(std::make_unique<TvxAnimationRec>()) {}

TVxAnimation::~TVxAnimation() = default;

const TClassInfo& TVxAnimation::StaticClassInfo() {
  using C = TVxAnimation;
  // EffectKind has no default: it is always stored.
  static const TPropInfo Properties[] = {
      EnumProperty<&C::Direction, &C::SetDirection>("Direction", DirectionNames(), int64_t(TVxDirection::kdNone)),
      StringProperty<&C::EffectKind, &C::SetEffectKind>("EffectKind"),
      BooleanProperty<&C::Enabled, &C::SetEnabled>("Enabled", false),
      IntegerProperty<&C::Resolution, &C::SetResolution>("Resolution", 1),
      IntegerProperty<&C::TileCount, &C::SetTileCount>("TileCount", 1),
      IntegerProperty<&C::Time, &C::SetTime>("Time", 400),
  };
  static const TClassInfo Info{"TVxAnimation", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxAnimation::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxAnimation*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FAnimationRec->Assign(Other->FAnimationRec.get());
}

TVxDirection TVxAnimation::Direction() const {
  switch (FAnimationRec->Rotation()) {
    case TvxRotation::krRotate90: return TVxDirection::kdRotate90;
    case TvxRotation::krRotate180: return TVxDirection::kdRotate180;
    case TvxRotation::krRotate270: return TVxDirection::kdRotate270;
    default: return TVxDirection::kdNone;
  }
}

void TVxAnimation::SetDirection(TVxDirection Value) {
  switch (Value) {
    case TVxDirection::kdRotate90: return FAnimationRec->SetRotation(TvxRotation::krRotate90);
    case TVxDirection::kdRotate180: return FAnimationRec->SetRotation(TvxRotation::krRotate180);
    case TVxDirection::kdRotate270: return FAnimationRec->SetRotation(TvxRotation::krRotate270);
    default: return FAnimationRec->SetRotation(TvxRotation::krNone);
  }
}

// [Bundles] -------------------------------------------------------------------------------------

TVxOptionBundle::TVxOptionBundle()
    : FBlending(std::make_unique<TVxBlending>()),
      FShadow(std::make_unique<TVxShadow>()),
      FAnimation(std::make_unique<TVxAnimation>()) {}

TVxOptionBundle::~TVxOptionBundle() = default;

const TClassInfo& TVxOptionBundle::StaticClassInfo() {
  using C = TVxOptionBundle;
  static const TPropInfo Properties[] = {
      ClassProperty<&C::Blending>("Blending"),
      ClassProperty<&C::Shadow>("Shadow"),
      ClassProperty<&C::Animation>("Animation"),
  };
  static const TClassInfo Info{"TVxOptionBundle", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxOptionBundle::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxOptionBundle*>(Source);
  // Form options and popup menu options share their properties but not their class.
  if (!Other || !Source->ClassInfo().InheritsFrom(ClassInfo())) return TPersistent::Assign(Source);
  FBlending->Assign(Other->FBlending.get());
  FShadow->Assign(Other->FShadow.get());
  FAnimation->Assign(Other->FAnimation.get());
  Changed();
}

void TVxOptionBundle::SetBlending(const TVxBlending* Value) {
  FBlending->Assign(Value);
  Changed();
}

void TVxOptionBundle::SetShadow(const TVxShadow* Value) {
  FShadow->Assign(Value);
  Changed();
}

void TVxOptionBundle::SetAnimation(const TVxAnimation* Value) {
  FAnimation->Assign(Value);
  Changed();
}

TVxFormOptions::TVxFormOptions() = default;

const TClassInfo& TVxFormOptions::StaticClassInfo() {
  static const TClassInfo Info{"TVxFormOptions", &TVxOptionBundle::StaticClassInfo(), {}};
  return Info;
}

TVxPopupMenuOptions::TVxPopupMenuOptions() = default;

const TClassInfo& TVxPopupMenuOptions::StaticClassInfo() {
  static const TClassInfo Info{"TVxPopupMenuOptions", &TVxOptionBundle::StaticClassInfo(), {}};
  return Info;
}

// [TVxFontOptions] ------------------------------------------------------------------------------

const TClassInfo& TVxFontOptions::StaticClassInfo() {
  using C = TVxFontOptions;
  static const TPropInfo Properties[] = {
      BooleanProperty<&C::Bold, &C::SetBold>("Bold", false),
      BooleanProperty<&C::Italic, &C::SetItalic>("Italic", false),
      IntegerProperty<&C::SizeDelta, &C::SetSizeDelta>("SizeDelta", 0),
      StringProperty<&C::FontName, &C::SetFontName>("FontName"),
      ColorProperty<&C::FontColor, &C::SetFontColor>("FontColor", clNone),
      BooleanProperty<&C::StrikeOut, &C::SetStrikeOut>("StrikeOut", false),
      BooleanProperty<&C::Underline, &C::SetUnderline>("Underline", false),
  };
  static const TClassInfo Info{"TVxFontOptions", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxFontOptions::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxFontOptions*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FBold = Other->FBold;
  FItalic = Other->FItalic;
  FSizeDelta = Other->FSizeDelta;
  FFontName = Other->FFontName;
  FFontColor = Other->FFontColor;
  FStrikeOut = Other->FStrikeOut;
  FUnderline = Other->FUnderline;
  Changed();
}

void TVxFontOptions::ApplyTo(TFont* Font) const {
  if (!Font) return;
  TFontStyles Style = Font->Style();
  if (FBold) Style.Include(TFontStyle::fsBold);
  if (FItalic) Style.Include(TFontStyle::fsItalic);
  if (FUnderline) Style.Include(TFontStyle::fsUnderline);
  if (FStrikeOut) Style.Include(TFontStyle::fsStrikeOut);
  Font->SetStyle(Style);
  // A font given by pixel height keeps it exactly when there is nothing to add.
  if (FSizeDelta != 0) Font->SetSize(Font->Size() + FSizeDelta);
  if (!FFontName.empty()) Font->SetName(FFontName);
  if (FFontColor != clNone) Font->SetColor(FFontColor);
}

// [Popup defaults] ------------------------------------------------------------------------------

TVxBlending& GlobalBlending() {
  static TVxBlending Instance;
  return Instance;
}

TVxShadow& GlobalShadow() {
  static TVxShadow Instance;
  return Instance;
}

TVxAnimation& GlobalAnimation() {
  static TVxAnimation Instance;
  return Instance;
}
