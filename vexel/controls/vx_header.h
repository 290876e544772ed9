// TVxHeaderControl: a column header, a row of sections the user clicks, resizes by dragging their
// right edges and (with DragReorder) reorders by dragging, painted through the theme's header
// group (else the platform's visual style, else the classic look). The control owns its sections
// (a collection) and links to its image list. Also the rule that places an item's image and text
// inside the item, shared with the status bar. Windows only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/ui/panel.h"
#include "vexel/controls/vx_controls.h"

class TCustomImageList;
class TVxHeaderControl;
class TVxHeaderSections;

enum class TVxHeaderGliphLayout { hglGlyphLeft, hglGlyphRight };
enum class TVxHeaderSectionStyle { hsText, hsOwnerDraw };
enum class TVxSectionTrackState { tsTrackBegin, tsTrackMove, tsTrackEnd };
const TEnumInfo& HeaderGliphLayoutNames();
const TEnumInfo& HeaderSectionStyleNames();

// [Item layout] Boxes relative to the item's own rectangle (IW x IH).
struct TVxItemMetrics {
  Integer Width = 0, Height = 0;  // IW, IH
  TSize Image;                    // G: 0 x 0 without a valid image
  bool ImageShown = false;
  TSize Text;  // T, already limited where the item limits it
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool GlyphRight = false;
  Integer Margin = 0, Spacing = 0;
  // Added to the text box's right edge for glyph-left centred text (status panels: 10).
  Integer CentreExtra = 0;
};
TRect ItemImageBox(const TVxItemMetrics& M);
TRect ItemTextBox(const TVxItemMetrics& M);
// The widest text an item of that width holds beside its image.
Integer ItemTextLimit(const TVxItemMetrics& M);
// Item texts are wide; form files hold them in the system code page.
std::string ItemAnsiText(const std::wstring& Text);
// Width of Text in Font, and the height of "Pq" (0 for an empty text).
TSize ItemTextSize(const TFont& Font, const std::wstring& Text);
// An item's text alignment as the theme's text record takes it (0 left, 3 centre, 6 right) and
// as DrawText flags.
Byte ItemAlignmentByte(TAlignment A);
uint32_t ItemAlignmentFlags(TAlignment A);

// Section draw states; also the theme's state byte and the theme-font offset.
constexpr Byte hssNormal = 0, hssPressed = 1, hssDraggedOut = 2, hssDragging = 3, hssHot = 4, hssUnderDrag = 5,
               hssDisabled = 6;

class TVxHeaderSection : public TCollectionItem {
 public:
  explicit TVxHeaderSection(TCollection* Collection);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  std::string DisplayName() const override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AllowClick() const { return FAllowClick; }
  void SetAllowClick(bool Value) { FAllowClick = Value; }
  bool AutoSize() const { return FAutoSize; }
  // Switching it off keeps the computed width as Width.
  void SetAutoSize(bool Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TVxHeaderGliphLayout Layout() const { return FLayout; }
  void SetLayout(TVxHeaderGliphLayout Value);
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value);
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  Integer MinWidth() const { return FMinWidth; }
  // Negative values become 0.
  void SetMinWidth(Integer Value);
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TVxHeaderSectionStyle Style() const { return FStyle; }
  void SetStyle(TVxHeaderSectionStyle Value);
  bool ShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);
  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& Value);
  // The text in the system code page, as form files hold it.
  std::string AnsiText() const;
  void SetAnsiText(const std::string& Value);
  // The stored width, clamped into MinWidth .. MaxWidth.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);

  // The width the section takes: Width, or with AutoSize what its image and text need.
  Integer ShownWidth() const;
  // Left edge in the control's coordinates.
  Integer Left() const;
  Integer Right() const { return Left() + ShownWidth(); }
  TVxHeaderControl* HeaderControl() const;

 private:
  void Changed(bool AllFollowing);

  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FAllowClick = true;
  bool FAutoSize = false;
  Integer FImageIndex = -1;
  TVxHeaderGliphLayout FLayout = TVxHeaderGliphLayout::hglGlyphLeft;
  Integer FMargin = 7;
  Integer FMaxWidth = 10000;
  Integer FMinWidth = 0;
  Integer FSpacing = 4;
  TVxHeaderSectionStyle FStyle = TVxHeaderSectionStyle::hsText;
  bool FShowImage = true;
  std::wstring FText;
  Integer FWidth = 50;
};

// What CreateSection builds; OnCreateSectionClass may choose another.
using TVxHeaderSectionClass = std::unique_ptr<TVxHeaderSection> (*)(TCollection& Collection);

class TVxHeaderSections : public TCollection {
 public:
  explicit TVxHeaderSections(TVxHeaderControl* Control);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TVxHeaderSection* Items(Integer Index) const { return static_cast<TVxHeaderSection*>(TCollection::Items(Index)); }
  TVxHeaderSection* Add() { return static_cast<TVxHeaderSection*>(TCollection::Add()); }
  TVxHeaderControl* Control() const { return FControl; }
  void Update(TCollectionItem* Item) override;

 private:
  friend class TVxHeaderControl;
  TVxHeaderControl* FControl;
};

