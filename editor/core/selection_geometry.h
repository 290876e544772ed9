// The arithmetic of the work area: zoom, the conversion of work-area pixels to skin coordinates,
// the five selection handles, what dragging one does to a rectangle, and the top-level object
// above a selection. Pure functions over values; the window draws and tracks the mouse.
#pragma once

#include <optional>

#include "framework/core/types.h"

class TDvSkinObject;

// The zoom box: "100%", "200%", "400%", "800%".
constexpr Integer ZoomCount = 4;
// 1, 2, 4 or 8 for the box index; nothing for an index outside the box.
std::optional<float> ZoomFromIndex(Integer Index);

// Nearest integer, halves to even (2.5 -> 2, 1.5 -> 2).
Integer RoundHalfEven(double Value);
// Work-area pixel to skin coordinates at Zoom.
TPoint SkinPointFromWorkArea(TPoint Pixel, float Zoom);
// A skin length on the work area at Zoom.
Integer ZoomedLength(Integer Length, float Zoom);

// Handle 0 sits in the middle and moves the object; 1..4 sit on the corners (top-left,
// top-right, bottom-left, bottom-right) and move the two edges that meet there.
constexpr Integer HandleCount = 5;
constexpr Integer HandleSize = 6;
// The 6 x 6 square of handle Index around ObjectBounds, in skin coordinates.
TRect HandleRect(const TRect& ObjectBounds, Integer Index);
// The first handle whose square holds P, if any.
std::optional<Integer> HandleAtPoint(const TRect& ObjectBounds, TPoint P);

enum class TWorkAreaCursor { wcDefault, wcSizeAll, wcSizeNWSE, wcSizeNESW };
TWorkAreaCursor HandleCursor(Integer Index);

// Bounds after dragging handle Index by (DX, DY). A width or height may come out negative: the
// object's bounds setter makes it 0.
TRect DraggedBounds(const TRect& ObjectBounds, Integer Index, Integer DX, Integer DY);

// The object itself when it is top-level, else the skin object its owners lead up to.
TDvSkinObject* TopLevelObject(TDvSkinObject* Object);
