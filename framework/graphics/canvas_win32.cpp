#include <windows.h>

#include <utility>

#include "framework/graphics/canvas.h"
#include "framework/graphics/graphic.h"

namespace {

int PenStyleFlag(TPenStyle Style) {
  switch (Style) {
    case TPenStyle::psSolid: return PS_SOLID;
    case TPenStyle::psDash: return PS_DASH;
    case TPenStyle::psDot: return PS_DOT;
    case TPenStyle::psDashDot: return PS_DASHDOT;
    case TPenStyle::psDashDotDot: return PS_DASHDOTDOT;
    case TPenStyle::psClear: return PS_NULL;
    case TPenStyle::psInsideFrame: return PS_INSIDEFRAME;
  }
  return PS_SOLID;
}

int PenModeRop(TPenMode Mode) {
  switch (Mode) {
    case TPenMode::pmCopy: return R2_COPYPEN;
    case TPenMode::pmNot: return R2_NOT;
    case TPenMode::pmXor: return R2_XORPEN;
    case TPenMode::pmNotXor: return R2_NOTXORPEN;
  }
  return R2_COPYPEN;
}

int HatchFlag(TBrushStyle Style) {
  switch (Style) {
    case TBrushStyle::bsHorizontal: return HS_HORIZONTAL;
    case TBrushStyle::bsVertical: return HS_VERTICAL;
    case TBrushStyle::bsFDiagonal: return HS_FDIAGONAL;
    case TBrushStyle::bsBDiagonal: return HS_BDIAGONAL;
    case TBrushStyle::bsCross: return HS_CROSS;
    default: return HS_DIAGCROSS;
  }
}

RECT ToRECT(const TRect& R) { return {R.Left, R.Top, R.Right, R.Bottom}; }

template <typename T, typename V>
bool Update(T& Field, const V& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

// [TPen]

TPen::~TPen() {
  if (FHandle) DeleteObject(FHandle);
}

void TPen::Assign(const TPersistent* Source) {
  if (auto* Pen = dynamic_cast<const TPen*>(Source)) {
    FColor = Pen->FColor;
    FWidth = Pen->FWidth;
    FStyle = Pen->FStyle;
    FMode = Pen->FMode;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Update(FColor, Value)) Changed();
}
void TPen::SetWidth(Integer Value) {
  if (Update(FWidth, std::max<Integer>(Value, 0))) Changed();
}
void TPen::SetStyle(TPenStyle Value) {
  if (Update(FStyle, Value)) Changed();
}
void TPen::SetMode(TPenMode Value) {
  if (Update(FMode, Value)) Changed();
}

void TPen::Changed() {
  // Observers let go of the old handle (a canvas deselects it) before it is deleted.
  HPEN Old = std::exchange(FHandle, nullptr);
  if (OnChange) OnChange();
  if (Old) DeleteObject(Old);
}

HPEN TPen::Handle() const {
  if (!FHandle) FHandle = CreatePen(PenStyleFlag(FStyle), FWidth, ColorToRGB(FColor));
  return FHandle;
}

// [TBrush]

TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}

void TBrush::Assign(const TPersistent* Source) {
  if (auto* Brush = dynamic_cast<const TBrush*>(Source)) {
    FColor = Brush->FColor;
    FStyle = Brush->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  // A colour means a visible brush again, as a designer expects after clearing it.
  bool Changing = Update(FColor, Value);
  if (FStyle == TBrushStyle::bsClear) Changing |= Update(FStyle, TBrushStyle::bsSolid);
  if (Changing) Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
  if (Update(FStyle, Value)) Changed();
}

void TBrush::Changed() {
  // Observers let go of the old handle (a canvas deselects it) before it is deleted.
  HBRUSH Old = std::exchange(FHandle, nullptr);
  if (OnChange) OnChange();
  if (Old) DeleteObject(Old);
}

HBRUSH TBrush::Handle() const {
  if (FStyle == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!FHandle) {
    const COLORREF C = ColorToRGB(FColor);
    FHandle = FStyle == TBrushStyle::bsSolid ? CreateSolidBrush(C) : CreateHatchBrush(HatchFlag(FStyle), C);
  }
  return FHandle;
}

// [TCanvas]

TCanvas::TCanvas() {
  FFont.OnChange = [this] { ObjectChanged(); };
  FPen.OnChange = [this] { ObjectChanged(); };
  FBrush.OnChange = [this] { ObjectChanged(); };
}

TCanvas::TCanvas(HDC DC) : TCanvas() { FHandle = DC; }

TCanvas::~TCanvas() { ReleaseSelections(); }

void TCanvas::SetHandle(HDC DC) {
  if (DC == FHandle) return;
  ReleaseSelections();
  FHandle = DC;
}

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::ObjectChanged() {
  // The DC may still hold the handle being dropped: put the DC's own objects back first.
  ReleaseSelections();
}

void TCanvas::ReleaseSelections() {
  if (!FHandle || !FObjectsSelected) return;
  SelectObject(FHandle, static_cast<HGDIOBJ>(FOldPen));
  SelectObject(FHandle, static_cast<HGDIOBJ>(FOldBrush));
  SelectObject(FHandle, static_cast<HGDIOBJ>(FOldFont));
  FObjectsSelected = false;
}

void TCanvas::RequireObjects() {
  HDC DC = Handle();
  if (!DC) return;
  if (!FObjectsSelected) {
    FOldPen = SelectObject(DC, FPen.Handle());
    FOldBrush = SelectObject(DC, FBrush.Handle());
    FOldFont = SelectObject(DC, FFont.Handle());
    FObjectsSelected = true;
  }
  SetROP2(DC, PenModeRop(FPen.Mode()));
  SetTextColor(DC, ColorToRGB(FFont.Color()));
  SetBkColor(DC, ColorToRGB(FBrush.Color()));
  SetBkMode(DC, FBrush.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::MoveTo(Integer X, Integer Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(Integer X, Integer Y) {
  RequireObjects();
  ::LineTo(FHandle, X, Y);
}

TPoint TCanvas::PenPos() {
  POINT P{};
  GetCurrentPositionEx(Handle(), &P);
  return {P.x, P.y};
}

void TCanvas::Rectangle(const TRect& R) {
  RequireObjects();
  ::Rectangle(FHandle, R.Left, R.Top, R.Right, R.Bottom);
}

void TCanvas::Ellipse(const TRect& R) {
  RequireObjects();
  ::Ellipse(FHandle, R.Left, R.Top, R.Right, R.Bottom);
}

void TCanvas::RoundRect(const TRect& R, Integer CornerW, Integer CornerH) {
  RequireObjects();
  ::RoundRect(FHandle, R.Left, R.Top, R.Right, R.Bottom, CornerW, CornerH);
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  RequireObjects();
  std::vector<POINT> P(Points.size());
  for (size_t I = 0; I < Points.size(); ++I) P[I] = {Points[I].X, Points[I].Y};
  ::Polygon(FHandle, P.data(), static_cast<int>(P.size()));
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  RequireObjects();
  std::vector<POINT> P(Points.size());
  for (size_t I = 0; I < Points.size(); ++I) P[I] = {Points[I].X, Points[I].Y};
  ::Polyline(FHandle, P.data(), static_cast<int>(P.size()));
}

void TCanvas::FillRect(const TRect& R) {
  RequireObjects();
  const RECT W = ToRECT(R);
  ::FillRect(FHandle, &W, FBrush.Handle());
}

void TCanvas::FrameRect(const TRect& R) {
  RequireObjects();
  const RECT W = ToRECT(R);
  ::FrameRect(FHandle, &W, FBrush.Handle());
}

void TCanvas::DrawFocusRect(const TRect& R) {
  RequireObjects();
  const RECT W = ToRECT(R);
  ::DrawFocusRect(FHandle, &W);
}

void TCanvas::TextOut(Integer X, Integer Y, const std::string& Text) {
  RequireObjects();
  ::TextOutA(FHandle, X, Y, Text.data(), static_cast<int>(Text.size()));
}

void TCanvas::TextOutW(Integer X, Integer Y, const std::wstring& Text) {
  RequireObjects();
  ::TextOutW(FHandle, X, Y, Text.data(), static_cast<int>(Text.size()));
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const std::string& Text) {
  RequireObjects();
  const RECT W = ToRECT(R);
  const UINT Options = ETO_CLIPPED | (FBrush.Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutA(FHandle, X, Y, Options, &W, Text.data(), static_cast<UINT>(Text.size()), nullptr);
}

TSize TCanvas::TextExtent(const std::string& Text) {
  RequireObjects();
  SIZE S{};
  GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &S);
  return {S.cx, S.cy};
}

TSize TCanvas::TextExtentW(const std::wstring& Text) {
  RequireObjects();
  SIZE S{};
  GetTextExtentPoint32W(FHandle, Text.data(), static_cast<int>(Text.size()), &S);
  return {S.cx, S.cy};
}

void TCanvas::Draw(Integer X, Integer Y, const TGraphic& Graphic) {
  if (Graphic.Empty()) return;
  Graphic.Draw(*this, Bounds(X, Y, Graphic.Width(), Graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic& Graphic) {
  if (Graphic.Empty()) return;
  Graphic.Draw(*this, R);
}

TColor TCanvas::Pixel(Integer X, Integer Y) { return static_cast<TColor>(GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixel(Integer X, Integer Y, TColor Color) { ::SetPixel(Handle(), X, Y, ColorToRGB(Color)); }

void TCanvas::CopyRect(const TRect& DestRect, TCanvas& Source, const TRect& SrcRect) {
  RequireObjects();
  Source.RequireObjects();
  const int OldMode = SetStretchBltMode(FHandle, COLORONCOLOR);
  StretchBlt(FHandle, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), Source.FHandle, SrcRect.Left,
             SrcRect.Top, SrcRect.Width(), SrcRect.Height(), SRCCOPY);
  SetStretchBltMode(FHandle, OldMode);
}

TRect TCanvas::ClipRect() {
  RECT R{};
  GetClipBox(Handle(), &R);
  return {R.left, R.top, R.right, R.bottom};
}

void TCanvas::IntersectClip(const TRect& R) { IntersectClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom); }

int TCanvas::SaveState() {
  // The saved state must hold the DC's own objects, which RestoreState brings back.
  ReleaseSelections();
  return SaveDC(Handle());
}

void TCanvas::RestoreState(int Saved) {
  // RestoreDC also brings back the objects selected at SaveDC time.
  ::RestoreDC(Handle(), Saved);
  FObjectsSelected = false;
}
