// TVxComboBox: an edit with a drop-down button that drops its TVxListBox down in a borderless
// pop-up window, TVxComboWindow. It works as an editable combo (kcsDropDown) or as a drop-down
// list (kcsDropDownList, where the chosen item is drawn in place of the text) and can complete
// typed text from its items. The combo owns its list box (a hidden child while closed) and the
// drop window (made at each drop-down, kept hidden after closing until the next one).
//
// While dropped down the combo is registered with the skinned forms, so that a press on a skinned
// frame closes it; the drop window closes up as soon as it loses the activation. Windows only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/forms.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_listbox.h"

class TTimer;
class TVxComboBox;

enum class TVxComboStyle { kcsDropDown, kcsDropDownList };
enum class TVxComboButtonAlign { cbaLeft, cbaRight };
const TEnumInfo& ComboStyleNames();
const TEnumInfo& ComboButtonAlignNames();

// Asked before a clicked item becomes the combo's; Allow arrives true.
using TVxAllowChangeEvent =
    std::function<void(TObject* Sender, Integer Index, bool& Allow, const std::string& ItemText)>;

// The drop window: a top-most tool window shown and hidden without activation, never erasing its
// background (the list covers it). Keys reach it first (key preview): Escape closes up, Enter
// and Space choose the list's item.
class TVxComboWindow : public TForm {
 public:
  explicit TVxComboWindow(TVxComboBox* Combo);
  TVxComboBox* Combo() const { return FCombo; }
  // Places the window at R (screen) and shows it on top without activating it.
  void ShowNoActivate(const TRect& R);
  void HideNoActivate();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;

 private:
  friend class TVxComboBox;
  // Nil once the combo is going: the window then closes nothing.
  TVxComboBox* FCombo;
};

class TVxComboBox : public TVxEdit {
 public:
  explicit TVxComboBox(TComponent* Owner = nullptr);
  ~TVxComboBox() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxListBox* ListBox() const { return FListBox; }
  // Nil before the first drop-down.
  TVxComboWindow* DropWindow() const { return FDropWindow.get(); }
  bool DroppedDown() const;
  // The button is drawn pressed.
  bool ButtonDropped() const { return FDropped; }
  bool ButtonHot() const { return FButtonHot; }

  // [Forwarded to the list box]
  TUbListBoxItems& Items() { return FListBox->Items(); }
  const std::vector<std::string>& ItemList() const { return FListBox->ItemList(); }
  void SetItems(const std::vector<std::string>& Values) { FListBox->SetItems(Values); }
  bool Sorted() const { return FListBox->Sorted(); }
  void SetSorted(bool Value) { FListBox->SetSorted(Value); }
  TVxListBoxStyle ListStyle() const { return FListBox->ListStyle(); }
  // The content styles give the combo the list's item height; the others the combo's to the list.
  void SetListStyle(TVxListBoxStyle Value);
  TVxFontDevice FontDevice() const { return FListBox->FontDevice(); }
  void SetFontDevice(TVxFontDevice Value) { FListBox->SetFontDevice(Value); }
  TVxFontType FontType() const { return FListBox->FontType(); }
  void SetFontType(TVxFontType Value) { FListBox->SetFontType(Value); }
  bool Flat() const { return FListBox->Flat(); }
  void SetFlat(bool Value) { FListBox->SetFlat(Value); }
  bool ShowCheckBoxes() const { return FListBox->ShowCheckBoxes(); }
  void SetShowCheckBoxes(bool Value) { FListBox->SetShowCheckBoxes(Value); }
  bool WordWrap() const { return FListBox->WordWrap(); }
  void SetWordWrap(bool Value) { FListBox->SetWordWrap(Value); }
  bool DefaultDrawing() const { return FListBox->DefaultDrawing(); }
  void SetDefaultDrawing(bool Value) { FListBox->SetDefaultDrawing(Value); }
  void SetOnDrawItem(TVxDrawItemEvent Value) { FListBox->OnDrawItem = std::move(Value); }
  void SetOnMeasureItem(TVxMeasureItemEvent Value) { FListBox->OnMeasureItem = std::move(Value); }

  // [Own properties]
  TVxComboButtonAlign ButtonAlign() const { return FButtonAlign; }
  void SetButtonAlign(TVxComboButtonAlign Value);
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  Integer ItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value);
  // -1 when no item is chosen, also when the chosen one no longer exists.
  Integer ItemIndex() const;
  void SetItemIndex(Integer Value);
  TVxComboStyle ComboStyle() const { return FComboStyle; }
  void SetComboStyle(TVxComboStyle Value);
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  // The chosen item's text in kcsDropDownList, else the edited text.
  std::string Text() const;
  bool StoredReadOnly() const override {
    return FComboStyle == TVxComboStyle::kcsDropDownList ? FSavedReadOnly : ReadOnly();
  }

  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnListBoxClick;
  TVxAllowChangeEvent OnAllowChange;

  void GetTextRect(TRect& R) override;
  void Loaded() override;

  // [Virtuals added by the combo, in order]
  virtual void ShowList();
  virtual void CloseUp();
  virtual void DropDown();
  virtual TVxListBox* CreateListBox();
  virtual Integer GetButtonWidth();

  // The drop-down button in client coordinates.
  TRect GetButtonRect();

 protected:
  void PaintBackground(const TRect& R, TCanvas& Canvas) override;
  Byte ThemeFrameState() const override;
  bool PaintsText() const override { return FComboStyle == TVxComboStyle::kcsDropDown; }
  void ShowEditCaret() override;
  void Change() override;
  Integer CanAutoSize() override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;
  void FocusEnter() override;
  void FocusExit() override;
  void DestroyWnd() override;

 private:
  friend class TVxComboWindow;
  bool ThemeDefinesCombo() const;
  bool OwnerDrawList() const;
  bool ListShownInWindow() const;
  // Hides the window and, for a combo still dropped down, closes it up first.
  void CloseWindow(bool Refocus);
  // Closes up without taking the focus and frees the drop window.
  void FreeDropWindow();
  // CloseUp, optionally without taking the focus back (the activation went elsewhere).
  void CloseUpList(bool Refocus);
  // The list's item becomes the combo's unless OnAllowChange refuses; then the window closes.
  void ChooseListItem(bool Clicked);
  void CompletionTimer();
  void MoveItemIndex(Integer Value);
  void SetButtonHot(bool Value);
  void DrawButton(TCanvas& Canvas);
  void DrawChosenItem(TCanvas& Canvas, const TRect& R);

  TVxListBox* FListBox = nullptr;
  bool FDropped = false;
  bool FButtonHot = false;
  TVxComboButtonAlign FButtonAlign = TVxComboButtonAlign::cbaRight;
  Integer FDropDownCount = 8;
  Integer FItemHeight = 15;
  Integer FItemIndex = -1;
  bool FCompleting = false;
  std::wstring FLastTyped;
  std::unique_ptr<TTimer> FCompletionTimer;
  bool FSavedReadOnly = false;
  TVxComboStyle FComboStyle = TVxComboStyle::kcsDropDown;
  bool FAutoComplete = false;
  std::unique_ptr<TVxComboWindow> FDropWindow;
  bool FClosing = false;
  bool FTrackingNonClient = false;
  // When a press on the button of the dropped-down combo took the activation (0: none).
  uint32_t FPressClosedAt = 0;
};
