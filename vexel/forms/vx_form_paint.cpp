// Painting of a skinned form: the frame into one of four buffer kinds, the drop shadow and
// translucency composed over a capture of the screen behind the window, the client background,
// the window region and the show animation.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/core/class_registry.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_controls.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

constexpr TvxColor ShadowColor = 0x803F3F3F;
constexpr TvxColor KeyColor = 0x7F007F;

// The DC of a whole window, frame included, released on scope exit.
class TWholeWindowDC {
 public:
  explicit TWholeWindowDC(HWND Wnd) : FWnd(Wnd), FDC(Wnd ? GetWindowDC(Wnd) : nullptr) {}
  ~TWholeWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWholeWindowDC(const TWholeWindowDC&) = delete;
  TWholeWindowDC& operator=(const TWholeWindowDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

// Binds a canvas to a DC for a scope and gives it its previous one back.
class TCanvasBinding {
 public:
  TCanvasBinding(TCanvas& Canvas, HDC DC)
      : FCanvas(Canvas), FSaved(Canvas.HandleAllocated() ? Canvas.Handle() : nullptr) {
    Canvas.SetHandle(DC);
  }
  ~TCanvasBinding() { FCanvas.SetHandle(FSaved); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

 private:
  TCanvas& FCanvas;
  HDC FSaved;
};

// Four rings from the outside in, written (not blended) into R of Target. Corner is the pixel
// each ring takes from the ring outside it; Step shrinks the rectangle towards the window.
void FillRings(TvxBitmap& Target, TRect R, TPoint (*Corner)(const TRect&), void (*Step)(TRect&)) {
  const bool Blend = Target.AlphaBlend();
  Target.SetAlphaBlend(false);
  const Integer Reductions[] = {120, 70, 20, 0};
  for (int Ring = 0; Ring < 4 && !R.IsEmpty(); ++Ring) {
    Target.FillRect(R, AdjustPixel(ShadowColor, 0, 0, -Reductions[Ring], 0));
    if (Ring == 3) break;
    const TPoint P = Corner(R);
    Target.SetPixel(P.X, P.Y, AdjustPixel(ShadowColor, 0, 0, -Reductions[Ring == 0 ? 0 : Ring - 1], 0));
    Step(R);
  }
  Target.SetAlphaBlend(Blend);
}

// Copies piece R of a finished buffer to the same place on a window's context through GDI, so
// that the platform sees the drawing (a window surface written behind its back is not shown).
void CopyPiece(const TvxBitmap& Source, HDC DC, const TRect& R, Integer X, Integer Y) {
  if (R.IsEmpty()) return;
  BitBlt(DC, X, Y, R.Width(), R.Height(), Source.DC(), R.Left, R.Top, SRCCOPY);
}

}  // namespace

// [Frame painting] ------------------------------------------------------------------------------

void TVxDefaultForm::PaintShadow(TvxBitmap& Target, const TRect& C) {
  const Integer S = FShadow->Size();
  const bool Blend = Target.AlphaBlend();
  Target.SetAlphaBlend(false);
  // Right strip: the key colour above the shadow, so that the screen shows there.
  Target.FillRect(Rect(C.Right, 0, FFullWidth, S), KeyColor);
  FillRings(
      Target, Rect(C.Right, S, FFullWidth, C.Bottom),
      [](const TRect& R) {
        return TPoint{R.Right - 1, R.Top};
      },
      [](TRect& R) {
        --R.Right;
        ++R.Top;
      });
  Target.Underlay(*FBackground, C.Right, 0, Rect(C.Right, 0, FFullWidth, FFullHeight));
  // Bottom strip.
  Target.FillRect(Rect(0, C.Bottom, S, FFullHeight), KeyColor);
  FillRings(
      Target, Rect(S, C.Bottom, FWindowWidth, FFullHeight),
      [](const TRect& R) {
        return TPoint{R.Left, R.Bottom - 1};
      },
      [](TRect& R) {
        ++R.Left;
        --R.Bottom;
      });
  Target.Underlay(*FBackground, 0, C.Bottom, Rect(0, C.Bottom, C.Right, FFullHeight));
  // The corner between them.
  FillRings(
      Target, Rect(C.Right, C.Bottom, FFullWidth, FFullHeight),
      [](const TRect& R) {
        return TPoint{R.Right - 1, R.Bottom - 1};
      },
      [](TRect& R) {
        --R.Right;
        --R.Bottom;
      });
  Target.Underlay(*FBackground, C.Right, C.Bottom, Rect(C.Right, C.Bottom, FFullWidth, FFullHeight));
  Target.SetAlphaBlend(Blend);
}

void TVxDefaultForm::PaintNonClient() {
  TForm* F = Form();
  if (!F || !F->HandleAllocated() || !FHooked) return;
  TRect C = GetClientBounds();
  const bool Shadowed = ShadowVisible();
  // The shadow lies outside the frame: the client rectangle's right and bottom are the frame's
  // inner edges, the window's own edges when there is no frame there.
  if (Shadowed) {
    C.Right = std::min(C.Right, FWindowWidth);
    C.Bottom = std::min(C.Bottom, FWindowHeight);
  }
  if ((C.Left == 0 && C.Top == 0 && !Shadowed) || FFullWidth <= 0 || FFullHeight <= 0 || !FPaintEnabled) return;
  const bool Blended = FBlending->Enabled();
  std::unique_ptr<TvxBitmap> Temporary;
  TvxBitmap* Target = nullptr;
  TWholeWindowDC WindowDC(F->Handle());
  HDC TargetDC = nullptr;
  if (FAnimating && FAnimImage) {
    Target = FAnimImage;
  } else {
    switch (FPerformance) {
      case TVxFormPerformance::zqfpSharedBuffer: {
        TvxBitmap& Shared = SharedPaintBuffer();
        if (Shared.Width() < FFullWidth || Shared.Height() < FFullHeight)
          Shared.SetSize(std::max(Shared.Width(), FFullWidth), std::max(Shared.Height(), FFullHeight));
        Target = &Shared;
        break;
      }
      case TVxFormPerformance::zqfpPersistentBuffer:
        if (!FPersistentBuffer) FPersistentBuffer = std::make_unique<TvxBitmap>();
        if (FPersistentBuffer->Width() != FFullWidth || FPersistentBuffer->Height() != FFullHeight)
          FPersistentBuffer->SetSize(FFullWidth, FFullHeight);
        Target = FPersistentBuffer.get();
        break;
      case TVxFormPerformance::zqfpDoubleBuffer:
        Temporary = std::make_unique<TvxBitmap>();
        Temporary->SetSize(FFullWidth, FFullHeight);
        Target = Temporary.get();
        break;
      case TVxFormPerformance::zqfpNoBuffer:
        if (Shadowed || Blended) {
          Temporary = std::make_unique<TvxBitmap>();
          Temporary->SetSize(FFullWidth, FFullHeight);
          Target = Temporary.get();
        }
        break;
    }
  }
  TargetDC = Target ? Target->DC() : WindowDC.Get();
  if (!TargetDC) return;
  TCanvas Canvas(TargetDC);
  {
    TDCState State(TargetDC);
    if (Shadowed && Target) PaintShadow(*Target, C);
    ExcludeClipRect(TargetDC, C.Left, C.Top, C.Right, C.Bottom);
    if (Blended && Target) {
      Target->SetAlphaBlend(true);
      try {
        PaintFrame(Canvas);
      } catch (...) {
        Target->SetAlphaBlend(false);
        throw;
      }
      const Byte Value = Byte(FBlending->Value());
      const TRect Strips[] = {Rect(0, 0, FWindowWidth, C.Top), Rect(0, C.Bottom, FWindowWidth, FWindowHeight),
                              Rect(0, C.Top, C.Left, FWindowHeight), Rect(C.Right, C.Top, FWindowWidth, FWindowHeight)};
      for (const TRect& R : Strips) Target->SetAlphaRect(Value, R);
      const TRect Under[] = {Rect(0, 0, FWindowWidth, C.Top), Rect(0, C.Bottom, FWindowWidth, FWindowHeight),
                             Rect(0, C.Top, C.Left, C.Bottom), Rect(C.Right, C.Top, FWindowWidth, C.Bottom)};
      for (const TRect& R : Under)
        if (!R.IsEmpty()) Target->Underlay(*FBackground, R.Left, R.Top, R);
      Target->SetAlphaBlend(false);
    } else {
      PaintFrame(Canvas);
    }
  }
  Canvas.SetHandle(nullptr);
  if (!FAnimating && Target && Target != FAnimImage && WindowDC.Get()) {
    const TRect Pieces[] = {Rect(0, 0, FFullWidth, C.Top), Rect(C.Left, C.Bottom, C.Right, FFullHeight),
                            Rect(0, C.Top, C.Left, FFullHeight), Rect(C.Right, C.Top, FFullWidth, FFullHeight)};
    for (const TRect& R : Pieces) CopyPiece(*Target, WindowDC.Get(), R, R.Left, R.Top);
  }
}

// [Client background] ---------------------------------------------------------------------------

void TVxDefaultForm::DoPaint() {
  if (OnPaint && !Loading())
    OnPaint(this);
  else
    PaintBackground();
}

void TVxDefaultForm::EraseBackground(HDC MessageDC, const TRect* PartialRecord) {
  TForm* F = Form();
  // A maximized MDI child covers the MDI client: nothing of the background would show.
  if (!F || !F->HandleAllocated() || !FPaintEnabled || MDIChildMaximized()) return;
  // The record is a 32-bit Whole flag followed by the rectangle.
  const auto* Record = reinterpret_cast<const int32_t*>(PartialRecord);
  const bool Whole = !Record || Record[0] != 0;
  const TRect R = Record ? *reinterpret_cast<const TRect*>(Record + 1) : TRect{};
  TWindowDC OwnDC(MessageDC ? nullptr : F->Handle());
  HDC D = MessageDC ? MessageDC : OwnDC.Get();
  if (!D) return;
  const TRect C = GetClientBounds();
  const TRect Client = C.Offset(-C.Left, -C.Top);
  if (Client.IsEmpty()) return;
  const bool Blended = FBlending->Enabled();
  // Composes the client's piece of the capture under Bitmap's client pixels.
  auto Compose = [&](TvxBitmap& Bitmap, const TRect& Area) {
    if (!Blended) return;
    Bitmap.SetAlphaRect(Byte(FBlending->Value()), Area);
    Bitmap.Underlay(*FBackground, Area.Left, Area.Top, Area.Offset(C.Left, C.Top));
  };
  if (!FAnimating || Record) {
    TvxBitmap* Buffer = nullptr;
    std::unique_ptr<TvxBitmap> Temporary;
    switch (FPerformance) {
      case TVxFormPerformance::zqfpNoBuffer:
        if (Blended) {
          Temporary = std::make_unique<TvxBitmap>();
          Temporary->SetSize(std::max<Integer>(FWindowWidth, 1), std::max<Integer>(FWindowHeight, 1));
          Buffer = Temporary.get();
        }
        break;
      case TVxFormPerformance::zqfpSharedBuffer: {
        TvxBitmap& Shared = SharedPaintBuffer();
        if (Shared.Width() < FWindowWidth || Shared.Height() < FWindowHeight)
          Shared.SetSize(std::max(Shared.Width(), FWindowWidth), std::max(Shared.Height(), FWindowHeight));
        Buffer = &Shared;
        break;
      }
      case TVxFormPerformance::zqfpPersistentBuffer:
        if (!FPersistentBuffer) FPersistentBuffer = std::make_unique<TvxBitmap>();
        if (FPersistentBuffer->Width() < FFullWidth || FPersistentBuffer->Height() < FFullHeight)
          FPersistentBuffer->SetSize(std::max<Integer>(FFullWidth, 1), std::max<Integer>(FFullHeight, 1));
        Buffer = FPersistentBuffer.get();
        break;
      case TVxFormPerformance::zqfpDoubleBuffer:
        Temporary = std::make_unique<TvxBitmap>();
        Temporary->SetSize(std::max<Integer>(FWindowWidth, 1), std::max<Integer>(FWindowHeight, 1));
        Buffer = Temporary.get();
        break;
    }
    if (!Buffer) {
      TCanvasBinding Bind(*FFormCanvas, D);
      DoPaint();
      return;
    }
    {
      TCanvasBinding Bind(*FFormCanvas, Buffer->DC());
      DoPaint();
    }
    if (Whole) {
      Compose(*Buffer, Client);
      CopyPiece(*Buffer, D, Client, 0, 0);
    } else {
      const TRect Piece = Intersect(R, Client);
      if (Piece.IsEmpty()) return;
      Compose(*Buffer, Piece);
      CopyPiece(*Buffer, D, Piece, Piece.Left, Piece.Top);
    }
    return;
  }
  // The show animation: the client lands in the animation image at its place in the window.
  HDC ImageDC = FAnimImage->DC();
  {
    TDCState State(ImageDC);
    IntersectClipRect(ImageDC, 0, 0, C.Right, C.Bottom);
    OffsetWindowOrgEx(ImageDC, -C.Left, -C.Top, nullptr);
    TCanvasBinding Bind(*FFormCanvas, ImageDC);
    DoPaint();
  }
  if (Blended) {
    FAnimImage->SetAlphaRect(Byte(FBlending->Value()), C);
    FAnimImage->Underlay(*FBackground, C.Left, C.Top, C);
  }
}

void TVxDefaultForm::PaintForChild(HDC DC, const TRect& ChildBounds) {
  FChildPaint = true;
  FChildBounds = ChildBounds;
  try {
    EraseBackground(DC, nullptr);
  } catch (...) {
    FChildPaint = false;
    throw;
  }
  FChildPaint = false;
}

// [Background capture] --------------------------------------------------------------------------

void TVxDefaultForm::UpdateBackground(const TRect& R) {
  if (Designing() || !Form() || R == FLastCaptureRect || FCaptureSuspended || R.IsEmpty()) return;
  if (!(FBlending->Enabled() ||
        (FWindowState != TVxWindowState::kwsMaximized && FPrevState != TVxWindowState::kwsMaximized))) {
    if (FPrevState == TVxWindowState::kwsMaximized) FPrevState = TVxWindowState::kwsNormal;
    return;
  }
  auto N = std::make_unique<TvxBitmap>();
  N->SetSize(R.Width(), R.Height());
  const TRect I = Intersect(R, FLastCaptureRect);
  const TRect A = I.Offset(-FLastCaptureRect.Left, -FLastCaptureRect.Top);
  const TRect B = I.Offset(-R.Left, -R.Top);
  TWindowDC Screen(nullptr);
  auto Copy = [&](const TRect& Part) {
    if (Part.IsEmpty() || !Screen.Get()) return;
    BitBlt(N->DC(), Part.Left, Part.Top, Part.Width(), Part.Height(), Screen.Get(), R.Left + Part.Left,
           R.Top + Part.Top, SRCCOPY);
  };
  if (I.IsEmpty()) {
    Copy(Rect(0, 0, R.Width(), R.Height()));
  } else {
    Copy(Rect(0, 0, B.Left, R.Height()));
    Copy(Rect(0, 0, R.Width(), B.Top));
    Copy(Rect(B.Right, 0, R.Width(), R.Height()));
    Copy(Rect(0, B.Bottom, R.Width(), R.Height()));
  }
  // What the screen read shows as opaque pixels.
  N->SetAlpha(255);
  if (!FLastCaptureRect.IsEmpty() && !I.IsEmpty() && !FBackground->Empty()) FBackground->DrawTo(*N, B.Left, B.Top, A);
  FBackground = std::move(N);
  FLastCaptureRect = R;
}

// [Region] --------------------------------------------------------------------------------------

HRGN TVxDefaultForm::GetRegion() {
  const TRect C = GetClientBounds();
  if (VisualStylesActive() && FBorderStyle != TVxBorderStyle::kbsNone && FBorderStyle != TVxBorderStyle::kbsBorder &&
      Form() && ThemeFunctions().GetThemeBackgroundRegion) {
    TVisualStyle Style(Form()->Handle(), L"Window");
    HRGN Caption = nullptr;
    const int Part = (FBorderStyle == TVxBorderStyle::kbsStandard || FBorderStyle == TVxBorderStyle::kbsDialog) ? 1 : 2;
    const RECT Band{0, 0, FWindowWidth, C.Top};
    if (Style && C.Top > 0 &&
        SUCCEEDED(ThemeFunctions().GetThemeBackgroundRegion(Style.Handle(), nullptr, Part, 1, &Band, &Caption)) &&
        Caption) {
      HRGN Body = CreateRectRgn(0, C.Top, FWindowWidth, FWindowHeight);
      CombineRgn(Body, Body, Caption, RGN_OR);
      DeleteObject(Caption);
      return Body;
    }
  }
  return CreateRectRgn(0, 0, FWindowWidth, FWindowHeight);
}

void TVxDefaultForm::UpdateRegion() {
  TForm* F = Form();
  if (FPerformance == TVxFormPerformance::zqfpPersistentBuffer) {
    if (!FPersistentBuffer) FPersistentBuffer = std::make_unique<TvxBitmap>();
    if (FFullWidth > 0 && FFullHeight > 0) FPersistentBuffer->SetSize(FFullWidth, FFullHeight);
  }
  if (F && F->HandleAllocated() && FHooked && FWindowWidth > 0 && FWindowHeight > 0) {
    FPaintEnabled = false;
    TRegionHandle Region(GetRegion());
    if (Region && ShadowVisible()) {
      TRegionHandle Moved(GetRegion());
      if (Moved) {
        OffsetRgn(Moved.Get(), FShadow->Size(), FShadow->Size());
        CombineRgn(Region.Get(), Region.Get(), Moved.Get(), RGN_OR);
      }
    }
    // The window owns the region once it is set.
    if (SetWindowRgn(F->Handle(), Region.Get(), TRUE)) Region.Release();
  }
  FPaintEnabled = true;
  if (OnResize) OnResize(this);
}

// [Show animation] ------------------------------------------------------------------------------

void TVxDefaultForm::PlayShowAnimation() {
  TForm* F = Form();
  if (!FAnimation->Enabled() || !F || Designing() || FFullWidth <= 0 || FFullHeight <= 0) return;
  const bool HoldInput = HoldsInputWhileShowing();
  if (HoldInput) {
    if (!ProcessPendingPaints()) return;
  } else if (Application) {
    Application->ProcessMessages();
  }
  auto Image = std::make_unique<TvxBitmap>();
  struct TAnimationEnd {
    TVxDefaultForm* Self;
    ~TAnimationEnd() {
      Self->FAnimating = false;
      Self->FAnimImage = nullptr;
    }
  } End{this};
  Image->SetSize(FFullWidth, FFullHeight);
  FAnimImage = Image.get();
  FAnimating = true;
  RECT W{};
  GetWindowRect(F->Handle(), &W);
  FLastCaptureRect = TRect{};
  UpdateBackground(Rect(W.left, W.top, W.right, W.bottom));
  {
    const bool SavedActive = FCaptionActive;
    FCaptionActive = true;
    PaintNonClient();
    EraseBackground(nullptr, nullptr);
    FCaptionActive = SavedActive;
  }
  const Integer S = ShadowVisible() ? FShadow->Size() : 0;
  TRegionHandle Rgn(GetRegion());
  if (Rgn && S) {
    TRegionHandle Moved(GetRegion());
    OffsetRgn(Moved.Get(), S, S);
    CombineRgn(Rgn.Get(), Rgn.Get(), Moved.Get(), RGN_OR);
  }
  Image->SetAlpha(255);
  Image->MakeTransparent(KeyColor);
  if (Rgn) {
    for (Integer Y = 0; Y < FFullHeight; ++Y)
      for (Integer X = 0; X < FFullWidth; ++X)
        if ((X <= S || X >= FWindowWidth || Y <= S || Y >= FWindowHeight) && !PtInRegion(Rgn.Get(), X, Y))
          Image->SetPixel(X, Y, KeyColor);
  }
  const TRect C = GetClientBounds();
  // Windowed children paint themselves into the image at their place.
  for (Integer I = 0; I < F->ControlCount(); ++I) {
    auto* Child = dynamic_cast<TWinControl*>(F->Controls(I));
    if (!Child || !Child->Visible() || !Child->HandleAllocated()) continue;
    TDCState State(Image->DC());
    OffsetWindowOrgEx(Image->DC(), -(C.Left + Child->Left()), -(C.Top + Child->Top()), nullptr);
    SendMessageA(Child->Handle(), WM_PRINT, WPARAM(Image->DC()),
                 PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  }
  TWindowDC Screen(nullptr);
  if (!Screen.Get()) return;
  TCanvas Canvas(Screen.Get());
  Animate(Canvas, W.left, W.top, FAnimation->AnimationRec(), *Image, *FBackground, HoldInput);
  Canvas.SetHandle(nullptr);
}

// [Parent-background painter] -------------------------------------------------------------------

namespace {

void PaintFormParent(TCanvas& Canvas, const TVxParentPaintInfo& Info) {
  TWinControl* Parent = Info.Parent;
  if (Info.Control && Info.Control->ComponentState().Contains(TComponentStateFlag::csDesigning)) {
    Canvas.Brush().SetColor(Parent->Color());
    Canvas.FillRect(Info.ControlRect);
    return;
  }
  TVxDefaultForm* Skinned = FindSkinnedForm(Parent);
  if (Skinned && Skinned->Form() && Parent == Skinned->Form()) {
    Skinned->PaintForChild(Canvas.Handle(), Info.ControlRect);
    return;
  }
  TVxCustomMDIChild* Child = FindSkinnedMDIChild(Parent);
  if (Child && Child->Form() && Parent == Child->Form()) {
    Child->PaintForChild(Canvas.Handle(), Info.ControlRect);
    return;
  }
  Canvas.Brush().SetColor(Parent->Color());
  Canvas.FillRect(Info.ControlRect);
}

}  // namespace

void RegisterFormClasses() {
  RegisterClass(TVxSizeConstraints::StaticClassInfo());
  RegisterClass(TVxDefaultForm::StaticClassInfo());
  RegisterClass(TVxForm::StaticClassInfo());
  RegisterParentPainter(TForm::StaticClassInfo(), PaintFormParent);
  RegisterParentPainter(TVxForm::StaticClassInfo(), PaintFormParent);
}
