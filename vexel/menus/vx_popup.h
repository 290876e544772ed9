// The window a dropped-down list of items shows in: TVxPopupWindow, a borderless, topmost tool
// window shown without activation, with one vertical TVxPopupView over the item's children. It
// is made and freed by TVxItem::Popup; nested submenus are popups inside their parent's loop.
// TVxClickHandler runs a chosen item's click from the message queue once the menus have closed.
//
// Each popup window is framed by a TVxPopupForm, the form-skinning component that gives it the
// popup options: translucency, a drop shadow and the show animation of the first popup of a menu.
// Windows only.
#pragma once

#include <memory>

#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/menus/vx_menus.h"

class TVxPopupWindow;
class TvxBitmap;
class TVxBlending;
class TVxShadow;
class TVxAnimation;

// The form-skinning component of a popup window (owned by it): no caption, frame or border icons,
// neither sizeable nor movable, none of the form's buffers, always drawn active and on top. The
// whole window but the shadow is client area, where the popup's frame and items paint (an
// unblended popup through an off-screen picture of its own).
class TVxPopupForm : public TVxForm {
 public:
  explicit TVxPopupForm(TVxPopupWindow* Window);
  TVxPopupWindow* PopupWindow() const { return FPopupWindow; }
  // The window control whose caption stays active while the popup is open.
  TWinControl* CaptionControl() const;
  // Hooks the window (creating it); called once the options are set, just before showing.
  void Attach();
  bool Attached() const { return FAttached; }

  HRGN GetRegion() override;
  TRect GetClientBounds() override;
  TRect GetMaximizedBounds() override;
  TSize GetMinTrackSize() override;
  void PaintFrame(TCanvas& Canvas) override;
  void PaintBackground() override;
  TvxHitCode HitTest(Integer X, Integer Y) override;
  void MessageBefore(TMessage& Message, bool& Handled) override;
  bool HoldsInputWhileShowing() const override { return true; }

 private:
  TVxPopupWindow* FPopupWindow;
  bool FAttached = false;
  // The off-screen picture of an unblended popup.
  std::unique_ptr<TvxBitmap> FBuffer;
};

// Paints on its popup window, whose client coordinates are the view's.
class TVxPopupView : public TVxItemView {
 public:
  TVxPopupView(TVxPopupWindow* Window, TVxItem* RootItem);
  ~TVxPopupView() override;

  TVxPopupWindow* Window() const { return FWindow; }
  // A memory canvas for measuring; painting gets the window's canvas.
  TCanvas* Canvas() override;
  HWND MessageWindow() override;
  // Resizes the window to the new content.
  void SetContentSize(const TSize& Value) override;
  void RepaintAll() override;
  void RepaintItem(TVxItem* Item) override;
  void RepaintScrollButton(bool Up) override;

 private:
  void RepaintRect(const TRect& R);
  // Repaints R with only Item of the list drawn (nil: none).
  void RepaintAlone(TVxItem* Item, const TRect& R);

  TVxPopupWindow* FWindow;
  HDC FMeasureDC = nullptr;
  std::unique_ptr<TCanvas> FMeasureCanvas;
};

class TVxPopupWindow : public TForm {
 public:
  // Shows Item's children; ParentView is the view that opened it (nil for a menu of its own).
  TVxPopupWindow(TComponent* Owner, TVxItem* Item, TVxItemView* ParentView);
  ~TVxPopupWindow() override;

  // Nil while the window waits, hidden, to show another list.
  TVxPopupView* View() const { return FView.get(); }
  TVxItem* Item() const { return FItem; }
  // Takes Item's children as the list of a window that waits to be shown again.
  void Reopen(TVxItem* Item, TVxItemView* ParentView);
  // Hides the window and lets go of its list, as if it had been destroyed: what was posted to
  // it is dropped. The window, hooked and buffered, is kept for the next popup.
  void Park();
  // The window whose caption stays active while the popup is open.
  TWinControl* CaptionControl() const { return FCaptionControl; }
  void SetCaptionControl(TWinControl* Value);
  // The options handed over (nil: none); their values are copied into Form.
  TVxBlending* Blending() const { return FBlending; }
  TVxShadow* Shadow() const { return FShadow; }
  TVxAnimation* Animation() const { return FAnimation; }
  void SetOptions(TVxBlending* Blending, TVxShadow* Shadow, TVxAnimation* Animation);
  TVxPopupForm* Form() const { return FForm; }
  // The popup paints through the form's off-screen composition (translucency): one item is
  // repainted by hiding the others.
  bool Composed() const;
  // The frame and the items, in window coordinates.
  void PaintPopup(TCanvas& Canvas);
  // The popup's own rectangle, without the shadow.
  TRect FrameRect();

  // The items' area inside a window rectangle R (window coordinates): the theme's popup client
  // rectangle, else R less 3 pixels on every side.
  TRect PopupClientRect(const TRect& R);
  // The window size for the view's content, the shadow included.
  TSize SizeForContent();
  // Where the client area's top-left sits inside the window.
  TPoint ClientOffset();
  // Shows the window on top without taking the activation.
  void ShowNoActivate();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  void PaintFrame(TCanvas& Canvas);

  TVxItem* FItem;
  std::unique_ptr<TVxPopupView> FView;
  TVxPopupForm* FForm;
  TWinControl* FCaptionControl = nullptr;
  TVxBlending* FBlending = nullptr;
  TVxShadow* FShadow = nullptr;
  TVxAnimation* FAnimation = nullptr;
};

// How a popup relates to what opened it.
enum class TVxPopupAnchor { paPoint, paBelow, paBeside };

// The window rectangle of a popup of Size whose client area starts ClientOffset inside it, for
// point At (paPoint) or beside Anchor (a menu bar item: paBelow; a popup item: paBeside), kept
// on Monitor.
TRect PlacePopup(const TRect& Monitor, const TPoint& At, const TPoint& ClientOffset, const TSize& Size,
                 const TRect& Anchor, TVxPopupAnchor Kind);

// The hidden window of deferred clicks: message VXM_DEFERREDCLICK with the item's serial and the
// item. An item freed meanwhile is not clicked.
class TVxClickHandler {
 public:
  TVxClickHandler();
  ~TVxClickHandler();
  TVxClickHandler(const TVxClickHandler&) = delete;
  TVxClickHandler& operator=(const TVxClickHandler&) = delete;
  HWND Handle() const { return FHandle; }

 private:
  HWND FHandle = nullptr;
};

// Made by the start unit; until then clicks run at once.
void StartClickHandler();
