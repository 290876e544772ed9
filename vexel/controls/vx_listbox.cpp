#include "vexel/controls/vx_listbox.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <set>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/colors.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/graphics/vx_resource.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* ListBoxStyleValueNames[] = {"lbStandard",    "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbFonts",
                                                  "lbFontSamples", "lbColors",         "lbColorNames"};
constexpr const char* FontDeviceValueNames[] = {"fdScreen", "fdPrinter"};
constexpr const char* FontTypeValueNames[] = {"ftAll", "ftTrueType", "ftFixedPitch"};

// Item states the theme takes, and its fonts for them from ItemFonts on.
constexpr Byte StateNormal = 0, StateHot = 1, StateSelected = 2, StateFocused = 3, StateDisabled = 4;
constexpr Integer ItemFonts = 57;
constexpr Integer ContentItemHeight = 18;

const std::string EmptyString;

bool LessNoCase(const std::string& A, const std::string& B) {
  return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
    return std::tolower(static_cast<unsigned char>(X)) < std::tolower(static_cast<unsigned char>(Y));
  });
}

void FillColor(HDC DC, const TRect& R, TColor Color) {
  HBRUSH Brush = CreateSolidBrush(COLORREF(ColorToRGB(Color)));
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(DC, &Area, Brush);
  DeleteObject(Brush);
}

void FrameColor(HDC DC, const TRect& R, TColor Color) {
  HBRUSH Brush = CreateSolidBrush(COLORREF(ColorToRGB(Color)));
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  FrameRect(DC, &Area, Brush);
  DeleteObject(Brush);
}

void DrawTextIn(HDC DC, const std::string& Text, TRect R, UINT Format, TColor Color) {
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, COLORREF(ColorToRGB(Color)));
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  DrawTextA(DC, Text.c_str(), int(Text.size()), &Area, Format);
}

// A memory DC with a font selected, for measuring outside a paint.
class TMeasureDC {
 public:
  explicit TMeasureDC(HFONT Font) : FDC(CreateCompatibleDC(nullptr)) { FOld = SelectObject(FDC, Font); }
  ~TMeasureDC() {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
  }
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  HDC DC() const { return FDC; }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// The printer's DC when a default printer exists, else the screen's.
class TFontDeviceDC {
 public:
  explicit TFontDeviceDC(TVxFontDevice Device) {
    if (Device == TVxFontDevice::fdPrinter) {
      char Entry[512] = {};
      GetProfileStringA("windows", "device", "", Entry, sizeof Entry);
      std::string Name(Entry);
      Name = Name.substr(0, Name.find(','));
      if (!Name.empty()) FDC = CreateDCA(nullptr, Name.c_str(), nullptr, nullptr);
      FOwned = FDC != nullptr;
    }
    if (!FDC) FDC = GetDC(nullptr);
  }
  ~TFontDeviceDC() {
    if (FOwned)
      DeleteDC(FDC);
    else
      ReleaseDC(nullptr, FDC);
  }
  TFontDeviceDC(const TFontDeviceDC&) = delete;
  TFontDeviceDC& operator=(const TFontDeviceDC&) = delete;
  HDC DC() const { return FDC; }

 private:
  HDC FDC = nullptr;
  bool FOwned = false;
};

struct TFamilies {
  TVxFontType Filter;
  std::vector<std::pair<std::string, intptr_t>> Found;
  std::set<std::string> Seen;
};

int CALLBACK AddFamily(const LOGFONTA* Font, const TEXTMETRICA*, DWORD Type, LPARAM Data) {
  auto& F = *reinterpret_cast<TFamilies*>(Data);
  const std::string Name = Font->lfFaceName;
  // Vertical variants ('@') are not families of their own.
  if (Name.empty() || Name[0] == '@' || !F.Seen.insert(Name).second) return 1;
  if (F.Filter == TVxFontType::ftTrueType && !(Type & TRUETYPE_FONTTYPE)) return 1;
  if (F.Filter == TVxFontType::ftFixedPitch && (Font->lfPitchAndFamily & 3) != FIXED_PITCH) return 1;
  F.Found.emplace_back(Name, intptr_t(Type));
  return 1;
}

// The list's bar: a change of its range or position is painted with the list's next paint, which
// draws the scrolled items too, instead of painting the whole list at once for the bar alone.
class TListScrollBar : public TVxScrollBar {
 public:
  using TVxScrollBar::TVxScrollBar;
  void Repaint() override { Invalidate(); }
};

// The mark's pixels that are not the key colour (its bottom-left pixel), read once.
struct TTrueTypeMark {
  Integer Width = 0, Height = 0;
  std::vector<std::pair<TPoint, COLORREF>> Pixels;
};

const TTrueTypeMark& TrueTypeMark() {
  static const TTrueTypeMark Mark = [] {
    TTrueTypeMark M;
    TBitmap Image;
    if (!LoadBitmapResource("VX_LIST_TRUETYPE", Image) || Image.Width() <= 0 || Image.Height() <= 0) return M;
    M.Width = Image.Width();
    M.Height = Image.Height();
    HDC DC = Image.Canvas().Handle();
    const COLORREF Key = GetPixel(DC, 0, M.Height - 1);
    for (Integer Y = 0; Y < M.Height; ++Y)
      for (Integer X = 0; X < M.Width; ++X)
        if (const COLORREF C = GetPixel(DC, X, Y); C != Key) M.Pixels.push_back({TPoint{X, Y}, C});
    return M;
  }();
  return Mark;
}

}  // namespace

const TEnumInfo& VxListBoxStyleNames() {
  static const TEnumInfo Info{ListBoxStyleValueNames};
  return Info;
}

const TEnumInfo& FontDeviceNames() {
  static const TEnumInfo Info{FontDeviceValueNames};
  return Info;
}

const TEnumInfo& FontTypeNames() {
  static const TEnumInfo Info{FontTypeValueNames};
  return Info;
}

// [TUbListBoxItems]

const std::string& TUbListBoxItems::Strings(Integer Index) const {
  return Valid(Index) ? FStrings[size_t(Index)] : EmptyString;
}

