// TVxTrackBar: a slider with a thumb on a groove, tick marks on one or both sides and an optional
// highlighted interval; dragged with the mouse, paged by clicks on the groove, stepped by keys.
// Paints through the current theme, the platform's visual style or the classic look. Windows
// only.
#pragma once

#include "vexel/controls/vx_controls.h"

enum class TVxTrackOrientation { ktoHorizontal, ktoVertical };
enum class TVxTickMark { ktbmBoth, ktbmBottomRight, ktbmTopLeft };
enum class TIntervalHighlightType { htLowInterval, htHighInterval, htNone };
const TEnumInfo& TrackOrientationNames();
const TEnumInfo& TickMarkNames();
const TEnumInfo& IntervalHighlightTypeNames();

class TVxTrackBar : public TVxControl {
 public:
  explicit TVxTrackBar(TComponent* Owner = nullptr);
  ~TVxTrackBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxTrackOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TVxTrackOrientation Value);
  // A Min not below Max, or a Max not above Min, is ignored; the position is pulled inside.
  // While a form file is read the range is taken as stored, whatever the order, and put right
  // once it is read (Loaded): a stored range above the defaults survives the round trip.
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  Integer Position() const { return FPosition; }
  // Clamped to Min .. Max; OnChange fires when it moved.
  void SetPosition(Integer Value);
  bool ShowTicks() const { return FShowTicks; }
  void SetShowTicks(bool Value);
  // At least 0.
  Integer ThumbHalfWidth() const { return FThumbHalfWidth; }
  void SetThumbHalfWidth(Integer Value);
  TVxTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TVxTickMark Value);
  Integer LineSize() const { return FLineSize; }
  void SetLineSize(Integer Value) { FLineSize = Value; }
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value) { FPageSize = Value; }
  // At least 1.
  Integer Frequency() const { return FFrequency; }
  void SetFrequency(Integer Value);
  bool ThumbVisible() const { return FThumbVisible; }
  void SetThumbVisible(bool Value);
  TIntervalHighlightType IntervalHighlightType() const { return FIntervalHighlightType; }
  void SetIntervalHighlightType(TIntervalHighlightType Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  TNotifyEvent OnChange;

  // [Geometry] Along the track in the control's coordinates.
  Integer ValueToPixel(Integer V);
  Integer PixelToValue(Integer P);
  TRect GetThumbRect();
  TRect GetTrackRect();
  bool HitThumb(Integer X, Integer Y);
  bool Dragging() const { return FDragging; }
  bool ThumbHot() const { return FThumbHot; }

 protected:
  void Loaded() override;
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool WantsKey(uint16_t Key) const override;

 private:
  bool Vertical() const { return FOrientation == TVxTrackOrientation::ktoVertical; }
  bool Themed() const;
  bool TopTicks() const;
  Integer Length() const;
  Integer ThumbWidth() const { return 2 * FThumbHalfWidth + 1; }
  Integer ThumbDepth() const;
  // Along and across the track to the control's coordinates.
  TRect Oriented(Integer AlongFrom, Integer AcrossFrom, Integer AlongTo, Integer AcrossTo) const;
  std::vector<TPoint> ThumbOutline();
  void PaintTrack();
  void PaintTicks();
  void PaintThumb();

  bool FDragging = false;
  TVxTrackOrientation FOrientation = TVxTrackOrientation::ktoHorizontal;
  Integer FMin = 0;
  Integer FMax = 10;
  Integer FPosition = 3;
  bool FShowTicks = true;
  Integer FThumbHalfWidth = 4;
  TVxTickMark FTickMarks = TVxTickMark::ktbmBottomRight;
  bool FThumbHot = false;
  Integer FLineSize = 1;
  Integer FPageSize = 2;
  Integer FFrequency = 1;
  bool FThumbVisible = true;
  TIntervalHighlightType FIntervalHighlightType = TIntervalHighlightType::htNone;
  bool FTransparent = false;
};
