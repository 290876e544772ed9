// TVxProgressBar: a position between Min and Max shown as a smooth bar or as blocks, horizontal
// or vertical, through the current theme, the platform's visual style or the classic look.
// Windows only.
#pragma once

#include <vector>

#include "vexel/controls/vx_controls.h"

enum class TVxProgressOrientation { kpoHorizontal, kpoVertical };
const TEnumInfo& ProgressOrientationNames();

class TVxProgressBar : public TVxControl {
 public:
  explicit TVxProgressBar(TComponent* Owner = nullptr);
  ~TVxProgressBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer Position() const { return FPosition; }
  // Repaints at once when the shown fraction changes.
  void SetPosition(Integer Value);
  TVxProgressOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TVxProgressOrientation Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  bool ShowBorder() const { return FShowBorder; }
  void SetShowBorder(bool Value);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);

  // 0 .. 1; 0 when Position lies outside Min .. Max or the range is empty.
  float Fraction() const;
  // Inside the border.
  TRect GetBarArea();
  // The filled part of the area.
  TRect GetBarRect();
  // The blocks a stepped bar in the classic look fills, each cut to the bar area.
  std::vector<TRect> GetBlocks();

 protected:
  void PaintClient() override;

 private:
  bool Vertical() const { return FOrientation == TVxProgressOrientation::kpoVertical; }
  bool Themed() const;
  void PaintFrame();
  void PaintBar();

  Integer FMax = 100;
  Integer FMin = 0;
  Integer FPosition = 0;
  TVxProgressOrientation FOrientation = TVxProgressOrientation::kpoHorizontal;
  Integer FBorderWidth = 0;
  bool FShowBorder = true;
  bool FSmooth = false;
};
