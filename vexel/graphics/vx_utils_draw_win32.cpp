// Canvas helpers of vx_utils on a device context: fills, outlines, dither and gradient fills,
// coloured frame controls and centred icons.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cmath>

#include "framework/core/exceptions.h"
#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils_win32.h"

namespace {

// The high byte of a framework colour (clNone, clDefault) means something else to GDI.
COLORREF ToColorRef(TColor Color) { return COLORREF(ColorToRGB(Color)) & 0x00FFFFFF; }

RECT ToRECT(const TRect& R) { return {R.Left, R.Top, R.Right, R.Bottom}; }

std::vector<POINT> ToPOINTs(const std::vector<TPoint>& Points) {
  std::vector<POINT> Result;
  Result.reserve(Points.size());
  for (const TPoint& P : Points) Result.push_back({P.X, P.Y});
  return Result;
}

// A GDI object made for one drawing call and selected into the DC while it lasts.
template <typename THandle>
class TScopedObject {
 public:
  TScopedObject(HDC DC, THandle Handle) : FObject(Handle), FSelect(DC, Handle) {}

 private:
  TGdiObject<THandle> FObject;  // declared first: deselected before it is deleted
  TSelectGuard FSelect;
};

class TSolidPen : public TScopedObject<HPEN> {
 public:
  TSolidPen(HDC DC, TColor Color) : TScopedObject(DC, CreatePen(PS_SOLID, 1, ToColorRef(Color))) {}
};

class TSolidBrush : public TScopedObject<HBRUSH> {
 public:
  TSolidBrush(HDC DC, TColor Color) : TScopedObject(DC, CreateSolidBrush(ToColorRef(Color))) {}
};

class TClearBrush : public TSelectGuard {
 public:
  explicit TClearBrush(HDC DC) : TSelectGuard(DC, GetStockObject(NULL_BRUSH)) {}
};

class TClearPen : public TSelectGuard {
 public:
  explicit TClearPen(HDC DC) : TSelectGuard(DC, GetStockObject(NULL_PEN)) {}
};

// 8 x 8 pattern: Color2 where x and y are both even or both odd.
HBRUSH CreateDitherBrush(TColor Color1, TColor Color2) {
  struct {
    BITMAPINFOHEADER Header;
    TvxColor Pixels[8 * 8];
  } Dib{};
  Dib.Header.biSize = sizeof(BITMAPINFOHEADER);
  Dib.Header.biWidth = 8;
  Dib.Header.biHeight = 8;  // bottom-up: memory row 0 is y = 7
  Dib.Header.biPlanes = 1;
  Dib.Header.biBitCount = 32;
  Dib.Header.biCompression = BI_RGB;
  const TvxColor Odd = ColorToPixel(Color1, 0), Even = ColorToPixel(Color2, 0);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) Dib.Pixels[(7 - Y) * 8 + X] = (X + Y) % 2 == 0 ? Even : Odd;
  return CreateDIBPatternBrushPt(&Dib, DIB_RGB_COLORS);
}

void DrawPolygon(HDC DC, const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  const std::vector<POINT> Vertices = ToPOINTs(Points);
  Polygon(DC, Vertices.data(), int(Vertices.size()));
}

// MulDiv's rounding for non-negative values, without its overflow answer of -1.
int64_t ScaleRounded(int64_t A, int64_t B, int64_t C) { return (A * B + C / 2) / C; }

Byte GradientChannel(Integer Band, Integer Steps, TColor From, TColor To, int Shift) {
  const double F = (From >> Shift) & 0xFF, T = (To >> Shift) & 0xFF;
  // Halves go to the even neighbour under the default rounding mode.
  return Byte(std::nearbyint(((Band * (T - F) * 255) / Steps + F * 255) / 255));
}

}  // namespace

// [Fills and outlines] -------------------------------------------------------------------------

void FillRectColor(HDC DC, const TRect& R, TColor Color) {
  TBrushHandle Brush(CreateSolidBrush(ToColorRef(Color)));
  const RECT Area = ToRECT(R);
  ::FillRect(DC, &Area, Brush.Get());
}

void FillRectXY(HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
  FillRectColor(DC, {X1, Y1, X2, Y2}, Color);
}

