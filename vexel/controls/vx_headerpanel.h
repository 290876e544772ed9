// TVxHeaderPanel: a container with a caption bar across its top whose button closes (hides) the
// panel or rolls it up to the caption bar and down again, optionally in visible steps and
// optionally taking its parent's height along. Painted through the theme's header-panel group,
// else the platform's "ExplorerBar" visual style, else the classic look. Windows only.
#pragma once

#include <string>

#include "vexel/controls/vx_controls.h"

enum class TVxPanelButtonKind { kpbkClose, kpbkRollUp };
const TEnumInfo& PanelButtonKindNames();

class TVxHeaderPanel : public TVxControl {
 public:
  explicit TVxHeaderPanel(TComponent* Owner = nullptr);
  ~TVxHeaderPanel() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool Value);
  TVxPanelButtonKind ButtonKind() const { return FButtonKind; }
  void SetButtonKind(TVxPanelButtonKind Value);
  // Rolls up or down (with OnBeforeRoll and OnRollup); a request while an animated roll runs is
  // ignored.
  bool Rolled() const { return FRolled; }
  void SetRolled(bool Value);
  bool AnimateRoll() const { return FAnimateRoll; }
  void SetAnimateRoll(bool Value) { FAnimateRoll = Value; }
  bool ParentRoll() const { return FParentRoll; }
  void SetParentRoll(bool Value) { FParentRoll = Value; }
  bool ShowBevel() const { return FShowBevel; }
  void SetShowBevel(bool Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  const std::string& CaptionHint() const { return FCaptionHint; }
  void SetCaptionHint(const std::string& Value) { FCaptionHint = Value; }
  const std::string& ButtonHint() const { return FButtonHint; }
  void SetButtonHint(const std::string& Value) { FButtonHint = Value; }
  TCursor CaptionCursor() const { return FCaptionCursor; }
  void SetCaptionCursor(TCursor Value) { FCaptionCursor = Value; }
  TCursor ButtonCursor() const { return FButtonCursor; }
  void SetButtonCursor(TCursor Value) { FButtonCursor = Value; }

  // The height the panel rolls down to.
  Integer NormalHeight() const { return FNormalHeight; }
  Integer CaptionHeight() const { return FCaptionHeight; }
  bool Animating() const { return FAnimating; }
  bool ButtonHot() const { return FButtonHot; }
  bool ButtonPressed() const { return FButtonPressed; }

  TNotifyEvent OnButtonClick;
  TNotifyEvent OnHide;
  TNotifyEvent OnBeforeRoll;
  TNotifyEvent OnRollup;

  // [Layout] In the panel's coordinates.
  virtual void GetCaptionRect(TRect& R);
  // Empty without a caption bar or button.
  TRect ButtonRect();
  // Where the children go.
  TRect ClientRect() override;
  // The hint over P: ButtonHint over a hot button, CaptionHint over the caption bar, else Hint.
  std::string HintAt(const TPoint& P);
  // The pointer's shape over P.
  TCursor CursorAt(const TPoint& P);

  // While rolled the height stays.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  // "NormalHeight" in form files: 4 bytes.
  void ReadNormalHeight(TStream& Data);
  void WriteNormalHeight(TStream& Data) const;

 protected:
  virtual void PaintCaption();
  virtual void PaintBody();
  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;

 private:
  bool FTracking = false;
  bool Themed() const;
  // 3 disabled, 2 pressed, 1 hot, 0 normal.
  Byte ButtonState() const;
  void InvalidateButton();
  void ButtonAction();
  void RollUp();
  void RollDown();
  // Height H for the panel, the parent following by the same amount with ParentRoll.
  void RollTo(Integer H);
  // Steps from the current height to Target, taking every height divisible by 4; false when the
  // panel was freed meanwhile.
  bool Animate(Integer Target);

  bool FShowCaption = true;
  bool FShowButton = true;
  TVxPanelButtonKind FButtonKind = TVxPanelButtonKind::kpbkRollUp;
  bool FRolled = false;
  bool FAnimateRoll = false;
  bool FParentRoll = false;
  bool FShowBevel = true;
  Integer FBevelWidth = 1;
  Integer FBorderWidth = 3;
  std::string FCaptionHint;
  std::string FButtonHint;
  TCursor FCaptionCursor = crDefault;
  TCursor FButtonCursor = crDefault;
  Integer FCaptionHeight = 20;
  bool FButtonHot = false;
  // The hint of the part the pointer was last over: moving to another part starts the hint over.
  std::string FShownHint;
  bool FButtonPressed = false;
  Integer FNormalHeight = 0;
  bool FAnimating = false;
};
