#include "vexel/controls/vx_statusbar.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/graphics/gdi_handles.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/forms.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_imagelist.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"
#include "vexel/theme/vx_theme_tables.h"

// [SECTION] names
// [SECTION] panel
// [SECTION] panel collection
// [SECTION] status bar: properties, layout, painting, input, hosted controls

namespace {

constexpr const char* GliphLayoutValueNames[] = {"sglGlyphLeft", "sglGlyphRight"};
constexpr const char* PanelStyleValueNames[] = {"psText", "psOwnerDraw"};
// Status panels widen centred text by this much.
constexpr Integer CentredTextExtra = 10;
// Part bytes of the theme's status-panel drawing.
constexpr Byte PanelPart = 0, GripPart = 3;

TVxSkinnedFormQuery SkinnedFormQuery = nullptr;

}  // namespace

const TEnumInfo& StatusGliphLayoutNames() {
  static const TEnumInfo Info{GliphLayoutValueNames};
  return Info;
}

const TEnumInfo& StatusPanelStyleNames() {
  static const TEnumInfo Info{PanelStyleValueNames};
  return Info;
}

void SetSkinnedFormQuery(TVxSkinnedFormQuery Query) { SkinnedFormQuery = Query; }

// [SECTION] panel ---------------------------------------------------------------------------------

TVxStatusPanel::TVxStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

TVxStatusPanel::~TVxStatusPanel() {
  TControl* Control = FControl;
  FControl = nullptr;
  TVxStatusBar* Bar = StatusBar();
  if (!Control || !Bar) return;
  Control->RemoveFreeNotification(Bar);
  // Out of its panel, the control shows above the bar's painting again.
  if (auto* Win = dynamic_cast<TWinControl*>(Control); Win && Win->HandleAllocated()) Win->BringToFront();
}

const TClassInfo& TVxStatusPanel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxStatusPanel::Alignment, &TVxStatusPanel::SetAlignment>("Alignment", AlignmentNames(),
                                                                              int64_t(TAlignment::taLeftJustify)),
      IntegerProperty<&TVxStatusPanel::ImageIndex, &TVxStatusPanel::SetImageIndex>("ImageIndex", -1),
      BooleanProperty<&TVxStatusPanel::Framed, &TVxStatusPanel::SetFramed>("Framed", 1),
      ComponentProperty<&TVxStatusPanel::Control, &TVxStatusPanel::SetControl>("Control"),
      EnumProperty<&TVxStatusPanel::Layout, &TVxStatusPanel::SetLayout>("Layout", StatusGliphLayoutNames(),
                                                                        int64_t(TVxStatusGliphLayout::sglGlyphLeft)),
      IntegerProperty<&TVxStatusPanel::Margin, &TVxStatusPanel::SetMargin>("Margin", 2),
      IntegerProperty<&TVxStatusPanel::MaxWidth, &TVxStatusPanel::SetMaxWidth>("MaxWidth", 10000),
      IntegerProperty<&TVxStatusPanel::Spacing, &TVxStatusPanel::SetSpacing>("Spacing", 4),
      IntegerProperty<&TVxStatusPanel::ViewPriority, &TVxStatusPanel::SetViewPriority>("ViewPriority", 100),
      IntegerProperty<&TVxStatusPanel::StretchPriority, &TVxStatusPanel::SetStretchPriority>("StretchPriority", 0),
      EnumProperty<&TVxStatusPanel::Style, &TVxStatusPanel::SetStyle>("Style", StatusPanelStyleNames(),
                                                                      int64_t(TVxStatusPanelstyle::psText)),
      BooleanProperty<&TVxStatusPanel::ShowImage, &TVxStatusPanel::SetShowImage>("ShowImage", 1),
      StringProperty<&TVxStatusPanel::AnsiText, &TVxStatusPanel::SetAnsiText>("Text"),
      IntegerProperty<&TVxStatusPanel::Width, &TVxStatusPanel::SetWidth>("Width", 50),
  };
  static const TClassInfo Info{"TVxStatusPanel", &TCollectionItem::StaticClassInfo(), Properties};
  return Info;
}

TVxStatusBar* TVxStatusPanel::StatusBar() const {
  auto* Panels = dynamic_cast<TVxStatusPanels*>(Collection());
  return Panels ? Panels->Bar() : nullptr;
}

