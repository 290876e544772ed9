// Form skinning: a non-visual component placed on a form that takes over everything outside the
// client area. It computes the frame, paints it (with an optional drop shadow, translucency and a
// shaped region), answers hit tests, moves and sizes the window itself, keeps five window states
// of its own (normal, maximized, minimized, rolled up, in the notification area) and shows the
// system menu.
//
// TVxDefaultForm draws a frame that imitates the platform's (classic or visual-style);
// TVxForm asks the current theme (or the theme of its ThemeLink) for every metric and picture and
// falls back to its base when the theme does not define its window kind. Both are window hooks
// (vx_hook.h) on their owner form, which they hook once loaded. Windows only.
//
// The implementation is split by seam: vx_form.cpp (creation, messages, geometry, position
// changes), vx_form_mouse.cpp (the mouse on the frame), vx_form_states.cpp (window states,
// closing, tray icon, system menu), vx_form_paint.cpp (buffers, shadow, blending, client
// background, region, show animation), vx_form_frame.cpp (default and themed frames) and
// vx_form_mdi.cpp (an MDI parent form's client, its skinned scroll bars and window menu).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/set.h"
#include "framework/graphics/canvas.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/forms/vx_hook.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/theme/vx_theme.h"

class TPopupMenu;
class TvxCustomThemeLink;
struct TVxFrameView;
class TVxMDIClientHook;
class TVxScrollBar;
class TImageList;
class TIcon;

enum class TVxBorderIcon {
  kbiClose,
  kbiSystemMenu,
  kbiMinimize,
  kbiMaximize,
  kbiHelp,
  kbiRollup,
  kbiTray,
  kbiTop,
  kbiCustom
};
using TVxBorderIcons = TSet<TVxBorderIcon>;
enum class TVxBorderStyle { kbsNone, kbsBorder, kbsStandard, kbsDialog, kbsToolWindow };
enum class TVxFormPerformance { zqfpNoBuffer, zqfpSharedBuffer, zqfpPersistentBuffer, zqfpDoubleBuffer };
enum class TVxWindowState { kwsNormal, kwsMaximized, kwsMinimized, kwsRollup, kwsTray };

const TEnumInfo& VxBorderIconNames();
const TEnumInfo& VxBorderStyleNames();
const TEnumInfo& FormPerformanceNames();
const TEnumInfo& VxWindowStateNames();

constexpr TVxBorderIcons DefaultBorderIcons{TVxBorderIcon::kbiClose,    TVxBorderIcon::kbiSystemMenu,
                                            TVxBorderIcon::kbiMinimize, TVxBorderIcon::kbiMaximize,
                                            TVxBorderIcon::kbiRollup,   TVxBorderIcon::kbiTray};

// Allow arrives true; an event that sets it false stops the action.
using TVxFormActionEvent = std::function<void(TObject* Sender, bool& Allow)>;

// The skinned form's private messages.
constexpr TMsgNum FM_TRAYICON = 0x56C;        // notification-area callback, LParam the mouse message
constexpr TMsgNum FM_RESTORECAPTION = 0x56D;  // WParam 13: put the caption style back
constexpr TMsgNum FM_MAXIMIZE = 0x56E;
constexpr TMsgNum FM_ACTION = 0x56F;  // WParam 1 maximize, 2 minimize, 3 roll up, 4 to the tray
// Paints the whole window into the context in LParam, offset by (low word, high word) of WParam.
constexpr TMsgNum FM_PAINTTO = 0xB1C8;

// Hit codes of the frame (TvxHitCode) the component uses by name.
constexpr TvxHitCode vxhtNone = 0, vxhtCaption = 1, vxhtLeft = 2, vxhtTop = 3, vxhtRight = 4, vxhtBottom = 5,
                     vxhtTopLeft = 7, vxhtTopRight = 8, vxhtBottomLeft = 9, vxhtBottomRight = 10, vxhtClose = 11,
                     vxhtHelp = 12, vxhtMinimize = 13, vxhtMaximize = 14, vxhtRollup = 15, vxhtTray = 16,
                     vxhtSysMenu = 17, vxhtNoPart = 18;

// Minimum and maximum size of a skinned form; 0 means no limit. Changes are reported through
// OnChange.
class TVxSizeConstraints : public TVxOptionsBase {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;

