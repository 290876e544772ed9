// TPanel: a container with an outer and an inner bevel, a border between them and a caption.
#pragma once

#include "framework/ui/controls.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
const TEnumInfo& PanelBevelNames();
const TEnumInfo& AlignmentNames();

// Draws Width rings inside R (top and left in TopColor, bottom and right in BottomColor) and
// shrinks R past them.
void Frame3D(TCanvas& Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width);

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  // Children align inside the bevels and the border.
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void Paint() override;

 private:
  void BorderChanged();

  TPanelBevel FBevelInner = TPanelBevel::bvNone;
  TPanelBevel FBevelOuter = TPanelBevel::bvRaised;
  Integer FBevelWidth = 1;
  Integer FBorderWidth = 0;
  TAlignment FAlignment = TAlignment::taCenter;
};
