// TForm: a top-level window that holds controls, tracks which of them has the focus, and runs
// modally (ShowModal) until ModalResult is set or it is closed. An MDI form holds the platform's
// MDI client window, in which its MDI child forms live.
#pragma once

#include <functional>

#include "framework/ui/controls.h"
#include "framework/ui/dialogs.h"

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
// What closing does: nothing, hide the form, free it (after the message that closed it) or minimise it.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// A stay-on-top form stays above the other windows that are not. An MDI child lives inside the
// MDI client of the application's main form, which must be an MDI form when the child's window is
// made.
enum class TFormStyle { fsNormal, fsStayOnTop, fsMDIChild, fsMDIForm };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
// How Tile arranges an MDI form's children: one above the other, or side by side.
enum class TTileMode { tbHorizontal, tbVertical };
// The buttons of the caption; minimise and maximise need the system menu, help shows only
// without them.
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum class TFormStateFlag { fsModal };
using TFormState = TSet<TFormStateFlag>;

const TEnumInfo& FormBorderStyleNames();
const TEnumInfo& PositionNames();
const TEnumInfo& FormStyleNames();
const TEnumInfo& BorderIconNames();
const TEnumInfo& FormWindowStateNames();

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A control on a form that takes the form's shortcut keys before the form's own menu and action
// lists (a skinned menu bar). True when it used the key.
class TFormShortCutTarget {
 public:
  virtual bool FormShortCut(uint16_t Key, TShiftState Shift) = 0;

 protected:
  ~TFormShortCutTarget() = default;
};

class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* Owner = nullptr);
  ~TForm() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TFormState FormState() const { return FFormState; }
  // The window's state when it has a window, else the state it gets when shown.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  // The menu bar: put on the window whenever the window is (re)created.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // Runs what Key with Shift is a shortcut for: a shortcut target among the form's controls, a
  // menu item, else an action of a list the form owns. True when something ran (the key goes no further).
  bool IsShortCut(uint16_t Key, TShiftState Shift);

  // Shows and activates the form.
  void Show();
  // Closes the form: OnCloseQuery may refuse, OnClose chooses what happens (hide by default;
  // the main form ends the application).
  void Close();
  bool CloseQuery();
  // Frees the form once the current message has been handled.
  void Release();
  // Runs the form modally (the other windows disabled) until ModalResult is set or the form is
  // closed (mrCancel), and answers ModalResult.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // The control with the focus inside the form (or that gets it when the form is activated).
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the form's focus to Control: CM_EXIT to the controls it leaves, CM_ENTER to those it
  // enters (outer first). False when an OnExit/OnEnter handler moved the focus elsewhere.
  bool SetFocusedControl(TWinControl* Control);
  // Focuses Control if the form is active, else remembers it for activation.
  void FocusControl(TWinControl* Control);
  // Told when Control leaves the form's control tree: the focus must not point at it.
  void ControlRemoved(TControl* Control);
  // Told when Control is hidden or disabled: a focus inside it moves on to the next control.
  void ControlDisabled(TWinControl* Control);

  // [MDI] The MDI client window of an MDI form (nil for other forms or without a window).
  HWND ClientHandle() const { return FClientHandle; }
  // The children in the MDI client's order (the active one first); none for other forms, nil
  // for an index out of range.
  Integer MDIChildCount() const;
  TForm* MDIChildren(Integer Index) const;
  TForm* ActiveMDIChild() const;
  // Arrangements of the children, done by the MDI client.
  void Cascade();
  void Tile();
  void ArrangeIcons();
  // Activates the next (or previous) child.
  void Next();
  void Previous();
  TTileMode TileMode() const { return FTileMode; }
  void SetTileMode(TTileMode Value) { FTileMode = Value; }
  // The MDI form an MDI child lives in (the application's main form), else nil.
  static TForm* MDIParentForm();

  TRect ClientRect() override;
  void SetVisible(bool Value) override;
  bool Showing() const override;
  bool CanFocus() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;
  TNotifyEvent OnDestroy;

  // Runs OnCreate; a form built in code calls it once its controls exist (forms read from a
  // stream run it after loading).
  void DoCreate();
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Dispatch(TMessage& Message) override;
  // MDI forms and children leave what they do not handle to the platform's MDI procedures.
  void DefaultHandler(TMessage& Message) override;
  virtual void DoShow();
  virtual void DoHide();
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  void DoClose(TCloseAction& Action);
  void PlaceWindow();
  void SelectFirst();
  void CloseModal();
  bool IsMDIChild() const { return FFormStyle == TFormStyle::fsMDIChild; }
  void CreateMDIClient();
  void DestroyMDIChildWindow();
  void ApplyWindowState();
  void MDIActivated(TMessage& Message);

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TBorderIcons FBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TPosition FPosition = TPosition::poDesigned;
  bool FKeyPreview = false;
  TFormState FFormState;
  TModalResult FModalResult = mrNone;
  TWinControl* FActiveControl = nullptr;
  TMainMenu* FMenu = nullptr;
  TCloseAction FCloseAction = TCloseAction::caHide;
  TWindowState FWindowState = TWindowState::wsNormal;
  TTileMode FTileMode = TTileMode::tbHorizontal;
  HWND FClientHandle = nullptr;
};