void TVxStatusPanel::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TVxStatusPanel*>(Source);
  if (!Other) return TCollectionItem::Assign(Source);
  FAlignment = Other->FAlignment;
  FImageIndex = Other->FImageIndex;
  FFramed = Other->FFramed;
  FLayout = Other->FLayout;
  FMargin = Other->FMargin;
  FMaxWidth = Other->FMaxWidth;
  FSpacing = Other->FSpacing;
  FViewPriority = Other->FViewPriority;
  FStretchPriority = Other->FStretchPriority;
  FStyle = Other->FStyle;
  FShowImage = Other->FShowImage;
  FText = Other->FText;
  FWidth = Other->FWidth;
  TControl* Found = nullptr;
  TVxStatusBar* Bar = StatusBar();
  if (Other->FControl && Bar && Bar->Owner())
    Found = dynamic_cast<TControl*>(Bar->Owner()->FindComponent(Other->FControl->Name()));
  SetControl(Found);
  Changed(true);
}

void TVxStatusPanel::AssignPanel(const TStatusPanel& Source) {
  FText = AnsiToWideCP(CP_ACP, Source.Text);
  FWidth = std::clamp<Integer>(Source.Width, 0, FMaxWidth);
  Changed(true);
}

std::string TVxStatusPanel::DisplayName() const {
  if (!FText.empty()) return AnsiText();
  if (FControl) return "[ " + FControl->Name() + " ]";
  return TCollectionItem::DisplayName();
}

void TVxStatusPanel::Changed(bool Layout) {
  if (TVxStatusBar* Bar = StatusBar(); Bar && Layout) Bar->UpdateLayout();
  TCollectionItem::Changed();
}

void TVxStatusPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed(false);
}

void TVxStatusPanel::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  Changed(false);
}

void TVxStatusPanel::SetFramed(bool Value) {
  FFramed = Value;
  // The control's place follows the frame.
  Changed(true);
}

void TVxStatusPanel::SetControl(TControl* Value) {
  if (Value == FControl) return;
  TVxStatusBar* Bar = StatusBar();
  if (Value && Bar)
    for (TControl* P = Bar; P; P = P->Parent())
      if (P == Value) throw EInvalidOperation("Can't insert own parent");
  if (Value && Bar)
    if (TVxStatusPanel* Holder = Bar->PanelOfControl(Value)) Holder->FControl = nullptr;
  TControl* Old = FControl;
  FControl = Value;
  if (Bar) {
    if (Old) Old->RemoveFreeNotification(Bar);
    if (Value) {
      Value->FreeNotification(Bar);
      if (Value->Parent() != Bar && !Bar->Loading()) {
        TControl* Saved = Bar->FAdopting;
        Bar->FAdopting = Value;
        Value->SetParent(Bar);
        Bar->FAdopting = Saved;
      }
    }
  }
  Changed(true);
}

void TVxStatusPanel::SetLayout(TVxStatusGliphLayout Value) {
  FLayout = Value;
  Changed(false);
}

void TVxStatusPanel::SetMargin(Integer Value) {
  FMargin = Value;
  Changed(false);
}

void TVxStatusPanel::SetMaxWidth(Integer Value) {
  FMaxWidth = std::max<Integer>(Value, 0);
  FWidth = std::min(FWidth, FMaxWidth);
  Changed(true);
}

void TVxStatusPanel::SetSpacing(Integer Value) {
  FSpacing = Value;
  Changed(false);
}

void TVxStatusPanel::SetViewPriority(Integer Value) {
  FViewPriority = std::max<Integer>(Value, 0);
  Changed(true);
}

void TVxStatusPanel::SetStretchPriority(Integer Value) {
  FStretchPriority = std::max<Integer>(Value, 0);
  Changed(true);
}

void TVxStatusPanel::SetStyle(TVxStatusPanelstyle Value) {
  FStyle = Value;
  Changed(false);
}

void TVxStatusPanel::SetShowImage(bool Value) {
  FShowImage = Value;
  Changed(false);
}

void TVxStatusPanel::SetText(const std::wstring& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed(false);
}

void TVxStatusPanel::SetAnsiText(const std::string& Value) { SetText(AnsiToWideCP(CP_ACP, Value)); }

void TVxStatusPanel::SetWidth(Integer Value) {
  FWidth = std::clamp<Integer>(Value, 0, FMaxWidth);
  Changed(true);
}

// [SECTION] panel collection ----------------------------------------------------------------------