void FrameRectColor(HDC DC, const TRect& R, TColor Color) {
  TClearBrush Brush(DC);
  TSolidPen Pen(DC, Color);
  Rectangle(DC, R.Left, R.Top, R.Right, R.Bottom);
}

void FrameRectXY(HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
  FrameRectColor(DC, {X1, Y1, X2, Y2}, Color);
}

void DrawBevel(HDC DC, const TRect& R, TColor TopLeft, TColor BottomRight) {
  POINT Old{};
  MoveToEx(DC, R.Left, R.Bottom - 2, &Old);
  {
    TSolidPen Pen(DC, TopLeft);
    LineTo(DC, R.Left, R.Top);
    LineTo(DC, R.Right - 1, R.Top);
  }
  {
    TSolidPen Pen(DC, BottomRight);
    LineTo(DC, R.Right - 1, R.Bottom - 1);
    LineTo(DC, R.Left - 1, R.Bottom - 1);
  }
  MoveToEx(DC, Old.x, Old.y, nullptr);
}

void LineToColor(HDC DC, Integer X, Integer Y, TColor Color) {
  TSolidPen Pen(DC, Color);
  LineTo(DC, X, Y);
}

void DrawFocusRectColor(HDC DC, const TRect& R, TColor Color) {
  TSolidBrush Brush(DC, Color);
  const RECT Area = ToRECT(R);
  ::DrawFocusRect(DC, &Area);
}

void FrameRoundRect(HDC DC, const TRect& R, Integer Corner, TColor Color) {
  TClearBrush Brush(DC);
  TSolidPen Pen(DC, Color);
  RoundRect(DC, R.Left, R.Top, R.Right, R.Bottom, Corner, Corner);
}

void FillRoundRect(HDC DC, const TRect& R, Integer Corner, TColor Color) {
  TSolidBrush Brush(DC, Color);
  TSolidPen Pen(DC, Color);
  RoundRect(DC, R.Left, R.Top, R.Right, R.Bottom, Corner, Corner);
}

void FramePolygon(HDC DC, const std::vector<TPoint>& Points, TColor Color) {
  TClearBrush Brush(DC);
  TSolidPen Pen(DC, Color);
  DrawPolygon(DC, Points);
}

void FillPolygon(HDC DC, const std::vector<TPoint>& Points, TColor Color) {
  TSolidBrush Brush(DC, Color);
  TSolidPen Pen(DC, Color);
  DrawPolygon(DC, Points);
}

// [Dither and gradient] ------------------------------------------------------------------------

void FillDither(HDC DC, const TRect& R, TColor Color1, TColor Color2) {
  const TRect Area{std::max<Integer>(R.Left, 0), std::max<Integer>(R.Top, 0), R.Right, R.Bottom};
  if (RectIsEmpty(Area)) return;
  TBrushHandle Brush(CreateDitherBrush(Color1, Color2));
  const RECT Fill = ToRECT(Area);
  ::FillRect(DC, &Fill, Brush.Get());
}

void FillPolygonDither(HDC DC, const std::vector<TPoint>& Points, TColor Color1, TColor Color2) {
  TScopedObject<HBRUSH> Brush(DC, CreateDitherBrush(Color1, Color2));
  TClearPen Pen(DC);
  DrawPolygon(DC, Points);
}

void FillGradient(HDC DC, const TRect& R, TColor FromColor, bool Vertical, TColor ToColor) {
  if (RectIsEmpty(R)) return;
  const TColor From = ColorToRGB(FromColor), To = ColorToRGB(ToColor);
  const Integer Width = RectWidth(R), Height = RectHeight(R);
  Integer Steps = Vertical || Width > 254 ? 255 : Width;
  if (Vertical && Height < Steps) Steps = Height;
  const Integer Size = Vertical ? Height : Width;
  const int64_t Start = Vertical ? R.Top : R.Left;
  for (Integer I = 0; I <= Steps; ++I) {
    // Positions in 64 bits: the band past the last one may end beyond the 32-bit range.
    const int64_t From64 = Start + ScaleRounded(I, Size, Steps), To64 = Start + ScaleRounded(I + 1, Size, Steps);
    const Integer End = Vertical ? R.Bottom : R.Right;
    const Integer BandFrom = Integer(std::min<int64_t>(From64, End)), BandTo = Integer(std::min<int64_t>(To64, End));
    const TRect Band = Vertical ? TRect{R.Left, BandFrom, R.Right, BandTo} : TRect{BandFrom, R.Top, BandTo, R.Bottom};
    if (RectIsEmpty(Band)) continue;
    const Byte Red = GradientChannel(I, Steps, From, To, 0), Green = GradientChannel(I, Steps, From, To, 8),
               Blue = GradientChannel(I, Steps, From, To, 16);
    FillRectColor(DC, Band, TColor(RGB(Red, Green, Blue)));
  }
}

