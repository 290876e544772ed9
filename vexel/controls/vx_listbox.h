// TVxListBox: a list control that lays out and paints its items itself. Columns, three-state
// check boxes per item, single and multiple selection (Shift ranges from the anchor, Ctrl
// toggles), hot tracking, owner drawing with fixed or variable heights, word wrap and four
// content styles (font names, font samples, colour swatches, colour names); it scrolls with a
// child TVxScrollBar. Layout, hit testing and painting walk only the shown items, so a list of
// any length costs the same per step. Windows only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vexel/controls/vx_controls.h"

class TVxListBox;
class TVxScrollBar;

enum class TVxListBoxStyle {
  lbStandard,
  lbOwnerDrawFixed,
  lbOwnerDrawVariable,
  lbFonts,
  lbFontSamples,
  lbColors,
  lbColorNames
};
enum class TVxFontDevice { fdScreen, fdPrinter };
enum class TVxFontType { ftAll, ftTrueType, ftFixedPitch };
const TEnumInfo& VxListBoxStyleNames();
const TEnumInfo& FontDeviceNames();
const TEnumInfo& FontTypeNames();

// The state OnDrawItem gets: a selected item, else a hot one, plus the focused item of a focused
// list.
constexpr uint32_t vxodSelected = 0x01, vxodFocused = 0x10, vxodHot = 0x40;
using TVxDrawItemEvent = std::function<void(TWinControl* Control, Integer Index, const TRect& Rect, uint32_t State)>;
using TVxMeasureItemEvent = std::function<void(TWinControl* Control, Integer Index, Integer& Height)>;

// The list box's strings, each with an object value; every change tells the list box.
class TUbListBoxItems {
 public:
  explicit TUbListBoxItems(TVxListBox* Owner) : FOwner(Owner) {}

  Integer Count() const { return Integer(FStrings.size()); }
  // An empty string outside the list.
  const std::string& Strings(Integer Index) const;
  void Put(Integer Index, const std::string& S);
  intptr_t Objects(Integer Index) const;
  void PutObject(Integer Index, intptr_t Object);
  // In a sorted list the string goes to its place; answers the index it got.
  Integer Add(const std::string& S) { return AddObject(S, 0); }
  Integer AddObject(const std::string& S, intptr_t Object);
  // Ignored for an index outside 0 .. Count.
  void Insert(Integer Index, const std::string& S);
  void Delete(Integer Index);
  void Exchange(Integer A, Integer B);
  void Clear();
  Integer IndexOf(const std::string& S) const;
  void Assign(const std::vector<std::string>& Values);
  const std::vector<std::string>& List() const { return FStrings; }
  std::vector<std::string>::const_iterator begin() const { return FStrings.begin(); }
  std::vector<std::string>::const_iterator end() const { return FStrings.end(); }

  // Case-insensitive order; turning it on sorts the list.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Changes inside an update wait for its end to be laid out.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

 private:
  bool Valid(Integer Index) const { return Index >= 0 && Index < Count(); }
  Integer SortedPlace(const std::string& S) const;
  void InsertAt(Integer Index, const std::string& S, intptr_t Object);

  TVxListBox* FOwner;
  std::vector<std::string> FStrings;
  std::vector<intptr_t> FObjects;
  bool FSorted = false;
  int FUpdateCount = 0;
};

class TVxListBox : public TVxControl {
 public:
  explicit TVxListBox(TComponent* Owner = nullptr);
  ~TVxListBox() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TUbListBoxItems& Items() { return FItems; }
  const TUbListBoxItems& Items() const { return FItems; }
  const std::vector<std::string>& ItemList() const { return FItems.List(); }
  void SetItems(const std::vector<std::string>& Values) { FItems.Assign(Values); }

  // The focused item; -1 only in an empty list. Set from code it is clamped to the list.
  Integer ItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  Integer SelCount() const;
  bool Selected(Integer Index) const;
  void SetSelected(Integer Index, bool Value);
  // 0 unchecked, 1 checked, 2 grayed.
  Byte CheckState(Integer Index) const;
  void SetCheckState(Integer Index, Byte Value);
  bool ItemEnabled(Integer Index) const;
  void SetItemEnabled(Integer Index, bool Value);

