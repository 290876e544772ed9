// The control hierarchy of the window framework: TControl (bounds, parent, alignment, font and
// colour, mouse), TWinControl (a window of its own, children, focus, keyboard), TCustomControl
// (a window with its own canvas) and TGraphicControl (windowless, painted on its parent).
//
// Messages reach a control through WindowProc, a replaceable handler: code that wants to see a
// control's messages first saves WindowProc, installs its own and chains to the saved one. The
// default handler is WndProc, which hands what it does not consume to Dispatch; classes
// override Dispatch with a switch and pass the rest to their parent class's Dispatch. A windowed
// control's messages nobody handles go to the window class's own procedure (DefaultHandler).
//
// Ownership: the Owner (TComponent) frees a control; the Parent only shows it. A control freed
// before its parent leaves the parent's list. Windows only; <windows.h> stays out of this header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/messages.h"
#include "framework/core/platform_handles.h"
#include "framework/core/set.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"

class TWinControl;
class TForm;
class TPopupMenu;
class TAction;
class TActionLink;

// A control asked for something its state does not allow (a window without a parent window,
// focus on a hidden control).
class EInvalidOperation : public Exception {
  using Exception::Exception;
};

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TEnumInfo& AlignNames();

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// What a control is (set by its class) and what it is doing (set while it runs).
enum class TControlStyleFlag {
  csAcceptsControls,  // other controls can be placed on it
  csCaptureMouse,     // a button press captures the mouse until it is released
  csClickEvents,      // press and release inside the control is a click
  csDoubleClicks,     // double clicks reach OnDblClick (otherwise they count as presses)
  csOpaque,           // paints all of its client area; the parent need not erase under it
  csSetCaption,       // takes its Name as Caption until a Caption is set
  csActionClient,     // follows an action link
};
using TControlStyle = TSet<TControlStyleFlag>;

enum class TControlStateFlag {
  csLButtonDown,
  csClicked,
  csAlignmentNeeded,
  csDestroyingHandle,
  csPaintCopy,  // being painted into another context (a child painting its parent's background)
};
using TControlState = TSet<TControlStateFlag>;

// Cursor identifiers; crDefault leaves the cursor to the window class.
using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
                  crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crNo = -18, crHandPoint = -21,
                  crSizeAll = -22, crHSplit = -14, crVSplit = -15;

// Shows Cursor as the pointer now (crNone hides it, crDefault is the arrow).
void ShowCursorShape(TCursor Cursor);

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
// Key is a virtual-key code; a handler that consumes the key sets it to 0.
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
// Key is the character; a handler that consumes it sets it to 0.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// WheelDelta is 120 per notch, positive when the wheel turns away from the user; MousePos is in
// screen coordinates. A handler that scrolled sets Handled, which stops the wheel there.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;

// Child-window messages a parent hands back to the child's own control, as CN_COMMAND and
// CN_NOTIFY: owner drawing, the scroll messages of scroll bars and track bars, and colours.
constexpr TMsgNum CN_DRAWITEM = CN_BASE + 0x002B;
constexpr TMsgNum CN_HSCROLL = CN_BASE + 0x0114;
constexpr TMsgNum CN_VSCROLL = CN_BASE + 0x0115;
constexpr TMsgNum CN_CTLCOLOREDIT = CN_BASE + 0x0133;
constexpr TMsgNum CN_CTLCOLORLISTBOX = CN_BASE + 0x0134;
constexpr TMsgNum CN_CTLCOLORBTN = CN_BASE + 0x0135;
constexpr TMsgNum CN_CTLCOLORSCROLLBAR = CN_BASE + 0x0137;
constexpr TMsgNum CN_CTLCOLORSTATIC = CN_BASE + 0x0138;

// The handler type of WindowProc.
using TWndMethod = std::function<void(TMessage& Message)>;

