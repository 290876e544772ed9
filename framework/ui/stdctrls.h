// Standard controls over the system's own window classes (BUTTON, EDIT, COMBOBOX, LISTBOX), the
// windowless label, and the reflection that brings a child window's notifications back to it.
//
// A system control tells its parent window what happened (WM_COMMAND, WM_NOTIFY); the parent's
// control hands the message to the child's object as CN_COMMAND / CN_NOTIFY, so every control
// handles its own notifications.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/ui/controls.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/panel.h"

struct tagDRAWITEMSTRUCT;

// An index outside a list, or a list operation its state does not allow.
class EListError : public Exception {
  using Exception::Exception;
};

// A control wrapping a system window class: the class draws and handles the mouse itself, so
// the framework neither captures the mouse for it nor makes clicks from presses.
class TSystemControl : public TWinControl {
 public:
  explicit TSystemControl(TComponent* Owner = nullptr);
};

// A list of strings shown by a control: changes go to the control's window when it has one.
class TControlItems {
 public:
  virtual ~TControlItems() = default;
  Integer Count() const { return Integer(FItems.size()); }
  const std::string& Strings(Integer Index) const;
  const std::string& operator[](Integer Index) const { return Strings(Index); }
  void SetStrings(Integer Index, const std::string& Value);
  Integer Add(const std::string& S);
  void Insert(Integer Index, const std::string& S);
  void Delete(Integer Index);
  void Clear();
  Integer IndexOf(const std::string& S) const;
  void Assign(const std::vector<std::string>& Values);
  const std::vector<std::string>& List() const { return FItems; }
  std::vector<std::string>::const_iterator begin() const { return FItems.begin(); }
  std::vector<std::string>::const_iterator end() const { return FItems.end(); }

 protected:
  // What the control does in its window; called after the list changed.
  virtual void Inserted(Integer Index) { (void)Index; }
  virtual void Deleted(Integer Index) { (void)Index; }
  virtual void Cleared() {}
  void CheckIndex(Integer Index, Integer Limit) const;
  std::vector<std::string> FItems;
};

class TButtonControl : public TSystemControl {
 public:
  explicit TButtonControl(TComponent* Owner = nullptr);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  // BN_CLICKED from the window.
  virtual void Clicked() { Click(); }
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Set on the parent form when the button is clicked (ending a modal form).
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Enter clicks the default button, Escape the cancel button, wherever the focus is on the form
  // (unless the focused control wants the key itself).
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateNames();

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Checked() const { return FState == TCheckBoxState::cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  // A change of state is a click (OnClick runs), whoever makes it.
  void SetState(TCheckBoxState Value);
  // Whether clicking cycles through the grayed state too.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Clicked() override;

 private:
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
  bool FAllowGrayed = false;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool Checked() const { return FChecked; }
  // Checking one radio button unchecks the others on the same parent; OnClick runs on a change.
  void SetChecked(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Clicked() override { SetChecked(true); }

 private:
  bool FChecked = false;
};

enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A caption painted on the parent; AutoSize fits the bounds to the text.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  // Fits the bounds to the caption now (AutoSize does it on every change).
  void AdjustBounds();

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;

 private:
  unsigned TextFlags() const;
  bool FAutoSize = true;
  bool FTransparent = false;
  bool FWordWrap = false;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  TTextLayout FLayout = TTextLayout::tlTop;
};

class TEdit : public TSystemControl {
 public:
  explicit TEdit(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Text follows the window's: typing changes it and runs OnChange, as setting it does.
  void SetText(const std::string& Value) override;
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // 0 is no limit.
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Change();

 private:
  bool FReadOnly = false;
  Integer FMaxLength = 0;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };
const TEnumInfo& ComboBoxStyleNames();

class TComboBox;
class TListBox;

class TComboBoxItems : public TControlItems {
 public:
  explicit TComboBoxItems(TComboBox* Owner) : FOwner(Owner) {}

 protected:
  void Inserted(Integer Index) override;
  void Deleted(Integer Index) override;
  void Cleared() override;

 private:
  TComboBox* FOwner;
};

class TComboBox : public TSystemControl {
 public:
  explicit TComboBox(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TControlItems& Items() { return FItems; }
  const TControlItems& Items() const { return FItems; }
  void SetItems(const std::vector<std::string>& Values) { FItems.Assign(Values); }
  // -1 is no selection; an index outside the items selects nothing.
  Integer ItemIndex() const;
  void SetItemIndex(Integer Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  void SetText(const std::string& Value) override;
  // The height of the dropped-down list.
  Integer DropDownHeight() const { return FDropDownHeight; }
  void SetDropDownHeight(Integer Value) { FDropDownHeight = Value; }
  // The closed box keeps the height the window gives it; the window's own height is the list's.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  // The selection or, in the editable style, the typed text changed.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Change();

 private:
  friend class TComboBoxItems;
  void SyncText();
  TComboBoxItems FItems{this};
  Integer FItemIndex = -1;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
  Integer FDropDownHeight = 200;
};

class TListBoxItems : public TControlItems {
 public:
  explicit TListBoxItems(TListBox* Owner) : FOwner(Owner) {}

 protected:
  void Inserted(Integer Index) override;
  void Deleted(Integer Index) override;
  void Cleared() override;

 private:
  TListBox* FOwner;
};

// Owner-drawn lists paint every item themselves (OnDrawItem), all ItemHeight tall.
enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };
const TEnumInfo& ListBoxStyleNames();
enum class TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
// Paints item Index into Rect on the control's Canvas.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, Integer Index, const TRect& Rect, TOwnerDrawState State)>;

class TListBox : public TSystemControl {
 public:
  explicit TListBox(TComponent* Owner = nullptr);
  ~TListBox() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TControlItems& Items() { return FItems; }
  const TControlItems& Items() const { return FItems; }
  void SetItems(const std::vector<std::string>& Values) { FItems.Assign(Values); }
  // The selected item (the focused one with MultiSelect); -1 for none.
  Integer ItemIndex() const;
  void SetItemIndex(Integer Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool Selected(Integer Index) const;
  void SetSelected(Integer Index, bool Value);
  Integer SelCount() const;
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  // The height of every item of an owner-drawn list.
  Integer ItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value);
  // The canvas OnDrawItem paints on (the item's DC while it runs).
  TCanvas* Canvas() { return FCanvas.get(); }

  // OnClick runs when the selection changes by the user (mouse or keys).
  // Without OnDrawItem an owner-drawn list draws each item's text on the selection colours.
  TDrawItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;

 private:
  friend class TListBoxItems;
  TListBoxItems FItems{this};
  Integer FItemIndex = -1;
  std::vector<bool> FSelected;  // kept while there is no window (MultiSelect)
  bool FMultiSelect = false;
  void DrawItem(const tagDRAWITEMSTRUCT& Item);
  TListBoxStyle FStyle = TListBoxStyle::lbStandard;
  Integer FItemHeight = 16;
  std::unique_ptr<TCanvas> FCanvas;
};