TVxStatusPanels::TVxStatusPanels(TVxStatusBar* Bar) : TCollection(Bar, &TVxStatusBar::NewPanel), FBar(Bar) {}

const TClassInfo& TVxStatusPanels::StaticClassInfo() {
  static const TClassInfo Info{"TVxStatusPanels", &TCollection::StaticClassInfo(), {}};
  return Info;
}

void TVxStatusPanels::Update(TCollectionItem* Item) {
  if (!FBar) return;
  if (!Item) {
    // Panels came or went: the remembered press names another panel now.
    FBar->FPressedPanel = -1;
    FBar->UpdateLayout();
  }
  FBar->Invalidate();
}

// [SECTION] status bar ----------------------------------------------------------------------------

const TClassInfo& TVxStatusBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      ClassProperty<&TVxStatusBar::Panels>("Panels"),
      ComponentProperty<&TVxStatusBar::Images, &TVxStatusBar::SetImages>("Images"),
      BooleanProperty<&TVxStatusBar::SizeGrip, &TVxStatusBar::SetSizeGrip>("SizeGrip", 1),
      StringProperty<&TVxStatusBar::ThemeObject, &TVxStatusBar::SetThemeObject>("ThemeObject"),
      SetProperty<&TVxStatusBar::BevelSides, &TVxStatusBar::SetBevelSides>("BevelSides", BevelSideNames(),
                                                                           int64_t(AllBevelSides.Mask())),
      EnumProperty<&TVxStatusBar::BevelInner, &TVxStatusBar::SetBevelInner>("BevelInner", BevelCutNames(),
                                                                            int64_t(TVxBevelCut::kbvSpace)),
      EnumProperty<&TVxStatusBar::BevelOuter, &TVxStatusBar::SetBevelOuter>("BevelOuter", BevelCutNames(),
                                                                            int64_t(TVxBevelCut::kbvRaised)),
      EnumProperty<&TVxStatusBar::BevelKind, &TVxStatusBar::SetBevelKind>("BevelKind", BevelKindNames(),
                                                                          int64_t(TVxBevelKind::kbkNone)),
      IntegerProperty<&TVxStatusBar::BevelWidth, &TVxStatusBar::SetBevelWidth>("BevelWidth", 0),
      IntegerProperty<&TVxStatusBar::BorderWidth, &TVxStatusBar::SetBorderWidth>("BorderWidth", 2),
  };
  // Hosted controls belong to the panels, which name them: they are written as children all the
  // same, so that reading creates them.
  static const TClassInfo Info{
      "TVxStatusBar", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxStatusBar>};
  return Info;
}

TVxStatusBar::TVxStatusBar(TComponent* Owner) : TVxControl(Owner), FPanels(std::make_unique<TVxStatusPanels>(this)) {
  SetSystemFrame(false);
  SetBevelInner(TVxBevelCut::kbvSpace);
  SetBevelOuter(TVxBevelCut::kbvRaised);
  SetBevelWidth(0);
  SetBorderWidth(2);
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  SetControlStyle({TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents, TControlStyleFlag::csDoubleClicks});
  SetBounds(Left(), Top(), 200, 22);
  SetAlign(TAlign::alBottom);
  RegisterThemeClient(this);
}

TVxStatusBar::~TVxStatusBar() {
  UnregisterThemeClient(this);
  for (Integer I = 0; I < FPanels->Count(); ++I) {
    TVxStatusPanel* P = Panel(I);
    if (P->FControl) P->FControl->RemoveFreeNotification(this);
    P->FControl = nullptr;
  }
  FPanels->FBar = nullptr;
}

std::unique_ptr<TCollectionItem> TVxStatusBar::NewPanel(TCollection& Collection) {
  TVxStatusPanelClass Class = [](TCollection& C) { return std::make_unique<TVxStatusPanel>(&C); };
  auto* Panels = dynamic_cast<TVxStatusPanels*>(&Collection);
  TVxStatusBar* Bar = Panels ? Panels->Bar() : nullptr;
  if (Bar && Bar->OnCreatePanelClass) {
    Bar->OnCreatePanelClass(Bar, Class);
    if (!Class) Class = [](TCollection& C) { return std::make_unique<TVxStatusPanel>(&C); };
  }
  return Class(Collection);
}

TVxStatusPanel* TVxStatusBar::CreatePanel() { return FPanels->Add(); }

