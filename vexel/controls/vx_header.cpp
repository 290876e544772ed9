#include "vexel/controls/vx_header.h"

#include <windows.h>

#include <algorithm>

#include "framework/graphics/gdi_handles.h"
#include "framework/graphics/imagelist.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_imagelist.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"
#include "vexel/theme/vx_theme_tables.h"

// [SECTION] names and item layout
// [SECTION] section
// [SECTION] section collection
// [SECTION] header control: properties, geometry, painting, input

namespace {

constexpr const char* GliphLayoutValueNames[] = {"hglGlyphLeft", "hglGlyphRight"};
constexpr const char* SectionStyleValueNames[] = {"hsText", "hsOwnerDraw"};
// A press has to travel this far before a section is dragged.
constexpr Integer DragThreshold = 5;
// Beyond the last section the edge flag holds this far.
constexpr Integer TrailingEdge = 10;

}  // namespace

const TEnumInfo& HeaderGliphLayoutNames() {
  static const TEnumInfo Info{GliphLayoutValueNames};
  return Info;
}

const TEnumInfo& HeaderSectionStyleNames() {
  static const TEnumInfo Info{SectionStyleValueNames};
  return Info;
}

// [SECTION] names and item layout -----------------------------------------------------------------

Byte ItemAlignmentByte(TAlignment A) {
  switch (A) {
    case TAlignment::taRightJustify: return 6;
    case TAlignment::taCenter: return 3;
    default: return 0;
  }
}