// [Frame controls and icons] -------------------------------------------------------------------

namespace {

int Luminance(uint32_t Rgb) { return (int(Rgb & 0xFF) * 2 + int((Rgb >> 8) & 0xFF) * 5 + int((Rgb >> 16) & 0xFF)) / 8; }

}  // namespace

void DrawFrameControlColor(HDC DC, const TRect& R, UINT Type, TColor Color, UINT State) {
  if (RectIsEmpty(R)) return;
  TvxBitmap Image;
  try {
    Image.SetSize(RectWidth(R), RectHeight(R));
  } catch (const Exception&) {
    return;
  }
  RECT Area{0, 0, Image.Width(), Image.Height()};
  Image.Fill(0xFFFFFF);
  // Flat, a one-pixel frame is all that surrounds the glyph; it is left out. Glyphs come from a
  // font that may be smoothed: their thin strokes are grey, not black, and count as ink when
  // they are nearer the button text's colour than the face's.
  DrawFrameControl(Image.DC(), &Area, Type, State | DFCS_FLAT);
  GdiFlush();
  const int Face = Luminance(GetSysColor(COLOR_BTNFACE)), Text = Luminance(GetSysColor(COLOR_BTNTEXT));
  const int Span = std::abs(Face - Text);
  const TvxColor Ink = ColorToPixel(Color, 255);
  const Integer W = Image.Width(), H = Image.Height();
  for (Integer Y = 0; Y < H; ++Y) {
    TvxColor* Row = Image.Bits() + ptrdiff_t(Y) * W;
    for (Integer X = 0; X < W; ++X) {
      // GDI promises nothing about the alpha byte it writes, so only the colour decides.
      const uint32_t Rgb = Row[X] & 0x00FFFFFF;
      const bool Ring = X == 0 || Y == 0 || X == W - 1 || Y == H - 1;
      const bool Glyph = Span < 32 ? Rgb == 0 : std::abs(Luminance(Rgb) - Text) * 4 < Span * 3;
      Row[X] = !Ring && Glyph ? Ink : vxKeyColor;
    }
  }
  Image.SetTransparent(true);
  Image.Draw(DC, R.Left, R.Top);
}

void DrawIconCentered(HDC DC, const TRect& R, HICON Icon) {
  if (!Icon) return;
  const TRect Box = CenterRect(Bounds(0, 0, 16, 16), R);
  DrawIconEx(DC, Box.Left, Box.Top, Icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void PaintNonClientFrame(HWND Wnd, const std::function<void(HDC DC, const TRect& Frame)>& Paint) {
  TNonClientDC WindowDC(Wnd);
  const HDC DC = WindowDC.Get();
  if (!DC) return;
  RECT Window;
  GetWindowRect(Wnd, &Window);
  TRect Frame(0, 0, Window.right - Window.left, Window.bottom - Window.top);
  if (!(GetWindowLongPtrA(Wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && !(GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_BORDER))
    Frame = Rect(Frame.Left - 2, Frame.Top - 2, Frame.Right + 2, Frame.Bottom + 2);
  RECT Client;
  GetClientRect(Wnd, &Client);
  POINT Origin{0, 0};
  ClientToScreen(Wnd, &Origin);
  const Integer X = Origin.x - Window.left, Y = Origin.y - Window.top;
  ExcludeClipRect(DC, X, Y, X + Client.right, Y + Client.bottom);
  Paint(DC, Frame);
}
