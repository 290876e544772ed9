// TVxTabControl: a strip of tabs on one side of a page area, painted through the theme's tab
// group (else the platform's visual style, else the classic look). Tabs wrap into rows (the row
// of the active tab always next to the page) or stay in one row scrolled by two buttons. With
// UsePages the tabs mirror a list of TVxTabSheet pages and the active page fills the page area.
// The control owns its tab list, page list and scroll timer; pages are owned by the form (or
// whoever created them) and only linked here. Windows only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vexel/controls/vx_controls.h"

class TCustomImageList;
class TTimer;
class TVxTabControl;
class TVxTabSheet;

enum class TVxTabPosition { kttpTop, kttpBottom, kttpLeft, kttpRight };
const TEnumInfo& TabPositionNames();

// The captions of the tabs; every change lays the control out again, once per update bracket.
class TVxTabStringList {
 public:
  explicit TVxTabStringList(TVxTabControl* Control) : FControl(Control) {}
  Integer Count() const { return Integer(FItems.size()); }
  const std::string& Strings(Integer Index) const { return FItems.at(size_t(Index)); }
  void Add(const std::string& S);
  void Insert(Integer Index, const std::string& S);
  void Put(Integer Index, const std::string& S);
  void Delete(Integer Index);
  void Clear();
  void Assign(const std::vector<std::string>& Items);
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }
  const std::vector<std::string>& Items() const { return FItems; }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  friend class TVxTabControl;
  friend class TVxTabSheet;
  void Changed();
  TVxTabControl* FControl;
  std::vector<std::string> FItems;
  int FUpdateCount = 0;
};

using TVxTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TVxDrawTabEvent = std::function<void(TVxTabControl* Control, Integer TabIndex, const TRect& R, bool Active)>;

