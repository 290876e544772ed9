#include "editor/core/selection_geometry.h"

#include <cmath>

#include "vexel/skin/theme_dv3objects.h"

std::optional<float> ZoomFromIndex(Integer Index) {
  if (Index < 0 || Index >= ZoomCount) return std::nullopt;
  return float(1 << Index);
}

Integer RoundHalfEven(double Value) {
  const double Floor = std::floor(Value);
  const double Fraction = Value - Floor;
  double Result = Floor;
  if (Fraction > 0.5 || (Fraction == 0.5 && std::fmod(Floor, 2.0) != 0.0)) Result = Floor + 1;
  return Integer(Result);
}

TPoint SkinPointFromWorkArea(TPoint Pixel, float Zoom) {
  return {RoundHalfEven(double(Pixel.X) / Zoom), RoundHalfEven(double(Pixel.Y) / Zoom)};
}

Integer ZoomedLength(Integer Length, float Zoom) { return RoundHalfEven(double(Length) * Zoom); }

TRect HandleRect(const TRect& ObjectBounds, Integer Index) {
  const Integer L = ObjectBounds.Left, T = ObjectBounds.Top, R = ObjectBounds.Right, B = ObjectBounds.Bottom;
  TPoint Corner;
  switch (Index) {
    case 0: Corner = {(L + R) / 2 - 3, (T + B) / 2 - 3}; break;
    case 1: Corner = {L - 3, T - 3}; break;
    case 2: Corner = {R - 3, T - 3}; break;
    case 3: Corner = {L - 3, B - 3}; break;
    case 4: Corner = {R - 3, B - 3}; break;
    default: return {};
  }
  return Bounds(Corner.X, Corner.Y, HandleSize, HandleSize);
}

std::optional<Integer> HandleAtPoint(const TRect& ObjectBounds, TPoint P) {
  for (Integer I = 0; I < HandleCount; ++I)
    if (HandleRect(ObjectBounds, I).Contains(P.X, P.Y)) return I;
  return std::nullopt;
}

TWorkAreaCursor HandleCursor(Integer Index) {
  switch (Index) {
    case 0: return TWorkAreaCursor::wcSizeAll;
    case 1:
    case 4: return TWorkAreaCursor::wcSizeNWSE;
    case 2:
    case 3: return TWorkAreaCursor::wcSizeNESW;
    default: return TWorkAreaCursor::wcDefault;
  }
}

TRect DraggedBounds(const TRect& ObjectBounds, Integer Index, Integer DX, Integer DY) {
  TRect R = ObjectBounds;
  switch (Index) {
    case 0: return R.Offset(DX, DY);
    case 1: R.Left += DX, R.Top += DY; break;
    case 2: R.Right += DX, R.Top += DY; break;
    case 3: R.Left += DX, R.Bottom += DY; break;
    case 4: R.Right += DX, R.Bottom += DY; break;
    default: break;
  }
  return R;
}

TDvSkinObject* TopLevelObject(TDvSkinObject* Object) {
  while (Object && Object->Parent()) Object = Object->Parent();
  return Object;
}