uint32_t ItemAlignmentFlags(TAlignment A) {
  switch (A) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

Integer ItemTextLimit(const TVxItemMetrics& M) {
  const Integer Limit = M.ImageShown ? M.Width - M.Image.cx - M.Spacing - 2 * M.Margin : M.Width - 2 * M.Margin;
  return std::max<Integer>(Limit, 0);
}

TRect ItemImageBox(const TVxItemMetrics& M) {
  const Integer G = M.Image.cx, T = M.Text.cx;
  const bool Centre = M.Alignment == TAlignment::taCenter;
  Integer Left;
  if (!M.GlyphRight)
    Left = Centre ? (M.Width - G - M.Spacing - T) / 2 : M.Margin;
  else
    Left = Centre ? M.Width - ((M.Width - G - M.Spacing - T) / 2) - G : M.Width - M.Margin - G;
  const Integer Top = (M.Height - M.Image.cy) / 2;
  return Bounds(Left, Top, G, M.Image.cy);
}

TRect ItemTextBox(const TVxItemMetrics& M) {
  const Integer G = M.Image.cx, T = M.Text.cx;
  const bool Centre = M.Alignment == TAlignment::taCenter;
  Integer Left, Right;
  if (!M.GlyphRight) {
    if (!Centre) {
      Left = M.ImageShown ? M.Margin + G + M.Spacing : M.Margin;
      Right = M.Width - M.Margin;
    } else {
      Left = M.ImageShown ? G + M.Spacing + (M.Width - G - M.Spacing - T) / 2 : (M.Width - T) / 2;
      Right = Left + T + M.CentreExtra;
    }
  } else if (!Centre) {
    Left = M.Margin;
    Right = M.ImageShown ? M.Width - M.Margin - G - M.Spacing : M.Width - M.Margin;
  } else {
    Left = M.ImageShown ? (M.Width - G - M.Spacing - T) / 2 : (M.Width - T) / 2;
    Right = Left + T;
  }
  const Integer Top = (M.Height - M.Text.cy) / 2;
  return {Left, Top, Right, Top + M.Text.cy};
}

std::string ItemAnsiText(const std::wstring& Text) {
  const int N = WideCharToMultiByte(CP_ACP, 0, Text.data(), int(Text.size()), nullptr, 0, nullptr, nullptr);
  std::string Result(size_t(std::max(N, 0)), '\0');
  if (N > 0) WideCharToMultiByte(CP_ACP, 0, Text.data(), int(Text.size()), Result.data(), N, nullptr, nullptr);
  return Result;
}

TSize ItemTextSize(const TFont& Font, const std::wstring& Text) {
  if (Text.empty()) return {};
  TWindowDC Screen(nullptr);
  TSelectGuard Select(Screen.Get(), Font.Handle());
  return {TextWidthWide(Screen.Get(), Text), TextHeightWide(Screen.Get(), L"Pq")};
}

// [SECTION] section -------------------------------------------------------------------------------

TVxHeaderSection::TVxHeaderSection(TCollection* Collection) : TCollectionItem(Collection) {}

const TClassInfo& TVxHeaderSection::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxHeaderSection::Alignment, &TVxHeaderSection::SetAlignment>("Alignment", AlignmentNames(),
                                                                                  int64_t(TAlignment::taLeftJustify)),
      BooleanProperty<&TVxHeaderSection::AllowClick, &TVxHeaderSection::SetAllowClick>("AllowClick", 1),
      BooleanProperty<&TVxHeaderSection::AutoSize, &TVxHeaderSection::SetAutoSize>("AutoSize", 0),
      IntegerProperty<&TVxHeaderSection::ImageIndex, &TVxHeaderSection::SetImageIndex>("ImageIndex", -1),
      EnumProperty<&TVxHeaderSection::Layout, &TVxHeaderSection::SetLayout>(
          "Layout", HeaderGliphLayoutNames(), int64_t(TVxHeaderGliphLayout::hglGlyphLeft)),
      IntegerProperty<&TVxHeaderSection::Margin, &TVxHeaderSection::SetMargin>("Margin", 7),
      IntegerProperty<&TVxHeaderSection::MaxWidth, &TVxHeaderSection::SetMaxWidth>("MaxWidth", 10000),
      IntegerProperty<&TVxHeaderSection::MinWidth, &TVxHeaderSection::SetMinWidth>("MinWidth", 0),
      IntegerProperty<&TVxHeaderSection::Spacing, &TVxHeaderSection::SetSpacing>("Spacing", 4),
      EnumProperty<&TVxHeaderSection::Style, &TVxHeaderSection::SetStyle>("Style", HeaderSectionStyleNames(),
                                                                          int64_t(TVxHeaderSectionStyle::hsText)),
      BooleanProperty<&TVxHeaderSection::ShowImage, &TVxHeaderSection::SetShowImage>("ShowImage", 1),
      StringProperty<&TVxHeaderSection::AnsiText, &TVxHeaderSection::SetAnsiText>("Text"),
      IntegerProperty<&TVxHeaderSection::Width, &TVxHeaderSection::SetWidth>("Width", 50),
  };
  static const TClassInfo Info{"TVxHeaderSection", &TCollectionItem::StaticClassInfo(), Properties};
  return Info;
}

void TVxHeaderSection::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TVxHeaderSection*>(Source);
  if (!Other) return TCollectionItem::Assign(Source);
  FAlignment = Other->FAlignment;
  FAllowClick = Other->FAllowClick;
  FAutoSize = Other->FAutoSize;
  FImageIndex = Other->FImageIndex;
  FLayout = Other->FLayout;
  FMargin = Other->FMargin;
  FMaxWidth = Other->FMaxWidth;
  FMinWidth = Other->FMinWidth;
  FSpacing = Other->FSpacing;
  FStyle = Other->FStyle;
  FShowImage = Other->FShowImage;
  FText = Other->FText;
  FWidth = Other->FWidth;
  Changed(true);
}

std::string TVxHeaderSection::DisplayName() const {
  return FText.empty() ? TCollectionItem::DisplayName() : AnsiText();
}

TVxHeaderControl* TVxHeaderSection::HeaderControl() const {
  auto* Sections = dynamic_cast<TVxHeaderSections*>(Collection());
  return Sections ? Sections->Control() : nullptr;
}

void TVxHeaderSection::Changed(bool AllFollowing) {
  if (TVxHeaderControl* Control = HeaderControl()) Control->SectionChanged(Index(), AllFollowing);
  TCollectionItem::Changed();
}