class TVxTabControl : public TVxControl {
 public:
  explicit TVxTabControl(TComponent* Owner = nullptr);
  ~TVxTabControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxTabStringList& Tabs() const { return *FTabs; }
  void SetTabs(const std::vector<std::string>& Value) { FTabs->Assign(Value); }
  Integer TabIndex() const { return FTabIndex; }
  // Ignored outside 0 .. tab count - 1; OnChanging may refuse.
  void SetTabIndex(Integer Value);
  TVxTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TVxTabPosition Value);
  bool MultiLine() const { return FMultiLine; }
  // False is refused (an exception) while the tabs stand on the left or the right.
  void SetMultiLine(bool Value);
  bool ScrollOpposite() const { return FScrollOpposite; }
  void SetScrollOpposite(bool Value);
  bool RaggedRight() const { return FRaggedRight; }
  void SetRaggedRight(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  Integer TabWidth() const { return FTabWidth; }
  void SetTabWidth(Integer Value);
  Integer TabHeight() const { return FTabHeight; }
  void SetTabHeight(Integer Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool UsePages() const { return FUsePages; }
  void SetUsePages(bool Value);
  TVxTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TVxTabSheet* Page);

  Integer PageCount() const { return Integer(FPages.size()); }
  TVxTabSheet* Pages(Integer Index) const { return FPages.at(size_t(Index)); }
  // The page whose tab is Index, or nil.
  TVxTabSheet* PageOfTab(Integer Index) const;
  // Index of the page's tab, or -1 when it has none.
  Integer TabOfPage(const TVxTabSheet* Page) const;

  TNotifyEvent OnChange;
  TVxTabChangingEvent OnChanging;
  TVxDrawTabEvent OnDrawTab;

  // [Layout] In the control's coordinates.
  Integer RowCount();
  Integer RowOfTab(Integer Index);
  TRect TabRect(Integer Index);
  // Where the active page goes (the control's client area is this less 3 on every side).
  TRect PageRect();
  TRect ClientRect() override;
  bool ScrollButtonsVisible();
  TRect ScrollLeftRect();
  TRect ScrollRightRect();
  Integer FirstVisibleTab() const { return FFirstVisible; }
  // The tab under the point, or -1.
  Integer TabAt(Integer X, Integer Y);
  Integer HotTab() const { return FHotTab; }
  // Scrolls a single row by K tabs.
  void ScrollTabs(Integer K);

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Loaded() override;

 protected:
  virtual Integer GetLeftMargin() { return 2; }
  virtual Integer GetTopMargin() { return 2; }
  virtual Integer GetRightMargin() { return 2; }
  virtual Integer GetBottomMargin() { return 2; }
  virtual Integer MeasureTabWidth(Integer Index);
  virtual Integer MeasureTabHeight();
  virtual Integer GetScrollButtonSize();
  virtual void PaintTab(Integer Index);
  virtual void PaintTabBackground(Integer Index, TVxTabPosition Position, const TRect& R);
  virtual void PaintTabImage(Integer Index, TVxTabPosition Position, const TRect& R);
  virtual void PaintTabText(Integer Index, TVxTabPosition Position, const TRect& R);
  virtual void PaintPane();
  virtual void PaintScrollLeft();
  virtual void PaintScrollRight();
  virtual bool InScrollLeft(Integer X, Integer Y);
  virtual bool InScrollRight(Integer X, Integer Y);
  virtual void Change();
  virtual bool CanChange();
  virtual void OwnerDrawTab(Integer Index, const TRect& R, bool Active);

  void PaintClient() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool WantsKey(uint16_t Key) const override;
  void ThemeChanged(uintptr_t Code) override;

 public:
  // Re-reads the tabs (and with UsePages the pages); the tab list and the pages call it.
  virtual void UpdateTabs();

 private:
  // The scroll button on the left (Left) or the right of the scrolling row, in its state.
  void PaintScrollButton(bool Left);
  friend class TVxTabSheet;
  friend class TVxTabStringList;
  struct TRow {
    Integer Last = 0;
    Integer Extra = 0;
    Integer Remainder = 0;
  };

  bool Themed() const;
  bool Loading() const { return ComponentState().Contains(TComponentStateFlag::csLoading); }
  bool Vertical() const {
    return FTabPosition == TVxTabPosition::kttpLeft || FTabPosition == TVxTabPosition::kttpRight;
  }
  Integer W() const;
  Integer H() const;
  Integer StripLength() const { return Vertical() ? H() : W(); }
  // Measures every tab and lays out the rows; the other layout helpers read what it left.
  void ComputeRows();
  TRect TabRectOf(Integer Index);
  bool HasScrollButtons();
  Integer DrawnLength(Integer Index);
  Integer ActiveRow();
  Integer RowDistance(Integer Row);
  Integer StripThickness();
  Integer OppositeThickness();
  Integer LastDrawnTab();
  Integer LastFullyVisibleTab();
  bool TabOpposite(Integer Index);
  TVxTabPosition SideOfTab(Integer Index);
  Byte TabState(Integer Index);
  void SelectThemeFont(TFont& Into, Integer Index);
  void RefreshStrip();
  void UpdateHot(Integer X, Integer Y);
  void ScrollTimerTick();
  void StopScrollTimer();
  void SelectNextTab(bool Forward, bool Wrap);
  bool SelectAccelerator(char Key);
  void InsertPage(TVxTabSheet* Page, Integer Index);
  void RemovePage(TVxTabSheet* Page);
  void ShowPage(TVxTabSheet* Page);
  void ClampTabIndex();

  std::unique_ptr<TTimer> FScrollTimer;
  std::vector<TVxTabSheet*> FPages;
  TVxTabSheet* FActivePage = nullptr;
  std::vector<TRow> FRows;
  std::vector<Integer> FMeasured;
  Integer FRowCount = 0;
  bool FScrollLeftHot = false, FScrollRightHot = false;
  bool FScrollLeftPressed = false, FScrollRightPressed = false;
  Integer FHotTab = -1;
  Integer FFirstVisible = 0;
  bool FInUpdateTabs = false;
  Integer FLoadedTabIndex = -1;
  std::unique_ptr<TVxTabStringList> FTabs;
  Integer FTabIndex = -1;
  TVxTabPosition FTabPosition = TVxTabPosition::kttpTop;
  bool FMultiLine = false;
  bool FScrollOpposite = false;
  bool FRaggedRight = false;
  bool FHotTrack = false;
  Integer FTabWidth = 0;
  Integer FTabHeight = 0;
  bool FOwnerDraw = false;
  TCustomImageList* FImages = nullptr;
  bool FUsePages = false;
};

// A page of a tab control with UsePages: shown in the page area while it is the active page,
// painted with the control's pane under its children.
class TVxTabSheet : public TCustomControl {
 public:
  explicit TVxTabSheet(TComponent* Owner = nullptr);
  ~TVxTabSheet() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxTabControl* TabControl() const { return FTabControl; }
  // Moves the page to Value's page list (nil: to none).
  void SetTabControl(TVxTabControl* Value);
  Integer PageIndex() const;
  void SetPageIndex(Integer Value);
  bool PageVisible() const { return FPageVisible; }
  void SetPageVisible(bool Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  // Room kept free inside the page's edges for its aligned children; at least 0.
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  void AdjustClientRect(TRect& Rect) override;
  void SetText(const std::string& Value) override;
  void SetParent(TWinControl* Value) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  // The control's pane under the page, for the page itself and for its children.
  void PaintBackground(HDC DC);

 protected:
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

 private:
  friend class TVxTabControl;
  TVxTabControl* FTabControl = nullptr;
  bool FPageVisible = true;
  Integer FImageIndex = -1;
  Integer FBorderWidth = 0;
  bool FDestroying = false;
};
