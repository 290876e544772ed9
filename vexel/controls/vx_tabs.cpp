#include "vexel/controls/vx_tabs.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "framework/core/exceptions.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "framework/ui/timer.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

// [SECTION] names and constants
// [SECTION] tab list
// [SECTION] tab control: properties, layout, painting, input, pages
// [SECTION] tab sheet

namespace {

constexpr const char* TabPositionValueNames[] = {"kttpTop", "kttpBottom", "kttpLeft", "kttpRight"};

// Side bytes the theme takes.
constexpr Byte SideTop = 0, SideBottom = 9, SideLeft = 3, SideRight = 6;
constexpr Integer MaxRows = 100;
constexpr UINT FirstScrollDelay = 300, ScrollRepeat = 100;

Byte SideByte(TVxTabPosition P) {
  switch (P) {
    case TVxTabPosition::kttpBottom: return SideBottom;
    case TVxTabPosition::kttpLeft: return SideLeft;
    case TVxTabPosition::kttpRight: return SideRight;
    default: return SideTop;
  }
}

TVxTabPosition Opposite(TVxTabPosition P) {
  switch (P) {
    case TVxTabPosition::kttpTop: return TVxTabPosition::kttpBottom;
    case TVxTabPosition::kttpBottom: return TVxTabPosition::kttpTop;
    case TVxTabPosition::kttpLeft: return TVxTabPosition::kttpRight;
    default: return TVxTabPosition::kttpLeft;
  }
}

std::wstring Wide(const std::string& S) { return AnsiToWideCP(CP_ACP, S); }

// Width and height of Text in Font, measured on the screen's context.
TSize TextExtent(const TFont& Font, const std::wstring& Text) {
  TWindowDC Screen(nullptr);
  TSelectGuard Select(Screen.Get(), Font.Handle());
  return {TextWidthWide(Screen.Get(), Text), TextHeightWide(Screen.Get(), Text)};
}

void Line(HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
  MoveToEx(DC, X1, Y1, nullptr);
  LineToColor(DC, X2, Y2, Color);
}

void Pixel(HDC DC, Integer X, Integer Y, TColor Color) { SetPixel(DC, X, Y, COLORREF(ColorToRGB(Color))); }

// The character after a single "&" in Caption, lower-cased; 0 when there is none.
char Accelerator(const std::string& Caption) {
  for (size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] != '&') continue;
    if (Caption[I + 1] == '&') {
      ++I;
      continue;
    }
    return char(std::tolower(static_cast<unsigned char>(Caption[I + 1])));
  }
  return 0;
}

}  // namespace

const TEnumInfo& TabPositionNames() {
  static const TEnumInfo Info{TabPositionValueNames};
  return Info;
}

// [SECTION] tab list ------------------------------------------------------------------------------

void TVxTabStringList::Changed() {
  if (FControl) FControl->UpdateTabs();
}

void TVxTabStringList::Add(const std::string& S) {
  FItems.push_back(S);
  Changed();
}

void TVxTabStringList::Insert(Integer Index, const std::string& S) {
  Index = std::clamp<Integer>(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, S);
  Changed();
}

void TVxTabStringList::Put(Integer Index, const std::string& S) {
  if (Index < 0 || Index >= Count()) return;
  FItems[size_t(Index)] = S;
  Changed();
}

void TVxTabStringList::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TVxTabStringList::Clear() {
  FItems.clear();
  Changed();
}

void TVxTabStringList::Assign(const std::vector<std::string>& Items) {
  BeginUpdate();
  FItems = Items;
  Changed();
  EndUpdate();
}

void TVxTabStringList::BeginUpdate() { ++FUpdateCount; }

void TVxTabStringList::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FControl) {
    FControl->Invalidate();
    FControl->UpdateTabs();
  }
}

// [SECTION] tab control ---------------------------------------------------------------------------

const TClassInfo& TVxTabControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringsProperty<&TVxTabControl::Tabs, &TVxTabControl::SetTabs>("Tabs"),
      IntegerProperty<&TVxTabControl::TabIndex, &TVxTabControl::SetTabIndex>("TabIndex", -1),
      EnumProperty<&TVxTabControl::TabPosition, &TVxTabControl::SetTabPosition>("TabPosition", TabPositionNames(),
                                                                                int64_t(TVxTabPosition::kttpTop)),
      BooleanProperty<&TVxTabControl::MultiLine, &TVxTabControl::SetMultiLine>("MultiLine", 0),
      BooleanProperty<&TVxTabControl::ScrollOpposite, &TVxTabControl::SetScrollOpposite>("ScrollOpposite", 0),
      BooleanProperty<&TVxTabControl::RaggedRight, &TVxTabControl::SetRaggedRight>("RaggedRight", 0),
      BooleanProperty<&TVxTabControl::HotTrack, &TVxTabControl::SetHotTrack>("HotTrack", 0),
      IntegerProperty<&TVxTabControl::TabWidth, &TVxTabControl::SetTabWidth>("TabWidth", 0),
      IntegerProperty<&TVxTabControl::TabHeight, &TVxTabControl::SetTabHeight>("TabHeight", 0),
      BooleanProperty<&TVxTabControl::OwnerDraw, &TVxTabControl::SetOwnerDraw>("OwnerDraw", 0),
      ComponentProperty<&TVxTabControl::Images, &TVxTabControl::SetImages>("Images"),
      BooleanProperty<&TVxTabControl::UsePages, &TVxTabControl::SetUsePages>("UsePages"),
      ComponentProperty<&TVxTabControl::ActivePage, &TVxTabControl::SetActivePage>("ActivePage"),
      StringProperty<&TVxTabControl::ThemeObject, &TVxTabControl::SetThemeObject>("ThemeObject"),
  };
  // With pages only the pages are written as children: the rest lives on them.
  static const TClassInfo Info{
      "TVxTabControl",
      &TVxControl::StaticClassInfo(),
      Properties,
      {},
      &CreateComponent<TVxTabControl>,
      [](const TComponent& Instance, const TComponent& Root, std::vector<TComponent*>& Children) {
        const auto& Control = static_cast<const TVxTabControl&>(Instance);
        if (Control.UsePages()) {
          for (TVxTabSheet* Page : Control.FPages)
            if (Page->Owner() == &Root) Children.push_back(Page);
          return;
        }
        for (TControl* C : Control.ControlList())
          if (C->Owner() == &Root) Children.push_back(C);
      }};
  return Info;
}