  Integer MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(Integer Value) { Set(FMaxHeight, Value); }
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value) { Set(FMaxWidth, Value); }
  Integer MinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer Value) { Set(FMinHeight, Value); }
  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value) { Set(FMinWidth, Value); }

 private:
  void Set(Integer& Field, Integer Value);
  Integer FMaxHeight = 0;
  Integer FMaxWidth = 0;
  Integer FMinHeight = 0;
  Integer FMinWidth = 0;
};

// The platform's frame metrics, read at start and again on WM_THEMECHANGED.
struct TVxFrameMetrics {
  Integer FrameWidth = 0;
  Integer CaptionHeight = 0;
  Integer SmallCaptionHeight = 0;
  Integer ButtonWidth = 0;
  Integer ButtonHeight = 0;
};
const TVxFrameMetrics& FrameMetrics();

class TVxDefaultForm;
// What a component's handlers in the application's minimize and restore events share with it.
struct TVxApplicationLink {
  // Nil once the component is gone: the handler then only passes the event on.
  TVxDefaultForm* Form = nullptr;
  TNotifyEvent PrevMinimize;
  TNotifyEvent PrevRestore;
};
// Shows the default system menu of Form: built by the skinned menus (vexel/menus), which set it
// at start-up; without them the platform's popup menu offers the same entries.
using TVxSystemMenuPresenter = void (*)(TVxDefaultForm& Form, TPoint At, bool Tray);
void SetSystemMenuPresenter(TVxSystemMenuPresenter Presenter);
// Starts the keyboard tracking of a form's menu bar (a TVxMenuBar) when the bar can open (shown,
// enabled, with a visible item), Before running first; false when it cannot. Set at start-up by
// the skinned menus, which the forms do not depend on. Without them, or when the bar cannot
// open, the system-menu key of a form with a menu bar goes to the platform.
using TVxMenuBarTracker = bool (*)(TWinControl& Bar, const std::function<void()>& Before);
void SetMenuBarTracker(TVxMenuBarTracker Tracker);
// The window menu of an MDI parent form holds skinned menu items (TVxItem), which the forms do
// not depend on: the skinned menus set these at start-up (vx_form_windowmenu.cpp). Attach
// installs the before-drop-down handlers on Menu and its parent item, Detach takes them off
// again, Rebuild refills Menu with Form's MDI children.
struct TVxWindowMenuSupport {
  void (*Attach)(TVxDefaultForm& Form, TComponent& Menu) = nullptr;
  void (*Detach)(TComponent& Menu) = nullptr;
  void (*Rebuild)(TVxDefaultForm& Form, TComponent& Menu) = nullptr;
};
void SetWindowMenuSupport(const TVxWindowMenuSupport& Support);
void ReadFrameMetrics();

// The system menu's images: close, minimize, maximize, restore, roll up, tray (drawn by the
// module itself, magenta as the mask).
TImageList& SystemMenuImages();

class TVxDefaultForm : public TVxHook {
 public:
  // Built in code (not read from a form file), the component hooks its owner form at once.
  explicit TVxDefaultForm(TComponent* Owner = nullptr);
  ~TVxDefaultForm() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Loaded() override;