intptr_t TUbListBoxItems::Objects(Integer Index) const { return Valid(Index) ? FObjects[size_t(Index)] : 0; }

void TUbListBoxItems::Put(Integer Index, const std::string& S) {
  if (!Valid(Index)) return;
  FStrings[size_t(Index)] = S;
  FOwner->ItemsChanged();
}

void TUbListBoxItems::PutObject(Integer Index, intptr_t Object) {
  if (!Valid(Index)) return;
  FObjects[size_t(Index)] = Object;
  FOwner->ItemsChanged();
}

Integer TUbListBoxItems::SortedPlace(const std::string& S) const {
  return Integer(std::upper_bound(FStrings.begin(), FStrings.end(), S, LessNoCase) - FStrings.begin());
}

void TUbListBoxItems::InsertAt(Integer Index, const std::string& S, intptr_t Object) {
  FStrings.insert(FStrings.begin() + Index, S);
  FObjects.insert(FObjects.begin() + Index, Object);
  FOwner->ItemInserted(Index);
  FOwner->ItemsChanged();
}

Integer TUbListBoxItems::AddObject(const std::string& S, intptr_t Object) {
  const Integer Index = FSorted ? SortedPlace(S) : Count();
  InsertAt(Index, S, Object);
  return Index;
}

void TUbListBoxItems::Insert(Integer Index, const std::string& S) {
  if (Index < 0 || Index > Count()) return;
  InsertAt(FSorted ? SortedPlace(S) : Index, S, 0);
}

void TUbListBoxItems::Delete(Integer Index) {
  if (!Valid(Index)) return;
  FStrings.erase(FStrings.begin() + Index);
  FObjects.erase(FObjects.begin() + Index);
  FOwner->ItemDeleted(Index);
  FOwner->ItemsChanged();
}

void TUbListBoxItems::Exchange(Integer A, Integer B) {
  if (!Valid(A) || !Valid(B) || A == B) return;
  std::swap(FStrings[size_t(A)], FStrings[size_t(B)]);
  std::swap(FObjects[size_t(A)], FObjects[size_t(B)]);
  FOwner->ItemsExchanged(A, B);
  FOwner->ItemsChanged();
}

void TUbListBoxItems::Clear() {
  FStrings.clear();
  FObjects.clear();
  FOwner->ItemsCleared();
  FOwner->ItemsChanged();
}

Integer TUbListBoxItems::IndexOf(const std::string& S) const {
  const auto It = std::find(FStrings.begin(), FStrings.end(), S);
  return It == FStrings.end() ? -1 : Integer(It - FStrings.begin());
}

void TUbListBoxItems::Assign(const std::vector<std::string>& Values) {
  BeginUpdate();
  Clear();
  for (const std::string& S : Values) Add(S);
  EndUpdate();
}

// The per-item flags are reset: a sort forgets nothing else the strings carry.
void TUbListBoxItems::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  if (!FSorted || FStrings.empty()) return;
  std::vector<size_t> Order(FStrings.size());
  std::iota(Order.begin(), Order.end(), size_t(0));
  std::stable_sort(Order.begin(), Order.end(),
                   [this](size_t A, size_t B) { return LessNoCase(FStrings[A], FStrings[B]); });
  std::vector<std::string> Strings;
  std::vector<intptr_t> Objects;
  Strings.reserve(Order.size());
  Objects.reserve(Order.size());
  for (size_t I : Order) {
    Strings.push_back(std::move(FStrings[I]));
    Objects.push_back(FObjects[I]);
  }
  FStrings = std::move(Strings);
  FObjects = std::move(Objects);
  FOwner->ItemsReordered(Order);
  FOwner->ItemsChanged();
}

void TUbListBoxItems::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) FOwner->ItemsChanged();
}

// [TVxListBox]

const TClassInfo& TVxListBox::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxListBox::ListStyle, &TVxListBox::SetListStyle>("ListStyle", VxListBoxStyleNames(),
                                                                      int64_t(TVxListBoxStyle::lbStandard)),
      IntegerProperty<&TVxListBox::ItemHeight, &TVxListBox::SetItemHeight>("ItemHeight", 16),
      IntegerProperty<&TVxListBox::Columns, &TVxListBox::SetColumns>("Columns", 0),
      BooleanProperty<&TVxListBox::MultiSelect, &TVxListBox::SetMultiSelect>("MultiSelect", 0),
      BooleanProperty<&TVxListBox::ShowCheckBoxes, &TVxListBox::SetShowCheckBoxes>("ShowCheckBoxes", 0),
      BooleanProperty<&TVxListBox::AllowGrayed, &TVxListBox::SetAllowGrayed>("AllowGrayed", 0),
      BooleanProperty<&TVxListBox::Flat, &TVxListBox::SetFlat>("Flat", 1),
      BooleanProperty<&TVxListBox::AlwaysShowScrlBar, &TVxListBox::SetAlwaysShowScrlBar>("AlwaysShowScrlBar", 0),
      BooleanProperty<&TVxListBox::WordWrap, &TVxListBox::SetWordWrap>("WordWrap", 0),
      BooleanProperty<&TVxListBox::Sorted, &TVxListBox::SetSorted>("Sorted", 0),
      BooleanProperty<&TVxListBox::DefaultDrawing, &TVxListBox::SetDefaultDrawing>("DefaultDrawing", 1),
      EnumProperty<&TVxListBox::FontDevice, &TVxListBox::SetFontDevice>("FontDevice", FontDeviceNames(),
                                                                        int64_t(TVxFontDevice::fdScreen)),
      EnumProperty<&TVxListBox::FontType, &TVxListBox::SetFontType>("FontType", FontTypeNames(),
                                                                    int64_t(TVxFontType::ftAll)),
      StringProperty<&TVxListBox::ThemeObject, &TVxListBox::SetThemeObject>("ThemeObject"),
      StringsProperty<&TVxListBox::ItemList, &TVxListBox::SetItems>("Items"),
      EnumProperty<&TVxListBox::BevelKind, &TVxListBox::SetBevelKind>("BevelKind", BevelKindNames(),
                                                                      int64_t(TVxBevelKind::kbkSingle)),
      EnumProperty<&TVxListBox::BevelInner, &TVxListBox::SetBevelInner>("BevelInner", BevelCutNames(),
                                                                        int64_t(TVxBevelCut::kbvLowered)),
      EnumProperty<&TVxListBox::BevelOuter, &TVxListBox::SetBevelOuter>("BevelOuter", BevelCutNames(),
                                                                        int64_t(TVxBevelCut::kbvLowered)),
      IntegerProperty<&TVxListBox::BevelWidth, &TVxListBox::SetBevelWidth>("BevelWidth", 1),
      IntegerProperty<&TVxListBox::BorderWidth, &TVxListBox::SetBorderWidth>("BorderWidth", 0),
  };
  static const TClassInfo Info{
      "TVxListBox", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxListBox>};
  return Info;
}