bool TVxStatusBar::Themed() const { return IsStatusBarThemed(0, ThemeObject(), nullptr); }

TVxStatusPanel* TVxStatusBar::PanelOfControl(const TControl* Control) const {
  if (!Control) return nullptr;
  for (Integer I = 0; I < FPanels->Count(); ++I)
    if (Panel(I)->FControl == Control) return Panel(I);
  return nullptr;
}

// [Properties]

void TVxStatusBar::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TVxStatusBar::SetSizeGrip(bool Value) {
  if (Value == FSizeGrip) return;
  FSizeGrip = Value;
  Invalidate();
}

void TVxStatusBar::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  for (Integer I = 0; I < FPanels->Count(); ++I)
    if (Panel(I)->FControl == Component) {
      Panel(I)->FControl = nullptr;
      UpdateLayout();
      Invalidate();
    }
}

void TVxStatusBar::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateLayout();
}

void TVxStatusBar::Loaded() {
  TVxControl::Loaded();
  UpdateLayout();
  BringToFront();
}

void TVxStatusBar::ThemeChanged(uintptr_t Code) {
  TVxControl::ThemeChanged(Code);
  if (Code == TMC_THEMECHANGED || Code == TMC_THEMESET || Code == TMC_THEMEREMOVED) UpdateLayout();
}

// [Layout]

TRect TVxStatusBar::ContentRect() {
  if (Themed())
    if (TvxTheme* Theme = this->Theme()) {
      TRect Client;
      Theme->GetStatusBarClientRect(0, Rect(0, 0, CachedWidth(), CachedHeight()), Client, "default");
      return Client;
    }
  return GetInnerRect();
}

