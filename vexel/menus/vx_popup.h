// The window a dropped-down list of items shows in: TVxPopupWindow, a borderless, topmost tool
// window shown without activation, with one vertical TVxPopupView over the item's children. It
// is made and freed by TVxItem::Popup; nested submenus are popups inside their parent's loop.
// TVxClickHandler runs a chosen item's click from the message queue once the menus have closed.
//
// The popup options (blending, shadow, show animation) are handed to the window and kept; the
// window does not apply them yet. Windows only.
#pragma once

#include <memory>

#include "framework/ui/forms.h"
#include "vexel/menus/vx_menus.h"

class TVxPopupWindow;
class TVxBlending;
class TVxShadow;
class TVxAnimation;

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

  TVxPopupWindow* FWindow;
  HDC FMeasureDC = nullptr;
  std::unique_ptr<TCanvas> FMeasureCanvas;
};

class TVxPopupWindow : public TForm {
 public:
  // Shows Item's children; ParentView is the view that opened it (nil for a menu of its own).
  TVxPopupWindow(TComponent* Owner, TVxItem* Item, TVxItemView* ParentView);
  ~TVxPopupWindow() override;

  TVxPopupView* View() const { return FView.get(); }
  TVxItem* Item() const { return FItem; }
  // The window whose caption stays active while the popup is open.
  TWinControl* CaptionControl() const { return FCaptionControl; }
  void SetCaptionControl(TWinControl* Value);
  // Kept for the popup framing; no visible effect yet.
  TVxBlending* Blending() const { return FBlending; }
  TVxShadow* Shadow() const { return FShadow; }
  TVxAnimation* Animation() const { return FAnimation; }
  void SetOptions(TVxBlending* Blending, TVxShadow* Shadow, TVxAnimation* Animation);

  // The items' area inside a window rectangle R (window coordinates): the theme's popup client
  // rectangle, else R less 3 pixels on every side.
  TRect PopupClientRect(const TRect& R);
  // The window size for the view's content.
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