  TVxListBoxStyle ListStyle() const { return FListStyle; }
  void SetListStyle(TVxListBoxStyle Value);
  Integer ItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value);
  // 0: one vertical list; otherwise the items flow into columns of the inner width / Columns.
  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ShowCheckBoxes() const { return FShowCheckBoxes; }
  void SetShowCheckBoxes(bool Value);
  // Off turns every grayed item into a checked one.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool AlwaysShowScrlBar() const { return FAlwaysShowScrlBar; }
  void SetAlwaysShowScrlBar(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Sorted() const { return FItems.Sorted(); }
  void SetSorted(bool Value) { FItems.SetSorted(Value); }
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TVxFontDevice FontDevice() const { return FFontDevice; }
  void SetFontDevice(TVxFontDevice Value);
  TVxFontType FontType() const { return FFontType; }
  void SetFontType(TVxFontType Value);
  // Key navigation that changes the item fires Click.
  bool ClickOnKey() const { return FClickOnKey; }
  void SetClickOnKey(bool Value) { FClickOnKey = Value; }

  using TVxControl::BevelInner;
  using TVxControl::BevelKind;
  using TVxControl::BevelOuter;
  using TVxControl::BevelWidth;
  using TVxControl::BorderWidth;
  using TVxControl::GetInnerRect;
  using TVxControl::SetBevelInner;
  using TVxControl::SetBevelKind;
  using TVxControl::SetBevelOuter;
  using TVxControl::SetBevelWidth;
  using TVxControl::SetBorderWidth;

  TVxDrawItemEvent OnDrawItem;
  TVxMeasureItemEvent OnMeasureItem;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Loaded() override;

  // [Layout] Valid for the shown items; -1 above the scroll position.
  virtual Integer GetItemTop(Integer Index);
  virtual void GetItemRect(Integer Index, TRect& R);
  virtual Integer MeasureItem(Integer Index);
  virtual Integer GetCheckAreaWidth() { return 15; }
  virtual TSize GetCheckSize() { return TSize{13, 13}; }
  // The width an item's text gets.
  Integer ItemWidth();
  Integer FirstShown() const { return FFirstShown; }
  Integer LastShown() const { return FLastShown; }
  Integer HotItem() const { return FHotItem; }
  Integer HotCheck() const { return FHotCheck; }
  TVxScrollBar* ScrollBar() const { return FScrollBar; }
  // The first item (or column) shown; clamped to the scroll range.
  Integer TopIndex() const;
  void SetTopIndex(Integer Value);
  // The item at (X, Y) in the list's coordinates, -1 for none.
  Integer ItemAtPos(Integer X, Integer Y);

  void UpdateSelection();
  void UpdateScrollBar();
  // Every change of Items ends here (once per update when the items are inside one).
  void ItemsChanged();

 protected:
  friend class TUbListBoxItems;
  // Draws its chosen item with DrawItem and sizes its drop window by the list's frame.
  friend class TVxComboBox;
  virtual void DrawItem(TCanvas& Canvas, Integer Index, TRect R);
  virtual void DrawCheck(Integer Index, const TRect& R);
  virtual bool ItemHitTest(Integer X, Integer Y, const TRect& R, Integer Index);
  virtual bool CheckHitTest(Integer X, Integer Y, const TRect& R, Integer Index);
  virtual TVxScrollBar* CreateScrollBar();
  virtual void PaintBackground();
  virtual void PaintItems();
  virtual void DrawItemEvent(Integer Index, const TRect& R, uint32_t State);
  virtual Integer MeasureItemEvent(Integer Index);

  void PaintClient() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool WantsKey(uint16_t Key) const override;
  void FocusEnter() override;
  void FocusExit() override;
  void BorderChanged() override;
  void ThemeChanged(uintptr_t Code) override;

 private:
  // Per-item flags kept beside the strings.
  void ItemInserted(Integer Index);
  void ItemDeleted(Integer Index);
  void ItemsExchanged(Integer A, Integer B);
  void ItemsCleared();
  void ItemsReordered(const std::vector<size_t>& Order);

  bool Themed() const;
  bool VariableHeights() const;
  bool Designing() const;
  bool BarReserved() const;
  // Rows per column with columns: the items of one column.
  Integer RowsPerColumn();
  // Walks the shown items as they are laid out: Visit(Index, item rectangle, check rectangle)
  // answers false to stop.
  void WalkShown(const std::function<bool(Integer, const TRect&, const TRect&)>& Visit);
  void ComputeShown();
  void ScrollIntoView(Integer Index);
  // The highest scroll position that still fills the list.
  Integer MaxTop();
  // Recomputes the hot item and check box at the last pointer position; true when one changed.
  bool HitTest();
  void ToggleCheck(Integer Index);
  void BarScroll(int Code, Integer& Pos);
  void BarChange();
  Byte ItemState(Integer Index);
  void DrawDefaultBackground(TCanvas& Canvas, Integer Index, const TRect& R);
  void DrawContent(TCanvas& Canvas, Integer Index, const TRect& R);
  void FillFonts();
  void FillColors();
  void SnapHeight(Integer& AHeight);

  bool FMouseDown = false;
  Integer FHotItem = -1;
  Integer FHotCheck = -1;
  Integer FMouseX = -1;
  Integer FMouseY = -1;
  Integer FAnchor = -1;
  Integer FFirstShown = 0;
  Integer FLastShown = -1;
  bool FScrollShown = false;
  std::vector<Byte> FCheckStates;
  std::vector<Byte> FItemEnabled;
  Integer FItemIndex = -1;
  TUbListBoxItems FItems{this};
  bool FClickOnKey = true;
  TVxScrollBar* FScrollBar = nullptr;
  std::vector<Byte> FSelected;
  Integer FSelCount = 0;

  TVxListBoxStyle FListStyle = TVxListBoxStyle::lbStandard;
  Integer FItemHeight = 16;
  Integer FColumns = 0;
  bool FMultiSelect = false;
  bool FShowCheckBoxes = false;
  bool FAllowGrayed = false;
  bool FFlat = true;
  bool FAlwaysShowScrlBar = false;
  bool FWordWrap = false;
  bool FDefaultDrawing = true;
  TVxFontDevice FFontDevice = TVxFontDevice::fdScreen;
  TVxFontType FFontType = TVxFontType::ftAll;
  bool FDestroying = false;
  // -1 or 1 while a press held outside the items scrolls the list, else 0.
  Integer FAutoDirection = 0;
  bool FUpdatingBar = false;
};
