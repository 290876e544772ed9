// Three simple skinned controls: a captioned frame around other controls, a panel and a label.
//
// TVxGroupBox frames its children under a caption; with UseCheckBox the caption is a check box
// (owned by the group box) whose state enables or disables every other child. TVxPanel is the
// framework's panel painted through the theme's panel group. TVxLabel is windowless static text
// that sizes itself to its caption and hands the focus to FocusControl on its accelerator. Each
// paints through the current theme when it defines the control, otherwise in the platform's
// visual style or the classic look. Windows only.
#pragma once

#include <string>

#include "framework/ui/panel.h"
#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_controls.h"

const TEnumInfo& TextLayoutNames();

class TVxGroupBox : public TVxControl {
 public:
  explicit TVxGroupBox(TComponent* Owner = nullptr);
  ~TVxGroupBox() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer CaptionMargin() const { return FCaptionMargin; }
  void SetCaptionMargin(Integer Value);
  bool UseCheckBox() const { return FUseCheckBox; }
  void SetUseCheckBox(bool Value);
  // With a check box: its state, and whether the other children are enabled.
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TVxLeftRight CheckBoxAlignment() const { return FCheckBoxAlignment; }
  void SetCheckBoxAlignment(TVxLeftRight Value);
  // Without a theme: the parent shows through instead of a fill in Color.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Nil unless UseCheckBox.
  TVxCheckBox* CheckBox() const { return FCheckBox; }

  // While a check box is used the group box itself stays enabled (its check box must stay
  // usable) and the value only reaches the other children through Checked.
  void SetEnabled(bool Value) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // Where the children go.
  TRect ClientRect() override;
  void Loaded() override;

  // [Layout] In the group box's coordinates.
  virtual void GetFrameRect(TRect& R);
  TRect CaptionRect();

  TNotifyEvent OnCheckBoxClick;

 protected:
  // The check box was clicked: OnClick, Checked follows the box, OnCheckBoxClick.
  virtual void CheckBoxClick();
  virtual TVxCheckBox* CreateCheckBox();
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void ThemeChanged(uintptr_t Code) override;

 private:
  bool Themed() const;
  // The caption's font on a screen context: the theme's group-box font or Font.
  void SelectCaptionFont(TFont& Into, bool Disabled) const;
  TSize CaptionExtent();
  Integer CheckBoxWidth();
  void ApplyCheckBox();
  void PlaceCheckBox();
  void EnabledChanged();

  Integer FCaptionMargin = 12;
  bool FUseCheckBox = false;
  bool FChecked = true;
  TVxLeftRight FCheckBoxAlignment = TVxLeftRight::kalLeftJustify;
  bool FTransparent = true;
  bool FOwnEnabled = true;
  bool FSettingChecked = false;
  TVxCheckBox* FCheckBox = nullptr;
};

class TVxPanel : public TPanel {
 public:
  explicit TVxPanel(TComponent* Owner = nullptr);
  ~TVxPanel() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value) { FThemeObject = Value; }
  // The theme's panel client area when it defines panels, else the framework's.
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;

 private:
  bool Themed() const;
  std::string FThemeObject = "default";
};

class TVxLabel : public TVxGraphicControl {
 public:
  explicit TVxLabel(TComponent* Owner = nullptr);
  ~TVxLabel() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // Without a theme: a fill in Color instead of the parent showing through.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Takes the focus when the caption's accelerator is typed; cleared when it is freed.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  // The bounds follow at once and the label repaints now.
  void SetText(const std::string& Value) override;
  void Loaded() override;

  virtual std::wstring GetLabelText();
  // With AutoSize: the bounds become the caption's measured size; a right-aligned label keeps
  // its right edge.
  virtual void AdjustBounds();

 protected:
  // DT_CALCRECT in Flags measures into R instead of drawing.
  virtual void DoDrawText(TRect& R, UINT Flags);
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void ThemeChanged(uintptr_t Code) override;

 private:
  bool Themed() const;
  UINT DrawFlags() const;
  void SelectTextFont(TFont& Into) const;

  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FAutoSize = true;
  TTextLayout FLayout = TTextLayout::tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FTransparent = true;
  TWinControl* FFocusControl = nullptr;
};