using TVxSectionNotifyEvent = std::function<void(TVxHeaderControl* Control, TVxHeaderSection* Section)>;
using TVxSectionTrackEvent = std::function<void(TVxHeaderControl* Control, TVxHeaderSection* Section, Integer Width,
                                                TVxSectionTrackState State)>;
using TVxSectionDragEvent =
    std::function<void(TObject* Sender, TVxHeaderSection* FromSection, TVxHeaderSection* ToSection, bool& AllowDrag)>;
using TVxDrawSectionEvent =
    std::function<void(TVxHeaderControl* Control, TVxHeaderSection* Section, const TRect& R, Byte SectionState)>;
using TVxCreateSectionClassEvent = std::function<void(TObject* Sender, TVxHeaderSectionClass& SectionClass)>;

class TVxHeaderControl : public TVxControl {
 public:
  explicit TVxHeaderControl(TComponent* Owner = nullptr);
  ~TVxHeaderControl() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxHeaderSections* Sections() const { return FSections.get(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool DragReorder() const { return FDragReorder; }
  void SetDragReorder(bool Value) { FDragReorder = Value; }
  bool FullDrag() const { return FFullDrag; }
  void SetFullDrag(bool Value) { FFullDrag = Value; }

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

  TVxSectionNotifyEvent OnSectionClick;
  TVxSectionNotifyEvent OnSectionResize;
  TVxSectionTrackEvent OnSectionTrack;
  TVxSectionDragEvent OnSectionDrag;
  TNotifyEvent OnSectionEndDrag;
  TVxDrawSectionEvent OnDrawSection;
  TVxCreateSectionClassEvent OnCreateSectionClass;

  // [State] -1 when none.
  Integer HotSection() const { return FHotSection; }
  Integer PressedSection() const { return FPressedSection; }
  Integer ResizingSection() const { return FResizing; }
  Integer DraggedSection() const { return FDragged; }
  Integer DropTarget() const { return FDropTarget; }
  bool OnEdge() const { return FOnEdge; }
  // The section under the point (-1: none) and whether the point is on a right edge.
  Integer HitTest(Integer X, Integer Y, bool& Edge);
  // The zone on each side of a section's right edge that grabs it.
  static Integer EdgeZone(Integer SectionWidth);
  // The draw state PaintSectionAt gives the section now.
  Byte SectionState(Integer Index) const;

  virtual TVxHeaderSection* CreateSection();
  virtual void GetSectionRect(Integer Index, TRect& R);
  // Text and image boxes of a section whose rectangle is Width x Height.
  TVxItemMetrics SectionMetrics(const TVxHeaderSection* Section, Integer Width, Integer Height);

 protected:
  virtual void GetImageRect(const TVxHeaderSection* Section, TRect& R);
  virtual TSize GetImageSize(const TVxHeaderSection* Section);
  virtual TSize GetTextSize(const TVxHeaderSection* Section);
  virtual void GetTextRect(const TVxHeaderSection* Section, TRect& R);
  virtual void PaintSectionImage(TVxHeaderSection* Section, const TRect& R, Byte State, const TPoint& Offset);
  virtual void PaintSectionText(TVxHeaderSection* Section, const TRect& R, Byte State, const TPoint& Offset);
  virtual void PaintSection(TVxHeaderSection* Section, const TRect& R, Byte State);
  virtual void PaintTrailing(const TRect& R);
  virtual void PaintSectionAt(Integer Index);
  virtual void SectionChanged(Integer Index, bool AllFollowing);

  virtual void SectionClick(TVxHeaderSection* Section);
  virtual bool SectionDrag(TVxHeaderSection* FromSection, TVxHeaderSection* ToSection);
  virtual void SectionEndDrag();
  virtual void SectionResize(TVxHeaderSection* Section);
  virtual void SectionTrack(TVxHeaderSection* Section, Integer Width, TVxSectionTrackState State);
  virtual void OwnerDrawSection(TVxHeaderSection* Section, const TRect& R, Byte State);

  void PaintClient() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void Dispatch(TMessage& Message) override;

 private:
  friend class TVxHeaderSection;
  friend class TVxHeaderSections;
  static std::unique_ptr<TCollectionItem> NewSection(TCollection& Collection);
  bool Themed() const;
  TVxHeaderSection* Section(Integer Index) const;
  void UpdateHot(Integer X, Integer Y);
  void DragTo(Integer X);
  void EndDrag();
  void EndResize();
  TRect DragImageRect();
  void Refresh(bool Structure);

  std::unique_ptr<TVxHeaderSections> FSections;
  TCustomImageList* FImages = nullptr;
  bool FHotTrack = false;
  bool FDragReorder = false;
  bool FFullDrag = true;

  Integer FPressX = -1;
  Integer FHotSection = -1;
  Integer FPressedSection = -1;
  bool FOnEdge = false;
  Integer FResizing = -1;
  Integer FDropTarget = -1;
  Integer FDragged = -1;
  Integer FDragOffset = 0;
  Integer FTrackedWidth = 0;
  Integer FImageLeft = 0;
};
