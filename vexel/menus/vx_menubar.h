// The components an application places to get skinned menus: TVxMenuBar, a control that shows
// its Items side by side and drops their children down as skinned popups, and TVxPopupMenu,
// which shows its Items at a point. Both own their root item (Items) and hand their popup
// options to every item of the tree. Windows only.
//
//   auto* Bar = new TVxMenuBar(Form);
//   Bar->SetParent(Form);
//   Bar->SetAlign(TAlign::alTop);
//   auto* File = new TVxItem(Form);
//   File->SetCaption(L"&File");
//   Bar->Items()->Add(File);                      // Alt+F and a click open it
//
// The form hands every key to the bar first (TFormShortCutTarget), so the items' shortcuts run
// from anywhere on the form.
//
// A maximised MDI child shows its window icon (with Restore, Minimize, Close and Next below it)
// at the bar's left end and its minimise, restore and close buttons at the right end: the MDI
// code calls ShowMDIItems and HideMDIItems.
#pragma once

#include <memory>

#include "framework/ui/forms.h"
#include "framework/ui/menus.h"
#include "vexel/menus/vx_menus.h"

class TVxMenuBar;
class TVxPopupMenuOptions;
class TImageList;

// The images of the MDI items, drawn by the module: 0 close, 1 minimise, 2 maximise, 3 restore.
TImageList& MDIItemImages();

// Paints on its bar; the bar's client coordinates are the view's.
class TVxMenuBarView : public TVxItemView {
 public:
  TVxMenuBarView(TVxMenuBar* Bar, TVxItem* Root);
  TCanvas* Canvas() override;
  HWND MessageWindow() override;
  Integer LayoutWidth() const override;
  void RepaintAll() override;
  void RepaintItem(TVxItem* Item) override;
  void RepaintScrollButton(bool) override {}

 private:
  TVxMenuBar* FBar;
};

class TVxMenuBar : public TCustomControl, public TFormShortCutTarget {
 public:
  explicit TVxMenuBar(TComponent* Owner = nullptr);
  ~TVxMenuBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Stored properties]
  // The height follows the items (content height plus the frame).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // The root item's images.
  TCustomImageList* Images() const { return FItems->Images(); }
  void SetImages(TCustomImageList* Value) { FItems->SetImages(Value); }
  // Created with the bar; the items of the bar are its children.
  TVxItem* Items() const { return FItems.get(); }
  // Copied; every item of the tree refers to the bar's copy.
  TVxPopupMenuOptions* PopupMenuOptions() const { return FPopupMenuOptions.get(); }
  void SetPopupMenuOptions(const TVxPopupMenuOptions* Value);
  // A separating line at the bar's edge towards the client area (classic look only).
  bool ShowBevel() const { return FShowBevel; }
  void SetShowBevel(bool Value);
  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& Value);

  TVxMenuBarView* View() const { return FView.get(); }
  // Where the items sit: the theme's menu-bar client rectangle, else the bar less the bevel.
  TRect ContentRect();
  TPoint ContentOrigin();
  // Whether the bar can open its menu: shown, enabled, not tracking, with a visible item.
  bool CanTrack();
  // Opens the menu: the modal loop of the bar; returns when the menu has closed. Nothing when it
  // cannot track.
  void StartTracking();
  // The item shortcuts, then Alt + an item's accelerator character (which opens that item).
  bool FormShortCut(uint16_t Key, TShiftState Shift) override;
  // The items changed: options and owner handed on again, laid out, resized and repainted.
  void ItemsChanged();
  void Loaded() override;

  // [MDI items] Made on the first showing; they live as long as the bar.
  // Child is maximised: its icon and caption buttons show, and every item gets its skinned form
  // (the child itself when it has none). Repaints wait until all is laid out.
  void ShowMDIItems(TForm* Child);
  // The child was restored (or has gone): the items hide and forget it.
  void HideMDIItems();
  TForm* ActiveMDIChild() const { return FActiveMDIChild; }
  bool MDIItemsShown() const { return FActiveMDIChild != nullptr; }
  // The window icon, Restore, Minimize, Maximize, a separator, Close, a separator, Next, then the
  // minimise, restore and close buttons; empty until the first showing.
  const std::vector<TVxItem*>& MDIItems() const { return FMDIItems; }
  // The commands of the items: nothing without an active child.
  void RestoreMDIChild();
  void MinimizeMDIChild();
  void CloseMDIChild();
  void NextMDIChild();
  // Repaints and layouts are held while locked.
  bool Locked() const { return FLocked; }

 protected:
  void Dispatch(TMessage& Message) override;
  void Paint() override;

 private:
  void UpdateHeight();
  void CreateMDIItems();
  void Notification(TComponent* Component, TOperation Operation) override;

  std::unique_ptr<TVxItem> FItems;
  std::unique_ptr<TVxPopupMenuOptions> FPopupMenuOptions;
  std::unique_ptr<TVxMenuBarView> FView;
  bool FAutoSize = true;
  bool FShowBevel = false;
  bool FMouseTracked = false;
  std::string FThemeObject = "default";
  bool FLocked = false;
  TForm* FActiveMDIChild = nullptr;
  std::vector<TVxItem*> FMDIItems;
};

// Shows its Items as a skinned popup at a screen point. At most one shows at a time. A popup menu
// of the framework, so that whatever takes one (a control's context menu, a speed button's
// chevron and drop-down menus) takes a skinned one; its items are its own, not the framework's.
class TVxPopupMenu : public TPopupMenu {
 public:
  explicit TVxPopupMenu(TComponent* Owner = nullptr);
  ~TVxPopupMenu() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TCustomImageList* Images() const { return FItems->Images(); }
  void SetImages(TCustomImageList* Value) { FItems->SetImages(Value); }
  TVxItem* Items() const { return FItems.get(); }
  TVxPopupMenuOptions* PopupMenuOptions() const { return FPopupMenuOptions.get(); }
  void SetPopupMenuOptions(const TVxPopupMenuOptions* Value);

  // Returns when the menu has closed, answering nil: the chosen item's click runs from the
  // message queue then.
  TMenuItem* Popup(Integer X, Integer Y) override;
  // The popup menu showing now, or nil.
  static TVxPopupMenu* Showing();

 private:
  std::unique_ptr<TVxItem> FItems;
  std::unique_ptr<TVxPopupMenuOptions> FPopupMenuOptions;
};