TVxTabControl::TVxTabControl(TComponent* Owner) : TVxControl(Owner), FTabs(std::make_unique<TVxTabStringList>(this)) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  IncludeStyle(TControlStyleFlag::csClickEvents);
  IncludeStyle(TControlStyleFlag::csDoubleClicks);
  SetParentColor(true);
  SetBounds(Left(), Top(), 289, 193);
  SetTabStop(true);
  Realign();
  RegisterThemeClient(this);
}

TVxTabControl::~TVxTabControl() {
  UnregisterThemeClient(this);
  for (TVxTabSheet* Page : FPages) Page->FTabControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
  FTabs->FControl = nullptr;
}

bool TVxTabControl::Themed() const { return IsTabThemed(0, ThemeObject(), nullptr); }

Integer TVxTabControl::W() const { return CachedWidth() > 0 ? CachedWidth() : Width(); }
Integer TVxTabControl::H() const { return CachedHeight() > 0 ? CachedHeight() : Height(); }

// [Properties]

void TVxTabControl::SetTabPosition(TVxTabPosition Value) {
  if (Value == FTabPosition) return;
  FTabPosition = Value;
  if (Vertical()) FMultiLine = true;
  FFirstVisible = 0;
  Invalidate();
  if (FActivePage) {
    ComputeRows();
    Realign();
    FActivePage->Invalidate();
  }
}

void TVxTabControl::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  if (!Value && Vertical()) throw Exception("MultiLine must be True when TabPosition is kttpLeft or kttpRight");
  FMultiLine = Value;
  if (!Value) FScrollOpposite = false;
  FFirstVisible = 0;
  Realign();
  Invalidate();
}

void TVxTabControl::SetScrollOpposite(bool Value) {
  if (Value == FScrollOpposite) return;
  FScrollOpposite = Value;
  if (Value) FMultiLine = true;
  Realign();
  Invalidate();
}

void TVxTabControl::SetRaggedRight(bool Value) {
  FRaggedRight = Value;
  Invalidate();
}

void TVxTabControl::SetHotTrack(bool Value) {
  FHotTrack = Value;
  Invalidate();
}

void TVxTabControl::SetTabWidth(Integer Value) {
  FTabWidth = std::max<Integer>(Value, 0);
  Realign();
  Invalidate();
}

void TVxTabControl::SetTabHeight(Integer Value) {
  FTabHeight = std::max<Integer>(Value, 0);
  Realign();
  Invalidate();
}

void TVxTabControl::SetOwnerDraw(bool Value) {
  FOwnerDraw = Value;
  Invalidate();
}

void TVxTabControl::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TVxTabControl::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

void TVxTabControl::SetUsePages(bool Value) {
  if (Value == FUsePages) return;
  FUsePages = Value;
  if (Value && !Loading()) {
    // Whatever stood on the plain control goes: pages take its place.
    while (ControlCount() > 0) delete Controls(ControlCount() - 1);
  }
  if (!Loading()) UpdateTabs();
}

void TVxTabControl::SetTabIndex(Integer Value) {
  if (Loading()) {
    FLoadedTabIndex = Value;
    return;
  }
  if (Value == FTabIndex || Value < 0 || Value >= FTabs->Count()) return;
  const Integer Old = FTabIndex;
  FTabIndex = Value;
  if (!CanChange()) {
    FTabIndex = Old;
    RefreshStrip();
    return;
  }
  if (!FMultiLine) {
    ComputeRows();
    const Integer Count = FTabs->Count();
    if (HasScrollButtons()) {
      const TRect Buttons = Rect(ScrollLeftRect().Left, 0, W(), H());
      while (FFirstVisible < Count - 1 && FFirstVisible < FTabIndex && TabRectOf(FTabIndex).Right > Buttons.Left)
        ++FFirstVisible;
    }
    while (FFirstVisible > FTabIndex) --FFirstVisible;
    while (FFirstVisible < FTabIndex && LastFullyVisibleTab() < FTabIndex) ++FFirstVisible;
  }
  RefreshStrip();
  if (FUsePages) {
    if (TVxTabSheet* Page = PageOfTab(FTabIndex)) {
      ShowPage(Page);
      Realign();
      return;
    }
  }
  Change();
}

void TVxTabControl::SetActivePage(TVxTabSheet* Page) {
  if (Page && Page->FTabControl != this) return;
  if (!Page) {
    if (FActivePage) FActivePage->SetVisible(false);
    FActivePage = nullptr;
    return;
  }
  ShowPage(Page);
}

// [Layout]

Integer TVxTabControl::MeasureTabHeight() {
  if (FTabHeight > 0) return FTabHeight;
  Integer Result = TextExtent(*Font(), L"Pq").cy + 4;
  if (FImages) Result = std::max<Integer>(Result, FImages->Height() + 4);
  return Result;
}

Integer TVxTabControl::GetScrollButtonSize() { return 2 * Font()->Size(); }

void TVxTabControl::SelectThemeFont(TFont& Into, Integer Index) {
  Into.Assign(Font());
  if (!Themed()) return;
  TvxTheme* Theme = CurrentTheme();
  if (!Theme) return;
  const bool Active = Index == FTabIndex;
  const Integer Offset = !Enabled() ? 2 : Index == FHotTab ? 1 : 0;
  Theme->GetFont(Into, (Active ? vxfTabTextActiveNormal : vxfTabTextInactiveNormal) + Offset, ThemeObject());
}

Integer TVxTabControl::MeasureTabWidth(Integer Index) {
  if (Index < 0 || Index >= FTabs->Count()) return 0;
  if (FTabWidth != 0) return FTabWidth;
  TFont Measure;
  SelectThemeFont(Measure, Index);
  Integer Result = TextExtent(Measure, Wide(FTabs->Strings(Index))).cx + 12;
  if (FUsePages && FImages)
    if (TVxTabSheet* Page = PageOfTab(Index); Page && Page->ImageIndex() >= 0) Result += FImages->Width();
  return std::max<Integer>(Result, 2 * MeasureTabHeight() + 4);
}

void TVxTabControl::ComputeRows() {
  FRows.clear();
  const Integer Count = FTabs->Count();
  FMeasured.resize(size_t(Count));
  for (Integer I = 0; I < Count; ++I) FMeasured[size_t(I)] = MeasureTabWidth(I);
  if (Count == 0) {
    FRowCount = 0;
    return;
  }
  const Integer Available = StripLength() - GetLeftMargin() - GetRightMargin();
  Integer Sum = FMeasured[0], First = 0;
  const auto Close = [&](Integer Last) {
    const Integer InRow = Last - First + 1;
    // A tab longer than the strip alone leaves nothing to share out: its row gets no extra.
    const Integer Spare = std::max<Integer>(Available - Sum, 0);
    TRow Row;
    Row.Last = Last;
    Row.Extra = Spare / InRow;
    Row.Remainder = Spare - Row.Extra * InRow;
    FRows.push_back(Row);
  };
  for (Integer I = 1; I < Count; ++I) {
    const Integer Length = FMeasured[size_t(I)];
    // The last row a table of MaxRows holds takes every tab that is left.
    if (Sum + Length < Available || Integer(FRows.size()) == MaxRows - 1) {
      Sum += Length;
      continue;
    }
    Close(I - 1);
    First = I;
    Sum = Length;
  }
  Close(Count - 1);
  FRowCount = FMultiLine ? Integer(FRows.size()) : 1;
}

