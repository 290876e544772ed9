// Skinned menus without the platform's menus: a tree of TVxItem, shown by item views that lay the
// items out, paint them through the current theme (or in the classic look) and run their own
// modal mouse and keyboard loop. A horizontal view is a menu bar, a vertical one a popup window
// (vx_popup.h); nested popups form a chain of views.
//
// Ownership: an item belongs to its Owner (a form, as any component) and sits in its Parent's
// list; freeing an item frees its children (last first) and takes it out of its parent. A view
// only refers to the items it shows; it forgets an item that is freed while it is shown.
//
// Showing a menu from code (a system menu, a tray menu):
//
//   TVxItem Root;                                  // or owned by the form
//   auto* Close = new TVxItem(&Root);
//   Close->SetCaption(L"&Close");
//   Close->SetShortCut(scAlt | VK_F4);
//   Close->SetImages(Images);                      // any TCustomImageList, or on the root
//   Close->SetImageIndex(0);
//   Close->OnClick = [](TObject*) { ... };
//   Root.Add(Close);
//   Root.SetForeground(true);                      // a tray menu must take the foreground
//   Root.SetPopupOptions(Options);                 // the owner's TVxPopupMenuOptions, or nil
//   Root.Popup(nullptr, X, Y, TRect{});            // returns when the menu has closed
//   // The chosen item's OnClick runs from the message queue right after that.
//
// Windows only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/ui/actions.h"
#include "framework/ui/controls.h"
#include "framework/ui/menus.h"

class TCustomImageList;
class TvxBitmap;
class TvxTheme;
class TVxItemView;
class TVxPopupMenuOptions;

class EZqItemError : public Exception {
  using Exception::Exception;
};

// FItemKind: the extra items a menu bar shows for a maximised MDI child.
constexpr Byte ikNormal = 0, ikClose = 1, ikRestore = 2, ikMinimize = 3, ikWindowIcon = 4;

enum class TVxViewOrientation { voHorizontal, voVertical };

