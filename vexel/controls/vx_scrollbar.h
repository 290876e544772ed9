// Skinned scroll bars.
//
// TVxScrollBar is a windowless bar with arrow buttons, a proportional thumb, page tracks, hot
// tracking, thumb dragging and auto-repeat; other controls embed it or it stands on a form.
// TVxInplaceScrollBar is a small window holding one TVxScrollBar that lies exactly over the
// platform scroll bar of another window (its host) and drives that window; TVxSubScrollBar
// pairs a vertical and a horizontal in-place bar for one host. Windows only.
#pragma once

#include <functional>
#include <memory>

#include "vexel/controls/vx_controls.h"

class TTimer;

enum class TVxScrollOrientation { ksoHorizontal, ksoVertical };
const TEnumInfo& ScrollOrientationNames();

// The codes OnScroll reports; the platform's scroll-request codes have the same values.
enum TVxScrollCode : int {
  kscLineUp,
  kscLineDown,
  kscPageUp,
  kscPageDown,
  kscPosition,
  kscTrack,
  kscTop,
  kscBottom,
  kscEndScroll,
};

// A handler may change ScrollPos; the bar then takes that position.
using TVxScrollEvent = std::function<void(TObject* Sender, int ScrollCode, Integer& ScrollPos)>;

class TVxScrollBar : public TVxGraphicControl {
 public:
  explicit TVxScrollBar(TComponent* Owner = nullptr);
  ~TVxScrollBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Range] Every change repaints at once.
  Integer Position() const { return FPosition; }
  // Clamped to Min..Max; OnChange fires when it moved.
  void SetPosition(Integer Value);
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  // The visible part of the range (0: a thumb of arrow size); cut to Max - Min + 1.
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TVxScrollOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TVxScrollOrientation Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  // 1..32767.
  Integer LargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer Value);
  Integer SmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer Value);

  TNotifyEvent OnChange;
  TVxScrollEvent OnScroll;

  // [Steps] A keyboard-style step (VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_RIGHT / VK_DOWN, any
  // other key a line back): clamped, reported through OnScroll, then taken as the position.
  void Step(uint16_t Key);
  // Starts auto-repeat: with First one step now and the keyboard delay before the next, else
  // the keyboard repeat interval.
  void StartRepeat(bool First);
  // An owner's continuous stepping (drag-scrolling a list): on starts the repeat without an
  // immediate step and ends the other direction; off stops the repeat.
  void SetAutoBackward(bool On);
  void SetAutoForward(bool On);
  // The thickness across the axis becomes the arrow size plus the border on both sides.
  void AdjustThickness();
  // Nil until the first repeat.
  const TTimer* RepeatTimer() const { return FRepeatTimer.get(); }

  // [Geometry] In the bar's own coordinates.
  virtual Integer GetButtonSize();
  virtual Integer GetThumbSize();
  virtual TRect GetFirstButtonRect();
  virtual TRect GetSecondButtonRect();
  virtual TRect GetThumbRect();
  virtual TRect GetTrackRect();
  virtual TRect GetTrackBeforeRect();
  virtual TRect GetTrackAfterRect();
  virtual bool HitFirstButton(Integer X, Integer Y);
  virtual bool HitSecondButton(Integer X, Integer Y);
  virtual bool HitThumb(Integer X, Integer Y);
  virtual bool HitTrackBefore(Integer X, Integer Y);
  virtual bool HitTrackAfter(Integer X, Integer Y);
  // Along the axis, in the bar's coordinates: where the thumb starts for position P, and the
  // position whose thumb starts at X.
  Integer PositionToPixel(Integer P);
  Integer PixelToPosition(Integer X);
  // The platform's arrow size along this bar's axis.
  Integer ArrowSize() const;

  // [State] For owners and tests.
  bool Dragging() const { return FGrabOffset >= 0; }
  bool ThumbHot() const { return FThumbHot; }
  bool FirstButtonHot() const { return FFirstButtonHot; }
  bool SecondButtonHot() const { return FSecondButtonHot; }
  bool TrackBeforeHot() const { return FTrackBeforeHot; }
  bool TrackAfterHot() const { return FTrackAfterHot; }

 protected:
  virtual void PaintFirstButton();
  virtual void PaintSecondButton();
  virtual void PaintThemedTrack();
  virtual void PaintThumb();
  virtual void PaintTrack();
  virtual void PaintFrame();
  void PaintClient() override;

  virtual void Change();
  virtual void Scroll(int ScrollCode, Integer& ScrollPos);
  void MouseLeave() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Dispatch(TMessage& Message) override;

 private:
  bool Vertical() const { return FOrientation == TVxScrollOrientation::ksoVertical; }
  Integer Along(Integer X, Integer Y) const { return Vertical() ? Y : X; }
  Integer Length() const { return Vertical() ? Height() : Width(); }
  // Max - Min - PageSize, plus 1 when there is a page.
  Integer ScrollRange() const;
  // Whether the theme that applies defines the bar.
  bool Themed() const;
  void PaintButton(bool First);
  // Recomputes the five hot flags at (X, Y); true when one changed.
  bool UpdateHot(Integer X, Integer Y);
  void RepeatStep();
  void StopRepeat();
  void ScrollTo(int Code, Integer Value);

  Integer FMouseX = -1;
  Integer FMouseY = -1;
  std::unique_ptr<TTimer> FRepeatTimer;
  Integer FGrabOffset = -1;
  bool FThumbHot = false;
  bool FFirstButtonHot = false;
  bool FSecondButtonHot = false;
  bool FTrackBeforeHot = false;
  bool FTrackAfterHot = false;
  bool FFirstButtonDown = false;
  bool FSecondButtonDown = false;
  bool FTrackBeforeDown = false;
  bool FTrackAfterDown = false;
  Integer FPosition = 0;
  Integer FMin = 0;
  Integer FBorderWidth = 1;
  Integer FMax = 100;
  Integer FPageSize = 0;
  TVxScrollOrientation FOrientation = TVxScrollOrientation::ksoHorizontal;
  bool FShowButtons = true;
  Integer FLargeChange = 1;
  Integer FSmallChange = 1;
  bool FAutoBackward = false;
  bool FAutoForward = false;
};