// The parameters a windowed control creates its window with; CreateParams fills them in.
struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  Integer X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The window class: the framework registers WinClassName with its own window procedure. A
  // control wrapping a system class names it in SysClassName and calls CreateSubClass.
  std::string WinClassName;
  std::string SysClassName;
  uint32_t ClassStyle = 0;
};

class TControl;

// Tells code that runs a control's handlers whether one of them freed the control: after
// Freed() answers true the code must not touch the control again. Watches nest on the stack.
class TControlWatch {
 public:
  explicit TControlWatch(TControl* Control);
  ~TControlWatch();
  TControlWatch(const TControlWatch&) = delete;
  TControlWatch& operator=(const TControlWatch&) = delete;
  bool Freed() const { return FControl == nullptr; }

 private:
  friend class TControl;
  TControl* FControl;
  TControlWatch* FOuter;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* Owner = nullptr);
  ~TControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Messages]
  // The control's message handler; save it before replacing it and chain to the saved one.
  TWndMethod WindowProc;
  // Sends a message straight to WindowProc and answers its Result.
  intptr_t Perform(TMsgNum Msg, uintptr_t WParam, intptr_t LParam);
  void DefaultHandler(TMessage& Message) override;

  // [Parent and geometry]  Left and Top are in the parent's client coordinates (screen ones for
  // a control without a parent).
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* Value);
  Integer Left() const { return FLeft; }
  Integer Top() const { return FTop; }
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  // The client area in the control's own coordinates.
  virtual TRect ClientRect();
  Integer ClientWidth() { return ClientRect().Width(); }
  Integer ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(Integer Value);
  void SetClientHeight(Integer Value);
  TPoint ClientToScreen(const TPoint& P);
  TPoint ScreenToClient(const TPoint& P);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  // Moves the control to the front (last painted) or back of its parent's z-order.
  void BringToFront();
  void SendToBack();

  // [State]
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents (and the top one has a window that is shown).
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // [Appearance]
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& Value) { SetText(Value); }
  const std::string& Text() const { return FText; }
  virtual void SetText(const std::string& Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // Hint is "short|long": the hint window shows the short part, Application->Hint the long one
  // (the whole text when there is no bar).
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // Whether the hint window shows Hint; with ParentShowHint the parent's setting applies.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // The control follows Value's caption, enabled and visible state and hint, and a click runs it
  // (OnClick, when set, runs instead).
  TAction* Action() const;
  void SetAction(TAction* Value);
  // Shown where the user asks for a context menu over the control.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  // [Painting]  Invalidate marks the control's area for the next paint; Update paints what is
  // marked now; Repaint does both.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();

  // [Mouse]
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  // The wheel reaches the windowless control under the pointer, then the window under it (or the
  // focused one), then that window's parents, until one handles it.
  TMouseWheelEvent OnMouseWheel;

  // Simulates a click (as a press and release inside the control do).
  virtual void Click();
  // The form the control sits on, or nil.
  TForm* GetParentForm() const;

  void Loaded() override;
  // In form files a control is written inside its parent and gets it back when read.
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* AParent) override;
  // A control that shows its name (csSetCaption) keeps showing it until a caption is set.
  void SetName(const std::string& NewName) override;

 protected:
  // The default WindowProc: mouse translation and the framework's own bookkeeping, then Dispatch.
  virtual void WndProc(TMessage& Message);
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  // The link SetAction makes; a class that follows more of the action returns its own.
  virtual std::unique_ptr<TActionLink> CreateActionLink();

  // Change notifications a class can extend.
  virtual void Resize();
  virtual void RequestAlign();
  void IncludeStyle(TControlStyleFlag F) { FControlStyle.Include(F); }
  void ExcludeStyle(TControlStyleFlag F) { FControlStyle.Exclude(F); }

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void DblClick();
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // True when the wheel was handled (by OnMouseWheel).
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos);

  // The parent's client rectangle the control paints to; used by Invalidate.
  void InvalidateControl(bool IsVisible, bool IsOpaque);

  // The new bounds without side effects, for SetBounds overrides and alignment.
  void UpdateBoundsRect(const TRect& R);

 private:
  friend class TWinControl;
  void FontChanged();
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  // Shows the cursor of what is under the pointer when that may be this control.
  void ShowCursorIfOver();

  TWinControl* FParent = nullptr;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = false;
  bool FUpdatingFont = false;
  TControlStyle FControlStyle;
  TControlState FControlState;
  std::unique_ptr<TFont> FFont;
  TColor FColor = clWindow;
  std::string FText;
  std::string FHint;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  friend class TControlWatch;
  TControlWatch* FWatches = nullptr;
  bool FShowHint = false;
  bool FParentShowHint = true;
  std::unique_ptr<TActionLink> FActionLink;
};