  // [Stored properties]
  TVxAnimation* Animation() const { return FAnimation.get(); }
  void SetAnimation(const TVxAnimation* Value) { FAnimation->Assign(Value); }
  TVxBlending* Blending() const { return FBlending.get(); }
  void SetBlending(const TVxBlending* Value) { FBlending->Assign(Value); }
  TVxBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TVxBorderIcons Value);
  TVxBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TVxBorderStyle Value);
  // The owner form's text.
  std::wstring Caption() const;
  void SetCaption(const std::wstring& Value);
  TVxDragging* Dragging() const { return FDragging.get(); }
  void SetDragging(const TVxDragging* Value) { FDragging->Assign(Value); }
  TVxGravitation* Gravitation() const { return FGravitation.get(); }
  void SetGravitation(const TVxGravitation* Value) { FGravitation->Assign(Value); }
  TVxSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(const TVxSizeConstraints* Value) { FConstraints->Assign(Value); }
  TVxPopupMenuOptions* SystemMenuOptions() const { return FSystemMenuOptions.get(); }
  void SetSystemMenuOptions(const TVxPopupMenuOptions* Value) { FSystemMenuOptions->Assign(Value); }
  TVxPopupMenuOptions* TrayMenuOptions() const { return FTrayMenuOptions.get(); }
  void SetTrayMenuOptions(const TVxPopupMenuOptions* Value) { FTrayMenuOptions->Assign(Value); }
  TPopupMenu* SystemMenuLink() const { return FSystemMenuLink; }
  void SetSystemMenuLink(TPopupMenu* Value);
  TPopupMenu* TrayMenuLink() const { return FTrayMenuLink; }
  void SetTrayMenuLink(TPopupMenu* Value);
  // The form's skinned menu bar (a TVxMenuBar): Alt and Alt + a character open it.
  TWinControl* MenuBar() const { return FMenuBar; }
  void SetMenuBar(TWinControl* Value);
  bool MinimizeApplication() const { return FMinimizeApplication; }
  void SetMinimizeApplication(bool Value) { FMinimizeApplication = Value; }
  TVxFormPerformance Performance() const { return FPerformance; }
  void SetPerformance(TVxFormPerformance Value) { FPerformance = Value; }
  TVxShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TVxShadow* Value) { FShadow->Assign(Value); }
  bool StayOnTop() const { return FStayOnTop; }
  void SetStayOnTop(bool Value);
  bool StretchBackground() const { return FStretchBackground; }
  void SetStretchBackground(bool Value) { FStretchBackground = Value; }
  TVxWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TVxWindowState Value);
  // The item (a TVxItem) that lists the MDI children of an MDI parent form.
  TComponent* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TComponent* Value);

  TNotifyEvent OnCreate;
  TNotifyEvent OnPaint;
  TNotifyEvent OnResize;
  TVxFormActionEvent OnClose;
  TVxFormActionEvent OnMinimize;
  TVxFormActionEvent OnMaximize;
  TVxFormActionEvent OnRollup;
  TVxFormActionEvent OnMinToTray;

  // [Actions]
  void Close();
  void Maximize();
  void Minimize();
  void Rollup();
  void MinimizeToTray();
  void Restore();
  void ShowHelp();
  void ShowSystemMenu();
  // One entry of the default system menu: the caption (also what the click compares), the
  // shortcut's text, the index in SystemMenuImages (-1 for the separator "-") and the action.
  struct TSystemMenuEntry {
    std::string Caption;
    std::string ShortCut;
    Integer ImageIndex = -1;
    std::function<void()> Click;
    bool Enabled = true;
  };
  // The entries the default system menu offers in the current state, in order.
  std::vector<TSystemMenuEntry> SystemMenuEntries() const;
  // When set, shows the system menu instead of the skinned popup (with the entries and the screen
  // point it would open at).
  std::function<void(const std::vector<TSystemMenuEntry>&, TPoint)> OnShowSystemMenu;
  // The item tree of the last default system menu (a TVxItem the component owns), or nil.
  TComponent* SystemMenu() const { return FSystemMenu; }
  // Frees the previous tree.
  void SetSystemMenu(TComponent* Value);

  // [Services]
  void SuspendPaint() { FPaintEnabled = false; }
  void ResumePaint() { FPaintEnabled = true; }
  void RepaintRect(const TRect& R);
  void RepaintNow();
  void UpdateFrame();
  void PaintNonClient();
  // The client area in client coordinates.
  TRect ClientBoundsAtOrigin();

  // [Virtual operations]
  virtual void UpdateRegion();
  // Owned by the caller.
  virtual HRGN GetRegion();
  virtual TRect GetButtonRect(TVxBorderIcon Icon);
  // In window coordinates.
  virtual TRect GetClientBounds();
  virtual TRect GetRollupBounds();
  virtual TRect GetMinimizedBounds();
  virtual TRect GetMaximizedBounds();
  virtual TSize GetMaxTrackSize();
  virtual TSize GetMinTrackSize();
  // A new TVxScrollBar owned by Owner, for the bars over the MDI client's.
  virtual TVxScrollBar* CreateScrollBar(TComponent* Owner);
  // In MDI-client coordinates.
  virtual TRect GetGripperRect() { return FMDISizeBox; }
  virtual void PaintGripper(TCanvas& Canvas);
  virtual void PaintFrame(TCanvas& Canvas);
  virtual void PaintBackground();
  virtual TvxHitCode HitTest(Integer X, Integer Y);
  bool OnSizeGrip(Integer X, Integer Y);
  // Keys and clicks made while the window's show animation plays wait for the window (a menu)
  // instead of going where they would have gone without it.
  virtual bool HoldsInputWhileShowing() const { return false; }

  // [MDI parent] (vx_form_mdi.cpp) The owner form's MDI client, while its procedure is replaced
  // and the component is active.
  HWND MDIClient() const;
  // The active MDI child of the owner form is maximized.
  bool MDIChildMaximized() const;
  // Lays the skinned bars over the MDI client's scroll bars, or hides them.
  void UpdateMDIScrollBars();
  // The windows holding the skinned bars (nil until first needed).
  TWinControl* MDIVertBar() const { return FMDIVertBar; }
  TWinControl* MDIHorzBar() const { return FMDIHorzBar; }
  // Between the two bars, in MDI-client coordinates; empty unless both show.
  const TRect& MDISizeBox() const { return FMDISizeBox; }
  // Before WindowMenu drops down: its items from the first child item on are made anew.
  void RebuildWindowMenu();
  // What a window-menu item does: activates Child and brings it to the front, when it is still
  // one of the form's MDI children.
  void ActivateMDIChild(TForm* Child);
  bool WindowMenuBusy() const { return FWindowMenuBusy; }
  // Expires when the component goes: for handlers it leaves in objects that may outlive it.
  std::weak_ptr<TVxDefaultForm*> Alive() const { return FAlive; }

  // [State that tests and descendants read]
  Integer WindowWidth() const { return FWindowWidth; }
  Integer WindowHeight() const { return FWindowHeight; }
  Integer FullWidth() const { return FFullWidth; }
  Integer FullHeight() const { return FFullHeight; }
  bool CaptionActive() const { return FCaptionActive; }
  TvxHitCode HotPart() const { return FHotPart; }
  TvxHitCode PressedPart() const { return FPressedPart; }
  TVxWindowState PrevState() const { return FPrevState; }
  const TRect& RestoreBounds() const { return FRestoreBounds; }
  bool PaintEnabled() const { return FPaintEnabled; }
  bool Tracking() const { return FTracking; }
  const TvxBitmap& Background() const { return *FBackground; }
  const TRect& LastCaptureRect() const { return FLastCaptureRect; }
  bool TrayIconShown() const { return FTrayIconShown; }
  // The tip the icon was added with.
  const std::string& TrayTip() const { return FTrayTip; }
  // Receives the tray icon's notifications and the private messages.
  HWND UtilityWindow();
  // The application's minimize and restore events lead through this component.
  bool ApplicationTakenOver() const { return FApplicationLink != nullptr; }
  // The shadow shows (on and not maximized).
  bool ShadowVisible() const;
  bool ChildPaint() const { return FChildPaint; }

  void MessageBefore(TMessage& Message, bool& Handled) override;
  void MessageAfter(TMessage& Message, bool& Handled) override;
  void Unhooked() override;

  // The client background handler (WM_ERASEBKGND); DC may be nil, Partial a record or nil.
  void EraseBackground(HDC DC, const TRect* Partial);
  // Paints the client background into DC for a child at ChildBounds (client coordinates).
  void PaintForChild(HDC DC, const TRect& ChildBounds);

 protected:
  // For descendants: construction without hooking; the most derived constructor calls
  // LoadedInCode once its own parts exist, so that the first frame is its frame.
  struct TDeferLoad {};
  TVxDefaultForm(TComponent* Owner, TDeferLoad);
  void LoadedInCode();
  void Notification(TComponent* Component, TOperation Operation) override;
  bool Designing() const;
  bool Loading() const;
  // The caption height of the border style (0 without a caption).
  Integer StyleCaptionHeight() const;
  // The window kind of the border style.
  TvxWindowKind WindowKind() const;
  // Title-button set of the window info for the border icons and the state.
  uint16_t TitleButtons() const;
  bool ButtonPressed(TvxHitCode Code) const;
  bool ButtonHot(TvxHitCode Code) const;
  // The form's icon, else a default application icon; 16 x 16 (or the small icon size).
  HICON SmallIconHandle();
  TRect FormBounds() const;
  TCanvas* FormCanvas() const { return FFormCanvas.get(); }
  // This window as the frame painters see it.
  TVxFrameView FrameView();

 private:
  // [Messages]
  void WindowPosChanging(TMessage& Message);
  void NCCalcSize(TMessage& Message);
  void NCActivate(TMessage& Message);
  void SysCommand(TMessage& Message, bool& Handled);
  void SetTextBefore();
  void SetTextAfter(TMessage& Message);
  void PrivateMessage(TMessage& Message);
  void ThemeChangeMessage(TMessage& Message);
  void UtilityMessage(HWND Wnd, TMessage& Message);
  TPoint ScreenToWindow(intptr_t LParam);

  // [Mouse]
  void NCButtonDown(TMouseButton Button, TPoint P);
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void MouseMove(TShiftState Shift, Integer X, Integer Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void SnapToEdges(TRect& R);
  TRect GetWorkArea();
  void DrawDragFrame(const TRect& R);
  void SetBoundsNow(const TRect& R);
  void ReleaseDrag();

  // [States]
  bool AskAllowed(const TVxFormActionEvent& Event);
  void KeepBounds(std::initializer_list<TVxWindowState> Except);
  void Action(int Code);
  void AddTrayIcon(const std::string& Tip);
  void RemoveTrayIcon();
  void UpdateTrayIcon();
  // With MinimizeApplication the form follows the application's minimize and restore: its
  // handlers go in front of those the events had, which are given back on destruction.
  void TakeOverApplication();
  void GiveBackApplication();
  friend struct TVxApplicationHandler;
  void ApplicationMinimized();
  void ApplicationRestored();

  // [MDI parent]
  void AttachMDIClient();
  void DetachMDIClient();
  void MDIBarScroll(bool Vertical, int Code, Integer& Pos);
  TWinControl* MakeMDIBar(bool Vertical);

  // [Painting]
  void UpdateBackground(const TRect& R);
  void PlayShowAnimation();
  void PaintShadow(TvxBitmap& Target, const TRect& C);
  void DoPaint();

  void OptionsChanged(TObject* Sender);
  void ConstraintsChanged(TObject* Sender);
  void NudgeHeight(Integer Delta);

  friend class TVxFormPainter;

  std::unique_ptr<TVxAnimation> FAnimation;
  std::unique_ptr<TVxBlending> FBlending;
  TVxBorderIcons FBorderIcons = DefaultBorderIcons;
  TVxBorderStyle FBorderStyle = TVxBorderStyle::kbsStandard;
  std::unique_ptr<TVxDragging> FDragging;
  std::unique_ptr<TVxGravitation> FGravitation;
  std::unique_ptr<TVxSizeConstraints> FConstraints;
  std::unique_ptr<TVxPopupMenuOptions> FSystemMenuOptions;
  std::unique_ptr<TVxPopupMenuOptions> FTrayMenuOptions;
  TPopupMenu* FSystemMenuLink = nullptr;
  TPopupMenu* FTrayMenuLink = nullptr;
  TWinControl* FMenuBar = nullptr;
  bool FMinimizeApplication = true;
  TVxFormPerformance FPerformance = TVxFormPerformance::zqfpNoBuffer;
  std::unique_ptr<TVxShadow> FShadow;
  bool FStayOnTop = false;
  bool FStretchBackground = false;
  TVxWindowState FWindowState = TVxWindowState::kwsNormal;
  TComponent* FWindowMenu = nullptr;

  // [Run-time]
  std::unique_ptr<TCanvas> FFormCanvas;
  std::unique_ptr<TvxBitmap> FPersistentBuffer;
  TPoint FPopupPoint{0, 0};
  std::wstring FSavedCaption;
  std::unique_ptr<TvxBitmap> FBackground;
  bool FAnimating = false;
  TvxBitmap* FAnimImage = nullptr;
  TPoint FDragStart{0, 0};
  TPoint FLastPos{0, 0};
  TRect FRestoreBounds;
  TVxWindowState FPrevState = TVxWindowState::kwsNormal;
  TVxWindowState FPendingState = TVxWindowState::kwsNormal;
  bool FTrayIconShown = false;
  std::string FTrayTip;
  uint32_t FTrayId = 0;
  HWND FUtilityWindow = nullptr;
  HICON FSmallIcon = nullptr;
  bool FPaintEnabled = false;
  bool FCaptionActive = false;
  TvxHitCode FPressedPart = vxhtNone;
  TvxHitCode FHotPart = vxhtNone;
  Integer FWindowWidth = 0;
  Integer FWindowHeight = 0;
  Integer FFullWidth = 0;
  Integer FFullHeight = 0;
  Byte FNCButtons = 0;
  TRect FLastCaptureRect;
  bool FCaptureSuspended = false;
  bool FTracking = false;
  TRect FDragFrame;
  bool FOutlineMode = false;
  Byte FSavedDragMode = 1;
  bool FActionBusy = false;
  bool FChildPaint = false;
  TRect FChildBounds;
  bool FHooked = false;
  bool FEndingDrag = false;
  TComponent* FSystemMenu = nullptr;
  std::shared_ptr<TVxApplicationLink> FApplicationLink;
  std::unique_ptr<TVxMDIClientHook> FMDIClientHook;
  TWinControl* FMDIVertBar = nullptr;
  TWinControl* FMDIHorzBar = nullptr;
  TRect FMDISizeBox;
  bool FWindowMenuBusy = false;
  bool FMDIScrolling = false;
  std::shared_ptr<TVxDefaultForm*> FAlive = std::make_shared<TVxDefaultForm*>(this);
};

