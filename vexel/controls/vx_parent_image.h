// Painting a control's parent beneath it, for controls with transparent parts. A parent class can
// register a painter that knows how to draw its background for a child; the most derived
// registered class of the parent wins. Without a painter the parent paints itself into the
// child's context. Windows only.
#pragma once

#include <functional>

#include "framework/ui/controls.h"

// What a painter is told: the child's bounds (in the parent's client coordinates, twice, as
// painters of the two rectangles expect), the child and the parent. The canvas's origin is moved
// so that the parent's coordinates land where they show under the child.
struct TVxParentPaintInfo {
  TRect ControlRect;
  TRect ClipRect;
  TControl* Control;
  TWinControl* Parent;
};

using TVxParentPainter = std::function<void(TCanvas& Canvas, const TVxParentPaintInfo& Info)>;

// A second registration of the same class replaces the first.
void RegisterParentPainter(const TClassInfo& ParentClass, TVxParentPainter Painter);
void UnregisterParentPainter(const TClassInfo& ParentClass);

// Paints Control's parent into DC (the control's own context, origin at its top-left corner).
// Nothing without a parent, for an empty control, or while the control is itself being painted
// into a parent's background (which stops recursion).
void DrawParentImage(TControl* Control, HDC DC);
