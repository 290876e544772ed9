// MDI child skinning: a component on a form that lives in an MDI parent's client window (or on
// any form that should keep the platform's window management). It paints the frame, answers hit
// tests, acts on its title buttons through the framework form's own window state and shows a
// small system menu; moving, sizing, minimizing and maximizing stay with the platform. When its
// child is maximized it tells the MDI parent's skinned menu bar, which then carries the child's
// buttons.
//
// TVxCustomMDIChild draws the frame that imitates the platform's; TVxMDIChild asks the current
// theme (or the theme of its ThemeLink) when that theme defines its window kind. Windows only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_hook.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/theme/vx_theme.h"

struct TVxFrameView;
class TvxCustomThemeLink;

// Recalculates a skinned MDI child's frame (posted when it is maximized).
constexpr TMsgNum FM_FRAMECHANGED = 0x570;

class TVxCustomMDIChild : public TVxHook {
 public:
  explicit TVxCustomMDIChild(TComponent* Owner = nullptr);
  ~TVxCustomMDIChild() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Loaded() override;

  // [Stored properties]
  TVxBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TVxBorderIcons Value);
  TVxBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TVxBorderStyle Value);
  TVxFormPerformance Performance() const { return FPerformance; }
  void SetPerformance(TVxFormPerformance Value) { FPerformance = Value; }
  bool StretchBackground() const { return FStretchBackground; }
  void SetStretchBackground(bool Value) { FStretchBackground = Value; }

  // [Services]
  void PaintNonClient();
  // The next paint draws the frame anew instead of copying the last one.
  void InvalidateFrame();
  void UpdateFrame();
  void UpdateRegion();
  // Shows the child's buttons in the MDI parent's skinned menu bar while the child is maximized
  // and active, hides them otherwise.
  void UpdateMenuBarButtons();
  void ShowSystemMenu();
  // The entries of the system menu in the current state, in order.
  std::vector<TVxDefaultForm::TSystemMenuEntry> SystemMenuEntries() const;
  // The item tree of the last system menu (owned by this component), or nil.
  TComponent* SystemMenu() const { return FSystemMenu; }
  // The framework form's own window state.
  TWindowState NativeState() const;
  // The owner form is a child of an MDI form.
  bool IsMDIChildForm() const;

  // [Virtual operations]
  // Owned by the caller; nil for a rectangular window.
  virtual HRGN GetRegion();
  virtual TRect GetButtonRect(TVxBorderIcon Icon);
  // In window coordinates.
  virtual TRect GetClientBounds();
  virtual TRect GetMaximizedBounds();
  virtual TSize GetMaxTrackSize();
  virtual TSize GetMinTrackSize();
  virtual void PaintFrame(TCanvas& Canvas);
  // Fills Rect (client coordinates) of the canvas with the client background.
  virtual void PaintBackground(TCanvas& Canvas, const TRect& Rect);
  virtual TvxHitCode HitTest(Integer X, Integer Y);

  // [State that tests read]
  bool CaptionActive() const { return FCaptionActive; }
  TvxHitCode HotPart() const { return FHotPart; }
  TvxHitCode PressedPart() const { return FPressedPart; }
  Integer WindowWidth() const;
  Integer WindowHeight() const;

  void MessageBefore(TMessage& Message, bool& Handled) override;
  void MessageAfter(TMessage& Message, bool& Handled) override;
  void Unhooked() override;

  // Paints the client background into DC for a child control at ChildBounds (client coordinates).
  void PaintForChild(HDC DC, const TRect& ChildBounds);

 protected:
  // For descendants: construction without hooking; the most derived constructor calls
  // LoadedInCode once its own parts exist, so that the first frame is its frame.
  struct TDeferLoad {};
  TVxCustomMDIChild(TComponent* Owner, TDeferLoad);
  void LoadedInCode();
  TvxWindowKind WindowKind() const;
  Integer StyleCaptionHeight() const;
  // Title-button set of the window info for the border icons and the native state.
  uint16_t TitleButtons() const;
  TVxFrameView FrameView();
  bool Designing() const;

 private:
  void EraseBackground(HDC MessageDC);
  void NCCalcSize(TMessage& Message);
  void NCButtonDown(TMessage& Message, bool& Handled);
  void MouseDown(TMouseButton Button, TPoint P);
  void MouseMove(TPoint P);
  bool MouseUp(TMouseButton Button, TPoint P);
  void Act(TvxHitCode Code);
  void Resized(uintptr_t Kind);
  TPoint ScreenToWindow(intptr_t LParam) const;
  TVxWindowState FrameState() const;
  HICON SmallIconHandle();

  TVxBorderIcons FBorderIcons{TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu, TVxBorderIcon::kbiMinimize,
                              TVxBorderIcon::kbiMaximize};
  TVxBorderStyle FBorderStyle = TVxBorderStyle::kbsStandard;
  TVxFormPerformance FPerformance = TVxFormPerformance::zqfpNoBuffer;
  bool FStretchBackground = false;

  // What the last painted frame showed; a paint with the same look copies FFrameBuffer.
  struct TFrameLook {
    Integer Width = 0;
    Integer Height = 0;
    bool Active = false;
    TWindowState State = TWindowState::wsNormal;
    TvxHitCode Hot = vxhtNone;
    TvxHitCode Pressed = vxhtNone;
    Byte NCButtons = 0;
    std::wstring Caption;
    bool operator==(const TFrameLook&) const = default;
  };
  std::unique_ptr<TvxBitmap> FFrameBuffer;
  TFrameLook FFrameLook;
  bool FFrameValid = false;
  HICON FSmallIcon = nullptr;
  TComponent* FSystemMenu = nullptr;
  TPoint FPopupPoint{0, 0};
  bool FPaintEnabled = true;
  bool FCaptionActive = true;
  TvxHitCode FPressedPart = vxhtNone;
  TvxHitCode FHotPart = vxhtNone;
  Byte FNCButtons = 0;
  // The window size the current region was made for; zero when there is none.
  TSize FRegionSize{0, 0};
  bool FChildPaint = false;
  TRect FChildBounds;
  // Set when loading ends, cleared when the child is first sized by the platform (restored or
  // maximized): until then the region waits.
  bool FHasCreatedState = false;
  bool FHooked = false;
};

