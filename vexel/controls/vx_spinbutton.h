// TVxSpinButton: two small speed buttons, up above down, that step a position, optionally tied
// to an associated control (usually an edit) whose text it writes and follows, and optionally
// with a slider band between the buttons that changes the position by dragging. Windows only.
#pragma once

#include <functional>
#include <memory>

#include "framework/graphics/bitmap.h"
#include "vexel/controls/vx_controls.h"

class TTimer;
class TVxSpeedButton;

enum class TVxSpinAlign { saLeft, saRight };
const TEnumInfo& SpinAlignNames();

// A handler sets Allow to false to refuse the change.
using TVxChangingEvent = std::function<void(TObject* Sender, bool& Allow)>;

class TVxSpinButton : public TVxControl {
 public:
  explicit TVxSpinButton(TComponent* Owner = nullptr);
  ~TVxSpinButton() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxSpeedButton* UpButton() const { return FUpButton; }
  TVxSpeedButton* DownButton() const { return FDownButton; }
  // The button Space clicks.
  TVxSpeedButton* FocusedButton() const { return FFocusedButton; }
  void SetFocusedButton(TVxSpeedButton* Value);

  // Placed beside it, written to and followed every 400 ms.
  TWinControl* Associate() const { return FAssociate; }
  void SetAssociate(TWinControl* Value);
  bool EnabledSlider() const { return FEnabledSlider; }
  void SetEnabledSlider(bool Value);
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  Integer Min() const { return FMin; }
  void SetMin(Integer Value) { FMin = Value; }
  Integer Max() const { return FMax; }
  void SetMax(Integer Value) { FMax = Value; }
  Integer Position() const { return FPosition; }
  // Clamped to Min .. Max; OnChanging may refuse it.
  void SetPosition(Integer Value);
  TVxSpinAlign SpinAlign() const { return FSpinAlign; }
  void SetSpinAlign(TVxSpinAlign Value);
  bool Sliding() const { return FSliding; }
  // Nil until an associate is set.
  TTimer* PollTimer() const { return FPollTimer.get(); }

  // [Buttons' glyphs]
  TBitmap* UpGlyph() const;
  void SetUpGlyph(const TBitmap* Value);
  TBitmap* DownGlyph() const;
  void SetDownGlyph(const TBitmap* Value);
  Integer UpNumGlyphs() const;
  void SetUpNumGlyphs(Integer Value);
  Integer DownNumGlyphs() const;
  void SetDownNumGlyphs(Integer Value);

  TVxChangingEvent OnChanging;
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Loaded() override;

 protected:
  virtual TVxSpeedButton* CreateSpeedButton();
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool WantsKey(uint16_t Key) const override;

 private:
  void LayoutButtons();
  void PlaceBesideAssociate();
  void WriteAssociate();
  void PollAssociate();
  void ButtonClick(TVxSpeedButton* Button);
  Integer Stepped(int64_t Delta) const;
  void ButtonMouseDown(TVxSpeedButton* Button);
  bool InSliderBand(Integer Y) const;

  TVxSpeedButton* FUpButton = nullptr;
  TVxSpeedButton* FDownButton = nullptr;
  TVxSpeedButton* FFocusedButton = nullptr;
  TWinControl* FAssociate = nullptr;
  bool FSliding = false;
  Integer FSlideX = 0;
  Integer FSlideY = 0;
  bool FEnabledSlider = false;
  Integer FIncrement = 1;
  Integer FMin = 0;
  Integer FPosition = 0;
  Integer FMax = 100;
  bool FSyncing = false;
  TVxSpinAlign FSpinAlign = TVxSpinAlign::saRight;
  std::unique_ptr<TTimer> FPollTimer;
};