Integer TVxTabControl::RowCount() {
  ComputeRows();
  return FRowCount;
}

Integer TVxTabControl::RowOfTab(Integer Index) {
  if (!FMultiLine) return 0;
  Integer Row = 0;
  for (const TRow& R : FRows)
    if (R.Last < Index) ++Row;
  return std::min<Integer>(Row, std::max<Integer>(Integer(FRows.size()) - 1, 0));
}

Integer TVxTabControl::DrawnLength(Integer Index) {
  const Integer Measured =
      Index >= 0 && Index < Integer(FMeasured.size()) ? FMeasured[size_t(Index)] : MeasureTabWidth(Index);
  if (!FMultiLine || FRaggedRight || FTabWidth != 0 || FRows.empty()) return Measured;
  const TRow& Row = FRows[size_t(RowOfTab(Index))];
  return Measured + Row.Extra + (Row.Last == Index ? Row.Remainder : 0);
}

Integer TVxTabControl::ActiveRow() { return FTabIndex >= 0 ? RowOfTab(FTabIndex) : 0; }

Integer TVxTabControl::RowDistance(Integer Row) {
  const Integer A = ActiveRow(), N = FRowCount;
  if (Row >= A) return Row - A + 1;
  return FScrollOpposite ? A - Row : Row + N - A + 1;
}

Integer TVxTabControl::StripThickness() {
  if (FTabs->Count() == 0) return 0;
  const Integer Rows = FScrollOpposite ? FRowCount - ActiveRow() : FRowCount;
  return MeasureTabHeight() * Rows + 2;
}

Integer TVxTabControl::OppositeThickness() { return FScrollOpposite ? ActiveRow() * MeasureTabHeight() : 0; }

bool TVxTabControl::TabOpposite(Integer Index) { return FScrollOpposite && RowOfTab(Index) < ActiveRow(); }

TVxTabPosition TVxTabControl::SideOfTab(Integer Index) {
  return TabOpposite(Index) ? Opposite(FTabPosition) : FTabPosition;
}

TRect TVxTabControl::TabRect(Integer Index) {
  ComputeRows();
  return TabRectOf(Index);
}

TRect TVxTabControl::TabRectOf(Integer Index) {
  if (Index < 0 || Index >= FTabs->Count()) return {};
  Integer Offset = 0;
  if (FMultiLine) {
    const Integer Row = RowOfTab(Index);
    const Integer First = Row == 0 ? 0 : FRows[size_t(Row - 1)].Last + 1;
    for (Integer I = First; I < Index; ++I) Offset += DrawnLength(I);
  } else if (Index >= FFirstVisible) {
    for (Integer I = FFirstVisible; I < Index; ++I) Offset += DrawnLength(I);
  } else {
    for (Integer I = Index; I < FFirstVisible; ++I) Offset -= DrawnLength(I);
  }
  const Integer Length = DrawnLength(Index);
  const bool Far = TabOpposite(Index);
  const Integer S = Far ? OppositeThickness() : StripThickness();
  const Integer D = RowDistance(RowOfTab(Index)) * MeasureTabHeight();
  const Integer M = 2;
  switch (SideOfTab(Index)) {
    case TVxTabPosition::kttpTop: return Rect(Offset + M, S - D, Offset + M + Length, S + 2);
    case TVxTabPosition::kttpBottom: return Rect(Offset + M, H() - S - 2, Offset + M + Length, H() - (S - D));
    case TVxTabPosition::kttpLeft: return Rect(S - D, Offset + M, S + 2, Offset + M + Length);
    default: return Rect(W() - S - 2, Offset + M, W() - (S - D), Offset + M + Length);
  }
}

TRect TVxTabControl::PageRect() {
  ComputeRows();
  const Integer S = StripThickness(), O = OppositeThickness();
  TRect R = Rect(0, 0, W(), H());
  switch (FTabPosition) {
    case TVxTabPosition::kttpTop: R.Top += S, R.Bottom -= O; break;
    case TVxTabPosition::kttpBottom: R.Bottom -= S, R.Top += O; break;
    case TVxTabPosition::kttpLeft: R.Left += S, R.Right -= O; break;
    case TVxTabPosition::kttpRight: R.Right -= S, R.Left += O; break;
  }
  return R;
}

TRect TVxTabControl::ClientRect() {
  TRect R = PageRect();
  R.Left += 3, R.Top += 3, R.Right -= 3, R.Bottom -= 3;
  if (R.Right < R.Left) R.Right = R.Left;
  if (R.Bottom < R.Top) R.Bottom = R.Top;
  return R;
}

bool TVxTabControl::ScrollButtonsVisible() {
  ComputeRows();
  return HasScrollButtons();
}

bool TVxTabControl::HasScrollButtons() {
  if (Vertical() || FMultiLine || FTabs->Count() < 2) return false;
  return FFirstVisible > 0 || TabRectOf(FTabs->Count() - 1).Right > W();
}

TRect TVxTabControl::ScrollLeftRect() {
  const Integer B = GetScrollButtonSize();
  const Integer S = StripThickness();
  const Integer Y = FTabPosition == TVxTabPosition::kttpTop ? S - B - 2 : H() + 2 - S;
  return Rect(W() - 2 * B, Y, W() - B, Y + B);
}

TRect TVxTabControl::ScrollRightRect() {
  const Integer B = GetScrollButtonSize();
  const TRect L = ScrollLeftRect();
  return Rect(W() - B, L.Top, W(), L.Bottom);
}

Integer TVxTabControl::LastDrawnTab() {
  const Integer Count = FTabs->Count();
  Integer Running = 0, Last = FFirstVisible - 1;
  for (Integer I = FFirstVisible; I < Count; ++I) {
    Running += DrawnLength(I);
    if (Running > W() - 4) return std::min<Integer>(I, Count - 1);
    Last = I;
  }
  return Last;
}