// TVxDefaultForm that paints and measures through the theme of its link (else the current
// theme) when that theme defines its window kind.
class TVxForm : public TVxDefaultForm {
 public:
  explicit TVxForm(TComponent* Owner = nullptr);
  ~TVxForm() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TvxCustomThemeLink* ThemeLink() const { return FThemeLink; }
  void SetThemeLink(TvxCustomThemeLink* Value);
  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);

  // The theme defines this window's kind.
  bool Themed() const;
  TvxTheme* Theme() const;
  // The record the theme's frame operations take.
  TvxWindowInfo WindowInfo() const;

  HRGN GetRegion() override;
  TRect GetButtonRect(TVxBorderIcon Icon) override;
  TRect GetClientBounds() override;
  TRect GetMaximizedBounds() override;
  TSize GetMinTrackSize() override;
  void PaintGripper(TCanvas& Canvas) override;
  void PaintFrame(TCanvas& Canvas) override;
  void PaintBackground() override;
  TvxHitCode HitTest(Integer X, Integer Y) override;
  // TM_THEMECHANGE from the theme manager: the frame follows the new theme.
  void Dispatch(TMessage& Message) override;

 protected:
  TVxForm(TComponent* Owner, TDeferLoad);
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TvxCustomThemeLink* FThemeLink = nullptr;
  std::string FThemeObject = "default";
};