enum class TTabDirection { Forward, Backward };

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* Owner = nullptr);
  ~TWinControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Window] The window is created on the first call of Handle (and the parent's with it).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // In the destructor: the classes derived from this one are gone already (the window may still
  // be going, and its WM_DESTROY still reaches WindowProc).
  bool Freeing() const { return FDestroying; }
  // Destroys and re-creates the window (after a change of creation parameters); the children's
  // windows follow, and every property is kept.
  void RecreateWnd();
  // The window's own procedure before the framework's: what DefaultHandler calls.
  void DefaultHandler(TMessage& Message) override;

  // [Children] In z-order, back to front.
  Integer ControlCount() const { return Integer(FControls.size()); }
  TControl* Controls(Integer Index) const { return FControls.at(size_t(Index)); }
  const std::vector<TControl*>& ControlList() const { return FControls; }
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  bool ContainsControl(const TControl* Control) const;
  // The topmost visible child at client point P (windowless ones included unless AllowWinControls
  // is false), or nil.
  TControl* ControlAtPos(const TPoint& P, bool AllowDisabled = false, bool AllowWinControls = true) const;
  // Sends Message to every child.
  void Broadcast(TMessage& Message);
  void NotifyControls(TMsgNum Msg);
  // Arranges the aligned children inside ClientRect (adjusted by AdjustClientRect).
  void Realign() { AlignControl(nullptr); }
  // The same, telling AlignControls which child asked (moved, resized, shown or hidden), if any.
  void AlignControl(TControl* AControl);
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }

  // [Focus and tab order]
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  // Position among the parent's windowed children in tab order; -1 when unparented.
  Integer TabOrder() const;
  void SetTabOrder(Integer Value);
  // The windowed children in tab order.
  std::vector<TWinControl*> TabList() const;
  // The windowed descendants in tab order (depth first).
  std::vector<TWinControl*> GetTabOrderList() const;
  // Whether the control, its parents and its window can take the focus now.
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The next (or previous) focusable descendant after CurControl in tab order, wrapping.
  TWinControl* FindNextControl(TWinControl* CurControl, TTabDirection Direction, bool CheckTabStop,
                               bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, TTabDirection Direction, bool CheckTabStop);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  TRect ClientRect() override;
  void SetVisible(bool Value) override;
  bool Showing() const override;
  void SetText(const std::string& Value) override;
  // Paints the background, the control and its windowless children into an off-screen bitmap and
  // copies the result to the window in one step, so nothing flickers. For controls that paint
  // themselves (PaintWindow); a system control's window paints as it always does.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  // The window whose messages belong to Control, if one of ours.
  static TWinControl* FindControl(HWND Wnd);

 protected:
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  virtual void CreateParams(TCreateParams& Params);
  // Creates the window from CreateParams; CreateWnd is the whole step (CreateWindowHandle the
  // call itself), DestroyWnd its opposite.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  // Creating and destroying the window with those of the children.
  virtual void CreateHandle();
  void DestroyHandle();
  // Wraps the system window class Params.SysClassName (its procedure becomes DefaultHandler's).
  void CreateSubClass(TCreateParams& Params, const char* ClassName);

  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The window's part of WM_PAINT: a system control's window class paints into DC here,
  // TCustomControl paints its canvas.
  virtual void PaintWindow(HDC DC);
  // Paints the windowless children on DC; nil First means all of them.
  void PaintControls(HDC DC, TControl* First);
  void PaintHandler(TMessage& Message);

  virtual void DoEnter();
  virtual void DoExit();
  // True when the key was consumed (by the form's preview or the control's handler).
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  // Whether the control handles Key itself rather than leaving it to the form (Tab, arrows...).
  virtual bool WantsKey(uint16_t Key) const;

  HWND ParentWindow() const;

 private:
  friend class TControl;
  friend struct TWindowBinding;
  void MainWndProcCatch(TMessage& Message);
  void UpdateBoundsFromWindow();
  void UpdateMouseControl(TControl* Control);
  bool IsDialogKey(uint16_t Key);
  void DoAlign(TAlign Align, TRect& Rect);
  void PrintClient(TMessage& Message);
  void PaintBuffered(HDC DC, const TRect& Area);
  // Hands a child window's message back to the child's control; true when that answered it.
  bool ReflectToChild(TMessage& Message);
  bool MouseWheelHandler(TMessage& Message);

  HWND FHandle = nullptr;
  void* FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FAligning = false;
  TControl* FMouseControl = nullptr;  // the windowless child (or this) the pointer is over
  bool FTrackingLeave = false;
  Integer FPendingTabOrder = -1;  // a TabOrder set before the control has a parent
  bool FFreeing = false;          // in the destructor: only WM_DESTROY still reaches WindowProc
  bool FDestroying = false;       // in the destructor, from its first line
  bool FDoubleBuffered = false;
  HDC FBufferDC = nullptr;  // the DC our own painting draws on (off-screen, or a print's)
};

