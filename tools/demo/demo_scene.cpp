#include "tools/demo/demo_scene.h"

#include <algorithm>

namespace {

constexpr Integer HeaderHeight = 28;
constexpr Integer Margin = 8;
constexpr Integer Columns = 4;
constexpr Integer Rows = 4;
constexpr Integer TitleHeight = 20;
constexpr Integer CaptionHeight = 14;

constexpr TvxColor WindowBack = 0xFFE3E7ED;
constexpr TvxColor CellBack = 0xFFFBFCFD;
constexpr TvxColor CellBorder = 0xFFC2C9D4;
constexpr TvxColor TitleBack = 0xFFEDF1F6;
constexpr TvxColor TitleLine = 0xFFD8DEE7;
constexpr TvxColor FigureFrame = 0xFFAEB6C2;

const COLORREF TitleText = RGB(38, 46, 60);
const COLORREF ApiText = RGB(112, 124, 142);
const COLORREF CaptionText = RGB(92, 102, 118);

// Corners at their own size, edges stretched along one axis, the centre both ways.
void DrawNinePiece(const TvxBitmap& Source, TvxBitmap& Target, const TRect& Dest, const TRect& Margins) {
  const Integer SX[4] = {0, Margins.Left, Source.Width() - Margins.Right, Source.Width()};
  const Integer SY[4] = {0, Margins.Top, Source.Height() - Margins.Bottom, Source.Height()};
  const Integer DX[4] = {Dest.Left, Dest.Left + Margins.Left, Dest.Right - Margins.Right, Dest.Right};
  const Integer DY[4] = {Dest.Top, Dest.Top + Margins.Top, Dest.Bottom - Margins.Bottom, Dest.Bottom};
  for (int Row = 0; Row < 3; ++Row)
    for (int Col = 0; Col < 3; ++Col)
      Source.StretchDrawTo(Target, Rect(DX[Col], DY[Row], DX[Col + 1], DY[Row + 1]),
                           Rect(SX[Col], SY[Row], SX[Col + 1], SY[Row + 1]));
}

TRect Inflate(const TRect& R, Integer D) { return {R.Left - D, R.Top - D, R.Right + D, R.Bottom + D}; }

TFontHandle MakeFont(int Weight) {
  return TFontHandle(CreateFontA(-13, 0, 0, 0, Weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

}  // namespace

TDemoScene::TDemoScene(const TDemoImages& Images)
    : FImages(Images), FFont(MakeFont(FW_NORMAL)), FBoldFont(MakeFont(FW_BOLD)) {}

void TDemoScene::Paint(TvxBitmap& Buffer) {
  struct TCell {
    Integer Col, Row, Span;
    const char* Title;
    const char* Api;
    void (TDemoScene::*PaintFigures)(const TRect&);
  };
  static const TCell Cells[] = {
      {0, 0, 1, "Copy", "DrawTo", &TDemoScene::PaintCopy},
      {1, 0, 1, "Key colour", "SetTransparent", &TDemoScene::PaintKey},
      {2, 0, 1, "Alpha blend", "SetAlphaBlend", &TDemoScene::PaintAlpha},
      {3, 0, 1, "Shadow", "MakeSilhouette", &TDemoScene::PaintSilhouette},
      {0, 1, 1, "Stretch up", "StretchDrawTo", &TDemoScene::PaintStretchUp},
      {1, 1, 1, "Shrink", "StretchDrawTo", &TDemoScene::PaintStretchDown},
      {2, 1, 1, "Tile, odd size", "TileTo", &TDemoScene::PaintTile},
      {3, 1, 1, "Compose beneath", "Underlay", &TDemoScene::PaintUnderlay},
      {0, 2, 2, "Nine-piece button", "StretchDrawTo x 9", &TDemoScene::PaintNinePiece},
      {2, 2, 2, "Hue", "ChangeHue", &TDemoScene::PaintHue},
      {0, 3, 1, "Shade", "ChangeBrightness", &TDemoScene::PaintBrightness},
      {1, 3, 1, "Translucent fill", "FillRect", &TDemoScene::PaintFillRect},
      {2, 3, 2, "Window region", "RegionRects", &TDemoScene::PaintRegion},
  };

  FBuffer = &Buffer;
  FLabels.clear();
  FGdiWork.clear();
  FColumnWidth = (Buffer.Width() - (Columns + 1) * Margin) / Columns;
  FRowHeight = (Buffer.Height() - HeaderHeight - (Rows + 1) * Margin) / Rows;

  Buffer.SetAlphaBlend(false);
  Buffer.SetTransparent(false);
  Buffer.Fill(WindowBack);
  PaintHeader();
  for (const TCell& Cell : Cells)
    (this->*Cell.PaintFigures)(PaintCell(Cell.Col, Cell.Row, Cell.Span, Cell.Title, Cell.Api));
  PaintGdiPart();
  FBuffer = nullptr;
}

// [Layout] -------------------------------------------------------------------------------------

void TDemoScene::PaintHeader() {
  const Integer W = FBuffer->Width();
  for (Integer Y = 0; Y < HeaderHeight; ++Y) {
    const Integer T = 255 * Y / (HeaderHeight - 1);
    FBuffer->FillRect(Rect(0, Y, W, Y + 1), MakePixel(48 - 14 * T / 255, 62 - 18 * T / 255, 92 - 26 * T / 255, 255));
  }
  FBuffer->FillRect(Rect(0, HeaderHeight - 2, W, HeaderHeight), 0xFF4C82D6);
  const TRect Text = Rect(Margin + 2, 0, W - Margin - 2, HeaderHeight - 2);
  AddLabel(Text, "Vexel engine bitmap demo", RGB(255, 255, 255), TAlign::Left, true);
  AddLabel(Text, "every cell drawn into one off-screen TvxBitmap, then Draw(HDC) onto the window", RGB(178, 194, 222),
           TAlign::Right);
}

TRect TDemoScene::PaintCell(Integer Col, Integer Row, Integer Span, const char* Title, const char* Api) {
  const Integer Left = Margin + Col * (FColumnWidth + Margin);
  const Integer Top = HeaderHeight + Margin + Row * (FRowHeight + Margin);
  const TRect Box = Bounds(Left, Top, Span * FColumnWidth + (Span - 1) * Margin, FRowHeight);
  FBuffer->FillRect(Box, CellBorder);
  FBuffer->FillRect(Inflate(Box, -1), CellBack);
  const TRect Strip = Rect(Box.Left + 1, Box.Top + 1, Box.Right - 1, Box.Top + 1 + TitleHeight);
  FBuffer->FillRect(Strip, TitleBack);
  FBuffer->FillRect(Rect(Strip.Left, Strip.Bottom, Strip.Right, Strip.Bottom + 1), TitleLine);
  const TRect Text = Rect(Strip.Left + 7, Strip.Top, Strip.Right - 7, Strip.Bottom);
  AddLabel(Text, Title, TitleText, TAlign::Left, true);
  AddLabel(Text, Api, ApiText, TAlign::Right);
  return Rect(Box.Left + 8, Strip.Bottom + 5, Box.Right - 8, Box.Bottom - 5);
}

std::vector<TRect> TDemoScene::Figures(const TRect& Content, std::initializer_list<TFigure> List) {
  std::vector<Integer> Slots;
  Integer SlotsWidth = 0, TallestImage = 0;
  for (const TFigure& F : List) {
    Slots.push_back(std::max(F.W, TextWidth(F.Caption, false)));
    SlotsWidth += Slots.back();
    TallestImage = std::max(TallestImage, F.H);
  }
  const Integer Count = Integer(List.size());
  const Integer Gap = std::clamp((Content.Width() - SlotsWidth) / (Count + 1), 6, 28);
  Integer X = Content.Left + (Content.Width() - SlotsWidth - Gap * (Count - 1)) / 2;
  const Integer Top = Content.Top + (Content.Height() - TallestImage - CaptionHeight - 2) / 2;

  std::vector<TRect> Result;
  size_t I = 0;
  for (const TFigure& F : List) {
    const Integer Slot = Slots[I++];
    Result.push_back(Bounds(X + (Slot - F.W) / 2, Top + (TallestImage - F.H) / 2, F.W, F.H));
    AddLabel(Bounds(X - 4, Top + TallestImage + 2, Slot + 8, CaptionHeight), F.Caption, CaptionText, TAlign::Centre);
    X += Slot + Gap;
  }
  return Result;
}

// [Cells] --------------------------------------------------------------------------------------

void TDemoScene::PaintCopy(const TRect& C) {
  const TRect Part = Bounds(34, 14, 32, 32);
  const auto F = Figures(C, {{72, 56, "whole image"}, {Part.Width(), Part.Height(), "a SrcRect"}});
  FImages.Landscape.DrawTo(*FBuffer, F[0].Left, F[0].Top);
  FImages.Landscape.DrawTo(*FBuffer, F[1].Left, F[1].Top, Part);
}

void TDemoScene::PaintKey(const TRect& C) {
  TvxBitmap Raw;
  Raw.Assign(&FImages.Star);
  Raw.SetTransparent(false);
  const auto F = Figures(C, {{40, 40, "source pixels"}, {52, 52, "key skipped"}});
  Raw.DrawTo(*FBuffer, F[0].Left, F[0].Top);
  FillChecker(*FBuffer, F[1]);
  FImages.Star.DrawTo(*FBuffer, F[1].Left + 6, F[1].Top + 6);
}

void TDemoScene::PaintAlpha(const TRect& C) {
  const TvxBitmap& Glow = FImages.Glow;
  const auto F =
      Figures(C, {{Glow.Width(), Glow.Height(), "over checker"}, {Glow.Width(), Glow.Height(), "over dark"}});
  FillChecker(*FBuffer, F[0]);
  FBuffer->FillRect(F[1], 0xFF2A3042);
  Glow.DrawTo(*FBuffer, F[0].Left, F[0].Top);
  Glow.DrawTo(*FBuffer, F[1].Left, F[1].Top);
}

void TDemoScene::PaintSilhouette(const TRect& C) {
  TvxBitmap Shadow;
  MakeSilhouette(FImages.Star, RGB(20, 34, 84), Shadow);
  const auto F = Figures(C, {{52, 52, "silhouette"}, {52, 52, "as drop shadow"}});
  FillChecker(*FBuffer, F[0]);
  Shadow.DrawTo(*FBuffer, F[0].Left + 6, F[0].Top + 6);
  Shadow.DrawTo(*FBuffer, F[1].Left + 8, F[1].Top + 9);
  FImages.Star.DrawTo(*FBuffer, F[1].Left + 4, F[1].Top + 4);
}

void TDemoScene::PaintStretchUp(const TRect& C) {
  const TvxBitmap& S = FImages.Sprite;
  const auto F = Figures(
      C, {{S.Width(), S.Height(), "1x"}, {2 * S.Width(), 2 * S.Height(), "2x"}, {5 * S.Width(), 5 * S.Height(), "5x"}});
  for (const TRect& R : F) S.StretchDrawTo(*FBuffer, R, S.BoundsRect());
}

void TDemoScene::PaintStretchDown(const TRect& C) {
  const TvxBitmap& L = FImages.Landscape;
  const auto F = Figures(
      C,
      {{L.Width(), L.Height(), "1x"}, {L.Width() / 2, L.Height() / 2, "1/2"}, {L.Width() / 3, L.Height() / 3, "1/3"}});
  for (const TRect& R : F) L.StretchDrawTo(*FBuffer, R, L.BoundsRect());
}

void TDemoScene::PaintTile(const TRect& C) {
  const TvxBitmap& T = FImages.Tile;
  const auto F = Figures(C, {{T.Width(), T.Height(), "13 x 11"}, {100, 60, "100 x 60"}});
  FrameRect(*FBuffer, Inflate(F[0], 2), FigureFrame);
  T.DrawTo(*FBuffer, F[0].Left, F[0].Top);
  T.TileTo(*FBuffer, F[1], T.BoundsRect());
}

void TDemoScene::PaintUnderlay(const TRect& C) {
  const TvxBitmap& Under = FImages.Landscape;
  TvxBitmap Composed;
  Composed.Assign(&FImages.Glow);
  Composed.Underlay(Under, 0, 0, Under.BoundsRect());
  // The composition now lives in the pixels: a plain copy shows it.
  Composed.SetAlphaBlend(false);
  const auto F =
      Figures(C, {{Under.Width(), Under.Height(), "beneath"}, {Composed.Width(), Composed.Height(), "result, copied"}});
  Under.DrawTo(*FBuffer, F[0].Left, F[0].Top);
  Composed.DrawTo(*FBuffer, F[1].Left, F[1].Top);
}

void TDemoScene::PaintNinePiece(const TRect& C) {
  const TvxBitmap& B = FImages.Button;
  const TRect Margins{8, 8, 8, 8};
  const auto F = Figures(
      C,
      {{B.Width(), B.Height(), "source"}, {88, 40, "plain stretch"}, {88, 40, "nine pieces"}, {40, 60, "nine, tall"}});
  B.DrawTo(*FBuffer, F[0].Left, F[0].Top);
  B.StretchDrawTo(*FBuffer, F[1], B.BoundsRect());
  for (size_t I = 2; I < F.size(); ++I) DrawNinePiece(B, *FBuffer, F[I], Margins);
  AddLabel(F[1], "OK", RGB(255, 255, 255), TAlign::Centre, true);
  AddLabel(F[2], "OK", RGB(255, 255, 255), TAlign::Centre, true);
  AddLabel(F[3], "Go", RGB(255, 255, 255), TAlign::Centre, true);
}

void TDemoScene::PaintHue(const TRect& C) {
  static const Integer Shifts[] = {0, 40, 85, 170};
  const TvxBitmap& L = FImages.Landscape;
  const auto F = Figures(C, {{L.Width(), L.Height(), "original"},
                             {L.Width(), L.Height(), "+40"},
                             {L.Width(), L.Height(), "+85"},
                             {L.Width(), L.Height(), "+170"}});
  for (size_t I = 0; I < F.size(); ++I) {
    TvxBitmap Variant;
    Variant.Assign(&L);
    Variant.ChangeHue(Shifts[I]);
    Variant.DrawTo(*FBuffer, F[I].Left, F[I].Top);
  }
}

void TDemoScene::PaintBrightness(const TRect& C) {
  static const Integer Deltas[] = {-60, 0, 60};
  const TvxBitmap& L = FImages.SmallLandscape;
  const auto F =
      Figures(C, {{L.Width(), L.Height(), "-60"}, {L.Width(), L.Height(), "original"}, {L.Width(), L.Height(), "+60"}});
  for (size_t I = 0; I < F.size(); ++I) {
    TvxBitmap Variant;
    Variant.Assign(&L);
    Variant.ChangeBrightness(Deltas[I]);
    Variant.DrawTo(*FBuffer, F[I].Left, F[I].Top);
  }
}

void TDemoScene::PaintFillRect(const TRect& C) {
  const TvxBitmap& L = FImages.Landscape;
  const auto F = Figures(C, {{L.Width(), L.Height(), "over checker"}, {L.Width(), L.Height(), "over image"}});

  TvxBitmap Checker;
  Checker.SetSize(L.Width(), L.Height());
  FillChecker(Checker, Checker.BoundsRect());
  Checker.SetAlphaBlend(true);
  Checker.FillRect(Bounds(6, 5, 34, 28), 0xA0E8413C);
  Checker.FillRect(Bounds(30, 5, 36, 28), 0xA034B454);
  Checker.FillRect(Bounds(18, 23, 36, 28), 0xA03C64E8);
  Checker.SetAlphaBlend(false);
  Checker.DrawTo(*FBuffer, F[0].Left, F[0].Top);

  TvxBitmap Image;
  Image.Assign(&L);
  Image.SetAlphaBlend(true);
  Image.FillRect(Bounds(0, 40, L.Width(), 16), 0xB0101826);
  Image.FillRect(Bounds(6, 6, 26, 20), 0x80FFFFFF);
  Image.SetAlphaBlend(false);
  Image.DrawTo(*FBuffer, F[1].Left, F[1].Top);
}

void TDemoScene::PaintRegion(const TRect& C) {
  const TvxBitmap& S = FImages.Shape;
  constexpr Integer Zoom = 4;
  const std::vector<TRect> Runs = S.RegionRects(0, 0);
  const auto F =
      Figures(C, {{2 * S.Width() + 12, 2 * S.Height() + 12, "the shape, 2x"},
                  {Zoom * S.Width(), Zoom * S.Height(), Format("RegionRects: %d runs, 4x", Integer(Runs.size()))},
                  {S.Width(), S.Height(), "CreateRegion, 1x"}});
  FillChecker(*FBuffer, F[0]);
  S.StretchDrawTo(*FBuffer, Bounds(F[0].Left + 6, F[0].Top + 6, 2 * S.Width(), 2 * S.Height()), S.BoundsRect());

  for (size_t I = 0; I < Runs.size(); ++I) {
    const TRect& Run = Runs[I];
    const TRect R = Rect(F[1].Left + Zoom * Run.Left, F[1].Top + Zoom * Run.Top, F[1].Left + Zoom * Run.Right,
                         F[1].Top + Zoom * Run.Bottom);
    FBuffer->FillRect(R, I % 2 ? 0xFFBFD4F6 : 0xFFDCE7FA);
    FrameRect(*FBuffer, R, 0xFF3A5DAE);
  }

  const Integer X = F[2].Left, Y = F[2].Top;
  FGdiWork.push_back([&S, X, Y](HDC DC) {
    TRegionHandle Region(S.CreateRegion(X, Y));
    TBrushHandle Fill(CreateSolidBrush(RGB(120, 156, 226)));
    TBrushHandle Edge(CreateSolidBrush(RGB(36, 44, 80)));
    FillRgn(DC, Region.Get(), Fill.Get());
    FrameRgn(DC, Region.Get(), Edge.Get(), 1, 1);
  });
}

// [GDI part] -----------------------------------------------------------------------------------

void TDemoScene::AddLabel(const TRect& R, std::string Text, COLORREF Color, TAlign Align, bool Bold) {
  FLabels.push_back({R, std::move(Text), Color, Align, Bold});
}

Integer TDemoScene::TextWidth(const std::string& Text, bool Bold) const {
  const HDC DC = FBuffer->DC();
  if (!DC) return 0;
  TSelectGuard Font(DC, Bold ? FBoldFont.Get() : FFont.Get());
  SIZE Size{};
  GetTextExtentPoint32A(DC, Text.c_str(), int(Text.size()), &Size);
  return Size.cx;
}

void TDemoScene::PaintGdiPart() {
  const HDC DC = FBuffer->DC();
  if (!DC) return;
  for (const auto& Work : FGdiWork) Work(DC);
  // GDI text leaves alpha 0 in the DIB; harmless, as the buffer is only ever copied.
  const int OldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF OldColor = GetTextColor(DC);
  for (const TLabel& L : FLabels) {
    TSelectGuard Font(DC, L.Bold ? FBoldFont.Get() : FFont.Get());
    SetTextColor(DC, L.Color);
    RECT R{L.R.Left, L.R.Top, L.R.Right, L.R.Bottom};
    const UINT Align = L.Align == TAlign::Left ? DT_LEFT : L.Align == TAlign::Right ? DT_RIGHT : DT_CENTER;
    DrawTextA(DC, L.Text.c_str(), int(L.Text.size()), &R, Align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  SetTextColor(DC, OldColor);
  SetBkMode(DC, OldMode);
  // Pixel code reads the buffer next: finish GDI's queued drawing first.
  GdiFlush();
}