// Makes the bar an in-place bar holds; nil means a plain TVxScrollBar.
using TVxScrollBarFactory = std::function<TVxScrollBar*(TComponent* Owner)>;

// A window over the host's platform scroll bar of one orientation, holding a TVxScrollBar that
// fills it. It follows the host's scroll range, position, enabled state and visibility (Sync),
// and its bar's scrolling drives the host.
class TVxInplaceScrollBar : public TWinControl {
 public:
  TVxInplaceScrollBar(TComponent* Owner, TWinControl* Host, const TVxScrollBarFactory& Factory = nullptr);
  ~TVxInplaceScrollBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxScrollBar* ScrollBar() const { return FScrollBar; }
  TWinControl* Host() const { return FHost; }
  void SetHost(TWinControl* Value);
  TVxScrollOrientation Orientation() const { return FScrollBar->Orientation(); }
  void SetOrientation(TVxScrollOrientation Value);

  // Called with every message of the host: re-synchronises after paints, erases and scrolls,
  // follows the host's visibility.
  void HostMessage(const TMessage& Message);
  // Reads the host's scroll bar of this orientation: hidden when the host's is, else placed
  // over it with its range, page, enabled state and (unless this bar is scrolling) position.
  void Sync();

 protected:
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  void BarScroll(int ScrollCode, Integer& ScrollPos);

  TWinControl* FHost = nullptr;
  TVxScrollBar* FScrollBar = nullptr;
  bool FScrolling = false;
};

// A vertical and a horizontal in-place bar for one host, both placed on the host's parent.
class TVxSubScrollBar : public TComponent {
 public:
  TVxSubScrollBar(TComponent* Owner, TWinControl* Host, const TVxScrollBarFactory& Factory = nullptr);
  ~TVxSubScrollBar() override;

  TVxInplaceScrollBar* Vertical() const { return FVertical; }
  TVxInplaceScrollBar* Horizontal() const { return FHorizontal; }
  TWinControl* Host() const { return FHost; }
  // Nil detaches both bars.
  void SetHost(TWinControl* Value);
  // Both bars go to the host's current parent.
  void UpdateParent();
  // Every message of the host passes here first.
  void HostMessage(const TMessage& Message);
  void Sync();

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TWinControl* FHost = nullptr;
  TVxInplaceScrollBar* FVertical = nullptr;
  TVxInplaceScrollBar* FHorizontal = nullptr;
};
