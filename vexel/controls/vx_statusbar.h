// TVxStatusBar: a status line of panels whose widths are negotiated by view and stretch
// priorities, optionally hosting one control per panel, with a size grip that sizes the form,
// painted through the theme's status-bar group (else the platform's visual style, else the
// classic look). The bar owns its panels (a collection); hosted controls are children of the bar
// owned by whoever created them. Windows only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_controls.h"
#include "vexel/controls/vx_header.h"

class TCustomImageList;
class TVxStatusBar;
struct TStatusPanel;

enum class TVxStatusGliphLayout { sglGlyphLeft, sglGlyphRight };
enum class TVxStatusPanelstyle { psText, psOwnerDraw };
const TEnumInfo& StatusGliphLayoutNames();
const TEnumInfo& StatusPanelStyleNames();

class TVxStatusPanel : public TCollectionItem {
 public:
  explicit TVxStatusPanel(TCollection* Collection);
  ~TVxStatusPanel() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  // From another panel every property (the control looked up by name among the bar owner's
  // components); from the framework's panel its text and width.
  void Assign(const TPersistent* Source) override;
  void AssignPanel(const TStatusPanel& Source);
  std::string DisplayName() const override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  bool Framed() const { return FFramed; }
  void SetFramed(bool Value);
  TControl* Control() const { return FControl; }
  // Refused (EInvalidOperation) for the bar itself or one of its parents.
  void SetControl(TControl* Value);
  TVxStatusGliphLayout Layout() const { return FLayout; }
  void SetLayout(TVxStatusGliphLayout Value);
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value);
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  Integer ViewPriority() const { return FViewPriority; }
  void SetViewPriority(Integer Value);
  Integer StretchPriority() const { return FStretchPriority; }
  void SetStretchPriority(Integer Value);
  TVxStatusPanelstyle Style() const { return FStyle; }
  void SetStyle(TVxStatusPanelstyle Value);
  bool ShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);
  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& Value);
  std::string AnsiText() const { return ItemAnsiText(FText); }
  void SetAnsiText(const std::string& Value);
  Integer Width() const { return FWidth; }
  // Clamped into 0 .. MaxWidth.
  void SetWidth(Integer Value);

  // [Layout results] of the bar's last layout run.
  Integer WorkingWidth() const { return FWorkWidth; }
  Integer EffectiveWidth() const { return std::min(FWorkWidth, FMaxWidth); }
  bool Shown() const { return FShown; }
  Integer LeftEdge() const { return FLeft; }
  Integer RightEdge() const { return FRight; }
  TVxStatusBar* StatusBar() const;

 private:
  friend class TVxStatusBar;
  // Layout: the widths and the control's place change; otherwise a repaint.
  void Changed(bool Layout);

  TAlignment FAlignment = TAlignment::taLeftJustify;
  Integer FImageIndex = -1;
  bool FFramed = true;
  TControl* FControl = nullptr;
  TVxStatusGliphLayout FLayout = TVxStatusGliphLayout::sglGlyphLeft;
  Integer FMargin = 2;
  Integer FMaxWidth = 10000;
  Integer FSpacing = 4;
  Integer FViewPriority = 100;
  Integer FStretchPriority = 0;
  TVxStatusPanelstyle FStyle = TVxStatusPanelstyle::psText;
  bool FShowImage = true;
  std::wstring FText;
  Integer FWidth = 50;

  Integer FWorkWidth = 50;
  bool FShown = false;
  Integer FLeft = 0, FRight = 0;
};

using TVxStatusPanelClass = std::unique_ptr<TVxStatusPanel> (*)(TCollection& Collection);

class TVxStatusPanels : public TCollection {
 public:
  explicit TVxStatusPanels(TVxStatusBar* Bar);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TVxStatusPanel* Items(Integer Index) const { return static_cast<TVxStatusPanel*>(TCollection::Items(Index)); }
  TVxStatusPanel* Add() { return static_cast<TVxStatusPanel*>(TCollection::Add()); }
  TVxStatusBar* Bar() const { return FBar; }
  void Update(TCollectionItem* Item) override;

 private:
  friend class TVxStatusBar;
  TVxStatusBar* FBar;
};

using TVxPanelNotifyEvent = std::function<void(TVxStatusBar* Bar, TVxStatusPanel* Panel)>;
using TVxDrawPanelEvent = std::function<void(TVxStatusBar* Bar, TVxStatusPanel* Panel, const TRect& R)>;
using TVxCreatePanelClassEvent = std::function<void(TObject* Sender, TVxStatusPanelClass& PanelClass)>;