class TVxItem : public TComponent {
 public:
  explicit TVxItem(TComponent* Owner = nullptr);
  ~TVxItem() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Stored properties] A change of Caption, Checked, Enabled, Visible or of the child list
  // notifies OnChange, then the root's OnChange, and re-lays out the views that show the item.
  // "-" makes the item a separator; "&" marks the accelerator character.
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Value);
  bool IsSeparator() const { return FCaption == L"-"; }
  // Draws a check mark when the item has no image.
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Invisible items take no space.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  // Looked up on the item, else on the root of its tree (GetImages).
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // Shown as the application's hint while the item is hot.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  TAction* Action() const;
  void SetAction(TAction* Value);
  // A scrolled popup shows ScrollCount children at a time (a count of 0 or less shows them all).
  bool Scrolled() const { return FScrolled; }
  void SetScrolled(bool Value);
  Integer ScrollCount() const { return FScrollCount; }
  void SetScrollCount(Integer Value);

  TNotifyEvent OnClick;
  // Just before the item's children are shown.
  TNotifyEvent OnBeforeDropDown;
  // The change handler (see the stored properties).
  TNotifyEvent OnChange;

  // [Tree]
  Integer Count() const { return Integer(FItems.size()); }
  TVxItem* Items(Integer Index) const { return FItems.at(size_t(Index)); }
  TVxItem* Parent() const { return FParent; }
  // The parent item, else the component the tree hangs on (a menu bar, a popup menu).
  TComponent* ParentComponent() const { return FParent ? FParent : FParentComponent; }
  void SetParentComponentRef(TComponent* Value) { FParentComponent = Value; }
  // -1 without a parent.
  Integer MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  TVxItem* Root();
  // EZqItemError "Toolbar item already inserted" when Item already has a parent; an item cannot
  // hold itself or one of its ancestors.
  void Add(TVxItem* Item) { Insert(Count(), Item); }
  void Insert(Integer Index, TVxItem* Item);
  // Takes Item out without freeing it.
  void Remove(TVxItem* Item);
  // Frees the child at Index.
  void Delete(Integer Index);
  // Frees every child, last first.
  void Clear();
  Integer IndexOf(const TVxItem* Item) const;
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* AParent) override;
  void Loaded() override;

  // [Lookups] The first child whose caption has "&" before Key (letter case ignored); nil when none.
  TVxItem* FindAccelerator(wchar_t Key) const;
  // The item (this one or below, depth first) with shortcut Value; nil for scNone or none.
  TVxItem* FindShortCut(TShortCut Value);

  // [Commands]
  // A separator, an item with children or a disabled item does nothing. While the click-handler
  // window exists the click is posted to it and runs after the menu has closed; otherwise OnClick
  // (when the action's handler is another routine), else the action, else OnClick.
  virtual void Click();
  // The click itself, without deferring.
  void ClickNow();
  // For a form's key messages: Key (a virtual-key code) with the shift keys now down and Alt from
  // KeyData (bit 29). Clicks the items on the path to the item with that shortcut; a handler that
  // raises goes to the application's exception handler. True when an item was found.
  bool HandleShortCut(uint16_t Key, intptr_t KeyData);
  // Lets the linked actions of the children update themselves.
  void UpdateActions();
  // The same for the item's own action; false when it has none.
  bool UpdateAction();
  // Shows the children in a popup window at screen point (X, Y) (Anchor empty) or beside Anchor
  // (the screen rectangle of the item in Opener, nil for a menu of its own) and tracks them.
  // Returns when the popup has closed; false when no child is visible and nothing showed.
  bool Popup(TVxItemView* Opener, Integer X, Integer Y, const TRect& Anchor);

  // [Measuring and painting] In the view's orientation, with its theme.
  TSize Measure(TCanvas& Canvas, TVxItemView& View);
  void Draw(TCanvas& Canvas, TVxItemView& View, const TRect& R);
  // Part 3 (Up) or 4 of a scrolled popup.
  void DrawScrollButton(TCanvas& Canvas, TVxItemView& View, const TRect& R, bool Up, bool Hot);
  // The images of the item, else of its root.
  TCustomImageList* GetImages() const;
  // The width of the image column of a popup: image width + 6 when the images are wider than the
  // platform's menu item height, else 22.
  Integer ImageColumnWidth() const;
  bool HasVisibleChildren() const;

  // [Run-time fields]
  Byte ItemKind() const { return FItemKind; }
  void SetItemKind(Byte Value) { FItemKind = Value; }
  // In view coordinates; empty until laid out.
  const TRect& ItemRect() const { return FItemRect; }
  void SetItemRect(const TRect& Value) { FItemRect = Value; }
  // Position among the visible children of the first one a scrolled popup shows.
  Integer FirstVisible() const { return FFirstVisible; }
  void SetFirstVisible(Integer Value) { FFirstVisible = Value; }
  // Skipped while painting.
  bool Hidden() const { return FHidden; }
  void SetHidden(bool Value) { FHidden = Value; }
  // These are set on the item and all its descendants at once.
  bool RightToLeft() const { return FRightToLeft; }
  void SetRightToLeft(bool Value);
  bool InControlBar() const { return FInControlBar; }
  void SetInControlBar(bool Value);
  // The popup options of the menu that owns the tree; kept for the popup windows.
  TVxPopupMenuOptions* PopupOptions() const { return FPopupOptions; }
  void SetPopupOptions(TVxPopupMenuOptions* Value);
  TWinControl* OwnerControl() const { return FOwnerControl; }
  void SetOwnerControl(TWinControl* Value);
  TComponent* MDIForm() const { return FMDIForm; }
  void SetMDIForm(TComponent* Value);
  bool Foreground() const { return FForeground; }
  void SetForeground(bool Value);
  bool FromMenu() const { return FFromMenu; }
  void SetFromMenu(bool Value);
  bool AnimateNext() const { return FAnimateNext; }
  void SetAnimateNext(bool Value);
  // Which edge of this item's popup a point goes to (Popup with an empty Anchor): the left edge,
  // the right edge or the middle, as a framework popup menu's Alignment says. This item only.
  TPopupAlignment PopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(TPopupAlignment Value) { FPopupAlignment = Value; }
  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);

  // Identifies the item in posted messages: a freed item's serial is never found again.
  uint32_t Serial() const { return FSerial; }
  static TVxItem* FindBySerial(uint32_t Serial);

  // For the reflection table: Caption in the system code page.
  std::string AnsiCaption() const;
  void SetAnsiCaption(const std::string& Value);

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  friend class TVxItemActionLink;
  void Changed();
  template <typename T>
  void SetAndNotify(T& Field, const T& Value);
  template <typename F>
  void ForTree(F Fn);
  TVxItem* FindShortCutPath(TShortCut Value, std::vector<TVxItem*>& Path);

  std::wstring FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  Integer FImageIndex = -1;
  TCustomImageList* FImages = nullptr;
  TShortCut FShortCut = scNone;
  std::string FHint;
  Integer FHelpContext = 0;
  bool FScrolled = false;
  Integer FScrollCount = 0;
  std::unique_ptr<TActionLink> FActionLink;

  TVxItem* FParent = nullptr;
  TComponent* FParentComponent = nullptr;
  std::vector<TVxItem*> FItems;

  Byte FItemKind = ikNormal;
  TRect FItemRect;
  Integer FFirstVisible = 0;
  bool FHidden = false;
  bool FRightToLeft = false;
  bool FInControlBar = false;
  TVxPopupMenuOptions* FPopupOptions = nullptr;
  TWinControl* FOwnerControl = nullptr;
  TComponent* FMDIForm = nullptr;
  bool FForeground = false;
  bool FFromMenu = false;
  bool FAnimateNext = false;
  TPopupAlignment FPopupAlignment = TPopupAlignment::paLeft;
  std::string FThemeObject = "default";
  uint32_t FSerial = 0;
};

// One shown list of items: the children of RootItem, laid out, painted and tracked. Concrete
// views say where they paint (Canvas) and which window takes their messages (MessageWindow).
class TVxItemView : public TComponent {
 public:
  TVxItemView(TComponent* Owner, TVxItem* RootItem, TVxViewOrientation Orientation);
  ~TVxItemView() override;