TVxListBox::TVxListBox(TComponent* Owner) : TVxControl(Owner) {
  IncludeStyle(TControlStyleFlag::csCaptureMouse);
  IncludeStyle(TControlStyleFlag::csDoubleClicks);
  SetBevelKind(TVxBevelKind::kbkSingle);
  SetBevelWidth(1);
  SetBorderWidth(0);
  SetColor(clWindow);
  SetParentColor(false);
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  SetTabStop(true);
  FScrollBar = CreateScrollBar();
  FScrollBar->SetOrientation(TVxScrollOrientation::ksoVertical);
  FScrollBar->SetVisible(false);
  FScrollBar->OnScroll = [this](TObject*, int Code, Integer& Pos) { BarScroll(Code, Pos); };
  FScrollBar->OnChange = [this](TObject*) { BarChange(); };
  FScrollBar->SetParent(this);
  SetBounds(Left(), Top(), 121, 97);
  RegisterThemeClient(this);
}

TVxListBox::~TVxListBox() {
  FDestroying = true;
  UnregisterThemeClient(this);
  FScrollBar->OnScroll = nullptr;
  FScrollBar->OnChange = nullptr;
}

TVxScrollBar* TVxListBox::CreateScrollBar() { return new TListScrollBar(this); }

bool TVxListBox::Themed() const { return IsListBoxThemed(0, ThemeObject(), nullptr); }

bool TVxListBox::VariableHeights() const { return FListStyle == TVxListBoxStyle::lbOwnerDrawVariable || FWordWrap; }

bool TVxListBox::Designing() const { return ComponentState().Contains(TComponentStateFlag::csDesigning); }

bool TVxListBox::BarReserved() const { return Designing() || FAlwaysShowScrlBar; }

// [Per-item flags]

void TVxListBox::ItemInserted(Integer Index) {
  FCheckStates.insert(FCheckStates.begin() + Index, Byte(0));
  FItemEnabled.insert(FItemEnabled.begin() + Index, Byte(1));
  FSelected.insert(FSelected.begin() + Index, Byte(0));
}

void TVxListBox::ItemDeleted(Integer Index) {
  if (FSelected[size_t(Index)]) --FSelCount;
  FCheckStates.erase(FCheckStates.begin() + Index);
  FItemEnabled.erase(FItemEnabled.begin() + Index);
  FSelected.erase(FSelected.begin() + Index);
}

void TVxListBox::ItemsExchanged(Integer A, Integer B) {
  std::swap(FCheckStates[size_t(A)], FCheckStates[size_t(B)]);
  std::swap(FItemEnabled[size_t(A)], FItemEnabled[size_t(B)]);
  std::swap(FSelected[size_t(A)], FSelected[size_t(B)]);
}

void TVxListBox::ItemsCleared() {
  FCheckStates.clear();
  FItemEnabled.clear();
  FSelected.clear();
  FSelCount = 0;
  FAnchor = -1;
}

void TVxListBox::ItemsReordered(const std::vector<size_t>& Order) {
  const auto Permute = [&](std::vector<Byte>& V) {
    std::vector<Byte> Out(V.size());
    for (size_t I = 0; I < Order.size(); ++I) Out[I] = V[Order[I]];
    V = std::move(Out);
  };
  Permute(FCheckStates);
  Permute(FItemEnabled);
  Permute(FSelected);
}

void TVxListBox::ItemsChanged() {
  const Integer N = FItems.Count();
  if (N == 0)
    FItemIndex = -1;
  else if (FItemIndex == -1 || FItemIndex >= N)
    FItemIndex = FItemIndex == -1 ? 0 : N - 1;
  if (FAnchor >= N) FAnchor = N - 1;
  if (FItems.Updating() || FDestroying) return;
  UpdateScrollBar();
  Invalidate();
}

Integer TVxListBox::SelCount() const { return FSelCount; }

bool TVxListBox::Selected(Integer Index) const {
  return Index >= 0 && Index < FItems.Count() && FSelected[size_t(Index)] != 0;
}

void TVxListBox::SetSelected(Integer Index, bool Value) {
  if (Index < 0 || Index >= FItems.Count() || bool(FSelected[size_t(Index)]) == Value) return;
  FSelected[size_t(Index)] = Value;
  FSelCount += Value ? 1 : -1;
  Invalidate();
}

Byte TVxListBox::CheckState(Integer Index) const {
  return Index >= 0 && Index < FItems.Count() ? FCheckStates[size_t(Index)] : 0;
}

void TVxListBox::SetCheckState(Integer Index, Byte Value) {
  if (Index < 0 || Index >= FItems.Count()) return;
  FCheckStates[size_t(Index)] = std::min<Byte>(Value, 2);
  Invalidate();
}

bool TVxListBox::ItemEnabled(Integer Index) const {
  return Index >= 0 && Index < FItems.Count() && FItemEnabled[size_t(Index)] != 0;
}

void TVxListBox::SetItemEnabled(Integer Index, bool Value) {
  if (Index < 0 || Index >= FItems.Count()) return;
  FItemEnabled[size_t(Index)] = Value;
  Invalidate();
}

// [Properties]