// A canvas over a control's window DC, or over the DC of the paint in progress. A DC the canvas
// takes itself (drawing outside WM_PAINT) goes back once the current message has been handled
// (FreeDeviceContexts).
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* Control) : FControl(Control) {}
  ~TControlCanvas() override;
  // Gives the DC back if the canvas took one itself.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl;
  HWND FWindow = nullptr;
  HDC FOwnDC = nullptr;
};

// A windowed control that draws itself: Paint runs on every WM_PAINT with Canvas over the
// paint DC.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* Owner = nullptr);
  ~TCustomControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TCanvas* Canvas() { return FCanvas.get(); }
  // Paints the control's own picture (not its windowless children) into DC: for a child that
  // shows its parent through its transparent parts.
  void PaintTo(HDC DC) { PaintWindow(DC); }

  std::function<void(TObject* Sender)> OnPaint;

 protected:
  virtual void Paint();
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A control without a window: it paints on its parent's DC inside its own bounds (Canvas's
// origin is the control's top left) and hears mouse messages through its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* Owner = nullptr);
  ~TGraphicControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TCanvas* Canvas() { return FCanvas.get(); }

  std::function<void(TObject* Sender)> OnPaint;

 protected:
  virtual void Paint();
  void Dispatch(TMessage& Message) override;

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// Where a scroll-bar request (the code of a WM_HSCROLL or WM_VSCROLL for Bar, SB_HORZ or
// SB_VERT, of Wnd) asks to go from Pos: a line or a page either way, the start, Last, or the
// thumb's track position. Nothing for other codes. The caller clamps.
std::optional<Integer> ScrollRequestPosition(HWND Wnd, int Bar, int Code, Integer Pos, Integer Line, Integer Page,
                                             Integer Last);

// The shift state of a mouse message's WParam, or of the keyboard now.
TShiftState MouseShiftState(uintptr_t WParam);
TShiftState KeyboardShiftState();
// The control that holds the mouse capture, windowless ones included.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// Forgets the capture control, leaving the window capture where it is.
void ForgetCaptureControl();
// Gives back the DCs control canvases took outside painting; the message loop calls it after
// every message.
void FreeDeviceContexts();
