#include "vexel/controls/vx_controls.h"

#include <windows.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_screen.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

constexpr const char* PerformanceValueNames[] = {"zqpNoBuffer", "zqpSharedBuffer", "zqpDoubleBuffer"};
constexpr const char* BevelCutValueNames[] = {"kbvNone",  "kbvLowered", "kbvRaised",
                                              "kbvSpace", "kbvBorder",  "kbvFlatBorder"};
constexpr const char* BevelSideValueNames[] = {"kbsLeft", "kbsTop", "kbsRight", "kbsBottom"};
constexpr const char* BevelKindValueNames[] = {"kbkNone", "kbkSingle", "kbkTile", "kbkSoft", "kbkBorder", "kbkFlat"};

// Top/left and bottom/right colours of a cut, outer ring then inner ring; indexed by TVxBevelCut.
struct TBevelColors {
  TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};
constexpr TBevelColors BevelColors[] = {
    {clBtnFace, clBtnFace, clBtnFace, clBtnFace},              // kbvNone (never drawn)
    {clBtnShadow, clBtnHighlight, cl3DDkShadow, clBtnFace},    // kbvLowered
    {clBtnHighlight, cl3DDkShadow, clBtnShadow, clBtnShadow},  // kbvRaised
    {clBtnFace, clBtnFace, clBtnFace, clBtnFace},              // kbvSpace
    {cl3DDkShadow, cl3DDkShadow, clWindow, clWindow},          // kbvBorder
    {clBtnShadow, clBtnShadow, clBtnFace, clBtnFace},          // kbvFlatBorder
};

constexpr TvxColor SharedBufferFill = 0x7F007F;
// Until the screen is known.
constexpr TSize SharedBufferFallback{2000, 2000};

bool ScreenTakesEngineBitmaps() {
  const TPixelFormat Format = ScreenPixelFormat();
  return Format == TPixelFormat::pf24bit || Format == TPixelFormat::pf32bit;
}

// Binds a canvas to another context for a scope and gives it its own back afterwards, also when
// painting throws.
class TCanvasBinding {
 public:
  TCanvasBinding(TCanvas& Canvas, HDC DC)
      : FCanvas(&Canvas), FPrevious(Canvas.HandleAllocated() ? Canvas.Handle() : nullptr) {
    Canvas.SetHandle(DC);
  }
  ~TCanvasBinding() {
    if (FCanvas) FCanvas->SetHandle(FPrevious);
  }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;
  // The canvas's control was freed while painting: nothing to give back.
  void Release() { FCanvas = nullptr; }

 private:
  TCanvas* FCanvas;
  HDC FPrevious;
};

// The off-screen target of one paint. A nested paint (a parent painted into a child's
// background while the child paints into the shared buffer) must not reuse the shared buffer:
// it gets a buffer of its own.
class TPaintTarget {
 public:
  TPaintTarget(TVxPerformance Mode, Integer W, Integer H, bool FillShared) {
    if (Mode == TVxPerformance::zqpSharedBuffer && !SharedInUse && FitsShared(W, H)) {
      TvxBitmap& Shared = SharedPaintBuffer();
      Shared.SetAlphaBlend(false);
      if (FillShared) Shared.FillRect(Rect(0, 0, W, H), SharedBufferFill);
      FShared = &Shared;
      SharedInUse = true;
      FDC = Shared.DC();
      return;
    }
    if (Mode == TVxPerformance::zqpNoBuffer) return;
    if (ScreenTakesEngineBitmaps()) {
      FEngine = std::make_unique<TvxBitmap>();
      FEngine->SetSize(W, H);
      FEngine->SetAlphaBlend(false);
      FDC = FEngine->DC();
    } else {
      FPlatform = std::make_unique<TBitmap>();
      FPlatform->SetSize(W, H);
      FDC = FPlatform->Canvas().Handle();
    }
  }
  ~TPaintTarget() {
    if (FShared) SharedInUse = false;
  }
  TPaintTarget(const TPaintTarget&) = delete;
  TPaintTarget& operator=(const TPaintTarget&) = delete;