void TVxListBox::SetListStyle(TVxListBoxStyle Value) {
  if (Value == FListStyle) return;
  FListStyle = Value;
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  switch (Value) {
    case TVxListBoxStyle::lbFonts:
    case TVxListBoxStyle::lbFontSamples:
      FillFonts();
      FItemHeight = ContentItemHeight;
      break;
    case TVxListBoxStyle::lbColors:
    case TVxListBoxStyle::lbColorNames:
      FillColors();
      FItemHeight = ContentItemHeight;
      break;
    default: break;
  }
  UpdateScrollBar();
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

void TVxListBox::FillFonts() {
  TFamilies Families{FFontType, {}, {}};
  {
    TFontDeviceDC Device(FFontDevice);
    LOGFONTA Wanted{};
    Wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(Device.DC(), &Wanted, AddFamily, reinterpret_cast<LPARAM>(&Families), 0);
  }
  std::sort(Families.Found.begin(), Families.Found.end(),
            [](const auto& A, const auto& B) { return LessNoCase(A.first, B.first); });
  FItems.BeginUpdate();
  FItems.Clear();
  for (const auto& [Name, Type] : Families.Found) FItems.AddObject(Name, Type);
  FItems.EndUpdate();
}

void TVxListBox::FillColors() {
  FItems.BeginUpdate();
  FItems.Clear();
  for (const TIdentMapEntry& E : ColorIdents().Entries)
    if (TColor(E.Value) != clNone) FItems.AddObject(E.Name, intptr_t(E.Value));
  FItems.EndUpdate();
}

void TVxListBox::SetFontDevice(TVxFontDevice Value) {
  if (Value == FFontDevice) return;
  FFontDevice = Value;
  if (!ComponentState().Contains(TComponentStateFlag::csLoading) &&
      (FListStyle == TVxListBoxStyle::lbFonts || FListStyle == TVxListBoxStyle::lbFontSamples))
    FillFonts();
}

void TVxListBox::SetFontType(TVxFontType Value) {
  if (Value == FFontType) return;
  FFontType = Value;
  if (!ComponentState().Contains(TComponentStateFlag::csLoading) &&
      (FListStyle == TVxListBoxStyle::lbFonts || FListStyle == TVxListBoxStyle::lbFontSamples))
    FillFonts();
}

// A height below 1 would stop the layout from advancing.
void TVxListBox::SetItemHeight(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == FItemHeight) return;
  FItemHeight = Value;
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  UpdateScrollBar();
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

void TVxListBox::SetColumns(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Value == FColumns) return;
  FColumns = Value;
  FScrollBar->SetPosition(0);
  UpdateScrollBar();
  Invalidate();
}

void TVxListBox::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  if (FAnchor == -1) FAnchor = FItemIndex;
  UpdateSelection();
}

void TVxListBox::SetShowCheckBoxes(bool Value) {
  FShowCheckBoxes = Value;
  UpdateScrollBar();
  Invalidate();
}

void TVxListBox::SetAllowGrayed(bool Value) {
  FAllowGrayed = Value;
  if (!Value)
    for (Byte& S : FCheckStates)
      if (S == 2) S = 1;
  Invalidate();
}

void TVxListBox::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TVxListBox::SetAlwaysShowScrlBar(bool Value) {
  FAlwaysShowScrlBar = Value;
  UpdateScrollBar();
  Invalidate();
}

void TVxListBox::SetWordWrap(bool Value) {
  FWordWrap = Value;
  UpdateScrollBar();
  Invalidate();
}

void TVxListBox::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  Invalidate();
}

void TVxListBox::Loaded() {
  TVxControl::Loaded();
  // The file keeps the strings but not what a content style fills in beside them.
  const TVxListBoxStyle Style = FListStyle;
  if (Style >= TVxListBoxStyle::lbFonts) {
    FListStyle = TVxListBoxStyle::lbStandard;
    SetListStyle(Style);
  }
  UpdateScrollBar();
}

// [Geometry]

void TVxListBox::SnapHeight(Integer& AHeight) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading) || FWordWrap ||
      FListStyle == TVxListBoxStyle::lbOwnerDrawVariable || FItemHeight <= 0 || !HandleAllocated())
    return;
  if (Align() != TAlign::alNone && Align() != TAlign::alTop && Align() != TAlign::alBottom) return;
  const TRect Inner = GetInnerRect();
  const Integer Frame = CachedHeight() - Inner.Height();
  if (CachedHeight() <= 0 || AHeight <= Frame) return;
  AHeight = Frame + (AHeight - Frame) / FItemHeight * FItemHeight;
}

void TVxListBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  SnapHeight(AHeight);
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FScrollBar) UpdateScrollBar();
}

void TVxListBox::BorderChanged() {
  TVxControl::BorderChanged();
  if (FScrollBar) UpdateScrollBar();
}

Integer TVxListBox::RowsPerColumn() {
  const TRect Inner = GetInnerRect();
  Integer Height = Inner.Height();
  if (FScrollShown || BarReserved()) Height -= FScrollBar->ArrowSize() + 2 * FScrollBar->BorderWidth();
  return std::max<Integer>(Height / FItemHeight, 1);
}

Integer TVxListBox::ItemWidth() {
  const TRect Inner = GetInnerRect();
  Integer W = Inner.Width();
  if (FColumns > 0)
    W /= FColumns;
  else if (FScrollShown || BarReserved())
    W -= FScrollBar->Width();
  if (FShowCheckBoxes) W -= GetCheckAreaWidth();
  return std::max<Integer>(W, 0);
}

