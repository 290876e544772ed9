// TCanvas: drawing on a device context with a pen, a brush and a font that follow their
// attributes. The canvas selects its objects into the DC lazily, before each drawing call that
// needs them, and puts the DC's own objects back when it lets go of the DC. Windows only.
//
// TPen and TBrush are the attribute objects; each creates its GDI object on first use and drops
// it when an attribute changes, like TFont. Who owns the DC: a TCanvas made over a DC borrows it;
// the control and bitmap canvases of the framework hand theirs in and take them back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/platform_handles.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"

class TGraphic;

// <windows.h> maps TextOut to TextOutA; here it is the canvas's own name, the same in every unit.
#ifdef TextOut
#undef TextOut
#endif

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The raster operations the framework uses: plain drawing, inverting (rubber bands) and xor.
enum class TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TPen : public TPersistent {
 public:
  TPen() = default;
  ~TPen() override;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;
  void Assign(const TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  HPEN Handle() const;

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
  TPenMode FMode = TPenMode::pmCopy;
  mutable HPEN FHandle = nullptr;
};

class TBrush : public TPersistent {
 public:
  TBrush() = default;
  ~TBrush() override;
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;
  void Assign(const TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // The stock null brush for bsClear.
  HBRUSH Handle() const;

  std::function<void()> OnChange;

 private:
  void Changed();
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
  mutable HBRUSH FHandle = nullptr;
};

class TCanvas : public TPersistent {
 public:
  TCanvas();
  // Borrows DC until the canvas is destroyed or given another handle.
  explicit TCanvas(HDC DC);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Lets go of the current DC (restoring its objects) and takes DC, which may be nil.
  void SetHandle(HDC DC);
  // The DC, asking CreateHandle for one when the canvas has none. Drawing through the handle
  // directly bypasses the lazy selection: call RequireObjects first.
  HDC Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Selects the current pen, brush and font into the DC and sets the text colour.
  void RequireObjects();

  TFont& Font() { return FFont; }
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }

  // [Shapes] Rectangle and Ellipse are outlined with the pen and filled with the brush.
  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  TPoint PenPos();
  void Rectangle(const TRect& R);
  void Ellipse(const TRect& R);
  void RoundRect(const TRect& R, Integer CornerW, Integer CornerH);
  void Polygon(const std::vector<TPoint>& Points);
  void Polyline(const std::vector<TPoint>& Points);
  // With the brush only.
  void FillRect(const TRect& R);
  // A one-pixel frame in the brush colour.
  void FrameRect(const TRect& R);
  void DrawFocusRect(const TRect& R);

  // [Text] In the font, on the brush colour unless the brush is bsClear.
  void TextOut(Integer X, Integer Y, const std::string& Text);
  void TextOutW(Integer X, Integer Y, const std::wstring& Text);
  // Text at (X, Y), clipped to R; R is filled first unless the brush is bsClear.
  void TextRect(const TRect& R, Integer X, Integer Y, const std::string& Text);
  TSize TextExtent(const std::string& Text);
  TSize TextExtentW(const std::wstring& Text);
  Integer TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  Integer TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

  // [Graphics] At its own size, or stretched into R.
  void Draw(Integer X, Integer Y, const TGraphic& Graphic);
  void StretchDraw(const TRect& R, const TGraphic& Graphic);

  // [Pixels, copies and clipping]
  TColor Pixel(Integer X, Integer Y);
  void SetPixel(Integer X, Integer Y, TColor Color);
  // Copies Source's SrcRect (stretched) into DestRect.
  void CopyRect(const TRect& DestRect, TCanvas& Source, const TRect& SrcRect);
  // The DC's clip box in logical coordinates.
  TRect ClipRect();
  // Narrows the clip to R. SaveState and RestoreState bracket a temporary clip (or any DC state).
  void IntersectClip(const TRect& R);
  int SaveState();
  void RestoreState(int Saved);

 protected:
  // A canvas that makes its own DC (a control's, a bitmap's) overrides this.
  virtual void CreateHandle() {}

 private:
  void ReleaseSelections();
  void ObjectChanged();

  HDC FHandle = nullptr;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  bool FObjectsSelected = false;
  void* FOldPen = nullptr;
  void* FOldBrush = nullptr;
  void* FOldFont = nullptr;
};
