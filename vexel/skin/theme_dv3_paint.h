// Steps the skin theme's groups share: placing an object on a rectangle and painting it, finding
// parts inside an object, and the theme table indices the skin theme reads. Internal to the
// skin theme.
#pragma once

#include <initializer_list>

#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3.h"
#include "vexel/skin/theme_dv3draw.h"

namespace dv3 {

// DrawObject for theme operations, which never throw: a paint that cannot get its temporary
// images leaves the rectangle as it was.
inline void Paint(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip) {
  try {
    DrawObject(Object, Canvas, Clip);
  } catch (...) {
  }
}

// The object at R, then painted whole (no clip).
inline void PlaceAndPaint(TDvSkinObject* Object, TCanvas& Canvas, const TRect& R) {
  if (!Object) return;
  Object->SetBounds(R);
  Paint(*Object, Canvas, TRect{});
}

inline void PlaceAndPaint(TDvSkinObject* Object, TCanvas& Canvas, const TRect& R, TDvObjectState State) {
  if (!Object) return;
  Object->SetState(State);
  PlaceAndPaint(Object, Canvas, R);
}

// The object at its own size, centred in R.
inline void PaintCentred(TDvSkinObject* Object, TCanvas& Canvas, const TRect& R, TDvObjectState State) {
  if (!Object) return;
  const Integer W = Object->Width(), H = Object->Height();
  PlaceAndPaint(Object, Canvas, Bounds(R.Left + (R.Width() - W) / 2, R.Top + (R.Height() - H) / 2, W, H), State);
}

// The first of Names found inside Object (the object itself included), depth first.
inline TDvSkinObject* FindPart(TDvSkinObject* Object, std::initializer_list<const char*> Names) {
  if (!Object) return nullptr;
  for (const char* Name : Names)
    if (TDvSkinObject* Part = Object->FindByName(Name)) return Part;
  return nullptr;
}

inline TRect Narrow(const TRect& R, Integer L, Integer T, Integer Rt, Integer B) {
  return {R.Left + L, R.Top + T, R.Right - Rt, R.Bottom - B};
}

}  // namespace dv3