Integer TVxListBox::MeasureItem(Integer Index) {
  if (OnMeasureItem) return std::max<Integer>(MeasureItemEvent(Index), 1);
  if (FWordWrap) {
    TMeasureDC Measure(Font()->Handle());
    const std::string& Text = FItems.Strings(Index);
    RECT R{0, 0, std::max<Integer>(ItemWidth() - 2, 1), 0};
    DrawTextA(Measure.DC(), Text.empty() ? " " : Text.c_str(), Text.empty() ? 1 : int(Text.size()), &R,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return std::max<Integer>(R.bottom - R.top, 1);
  }
  return FItemHeight;
}

Integer TVxListBox::MeasureItemEvent(Integer Index) {
  if (!OnMeasureItem) return -1;
  Integer H = FItemHeight;
  OnMeasureItem(this, Index, H);
  return H;
}

void TVxListBox::WalkShown(const std::function<bool(Integer, const TRect&, const TRect&)>& Visit) {
  const Integer N = FItems.Count();
  if (N == 0) return;
  const TRect Inner = GetInnerRect();
  const Integer Check = FShowCheckBoxes ? GetCheckAreaWidth() : 0;
  const TSize Box = GetCheckSize();
  const Integer W = ItemWidth();
  const auto Lay = [&](Integer I, Integer X, Integer Y, Integer H) {
    TRect CheckRect;
    if (FShowCheckBoxes) {
      const Integer L = X + (Check - Box.cx) / 2, T = Y + (H - Box.cy) / 2;
      CheckRect = Rect(L, T, L + Box.cx, T + Box.cy);
    }
    return Visit(I, Rect(X + Check, Y, X + Check + W, Y + H), CheckRect);
  };
  const Integer Top = TopIndex();
  if (FColumns <= 0) {
    Integer Y = Inner.Top;
    for (Integer I = Top; I < N && Y < Inner.Bottom; ++I) {
      const Integer H = MeasureItem(I);
      if (!Lay(I, Inner.Left, Y, H)) return;
      Y += H;
    }
    return;
  }
  const Integer Rows = RowsPerColumn(), ColumnWidth = Inner.Width() / FColumns;
  for (Integer C = 0; C < FColumns; ++C) {
    const int64_t First = int64_t(Top + C) * Rows;
    for (int64_t I = First; I < std::min<int64_t>(N, First + Rows); ++I)
      if (!Lay(Integer(I), Inner.Left + C * ColumnWidth, Inner.Top + Integer(I - First) * FItemHeight, FItemHeight))
        return;
  }
}

Integer TVxListBox::GetItemTop(Integer Index) {
  if (Index < FFirstShown) return -1;
  Integer Result = -1;
  WalkShown([&](Integer I, const TRect& R, const TRect&) {
    if (I != Index) return true;
    Result = R.Top;
    return false;
  });
  if (Result >= 0 || FColumns > 0) return Result;
  // Below the shown items: the heights sum on past the bottom.
  Integer Y = GetInnerRect().Top;
  for (Integer I = TopIndex(); I < Index; ++I) Y += MeasureItem(I);
  return Y;
}

void TVxListBox::GetItemRect(Integer Index, TRect& R) {
  R = Rect(0, 0, 0, 0);
  WalkShown([&](Integer I, const TRect& Item, const TRect&) {
    if (I != Index) return true;
    R = Item;
    return false;
  });
}

Integer TVxListBox::ItemAtPos(Integer X, Integer Y) {
  Integer Result = -1;
  WalkShown([&](Integer I, const TRect& R, const TRect&) {
    if (!ItemHitTest(X, Y, R, I)) return true;
    Result = I;
    return false;
  });
  return Result;
}

bool TVxListBox::ItemHitTest(Integer X, Integer Y, const TRect& R, Integer) {
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

bool TVxListBox::CheckHitTest(Integer X, Integer Y, const TRect& R, Integer) {
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

// [Scrolling]

Integer TVxListBox::MaxTop() {
  const Integer Max = FScrollBar->Max(), Page = FScrollBar->PageSize();
  return std::max<Integer>(Page > 0 ? Max - Page + 1 : Max, 0);
}

Integer TVxListBox::TopIndex() const { return FScrollBar->Position(); }

void TVxListBox::SetTopIndex(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, MaxTop());
  if (Value != FScrollBar->Position())
    FScrollBar->SetPosition(Value);
  else
    BarChange();
}

void TVxListBox::BarScroll(int, Integer& Pos) { Pos = std::clamp<Integer>(Pos, 0, MaxTop()); }

void TVxListBox::BarChange() {
  // UpdateScrollBar lays the list out once it has set the bar.
  if (FUpdatingBar) return;
  ComputeShown();
  if (FMouseDown && FAutoDirection != 0 && FItems.Count() > 0) {
    FAnchor = FAnchor == -1 ? FItemIndex : FAnchor;
    FItemIndex = FAutoDirection < 0 ? FFirstShown : FLastShown;
    UpdateSelection();
  }
  HitTest();
  Invalidate();
}

void TVxListBox::UpdateScrollBar() {
  if (!FScrollBar || FDestroying) return;
  const TRect Inner = GetInnerRect();
  const Integer N = FItems.Count();
  const Integer Thickness = FScrollBar->ArrowSize() + 2 * FScrollBar->BorderWidth();
  Integer Max = 0, Page = 0;
  FUpdatingBar = true;
  if (FColumns <= 0) {
    FScrollBar->SetOrientation(TVxScrollOrientation::ksoVertical);
    FScrollBar->SetBounds(Inner.Right - Thickness, Inner.Top, Thickness, std::max<Integer>(Inner.Height(), 0));
    if (VariableHeights()) {
      // The first index from which the last items still fill the list.
      Integer Filled = 0;
      Max = N;
      while (Max > 0 && Filled < Inner.Height()) Filled += MeasureItem(--Max);
      if (Filled > Inner.Height() && Max < N - 1) ++Max;
    } else {
      Max = std::max<Integer>(N - 1, 0);
      Page = N > 0 ? Inner.Height() / std::max<Integer>(MeasureItem(0), 1) : 0;
    }
  } else {
    FScrollBar->SetOrientation(TVxScrollOrientation::ksoHorizontal);
    FScrollBar->SetBounds(Inner.Left, Inner.Bottom - Thickness, std::max<Integer>(Inner.Width(), 0), Thickness);
    // The bar takes room from the rows only once it is needed.
    FScrollShown = BarReserved();
    Integer Columns = (N + RowsPerColumn() - 1) / RowsPerColumn();
    if (!FScrollShown && Columns > FColumns) {
      FScrollShown = true;
      Columns = (N + RowsPerColumn() - 1) / RowsPerColumn();
    }
    Max = std::max<Integer>(Columns - 1, 0);
    Page = FColumns;
  }
  FScrollBar->SetMin(0);
  FScrollBar->SetMax(Max);
  FScrollBar->SetPageSize(std::min<Integer>(Page, Max + 1));
  FScrollBar->SetLargeChange(std::max<Integer>(Page - 1, 1));
  const bool Needed = Page < Max + 1 && Max != 0;
  FScrollShown = Needed;
  FScrollBar->SetVisible(Designing() || FAlwaysShowScrlBar || Needed);
  FScrollBar->SetEnabled(Needed);
  if (FScrollBar->Position() > MaxTop()) FScrollBar->SetPosition(MaxTop());
  FUpdatingBar = false;
  ComputeShown();
}

void TVxListBox::ComputeShown() {
  FFirstShown = TopIndex() * (FColumns > 0 ? RowsPerColumn() : 1);
  FLastShown = -1;
  const TRect Inner = GetInnerRect();
  WalkShown([&](Integer I, const TRect& R, const TRect&) {
    if (R.Bottom <= Inner.Bottom || FLastShown < 0) FLastShown = I;
    return R.Bottom <= Inner.Bottom || FColumns > 0;
  });
  if (FItems.Count() == 0) FFirstShown = 0;
}

// Straight to the position that shows the item, however far it is.
void TVxListBox::ScrollIntoView(Integer Index) {
  if (Index < 0 || Index >= FItems.Count()) return;
  ComputeShown();
  if (Index >= FFirstShown && Index <= FLastShown) return;
  if (FColumns > 0) {
    const Integer Column = Index / RowsPerColumn(), Top = TopIndex();
    SetTopIndex(Column < Top ? Column : Column - FColumns + 1);
    return;
  }
  if (Index < FFirstShown) return SetTopIndex(Index);
  const Integer Height = GetInnerRect().Height();
  Integer Top = Index, Filled = MeasureItem(Index);
  while (Top > 0) {
    const Integer H = MeasureItem(Top - 1);
    if (Filled + H > Height) break;
    Filled += H;
    --Top;
  }
  SetTopIndex(Top);
}

// [Selection]

void TVxListBox::SetItemIndex(Integer Value) {
  const Integer N = FItems.Count();
  if (N == 0) {
    FItemIndex = -1;
    return;
  }
  if (Value == FItemIndex) {
    if (FAnchor == -1) FAnchor = Value;
    UpdateSelection();
    return;
  }
  if (Value < -1) Value = 0;
  Value = std::min<Integer>(Value, N - 1);
  FItemIndex = Value;
  if (!FMultiSelect) FAnchor = Value;
  ScrollIntoView(Value);
  UpdateSelection();
  UpdateScrollBar();
  Invalidate();
}

void TVxListBox::UpdateSelection() {
  if (FAnchor == -1) return;
  const Integer N = FItems.Count();
  std::fill(FSelected.begin(), FSelected.end(), Byte(0));
  FSelCount = 0;
  if (FItemIndex >= 0 && FItemIndex < N) {
    const Integer From = FMultiSelect ? std::min(std::min(FAnchor, N - 1), FItemIndex) : FItemIndex;
    const Integer To = FMultiSelect ? std::max(std::min(FAnchor, N - 1), FItemIndex) : FItemIndex;
    std::fill(FSelected.begin() + From, FSelected.begin() + To + 1, Byte(1));
    FSelCount = To - From + 1;
  }
  Invalidate();
}

void TVxListBox::ToggleCheck(Integer Index) {
  if (!ItemEnabled(Index)) return;
  Byte& S = FCheckStates[size_t(Index)];
  S = S == 0 ? 1 : S == 1 && FAllowGrayed ? 2 : 0;
  Invalidate();
}

// [Input]

bool TVxListBox::HitTest() {
  Integer Item = -1, Check = -1;
  if (FMouseX >= 0 && FMouseY >= 0)
    WalkShown([&](Integer I, const TRect& R, const TRect& CheckRect) {
      if (FShowCheckBoxes && CheckHitTest(FMouseX, FMouseY, CheckRect, I)) {
        Check = I;
        return false;
      }
      if (ItemHitTest(FMouseX, FMouseY, R, I)) {
        Item = I;
        return false;
      }
      return true;
    });
  const bool Changed = Item != FHotItem || Check != FHotCheck;
  FHotItem = Item;
  FHotCheck = Check;
  return Changed;
}

void TVxListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (!Shift.Contains(TShiftStateFlag::ssDouble) && CanFocus() && !Focused()) SetFocus();
  FMouseDown = true;
  FMouseX = X;
  FMouseY = Y;
  HitTest();
  const Integer Item = FHotCheck >= 0 ? FHotCheck : FHotItem;
  if (Item < 0) return;
  const bool Toggle = FMultiSelect && Shift.Contains(TShiftStateFlag::ssCtrl);
  // A Ctrl press keeps the other selected items: no range is rebuilt on the way.
  if (Toggle) FAnchor = -1;
  SetItemIndex(Item);
  if (FHotCheck >= 0) ToggleCheck(FHotCheck);
  if (Toggle) {
    SetSelected(Item, !Selected(Item));
    return;
  }
  if (!Shift.Contains(TShiftStateFlag::ssShift) || FAnchor == -1) FAnchor = FItemIndex;
  UpdateSelection();
}

void TVxListBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  FMouseX = X;
  FMouseY = Y;
  if (HitTest()) Invalidate();
  if (!FMouseDown) return;
  const TRect Inner = GetInnerRect();
  const Integer Along = FColumns > 0 ? X : Y;
  const Integer Start = FColumns > 0 ? Inner.Left : Inner.Top, End = FColumns > 0 ? Inner.Right : Inner.Bottom;
  FAutoDirection = Along < Start ? -1 : Along >= End ? 1 : 0;
  if (FAutoDirection < 0) return FScrollBar->SetAutoBackward(true);
  if (FAutoDirection > 0) return FScrollBar->SetAutoForward(true);
  FScrollBar->SetAutoBackward(false);
  FScrollBar->SetAutoForward(false);
  if (FHotItem < 0) return;
  if (Shift.Contains(TShiftStateFlag::ssCtrl)) {
    if (FMultiSelect) SetSelected(FHotItem, true);
    return;
  }
  if (FHotItem != FItemIndex) {
    if (FAnchor == -1) FAnchor = FItemIndex;
    SetItemIndex(FHotItem);
  }
}

void TVxListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == TMouseButton::mbLeft) {
    FMouseDown = false;
    FAutoDirection = 0;
    FScrollBar->SetAutoBackward(false);
    FScrollBar->SetAutoForward(false);
  }
  TVxControl::MouseUp(Button, Shift, X, Y);
}

void TVxListBox::MouseLeave() {
  TVxControl::MouseLeave();
  FMouseX = FMouseY = -1;
  const bool WasHot = FHotItem >= 0 || FHotCheck >= 0;
  FHotItem = FHotCheck = -1;
  if (WasHot) Invalidate();
}

bool TVxListBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) {
  if (TVxControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  UINT Lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  if (Lines == 0) Lines = 1;
  // A whole page per notch, and no division by a zero step for many lines.
  const Integer Page = std::max<Integer>(FLastShown - FFirstShown + 1, 1);
  const int64_t Step = Lines == WHEEL_PAGESCROLL ? int64_t(WheelDelta) * Page / 120
                                                 : int64_t(WheelDelta) * std::min<UINT>(Lines, 32767) / 120;
  SetTopIndex(Integer(std::clamp<int64_t>(int64_t(TopIndex()) - Step, 0, MaxTop())));
  return true;
}

bool TVxListBox::WantsKey(uint16_t Key) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || TVxControl::WantsKey(Key);
}

