// Skinned push buttons, check boxes and radio buttons.
//
// TVxButton is a push button with a caption, default and cancel roles that answer Enter and
// Escape on its form, and a modal result it hands to the form when clicked. TVxCheckBox cycles
// through two or three states; TVxRadioButton checks itself and unchecks the radio buttons of the
// same parent and group. Each paints through its theme when the theme defines it, otherwise in
// the platform's visual style or in the classic look. Windows only.
#pragma once

#include <memory>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_button_art.h"
#include "vexel/controls/vx_controls.h"
#include "vexel/forms/vx_form_options.h"

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TVxCheckBoxState { kcbsUnChecked, kcbsChecked, kcbsMixed };
enum class TVxLeftRight { kalLeftJustify, kalRightJustify };
const TEnumInfo& BitBtnKindNames();
const TEnumInfo& ButtonLayoutNames();
const TEnumInfo& VxCheckBoxStateNames();
const TEnumInfo& LeftRightNames();

class TVxButton : public TVxControl {
 public:
  explicit TVxButton(TComponent* Owner = nullptr);
  ~TVxButton() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The button acts as its form's default button now: it is Default and the focus is on no
  // other push button.
  bool ActiveDefault() const { return FActiveDefault; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // A kind other than bkCustom sets Default and ModalResult from the kind and takes the kind's
  // glyph (normal and disabled) from the program's resources; the caption stays.
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Without a theme: the parent shows through instead of a fill in Color.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Pressed() const { return FPressed; }
  using TVxControl::SetThemeLink;
  using TVxControl::ThemeLink;

  // [Glyph] A strip of NumGlyphs images side by side: normal, disabled, pressed (the rest unused).
  // Its bottom-left pixel is the key colour. A width that is 2, 3 or 4 times the height sets
  // NumGlyphs.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  Integer NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // Grey glyph except while hot.
  bool BlackAndWhiteGlyph() const { return FBlackAndWhiteGlyph; }
  void SetBlackAndWhiteGlyph(bool Value);
  // Without a Glyph, image ImageIndex of Images is the glyph (its key colour magenta).
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  // Applied to the caption's font, themed or not; a change repaints.
  TVxFontOptions* FontOptions() const { return FFontOptions.get(); }
  void SetFontOptions(const TVxFontOptions* Value) { FFontOptions->Assign(Value); }

  // The modal result goes to the form first, then the action or OnClick runs.
  void Click() override;

  // [Layout] In the button's coordinates.
  virtual TRect GetContentRect();
  virtual TRect GetCaptionRect();
  virtual TRect GetGlyphRect();

 protected:
  virtual void PaintFace();
  virtual void PaintGlyph();
  virtual void PaintCaption();
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  bool Themed() const;
  // 3 disabled, 2 pressed, 1 hot, 4 focused, then 6 for the active default (Face) or 0.
  Byte ButtonState(bool Face) const;
  // The theme font of the state, else the paint font, on the canvas.
  void SelectCaptionFont();
  void UpdateActiveDefault(TWinControl* Focused);
  bool TakesKeys() const;
  void GlyphChanged();
  // Glyph, else the image of Images, else none; rebuilt on every call.
  TButtonGlyph EffectiveGlyph();
  // The size of one image of the effective glyph strip; 0 x 0 without one.
  TSize GlyphSize();

  bool FActiveDefault = false;
  bool FDefault = false;
  bool FMouseCaptured = false;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FEffectiveGlyph;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  TBitBtnKind FKind = TBitBtnKind::bkCustom;
  Integer FNumGlyphs = 1;
  Integer FSpacing = 4;
  bool FPressed = false;
  TModalResult FModalResult = 0;
  bool FBlackAndWhiteGlyph = false;
  bool FCancel = false;
  bool FWordWrap = false;
  bool FTransparent = false;
  TCustomImageList* FImages = nullptr;
  Integer FImageIndex = -1;
  std::unique_ptr<TVxFontOptions> FFontOptions;
  TAlignment FAlignment = TAlignment::taCenter;
};

// What a check box and a radio button share: a mark beside a caption, pressed by the left button
// or Space and activated on release inside, or by the caption's accelerator.
class TVxCustomCheckControl : public TVxControl {
 public:
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TVxLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TVxLeftRight Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Pressed() const { return FPressed; }
  using TVxControl::SetThemeLink;
  using TVxControl::ThemeLink;

  // OnClick, except while the component is loading.
  void Click() override;
  virtual TSize GetCheckSize() { return {13, 13}; }
  TRect GetCheckRect();
  TRect GetCaptionRect();

 protected:
  // Kind: 0 a check box, 1 a radio button (the theme's check group).
  TVxCustomCheckControl(TComponent* Owner, Byte Kind, bool Transparent);
  ~TVxCustomCheckControl() override;

  // A release of the press inside the control, Space released, or the accelerator once focused.
  virtual void Activate() = 0;
  // The mark's state as the check group draws it.
  virtual TVxCheckBoxState MarkState() const = 0;
  virtual void PaintCheck();
  virtual void PaintCaption();
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;

 private:
  void Release();

  Byte FKind;
  Integer FSpacing = 5;
  bool FPressed = false;
  TVxLeftRight FAlignment = TVxLeftRight::kalLeftJustify;
  bool FWordWrap = false;
  bool FTransparent;
};

class TVxCheckBox : public TVxCustomCheckControl {
 public:
  explicit TVxCheckBox(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxCheckBoxState State() const { return FState; }
  // A new state is a click: OnClick runs.
  void SetState(TVxCheckBoxState Value);
  bool Checked() const { return FState == TVxCheckBoxState::kcbsChecked; }
  void SetChecked(bool Value) { SetState(Value ? TVxCheckBoxState::kcbsChecked : TVxCheckBoxState::kcbsUnChecked); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }

  // Unchecked → mixed (AllowGrayed) or checked; checked → unchecked; mixed → checked.
  virtual void Toggle();

 protected:
  void Activate() override { Toggle(); }
  TVxCheckBoxState MarkState() const override { return FState; }

 private:
  TVxCheckBoxState FState = TVxCheckBoxState::kcbsUnChecked;
  bool FAllowGrayed = false;
};

class TVxRadioButton : public TVxCustomCheckControl {
 public:
  explicit TVxRadioButton(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Checked() const { return FChecked; }
  // Checking unchecks the radio buttons with the same parent and GroupIndex; the checked one is
  // the group's tab stop.
  void SetChecked(bool Value);
  Byte GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte Value) { FGroupIndex = Value; }
  bool ItemTabStop() const { return FItemTabStop; }
  void SetItemTabStop(bool Value) { FItemTabStop = Value; }

 protected:
  // Focusing a radio button checks it, so the accelerator only needs the focus.
  void Activate() override {
    if (!FChecked) SetChecked(true);
  }
  TVxCheckBoxState MarkState() const override {
    return FChecked ? TVxCheckBoxState::kcbsChecked : TVxCheckBoxState::kcbsUnChecked;
  }
  void FocusEnter() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool WantsKey(uint16_t Key) const override;

 private:
  // The next (Forward) or previous radio button of the group in tab order, wrapping; nil alone.
  TVxRadioButton* Neighbour(bool Forward) const;

  bool FChecked = false;
  Byte FGroupIndex = 0;
  bool FItemTabStop = true;
};