  TVxItem* RootItem() const { return FRootItem; }
  TVxItem* HotItem() const { return FHotItem; }
  // Repaints the old and the new hot item.
  void SetHotItem(TVxItem* Value);
  bool Tracking() const { return FTracking; }
  bool SubmenuOpen() const { return FSubmenuOpen; }
  TVxViewOrientation Orientation() const { return FOrientation; }
  bool Vertical() const { return FOrientation == TVxViewOrientation::voVertical; }
  TPoint Origin() const { return FOrigin; }
  TSize ContentSize() const { return FContentSize; }
  TVxItemView* ParentView() const { return FParentView; }
  void SetParentView(TVxItemView* Value) { FParentView = Value; }
  TVxItemView* ChildView() const { return FChildView; }
  void SetChildView(TVxItemView* Value) { FChildView = Value; }
  // 0 none, 1 the up button is hot, 2 the down button.
  Byte ScrollButton() const { return FScrollButton; }
  // The root scrolls: Scrolled with a positive ScrollCount below the number of visible children.
  bool IsScrolled() const;
  // The theme the items paint with (the current one; nil: the classic look).
  TvxTheme* Theme() const;

  // [Where the view lives]
  virtual TCanvas* Canvas() = 0;
  virtual HWND MessageWindow() = 0;
  // Screen to view coordinates.
  virtual TPoint ScreenToView(const TPoint& P);
  virtual TPoint ViewToScreen(const TPoint& P);
  // A horizontal view's width: the caption buttons of a maximised MDI child sit at its right end.
  virtual Integer LayoutWidth() const { return FContentSize.cx; }

  // [Overridable operations]
  virtual void SetContentSize(const TSize& Value) { FContentSize = Value; }
  virtual void SetOrigin(const TPoint& Value) { FOrigin = Value; }
  virtual void RepaintAll() = 0;
  virtual void RepaintItem(TVxItem* Item) = 0;
  virtual void RepaintScrollButton(bool Up) = 0;
  virtual void UpdateActions();
  // Every item not Hidden that meets the canvas's clip, and the scroll buttons.
  virtual void Paint(TCanvas& Canvas);

  // [Operations]
  // Measures and places every child; sets the content size.
  void Layout();
  // In view coordinates; empty for an item that is not shown.
  TRect GetItemRect(TVxItem* Item) const;
  TRect ScrollButtonRect(bool Up) const;
  // The visible child inside the scroll window at view point P, or nil.
  TVxItem* ItemAt(const TPoint& P) const;
  void Hover(const TPoint& Screen);
  void NextItem();
  void PreviousItem();
  void OpenSubmenu();
  void StartAutoScroll();
  void StopAutoScroll();
  // The modal loop: returns when this view's menu level closes.
  void Track();
  // Every view of the chain stops tracking and forgets its hot item.
  void EndTrackingAll();

  // A change of Item (or of its child list) reached the view: lay out again when it shows it.
  void ItemChanged(TVxItem* Item);
  // Item is being freed.
  void ItemGone(TVxItem* Item);

 private:
  std::vector<TVxItem*> VisibleChildren() const;
  void Step(bool Forward);
  void ScrollStep();
  void MakeFirstHot();
  void LeaveLoop();
  bool HandleKey(uint16_t Key);
  void PressEnter();
  void HandleButton(const TPoint& Screen);
  bool HandleMouseMove(const TPoint& Screen);
  void Escape();
  TVxItemView* Outermost();
  bool AnyHorizontalAncestor() const;
  bool PointInWindow(const TPoint& Screen);
  static TPoint ScreenOrigin(HWND Wnd);
  void CloseViewsUpTo(TVxItemView* Outer);

  TVxItem* FRootItem;
  TVxItem* FHotItem = nullptr;
  bool FTracking = false;
  bool FSubmenuOpen = false;
  bool FLeave = false;
  TVxViewOrientation FOrientation;
  TPoint FOrigin;
  TSize FContentSize;
  TVxItemView* FParentView = nullptr;
  TVxItemView* FChildView = nullptr;
  Byte FScrollButton = 0;
  bool FAutoScroll = false;
  TPoint FLastMouse{-1, -1};
};

// [Shared resources] Made on first use and kept for the run.
// The platform's non-client menu font.
TFont& MenuFont();
// The platform's menu item width and height (w0, h0).
Integer MenuItemWidth();
Integer MenuItemHeight();
// 20 x 20: the platform's menu arrow in black, the rest transparent.
const TvxBitmap& SubmenuArrow();
// The window that runs deferred clicks (vx_popup.h); made when the library starts.
HWND ClickHandlerWindow();

// The private messages of the tracking loop.
constexpr TMsgNum VXM_OPENSUBMENU = 0x0400 + 111;
constexpr TMsgNum VXM_CLOSEVIEW = 0x0400 + 112;
constexpr TMsgNum VXM_DEFERREDCLICK = 0x8BA;
constexpr uintptr_t VXT_AUTOSCROLL = 0x5C01;
