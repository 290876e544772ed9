// Menus over the platform's menus: a tree of TMenuItem under a TMainMenu (a window's menu bar)
// or a TPopupMenu. The platform menus are built from the tree and kept in step with it; a
// command from a platform menu reaches its item through the item's command id.
//
// Ownership: an item belongs to its Owner (a form or the menu, as any component) and sits in
// its Parent's list; freeing an item frees its sub-items and takes it out of its parent. The
// menu owns its root item (Items). Windows only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/platform_handles.h"
#include "framework/ui/actions.h"
#include "framework/ui/controls.h"

struct HMENU__;
typedef HMENU__* HMENU;

class EMenuError : public Exception {
  using Exception::Exception;
};

class TMenu;
class TMenuItem;

// A platform menu handle; its sub-menus are not freed with it (their items own them).
class TMenuHandle {
 public:
  TMenuHandle() = default;
  explicit TMenuHandle(HMENU Handle) : FHandle(Handle) {}
  ~TMenuHandle() { Reset(); }
  TMenuHandle(const TMenuHandle&) = delete;
  TMenuHandle& operator=(const TMenuHandle&) = delete;
  HMENU Get() const { return FHandle; }
  void Reset(HMENU Handle = nullptr);
  // Takes every entry out, without freeing sub-menus.
  void RemoveAll();

 private:
  HMENU FHandle = nullptr;
};

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* Owner = nullptr);
  ~TMenuItem() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // "&" marks the accelerator character; "-" makes the item a separator.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool IsLine() const { return FCaption == "-"; }
  // Shown after a tab in the platform menu.
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  // The check mark is a bullet.
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Shown in bold; the item a double click on the menu's owner would run.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }

  // The item follows Value's caption, state, shortcut and hint, and runs it when clicked.
  TAction* Action() const;
  void SetAction(TAction* Value);

  // [Tree]
  TMenuItem* Parent() const { return FParent; }
  Integer Count() const { return Integer(FItems.size()); }
  TMenuItem* Items(Integer Index) const { return FItems.at(size_t(Index)); }
  // Position in the parent's list; -1 without a parent.
  Integer MenuIndex() const;
  // EMenuError when Item already has a parent or would contain this item.
  void Add(TMenuItem* Item);
  void Insert(Integer Index, TMenuItem* Item);
  // Takes Item out of the list without freeing it.
  void Remove(TMenuItem* Item);
  // In form files an item is written inside its parent item or menu.
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* AParent) override;
  // Frees the sub-items.
  void Clear();
  Integer IndexOf(const TMenuItem* Item) const;
  // The menu whose tree holds the item, or nil.
  TMenu* GetParentMenu() const;

  // The id the platform menu reports in WM_COMMAND; unique in the process while the item lives.
  uint16_t Command() const { return FCommand; }
  // The platform sub-menu of an item with sub-items (the root's is the menu's own handle).
  HMENU Handle();

  // A separator, an item with sub-items or a disabled item does nothing. Otherwise OnClick when
  // set, else the linked action.
  virtual void Click();
  // Lets the linked actions of the sub-items update themselves (before the sub-menu shows).
  void InitiateActions();
  // The item (this or below) with shortcut Value, depth first; nil when none.
  TMenuItem* FindShortCut(TShortCut Value);
  // The item (this or below) with command Id, or nil.
  TMenuItem* FindCommand(uint16_t Id);
  // The item (this or below) whose sub-menu is Menu, or nil.
  TMenuItem* FindHandle(HMENU Menu);

  TNotifyEvent OnClick;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  friend class TMenu;
  // Rebuilds the platform entries of the parent's sub-menu (or of this one).
  void Changed();
  void RebuildHandle();
  void AppendTo(HMENU Menu);
  template <typename T>
  void Set(T& Field, const T& Value);

  std::string FCaption;
  TShortCut FShortCut = scNone;
  bool FChecked = false;
  bool FRadioItem = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  std::string FHint;
  Integer FImageIndex = -1;
  Integer FHelpContext = 0;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  TMenu* FMenu = nullptr;  // set on a menu's root item
  uint16_t FCommand = 0;
  TMenuHandle FHandle;
  std::unique_ptr<TActionLink> FActionLink;
};

// What a menu is: the root item, its platform menu, and command and shortcut dispatch.
class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* Owner = nullptr);
  ~TMenu() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TMenuItem* Items() const { return FItems.get(); }
  // The platform menu, built from the tree on first use.
  HMENU Handle() { return FItems->Handle(); }
  // Clicks the item with command Id; false when the menu has no such item.
  bool DispatchCommand(uint16_t Id);
  // Clicks the item with shortcut Value after its action's update; false when there is none or
  // it (or an item above it) is disabled or hidden.
  bool IsShortCut(TShortCut Value);

 protected:
  // The root's platform menu: a bar or a pop-up.
  virtual HMENU CreateMenuHandle() = 0;
  // The platform menu changed.
  virtual void MenuChanged() {}

 private:
  friend class TMenuItem;
  std::unique_ptr<TMenuItem> FItems;
};

// A window's menu bar.
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* Owner = nullptr);
  ~TMainMenu() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Puts the menu on Wnd (nil takes it off). From then on the menu's WM_COMMAND messages to Wnd
  // click their items, and opening a sub-menu updates its items' actions. The window gives the
  // menu back when it is destroyed; a re-created window needs SetWindow again.
  void SetWindow(HWND Wnd);
  HWND Window() const { return FWindow; }

 protected:
  HMENU CreateMenuHandle() override;
  void MenuChanged() override;

 private:
  friend struct TMainMenuHook;
  HWND FWindow = nullptr;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };

// A context menu shown at a screen point.
class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* Owner = nullptr);
  ~TPopupMenu() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  // Forgotten when that component is freed.
  void SetPopupComponent(TComponent* Value);

  // Runs OnPopup and the items' action updates, shows the menu at screen point (X, Y) until the
  // user chooses or cancels, then clicks the chosen item. Answers the chosen item, or nil. A menu
  // drawn another way (a skinned one) shows itself instead.
  virtual TMenuItem* Popup(Integer X, Integer Y);

  TNotifyEvent OnPopup;

 protected:
  HMENU CreateMenuHandle() override;
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TPopupAlignment FAlignment = TPopupAlignment::paLeft;
  TComponent* FPopupComponent = nullptr;
};

// Clicks the item with command Id of any live menu: for window procedures that receive menu
// commands themselves (WM_COMMAND with a zero notification code and no control). False when no
// item has that id.
bool DispatchMenuCommand(uint16_t Id);
