// Option objects that skinned forms, popup menus and controls expose as stored sub-properties:
// translucency, drop shadow, snapping to screen edges, moving and sizing, the show transition,
// bundles of these for menus, and font adjustments.
//
// Each is owned by the component that exposes it; setting that component's property copies the
// values in (Assign). The owner sets OnChange after creating the object and hears every change
// of a value through it (where the class has one). The classes register themselves with the
// class registry on first use.
#pragma once

#include <memory>
#include <string>

#include "framework/core/classes.h"
#include "framework/graphics/colors.h"
#include "framework/ui/controls.h"
#include "vexel/graphics/vx_effect.h"

class TFont;

// The change callback of the option classes: called with the option object, and only when set.
class TVxOptionsBase : public TPersistent {
 public:
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  void Changed() {
    if (FOnChange) FOnChange(this);
  }

 private:
  TNotifyEvent FOnChange;
};

// Opacity of a whole window, 0..255.
class TVxBlending : public TVxOptionsBase {
 public:
  TVxBlending();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Integer Value() const { return FValue; }
  void SetValue(Integer Value);

 private:
  bool FEnabled = false;
  Integer FValue = 150;
};

// A soft shadow of Size pixels right of and below the window.
class TVxShadow : public TVxOptionsBase {
 public:
  TVxShadow();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Above 20 becomes 20; 0 or less is stored and switches the shadow off.
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);

 private:
  bool FEnabled = false;
  Integer FSize = 4;
};

// Snapping of a dragged window to the work area's edges closer than Size pixels (1..50).
// No change callback.
class TVxGravitation : public TPersistent {
 public:
  TVxGravitation();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);

 private:
  bool FEnabled = true;
  Integer FSize = 20;
};

// kfdmBorder: an outline follows the pointer and the window changes once at release;
// kfdmFullDrag: the window follows the pointer.
enum class TVxFormDragMode { kfdmBorder, kfdmFullDrag };
const TEnumInfo& FormDragModeNames();

// Moving by the caption and sizing by edges, corners and size grips. No change callback.
class TVxDragging : public TPersistent {
 public:
  TVxDragging();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  bool Moveable() const { return FMoveable; }
  void SetMoveable(bool Value) { FMoveable = Value; }
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value) { FSizeable = Value; }
  TVxFormDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TVxFormDragMode Value) { FDragMode = Value; }

 private:
  bool FMoveable = true;
  bool FSizeable = true;
  TVxFormDragMode FDragMode = TVxFormDragMode::kfdmFullDrag;
};

enum class TVxDirection { kdNone, kdNoRotate, kdRotate90, kdRotate180, kdRotate270 };
const TEnumInfo& DirectionNames();

// The transition played when a window is shown. Keeps no values of its own: every property reads
// and writes the animation record it owns, whose setters apply the limits.
class TVxAnimation : public TPersistent {
 public:
  TVxAnimation();
  ~TVxAnimation() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  TvxAnimationRec& AnimationRec() const { return *FAnimationRec; }

  // kdRotate90..kdRotate270 are the record's quarter turns; anything else is krNone and reads
  // back as kdNone.
  TVxDirection Direction() const;
  void SetDirection(TVxDirection Value);
  const std::string& EffectKind() const { return FAnimationRec->Effect(); }
  void SetEffectKind(const std::string& Value) { FAnimationRec->SetEffect(Value); }
  bool Enabled() const { return FAnimationRec->Enabled(); }
  void SetEnabled(bool Value) { FAnimationRec->SetEnabled(Value); }
  Integer Resolution() const { return FAnimationRec->Resolution(); }
  void SetResolution(Integer Value) { FAnimationRec->SetResolution(Value); }
  Integer TileCount() const { return FAnimationRec->TileCount(); }
  void SetTileCount(Integer Value) { FAnimationRec->SetTileCount(Value); }
  Integer Time() const { return FAnimationRec->Time(); }
  void SetTime(Integer Value) { FAnimationRec->SetTime(Value); }

 private:
  std::unique_ptr<TvxAnimationRec> FAnimationRec;
};

// Blending, shadow and show animation together. Each setter copies and then reports a change.
// The stored properties of both bundles are this class's.
class TVxOptionBundle : public TVxOptionsBase {
 public:
  ~TVxOptionBundle() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  TVxBlending* Blending() const { return FBlending.get(); }
  void SetBlending(const TVxBlending* Value);
  TVxShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TVxShadow* Value);
  TVxAnimation* Animation() const { return FAnimation.get(); }
  void SetAnimation(const TVxAnimation* Value);

 protected:
  TVxOptionBundle();

 private:
  std::unique_ptr<TVxBlending> FBlending;
  std::unique_ptr<TVxShadow> FShadow;
  std::unique_ptr<TVxAnimation> FAnimation;
};

class TVxFormOptions : public TVxOptionBundle {
 public:
  TVxFormOptions();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TVxPopupMenuOptions : public TVxOptionBundle {
 public:
  TVxPopupMenuOptions();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// Adjustments of a control's paint font after the theme's font is taken.
class TVxFontOptions : public TVxOptionsBase {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  // Adds the styles that are set (never removes one), adds SizeDelta points, and sets the name and
  // colour unless they are empty and clNone. Nothing for a nil font.
  void ApplyTo(TFont* Font) const;

  bool Bold() const { return FBold; }
  void SetBold(bool Value) { Set(FBold, Value); }
  bool Italic() const { return FItalic; }
  void SetItalic(bool Value) { Set(FItalic, Value); }
  Integer SizeDelta() const { return FSizeDelta; }
  void SetSizeDelta(Integer Value) { Set(FSizeDelta, Value); }
  const std::string& FontName() const { return FFontName; }
  void SetFontName(const std::string& Value) { Set(FFontName, Value); }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { Set(FFontColor, Value); }
  bool StrikeOut() const { return FStrikeOut; }
  void SetStrikeOut(bool Value) { Set(FStrikeOut, Value); }
  bool Underline() const { return FUnderline; }
  void SetUnderline(bool Value) { Set(FUnderline, Value); }

 private:
  template <typename T>
  void Set(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

  bool FBold = false;
  bool FItalic = false;
  Integer FSizeDelta = 0;
  std::string FFontName;
  TColor FFontColor = clNone;
  bool FStrikeOut = false;
  bool FUnderline = false;
};

// The popup defaults: while UseGlobalPopupOptions is set, every popup menu copies these into its
// PopupMenuOptions before it pops up. They live for the whole run.
extern bool UseGlobalPopupOptions;
TVxBlending& GlobalBlending();
TVxShadow& GlobalShadow();
TVxAnimation& GlobalAnimation();