Integer TVxTabControl::LastFullyVisibleTab() {
  const bool Buttons = HasScrollButtons();
  const Integer Limit = Buttons ? ScrollLeftRect().Left : W();
  Integer Last = FFirstVisible - 1;
  for (Integer I = FFirstVisible; I < FTabs->Count(); ++I) {
    if (TabRectOf(I).Right > Limit) break;
    Last = I;
  }
  return Last;
}

bool TVxTabControl::InScrollLeft(Integer X, Integer Y) { return HasScrollButtons() && ScrollLeftRect().Contains(X, Y); }

bool TVxTabControl::InScrollRight(Integer X, Integer Y) {
  return HasScrollButtons() && ScrollRightRect().Contains(X, Y);
}

Integer TVxTabControl::TabAt(Integer X, Integer Y) {
  const Integer Count = FTabs->Count();
  if (Count == 0) return -1;
  ComputeRows();
  const TPoint P{X, Y};
  if (HasScrollButtons()) {
    const Integer S = StripThickness();
    const bool InStrip = FTabPosition == TVxTabPosition::kttpTop ? Y < S : Y >= H() - S;
    if (InStrip && X >= W() - 2 * GetScrollButtonSize()) return -1;
  }
  if (FTabIndex >= 0 && TabRectOf(FTabIndex).Contains(P.X, P.Y)) return FTabIndex;
  const auto InRow = [&](Integer Row) -> Integer {
    const Integer First = Row == 0 ? 0 : FRows[size_t(Row - 1)].Last + 1;
    for (Integer I = First; I <= FRows[size_t(Row)].Last; ++I)
      if (TabRectOf(I).Contains(P.X, P.Y)) return I;
    return -1;
  };
  if (FMultiLine) {
    const Integer A = ActiveRow(), N = Integer(FRows.size());
    std::vector<Integer> Order;
    if (FScrollOpposite)
      for (Integer R = A - 1; R >= 0; --R) Order.push_back(R);
    for (Integer R = A; R < N; ++R) Order.push_back(R);
    if (!FScrollOpposite)
      for (Integer R = 0; R < A; ++R) Order.push_back(R);
    for (Integer R : Order)
      if (Integer Hit = InRow(R); Hit >= 0) return Hit;
    return -1;
  }
  for (Integer I = FFirstVisible, Last = LastDrawnTab(); I <= Last; ++I) {
    TRect R = TabRectOf(I);
    // The tab's foot, where it meets the page, belongs to the page.
    if (FTabPosition == TVxTabPosition::kttpTop)
      R.Bottom -= 2;
    else
      R.Top += 2;
    if (R.Contains(P.X, P.Y)) return I;
  }
  return -1;
}

void TVxTabControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const Integer OldRows = FRowCount;
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FTabs) return;
  if (FMultiLine) {
    ComputeRows();
    if (FRowCount != OldRows) {
      Realign();
      Invalidate();
    }
  }
  if (FActivePage) FActivePage->Invalidate();
}

// [Painting]

Byte TVxTabControl::TabState(Integer Index) {
  const bool Active = Index == FTabIndex;
  if (!Enabled()) return Active ? 5 : 2;
  const bool Hot = Index == FHotTab;
  return Active ? (Hot ? 4 : 3) : (Hot ? 1 : 0);
}

void TVxTabControl::PaintClient() {
  HDC DC = Canvas()->Handle();
  ComputeRows();
  TDCState Saved(DC);
  if (FUsePages && !FPages.empty()) {
    const TRect C = ClientRect();
    ExcludeClipRect(DC, C.Left, C.Top, C.Right, C.Bottom);
  }
  DrawParentImage(this, DC);
  const Integer Count = FTabs->Count();
  if (FMultiLine && Count > 0) {
    const Integer A = ActiveRow(), N = Integer(FRows.size());
    std::vector<Integer> Order;
    if (FScrollOpposite) {
      for (Integer R = N - 1; R >= A; --R) Order.push_back(R);
      for (Integer R = 0; R < A; ++R) Order.push_back(R);
    } else {
      for (Integer R = A - 1; R >= 0; --R) Order.push_back(R);
      for (Integer R = N - 1; R >= A; --R) Order.push_back(R);
    }
    for (Integer R : Order) {
      const Integer First = R == 0 ? 0 : FRows[size_t(R - 1)].Last + 1;
      for (Integer I = First; I <= FRows[size_t(R)].Last; ++I)
        if (I != FTabIndex) PaintTab(I);
    }
  } else if (Count > 0) {
    for (Integer I = FFirstVisible, Last = LastDrawnTab(); I <= Last; ++I)
      if (I != FTabIndex) PaintTab(I);
  }
  PaintPane();
  if (FTabIndex >= 0 && FTabIndex < Count) PaintTab(FTabIndex);
  if (HasScrollButtons()) {
    PaintScrollLeft();
    PaintScrollRight();
  }
}

void TVxTabControl::PaintTab(Integer Index) {
  SelectThemeFont(Canvas()->Font(), Index);
  const TRect R = TabRectOf(Index);
  const TVxTabPosition Side = SideOfTab(Index);
  if (FOwnerDraw) return OwnerDrawTab(Index, R, Index == FTabIndex);
  PaintTabBackground(Index, Side, R);
  TRect Text = R;
  TVxTabSheet* Page = FUsePages ? PageOfTab(Index) : nullptr;
  if (Page && FImages && Page->ImageIndex() >= 0 && Page->ImageIndex() < FImages->Count()) {
    PaintTabImage(Index, Side, R);
    const Integer Hh = MeasureTabHeight();
    switch (Side) {
      case TVxTabPosition::kttpTop:
      case TVxTabPosition::kttpBottom: Text.Left += Hh; break;
      case TVxTabPosition::kttpLeft: Text.Bottom -= Hh; break;
      case TVxTabPosition::kttpRight: Text.Top += Hh; break;
    }
  }
  const bool Across = Side == TVxTabPosition::kttpTop || Side == TVxTabPosition::kttpBottom;
  if ((Across ? Text.Width() : Text.Height()) > 8) PaintTabText(Index, Side, Text);
}