  // Nil: paint straight into the window's context.
  HDC DC() const { return FDC; }

  void CopyTo(HDC Target, Integer W, Integer H) const {
    if (FShared)
      FShared->Draw(Target, 0, 0, Rect(0, 0, W, H));
    else if (FEngine)
      FEngine->Draw(Target, 0, 0);
    else if (FPlatform) {
      TCanvas Window(Target);
      Window.Draw(0, 0, *FPlatform);
    }
  }

 private:
  static bool FitsShared(Integer W, Integer H) {
    const TSize Size = SharedPaintBufferSize();
    return W <= Size.cx && H <= Size.cy;
  }
  static inline bool SharedInUse = false;

  TvxBitmap* FShared = nullptr;
  std::unique_ptr<TvxBitmap> FEngine;
  std::unique_ptr<TBitmap> FPlatform;
  HDC FDC = nullptr;
};

// Edit-frame state of the platform's visual style: disabled, focused, hot, normal.
int EditFrameState(bool Enabled, bool Focused, bool Hot) {
  if (!Enabled) return 4;
  if (Focused) return 3;
  if (Hot) return 2;
  return 1;
}

}  // namespace

const TEnumInfo& PerformanceNames() {
  static const TEnumInfo Info{PerformanceValueNames};
  return Info;
}
const TEnumInfo& BevelCutNames() {
  static const TEnumInfo Info{BevelCutValueNames};
  return Info;
}
const TEnumInfo& BevelSideNames() {
  static const TEnumInfo Info{BevelSideValueNames};
  return Info;
}
const TEnumInfo& BevelKindNames() {
  static const TEnumInfo Info{BevelKindValueNames};
  return Info;
}

TSize SharedPaintBufferSize() {
  static const TSize Size = [] {
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
    return W > 0 && H > 0 ? TSize{W + 500, H + 500} : SharedBufferFallback;
  }();
  return Size;
}

TvxBitmap& SharedPaintBuffer() {
  static TvxBitmap Buffer;
  if (Buffer.Empty()) {
    const TSize Size = SharedPaintBufferSize();
    Buffer.SetSize(Size.cx, Size.cy);
  }
  return Buffer;
}

bool ThemeChangeRepaints(uintptr_t Code) {
  return Code == TMC_THEMECHANGED || Code == TMC_THEMESET || Code == TMC_THEMEREMOVED || Code == TMC_COLORSCHANGED;
}

// [TVxControl]

const TClassInfo& TVxControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxControl::Performance, &TVxControl::SetPerformance>("Performance", PerformanceNames()),
  };
  static const TClassInfo Info{"TVxControl", &TCustomControl::StaticClassInfo(), Properties};
  return Info;
}

TVxControl::TVxControl(TComponent* Owner) : TCustomControl(Owner), FPaintFont(std::make_unique<TFont>()) {
  SetColor(clBtnFace);
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetDoubleBuffered(false);
  SetBounds(Left(), Top(), 100, 30);
}

// A concrete control unregisters first; this catches one that did not.
TVxControl::~TVxControl() { UnregisterThemeClient(this); }

void TVxControl::SetPerformance(TVxPerformance Value) {
  if (Value == FPerformance) return;
  FPerformance = Value;
  Invalidate();
}

void TVxControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FCachedWidth = Width();
  FCachedHeight = Height();
}

TRect TVxControl::ClientRect() { return GetInnerRect(); }

void TVxControl::Loaded() {
  TCustomControl::Loaded();
  FCachedWidth = Width();
  FCachedHeight = Height();
  Invalidate();
}

void TVxControl::SetThemeObject(const std::string& Value) {
  if (Value == FThemeObject) return;
  FThemeObject = Value;
  Invalidate();
}