void TVxStatusBar::UpdateLayout() {
  if (FInLayout || Loading() || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  FInLayout = true;
  const TRect C = ContentRect();
  const Integer A = C.Width();
  const Integer Count = FPanels->Count();

  std::vector<TVxStatusPanel*> Candidates;
  Integer Sum = 0;
  for (Integer I = 0; I < Count; ++I) {
    TVxStatusPanel* P = Panel(I);
    P->FWorkWidth = P->FWidth;
    P->FShown = P->FViewPriority > 0;
    if (!P->FShown) continue;
    Candidates.push_back(P);
    Sum += P->EffectiveWidth();
  }
  std::stable_sort(Candidates.begin(), Candidates.end(), [](const TVxStatusPanel* L, const TVxStatusPanel* R) {
    return L->FViewPriority > R->FViewPriority;
  });
  while (Sum > A && Candidates.size() >= 2 && Candidates.back()->FViewPriority < 100) {
    Candidates.back()->FShown = false;
    Sum -= Candidates.back()->EffectiveWidth();
    Candidates.pop_back();
  }
  Integer Room = A - Sum;
  if (Room > 0) {
    std::erase_if(Candidates, [](const TVxStatusPanel* P) { return P->FStretchPriority == 0; });
    while (!Candidates.empty() && Room > 0) {
      auto Top = std::max_element(Candidates.begin(), Candidates.end(), [](const auto* L, const auto* R) {
        return L->FStretchPriority < R->FStretchPriority;
      });
      TVxStatusPanel* P = *Top;
      P->FWorkWidth += Room;
      Room = std::max<Integer>(P->FWorkWidth - P->FMaxWidth, 0);
      Candidates.erase(Top);
    }
  }

  // Hidden panels take no room, and no panel reaches past the content rectangle.
  Integer X = 0, LastShown = -1;
  for (Integer I = 0; I < Count; ++I) {
    TVxStatusPanel* P = Panel(I);
    if (P->FShown && X >= A) P->FShown = false;
    P->FLeft = C.Left + X;
    P->FRight = P->FLeft;
    if (!P->FShown) continue;
    P->FRight = std::min(P->FLeft + P->EffectiveWidth(), C.Right);
    X += P->EffectiveWidth();
    LastShown = I;
  }
  for (Integer I = 0; I < Count; ++I) {
    TVxStatusPanel* P = Panel(I);
    if (P->FShown && P->FStretchPriority > 0 && (P->FRight >= C.Right || I == LastShown)) P->FRight = C.Right;
  }
  for (Integer I = 0; I < Count; ++I) {
    TVxStatusPanel* P = Panel(I);
    TControl* Hosted = P->FControl;
    if (!Hosted || Hosted->Parent() != this) continue;
    TRect R;
    GetControlRect(P, R);
    if (P->FShown) Hosted->SetBoundsRect(R);
    Hosted->SetVisible(P->FShown);
  }
  FInLayout = false;
  Invalidate();
}

void TVxStatusBar::GetPanelRect(Integer Index, TRect& R) {
  R = {};
  const TVxStatusPanel* P = Panel(Index);
  if (!P) return;
  const TRect C = ContentRect();
  R = {P->FLeft, C.Top, P->FRight, C.Bottom};
}

void TVxStatusBar::GetControlRect(const TVxStatusPanel* P, TRect& R) {
  GetPanelRect(P->Index(), R);
  if (!P->FFramed || R.IsEmpty()) return;
  R = {R.Left + 1, R.Top + 1, std::max(R.Left + 1, R.Right - 3), std::max(R.Top + 1, R.Bottom - 1)};
}

void TVxStatusBar::GetGripRect(TRect& R) {
  R = ContentRect();
  R.Left = std::max(R.Left, R.Right - R.Height());
}

TVxStatusPanel* TVxStatusBar::PanelAt(Integer X, Integer Y) {
  for (Integer I = 0; I < FPanels->Count(); ++I) {
    TRect R;
    GetPanelRect(I, R);
    if (Panel(I)->FShown && R.Contains(X, Y)) return Panel(I);
  }
  return nullptr;
}

bool TVxStatusBar::GripApplies() {
  if (!FSizeGrip || !HandleAllocated()) return false;
  TForm* Form = GetParentForm();
  if (!Form || !Form->HandleAllocated()) return false;
  HWND F = Form->Handle();
  if (IsIconic(F) || IsZoomed(F)) return false;
  RECT Client{};
  GetClientRect(F, &Client);
  POINT Corner{Client.right, Client.bottom};
  ::ClientToScreen(F, &Corner);
  RECT Mine{};
  GetWindowRect(Handle(), &Mine);
  if (Mine.right != Corner.x || Mine.bottom != Corner.y) return false;
  bool SizeableNow = true;
  if (SkinnedFormQuery && SkinnedFormQuery(Form, SizeableNow)) return SizeableNow;
  // A plain form without a sizing border cannot be sized by a grip either.
  return (GetWindowLongPtrA(F, GWL_STYLE) & WS_THICKFRAME) != 0;
}

TVxItemMetrics TVxStatusBar::PanelMetrics(const TVxStatusPanel* P) {
  TRect R;
  GetControlRect(P, R);
  TVxItemMetrics M;
  M.Width = R.Width();
  M.Height = R.Height();
  M.Image = GetImageSize(P);
  M.ImageShown = P->FShowImage && M.Image.cx > 0;
  M.Alignment = P->FAlignment;
  M.GlyphRight = P->FLayout == TVxStatusGliphLayout::sglGlyphRight;
  M.Margin = P->FMargin;
  M.Spacing = P->FSpacing;
  M.CentreExtra = CentredTextExtra;
  M.Text = GetTextSize(P);
  M.Text.cx = std::min(M.Text.cx, ItemTextLimit(M));
  return M;
}

TSize TVxStatusBar::GetImageSize(const TVxStatusPanel* P) {
  if (!FImages || P->FImageIndex < 0 || P->FImageIndex >= FImages->Count()) return {};
  return {FImages->Width(), FImages->Height()};
}

TSize TVxStatusBar::GetTextSize(const TVxStatusPanel* P) { return ItemTextSize(*Font(), P->FText); }

void TVxStatusBar::GetImageRect(const TVxStatusPanel* P, TRect& R) { R = ItemImageBox(PanelMetrics(P)); }

void TVxStatusBar::GetTextRect(const TVxStatusPanel* P, TRect& R) { R = ItemTextBox(PanelMetrics(P)); }

// [Painting]

void TVxStatusBar::PaintBorder() {
  if (!VisualStylesActive()) TVxControl::PaintBorder();
}

void TVxStatusBar::PaintClient() {
  PaintBackground();
  for (Integer I = 0; I < FPanels->Count(); ++I) PaintPanelAt(I);
  if (GripApplies()) PaintGrip();
}

void TVxStatusBar::PaintBackground() {
  TCanvas& C = *Canvas();
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme())
      Theme->DrawStatusBar(0, C, "default", Rect(0, 0, CachedWidth(), CachedHeight()));
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Status"); Style) {
    Style.DrawBackground(C.Handle(), 0, 0, Rect(0, 0, Width(), Height()));
    return;
  }
  TVxControl::PaintClient();
}