void TVxTabControl::PaintTabBackground(Integer Index, TVxTabPosition Position, const TRect& Area) {
  HDC DC = Canvas()->Handle();
  const bool Active = Index == FTabIndex;
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      TvxStateInfo Info;
      Info.Rect = Area;
      Info.State = SideByte(Position);
      Info.Part = TabState(Index);
      Theme->DrawTab(0, *Canvas(), ThemeObject(), Info);
    }
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Tab"); Style) {
    TRect R = Area;
    const bool Across = Position == TVxTabPosition::kttpTop || Position == TVxTabPosition::kttpBottom;
    if (!Active && Across) R.Top += 2, R.Bottom -= 2;
    if (Across && R.Left == 2) R.Left = 0;
    const int State = !Enabled() ? 4 : Active ? 3 : Index == FHotTab ? 2 : 1;
    Style.DrawBackground(DC, 1, State, R);
    return;
  }
  TRect R = Area;
  if (Active) {
    if (Position != TVxTabPosition::kttpBottom) R.Top -= 2;
    if (Position != TVxTabPosition::kttpTop) R.Bottom += 2;
    if (Position != TVxTabPosition::kttpRight) R.Left -= 2;
    if (Position != TVxTabPosition::kttpLeft) R.Right += 2;
  }
  const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  switch (Position) {
    case TVxTabPosition::kttpTop:
      FillRoundRect(DC, Rect(L + 1, T + 1, Rt - 1, B), 4, clBtnFace);
      FillRectColor(DC, Rect(L + 1, T + 2, Rt - 1, B), clBtnFace);
      Line(DC, L + 3, T, Rt - 3, T, clBtnHighlight);
      Line(DC, L, T + 3, L, B - 1, clBtnHighlight);
      Line(DC, L, T + 2, L + 3, T - 1, clBtnHighlight);
      Line(DC, Rt - 3, T, Rt - 2, T + 1, clBtnHighlight);
      Line(DC, Rt - 1, T + 3, Rt - 1, B - 1, cl3DDkShadow);
      Line(DC, Rt - 2, T + 1, Rt, T + 3, cl3DDkShadow);
      Line(DC, Rt - 2, T + 3, Rt - 2, B - 1, clBtnShadow);
      Line(DC, Rt - 2, T + 2, Rt - 1, T + 2, clBtnShadow);
      break;
    case TVxTabPosition::kttpBottom:
      FillRoundRect(DC, Rect(L + 1, T, Rt - 1, B), 4, clBtnFace);
      FillRectColor(DC, Rect(L + 1, T, Rt - 1, B - 2), clBtnFace);
      Line(DC, L, T, L, B - 3, clBtnHighlight);
      Line(DC, L, B - 3, L + 2, B - 1, clBtnHighlight);
      Line(DC, Rt - 1, T + 1, Rt - 1, B - 3, cl3DDkShadow);
      Line(DC, L + 3, B - 1, Rt - 3, B - 1, cl3DDkShadow);
      Line(DC, Rt - 1, B - 3, Rt - 4, B, cl3DDkShadow);
      Pixel(DC, L + 2, B - 1, cl3DDkShadow);
      Line(DC, Rt - 2, T + 1, Rt - 2, B - 3, clBtnShadow);
      Line(DC, L + 3, B - 2, Rt - 3, B - 2, clBtnShadow);
      Line(DC, Rt - 2, B - 3, Rt - 4, B - 1, clBtnShadow);
      Pixel(DC, L + 2, B - 2, clBtnShadow);
      break;
    case TVxTabPosition::kttpLeft:
      FillRoundRect(DC, Rect(L, T + 1, Rt, B - 1), 4, clBtnFace);
      FillRectColor(DC, Rect(L + 2, T + 1, Rt, B - 1), clBtnFace);
      Line(DC, L + 3, T, Rt - 1, T, clBtnHighlight);
      Line(DC, L, T + 3, L, B - 3, clBtnHighlight);
      Line(DC, L, T + 2, L + 3, T - 1, clBtnHighlight);
      Line(DC, L, B - 3, L + 2, B - 1, clBtnHighlight);
      Line(DC, L + 3, B - 1, Rt - 1, B - 1, cl3DDkShadow);
      Pixel(DC, L + 2, B - 1, cl3DDkShadow);
      Line(DC, L + 3, B - 2, Rt - 1, B - 2, clBtnShadow);
      Pixel(DC, L + 2, B - 2, clBtnShadow);
      break;
    case TVxTabPosition::kttpRight:
      FillRoundRect(DC, Rect(L, T + 1, Rt, B - 1), 4, clBtnFace);
      FillRectColor(DC, Rect(L, T + 1, Rt - 2, B - 1), clBtnFace);
      Line(DC, L, T, Rt - 3, T, clBtnHighlight);
      Line(DC, Rt - 3, T, Rt - 2, T + 1, clBtnHighlight);
      Line(DC, Rt - 1, T + 3, Rt - 1, B - 3, cl3DDkShadow);
      Line(DC, L + 1, B - 1, Rt - 3, B - 1, cl3DDkShadow);
      Line(DC, Rt - 2, T + 1, Rt, T + 3, cl3DDkShadow);
      Line(DC, Rt - 1, B - 3, Rt - 4, B, cl3DDkShadow);
      Line(DC, Rt - 2, T + 3, Rt - 2, B - 3, clBtnShadow);
      Line(DC, L + 1, B - 2, Rt - 3, B - 2, clBtnShadow);
      Line(DC, Rt - 2, T + 2, Rt - 1, T + 2, clBtnShadow);
      Line(DC, Rt - 2, B - 3, Rt - 4, B - 1, clBtnShadow);
      break;
  }
  if (Active && HasFocus()) DrawFocusRectColor(DC, Rect(L + 3, T + 3, Rt - 3, B - 3), clBtnFace);
}

void TVxTabControl::PaintTabImage(Integer Index, TVxTabPosition Position, const TRect& Area) {
  TVxTabSheet* Page = PageOfTab(Index);
  if (!Page || !FImages) return;
  TRect R = Area;
  if (Index == FTabIndex) R.Left -= 1, R.Top -= 1, R.Right += 1, R.Bottom += 1;
  R.Left += 3, R.Top += 3, R.Right -= 3, R.Bottom -= 3;
  const Integer Hh = MeasureTabHeight();
  TPoint At{R.Left, R.Top};
  if (Position == TVxTabPosition::kttpLeft) At = {R.Left, R.Bottom - Hh};
  if (Position == TVxTabPosition::kttpRight) At = {R.Right - Hh, R.Top};
  FImages->Draw(*Canvas(), At.X, At.Y, Page->ImageIndex(), Enabled());
}