void TVxControl::SetThemeLink(TvxCustomThemeLink* Value) {
  if (Value == FThemeLink) return;
  if (FThemeLink) FThemeLink->RemoveFreeNotification(this);
  FThemeLink = Value;
  if (FThemeLink) FThemeLink->FreeNotification(this);
  Invalidate();
}

TvxTheme* TVxControl::Theme() const { return GetLinkTheme(FThemeLink); }

void TVxControl::Notification(TComponent* Component, TOperation Operation) {
  TCustomControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FThemeLink) FThemeLink = nullptr;
}

void TVxControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style &= ~uint32_t(WS_HSCROLL | WS_VSCROLL);
}

TRect TVxControl::GetInnerRect() {
  TRect R(0, 0, FCachedWidth, FCachedHeight);
  R = Rect(R.Left + FBorderWidth, R.Top + FBorderWidth, R.Right - FBorderWidth, R.Bottom - FBorderWidth);
  const Integer Cuts = Integer(FBevelInner != TVxBevelCut::kbvNone) + Integer(FBevelOuter != TVxBevelCut::kbvNone);
  const Integer Bevel = FBevelWidth * Cuts;
  if (FBevelSides.Contains(TVxBevelSide::kbsLeft)) R.Left += Bevel;
  if (FBevelSides.Contains(TVxBevelSide::kbsTop)) R.Top += Bevel;
  if (FBevelSides.Contains(TVxBevelSide::kbsRight)) R.Right -= Bevel;
  if (FBevelSides.Contains(TVxBevelSide::kbsBottom)) R.Bottom -= Bevel;
  return R;
}