void TVxHeaderSection::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(false);
}

void TVxHeaderSection::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  if (!Value) FWidth = ShownWidth();
  FAutoSize = Value;
  Changed(true);
}

void TVxHeaderSection::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Changed(FAutoSize);
}

void TVxHeaderSection::SetLayout(TVxHeaderGliphLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Changed(false);
}

void TVxHeaderSection::SetMargin(Integer Value) {
  if (Value == FMargin) return;
  FMargin = Value;
  Changed(FAutoSize);
}

void TVxHeaderSection::SetMaxWidth(Integer Value) {
  FMaxWidth = std::max<Integer>(Value, 0);
  if (FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
  FWidth = std::clamp(FWidth, FMinWidth, FMaxWidth);
  Changed(true);
}

void TVxHeaderSection::SetMinWidth(Integer Value) {
  FMinWidth = std::max<Integer>(Value, 0);
  if (FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
  FWidth = std::clamp(FWidth, FMinWidth, FMaxWidth);
  Changed(true);
}

void TVxHeaderSection::SetSpacing(Integer Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Changed(FAutoSize);
}

void TVxHeaderSection::SetStyle(TVxHeaderSectionStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed(false);
}

void TVxHeaderSection::SetShowImage(bool Value) {
  if (Value == FShowImage) return;
  FShowImage = Value;
  Changed(FAutoSize);
}

void TVxHeaderSection::SetText(const std::wstring& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed(FAutoSize);
}

std::string TVxHeaderSection::AnsiText() const { return ItemAnsiText(FText); }
void TVxHeaderSection::SetAnsiText(const std::string& Value) { SetText(AnsiToWideCP(CP_ACP, Value)); }

void TVxHeaderSection::SetWidth(Integer Value) {
  Value = std::clamp(Value, FMinWidth, FMaxWidth);
  if (Value == FWidth) return;
  FWidth = Value;
  Changed(!FAutoSize);
}

Integer TVxHeaderSection::ShownWidth() const {
  if (!FAutoSize) return FWidth;
  TVxHeaderControl* Control = HeaderControl();
  if (!Control) return FWidth;
  const TSize T = Control->GetTextSize(this);
  const TSize G = Control->GetImageSize(this);
  const bool Shown = FShowImage && G.cx > 0;
  return Shown ? G.cx + FMargin + FSpacing + T.cx + FMargin : T.cx + 2 * FMargin;
}

Integer TVxHeaderSection::Left() const {
  TVxHeaderControl* Control = HeaderControl();
  if (!Control) return 0;
  TRect R;
  Control->GetSectionRect(Index(), R);
  return R.Left;
}

// [SECTION] section collection --------------------------------------------------------------------

TVxHeaderSections::TVxHeaderSections(TVxHeaderControl* Control)
    : TCollection(Control, &TVxHeaderControl::NewSection), FControl(Control) {}

const TClassInfo& TVxHeaderSections::StaticClassInfo() {
  static const TClassInfo Info{"TVxHeaderSections", &TCollection::StaticClassInfo(), {}};
  return Info;
}

void TVxHeaderSections::Update(TCollectionItem* Item) {
  if (FControl) FControl->Refresh(Item == nullptr);
}

// [SECTION] header control ------------------------------------------------------------------------

const TClassInfo& TVxHeaderControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      ClassProperty<&TVxHeaderControl::Sections>("Sections"),
      ComponentProperty<&TVxHeaderControl::Images, &TVxHeaderControl::SetImages>("Images"),
      BooleanProperty<&TVxHeaderControl::HotTrack, &TVxHeaderControl::SetHotTrack>("HotTrack", 0),
      BooleanProperty<&TVxHeaderControl::DragReorder, &TVxHeaderControl::SetDragReorder>("DragReorder", 0),
      BooleanProperty<&TVxHeaderControl::FullDrag, &TVxHeaderControl::SetFullDrag>("FullDrag", 1),
      StringProperty<&TVxHeaderControl::ThemeObject, &TVxHeaderControl::SetThemeObject>("ThemeObject"),
      SetProperty<&TVxHeaderControl::BevelSides, &TVxHeaderControl::SetBevelSides>("BevelSides", BevelSideNames(),
                                                                                   int64_t(AllBevelSides.Mask())),
      EnumProperty<&TVxHeaderControl::BevelInner, &TVxHeaderControl::SetBevelInner>("BevelInner", BevelCutNames(),
                                                                                    int64_t(TVxBevelCut::kbvSpace)),
      EnumProperty<&TVxHeaderControl::BevelOuter, &TVxHeaderControl::SetBevelOuter>("BevelOuter", BevelCutNames(),
                                                                                    int64_t(TVxBevelCut::kbvSpace)),
      EnumProperty<&TVxHeaderControl::BevelKind, &TVxHeaderControl::SetBevelKind>("BevelKind", BevelKindNames(),
                                                                                  int64_t(TVxBevelKind::kbkNone)),
      IntegerProperty<&TVxHeaderControl::BevelWidth, &TVxHeaderControl::SetBevelWidth>("BevelWidth", 0),
      IntegerProperty<&TVxHeaderControl::BorderWidth, &TVxHeaderControl::SetBorderWidth>("BorderWidth", 0),
  };
  static const TClassInfo Info{
      "TVxHeaderControl", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxHeaderControl>};
  return Info;
}