void TVxListBox::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  const Integer N = FItems.Count();
  if (Key == 0 || N == 0) return;
  if (Key == VK_RETURN || Key == VK_SPACE) {
    if (FShowCheckBoxes && FItemIndex >= 0) ToggleCheck(FItemIndex);
    return;
  }
  const Integer Old = FItemIndex;
  // A page is the shown items less one, however the items are measured or flowed.
  const Integer Shown =
      FColumns <= 0 && FScrollBar->PageSize() > 0 ? FScrollBar->PageSize() : FLastShown - FFirstShown + 1;
  const Integer Page = std::max<Integer>(Shown - 1, 1);
  Integer Index = Old;
  switch (Key) {
    case VK_PRIOR: Index = Old - Page; break;
    case VK_NEXT: Index = Old + Page; break;
    case VK_HOME: Index = 0; break;
    case VK_END: Index = N - 1; break;
    case VK_LEFT:
    case VK_UP:
      if (Old > 0) Index = Old - 1;
      break;
    case VK_RIGHT:
    case VK_DOWN: Index = Old + 1; break;
    default: return;
  }
  Index = std::clamp<Integer>(Index, 0, N - 1);
  // A range extends from the anchor; without one (after Ctrl) from where the focus was.
  if (!Shift.Contains(TShiftStateFlag::ssShift) || !FMultiSelect)
    FAnchor = Index;
  else if (FAnchor == -1)
    FAnchor = std::max<Integer>(Old, 0);
  SetItemIndex(Index);
  // Also when the focus stays (Home on the first item) but the list was scrolled away from it.
  ScrollIntoView(FItemIndex);
  UpdateSelection();
  Key = 0;
  if (FClickOnKey && FItemIndex != Old) Click();
}

void TVxListBox::FocusEnter() {
  TVxControl::FocusEnter();
  UpdateSelection();
  Invalidate();
}

void TVxListBox::FocusExit() {
  TVxControl::FocusExit();
  FMouseDown = false;
  UpdateSelection();
  Invalidate();
}

void TVxListBox::ThemeChanged(uintptr_t Code) {
  TVxControl::ThemeChanged(Code);
  if (ThemeChangeRepaints(Code)) UpdateScrollBar();
}

// [Painting]

Byte TVxListBox::ItemState(Integer Index) {
  if (!Enabled()) return StateDisabled;
  if (Selected(Index)) return StateSelected;
  if (Index == FItemIndex && HasFocus() && !FMultiSelect) return StateFocused;
  if (Index == FHotItem) return StateHot;
  return StateNormal;
}

void TVxListBox::PaintBackground() { FillColor(Canvas()->Handle(), GetInnerRect(), Color()); }

void TVxListBox::PaintClient() {
  TCanvas& C = *Canvas();
  TvxTheme* Theme = Themed() ? this->Theme() : nullptr;
  if (Theme)
    Theme->DrawListBox(0, C, ThemeObject(), Rect(0, 0, CachedWidth(), CachedHeight()));
  else
    PaintBackground();
  const int Saved = C.SaveState();
  C.IntersectClip(GetInnerRect());
  PaintItems();
  C.RestoreState(Saved);
}

void TVxListBox::PaintItems() {
  TCanvas& C = *Canvas();
  WalkShown([&](Integer I, const TRect& R, const TRect& CheckRect) {
    C.Font().Assign(PaintFont());
    if (FShowCheckBoxes) DrawCheck(I, CheckRect);
    DrawItem(C, I, R);
    return !FDestroying;
  });
}

void TVxListBox::DrawDefaultBackground(TCanvas& Canvas, Integer Index, const TRect& R) {
  const Byte State = ItemState(Index);
  if (TvxTheme* Theme = Themed() ? this->Theme() : nullptr) {
    TvxStateInfo Info;
    Info.Rect = R;
    Info.State = State;
    Theme->DrawListBoxItem(0, Canvas, ThemeObject(), Info);
    Theme->GetFont(Canvas.Font(), ItemFonts + State, ThemeObject());
    return;
  }
  HDC DC = Canvas.Handle();
  if (State == StateDisabled) Canvas.Font().SetColor(clGrayText);
  if (Selected(Index)) {
    FillColor(DC, R, clHighlight);
    Canvas.Font().SetColor(clHighlightText);
  } else if (Index == FHotItem) {
    Canvas.Font().SetColor(clHighlight);
  }
  if (Index == FItemIndex && HasFocus() && !FMultiSelect) {
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    SetTextColor(DC, RGB(0, 0, 0));
    SetBkColor(DC, RGB(255, 255, 255));
    DrawFocusRect(DC, &Area);
  }
}