// The platform paints its own caption for a new text while a window has the caption style: the
// style goes now and comes back through the posted FM_RESTORECAPTION (WParam 13), which repaints
// the skinned frame.
void HideCaptionForText(HWND Wnd);
// FM_RESTORECAPTION's part: the caption style back when WParam asks for it.
void RestoreCaptionStyle(HWND Wnd, uintptr_t WParam);

// A copy of Form's small icon (else the program's, else the platform's application icon) at
// the small-icon size; the caller destroys it.
HICON CopySmallIcon(TForm* Form);

// The first active skinning component of the form Control sits on (through its top-most
// parent), or nil.
TVxDefaultForm* FindSkinnedForm(TControl* Control);
// Whether Form is skinned; when it is, whether it may be sized now (sizeable, normal state).
bool SkinnedFormSizeable(TWinControl* Form, bool& SizeableNow);

// The dropped-down combo box and the routine that closes it: a press on a skinned frame calls the
// routine. One at a time; registering another replaces it, unregistering a combo that is not the
// registered one changes nothing.
void RegisterDroppedDownCombo(TControl* Combo, std::function<void()> Close);
void UnregisterDroppedDownCombo(TControl* Combo);
TControl* DroppedDownCombo();
// Calls the registered routine, if any (once: it is unregistered first).
void CloseDroppedDownCombo();

// Registers the form classes for form files and the forms' parent-background painters.
void RegisterFormClasses();