TVxHeaderControl::TVxHeaderControl(TComponent* Owner)
    : TVxControl(Owner), FSections(std::make_unique<TVxHeaderSections>(this)) {
  SetSystemFrame(false);
  SetBevelInner(TVxBevelCut::kbvSpace);
  SetBevelOuter(TVxBevelCut::kbvSpace);
  SetBevelWidth(0);
  SetBorderWidth(0);
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  IncludeStyle(TControlStyleFlag::csClickEvents);
  SetBounds(Left(), Top(), 200, VisualStylesActive() ? 21 : 17);
  RegisterThemeClient(this);
}

TVxHeaderControl::~TVxHeaderControl() {
  UnregisterThemeClient(this);
  FSections->FControl = nullptr;
}

std::unique_ptr<TCollectionItem> TVxHeaderControl::NewSection(TCollection& Collection) {
  TVxHeaderSectionClass Class = [](TCollection& C) { return std::make_unique<TVxHeaderSection>(&C); };
  auto* Sections = dynamic_cast<TVxHeaderSections*>(&Collection);
  TVxHeaderControl* Control = Sections ? Sections->Control() : nullptr;
  if (Control && Control->OnCreateSectionClass) {
    Control->OnCreateSectionClass(Control, Class);
    if (!Class) Class = [](TCollection& C) { return std::make_unique<TVxHeaderSection>(&C); };
  }
  return Class(Collection);
}

TVxHeaderSection* TVxHeaderControl::CreateSection() { return FSections->Add(); }

bool TVxHeaderControl::Themed() const { return IsHeaderThemed(0, ThemeObject(), nullptr); }

TVxHeaderSection* TVxHeaderControl::Section(Integer Index) const { return FSections->Items(Index); }

void TVxHeaderControl::Refresh(bool Structure) {
  // Sections came, went or moved: the indexes of a running gesture name other sections now.
  if (Structure) FHotSection = FPressedSection = FResizing = FDragged = FDropTarget = -1;
  Invalidate();
}

// [Properties]

void TVxHeaderControl::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TVxHeaderControl::SetHotTrack(bool Value) {
  if (Value == FHotTrack) return;
  FHotTrack = Value;
  Invalidate();
}

void TVxHeaderControl::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

void TVxHeaderControl::SectionChanged(Integer, bool) { Invalidate(); }

// [Geometry]

void TVxHeaderControl::GetSectionRect(Integer Index, TRect& R) {
  const TRect Inner = GetInnerRect();
  R = {};
  if (Index < 0 || Index >= FSections->Count()) return;
  Integer X = Inner.Left;
  for (Integer I = 0; I < Index; ++I) X += Section(I)->ShownWidth();
  R = {X, Inner.Top, X + Section(Index)->ShownWidth(), Inner.Bottom};
}