void TVxListBox::DrawItem(TCanvas& Canvas, Integer Index, TRect R) {
  const TRect Full = R;
  R.Left += 2;
  const bool OwnerDraw =
      FListStyle == TVxListBoxStyle::lbOwnerDrawFixed || FListStyle == TVxListBoxStyle::lbOwnerDrawVariable;
  if (OwnerDraw && OnDrawItem) {
    uint32_t State = Selected(Index) ? vxodSelected : Index == FHotItem ? vxodHot : 0;
    if (Index == FItemIndex && HasFocus()) State |= vxodFocused;
    if (FDefaultDrawing) DrawDefaultBackground(Canvas, Index, Full);
    DrawItemEvent(Index, R, State);
    return;
  }
  DrawDefaultBackground(Canvas, Index, Full);
  if (FListStyle >= TVxListBoxStyle::lbFonts) return DrawContent(Canvas, Index, R);
  const std::string& Text = FItems.Strings(Index);
  HDC DC = (Canvas.RequireObjects(), Canvas.Handle());
  if (Text == "-") {
    HPEN Pen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(Canvas.Font().Color())));
    HGDIOBJ Old = SelectObject(DC, Pen);
    const Integer Y = R.Top + R.Height() / 2;
    MoveToEx(DC, R.Left + 3, Y, nullptr);
    LineTo(DC, R.Right - 3, Y);
    SelectObject(DC, Old);
    DeleteObject(Pen);
    return;
  }
  DrawTextIn(DC, Text, R, FWordWrap ? DT_WORDBREAK | DT_NOPREFIX : DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
             Canvas.Font().Color());
}

void TVxListBox::DrawContent(TCanvas& Canvas, Integer Index, const TRect& R) {
  const std::string& Text = FItems.Strings(Index);
  HDC DC = (Canvas.RequireObjects(), Canvas.Handle());
  const UINT Format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  switch (FListStyle) {
    case TVxListBoxStyle::lbFonts:
    case TVxListBoxStyle::lbFontSamples: {
      if (FItems.Objects(Index) & TRUETYPE_FONTTYPE) {
        const TTrueTypeMark& Mark = TrueTypeMark();
        const Integer X = R.Left + (18 - Mark.Width) / 2, Y = R.Top + (R.Height() - Mark.Height) / 2;
        for (const auto& [P, Color] : Mark.Pixels) SetPixelV(DC, X + P.X, Y + P.Y, Color);
      }
      const TRect TextRect = Rect(R.Left + 22, R.Top, R.Right, R.Bottom);
      if (FListStyle == TVxListBoxStyle::lbFonts) return DrawTextIn(DC, Text, TextRect, Format, Canvas.Font().Color());
      LOGFONTA Sample{};
      Sample.lfHeight = Canvas.Font().Height();
      Sample.lfCharSet = DEFAULT_CHARSET;
      lstrcpynA(Sample.lfFaceName, Text.c_str(), LF_FACESIZE);
      HFONT Font = CreateFontIndirectA(&Sample);
      HGDIOBJ Old = SelectObject(DC, Font);
      DrawTextIn(DC, Text, TextRect, Format, Canvas.Font().Color());
      SelectObject(DC, Old);
      DeleteObject(Font);
      return;
    }
    case TVxListBoxStyle::lbColors: {
      const TRect Swatch = Rect(R.Left + 4, R.Top + 4, R.Right - 4, R.Bottom - 4);
      FillColor(DC, Swatch, StringToColor(Text).value_or(clBlack));
      FrameColor(DC, Swatch, clBlack);
      return;
    }
    case TVxListBoxStyle::lbColorNames: {
      const Integer T = R.Top + (R.Height() - 14) / 2;
      const TRect Swatch = Rect(R.Left, T, R.Left + 20, T + 14);
      FillColor(DC, Swatch, StringToColor(Text).value_or(clBlack));
      FrameColor(DC, Swatch, clBlack);
      const std::string Shown =
          Text.find("cl") != std::string::npos ? Text.substr(std::min<size_t>(2, Text.size())) : Text;
      DrawTextIn(DC, Shown, Rect(R.Left + 24, R.Top, R.Right, R.Bottom), Format, Canvas.Font().Color());
      return;
    }
    default: return;
  }
}

void TVxListBox::DrawItemEvent(Integer Index, const TRect& R, uint32_t State) {
  if (OnDrawItem && !FDestroying) OnDrawItem(this, Index, R, State);
}

void TVxListBox::DrawCheck(Integer Index, const TRect& R) {
  const Byte State = CheckState(Index);
  HDC DC = Canvas()->Handle();
  if (TvxTheme* Theme = Themed() ? this->Theme() : nullptr) {
    TvxCheckGlyphInfo Glyph;
    Glyph.Rect = R;
    Glyph.CheckState = State == 1 ? 0 : State == 2 ? 2 : 1;
    Theme->DrawListBoxCheck(0, *Canvas(), ThemeObject(), Glyph, TvxStateInfo{});
    return;
  }
  // An item that cannot be checked shows its box inactive.
  const bool Enabled = ItemEnabled(Index) && this->Enabled();
  RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  UINT Flags = DFCS_BUTTONCHECK;
  if (State != 0) Flags |= DFCS_CHECKED;
  if (State == 2) Flags |= DFCS_BUTTON3STATE;
  if (!Enabled) Flags |= DFCS_INACTIVE;
  if (!FFlat || (FHotCheck == Index && Enabled)) {
    DrawFrameControl(DC, &Area, DFC_BUTTON, Flags);
    return;
  }
  if (State != 0) {
    DrawFrameControl(DC, &Area, DFC_BUTTON, Flags | DFCS_FLAT);
    FrameColor(DC, R, clWindow);
  }
  FrameColor(DC, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), clBtnShadow);
}
