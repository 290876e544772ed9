// TVxMessage: the settings of skinned message boxes (frame options, fonts, position, what the box
// shows) and the factories of the controls a box is built from. One instance is global: the one
// the library makes when it starts, until another instance is made global. Windows only.
#pragma once

#include <memory>

#include "framework/core/component.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"

class TFont;
class TLabel;
class TVxButton;
class TVxCheckBox;
class TWinControl;

class TVxMessage : public TComponent {
 public:
  explicit TVxMessage(TComponent* Owner = nullptr);
  // The global instance goes with a cleared reference.
  ~TVxMessage() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Stored properties] The option objects copy what they are given.
  TVxAnimation* Animation() const { return FAnimation.get(); }
  void SetAnimation(const TVxAnimation* Value) { FAnimation->Assign(Value); }
  TVxBlending* Blending() const { return FBlending.get(); }
  void SetBlending(const TVxBlending* Value) { FBlending->Assign(Value); }
  TVxShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TVxShadow* Value) { FShadow->Assign(Value); }
  // Movable, not sizeable.
  TVxDragging* Dragging() const { return FDragging.get(); }
  void SetDragging(const TVxDragging* Value) { FDragging->Assign(Value); }
  TVxBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TVxBorderIcons Value) { FBorderIcons = Value; }
  TFont* ButtonFont() const { return FButtonFont.get(); }
  void SetButtonFont(const TFont* Value);
  TFont* MessageFont() const { return FMessageFont.get(); }
  void SetMessageFont(const TFont* Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool ShowButtonGlyph() const { return FShowButtonGlyph; }
  void SetShowButtonGlyph(bool Value) { FShowButtonGlyph = Value; }
  bool ShowIconImage() const { return FShowIconImage; }
  void SetShowIconImage(bool Value) { FShowIconImage = Value; }
  bool ShowHints() const { return FShowHints; }
  void SetShowHints(bool Value) { FShowHints = Value; }
  bool StayOnTop() const { return FStayOnTop; }
  void SetStayOnTop(bool Value) { FStayOnTop = Value; }
  // True frees the global instance (unless it is this one) and makes this one global; False
  // on the global instance leaves no global one.
  bool Global() const { return FGlobal; }
  void SetGlobal(bool Value);

  // [Factories] The controls of a message box, in this order; each is owned by Owner.
  virtual TVxButton* CreateButton(TComponent* Owner);
  // A plain edit: there is no skinned edit yet.
  virtual TWinControl* CreateEdit(TComponent* Owner);
  virtual TVxDefaultForm* CreateForm(TComponent* Owner);
  virtual TLabel* CreateLabel(TComponent* Owner);
  virtual TVxCheckBox* CreateCheckBox(TComponent* Owner);

 private:
  std::unique_ptr<TVxAnimation> FAnimation;
  std::unique_ptr<TVxBlending> FBlending;
  std::unique_ptr<TVxShadow> FShadow;
  std::unique_ptr<TVxDragging> FDragging;
  TVxBorderIcons FBorderIcons{TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu};
  std::unique_ptr<TFont> FButtonFont;
  std::unique_ptr<TFont> FMessageFont;
  TPosition FPosition = TPosition::poScreenCenter;
  bool FShowButtonGlyph = true;
  bool FShowIconImage = true;
  bool FShowHints = false;
  bool FStayOnTop = false;
  bool FGlobal = false;
};

// The global settings, or nil when there are none.
TVxMessage* GlobalMessage();
// Makes the library's own global instance unless one exists; the start unit calls it. That
// instance is freed at the end of the run when it is still the global one.
void StartMessageSettings();
