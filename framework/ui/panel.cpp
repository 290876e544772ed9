#include "framework/ui/panel.h"

#include <windows.h>

namespace {
constexpr const char* PanelBevelValueNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
constexpr const char* AlignmentValueNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

void FillArea(TCanvas& Canvas, Integer L, Integer T, Integer R, Integer B, TColor Color) {
  if (R <= L || B <= T) return;
  Canvas.Brush().SetColor(Color);
  Canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  Canvas.FillRect(Rect(L, T, R, B));
}
}  // namespace

const TEnumInfo& PanelBevelNames() {
  static const TEnumInfo Info{PanelBevelValueNames};
  return Info;
}

const TEnumInfo& AlignmentNames() {
  static const TEnumInfo Info{AlignmentValueNames};
  return Info;
}

void Frame3D(TCanvas& Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width) {
  for (Integer I = 0; I < Width && !R.IsEmpty(); ++I) {
    FillArea(Canvas, R.Left, R.Top, R.Right - 1, R.Top + 1, TopColor);
    FillArea(Canvas, R.Left, R.Top, R.Left + 1, R.Bottom - 1, TopColor);
    FillArea(Canvas, R.Right - 1, R.Top, R.Right, R.Bottom, BottomColor);
    FillArea(Canvas, R.Left, R.Bottom - 1, R.Right, R.Bottom, BottomColor);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TPanel::Alignment, &TPanel::SetAlignment>("Alignment", AlignmentNames(),
                                                              int64_t(TAlignment::taCenter)),
      EnumProperty<&TPanel::BevelInner, &TPanel::SetBevelInner>("BevelInner", PanelBevelNames(),
                                                                int64_t(TPanelBevel::bvNone)),
      EnumProperty<&TPanel::BevelOuter, &TPanel::SetBevelOuter>("BevelOuter", PanelBevelNames(),
                                                                int64_t(TPanelBevel::bvRaised)),
      IntegerProperty<&TPanel::BevelWidth, &TPanel::SetBevelWidth>("BevelWidth", 1),
      IntegerProperty<&TPanel::BorderWidth, &TPanel::SetBorderWidth>("BorderWidth", 0),
  };
  static const TClassInfo Info{"TPanel", &TCustomControl::StaticClassInfo(), Properties, {}, &CreateComponent<TPanel>};
  return Info;
}

TPanel::TPanel(TComponent* Owner) : TCustomControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TPanel::BorderChanged() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  BorderChanged();
}

void TPanel::SetBevelOuter(TPanelBevel Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  BorderChanged();
}

void TPanel::SetBevelWidth(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  BorderChanged();
}

void TPanel::SetBorderWidth(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  BorderChanged();
}

void TPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& Rect) {
  Integer Inset = FBorderWidth;
  if (FBevelOuter != TPanelBevel::bvNone) Inset += FBevelWidth;
  if (FBevelInner != TPanelBevel::bvNone) Inset += FBevelWidth;
  Rect = ::Rect(Rect.Left + Inset, Rect.Top + Inset, Rect.Right - Inset, Rect.Bottom - Inset);
}

void TPanel::Paint() {
  TCanvas& C = *Canvas();
  TRect R = ClientRect();
  auto Bevel = [&](TPanelBevel Cut) {
    switch (Cut) {
      case TPanelBevel::bvNone: return;
      case TPanelBevel::bvLowered: return Frame3D(C, R, clBtnShadow, clBtnHighlight, FBevelWidth);
      case TPanelBevel::bvRaised: return Frame3D(C, R, clBtnHighlight, clBtnShadow, FBevelWidth);
      case TPanelBevel::bvSpace: return Frame3D(C, R, Color(), Color(), FBevelWidth);
    }
  };
  Bevel(FBevelOuter);
  Frame3D(C, R, Color(), Color(), FBorderWidth);
  Bevel(FBevelInner);
  FillArea(C, R.Left, R.Top, R.Right, R.Bottom, Color());
  if (!Caption().empty()) {
    C.Brush().SetStyle(TBrushStyle::bsClear);
    C.Font().Assign(Font());
    C.RequireObjects();
    SetBkMode(C.Handle(), TRANSPARENT);
    RECT Box{R.Left, R.Top, R.Right, R.Bottom};
    const UINT Align = FAlignment == TAlignment::taLeftJustify    ? DT_LEFT
                       : FAlignment == TAlignment::taRightJustify ? DT_RIGHT
                                                                  : DT_CENTER;
    DrawTextA(C.Handle(), Caption().c_str(), int(Caption().size()), &Box,
              Align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  TCustomControl::Paint();
}