void TVxControl::Paint() {
  if (Width() <= 0 || Height() <= 0 || FCachedWidth <= 0 || FCachedHeight <= 0) return;
  TCanvas& C = *Canvas();
  HDC Window = C.Handle();
  const Integer W = FCachedWidth, H = FCachedHeight;
  TPaintTarget Target(FPerformance, W, H, true);
  // The image lands at the window's (0, 0): a probe asks about its pixel there.
  TvxProbeShift Probe(Theme(), Target.DC() ? Window : nullptr);
  TControlWatch Watch(this);
  TCanvasBinding Binding(C, Target.DC() ? Target.DC() : Window);
  FPaintFont->Assign(Font());
  const TRect Inner = GetInnerRect();
  const int Saved = C.SaveState();
  ExcludeClipRect(C.Handle(), Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
  PaintBorder();
  if (Watch.Freed()) return Binding.Release();
  C.RestoreState(Saved);
  PaintClient();
  if (Watch.Freed()) return Binding.Release();
  if (Target.DC()) Target.CopyTo(Window, W, H);
}

void TVxControl::PaintBorder() {
  const TRect Outer(0, 0, FCachedWidth, FCachedHeight);
  const TRect Inner = GetInnerRect();
  if (Inner == Outer) return;
  HDC DC = Canvas()->Handle();
  if (FSystemFrame) {
    TVisualStyle Style(HandleAllocated() ? Handle() : nullptr, L"Edit");
    if (Style) {
      const int Saved = SaveDC(DC);
      ExcludeClipRect(DC, Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
      Style.DrawBackground(DC, 1, EditFrameState(Enabled(), FFocused, FMouseInControl), Outer);
      RestoreDC(DC, Saved);
      return;
    }
  }
  TRect R = Outer;
  if (FBevelWidth > 0) {
    if (FBevelOuter != TVxBevelCut::kbvNone) PaintBevel(R, FBevelOuter, true);
    if (FBevelInner != TVxBevelCut::kbvNone) PaintBevel(R, FBevelInner, false);
  }
  for (Integer I = 0; I < FBorderWidth; ++I) {
    FrameRectColor(DC, R, Color());
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

void TVxControl::PaintBevel(TRect& R, TVxBevelCut Cut, bool Outer) {
  const TBevelColors& Colors = BevelColors[size_t(Cut)];
  const TColor TopLeft = Outer ? Colors.OuterTopLeft : Colors.InnerTopLeft;
  const TColor BottomRight = Outer ? Colors.OuterBottomRight : Colors.InnerBottomRight;
  HDC DC = Canvas()->Handle();
  const bool Left = FBevelSides.Contains(TVxBevelSide::kbsLeft), Top = FBevelSides.Contains(TVxBevelSide::kbsTop);
  const bool Right = FBevelSides.Contains(TVxBevelSide::kbsRight);
  const bool Bottom = FBevelSides.Contains(TVxBevelSide::kbsBottom);
  for (Integer Ring = 0; Ring < FBevelWidth; ++Ring) {
    if (Left) FillRectXY(DC, R.Left, R.Top, R.Left + 1, R.Bottom, TopLeft);
    if (Top) FillRectXY(DC, R.Left, R.Top, R.Right, R.Top + 1, TopLeft);
    if (Bottom) FillRectXY(DC, R.Left, R.Bottom - 1, R.Right, R.Bottom, BottomRight);
    if (Right) FillRectXY(DC, R.Right - 1, R.Top, R.Right, R.Bottom, BottomRight);
    if (Left) ++R.Left;
    if (Top) ++R.Top;
    if (Right) --R.Right;
    if (Bottom) --R.Bottom;
  }
}

void TVxControl::PaintClient() { FillRectColor(Canvas()->Handle(), GetInnerRect(), Color()); }

void TVxControl::FrameChanged() {
  BorderChanged();
  Invalidate();
}

void TVxControl::SetBorderWidth(Integer Value) {
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  FrameChanged();
}

void TVxControl::SetBevelWidth(Integer Value) {
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  FrameChanged();
}

void TVxControl::SetBevelSides(TVxBevelSides Value) {
  if (Value == FBevelSides) return;
  FBevelSides = Value;
  FrameChanged();
}

void TVxControl::SetBevelInner(TVxBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelKind = TVxBevelKind::kbkNone;
  FBevelInner = Value;
  FrameChanged();
}

void TVxControl::SetBevelOuter(TVxBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelKind = TVxBevelKind::kbkNone;
  FBevelOuter = Value;
  FrameChanged();
}

void TVxControl::SetBevelKind(TVxBevelKind Value) {
  if (Value == FBevelKind) return;
  switch (Value) {
    case TVxBevelKind::kbkNone: break;
    case TVxBevelKind::kbkSingle:
    case TVxBevelKind::kbkTile:
    case TVxBevelKind::kbkSoft: FBevelInner = FBevelOuter = TVxBevelCut::kbvLowered; break;
    case TVxBevelKind::kbkBorder: FBevelInner = FBevelOuter = TVxBevelCut::kbvBorder; break;
    case TVxBevelKind::kbkFlat: FBevelInner = FBevelOuter = TVxBevelCut::kbvFlatBorder; break;
  }
  FBevelKind = Value;
  FrameChanged();
}

void TVxControl::MouseEnter() {
  FMouseInControl = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TVxControl::MouseLeave() {
  FMouseInControl = false;
  if (OnMouseLeave) OnMouseLeave(this);
}

void TVxControl::FocusEnter() {
  FFocused = true;
  Invalidate();
}

void TVxControl::FocusExit() {
  FFocused = false;
  Invalidate();
}

void TVxControl::ThemeChanged(uintptr_t Code) {
  if (ThemeChangeRepaints(Code)) Invalidate();
}

// A non-zero LParam is our own request to paint this control's background into a foreign
// context (a child's); the platform always sends 0.
void TVxControl::EraseInto(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  Message.Result = 1;
  if (DC && Message.LParam) {
    TControlWatch Watch(this);
    TCanvasBinding Binding(*Canvas(), DC);
    PaintBorder();
    if (!Watch.Freed()) PaintClient();
    if (Watch.Freed()) Binding.Release();
  }
}

void TVxControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: return EraseInto(Message);
    case WM_WINDOWPOSCHANGING: {
      const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      if (Pos && !(Pos->flags & SWP_NOSIZE)) {
        FCachedWidth = Pos->cx;
        FCachedHeight = Pos->cy;
      }
      break;
    }
    case WM_THEMECHANGED: Invalidate(); break;
    case CM_VISIBLECHANGED:
      TCustomControl::Dispatch(Message);
      if (!Visible()) FFocused = false;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // The framework tells the parents and runs our own notification; one forwarded from a
      // child makes us hot too.
      TCustomControl::Dispatch(Message);
      if (Message.LParam) Message.Msg == CM_MOUSEENTER ? MouseEnter() : MouseLeave();
      return;
    case CM_ENTER: FocusEnter(); break;
    case CM_EXIT: FocusExit(); break;
    case TM_THEMECHANGE: return ThemeChanged(Message.WParam);
  }
  TCustomControl::Dispatch(Message);
}

// [TVxGraphicControl]

const TClassInfo& TVxGraphicControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TVxGraphicControl::Performance, &TVxGraphicControl::SetPerformance>("Performance",
                                                                                        PerformanceNames()),
  };
  static const TClassInfo Info{"TVxGraphicControl", &TGraphicControl::StaticClassInfo(), Properties};
  return Info;
}

TVxGraphicControl::TVxGraphicControl(TComponent* Owner)
    : TGraphicControl(Owner), FPaintFont(std::make_unique<TFont>()) {
  SetColor(clBtnFace);
  IncludeStyle(TControlStyleFlag::csOpaque);
  SetBounds(Left(), Top(), 100, 30);
}

TVxGraphicControl::~TVxGraphicControl() { UnregisterThemeClient(this); }

void TVxGraphicControl::SetPerformance(TVxPerformance Value) {
  if (Value == FPerformance) return;
  FPerformance = Value;
  Invalidate();
}

void TVxGraphicControl::Loaded() {
  TGraphicControl::Loaded();
  Invalidate();
}

void TVxGraphicControl::SetThemeObject(const std::string& Value) {
  if (Value == FThemeObject) return;
  FThemeObject = Value;
  Invalidate();
}

TvxTheme* TVxGraphicControl::Theme() const { return CurrentTheme(); }

void TVxGraphicControl::Paint() {
  const Integer W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TCanvas& C = *Canvas();
  HDC Window = C.Handle();
  TPaintTarget Target(FPerformance, W, H, false);
  // The image lands at the window's (0, 0): a probe asks about its pixel there.
  TvxProbeShift Probe(Theme(), Target.DC() ? Window : nullptr);
  TControlWatch Watch(this);
  TCanvasBinding Binding(C, Target.DC() ? Target.DC() : Window);
  FPaintFont->Assign(Font());
  PaintClient();
  if (Watch.Freed()) return Binding.Release();
  if (Target.DC()) Target.CopyTo(Window, W, H);
}

void TVxGraphicControl::PaintClient() { FillRectColor(Canvas()->Handle(), Rect(0, 0, Width(), Height()), Color()); }

void TVxGraphicControl::MouseEnter() {
  FMouseInControl = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TVxGraphicControl::MouseLeave() {
  FMouseInControl = false;
  if (OnMouseLeave) OnMouseLeave(this);
}

void TVxGraphicControl::ThemeChanged(uintptr_t Code) {
  if (ThemeChangeRepaints(Code)) Invalidate();
}

void TVxGraphicControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TGraphicControl::Dispatch(Message);
      if (Message.LParam) Message.Msg == CM_MOUSEENTER ? MouseEnter() : MouseLeave();
      return;
    case TM_THEMECHANGE: return ThemeChanged(Message.WParam);
  }
  TGraphicControl::Dispatch(Message);
}