Integer TVxHeaderControl::EdgeZone(Integer SectionWidth) { return std::min<Integer>(SectionWidth / 3, 10); }

Integer TVxHeaderControl::HitTest(Integer X, Integer Y, bool& Edge) {
  Edge = false;
  const TRect R = GetInnerRect();
  const Integer Count = FSections->Count();
  if (Y < R.Top || Y >= R.Bottom || X < R.Left || Count == 0) return -1;
  Integer Left = R.Left;
  for (Integer P = 0; P < Count; ++P) {
    const Integer W = Section(P)->ShownWidth();
    const Integer E = Left + W;
    const Integer After = P + 1 < Count ? EdgeZone(Section(P + 1)->ShownWidth()) : EdgeZone(W);
    if (X >= E - EdgeZone(W) && X < E + After) {
      Edge = true;
      return P;
    }
    if (X < E) return P;
    Left = E;
  }
  // Past the last edge: nothing to resize, though the pointer still reads as on an edge.
  Edge = X < Left + TrailingEdge;
  return -1;
}

TVxItemMetrics TVxHeaderControl::SectionMetrics(const TVxHeaderSection* S, Integer Width, Integer Height) {
  TVxItemMetrics M;
  M.Width = Width;
  M.Height = Height;
  M.Image = GetImageSize(S);
  M.ImageShown = S->ShowImage() && M.Image.cx > 0;
  M.Alignment = S->Alignment();
  M.GlyphRight = S->Layout() == TVxHeaderGliphLayout::hglGlyphRight;
  M.Margin = S->Margin();
  M.Spacing = S->Spacing();
  M.Text = GetTextSize(S);
  if (!S->AutoSize()) M.Text.cx = std::min(M.Text.cx, ItemTextLimit(M));
  return M;
}

TSize TVxHeaderControl::GetImageSize(const TVxHeaderSection* S) {
  if (!FImages || S->ImageIndex() < 0 || S->ImageIndex() >= FImages->Count()) return {};
  return {FImages->Width(), FImages->Height()};
}

TSize TVxHeaderControl::GetTextSize(const TVxHeaderSection* S) { return ItemTextSize(*Font(), S->Text()); }

void TVxHeaderControl::GetImageRect(const TVxHeaderSection* S, TRect& R) {
  TRect Area;
  GetSectionRect(S->Index(), Area);
  R = ItemImageBox(SectionMetrics(S, Area.Width(), Area.Height()));
}

void TVxHeaderControl::GetTextRect(const TVxHeaderSection* S, TRect& R) {
  TRect Area;
  GetSectionRect(S->Index(), Area);
  R = ItemTextBox(SectionMetrics(S, Area.Width(), Area.Height()));
}

// [Painting]

Byte TVxHeaderControl::SectionState(Integer I) const {
  const TVxHeaderSection* S = Section(I);
  if (!S) return hssNormal;
  if (I == FPressedSection && I == FHotSection && S->AllowClick() && !FOnEdge && I != FDragged) return hssPressed;
  if (I == FDragged) return hssDraggedOut;
  if (I == FHotSection && !FOnEdge && FDragged < 0) return hssHot;
  if (I == FDropTarget) return hssUnderDrag;
  return hssNormal;
}

TRect TVxHeaderControl::DragImageRect() {
  const TRect R = GetInnerRect();
  const TVxHeaderSection* S = Section(FDragged);
  return S ? TRect{FImageLeft, R.Top, FImageLeft + S->ShownWidth(), R.Bottom} : TRect{};
}