// TVxCustomMDIChild that paints and measures through the theme of its link (else the current
// theme) when that theme defines its window kind.
class TVxMDIChild : public TVxCustomMDIChild {
 public:
  explicit TVxMDIChild(TComponent* Owner = nullptr);
  ~TVxMDIChild() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TvxCustomThemeLink* ThemeLink() const { return FThemeLink; }
  void SetThemeLink(TvxCustomThemeLink* Value);
  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);

  bool Themed() const;
  TvxTheme* Theme() const;
  TvxWindowInfo WindowInfo() const;

  HRGN GetRegion() override;
  TRect GetButtonRect(TVxBorderIcon Icon) override;
  TRect GetClientBounds() override;
  TRect GetMaximizedBounds() override;
  TSize GetMinTrackSize() override;
  void PaintFrame(TCanvas& Canvas) override;
  void PaintBackground(TCanvas& Canvas, const TRect& Rect) override;
  TvxHitCode HitTest(Integer X, Integer Y) override;
  // TM_THEMECHANGE from the theme manager: the frame follows the new theme.
  void Dispatch(TMessage& Message) override;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TvxCustomThemeLink* FThemeLink = nullptr;
  std::string FThemeObject = "default";
};

// The first active MDI child component of the form Control sits on (through its top-most
// parent), or nil.
TVxCustomMDIChild* FindSkinnedMDIChild(TControl* Control);

// Shows (Child set) or hides the MDI items of a skinned menu bar. Set at start-up by the skinned
// menus, which the forms do not depend on.
using TVxMDIItemsPresenter = void (*)(TWinControl& Bar, TForm* Child);
void SetMDIItemsPresenter(TVxMDIItemsPresenter Presenter);
// Shows a list of menu entries as a skinned popup at At, the items owned by Owner; answers the
// item tree. Set at start-up by the skinned menus.
using TVxEntryMenuPresenter = TComponent* (*)(TComponent& Owner,
                                              const std::vector<TVxDefaultForm::TSystemMenuEntry>& Entries, TPoint At);
void SetEntryMenuPresenter(TVxEntryMenuPresenter Presenter);

// Registers the MDI child classes for form files and their parent-background painter.
void RegisterMDIChildClasses();