void TVxTabControl::PaintTabText(Integer Index, TVxTabPosition Position, const TRect& Area) {
  HDC DC = Canvas()->Handle();
  const Integer Hh = MeasureTabHeight();
  TRect Box = Area;
  switch (Position) {
    case TVxTabPosition::kttpTop: Box.Bottom = Box.Top + Hh; break;
    case TVxTabPosition::kttpBottom: Box.Top = Box.Bottom - Hh; break;
    case TVxTabPosition::kttpLeft: Box.Right = Box.Left + Hh; break;
    case TVxTabPosition::kttpRight: Box.Left = Box.Right - Hh; break;
  }
  const std::wstring Caption = Wide(FTabs->Strings(Index));
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      TvxTextInfo Text;
      Text.Rect = Box;
      Text.Text = Caption;
      Text.Alignment = 4;
      Text.Flags = vxtfSingleLine;
      TvxStateInfo State;
      State.Rect = Area;
      State.State = SideByte(Position);
      State.Part = 0;
      Theme->DrawTabText(0, *Canvas(), ThemeObject(), Text, State);
    }
    return;
  }
  Canvas()->Font().Assign(Font());
  TSelectGuard Select(DC, Canvas()->Font().Handle());
  TBkModeGuard Transparent(DC, TRANSPARENT);
  const TColor Color = !Enabled() ? clGrayText : FHotTrack && Index == FHotTab ? clHighlight : Font()->Color();
  SetTextColor(DC, COLORREF(ColorToRGB(Color)));
  if (Position == TVxTabPosition::kttpTop && Index != FTabIndex) Box.Top += 1, Box.Bottom += 1;
  const UINT Format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  switch (Position) {
    case TVxTabPosition::kttpLeft: DrawRotatedText(DC, Caption, Box, false, Format); break;
    case TVxTabPosition::kttpRight: DrawRotatedText(DC, Caption, Box, true, Format); break;
    default: DrawTextWide(DC, Caption, Box, Format); break;
  }
}

void TVxTabControl::PaintPane() {
  HDC DC = Canvas()->Handle();
  const TRect R = PageRect();
  if (R.IsEmpty()) return;
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) Theme->DrawTabPane(0, *Canvas(), ThemeObject(), R);
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Tab"); Style) {
    Style.DrawBackground(DC, 10, 1, Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2));
    Style.DrawBackground(DC, 9, 1, R);
    return;
  }
  FillRectColor(DC, R, clBtnFace);
  DrawBevel(DC, R, clBtnHighlight, cl3DDkShadow);
  DrawBevel(DC, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), clBtnFace, clBtnShadow);
}

namespace {
Byte ScrollState(bool Enabled, bool Hot, bool Pressed) {
  if (!Enabled) return 3;
  if (Pressed && Hot) return 2;
  return Hot ? 1 : 0;
}
}  // namespace

void TVxTabControl::PaintScrollLeft() { PaintScrollButton(true); }
void TVxTabControl::PaintScrollRight() { PaintScrollButton(false); }

void TVxTabControl::PaintScrollButton(bool Left) {
  HDC DC = Canvas()->Handle();
  const TRect R = Left ? ScrollLeftRect() : ScrollRightRect();
  const bool CanScroll = Left ? FFirstVisible > 0 : LastFullyVisibleTab() < FTabs->Count() - 1;
  const Byte State = Left ? ScrollState(Enabled() && CanScroll, FScrollLeftHot, FScrollLeftPressed)
                          : ScrollState(Enabled() && CanScroll, FScrollRightHot, FScrollRightPressed);
  if (Themed()) {
    if (TvxTheme* Theme = CurrentTheme()) {
      TvxStateInfo Info;
      Info.Rect = R;
      Info.State = Left ? 1 : 4;
      Info.Part = State;
      Theme->DrawTabScrollButton(0, *Canvas(), ThemeObject(), Info);
    }
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"ScrollBar"); Style)
    return Style.DrawBackground(DC, 1, (Left ? 9 : 13) + State, R);
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  DrawFrameControl(DC, &Area, DFC_SCROLL,
                   (Left ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | (State == 2 ? DFCS_PUSHED : 0) |
                       (State == 3 ? DFCS_INACTIVE : 0));
}

void TVxTabControl::RefreshStrip() { Invalidate(); }

// [Events]

void TVxTabControl::Change() {
  if (OnChange) OnChange(this);
}

bool TVxTabControl::CanChange() {
  bool Allow = true;
  if (OnChanging) OnChanging(this, Allow);
  return Allow;
}

void TVxTabControl::OwnerDrawTab(Integer Index, const TRect& R, bool Active) {
  if (OnDrawTab) OnDrawTab(this, Index, R, Active);
}

// [Input]

void TVxTabControl::ScrollTabs(Integer K) {
  ComputeRows();
  const Integer Count = FTabs->Count();
  if (Count == 0) return;
  FFirstVisible = std::clamp<Integer>(FFirstVisible + K, 0, Count - 1);
  bool SteppedBack = false;
  while (FFirstVisible > 0 && LastFullyVisibleTab() >= Count - 1) {
    --FFirstVisible;
    SteppedBack = true;
  }
  if (SteppedBack) ++FFirstVisible;
  RefreshStrip();
}

void TVxTabControl::UpdateHot(Integer X, Integer Y) {
  ComputeRows();
  const bool Left = InScrollLeft(X, Y), Right = InScrollRight(X, Y);
  const Integer Hot = TabAt(X, Y);
  if (Left == FScrollLeftHot && Right == FScrollRightHot && Hot == FHotTab) return;
  FScrollLeftHot = Left;
  FScrollRightHot = Right;
  FHotTab = Hot;
  RefreshStrip();
}

void TVxTabControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  // The press happens where the pointer is, whether a move told us of it or not.
  UpdateHot(X, Y);
  if (FScrollLeftHot || FScrollRightHot) {
    FScrollLeftPressed = FScrollLeftHot;
    FScrollRightPressed = FScrollRightHot;
    RefreshStrip();
    if (!FScrollTimer) {
      FScrollTimer = std::make_unique<TTimer>();
      FScrollTimer->SetEnabled(false);
      FScrollTimer->SetOnTimer([this](TObject*) { ScrollTimerTick(); });
    }
    ScrollTabs(FScrollLeftPressed ? -1 : 1);
    FScrollTimer->SetInterval(FirstScrollDelay);
    FScrollTimer->SetEnabled(true);
    return;
  }
  if (!ComponentState().Contains(TComponentStateFlag::csDesigning) && CanFocus() && !Focused()) SetFocus();
  if (const Integer Tab = TabAt(X, Y); Tab >= 0) SetTabIndex(Tab);
}

void TVxTabControl::ScrollTimerTick() {
  try {
    FScrollTimer->SetInterval(ScrollRepeat);
    if (FScrollLeftPressed && FScrollLeftHot) ScrollTabs(-1);
    if (FScrollRightPressed && FScrollRightHot) ScrollTabs(1);
  } catch (...) {
    StopScrollTimer();
  }
}

void TVxTabControl::StopScrollTimer() {
  if (FScrollTimer) FScrollTimer->SetEnabled(false);
}

void TVxTabControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  UpdateHot(X, Y);
}

void TVxTabControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FScrollLeftPressed = FScrollRightPressed = false;
  StopScrollTimer();
  RefreshStrip();
}

void TVxTabControl::MouseLeave() {
  TVxControl::MouseLeave();
  if (!FScrollLeftHot && !FScrollRightHot && FHotTab < 0) return;
  FScrollLeftHot = FScrollRightHot = false;
  FHotTab = -1;
  RefreshStrip();
}

bool TVxTabControl::WantsKey(uint16_t Key) const {
  if (Key == VK_TAB) return GetKeyState(VK_CONTROL) < 0;
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || TVxControl::WantsKey(Key);
}

void TVxTabControl::SelectNextTab(bool Forward, bool Wrap) {
  const Integer Count = FTabs->Count();
  if (Count == 0) return;
  Integer Next = FTabIndex + (Forward ? 1 : -1);
  if (Wrap) Next = (Next + Count) % Count;
  SetTabIndex(Next);
}

void TVxTabControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_TAB:
      if (!Shift.Contains(TShiftStateFlag::ssCtrl)) return;
      SelectNextTab(!Shift.Contains(TShiftStateFlag::ssShift), true);
      break;
    case VK_LEFT:
    case VK_UP: SelectNextTab(false, false); break;
    case VK_RIGHT:
    case VK_DOWN: SelectNextTab(true, false); break;
    default: return;
  }
  Key = 0;
}

bool TVxTabControl::SelectAccelerator(char Key) {
  const char Wanted = char(std::tolower(static_cast<unsigned char>(Key)));
  for (Integer I = 0; I < FTabs->Count(); ++I)
    if (Wanted && Accelerator(FTabs->Strings(I)) == Wanted) {
      if (!CanFocus()) return false;
      SetTabIndex(I);
      return true;
    }
  return false;
}

void TVxTabControl::ThemeChanged(uintptr_t Code) {
  if (Code == 0 || Code == 3 || Code == 4) {
    Invalidate();
    if (FActivePage) FActivePage->Invalidate();
  } else if (Code == 5) {
    Invalidate();
  }
}

void TVxTabControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case CM_DIALOGKEY:
      // Ctrl+Tab from a control on one of the pages turns the pages too.
      if (Message.WParam == VK_TAB && HandleAllocated() && IsChild(Handle(), GetFocus())) {
        const TShiftState Shift = KeyboardShiftState();
        if (Shift.Contains(TShiftStateFlag::ssCtrl)) {
          SelectNextTab(!Shift.Contains(TShiftStateFlag::ssShift), true);
          Message.Result = 1;
          return;
        }
      }
      break;
    case CM_DIALOGCHAR:
      if (SelectAccelerator(char(Message.WParam))) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (FScrollLeftPressed || FScrollRightPressed) {
        FScrollLeftPressed = FScrollRightPressed = false;
        StopScrollTimer();
        RefreshStrip();
      }
      break;
  }
  TVxControl::Dispatch(Message);
}

// [Pages]

TVxTabSheet* TVxTabControl::PageOfTab(Integer Index) const {
  if (Index < 0) return nullptr;
  for (TVxTabSheet* Page : FPages)
    if (Page->PageVisible() && Index-- == 0) return Page;
  return nullptr;
}

Integer TVxTabControl::TabOfPage(const TVxTabSheet* Page) const {
  Integer Tab = 0;
  for (TVxTabSheet* P : FPages) {
    if (P == Page) return P->PageVisible() ? Tab : -1;
    if (P->PageVisible()) ++Tab;
  }
  return -1;
}

void TVxTabControl::InsertPage(TVxTabSheet* Page, Integer Index) {
  Index = std::clamp<Integer>(Index, 0, PageCount());
  FPages.insert(FPages.begin() + Index, Page);
  Page->FTabControl = this;
  if (Page->Parent() != this) Page->TWinControl::SetParent(this);
  if (Page->Caption().empty() && !Loading() && !Page->ComponentState().Contains(TComponentStateFlag::csLoading))
    Page->TControl::SetText("New Page " + std::to_string(FTabs->Count()));
  TComponent* Form = Page->Owner();
  if (Page->Name().empty() && Form && ComponentState().Contains(TComponentStateFlag::csDesigning)) {
    const std::string Base = std::string(Page->ClassInfo().Name).substr(1);
    for (Integer N = 1;; ++N)
      if (!Form->FindComponent(Base + std::to_string(N))) {
        Page->SetName(Base + std::to_string(N));
        break;
      }
  }
  UpdateTabs();
}

void TVxTabControl::RemovePage(TVxTabSheet* Page) {
  const auto It = std::find(FPages.begin(), FPages.end(), Page);
  if (It == FPages.end()) return;
  // Its tab goes first: otherwise the tab would ask for a page again.
  if (const Integer Tab = TabOfPage(Page); Tab >= 0 && Tab < FTabs->Count())
    FTabs->FItems.erase(FTabs->FItems.begin() + Tab);
  FPages.erase(It);
  Page->FTabControl = nullptr;
  const bool WasActive = Page == FActivePage;
  if (WasActive) FActivePage = nullptr;
  if (!Page->FDestroying && Page->Parent() == this) Page->TWinControl::SetParent(nullptr);
  if (ComponentState().Contains(TComponentStateFlag::csDestroying) || Freeing()) return;
  UpdateTabs();
  if (WasActive) {
    if (TVxTabSheet* First = PageOfTab(0)) {
      FTabIndex = -1;
      ShowPage(First);
    } else {
      FTabIndex = -1;
    }
    Realign();
  }
}

void TVxTabControl::ShowPage(TVxTabSheet* Page) {
  if (Page == FActivePage) {
    Page->SetVisible(true);
    Page->BringToFront();
    return;
  }
  TVxTabSheet* Old = FActivePage;
  FActivePage = Page;
  if (Old) Old->SetVisible(false);
  Page->SetVisible(true);
  Page->BringToFront();
  const Integer Tab = TabOfPage(Page);
  FTabIndex = Tab >= 0 ? Tab : std::min<Integer>(Page->PageIndex(), FTabs->Count() - 1);
  RefreshStrip();
  Change();
}

void TVxTabControl::ClampTabIndex() {
  const Integer Count = FTabs->Count();
  if (Count == 0)
    FTabIndex = -1;
  else if (FTabIndex < 0)
    FTabIndex = 0;
  else if (FTabIndex >= Count)
    FTabIndex = Count - 1;
}