void TVxHeaderControl::PaintClient() {
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  const TRect Inner = GetInnerRect();
  const Integer Count = FSections->Count();
  if (Count == 0) {
    if (Themed()) {
      if (TvxTheme* Theme = this->Theme()) Theme->DrawHeader(0, C, "default", Inner);
    } else if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Header"); Style) {
      Style.DrawBackground(DC, 0, 0, Inner);
    } else {
      FillRectColor(DC, Inner, clBtnFace);
    }
    return;
  }
  for (Integer I = 0; I < Count; ++I) PaintSectionAt(I);
  TRect Last;
  GetSectionRect(Count - 1, Last);
  const TRect Trailing{Last.Right, Inner.Top, CachedWidth(), Inner.Bottom};
  if (!Trailing.IsEmpty()) {
    TDCState Saved(DC);
    IntersectClipRect(DC, Trailing.Left, Trailing.Top, std::min(Trailing.Right, Inner.Right), Trailing.Bottom);
    PaintTrailing(Trailing);
  }
  if (TVxHeaderSection* Dragged = Section(FDragged)) {
    TDCState Saved(DC);
    IntersectClipRect(DC, Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
    PaintSection(Dragged, DragImageRect(), hssDragging);
  }
  if (TVxHeaderSection* S = Section(FResizing); S && !FFullDrag) {
    TRect R;
    GetSectionRect(FResizing, R);
    FillRectColor(DC, {R.Left + FTrackedWidth, Inner.Top, R.Left + FTrackedWidth + 1, Inner.Bottom}, clBtnText);
  }
}

void TVxHeaderControl::PaintSectionAt(Integer Index) {
  TVxHeaderSection* S = Section(Index);
  if (!S) return;
  TRect R;
  GetSectionRect(Index, R);
  if (R.IsEmpty()) return;
  HDC DC = Canvas()->Handle();
  TDCState Saved(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  if (FDragged >= 0) {
    const TRect Image = DragImageRect();
    ExcludeClipRect(DC, Image.Left, Image.Top, Image.Right, Image.Bottom);
  }
  PaintSection(S, R, SectionState(Index));
}

void TVxHeaderControl::PaintTrailing(const TRect& R) {
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme()) Theme->DrawHeaderSection(0, C, "default", TvxStateInfo{R, 1, hssNormal});
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Header"); Style) {
    Style.DrawBackground(DC, 1, 1, R);
    return;
  }
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  DrawFrameControl(DC, &Area, DFC_BUTTON, DFCS_BUTTONPUSH);
}

void TVxHeaderControl::PaintSection(TVxHeaderSection* S, const TRect& R, Byte State) {
  if (R.Width() < 2) return;
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  const bool Sunk = State == hssPressed || State == hssDraggedOut || State == hssUnderDrag;
  const TPoint Offset = Sunk ? TPoint{1, 1} : TPoint{0, 0};
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme()) Theme->DrawHeaderSection(0, C, "default", TvxStateInfo{R, 1, State});
  } else if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Header"); Style) {
    const int VsState = State == hssPressed || State == hssDraggedOut ? 3
                        : State == hssDragging || State == hssHot     ? 2
                                                                      : 1;
    Style.DrawBackground(DC, 1, VsState, R);
  } else if (State == hssDraggedOut) {
    FillRectColor(DC, R, cl3DDkShadow);
  } else {
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    DrawFrameControl(DC, &Area, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (State == hssPressed || State == hssUnderDrag ? DFCS_FLAT : 0));
  }
  if (S->Style() == TVxHeaderSectionStyle::hsOwnerDraw) return OwnerDrawSection(S, R, State);
  PaintSectionText(S, R, State, Offset);
  if (S->ShowImage()) PaintSectionImage(S, R, State, Offset);
}