void TVxStatusBar::PaintPanelAt(Integer Index) {
  TVxStatusPanel* P = Panel(Index);
  if (!P) return;
  TRect R;
  GetPanelRect(Index, R);
  if (R.IsEmpty()) return;
  HDC DC = Canvas()->Handle();
  TDCState Saved(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  PaintPanel(P, R, Index == FPanels->Count() - 1);
}

void TVxStatusBar::PaintPanel(TVxStatusPanel* P, const TRect& R, bool IsLast) {
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  if (P->FControl && P->FControl->Parent() == this && P->FControl->Visible()) {
    const TRect B = P->FControl->BoundsRect();
    ExcludeClipRect(DC, B.Left, B.Top, B.Right, B.Bottom);
  }
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme()) Theme->DrawStatusPanel(0, C, "default", TvxStateInfo{R, PanelPart, 0});
  } else if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Status"); Style) {
    Style.DrawBackground(DC, 0, 0, Rect(0, 0, Width(), Height()));
    Style.DrawBackground(DC, IsLast ? 2 : 1, 0, R);
  } else {
    FillRectColor(DC, R, Color());
    if (P->FFramed) DrawBevel(DC, R, clBtnShadow, clBtnHighlight);
  }
  if (P->FStyle == TVxStatusPanelstyle::psOwnerDraw) return OwnerDrawPanel(P, R);
  PaintPanelText(P, R);
  if (P->FShowImage) PaintPanelImage(P, R);
}

void TVxStatusBar::PaintPanelText(TVxStatusPanel* P, const TRect& R) {
  if (P->FText.empty()) return;
  TRect Area;
  GetControlRect(P, Area);
  const TRect Box = Intersect(ItemTextBox(PanelMetrics(P)).Offset(Area.Left, Area.Top), R);
  if (Box.IsEmpty()) return;
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  TDCState Saved(DC);
  IntersectClipRect(DC, Box.Left, Box.Top, Box.Right, Box.Bottom);
  if (Themed()) {
    TvxTheme* Theme = this->Theme();
    if (!Theme) return;
    C.Font().Assign(PaintFont());
    Theme->GetFont(C.Font(), Enabled() ? vxfStatusPanelTextNormal : vxfStatusPanelTextDisabled, "default");
    TSelectGuard Select(DC, C.Font().Handle());
    TvxTextInfo Text;
    Text.Rect = Box;
    Text.Text = EllipsisText(DC, P->FText, Box.Width() - 4);
    Text.Alignment = ItemAlignmentByte(P->FAlignment);
    Theme->DrawStatusPanelText(0, C, "default", Text, 0);
    return;
  }
  C.Font().Assign(Font());
  TSelectGuard Select(DC, C.Font().Handle());
  TBkModeGuard Transparent(DC, TRANSPARENT);
  SetTextColor(DC, COLORREF(ColorToRGB(Font()->Color())));
  TRect Into = Box;
  DrawTextWide(DC, EllipsisText(DC, P->FText, Box.Width() - 4), Into, ItemAlignmentFlags(P->FAlignment));
}

void TVxStatusBar::PaintPanelImage(TVxStatusPanel* P, const TRect& R) {
  const TVxItemMetrics M = PanelMetrics(P);
  if (!M.ImageShown || !FImages) return;
  TRect Area;
  GetControlRect(P, Area);
  const TRect Box = ItemImageBox(M).Offset(Area.Left, Area.Top);
  TCanvas& C = *Canvas();
  if (Themed()) {
    TvxTheme* Theme = this->Theme();
    if (!Theme) return;
    TvxGlyphInfo Glyph;
    Glyph.Rect = Box;
    Glyph.Bitmap = ImageListToBitmap(FImages, P->FImageIndex, Enabled());
    Glyph.Alignment = 4;
    Theme->DrawStatusPanelGlyph(0, C, "default", Glyph, 0);
    return;
  }
  FImages->Draw(C, Box.Left, Box.Top, P->FImageIndex, Enabled());
}