// Whether a skinned frame runs Form; when it does, whether it may be sized now (sizeable and in
// its normal state). The forms layer installs one; without it every form counts as unskinned.
using TVxSkinnedFormQuery = bool (*)(TWinControl* Form, bool& SizeableNow);
void SetSkinnedFormQuery(TVxSkinnedFormQuery Query);

class TVxStatusBar : public TVxControl {
 public:
  explicit TVxStatusBar(TComponent* Owner = nullptr);
  ~TVxStatusBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxStatusPanels* Panels() const { return FPanels.get(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);

  using TVxControl::BevelInner;
  using TVxControl::BevelKind;
  using TVxControl::BevelOuter;
  using TVxControl::BevelSides;
  using TVxControl::BevelWidth;
  using TVxControl::BorderWidth;
  using TVxControl::SetBevelInner;
  using TVxControl::SetBevelKind;
  using TVxControl::SetBevelOuter;
  using TVxControl::SetBevelSides;
  using TVxControl::SetBevelWidth;
  using TVxControl::SetBorderWidth;

  TVxPanelNotifyEvent OnPanelClick;
  TVxPanelNotifyEvent OnPanelDblClick;
  TVxDrawPanelEvent OnDrawPanel;
  TVxCreatePanelClassEvent OnCreatePanelClass;

  // Negotiates the panels' widths and places their controls.
  void UpdateLayout();
  // The rectangle the panels share: the theme's client rectangle or the inner rectangle.
  TRect ContentRect();
  // The size grip shows and works now.
  bool GripApplies();
  // The shown panel under the point, or nil.
  TVxStatusPanel* PanelAt(Integer X, Integer Y);
  // Sizing the form through the grip runs.
  bool GripSizing() const { return FGripSizing; }

  virtual TVxStatusPanel* CreatePanel();
  virtual void GetGripRect(TRect& R);
  virtual void GetControlRect(const TVxStatusPanel* Panel, TRect& R);
  virtual void GetPanelRect(Integer Index, TRect& R);
  TVxItemMetrics PanelMetrics(const TVxStatusPanel* Panel);

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Loaded() override;

 protected:
  virtual void GetImageRect(const TVxStatusPanel* Panel, TRect& R);
  virtual TSize GetImageSize(const TVxStatusPanel* Panel);
  virtual TSize GetTextSize(const TVxStatusPanel* Panel);
  virtual void GetTextRect(const TVxStatusPanel* Panel, TRect& R);
  virtual void PaintPanelImage(TVxStatusPanel* Panel, const TRect& R);
  virtual void PaintPanelText(TVxStatusPanel* Panel, const TRect& R);
  virtual void PaintPanel(TVxStatusPanel* Panel, const TRect& R, bool IsLast);
  virtual void PaintGrip();
  virtual void PaintPanelAt(Integer Index);
  virtual void PaintBackground();

  virtual void PanelClick(TVxStatusPanel* Panel);
  virtual void PanelDblClick(TVxStatusPanel* Panel);
  virtual void OwnerDrawPanel(TVxStatusPanel* Panel, const TRect& R);

  void PaintBorder() override;
  void PaintClient() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Dispatch(TMessage& Message) override;
  void ThemeChanged(uintptr_t Code) override;

 private:
  friend class TVxStatusPanel;
  friend class TVxStatusPanels;
  static std::unique_ptr<TCollectionItem> NewPanel(TCollection& Collection);
  bool Themed() const;
  bool Loading() const { return ComponentState().Contains(TComponentStateFlag::csLoading); }
  TVxStatusPanel* Panel(Integer Index) const { return FPanels->Items(Index); }
  TVxStatusPanel* PanelOfControl(const TControl* Control) const;
  void ControlInserted(TControl* Control);
  void ControlRemoved(TControl* Control);
  void GripSizeTo(const TPoint& Screen);

  std::unique_ptr<TVxStatusPanels> FPanels;
  TCustomImageList* FImages = nullptr;
  bool FSizeGrip = true;
  Integer FPressedPanel = -1;
  // A hosted control being made a child of the bar by its panel: no panel of its own.
  TControl* FAdopting = nullptr;
  bool FInLayout = false;
  bool FGripSizing = false;
  TPoint FGripStart;
  TSize FGripFormSize;
  TPoint FDblClickAt{-1, -1};
};