void TVxHeaderControl::PaintSectionText(TVxHeaderSection* S, const TRect& R, Byte State, const TPoint& Offset) {
  if (S->Text().empty()) return;
  TCanvas& C = *Canvas();
  const TVxItemMetrics M = SectionMetrics(S, R.Width(), R.Height());
  const TRect Box = Intersect(ItemTextBox(M).Offset(R.Left + Offset.X, R.Top + Offset.Y), R);
  if (Box.IsEmpty()) return;
  HDC DC = C.Handle();
  TDCState Saved(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  if (Themed()) {
    TvxTheme* Theme = this->Theme();
    if (!Theme) return;
    C.Font().Assign(PaintFont());
    Theme->GetFont(C.Font(), vxfHeaderSectionTextNormal + State, "default");
    TSelectGuard Select(DC, C.Font().Handle());
    TvxTextInfo Text;
    Text.Rect = Box;
    Text.Text = EllipsisText(DC, S->Text(), Box.Width());
    Text.Alignment = ItemAlignmentByte(S->Alignment());
    Theme->DrawHeaderSectionText(0, C, "default", Text, State);
    return;
  }
  C.Font().Assign(Font());
  TColor Color = Font()->Color();
  if (FHotTrack && (State == hssPressed || State == hssHot)) Color = TColor(0xFF0000);
  if (State == hssDraggedOut) Color = cl3DLight;
  TSelectGuard Select(DC, C.Font().Handle());
  TBkModeGuard Transparent(DC, TRANSPARENT);
  SetTextColor(DC, COLORREF(ColorToRGB(Color)));
  TRect Area = Box;
  DrawTextWide(DC, EllipsisText(DC, S->Text(), Box.Width()), Area, ItemAlignmentFlags(S->Alignment()));
}

void TVxHeaderControl::PaintSectionImage(TVxHeaderSection* S, const TRect& R, Byte State, const TPoint& Offset) {
  const TVxItemMetrics M = SectionMetrics(S, R.Width(), R.Height());
  if (!M.ImageShown || !FImages) return;
  const TRect Box = ItemImageBox(M).Offset(R.Left, R.Top);
  TCanvas& C = *Canvas();
  if (Themed()) {
    TvxTheme* Theme = this->Theme();
    if (!Theme) return;
    TvxGlyphInfo Glyph;
    Glyph.Rect = Box;
    Glyph.Bitmap = ImageListToBitmap(FImages, S->ImageIndex(), Enabled());
    Glyph.Alignment = 4;
    Theme->DrawHeaderSectionGlyph(0, C, "default", Glyph, State);
    return;
  }
  FImages->Draw(C, Box.Left + Offset.X, Box.Top + Offset.Y, S->ImageIndex(), Enabled());
}

// [Events]

void TVxHeaderControl::SectionClick(TVxHeaderSection* S) {
  if (OnSectionClick) OnSectionClick(this, S);
}

bool TVxHeaderControl::SectionDrag(TVxHeaderSection* From, TVxHeaderSection* To) {
  bool Allow = true;
  if (OnSectionDrag) OnSectionDrag(this, From, To, Allow);
  return Allow;
}

void TVxHeaderControl::SectionEndDrag() {
  if (OnSectionEndDrag) OnSectionEndDrag(this);
}

void TVxHeaderControl::SectionResize(TVxHeaderSection* S) {
  if (OnSectionResize) OnSectionResize(this, S);
}

void TVxHeaderControl::SectionTrack(TVxHeaderSection* S, Integer Width, TVxSectionTrackState State) {
  if (OnSectionTrack) OnSectionTrack(this, S, Width, State);
}

void TVxHeaderControl::OwnerDrawSection(TVxHeaderSection* S, const TRect& R, Byte State) {
  if (OnDrawSection) OnDrawSection(this, S, R, State);
}

// [Input]

void TVxHeaderControl::UpdateHot(Integer X, Integer Y) {
  bool Edge = false;
  const Integer Hot = HitTest(X, Y, Edge);
  if (Hot != FHotSection || Edge != FOnEdge) {
    FHotSection = Hot;
    FOnEdge = Edge;
    Invalidate();
  }
  SetCursor(FOnEdge ? crHSplit : crDefault);
}

void TVxHeaderControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Enabled()) return;
  UpdateHot(X, Y);
  FPressX = X;
  if (!FOnEdge) {
    FPressedSection = FHotSection;
    Invalidate();
    return;
  }
  TVxHeaderSection* S = Section(FHotSection);
  if (!S) return;
  FResizing = FHotSection;
  FDragOffset = S->Right() - X;
  FTrackedWidth = S->ShownWidth();
  SectionTrack(S, FTrackedWidth, TVxSectionTrackState::tsTrackBegin);
}

void TVxHeaderControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  if (TVxHeaderSection* S = Section(FResizing)) {
    FTrackedWidth = std::max(X + FDragOffset - S->Left(), S->MinWidth());
    if (FFullDrag) {
      const Integer Old = S->Width();
      S->SetWidth(FTrackedWidth);
      if (S->Width() != Old) SectionResize(S);
    } else {
      Invalidate();
    }
    SectionTrack(S, FTrackedWidth, TVxSectionTrackState::tsTrackMove);
    return;
  }
  if (FDragged >= 0) return DragTo(X);
  UpdateHot(X, Y);
  if (FPressedSection >= 0 && FDragReorder && std::abs(X - FPressX) > DragThreshold) {
    TVxHeaderSection* S = Section(FPressedSection);
    if (!S) return;
    FDragged = FPressedSection;
    FDragOffset = S->Left() - FPressX;
    FImageLeft = S->Left();
    DragTo(X);
    return;
  }
  if (FDropTarget >= 0) {
    FDropTarget = -1;
    Invalidate();
  }
}

void TVxHeaderControl::DragTo(Integer X) {
  FImageLeft = X + FDragOffset;
  const Integer Count = FSections->Count();
  Integer Target = Count;
  if (Count > 0 && FImageLeft < Section(0)->Left()) Target = 0;
  for (Integer I = 0; I < Count && Target == Count; ++I) {
    TRect R;
    GetSectionRect(I, R);
    if (FImageLeft >= R.Left && FImageLeft < R.Right) Target = FImageLeft < R.Left + R.Width() / 2 ? I : I + 1;
  }
  FDropTarget = Target;
  Invalidate();
}

void TVxHeaderControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (FResizing < 0 && FDragged < 0) UpdateHot(X, Y);
  if (FPressedSection >= 0) {
    TVxHeaderSection* Pressed = Section(FPressedSection);
    const bool Clicked =
        Pressed && FPressedSection == FHotSection && Pressed->AllowClick() && !FOnEdge && FPressedSection != FDragged;
    const bool Dragging = FDragged >= 0;
    FPressedSection = -1;
    Invalidate();
    if (Clicked && !Dragging) SectionClick(Pressed);
  }
  if (FDragged >= 0) EndDrag();
  if (FResizing >= 0) EndResize();
}

void TVxHeaderControl::EndDrag() {
  TVxHeaderSection* Dragged = Section(FDragged);
  Integer Target = FDropTarget;
  if (Dragged && Target >= 0) {
    if (FDragged < Target) --Target;
    TVxHeaderSection* To = Section(Target);
    if (To && SectionDrag(Dragged, To) && Target != FDragged) FSections->Move(FDragged, Target);
    SectionEndDrag();
  }
  FDragged = -1;
  FDropTarget = -1;
  Invalidate();
}

void TVxHeaderControl::EndResize() {
  TVxHeaderSection* S = Section(FResizing);
  FResizing = -1;
  if (!S) return;
  if (!FFullDrag) {
    const Integer Old = S->Width();
    S->SetWidth(FTrackedWidth);
    if (S->Width() != Old) SectionResize(S);
    Invalidate();
  }
  SectionTrack(S, FTrackedWidth, TVxSectionTrackState::tsTrackEnd);
}

void TVxHeaderControl::MouseLeave() {
  TVxControl::MouseLeave();
  if (FHotSection < 0 && !FOnEdge && FDropTarget < 0) return;
  FHotSection = -1;
  FOnEdge = false;
  if (FDragged < 0) FDropTarget = -1;
  Invalidate();
}

void TVxHeaderControl::Dispatch(TMessage& Message) {
  TVxControl::Dispatch(Message);
  if (Message.Msg == CM_FONTCHANGED || Message.Msg == CM_ENABLEDCHANGED) Invalidate();
}
