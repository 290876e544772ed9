// The two bases of every skinned control: TVxControl (a window with its own canvas) and
// TVxGraphicControl (windowless, painted on its parent). They supply the paint pipeline with its
// three buffering modes, the frame of bevels and border rings (windowed controls), the hot and
// focus flags with OnMouseEnter / OnMouseLeave, and the theme binding the concrete controls
// follow: which theme applies, whether it defines the control, repainting when it changes.
//
// A concrete control registers with the theme manager as the last step of its constructor and
// unregisters first in its destructor; the bases repaint on the change codes that replace or
// remove a theme or its colours (ThemeChanged). Windows only.
#pragma once

#include <memory>
#include <string>

#include "framework/core/set.h"
#include "framework/ui/controls.h"

class TvxCustomThemeLink;
class TvxTheme;

enum class TVxPerformance { zqpNoBuffer, zqpSharedBuffer, zqpDoubleBuffer };
enum class TVxBevelCut { kbvNone, kbvLowered, kbvRaised, kbvSpace, kbvBorder, kbvFlatBorder };
enum class TVxBevelSide { kbsLeft, kbsTop, kbsRight, kbsBottom };
using TVxBevelSides = TSet<TVxBevelSide>;
enum class TVxBevelKind { kbkNone, kbkSingle, kbkTile, kbkSoft, kbkBorder, kbkFlat };

const TEnumInfo& PerformanceNames();
const TEnumInfo& BevelCutNames();
const TEnumInfo& BevelSideNames();
const TEnumInfo& BevelKindNames();

constexpr TVxBevelSides AllBevelSides{TVxBevelSide::kbsLeft, TVxBevelSide::kbsTop, TVxBevelSide::kbsRight,
                                      TVxBevelSide::kbsBottom};

// The engine bitmap every control in zqpSharedBuffer mode paints into: the screen's size plus
// 500 each way, allocated on the first paint that needs it.
class TvxBitmap;
TvxBitmap& SharedPaintBuffer();
TSize SharedPaintBufferSize();

class TVxControl : public TCustomControl {
 public:
  explicit TVxControl(TComponent* Owner = nullptr);
  ~TVxControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxPerformance Performance() const { return FPerformance; }
  void SetPerformance(TVxPerformance Value);
  // The pointer is over the control or one of its children.
  bool MouseInControl() const { return FMouseInControl; }
  // The control has the input focus as its focus notifications tell it; cleared when hidden.
  bool HasFocus() const { return FFocused; }
  // Font taken at the start of every paint; a control's theme font replaces it.
  TFont* PaintFont() const { return FPaintFont.get(); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // The inner area: children align inside the frame.
  TRect ClientRect() override;
  void Loaded() override;

  // [Theme binding] The variant of the control's theme object it asks for ("default").
  const std::string& ThemeObject() const { return FThemeObject; }
  virtual void SetThemeObject(const std::string& Value);
  // Nil: the current theme. Only the controls that offer a link publish it.
  TvxCustomThemeLink* ThemeLink() const { return FThemeLink; }
  virtual void SetThemeLink(TvxCustomThemeLink* Value);
  // The link's theme when it has one, else the current theme; may be nil.
  TvxTheme* Theme() const;

 protected:
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // The frame between the outer rectangle and GetInnerRect.
  virtual void PaintBorder();
  // The content; the base fills the inner rectangle with Color.
  virtual void PaintClient();
  virtual TRect GetInnerRect();
  // Every bevel and border setter calls it before repainting.
  virtual void BorderChanged() {}
  virtual void FocusEnter();
  virtual void FocusExit();
  // TM_THEMECHANGE: repaints for the codes that replace, set or remove the theme or change its
  // colours; a control that keeps theme fonts or a layout does more.
  virtual void ThemeChanged(uintptr_t Code);

  // [Frame] Published by the controls that offer it.
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TVxBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TVxBevelCut Value);
  TVxBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TVxBevelCut Value);
  TVxBevelSides BevelSides() const { return FBevelSides; }
  void SetBevelSides(TVxBevelSides Value);
  TVxBevelKind BevelKind() const { return FBevelKind; }
  void SetBevelKind(TVxBevelKind Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  bool SystemFrame() const { return FSystemFrame; }
  void SetSystemFrame(bool Value) { FSystemFrame = Value; }

  Integer CachedWidth() const { return FCachedWidth; }
  Integer CachedHeight() const { return FCachedHeight; }

 private:
  void FrameChanged();
  void PaintBevel(TRect& R, TVxBevelCut Cut, bool Outer);
  void EraseInto(TMessage& Message);

  TVxPerformance FPerformance = TVxPerformance::zqpNoBuffer;
  bool FFocused = false;
  bool FMouseInControl = false;
  std::unique_ptr<TFont> FPaintFont;
  Integer FBorderWidth = 0;
  TVxBevelCut FBevelInner = TVxBevelCut::kbvLowered;
  TVxBevelCut FBevelOuter = TVxBevelCut::kbvLowered;
  TVxBevelSides FBevelSides = AllBevelSides;
  TVxBevelKind FBevelKind = TVxBevelKind::kbkNone;
  Integer FBevelWidth = 0;
  bool FSystemFrame = true;
  Integer FCachedWidth = 0;
  Integer FCachedHeight = 0;
  std::string FThemeObject = "default";
  TvxCustomThemeLink* FThemeLink = nullptr;
};

class TVxGraphicControl : public TGraphicControl {
 public:
  explicit TVxGraphicControl(TComponent* Owner = nullptr);
  ~TVxGraphicControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxPerformance Performance() const { return FPerformance; }
  void SetPerformance(TVxPerformance Value);
  bool MouseInControl() const { return FMouseInControl; }
  TFont* PaintFont() const { return FPaintFont.get(); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void Loaded() override;

  // [Theme binding] Windowless controls always use the current theme.
  const std::string& ThemeObject() const { return FThemeObject; }
  virtual void SetThemeObject(const std::string& Value);
  TvxTheme* Theme() const;

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseEnter() override;
  void MouseLeave() override;
  virtual void PaintClient();
  virtual void ThemeChanged(uintptr_t Code);

 private:
  bool FMouseInControl = false;
  std::unique_ptr<TFont> FPaintFont;
  TVxPerformance FPerformance = TVxPerformance::zqpNoBuffer;
  std::string FThemeObject = "default";
};

// The change codes on which a themed control repaints: a theme replaced, set or removed, or the
// colours changed.
bool ThemeChangeRepaints(uintptr_t Code);
