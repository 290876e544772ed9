// The demo window's picture: a header and a grid of labelled cells, each showing one engine
// operation on the demo images. Everything lands in one off-screen bitmap: first all pixel work,
// then the GDI part (text, the HRGN preview) on that bitmap's DC.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/graphics/gdi_handles.h"
#include "tools/demo/demo_images.h"

class TDemoScene {
 public:
  // Images must outlive the scene.
  explicit TDemoScene(const TDemoImages& Images);
  // Paints all of Buffer. The grid fills it; its figures are sized for a 760 x 520 buffer.
  void Paint(TvxBitmap& Buffer);

 private:
  enum class TAlign { Left, Centre, Right };
  struct TLabel {
    TRect R;
    std::string Text;
    COLORREF Color;
    TAlign Align;
    bool Bold;
  };
  struct TFigure {
    Integer W, H;
    std::string Caption;
  };

  void PaintHeader();
  // Draws the cell's frame and title; returns the rectangle left for its figures.
  TRect PaintCell(Integer Col, Integer Row, Integer Span, const char* Title, const char* Api);
  // Lays figures out in a centred row with their captions beneath; returns their rectangles.
  std::vector<TRect> Figures(const TRect& Content, std::initializer_list<TFigure> List);
  void AddLabel(const TRect& R, std::string Text, COLORREF Color, TAlign Align, bool Bold = false);
  Integer TextWidth(const std::string& Text, bool Bold) const;
  void PaintGdiPart();

  // One per cell, in the order of the table in Paint.
  void PaintCopy(const TRect& C);
  void PaintKey(const TRect& C);
  void PaintAlpha(const TRect& C);
  void PaintSilhouette(const TRect& C);
  void PaintStretchUp(const TRect& C);
  void PaintStretchDown(const TRect& C);
  void PaintTile(const TRect& C);
  void PaintUnderlay(const TRect& C);
  void PaintNinePiece(const TRect& C);
  void PaintHue(const TRect& C);
  void PaintBrightness(const TRect& C);
  void PaintFillRect(const TRect& C);
  void PaintRegion(const TRect& C);

  const TDemoImages& FImages;
  TFontHandle FFont;
  TFontHandle FBoldFont;
  TvxBitmap* FBuffer = nullptr;
  Integer FColumnWidth = 0;
  Integer FRowHeight = 0;
  std::vector<TLabel> FLabels;
  // GDI drawing other than labels, run after the pixel work.
  std::vector<std::function<void(HDC)>> FGdiWork;
};
