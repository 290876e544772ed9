// Tool-bar pieces: TVxSpeedButton, a windowless tool button with a glyph, an optional caption, an
// optional chevron area that opens its own menu, latching in groups, an optional drop-down menu
// and click repetition while held; TVxSpeedDivider and TVxSpeedSpace, windowless separators;
// TVxSpeedContainer, a transparent windowed container.
//
// Buttons of one parent with the same non-zero GroupIndex latch like radio buttons: one going
// down raises the others (CM_BUTTONPRESSED). Menus are borrowed, never owned; a freed menu is
// forgotten. Windows only.
#pragma once

#include <memory>

#include "framework/graphics/bitmap.h"
#include "framework/ui/actions.h"
#include "vexel/controls/vx_button_art.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_controls.h"

class TCustomImageList;
class TPopupMenu;
class TTimer;
class TvxBitmap;

enum class TVxChevronPos { dmpBottom, dmpRight };
const TEnumInfo& ChevronPosNames();

class TVxSpeedButton : public TVxGraphicControl {
 public:
  // FState values.
  static constexpr Byte StateUp = 0, StateDisabled = 1, StatePressed = 2, StateLatched = 3, StateChevron = 4;

  explicit TVxSpeedButton(TComponent* Owner = nullptr);
  ~TVxSpeedButton() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Outside loading, switching the chevron widens or narrows the button by GetChevronWidth.
  bool ShowChevron() const { return FShowChevron; }
  void SetShowChevron(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TVxChevronPos MenuPosition() const { return FMenuPosition; }
  void SetMenuPosition(TVxChevronPos Value) { FMenuPosition = Value; }
  // Opens after a release on the chevron.
  TPopupMenu* ChevronMenu() const { return FChevronMenu; }
  void SetChevronMenu(TPopupMenu* Value);
  // Opens below the button after a click.
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);

  // [Glyph] A strip of NumGlyphs cells: normal, disabled, pressed, latched. Its bottom-left
  // pixel is the key colour. Setting it copies the bitmap.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  Integer NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // -1: automatic.
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value);
  // -1: automatic.
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool ShowGlyph() const { return FShowGlyph; }
  void SetShowGlyph(bool Value);
  // Grey glyph except while hot.
  bool BlackAndWhiteGlyph() const { return FBlackAndWhiteGlyph; }
  void SetBlackAndWhiteGlyph(bool Value);
  // The glyph when Glyph is empty.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);

  // Clicks repeat while the left button is held: after 400 ms, then every 100 ms.
  bool AllowTimer() const { return FAllowTimer; }
  void SetAllowTimer(bool Value) { FAllowTimer = Value; }
  // Nil until the first press with AllowTimer.
  TTimer* RepeatTimer() const { return FRepeatTimer.get(); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  // StateUp .. StateChevron.
  Byte State() const { return FState; }
  // The pointer is over the button and no menu of it has opened since it came.
  bool Hot() const { return MouseInControl() && !FHotCleared; }

  TNotifyEvent OnChevronClick;

  void Click() override;
  virtual void ChevronClick();
  void Loaded() override;

  // [Geometry] In the button's client coordinates.
  virtual TRect GetButtonRect();
  virtual TRect GetChevronRect();
  virtual TRect GetChevronArrowRect();
  virtual TRect GetGlyphRect();
  virtual TRect GetCaptionRect();
  virtual Integer GetChevronWidth() const { return 14; }
  virtual TSize GetChevronArrowSize() const { return {5, 3}; }
  // One cell of the effective glyph; 0 x 0 without one.
  virtual TSize GetGlyphSize();
  virtual TSize GetCaptionSize();

 protected:
  virtual void PaintChevron(TPoint Offset);
  virtual void PaintGlyph(TPoint Offset);
  virtual void PaintCaption(TPoint Offset);
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // Only while Down.
  void DblClick() override;
  void ThemeChanged(uintptr_t Code) override;
  std::unique_ptr<TActionLink> CreateActionLink() override;

 private:
  friend class TVxSpeedButtonActionLink;
  bool ToolBarThemed() const;
  bool InSpinButton() const;
  bool Designing() const;
  // Glyph, else the image of Images (drawn into FGlyphImage), else none; rebuilt on every call.
  TButtonGlyph EffectiveGlyph();
  void GlyphChanged();
  void BroadcastGroup();
  void ButtonPressed(Integer Group, TVxSpeedButton* Sender);
  void OpenMenu(TPopupMenu* Menu, TPoint At);
  TPoint ChevronMenuPoint();
  void SettleAfterRelease();
  void RepeatTick();
  void StopRepeat();
  // The theme font of the caption state when the theme defines tool bars, else the paint font.
  void SelectCaptionFont();
  void PaintThemed();
  void PaintStyled();
  void PaintClassic();

  bool FSkipMouseUp = false;
  bool FShowChevron = false;
  bool FFlat = true;
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  TVxChevronPos FMenuPosition = TVxChevronPos::dmpBottom;
  TPopupMenu* FChevronMenu = nullptr;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FGlyphImage;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  Integer FMargin = -1;
  Integer FSpacing = 4;
  bool FShowCaption = true;
  bool FShowGlyph = true;
  Integer FNumGlyphs = 1;
  bool FBlackAndWhiteGlyph = false;
  bool FAllowTimer = false;
  std::unique_ptr<TTimer> FRepeatTimer;
  bool FTransparent = false;
  TCustomImageList* FImages = nullptr;
  Integer FImageIndex = -1;
  TPopupMenu* FDropDownMenu = nullptr;
  Byte FState = StateUp;
  bool FMouseDown = false;
  // The held left press began on the button face (not on the chevron).
  bool FButtonPressHeld = false;
  bool FHotCleared = false;
};

class TVxSpeedDivider : public TVxGraphicControl {
 public:
  explicit TVxSpeedDivider(TComponent* Owner = nullptr);
  ~TVxSpeedDivider() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

 protected:
  void PaintClient() override;
};

class TVxSpeedSpace : public TVxGraphicControl {
 public:
  explicit TVxSpeedSpace(TComponent* Owner = nullptr);
  ~TVxSpeedSpace() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

 protected:
  void PaintClient() override;
};

class TVxSpeedContainer : public TVxControl {
 public:
  explicit TVxSpeedContainer(TComponent* Owner = nullptr);
  ~TVxSpeedContainer() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

 protected:
  void PaintClient() override;
};