void TVxStatusBar::PaintGrip() {
  TRect R;
  GetGripRect(R);
  if (R.IsEmpty()) return;
  TCanvas& C = *Canvas();
  HDC DC = C.Handle();
  if (Themed()) {
    if (TvxTheme* Theme = this->Theme()) Theme->DrawStatusPanel(0, C, "default", TvxStateInfo{R, GripPart, 0});
    return;
  }
  if (TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Status"); Style) {
    Style.DrawBackground(DC, 3, 0, R);
    return;
  }
  RECT Area{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  DrawFrameControl(DC, &Area, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// [Events]

void TVxStatusBar::PanelClick(TVxStatusPanel* P) {
  if (OnPanelClick) OnPanelClick(this, P);
}

void TVxStatusBar::PanelDblClick(TVxStatusPanel* P) {
  if (OnPanelDblClick) OnPanelDblClick(this, P);
}

void TVxStatusBar::OwnerDrawPanel(TVxStatusPanel* P, const TRect& R) {
  if (OnDrawPanel) OnDrawPanel(this, P, R);
}

// [Input]

void TVxStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Enabled()) return;
  TVxStatusPanel* P = PanelAt(X, Y);
  FPressedPanel = P ? P->Index() : -1;
  TRect Grip;
  GetGripRect(Grip);
  if (!Grip.Contains(X, Y) || !GripApplies()) return;
  TForm* Form = GetParentForm();
  const TPoint Screen = ClientToScreen({X, Y});
  bool SizeableNow = true;
  if (SkinnedFormQuery && SkinnedFormQuery(Form, SizeableNow)) {
    // The skinned frame sizes its form itself; it finds the grip by its own hit test.
    SendMessageA(Form->Handle(), WM_NCLBUTTONDOWN, 0, MAKELPARAM(Screen.X, Screen.Y));
    return;
  }
  FGripSizing = true;
  FGripStart = Screen;
  FGripFormSize = {Form->Width(), Form->Height()};
  SetMouseCapture(true);
}

void TVxStatusBar::GripSizeTo(const TPoint& Screen) {
  TForm* Form = GetParentForm();
  if (!Form) return;
  const Integer W = std::max<Integer>(FGripFormSize.cx + Screen.X - FGripStart.X, 0);
  const Integer H = std::max<Integer>(FGripFormSize.cy + Screen.Y - FGripStart.Y, 0);
  Form->SetBounds(Form->Left(), Form->Top(), W, H);
}

void TVxStatusBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  if (FGripSizing) return GripSizeTo(ClientToScreen({X, Y}));
  TRect Grip;
  GetGripRect(Grip);
  SetCursor(Grip.Contains(X, Y) && GripApplies() ? crSizeNWSE : crDefault);
}

void TVxStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseUp(Button, Shift, X, Y);
  if (FGripSizing) {
    GripSizeTo(ClientToScreen({X, Y}));
    FGripSizing = false;
    SetMouseCapture(false);
    return;
  }
  TVxStatusPanel* P = PanelAt(X, Y);
  if (P && P->Index() == FPressedPanel) PanelClick(P);
}

// [Hosted controls]

void TVxStatusBar::ControlInserted(TControl* Control) {
  if (Loading() || Control == FAdopting || PanelOfControl(Control)) return;
  CreatePanel()->SetControl(Control);
}

void TVxStatusBar::ControlRemoved(TControl* Control) {
  TVxStatusPanel* P = PanelOfControl(Control);
  if (!P) return;
  P->FControl = nullptr;
  Control->RemoveFreeNotification(this);
  FPanels->Delete(P->Index());
}

void TVxStatusBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CONTROLCHANGE: {
      TVxControl::Dispatch(Message);
      auto* Control = reinterpret_cast<TControl*>(Message.WParam);
      if (ComponentState().Contains(TComponentStateFlag::csDestroying) || Freeing()) return;
      if (Message.LParam != 0)
        ControlInserted(Control);
      else
        ControlRemoved(Control);
      return;
    }
    case WM_LBUTTONDBLCLK: {
      const Integer X = int16_t(LOWORD(Message.LParam)), Y = int16_t(HIWORD(Message.LParam));
      TVxControl::Dispatch(Message);
      if (TVxStatusPanel* P = PanelAt(X, Y)) PanelDblClick(P);
      return;
    }
    case CM_FONTCHANGED:
    case WM_SYSCOLORCHANGE:
      TVxControl::Dispatch(Message);
      Invalidate();
      return;
    default: TVxControl::Dispatch(Message);
  }
}