void TVxTabControl::UpdateTabs() {
  if (FInUpdateTabs || Freeing() || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  FInUpdateTabs = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FInUpdateTabs};
  ClampTabIndex();
  if (FUsePages) {
    TComponent* PageOwner = Owner();
    if (!Loading() && !(PageOwner && PageOwner->ComponentState().Contains(TComponentStateFlag::csDestroying))) {
      const std::vector<std::string> Wanted = FTabs->Items();
      for (Integer I = 0; I < Integer(Wanted.size()); ++I) {
        const std::string& Caption = Wanted[size_t(I)];
        const auto InTabs = std::count(Wanted.begin(), Wanted.end(), Caption);
        const auto InPages =
            std::count_if(FPages.begin(), FPages.end(), [&](const TVxTabSheet* P) { return P->Caption() == Caption; });
        if (InTabs <= InPages) continue;
        auto* Page = new TVxTabSheet(PageOwner);
        Page->TControl::SetText(Caption);
        FPages.insert(FPages.begin() + std::min<Integer>(I, PageCount()), Page);
        Page->FTabControl = this;
        Page->TWinControl::SetParent(this);
        if (FActivePage) FActivePage->SetVisible(false);
        FActivePage = Page;
        Page->SetVisible(true);
        Page->BringToFront();
        FTabIndex = I;
      }
    }
    std::vector<std::string> Captions;
    for (TVxTabSheet* Page : FPages)
      if (Page->PageVisible()) Captions.push_back(Page->Caption());
    const bool Changed = Captions != FTabs->FItems;
    FTabs->FItems = std::move(Captions);
    ClampTabIndex();
    if (Changed && !Loading())
      if (TVxTabSheet* Page = PageOfTab(FTabIndex)) ShowPage(Page);
  }
  ComputeRows();
  if (FTabs->Updating()) return;
  RefreshStrip();
  if (FUsePages) Realign();
}

void TVxTabControl::Loaded() {
  TVxControl::Loaded();
  FTabIndex = FLoadedTabIndex;
  UpdateTabs();
  ClampTabIndex();
  if (FUsePages)
    if (TVxTabSheet* Page = PageOfTab(FTabIndex)) ShowPage(Page);
  ComputeRows();
  Realign();
}

// [SECTION] tab sheet -----------------------------------------------------------------------------

const TClassInfo& TVxTabSheet::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TVxTabSheet::BorderWidth, &TVxTabSheet::SetBorderWidth>("BorderWidth", 0),
      IntegerProperty<&TVxTabSheet::ImageIndex, &TVxTabSheet::SetImageIndex>("ImageIndex", -1),
      IntegerProperty<&TVxTabSheet::PageIndex, &TVxTabSheet::SetPageIndex>("PageIndex"),
      BooleanProperty<&TVxTabSheet::PageVisible, &TVxTabSheet::SetPageVisible>("PageVisible", 1),
  };
  static const TClassInfo Info{
      "TVxTabSheet", &TCustomControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxTabSheet>};
  return Info;
}

TVxTabSheet::TVxTabSheet(TComponent* Owner) : TCustomControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  SetAlign(TAlign::alClient);
  TControl::SetVisible(false);
}

TVxTabSheet::~TVxTabSheet() {
  FDestroying = true;
  if (FTabControl) FTabControl->RemovePage(this);
}

void TVxTabSheet::SetTabControl(TVxTabControl* Value) {
  if (Value == FTabControl) return;
  if (FTabControl) FTabControl->RemovePage(this);
  if (Value) Value->InsertPage(this, Value->PageCount());
}

void TVxTabSheet::SetParent(TWinControl* Value) {
  if (auto* Control = dynamic_cast<TVxTabControl*>(Value)) {
    if (Control != FTabControl) {
      SetTabControl(Control);
      return;
    }
  } else if (FTabControl) {
    FTabControl->RemovePage(this);
  }
  TCustomControl::SetParent(Value);
}

Integer TVxTabSheet::PageIndex() const {
  if (!FTabControl) return -1;
  const auto& Pages = FTabControl->FPages;
  return Integer(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TVxTabSheet::SetPageIndex(Integer Value) {
  if (!FTabControl || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  auto& Pages = FTabControl->FPages;
  const Integer Current = PageIndex();
  if (Value < 0 || Value >= Integer(Pages.size()) || Value == Current) return;
  std::swap(Pages[size_t(Value)], Pages[size_t(Current)]);
  FTabControl->UpdateTabs();
}

void TVxTabSheet::SetPageVisible(bool Value) {
  if (Value == FPageVisible) return;
  FPageVisible = Value;
  if (FTabControl) FTabControl->UpdateTabs();
}

void TVxTabSheet::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (FTabControl) FTabControl->Invalidate();
}

void TVxTabSheet::SetBorderWidth(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TVxTabSheet::AdjustClientRect(TRect& Rect) {
  Rect.Left += FBorderWidth, Rect.Top += FBorderWidth;
  Rect.Right = std::max(Rect.Left, Rect.Right - FBorderWidth);
  Rect.Bottom = std::max(Rect.Top, Rect.Bottom - FBorderWidth);
}

void TVxTabSheet::SetText(const std::string& Value) {
  if (Value == Caption()) return;
  TCustomControl::SetText(Value);
  if (!FTabControl) return;
  // The tab takes the new caption before the control compares tabs with pages.
  if (const Integer Tab = FTabControl->TabOfPage(this); Tab >= 0 && Tab < FTabControl->FTabs->Count())
    FTabControl->FTabs->FItems[size_t(Tab)] = Value;
  FTabControl->UpdateTabs();
}

void TVxTabSheet::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TVxTabSheet::PaintBackground(HDC DC) {
  if (!FTabControl) return;
  TDCState Saved(DC);
  POINT Old;
  OffsetViewportOrgEx(DC, -Left(), -Top(), &Old);
  TCanvas* Target = FTabControl->Canvas();
  HDC Own = Target->HandleAllocated() ? Target->Handle() : nullptr;
  Target->SetHandle(DC);
  try {
    FTabControl->PaintPane();
  } catch (...) {
    Target->SetHandle(Own);
    throw;
  }
  Target->SetHandle(Own);
}

void TVxTabSheet::Paint() {
  if (!FTabControl || FTabControl->ActivePage() != this) return;
  PaintBackground(Canvas()->Handle());
}

void TVxTabSheet::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == CM_VISIBLECHANGED) {
    TCustomControl::Dispatch(Message);
    TNotifyEvent& Event = Visible() ? OnShow : OnHide;
    if (Event) {
      try {
        Event(this);
      } catch (...) {
        Application->HandleException(this);
      }
    }
    return;
  }
  TCustomControl::Dispatch(Message);
}
