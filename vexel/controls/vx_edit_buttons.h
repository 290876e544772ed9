// The edits with a button beside the text: TVxInplaceControlEdit hosts any child control as its
// button, TVxEditButton a push button (optionally with an ellipsis glyph), TVxSpinEdit a numeric
// editor with a spin button. Each owns its button as a child control. Windows only.
#pragma once

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_spinbutton.h"

class TVxButton;

enum class TVxButtonAlign { baLeft, baRight };
enum class TGlyphKind { gkCustom, gkDefault, gkEllipsis };
enum class TVxSpinValueType { vtInteger, vtFloat, vtHex };
const TEnumInfo& ButtonAlignNames();
const TEnumInfo& GlyphKindNames();
const TEnumInfo& SpinValueTypeNames();

class TVxInplaceControlEdit : public TVxEdit {
 public:
  explicit TVxInplaceControlEdit(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Made by CreateButton on first use.
  TVxControl* Button();
  TVxButtonAlign ButtonAlign() const { return FButtonAlign; }
  void SetButtonAlign(TVxButtonAlign Value);
  Integer ButtonWidthValue() const { return Self()->GetButtonWidth(); }
  void SetButtonWidthValue(Integer Value) { SetButtonWidth(Value); }
  std::string ButtonHint() const { return Self()->Button()->Hint(); }
  void SetButtonHint(const std::string& Value) { Button()->SetHint(Value); }
  bool ButtonShowHint() const { return Self()->Button()->ShowHint(); }
  void SetButtonShowHint(bool Value) { Button()->SetShowHint(Value); }
  // Kept for old form files; no effect.
  bool ButtonTransparent() const { return FButtonTransparent; }
  void SetButtonTransparent(bool Value) { FButtonTransparent = Value; }
  std::vector<TListValue> WriteButtonData() const;
  bool ReadButtonData(const std::vector<TListValue>& Values);

  TNotifyEvent OnButtonClick;

  void GetTextRect(TRect& R) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  // [Virtuals added, in order]
  virtual TVxControl* CreateButton();
  virtual Integer GetButtonHeight();
  virtual Integer GetButtonWidth();
  virtual void SetButtonWidth(Integer Value);
  virtual bool IsButtonWidthStored();
  virtual void UpdateButtonBounds();

 protected:
  virtual void ButtonClick();
  void PaintBackground(const TRect& R, TCanvas& Canvas) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  bool ThemeDefinesButtonEdit();

 private:
  // The form-file getters are const; the button is made on first use.
  TVxInplaceControlEdit* Self() const { return const_cast<TVxInplaceControlEdit*>(this); }
  TVxControl* FButton = nullptr;
  TVxButtonAlign FButtonAlign = TVxButtonAlign::baRight;
  bool FButtonTransparent = false;
};

class TVxEditButton : public TVxInplaceControlEdit {
 public:
  explicit TVxEditButton(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxButton* PushButton();
  TBitmap* Glyph();
  void SetGlyph(const TBitmap* Value);
  Integer NumGlyphs() const;
  void SetNumGlyphs(Integer Value);
  std::string ButtonCaption() const { return const_cast<TVxEditButton*>(this)->Button()->Caption(); }
  void SetButtonCaption(const std::string& Value) { Button()->SetCaption(Value); }
  bool ButtonTabStop() const { return FButtonTabStop; }
  void SetButtonTabStop(bool Value);
  TGlyphKind GlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TGlyphKind Value);

  TVxControl* CreateButton() override;
  void SetButtonWidth(Integer Value) override;
  // None in this class.
  virtual TBitmap* GetDefaultGlyph() { return nullptr; }

 private:
  void ApplyGlyphKind();
  TGlyphKind FGlyphKind = TGlyphKind::gkCustom;
  bool FButtonTabStop = false;
};

// The glyph of gkEllipsis for a button ButtonWidth wide: three 2 x 2 black dots on white.
std::unique_ptr<TBitmap> EllipsisGlyph(Integer ButtonWidth);

class TVxSpinEdit : public TVxInplaceControlEdit {
 public:
  explicit TVxSpinEdit(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxSpinButton* SpinButton();
  // Read from the text; MinValue when the text is no number.
  double Value();
  void SetValue(double V);
  TVxSpinValueType ValueType() const { return FValueType; }
  void SetValueType(TVxSpinValueType Value);
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value);
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value);
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value);
  double LargeStep() const { return FLargeStep; }
  void SetLargeStep(double Value) { FLargeStep = Value; }
  Byte Decimal() const { return FDecimal; }
  void SetDecimal(Byte Value);
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value) { FArrowKeys = Value; }
  // Passed to the spin button.
  bool EnabledSlider() const;
  void SetEnabledSlider(bool Value);
  TBitmap* UpGlyph() const;
  void SetUpGlyph(const TBitmap* Value);
  TBitmap* DownGlyph() const;
  void SetDownGlyph(const TBitmap* Value);
  Integer UpNumGlyphs() const;
  void SetUpNumGlyphs(Integer Value);
  Integer DownNumGlyphs() const;
  void SetDownNumGlyphs(Integer Value);
  // Form-file views of the numbers.
  std::string ValueText() const { return Format(const_cast<TVxSpinEdit*>(this)->Value(), true); }
  void SetValueText(const std::string& S) { SetValue(std::strtod(S.c_str(), nullptr)); }
  std::string MinValueText() const { return Format(FMinValue, true); }
  void SetMinValueText(const std::string& S) { SetMinValue(std::strtod(S.c_str(), nullptr)); }
  std::string MaxValueText() const { return Format(FMaxValue, true); }
  void SetMaxValueText(const std::string& S) { SetMaxValue(std::strtod(S.c_str(), nullptr)); }
  std::string IncrementText() const { return Format(FIncrement, true); }
  void SetIncrementText(const std::string& S) { SetIncrement(std::strtod(S.c_str(), nullptr)); }
  std::string LargeStepText() const { return Format(FLargeStep, true); }
  void SetLargeStepText(const std::string& S) { SetLargeStep(std::strtod(S.c_str(), nullptr)); }

  TVxChangingEvent OnChanging;
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void StepUp(double S);
  void StepDown(double S);
  TVxControl* CreateButton() override;

 protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void FocusExit() override;
  void Change() override;
  bool EditingLocked() const override { return ReadOnly() || !FEditorEnabled; }
  bool TakesWideChar(wchar_t Char) override;

 private:
  double Clamped(double V) const;
  std::wstring TextOf(double V) const;
  static std::string Format(double V, bool Plain);
  void Step(double S, bool Up, bool ByIncrement);
  bool Refused(char Key) const;
  TVxSpinButton* Spin() const;
  void SliderMoved(bool& Allow);
  void FollowValue();
  void UpdateSliderRange();

  double FMinValue = 0, FMaxValue = 0, FIncrement = 1, FLargeStep = 10;
  TVxSpinValueType FValueType = TVxSpinValueType::vtInteger;
  Byte FDecimal = 2;
  bool FEditorEnabled = true;
  bool FArrowKeys = true;
  bool FSilent = false;
  bool FFollowingValue = false;
};
